#pragma once
// The document window of one project: the data page that edits the project record,
// the plan page with the plan editor, the summary of the last calculation, and the
// results and costs pages. It owns the document and its undo/redo history, runs the
// calculation in a worker thread, and opens and saves the project file. The main
// window routes its commands here and follows CommandsChanged for its enabling rules.

#include "project/ProjectDataValidation.h"
#include "project/ProjectDocument.h"
#include "project/SurfaceExtremes.h"

#include <QMessageBox>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class QCheckBox;
class QDateEdit;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QTabWidget;
class QThread;
class QTimeEdit;
class QTimer;
class QToolBar;
class QTreeWidget;

namespace lumivar {

class MedidasWidget;
class PhotoFrame;
class PlanWidget;
class TUndoRedoList;
struct CalculationJob;

class TProjMDIChild : public QWidget {
    Q_OBJECT

public:
    enum Page { DataPage = 0, PlanPage, SummaryPage, ResultsPage, CostsPage };

    // A window with a new project built from the preferences' defaults.
    explicit TProjMDIChild(QWidget* parent = nullptr);
    ~TProjMDIChild() override;

    // Where the n-th open project window goes in the frame's client area (n counts
    // this one): left = top = 10n - 5, width = client width - 10n - 5, height =
    // client height - 10n - 80.
    static QRect Placement(int openWindows, QSize frameClient);
    // The state of the first project window: the stored one (0 normal, 1 minimised,
    // 2 maximised), a negative value read as 0. Later windows take the state of the
    // frame's last project window.
    static int FirstWindowState();

    ProjectDocument& Document() { return m_doc; }
    const ProjectDocument& Document() const { return m_doc; }
    // Full path of the project file; empty until read or saved.
    QString FileName() const;

    // Reads a project file into this window; false (after telling the user) when it
    // could not be read, and the window is then to be destroyed.
    bool OpenProject(const QString& path);
    // Writes the project; asks for a name when askName or when it has none yet.
    // False when the dialog was cancelled or the file could not be written.
    bool SaveProject(bool askName);
    // Whether the window may close: asks to save a modified project (Yes saves and
    // closes only when saved, No closes, Cancel keeps the window).
    bool CloseQuery();

    // Data page.
    void ShowProjectData(bool withMemoAndPhoto); // record -> fields
    void ApplyProjectData(bool apply); // fields -> record
    void SetEditMode(bool editing, bool apply);
    bool IsEditing() const { return m_editing; }
    // "&Ok": the first failing check is shown and edit mode stays; true when applied.
    bool ConfirmEdits();
    // "&Cancela": shows the record again and leaves edit mode without applying.
    void CancelEdits();
    // The fields as shown now.
    ProjectDataFields Fields() const;

    // History.
    TUndoRedoList& History() { return *m_history; }
    bool CanUndo() const;
    bool CanRedo() const;
    void Undo();
    void Redo();
    void UndoSteps(int steps);
    void RedoSteps(int steps);
    QStringList UndoLabels() const;
    QStringList RedoLabels() const;

    // Calculation. RunCalculation starts it in a worker and returns whether it
    // started; CalculationFinished tells how it ended. Until then the window's pages
    // take no input; Esc or CancelCalculation stops it, leaving the project as it was.
    bool RunCalculation();
    void CancelCalculation();
    bool IsCalculating() const { return m_calcThread != nullptr; }
    // Blocks until a running calculation ended and its outcome was taken.
    void WaitForCalculation();
    // A progress bar (the main window's) that shows the calculation; not owned.
    void SetProgressBar(QProgressBar* bar);

    // Both done-flags of the last calculation are set.
    bool HasValidResults() const;
    // Length, width and height are all non-zero: the plan page is shown.
    bool RoomOk() const;

    // Plan page and zoom.
    PlanWidget* Plan() const { return m_plan; }
    void FitPlan();
    bool ZoomActive() const { return m_doc.ZoomActive; }
    int ZoomPercent() const { return m_doc.ZoomPercent; }
    void SetZoomActive(bool active);
    void SetZoomPercent(int percent);
    // The zoom controls of the main window apply while the plan page is current.
    bool ZoomControlsEnabled() const;

    // The luminaire references dialog on the plan page, with the automatic count and
    // the block dialog behind its buttons.
    void EditReferences();
    // The automatic count and the block dialog on the plan page, with `preselected`
    // (-1 for none) chosen; true when confirmed.
    bool RunAutoCount(int preselected = -1);
    bool RunBlocks(int preselected = -1);

    void UpdateSummary();
    // A result view computed a grid of surface (0 ceiling .. 5 working plane): its
    // extremes sharpen the stored ones (see the engine's UpdateSurfaceExtremes); a
    // change refreshes the summary and marks the project modified.
    void UpdateSurfaceExtremes(int surface, IlluminanceKind kind, const GridExtremes& grid);
    void UpdateCosts();
    void FreeResultViews();

    Page CurrentPage() const;
    void ShowPage(Page page);
    bool PageVisible(Page page) const;
    bool PageEnabled(Page page) const;
    QTreeWidget* SummaryList() const { return m_summary; }
    // The results page's parts the result views use: the title, the panel that hosts
    // a view, the small list of minimum, average and maximum, and "Opções 3D".
    QLabel* ResultsTitle() const { return m_resultsTitle; }
    QWidget* ResultsClientPanel() const { return m_resultsClient; }
    QTreeWidget* ResultsStatistics() const { return m_resultsStats; }
    QToolBar* Options3D() const { return m_options3D; }

    // Result views the pop-up menu of the summary, results and costs pages asks for.
    enum ResultView { ValuesView, TonesView, IsoluxView, SurfaceView, SectionsView };
    // The pop-up menu of the summary, results and costs pages, prepared for the current
    // page: the view items only on the results page, where the two print items need a
    // view; elsewhere the print items are enabled.
    QMenu* PageMenu();
    // The report sheet of the current page: 1 data and summary, 2 plan, 18 results
    // without a view, 20 costs.
    int CurrentPageSheet() const;

    // The questions and messages the window shows; replaceable (tests, scripting).
    std::function<void(const QString& text)> ShowWarning;
    std::function<void(const QString& text)> ShowInformation;
    std::function<QMessageBox::StandardButton(const QString& question)> AskSaveChanges;
    // The save dialog: the path chosen (an existing file already confirmed), or empty.
    std::function<QString(const QString& suggestedPath)> AskSaveName;
    // The picture dialog: the path chosen, or empty.
    std::function<QString()> AskPhotoFile;

signals:
    // Anything the main window's enabling rules read may have changed.
    void CommandsChanged();
    // Edit mode started or ended: the main window disables or enables its bars.
    void EditModeChanged(bool editing);
    void ZoomStateChanged();
    // Per mille of the running calculation.
    void CalculationProgressed(int perMille);
    void CalculationFinished(bool done);
    // The window is closing: the main window adds fileName (when not empty) to the
    // recent files.
    void Closed(const QString& fileName);
    // The pop-up menu asked for a result view.
    void ResultViewRequested(TProjMDIChild::ResultView view);
    // The current page's sheet is to be previewed (true) or printed (false).
    void PagePrintRequested(int sheet, bool preview);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildDataPage();
    QWidget* BuildPlanPage();
    QWidget* BuildSummaryPage();
    QWidget* BuildResultsPage();
    void BuildPageMenu();
    void DataEdited();
    void DimensionEdited();
    void WorkAreaToggled();
    void ReadPhoto();
    void ErasePhoto();
    void PlanEdited(bool withRefs, const QString& label);
    void HistoryMoved(bool texts, bool luminaires);
    // After the automatic count or a block placed luminaires in the document.
    void LuminairesPlaced();
    void UpdatePageVisibility();
    void SetRoomOnPlan();
    void CalculationDone();
    void PollProgress();
    void SetInputEnabled(bool enabled);

    ProjectDocument m_doc;
    std::unique_ptr<TUndoRedoList> m_history;
    ProjectPhoto m_photo; // the picture in the photo frame, taken by the document on apply
    bool m_updating = false;
    bool m_editing = false;

    QTabWidget* m_pages = nullptr;
    QWidget* m_buttonBar = nullptr;
    QPushButton* m_okButton = nullptr;

    QLineEdit* m_number = nullptr;
    QDateEdit* m_date = nullptr;
    QTimeEdit* m_time = nullptr;
    QLineEdit* m_projectName = nullptr;
    QLineEdit* m_space = nullptr;
    QLineEdit* m_designer = nullptr;
    QDoubleSpinBox* m_length = nullptr;
    QDoubleSpinBox* m_width = nullptr;
    QDoubleSpinBox* m_height = nullptr;
    QDoubleSpinBox* m_planeHeight = nullptr;
    QDoubleSpinBox* m_margin = nullptr;
    QSpinBox* m_reflectance[6] = {};
    QSpinBox* m_illuminance = nullptr;
    QDoubleSpinBox* m_maintenance = nullptr;
    QCheckBox* m_workArea = nullptr;
    QGroupBox* m_position = nullptr;
    QDoubleSpinBox* m_x1 = nullptr;
    QDoubleSpinBox* m_y1 = nullptr;
    QDoubleSpinBox* m_x2 = nullptr;
    QDoubleSpinBox* m_y2 = nullptr;
    QPlainTextEdit* m_observations = nullptr;
    PhotoFrame* m_photoFrame = nullptr;
    MedidasWidget* m_sketch = nullptr;

    QScrollArea* m_planScroll = nullptr;
    // Scroll places of the plan (fractions of their ranges) taken before a resize of
    // its box changed the ranges; FitPlan restores them.
    bool m_keepScroll = false;
    double m_keptH = 0, m_keptV = 0;
    PlanWidget* m_plan = nullptr;
    QTreeWidget* m_summary = nullptr;
    QLabel* m_resultsTitle = nullptr;
    QWidget* m_resultsClient = nullptr;
    QTreeWidget* m_resultsStats = nullptr;
    QToolBar* m_options3D = nullptr;
    QMenu* m_pageMenu = nullptr;
    QList<QAction*> m_viewItems; // the view items and their separators
    QAction* m_previewItem = nullptr;
    QAction* m_printItem = nullptr;

    std::unique_ptr<CalculationJob> m_calcJob;
    QThread* m_calcThread = nullptr;
    QTimer* m_progressTimer = nullptr;
    QPointer<QProgressBar> m_progressBar; // not owned
};

} // namespace lumivar
