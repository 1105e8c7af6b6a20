#pragma once
// "Cálculo Automático de Luminárias": the lumen-method counts of one reference for
// nine illuminance levels and the project's own, and the array of columns and rows
// they propose, previewed on a small plan; "Ok" replaces every luminaire of the
// plan with that array.

#include "calc/AutoCountPlacement.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTreeWidget;

namespace lumivar {

class PreviewPanel;
class TUndoRedoList;

class TCalcAuto : public QDialog {
    Q_OBJECT

public:
    explicit TCalcAuto(QWidget* parent = nullptr);

    // Fills the reference list; the references must outlive the dialog.
    void SetReferences(const RefList& refs);
    // The room of the preview, the required illuminance and the mounting height.
    void SetProject(const TDadosProjecto& project);
    // The array the dialog proposes now.
    AutoCountArray Array() const;

    // Opens the dialog on the document, with reference preselected chosen (or the
    // only reference when there is one), and on "Ok" replaces every luminaire with
    // the array; the change goes into history when given. True when confirmed.
    static bool Run(ProjectDocument& document, int preselected, QWidget* parent, TUndoRedoList* history = nullptr);
    // What "Ok" does to the document: the array replaces every luminaire, and the
    // change is recorded in history when given and something changed.
    Result<int> Apply(ProjectDocument& document, TUndoRedoList* history) const;

    // Handlers, also driven by the tests.
    void RefLuminChange();
    void ColLinChange();
    void PrioridadeClick();
    void DistribuicaoClick();
    void AnguloChange();

    QComboBox* cbRefLumin = nullptr;
    QLineEdit* eIluminan = nullptr;
    QLineEdit* eNumLumin = nullptr;
    QDoubleSpinBox* eLuminAlt = nullptr;
    QDoubleSpinBox* eLuminAng = nullptr;
    QTreeWidget* lvNivel = nullptr;
    QButtonGroup* rgPrioridade = nullptr;
    QSpinBox* eCol = nullptr;
    QSpinBox* eLin = nullptr;
    QRadioButton* rbAA = nullptr;
    QRadioButton* rbA2A = nullptr;
    QLabel* lbMensagem = nullptr; // why the lumen method gave no count
    PreviewPanel* Panel1 = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelaBtn = nullptr;
    QPushButton* AjudaBtn = nullptr;

private:
    void Build();
    // The array and its spacing from m_cols, m_rows and m_stepFactor, into the
    // count field and the preview.
    void UpdateProposal();
    // Writes the counts without running their handlers.
    void ShowCounts(int cols, int rows);

    const RefList* m_refs = nullptr;
    TDadosProjecto m_project;
    int m_cols = 0;
    int m_rows = 0;
    int m_stepFactor = kWallAtHalfSpacing;
    bool m_settingCounts = false;
};

} // namespace lumivar
