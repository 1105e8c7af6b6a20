#pragma once
// Reads rich-text (RTF) files into plain UTF-8 text with its character and paragraph
// formatting, the form the description catalogue and the memo need: the text is
// searched and cut as plain text, and the formatting follows the cut.

#include "base/Result.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumivar {

struct RtfCharFormat {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    int HalfPoints = 24; // font size in half points ("\fs")
    std::string FontName; // UTF-8; empty for the reader's default font
    std::optional<std::uint32_t> Colour; // 0xRRGGBB; none for the automatic colour

    bool operator==(const RtfCharFormat&) const = default;
};

enum class RtfAlignment { Left, Centre, Right, Justify };

struct RtfParagraphFormat {
    RtfAlignment Alignment = RtfAlignment::Left;
    int LeftIndent = 0; // twips
    int RightIndent = 0; // twips
    int FirstIndent = 0; // twips, relative to the left indent

    bool operator==(const RtfParagraphFormat&) const = default;
};

// A stretch of Text in one character format; offsets are bytes of Text.
struct RtfRun {
    std::size_t Start = 0;
    std::size_t Length = 0;
    RtfCharFormat Format;
};

// One paragraph of Text, without its closing line break.
struct RtfParagraph {
    std::size_t Start = 0;
    std::size_t Length = 0;
    RtfParagraphFormat Format;
};

struct RtfText {
    // Paragraph and line breaks are "\n", tabs "\t"; everything else as UTF-8.
    std::string Text;
    std::vector<RtfRun> Runs; // cover Text in order, without gaps
    std::vector<RtfParagraph> Paragraphs; // one per "\n"-separated piece of Text

    // The part of the text between two byte offsets with the formatting that covers it.
    RtfText Slice(std::size_t from, std::size_t to) const;
};

// Reads an RTF file. Text that does not begin with "{\rtf" is taken as plain
// Windows-1252 text, as a rich-text control loads it. Malformed RTF is read as far
// as it makes sense (unclosed groups end with the file); only nesting too deep to be
// a real document is refused.
Result<RtfText> ReadRtf(std::string_view bytes);

} // namespace lumivar
