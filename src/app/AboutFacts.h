#pragma once
// What the about box shows besides fixed texts: the memory of this machine and the
// line kept scrambled in the program.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumivar {

struct MemoryStatus {
    std::uint64_t TotalPhysicalBytes = 0;
    int LoadPercent = 0; // share of physical memory in use, 0..100
};

// This machine's physical memory; nothing when the system does not say.
std::optional<MemoryStatus> CurrentMemoryStatus();

// Reads MemTotal and MemAvailable (or MemFree when the kernel has no MemAvailable)
// from the text of /proc/meminfo.
std::optional<MemoryStatus> MemoryStatusFromMeminfo(std::string_view meminfo);

// Byte i (from 0) of a text of n bytes is raised by (i + 1) * n modulo 256 ...
std::string ScrambleLine(std::string_view plain);
// ... and lowered by the same amount to read it again.
std::string UnscrambleLine(std::string_view stored);

// The about box's further line as stored in the program, and read back.
std::string_view StoredAboutLine();
std::string AboutLine();

} // namespace lumivar
