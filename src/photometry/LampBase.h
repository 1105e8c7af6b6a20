#pragma once
// The lamp-base table: for a lamp kind's base and code, the lamp type and the
// system power (all lamps of the code with their ballast) per ballast kind.

#include "photometry/DadosLuminaria.h"

#include <array>
#include <string>
#include <vector>

namespace lumivar {

enum BallastKind : int { Conventional = 0, Electronic = 1, DimmableElectronic = 2 };

struct BallastItem {
    std::string Name; // "Convencional", "Electrónico", "Elect. Reg. Fluxo" (UTF-8)
    int Kind = 0; // 0, 1, 2
};

struct LampBaseResult {
    int LampType = 0; // see LampTypeName
    std::array<float, 3> Powers{}; // W per ballast kind; -1 = kind does not exist
};

// kind is 1..4; a kind outside that range is looked up as an empty base and code.
// ballasts receives the ballast kinds whose power is not -1, in kind order.
LampBaseResult LampBaseInfo(const TDadosLuminaria& data, int kind, std::vector<BallastItem>& ballasts);

// UTF-8 names; empty outside the ranges.
std::string BallastName(int kind); // 0..2
std::string LampTypeName(int type); // 0..5

} // namespace lumivar
