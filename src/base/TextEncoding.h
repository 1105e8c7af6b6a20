#pragma once
// Texts in the records are Windows-1252; the rest of the program speaks UTF-8.
// This is the one place that converts between them.

#include <string>
#include <string_view>

namespace lumivar {

// Every byte maps to a character; the five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same number so that
// a round trip keeps them.
std::string Cp1252ToUtf8(std::string_view cp1252);

// Characters outside Windows-1252 become "?"; malformed UTF-8 bytes are read as
// Windows-1252 bytes (text typed or pasted from older sources stays readable).
std::string Utf8ToCp1252(std::string_view utf8);

// Upper-casing of Windows-1252 text as the photometric rules need it ("assimétrico"
// matches "ASSIMÉTRICO").
std::string UpperCp1252(std::string_view cp1252);

} // namespace lumivar
