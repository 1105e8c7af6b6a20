#include "support/ProjectWriters.h"

#include "base/TextEncoding.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>

namespace lumivar::fixtures {

namespace {

struct OldSizes {
    std::string_view Signature;
    std::size_t Project, Page, Options, RefData, Ugr, Costs;
};

// Block sizes of the older versions as the file format documents them.
const OldSizes& SizesOf(OldVersion v)
{
    static const std::array<OldSizes, 4> sizes{{
        {"Projecto Lumivar", 820, 1092, 76, 324, 0, 40},
        {"Proj 2.0 Lumivar", 760, 1096, 88, 1120, 0, 40},
        {"Proj 2.2 Lumivar", 760, 1096, 88, 1488, 0, 80},
        {"Proj 3.0 Lumivar", 784, 1096, 88, 1488, 760, 80},
    }};
    return sizes[std::size_t(v)];
}

template <std::size_t N> void FillPattern(std::array<std::uint8_t, N>& a, std::uint8_t seed)
{
    for (std::size_t i = 0; i < N; ++i)
        a[i] = std::uint8_t(seed + 17 * i);
}

// A string whose stored tail holds bytes from an earlier, longer text.
template <std::size_t N> ShortString<N> TextWithTail(std::string_view longer, std::string_view text)
{
    ShortString<N> s(longer);
    s.Assign(text);
    return s;
}

std::unique_ptr<TRefLuminaria> MakeReference(int seed)
{
    auto ref = std::make_unique<TRefLuminaria>();
    TDadosLuminaria& d = ref->Data;
    d.Reference = TextWithTail<40>("RECESSED LOUVRE LUMINAIRE 4X18W", "REC " + std::to_string(seed) + " 2X36");
    FillPattern(d.Pad41, std::uint8_t(seed));
    d.AuxValue = 7 + seed;
    d.Description = Utf8ToCp1252("Luminária de encastrar com grelha");
    FillPattern(d.Pad303, 0xA5);
    d.LampKindCount = 1;
    d.LampCode[0] = "110";
    d.LampName[0] = "TL-D 36W";
    d.LampBase[0] = "BASE G13";
    d.Notes[1] = TextWithTail<40>("a note that was longer", "short");
    FillPattern(d.Pad2141, 0x3C);
    d.LampFlux[0] = 3350;
    d.LengthC = 1200 + seed;
    d.WidthL = 300;
    d.HeightA = 90;
    d.DiameterD = seed == 2 ? 150 : 0;
    d.LampCount[0] = 2;
    d.LampPower[0] = 36;
    d.Efficiency = 71.5f;
    for (int g = 0; g < kGammaRows; ++g)
        for (int c = 0; c < kCPlanes; ++c)
            ref->Intensities[g][c] = 300.0 - 7.5 * g + 0.25 * c + seed;
    ref->GammaCount = 37;
    ref->CPlaneCount = 24;
    for (int r = 0; r < kUgrRows; ++r)
        for (int c = 0; c < kUgrColumns; ++c)
            ref->UGRTable[r][c] = 15.0f + 0.1f * float(r + c);
    ref->Costs.Ballast[0] = 1;
    ref->Costs.LampType[0] = 2;
    ref->Costs.Consumption[0] = 72;
    ref->Costs.LuminairePrice = 123.45f;
    ref->Costs.AnnualUse = 2500;
    return ref;
}

} // namespace

OldProjectFile MakeOldProjectFile(OldVersion version)
{
    const OldSizes& s = SizesOf(version);
    OldProjectFile f;
    f.Version = version;
    f.Project.assign(s.Project, 0);
    f.Page.assign(s.Page, 0);
    f.Options.assign(s.Options, 0);
    return f;
}

OldReference MakeOldReference(OldVersion version)
{
    const OldSizes& s = SizesOf(version);
    OldReference r;
    r.Data.assign(s.RefData, 0);
    r.Costs.assign(s.Costs, 0);
    return r;
}

Bytes WriteOldProjectFile(const OldProjectFile& f)
{
    const OldSizes& s = SizesOf(f.Version);
    ByteWriter out;
    out.AppendText(s.Signature);
    out.AppendU8(0x1A);
    out.AppendU8(0x1A);
    out.Append(f.Project);
    out.Append(f.Page);
    out.Append(f.Options);
    out.AppendU8(f.ShowDimensions);
    out.AppendI32(f.ReferenceCount.value_or(std::int32_t(f.References.size())));
    for (const OldReference& r : f.References) {
        out.Append(r.Data);
        std::array<std::uint8_t, kIntensityBytes> intensities{};
        EncodeIntensities(r.Intensities, intensities);
        out.Append(intensities);
        out.AppendI32(r.GammaCount);
        out.AppendI32(r.CPlaneCount);
        if (s.Ugr != 0) {
            std::array<std::uint8_t, kUgrBytes> ugr{};
            EncodeUgr(r.Ugr, ugr);
            out.Append(ugr);
        }
        out.Append(r.Costs);
    }
    out.AppendI32(std::int32_t(f.Luminaires.size()));
    for (const OldLuminaire& l : f.Luminaires) {
        std::array<std::uint8_t, 24> b{};
        le::PutF32(b, 0, l.X);
        le::PutF32(b, 4, l.Y);
        le::PutF32(b, 8, l.Z);
        le::PutF32(b, 12, l.Angle);
        le::PutI32(b, 16, l.Number);
        le::PutI32(b, 20, l.RefIndex);
        out.Append(b);
    }
    return out.Take();
}

void PutOldText(Bytes& image, std::size_t offset, std::string_view text)
{
    image.at(offset + text.size()); // the text must fit the image
    image[offset] = std::uint8_t(text.size());
    std::copy(text.begin(), text.end(), image.begin() + std::ptrdiff_t(offset) + 1);
}

ProjectDocument MakeRichProject()
{
    ProjectDefaults defaults;
    ProjectDocument doc = ProjectDocument::New(defaults, 45123.5625);
    TDadosProjecto& p = doc.ProjectData;
    p.ProjectName = TextWithTail<50>("Escritório do segundo piso, ala norte", "Escritório");
    p.Number = "2024/17";
    p.Designer = "Eng. Exemplo";
    FillPattern(p.Pad123, 0x11);
    p.Space = "Sala 2.14";
    FillPattern(p.Pad187, 0x22);
    p.Width = 6.5f;
    p.Length = 9.25f;
    p.Height = 3.0f;
    p.WorkPlaneHeight = 0.85f;
    FillPattern(p.Pad210, 0x33);
    FillPattern(p.Pad226, 0x44);
    p.Results.DirectDone = 1;
    p.Results.IndirectDone = 2; // a Boolean byte that is neither 0 nor 1
    FillPattern(p.Results.Pad2, 0x55);
    p.Results.Surfaces[WorkPlane] = {512.5, 201.25, 0.5f, 0.5f, 733.0, 4.5f, 3.25f, 48.0};
    p.Results.OverallMinimum = 12.5;
    p.Results.OverallMaximum = 733.0;
    p.Results.MaxIndirect = 61.0;
    FillPattern(p.ValuesView.Pad18, 0x66);
    FillPattern(p.IsoluxView3D.Pad9, 0x77);
    FillPattern(p.SurfaceView3D.Pad27, 0x88);
    FillPattern(p.Isolux.Pad1, 0x99);
    p.Isolux.Levels = {100, 200, 300, 400, 500, 0, 0, 0, 0, 0};
    p.Isolux.Colours[2] = 0x00FF8040;
    p.Sections.Plane = 5;
    p.Sections.Positions[0] = 1.5f;
    p.WorkArea = 1;
    FillPattern(p.Pad761, 0xAA);
    p.WorkAreaX1 = 1;
    p.WorkAreaY1 = 1;
    p.WorkAreaX2 = 8;
    p.WorkAreaY2 = 5.5f;
    p.Margin = 0.5f;

    FillPattern(doc.ReportPage.Pad3, 0xBB);
    FillPattern(doc.ReportPage.Pad566, 0xCC);
    FillPattern(doc.ReportPage.Pad1094, 0xDD);
    doc.ReportPage.HeaderText = TextWithTail<255>("{$TITLE} - relatório completo", "{$TITLE}");
    doc.ReportOptions.Sheets[25] = 1; // an unused sheet slot, kept as read
    FillPattern(doc.ReportOptions.Pad41, 0xEE);
    FillPattern(doc.ReportOptions.Pad73, 0x0F);
    doc.ShowDimensions = 1;

    doc.LuminaireRefs.push_back(MakeReference(1));
    doc.LuminaireRefs.push_back(MakeReference(2));
    for (const auto& [x, y, angle, number, ref] : std::array<std::tuple<float, float, float, int, int>, 3>{
             {{1.5f, 1.625f, 0.f, 1, 0}, {4.5f, 1.625f, 90.f, 2, 1}, {7.5f, 4.875f, 45.f, 3, 0}}}) {
        TObjectoLuminaria l;
        l.X = x;
        l.Y = y;
        l.Z = 3.0f;
        l.Angle = angle;
        l.Number = number;
        l.RefIndex = ref;
        doc.AddLuminaire(l);
    }

    doc.Observations = "Tecto falso em gesso cartonado.\r\nVer planta \xE0 escala 1:50."; // Windows-1252
    doc.Photo.Kind = "TJPEGImage";
    const Bytes jpeg{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00, 0xFF, 0xD9};
    doc.Photo.Data = {1, 0, 0, 1, std::uint8_t(jpeg.size()), 0, 0, 0};
    doc.Photo.Data.insert(doc.Photo.Data.end(), jpeg.begin(), jpeg.end());
    doc.Modified = false;
    return doc;
}

} // namespace lumivar::fixtures
