#pragma once
// TEMPORARY project window, in place until the project window with its data, plan,
// summary and result pages lands: holds one project, shows a summary of it (room,
// references, placed luminaires, last results), saves it and asks before closing
// a modified project.

#include "app/ProjectWindowBase.h"

#include <functional>

class QTextBrowser;

namespace lumivar {

class ProjectHostWindow final : public ProjectWindowBase {
    Q_OBJECT

public:
    // Asks for the path to save to: parent, start path. Empty when cancelled.
    using SavePathChooser = std::function<QString(QWidget* parent, const QString& start)>;

    // A new project with the preferences' defaults; `projectsFolder` is where save
    // dialogs start and is updated by them (the frame's ProjectsFolder, not owned).
    ProjectHostWindow(QString* projectsFolder, QWidget* parent = nullptr);

    ProjectDocument& Document() override { return m_document; }
    TUndoRedoList& History() override { return m_history; }
    bool OpenProject(const QString& path) override;
    bool SaveProject(bool askName) override;
    void DocumentReplaced(const HistoryChange& change) override;

    // Starts the history of a new project captioned `caption`.
    void StartNew(const QString& caption);

    void SetSavePathChooser(SavePathChooser chooser) { m_chooseSavePath = std::move(chooser); }

    // Shows the document again.
    void ShowDocument();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool CloseQuery();

    ProjectDocument m_document;
    TUndoRedoList m_history{m_document};
    QString* m_projectsFolder;
    SavePathChooser m_chooseSavePath;
    QTextBrowser* m_view = nullptr;
};

// The caption of a project window holding `path`: the file name without folder and extension.
QString ProjectCaption(const QString& path);

} // namespace lumivar
