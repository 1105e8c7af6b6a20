#include "photometry/TextFields.h"

#include <charconv>
#include <cmath>

namespace lumivar {

std::vector<std::string> SplitFields(std::string_view text, std::string_view separators, char quote, bool keepEmpty)
{
    std::vector<std::string> fields;
    if (text.empty() || separators.find(quote) != std::string_view::npos)
        return fields;

    enum class State { Between, Quoted, Closed, Plain, PlainQuoted };
    State state = State::Between;
    std::size_t from = 0; // start of the current field (its opening quote for a quoted field)
    std::size_t closeAt = 0; // position of the quote that closed a quoted field

    auto add = [&](std::string_view field) {
        if (!field.empty() || keepEmpty)
            fields.emplace_back(field);
    };
    auto isSeparator = [&](char c) { return separators.find(c) != std::string_view::npos; };

    for (std::size_t p = 0; p < text.size(); ++p) {
        const char c = text[p];
        switch (state) {
        case State::Between:
            if (c == quote) {
                state = State::Quoted;
            } else if (isSeparator(c)) {
                add({});
                from = p + 1;
            } else {
                state = State::Plain;
            }
            break;
        case State::Quoted:
            if (c == quote) {
                state = State::Closed;
                closeAt = p;
            }
            break;
        case State::Closed:
            if (c == quote) {
                state = State::PlainQuoted;
            } else if (isSeparator(c)) {
                add(text.substr(from + 1, closeAt - from - 1));
                from = p + 1;
                state = State::Between;
            } else {
                state = State::Plain;
            }
            break;
        case State::Plain:
            if (c == quote) {
                state = State::PlainQuoted;
            } else if (isSeparator(c)) {
                add(text.substr(from, p - from));
                from = p + 1;
                state = State::Between;
            }
            break;
        case State::PlainQuoted:
            if (c == quote)
                state = State::Plain;
            break;
        }
    }

    switch (state) {
    case State::Quoted:
        add(text.substr(from + 1));
        break;
    case State::Closed:
        add(text.substr(from + 1, closeAt - from - 1));
        break;
    default:
        add(text.substr(from));
        break;
    }
    return fields;
}

std::string_view BlankWord(std::string_view text, int n)
{
    int index = 0;
    std::size_t p = 0;
    while (p < text.size()) {
        while (p < text.size() && text[p] == ' ')
            ++p;
        if (p == text.size())
            break;
        const std::size_t start = p;
        while (p < text.size() && text[p] != ' ')
            ++p;
        if (++index == n)
            return text.substr(start, p - start);
    }
    return {};
}

int BlankWordCount(std::string_view text)
{
    int count = 0;
    bool inWord = false;
    for (char c : text) {
        if (c != ' ' && !inWord)
            ++count;
        inWord = c != ' ';
    }
    return count;
}

std::string_view TrimBlanks(std::string_view text)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<double> ParseNumber(std::string_view text)
{
    text = TrimBlanks(text);
    if (text.size() > 1 && text[0] == '+' && text[1] != '-')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> ParseInteger(std::string_view text)
{
    text = TrimBlanks(text);
    if (text.size() > 1 && text[0] == '+' && text[1] != '-')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace lumivar
