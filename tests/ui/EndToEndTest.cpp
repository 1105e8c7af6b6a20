// The program as a user drives it: start with the sample project, calculate, save
// under a new name, reopen, and compare the stored results with the command line's
// calculation of the same file.

#include "app/Main.h"
#include "app/SettingsBackend.h"
#include "project/ChildWin.h"

#include <QAction>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace lumivar;

namespace {

const QString kSample =
    QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath(QStringLiteral("../../data/samples/Escritorio.prj"));

} // namespace

class EndToEndTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
        SettingsBackend backend;
        backend.Settings().setValue(QStringLiteral("Directorios/Projectos"), m_dir.path() + QStringLiteral("/"));
        backend.Sync();
    }

    void calculateSaveReopenAndCompareWithTheCommandLine()
    {
        const QString saved = m_dir.filePath(QStringLiteral("Calculado.prj"));
        TMainForm frame({kSample});
        frame.show();
        QTRY_VERIFY(frame.ActiveProject() != nullptr);
        TProjMDIChild* project = frame.ActiveProject();
        QVERIFY(!project->HasValidResults());

        QAction* calculate = frame.Action(QStringLiteral("aCalculo"));
        QVERIFY(calculate->isEnabled());
        calculate->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!project->IsCalculating(), 60000);
        QVERIFY(project->HasValidResults());

        project->AskSaveName = [&saved](const QString&) { return saved; };
        QVERIFY(project->SaveProject(true));
        QVERIFY(!project->Document().Modified);

        TProjMDIChild* reopened = frame.NewProjectWindow(saved, false);
        QVERIFY(reopened);
        QVERIFY(reopened->HasValidResults());
        const TResultadosCalculo& ours = reopened->Document().ProjectData.Results;

        QProcess cli;
        cli.start(QStringLiteral(LUMIVAR_CLI), {QStringLiteral("calc"), saved, QStringLiteral("-o"),
                                                m_dir.filePath(QStringLiteral("cli.prj")), QStringLiteral("--json")});
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), 0);
        const QJsonObject theirs = QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
        const QJsonArray surfaces = theirs.value(QStringLiteral("Surfaces")).toArray();
        QCOMPARE(surfaces.size(), 6);
        for (int s = 0; s < 6; ++s) {
            const QJsonObject cliSurface = surfaces.at(s).toObject();
            const TResultadoSuperficie& mine = ours.Surfaces[std::size_t(s)];
            QCOMPARE(cliSurface.value(QStringLiteral("Average")).toDouble(), mine.Average);
            QCOMPARE(cliSurface.value(QStringLiteral("Minimum")).toDouble(), mine.Minimum);
            QCOMPARE(cliSurface.value(QStringLiteral("Maximum")).toDouble(), mine.Maximum);
            QCOMPARE(cliSurface.value(QStringLiteral("Indirect")).toDouble(), mine.Indirect);
            QCOMPARE(cliSurface.value(QStringLiteral("MaxX")).toDouble(), double(mine.MaxX));
            QCOMPARE(cliSurface.value(QStringLiteral("MaxY")).toDouble(), double(mine.MaxY));
        }
        QCOMPARE(theirs.value(QStringLiteral("OverallMaximum")).toDouble(), ours.OverallMaximum);
        QCOMPARE(theirs.value(QStringLiteral("MaxIndirect")).toDouble(), ours.MaxIndirect);
    }
};

QTEST_MAIN(EndToEndTest)
#include "EndToEndTest.moc"
