#include "project/ProjectDataValidation.h"

#include <gtest/gtest.h>

#include <functional>

namespace lumivar {
namespace {

ProjectDataFields Room()
{
    ProjectDataFields f;
    f.Length = 10;
    f.Width = 5;
    f.Height = 3;
    f.WorkPlaneHeight = 0.8;
    f.Margin = 0.5;
    f.WorkAreaX1 = 1;
    f.WorkAreaY1 = 1;
    f.WorkAreaX2 = 4;
    f.WorkAreaY2 = 3;
    return f;
}

struct CheckCase {
    const char* Name;
    std::function<void(ProjectDataFields&)> Edit;
    DataCheck Expected;
};

TEST(ProjectDataValidation, FirstFailingCheckInOrder)
{
    const CheckCase cases[] = {
        {"valid room", [](ProjectDataFields&) {}, DataCheck::Ok},
        {"square room", [](ProjectDataFields& f) { f.Width = 10; }, DataCheck::Ok},
        {"width above length", [](ProjectDataFields& f) { f.Width = 10.001; }, DataCheck::WidthAboveLength},
        // Several failures: the width rule comes first.
        {"width and plane", [](ProjectDataFields& f) { f.Width = 11, f.WorkPlaneHeight = 4; },
         DataCheck::WidthAboveLength},
        {"plane at room height", [](ProjectDataFields& f) { f.WorkPlaneHeight = 3; }, DataCheck::PlaneNotBelowHeight},
        {"plane just below", [](ProjectDataFields& f) { f.WorkPlaneHeight = 2.999; }, DataCheck::Ok},
        {"margin 40 % of width", [](ProjectDataFields& f) { f.Margin = 2; }, DataCheck::Ok},
        {"margin 1 mm over width", [](ProjectDataFields& f) { f.Margin = 2.001; }, DataCheck::MarginAboveWidth},
        {"margin 40 % of an inexact width", [](ProjectDataFields& f) { f.Width = 3.3, f.Margin = 1.32; },
         DataCheck::Ok},
        {"margin 1 mm over an inexact width", [](ProjectDataFields& f) { f.Width = 3.3, f.Margin = 1.321; },
         DataCheck::MarginAboveWidth},
        {"margin over length", [](ProjectDataFields& f) { f.Width = 10, f.Length = 10, f.Margin = 4.001; },
         DataCheck::MarginAboveLength},
        {"corners ignored without work area", [](ProjectDataFields& f) { f.WorkAreaX1 = 50; }, DataCheck::Ok},
        {"work area inside", [](ProjectDataFields& f) { f.WorkArea = true; }, DataCheck::Ok},
        {"work area whole room",
         [](ProjectDataFields& f) {
             f.WorkArea = true, f.WorkAreaX1 = 0, f.WorkAreaX2 = 10, f.WorkAreaY1 = 0, f.WorkAreaY2 = 5;
         },
         DataCheck::Ok},
        {"X1 over length", [](ProjectDataFields& f) { f.WorkArea = true, f.WorkAreaX1 = 11, f.WorkAreaX2 = 12; },
         DataCheck::X1AboveLength},
        {"X2 over length", [](ProjectDataFields& f) { f.WorkArea = true, f.WorkAreaX2 = 10.001; },
         DataCheck::X2AboveLength},
        {"X1 over X2", [](ProjectDataFields& f) { f.WorkArea = true, f.WorkAreaX1 = 5; }, DataCheck::X1AboveX2},
        {"Y1 over width", [](ProjectDataFields& f) { f.WorkArea = true, f.WorkAreaY1 = 6, f.WorkAreaY2 = 7; },
         DataCheck::Y1AboveWidth},
        {"Y2 over width", [](ProjectDataFields& f) { f.WorkArea = true, f.WorkAreaY2 = 5.001; },
         DataCheck::Y2AboveWidth},
        {"Y1 over Y2", [](ProjectDataFields& f) { f.WorkArea = true, f.WorkAreaY1 = 4; }, DataCheck::Y1AboveY2},
    };
    for (const auto& c : cases) {
        ProjectDataFields f = Room();
        c.Edit(f);
        EXPECT_EQ(ValidateProjectData(f), c.Expected) << c.Name;
    }
}

TEST(ProjectDataValidation, StoreReportsOnlyCalculationInputs)
{
    TDadosProjecto record;
    StoreProjectData(record, Room());

    ProjectDataFields f = ProjectDataFields::FromRecord(record);
    f.ProjectName = "Sala de reuniões";
    f.Designer = "Alguém";
    f.DateTime = 45000.5;
    EXPECT_FALSE(StoreProjectData(record, f));
    EXPECT_EQ(record.ProjectName.View(), "Sala de reuni\xF5"
                                         "es"); // Windows-1252
    EXPECT_EQ(record.DateTime, 45000.5);

    const std::function<void(ProjectDataFields&)> inputs[] = {
        [](ProjectDataFields& g) { g.Reflectance[4] += 5; },       [](ProjectDataFields& g) { g.Illuminance += 50; },
        [](ProjectDataFields& g) { g.MaintenanceFactor += 0.05; }, [](ProjectDataFields& g) { g.Margin += 0.001; },
        [](ProjectDataFields& g) { g.WorkArea = !g.WorkArea; },    [](ProjectDataFields& g) { g.WorkAreaY2 -= 1; },
    };
    for (const auto& edit : inputs) {
        ProjectDataFields g = ProjectDataFields::FromRecord(record);
        edit(g);
        EXPECT_TRUE(StoreProjectData(record, g));
        EXPECT_FALSE(StoreProjectData(record, g)) << "a second store of the same values changes nothing";
    }
}

TEST(ProjectDataValidation, ValuesFinerThanShownSurviveAnUnchangedField)
{
    TDadosProjecto record;
    record.Length = 7.12345f;
    record.MaintenanceFactor = 1.234f;
    record.WorkArea = 7; // a stored non-zero byte other than 1
    const ProjectDataFields f = ProjectDataFields::FromRecord(record);
    EXPECT_DOUBLE_EQ(f.Length, 7.123);
    EXPECT_FALSE(StoreProjectData(record, f));
    EXPECT_EQ(record.Length, 7.12345f);
    EXPECT_EQ(record.MaintenanceFactor, 1.234f);
    EXPECT_EQ(record.WorkArea, 7);

    ProjectDataFields g = f;
    g.Length = 7.2;
    EXPECT_TRUE(StoreProjectData(record, g));
    EXPECT_EQ(record.Length, 7.2f);
}

TEST(ProjectDataValidation, LongTextsAreCutToTheirCapacity)
{
    TDadosProjecto record;
    ProjectDataFields f;
    f.Number = std::string(30, '7');
    f.ProjectName = std::string(60, 'a');
    StoreProjectData(record, f);
    EXPECT_EQ(record.Number.Length(), 20u);
    EXPECT_EQ(record.ProjectName.Length(), 50u);
}

} // namespace
} // namespace lumivar
