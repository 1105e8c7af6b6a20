#pragma once
// What the frame window asks of a project window: its document and history, opening
// and saving, and the facts the command states depend on. The frame routes its
// commands through this interface, so that the project window proper can take the
// place of the temporary one without changes to the frame.

#include "project/ProjectDocument.h"
#include "project/UndoRedoList.h"

#include <QString>
#include <QWidget>

namespace lumivar {

class ProjectWindowBase : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

    virtual ProjectDocument& Document() = 0;
    virtual TUndoRedoList& History() = 0;

    // Reads the file into this window; false (after telling the user) when it failed.
    virtual bool OpenProject(const QString& path) = 0;
    // Writes the document, through the save dialog when askName or when it has no file
    // name yet; false when cancelled or failed.
    virtual bool SaveProject(bool askName) = 0;
    // The document changed under the window (undo, redo): show it again.
    virtual void DocumentReplaced(const HistoryChange& change) = 0;

    // The room has a length, width and height, so its plan can be shown.
    bool RoomOK()
    {
        return Document().ProjectData.Length != 0 && Document().ProjectData.Width != 0 &&
               Document().ProjectData.Height != 0;
    }
    // The last calculation's results are valid.
    bool ResultsValid()
    {
        const auto& r = Document().ProjectData.Results;
        return r.DirectDone != 0 && r.IndirectDone != 0;
    }

signals:
    // The document changed: the frame recomputes its command states.
    void Changed();
    // The window closed for good; carries the file it held (empty when none).
    void Closed(const QString& fileName);
};

} // namespace lumivar
