#include "base/RtfReader.h"

#include "base/TextEncoding.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <limits>
#include <map>

namespace lumivar {

namespace {

// Deeper nesting than this is no document a word processor writes; refusing it keeps
// a hostile file from growing the group stack without end.
constexpr std::size_t kMaxDepth = 1000;

enum class Destination { Text, Skip, FontTable, ColourTable };

struct GroupState {
    Destination Dest = Destination::Text;
    RtfCharFormat Char;
    int Font = -1; // index into the font table; -1 for the default font
    RtfParagraphFormat Paragraph;
    int UnicodeSkip = 1; // characters after "\u" that stand in for readers without Unicode
};

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void AppendUtf8(std::string& out, std::uint32_t cp)
{
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = 0xFFFD;
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// Destinations whose text is not part of the document.
bool IsSkippedDestination(std::string_view word)
{
    static constexpr std::string_view kSkipped[]{"stylesheet",
                                                 "info",
                                                 "pict",
                                                 "object",
                                                 "header",
                                                 "headerl",
                                                 "headerr",
                                                 "headerf",
                                                 "footer",
                                                 "footerl",
                                                 "footerr",
                                                 "footerf",
                                                 "footnote",
                                                 "annotation",
                                                 "listtable",
                                                 "revtbl",
                                                 "rsidtbl",
                                                 "generator",
                                                 "xmlnstbl",
                                                 "themedata",
                                                 "datastore",
                                                 "fldinst",
                                                 "filetbl",
                                                 "latentstyles",
                                                 "listoverridetable",
                                                 "colorschememapping"};
    return std::find(std::begin(kSkipped), std::end(kSkipped), word) != std::end(kSkipped);
}

class Parser {
public:
    explicit Parser(std::string_view in) : m_in(in) {}

    Result<RtfText> Run()
    {
        m_stack.push_back(GroupState{});
        while (m_pos < m_in.size()) {
            const char c = m_in[m_pos++];
            if (c == '{') {
                if (m_stack.size() >= kMaxDepth)
                    return Error{"O texto formatado tem grupos encaixados em demasia."};
                m_stack.push_back(m_stack.back());
            } else if (c == '}') {
                FinishGroup();
                if (m_stack.size() == 1)
                    break; // the document's own group is closed: what follows is not text
                m_stack.pop_back();
            } else if (c == '\\') {
                ControlSequence();
            } else if (c == '\r' || c == '\n') {
                // Line breaks of the file itself carry no meaning.
            } else {
                Character(static_cast<unsigned char>(c) < 0x80 ? std::string(1, c) : Cp1252ToUtf8(std::string(1, c)));
            }
        }
        ClosePendingSurrogate();
        m_out.Paragraphs.push_back({m_paragraphStart, m_out.Text.size() - m_paragraphStart, State().Paragraph});
        return std::move(m_out);
    }

private:
    GroupState& State() { return m_stack.back(); }

    void ControlSequence()
    {
        if (m_pos >= m_in.size())
            return;
        const char c = m_in[m_pos];
        if (!IsLetter(c)) {
            ++m_pos;
            ControlSymbol(c);
            return;
        }
        const std::size_t start = m_pos;
        while (m_pos < m_in.size() && IsLetter(m_in[m_pos]))
            ++m_pos;
        const std::string_view word = m_in.substr(start, m_pos - start);
        std::optional<int> param;
        bool negative = false;
        if (m_pos < m_in.size() && m_in[m_pos] == '-' && m_pos + 1 < m_in.size() && IsDigit(m_in[m_pos + 1])) {
            negative = true;
            ++m_pos;
        }
        if (m_pos < m_in.size() && IsDigit(m_in[m_pos])) {
            std::int64_t value = 0;
            while (m_pos < m_in.size() && IsDigit(m_in[m_pos])) {
                value = std::min<std::int64_t>(value * 10 + (m_in[m_pos] - '0'), std::numeric_limits<int>::max());
                ++m_pos;
            }
            param = int(negative ? -value : value);
        }
        if (m_pos < m_in.size() && m_in[m_pos] == ' ')
            ++m_pos; // the delimiting blank belongs to the control word
        ControlWord(word, param);
    }

    void ControlSymbol(char c)
    {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            Character(std::string(1, c));
            break;
        case '\'': {
            const int hi = m_pos < m_in.size() ? HexValue(m_in[m_pos]) : -1;
            const int lo = m_pos + 1 < m_in.size() ? HexValue(m_in[m_pos + 1]) : -1;
            if (hi < 0 || lo < 0)
                break;
            m_pos += 2;
            Character(Cp1252ToUtf8(std::string(1, char(hi * 16 + lo))));
            break;
        }
        case '~':
            Character("\u00A0");
            break;
        case '_':
            Character("\u2011");
            break;
        case '*':
            // We know no optional destination: its whole group is skipped.
            State().Dest = Destination::Skip;
            break;
        case '\r':
        case '\n':
            Break();
            break;
        default: // "\-" optional hyphen and unknown symbols show nothing
            if (!Skipping())
                ConsumeFallback();
            break;
        }
    }

    void ControlWord(std::string_view w, std::optional<int> param)
    {
        GroupState& s = State();
        const bool on = !param || *param != 0;
        if (w == "fonttbl") {
            s.Dest = Destination::FontTable;
        } else if (w == "colortbl") {
            s.Dest = Destination::ColourTable;
            m_colourPending = {};
        } else if (IsSkippedDestination(w)) {
            s.Dest = Destination::Skip;
        } else if (w == "bin") {
            // Binary data: skipped byte for byte, never past the end.
            m_pos += std::min<std::size_t>(std::size_t(std::max(param.value_or(0), 0)), m_in.size() - m_pos);
        } else if (w == "f") {
            if (s.Dest == Destination::FontTable)
                m_fontPending = param.value_or(0);
            else
                s.Font = param.value_or(0);
        } else if (w == "deff") {
            m_defaultFont = param.value_or(0);
        } else if (w == "red" || w == "green" || w == "blue") {
            const std::uint32_t v = std::uint32_t(std::clamp(param.value_or(0), 0, 255));
            const int shift = w == "red" ? 16 : w == "green" ? 8 : 0;
            m_colourPending = (m_colourPending.value_or(0) & ~(0xFFu << shift)) | (v << shift);
        } else if (w == "b") {
            s.Char.Bold = on;
        } else if (w == "i") {
            s.Char.Italic = on;
        } else if (w == "ul" || w == "uld" || w == "uldb" || w == "uldash" || w == "ulw" || w == "ulth") {
            s.Char.Underline = on;
        } else if (w == "ulnone") {
            s.Char.Underline = false;
        } else if (w == "fs") {
            s.Char.HalfPoints = std::clamp(param.value_or(24), 2, 3276);
        } else if (w == "cf") {
            const int n = param.value_or(0);
            s.Char.Colour = n >= 0 && std::size_t(n) < m_colours.size() ? m_colours[std::size_t(n)] : std::nullopt;
        } else if (w == "plain") {
            s.Char = RtfCharFormat{};
            s.Font = -1;
        } else if (w == "pard") {
            s.Paragraph = RtfParagraphFormat{};
        } else if (w == "ql" || w == "qc" || w == "qr" || w == "qj") {
            s.Paragraph.Alignment = w == "ql"   ? RtfAlignment::Left
                                    : w == "qc" ? RtfAlignment::Centre
                                    : w == "qr" ? RtfAlignment::Right
                                                : RtfAlignment::Justify;
        } else if (w == "li") {
            s.Paragraph.LeftIndent = param.value_or(0);
        } else if (w == "ri") {
            s.Paragraph.RightIndent = param.value_or(0);
        } else if (w == "fi") {
            s.Paragraph.FirstIndent = param.value_or(0);
        } else if (w == "uc") {
            s.UnicodeSkip = std::clamp(param.value_or(1), 0, 16);
        } else if (w == "u") {
            Unicode(param.value_or(0));
        } else if (w == "par" || w == "line" || w == "sect" || w == "page" || w == "row") {
            Break();
        } else if (w == "tab" || w == "cell") {
            Character("\t");
        } else if (w == "emdash") {
            Character("\u2014");
        } else if (w == "endash") {
            Character("\u2013");
        } else if (w == "bullet") {
            Character("\u2022");
        } else if (w == "lquote") {
            Character("\u2018");
        } else if (w == "rquote") {
            Character("\u2019");
        } else if (w == "ldblquote") {
            Character("\u201C");
        } else if (w == "rdblquote") {
            Character("\u201D");
        } else if (!Skipping()) {
            ConsumeFallback(); // an unknown word still counts as a stand-in character after "\u"
        }
    }

    bool Skipping() const { return m_stack.back().Dest == Destination::Skip; }

    // After "\u" the next characters are the stand-in for readers without Unicode.
    bool ConsumeFallback()
    {
        if (m_fallback == 0)
            return false;
        --m_fallback;
        return true;
    }

    void Unicode(int n)
    {
        const std::uint32_t unit = std::uint32_t(n < 0 ? n + 65536 : n) & 0xFFFF;
        if (State().Dest == Destination::Text) {
            if (unit >= 0xD800 && unit <= 0xDBFF) {
                ClosePendingSurrogate();
                m_highSurrogate = unit;
            } else if (unit >= 0xDC00 && unit <= 0xDFFF && m_highSurrogate) {
                const std::uint32_t cp = 0x10000 + ((m_highSurrogate - 0xD800) << 10) + (unit - 0xDC00);
                m_highSurrogate = 0;
                std::string u;
                AppendUtf8(u, cp);
                Emit(u);
            } else {
                std::string u;
                AppendUtf8(u, unit);
                Emit(u);
            }
        }
        m_fallback = State().UnicodeSkip;
    }

    void ClosePendingSurrogate()
    {
        if (m_highSurrogate == 0)
            return;
        m_highSurrogate = 0;
        Emit("\uFFFD");
    }

    void Character(const std::string& utf8)
    {
        if (ConsumeFallback())
            return;
        GroupState& s = State();
        switch (s.Dest) {
        case Destination::Text:
            Emit(utf8);
            break;
        case Destination::FontTable:
            if (utf8 == ";") {
                const auto first = m_fontName.find_first_not_of(' ');
                const auto last = m_fontName.find_last_not_of(' ');
                m_fonts[m_fontPending] =
                    first == std::string::npos ? std::string() : m_fontName.substr(first, last - first + 1);
                m_fontName.clear();
            } else {
                m_fontName += utf8;
            }
            break;
        case Destination::ColourTable:
            if (utf8 == ";") {
                m_colours.push_back(m_colourPending);
                m_colourPending = {};
            }
            break;
        case Destination::Skip:
            break;
        }
    }

    void Emit(const std::string& utf8)
    {
        if (m_highSurrogate && utf8 != "\uFFFD")
            ClosePendingSurrogate();
        const GroupState& s = State();
        RtfCharFormat format = s.Char;
        const int font = s.Font >= 0 ? s.Font : m_defaultFont;
        if (const auto it = m_fonts.find(font); it != m_fonts.end())
            format.FontName = it->second;
        const std::size_t at = m_out.Text.size();
        m_out.Text += utf8;
        if (!m_out.Runs.empty() && m_out.Runs.back().Format == format)
            m_out.Runs.back().Length += utf8.size();
        else
            m_out.Runs.push_back({at, utf8.size(), std::move(format)});
    }

    void Break()
    {
        if (ConsumeFallback() || State().Dest != Destination::Text)
            return;
        const std::size_t end = m_out.Text.size();
        Emit("\n");
        m_out.Paragraphs.push_back({m_paragraphStart, end - m_paragraphStart, State().Paragraph});
        m_paragraphStart = end + 1;
    }

    void FinishGroup()
    {
        // A font entry written without its closing ";" still names its font.
        if (State().Dest == Destination::FontTable && !m_fontName.empty())
            Character(";");
    }

    std::string_view m_in;
    std::size_t m_pos = 0;
    std::vector<GroupState> m_stack;
    RtfText m_out;
    std::size_t m_paragraphStart = 0;
    std::map<int, std::string> m_fonts;
    int m_fontPending = 0;
    std::string m_fontName;
    int m_defaultFont = 0;
    std::vector<std::optional<std::uint32_t>> m_colours;
    std::optional<std::uint32_t> m_colourPending;
    int m_fallback = 0;
    std::uint32_t m_highSurrogate = 0;
};

RtfText PlainText(std::string_view bytes)
{
    RtfText out;
    std::string text = Cp1252ToUtf8(bytes);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r')
            continue;
        if (i + 1 < text.size() && text[i + 1] == '\n')
            text.erase(i, 1);
        else
            text[i] = '\n';
    }
    out.Text = std::move(text);
    if (!out.Text.empty())
        out.Runs.push_back({0, out.Text.size(), RtfCharFormat{}});
    std::size_t start = 0;
    for (std::size_t nl = out.Text.find('\n'); nl != std::string::npos; nl = out.Text.find('\n', start)) {
        out.Paragraphs.push_back({start, nl - start, RtfParagraphFormat{}});
        start = nl + 1;
    }
    out.Paragraphs.push_back({start, out.Text.size() - start, RtfParagraphFormat{}});
    return out;
}

} // namespace

RtfText RtfText::Slice(std::size_t from, std::size_t to) const
{
    to = std::min(to, Text.size());
    from = std::min(from, to);
    RtfText out;
    out.Text = Text.substr(from, to - from);
    for (const RtfRun& run : Runs) {
        const std::size_t a = std::max(run.Start, from);
        const std::size_t b = std::min(run.Start + run.Length, to);
        if (a < b)
            out.Runs.push_back({a - from, b - a, run.Format});
    }
    // Each piece of the slice takes the format of the paragraph it was cut from.
    const auto formatAt = [this](std::size_t offset) {
        for (const RtfParagraph& p : Paragraphs)
            if (offset >= p.Start && offset <= p.Start + p.Length)
                return p.Format;
        return RtfParagraphFormat{};
    };
    std::size_t start = from;
    for (std::size_t nl = Text.find('\n', start); nl != std::string::npos && nl < to; nl = Text.find('\n', start)) {
        out.Paragraphs.push_back({start - from, nl - start, formatAt(start)});
        start = nl + 1;
    }
    out.Paragraphs.push_back({start - from, to - start, formatAt(start)});
    return out;
}

Result<RtfText> ReadRtf(std::string_view bytes)
{
    if (!bytes.starts_with("{\\rtf"))
        return PlainText(bytes);
    // The opening brace is the document's own group.
    Parser parser(bytes.substr(1));
    return parser.Run();
}

} // namespace lumivar
