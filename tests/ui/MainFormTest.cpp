// The frame window: its commands, their enabling rules, the recent-files list,
// opening from the command line, the undo drop-down, the calculation and the close query.

#include "app/Main.h"
#include "app/SettingsBackend.h"
#include "calc/UnCalAut.h"
#include "graphics/PlanWidget.h"
#include "graphics/UnPlanoE.h"
#include "photometry/UnLumDlg.h"
#include "project/ChildWin.h"
#include "project/UndoRedoList.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

using namespace lumivar;

namespace {

// The shipped sample project, found from this source file.
const QString kSample =
    QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath(QStringLiteral("../../data/samples/Escritorio.prj"));

// Answers the next message box with `button`; records its text.
void AnswerNextMessageBox(QMessageBox::StandardButton button, QString* text = nullptr)
{
    QTimer::singleShot(50, [button, text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        if (text)
            *text = box->text();
        box->button(button)->click();
    });
}

} // namespace

class MainFormTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        // The preferences of these tests live in a folder of their own.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
        SettingsBackend backend;
        backend.Settings().setValue(QStringLiteral("Directorios/Projectos"), m_dir.path() + QStringLiteral("/"));
        backend.Sync();
    }

    void actionsCarryCaptionShortcutAndHint_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<QString>("tooltip");
        QTest::addColumn<QString>("status");
        QTest::newRow("aNovo") << "aNovo"
                               << "&Novo"
                               << "Ctrl+N"
                               << "Novo"
                               << "Cria um novo ficheiro de projecto";
        QTest::newRow("aAbrir") << "aAbrir"
                                << "&Abrir..."
                                << "Ctrl+O"
                                << "Abrir"
                                << "Abrir um ficheiro de projecto já existente";
        QTest::newRow("aGravaComo") << "aGravaComo"
                                    << "Grava &Como..."
                                    << ""
                                    << "Grava o ficheiro de projecto corrente como um ficheiro em..."
                                    << "Grava o ficheiro de projecto corrente como um ficheiro em...";
        QTest::newRow("aRedo") << "aRedo"
                               << "&Repetir"
                               << "Shift+Ctrl+Z"
                               << "Repetir acção"
                               << "Repetir acção";
        QTest::newRow("aCotas") << "aCotas"
                                << "&Cotas dos Aparelhos"
                                << "Ctrl+F5"
                                << "Cotas"
                                << "Visualizar ou não as cotas das luminárias";
        QTest::newRow("aCalculo") << "aCalculo"
                                  << "Cálculo das &Iluminâncias..."
                                  << "F9"
                                  << "Cálculo do projecto"
                                  << "Cálcula os valores médios de iluminância nos vários planos do projecto";
        QTest::newRow("aAjudaConteudo") << "aAjudaConteudo"
                                        << "Conteúdo"
                                        << "F1"
                                        << "Conteudo da ajuda do Lumivar"
                                        << "Conteudo da ajuda do Lumivar";
    }

    void actionsCarryCaptionShortcutAndHint()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        QFETCH(QString, tooltip);
        QFETCH(QString, status);
        TMainForm frame;
        QAction* a = frame.Action(name);
        QVERIFY(a);
        QCOMPARE(a->text(), caption);
        QCOMPARE(a->shortcut(), QKeySequence(shortcut));
        // Commands still to come say so in their tooltip.
        QVERIFY(a->toolTip().startsWith(tooltip));
        QCOMPARE(a->toolTip() == tooltip, !TMainForm::CommandPending(name));
        QCOMPARE(a->statusTip(), status);
    }

    void newProjectsAreNumbered()
    {
        TMainForm frame;
        frame.Action(QStringLiteral("aNovo"))->trigger();
        frame.Action(QStringLiteral("aNovo"))->trigger();
        const auto projects = frame.Projects();
        QCOMPARE(projects.size(), 2);
        QCOMPARE(projects[0]->windowTitle(), QStringLiteral("Projecto de Iluminação 1"));
        QCOMPARE(projects[1]->windowTitle(), QStringLiteral("Projecto de Iluminação 2"));
    }

    void projectBarShowsTheCalculationOnAWideScreen()
    {
        // At 1280 pixels the calculation and the first result commands are on the
        // project bar itself, not behind its extension button.
        TMainForm frame;
        frame.resize(1280, 800);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        frame.Action(QStringLiteral("aNovo"))->trigger();
        auto* bar = frame.findChild<QToolBar*>(QStringLiteral("BarraProjecto"));
        QVERIFY(bar);
        for (const char* name : {"aLuminarias", "aCalAuto", "aCalculo", "aCustos", "aValores"}) {
            QWidget* button = bar->widgetForAction(frame.Action(QString::fromLatin1(name)));
            QVERIFY2(button && button->isVisible(), name);
        }
    }

    void enablingRulesFollowTheActiveProject()
    {
        TMainForm frame;
        const QStringList projectOnly{"aFechar", "aGrava", "aGravaComo", "MCortar", "MCascata"};
        const QStringList needResults{"aValores", "aTons", "a3D", "aCustosComp", "aPrevisao", "aImprimir"};
        const auto allowed = [&frame](const QStringList& names) {
            for (const QString& n : names)
                if (!frame.CommandAllowed(n))
                    return false;
            return true;
        };
        const auto noneAllowed = [&frame](const QStringList& names) {
            for (const QString& n : names)
                if (frame.CommandAllowed(n))
                    return false;
            return true;
        };

        // No project.
        QVERIFY(frame.Action(QStringLiteral("aNovo"))->isEnabled());
        QVERIFY(noneAllowed(projectOnly));
        QVERIFY(noneAllowed(needResults));
        QVERIFY(noneAllowed({"aLuminarias", "aCalculo", "aUndo", "aRedo", "aCotas"}));
        QVERIFY(!frame.Action(QStringLiteral("aFechar"))->isEnabled());
        QVERIFY(!frame.ZoomSlider()->isEnabled());
        QCOMPARE(frame.ZoomLabel()->text(), QStringLiteral("100%"));
        QVERIFY(frame.ProgressBar()->isHidden());

        // A project without valid results.
        TProjMDIChild* project = frame.NewProjectWindow(kSample, false);
        QVERIFY(project);
        QCOMPARE(frame.ActiveProject(), project);
        project->Document().InvalidateResults();
        frame.RefreshCommands();
        QVERIFY(allowed(projectOnly));
        QVERIFY(frame.Action(QStringLiteral("aGrava"))->isEnabled());
        QVERIFY(allowed({"aLuminarias", "aCalAuto", "aMemDescr", "aCalculo"}));
        QVERIFY(frame.Action(QStringLiteral("aCalculo"))->isEnabled());
        QVERIFY(noneAllowed(needResults));

        // No luminaires: nothing to calculate.
        auto luminaires = std::move(project->Document().Luminaires);
        project->Document().Luminaires.clear();
        frame.RefreshCommands();
        QVERIFY(!frame.CommandAllowed(QStringLiteral("aCalculo")));
        project->Document().Luminaires = std::move(luminaires);
        frame.RefreshCommands();

        // The calculation runs through the frame's progress bar; nothing that edits or
        // reads the results is allowed until it ends.
        QSignalSpy finished(project, &TProjMDIChild::CalculationFinished);
        frame.Action(QStringLiteral("aCalculo"))->trigger();
        QVERIFY(project->IsCalculating() || finished.count() == 1);
        if (project->IsCalculating()) {
            QVERIFY(!frame.CommandAllowed(QStringLiteral("aCalculo")));
            QVERIFY(!frame.CommandAllowed(QStringLiteral("aUndo")));
            QVERIFY(noneAllowed(needResults));
        }
        QVERIFY(finished.count() == 1 || finished.wait(120000));
        QCOMPARE(finished.constFirst().constFirst().toBool(), true);
        QVERIFY(frame.ProgressBar()->isHidden());
        QVERIFY(project->HasValidResults());
        QVERIFY(allowed(needResults));
        QVERIFY(frame.CommandAllowed(QStringLiteral("aCalculo")));
        QCOMPARE(frame.ModifiedPanel()->text(), QStringLiteral("Modificado"));
        // The result views themselves are still to come.
        QVERIFY(!frame.Action(QStringLiteral("aValores"))->isEnabled());

        // The last window closes: back to no project.
        project->Document().Modified = false;
        frame.Action(QStringLiteral("aFechar"))->trigger();
        QTRY_VERIFY(frame.Projects().isEmpty());
        QTRY_VERIFY(noneAllowed(projectOnly));
        QVERIFY(noneAllowed(needResults));
    }

    void undoDropDownCountsTheSteps()
    {
        TMainForm frame;
        frame.Action(QStringLiteral("aNovo"))->trigger();
        TProjMDIChild* project = frame.ActiveProject();
        QVERIFY(project);
        const auto before = project->Document().ProjectData.Illuminance;
        for (int i = 0; i < 3; ++i) {
            project->Document().ProjectData.Illuminance = 400 + i;
            project->History().RecordDataApplied();
        }
        frame.RefreshCommands();
        QVERIFY(frame.Action(QStringLiteral("aUndo"))->isEnabled());
        QVERIFY(!frame.Action(QStringLiteral("aRedo"))->isEnabled());

        QToolButton* undoButton = nullptr;
        for (auto* b : frame.findChildren<QToolButton*>())
            if (b->defaultAction() == frame.Action(QStringLiteral("aUndo")))
                undoButton = b;
        QVERIFY(undoButton && undoButton->menu());
        emit undoButton->menu()->aboutToShow();
        auto* list = frame.findChild<QListWidget*>(QStringLiteral("UndoList"));
        auto* caption = frame.findChild<QLabel*>(QStringLiteral("UndoCaption"));
        QCOMPARE(list->count(), 3);
        QCOMPARE(caption->text(), QStringLiteral("Anular 1 Acção"));
        list->setCurrentRow(2);
        QCOMPARE(caption->text(), QStringLiteral("Anular 3 Acções"));
        emit list->itemClicked(list->item(2));
        QCOMPARE(project->Document().ProjectData.Illuminance, before);
        QVERIFY(!frame.Action(QStringLiteral("aUndo"))->isEnabled());
        QVERIFY(frame.Action(QStringLiteral("aRedo"))->isEnabled());
    }

    void zoomControlsFollowThePlanPage()
    {
        TMainForm frame;
        TProjMDIChild* project = frame.NewProjectWindow(kSample, false);
        QVERIFY(project);
        project->ShowPage(TProjMDIChild::DataPage);
        QVERIFY(!frame.ZoomSlider()->isEnabled());
        QVERIFY(!frame.ZoomCheck()->isEnabled());

        project->ShowPage(TProjMDIChild::PlanPage);
        QVERIFY(frame.ZoomSlider()->isEnabled());
        frame.ZoomCheck()->setChecked(true);
        frame.ZoomSlider()->setValue(300);
        QVERIFY(project->ZoomActive());
        QCOMPARE(project->ZoomPercent(), 300);
        QCOMPARE(frame.ZoomLabel()->text(), QStringLiteral("300%"));

        // A second window shows its own zoom; back on the first, the first one's.
        TProjMDIChild* second = frame.NewProjectWindow(QStringLiteral("Outro"), true);
        QVERIFY(second);
        QCOMPARE(frame.ActiveProject(), second);
        QCOMPARE(frame.ZoomSlider()->value(), second->ZoomPercent());
        QCOMPARE(frame.ZoomCheck()->isChecked(), second->ZoomActive());
        frame.MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(project->parentWidget()));
        QCOMPARE(frame.ActiveProject(), project);
        QCOMPARE(frame.ZoomSlider()->value(), 300);
        QVERIFY(frame.ZoomCheck()->isChecked());
        for (TProjMDIChild* p : frame.Projects())
            p->Document().Modified = false;
    }

    // "&Cotas dos Aparelhos" shows and hides the marks of the active plan, and its check
    // mark follows the project.
    void dimensionMarksFromTheFrame()
    {
        TMainForm frame;
        TProjMDIChild* project = frame.NewProjectWindow(kSample, false);
        QVERIFY(project);
        QAction* cotas = frame.Action(QStringLiteral("aCotas"));
        QVERIFY(cotas->isEnabled());
        QVERIFY(!cotas->isChecked());
        cotas->trigger();
        QCOMPARE(project->Document().ShowDimensions, 1);
        QVERIFY(project->Plan()->Plan().ShowDimensions);
        QVERIFY(cotas->isChecked());
        cotas->trigger();
        QCOMPARE(project->Document().ShowDimensions, 0);
        QVERIFY(!cotas->isChecked());
        project->Document().Modified = false;
    }

    void editModeDisablesTheBars()
    {
        TMainForm frame;
        TProjMDIChild* project = frame.NewProjectWindow(QStringLiteral("Novo"), true);
        QVERIFY(project);
        QVERIFY(frame.MainToolBar()->isEnabled());
        project->SetEditMode(true, false);
        QVERIFY(!frame.MainToolBar()->isEnabled());
        QVERIFY(!frame.ProjectToolBar()->isEnabled());
        QVERIFY(!frame.ZoomToolBar()->isEnabled());
        project->CancelEdits();
        QVERIFY(frame.MainToolBar()->isEnabled());
        QVERIFY(frame.ProjectToolBar()->isEnabled());
        project->Document().Modified = false;
    }

    void referencesDialogFromTheFrameAndThePlan()
    {
        TMainForm frame;
        TProjMDIChild* project = frame.NewProjectWindow(kSample, false);
        QVERIFY(project);
        project->ShowPage(TProjMDIChild::DataPage);
        QVERIFY(frame.Action(QStringLiteral("aLuminarias"))->isEnabled());

        // Closing the dialog untouched leaves the project as it was.
        int opened = 0;
        const auto closeDialog = [&opened] {
            auto* dialog = qobject_cast<TLuminDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            // The automatic count and block buttons have their dialogs behind them.
            QVERIFY(dialog->AutoCount && dialog->Block);
            ++opened;
            dialog->reject();
        };
        QTimer::singleShot(0, closeDialog);
        frame.Action(QStringLiteral("aLuminarias"))->trigger();
        QCOMPARE(opened, 1);
        QCOMPARE(project->CurrentPage(), TProjMDIChild::PlanPage);
        QVERIFY(!project->Document().Modified);

        // The plan's own menu item opens the same dialog.
        QAction* planItem = nullptr;
        for (QAction* a : project->Plan()->findChildren<QAction*>())
            if (a->text() == QStringLiteral("&Luminárias..."))
                planItem = a;
        QVERIFY(planItem && planItem->isEnabled());
        QTimer::singleShot(0, closeDialog);
        planItem->trigger();
        QCOMPARE(opened, 2);
    }

    void automaticCountReachesThePlanAndTheHistory()
    {
        TMainForm frame;
        TProjMDIChild* project = frame.NewProjectWindow(kSample, false);
        QVERIFY(project);
        project->ShowPage(TProjMDIChild::DataPage);
        const std::size_t before = project->Document().Luminaires.size();

        // Cancelled: nothing changes.
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<TCalcAuto*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->reject();
        });
        frame.Action(QStringLiteral("aCalAuto"))->trigger();
        QCOMPARE(project->CurrentPage(), TProjMDIChild::PlanPage);
        QCOMPARE(project->Document().Luminaires.size(), before);
        QVERIFY(!project->Document().Modified);

        int proposed = -1;
        QTimer::singleShot(0, [&proposed] {
            auto* dialog = qobject_cast<TCalcAuto*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->cbRefLumin->setCurrentIndex(0);
            proposed = dialog->eCol->value() * dialog->eLin->value();
            QVERIFY(dialog->OkBtn->isEnabled());
            dialog->OkBtn->click();
        });
        frame.Action(QStringLiteral("aCalAuto"))->trigger();
        QVERIFY(proposed > 0);
        QCOMPARE(int(project->Document().Luminaires.size()), proposed);
        // The plan shows the new luminaires, the step can be undone and the old
        // results are gone.
        QCOMPARE(int(project->Plan()->Plan().Luminaires().size()), proposed);
        QVERIFY(frame.Action(QStringLiteral("aUndo"))->isEnabled());
        QVERIFY(!frame.CommandAllowed(QStringLiteral("aValores")));
        QCOMPARE(frame.ModifiedPanel()->text(), QStringLiteral("Modificado"));

        frame.Action(QStringLiteral("aUndo"))->trigger();
        QCOMPARE(project->Document().Luminaires.size(), before);
        QCOMPARE(project->Plan()->Plan().Luminaires().size(), before);
        project->Document().Modified = false;
    }

    void saveAsMovesTheProjectsFolder()
    {
        QTemporaryDir elsewhere;
        TMainForm frame;
        TProjMDIChild* project = frame.NewProjectWindow(QStringLiteral("Novo"), true);
        QVERIFY(project);
        const QString path = elsewhere.filePath(QStringLiteral("Sala.prj"));
        project->AskSaveName = [&path](const QString&) { return path; };
        frame.Action(QStringLiteral("aGravaComo"))->trigger();
        QVERIFY(QFile::exists(path));
        QCOMPARE(project->windowTitle(), QStringLiteral("Sala"));
        QCOMPARE(QDir(frame.ProjectsFolder()), QDir(elsewhere.path()));
        QVERIFY(frame.ModifiedPanel()->text().isEmpty());
    }

    void recentFilesNewestFirstAndFour()
    {
        TMainForm frame;
        for (const char* name : {"a", "b", "c", "d", "e", "b"})
            frame.AddRecentFile(m_dir.filePath(QString::fromLatin1(name) + QStringLiteral(".prj")));
        QStringList captions;
        for (QAction* a : frame.RecentFileActions())
            captions << a->text();
        QCOMPARE(captions, (QStringList{"&1 b", "&2 e", "&3 d", "&4 c"}));
    }

    void commandLineFileOpensOnFirstShow()
    {
        TMainForm frame({kSample});
        frame.show();
        QTRY_COMPARE(frame.Projects().size(), 1);
        QCOMPARE(frame.Projects().constFirst()->windowTitle(), QStringLiteral("Escritorio"));

        // A language option first: the language is taken, nothing opens.
        TMainForm second({QStringLiteral("/I:2"), kSample});
        second.show();
        QTest::qWait(50);
        QVERIFY(second.Projects().isEmpty());
    }

    void closeQueryOfAModifiedProject()
    {
        const QString path = m_dir.filePath(QStringLiteral("Copia.prj"));
        QFile::remove(path);
        QVERIFY(QFile::copy(kSample, path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        const QByteArray original = [&] {
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();

        TMainForm frame;
        TProjMDIChild* project = frame.NewProjectWindow(path, false);
        QVERIFY(project);
        project->Document().ProjectData.Illuminance = 777;
        project->Document().PlanChanged = true;

        // Cancel keeps the window; the plan change counts as a modification.
        QString question;
        AnswerNextMessageBox(QMessageBox::Cancel, &question);
        QVERIFY(!frame.close());
        QVERIFY(question.contains(QStringLiteral("foi modificado")));
        QVERIFY(question.contains(QFileInfo(path).absoluteFilePath()));
        QCOMPARE(frame.Projects().size(), 1);
        QCOMPARE(frame.ModifiedPanel()->text(), QStringLiteral("Modificado"));

        // No closes without saving; the file joins the recent list.
        AnswerNextMessageBox(QMessageBox::No);
        frame.Action(QStringLiteral("aFechar"))->trigger();
        QTRY_VERIFY(frame.Projects().isEmpty());
        QFile unchanged(path);
        QVERIFY(unchanged.open(QIODevice::ReadOnly));
        QCOMPARE(unchanged.readAll(), original);
        QCOMPARE(QString::fromStdString(frame.Recent().Paths().front()), QFileInfo(path).absoluteFilePath());

        // Yes saves before closing.
        project = frame.NewProjectWindow(path, false);
        QVERIFY(project);
        project->Document().ProjectData.Illuminance = 777;
        project->Document().Modified = true;
        AnswerNextMessageBox(QMessageBox::Yes);
        QVERIFY(frame.close());
        TMainForm again;
        TProjMDIChild* reopened = again.NewProjectWindow(path, false);
        QVERIFY(reopened);
        QCOMPARE(reopened->Document().ProjectData.Illuminance, 777);
        QVERIFY(!reopened->Document().Modified);
    }
};

QTEST_MAIN(MainFormTest)
#include "MainFormTest.moc"
