#pragma once
// The luminaire references dialog: the project's luminaire types in a grid, added from
// photometric files through the file browser and removed with the luminaires placed
// from them; a reference's lamps (with the lamp catalogue) and its operating costs
// are edited on their own pages, and its polar diagram and UGR table are shown. The
// automatic count, blocks and the position list are opened from here through hooks the
// host fills.
//
// The dialog edits the document's reference and luminaire lists directly. Changed()
// tells the caller afterwards whether references were added, removed or edited so it
// can record the change and clear the results.

#include "project/ProjectDocument.h"

#include <QDialog>
#include <QString>

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSortFilterProxyModel;
class QTabWidget;
class QTableView;

namespace lumivar {

class DiagPolarWidget;
class TPlanoGrafico;
class ReferencesModel;
class LampsModel;
class CostsModel;
class UgrModel;

class TLuminDlg : public QDialog {
    Q_OBJECT

public:
    enum Page : int { PageReferences = 0, PageProperties, PageCosts, PagePolar, PageUgr };

    // document: the project whose references are edited. plan: the plan showing its
    // luminaires, reloaded after a removal; may be null. Neither is owned.
    explicit TLuminDlg(ProjectDocument& document, TPlanoGrafico* plan = nullptr, QWidget* parent = nullptr);

    // References were added, removed, their lamps edited, or the rows refreshed after
    // the automatic count or blocks.
    bool Changed() const { return m_changed; }
    // The costs page was confirmed with different figures (the document is then marked
    // modified; the results stay valid).
    bool CostsChanged() const { return m_costsChanged; }

    // Hooks. ChooseFile returns the photometric file to add, or an empty text; by default
    // it runs the file browser over the preferences' folders.
    std::function<QString(QWidget* parent)> ChooseFile;
    // The automatic count and block dialogs; true when the user confirmed them. The
    // buttons are disabled while a hook is empty.
    std::function<bool(TLuminDlg& dialog)> AutoCount;
    std::function<bool(TLuminDlg& dialog)> Block;
    // The position list; by default TListaPosLumin on the plan when there is one.
    std::function<void(TLuminDlg& dialog)> PositionList;
    // Commands of the buttons.
    void Add();
    // Adds the reference of a photometric file; false (after the error box) when the
    // file cannot be read.
    bool AddFile(const QString& file);
    void Remove();
    void Properties();
    void Costs();
    void PolarDiagram();
    void UgrValues();
    void RunAutoCount();
    void RunBlock();
    void RunPositionList();
    // "Ok" and "Cancela" of the pages after the first.
    void AcceptPage();
    void CancelPage();

    int CurrentPage() const;
    // Rebuilds every row from its reference.
    void RefreshRows();
    void FitReferenceColumns();
    // The references of the selected rows, whatever the sort order.
    std::vector<std::size_t> SelectedReferences() const;
    void SelectReference(std::size_t index);
    // The reference shown on the row at a display position.
    std::size_t ReferenceAtRow(int row) const;

    // The lamp catalogue of a lamp row on the properties page, and picking from it.
    QStringList LampChoices(int row) const;
    void PickLamp(int row, const QString& designation);
    // The ballasts of a lamp row on the costs page, and picking one by name.
    QStringList BallastChoices(int row) const;
    void PickBallast(int row, const QString& name);

    // Esc: back to the first page, or closes the dialog from it.
    void reject() override;

    QTabWidget* pcLuminarias = nullptr;
    QTableView* dxtlLuminarias = nullptr;
    QPushButton* AdicionaBtn = nullptr;
    QPushButton* RemoveBtn = nullptr;
    QPushButton* PropriedadesBtn = nullptr;
    QPushButton* CustosBtn = nullptr;
    QPushButton* DiagPolarBtn = nullptr;
    QPushButton* ValoresUgrBtn = nullptr;
    QPushButton* FichaProdutoBtn = nullptr;
    QPushButton* CalcAutoBtn = nullptr;
    QPushButton* BlocoBtn = nullptr;
    QPushButton* ListaBtn = nullptr;
    QPushButton* OkBtn = nullptr;

    QLineEdit* edReferencia = nullptr;
    QLineEdit* edRendimento = nullptr;
    QTableView* dxtlLampadas = nullptr;
    QPlainTextEdit* mCaracteristicas = nullptr;
    QLineEdit* edProduto1 = nullptr;
    QLineEdit* edProduto2 = nullptr;

    QLineEdit* eRef2 = nullptr;
    // Luminaire price, installation, energy price, annual use, cleaning, replacement.
    std::array<QDoubleSpinBox*, 6> neCustos{};
    QTableView* dxtlCustos = nullptr;

    QLabel* lbRefPolar = nullptr;
    DiagPolarWidget* dgPolar = nullptr;
    QTableView* sgUGR = nullptr;

private:
    QWidget* BuildReferencesPage();
    QWidget* BuildPropertiesPage();
    QWidget* BuildCostsPage();
    QWidget* BuildPolarPage();
    QWidget* BuildUgrPage();
    QWidget* PageButtons(const char* okName);
    void ShowPage(int page);
    void UpdateButtons();
    void UpdateCaption();
    // The one selected reference; false when not exactly one row is selected.
    bool SingleSelection(std::size_t& index) const;
    bool eventFilter(QObject* watched, QEvent* event) override;

    ProjectDocument& m_document;
    TPlanoGrafico* m_plan;
    bool m_changed = false;
    bool m_costsChanged = false;
    std::size_t m_editing = 0; // reference of the properties or costs page
    bool m_switching = false; // set while the dialog itself changes the page

    ReferencesModel* m_references = nullptr;
    QSortFilterProxyModel* m_sorted = nullptr;
    LampsModel* m_lamps = nullptr;
    CostsModel* m_costs = nullptr;
    UgrModel* m_ugr = nullptr;
};

} // namespace lumivar
