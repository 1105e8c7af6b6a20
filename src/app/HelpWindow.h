#pragma once
// The program's help: a window over the HTML topics shipped in the "help" folder.

#include <QDialog>

class QTextBrowser;

namespace lumivar {

class HelpWindow : public QDialog {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the contents, or the part of them named `topic` (an anchor).
    void ShowTopic(const QString& topic);

    // The folder holding the help topics; empty when none was found.
    static QString HelpFolder();

private:
    QTextBrowser* m_browser = nullptr;
};

} // namespace lumivar
