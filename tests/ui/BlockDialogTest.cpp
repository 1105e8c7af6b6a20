// The block dialog driven through its controls, offscreen: blocks, continuous lines
// and circles as the user composes them, existing luminaires kept on "Ok" and the
// numbering continued.

#include "calc/CalcFixtures.h"
#include "calc/PreviewPanel.h"
#include "calc/UnCaBloc.h"
#include "project/UndoRedoList.h"

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <cmath>

namespace lumivar {

namespace {

// A 10 m x 6 m x 3 m room with a 1.2 m x 0.3 m reference and a round one, and
// three luminaires of the round one numbered 1 to 3.
ProjectDocument Project()
{
    ProjectDocument doc;
    doc.ProjectData = testing::TestRoom();
    auto linear = testing::UniformReference(3000);
    linear->Data.Reference = "Linear";
    linear->Data.LengthC = 1200;
    linear->Data.WidthL = 300;
    doc.LuminaireRefs.push_back(std::move(linear));
    auto round = testing::UniformReference(2000);
    round->Data.Reference = "Downlight";
    round->Data.DiameterD = 250;
    doc.LuminaireRefs.push_back(std::move(round));
    for (int i = 0; i < 3; ++i) {
        TObjectoLuminaria l;
        l.RefIndex = 1;
        l.X = 2.0f + 2.0f * float(i);
        l.Y = 5.5f;
        l.Z = 3;
        l.Number = i + 1;
        doc.AddLuminaire(l);
    }
    doc.ProjectData.Results.DirectDone = 1;
    return doc;
}

struct Dialog {
    ProjectDocument Doc = Project();
    TCalcBloco Dlg;

    Dialog()
    {
        Dlg.SetLuminaires(Doc.Luminaires);
        Dlg.SetReferences(Doc.LuminaireRefs);
        Dlg.SetProject(Doc.ProjectData);
    }
    const std::vector<LayoutPosition>& Group() const { return Dlg.Panel1->Plan().Group; }
};

std::vector<double> Angles(const std::vector<LayoutPosition>& positions)
{
    std::vector<double> angles;
    for (const LayoutPosition& p : positions)
        angles.push_back(p.Angle);
    return angles;
}

} // namespace

class BlockDialogTest : public QObject {
    Q_OBJECT

private slots:
    void okNeedsAReference()
    {
        Dialog d;
        QVERIFY(!d.Dlg.OkBtn->isEnabled());
        QCOMPARE(d.Dlg.eLuminAlt->value(), 3.0);
        d.Dlg.eColB->setValue(2);
        QVERIFY(!d.Dlg.OkBtn->isEnabled());
        d.Dlg.cbRefLumin->setCurrentIndex(0);
        QVERIFY(d.Dlg.OkBtn->isEnabled());
        QCOMPARE(d.Dlg.Panel1->Plan().Existing, &d.Doc.Luminaires);
    }

    void blockWithAngleIncrement()
    {
        Dialog d;
        d.Dlg.cbRefLumin->setCurrentIndex(0);
        d.Dlg.eColB->setValue(3);
        d.Dlg.eLinB->setValue(2);
        d.Dlg.eXiniB->setValue(1);
        d.Dlg.eDeltaXB->setValue(2);
        d.Dlg.eYiniB->setValue(1);
        d.Dlg.eDeltaYB->setValue(1.5);
        d.Dlg.eIncrB->setValue(15);
        QCOMPARE(d.Dlg.eNumLumin->text(), QStringLiteral("6"));
        QCOMPARE(Angles(d.Group()), (std::vector<double>{0, 15, 30, 45, 60, 75}));
        QCOMPARE(d.Group()[5].X, 5.0);
        QCOMPARE(d.Group()[5].Y, 2.5);

        // A block too large to place leaves the proposal as it was.
        d.Dlg.eColB->setValue(9999);
        d.Dlg.eLinB->setValue(9999);
        QCOMPARE(d.Dlg.eNumLumin->text(), QStringLiteral("6"));
        QCOMPARE(d.Group().size(), std::size_t(6));
    }

    void continuousLinesBothWays()
    {
        Dialog d;
        d.Dlg.pgTipo->setCurrentIndex(1);
        d.Dlg.cbRefLumin->setCurrentIndex(0);
        d.Dlg.eXiniL->setValue(1);
        d.Dlg.eYiniL->setValue(1);
        d.Dlg.eNApaL->setValue(4);
        d.Dlg.eQuantL->setValue(2);
        d.Dlg.eDeltaL->setValue(2.5);
        QCOMPARE(d.Dlg.eNumLumin->text(), QStringLiteral("8"));
        const std::vector<LayoutPosition> horizontal = {{1, 1, 0},   {2.2, 1, 0},   {3.4, 1, 0},   {4.6, 1, 0},
                                                        {1, 3.5, 0}, {2.2, 3.5, 0}, {3.4, 3.5, 0}, {4.6, 3.5, 0}};
        QCOMPARE(d.Group().size(), horizontal.size());
        for (std::size_t i = 0; i < horizontal.size(); ++i) {
            QVERIFY(std::abs(d.Group()[i].X - horizontal[i].X) < 1e-9);
            QCOMPARE(d.Group()[i].Y, horizontal[i].Y);
            QCOMPARE(d.Group()[i].Angle, 0.0);
        }

        d.Dlg.rbVertical->setChecked(true);
        QCOMPARE(d.Dlg.eLuminAngL->value(), 90.0);
        QCOMPARE(d.Group().size(), std::size_t(8));
        QCOMPARE(d.Group()[1].X, 3.5);
        QVERIFY(std::abs(d.Group()[6].Y - 4.6) < 1e-9);
        QCOMPARE(Angles(d.Group()), std::vector<double>(8, 90));
    }

    void circlesAndArcs()
    {
        Dialog d;
        d.Dlg.pgTipo->setCurrentIndex(2);
        d.Dlg.cbRefLumin->setCurrentIndex(1);
        d.Dlg.eXcE->setValue(5);
        d.Dlg.eYcE->setValue(3);
        d.Dlg.eRaioE->setValue(2);
        d.Dlg.eNApaE->setValue(4);
        QCOMPARE(Angles(d.Group()), (std::vector<double>{0, 90, 180, 270}));
        QVERIFY(d.Dlg.Panel1->Plan().ShowCircle);
        d.Dlg.eAngFinE->setValue(180);
        QCOMPARE(Angles(d.Group()), (std::vector<double>{0, 60, 120, 180}));
        d.Dlg.eAngIniE->setValue(300);
        d.Dlg.eAngFinE->setValue(60);
        d.Dlg.eNApaE->setValue(3);
        QCOMPARE(Angles(d.Group()), (std::vector<double>{300, 0, 60}));
        d.Dlg.rbTangencial->setChecked(true);
        QCOMPARE(Angles(d.Group()), (std::vector<double>{30, 90, 150}));

        // Positions beyond the walls are dropped; the count field still shows them all.
        d.Dlg.rbRadial->setChecked(true);
        d.Dlg.eAngIniE->setValue(0);
        d.Dlg.eAngFinE->setValue(360);
        d.Dlg.eNApaE->setValue(4);
        d.Dlg.eXcE->setValue(9);
        QCOMPARE(d.Dlg.eNumLumin->text(), QStringLiteral("4"));
        QCOMPARE(Angles(d.Group()), (std::vector<double>{90, 180, 270}));
    }

    void okKeepsExistingLuminairesAndNumbersOn()
    {
        ProjectDocument doc = Project();
        TUndoRedoList history(doc);
        history.Start();
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<TCalcBloco*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->cbRefLumin->currentIndex(), 0);
            dialog->eColB->setValue(2);
            dialog->eLinB->setValue(2);
            dialog->eXiniB->setValue(1);
            dialog->eYiniB->setValue(1);
            dialog->eDeltaXB->setValue(3);
            dialog->eDeltaYB->setValue(2);
            dialog->eLuminAlt->setValue(2.5);
            dialog->OkBtn->click();
        });
        QVERIFY(TCalcBloco::Run(doc, 0, nullptr, &history));
        QCOMPARE(doc.Luminaires.size(), std::size_t(7));
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(doc.Luminaires[std::size_t(i)].Number, i + 1);
            QCOMPARE(doc.Luminaires[std::size_t(i)].RefIndex, i < 3 ? 1 : 0);
        }
        QCOMPARE(doc.Luminaires[0].X, 2.0f);
        QCOMPARE(doc.Luminaires[6].X, 4.0f);
        QCOMPARE(doc.Luminaires[6].Y, 3.0f);
        QCOMPARE(doc.Luminaires[6].Z, 2.5f);
        QCOMPARE(doc.LuminaireRefs[0]->Quantity, 4);
        QCOMPARE(doc.LuminaireRefs[1]->Quantity, 3);
        QVERIFY(doc.Modified);
        QCOMPARE(doc.ProjectData.Results.DirectDone, Boolean(0));
        QCOMPARE(history.UndoLabels().front(), std::string(kUndoLabelBlock));
    }

    void cancelLeavesThePlan()
    {
        ProjectDocument doc = Project();
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<TCalcBloco*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QVERIFY(!TCalcBloco::Run(doc, 0, nullptr));
        QCOMPARE(doc.Luminaires.size(), std::size_t(3));
        QVERIFY(!doc.Modified);
    }
};

} // namespace lumivar

QTEST_MAIN(lumivar::BlockDialogTest)
#include "BlockDialogTest.moc"
