#include "app/StartupRules.h"

#include <cctype>
#include <charconv>

namespace lumivar {
namespace {

std::string Upper(std::string text)
{
    for (char& c : text)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

bool IsRegisterOnlyCommand(const std::vector<std::string>& parameters)
{
    return parameters.size() == 1 && Upper(parameters.front()) == "/R";
}

bool IsLanguageOption(const std::string& parameter)
{
    return Upper(parameter).find("/I:") != std::string::npos;
}

std::int32_t LanguageFromParameters(const std::vector<std::string>& parameters, std::int32_t current)
{
    for (const std::string& p : parameters) {
        if (!IsLanguageOption(p))
            continue;
        const std::string text = p.substr(3);
        // Leading blanks and one plus sign are read as a number would be typed.
        std::size_t start = text.find_first_not_of(" \t");
        if (start == std::string::npos)
            continue;
        if (text[start] == '+')
            ++start;
        std::int32_t value = 0;
        const char* first = text.data() + start;
        const char* last = text.data() + text.size();
        const auto [end, error] = std::from_chars(first, last, value);
        if (error == std::errc() && end == last && first != last)
            current = value;
    }
    return current;
}

std::string StartupFileParameter(const std::vector<std::string>& parameters)
{
    if (parameters.empty() || IsLanguageOption(parameters.front()))
        return {};
    return parameters.front();
}

WindowPlacement UsablePlacement(WindowPlacement stored, std::int32_t maximisedWidth, std::int32_t maximisedHeight)
{
    if (stored.Left < 0)
        stored.Left = 5;
    if (stored.Top < 0)
        stored.Top = 5;
    if (stored.Width <= 0)
        stored.Width = maximisedWidth - 20;
    if (stored.Height <= 0)
        stored.Height = maximisedHeight - 20;
    if (stored.State < 0 || stored.State > 2)
        stored.State = 0;
    return stored;
}

} // namespace lumivar
