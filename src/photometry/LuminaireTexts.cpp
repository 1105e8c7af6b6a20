#include "photometry/LuminaireTexts.h"

#include "base/TextEncoding.h"
#include "photometry/LampBase.h"
#include "photometry/TextFields.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <functional>
#include <utility>

namespace lumivar {
namespace {

// Lines 0 .. LampKindCount - 1, at most four, at least one.
std::string JoinKinds(const TDadosLuminaria& data, const std::function<std::string(int)>& line)
{
    const int kinds = std::max(1, data.KindsInUse());
    std::string text;
    for (int k = 0; k < kinds; ++k) {
        if (k > 0)
            text += "\r\n";
        text += line(k);
    }
    return text;
}

// Picture names of our own luminaire families whose file names do not follow the
// naming rules: upper-cased file name without folder and extension -> picture name.
constexpr std::array<std::pair<std::string_view, std::string_view>, 10> kPictureNames = {{
    {"LV ORIO 236", "LVORIO"},
    {"LV ORIO 418", "LVORIO"},
    {"LV DISCO 226", "LVDISCO"},
    {"LV DISCO 218", "LVDISCO"},
    {"LV NAVE 400", "LVNAVE"},
    {"LV ARCO 158", "LVARCO"},
    {"LV ARCO 258", "LVARCO"},
    {"LV PRISMA 254", "LVPRISMA"},
    {"LV PAREDE 150", "LVPAREDE"},
    {"LV TECTO 224", "LVTECTO"},
}};

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Length in bytes of the first UTF-8 character of text.
std::size_t FirstCharBytes(std::string_view text)
{
    if (text.empty())
        return 0;
    std::size_t n = 1;
    while (n < text.size() && IsContinuationByte(text[n]))
        ++n;
    return n;
}

// text without its last count UTF-8 characters (empty when it has fewer).
std::string_view DropLastChars(std::string_view text, int count)
{
    for (int i = 0; i < count && !text.empty(); ++i) {
        while (!text.empty() && IsContinuationByte(text.back()))
            text.remove_suffix(1);
        if (!text.empty())
            text.remove_suffix(1); // the character's first byte
    }
    return text;
}

} // namespace

std::string FixedText(double value, int decimals, std::string_view decimalSeparator)
{
    char buffer[400];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, std::clamp(decimals, 0, 20));
    if (ec != std::errc{})
        return {};
    std::string text(buffer, end);
    if (const std::size_t dot = text.find('.'); dot != std::string::npos)
        text.replace(dot, 1, decimalSeparator);
    return text;
}

std::string MoneyText(double value, const MoneyFormat& format)
{
    std::string digits = FixedText(std::fabs(value), format.Decimals, ".");
    const std::size_t dot = std::min(digits.find('.'), digits.size());
    std::string whole = digits.substr(0, dot);
    for (std::size_t i = whole.size(); i > 3; i -= 3)
        whole.insert(i - 3, format.ThousandsSeparator);
    std::string amount = whole;
    if (dot < digits.size())
        amount += format.DecimalSeparator + digits.substr(dot + 1);
    const bool negative = value < 0 && digits.find_first_not_of("0.") != std::string::npos;
    const std::string gap = format.SymbolSpaced ? " " : "";
    std::string text = format.SymbolAfter ? amount + gap + format.CurrencySymbol : format.CurrencySymbol + gap + amount;
    return negative ? "-" + text : text;
}

std::string LampNamesText(const TDadosLuminaria& data)
{
    return JoinKinds(data, [&](int k) { return Cp1252ToUtf8(data.LampName[k].View()); });
}

std::string LampCountsText(const TDadosLuminaria& data)
{
    return JoinKinds(data, [&](int k) { return std::to_string(data.LampCount[k]); });
}

std::string LampsWithCountsText(const TDadosLuminaria& data)
{
    return JoinKinds(data, [&](int k) {
        std::string named = data.LampName[k].Text() + "   x";
        named.resize(std::min<std::size_t>(named.size(), 44));
        return Cp1252ToUtf8(named) + std::to_string(data.LampCount[k]);
    });
}

std::string LampFluxesText(const TDadosLuminaria& data, std::string_view decimalSeparator)
{
    return JoinKinds(data, [&](int k) { return FixedText(data.LampFlux[k], 0, decimalSeparator); });
}

std::string LampPowersText(const TDadosLuminaria& data)
{
    return JoinKinds(data, [&](int k) { return std::to_string(data.LampPower[k]) + " W"; });
}

std::string BallastsText(const TRefLuminaria& ref)
{
    return JoinKinds(ref.Data, [&](int k) { return BallastName(ref.Costs.Ballast[k]); });
}

std::string ConsumptionsText(const TRefLuminaria& ref, std::string_view decimalSeparator)
{
    return JoinKinds(ref.Data, [&](int k) { return FixedText(ref.Costs.Consumption[k], 1, decimalSeparator) + " W"; });
}

std::string LampPricesText(const TRefLuminaria& ref, const MoneyFormat& format)
{
    return JoinKinds(ref.Data, [&](int k) {
        const double price = std::round(double(ref.Costs.LampPrice[k]) * 10000.0) / 10000.0;
        return MoneyText(price, format);
    });
}

std::string LampLivesText(const TRefLuminaria& ref, std::string_view decimalSeparator)
{
    return JoinKinds(ref.Data, [&](int k) { return FixedText(ref.Costs.LampLife[k], 0, decimalSeparator) + " h"; });
}

std::string PictureFileName(std::string_view fileName, std::string_view pictureExtension)
{
    const std::size_t slash = fileName.find_last_of("/\\");
    const std::string_view name = slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
    const std::size_t lastDot = name.rfind('.');
    const bool hasExtension = lastDot != std::string_view::npos;
    const std::string_view base = hasExtension ? name.substr(0, lastDot) : name;
    const std::string_view extension = hasExtension ? name.substr(lastDot) : std::string_view{};

    // (1) The families named in the table.
    const std::string upperBase = UpperCp1252(Utf8ToCp1252(base));
    for (const auto& [key, picture] : kPictureNames)
        if (!key.empty() && UpperCp1252(Utf8ToCp1252(key)) == upperBase)
            return std::string(picture) + std::string(pictureExtension);

    const std::string upperExtension = UpperCp1252(Utf8ToCp1252(extension));
    std::string picture;
    if (hasExtension && upperExtension != ".ASC" && upperExtension != ".BDB") {
        // (2) The name up to two characters before its first ".", then the extension's first character.
        const std::string_view stem = DropLastChars(name.substr(0, name.find('.')), 2);
        const std::string_view afterDot = name.substr(lastDot + 1);
        picture = std::string(stem) + std::string(afterDot.substr(0, FirstCharBytes(afterDot)));
    } else {
        // (3) The first word, then the first character of word min(n, 3).
        const int words = BlankWordCount(name);
        const std::string_view last = BlankWord(name, std::min(words, 3));
        picture = std::string(BlankWord(name, 1)) + std::string(last.substr(0, FirstCharBytes(last)));
    }
    return picture + std::string(pictureExtension);
}

} // namespace lumivar
