#include "app/HelpWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace lumivar {

QString HelpWindow::HelpFolder()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    const QStringList candidates{QDir(programDir).filePath(QStringLiteral("help")),
                                 QDir(programDir).filePath(QStringLiteral("../share/lumivar/help")),
#ifdef LUMIVAR_HELP_DIR
                                 QStringLiteral(LUMIVAR_HELP_DIR)
#endif
    };
    for (const QString& dir : candidates)
        if (QFileInfo::exists(QDir(dir).filePath(QStringLiteral("index.html"))))
            return QDir(dir).absolutePath();
    return {};
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Ajuda do Lumivar"));
    auto* layout = new QVBoxLayout(this);
    m_browser = new QTextBrowser(this);
    m_browser->setOpenExternalLinks(true);
    layout->addWidget(m_browser);
    resize(640, 520);
}

void HelpWindow::ShowTopic(const QString& topic)
{
    const QString folder = HelpFolder();
    if (folder.isEmpty()) {
        m_browser->setHtml(tr("<p>Os tópicos de ajuda não foram encontrados.</p>"));
    } else {
        QUrl url = QUrl::fromLocalFile(QDir(folder).filePath(QStringLiteral("index.html")));
        if (!topic.isEmpty())
            url.setFragment(topic);
        m_browser->setSource(url);
    }
    show();
    raise();
    activateWindow();
}

} // namespace lumivar
