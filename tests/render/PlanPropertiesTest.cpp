// Applying the properties dialog to one or several luminaires, and the plan's commands
// on the document: use counts, numbering and the change reports.

#include "graphics/UnPlanoE.h"
#include "render/GuiApplication.h"

#include <gtest/gtest.h>

namespace lumivar {
namespace {

// A 10 m × 5 m room, a rectangular reference (0), a round one (1) and three luminaires
// at X = 1, 3, 5 on different Y, the first two rectangular; all three selected.
struct Selection {
    ProjectDocument Doc;
    TPlanoGrafico Plan;
    std::vector<std::pair<bool, QString>> Reports;

    Selection()
    {
        EnsureGuiApplication();
        Doc.ProjectData.Length = 10;
        Doc.ProjectData.Width = 5;
        Doc.ProjectData.Height = 3;
        Doc.ProjectData.Results.DirectDone = 1;
        Doc.ProjectData.Results.IndirectDone = 1;
        for (auto [length, width, diameter] : {std::tuple{1200, 300, 0}, std::tuple{0, 0, 600}}) {
            auto ref = std::make_unique<TRefLuminaria>();
            ref->Data.LengthC = length;
            ref->Data.WidthL = width;
            ref->Data.DiameterD = diameter;
            Doc.LuminaireRefs.push_back(std::move(ref));
        }
        const float xs[] = {1, 3, 5};
        const float ys[] = {1, 2, 3};
        const int refs[] = {0, 0, 1};
        for (int i = 0; i < 3; ++i) {
            TObjectoLuminaria l;
            l.X = xs[i];
            l.Y = ys[i];
            l.Z = 2.8f;
            l.RefIndex = refs[i];
            l.Number = i + 1;
            Doc.AddLuminaire(l);
        }
        Plan.SetDocument(&Doc);
        Plan.FitInto(1050, 540);
        Plan.OnPlanChanged = [this](bool withRefs, const QString& label) { Reports.emplace_back(withRefs, label); };
        Plan.SelectAll();
    }

    TObjectoGrafico& At(int i) { return *Plan.Luminaires()[static_cast<std::size_t>(i)]; }

    // The dialog as opened on the first luminaire, nothing edited.
    PropertyEdit Unedited()
    {
        const TObjectoLuminaria& l = At(0).Luminaria;
        return PropertyEdit{-1, l.X, l.Y, l.Z, l.Angle};
    }
};

TEST(PlanProperties, AnEditedFieldGivesEverySelectedLuminaireTheSameValue)
{
    Selection s;
    PropertyEdit e = s.Unedited();
    e.X = 2.0f;
    e.EditedX = true;
    s.Plan.ApplyProperties(s.At(0), e);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(s.At(i).Luminaria.X, 2.0f) << i;
        EXPECT_FLOAT_EQ(s.At(i).Luminaria.Y, float(i + 1)) << i; // Y not edited
        EXPECT_FLOAT_EQ(s.Doc.Luminaires[std::size_t(i)].X, 2.0f) << i;
    }
    ASSERT_EQ(s.Reports.size(), 1u);
    EXPECT_EQ(s.Reports[0].second, QStringLiteral("Luminárias: propriedades"));
    EXPECT_FALSE(s.Reports[0].first);
    EXPECT_FALSE(s.Doc.ProjectData.Results.DirectDone);
    EXPECT_FALSE(s.Doc.ProjectData.Results.IndirectDone);
}

TEST(PlanProperties, RelativeValuesShiftEveryLuminaireAndStillClampEachOne)
{
    Selection s;
    PropertyEdit e = s.Unedited();
    e.X = 1.5f;
    e.Z = 2.5f;
    e.EditedX = e.EditedZ = true;
    e.Relative = true;
    s.At(2).MoveToWorld(9.6f, 3); // its 0.3 m radius allows 0.1 m more
    s.Plan.ApplyProperties(s.At(0), e);
    EXPECT_FLOAT_EQ(s.At(0).Luminaria.X, 1.5f);
    EXPECT_FLOAT_EQ(s.At(1).Luminaria.X, 3.5f);
    EXPECT_FLOAT_EQ(s.At(2).Luminaria.X, 9.7f); // clamped at the wall
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(s.At(i).Luminaria.Z, 2.5f, 1e-6) << i;
}

TEST(PlanProperties, ReferencesMoveTheirUseCountsAndShapes)
{
    Selection s;
    EXPECT_EQ(s.Doc.LuminaireRefs[0]->Quantity, 2);
    EXPECT_EQ(s.Doc.LuminaireRefs[1]->Quantity, 1);

    // Mixed references and none chosen: each keeps its own.
    s.Plan.ApplyProperties(s.At(0), s.Unedited());
    EXPECT_EQ(s.At(2).Luminaria.RefIndex, 1);
    EXPECT_EQ(s.Doc.LuminaireRefs[0]->Quantity, 2);

    // The round one takes the rectangular reference and becomes a rectangle.
    PropertyEdit e = s.Unedited();
    e.RefIndex = 0;
    s.Plan.ApplyProperties(s.At(0), e);
    EXPECT_EQ(s.At(2).Luminaria.RefIndex, 0);
    EXPECT_FALSE(s.At(2).Round());
    EXPECT_FLOAT_EQ(s.At(2).Luminaria.SizeA, 1.2f);
    EXPECT_EQ(s.Doc.LuminaireRefs[0]->Quantity, 3);
    EXPECT_EQ(s.Doc.LuminaireRefs[1]->Quantity, 0);
    EXPECT_TRUE(s.Reports.back().first);
}

TEST(PlanProperties, NegativeAngleIsKeptAndTurnsClockwise)
{
    Selection s;
    s.Plan.DeselectAll();
    PropertyEdit e = s.Unedited();
    e.Angle = -90;
    e.EditedAngle = true;
    s.Plan.ApplyProperties(s.At(0), e);
    EXPECT_FLOAT_EQ(s.At(0).Luminaria.Angle, -90.0f);
    EXPECT_FLOAT_EQ(s.Doc.Luminaires[0].Angle, -90.0f);
    // Standing upright: taller than wide.
    EXPECT_GT(s.At(0).Height, s.At(0).Width);
    EXPECT_FLOAT_EQ(s.At(1).Luminaria.Angle, 0.0f);
}

TEST(PlanCommands, TurningReportsAChangeOfAnyTurnedLuminaire)
{
    Selection s;
    s.At(1).Rotate(90);
    // The clicked one is at 0° already; the second one turns back.
    s.Plan.SetAngleOfSelection(s.At(0), 0);
    EXPECT_FLOAT_EQ(s.At(1).Luminaria.Angle, 0.0f);
    ASSERT_EQ(s.Reports.size(), 1u);
    EXPECT_EQ(s.Reports[0].second, QStringLiteral("Luminárias: ângulo"));
    s.Plan.SetAngleOfSelection(s.At(0), 0);
    EXPECT_EQ(s.Reports.size(), 1u);
}

TEST(PlanCommands, DeleteRenumbersReleasesReferencesAndUpdatesTheDocument)
{
    Selection s;
    s.Plan.DeselectAll();
    s.At(0).Selected = true;
    s.Plan.DeleteSelected(true);
    ASSERT_EQ(s.Plan.Luminaires().size(), 2u);
    EXPECT_EQ(s.At(0).Luminaria.Number, 1);
    EXPECT_EQ(s.At(1).Luminaria.Number, 2);
    EXPECT_FLOAT_EQ(s.At(0).Luminaria.X, 3.0f);
    EXPECT_EQ(s.Doc.LuminaireRefs[0]->Quantity, 1);
    ASSERT_EQ(s.Doc.Luminaires.size(), 2u);
    EXPECT_EQ(s.Doc.Luminaires[1].Number, 2);
    EXPECT_EQ(s.Reports.back().second, QStringLiteral("Luminárias: apagar"));
    EXPECT_TRUE(s.Doc.PlanChanged);
}

TEST(PlanCommands, AddedLuminaireIsReportedOnceItIsInTheDocument)
{
    Selection s;
    const int px = s.Plan.XToScreen(7), py = s.Plan.YToScreen(4);
    std::size_t countSeen = 0;
    s.Plan.OnPlanChanged = [&](bool, const QString&) { countSeen = s.Doc.Luminaires.size(); };
    TObjectoGrafico* added = s.Plan.AddLuminaire(px, py, [&](TObjectoGrafico& symbol) {
        PropertyEdit e{0, symbol.Luminaria.X, symbol.Luminaria.Y, symbol.Luminaria.Z, 0};
        s.Plan.ApplyProperties(symbol, e);
        return true;
    });
    ASSERT_NE(added, nullptr);
    EXPECT_FALSE(s.At(0).Selected); // the selection was dropped
    EXPECT_EQ(added->Luminaria.Number, 4);
    EXPECT_FLOAT_EQ(added->Luminaria.Z, 3.0f); // the room's height
    EXPECT_NEAR(added->Luminaria.X, 7.0f, 0.02);
    EXPECT_EQ(countSeen, 4u);
    EXPECT_EQ(s.Doc.LuminaireRefs[0]->Quantity, 3);

    // Cancelled: nothing is added or reported.
    countSeen = 0;
    EXPECT_EQ(s.Plan.AddLuminaire(px, py, [](TObjectoGrafico&) { return false; }), nullptr);
    EXPECT_EQ(s.Plan.Luminaires().size(), 4u);
    EXPECT_EQ(countSeen, 0u);
}

} // namespace
} // namespace lumivar
