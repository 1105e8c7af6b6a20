// The luminaire references dialog over a small project: button states, removal with
// its confirmation, sorting that keeps rows tied to their references, the lamp
// catalogue and ballast pick lists, adding from a file and the page captions.

#include "photometry/DescriptionCatalogue.h"
#include "photometry/UnLumDlg.h"
#include "support/PhotometryWriters.h"

#include <QApplication>
#include <QDoubleSpinBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace lumivar {

namespace {

std::unique_ptr<TRefLuminaria> Reference(const char* name, const char* base, int power, const char* code, bool ugr)
{
    auto ref = std::make_unique<TRefLuminaria>();
    ref->Data.Reference = name;
    ref->Data.LampKindCount = 1;
    ref->Data.LampBase[0] = base;
    ref->Data.LampPower[0] = power;
    ref->Data.LampCode[0] = code;
    ref->Data.LampCount[0] = 2;
    ref->Data.LampFlux[0] = 1000;
    ref->Data.Efficiency = 60;
    ref->SetCostDefaults();
    if (ugr)
        for (auto& row : ref->UGRTable)
            row.fill(18.5f);
    return ref;
}

// References "C-ref" (no UGR table), "A-ref" (G13 36 W) and "B-ref" (G5 14 W), with
// luminaires placed from C, A, B, A.
ProjectDocument Project()
{
    ProjectDocument doc;
    doc.LuminaireRefs.push_back(Reference("C-ref", "BASE G13", 58, "158", false));
    doc.LuminaireRefs.push_back(Reference("A-ref", "BASE G13", 36, "236", true));
    doc.LuminaireRefs.push_back(Reference("B-ref", "BASE G5", 14, "214", true));
    for (int index : {0, 1, 2, 1}) {
        TObjectoLuminaria l;
        l.RefIndex = index;
        l.Attach(doc.LuminaireRefs, index);
        doc.LuminaireRefs[std::size_t(index)]->AddUse();
        doc.Luminaires.push_back(l);
    }
    for (std::size_t i = 0; i < doc.Luminaires.size(); ++i)
        doc.Luminaires[i].Number = int(i) + 5;
    return doc;
}

void SelectRows(TLuminDlg& dialog, std::initializer_list<std::size_t> refs)
{
    dialog.dxtlLuminarias->clearSelection();
    for (std::size_t r : refs) {
        for (int row = 0; row < dialog.dxtlLuminarias->model()->rowCount(); ++row)
            if (dialog.ReferenceAtRow(row) == r)
                dialog.dxtlLuminarias->selectionModel()->select(dialog.dxtlLuminarias->model()->index(row, 0),
                                                                QItemSelectionModel::Select |
                                                                    QItemSelectionModel::Rows);
    }
}

// Answers the next message box with `button` and keeps its text.
void AnswerNextBox(QMessageBox::StandardButton button, QString* text)
{
    QTimer::singleShot(0, [button, text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        if (text)
            *text = box->text();
        box->button(button) ? box->button(button)->click() : box->accept();
    });
}

} // namespace

class LuminDlgTest : public QObject {
    Q_OBJECT

private slots:
    void UgrButtonNeedsOneRowWithATable()
    {
        ProjectDocument doc = Project();
        TLuminDlg dialog(doc);
        QVERIFY(!dialog.ValoresUgrBtn->isEnabled());
        SelectRows(dialog, {0}); // all-zero table
        QVERIFY(dialog.PropriedadesBtn->isEnabled());
        QVERIFY(!dialog.ValoresUgrBtn->isEnabled());
        SelectRows(dialog, {1});
        QVERIFY(dialog.ValoresUgrBtn->isEnabled());
        SelectRows(dialog, {1, 2});
        QVERIFY(!dialog.ValoresUgrBtn->isEnabled());
        QVERIFY(!dialog.PropriedadesBtn->isEnabled());
        QVERIFY(dialog.RemoveBtn->isEnabled());
        QVERIFY(!dialog.FichaProdutoBtn->isEnabled());
        QVERIFY(!dialog.FichaProdutoBtn->toolTip().isEmpty());
        SelectRows(dialog, {1});

        dialog.DiagPolarBtn->click();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Diagrama Polar"));
        QCOMPARE(dialog.lbRefPolar->text(), QStringLiteral("A-ref"));
        dialog.CancelPage();

        // The table page: headings, room sizes and values; Esc leads back first.
        dialog.ValoresUgrBtn->click();
        QCOMPARE(dialog.CurrentPage(), int(TLuminDlg::PageUgr));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Valores UGR corrigidos"));
        const QAbstractItemModel* ugr = dialog.sgUGR->model();
        QCOMPARE(ugr->rowCount(), 24);
        QCOMPARE(ugr->columnCount(), 12);
        QCOMPARE(ugr->index(0, 0).data().toString(), QStringLiteral("Índices de Reflexão"));
        QCOMPARE(ugr->index(4, 7).data().toString(), QStringLiteral("Vista longitudinal à(s) lâmpada(s)"));
        QCOMPARE(ugr->index(23, 0).data().toString(), QStringLiteral("12H"));
        QCOMPARE(ugr->index(23, 1).data().toString(), QStringLiteral("8H"));
        QCOMPARE(ugr->index(5, 2).data().toString(), QLocale().toString(18.5, 'f', 1));
        QCOMPARE(dialog.sgUGR->columnSpan(4, 2), 5);
        dialog.show();
        dialog.reject();
        QCOMPARE(dialog.CurrentPage(), int(TLuminDlg::PageReferences));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Referências de Luminárias"));
        QVERIFY(dialog.isVisible());
        dialog.reject();
        QVERIFY(!dialog.isVisible());
        QVERIFY(!dialog.Changed());
    }

    void RemoveAsksThenTakesReferenceAndItsLuminaires()
    {
        ProjectDocument doc = Project();
        TLuminDlg dialog(doc);
        SelectRows(dialog, {1});

        QString text;
        AnswerNextBox(QMessageBox::No, &text);
        dialog.RemoveBtn->click();
        QVERIFY(text.startsWith(QStringLiteral("Deseja mesmo apagar esta(s) Luminária(s) ? ")));
        QVERIFY(text.endsWith(QStringLiteral("Verifique muito bem a sua escolha!")));
        QCOMPARE(doc.LuminaireRefs.size(), std::size_t(3));
        QVERIFY(!dialog.Changed());

        AnswerNextBox(QMessageBox::Yes, nullptr);
        dialog.RemoveBtn->click();
        QCOMPARE(doc.LuminaireRefs.size(), std::size_t(2));
        QCOMPARE(dialog.dxtlLuminarias->model()->rowCount(), 2);
        QCOMPARE(doc.Luminaires.size(), std::size_t(2)); // both A-ref luminaires went
        QCOMPARE(doc.Luminaires[0].Number, 1);
        QCOMPARE(doc.Luminaires[1].Number, 2);
        QCOMPARE(doc.Luminaires[1].RefIndex, 1); // B-ref moved up
        QCOMPARE(doc.Luminaires[1].Ref, doc.LuminaireRefs[1].get());
        QVERIFY(dialog.Changed());
    }

    void SortedRowsStayTiedToTheirReferences()
    {
        ProjectDocument doc = Project();
        TLuminDlg dialog(doc);
        QTableView* grid = dialog.dxtlLuminarias;
        grid->sortByColumn(0, Qt::AscendingOrder);
        QCOMPARE(grid->model()->index(0, 0).data().toString(), QStringLiteral("A-ref"));
        QCOMPARE(grid->model()->index(2, 0).data().toString(), QStringLiteral("C-ref"));
        QCOMPARE(grid->model()->index(1, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(0xDB, 0xE9, 0xF9));
        QVERIFY(!grid->model()->index(0, 0).data(Qt::BackgroundRole).isValid());

        grid->selectRow(0);
        QCOMPARE(dialog.SelectedReferences(), std::vector<std::size_t>{1});
        dialog.PropriedadesBtn->click();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Propriedades da Luminária"));
        QCOMPARE(dialog.edReferencia->text(), QStringLiteral("A-ref"));

        // Picking from the lamp catalogue sets the flux; "Ok" writes it to that reference
        // and its row.
        QVERIFY(dialog.LampChoices(0).contains(QStringLiteral("TL-D 36W/840")));
        dialog.PickLamp(0, QStringLiteral("TL-D 36W/840"));
        dialog.AcceptPage();
        QCOMPARE(dialog.CurrentPage(), int(TLuminDlg::PageReferences));
        QCOMPARE(doc.LuminaireRefs[1]->Data.LampFlux[0], 3350.0);
        QCOMPARE(QString::fromStdString(doc.LuminaireRefs[1]->Data.LampName[0].Text()), QStringLiteral("TL-D 36W/840"));
        QCOMPARE(doc.LuminaireRefs[0]->Data.LampFlux[0], 1000.0);
        QVERIFY(grid->model()->index(0, 1).data().toString().startsWith(QStringLiteral("TL-D 36W/840")));
        QVERIFY(dialog.Changed());

        // Sorting by quantity, descending: A-ref (two luminaires) first.
        grid->sortByColumn(5, Qt::DescendingOrder);
        QCOMPARE(dialog.ReferenceAtRow(0), std::size_t(1));
    }

    void DoubleClickOpensPropertiesOrAdds()
    {
        ProjectDocument doc = Project();
        TLuminDlg dialog(doc);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        int asked = 0;
        dialog.ChooseFile = [&asked](QWidget*) {
            ++asked;
            return QString();
        };
        QWidget* viewport = dialog.dxtlLuminarias->viewport();
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(viewport->width() / 2, viewport->height() - 5));
        QCOMPARE(asked, 1);
        QCOMPARE(dialog.CurrentPage(), int(TLuminDlg::PageReferences));

        const QRect row = dialog.dxtlLuminarias->visualRect(dialog.dxtlLuminarias->model()->index(2, 0));
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, row.center());
        QCOMPARE(asked, 1);
        QCOMPARE(dialog.CurrentPage(), int(TLuminDlg::PageProperties));
        QCOMPARE(dialog.edReferencia->text(), QStringLiteral("B-ref"));
    }

    void PropertiesShowTheProductCatalogueLines()
    {
        ProjectDocument doc = Project();
        // "A-ref" has a full block, "C-ref" a short one, "B-ref" none.
        AppDescriptionCatalogue() = *DescriptionCatalogue::FromBytes(
            R"({\rtf1 [A-ref]\par {\b Fam\'edlia A}\par Cat\'e1logo 2026\tab p. 3\par C\'f3digo 123\par []\par )"
            R"([C-ref]\par curta\par []})");
        TLuminDlg dialog(doc);
        const struct {
            std::size_t ref;
            const char* first;
            const char* second;
        } cases[] = {{1, "Catálogo 2026 p. 3", "Código 123"}, {0, "", "curta"}, {2, "", ""}};
        for (const auto& c : cases) {
            SelectRows(dialog, {c.ref});
            dialog.PropriedadesBtn->click();
            QCOMPARE(dialog.edProduto1->text(), QString::fromUtf8(c.first));
            QCOMPARE(dialog.edProduto2->text(), QString::fromUtf8(c.second));
            dialog.findChild<QPushButton*>(QStringLiteral("PropOkBtnCancela"))->click();
        }
        AppDescriptionCatalogue() = DescriptionCatalogue(); // no catalogue: the lines stay empty
        SelectRows(dialog, {1});
        dialog.PropriedadesBtn->click();
        QVERIFY(dialog.edProduto1->text().isEmpty() && dialog.edProduto2->text().isEmpty());
    }

    void CostsPageOffersTheLampsBallasts()
    {
        ProjectDocument doc = Project();
        TLuminDlg dialog(doc);
        SelectRows(dialog, {2}); // G5: no conventional ballast
        dialog.CustosBtn->click();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Custos da Luminária"));
        QCOMPARE(dialog.BallastChoices(0),
                 (QStringList{QStringLiteral("Electrónico"), QStringLiteral("Elect. Reg. Fluxo")}));
        dialog.PickBallast(0, QStringLiteral("Elect. Reg. Fluxo"));
        dialog.neCustos[0]->setValue(125);
        dialog.AcceptPage();
        const TCustosLuminaria& c = doc.LuminaireRefs[2]->Costs;
        QCOMPARE(int(c.Ballast[0]), 2);
        QCOMPARE(c.Consumption[0], 35.6f);
        QCOMPARE(c.LuminairePrice, 125.0f);
        QVERIFY(!dialog.Changed());
        QVERIFY(dialog.CostsChanged());
        QVERIFY(doc.Modified);

        // Cancel leaves the reference alone.
        dialog.CustosBtn->click();
        dialog.neCustos[0]->setValue(999);
        dialog.reject();
        QCOMPARE(doc.LuminaireRefs[2]->Costs.LuminairePrice, 125.0f);
    }

    void AddReadsTheChosenFileOrSaysItCannot()
    {
        ProjectDocument doc = Project();
        TLuminDlg dialog(doc);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString good = dir.filePath(QStringLiteral("NEW.BDB"));
        TRefLuminaria ref = *Reference("LMV 4136 236 Louvre encastrado", "BASE G13", 36, "236", false);
        ref.GammaCount = 37;
        ref.CPlaneCount = 24;
        const Bytes bytes = WriteBdbFile(ref, BdbSignature("BDB v3.1"));
        QFile file(good);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
        file.close();

        QString chosen = dir.filePath(QStringLiteral("MISSING.BDB"));
        dialog.ChooseFile = [&chosen](QWidget*) { return chosen; };
        QString text;
        AnswerNextBox(QMessageBox::Ok, &text);
        dialog.AdicionaBtn->click();
        QVERIFY(text.startsWith(QStringLiteral("Não foi possível abrir o ficheiro da Luminária!")));
        QCOMPARE(doc.LuminaireRefs.size(), std::size_t(3));
        QVERIFY(!dialog.Changed());

        chosen = good;
        dialog.AdicionaBtn->click();
        QCOMPARE(doc.LuminaireRefs.size(), std::size_t(4));
        QCOMPARE(dialog.SelectedReferences(), std::vector<std::size_t>{3});
        QCOMPARE(dialog.edReferencia->text(), QString()); // properties not opened
        QVERIFY(doc.LuminaireRefs[3]->Costs.Consumption[0] > 0); // cost defaults set
        QVERIFY(dialog.Changed());
        // The new row's name and the headings are shown whole, not cut to "...".
        QTableView* grid = dialog.dxtlLuminarias;
        const QFontMetrics metrics(grid->font());
        QFont headerFont = grid->horizontalHeader()->font();
        headerFont.setBold(true); // as the heading of a selected column is drawn
        const QFontMetrics headerMetrics(headerFont);
        QVERIFY(metrics.horizontalAdvance(QStringLiteral("LMV 4136 236 Louvre encastrado")) < grid->columnWidth(0));
        for (int c = 0; c < grid->model()->columnCount(); ++c) {
            const QString heading = grid->model()->headerData(c, Qt::Horizontal).toString();
            QVERIFY2(headerMetrics.horizontalAdvance(heading) < grid->columnWidth(c), qPrintable(heading));
        }
        // ... and the widened columns still fit the dialog: "Quant." stays in sight.
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(!grid->horizontalScrollBar()->isVisible());
    }
};

} // namespace lumivar

QTEST_MAIN(lumivar::LuminDlgTest)
#include "LuminDlgTest.moc"
