#pragma once
// Text renderings of a reference's lamp kinds for reports and grids (one line per
// lamp kind, lines joined by CR LF, UTF-8), and the file name of a luminaire's picture.

#include "photometry/RefLuminaria.h"

#include <string>
#include <string_view>

namespace lumivar {

// How numbers and money are written; the UI fills it from the system locale.
// The defaults are those of Portugal.
struct MoneyFormat {
    std::string DecimalSeparator = ",";
    std::string ThousandsSeparator = "\u00A0"; // no-break space
    std::string CurrencySymbol = "€";
    bool SymbolAfter = true; // "1,50 €" rather than "€ 1,50"
    bool SymbolSpaced = true; // a blank between the amount and the symbol
    int Decimals = 2;
};

// A number in fixed notation with the given decimals and decimal separator.
std::string FixedText(double value, int decimals, std::string_view decimalSeparator = ",");
// An amount in the currency format.
std::string MoneyText(double value, const MoneyFormat& format);

// One line per lamp kind 0 .. LampKindCount - 1 (at most four; a single line when
// LampKindCount <= 1).
std::string LampNamesText(const TDadosLuminaria& data);
std::string LampCountsText(const TDadosLuminaria& data);
std::string LampsWithCountsText(const TDadosLuminaria& data); // "name   x2"
std::string LampFluxesText(const TDadosLuminaria& data, std::string_view decimalSeparator = ",");
std::string LampPowersText(const TDadosLuminaria& data); // "36 W"
std::string BallastsText(const TRefLuminaria& ref);
std::string ConsumptionsText(const TRefLuminaria& ref, std::string_view decimalSeparator = ","); // "71,5 W"
std::string LampPricesText(const TRefLuminaria& ref, const MoneyFormat& format = {});
std::string LampLivesText(const TRefLuminaria& ref, std::string_view decimalSeparator = ","); // "12000 h"

// The picture's file name for a photometric file (folder and extension allowed in
// fileName, UTF-8), with pictureExtension (".jpg") appended.
std::string PictureFileName(std::string_view fileName, std::string_view pictureExtension);

} // namespace lumivar
