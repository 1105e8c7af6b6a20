#pragma once
// The frame window's start-up rules that need no window: the command-line options,
// the language choice and the placement of the frame from the stored preferences.

#include <cstdint>
#include <string>
#include <vector>

namespace lumivar {

// The command line asks only to register the project file type: exactly one
// parameter, "/R" in any letter case. `parameters` excludes the program itself.
bool IsRegisterOnlyCommand(const std::vector<std::string>& parameters);

// Whether a parameter is a language option: it holds "/I:" in any letter case.
bool IsLanguageOption(const std::string& parameter);

// The language after every language option: the text after the option's first three
// characters read as an integer; an option whose text is not a number keeps the
// value before it.
std::int32_t LanguageFromParameters(const std::vector<std::string>& parameters, std::int32_t current);

// The project file to open once the frame is first shown: the first parameter when
// it is not a language option; empty otherwise.
std::string StartupFileParameter(const std::vector<std::string>& parameters);

// The frame's placement in pixels and its state (0 normal, 1 minimised, 2 maximised).
struct WindowPlacement {
    std::int32_t Left = 0, Top = 0, Width = 0, Height = 0;
    std::int32_t State = 0;
    bool operator==(const WindowPlacement&) const = default;
};

// The stored placement made usable: a left or top below 0 becomes 5, a width or
// height of 0 or less becomes the maximised width or height minus 20, and a state
// below 0 (or beyond maximised) becomes normal.
WindowPlacement UsablePlacement(WindowPlacement stored, std::int32_t maximisedWidth, std::int32_t maximisedHeight);

} // namespace lumivar
