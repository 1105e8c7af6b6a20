#pragma once
// The recent-files list of the frame: up to four full paths, newest first, kept in
// the preferences section "Recentes" as "MRU1" (newest) to "MRU4".

#include "app/PreferencesBackend.h"

#include <string>
#include <string_view>
#include <vector>

namespace lumivar {

inline constexpr int kRecentFilesMax = 4;
inline constexpr std::string_view kRecentFilesSection = "Recentes";

class RecentFiles {
public:
    // Puts `path` at the top; an entry already naming the same file moves up instead of
    // appearing twice, and the oldest entry beyond four drops off. Empty paths are ignored.
    void Add(const std::string& path);
    // Takes `path` off the list (the recent-files menu drops a file that no longer opens).
    void Remove(const std::string& path);
    void Clear() { m_paths.clear(); }

    const std::vector<std::string>& Paths() const { return m_paths; }

    // Reads "MRU1".."MRU4"; missing and empty values are skipped, repeats kept once.
    void Load(const PreferencesBackend& backend);
    // Writes "MRU1".."MRU4", empty texts for the unused places.
    void Save(PreferencesBackend& backend) const;

private:
    std::vector<std::string> m_paths;
};

// Whether two paths name the same file as the desktop compares them (letter case
// ignored on Windows).
bool SameFilePath(std::string_view a, std::string_view b);

// The name shown in the menu: without folder and extension ("C:\a\Sala.prj" -> "Sala").
std::string RecentFileCaption(std::string_view path);

} // namespace lumivar
