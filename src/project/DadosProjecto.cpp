#include "project/DadosProjecto.h"

namespace lumivar {

namespace {

void DecodeSurface(ByteSpan b, std::size_t o, TResultadoSuperficie& s)
{
    s.Average = le::GetF64(b, o);
    s.Minimum = le::GetF64(b, o + 8);
    s.MinX = le::GetF32(b, o + 16);
    s.MinY = le::GetF32(b, o + 20);
    s.Maximum = le::GetF64(b, o + 24);
    s.MaxX = le::GetF32(b, o + 32);
    s.MaxY = le::GetF32(b, o + 36);
    s.Indirect = le::GetF64(b, o + 40);
}

void EncodeSurface(MutableByteSpan b, std::size_t o, const TResultadoSuperficie& s)
{
    le::PutF64(b, o, s.Average);
    le::PutF64(b, o + 8, s.Minimum);
    le::PutF32(b, o + 16, s.MinX);
    le::PutF32(b, o + 20, s.MinY);
    le::PutF64(b, o + 24, s.Maximum);
    le::PutF32(b, o + 32, s.MaxX);
    le::PutF32(b, o + 36, s.MaxY);
    le::PutF64(b, o + 40, s.Indirect);
}

} // namespace

void TResultadosCalculo::Decode(ByteSpan b, std::size_t o)
{
    DirectDone = b[o];
    IndirectDone = b[o + 1];
    le::GetBytes(b, o + 2, Pad2);
    for (std::size_t i = 0; i < Surfaces.size(); ++i)
        DecodeSurface(b, o + 8 + 48 * i, Surfaces[i]);
    OverallMinimum = le::GetF64(b, o + 296);
    OverallMaximum = le::GetF64(b, o + 304);
    MaxIndirect = le::GetF64(b, o + 312);
}

void TResultadosCalculo::Encode(MutableByteSpan b, std::size_t o) const
{
    b[o] = DirectDone;
    b[o + 1] = IndirectDone;
    le::PutBytes(b, o + 2, Pad2);
    for (std::size_t i = 0; i < Surfaces.size(); ++i)
        EncodeSurface(b, o + 8 + 48 * i, Surfaces[i]);
    le::PutF64(b, o + 296, OverallMinimum);
    le::PutF64(b, o + 304, OverallMaximum);
    le::PutF64(b, o + 312, MaxIndirect);
}

void TVistaResultados::Decode(ByteSpan b, std::size_t o)
{
    Quality = le::GetI32(b, o);
    PointsX = le::GetI32(b, o + 4);
    PointsY = le::GetI32(b, o + 8);
    IlluminanceKind = le::GetI32(b, o + 12);
    ShowLuminaires = b[o + 16];
    WorkAreaOnly = b[o + 17];
    le::GetBytes(b, o + 18, Pad18);
}

void TVistaResultados::Encode(MutableByteSpan b, std::size_t o) const
{
    le::PutI32(b, o, Quality);
    le::PutI32(b, o + 4, PointsX);
    le::PutI32(b, o + 8, PointsY);
    le::PutI32(b, o + 12, IlluminanceKind);
    b[o + 16] = ShowLuminaires;
    b[o + 17] = WorkAreaOnly;
    le::PutBytes(b, o + 18, Pad18);
}

void TVista3D::Decode(ByteSpan b, std::size_t o)
{
    Elevation = le::GetI32(b, o);
    Perspective = le::GetI32(b, o + 4);
    Orthogonal = b[o + 8];
    le::GetBytes(b, o + 9, Pad9);
    Rotation = le::GetI32(b, o + 12);
    Tilt = le::GetI32(b, o + 16);
    Zoom = le::GetI32(b, o + 20);
    WireFrame = b[o + 24];
    ShowLevels = b[o + 25];
    View2D = b[o + 26];
    le::GetBytes(b, o + 27, Pad27);
}

void TVista3D::Encode(MutableByteSpan b, std::size_t o) const
{
    le::PutI32(b, o, Elevation);
    le::PutI32(b, o + 4, Perspective);
    b[o + 8] = Orthogonal;
    le::PutBytes(b, o + 9, Pad9);
    le::PutI32(b, o + 12, Rotation);
    le::PutI32(b, o + 16, Tilt);
    le::PutI32(b, o + 20, Zoom);
    b[o + 24] = WireFrame;
    b[o + 25] = ShowLevels;
    b[o + 26] = View2D;
    le::PutBytes(b, o + 27, Pad27);
}

void TOpcoesIsolux::Decode(ByteSpan b, std::size_t o)
{
    AutoLines = b[o];
    le::GetBytes(b, o + 1, Pad1);
    LineCount = le::GetI32(b, o + 4);
    for (std::size_t i = 0; i < Levels.size(); ++i) {
        Levels[i] = le::GetI32(b, o + 8 + 4 * i);
        Colours[i] = le::GetU32(b, o + 48 + 4 * i);
    }
}

void TOpcoesIsolux::Encode(MutableByteSpan b, std::size_t o) const
{
    b[o] = AutoLines;
    le::PutBytes(b, o + 1, Pad1);
    le::PutI32(b, o + 4, LineCount);
    for (std::size_t i = 0; i < Levels.size(); ++i) {
        le::PutI32(b, o + 8 + 4 * i, Levels[i]);
        le::PutU32(b, o + 48 + 4 * i, Colours[i]);
    }
}

void TOpcoesSeccoes::Decode(ByteSpan b, std::size_t o)
{
    Plane = le::GetI32(b, o);
    for (std::size_t i = 0; i < Positions.size(); ++i)
        Positions[i] = le::GetF32(b, o + 4 + 4 * i);
}

void TOpcoesSeccoes::Encode(MutableByteSpan b, std::size_t o) const
{
    le::PutI32(b, o, Plane);
    for (std::size_t i = 0; i < Positions.size(); ++i)
        le::PutF32(b, o + 4 + 4 * i, Positions[i]);
}

void TDadosProjecto::Decode(ByteSpan b)
{
    ProjectName.Decode(b, 0);
    Number.Decode(b, 51);
    Designer.Decode(b, 72);
    le::GetBytes(b, 123, Pad123);
    DateTime = le::GetF64(b, 128);
    Space.Decode(b, 136);
    le::GetBytes(b, 187, Pad187);
    Width = le::GetF32(b, 188);
    Length = le::GetF32(b, 192);
    Height = le::GetF32(b, 196);
    WorkPlaneHeight = le::GetF32(b, 200);
    le::GetBytes(b, 204, Reflectance);
    le::GetBytes(b, 210, Pad210);
    MaintenanceFactor = le::GetF32(b, 212);
    Illuminance = le::GetI32(b, 216);
    le::GetBytes(b, 220, GridDivisions);
    le::GetBytes(b, 226, Pad226);
    Results.Decode(b, 232);
    ValuesView.Decode(b, 552);
    TonesView.Decode(b, 572);
    IsoluxView3D.Decode(b, 592);
    Isolux.Decode(b, 620);
    SurfaceView3D.Decode(b, 708);
    Sections.Decode(b, 736);
    WorkArea = b[760];
    le::GetBytes(b, 761, Pad761);
    WorkAreaX1 = le::GetF32(b, 764);
    WorkAreaY1 = le::GetF32(b, 768);
    WorkAreaX2 = le::GetF32(b, 772);
    WorkAreaY2 = le::GetF32(b, 776);
    Margin = le::GetF32(b, 780);
}

void TDadosProjecto::Encode(MutableByteSpan b) const
{
    ProjectName.Encode(b, 0);
    Number.Encode(b, 51);
    Designer.Encode(b, 72);
    le::PutBytes(b, 123, Pad123);
    le::PutF64(b, 128, DateTime);
    Space.Encode(b, 136);
    le::PutBytes(b, 187, Pad187);
    le::PutF32(b, 188, Width);
    le::PutF32(b, 192, Length);
    le::PutF32(b, 196, Height);
    le::PutF32(b, 200, WorkPlaneHeight);
    le::PutBytes(b, 204, Reflectance);
    le::PutBytes(b, 210, Pad210);
    le::PutF32(b, 212, MaintenanceFactor);
    le::PutI32(b, 216, Illuminance);
    le::PutBytes(b, 220, GridDivisions);
    le::PutBytes(b, 226, Pad226);
    Results.Encode(b, 232);
    ValuesView.Encode(b, 552);
    TonesView.Encode(b, 572);
    IsoluxView3D.Encode(b, 592);
    Isolux.Encode(b, 620);
    SurfaceView3D.Encode(b, 708);
    Sections.Encode(b, 736);
    b[760] = WorkArea;
    le::PutBytes(b, 761, Pad761);
    le::PutF32(b, 764, WorkAreaX1);
    le::PutF32(b, 768, WorkAreaY1);
    le::PutF32(b, 772, WorkAreaX2);
    le::PutF32(b, 776, WorkAreaY2);
    le::PutF32(b, 780, Margin);
}

} // namespace lumivar
