// Byte images of the project records, the defaults of a new project, and attaching a
// reference to a placed luminaire.
#include "project/ProjectDocument.h"

#include <gtest/gtest.h>

#include <array>
#include <ctime>
#include <random>

namespace lumivar {
namespace {

template <std::size_t N> std::array<std::uint8_t, N> RandomImage(unsigned seed)
{
    std::mt19937 rng(seed);
    std::array<std::uint8_t, N> image{};
    for (auto& b : image)
        b = std::uint8_t(rng());
    return image;
}

// Decoding any image and encoding it again gives back every byte: padding, string
// tails, Boolean bytes other than 0 and 1, and any float bit pattern.
template <typename Record> void ExpectImageRoundTrip()
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const auto image = RandomImage<Record::Size>(seed);
        Record r;
        r.Decode(image);
        std::array<std::uint8_t, Record::Size> again{};
        r.Encode(again);
        ASSERT_EQ(image, again) << "seed " << seed;
    }
}

TEST(ProjectRecords, DecodeThenEncodeKeepsEveryByte)
{
    ExpectImageRoundTrip<TDadosProjecto>();
    ExpectImageRoundTrip<TPaginaRelatorio>();
    ExpectImageRoundTrip<TOpcoesRelatorio>();
}

struct FieldAt {
    std::size_t Offset;
    std::uint32_t Value; // the 32-bit little-endian value (or byte) expected there
    int Width; // 1 or 4
};

template <std::size_t N>
void ExpectFields(const std::array<std::uint8_t, N>& image, std::initializer_list<FieldAt> fields)
{
    for (const FieldAt& f : fields) {
        const std::uint32_t got = f.Width == 1 ? image[f.Offset] : le::GetU32(image, f.Offset);
        EXPECT_EQ(got, f.Value) << "at offset " << f.Offset;
    }
}

TEST(ProjectRecords, ProjectRecordFieldsSitAtTheirOffsets)
{
    TDadosProjecto p;
    p.ProjectName = "Sala";
    p.Number = "N1";
    p.Designer = "Ana";
    p.Space = "Aula";
    p.DateTime = 2.0; // 0x4000000000000000
    p.Width = 1.0f; // 0x3F800000
    p.Length = 2.0f;
    p.Height = -2.0f;
    p.WorkPlaneHeight = 0.5f;
    p.Reflectance = {11, 12, 13, 14, 15, 16};
    p.MaintenanceFactor = 4.0f;
    p.Illuminance = 500;
    p.GridDivisions = {21, 22, 23, 24, 25, 26};
    p.Results.DirectDone = 1;
    p.Results.IndirectDone = 1;
    p.Results.Surfaces[WorkPlane].MaxY = 1.0f;
    p.Results.MaxIndirect = 2.0;
    p.ValuesView.PointsY = 33;
    p.ValuesView.WorkAreaOnly = 1;
    p.TonesView.IlluminanceKind = 2;
    p.TonesView.ShowLuminaires = 1;
    p.IsoluxView3D.View2D = 1;
    p.Isolux.Colours[9] = 0x00FF00FF;
    p.SurfaceView3D.Rotation = 345;
    p.Sections.Positions[4] = 1.0f;
    p.WorkArea = 1;
    p.WorkAreaY2 = 1.0f;
    p.Margin = 0.5f;
    std::array<std::uint8_t, TDadosProjecto::Size> image{};
    p.Encode(image);
    ExpectFields(image, {{0, 4, 1},
                         {1, 'S', 1},
                         {51, 2, 1},
                         {72, 3, 1},
                         {136, 4, 1},
                         {128, 0, 4},
                         {128 + 4, 0x40000000, 4},
                         {188, 0x3F800000, 4},
                         {192, 0x40000000, 4},
                         {196, 0xC0000000, 4},
                         {200, 0x3F000000, 4},
                         {204, 11, 1},
                         {209, 16, 1},
                         {212, 0x40800000, 4},
                         {216, 500, 4},
                         {220, 21, 1},
                         {225, 26, 1},
                         {232, 1, 1},
                         {233, 1, 1},
                         {232 + 8 + 5 * 48 + 36, 0x3F800000, 4},
                         {232 + 312 + 4, 0x40000000, 4},
                         {552 + 8, 33, 4},
                         {552 + 17, 1, 1},
                         {572 + 12, 2, 4},
                         {572 + 16, 1, 1},
                         {592 + 26, 1, 1},
                         {620 + 48 + 36, 0x00FF00FF, 4},
                         {708 + 12, 345, 4},
                         {736 + 20, 0x3F800000, 4},
                         {760, 1, 1},
                         {776, 0x3F800000, 4},
                         {780, 0x3F000000, 4}});
}

TEST(ProjectRecords, PageAndOptionFieldsSitAtTheirOffsets)
{
    TPaginaRelatorio page;
    page.MeasureUnit = 1;
    page.Orientation = 1;
    page.PageBorders = 5;
    page.MarginTop = 2.0;
    page.MarginRight = 2.0;
    page.HeaderFontName = "Arial";
    page.HeaderFontSize = 9;
    page.HeaderFontColour = 0x0000FF;
    page.HeaderFontStyle = 3;
    page.HeaderFormat = "ab";
    page.HeaderText = "abc";
    page.FooterFontName = "Tahoma";
    page.FooterFontSize = 8;
    page.FooterFontColour = 0xFF0000;
    page.FooterFontStyle = 4;
    page.FooterFormat = "abcd";
    page.FooterText = std::string(255, 'x');
    std::array<std::uint8_t, TPaginaRelatorio::Size> pageImage{};
    page.Encode(pageImage);
    ExpectFields(pageImage, {{0, 1, 1},
                             {1, 1, 1},
                             {2, 5, 1},
                             {8 + 4, 0x40000000, 4},
                             {32 + 4, 0x40000000, 4},
                             {40, 5, 1},
                             {172, 9, 4},
                             {176, 0xFF, 4},
                             {180, 3, 1},
                             {181, 2, 1},
                             {310, 3, 1},
                             {568, 6, 1},
                             {700, 8, 4},
                             {704, 0xFF0000, 4},
                             {708, 4, 1},
                             {709, 4, 1},
                             {838, 255, 1},
                             {1093, 'x', 1}});

    TOpcoesRelatorio o;
    o.ReportType = 3;
    o.Sheets[0] = 1;
    o.Sheets[30] = 1;
    o.UseProjectValues = 1;
    o.ValuesQuality = 2;
    o.ValuesShowLuminaires = 1;
    o.ValuesPointsX = 44;
    o.ValuesPointsY = 48;
    o.UseProjectTones = 1;
    o.TonesQuality = 56;
    o.TonesShowLuminaires = 1;
    o.TonesPointsX = 64;
    o.TonesPointsY = 68;
    o.UseProjectSections = 1;
    o.SectionsPlane = 76;
    o.SectionA = 1.0f;
    o.SectionB = 2.0f;
    std::array<std::uint8_t, TOpcoesRelatorio::Size> optionsImage{};
    o.Encode(optionsImage);
    ExpectFields(optionsImage, {{0, 3, 4},
                                {4, 1, 1},
                                {5, 0, 1},
                                {34, 1, 1},
                                {35, 1, 1},
                                {36, 2, 4},
                                {40, 1, 1},
                                {44, 44, 4},
                                {48, 48, 4},
                                {52, 1, 1},
                                {56, 56, 4},
                                {60, 1, 1},
                                {64, 64, 4},
                                {68, 68, 4},
                                {72, 1, 1},
                                {76, 76, 4},
                                {80, 0x3F800000, 4},
                                {84, 0x40000000, 4}});
}

TEST(NewProject, TakesEveryDefault)
{
    ProjectDefaults d;
    d.Illuminance = 500;
    d.MaintenanceFactor = 1.5;
    d.Reflectance = {10, 20, 30, 40, 80, 0x1FF}; // only the low byte is kept
    d.ValuesQuality = 2;
    d.ValuesPointsX = 11;
    d.ValuesPointsY = 12;
    d.TonesQuality = 0;
    d.TonesPointsX = 60;
    d.TonesPointsY = 70;
    d.ReportType = 2;
    d.PageBorders = 0x10F;
    d.HeaderFontName = "Times New Roman";
    d.HeaderFontSize = 10;
    d.HeaderFontColour = 0x123456;
    d.HeaderFontStyle = 0x101;
    d.HeaderFormat = "{$TITLE}";
    d.HeaderText = "Iluminação";
    d.FooterText = std::string(300, 'r'); // longer than the field holds
    const ProjectDocument doc = ProjectDocument::New(d, 45000.25);
    const TDadosProjecto& p = doc.ProjectData;

    EXPECT_EQ(p.DateTime, 45000.25);
    EXPECT_EQ(p.Illuminance, 500);
    EXPECT_EQ(p.MaintenanceFactor, 1.5f);
    EXPECT_EQ(p.Reflectance, (std::array<std::uint8_t, 6>{10, 20, 30, 40, 80, 0xFF}));
    EXPECT_EQ(p.GridDivisions, (std::array<std::uint8_t, 6>{15, 15, 15, 15, 15, 15}));
    EXPECT_TRUE(p.ProjectName.Empty());
    EXPECT_EQ(p.Width, 0.0f);
    EXPECT_EQ(p.Results.DirectDone, 0);
    EXPECT_EQ(p.Margin, 0.0f);

    EXPECT_EQ(p.IsoluxView3D, (TVista3D{270, 15, 0, {}, 0, 0, 100, 0, 0, 1, {}}));
    EXPECT_EQ(p.SurfaceView3D, (TVista3D{300, 15, 0, {}, 345, 0, 55, 0, 0, 0, {}}));
    EXPECT_EQ(p.Isolux, (TOpcoesIsolux{1, {}, 7, {}, {}}));
    EXPECT_EQ(p.ValuesView, (TVistaResultados{2, 11, 12, 2, 1, 0, {}}));
    EXPECT_EQ(p.TonesView, (TVistaResultados{0, 60, 70, 2, 1, 0, {}}));
    EXPECT_EQ(p.Sections, TOpcoesSeccoes{});

    const TPaginaRelatorio& page = doc.ReportPage;
    EXPECT_EQ(page.MeasureUnit, 1);
    EXPECT_EQ(page.Orientation, 0);
    EXPECT_EQ(page.PageBorders, 0x0F);
    EXPECT_EQ(page.MarginTop, 15);
    EXPECT_EQ(page.MarginBottom, 25);
    EXPECT_EQ(page.MarginLeft, 15);
    EXPECT_EQ(page.MarginRight, 15);
    EXPECT_EQ(page.HeaderFontName.Text(), "Times New Roman");
    EXPECT_EQ(page.HeaderFontSize, 10);
    EXPECT_EQ(page.HeaderFontColour, 0x123456);
    EXPECT_EQ(page.HeaderFontStyle, 0x01);
    EXPECT_EQ(page.HeaderFormat.Text(), "{$TITLE}");
    EXPECT_EQ(page.HeaderText.Text(), "Ilumina\xE7\xE3o"); // Windows-1252 in the record
    EXPECT_EQ(page.FooterFontName.Text(), "Arial");
    EXPECT_EQ(page.FooterText.Text(), std::string(255, 'r'));

    const TOpcoesRelatorio& o = doc.ReportOptions;
    EXPECT_EQ(o.ReportType, 2);
    for (int k = 0; k < kReportSheetSlots; ++k)
        EXPECT_EQ(o.Sheets[k], (k == 0 || k == 1 || k == 2 || k == 10 || k == 16) ? 1 : 0) << "sheet " << k;
    EXPECT_EQ(o.UseProjectValues + o.ValuesShowLuminaires + o.UseProjectTones + o.TonesShowLuminaires +
                  o.UseProjectSections,
              5);
    EXPECT_EQ(o.ValuesQuality, 0);
    EXPECT_EQ(o.SectionA, 0.0f);

    EXPECT_TRUE(doc.LuminaireRefs.empty());
    EXPECT_TRUE(doc.Luminaires.empty());
    EXPECT_TRUE(doc.Observations.empty());
    EXPECT_TRUE(doc.Photo.Empty());
    EXPECT_FALSE(doc.ShowDimensions || doc.Modified || doc.ZoomActive || doc.PlanChanged);
    EXPECT_EQ(doc.ZoomPercent, 100);
    EXPECT_TRUE(doc.FileName.empty());
}

TEST(NewProject, GridDivisionsAreKeptWithinOneTo255)
{
    const std::array<std::pair<int, int>, 7> cases{
        {{-5, 1}, {0, 1}, {1, 1}, {15, 15}, {255, 255}, {256, 255}, {999, 255}}};
    for (const auto& [preference, stored] : cases) {
        ProjectDefaults d;
        d.GridDivisions.fill(preference);
        const ProjectDocument doc = ProjectDocument::New(d, 0);
        for (std::uint8_t g : doc.ProjectData.GridDivisions)
            EXPECT_EQ(g, stored) << "preference " << preference;
    }
}

TEST(PlacedLuminaire, AttachTakesBodySizesInMetresAndCountsUse)
{
    ProjectDocument doc = ProjectDocument::New(ProjectDefaults{}, 0);
    auto ref = std::make_unique<TRefLuminaria>();
    ref->Data.LengthC = 1250;
    ref->Data.WidthL = 300;
    ref->Data.HeightA = 85;
    ref->Data.DiameterD = 0;
    doc.LuminaireRefs.push_back(std::move(ref));

    TObjectoLuminaria lum;
    lum.RefIndex = 0;
    doc.AddLuminaire(lum);
    doc.AddLuminaire(lum);
    const TObjectoLuminaria& placed = doc.Luminaires.back();
    EXPECT_EQ(placed.Ref, doc.LuminaireRefs[0].get());
    EXPECT_FLOAT_EQ(placed.SizeA, 1.25f);
    EXPECT_FLOAT_EQ(placed.SizeB, 0.3f);
    EXPECT_FLOAT_EQ(placed.SizeC, 0.085f);
    EXPECT_EQ(placed.SizeD, 0.0f);
    EXPECT_EQ(doc.LuminaireRefs[0]->Quantity, 2);

    for (int index : {-1, 1, 7}) {
        TObjectoLuminaria none;
        none.Attach(doc.LuminaireRefs, index);
        EXPECT_EQ(none.Ref, nullptr) << index;
        EXPECT_EQ(none.SizeA, 0.0f);
    }
}

TEST(ProjectPhoto, StreamHeaderIsSkippedOnlyWhenItMatchesTheLength)
{
    const Bytes picture{'B', 'M', 1, 2, 3};
    const auto withHeader = [&](std::uint16_t a, std::uint16_t b, std::uint32_t length) {
        Bytes data{std::uint8_t(a), std::uint8_t(a >> 8), std::uint8_t(b), std::uint8_t(b >> 8)};
        for (int i = 0; i < 4; ++i)
            data.push_back(std::uint8_t(length >> (8 * i)));
        data.insert(data.end(), picture.begin(), picture.end());
        return data;
    };
    struct Case {
        Bytes Data;
        std::size_t Skipped;
    };
    const std::array<Case, 6> cases{{
        {withHeader(1, 0x0100, 5), 8},
        {withHeader(1, 0x0100, 6), 0}, // length does not match
        {withHeader(2, 0x0100, 5), 0},
        {withHeader(1, 0x0001, 5), 0},
        {picture, 0},
        {{1, 0, 0, 1, 0, 0, 0, 0}, 8}, // a header with nothing after it
    }};
    for (const Case& c : cases) {
        ProjectPhoto photo{"TBitmap", c.Data};
        const ByteSpan bytes = photo.PictureBytes();
        EXPECT_EQ(bytes.size(), c.Data.size() - c.Skipped);
        EXPECT_EQ(bytes.data(), photo.Data.data() + c.Skipped);
    }
}

TEST(ProjectPhoto, KnownKindsAreMatchedInAnyCase)
{
    for (const char* kind : {"TBitmap", "TICON", "tmetafile", "TJpegImage"})
        EXPECT_TRUE((ProjectPhoto{kind, {}}.HasKnownKind())) << kind;
    for (const char* kind : {"", "TPngImage", "TBitmap ", "TJPEG"})
        EXPECT_FALSE((ProjectPhoto{kind, {}}.HasKnownKind())) << kind;
}

TEST(NewProject, CurrentDateTimeCountsDaysSince30December1899)
{
    // 25569 is 1 January 1970; local time stays within a day of UTC.
    const double utcDays = 25569.0 + double(std::time(nullptr)) / 86400.0;
    EXPECT_NEAR(CurrentDateTime(), utcDays, 1.0);
}

} // namespace
} // namespace lumivar
