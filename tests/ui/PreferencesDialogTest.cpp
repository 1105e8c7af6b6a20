// The Preferences dialog: what it shows, the quality and report-type presets, the
// sheet buttons, the folder browsers, Ok, Cancela and Esc, and the file-type button.

#include "app/PreferencesStore.h"
#include "app/UnPrefer.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <set>

using namespace lumivar;

class PreferencesDialogTest : public QObject {
    Q_OBJECT

private:
    template <typename T> static T* Child(QObject& dialog, const char* name)
    {
        T* w = dialog.findChild<T*>(QLatin1String(name));
        if (w == nullptr)
            qFatal("no child %s", name);
        return w;
    }

    static std::set<int> CheckedSheets(QObject& dialog)
    {
        std::set<int> on;
        QListWidget* list = Child<QListWidget>(dialog, "clbFolhas");
        for (int k = 0; k < list->count(); ++k)
            if (list->item(k)->checkState() == Qt::Checked)
                on.insert(k);
        return on;
    }

    static PreferencesStore SampleStore()
    {
        PreferencesStore s = PreferencesStore::Defaults({"/opt/lumivar", ""});
        s.ProjectsFolder = "/home/ana/Projectos/";
        s.PageEndLines = {"Um", "Dois", "Três"};
        s.MaintenanceFactor = 0.8;
        s.Reflectance = {10, 20, 30, 40, 80, 25};
        s.ValuesQuality = 1, s.ValuesPointsX = 20, s.ValuesPointsY = 20;
        s.TonesQuality = 3, s.TonesPointsX = 100, s.TonesPointsY = 90;
        s.ReportType = ReportCustom;
        s.Sheets = SheetPreset(ReportSimple);
        s.Sheets[25] = true; // beyond the list: carried along untouched
        return s;
    }

private slots:
    void showsTheStoreAndOkCopiesEveryField()
    {
        PreferencesStore store = SampleStore();
        TPreferenciasDlg dialog(store);
        QCOMPARE(Child<QLineEdit>(dialog, "edProjectos")->text(), QStringLiteral("/home/ana/Projectos/"));
        QCOMPARE(Child<QPlainTextEdit>(dialog, "meLinhas")->toPlainText(), QStringLiteral("Um\nDois\nTrês"));
        QCOMPARE(Child<QDoubleSpinBox>(dialog, "neFactorManutencao")->value(), 0.8);
        QCOMPARE(Child<QSpinBox>(dialog, "neTecto")->value(), 80);
        QCOMPARE(Child<QSpinBox>(dialog, "nePlanoTrabalho")->value(), 25);
        QCOMPARE(Child<QButtonGroup>(dialog, "rgValores")->checkedId(), 1);
        QCOMPARE(Child<QButtonGroup>(dialog, "rgTonalidades")->checkedId(), 3);
        QCOMPARE(Child<QSpinBox>(dialog, "neTonsY")->value(), 90); // shown as stored, not as a preset
        QCOMPARE(Child<QButtonGroup>(dialog, "rgTipo")->checkedId(), 3);
        QCOMPARE(CheckedSheets(dialog), (std::set<int>{0, 1, 2, 10, 16}));

        Child<QLineEdit>(dialog, "edAparelhos")->setText(QStringLiteral("/dados/aparelhos"));
        Child<QCheckBox>(dialog, "cbLogo")->setChecked(false);
        Child<QPlainTextEdit>(dialog, "meLinhas")->setPlainText(QStringLiteral("Só uma linha"));
        Child<QSpinBox>(dialog, "neIluminancia")->setValue(500);
        Child<QDoubleSpinBox>(dialog, "neFactorManutencao")->setValue(0.95);
        Child<QSpinBox>(dialog, "neParedeC")->setValue(65);
        Child<QDoubleSpinBox>(dialog, "neCotasMin")->setValue(1.25);
        Child<QSpinBox>(dialog, "neQuadParedesY")->setValue(40);
        Child<QSpinBox>(dialog, "ne3DX")->setValue(45);

        QTest::mouseClick(Child<QPushButton>(dialog, "OkBtn"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        PreferencesStore expected = SampleStore();
        expected.ApparatusFolder = "/dados/aparelhos/";
        expected.ShowLogo = false;
        expected.PageEndLines = {"Só uma linha", "", ""}; // missing lines are empty
        expected.Illuminance = 500;
        expected.MaintenanceFactor = 0.95;
        expected.Reflectance[2] = 65;
        expected.DimensionMinimum = 1.25;
        expected.GridDivisions[3] = 40;
        expected.Chart3DPointsX = 45;
        QVERIFY(store == expected);
    }

    void cancelAndEscapeChangeNothing()
    {
        for (const bool escape : {false, true}) {
            PreferencesStore store = SampleStore();
            TPreferenciasDlg dialog(store);
            dialog.show();
            Child<QSpinBox>(dialog, "neIluminancia")->setValue(900);
            Child<QLineEdit>(dialog, "edImagens")->setText(QStringLiteral("/outro/"));
            QTest::mouseClick(Child<QPushButton>(dialog, "btnTodas"), Qt::LeftButton);
            if (escape)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                QTest::mouseClick(Child<QPushButton>(dialog, "CancelaBtn"), Qt::LeftButton);
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QVERIFY(store == SampleStore());
        }
    }

    void qualityPresetsFillBothFieldsAndEditingChoosesFreely()
    {
        struct Case {
            const char *Group, *X, *Y;
            int Quality, Points;
        };
        const Case cases[] = {
            {"rgTonalidades", "neTonsX", "neTonsY", 2, 160},
            {"rgTonalidades", "neTonsX", "neTonsY", 0, 80},
            {"rgValores", "neValoresX", "neValoresY", 2, 30},
            {"rgValores", "neValoresX", "neValoresY", 0, 10},
        };
        for (const Case& c : cases) {
            PreferencesStore store = SampleStore();
            TPreferenciasDlg dialog(store);
            QButtonGroup* group = Child<QButtonGroup>(dialog, c.Group);
            QSpinBox* x = Child<QSpinBox>(dialog, c.X);
            QSpinBox* y = Child<QSpinBox>(dialog, c.Y);

            group->button(c.Quality)->click();
            QCOMPARE(x->value(), c.Points);
            QCOMPARE(y->value(), c.Points);
            QCOMPARE(group->checkedId(), c.Quality); // the preset is not an edit

            group->button(QualityChosen)->click(); // "a escolha..." leaves the fields
            QCOMPARE(x->value(), c.Points);

            group->button(c.Quality)->click();
            y->selectAll();
            QTest::keyClicks(y, QStringLiteral("15"));
            QCOMPARE(y->value(), 15);
            QCOMPARE(group->checkedId(), int(QualityChosen));
        }

        // The rule as a user meets it: "Alta" under "&Tonalidades", then 150 typed.
        PreferencesStore store = SampleStore();
        TPreferenciasDlg dialog(store);
        Child<QButtonGroup>(dialog, "rgTonalidades")->button(QualityHigh)->click();
        QSpinBox* x = Child<QSpinBox>(dialog, "neTonsX");
        x->selectAll();
        QTest::keyClicks(x, QStringLiteral("150"));
        QTest::mouseClick(Child<QPushButton>(dialog, "OkBtn"), Qt::LeftButton);
        QCOMPARE(store.TonesQuality, int(QualityChosen));
        QCOMPARE(store.TonesPointsX, 150);
        QCOMPARE(store.TonesPointsY, 160);
    }

    void reportTypesAndSheetButtons()
    {
        PreferencesStore store = SampleStore();
        TPreferenciasDlg dialog(store);
        QButtonGroup* type = Child<QButtonGroup>(dialog, "rgTipo");
        QListWidget* list = Child<QListWidget>(dialog, "clbFolhas");
        QCOMPARE(list->count(), 21);

        type->button(ReportNormal)->click();
        QCOMPARE(CheckedSheets(dialog), (std::set<int>{0, 1, 2, 4, 10, 16, 18}));
        QCOMPARE(type->checkedId(), int(ReportNormal));

        list->item(3)->setCheckState(Qt::Checked);
        QCOMPARE(CheckedSheets(dialog), (std::set<int>{0, 1, 2, 3, 4, 10, 16, 18}));
        QCOMPARE(type->checkedId(), int(ReportCustom));

        type->button(ReportAdvanced)->click();
        QCOMPARE(CheckedSheets(dialog), (std::set<int>{0, 1, 2, 4, 10, 16, 17, 18, 19, 20}));
        list->item(20)->setCheckState(Qt::Unchecked);
        type->button(ReportCustom)->click(); // shows the flags as they are
        QCOMPARE(CheckedSheets(dialog), (std::set<int>{0, 1, 2, 4, 10, 16, 17, 18, 19}));

        QTest::mouseClick(Child<QPushButton>(dialog, "btnNenhuma"), Qt::LeftButton);
        QVERIFY(CheckedSheets(dialog).empty());
        QCOMPARE(type->checkedId(), int(ReportCustom));

        type->button(ReportSimple)->click();
        QTest::mouseClick(Child<QPushButton>(dialog, "btnTodas"), Qt::LeftButton);
        QCOMPARE(CheckedSheets(dialog).size(), std::size_t(21));
        QCOMPARE(type->checkedId(), int(ReportCustom));

        QTest::mouseClick(Child<QPushButton>(dialog, "OkBtn"), Qt::LeftButton);
        QCOMPARE(store.ReportType, int(ReportCustom));
        for (bool on : store.Sheets) // "T&odas" sets all 31 flags
            QVERIFY(on);
    }

    void normalThenSheetThreeIsStoredAsCustom()
    {
        PreferencesStore store = SampleStore();
        TPreferenciasDlg dialog(store);
        Child<QButtonGroup>(dialog, "rgTipo")->button(ReportNormal)->click();
        Child<QListWidget>(dialog, "clbFolhas")->item(3)->setCheckState(Qt::Checked);
        QTest::mouseClick(Child<QPushButton>(dialog, "OkBtn"), Qt::LeftButton);

        std::array<bool, kReportSheetFlags> expected = SheetPreset(ReportNormal);
        expected[3] = true; // sheet 25 of the store is replaced by the preset's flags
        QVERIFY(store.Sheets == expected);
        QCOMPARE(store.ReportType, int(ReportCustom));
    }

    void folderBrowsersWriteBackWithSeparator()
    {
        PreferencesStore store = SampleStore();
        TPreferenciasDlg dialog(store);
        QString title, prompt, start;
        QString answer = QStringLiteral("/dados/imagens");
        dialog.SetFolderPicker([&](QWidget*, const QString& t, const QString& p, const QString& s) {
            title = t, prompt = p, start = s;
            return answer;
        });
        QLineEdit* edit = Child<QLineEdit>(dialog, "edImagens");
        QTest::mouseClick(Child<QPushButton>(dialog, "btnImagens"), Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("Pastas e Directórios"));
        QCOMPARE(prompt, QStringLiteral("Seleccione a pasta ou directório que contém as imagens dos aparelhos..."));
        QCOMPARE(start, QStringLiteral("/opt/lumivar/Imagens/"));
        QCOMPARE(edit->text(), QStringLiteral("/dados/imagens/"));

        answer.clear(); // cancelled: the edit keeps its folder
        QTest::mouseClick(Child<QPushButton>(dialog, "btnImagens"), Qt::LeftButton);
        QCOMPARE(edit->text(), QStringLiteral("/dados/imagens/"));

        answer = QStringLiteral("/dados/projectos/");
        QTest::mouseClick(Child<QPushButton>(dialog, "btnProjectos"), Qt::LeftButton);
        QCOMPARE(prompt, QStringLiteral("Seleccione a pasta ou directório que contém os ficheiros de projectos..."));
        QCOMPARE(Child<QLineEdit>(dialog, "edProjectos")->text(), QStringLiteral("/dados/projectos/"));
    }

    void fileTypeButtonRegistersForTheUser()
    {
#ifdef Q_OS_WIN
        QSKIP("registers in the registry of the user running the tests");
#endif
        QTemporaryDir temp;
        QVERIFY(temp.isValid());
        const QByteArray oldData = qgetenv("XDG_DATA_HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_DATA_HOME", temp.filePath(QStringLiteral("data")).toUtf8());
        qputenv("XDG_CONFIG_HOME", temp.filePath(QStringLiteral("config")).toUtf8());

        PreferencesStore store = SampleStore();
        TPreferenciasDlg dialog(store);
        QTest::mouseClick(Child<QToolButton>(dialog, "btnRegistar"), Qt::LeftButton);

        QFile desktop(temp.filePath(QStringLiteral("data/applications/lumivar.desktop")));
        QVERIFY(desktop.open(QIODevice::ReadOnly));
        const QString entry = QString::fromUtf8(desktop.readAll());
        QVERIFY(entry.contains(QStringLiteral("Exec=\"") + QCoreApplication::applicationFilePath() +
                               QStringLiteral("\" %f")));
        QVERIFY(QFile::exists(temp.filePath(QStringLiteral("config/mimeapps.list"))));
        QVERIFY(store == SampleStore()); // registering is not a preference

        qputenv("XDG_DATA_HOME", oldData);
        qputenv("XDG_CONFIG_HOME", oldConfig);
    }
};

QTEST_MAIN(PreferencesDialogTest)
#include "PreferencesDialogTest.moc"
