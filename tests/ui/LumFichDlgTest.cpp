// The luminaire file browser over a folder of its own: the file list, the ".BDB" rule
// for a name without extension, the description and lamps of a readable file, the
// error text of an unreadable one, the picture and a missing data folder.

#include "photometry/LumFichDlg.h"
#include "photometry/LuminaireTexts.h"
#include "support/PhotometryWriters.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace lumivar {

namespace {

void WriteFile(const QString& path, const Bytes& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
}

// Every cell and heading of the view fits its column: nothing is cut to "...".
void CheckNothingClipped(const QTableView& view)
{
    const QAbstractItemModel* model = view.model();
    const QFontMetrics metrics(view.font());
    const QFontMetrics headerMetrics(view.horizontalHeader()->font());
    for (int c = 0; c < model->columnCount(); ++c) {
        const int width = view.columnWidth(c);
        const QString heading = model->headerData(c, Qt::Horizontal).toString();
        QVERIFY2(headerMetrics.horizontalAdvance(heading) < width, qPrintable(heading));
        for (int r = 0; r < model->rowCount(); ++r) {
            const QString text = model->index(r, c).data().toString();
            QVERIFY2(metrics.horizontalAdvance(text) < width, qPrintable(text));
        }
    }
}

} // namespace

class LumFichDlgTest : public QObject {
    Q_OBJECT

private slots:
    void ShowsTheChosenFile()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QDir root(dir.path());
        QVERIFY(root.mkpath(QStringLiteral("dados/Embutir")));
        QVERIFY(root.mkpath(QStringLiteral("imagens")));
        const QString data = root.filePath(QStringLiteral("dados"));

        TRefLuminaria ref;
        ref.Data.Reference = "LX 236";
        ref.Data.Description = "Luminaria de encastrar";
        ref.Data.LampKindCount = 2;
        ref.Data.LampName[0] = "TL-D 36W";
        ref.Data.LampCount[0] = 2;
        ref.Data.LampFlux[0] = 3350;
        ref.Data.LampPower[0] = 36;
        ref.Data.LampBase[0] = "BASE G13";
        ref.Data.LengthC = 1200;
        ref.Data.WidthL = 300;
        ref.Data.HeightA = 90;
        WriteFile(data + QStringLiteral("/LX236.BDB"), WriteBdbFile(ref, BdbSignature("BDB v3.1")));
        WriteFile(data + QStringLiteral("/BROKEN.BDB"), Bytes{'x'});

        const QString pictures = root.filePath(QStringLiteral("imagens"));
        const QString picture = QString::fromStdString(PictureFileName("LX236.BDB", ".jpg"));
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(QDir(pictures).filePath(picture), "JPG"));

        TLumFichDlg browser(data, pictures);
        QVERIFY(browser.FolderError().isEmpty());
        QCOMPARE(browser.windowTitle(), QStringLiteral("Luminárias"));
        QCOMPARE(browser.tvFamilia->topLevelItemCount(), 1);
        QVERIFY(browser.tvFamilia->topLevelItem(0)->isExpanded());
        QCOMPARE(browser.tvFamilia->topLevelItem(0)->childCount(), 1); // "Embutir"
        QCOMPARE(browser.CurrentFolder(), data);
        QAbstractItemModel* files = browser.lvReferencia->model();
        QCOMPARE(files->rowCount(), 2);
        QCOMPARE(files->headerData(1, Qt::Horizontal).toString(), QStringLiteral("bytes"));
        QCOMPARE(files->index(1, 0).data().toString(), QStringLiteral("LX236.BDB"));
        QCOMPARE(files->index(1, 2).data().toString(), QStringLiteral("Ficheiro BDB"));

        // A name without extension is read as its ".BDB" file.
        browser.ChooseFile(QStringLiteral("LX236"));
        QCOMPARE(browser.FileName(), QDir(data).filePath(QStringLiteral("LX236.BDB")));
        const QString text = browser.DescriptionText();
        QVERIFY(text.contains(QStringLiteral("Ref.  LX 236")));
        QVERIFY(text.contains(QStringLiteral("Medidas : 1200 x 300 x 90 mm  (C x L x A)")));
        QCOMPARE(browser.LampRows(), 2);
        const QAbstractItemModel* lamps = browser.dxLampadas->model();
        QCOMPARE(lamps->index(0, 0).data().toString(), QStringLiteral("TL-D 36W   x 2"));
        QCOMPARE(lamps->index(0, 1).data().toString(), QStringLiteral("3350 lm"));
        QCOMPARE(lamps->index(0, 2).data().toString(), QStringLiteral("36 W"));
        QVERIFY(browser.PictureShown());
        CheckNothingClipped(*browser.lvReferencia);
        CheckNothingClipped(*browser.dxLampadas);

        browser.ChooseFile(QStringLiteral("BROKEN.BDB"));
        QVERIFY(browser.DescriptionText().startsWith(QStringLiteral("Erro ao ler a referência!")));
        QVERIFY(browser.DescriptionText().contains(QStringLiteral("BROKEN.BDB")));
        QCOMPARE(browser.LampRows(), 0);
        QVERIFY(!browser.PictureShown());

        // Another folder clears what was shown.
        browser.ChooseFile(QStringLiteral("LX236.BDB"));
        browser.ChooseFolder(root.filePath(QStringLiteral("dados/Embutir")));
        QVERIFY(browser.DescriptionText().isEmpty());
        QCOMPARE(browser.LampRows(), 0);
        QCOMPARE(files->rowCount(), 0);
        QVERIFY(!browser.PictureShown());
        QVERIFY(browser.FileName().isEmpty());
    }

    void MissingDataFolderIsReported()
    {
        QTemporaryDir dir;
        const QString missing = QDir(dir.path()).filePath(QStringLiteral("nada"));
        TLumFichDlg browser(missing, QString());
        QCOMPARE(browser.FolderError(), QStringLiteral("O directório não foi encontrado %1").arg(missing));
        QCOMPARE(browser.tvFamilia->topLevelItemCount(), 0);
    }
};

} // namespace lumivar

QTEST_MAIN(lumivar::LumFichDlgTest)
#include "LumFichDlgTest.moc"
