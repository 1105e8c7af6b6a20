#include "project/ProjectVersions.h"

#include "photometry/LampBase.h"
#include "photometry/RefLuminaria.h"
#include "project/ProjectDocument.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace lumivar {

namespace {

constexpr std::array<ProjectLayout, 5> kLayouts{{
    {820, 1092, 76, 324, 0, 40, false}, // 1.0
    {760, 1096, 88, 1120, 0, 40, false}, // 2.0
    {760, 1096, 88, 1488, 0, 80, false}, // 2.2
    {784, 1096, 88, 1488, 760, 80, false}, // 3.0
    {784, 1096, 88, 2264, 760, 80, true}, // 3.1
}};

constexpr std::array<std::string_view, 5> kSignatures{"Projecto Lumivar", "Proj 2.0 Lumivar", "Proj 2.2 Lumivar",
                                                      "Proj 3.0 Lumivar", "Proj 3.1 Lumivar"};
constexpr std::array<std::string_view, 5> kNames{"1.0", "2.0", "2.2", "3.0", "3.1"};

// One step of a block conversion, offsets in the old block (From) and the new image (To).
enum class Op {
    Copy, // Width bytes unchanged
    Text, // a length-prefixed text, cut to the target capacity Width
    ThirdWord, // the third space-separated word of the text at From, cut to Width
    One, // the 32-bit value 1
};

struct Step {
    Op Kind;
    std::size_t From;
    std::size_t To;
    std::size_t Width;
};

// The text at `from` of an old block: its length byte, limited to the block's end.
std::string_view OldText(ByteSpan old, std::size_t from)
{
    const std::size_t available = old.size() - from - 1;
    const std::size_t n = std::min<std::size_t>(old[from], available);
    return {reinterpret_cast<const char*>(old.data() + from + 1), n};
}

// Stores text as a string of capacity `capacity` at `to`: length byte and characters;
// the bytes after them keep what the image held.
void PutText(MutableByteSpan image, std::size_t to, std::size_t capacity, std::string_view text)
{
    const std::size_t n = std::min(text.size(), capacity);
    image[to] = std::uint8_t(n);
    if (n != 0)
        std::memcpy(image.data() + to + 1, text.data(), n);
}

std::string_view ThirdWord(std::string_view text)
{
    int word = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ')
            ++i;
        if (i == text.size())
            break;
        const std::size_t start = i;
        while (i < text.size() && text[i] != ' ')
            ++i;
        if (++word == 3)
            return text.substr(start, i - start);
    }
    return {};
}

void Apply(std::initializer_list<Step> steps, ByteSpan old, MutableByteSpan image)
{
    for (const Step& s : steps) {
        switch (s.Kind) {
        case Op::Copy:
            std::memcpy(image.data() + s.To, old.data() + s.From, s.Width);
            break;
        case Op::Text:
            PutText(image, s.To, s.Width, OldText(old, s.From));
            break;
        case Op::ThirdWord:
            PutText(image, s.To, s.Width, ThirdWord(OldText(old, s.From)));
            break;
        case Op::One:
            le::PutI32(image, s.To, 1);
            break;
        }
    }
}

constexpr std::size_t kProjectName = 50, kNumber = 20, kDesigner = 50, kSpace = 50;

} // namespace

std::size_t ProjectLayout::RefEntry() const
{
    return RefData + kIntensityBytes + 4 + 4 + RefUgr + RefCosts;
}

const ProjectLayout& LayoutOf(ProjectVersion version)
{
    return kLayouts[std::size_t(version)];
}

std::string_view VersionName(ProjectVersion version)
{
    return kNames[std::size_t(version)];
}

std::array<std::uint8_t, kProjectSignatureSize> SignatureOf(ProjectVersion version)
{
    std::array<std::uint8_t, kProjectSignatureSize> s{};
    const std::string_view text = kSignatures[std::size_t(version)];
    std::copy(text.begin(), text.end(), s.begin());
    s[16] = s[17] = 0x1A;
    return s;
}

std::optional<ProjectVersion> VersionFromSignature(ByteSpan first18)
{
    if (first18.size() < kProjectSignatureSize)
        return std::nullopt;
    for (std::size_t v = 0; v < kSignatures.size(); ++v) {
        const auto sig = SignatureOf(ProjectVersion(v));
        if (std::equal(sig.begin(), sig.end(), first18.begin()))
            return ProjectVersion(v);
    }
    return std::nullopt;
}

void ConvertProjectRecord(ProjectVersion version, ByteSpan old, TDadosProjecto& target)
{
    if (version == ProjectVersion::V3_1) {
        target.Decode(old);
        return;
    }
    std::array<std::uint8_t, TDadosProjecto::Size> image{};
    target.Encode(image);
    const std::initializer_list<Step> identity{
        {Op::Text, 0, 0, kProjectName}, {Op::Text, 51, 51, kNumber},  {Op::Text, 72, 72, kDesigner},
        {Op::Copy, 128, 128, 8},        {Op::Text, 136, 136, kSpace}, {Op::Copy, 188, 188, 16},
        {Op::Copy, 204, 204, 6},        {Op::Copy, 212, 212, 8},      {Op::Copy, 220, 220, 6},
        {Op::Copy, 232, 232, 2},        {Op::Copy, 240, 240, 288},    {Op::Copy, 528, 528, 40},
        {Op::Copy, 568, 568, 1},        {Op::Copy, 572, 572, 16},     {Op::Copy, 588, 588, 1},
        {Op::Copy, 592, 592, 28},       {Op::Copy, 620, 620, 88},     {Op::Copy, 708, 708, 28},
        {Op::Copy, 736, 736, 24},
    };
    switch (version) {
    case ProjectVersion::V1_0:
        Apply({{Op::Text, 0, 0, kProjectName},
               {Op::Text, 51, 51, kNumber},
               {Op::Text, 72, 72, kDesigner},
               {Op::Copy, 124, 128, 8},
               {Op::Text, 132, 136, kSpace},
               {Op::Copy, 184, 188, 16},
               {Op::Copy, 200, 204, 6},
               {Op::Copy, 208, 212, 8},
               {Op::Copy, 216, 220, 6},
               {Op::Copy, 224, 232, 2},
               {Op::Copy, 228, 240, 288},
               {Op::Copy, 516, 528, 40},
               {Op::Copy, 556, 568, 1},
               {Op::Copy, 560, 572, 16},
               {Op::Copy, 576, 588, 1},
               {Op::Copy, 796, 736, 24}},
              old, image);
        break;
    case ProjectVersion::V2_0:
    case ProjectVersion::V2_2:
        Apply(identity, old, image);
        break;
    case ProjectVersion::V3_0:
        Apply(identity, old, image);
        Apply({{Op::Copy, 569, 569, 1}, {Op::Copy, 589, 589, 1}, {Op::Copy, 760, 760, 20}}, old, image);
        break;
    case ProjectVersion::V3_1:
        break;
    }
    TDadosProjecto converted;
    converted.Decode(image);
    if (version != ProjectVersion::V3_0) {
        converted.ValuesView.WorkAreaOnly = 0;
        converted.TonesView.WorkAreaOnly = 0;
        converted.WorkArea = 0;
        converted.WorkAreaX1 = converted.WorkAreaY1 = converted.WorkAreaX2 = converted.WorkAreaY2 = 0;
    }
    if (version == ProjectVersion::V1_0)
        converted.IsoluxView3D = converted.SurfaceView3D = DefaultSurfaceView3D();
    converted.Margin = 0;
    target = converted;
}

void ConvertPageRecord(ProjectVersion version, ByteSpan old, TPaginaRelatorio& target)
{
    if (version != ProjectVersion::V1_0) {
        target.Decode(old);
        return;
    }
    std::array<std::uint8_t, TPaginaRelatorio::Size> image{};
    target.Encode(image);
    Apply({{Op::Copy, 0, 0, 3}, {Op::Copy, 4, 8, 32}, {Op::Copy, 36, 40, 528}, {Op::Copy, 564, 568, 528}}, old, image);
    target.Decode(image);
}

namespace {

// The settings after the sheet flags: the same layout in every old version, from `at`.
void ReadOldReportSettings(ByteSpan old, std::size_t at, TOpcoesRelatorio& o)
{
    o.UseProjectValues = old[at];
    o.ValuesQuality = le::GetI32(old, at + 2);
    o.ValuesShowLuminaires = old[at + 6];
    o.ValuesPointsX = le::GetI32(old, at + 10);
    o.ValuesPointsY = le::GetI32(old, at + 14);
    o.UseProjectTones = old[at + 18];
    o.TonesQuality = le::GetI32(old, at + 22);
    o.TonesShowLuminaires = old[at + 26];
    o.TonesPointsX = le::GetI32(old, at + 30);
    o.TonesPointsY = le::GetI32(old, at + 34);
    o.UseProjectSections = old[at + 38];
    o.SectionsPlane = le::GetI32(old, at + 42);
    o.SectionA = le::GetF32(old, at + 46);
    o.SectionB = le::GetF32(old, at + 50);
}

} // namespace

TOpcoesRelatorio ConvertReportOptions(ProjectVersion version, ByteSpan old)
{
    TOpcoesRelatorio o;
    if (version == ProjectVersion::V3_1) {
        o.Decode(old);
        return o;
    }
    o.ReportType = le::GetI32(old, 0);
    if (version == ProjectVersion::V1_0) {
        // Old sheets 0-1, 2-14 and 15-17 are today's 1-2, 4-16 and 18-20.
        for (int k = 0; k < 2; ++k)
            o.Sheets[1 + k] = old[4 + k];
        for (int k = 0; k < 13; ++k)
            o.Sheets[4 + k] = old[6 + k];
        for (int k = 0; k < 3; ++k)
            o.Sheets[18 + k] = old[19 + k];
        ReadOldReportSettings(old, 22, o);
        return o;
    }
    // Every old sheet number moves up by one: the cover sheet came later.
    for (int k = 0; k < 30; ++k)
        o.Sheets[1 + k] = old[4 + k];
    ReadOldReportSettings(old, 34, o);
    return o;
}

TDadosLuminaria ConvertLuminaireData(ProjectVersion version, ByteSpan old)
{
    TDadosLuminaria data;
    if (version == ProjectVersion::V3_1) {
        data.Decode(old);
        return data;
    }
    std::array<std::uint8_t, TDadosLuminaria::Size> image{};
    switch (version) {
    case ProjectVersion::V1_0:
        Apply({{Op::Text, 8, 0, 40},      {Op::Copy, 0, 44, 4},      {Op::Copy, 4, 48, 4},
               {Op::Text, 49, 52, 250},   {Op::One, 0, 304, 4},      {Op::ThirdWord, 8, 308, 5},
               {Op::Text, 90, 332, 40},   {Op::Text, 131, 496, 250}, {Op::Text, 152, 747, 40},
               {Op::Text, 163, 788, 20},  {Op::Text, 176, 809, 250}, {Op::Text, 176, 1813, 40},
               {Op::Text, 205, 1977, 40}, {Op::Text, 216, 2018, 40}, {Op::Text, 227, 2059, 40},
               {Op::Text, 238, 2100, 40}, {Op::Copy, 252, 2144, 8},  {Op::Copy, 260, 2176, 56},
               {Op::Copy, 316, 2244, 4},  {Op::Copy, 320, 2260, 4}},
              old, image);
        break;
    case ProjectVersion::V2_0:
        Apply({{Op::Text, 8, 0, 40},       {Op::Copy, 0, 44, 4},       {Op::Copy, 4, 48, 4},
               {Op::Text, 49, 52, 250},    {Op::One, 0, 304, 4},       {Op::ThirdWord, 8, 308, 5},
               {Op::Text, 130, 332, 40},   {Op::Text, 171, 496, 250},  {Op::Text, 300, 747, 40},
               {Op::Text, 341, 788, 20},   {Op::Text, 362, 809, 250},  {Op::Text, 491, 1060, 250},
               {Op::Text, 620, 1311, 250}, {Op::Text, 749, 1562, 250}, {Op::Text, 362, 1813, 40},
               {Op::Text, 878, 1977, 40},  {Op::Text, 919, 2018, 40},  {Op::Text, 960, 2059, 40},
               {Op::Text, 1001, 2100, 40}, {Op::Copy, 1048, 2144, 8},  {Op::Copy, 1056, 2176, 56},
               {Op::Copy, 1112, 2244, 4},  {Op::Copy, 1116, 2260, 4}},
              old, image);
        break;
    case ProjectVersion::V2_2:
    case ProjectVersion::V3_0:
        Apply({{Op::Text, 0, 0, 40},
               {Op::Copy, 44, 44, 4},
               {Op::Copy, 48, 48, 4},
               {Op::Text, 52, 52, 250},
               {Op::Copy, 136, 304, 4},
               {Op::Text, 328, 496, 250},
               {Op::Text, 457, 747, 40},
               {Op::Text, 498, 788, 20},
               {Op::Copy, 1368, 2144, 120}},
              old, image);
        for (std::size_t k = 0; k < 4; ++k)
            Apply({{Op::Text, 140 + 6 * k, 308 + 6 * k, 5},
                   {Op::Text, 164 + 41 * k, 332 + 41 * k, 40},
                   {Op::Text, 519 + 129 * k, 809 + 251 * k, 250},
                   {Op::Text, 1035 + 41 * k, 1813 + 41 * k, 40},
                   {Op::Text, 1199 + 41 * k, 1977 + 41 * k, 40}},
                  old, image);
        break;
    case ProjectVersion::V3_1:
        break;
    }
    data.Decode(image);
    return data;
}

TCustosLuminaria ConvertOldCosts(ByteSpan old, const TDadosLuminaria& data)
{
    std::array<std::uint8_t, TCustosLuminaria::Size> image{};
    std::vector<BallastItem> ballasts;
    LampBaseInfo(data, 1, ballasts);
    const std::size_t item = old[0]; // 0-based position in the ballast list
    image[0] = item < ballasts.size() ? std::uint8_t(ballasts[item].Kind) : 0;
    image[4] = old[1];
    Apply({{Op::Copy, 4, 8, 4},
           {Op::Copy, 8, 24, 4},
           {Op::Copy, 12, 28, 4},
           {Op::Copy, 16, 44, 4},
           {Op::Copy, 20, 48, 4},
           {Op::Copy, 24, 52, 4},
           {Op::Copy, 28, 68, 4},
           {Op::Copy, 32, 72, 4},
           {Op::Copy, 36, 76, 4}},
          old, image);
    TCustosLuminaria costs;
    costs.Decode(image);
    return costs;
}

} // namespace lumivar
