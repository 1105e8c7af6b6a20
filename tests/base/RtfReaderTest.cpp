#include "base/RtfReader.h"

#include <gtest/gtest.h>

#include <string>

namespace lumivar {
namespace {

std::string TextOf(std::string_view rtf)
{
    const Result<RtfText> r = ReadRtf(rtf);
    EXPECT_TRUE(r.Ok()) << rtf;
    return r ? r->Text : std::string();
}

TEST(RtfReader, PlainTextOfTheDocument)
{
    struct Case {
        const char* rtf;
        const char* text;
    };
    const Case cases[] = {
        // Tables and information are no text; file line breaks mean nothing.
        {R"({\rtf1\ansi{\fonttbl{\f0 Arial;}}{\colortbl;\red1\green2\blue3;}{\info{\title T}}
Lumin\'e1ria\par
linha\line dois\tab fim})",
         "Luminária\nlinha\ndois\tfim"},
        {R"({\rtf1 a\{b\}c\\d})", "a{b}c\\d"},
        // Unicode with its stand-ins for older readers, "\uc" changing their count.
        {R"({\rtf1 \u8364?x\uc2\u-3972??y\uc0\u233 z})", "€x\uF07Cy\u00E9z"},
        {R"({\rtf1 \u-10179\u-8704? ok})", "\U0001F600 ok"}, // a surrogate pair; the stand-in goes with the first half
        // Optional destinations and fields: only the result shows.
        {R"({\rtf1 a{\*\bkmkstart x}b{\field{\*\fldinst HYPERLINK "u"}{\fldrslt liga\'e7\'e3o}}})", "abligação"},
        {R"({\rtf1 x\bin3 {}}y})", "xy"}, // binary data is skipped whatever it holds
        {R"({\rtf1 \emdash\~\bullet\ldblquote q\rdblquote})", "\u2014\u00A0\u2022\u201Cq\u201D"},
        // Text after the document's own group is not part of it; unclosed groups end with the file.
        {R"({\rtf1 dentro}fora)", "dentro"},
        {R"({\rtf1 {\b aberto)", "aberto"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextOf(c.rtf), c.text) << c.rtf;
}

TEST(RtfReader, CharacterAndParagraphFormats)
{
    const Result<RtfText> r = ReadRtf(R"({\rtf1\ansi\deff1{\fonttbl{\f0\froman Times New Roman;}{\f1\fswiss Arial;}}
{\colortbl ;\red0\green64\blue128;}
\fs20 a{\b\i\cf1\f0\fs28 B}c\ul u\ulnone\par
\pard\qc\li284\fi-142 centro\par\pard d})");
    ASSERT_TRUE(r.Ok());
    EXPECT_EQ(r->Text, "aBcu\ncentro\nd");
    ASSERT_EQ(r->Runs.size(), 5u);
    const RtfCharFormat& plain = r->Runs[0].Format;
    EXPECT_EQ(plain.FontName, "Arial"); // the default font
    EXPECT_EQ(plain.HalfPoints, 20);
    const RtfCharFormat& b = r->Runs[1].Format;
    EXPECT_TRUE(b.Bold && b.Italic);
    EXPECT_EQ(b.FontName, "Times New Roman");
    EXPECT_EQ(b.HalfPoints, 28);
    EXPECT_EQ(b.Colour, 0x004080u);
    EXPECT_EQ(r->Runs[2].Format, plain); // the group's end restores the format
    EXPECT_TRUE(r->Runs[3].Format.Underline);
    EXPECT_EQ(r->Runs[3].Start, 3u);
    EXPECT_EQ(r->Runs[3].Length, 1u);
    EXPECT_EQ(r->Runs[4].Start, 4u); // the rest, line breaks included, is plain again
    EXPECT_EQ(r->Runs[4].Start + r->Runs[4].Length, r->Text.size());

    ASSERT_EQ(r->Paragraphs.size(), 3u);
    EXPECT_EQ(r->Paragraphs[0].Format, RtfParagraphFormat{});
    EXPECT_EQ(r->Paragraphs[1].Format.Alignment, RtfAlignment::Centre);
    EXPECT_EQ(r->Paragraphs[1].Format.LeftIndent, 284);
    EXPECT_EQ(r->Paragraphs[1].Format.FirstIndent, -142);
    EXPECT_EQ(r->Text.substr(r->Paragraphs[1].Start, r->Paragraphs[1].Length), "centro");
    EXPECT_EQ(r->Paragraphs[2].Format, RtfParagraphFormat{});
}

TEST(RtfReader, SliceKeepsTheFormattingOfItsPart)
{
    const Result<RtfText> r = ReadRtf(R"({\rtf1 x{\b ab}c\par\qr de\par fg})");
    ASSERT_TRUE(r.Ok());
    const RtfText s = r->Slice(2, 9); // "b" "c\n" "de\nf"
    EXPECT_EQ(s.Text, "bc\nde\nf");
    ASSERT_EQ(s.Runs.size(), 2u);
    EXPECT_TRUE(s.Runs[0].Format.Bold);
    EXPECT_EQ(s.Runs[0].Length, 1u);
    EXPECT_EQ(s.Runs[1].Start + s.Runs[1].Length, s.Text.size());
    ASSERT_EQ(s.Paragraphs.size(), 3u);
    EXPECT_EQ(s.Paragraphs[1].Format.Alignment, RtfAlignment::Right);
    EXPECT_EQ(s.Paragraphs[2].Format.Alignment, RtfAlignment::Right);
    EXPECT_EQ(r->Slice(50, 80).Text, ""); // past the end: empty, not a fault
}

TEST(RtfReader, TextThatIsNotRtfIsPlainWindows1252)
{
    const Result<RtfText> r = ReadRtf("[LMV]\r\nIlumina\xE7\xE3o\r\n[]");
    ASSERT_TRUE(r.Ok());
    EXPECT_EQ(r->Text, "[LMV]\nIluminação\n[]");
    EXPECT_EQ(r->Paragraphs.size(), 3u);
}

TEST(RtfReader, HostileInputIsReadSafelyOrRefused)
{
    // Every prefix of a document reads without reading past its end.
    const std::string doc = R"({\rtf1\ansi\deff0{\fonttbl{\f0 Arial;}}{\colortbl;\red255\green0\blue0;}\uc1 )"
                            R"(a\'e1\u8364?{\b\cf1 b}\par\pard\qc\li99999999999999 c\bin5 xx}x\u-10179\'3f\'e)";
    for (std::size_t n = 0; n <= doc.size(); ++n)
        (void)ReadRtf(std::string_view(doc).substr(0, n));

    EXPECT_FALSE(ReadRtf("{\\rtf1 " + std::string(5000, '{')).Ok());
    const Result<RtfText> huge = ReadRtf(R"({\rtf1\fs999999999999\li-99999999999 \bin99999999999 x})");
    ASSERT_TRUE(huge.Ok());
    EXPECT_EQ(huge->Text, "");
}

} // namespace
} // namespace lumivar
