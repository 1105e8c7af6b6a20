// Start-up rules of the frame window, its recent-files list and the about box's facts.

#include "app/AboutFacts.h"
#include "app/RecentFiles.h"
#include "app/StartupRules.h"

#include <gtest/gtest.h>

namespace lumivar {
namespace {

TEST(RecentFilesTest, NewestFirstWithoutRepeatsAndAtMostFour)
{
    RecentFiles list;
    for (const char* p : {"/p/a.prj", "/p/b.prj", "/p/c.prj", "/p/a.prj", "", "/p/d.prj", "/p/e.prj"})
        list.Add(p);
    EXPECT_EQ(list.Paths(), (std::vector<std::string>{"/p/e.prj", "/p/d.prj", "/p/a.prj", "/p/c.prj"}));
    list.Remove("/p/a.prj");
    EXPECT_EQ(list.Paths(), (std::vector<std::string>{"/p/e.prj", "/p/d.prj", "/p/c.prj"}));
}

TEST(RecentFilesTest, SurvivesThePreferencesSection)
{
    RecentFiles list;
    list.Add("/p/old.prj");
    list.Add("/p/Sala de aula.prj");
    MemoryPreferencesBackend backend;
    list.Save(backend);
    EXPECT_EQ(*backend.ReadText("Recentes", "MRU1"), "/p/Sala de aula.prj");
    EXPECT_EQ(*backend.ReadText("Recentes", "MRU2"), "/p/old.prj");
    EXPECT_EQ(*backend.ReadText("Recentes", "MRU3"), "");

    RecentFiles back;
    back.Add("/p/stale.prj");
    back.Load(backend);
    EXPECT_EQ(back.Paths(), list.Paths());

    // A hand-edited section with a gap and a repeat still reads newest first, once each.
    MemoryPreferencesBackend edited;
    edited.WriteText("Recentes", "MRU1", "/x/1.prj");
    edited.WriteText("Recentes", "MRU3", "/x/3.prj");
    edited.WriteText("Recentes", "MRU4", "/x/1.prj");
    back.Load(edited);
    EXPECT_EQ(back.Paths(), (std::vector<std::string>{"/x/1.prj", "/x/3.prj"}));
}

TEST(RecentFilesTest, CaptionIsTheNameWithoutFolderAndExtension)
{
    EXPECT_EQ(RecentFileCaption("/home/ana/Projectos/Sala.v2.prj"), "Sala.v2");
    EXPECT_EQ(RecentFileCaption("C:\\Projectos\\Escritório.prj"), "Escritório");
    EXPECT_EQ(RecentFileCaption("semextensao"), "semextensao");
    EXPECT_EQ(RecentFileCaption("/p/.prj"), ".prj");
}

TEST(StartupRulesTest, CommandLineOptions)
{
    using Params = std::vector<std::string>;
    EXPECT_TRUE(IsRegisterOnlyCommand(Params{"/r"}));
    EXPECT_TRUE(IsRegisterOnlyCommand(Params{"/R"}));
    EXPECT_FALSE(IsRegisterOnlyCommand(Params{"/R", "a.prj"}));
    EXPECT_FALSE(IsRegisterOnlyCommand(Params{"/RX"}));

    struct Case {
        Params parameters;
        int language;
        std::string file;
    };
    const Case cases[] = {
        {{}, -1, ""},
        {{"a.prj"}, -1, "a.prj"},
        {{"/I:2", "a.prj"}, 2, ""}, // only the first parameter opens, and not an option
        {{"a.prj", "/i:2"}, 2, "a.prj"},
        {{"/I:3", "/I:x"}, 3, ""}, // not a number: the value before stays
        {{"/I:"}, -1, ""},
        {{"/I:4", "/I:5"}, 5, ""},
        {{"-/I:4"}, -1, ""}, // the text after the first three characters is "I:4"
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LanguageFromParameters(c.parameters, -1), c.language) << testing::PrintToString(c.parameters);
        EXPECT_EQ(StartupFileParameter(c.parameters), c.file) << testing::PrintToString(c.parameters);
    }
}

TEST(StartupRulesTest, PlacementFromStoredValues)
{
    // Never placed: all -1.
    EXPECT_EQ(UsablePlacement({-1, -1, -1, -1, -1}, 1280, 800), (WindowPlacement{5, 5, 1260, 780, 0}));
    // "Larg" 0 alone.
    EXPECT_EQ(UsablePlacement({30, 40, 0, 600, 2}, 1280, 800), (WindowPlacement{30, 40, 1260, 600, 2}));
    EXPECT_EQ(UsablePlacement({0, 0, 1, 1, 1}, 1280, 800), (WindowPlacement{0, 0, 1, 1, 1}));
    EXPECT_EQ(UsablePlacement({10, 10, 800, 600, 7}, 1280, 800).State, 0);
}

TEST(AboutFactsTest, ScrambledLineReadsBack)
{
    EXPECT_EQ(UnscrambleLine(ScrambleLine("Qualquer texto \xe7\xe3")), "Qualquer texto \xe7\xe3");
    // Byte i of n bytes moves by (i + 1) * n.
    EXPECT_EQ(ScrambleLine(std::string("\x00\x00\xff", 3)), std::string("\x03\x06\x08", 3));
    EXPECT_EQ(AboutLine(), "Licenciado para projectos de iluminação de interiores");
}

TEST(AboutFactsTest, MemoryFromMeminfo)
{
    const auto status = MemoryStatusFromMeminfo("MemTotal:        8000000 kB\n"
                                                "MemFree:          1000000 kB\n"
                                                "MemAvailable:     2000000 kB\n");
    ASSERT_TRUE(status);
    EXPECT_EQ(status->TotalPhysicalBytes, 8000000ull * 1024);
    EXPECT_EQ(status->LoadPercent, 75);
    EXPECT_EQ(MemoryStatusFromMeminfo("MemTotal: 1000 kB\nMemFree: 250 kB\n")->LoadPercent, 75);
    EXPECT_FALSE(MemoryStatusFromMeminfo("MemFree: 250 kB\n"));
    EXPECT_FALSE(MemoryStatusFromMeminfo(""));
}

} // namespace
} // namespace lumivar
