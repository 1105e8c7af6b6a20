#pragma once
// Small text helpers of the line-oriented photometric format and the picture-name
// rule: quote-aware field splitting, blank-separated words and lenient numbers.
// Texts are byte strings (Windows-1252 or UTF-8); only ASCII bytes are special.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumivar {

// Splits text at any of the separator characters. A field that begins with the
// quote character may contain separators and loses its quotes; a quote inside a
// plain field starts a quoted part that keeps its quotes. Empty fields are added
// only with keepEmpty (then a text ending in a separator ends with an empty field).
// Nothing is split when the text is empty or the quote is itself a separator.
std::vector<std::string> SplitFields(std::string_view text, std::string_view separators, char quote, bool keepEmpty);

// The n-th (1-based) blank-separated word; empty when the text has fewer words.
// Leading, trailing and repeated blanks only separate.
std::string_view BlankWord(std::string_view text, int n);
int BlankWordCount(std::string_view text);

// Text without leading and trailing blanks.
std::string_view TrimBlanks(std::string_view text);

// A decimal number with "." as separator (optional sign and exponent, blanks around
// it allowed); nullopt when the text is not one or is not finite.
std::optional<double> ParseNumber(std::string_view text);
// A 32-bit decimal integer (optional sign, blanks around it allowed); nullopt otherwise.
std::optional<int> ParseInteger(std::string_view text);

} // namespace lumivar
