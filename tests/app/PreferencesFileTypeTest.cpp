// Registration of the project file type: the classes keys of the general routine,
// and the freedesktop files written under a temporary data and config home.

#include "app/FileTypeRegistration.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

#include <unistd.h>

namespace lumivar {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Every file below `root` with its contents.
std::map<std::string, std::string> Tree(const fs::path& root)
{
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (e.is_regular_file())
            files[fs::relative(e.path(), root).string()] = ReadAll(e.path());
    return files;
}

TEST(FileTypeClassesEntries, ProjectTypeAndTheGeneralRoutine)
{
    const std::vector<ClassesEntry> project{
        {".prj", "Lumivar.Document"},
        {"Lumivar.Document", "Lumivar project file"},
        {"Lumivar.Document\\DefaultIcon", "C:\\Programas\\Lumivar\\Lumivar.exe,1"},
        {"Lumivar.Document\\shell\\open\\command", "\"C:\\Programas\\Lumivar\\Lumivar.exe\" \"%1\""},
    };
    const auto entries = [](std::string_view ext, std::string_view cls, std::string_view command,
                            std::string_view icon) {
        return FileTypeClassesEntries(ext, cls, "Lumivar project file", command, icon);
    };
    const std::string exe = "C:\\Programas\\Lumivar\\Lumivar.exe";
    EXPECT_EQ(entries(".prj", "Lumivar.Document", exe, exe + ",1"), project);
    EXPECT_EQ(entries("..p.rj.", "Lumivar.Document", exe, exe + ",1"), project); // every dot stripped, one put back
    EXPECT_EQ(entries("prj", "Lumivar.Document", "\"" + exe + "\"", exe + ",1"), project); // already quoted

    const auto noClassNoIcon = entries(".prj", "", exe, "");
    ASSERT_EQ(noClassNoIcon.size(), 3u);
    EXPECT_EQ(noClassNoIcon[0], (ClassesEntry{".prj", "prj_auto_file"}));
    EXPECT_EQ(noClassNoIcon[2].Key, "prj_auto_file\\shell\\open\\command");

    EXPECT_TRUE(entries("", "Lumivar.Document", exe, "").empty());
    EXPECT_TRUE(entries("...", "Lumivar.Document", exe, "").empty());
    EXPECT_TRUE(entries(".prj", "Lumivar.Document", "", "").empty());
}

TEST(FileTypeXdg, ExecLineQuotesTheProgram)
{
    EXPECT_EQ(DesktopExecLine("/opt/lumivar/lumivar"), "\"/opt/lumivar/lumivar\" %f");
    EXPECT_EQ(DesktopExecLine("/home/ana/Os meus programas/lumivar"), "\"/home/ana/Os meus programas/lumivar\" %f");
    // '"', '$', '`' take one backslash, doubled by the value escaping; '\' becomes four; '%' doubles.
    EXPECT_EQ(DesktopExecLine("/a\"b$c`d\\e%f"), "\"/a\\\\\"b\\\\$c\\\\`d\\\\\\\\e%%f\" %f");
}

TEST(FileTypeXdg, DefaultApplicationKeepsTheRestOfMimeAppsList)
{
    const std::string ours = "application/x-lumivar-project=lumivar.desktop;";
    const auto set = [](std::string_view text) {
        return WithDefaultApplication(text, "application/x-lumivar-project", "lumivar.desktop");
    };
    const std::vector<std::pair<std::string, std::string>> cases{
        {"", "[Default Applications]\n" + ours + "\n"},
        {"[Added Associations]\ntext/plain=gedit.desktop;",
         "[Added Associations]\ntext/plain=gedit.desktop;\n\n[Default Applications]\n" + ours + "\n"},
        {"[Default Applications]\ntext/html=firefox.desktop\n\n[Added Associations]\nx=y;\n",
         "[Default Applications]\ntext/html=firefox.desktop\n" + ours + "\n\n[Added Associations]\nx=y;\n"},
        {"[Default Applications]\napplication/x-lumivar-project = old.desktop;\ntext/html=firefox.desktop\n"
         "application/x-lumivar-project=older.desktop\n",
         "[Default Applications]\n" + ours + "\ntext/html=firefox.desktop\n"},
        {"[Added Associations]\napplication/x-lumivar-project=other.desktop;\n[Default Applications]\n",
         "[Added Associations]\napplication/x-lumivar-project=other.desktop;\n[Default Applications]\n" + ours + "\n"},
    };
    for (const auto& [before, after] : cases) {
        EXPECT_EQ(set(before), after) << before;
        EXPECT_EQ(set(after), after) << "again: " << before;
    }
}

#ifndef _WIN32 // the freedesktop registration is the one used outside Windows
class FileTypeXdgFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        // One folder per test and process: ctest runs the tests of this fixture side by side.
        m_root = fs::temp_directory_path() /
                 ("lumivar-pref-xdg-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                  "-" + std::to_string(::getpid()));
        fs::remove_all(m_root);
        fs::create_directories(m_root / "config");
        m_where = {(m_root / "data").string(), (m_root / "config").string()};
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(m_root, ec);
    }
    fs::path m_root;
    XdgLocations m_where;
};

TEST_F(FileTypeXdgFiles, RegisteringWritesThePackageEntryIconAndAssociationAndIsRepeatable)
{
    std::ofstream(m_root / "config" / "mimeapps.list") << "[Default Applications]\ntext/html=firefox.desktop\n";
    const std::string program = "/opt/Lumivar 3/lumivar";
    ASSERT_TRUE(RegisterFileTypeXdg(program, m_where, true));

    const fs::path data = m_root / "data";
    const std::string package = ReadAll(data / "mime/packages/lumivar.xml");
    EXPECT_NE(package.find("<mime-type type=\"application/x-lumivar-project\">"), std::string::npos);
    EXPECT_NE(package.find("<comment>Lumivar project file</comment>"), std::string::npos);
    EXPECT_NE(package.find("<glob pattern=\"*.prj\"/>"), std::string::npos);

    const std::string desktop = ReadAll(data / "applications/lumivar.desktop");
    EXPECT_EQ(desktop.rfind("[Desktop Entry]\n", 0), 0u);
    EXPECT_NE(desktop.find("\nExec=\"/opt/Lumivar 3/lumivar\" %f\n"), std::string::npos);
    EXPECT_NE(desktop.find("\nMimeType=application/x-lumivar-project;\n"), std::string::npos);
    EXPECT_NE(desktop.find("\nIcon=lumivar\n"), std::string::npos);

    EXPECT_EQ(ReadAll(data / "icons/hicolor/scalable/apps/lumivar.svg"), ProgramIconSvg());
    EXPECT_EQ(ReadAll(m_root / "config/mimeapps.list"),
              "[Default Applications]\ntext/html=firefox.desktop\napplication/x-lumivar-project=lumivar.desktop;\n");

    // Where the MIME database tool is installed, it accepts the package.
    if (std::system("command -v update-mime-database >/dev/null 2>&1") == 0) {
        EXPECT_TRUE(fs::exists(data / "mime/application/x-lumivar-project.xml"));
    }

    const auto first = Tree(m_root);
    ASSERT_TRUE(RegisterFileTypeXdg(program, m_where, true));
    EXPECT_EQ(Tree(m_root), first);
}

TEST_F(FileTypeXdgFiles, RefusesWhatCannotBeWritten)
{
    EXPECT_FALSE(RegisterFileTypeXdg("/opt/lumivar\n/evil", m_where, false));
    EXPECT_FALSE(RegisterFileTypeXdg("", m_where, false));
    EXPECT_FALSE(fs::exists(m_root / "data"));

    std::ofstream(m_root / "data") << "a file where the data folder should be";
    const Status s = RegisterFileTypeXdg("/opt/lumivar/lumivar", m_where, false);
    ASSERT_FALSE(s);
    EXPECT_NE(s.Message().find("Não foi possível registar"), std::string::npos);
}

TEST_F(FileTypeXdgFiles, LocationsComeFromTheEnvironment)
{
    const auto saved = [](const char* name) {
        const char* v = std::getenv(name);
        return v ? std::optional<std::string>(v) : std::nullopt;
    };
    const auto restore = [](const char* name, const std::optional<std::string>& v) {
        if (v)
            ::setenv(name, v->c_str(), 1);
        else
            ::unsetenv(name);
    };
    const auto home = saved("HOME"), data = saved("XDG_DATA_HOME"), config = saved("XDG_CONFIG_HOME");
    ::setenv("HOME", "/home/ana", 1);
    ::setenv("XDG_DATA_HOME", "/tmp/dados", 1);
    ::setenv("XDG_CONFIG_HOME", "relativo/config", 1); // relative values are ignored
    const XdgLocations where = XdgLocationsFromEnvironment();
    EXPECT_EQ(where.DataHome, "/tmp/dados");
    EXPECT_EQ(where.ConfigHome, "/home/ana/.config");
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(XdgLocationsFromEnvironment().DataHome, "/home/ana/.local/share");
    restore("HOME", home);
    restore("XDG_DATA_HOME", data);
    restore("XDG_CONFIG_HOME", config);
}

#endif

} // namespace
} // namespace lumivar
