// The automatic count dialog driven through its controls, offscreen: the single
// reference chosen on opening, the working-area array for both distributions, the
// priority switch and "Ok" replacing every luminaire of the plan.

#include "calc/CalcFixtures.h"
#include "calc/PreviewPanel.h"
#include "calc/UnCalAut.h"
#include "project/UndoRedoList.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <cmath>

namespace lumivar {

namespace {

// A 10 m x 6 m x 3 m room with a working area of 6 m x 4 m from (2, 1), the given
// number of references (the second one 1.2 m x 0.3 m) and three luminaires of the
// first one.
ProjectDocument Project(int refs)
{
    ProjectDocument doc;
    doc.ProjectData = testing::TestRoom();
    doc.ProjectData.WorkArea = 1;
    doc.ProjectData.WorkAreaX1 = 2;
    doc.ProjectData.WorkAreaY1 = 1;
    doc.ProjectData.WorkAreaX2 = 8;
    doc.ProjectData.WorkAreaY2 = 5;
    for (int i = 0; i < refs; ++i) {
        auto ref = testing::UniformReference(3000.0 * (i + 1));
        ref->Data.Reference = i == 0 ? "Downlight" : "Linear";
        ref->Data.LengthC = 1200;
        ref->Data.WidthL = 300;
        doc.LuminaireRefs.push_back(std::move(ref));
    }
    for (int i = 0; i < 3; ++i) {
        TObjectoLuminaria l;
        l.RefIndex = 0;
        l.X = 1.0f + float(i);
        l.Y = 1;
        l.Z = 3;
        l.Number = i + 1;
        doc.AddLuminaire(l);
    }
    doc.ProjectData.Results.DirectDone = 1;
    return doc;
}

std::vector<double> Xs(const std::vector<LayoutPosition>& positions, int cols)
{
    std::vector<double> xs;
    for (int k = 0; k < cols && k < int(positions.size()); ++k)
        xs.push_back(positions[std::size_t(k)].X);
    return xs;
}

} // namespace

class AutoCountDialogTest : public QObject {
    Q_OBJECT

private slots:
    void singleReferenceIsChosenOnOpening()
    {
        ProjectDocument doc = Project(1);
        TUndoRedoList history(doc);
        history.Start();
        int proposed = -1;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<TCalcAuto*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->cbRefLumin->currentIndex(), 0);
            QCOMPARE(dialog->cbRefLumin->currentText(), QStringLiteral("Downlight"));
            QVERIFY(dialog->OkBtn->isEnabled());
            QCOMPARE(dialog->eIluminan->text(), QStringLiteral("500 lux"));
            QCOMPARE(dialog->eLuminAlt->value(), 3.0);
            QCOMPARE(dialog->lvNivel->topLevelItemCount(), 9);
            for (int i = 0; i < 9; ++i)
                QVERIFY(!dialog->lvNivel->topLevelItem(i)->text(1).isEmpty());
            proposed = dialog->eCol->value() * dialog->eLin->value();
            QCOMPARE(dialog->eNumLumin->text(), QString::number(proposed));
            QCOMPARE(int(dialog->Panel1->Plan().Group.size()), proposed);
            dialog->OkBtn->click();
        });
        QVERIFY(TCalcAuto::Run(doc, -1, nullptr, &history));
        QVERIFY(proposed > 0);
        QCOMPARE(int(doc.Luminaires.size()), proposed);
        QCOMPARE(doc.LuminaireRefs[0]->Quantity, proposed);
        QVERIFY(doc.Modified);
        QCOMPARE(doc.ProjectData.Results.DirectDone, Boolean(0));
        QCOMPARE(history.UndoLabels().front(), std::string(kUndoLabelAutomatic));
    }

    void noReferenceChosenKeepsOkDisabled()
    {
        ProjectDocument doc = Project(2);
        TCalcAuto dialog;
        dialog.SetReferences(doc.LuminaireRefs);
        dialog.SetProject(doc.ProjectData);
        QCOMPARE(dialog.cbRefLumin->count(), 2);
        QCOMPARE(dialog.cbRefLumin->currentIndex(), -1);
        QVERIFY(!dialog.OkBtn->isEnabled());
        dialog.cbRefLumin->setCurrentIndex(1);
        QVERIFY(dialog.OkBtn->isEnabled());
        dialog.cbRefLumin->setCurrentIndex(-1);
        QVERIFY(!dialog.OkBtn->isEnabled());
    }

    void workingAreaArrayForBothDistributions()
    {
        ProjectDocument doc = Project(2);
        TCalcAuto dialog;
        dialog.SetReferences(doc.LuminaireRefs);
        dialog.SetProject(doc.ProjectData);
        dialog.cbRefLumin->setCurrentIndex(1);
        dialog.eCol->setValue(3);
        dialog.eLin->setValue(2);
        QCOMPARE(dialog.eNumLumin->text(), QStringLiteral("6"));
        const auto& group = dialog.Panel1->Plan().Group;
        QCOMPARE(Xs(group, 3), (std::vector<double>{3, 5, 7}));
        QCOMPARE(group[3].Y, 4.0);

        dialog.rbAA->setChecked(true);
        QCOMPARE(Xs(group, 3), (std::vector<double>{3.5, 5, 6.5}));
        QVERIFY(std::abs(group[0].Y - (1 + 4.0 / 3)) < 1e-9);
        QVERIFY(std::abs(group[3].Y - (1 + 8.0 / 3)) < 1e-9);

        // Counts whose product is 0, or too large to place, leave the proposal as it was.
        dialog.eLin->setValue(0);
        QCOMPARE(dialog.eNumLumin->text(), QStringLiteral("6"));
        QCOMPARE(int(group.size()), 6);
        dialog.eCol->setValue(9999);
        dialog.eLin->setValue(9999);
        QCOMPARE(dialog.eNumLumin->text(), QStringLiteral("6"));
        QCOMPARE(int(group.size()), 6);
        QCOMPARE(dialog.Array().Cols, 3);

        // The angle turns the proposed luminaires.
        dialog.eLuminAng->setValue(45);
        QCOMPARE(group[0].Angle, 45.0);
    }

    void prioritySwapsColumnsAndRows()
    {
        ProjectDocument doc = Project(2);
        TCalcAuto dialog;
        dialog.SetReferences(doc.LuminaireRefs);
        dialog.SetProject(doc.ProjectData);

        // Without an array the switch changes nothing.
        dialog.rgPrioridade->button(1)->setChecked(true);
        QCOMPARE(dialog.eCol->value(), 0);
        dialog.rgPrioridade->button(0)->setChecked(true);

        dialog.eCol->setValue(4);
        dialog.eLin->setValue(3);
        dialog.rgPrioridade->button(1)->setChecked(true);
        QCOMPARE(dialog.eCol->value(), 3);
        QCOMPARE(dialog.eLin->value(), 4);
        QCOMPARE(dialog.Array().Cols, 3);
        QCOMPARE(dialog.Array().Rows, 4);
        QCOMPARE(dialog.eNumLumin->text(), QStringLiteral("12"));
        QCOMPARE(int(dialog.Panel1->Plan().Group.size()), 12);
        dialog.rgPrioridade->button(0)->setChecked(true);
        QCOMPARE(dialog.eCol->value(), 4);
        QCOMPARE(dialog.eLin->value(), 3);
    }

    void okReplacesEveryLuminaire()
    {
        ProjectDocument doc = Project(2);
        TCalcAuto dialog;
        dialog.SetReferences(doc.LuminaireRefs);
        dialog.SetProject(doc.ProjectData);
        dialog.cbRefLumin->setCurrentIndex(1);
        dialog.eCol->setValue(3);
        dialog.eLin->setValue(2);
        dialog.eLuminAlt->setValue(2.5);
        const Result<int> placed = dialog.Apply(doc, nullptr);
        QVERIFY(placed);
        QCOMPARE(*placed, 6);
        QCOMPARE(int(doc.Luminaires.size()), 6);
        for (const TObjectoLuminaria& l : doc.Luminaires) {
            QCOMPARE(l.RefIndex, 1);
            QCOMPARE(l.Z, 2.5f);
        }
        QCOMPARE(doc.Luminaires.back().Number, 6);
        QCOMPARE(doc.LuminaireRefs[0]->Quantity, 0);
        QCOMPARE(doc.LuminaireRefs[1]->Quantity, 6);
    }

    void lumenRefusalIsShownAndProposesNothing()
    {
        ProjectDocument doc = Project(1);
        doc.LuminaireRefs[0]->Data.LampFlux[0] = 0;
        TCalcAuto dialog;
        dialog.SetReferences(doc.LuminaireRefs);
        dialog.SetProject(doc.ProjectData);
        dialog.cbRefLumin->setCurrentIndex(0);
        QVERIFY(!dialog.lbMensagem->text().isEmpty());
        QCOMPARE(dialog.eNumLumin->text(), QStringLiteral("0"));
        QVERIFY(dialog.Panel1->Plan().Group.empty());
        QVERIFY(dialog.OkBtn->isEnabled());
    }
};

} // namespace lumivar

QTEST_MAIN(lumivar::AutoCountDialogTest)
#include "AutoCountDialogTest.moc"
