#include "photometry/LampCatalogue.h"

#include "base/TextEncoding.h"

#include <initializer_list>
#include <string_view>

namespace lumivar {
namespace {

struct ColourFlux {
    std::string_view Colour;
    int Flux;
};

// One family at one power: designations "<family> <power>W/<colour>".
struct FamilyRow {
    std::string_view Base;
    int Power;
    std::string_view Family;
    std::initializer_list<ColourFlux> Colours;
};

// Lamps given whole, keyed by the lamp code of a "BASE E40" lamp kind.
struct WholeRow {
    std::string_view Code;
    std::initializer_list<ColourFlux> Lamps; // Colour holds the whole designation
};

// Tested in this order; the first base that is a substring of the lamp's base wins,
// so "BASE G13" is never taken for "BASE G5" and the like.
constexpr std::string_view kBaseOrder[] = {"BASE G13",   "BASE G5",    "BASE G23",   "BASE 2G11", "BASE G24D/Q",
                                           "BASE GX24Q", "BASE GR10Q", "BASE 2GX13", "BASE E40"};

const FamilyRow kFamilies[] = {
    {"BASE G13",
     18,
     "TL-D",
     {{"33", 1200},
      {"54", 1050},
      {"827", 1350},
      {"830", 1350},
      {"840", 1350},
      {"865", 1300},
      {"930", 1100},
      {"940", 1200},
      {"950", 1150},
      {"965", 1150}}},
    {"BASE G13",
     36,
     "TL-D",
     {{"33", 2850},
      {"54", 2500},
      {"827", 3350},
      {"830", 3350},
      {"840", 3350},
      {"865", 3250},
      {"930", 2700},
      {"940", 2800},
      {"950", 2800},
      {"965", 2800}}},
    {"BASE G13",
     58,
     "TL-D",
     {{"33", 4600},
      {"54", 4000},
      {"827", 5200},
      {"830", 5200},
      {"840", 5200},
      {"865", 5000},
      {"930", 4350},
      {"940", 4600},
      {"950", 4550},
      {"965", 4550}}},
    {"BASE G5", 14, "TL5 HE", {{"827", 1200}, {"830", 1200}, {"840", 1200}, {"865", 1100}}},
    {"BASE G5", 21, "TL5 HE", {{"827", 1900}, {"830", 1900}, {"840", 1900}, {"865", 1750}}},
    {"BASE G5", 28, "TL5 HE", {{"827", 2600}, {"830", 2600}, {"840", 2600}, {"865", 2400}}},
    {"BASE G5", 35, "TL5 HE", {{"827", 3300}, {"830", 3300}, {"840", 3300}, {"865", 3100}}},
    {"BASE G5",
     24,
     "TL5 HO",
     {{"827", 1750}, {"830", 1750}, {"840", 1750}, {"865", 1650}, {"940", 1300}, {"950", 1400}, {"965", 1400}}},
    {"BASE G5", 39, "TL5 HO", {{"827", 3100}, {"830", 3100}, {"840", 3100}, {"865", 2950}}},
    {"BASE G5",
     49,
     "TL5 HO",
     {{"827", 4300}, {"830", 4300}, {"840", 4300}, {"865", 4100}, {"940", 3400}, {"950", 3700}, {"965", 3700}}},
    {"BASE G5",
     54,
     "TL5 HO",
     {{"827", 4450}, {"830", 4450}, {"840", 4450}, {"865", 4250}, {"940", 3500}, {"950", 3800}, {"965", 3800}}},
    {"BASE G5", 80, "TL5 HO", {{"827", 6150}, {"830", 6150}, {"840", 6150}, {"865", 5850}}},
    {"BASE G23", 7, "PL-S/2p", {{"827", 400}, {"830", 400}, {"840", 400}}},
    {"BASE G23", 9, "PL-S/2p", {{"827", 600}, {"830", 600}, {"840", 600}}},
    {"BASE 2G11",
     18,
     "PL-L/4p",
     {{"827", 1200}, {"830", 1200}, {"840", 1200}, {"865", 1200}, {"930", 950}, {"940", 950}, {"950", 950}}},
    {"BASE 2G11",
     24,
     "PL-L/4p",
     {{"827", 1800}, {"830", 1800}, {"840", 1800}, {"865", 1800}, {"930", 1500}, {"940", 1500}, {"950", 1500}}},
    {"BASE 2G11",
     36,
     "PL-L/4p",
     {{"827", 2900}, {"830", 2900}, {"840", 2900}, {"865", 2900}, {"930", 2350}, {"940", 2350}, {"950", 2350}}},
    {"BASE 2G11",
     55,
     "PL-L/4p",
     {{"827", 4800}, {"830", 4800}, {"840", 4800}, {"865", 4800}, {"930", 3650}, {"940", 3650}, {"950", 3650}}},
    {"BASE G24D/Q", 13, "PL-C", {{"827", 900}, {"830", 900}, {"840", 900}, {"865", 900}}},
    {"BASE G24D/Q", 18, "PL-C", {{"827", 1200}, {"830", 1200}, {"840", 1200}, {"865", 1200}}},
    {"BASE G24D/Q", 26, "PL-C", {{"827", 1800}, {"830", 1800}, {"840", 1800}, {"865", 1800}}},
    {"BASE GX24Q", 32, "PL-T", {{"827", 2400}, {"830", 2400}, {"840", 2400}}},
    {"BASE GX24Q", 42, "PL-T", {{"827", 3200}, {"830", 3200}, {"840", 3200}}},
    {"BASE GR10Q", 16, "PL-Q/4p", {{"827", 1050}, {"830", 1050}, {"835", 1050}}},
    {"BASE GR10Q", 21, "F-2D/4p", {{"827", 1350}, {"835", 1350}, {"860", 1350}}},
    {"BASE GR10Q", 28, "PL-Q/4p", {{"827", 2050}, {"830", 2050}, {"835", 2050}, {"840", 2050}}},
    {"BASE GR10Q", 38, "PL-Q/4p", {{"827", 2850}, {"830", 2850}, {"835", 2850}, {"840", 2850}}},
    {"BASE 2GX13", 22, "TL5 Circular", {{"827", 1800}, {"830", 1800}, {"840", 1800}}},
    {"BASE 2GX13", 40, "TL5 Circular", {{"827", 3300}, {"830", 3300}, {"840", 3300}}},
    {"BASE 2GX13", 55, "TL5 Circular", {{"830", 4200}, {"840", 4200}}},
    {"BASE 2GX13", 60, "TL5 Circular", {{"830", 5000}, {"840", 5000}}},
};

const WholeRow kE40[] = {
    {"25H", {{"HPL-N 250W", 12700}}},
    {"40H", {{"HPL-N 400W", 22000}}},
    {"25I", {{"HPI PLUS 250W/743", 25500}, {"HPI-T PLUS 250W", 23000}}},
    {"40I", {{"HPI PLUS 400W/743", 42500}, {"HPI-T PLUS 400W", 38000}}},
    {"25N", {{"SON PIA PLUS 250W", 31100}, {"SON-T PIA PLUS 250W", 33200}}},
    {"40N", {{"SON PIA PLUS 400W", 55500}, {"SON-T PIA PLUS 400W", 56500}}},
};

} // namespace

std::vector<LampCatalogueEntry> LampCatalogue(const TDadosLuminaria& data, int kind)
{
    std::vector<LampCatalogueEntry> entries;
    if (kind < 0 || kind >= kMaxLampKinds)
        return entries;
    const std::string base = UpperCp1252(data.LampBase[kind].View());
    std::string_view matched;
    for (std::string_view b : kBaseOrder) {
        if (base.find(b) != std::string::npos) {
            matched = b;
            break;
        }
    }
    if (matched.empty())
        return entries;

    if (matched == "BASE E40") {
        const std::string code = data.LampCode[kind].Text();
        for (const WholeRow& row : kE40)
            if (row.Code == code)
                for (const ColourFlux& lamp : row.Lamps)
                    entries.push_back({std::string(lamp.Colour), double(lamp.Flux)});
        return entries;
    }

    const int power = data.LampPower[kind];
    for (const FamilyRow& row : kFamilies) {
        if (row.Base != matched || row.Power != power)
            continue;
        for (const ColourFlux& c : row.Colours)
            entries.push_back({std::string(row.Family) + " " + std::to_string(row.Power) + "W/" + std::string(c.Colour),
                               double(c.Flux)});
    }
    return entries;
}

} // namespace lumivar
