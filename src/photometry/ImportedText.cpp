#include "photometry/ImportedText.h"

#include "base/TextEncoding.h"

namespace lumivar {

bool IsTextSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

std::string_view TrimText(std::string_view s)
{
    while (!s.empty() && IsTextSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && (IsTextSpace(s.back()) || s.back() == '\x1A'))
        s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> SplitTextLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

std::string RecordField(std::string_view text)
{
    return Utf8ToCp1252(TrimText(text));
}

std::string ShortNumber(double v)
{
    std::string s = std::to_string(v);
    while (s.size() > 1 && s.back() == '0')
        s.pop_back();
    if (!s.empty() && s.back() == '.')
        s.pop_back();
    return s;
}

} // namespace lumivar
