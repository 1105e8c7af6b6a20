#include "calc/LuminairePlacement.h"
#include "calc/AutoCountPlacement.h"
#include "calc/BlockPlacement.h"
#include "calc/CalcFixtures.h"

#include <gtest/gtest.h>

#include <cmath>

#include <vector>

namespace lumivar {
namespace {

using testing::TestRoom;
using testing::UniformReference;

// A project with two references and three luminaires already placed: two of the
// first reference, one of the second, numbered 1 to 3, with valid results.
ProjectDocument TwoReferenceProject()
{
    ProjectDocument doc;
    doc.ProjectData = TestRoom();
    doc.LuminaireRefs.push_back(UniformReference());
    doc.LuminaireRefs.push_back(UniformReference(2000));
    doc.LuminaireRefs[1]->Data.LengthC = 1200;
    doc.LuminaireRefs[1]->Data.WidthL = 300;
    const int refs[] = {0, 0, 1};
    for (int i = 0; i < 3; ++i) {
        TObjectoLuminaria l;
        l.RefIndex = refs[i];
        l.X = 1.0f + float(i);
        l.Y = 1;
        l.Z = 3;
        l.Number = i + 1;
        doc.AddLuminaire(l);
    }
    doc.ProjectData.Results.DirectDone = 1;
    doc.ProjectData.Results.IndirectDone = 1;
    return doc;
}

void ExpectPositions(const std::vector<LayoutPosition>& got, const std::vector<LayoutPosition>& want)
{
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_NEAR(got[i].X, want[i].X, 1e-6) << "luminaire " << i;
        EXPECT_NEAR(got[i].Y, want[i].Y, 1e-6) << "luminaire " << i;
        EXPECT_NEAR(got[i].Angle, want[i].Angle, 1e-9) << "luminaire " << i;
    }
}

TEST(AutoCountPlacement, ProposalCoversTheLumenCountAndFollowsThePriority)
{
    const TDadosProjecto room = TestRoom();
    const auto ref = UniformReference(5000);
    const Result<AutoCountProposal> byRows = ProposeAutoCount(room, *ref, false);
    ASSERT_TRUE(byRows) << byRows.Message();
    const int n = byRows->Lumen.Count;
    ASSERT_GT(n, 1);
    EXPECT_GE(byRows->Shape.Cols * byRows->Shape.Rows, n);
    EXPECT_GE(byRows->Shape.Cols, byRows->Shape.Rows);
    EXPECT_EQ(byRows->Lumen.Counts[4], n); // 500 lux is the fifth level

    const Result<AutoCountProposal> byCols = ProposeAutoCount(room, *ref, true);
    ASSERT_TRUE(byCols);
    EXPECT_EQ(byCols->Shape.Cols, byRows->Shape.Rows);
    EXPECT_EQ(byCols->Shape.Rows, byRows->Shape.Cols);
}

TEST(AutoCountPlacement, NoLuminairesAskedForProposesNoArray)
{
    // A working area without width has no room index: the lumen method asks for none.
    TDadosProjecto room = TestRoom();
    room.WorkArea = 1;
    room.WorkAreaX1 = room.WorkAreaX2 = 2;
    room.WorkAreaY2 = 4;
    const auto ref = UniformReference();
    const Result<AutoCountProposal> proposal = ProposeAutoCount(room, *ref, false);
    ASSERT_TRUE(proposal) << proposal.Message();
    EXPECT_EQ(proposal->Lumen.Count, 0);
    EXPECT_EQ(proposal->Shape.Cols, 0);
    EXPECT_EQ(proposal->Shape.Rows, 0);
    EXPECT_TRUE(AutoCountPositions(room, {0, 0, 0, kWallAtHalfSpacing, 3, 0}).empty());
}

TEST(AutoCountPlacement, CountTooLargeToPlaceProposesNoArray)
{
    const auto faint = UniformReference(0.5); // half a lumen: hundreds of thousands of luminaires
    const Result<AutoCountProposal> proposal = ProposeAutoCount(TestRoom(), *faint, false);
    ASSERT_TRUE(proposal) << proposal.Message();
    EXPECT_GT(proposal->Lumen.Count, kMaxGroupLuminaires);
    EXPECT_EQ(proposal->Shape.Cols * proposal->Shape.Rows, 0);
}

TEST(AutoCountPlacement, LumenMethodRefusalIsPassedOn)
{
    const auto dark = UniformReference(0);
    EXPECT_FALSE(ProposeAutoCount(TestRoom(), *dark, false));
}

TEST(AutoCountPlacement, WorkingAreaPositions)
{
    // A 6 m x 4 m working area from (2, 1); 3 columns and 2 rows.
    TDadosProjecto room = TestRoom();
    room.WorkArea = 1;
    room.WorkAreaX1 = 2;
    room.WorkAreaY1 = 1;
    room.WorkAreaX2 = 8;
    room.WorkAreaY2 = 5;
    const double third = 4.0 / 3.0;
    struct Case {
        int StepFactor;
        std::vector<double> Xs, Ys;
    };
    const Case cases[] = {
        {kWallAtHalfSpacing, {3, 5, 7}, {2, 4}},
        {kWallAtSpacing, {3.5, 5, 6.5}, {1 + third, 1 + 2 * third}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.StepFactor);
        std::vector<LayoutPosition> want;
        for (double y : c.Ys)
            for (double x : c.Xs)
                want.push_back({x, y, 30});
        ExpectPositions(AutoCountPositions(room, {0, 3, 2, c.StepFactor, 2.5f, 30}), want);
    }
}

TEST(AutoCountPlacement, OkReplacesEveryLuminaire)
{
    ProjectDocument doc = TwoReferenceProject();
    const Result<int> placed = ApplyAutoCount(doc, {1, 3, 2, kWallAtHalfSpacing, 2.5f, 90});
    ASSERT_TRUE(placed) << placed.Message();
    EXPECT_EQ(*placed, 6);
    ASSERT_EQ(doc.Luminaires.size(), 6u);
    for (std::size_t i = 0; i < doc.Luminaires.size(); ++i) {
        const TObjectoLuminaria& l = doc.Luminaires[i];
        EXPECT_EQ(l.RefIndex, 1);
        EXPECT_EQ(l.Ref, doc.LuminaireRefs[1].get());
        EXPECT_EQ(l.Number, int(i) + 1);
        EXPECT_FLOAT_EQ(l.Z, 2.5f);
        EXPECT_FLOAT_EQ(l.Angle, 90);
        EXPECT_FLOAT_EQ(l.SizeA, 1.2f);
    }
    // Whole room 10 x 6, half spacing at the walls: x = 10/6 * (1, 3, 5), y = 1.5, 4.5.
    EXPECT_NEAR(doc.Luminaires[0].X, 10.0 / 6, 1e-5);
    EXPECT_NEAR(doc.Luminaires[5].X, 50.0 / 6, 1e-5);
    EXPECT_NEAR(doc.Luminaires[5].Y, 4.5, 1e-5);
    EXPECT_EQ(doc.LuminaireRefs[0]->Quantity, 0);
    EXPECT_EQ(doc.LuminaireRefs[1]->Quantity, 6);
    EXPECT_TRUE(doc.Modified);
    EXPECT_TRUE(doc.PlanChanged);
    EXPECT_EQ(doc.ProjectData.Results.DirectDone, 0);
    EXPECT_EQ(doc.ProjectData.Results.IndirectDone, 0);
}

TEST(AutoCountPlacement, UnknownReferenceLeavesThePlanAlone)
{
    ProjectDocument doc = TwoReferenceProject();
    EXPECT_FALSE(ApplyAutoCount(doc, {2, 3, 2, kWallAtHalfSpacing, 2.5f, 0}));
    EXPECT_FALSE(ApplyAutoCount(doc, {-1, 3, 2, kWallAtHalfSpacing, 2.5f, 0}));
    // A mistyped array of 9999 x 9999 is refused too, before anything is removed.
    EXPECT_FALSE(ApplyAutoCount(doc, {0, 9999, 9999, kWallAtHalfSpacing, 2.5f, 0}));
    EXPECT_EQ(doc.Luminaires.size(), 3u);
    EXPECT_EQ(doc.LuminaireRefs[0]->Quantity, 2);
    EXPECT_FALSE(doc.Modified);
    EXPECT_EQ(doc.ProjectData.Results.DirectDone, 1);
}

TEST(BlockPlacement, GroupPositions)
{
    const TDadosProjecto room = TestRoom(); // 10 x 6
    BlockGroup block;
    block.Cols = 3;
    block.Rows = 2;
    block.StartX = 1;
    block.StepX = 2;
    block.StartY = 0.5;
    block.StepY = 1.5;
    block.AngleStep = 15;
    auto circle = [](double from, double to, int count) {
        BlockGroup g;
        g.Mode = BlockMode::Circle;
        g.CircleReady = true;
        g.Circle = {5, 3, 2, count, from, to, false};
        return g;
    };
    struct Case {
        const char* Name;
        BlockGroup Group;
        std::vector<LayoutPosition> Want;
    };
    const Case cases[] = {
        {"block with angle increment",
         block,
         {{1, 0.5, 0}, {3, 0.5, 15}, {5, 0.5, 30}, {1, 2, 45}, {3, 2, 60}, {5, 2, 75}}},
        {"horizontal lines",
         LinesGroup(LineOrientation::Horizontal, 1, 1, 4, 2, 2.5, 1.2, 0),
         {{1, 1, 0}, {2.2, 1, 0}, {3.4, 1, 0}, {4.6, 1, 0}, {1, 3.5, 0}, {2.2, 3.5, 0}, {3.4, 3.5, 0}, {4.6, 3.5, 0}}},
        {"vertical lines",
         LinesGroup(LineOrientation::Vertical, 1, 1, 4, 2, 2.5, 1.2, 90),
         {{1, 1, 90},
          {3.5, 1, 90},
          {1, 2.2, 90},
          {3.5, 2.2, 90},
          {1, 3.4, 90},
          {3.5, 3.4, 90},
          {1, 4.6, 90},
          {3.5, 4.6, 90}}},
        {"full circle", circle(0, 360, 4), {{7, 3, 0}, {5, 5, 90}, {3, 3, 180}, {5, 1, 270}}},
        {"half circle",
         circle(0, 180, 4),
         {{7, 3, 0}, {6, 3 + std::sqrt(3.0), 60}, {4, 3 + std::sqrt(3.0), 120}, {3, 3, 180}}},
        {"arc through 360", circle(300, 60, 3), {{6, 3 - std::sqrt(3.0), 300}, {7, 3, 0}, {6, 3 + std::sqrt(3.0), 60}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ExpectPositions(GroupPositions(c.Group, room), c.Want);
    }

    BlockGroup tangential = circle(0, 360, 4);
    tangential.Circle.Tangential = true;
    const auto turned = GroupPositions(tangential, room);
    ASSERT_EQ(turned.size(), 4u);
    EXPECT_DOUBLE_EQ(turned[0].Angle, 90);
    EXPECT_DOUBLE_EQ(turned[3].Angle, 0); // 270 + 90 is written as 0

    // Past 270 degrees a tangential luminaire turns on from 0: 300 + 90 is 30.
    BlockGroup arc = circle(300, 60, 3);
    arc.Circle.Tangential = true;
    std::vector<double> angles;
    for (const LayoutPosition& p : GroupPositions(arc, room))
        angles.push_back(p.Angle);
    EXPECT_EQ(angles, (std::vector<double>{30, 90, 150}));
}

TEST(BlockPlacement, NothingBeforeTheGroupIsComplete)
{
    const TDadosProjecto room = TestRoom();
    BlockGroup empty;
    empty.Cols = 3;
    EXPECT_TRUE(GroupPositions(empty, room).empty());
    BlockGroup huge = empty;
    huge.Cols = huge.Rows = 9999;
    EXPECT_TRUE(GroupPositions(huge, room).empty());
    huge.Rows = kMaxGroupLuminaires / huge.Cols;
    EXPECT_EQ(GroupPositions(huge, room).size(), std::size_t(huge.Rows * huge.Cols));
    BlockGroup circle;
    circle.Mode = BlockMode::Circle;
    circle.Circle = {5, 3, 2, 4, 0, 360, false};
    EXPECT_TRUE(GroupPositions(circle, room).empty()); // not ready
}

TEST(BlockPlacement, CirclePositionsOutsideTheRoomAreDropped)
{
    BlockGroup g;
    g.Mode = BlockMode::Circle;
    g.CircleReady = true;
    g.Circle = {9, 3, 2, 4, 0, 360, false}; // the luminaire at x = 11 is beyond the wall
    const auto positions = GroupPositions(g, TestRoom());
    ASSERT_EQ(positions.size(), 3u);
    EXPECT_DOUBLE_EQ(positions[0].Angle, 90);
}

TEST(BlockPlacement, OkKeepsExistingLuminairesAndNumbersOn)
{
    ProjectDocument doc = TwoReferenceProject();
    const BlockGroup lines = LinesGroup(LineOrientation::Horizontal, 1, 1, 4, 2, 2.5, 1.2, 0);
    const Result<int> added = ApplyBlock(doc, 1, 2.75f, lines);
    ASSERT_TRUE(added) << added.Message();
    EXPECT_EQ(*added, 8);
    ASSERT_EQ(doc.Luminaires.size(), 11u);
    EXPECT_EQ(doc.Luminaires[0].RefIndex, 0);
    EXPECT_FLOAT_EQ(doc.Luminaires[2].X, 3);
    for (std::size_t i = 0; i < doc.Luminaires.size(); ++i)
        EXPECT_EQ(doc.Luminaires[i].Number, int(i) + 1);
    EXPECT_FLOAT_EQ(doc.Luminaires[3].X, 1);
    EXPECT_FLOAT_EQ(doc.Luminaires[3].Z, 2.75f);
    EXPECT_FLOAT_EQ(doc.Luminaires[10].Y, 3.5f);
    EXPECT_EQ(doc.LuminaireRefs[0]->Quantity, 2);
    EXPECT_EQ(doc.LuminaireRefs[1]->Quantity, 9);
    EXPECT_TRUE(doc.Modified);
    EXPECT_TRUE(doc.PlanChanged);
    EXPECT_EQ(doc.ProjectData.Results.DirectDone, 0);

    // A group that adds nothing changes nothing.
    ProjectDocument untouched = TwoReferenceProject();
    BlockGroup outside;
    outside.Mode = BlockMode::Circle;
    outside.CircleReady = true;
    outside.Circle = {5, 3, 50, 1, 0, 360, false};
    EXPECT_EQ(*ApplyBlock(untouched, 0, 3, outside), 0);
    EXPECT_FALSE(untouched.Modified);
    EXPECT_EQ(untouched.ProjectData.Results.DirectDone, 1);
    EXPECT_FALSE(ApplyBlock(untouched, 5, 3, outside));
}

} // namespace
} // namespace lumivar
