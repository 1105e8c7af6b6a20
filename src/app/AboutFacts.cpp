#include "app/AboutFacts.h"

#include "base/TextEncoding.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#endif

namespace lumivar {
namespace {

// The line as kept in the program file (Windows-1252 before scrambling), so that it
// does not show as plain text in the binary.
constexpr char kStoredAboutLine[] =
    "\x81\xd3\x02\x39\x77\xa1\xdc\x09\x41\x81\x67\xec\x12\x58\x7c\x70\xf5\x2c\x5e\x8e\xbe\xf1\x37\x67\xa0\x82\xfb\x31"
    "\x21\x9f\xd7\x15\x42\x73\xad\xd5\x90\xc1\x82\x68\xe1\x17\x07\x85\xbf\xfa\x20\x62\x8e\xc9\x01\x29\x6c";

std::optional<std::uint64_t> MeminfoKilobytes(std::string_view meminfo, std::string_view key)
{
    std::size_t at = 0;
    while (at < meminfo.size()) {
        const std::size_t end = std::min(meminfo.find('\n', at), meminfo.size());
        const std::string_view line = meminfo.substr(at, end - at);
        at = end + 1;
        if (line.size() <= key.size() || line.substr(0, key.size()) != key || line[key.size()] != ':')
            continue;
        std::istringstream in{std::string(line.substr(key.size() + 1))};
        std::uint64_t value = 0;
        if (in >> value)
            return value;
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

std::optional<MemoryStatus> MemoryStatusFromMeminfo(std::string_view meminfo)
{
    const auto total = MeminfoKilobytes(meminfo, "MemTotal");
    auto available = MeminfoKilobytes(meminfo, "MemAvailable");
    if (!available)
        available = MeminfoKilobytes(meminfo, "MemFree");
    if (!total || *total == 0 || !available)
        return std::nullopt;
    const std::uint64_t free = std::min(*available, *total);
    MemoryStatus status;
    status.TotalPhysicalBytes = *total * 1024;
    status.LoadPercent = int(((*total - free) * 100 + *total / 2) / *total);
    return status;
}

std::optional<MemoryStatus> CurrentMemoryStatus()
{
#ifdef _WIN32
    MEMORYSTATUSEX ms{};
    ms.dwLength = sizeof ms;
    if (!GlobalMemoryStatusEx(&ms))
        return std::nullopt;
    return MemoryStatus{ms.ullTotalPhys, int(ms.dwMemoryLoad)};
#else
    std::ifstream file("/proc/meminfo");
    if (!file)
        return std::nullopt;
    std::ostringstream text;
    text << file.rdbuf();
    return MemoryStatusFromMeminfo(text.str());
#endif
}

std::string ScrambleLine(std::string_view plain)
{
    const std::size_t n = plain.size();
    std::string out(plain);
    for (std::size_t i = 0; i < n; ++i)
        out[i] = char((static_cast<unsigned char>(plain[i]) + (i + 1) * n) % 256);
    return out;
}

std::string UnscrambleLine(std::string_view stored)
{
    const std::size_t n = stored.size();
    std::string out(stored);
    for (std::size_t i = 0; i < n; ++i)
        out[i] = char((static_cast<unsigned char>(stored[i]) + 256 - ((i + 1) * n) % 256) % 256);
    return out;
}

std::string_view StoredAboutLine()
{
    return {kStoredAboutLine, sizeof kStoredAboutLine - 1};
}

std::string AboutLine()
{
    return Cp1252ToUtf8(UnscrambleLine(StoredAboutLine()));
}

} // namespace lumivar
