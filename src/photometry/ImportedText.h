#pragma once
// Text handling shared by the readers of the industry's text formats (".ies", ".ldt").

#include <string>
#include <string_view>
#include <vector>

namespace lumivar {

// Blank, tab, and the line and page ends.
bool IsTextSpace(char c);

// Without leading and trailing spaces; a trailing end-of-file mark (0x1A) goes too.
std::string_view TrimText(std::string_view s);

// The lines of a text, ended by CR LF, LF or CR.
std::vector<std::string_view> SplitTextLines(std::string_view text);

// A file text (UTF-8 or Latin-1), trimmed, as a record text in Windows-1252.
std::string RecordField(std::string_view text);

// A number as short as it reads: "12.5", "3", no trailing zeros (for messages).
std::string ShortNumber(double v);

} // namespace lumivar
