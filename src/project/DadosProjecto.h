#pragma once
// The project record: room, reflectances, grids, last results and view settings.
// 784 bytes, also the file image. Metres, lux, percent; room axes x along Length,
// y along Width, z up. Booleans are kept as the stored byte.

#include "base/ByteCodec.h"
#include "base/ShortString.h"

#include <array>
#include <cstdint>

namespace lumivar {

using Boolean = std::uint8_t; // one byte, 0 false, non-zero true; kept as stored

// Surface numbers shared by results, views and reports.
enum Surface : int { Ceiling = 0, WallA = 1, WallB = 2, WallC = 3, WallD = 4, WorkPlane = 5 };

struct TResultadoSuperficie { // 48 bytes
    double Average = 0; // lux, direct
    double Minimum = 0;
    float MinX = 0, MinY = 0; // metres
    double Maximum = 0;
    float MaxX = 0, MaxY = 0;
    double Indirect = 0; // uniform indirect component, lux
    friend bool operator==(const TResultadoSuperficie&, const TResultadoSuperficie&) = default;
};

struct TResultadosCalculo { // 320 bytes
    Boolean DirectDone = 0;
    Boolean IndirectDone = 0;
    std::array<std::uint8_t, 6> Pad2{};
    std::array<TResultadoSuperficie, 6> Surfaces{}; // indexed by Surface
    double OverallMinimum = 0;
    double OverallMaximum = 0;
    double MaxIndirect = 0;
    // The record's image at offset o of b (b.size() >= o + its size).
    void Decode(ByteSpan b, std::size_t o);
    void Encode(MutableByteSpan b, std::size_t o) const;
    friend bool operator==(const TResultadosCalculo&, const TResultadosCalculo&) = default;
};

struct TVistaResultados { // 20 bytes
    std::int32_t Quality = 0; // 0 low, 1 medium, 2 high, 3 chosen grid
    std::int32_t PointsX = 0;
    std::int32_t PointsY = 0;
    std::int32_t IlluminanceKind = 0; // 0 direct, 1 indirect, 2 both
    Boolean ShowLuminaires = 0;
    Boolean WorkAreaOnly = 0;
    std::array<std::uint8_t, 2> Pad18{};
    // The record's image at offset o of b (b.size() >= o + its size).
    void Decode(ByteSpan b, std::size_t o);
    void Encode(MutableByteSpan b, std::size_t o) const;
    friend bool operator==(const TVistaResultados&, const TVistaResultados&) = default;
};

struct TVista3D { // 28 bytes
    std::int32_t Elevation = 0;
    std::int32_t Perspective = 0;
    Boolean Orthogonal = 0;
    std::array<std::uint8_t, 3> Pad9{};
    std::int32_t Rotation = 0;
    std::int32_t Tilt = 0;
    std::int32_t Zoom = 0; // percent
    Boolean WireFrame = 0;
    Boolean ShowLevels = 0;
    Boolean View2D = 0;
    std::array<std::uint8_t, 1> Pad27{};
    // The record's image at offset o of b (b.size() >= o + its size).
    void Decode(ByteSpan b, std::size_t o);
    void Encode(MutableByteSpan b, std::size_t o) const;
    friend bool operator==(const TVista3D&, const TVista3D&) = default;
};

struct TOpcoesIsolux { // 88 bytes
    Boolean AutoLines = 0;
    std::array<std::uint8_t, 3> Pad1{};
    std::int32_t LineCount = 0;
    std::array<std::int32_t, 10> Levels{}; // lux
    std::array<std::uint32_t, 10> Colours{}; // 0x00BBGGRR
    // The record's image at offset o of b (b.size() >= o + its size).
    void Decode(ByteSpan b, std::size_t o);
    void Encode(MutableByteSpan b, std::size_t o) const;
    friend bool operator==(const TOpcoesIsolux&, const TOpcoesIsolux&) = default;
};

struct TOpcoesSeccoes { // 24 bytes
    std::int32_t Plane = 0;
    std::array<float, 5> Positions{}; // metres; 0 = section not defined
    // The record's image at offset o of b (b.size() >= o + its size).
    void Decode(ByteSpan b, std::size_t o);
    void Encode(MutableByteSpan b, std::size_t o) const;
    friend bool operator==(const TOpcoesSeccoes&, const TOpcoesSeccoes&) = default;
};

struct TDadosProjecto {
    static constexpr std::size_t Size = 784;

    ShortString<50> ProjectName; // 0
    ShortString<20> Number; // 51
    ShortString<50> Designer; // 72
    std::array<std::uint8_t, 5> Pad123{}; // 123
    double DateTime = 0; // 128: days since 1899-12-30
    ShortString<50> Space; // 136
    std::array<std::uint8_t, 1> Pad187{}; // 187
    float Width = 0; // 188: plan Y extent
    float Length = 0; // 192: plan X extent
    float Height = 0; // 196
    float WorkPlaneHeight = 0; // 200
    std::array<std::uint8_t, 6> Reflectance{}; // 204: walls A, B, C, D, ceiling, working plane
    std::array<std::uint8_t, 2> Pad210{}; // 210
    float MaintenanceFactor = 0; // 212
    std::int32_t Illuminance = 0; // 216: required, lux
    std::array<std::uint8_t, 6> GridDivisions{}; // 220: plane x,y; walls h,v; ceiling x,y
    std::array<std::uint8_t, 6> Pad226{}; // 226
    TResultadosCalculo Results; // 232
    TVistaResultados ValuesView; // 552
    TVistaResultados TonesView; // 572
    TVista3D IsoluxView3D; // 592
    TOpcoesIsolux Isolux; // 620
    TVista3D SurfaceView3D; // 708
    TOpcoesSeccoes Sections; // 736
    Boolean WorkArea = 0; // 760
    std::array<std::uint8_t, 3> Pad761{}; // 761
    float WorkAreaX1 = 0, WorkAreaY1 = 0, WorkAreaX2 = 0, WorkAreaY2 = 0; // 764: plan coordinates
    float Margin = 0; // 780

    void Decode(ByteSpan image); // image.size() >= Size
    void Encode(MutableByteSpan image) const;
    friend bool operator==(const TDadosProjecto&, const TDadosProjecto&) = default;
};

} // namespace lumivar
