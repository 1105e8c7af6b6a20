#include "photometry/DescriptionCatalogue.h"

namespace lumivar {

Result<DescriptionCatalogue> DescriptionCatalogue::FromBytes(std::string_view bytes)
{
    Result<RtfText> content = ReadRtf(bytes);
    if (!content)
        return Error{content.Message()};
    return DescriptionCatalogue(std::move(*content));
}

std::string DescriptionCatalogue::KeyOf(std::string_view reference)
{
    // A reference without a blank is a family of its own; cutting it to nothing would
    // make the key "[]" and pick up whatever follows another family's closing mark.
    return "[" + std::string(reference.substr(0, reference.find(' '))) + "]";
}

Result<RtfText> DescriptionCatalogue::Block(std::string_view key) const
{
    const std::string& text = m_content.Text;
    // An empty family ("[]") is the closing mark itself, never a block.
    const std::size_t at = key == "[]" ? std::string::npos : text.find(key);
    if (at == std::string::npos)
        return Error{"Não foi encontrada a luminária: " + std::string(key)};
    const std::size_t from = at + key.size();
    const std::size_t close = text.find("[]", from);
    if (close == std::string::npos)
        return Error{"Não foi possível determinar o bloco de informações da luminária: " + std::string(key)};
    return m_content.Slice(from, close);
}

DescriptionCatalogue& AppDescriptionCatalogue()
{
    static DescriptionCatalogue catalogue;
    return catalogue;
}

} // namespace lumivar
