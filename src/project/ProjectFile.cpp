#include "project/ProjectFile.h"

#include "photometry/RefLuminaria.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace lumivar {

namespace fs = std::filesystem;

namespace {

fs::path PathFromUtf8(const std::string& utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8FromPath(const fs::path& p)
{
    const std::u8string u = p.u8string();
    return std::string(u.begin(), u.end());
}

fs::path FullPath(const fs::path& p)
{
    std::error_code ec;
    fs::path full = fs::absolute(p, ec);
    return ec ? p : full;
}

// The message of an input/output error on `path`.
std::string IoErrorMessage(std::error_code ec, const std::string& path)
{
    if (ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory)
        return FileNotFoundMessage(path);
#ifdef ENOMEDIUM
    if (ec == std::error_code(ENOMEDIUM, std::generic_category()))
        return "A Drive não se encontra preparada!";
#endif
    return "Há um erro de I/O: " + std::to_string(ec.value()) + "\n\n" + ec.message();
}

std::error_code LastErrno()
{
    return {errno, std::generic_category()};
}

std::FILE* OpenFile(const fs::path& p, const char* mode)
{
#ifdef _WIN32
    std::wstring wmode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(p.c_str(), wmode.c_str());
#else
    return std::fopen(p.c_str(), mode);
#endif
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

Result<Bytes> ReadWholeFile(const fs::path& p, const std::string& shownPath)
{
    errno = 0;
    FilePtr f(OpenFile(p, "rb"));
    if (!f)
        return Error{IoErrorMessage(LastErrno(), shownPath)};
    Bytes data;
    std::array<std::uint8_t, 65536> chunk;
    for (;;) {
        errno = 0;
        const std::size_t n = std::fread(chunk.data(), 1, chunk.size(), f.get());
        data.insert(data.end(), chunk.begin(), chunk.begin() + std::ptrdiff_t(n));
        if (n < chunk.size()) {
            if (std::ferror(f.get()))
                return Error{
                    IoErrorMessage(errno != 0 ? LastErrno() : std::make_error_code(std::errc::io_error), shownPath)};
            break;
        }
    }
    return data;
}

// A block preceded by its 32-bit byte count; false when the count is negative or
// runs past the end of the input.
bool TakeCounted(ByteReader& in, ByteSpan& out)
{
    std::int32_t n = 0;
    return in.ReadI32(n) && n >= 0 && in.Take(std::size_t(n), out);
}

// A list count; counts of zero or less mean an empty list. False when the entries
// cannot all fit in what is left of the input.
bool ReadCount(ByteReader& in, std::size_t entrySize, std::size_t& count)
{
    std::int32_t n = 0;
    if (!in.ReadI32(n))
        return false;
    count = n > 0 ? std::size_t(n) : 0;
    return count <= in.Remaining() / entrySize;
}

std::string ReadFailure(const std::string& path, const std::string& specific)
{
    return specific.empty() ? OpenFailureMessage(path) : specific + "\n\n" + OpenFailureMessage(path);
}

std::unique_ptr<TRefLuminaria> ReadReference(ByteReader& in, ProjectVersion version)
{
    const ProjectLayout& layout = LayoutOf(version);
    auto ref = std::make_unique<TRefLuminaria>();
    ByteSpan block;
    if (!in.Take(layout.RefData, block))
        return nullptr;
    ref->Data = ConvertLuminaireData(version, block);
    if (!in.Take(kIntensityBytes, block))
        return nullptr;
    DecodeIntensities(block, ref->Intensities);
    if (!in.ReadI32(ref->GammaCount) || !in.ReadI32(ref->CPlaneCount))
        return nullptr;
    if (layout.RefUgr != 0) {
        if (!in.Take(kUgrBytes, block))
            return nullptr;
        DecodeUgr(block, ref->UGRTable);
    }
    if (!in.Take(layout.RefCosts, block))
        return nullptr;
    if (layout.RefCosts == TCustosLuminaria::Size)
        ref->Costs.Decode(block);
    else
        ref->Costs = ConvertOldCosts(block, ref->Data);
    return ref;
}

} // namespace

std::string FileNotFoundMessage(const std::string& path)
{
    return "O ficheiro  " + path + "  não foi encontrado!";
}

std::string OpenFailureMessage(const std::string& path)
{
    return "Não foi possível abrir o ficheiro!\n" + path;
}

std::string ConversionNotice(const std::string& path, ProjectVersion version)
{
    return "O ficheiro \"" + path + "\" é um projecto Lumivar " + std::string(VersionName(version)) +
           "\n\nVai ser convertido para um novo projecto Lumivar 3.1";
}

Result<ProjectReadResult> ReadProjectBytes(ByteSpan bytes, const std::string& path, const ProjectDefaults& defaults,
                                           double now)
{
    const auto fail = [&](const std::string& specific = {}) { return Error{ReadFailure(path, specific)}; };

    ByteReader in(bytes);
    ByteSpan block;
    if (!in.Take(kProjectSignatureSize, block))
        return fail();
    const std::optional<ProjectVersion> version = VersionFromSignature(block);
    if (!version)
        return fail();
    const ProjectLayout& layout = LayoutOf(*version);

    ProjectReadResult result{ProjectDocument::New(defaults, now), *version, {}};
    ProjectDocument& doc = result.Document;

    if (!in.Take(layout.ProjectRecord, block))
        return fail();
    ConvertProjectRecord(*version, block, doc.ProjectData);
    if (!in.Take(layout.PageRecord, block))
        return fail();
    ConvertPageRecord(*version, block, doc.ReportPage);
    if (!in.Take(layout.ReportOptions, block))
        return fail();
    doc.ReportOptions = ConvertReportOptions(*version, block);
    if (!in.ReadU8(doc.ShowDimensions))
        return fail();

    std::size_t refCount = 0;
    if (!ReadCount(in, layout.RefEntry(), refCount))
        return fail();
    doc.LuminaireRefs.reserve(refCount);
    for (std::size_t i = 0; i < refCount; ++i) {
        std::unique_ptr<TRefLuminaria> ref = ReadReference(in, *version);
        if (!ref)
            return fail();
        doc.LuminaireRefs.push_back(std::move(ref));
    }

    std::size_t luminaireCount = 0;
    if (!ReadCount(in, kPlacedLuminaireSize, luminaireCount))
        return fail();
    doc.Luminaires.reserve(luminaireCount);
    for (std::size_t i = 0; i < luminaireCount; ++i) {
        if (!in.Take(kPlacedLuminaireSize, block))
            return fail();
        TObjectoLuminaria lum;
        lum.X = le::GetF32(block, 0);
        lum.Y = le::GetF32(block, 4);
        lum.Z = le::GetF32(block, 8);
        lum.Angle = le::GetF32(block, 12);
        lum.Number = le::GetI32(block, 16);
        const std::int32_t refIndex = le::GetI32(block, 20);
        if (refIndex < 0 || std::size_t(refIndex) >= doc.LuminaireRefs.size())
            return fail("A luminária nº " + std::to_string(i + 1) + " refere-se a uma referência inexistente (" +
                        std::to_string(refIndex) + ").");
        lum.Attach(doc.LuminaireRefs, refIndex);
        doc.LuminaireRefs[std::size_t(refIndex)]->AddUse();
        doc.Luminaires.push_back(lum);
    }

    if (layout.HasTrailer) {
        ByteSpan text, kind, picture;
        if (!TakeCounted(in, text) || !TakeCounted(in, kind) || !TakeCounted(in, picture))
            return fail();
        doc.Observations.assign(text.begin(), text.end());
        doc.Photo.Kind.assign(kind.begin(), kind.end());
        doc.Photo.Data.assign(picture.begin(), picture.end());
    }

    doc.FileName = path;
    doc.Modified = *version != ProjectVersion::V3_1;
    doc.PlanChanged = false;
    if (*version != ProjectVersion::V3_1)
        result.ConversionNotice = ConversionNotice(path, *version);
    return result;
}

Result<ProjectReadResult> ReadProjectFile(const std::string& path, const ProjectDefaults& defaults, double now)
{
    const fs::path full = FullPath(PathFromUtf8(path));
    const std::string shown = Utf8FromPath(full);
    Result<Bytes> bytes = ReadWholeFile(full, shown);
    if (!bytes)
        return Error{ReadFailure(shown, bytes.Message())};
    return ReadProjectBytes(*bytes, shown, defaults, now);
}

Bytes WriteProjectBytes(const ProjectDocument& doc)
{
    ByteWriter out;
    out.Append(SignatureOf(ProjectVersion::V3_1));

    std::array<std::uint8_t, TDadosProjecto::Size> project{};
    doc.ProjectData.Encode(project);
    out.Append(project);
    std::array<std::uint8_t, TPaginaRelatorio::Size> page{};
    doc.ReportPage.Encode(page);
    out.Append(page);
    std::array<std::uint8_t, TOpcoesRelatorio::Size> options{};
    doc.ReportOptions.Encode(options);
    out.Append(options);
    out.AppendU8(doc.ShowDimensions);

    out.AppendI32(std::int32_t(doc.LuminaireRefs.size()));
    std::vector<std::uint8_t> entry(LayoutOf(ProjectVersion::V3_1).RefEntry());
    for (const auto& ref : doc.LuminaireRefs) {
        const MutableByteSpan e(entry);
        std::size_t at = 0;
        ref->Data.Encode(e.subspan(at, TDadosLuminaria::Size));
        at += TDadosLuminaria::Size;
        EncodeIntensities(ref->Intensities, e.subspan(at, kIntensityBytes));
        at += kIntensityBytes;
        le::PutI32(e, at, ref->GammaCount);
        le::PutI32(e, at + 4, ref->CPlaneCount);
        at += 8;
        EncodeUgr(ref->UGRTable, e.subspan(at, kUgrBytes));
        at += kUgrBytes;
        ref->Costs.Encode(e.subspan(at, TCustosLuminaria::Size));
        out.Append(entry);
    }

    out.AppendI32(std::int32_t(doc.Luminaires.size()));
    for (const TObjectoLuminaria& lum : doc.Luminaires) {
        std::array<std::uint8_t, kPlacedLuminaireSize> b{};
        le::PutF32(b, 0, lum.X);
        le::PutF32(b, 4, lum.Y);
        le::PutF32(b, 8, lum.Z);
        le::PutF32(b, 12, lum.Angle);
        le::PutI32(b, 16, lum.Number);
        le::PutI32(b, 20, lum.RefIndex);
        out.Append(b);
    }

    out.AppendI32(std::int32_t(doc.Observations.size()));
    out.AppendText(doc.Observations);
    out.AppendI32(std::int32_t(doc.Photo.Kind.size()));
    out.AppendText(doc.Photo.Kind);
    out.AppendI32(std::int32_t(doc.Photo.Data.size()));
    out.Append(doc.Photo.Data);
    return out.Take();
}

namespace {

std::string SaveFailure(std::error_code ec, const std::string& shownPath)
{
    return "Não foi possível gravar o ficheiro!\n\n" + IoErrorMessage(ec, shownPath);
}

// Creates a new file of a fresh name beside `target` and opens it for writing.
FilePtr CreateTemporaryBeside(const fs::path& target, fs::path& tempPath, std::error_code& ec)
{
    std::random_device seed;
    std::mt19937 rng(seed());
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name(1, '.');
        name += Utf8FromPath(target.filename());
        name += '.';
        name += std::to_string(rng() % 1000000);
        name += ".tmp";
        tempPath = folder / PathFromUtf8(name);
        errno = 0;
        FilePtr f(OpenFile(tempPath, "wbx"));
        if (f)
            return f;
        ec = LastErrno();
        if (ec != std::errc::file_exists)
            return nullptr;
    }
    return nullptr;
}

} // namespace

Status SaveProjectFile(ProjectDocument& document, const std::string& path)
{
    fs::path target = FullPath(PathFromUtf8(path));
    const std::string shown = Utf8FromPath(target);
    std::error_code ec;
    // Saving through a symbolic link replaces the file it points at, not the link.
    if (fs::is_symlink(target, ec)) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec)
            target = resolved;
    }

    const Bytes image = WriteProjectBytes(document);
    fs::path tempPath;
    ec.clear();
    FilePtr f = CreateTemporaryBeside(target, tempPath, ec);
    if (!f)
        return Error{SaveFailure(ec, shown)};

    const auto discard = [&](std::error_code why) {
        f.reset();
        std::error_code ignored;
        fs::remove(tempPath, ignored);
        return Error{SaveFailure(why, shown)};
    };
    errno = 0;
    if (std::fwrite(image.data(), 1, image.size(), f.get()) != image.size() || std::fflush(f.get()) != 0)
        return discard(errno != 0 ? LastErrno() : std::make_error_code(std::errc::io_error));
#ifndef _WIN32
    if (::fsync(fileno(f.get())) != 0)
        return discard(LastErrno());
#endif
    errno = 0;
    if (std::fclose(f.release()) != 0)
        return discard(errno != 0 ? LastErrno() : std::make_error_code(std::errc::io_error));

    // The replacement keeps the permissions of the file it replaces.
    std::error_code statusError;
    const fs::file_status old = fs::status(target, statusError);
    if (!statusError && fs::is_regular_file(old)) {
        std::error_code ignored;
        fs::permissions(tempPath, old.permissions(), fs::perm_options::replace, ignored);
    }

    fs::rename(tempPath, target, ec);
    if (ec)
        return discard(ec);

    document.FileName = shown;
    document.Modified = false;
    document.PlanChanged = false;
    return Done{};
}

} // namespace lumivar
