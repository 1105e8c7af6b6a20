#pragma once
// The program's window until the full frame window arrives: opens a project file and
// shows what it holds (room, references, placed luminaires, last results).

#include "project/ProjectDocument.h"

#include <QMainWindow>

class QTextBrowser;

namespace lumivar {

class ProjectSummaryWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit ProjectSummaryWindow(QWidget* parent = nullptr);

    // Reads the file and shows it; on failure shows the reader's message and keeps
    // what was shown before.
    bool OpenProject(const QString& path);

private:
    void ChooseAndOpen();
    void ShowDocument(const ProjectDocument& doc);

    QTextBrowser* m_view = nullptr;
};

} // namespace lumivar
