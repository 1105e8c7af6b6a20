#pragma once
// The lamp catalogue offered when a lamp kind's lamp is chosen by name: for the kind's
// base and power (or, for "BASE E40", its lamp code), the commercial lamps that fit,
// each with its luminous flux.

#include "photometry/DadosLuminaria.h"

#include <string>
#include <vector>

namespace lumivar {

struct LampCatalogueEntry {
    std::string Designation; // UTF-8, e.g. "TL-D 36W/840"
    double Flux = 0; // lm
    friend bool operator==(const LampCatalogueEntry&, const LampCatalogueEntry&) = default;
};

// The lamps for lamp kind `kind` (0-based) of a luminaire: matched by the upper-cased
// LampBase (tested as a substring, G13 before G5 and so on) and LampPower; "BASE E40"
// by LampCode. Empty for any other base or power, or a kind outside 0..3.
std::vector<LampCatalogueEntry> LampCatalogue(const TDadosLuminaria& data, int kind);

} // namespace lumivar
