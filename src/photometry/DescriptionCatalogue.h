#pragma once
// The luminaire description catalogue: one rich-text block per luminaire family, a
// line with the family key in square brackets, the description, and a closing "[]".
// Read by the references dialog (its product lines), the report sheets and the memo.

#include "base/Result.h"
#include "base/RtfReader.h"

#include <string>
#include <string_view>

namespace lumivar {

class DescriptionCatalogue {
public:
    // An empty catalogue: every block is reported as not found.
    DescriptionCatalogue() = default;
    explicit DescriptionCatalogue(RtfText content) : m_content(std::move(content)) {}

    // The catalogue file as read; text that is not RTF is taken as plain text.
    static Result<DescriptionCatalogue> FromBytes(std::string_view bytes);

    bool Empty() const { return m_content.Text.empty(); }
    const RtfText& Content() const { return m_content; }

    // "[" + the family part of a reference (UTF-8) + "]": the reference up to its first
    // blank, or the whole reference when it has no blank.
    static std::string KeyOf(std::string_view reference);

    // The text between the end of `key` and the next "[]", with its formatting; or the
    // message the user sees when the key or the closing mark is missing.
    Result<RtfText> Block(std::string_view key) const;

private:
    RtfText m_content;
};

// The program's catalogue, loaded by the frame window at start-up; empty until then.
DescriptionCatalogue& AppDescriptionCatalogue();

} // namespace lumivar
