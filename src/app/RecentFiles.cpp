#include "app/RecentFiles.h"

#include <algorithm>
#include <cctype>

namespace lumivar {

bool SameFilePath(std::string_view a, std::string_view b)
{
#ifdef _WIN32
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
#else
    return a == b;
#endif
}

std::string RecentFileCaption(std::string_view path)
{
    const auto slash = path.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    if (dot != std::string_view::npos && dot > 0)
        name = name.substr(0, dot);
    return std::string(name);
}

void RecentFiles::Add(const std::string& path)
{
    if (path.empty())
        return;
    Remove(path);
    m_paths.insert(m_paths.begin(), path);
    if (m_paths.size() > std::size_t(kRecentFilesMax))
        m_paths.resize(std::size_t(kRecentFilesMax));
}

void RecentFiles::Remove(const std::string& path)
{
    std::erase_if(m_paths, [&path](const std::string& p) { return SameFilePath(p, path); });
}

void RecentFiles::Load(const PreferencesBackend& backend)
{
    m_paths.clear();
    const std::string section(kRecentFilesSection);
    for (int i = kRecentFilesMax; i >= 1; --i) {
        const auto text = backend.ReadText(section, "MRU" + std::to_string(i));
        if (text && !text->empty())
            Add(*text);
    }
}

void RecentFiles::Save(PreferencesBackend& backend) const
{
    const std::string section(kRecentFilesSection);
    for (int i = 0; i < kRecentFilesMax; ++i)
        backend.WriteText(section, "MRU" + std::to_string(i + 1),
                          std::size_t(i) < m_paths.size() ? m_paths[std::size_t(i)] : std::string());
}

} // namespace lumivar
