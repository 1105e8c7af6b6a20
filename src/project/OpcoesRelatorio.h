#pragma once
// Sheet selection and per-sheet options of a project's reports: 88 bytes, also the file image.

#include "base/ByteCodec.h"
#include "project/DadosProjecto.h"

#include <array>
#include <cstdint>

namespace lumivar {

constexpr int kReportSheetSlots = 31; // sheets 0..20 have meaning; 21..30 are kept as read

struct TOpcoesRelatorio {
    static constexpr std::size_t Size = 88;

    std::int32_t ReportType = 0; // 0
    std::array<Boolean, kReportSheetSlots> Sheets{}; // 4
    Boolean UseProjectValues = 0; // 35
    std::int32_t ValuesQuality = 0; // 36
    Boolean ValuesShowLuminaires = 0; // 40
    std::array<std::uint8_t, 3> Pad41{};
    std::int32_t ValuesPointsX = 0; // 44
    std::int32_t ValuesPointsY = 0; // 48
    Boolean UseProjectTones = 0; // 52
    std::array<std::uint8_t, 3> Pad53{};
    std::int32_t TonesQuality = 0; // 56
    Boolean TonesShowLuminaires = 0; // 60
    std::array<std::uint8_t, 3> Pad61{};
    std::int32_t TonesPointsX = 0; // 64
    std::int32_t TonesPointsY = 0; // 68
    Boolean UseProjectSections = 0; // 72
    std::array<std::uint8_t, 3> Pad73{};
    std::int32_t SectionsPlane = 0; // 76
    float SectionA = 0; // 80
    float SectionB = 0; // 84

    void Decode(ByteSpan image);
    void Encode(MutableByteSpan image) const;
    friend bool operator==(const TOpcoesRelatorio&, const TOpcoesRelatorio&) = default;
};

} // namespace lumivar
