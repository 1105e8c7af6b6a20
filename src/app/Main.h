#pragma once
// The frame window: a multiple-document frame with one project window per open
// project, the menu bar, the toolbars "Barra principal", "Projecto" and "Zoom", the
// status bar, the recent-files list and the start-up and closing rules. Every command
// goes to the active project window; the command states follow it.

#include "app/RecentFiles.h"

#include <QColor>
#include <QHash>
#include <QMainWindow>
#include <QSet>
#include <QStringList>

#include <array>

class QCheckBox;
class QLabel;
class QListWidget;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QProgressBar;
class QSlider;
class QToolBar;
class QToolButton;

namespace lumivar {

class TProjMDIChild;

class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    // `parameters`: the command line without the program itself. Reads the
    // preferences, chooses the language and places the frame; the first parameter
    // opens when the frame is first shown.
    explicit TMainForm(const QStringList& parameters = {}, QWidget* parent = nullptr);
    // Writes the frame's placement, the preferences, the toolbar layout and the
    // recent-files list back.
    ~TMainForm() override;

    // A command by its name ("aNovo", "aGrava", ...), or null.
    QAction* Action(const QString& name) const;
    // Whether the enabling rules allow a command now; a command whose window is not
    // yet part of the program stays disabled even when allowed.
    bool CommandAllowed(const QString& name) const;
    // Commands present but not yet available in this program.
    static bool CommandPending(const QString& name);

    // Creates a project window: a new project captioned `text` when isNew, else one
    // that opens the file `text` (and disappears again when that fails). Null on failure.
    TProjMDIChild* NewProjectWindow(const QString& text, bool isNew);
    TProjMDIChild* ActiveProject() const;
    QList<TProjMDIChild*> Projects() const;

    // Folds the plan's changes into the active project's Modified flag, shows
    // "Modificado" and recomputes the command states.
    void RefreshCommands();

    const RecentFiles& Recent() const { return m_recent; }
    void AddRecentFile(const QString& path);
    QString ProjectsFolder() const { return m_projectsFolder; }
    int NewCount() const { return m_newCount; }
    const std::array<QColor, 6>& SchemeColours() const { return m_schemeColours; }

    QMdiArea* MdiArea() const { return m_mdi; }
    QProgressBar* ProgressBar() const { return m_progress; }
    QLabel* ModifiedPanel() const { return m_modifiedPanel; }
    QCheckBox* ZoomCheck() const { return m_zoomCheck; }
    QSlider* ZoomSlider() const { return m_zoomSlider; }
    QLabel* ZoomLabel() const { return m_zoomLabel; }
    QToolBar* MainToolBar() const { return m_mainBar; }
    QToolBar* ProjectToolBar() const { return m_projectBar; }
    QToolBar* ZoomToolBar() const { return m_zoomBar; }
    // The recent-files entries of the "&Ficheiros" menu, newest first.
    QList<QAction*> RecentFileActions() const { return m_recentActions; }

    // Opens the first of the dropped files.
    void OpenDroppedFiles(const QStringList& paths);

    // The "&Abrir..." command after its dialog returned `path`.
    void OpenChosenFile(const QString& path);

    QMenu* createPopupMenu() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QAction* MakeAction(const char* name, const QString& caption, const QKeySequence& shortcut, const QString& hint);
    void CreateActions();
    void CreateMenus();
    void CreateToolBars();
    void CreateStatusBar();
    QToolButton* HistoryButton(QAction* action, bool undo);
    void FillHistoryList(bool undo);
    void HistoryStepsChosen(bool undo, int steps);
    void UpdateMenuItems();
    void UpdateTbActions();
    void UpdateZoomControls();
    // The toolbars take no input while the active project edits its data.
    void UpdateBarsForEditMode();
    void UpdateRecentMenu();
    void FillWindowMenu();
    void ArrangeIcons();
    void ApplyPlacement();
    void StorePlacement();
    void ChooseSchemeColours();
    void LoadDescriptionCatalogue();

    // Commands.
    void NewProject();
    void OpenProjectDialog();
    void CloseProject();
    void SaveProject(bool askName);
    void EditPreferences();
    void Undo();
    void Redo();
    void RunCalculation();
    void ShowHelp(const QString& topic);
    void ShowAbout();

    QStringList m_parameters;
    QString m_projectsFolder;
    int m_newCount = 0;
    bool m_firstShow = true;
    bool m_destroying = false;
    RecentFiles m_recent;
    std::array<QColor, 6> m_schemeColours;
    QHash<QString, QAction*> m_actions;
    QHash<QString, bool> m_allowed;

    QMdiArea* m_mdi = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_windowMenu = nullptr;
    QAction* m_recentSeparator = nullptr;
    QList<QAction*> m_recentActions;
    QAction* m_mainBarToggle = nullptr;
    QAction* m_projectBarToggle = nullptr;
    QAction* m_zoomBarToggle = nullptr;
    QAction* m_statusBarToggle = nullptr;
    QList<QAction*> m_projectOnly; // enabled exactly when a project window is open
    QToolBar* m_mainBar = nullptr;
    QToolBar* m_projectBar = nullptr;
    QToolBar* m_zoomBar = nullptr;
    QCheckBox* m_zoomCheck = nullptr;
    QSlider* m_zoomSlider = nullptr;
    QLabel* m_zoomLabel = nullptr;
    QLabel* m_modifiedPanel = nullptr;
    QProgressBar* m_progress = nullptr;
    QListWidget* m_undoList = nullptr;
    QListWidget* m_redoList = nullptr;
    QLabel* m_undoCaption = nullptr;
    QLabel* m_redoCaption = nullptr;
    QWidget* m_helpWindow = nullptr;
};

// The tooltip and the status-bar text of a hint: the parts before and after "|"; a
// hint without "|" serves as both.
QString ShortHint(const QString& hint);
QString LongHint(const QString& hint);

} // namespace lumivar
