// The Lumivar desktop program.

#include "app/Main.h"
#include "app/FileTypeRegistration.h"
#include "app/SplashWindow.h"
#include "app/StartupRules.h"
#include "app/ToolkitTranslator.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavik Lumivar"));
    // The program speaks Portuguese; Qt's own buttons and dialogs should too.
    lumivar::ToolkitTranslator toolkitTexts;
    if (toolkitTexts.Load())
        QApplication::installTranslator(&toolkitTexts);
    // The start-up picture comes first and is painted at once.
    auto* splash = new lumivar::SplashWindow;
    splash->show();
    QApplication::processEvents();

    QStringList parameters = QApplication::arguments();
    parameters.removeFirst();

    std::vector<std::string> stdParameters;
    for (const QString& p : parameters)
        stdParameters.push_back(p.toStdString());
    if (lumivar::IsRegisterOnlyCommand(stdParameters)) {
        const auto registered = lumivar::RegisterFileType(QApplication::applicationFilePath().toStdString());
        delete splash;
        return registered ? 0 : 1;
    }

    lumivar::TMainForm frame(parameters);
    frame.show();
    splash->SetClosable(true);
    return QApplication::exec();
}
