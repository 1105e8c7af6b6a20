// The project window offscreen: the data page's checks and edit mode, applying and
// cancelling edits, the calculation in its worker, and the close query.

#include "app/PreferencesStore.h"
#include "calc/DirectCalculation.h"
#include "graphics/PlanWidget.h"
#include "project/ChildWin.h"
#include "project/ProjectFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace lumivar;

namespace {

QString SamplePath()
{
    return QFINDTESTDATA("../../data/samples/Escritorio.prj");
}

// A window whose messages and questions are recorded instead of shown.
struct Harness {
    TProjMDIChild Window;
    QStringList Warnings;
    QMessageBox::StandardButton Answer = QMessageBox::Cancel;
    QStringList Questions;
    QString SaveName;

    Harness()
    {
        Window.ShowWarning = [this](const QString& text) { Warnings << text; };
        Window.ShowInformation = [this](const QString& text) { Warnings << text; };
        Window.AskSaveChanges = [this](const QString& question) {
            Questions << question;
            return Answer;
        };
        Window.AskSaveName = [this](const QString&) { return SaveName; };
        Window.resize(900, 700);
    }

    template <typename T> T* Field(const char* name) { return Window.findChild<T*>(QString::fromLatin1(name)); }
    QDoubleSpinBox* Number(const char* name) { return Field<QDoubleSpinBox>(name); }
    QSpinBox* Whole(const char* name) { return Field<QSpinBox>(name); }
    void ClickOk() { QTest::mouseClick(Field<QPushButton>("OkBtn"), Qt::LeftButton); }
    void ClickCancel() { QTest::mouseClick(Field<QPushButton>("CancelaBtn"), Qt::LeftButton); }

    bool Open() { return Window.OpenProject(SamplePath()); }

    bool Calculate()
    {
        QSignalSpy finished(&Window, &TProjMDIChild::CalculationFinished);
        if (!Window.RunCalculation())
            return false;
        if (!finished.wait(120000))
            return false;
        return finished.constFirst().constFirst().toBool();
    }
};

} // namespace

class ProjectWindowTest : public QObject {
    Q_OBJECT

private slots:
    void ChecksRunInOrderAndKeepEditMode_data();
    void ChecksRunInOrderAndKeepEditMode();
    void CancelRestoresFieldsObservationsAndPhoto();
    void ApplyInvalidatesOnlyWhenACalculationInputChanged();
    void CalculationStoresResultsThatUndoAndRedoKeep();
    void CancelledCalculationLeavesResultsAsTheyWere();
    void CloseQueryAnswers_data();
    void CloseQueryAnswers();
    void PhotoOfAnUnknownKindIsKeptByteForByte();
    void PlacementInTheFrame();
    void PlanKeysAreRecordedInTheHistory();
    void ZoomScalesThePlanAndKeepsTheScrollPlace();
    void ClosingItsFrameWindowAsksAndStoresTheState();
    void PageMenuFollowsThePage();
};

void ProjectWindowTest::ChecksRunInOrderAndKeepEditMode_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("planeHeight");
    QTest::addColumn<double>("margin");
    QTest::addColumn<bool>("workArea");
    QTest::addColumn<QList<double>>("corners"); // X1, Y1, X2, Y2
    QTest::addColumn<QString>("message");

    const QList<double> inside{1, 1, 4, 3};
    QTest::newRow("valid") << 5.0 << 0.8 << 0.5 << false << inside << QString();
    QTest::newRow("width above length, plane too")
        << 10.5 << 3.0 << 0.5 << false << inside << QStringLiteral("O comprimento é menor que a largura!");
    QTest::newRow("plane at room height") << 5.0 << 3.0 << 0.5 << false << inside
                                          << QStringLiteral("A altura é menor que a altura do plano de trabalho!");
    QTest::newRow("margin 40 % of width") << 5.0 << 0.8 << 2.0 << false << inside << QString();
    QTest::newRow("margin 1 mm more") << 5.0 << 0.8 << 2.001 << false << inside
                                      << QStringLiteral("A margem é maior que 40% da largura!");
    QTest::newRow("margin over length") << 10.0 << 0.8 << 4.5 << false << inside
                                        << QStringLiteral("A margem é maior que 40% do comprimento!");
    QTest::newRow("corners unchecked without work area")
        << 5.0 << 0.8 << 0.5 << false << QList<double>{20, 1, 4, 3} << QString();
    QTest::newRow("X1") << 5.0 << 0.8 << 0.5 << true << QList<double>{11, 1, 12, 3}
                        << QStringLiteral("O valor X1 do local de trabalho é maior que o comprimento!");
    QTest::newRow("X2") << 5.0 << 0.8 << 0.5 << true << QList<double>{1, 1, 11, 3}
                        << QStringLiteral("O valor X2 do local de trabalho é maior que o comprimento!");
    QTest::newRow("X1 > X2") << 5.0 << 0.8 << 0.5 << true << QList<double>{5, 1, 4, 3}
                             << QStringLiteral("O valor X1 do local de trabalho é maior que o X2!");
    QTest::newRow("Y1") << 5.0 << 0.8 << 0.5 << true << QList<double>{1, 6, 4, 7}
                        << QStringLiteral("O valor Y1 do local de trabalho é maior que a largura!");
    QTest::newRow("Y2") << 5.0 << 0.8 << 0.5 << true << QList<double>{1, 1, 4, 6}
                        << QStringLiteral("O valor Y2 do local de trabalho é maior que a largura!");
    QTest::newRow("Y1 > Y2") << 5.0 << 0.8 << 0.5 << true << QList<double>{1, 4, 4, 3}
                             << QStringLiteral("O valor Y1 do local de trabalho é maior que o Y2!");
}

void ProjectWindowTest::ChecksRunInOrderAndKeepEditMode()
{
    QFETCH(double, width);
    QFETCH(double, planeHeight);
    QFETCH(double, margin);
    QFETCH(bool, workArea);
    QFETCH(QList<double>, corners);
    QFETCH(QString, message);

    Harness h;
    h.Window.show();
    QVERIFY(!h.Window.IsEditing());
    h.Number("neComprimento")->setValue(10);
    QVERIFY(h.Window.IsEditing());
    QVERIFY(h.Field<QWidget>("ButtonBar")->isVisible());
    QVERIFY(!h.Window.PageEnabled(TProjMDIChild::PlanPage));
    h.Number("neLargura")->setValue(width);
    h.Number("neAltura")->setValue(3);
    h.Number("nePlanoTrabalho")->setValue(planeHeight);
    h.Number("neMargem")->setValue(margin);
    h.Field<QCheckBox>("cbLocalTrabalho")->setChecked(workArea);
    h.Number("neX1")->setValue(corners[0]);
    h.Number("neY1")->setValue(corners[1]);
    h.Number("neX2")->setValue(corners[2]);
    h.Number("neY2")->setValue(corners[3]);
    h.ClickOk();

    if (message.isEmpty()) {
        QVERIFY2(h.Warnings.isEmpty(), qPrintable(h.Warnings.join('\n')));
        QVERIFY(!h.Window.IsEditing());
        QVERIFY(!h.Field<QWidget>("ButtonBar")->isVisible());
        QCOMPARE(h.Window.Document().ProjectData.Width, float(width));
        QVERIFY(h.Window.PageVisible(TProjMDIChild::PlanPage));
        QVERIFY(h.Window.PageEnabled(TProjMDIChild::PlanPage));
        QCOMPARE(h.Window.UndoLabels(), QStringList{QStringLiteral("Dados")});
    } else {
        QCOMPARE(h.Warnings, QStringList{message});
        QVERIFY(h.Window.IsEditing());
        QVERIFY(h.Field<QWidget>("ButtonBar")->isVisible());
        QCOMPARE(h.Window.Document().ProjectData.Length, 0.0f); // nothing taken yet
        QVERIFY(!h.Window.CanUndo());
    }
}

void ProjectWindowTest::CancelRestoresFieldsObservationsAndPhoto()
{
    Harness h;
    QVERIFY(h.Open());
    const ProjectDocument& current = h.Window.Document();
    const TDadosProjecto beforeData = current.ProjectData;
    const std::string beforeNotes = current.Observations;
    const ProjectPhoto beforePhoto = current.Photo;
    const QString shownName = h.Field<QLineEdit>("edProjecto")->text();
    const QString shownNotes = h.Field<QPlainTextEdit>("mmObservacoes")->toPlainText();
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("foto.bmp"));
    QImage(8, 6, QImage::Format_RGB32).save(picture);
    h.Window.AskPhotoFile = [&] { return picture; };

    h.Field<QLineEdit>("edProjecto")->setText(QStringLiteral("Outro nome"));
    h.Number("neLargura")->setValue(7.25);
    h.Whole("neReflexao4")->setValue(10);
    h.Field<QCheckBox>("cbLocalTrabalho")->toggle();
    h.Field<QPlainTextEdit>("mmObservacoes")->setPlainText(QStringLiteral("Notas novas"));
    QTest::mouseDClick(h.Field<QWidget>("imFoto"), Qt::LeftButton);
    QVERIFY(h.Window.IsEditing());
    h.ClickCancel();

    QVERIFY(!h.Window.IsEditing());
    QCOMPARE(h.Field<QLineEdit>("edProjecto")->text(), shownName);
    QCOMPARE(h.Number("neLargura")->value(), double(beforeData.Width));
    QCOMPARE(h.Whole("neReflexao4")->value(), int(beforeData.Reflectance[4]));
    QCOMPARE(h.Field<QCheckBox>("cbLocalTrabalho")->isChecked(), beforeData.WorkArea != 0);
    QCOMPARE(h.Field<QPlainTextEdit>("mmObservacoes")->toPlainText(), shownNotes);
    QVERIFY(h.Window.Document().ProjectData == beforeData);
    QVERIFY(!h.Window.CanUndo());

    // A later edit applies the restored photo, not the one read and cancelled.
    h.Field<QLineEdit>("edEspaco")->setText(QStringLiteral("Sala 2"));
    h.ClickOk();
    QVERIFY(h.Window.Document().Photo == beforePhoto);
    QCOMPARE(h.Window.Document().Observations, beforeNotes);
}

void ProjectWindowTest::ApplyInvalidatesOnlyWhenACalculationInputChanged()
{
    Harness h;
    QVERIFY(h.Open());
    QVERIFY(h.Calculate());
    QVERIFY(h.Window.HasValidResults());
    const TResultadosCalculo results = h.Window.Document().ProjectData.Results;

    h.Field<QLineEdit>("edProjecto")->setText(QStringLiteral("Só o nome muda"));
    h.ClickOk();
    QVERIFY(h.Window.HasValidResults());
    QVERIFY(h.Window.Document().ProjectData.Results == results);
    QVERIFY(h.Window.PageVisible(TProjMDIChild::SummaryPage));

    h.Whole("neReflexao0")->setValue(h.Whole("neReflexao0")->value() + 5);
    h.ClickOk();
    QVERIFY(!h.Window.HasValidResults());
    for (auto page : {TProjMDIChild::SummaryPage, TProjMDIChild::ResultsPage, TProjMDIChild::CostsPage})
        QVERIFY(!h.Window.PageVisible(page));
    QCOMPARE(h.Window.UndoLabels(), (QStringList{QStringLiteral("Dados"), QStringLiteral("Dados")}));
}

void ProjectWindowTest::CalculationStoresResultsThatUndoAndRedoKeep()
{
    Harness h;
    QVERIFY(h.Open());
    QVERIFY(!h.Window.Document().Modified);
    QVERIFY(!h.Window.HasValidResults());
    QVERIFY(h.Calculate());

    // The same numbers as the engine's calculation of the file.
    auto read = ReadProjectFile(SamplePath().toStdString(), ProjectDefaults{}, 0);
    QVERIFY(read.Ok());
    TDadosProjecto expected = read->Document.ProjectData;
    QVERIFY(CalculateIlluminances(expected, read->Document.Luminaires).Ok());
    QVERIFY(h.Window.Document().ProjectData.Results == expected.Results);
    QVERIFY(h.Window.Document().Modified);
    QCOMPARE(h.Window.CurrentPage(), TProjMDIChild::SummaryPage);
    const QTreeWidgetItem* plane = h.Window.SummaryList()->topLevelItem(6);
    const TResultadoSuperficie& s = expected.Results.Surfaces[WorkPlane];
    QCOMPARE(plane->text(1), QString::number(s.Average + s.Indirect, 'f', 1));
    QVERIFY(plane->text(4).startsWith(QStringLiteral("1:")));
    QVERIFY(h.Window.SummaryList()->topLevelItem(8)->text(2).endsWith(QStringLiteral(" m")));

    // An edit that keeps the results, undone and redone: the results stay, as the
    // calculation was stored into the history entry it ran on.
    h.Field<QLineEdit>("edNumero")->setText(QStringLiteral("2026/015"));
    h.ClickOk();
    h.Window.Undo();
    QVERIFY(h.Window.HasValidResults());
    QVERIFY(h.Window.Document().ProjectData.Results == expected.Results);
    h.Window.Redo();
    QVERIFY(h.Window.HasValidResults());
    QCOMPARE(h.Field<QLineEdit>("edNumero")->text(), QStringLiteral("2026/015"));
}

void ProjectWindowTest::CancelledCalculationLeavesResultsAsTheyWere()
{
    Harness h;
    QVERIFY(h.Open());
    QVERIFY(h.Calculate());
    h.Window.Document().Modified = false;
    const TDadosProjecto before = h.Window.Document().ProjectData;

    QSignalSpy finished(&h.Window, &TProjMDIChild::CalculationFinished);
    QVERIFY(h.Window.RunCalculation());
    QVERIFY(!h.Window.PageEnabled(TProjMDIChild::DataPage));
    QTest::keyClick(&h.Window, Qt::Key_Escape);
    QVERIFY(finished.wait(120000));
    QCOMPARE(finished.constFirst().constFirst().toBool(), false);
    QVERIFY(h.Warnings.isEmpty());
    QVERIFY(h.Window.Document().ProjectData == before);
    QVERIFY(!h.Window.Document().Modified);
    QVERIFY(h.Window.PageEnabled(TProjMDIChild::DataPage));
    QVERIFY(!QApplication::overrideCursor());

    // A window destroyed while calculating stops its worker and gives the cursor back.
    auto* closing = new TProjMDIChild;
    QVERIFY(closing->OpenProject(SamplePath()));
    QVERIFY(closing->RunCalculation());
    delete closing;
    QVERIFY(!QApplication::overrideCursor());
}

void ProjectWindowTest::CloseQueryAnswers_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("named"); // the save dialog returns a name
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saved");
    QTest::newRow("yes saves and closes") << int(QMessageBox::Yes) << true << true << true;
    QTest::newRow("yes, save dialog cancelled") << int(QMessageBox::Yes) << false << false << false;
    QTest::newRow("no discards") << int(QMessageBox::No) << true << true << false;
    QTest::newRow("cancel keeps the window") << int(QMessageBox::Cancel) << true << false << false;
}

void ProjectWindowTest::CloseQueryAnswers()
{
    QFETCH(int, answer);
    QFETCH(bool, named);
    QFETCH(bool, closes);
    QFETCH(bool, saved);

    Harness h;
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("Sala.prj"));
    h.Answer = QMessageBox::StandardButton(answer);
    h.SaveName = named ? target : QString();

    QVERIFY(h.Window.CloseQuery()); // unmodified: no question
    QVERIFY(h.Questions.isEmpty());

    h.Number("neComprimento")->setValue(8);
    h.Number("neLargura")->setValue(4);
    h.Number("neAltura")->setValue(3);
    h.ClickOk();
    QVERIFY(h.Window.Document().Modified);
    QCOMPARE(h.Window.CloseQuery(), closes);
    QCOMPARE(h.Questions, QStringList{QStringLiteral("Este projecto ainda não foi gravado!   Gostaria de o gravar?")});
    QCOMPARE(QFile::exists(target), saved);
    QCOMPARE(h.Window.Document().Modified, !saved);
    if (!saved)
        return;
    QCOMPARE(h.Window.windowTitle(), QStringLiteral("Sala"));
    auto read = ReadProjectFile(target.toStdString(), ProjectDefaults{}, 0);
    QVERIFY(read.Ok());
    QCOMPARE(read->Document.ProjectData.Length, 8.0f);

    // A named project asks with its path, and saves without the dialog.
    h.Number("neAltura")->setValue(3.5);
    h.ClickOk();
    h.Questions.clear();
    h.SaveName.clear();
    QVERIFY(h.Window.CloseQuery());
    QCOMPARE(h.Questions.size(), 1);
    QVERIFY(h.Questions.constFirst().contains(h.Window.FileName()));
    QCOMPARE(ReadProjectFile(target.toStdString(), ProjectDefaults{}, 0)->Document.ProjectData.Height, 3.5f);
}

void ProjectWindowTest::PhotoOfAnUnknownKindIsKeptByteForByte()
{
    QTemporaryDir dir;
    auto read = ReadProjectFile(SamplePath().toStdString(), ProjectDefaults{}, 0);
    QVERIFY(read.Ok());
    ProjectDocument& doc = read->Document;
    doc.Photo.Kind = "TPngObject";
    doc.Photo.Data = {1, 2, 3, 250, 0, 7};
    const QString source = dir.filePath(QStringLiteral("foto.prj"));
    QVERIFY(SaveProjectFile(doc, source.toStdString()).Ok());

    Harness h;
    QVERIFY(h.Window.OpenProject(source));
    h.Field<QLineEdit>("edProjecto")->setText(QStringLiteral("Com foto"));
    h.ClickOk();
    h.SaveName = dir.filePath(QStringLiteral("copia.prj"));
    QVERIFY(h.Window.SaveProject(true));
    auto copy = ReadProjectFile(h.SaveName.toStdString(), ProjectDefaults{}, 0);
    QVERIFY(copy.Ok());
    QVERIFY(copy->Document.Photo == doc.Photo);
}

void ProjectWindowTest::PlacementInTheFrame()
{
    QCOMPARE(TProjMDIChild::Placement(1, QSize(800, 600)), QRect(5, 5, 785, 510));
    QCOMPARE(TProjMDIChild::Placement(3, QSize(800, 600)), QRect(25, 25, 765, 490));
}

void ProjectWindowTest::PlanKeysAreRecordedInTheHistory()
{
    Harness h;
    QVERIFY(h.Open());
    QVERIFY(h.Calculate());
    h.Window.show();
    h.Window.ShowPage(TProjMDIChild::PlanPage);
    PlanWidget* plan = h.Window.Plan();
    const std::size_t placed = h.Window.Document().Luminaires.size();

    plan->Plan().SelectAll();
    QTest::keyClick(plan, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(h.Window.Document().Luminaires.size(), 2 * placed);
    QTest::keyClick(plan, Qt::Key_Delete);
    QCOMPARE(h.Window.UndoLabels(),
             (QStringList{QStringLiteral("Luminárias: apagar"), QStringLiteral("Luminárias: duplicar")}));
    QVERIFY(!h.Window.HasValidResults());
    QVERIFY(!h.Window.PageVisible(TProjMDIChild::SummaryPage));

    // Back to the state the calculation ran on: its results come back with it.
    h.Window.UndoSteps(2);
    QCOMPARE(h.Window.Document().Luminaires.size(), placed);
    QCOMPARE(int(plan->Plan().Luminaires().size()), int(placed));
    QVERIFY(h.Window.HasValidResults());
    QVERIFY(h.Window.PageVisible(TProjMDIChild::SummaryPage));
    h.Window.Redo();
    QCOMPARE(h.Window.Document().Luminaires.size(), 2 * placed);
    QVERIFY(!h.Window.HasValidResults());
}

void ProjectWindowTest::ZoomScalesThePlanAndKeepsTheScrollPlace()
{
    Harness h;
    QVERIFY(h.Open());
    h.Window.show();
    h.Window.ShowPage(TProjMDIChild::PlanPage);
    QVERIFY(h.Window.ZoomControlsEnabled());
    PlanWidget* plan = h.Window.Plan();
    auto* scroll = qobject_cast<QScrollArea*>(plan->parentWidget()->parentWidget());
    QVERIFY(scroll);

    h.Window.SetZoomActive(true);
    const QSize fitted = plan->size();
    h.Window.SetZoomPercent(300);
    QVERIFY(qAbs(plan->width() - 3 * fitted.width()) <= 1);
    QVERIFY(qAbs(plan->height() - 3 * fitted.height()) <= 1);

    QScrollBar* bar = scroll->horizontalScrollBar();
    QVERIFY(bar->maximum() > 0);
    bar->setValue(bar->maximum() / 2);
    h.Window.resize(h.Window.width() + 200, h.Window.height() + 100);
    QApplication::processEvents();
    h.Window.FitPlan();
    QVERIFY(qAbs(double(bar->value()) / bar->maximum() - 0.5) < 0.01);

    h.Window.SetZoomActive(false);
    QCOMPARE(h.Window.ZoomPercent(), 100);
    h.Window.ShowPage(TProjMDIChild::DataPage);
    QVERIFY(!h.Window.ZoomControlsEnabled());
}

void ProjectWindowTest::ClosingItsFrameWindowAsksAndStoresTheState()
{
    QMdiArea area;
    area.resize(800, 600);
    auto* window = new TProjMDIChild;
    QMdiSubWindow* sub = area.addSubWindow(window);
    QPointer<QMdiSubWindow> alive(sub);
    area.show();
    sub->showMaximized();
    QVERIFY(window->OpenProject(SamplePath()));
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    window->AskSaveChanges = [&](const QString&) { return answer; };
    QSignalSpy closed(window, &TProjMDIChild::Closed);
    AppPreferences().ChildWindowState = -1;

    // A data edit not yet applied is not a modification: nothing is asked.
    window->findChild<QLineEdit*>(QStringLiteral("edProjecto"))->setText(QStringLiteral("Sem aplicar"));
    QVERIFY(window->IsEditing());
    window->Document().Modified = true;
    QVERIFY(!sub->close()); // Cancel keeps it
    QVERIFY(closed.isEmpty());
    answer = QMessageBox::No;
    QVERIFY(sub->close());
    QCOMPARE(closed.size(), 1);
    QCOMPARE(closed.constFirst().constFirst().toString(), QDir::cleanPath(QFileInfo(SamplePath()).absoluteFilePath()));
    QCOMPARE(AppPreferences().ChildWindowState, 2);
}

void ProjectWindowTest::PageMenuFollowsThePage()
{
    Harness h;
    QVERIFY(h.Open());
    QVERIFY(h.Calculate());
    const auto visibleTexts = [&] {
        QStringList texts;
        for (QAction* a : h.Window.PageMenu()->actions())
            if (a->isVisible() && !a->isSeparator())
                texts << a->text() + (a->isEnabled() ? QString() : QStringLiteral(" (off)"));
        return texts;
    };
    h.Window.ShowPage(TProjMDIChild::SummaryPage);
    QCOMPARE(visibleTexts(), (QStringList{QStringLiteral("Ver A&ntes"), QStringLiteral("&Imprimir página")}));
    QCOMPARE(h.Window.CurrentPageSheet(), 1);
    h.Window.ShowPage(TProjMDIChild::ResultsPage);
    QCOMPARE(visibleTexts().size(), 7);
    QVERIFY(visibleTexts().constLast().endsWith(QStringLiteral("(off)")));
    h.Window.ShowPage(TProjMDIChild::CostsPage);
    QCOMPARE(h.Window.CurrentPageSheet(), 20);
}

QTEST_MAIN(ProjectWindowTest)
#include "ProjectWindowTest.moc"
