#include "app/FileTypeRegistration.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#ifdef _WIN32
#include <shlobj.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace fs = std::filesystem;

namespace lumivar {
namespace {

constexpr std::string_view kIconSvg = R"(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">
  <rect x="4" y="4" width="56" height="56" rx="8" fill="#1f3a5f"/>
  <path d="M12 50 L12 22 L52 22 L52 50 Z" fill="none" stroke="#9fb7d3" stroke-width="2"/>
  <path d="M22 22 L32 10 L42 22" fill="#f6c343" stroke="#f6c343" stroke-width="2" stroke-linejoin="round"/>
  <path d="M32 22 L18 48 L46 48 Z" fill="#f6c343" fill-opacity="0.45"/>
  <ellipse cx="32" cy="48" rx="14" ry="3" fill="#f6c343"/>
</svg>
)";

fs::path Utf8Path(std::string_view utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PathText(const fs::path& p)
{
    const std::u8string s = p.u8string();
    return std::string(s.begin(), s.end());
}

Error RegistrationFailure(const fs::path& where)
{
    return Error{"Não foi possível registar o tipo de ficheiro dos projectos (" + PathText(where) + ")."};
}

// Replaces `target` whole: a temporary file beside it, then a rename, so that an
// interrupted registration never leaves a half-written file.
Status WriteFileWhole(const fs::path& target, std::string_view content)
{
    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    fs::path temp = target;
    temp += ".new";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(content.data(), std::streamsize(content.size()));
        out.close();
        if (!out) {
            fs::remove(temp, ec);
            return RegistrationFailure(target);
        }
    }
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return RegistrationFailure(target);
    }
    return Done{};
}

std::string TrimmedLine(std::string_view line)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!line.empty() && blank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && blank(line.back()))
        line.remove_suffix(1);
    return std::string(line);
}

std::string MimePackage()
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
    xml += "  <mime-type type=\"" + std::string(kProjectMimeType) + "\">\n";
    xml += "    <comment>" + std::string(kProjectFileDescription) + "</comment>\n";
    xml += "    <icon name=\"" + std::string(kProgramIconName) + "\"/>\n";
    xml += "    <glob pattern=\"*" + std::string(kProjectExtension) + "\"/>\n";
    xml += "  </mime-type>\n</mime-info>\n";
    return xml;
}

std::string DesktopEntry(std::string_view programPath)
{
    std::string entry = "[Desktop Entry]\n"
                        "Type=Application\n"
                        "Name=Lumivar\n"
                        "Comment=Projecto de iluminação de espaços interiores\n";
    entry += "Exec=" + DesktopExecLine(programPath) + "\n";
    entry += "Icon=" + std::string(kProgramIconName) + "\n";
    entry += "MimeType=" + std::string(kProjectMimeType) + ";\n";
    entry += "Terminal=false\n"
             "Categories=Graphics;Engineering;\n";
    return entry;
}

#ifndef _WIN32
// The full path of `program` found on PATH; empty when it is not installed.
std::string FindOnPath(const std::string& program)
{
    const char* path = std::getenv("PATH");
    if (path == nullptr)
        return {};
    std::stringstream folders(path);
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        if (folder.empty())
            continue;
        const std::string candidate = folder + "/" + program;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

// Runs a cache tool quietly and waits for it; a missing tool or its failure is not an
// error of the registration (the caches are rebuilt at the next login anyway).
void RunQuietly(const std::string& program, const std::string& argument)
{
    const std::string path = FindOnPath(program);
    if (path.empty())
        return;
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0)
        return;
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::string arg0 = program, arg1 = argument;
    char* argv[] = {arg0.data(), arg1.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, environ) == 0) {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}
#endif

#ifdef _WIN32
std::wstring Wide(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring w(std::size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), w.data(), n);
    return w;
}

Status WriteClassesEntries(const std::vector<ClassesEntry>& entries)
{
    for (const ClassesEntry& e : entries) {
        const std::wstring key = L"Software\\Classes\\" + Wide(e.Key);
        HKEY handle = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) !=
            ERROR_SUCCESS)
            return Error{"Não foi possível registar o tipo de ficheiro dos projectos (" + e.Key + ")."};
        const std::wstring value = Wide(e.Value);
        const LONG rc = RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                       DWORD((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(handle);
        if (rc != ERROR_SUCCESS)
            return Error{"Não foi possível registar o tipo de ficheiro dos projectos (" + e.Key + ")."};
    }
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    return Done{};
}
#endif

} // namespace

std::vector<ClassesEntry> FileTypeClassesEntries(std::string_view extension, std::string_view documentClass,
                                                 std::string_view description, std::string_view command,
                                                 std::string_view icon)
{
    std::string bare(extension);
    bare.erase(std::remove(bare.begin(), bare.end(), '.'), bare.end());
    if (bare.empty() || command.empty())
        return {};
    const std::string ext = "." + bare;
    const std::string cls = documentClass.empty() ? bare + "_auto_file" : std::string(documentClass);
    const std::string quotedCommand =
        command.front() == '"' ? std::string(command) : "\"" + std::string(command) + "\"";

    std::vector<ClassesEntry> entries;
    entries.push_back({ext, cls});
    entries.push_back({cls, std::string(description)});
    if (!icon.empty())
        entries.push_back({cls + "\\DefaultIcon", std::string(icon)});
    entries.push_back({cls + "\\shell\\open\\command", quotedCommand + " \"%1\""});
    return entries;
}

XdgLocations XdgLocationsFromEnvironment()
{
    std::string home;
    if (const char* h = std::getenv("HOME"); h != nullptr && *h != '\0')
        home = h;
#ifndef _WIN32
    else if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr && pw->pw_dir != nullptr)
        home = pw->pw_dir;
#endif
    // Relative values are to be ignored, as the base-directory rules say.
    const auto folder = [&](const char* variable, const char* fallback) {
        const char* v = std::getenv(variable);
        if (v != nullptr && v[0] == '/')
            return std::string(v);
        // Without a home folder there is nowhere to register; the registration refuses.
        return home.empty() ? std::string() : home + fallback;
    };
    return {folder("XDG_DATA_HOME", "/.local/share"), folder("XDG_CONFIG_HOME", "/.config")};
}

std::string DesktopExecLine(std::string_view programPath)
{
    // The program is always quoted. Inside the quotes '"', '`', '$' and '\' take a
    // backslash; the value's own escaping then doubles every backslash. '%' is doubled
    // so that it is not read as a field code.
    std::string exec = "\"";
    for (char c : programPath) {
        if (c == '"' || c == '`' || c == '$')
            exec += "\\\\";
        else if (c == '\\')
            exec += "\\\\\\";
        else if (c == '%')
            exec += '%';
        exec += c;
    }
    exec += "\" %f";
    return exec;
}

std::string WithDefaultApplication(std::string_view mimeAppsList, std::string_view mimeType,
                                   std::string_view desktopEntry)
{
    std::vector<std::string> lines;
    {
        std::string_view rest = mimeAppsList;
        while (!rest.empty()) {
            const std::size_t end = rest.find('\n');
            lines.emplace_back(rest.substr(0, end));
            rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        }
    }
    const std::string group = "[Default Applications]";
    const std::string wanted = std::string(mimeType) + "=" + std::string(desktopEntry) + ";";
    const auto keyOf = [](const std::string& line) {
        const std::size_t eq = line.find('=');
        return eq == std::string::npos ? std::string{} : TrimmedLine(std::string_view(line).substr(0, eq));
    };

    const auto header =
        std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return TrimmedLine(l) == group; });
    if (header == lines.end()) {
        if (!lines.empty() && !TrimmedLine(lines.back()).empty())
            lines.emplace_back();
        lines.push_back(group);
        lines.push_back(wanted);
    } else {
        std::size_t i = std::size_t(header - lines.begin()) + 1;
        std::size_t lastContent = i - 1;
        bool replaced = false;
        while (i < lines.size()) {
            const std::string trimmed = TrimmedLine(lines[i]);
            if (!trimmed.empty() && trimmed.front() == '[')
                break;
            if (keyOf(lines[i]) == mimeType) {
                if (replaced) { // a second line for the same type would shadow ours
                    lines.erase(lines.begin() + std::ptrdiff_t(i));
                    continue;
                }
                lines[i] = wanted;
                replaced = true;
            }
            if (!trimmed.empty())
                lastContent = i;
            ++i;
        }
        if (!replaced)
            lines.insert(lines.begin() + std::ptrdiff_t(lastContent + 1), wanted);
    }

    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

Status RegisterFileTypeXdg(const std::string& programPath, const XdgLocations& locations, bool runCacheTools)
{
    if (programPath.empty() || programPath.find_first_of("\r\n") != std::string::npos)
        return Error{"Não foi possível registar o tipo de ficheiro dos projectos (" + programPath + ")."};
    if (locations.DataHome.empty() || locations.ConfigHome.empty())
        return RegistrationFailure(fs::path{});

    const fs::path data = Utf8Path(locations.DataHome);
    const fs::path config = Utf8Path(locations.ConfigHome);
    const fs::path mimePackage = data / "mime" / "packages" / (std::string(kProgramIconName) + ".xml");
    const fs::path desktop = data / "applications" / std::string(kDesktopEntryName);
    const fs::path icon = data / "icons" / "hicolor" / "scalable" / "apps" / (std::string(kProgramIconName) + ".svg");
    const fs::path mimeApps = config / "mimeapps.list";

    if (Status s = WriteFileWhole(mimePackage, MimePackage()); !s)
        return s;
    if (Status s = WriteFileWhole(desktop, DesktopEntry(programPath)); !s)
        return s;
    if (Status s = WriteFileWhole(icon, kIconSvg); !s)
        return s;

    std::string existing;
    {
        std::ifstream in(mimeApps, std::ios::binary);
        if (in) {
            std::ostringstream all;
            all << in.rdbuf();
            existing = all.str();
        }
    }
    if (Status s = WriteFileWhole(mimeApps, WithDefaultApplication(existing, kProjectMimeType, kDesktopEntryName)); !s)
        return s;

#ifndef _WIN32
    if (runCacheTools) {
        RunQuietly("update-mime-database", PathText(data / "mime"));
        RunQuietly("update-desktop-database", PathText(data / "applications"));
    }
#else
    (void)runCacheTools;
#endif
    return Done{};
}

Status RegisterFileType(const std::string& programPath)
{
#ifdef _WIN32
    const auto entries = FileTypeClassesEntries(kProjectExtension, kProjectDocumentClass, kProjectFileDescription,
                                                programPath, programPath + ",1");
    if (entries.empty())
        return Error{"Não foi possível registar o tipo de ficheiro dos projectos."};
    return WriteClassesEntries(entries);
#else
    return RegisterFileTypeXdg(programPath, XdgLocationsFromEnvironment(), true);
#endif
}

std::string_view ProgramIconSvg()
{
    return kIconSvg;
}

} // namespace lumivar
