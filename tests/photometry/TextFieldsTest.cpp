#include "photometry/TextFields.h"

#include <gtest/gtest.h>

namespace lumivar {
namespace {

using Fields = std::vector<std::string>;

struct SplitCase {
    std::string_view Text;
    std::string_view Separators;
    bool KeepEmpty;
    Fields Expected;
};

TEST(TextFields, SplitsAtSeparatorsHonouringQuotes)
{
    const SplitCase cases[] = {
        {"a;b;c", ";", false, {"a", "b", "c"}},
        {"a;;b", ";", false, {"a", "b"}},
        {"a;;b", ";", true, {"a", "", "b"}},
        {";a", ";", true, {"", "a"}},
        {"a;", ";", true, {"a", ""}},
        {"a;", ";", false, {"a"}},
        {"\"a;b\";c", ";", false, {"a;b", "c"}},
        {"a;\"b\"", ";", false, {"a", "b"}},
        {"\"ab\"cd;e", ";", false, {"\"ab\"cd", "e"}}, // text after a closing quote keeps the quotes
        {"ab\"c;d\"e;f", ";", false, {"ab\"c;d\"e", "f"}}, // quoted part inside a plain field
        {"\"ab\"\"cd\";e", ";", false, {"\"ab\"\"cd\"", "e"}}, // a doubled quote is no escape
        {"\"abc", ";", false, {"abc"}}, // unclosed quote runs to the end
        {"\"a;b", ";", false, {"a;b"}},
        {"\"\";x", ";", true, {"", "x"}},
        {"\"\";x", ";", false, {"x"}},
        {"\"\"", ";", false, {}},
        {"", ";", true, {}},
        {"1  2 3", " ", true, {"1", "", "2", "3"}}, // the UGR lines: two blanks make an empty field
        {"a\"b", "\"", true, {}}, // the quote is a separator: nothing is split
    };
    for (const SplitCase& c : cases)
        EXPECT_EQ(SplitFields(c.Text, c.Separators, '"', c.KeepEmpty), c.Expected)
            << "text [" << c.Text << "] keepEmpty " << c.KeepEmpty;
}

TEST(TextFields, BlankSeparatedWords)
{
    EXPECT_EQ(BlankWord("  TL-D   36W 236 ", 3), "236");
    EXPECT_EQ(BlankWord("TL-D 36W", 3), "");
    EXPECT_EQ(BlankWord("", 1), "");
    EXPECT_EQ(BlankWordCount("  a  b c  "), 3);
    EXPECT_EQ(BlankWordCount("   "), 0);
}

TEST(TextFields, NumbersUseThePointAndRejectTheRest)
{
    EXPECT_EQ(ParseNumber(" 1.5 "), 1.5);
    EXPECT_EQ(ParseNumber("-3e2"), -300.0);
    EXPECT_EQ(ParseNumber("+4"), 4.0);
    for (const char* bad : {"", "1,5", "abc", "1.5x", "nan", "inf", "+-4", "--4"})
        EXPECT_FALSE(ParseNumber(bad)) << bad;
    EXPECT_EQ(ParseInteger(" -12 "), -12);
    for (const char* bad : {"", "1.0", "12a", "99999999999"})
        EXPECT_FALSE(ParseInteger(bad)) << bad;
}

} // namespace
} // namespace lumivar
