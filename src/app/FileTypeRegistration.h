#pragma once
// Registration of the project file type with the desktop, so that project files
// show their type and open in this program: the classes keys of the current user
// on Windows, the freedesktop equivalents (a MIME package, a desktop entry, the
// program icon and the default-application association) elsewhere.

#include "base/Result.h"

#include <string>
#include <string_view>
#include <vector>

namespace lumivar {

inline constexpr std::string_view kProjectExtension = ".prj";
inline constexpr std::string_view kProjectDocumentClass = "Lumivar.Document";
inline constexpr std::string_view kProjectFileDescription = "Lumivar project file";
inline constexpr std::string_view kProjectMimeType = "application/x-lumivar-project";
inline constexpr std::string_view kDesktopEntryName = "lumivar.desktop";
inline constexpr std::string_view kProgramIconName = "lumivar";

// The default value of one key under the classes root.
struct ClassesEntry {
    std::string Key;
    std::string Value;
    bool operator==(const ClassesEntry&) const = default;
};

// The classes-root keys that register a file type: the extension (every "." stripped,
// one put in front) names the class; the class carries the description, an icon when
// one is given, and the open command. The program path and the opened file are both
// quoted, so that paths with blanks survive. An empty class becomes the extension +
// "_auto_file". Nothing when the extension or the command is empty.
std::vector<ClassesEntry> FileTypeClassesEntries(std::string_view extension, std::string_view documentClass,
                                                 std::string_view description, std::string_view command,
                                                 std::string_view icon);

// The user's freedesktop folders.
struct XdgLocations {
    std::string DataHome; // $XDG_DATA_HOME, else ~/.local/share
    std::string ConfigHome; // $XDG_CONFIG_HOME, else ~/.config
};

XdgLocations XdgLocationsFromEnvironment();

// The freedesktop registration under the given folders: <data>/mime/packages/lumivar.xml,
// <data>/applications/lumivar.desktop, <data>/icons/hicolor/scalable/apps/lumivar.svg and
// the project type's default application in <config>/mimeapps.list (its other lines kept).
// Every file is rewritten whole, so registering again leaves the same files. With
// runCacheTools, update-mime-database and update-desktop-database run when installed.
Status RegisterFileTypeXdg(const std::string& programPath, const XdgLocations& locations, bool runCacheTools);

// Registers the project file type for the current user, opening with the program at
// programPath (UTF-8, full path).
Status RegisterFileType(const std::string& programPath);

// The program icon, an SVG document.
std::string_view ProgramIconSvg();

// The desktop entry's Exec value that runs `programPath` with one file.
std::string DesktopExecLine(std::string_view programPath);

// mimeapps.list text with `mimeType` opening with `desktopEntry` by default; every other
// line is kept as it was.
std::string WithDefaultApplication(std::string_view mimeAppsList, std::string_view mimeType,
                                   std::string_view desktopEntry);

} // namespace lumivar
