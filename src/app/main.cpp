// The Lumivar desktop program.

#include "app/ProjectSummaryWindow.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumivar"));
    lumivar::ProjectSummaryWindow window;
    window.show();
    const QStringList args = QApplication::arguments();
    if (args.size() > 1)
        window.OpenProject(args.at(1));
    return QApplication::exec();
}
