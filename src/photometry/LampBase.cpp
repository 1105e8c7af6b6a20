#include "photometry/LampBase.h"

#include "base/TextEncoding.h"

#include <charconv>
#include <span>
#include <string_view>

namespace lumivar {
namespace {

constexpr float kNone = -1.0f; // ballast kind does not exist for the lamp

struct PowerRow {
    int Code; // lamp code as an integer; the group's first row is its default
    std::string_view E40Code; // text code, E40 group only
    float Powers[3]; // conventional, electronic, dimmable electronic, W
};

struct BaseGroup {
    std::string_view Base; // substring of the upper-cased base text
    int LampType;
    std::span<const PowerRow> Rows;
};

constexpr PowerRow kG13[] = {
    {0, {}, {26, 18.5f, 20.8f}},   {218, {}, {43, 37.5f, 39.6f}}, {318, {}, {69, 54, 57.7f}},
    {418, {}, {86, 75, 77.5f}},    {136, {}, {43, 35.5f, 36.5f}}, {236, {}, {86, 71.5f, 70.4f}},
    {336, {}, {129, 107, 106.9f}}, {436, {}, {172, 143, 140.8f}}, {158, {}, {67, 53.5f, 56}},
    {258, {}, {134, 108, 111}},    {358, {}, {201, 161.5f, 167}},
};
constexpr PowerRow kG5[] = {
    {0, {}, {kNone, 17, 17.8f}},      {214, {}, {kNone, 33, 35.6f}},      {314, {}, {kNone, 48.1f, 51.6f}},
    {414, {}, {kNone, 65.2f, 66.5f}}, {124, {}, {kNone, 25.9f, 25.8f}},   {224, {}, {kNone, 49.6f, 51.5f}},
    {324, {}, {kNone, 75.5f, 77.3f}}, {424, {}, {kNone, 99.2f, 103}},     {121, {}, {kNone, 24, 25.1f}},
    {221, {}, {kNone, 47.5f, 47.7f}}, {139, {}, {kNone, 42.6f, 44.4f}},   {239, {}, {kNone, 82.5f, 90.7f}},
    {128, {}, {kNone, 31.5f, 32}},    {228, {}, {kNone, 63, 61}},         {154, {}, {kNone, 58, 60}},
    {254, {}, {kNone, 113.9f, 116}},  {354, {}, {kNone, 171.9f, 176}},    {454, {}, {kNone, 227.8f, 232}},
    {654, {}, {kNone, 341.7f, 348}},  {135, {}, {kNone, 39, 38}},         {235, {}, {kNone, 77.5f, 75}},
    {149, {}, {kNone, 54.1f, 55}},    {249, {}, {kNone, 107, 110}},       {180, {}, {kNone, 86.5f, 89.5f}},
    {280, {}, {kNone, 172.2f, 179}},  {380, {}, {kNone, 258.7f, 268.5f}},
};
constexpr PowerRow kG23[] = {
    {0, {}, {13, 7, kNone}},
    {207, {}, {17, 14, kNone}},
    {109, {}, {15, 6.8f, kNone}},
    {209, {}, {21, 7.2f, kNone}},
};
constexpr PowerRow k2G11[] = {
    {0, {}, {26, 18.5f, 21}},
    {218, {}, {52, 34.2f, 42}},
    {124, {}, {32, 25.5f, 27}},
    {224, {}, {64, 50.2f, 52}},
    {324, {}, {96, 75.7f, 79}},
    {136, {}, {43, 36.5f, 37.5f}},
    {236, {}, {86, 74, 74}},
    {336, {}, {129, 110.5f, 111.5f}},
    {155, {}, {kNone, 63.7f, 61.5f}},
    {255, {}, {kNone, 124.8f, 117.3f}},
    {355, {}, {kNone, 188.5f, 178.8f}},
    {455, {}, {kNone, 249.6f, 234.6f}},
};
constexpr PowerRow kG24[] = {
    {0, {}, {19, 15, 16.5f}},   {213, {}, {38, 28, 31}},       {118, {}, {26, 19.5f, 20.5f}},
    {218, {}, {52, 37.5f, 40}}, {126, {}, {34, 26.5f, 27.5f}}, {226, {}, {68, 51, 55}},
};
constexpr PowerRow kGX24[] = {
    {0, {}, {kNone, 34.5f, 36.2f}},
    {232, {}, {kNone, 68, 70.7f}},
    {142, {}, {kNone, 46, 47}},
};
constexpr PowerRow kGR10[] = {
    {0, {}, {23, 18, kNone}},
    {121, {}, {29, 23, 20.5f}},
    {128, {}, {36, 28.7f, 26.1f}},
    {138, {}, {45, 39.7f, 37.5f}},
};
constexpr PowerRow k2GX13[] = {
    {0, {}, {kNone, 25.4f, 26.1f}},
    {140, {}, {kNone, 43, 45.5f}},
    {155, {}, {kNone, 60, 61}},
    {160, {}, {kNone, 67.5f, 66}},
};
constexpr PowerRow kE40[] = {
    {0, "25H", {272, kNone, kNone}}, {0, "40H", {426, kNone, kNone}}, {0, "25I", {276, kNone, kNone}},
    {0, "40I", {430, kNone, kNone}}, {0, "25N", {276, kNone, kNone}}, {0, "40N", {435, kNone, kNone}},
};
constexpr PowerRow kE27Fluorescent[] = {{110, {}, {100, kNone, kNone}}};
constexpr PowerRow kE27Halogen[] = {{0, {}, {60, kNone, kNone}}};
constexpr PowerRow kR7S[] = {{0, {}, {100, kNone, kNone}}};
constexpr PowerRow kG4[] = {{0, {}, {20, kNone, kNone}}};

enum LampTypeCode { Linear = 0, Compact = 1, Circular = 2, Discharge = 3, Fluorescent = 4, Halogen = 5 };

// Tested top to bottom, each a substring test; the E27 group is resolved by code below.
constexpr BaseGroup kGroups[] = {
    {"BASE G13", Linear, kG13},     {"BASE G5", Linear, kG5},
    {"BASE G23", Compact, kG23},    {"BASE 2G11", Compact, k2G11},
    {"BASE G24D/Q", Compact, kG24}, {"BASE GX24Q", Compact, kGX24},
    {"BASE GR10Q", Compact, kGR10}, {"BASE 2GX13", Circular, k2GX13},
    {"BASE E40", Discharge, kE40},  {"BASE E27", Fluorescent, kE27Fluorescent},
    {"BASE R7S", Halogen, kR7S},    {"BASE G4", Halogen, kG4},
};

// Integer value of a lamp code; 0 when the text (blanks around it aside) is not an integer.
int CodeValue(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc{} || end != text.data() + text.size())
        return 0;
    return value;
}

} // namespace

LampBaseResult LampBaseInfo(const TDadosLuminaria& data, int kind, std::vector<BallastItem>& ballasts)
{
    std::string base;
    std::string code;
    if (kind >= 1 && kind <= kMaxLampKinds) {
        base = UpperCp1252(data.LampBase[kind - 1].View());
        code = data.LampCode[kind - 1].Text();
    }

    const BaseGroup* group = &kGroups[0]; // no match: the G13 group
    for (const BaseGroup& g : kGroups) {
        if (base.find(g.Base) != std::string::npos) {
            group = &g;
            break;
        }
    }

    LampBaseResult result;
    const PowerRow* row = &group->Rows.front();
    if (group->Base == "BASE E27") {
        if (CodeValue(code) != 110) {
            result.LampType = Halogen;
            row = &kE27Halogen[0];
        } else {
            result.LampType = Fluorescent;
        }
    } else {
        result.LampType = group->LampType;
        const bool byText = group->Base == "BASE E40";
        const int value = byText ? 0 : CodeValue(code);
        for (const PowerRow& r : group->Rows) {
            if (byText ? r.E40Code == code : r.Code == value) {
                row = &r;
                break;
            }
        }
    }

    ballasts.clear();
    for (int b = 0; b < 3; ++b) {
        result.Powers[b] = row->Powers[b];
        if (row->Powers[b] != kNone)
            ballasts.push_back({BallastName(b), b});
    }
    return result;
}

std::string BallastName(int kind)
{
    switch (kind) {
    case Conventional:
        return "Convencional";
    case Electronic:
        return "Electrónico";
    case DimmableElectronic:
        return "Elect. Reg. Fluxo";
    default:
        return {};
    }
}

std::string LampTypeName(int type)
{
    switch (type) {
    case Linear:
        return "Linear";
    case Compact:
        return "Compacta";
    case Circular:
        return "Circulínea";
    case Discharge:
        return "Descarga";
    case Fluorescent:
        return "Fluorescente";
    case Halogen:
        return "Halogéneo";
    default:
        return {};
    }
}

} // namespace lumivar
