#pragma once
// "Blocos de Luminárias": adds a group of luminaires of one reference to the plan in
// one step, as a rectangular block ("Bloco"), continuous lines end to end ("Linhas
// contínuas") or spread on a circle or an arc ("Especial"), previewed over the
// luminaires already on the plan; "Ok" appends the group and keeps the rest.

#include "calc/BlockPlacement.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace lumivar {

class PreviewPanel;
class TUndoRedoList;

class TCalcBloco : public QDialog {
    Q_OBJECT

public:
    explicit TCalcBloco(QWidget* parent = nullptr);

    // The plan's luminaires drawn under the group; must outlive the dialog.
    void SetLuminaires(const std::vector<TObjectoLuminaria>& luminaires);
    // Fills the reference list; the references must outlive the dialog.
    void SetReferences(const RefList& refs);
    // The room of the preview and the mounting height.
    void SetProject(const TDadosProjecto& project);
    // The group the dialog proposes now.
    const BlockGroup& Group() const { return m_group; }

    // Opens the dialog on the document, with reference preselected chosen when
    // given, and on "Ok" appends the group; the change goes into history when
    // given. True when confirmed.
    static bool Run(ProjectDocument& document, int preselected, QWidget* parent, TUndoRedoList* history = nullptr);
    // What "Ok" does to the document; recorded in history when given and something
    // was added.
    Result<int> Apply(ProjectDocument& document, TUndoRedoList* history) const;

    // Handlers, also driven by the tests.
    void RefLuminChange(); // also the page change
    void BlocoChange();
    void BlocoAnguloChange();
    void LinhasChange();
    void OrientacaoClick();
    void LinhasAnguloChange();
    void EspecialChange();

    QComboBox* cbRefLumin = nullptr;
    QLineEdit* eNumLumin = nullptr;
    QDoubleSpinBox* eLuminAlt = nullptr;
    QTabWidget* pgTipo = nullptr;
    // "Bloco"
    QSpinBox* eColB = nullptr;
    QSpinBox* eLinB = nullptr;
    QDoubleSpinBox* eXiniB = nullptr;
    QDoubleSpinBox* eYiniB = nullptr;
    QDoubleSpinBox* eDeltaXB = nullptr;
    QDoubleSpinBox* eDeltaYB = nullptr;
    QDoubleSpinBox* eLuminAngB = nullptr;
    QSpinBox* eIncrB = nullptr;
    // "Linhas contínuas"
    QButtonGroup* rgOrientacaoL = nullptr;
    QRadioButton* rbVertical = nullptr;
    QRadioButton* rbHorizontal = nullptr;
    QDoubleSpinBox* eXiniL = nullptr;
    QDoubleSpinBox* eYiniL = nullptr;
    QSpinBox* eNApaL = nullptr;
    QSpinBox* eQuantL = nullptr;
    QDoubleSpinBox* eDeltaL = nullptr;
    QDoubleSpinBox* eLuminAngL = nullptr;
    // "Especial"
    QDoubleSpinBox* eXcE = nullptr;
    QDoubleSpinBox* eYcE = nullptr;
    QDoubleSpinBox* eRaioE = nullptr;
    QSpinBox* eNApaE = nullptr;
    QDoubleSpinBox* eAngIniE = nullptr;
    QDoubleSpinBox* eAngFinE = nullptr;
    QButtonGroup* rgDistribuicaoE = nullptr;
    QRadioButton* rbRadial = nullptr;
    QRadioButton* rbTangencial = nullptr;

    PreviewPanel* Panel1 = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelaBtn = nullptr;
    QPushButton* AjudaBtn = nullptr;

private:
    void Build();
    QWidget* BuildBlockPage();
    QWidget* BuildLinesPage();
    QWidget* BuildCirclePage();
    const TRefLuminaria* ChosenRef() const;
    // The group's positions into the preview, with the circle when it is ready.
    void UpdatePreview();

    const RefList* m_refs = nullptr;
    TDadosProjecto m_project;
    BlockGroup m_group;
};

} // namespace lumivar
