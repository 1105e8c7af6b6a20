#include "photometry/PhotometryFile.h"
#include "base/TextEncoding.h"
#include "support/PhotometryWriters.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>

namespace lumivar {
namespace {

template <std::size_t N> void SetTexts(std::array<ShortString<N>, 4>& field, std::array<std::string_view, 4> texts)
{
    for (std::size_t k = 0; k < 4; ++k)
        field[k] = texts[k];
}

// A two-kind recessed louvre luminaire with a symmetric table of whole values.
TRefLuminaria SampleReference()
{
    TRefLuminaria ref;
    TDadosLuminaria& d = ref.Data;
    d.Reference = "LVO 2x36 236 Grelha";
    d.AuxValue = 7;
    d.PhotometryKind = 1;
    d.Description = Utf8ToCp1252("Luminária de encastrar com grelha de aletas");
    d.LampKindCount = 2;
    SetTexts(d.LampCode, {"236", "118", "", ""});
    SetTexts(d.LampName, {"TL-D 36W/840", "TL-D 18W/840", "", ""});
    d.Description2 = Utf8ToCp1252("Corpo em chapa de aço lacada");
    d.Note1 = "Nota 1";
    d.Note2 = "Nota 2";
    d.Characteristics[0] = "BASE G13;BASE G13";
    d.Characteristics[1] = Utf8ToCp1252("Grelha de aletas parabólicas");
    SetTexts(d.LampBase, {"BASE G13", "BASE G13", "", ""});
    SetTexts(d.Notes, {"a", "b", "c", "d"});
    d.LampFlux = {3350, 1350, 0, 0};
    d.AuxReals = {1.5, 0, 0, 2};
    d.CentreOffset = -20;
    d.LengthC = 1200;
    d.WidthL = 600;
    d.HeightA = 80;
    d.LampCount = {2, 1, 0, 0};
    d.LampPower = {36, 18, 0, 0};
    d.Efficiency = 71.5f;
    for (int g = 0; g < kGammaRows; ++g)
        for (int c = 0; c < kCPlanes; ++c)
            ref.Intensities[g][c] = (kGammaRows - g) * 10 + c % 12;
    ref.GammaCount = kGammaRows;
    ref.CPlaneCount = kCPlanes;
    for (int r = 0; r < kUgrRows; ++r)
        for (int c = 0; c < kUgrColumns; ++c)
            ref.UGRTable[r][c] = 15 + r * 0.5f + c * 0.25f;
    return ref;
}

// The record as the one-kind formats (BDB v1.0, "Original") give it back.
TDadosLuminaria OneKind(const TDadosLuminaria& d)
{
    TDadosLuminaria e;
    e.Reference = d.Reference;
    e.AuxValue = d.AuxValue;
    e.PhotometryKind = d.PhotometryKind;
    e.Description = d.Description;
    e.LampKindCount = 1;
    e.LampCode[0] = "236"; // third word of the reference
    e.LampName[0] = d.LampName[0];
    e.Description2 = d.Description2;
    e.Note1 = d.Note1;
    e.Note2 = d.Note2;
    e.Characteristics = d.Characteristics;
    e.LampBase[0] = d.Characteristics[0].View();
    e.Notes = d.Notes;
    e.LampFlux[0] = d.LampFlux[0];
    e.AuxReals = d.AuxReals;
    e.CentreOffset = d.CentreOffset;
    e.LengthC = d.LengthC;
    e.WidthL = d.WidthL;
    e.HeightA = d.HeightA;
    e.DiameterD = d.DiameterD;
    e.LampCount[0] = d.LampCount[0];
    e.LampPower[0] = d.LampPower[0];
    e.Efficiency = d.Efficiency;
    return e;
}

struct FormatCase {
    std::string Name;
    std::string Extension;
    std::function<Bytes(const TRefLuminaria&)> Write;
    std::string Format; // as ReadDescriptionFile names it
    std::function<TDadosLuminaria(const TDadosLuminaria&)> Record; // the record read back
    bool WithUgr;
};

std::vector<FormatCase> Formats()
{
    const auto same = [](const TDadosLuminaria& d) { return d; };
    const auto bdb = [](std::string version) {
        return [version](const TRefLuminaria& r) { return WriteBdbFile(r, BdbSignature(version)); };
    };
    return {
        {"BDB v1.0", ".BDB", bdb("BDB v1.0"), "BDB v1.0\x1A\x1A", OneKind, false},
        {"BDB v2.0", ".BDB", bdb("BDB v2.0"), "BDB v2.0\x1A\x1A", same, false},
        {"BDB v3.0", ".bdb", bdb("BDB v3.0"), "BDB v3.0\x1A\x1A", same, true},
        {"BDB v3.1", ".BDB", bdb("BDB v3.1"), "BDB v3.1\x1A\x1A", same, true},
        {"unknown signature", ".BDB", bdb("LVX v9.9"), "LVX v9.9\x1A\x1A", same, false},
        {"ASC", ".asc", [](const TRefLuminaria& r) { return WriteAscFile(r); }, "ASCII", same, true},
        {"Original", ".LV1", [](const TRefLuminaria& r) { return WriteOriginalFile(r); }, "Original",
         [](const TDadosLuminaria& d) {
             TDadosLuminaria e = OneKind(d);
             e.Characteristics[1] = ShortString<250>{}; // only the first characteristics line is stored
             return e;
         },
         false},
    };
}

TEST(PhotometryFile, EveryFormatReadsBackWhatWasWritten)
{
    const TRefLuminaria ref = SampleReference();
    for (const FormatCase& f : Formats()) {
        SCOPED_TRACE(f.Name);
        const Bytes bytes = f.Write(ref);
        const Result<PhotometryFile> read = ReadPhotometryBytes(bytes, f.Extension, "x");
        ASSERT_TRUE(read) << read.Message();
        EXPECT_EQ(read->Data, f.Record(ref.Data));
        EXPECT_EQ(read->Intensities, ref.Intensities);
        EXPECT_EQ(read->GammaCount, 37);
        EXPECT_EQ(read->CPlaneCount, 24);
        EXPECT_EQ(read->UGRTable, f.WithUgr ? ref.UGRTable : UgrTable{});
        EXPECT_EQ(read->Format, f.Format);

        const Result<PhotometryDescription> description = ReadDescriptionBytes(bytes, f.Extension);
        ASSERT_TRUE(description) << description.Message();
        EXPECT_EQ(description->Data, read->Data);
        EXPECT_EQ(description->Format, f.Format);
    }
}

// Every prefix of a valid file is either refused with the open-failure message or,
// for the text format, read as far as it goes; nothing is read past the prefix
// (each prefix is a separate allocation of its exact size for the sanitizer).
TEST(PhotometryFile, EveryTruncationIsRefusedOrReadSafely)
{
    const TRefLuminaria ref = SampleReference();
    for (const FormatCase& f : Formats()) {
        SCOPED_TRACE(f.Name);
        const Bytes whole = f.Write(ref);
        const bool textFormat = f.Format == "ASCII";
        for (std::size_t n = 0; n < whole.size(); ++n) {
            const Bytes prefix(whole.begin(), whole.begin() + std::ptrdiff_t(n));
            const Result<PhotometryFile> read = ReadPhotometryBytes(prefix, f.Extension, "L.X");
            if (textFormat) {
                ASSERT_TRUE(read) << n;
            } else {
                ASSERT_FALSE(read) << n;
                ASSERT_EQ(
                    read.Message().rfind("Não foi possível abrir o ficheiro da Luminária!\nL.X: o ficheiro termina "
                                         "no byte " +
                                             std::to_string(n) + ", antes do fim",
                                         0),
                    0u)
                    << read.Message();
            }
            (void)ReadDescriptionBytes(prefix, f.Extension);
        }
    }
}

TEST(PhotometryFile, DescriptionNeedsOnlyTheDescriptionPart)
{
    const Bytes bdb = WriteBdbFile(SampleReference(), BdbSignature("BDB v2.0"));
    const Bytes head(bdb.begin(), bdb.begin() + 10 + 1488);
    EXPECT_TRUE(ReadDescriptionBytes(head, ".BDB"));
    EXPECT_FALSE(ReadDescriptionBytes(Bytes(head.begin(), head.end() - 1), ".BDB"));
    EXPECT_FALSE(ReadPhotometryBytes(head, ".BDB"));
}

// Values of the upper-half files: one value per file row, different in every row.
FileRows UpperHalfRows(int rows, int planes)
{
    auto out = FileRows(std::size_t(rows), std::vector<double>(std::size_t(planes)));
    for (int g = 0; g < rows; ++g)
        for (int c = 0; c < planes; ++c)
            out[g][c] = 100 + g;
    return out;
}

TEST(PhotometryFile, UpperHalfFilesFillRowsFromNinetyDegrees)
{
    TDadosLuminaria d = SampleReference().Data;
    d.PhotometryKind = 3;
    const Bytes files[][2] = {
        {WriteAscFile(d, UpperHalfRows(19, 24), {}), Bytes{'.', 'A', 'S', 'C'}},
        {WriteOriginalFile(d, UpperHalfRows(19, 24)), Bytes{'.', 'L', 'V'}},
    };
    for (const auto& [bytes, ext] : files) {
        const std::string extension(ext.begin(), ext.end());
        SCOPED_TRACE(extension);
        const Result<PhotometryFile> read = ReadPhotometryBytes(bytes, extension);
        ASSERT_TRUE(read) << read.Message();
        EXPECT_EQ(read->GammaCount, 37);
        for (int g = 0; g < kGammaRows; ++g)
            EXPECT_EQ(read->Intensities[g][5], g < 18 ? 0.0 : 100 + g - 18) << g;
    }
}

TEST(PhotometryFile, TextAndOriginalTablesAreSymmetrisedUnlessAsymmetric)
{
    TRefLuminaria ref = SampleReference();
    for (auto& row : ref.Intensities)
        for (int c = 0; c < kCPlanes; ++c)
            row[c] = 2 * c;
    const struct {
        std::string_view Characteristic; // Windows-1252
        bool Symmetrised;
    } marks[] = {{"", true}, {"Projector assim\xE9trico", false}, {"ASSIM\xC9TRICO", false}, {"assimetrico", true}};
    for (const auto& mark : marks) {
        SCOPED_TRACE(Cp1252ToUtf8(mark.Characteristic));
        ref.Data.Characteristics[0] = mark.Characteristic; // the one line every format stores
        const std::pair<Bytes, std::string> files[] = {{WriteAscFile(ref), ".ASC"},
                                                       {WriteOriginalFile(ref), ".PHO"},
                                                       {WriteBdbFile(ref, BdbSignature("BDB v3.1")), ".BDB"}};
        for (const auto& [bytes, extension] : files) {
            const Result<PhotometryFile> read = ReadPhotometryBytes(bytes, extension);
            ASSERT_TRUE(read) << read.Message();
            const bool symmetrised = mark.Symmetrised && extension != ".BDB"; // BDB tables stand as read
            for (int c = 0; c < kCPlanes; ++c)
                EXPECT_EQ(read->Intensities[10][c], symmetrised ? 2 * (c % 12) + 12 : 2 * c) << extension << c;
        }
    }
}

std::vector<std::string> Lines(const Bytes& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (std::uint8_t b : text) {
        if (b == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (b != '\r') {
            line += char(b);
        }
    }
    return lines;
}

Bytes Join(const std::vector<std::string>& lines, std::string_view eol = "\n")
{
    std::string text;
    for (const std::string& line : lines)
        text += line + std::string(eol);
    return Bytes(text.begin(), text.end());
}

TEST(PhotometryFile, TextFileWithMissingLinesStillReads)
{
    const std::vector<std::string> lines = Lines(WriteAscFile(SampleReference()));

    // Only the lines up to the lamp codes.
    Result<PhotometryFile> read = ReadPhotometryBytes(Join({lines.begin(), lines.begin() + 6}), ".ASC");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Data.Reference.Text(), "LVO 2x36 236 Grelha");
    EXPECT_EQ(read->Data.LampKindCount, 2);
    EXPECT_EQ(read->Data.LampCode[0].Text(), "236");
    EXPECT_TRUE(read->Data.LampName[0].Empty());
    EXPECT_EQ(read->GammaCount, 0);

    // No "---": every later line counts as a characteristics line, no table.
    std::vector<std::string> noEnd = lines;
    noEnd.erase(std::find(noEnd.begin(), noEnd.end(), "---"));
    read = ReadPhotometryBytes(Join(noEnd), ".ASC");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Data.Characteristics[1].Text(), "Grelha de aletas parab\xF3licas");
    EXPECT_TRUE(read->Data.LampBase[0].Empty());
    EXPECT_EQ(read->Data.LampFlux[0], 0);
    EXPECT_EQ(read->Intensities, IntensityTable{});
    EXPECT_EQ(read->CPlaneCount, 0);
    EXPECT_EQ(read->GammaCount, 0);

    // Values ending early: the counts stand, the missing values stay zero.
    const std::size_t s = std::size_t(std::find(lines.begin(), lines.end(), "---") - lines.begin());
    read = ReadPhotometryBytes(Join({lines.begin(), lines.begin() + std::ptrdiff_t(s + 29 + 40)}, "\r\n"), ".ASC");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->CPlaneCount, 24);
    EXPECT_EQ(read->Intensities[36][0], 5); // plane 0 complete, C180 missing: half of C0
    EXPECT_EQ(read->Intensities[2][1], (351 + 0) / 2.0); // plane 1 has three values; C195 none
    EXPECT_EQ(read->Intensities[3][1], 0);

    // Unreadable numbers read as 0 and integers take their defaults.
    std::vector<std::string> bad = lines;
    bad[2] = "x";
    bad[3] = "1.5";
    bad[s + 5] = "abc;1350";
    read = ReadPhotometryBytes(Join(bad), ".ASC");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Data.AuxValue, 1);
    EXPECT_EQ(read->Data.PhotometryKind, 1);
    EXPECT_EQ(read->Data.LampFlux, (std::array<double, 4>{0, 1350, 0, 0}));
}

TEST(PhotometryFile, TextUgrBlock)
{
    std::vector<std::string> lines = Lines(WriteAscFile(SampleReference()));
    const auto ugr = std::find(lines.begin(), lines.end(), "-UGR-");
    ASSERT_NE(ugr, lines.end());
    *(ugr + 1) = "1 2 3 4 5 6 7 8 9 10 11"; // more than ten fields: the first ten
    *(ugr + 2) = "1  2 3 4 5 6 7 8 9 10"; // two blanks: an empty field, read as 0
    *(ugr + 3) = "1 2 3 4 5 6 7 8 9"; // fewer than ten: the row stays zero
    lines.erase(ugr + 19, lines.end()); // the last row missing
    const Result<PhotometryFile> read = ReadPhotometryBytes(Join(lines), ".ASC");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->UGRTable[0], (std::array<float, 10>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(read->UGRTable[1], (std::array<float, 10>{1, 0, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(read->UGRTable[2], (std::array<float, 10>{}));
    EXPECT_EQ(read->UGRTable[17], SampleReference().UGRTable[17]);
    EXPECT_EQ(read->UGRTable[18], (std::array<float, 10>{}));
}

// Values that tell their place: C-plane c, file row g.
FileRows PlacedRows(int rows, int planes)
{
    auto out = FileRows(std::size_t(rows), std::vector<double>(std::size_t(planes)));
    for (int g = 0; g < rows; ++g)
        for (int c = 0; c < planes; ++c)
            out[g][c] = 1.5 * (100 * c + g + 1);
    return out;
}

TEST(PhotometryFile, SourceDataBeyondTheArraysIsClipped)
{
    TDadosLuminaria d = SampleReference().Data;
    d.Characteristics[0] = "BASE G13 ASSIM\xC9TRICO"; // keep the table as written
    for (int kind : {1, 3}) {
        d.PhotometryKind = kind;
        const int rows = kind == 3 ? 20 : 40; // kind 3: file rows 1..20 land on rows 19..38
        const int offset = kind == 3 ? rows - 1 : 0;
        const std::pair<Bytes, std::string> files[] = {{WriteAscFile(d, PlacedRows(rows, 26), {}), ".ASC"},
                                                       {WriteOriginalFile(d, PlacedRows(rows, 26)), ".PHO"}};
        for (const auto& [bytes, extension] : files) {
            SCOPED_TRACE(extension + " kind " + std::to_string(kind));
            const Result<PhotometryFile> read = ReadPhotometryBytes(bytes, extension);
            ASSERT_TRUE(read) << read.Message();
            EXPECT_EQ(read->CPlaneCount, 24);
            EXPECT_EQ(read->GammaCount, 37);
            for (int g = 0; g < kGammaRows; ++g)
                for (int c = 0; c < kCPlanes; ++c) {
                    const int fileRow = g - offset;
                    const double expected = fileRow < 0 ? 0 : 1.5 * (100 * c + fileRow + 1);
                    ASSERT_NEAR(read->Intensities[g][c], expected, 0.06) << g << " " << c; // 16-bit steps of a row
                }
        }
    }

    // More than four lamp codes: four kinds.
    std::vector<std::string> lines = Lines(WriteAscFile(SampleReference()));
    lines[5] = "Lamp code 236;118;a;b;c;d";
    lines[7] = "n1;n2;n3;n4;n5;n6";
    const Result<PhotometryFile> read = ReadPhotometryBytes(Join(lines), ".ASC");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Data.LampKindCount, 4);
    EXPECT_EQ(read->Data.LampCode[3].Text(), "b");
    EXPECT_EQ(read->Data.LampName[3].Text(), "n4");
}

TEST(PhotometryFile, NegativeCounts)
{
    const TDadosLuminaria d = SampleReference().Data;
    Bytes original = WriteOriginalFile(d, {}); // ends with the two counts
    original[original.size() - 4] = 0xFF;
    original[original.size() - 3] = 0xFF;
    const Result<PhotometryFile> read = ReadPhotometryBytes(original, "", "L");
    ASSERT_FALSE(read);
    EXPECT_NE(read.Message().find("negativo"), std::string::npos) << read.Message();

    std::vector<std::string> lines = Lines(WriteAscFile(SampleReference()));
    const std::size_t s = std::size_t(std::find(lines.begin(), lines.end(), "---") - lines.begin());
    lines[s + 19] = "-3";
    lines[s + 20] = "-2";
    const Result<PhotometryFile> text = ReadPhotometryBytes(Join(lines), ".ASC");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->CPlaneCount, 0);
    EXPECT_EQ(text->GammaCount, 0);
    EXPECT_EQ(text->Intensities, IntensityTable{});
}

TEST(PhotometryFile, ReadsFilesFromDisk)
{
    const auto dir = std::filesystem::temp_directory_path();
    const auto path = dir / ("lumivar-photometry-" + std::to_string(::getpid()) + ".asc");
    {
        const Bytes bytes = WriteAscFile(SampleReference());
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    const Result<PhotometryFile> read = ReadPhotometryFile(path);
    ASSERT_TRUE(read) << read.Message();
    EXPECT_EQ(read->Data, SampleReference().Data);
    const Result<PhotometryDescription> description = ReadDescriptionFile(path);
    ASSERT_TRUE(description);
    EXPECT_EQ(description->Format, "ASCII");
    std::filesystem::remove(path);

    TDadosLuminaria d; // any of the four characteristics lines marks an asymmetric luminaire
    d.Characteristics[3] = "feixe assim\xE9trico";
    EXPECT_TRUE(IsAsymmetric(d));

    const auto huge = dir / ("lumivar-photometry-" + std::to_string(::getpid()) + ".bdb");
    std::ofstream{huge}.close();
    std::filesystem::resize_file(huge, kMaxPhotometryFileBytes + 1);
    const Result<PhotometryFile> tooLarge = ReadPhotometryFile(huge);
    std::filesystem::remove(huge);
    ASSERT_FALSE(tooLarge);
    EXPECT_NE(tooLarge.Message().find("demasiado grande"), std::string::npos) << tooLarge.Message();

    const Result<PhotometryFile> missing = ReadPhotometryFile(dir / "lumivar-no-such-file.BDB");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.Message().rfind("Não foi possível abrir o ficheiro da Luminária!\n", 0), 0u);
    EXPECT_NE(missing.Message().find("lumivar-no-such-file.BDB"), std::string::npos);
}

} // namespace
} // namespace lumivar
