// Reading and writing project files: the 3.1 round trip, the conversion of the older
// versions, damaged and truncated files, and saves that fail.
#include "project/ProjectFile.h"

#include "support/ProjectWriters.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace lumivar {
namespace {

namespace fs = std::filesystem;
using fixtures::OldVersion;

const std::string kPath = "/projectos/sala.prj";
constexpr double kNow = 45100.5;

// Offsets in a 3.1 file without references and luminaires.
constexpr std::size_t kShowDimensionsAt = 18 + 784 + 1096 + 88;
constexpr std::size_t kRefCountAt = kShowDimensionsAt + 1;
constexpr std::size_t kRefEntry = 2264 + 7104 + 4 + 4 + 760 + 80;

Result<ProjectReadResult> Read(const Bytes& bytes)
{
    return ReadProjectBytes(bytes, kPath, ProjectDefaults{}, kNow);
}

void PutI32(Bytes& b, std::size_t at, std::int32_t v)
{
    le::PutI32(b, at, v);
}

template <typename A, typename B> void ExpectSameBytes(const A& got, const B& expected, const std::string& what)
{
    ASSERT_EQ(got.size(), expected.size()) << what;
    for (std::size_t i = 0; i < got.size(); ++i)
        if (got[i] != expected[i]) {
            ADD_FAILURE() << what << ": first difference at byte " << i << " (" << int(got[i]) << " instead of "
                          << int(expected[i]) << ")";
            return;
        }
}

template <typename Record> Bytes ImageOf(const Record& r)
{
    Bytes image(Record::Size);
    r.Encode(image);
    return image;
}

Bytes ReadFileBytes(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const fs::path& p, const Bytes& b)
{
    std::ofstream out(p, std::ios::binary);
    out.write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

class TempFolder {
public:
    TempFolder()
    {
        const testing::TestInfo* t = testing::UnitTest::GetInstance()->current_test_info();
        m_path = fs::temp_directory_path() / ("lumivar-" + std::string(t->name()) + "-" + std::to_string(::getpid()));
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~TempFolder()
    {
        std::error_code ec;
        fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(m_path, ec);
    }
    const fs::path& Path() const { return m_path; }
    std::vector<std::string> Entries() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(m_path))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    fs::path m_path;
};

// ---- Version 3.1 ----

TEST(ProjectFile, RichProjectReadsBackAndRewritesByteForByte)
{
    const ProjectDocument doc = fixtures::MakeRichProject();
    const Bytes first = WriteProjectBytes(doc);
    EXPECT_EQ(first.size(),
              2007 + 2 * kRefEntry + 3 * 24 + doc.Observations.size() + doc.Photo.Kind.size() + doc.Photo.Data.size());

    auto read = Read(first);
    ASSERT_TRUE(read) << read.Message();
    EXPECT_EQ(read->Version, ProjectVersion::V3_1);
    EXPECT_TRUE(read->ConversionNotice.empty());
    const ProjectDocument& back = read->Document;
    EXPECT_FALSE(back.Modified);
    EXPECT_EQ(back.FileName, kPath);
    EXPECT_EQ(back.ProjectData, doc.ProjectData);
    EXPECT_EQ(back.ReportPage, doc.ReportPage);
    EXPECT_EQ(back.ReportOptions, doc.ReportOptions);
    EXPECT_EQ(back.ShowDimensions, doc.ShowDimensions);
    EXPECT_EQ(back.Observations, doc.Observations);
    EXPECT_EQ(back.Photo, doc.Photo);
    ASSERT_EQ(back.LuminaireRefs.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i)
        EXPECT_EQ(*back.LuminaireRefs[i], *doc.LuminaireRefs[i]) << "reference " << i; // use counts included
    ASSERT_EQ(back.Luminaires.size(), doc.Luminaires.size());
    for (std::size_t i = 0; i < back.Luminaires.size(); ++i) {
        const TObjectoLuminaria& a = back.Luminaires[i];
        const TObjectoLuminaria& b = doc.Luminaires[i];
        EXPECT_EQ(std::tie(a.X, a.Y, a.Z, a.Angle, a.Number, a.RefIndex),
                  std::tie(b.X, b.Y, b.Z, b.Angle, b.Number, b.RefIndex));
        EXPECT_EQ(std::tie(a.SizeA, a.SizeB, a.SizeC, a.SizeD), std::tie(b.SizeA, b.SizeB, b.SizeC, b.SizeD));
        EXPECT_EQ(a.Ref, back.LuminaireRefs[std::size_t(a.RefIndex)].get());
    }
    ExpectSameBytes(WriteProjectBytes(back), first, "rewrite");
}

TEST(ProjectFile, EmptyProjectIs2007Bytes)
{
    const ProjectDocument doc = ProjectDocument::New(ProjectDefaults{}, kNow);
    const Bytes bytes = WriteProjectBytes(doc);
    ASSERT_EQ(bytes.size(), 2007u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 18), "Proj 3.1 Lumivar\x1A\x1A");
    EXPECT_TRUE(std::all_of(bytes.begin() + kShowDimensionsAt, bytes.end(), [](auto b) { return b == 0; }));
    auto read = Read(bytes);
    ASSERT_TRUE(read) << read.Message();
    EXPECT_EQ(read->Document.ProjectData, doc.ProjectData);
    EXPECT_TRUE(read->Document.Photo.Empty() && read->Document.Photo.Kind.empty());
}

TEST(ProjectFile, PhotoOfAnyKindIsKeptAsStored)
{
    ProjectDocument doc = ProjectDocument::New(ProjectDefaults{}, kNow);
    doc.Photo = {"TPngImage", {0x89, 'P', 'N', 'G', 0}};
    auto read = Read(WriteProjectBytes(doc));
    ASSERT_TRUE(read) << read.Message();
    EXPECT_EQ(read->Document.Photo, doc.Photo);
    EXPECT_FALSE(read->Document.Photo.HasKnownKind());
}

TEST(ProjectFile, ReferenceCountOfZeroOrLessMeansNoReferences)
{
    for (std::int32_t count : {0, -1, INT_MIN}) {
        Bytes bytes = WriteProjectBytes(ProjectDocument::New(ProjectDefaults{}, kNow));
        PutI32(bytes, kRefCountAt, count);
        auto read = Read(bytes);
        ASSERT_TRUE(read) << count << ": " << read.Message();
        EXPECT_TRUE(read->Document.LuminaireRefs.empty());
    }
    fixtures::OldProjectFile old = fixtures::MakeOldProjectFile(OldVersion::V2_0);
    old.ReferenceCount = -3;
    auto read = Read(fixtures::WriteOldProjectFile(old));
    ASSERT_TRUE(read) << read.Message();
    EXPECT_TRUE(read->Document.LuminaireRefs.empty());
}

TEST(ProjectFile, EveryTruncationIsRejected)
{
    const Bytes full = WriteProjectBytes(fixtures::MakeRichProject());
    for (std::size_t n = 0; n < full.size(); ++n) {
        const Bytes prefix(full.begin(), full.begin() + std::ptrdiff_t(n)); // its own allocation, so an over-read shows
        auto read = Read(prefix);
        ASSERT_FALSE(read) << "a file cut at " << n << " bytes was accepted";
        ASSERT_EQ(read.Message(), OpenFailureMessage(kPath)) << n;
    }
    EXPECT_TRUE(Read(full));
}

TEST(ProjectFile, ImplausibleCountsAndLengthsAreRejected)
{
    constexpr std::size_t luminaireCountAt = kRefCountAt + 4, textAt = luminaireCountAt + 4, kindAt = textAt + 4,
                          pictureAt = kindAt + 4;
    const std::array<std::pair<std::size_t, std::int32_t>, 9> cases{{
        {kRefCountAt, 1},
        {kRefCountAt, INT_MAX},
        {luminaireCountAt, 1},
        {luminaireCountAt, INT_MAX},
        {textAt, 9},
        {textAt, -1},
        {kindAt, INT_MAX},
        {pictureAt, 1},
        {pictureAt, -8},
    }};
    for (const auto& [at, value] : cases) {
        Bytes bytes = WriteProjectBytes(ProjectDocument::New(ProjectDefaults{}, kNow));
        PutI32(bytes, at, value);
        auto read = Read(bytes);
        ASSERT_FALSE(read) << "value " << value << " at " << at;
        EXPECT_EQ(read.Message(), OpenFailureMessage(kPath));
    }
}

TEST(ProjectFile, UnknownSignatureIsRejected)
{
    for (std::string signature : {std::string("Proj 3.2 Lumivar\x1A\x1A"), std::string("Proj 3.1 Lumivar\x1A\0", 18),
                                  std::string("proj 3.1 lumivar\x1A\x1A")}) {
        Bytes bytes = WriteProjectBytes(ProjectDocument::New(ProjectDefaults{}, kNow));
        std::copy(signature.begin(), signature.end(), bytes.begin());
        auto read = Read(bytes);
        ASSERT_FALSE(read);
        EXPECT_EQ(read.Message(), "Não foi possível abrir o ficheiro!\n" + kPath);
    }
}

TEST(ProjectFile, LuminaireNamingNoReferenceIsAnError)
{
    const Bytes good = WriteProjectBytes(fixtures::MakeRichProject()); // 2 references, 3 luminaires
    const std::size_t secondRefIndexAt = kRefCountAt + 4 + 2 * kRefEntry + 4 + 24 + 20;
    for (std::int32_t index : {2, -1, INT_MAX}) {
        Bytes bytes = good;
        PutI32(bytes, secondRefIndexAt, index);
        auto read = Read(bytes);
        ASSERT_FALSE(read) << index;
        EXPECT_EQ(read.Message(), "A luminária nº 2 refere-se a uma referência inexistente (" + std::to_string(index) +
                                      ").\n\nNão foi possível abrir o ficheiro!\n" + kPath);
    }
}

// ---- Files on disk ----

TEST(ProjectFile, SaveThenOpenFromDisk)
{
    TempFolder folder;
    const std::string path = (folder.Path() / "Escritório.prj").string();
    ProjectDocument doc = fixtures::MakeRichProject();
    doc.Modified = doc.PlanChanged = true;
    ASSERT_TRUE(SaveProjectFile(doc, path));
    EXPECT_FALSE(doc.Modified || doc.PlanChanged);
    EXPECT_EQ(doc.FileName, path);
    ExpectSameBytes(ReadFileBytes(path), WriteProjectBytes(doc), "saved file");

    // Saving over it replaces the contents and keeps the file's permissions.
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    doc.Observations = "outra";
    ASSERT_TRUE(SaveProjectFile(doc, path));
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"Escritório.prj"});

    auto read = ReadProjectFile(path, ProjectDefaults{}, kNow);
    ASSERT_TRUE(read) << read.Message();
    EXPECT_EQ(read->Document.FileName, path);
    EXPECT_EQ(read->Document.Observations, "outra");
}

TEST(ProjectFile, MissingFileOrFolderIsNotFound)
{
    TempFolder folder;
    for (const fs::path& p : {folder.Path() / "nada.prj", folder.Path() / "sem-pasta" / "nada.prj"}) {
        auto read = ReadProjectFile(p.string(), ProjectDefaults{}, kNow);
        ASSERT_FALSE(read);
        EXPECT_EQ(read.Message(), "O ficheiro  " + p.string() +
                                      "  não foi encontrado!\n\nNão foi possível abrir o ficheiro!\n" + p.string());
    }
}

TEST(ProjectFile, FailedSaveLeavesTheOldFileAndTheDocumentAsTheyWere)
{
    TempFolder folder;
    ProjectDocument doc = fixtures::MakeRichProject();
    doc.Modified = doc.PlanChanged = true;
    doc.FileName = "antes.prj";

    // The target is a folder holding a file.
    const fs::path target = folder.Path() / "projecto.prj";
    fs::create_directory(target);
    WriteFileBytes(target / "dentro.txt", {1, 2, 3});
    Status saved = SaveProjectFile(doc, target.string());
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.Message().rfind("Não foi possível gravar o ficheiro!\n\nHá um erro de I/O: ", 0), 0u)
        << saved.Message();
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(ReadFileBytes(target / "dentro.txt"), (Bytes{1, 2, 3}));
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"projecto.prj"}); // no temporary file left
    EXPECT_TRUE(doc.Modified && doc.PlanChanged);
    EXPECT_EQ(doc.FileName, "antes.prj");

    // The target's folder does not exist.
    const fs::path nowhere = folder.Path() / "sem-pasta" / "projecto.prj";
    saved = SaveProjectFile(doc, nowhere.string());
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.Message(),
              "Não foi possível gravar o ficheiro!\n\nO ficheiro  " + nowhere.string() + "  não foi encontrado!");
    EXPECT_TRUE(doc.Modified);
}

TEST(ProjectFile, FailedSaveInAReadOnlyFolderKeepsTheOldFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    TempFolder folder;
    const fs::path target = folder.Path() / "projecto.prj";
    const Bytes old{'o', 'l', 'd'};
    WriteFileBytes(target, old);
    fs::permissions(folder.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    ProjectDocument doc = fixtures::MakeRichProject();
    doc.Modified = true;
    ASSERT_FALSE(SaveProjectFile(doc, target.string()));
    EXPECT_EQ(ReadFileBytes(target), old);
    EXPECT_TRUE(doc.Modified);
}

// ---- Older versions ----

constexpr std::array<OldVersion, 4> kOldVersions{OldVersion::V1_0, OldVersion::V2_0, OldVersion::V2_2,
                                                 OldVersion::V3_0};
constexpr std::array<const char*, 4> kOldNames{"1.0", "2.0", "2.2", "3.0"};

TEST(OldProjectFile, ShowsTheConversionNoticeAndIsMarkedModified)
{
    for (std::size_t v = 0; v < kOldVersions.size(); ++v) {
        auto read = Read(fixtures::WriteOldProjectFile(fixtures::MakeOldProjectFile(kOldVersions[v])));
        ASSERT_TRUE(read) << kOldNames[v] << ": " << read.Message();
        EXPECT_EQ(read->Version, ProjectVersion(v));
        EXPECT_EQ(read->ConversionNotice, "O ficheiro \"" + kPath + "\" é um projecto Lumivar " + kOldNames[v] +
                                              "\n\nVai ser convertido para um novo projecto Lumivar 3.1");
        EXPECT_TRUE(read->Document.Modified);
        EXPECT_EQ(read->Document.FileName, kPath);
    }
}

TEST(OldProjectFile, Version22ConvertsAsDocumented)
{
    fixtures::OldProjectFile old = fixtures::MakeOldProjectFile(OldVersion::V2_2);
    old.Options[4] = 1; // old sheet 0
    std::fill(old.Project.begin() + 736, old.Project.end(), 0x7F); // sections; nothing of a work area or margin
    auto read = Read(fixtures::WriteOldProjectFile(old));
    ASSERT_TRUE(read) << read.Message();
    const ProjectDocument& doc = read->Document;
    EXPECT_EQ(doc.ReportOptions.Sheets[0], 0);
    EXPECT_EQ(doc.ReportOptions.Sheets[1], 1);
    EXPECT_EQ(doc.ProjectData.WorkArea, 0);
    EXPECT_EQ(doc.ProjectData.Margin, 0.0f);
    EXPECT_TRUE(doc.Modified);
    EXPECT_EQ(read->ConversionNotice,
              "O ficheiro \"/projectos/sala.prj\" é um projecto Lumivar 2.2\n\nVai ser convertido para um novo "
              "projecto Lumivar 3.1");
}

// Where each part of today's project record comes from: (offset, width) in the 3.1
// record and the offset in the 1.0, 2.0/2.2 and 3.0 records (-1: absent there).
struct RecordMove {
    std::size_t To, Width;
    std::array<int, 3> From;
    bool Text = false;
};

const std::array<RecordMove, 22> kProjectMoves{{
    {0, 51, {0, 0, 0}, true},  {51, 21, {51, 51, 51}, true},     {72, 51, {72, 72, 72}, true},
    {128, 8, {124, 128, 128}}, {136, 51, {132, 136, 136}, true}, {188, 16, {184, 188, 188}},
    {204, 6, {200, 204, 204}}, {212, 8, {208, 212, 212}},        {220, 6, {216, 220, 220}},
    {232, 2, {224, 232, 232}}, {240, 288, {228, 240, 240}},      {528, 40, {516, 528, 528}},
    {568, 1, {556, 568, 568}}, {569, 1, {-1, -1, 569}},          {572, 16, {560, 572, 572}},
    {588, 1, {576, 588, 588}}, {589, 1, {-1, -1, 589}},          {592, 28, {-1, 592, 592}},
    {620, 88, {-1, 620, 620}}, {708, 28, {-1, 708, 708}},        {736, 24, {796, 736, 736}},
    {760, 20, {-1, -1, 760}},
}};

TEST(OldProjectFile, ProjectRecordConvertsFieldByField)
{
    const ProjectDefaults defaults;
    for (std::size_t v = 0; v < kOldVersions.size(); ++v) {
        const std::size_t column = v == 0 ? 0 : v == 3 ? 2 : 1;
        fixtures::OldProjectFile old = fixtures::MakeOldProjectFile(kOldVersions[v]);
        std::fill(old.Project.begin(), old.Project.end(), 0xEE); // bytes no field reads

        ProjectDocument fresh = ProjectDocument::New(defaults, kNow);
        if (kOldVersions[v] == OldVersion::V1_0) // 1.0 had one 3D chart: both views take the surface camera
            fresh.ProjectData.IsoluxView3D = TVista3D{300, 15, 0, {}, 345, 0, 55, 0, 0, 0, {}};
        Bytes expected = ImageOf(fresh.ProjectData);
        for (std::size_t i = 0; i < kProjectMoves.size(); ++i) {
            const RecordMove& m = kProjectMoves[i];
            if (m.From[column] < 0)
                continue;
            const std::size_t from = std::size_t(m.From[column]);
            if (m.Text) {
                const std::string text = "texto " + std::to_string(i);
                fixtures::PutOldText(old.Project, from, text);
                fixtures::PutOldText(expected, m.To, text);
            } else {
                for (std::size_t j = 0; j < m.Width; ++j)
                    old.Project[from + j] = expected[m.To + j] = std::uint8_t(1 + 29 * i + 7 * j);
            }
        }
        auto read = ReadProjectBytes(fixtures::WriteOldProjectFile(old), kPath, defaults, kNow);
        ASSERT_TRUE(read) << read.Message();
        ExpectSameBytes(ImageOf(read->Document.ProjectData), expected, std::string("from ") + kOldNames[v]);
        EXPECT_EQ(read->Document.ProjectData.Margin, 0.0f);
    }
}

struct ByteMove {
    std::size_t From, To, Width;
};

void ApplyMoves(const Bytes& old, Bytes& expected, std::initializer_list<ByteMove> moves)
{
    for (const ByteMove& m : moves)
        std::copy_n(old.begin() + std::ptrdiff_t(m.From), m.Width, expected.begin() + std::ptrdiff_t(m.To));
}

Bytes Pattern(std::size_t size)
{
    Bytes b(size);
    for (std::size_t i = 0; i < size; ++i)
        b[i] = std::uint8_t(3 + 7 * i + i / 251);
    return b;
}

TEST(OldProjectFile, PageRecordAndReportOptionsConvert)
{
    for (std::size_t v = 0; v < kOldVersions.size(); ++v) {
        const bool v10 = kOldVersions[v] == OldVersion::V1_0;
        fixtures::OldProjectFile old = fixtures::MakeOldProjectFile(kOldVersions[v]);
        old.Page = Pattern(old.Page.size());
        old.Options = Pattern(old.Options.size());

        Bytes page = old.Page;
        if (v10) {
            page = ImageOf(ProjectDocument::New(ProjectDefaults{}, kNow).ReportPage);
            ApplyMoves(old.Page, page, {{0, 0, 3}, {4, 8, 32}, {36, 40, 528}, {564, 568, 528}});
        }
        Bytes options(TOpcoesRelatorio::Size, 0); // padding and sheets nobody sets end up zero
        if (v10)
            ApplyMoves(old.Options, options,
                       {{0, 0, 4},
                        {4, 5, 2},
                        {6, 8, 13},
                        {19, 22, 3},
                        {22, 35, 1},
                        {24, 36, 4},
                        {28, 40, 1},
                        {32, 44, 4},
                        {36, 48, 4},
                        {40, 52, 1},
                        {44, 56, 4},
                        {48, 60, 1},
                        {52, 64, 4},
                        {56, 68, 4},
                        {60, 72, 1},
                        {64, 76, 4},
                        {68, 80, 4},
                        {72, 84, 4}});
        else
            ApplyMoves(
                old.Options, options,
                {{0, 0, 4}, {4, 5, 30}, {34, 35, 1}, {36, 36, 5}, {44, 44, 9}, {56, 56, 5}, {64, 64, 9}, {76, 76, 12}});

        auto read = Read(fixtures::WriteOldProjectFile(old));
        ASSERT_TRUE(read) << read.Message();
        ExpectSameBytes(ImageOf(read->Document.ReportPage), page, std::string("page from ") + kOldNames[v]);
        ExpectSameBytes(ImageOf(read->Document.ReportOptions), options, std::string("options from ") + kOldNames[v]);
    }
}

// Where each part of a reference's description comes from in the older first blocks.
struct DataMove {
    std::size_t From, To, Width; // Width 0: a text
};

std::vector<DataMove> DataMoves(OldVersion v)
{
    switch (v) {
    case OldVersion::V1_0:
        return {{8, 0, 0},     {49, 52, 0},    {90, 332, 0},   {131, 496, 0},   {152, 747, 0},  {163, 788, 0},
                {176, 809, 0}, {176, 1813, 0}, {205, 1977, 0}, {216, 2018, 0},  {227, 2059, 0}, {238, 2100, 0},
                {0, 44, 4},    {4, 48, 4},     {252, 2144, 8}, {260, 2176, 56}, {316, 2244, 4}, {320, 2260, 4}};
    case OldVersion::V2_0:
        return {{8, 0, 0},        {49, 52, 0},     {130, 332, 0},   {171, 496, 0},  {300, 747, 0},  {341, 788, 0},
                {362, 809, 0},    {491, 1060, 0},  {620, 1311, 0},  {749, 1562, 0}, {362, 1813, 0}, {878, 1977, 0},
                {919, 2018, 0},   {960, 2059, 0},  {1001, 2100, 0}, {0, 44, 4},     {4, 48, 4},     {1048, 2144, 8},
                {1056, 2176, 56}, {1112, 2244, 4}, {1116, 2260, 4}};
    default: {
        std::vector<DataMove> m{{0, 0, 0},   {52, 52, 0}, {328, 496, 0}, {457, 747, 0},    {498, 788, 0},
                                {44, 44, 4}, {48, 48, 4}, {136, 304, 4}, {1368, 2144, 120}};
        for (std::size_t k = 0; k < 4; ++k)
            m.insert(m.end(), {{140 + 6 * k, 308 + 6 * k, 0},
                               {164 + 41 * k, 332 + 41 * k, 0},
                               {519 + 129 * k, 809 + 251 * k, 0},
                               {1035 + 41 * k, 1813 + 41 * k, 0},
                               {1199 + 41 * k, 1977 + 41 * k, 0}});
        return m;
    }
    }
}

TEST(OldProjectFile, ReferencesConvertAndLuminairesAttach)
{
    for (std::size_t v = 0; v < kOldVersions.size(); ++v) {
        const OldVersion version = kOldVersions[v];
        const bool early = version == OldVersion::V1_0 || version == OldVersion::V2_0;
        fixtures::OldProjectFile old = fixtures::MakeOldProjectFile(version);
        fixtures::OldReference ref = fixtures::MakeOldReference(version);
        std::fill(ref.Data.begin(), ref.Data.end(), 0xEE);
        Bytes expected(TDadosLuminaria::Size, 0);
        for (const DataMove& m : DataMoves(version)) {
            if (m.Width == 0) {
                // Early versions took the lamp code from the third word of the reference name.
                const std::string text = early && m.From == 8 ? "LUM  X   T5HO28 Y" : "s" + std::to_string(m.From);
                fixtures::PutOldText(ref.Data, m.From, text);
                fixtures::PutOldText(expected, m.To, text);
            } else {
                for (std::size_t j = 0; j < m.Width; ++j)
                    ref.Data[m.From + j] = expected[m.To + j] = std::uint8_t(5 + 11 * m.From + 3 * j);
            }
        }
        if (early) {
            le::PutI32(expected, 304, 1); // one lamp kind
            fixtures::PutOldText(expected, 308, "T5HO2");
        }
        ref.Intensities[36][23] = 12.5;
        ref.GammaCount = 19;
        ref.CPlaneCount = 13;
        ref.Ugr[18][9] = 22.5f;
        if (!early)
            ref.Costs = Pattern(80);
        old.References = {ref, ref};
        old.Luminaires = {{1, 2, 3, 90, 7, 1}};

        auto read = Read(fixtures::WriteOldProjectFile(old));
        ASSERT_TRUE(read) << kOldNames[v] << ": " << read.Message();
        const ProjectDocument& doc = read->Document;
        ASSERT_EQ(doc.LuminaireRefs.size(), 2u);
        const TRefLuminaria& got = *doc.LuminaireRefs[1];
        ExpectSameBytes(ImageOf(got.Data), expected, std::string("description from ") + kOldNames[v]);
        EXPECT_EQ(got.Intensities[36][23], 12.5);
        EXPECT_EQ(got.GammaCount, 19);
        EXPECT_EQ(got.CPlaneCount, 13);
        EXPECT_EQ(got.UGRTable[18][9], version == OldVersion::V3_0 ? 22.5f : 0.0f);
        if (!early)
            ExpectSameBytes(ImageOf(got.Costs), Pattern(80), "costs");

        ASSERT_EQ(doc.Luminaires.size(), 1u);
        const TObjectoLuminaria& lum = doc.Luminaires[0];
        EXPECT_EQ(lum.X, 1.0f);
        EXPECT_EQ(lum.Angle, 90.0f);
        EXPECT_EQ(lum.Number, 7);
        EXPECT_EQ(lum.Ref, &got);
        EXPECT_EQ(lum.SizeA, float(got.Data.LengthC / 1000.0));
        EXPECT_EQ(got.Quantity, 1);
        EXPECT_EQ(doc.LuminaireRefs[0]->Quantity, 0);
    }
}

TEST(OldProjectFile, ThirdWordOfTheNameBecomesTheLampCode)
{
    const std::array<std::pair<const char*, const char*>, 5> cases{{
        {"REC 2X36 T8", "T8"},
        {"A  B    CDEFGHIJ  D", "CDEFG"},
        {"  LEAD A B", "B"},
        {"ONE TWO", ""},
        {"", ""},
    }};
    for (const auto& [name, code] : cases) {
        fixtures::OldProjectFile old = fixtures::MakeOldProjectFile(OldVersion::V2_0);
        fixtures::OldReference ref = fixtures::MakeOldReference(OldVersion::V2_0);
        fixtures::PutOldText(ref.Data, 8, name);
        old.References = {ref};
        auto read = Read(fixtures::WriteOldProjectFile(old));
        ASSERT_TRUE(read) << read.Message();
        EXPECT_EQ(read->Document.LuminaireRefs[0]->Data.LampCode[0].Text(), code) << name;
    }
}

TEST(OldProjectFile, CostBlockTakesTheBallastFromTheListPosition)
{
    // A G5 lamp has no conventional ballast: its list holds electronic (1) and dimmable (2).
    const std::array<std::pair<std::uint8_t, std::uint8_t>, 4> itemToKind{{{0, 1}, {1, 2}, {2, 0}, {255, 0}}};
    for (OldVersion version : {OldVersion::V1_0, OldVersion::V2_0}) {
        for (const auto& [item, kind] : itemToKind) {
            fixtures::OldProjectFile old = fixtures::MakeOldProjectFile(version);
            fixtures::OldReference ref = fixtures::MakeOldReference(version);
            fixtures::PutOldText(ref.Data, 8, "TUBO T5 14");
            fixtures::PutOldText(ref.Data, version == OldVersion::V1_0 ? 176 : 362, "BASE G5");
            ref.Costs[0] = item;
            ref.Costs[1] = 3;
            for (std::size_t k = 0; k < 9; ++k)
                le::PutF32(ref.Costs, 4 + 4 * k, float(k + 1));
            old.References = {ref};
            auto read = Read(fixtures::WriteOldProjectFile(old));
            ASSERT_TRUE(read) << read.Message();
            const TCustosLuminaria& c = read->Document.LuminaireRefs[0]->Costs;
            EXPECT_EQ(c.Ballast, (std::array<std::uint8_t, 4>{kind, 0, 0, 0})) << "item " << int(item);
            EXPECT_EQ(c.LampType, (std::array<std::uint8_t, 4>{3, 0, 0, 0}));
            EXPECT_EQ(c.Consumption, (std::array<float, 4>{1, 0, 0, 0}));
            EXPECT_EQ(std::tie(c.LuminairePrice, c.InstallCost, c.EnergyPrice, c.AnnualUse, c.CleaningCost,
                               c.ReplacementCost),
                      std::make_tuple(2.0f, 4.0f, 5.0f, 7.0f, 8.0f, 9.0f));
            EXPECT_EQ(c.LampPrice, (std::array<float, 4>{3, 0, 0, 0}));
            EXPECT_EQ(c.LampLife, (std::array<float, 4>{6, 0, 0, 0}));
        }
    }
}

TEST(OldProjectFile, EveryTruncationIsRejected)
{
    for (OldVersion version : kOldVersions) {
        fixtures::OldProjectFile old = fixtures::MakeOldProjectFile(version);
        old.References = {fixtures::MakeOldReference(version)};
        old.Luminaires = {{1, 1, 3, 0, 1, 0}, {2, 1, 3, 0, 2, 0}};
        const Bytes full = fixtures::WriteOldProjectFile(old);
        for (std::size_t n = 0; n < full.size(); ++n) {
            const Bytes prefix(full.begin(), full.begin() + std::ptrdiff_t(n));
            ASSERT_FALSE(Read(prefix)) << "cut at " << n;
        }
        EXPECT_TRUE(Read(full));
    }
}

} // namespace
} // namespace lumivar
