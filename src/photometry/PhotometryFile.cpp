#include "photometry/PhotometryFile.h"

#include "base/TextEncoding.h"
#include "photometry/EulumdatReader.h"
#include "photometry/IesReader.h"
#include "photometry/PhotometryReaders.h"

#include <fstream>
#include <system_error>

namespace lumivar {
namespace {

constexpr std::string_view kOpenFailed = "Não foi possível abrir o ficheiro da Luminária!";

Error OpenError(std::string_view displayName, std::string_view detail)
{
    std::string message(kOpenFailed);
    message += '\n';
    if (!displayName.empty()) {
        message += displayName;
        message += ": ";
    }
    message += detail;
    return Error{message};
}

std::string DisplayName(const std::filesystem::path& path)
{
    const std::u8string name = path.u8string();
    return std::string(name.begin(), name.end());
}

std::string ExtensionOf(const std::filesystem::path& path)
{
    const std::u8string ext = path.extension().u8string();
    return std::string(ext.begin(), ext.end());
}

Result<Bytes> ReadWholeFile(const std::filesystem::path& path)
{
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec)
        return Error{"o ficheiro não existe ou não pode ser lido"};
    if (size > kMaxPhotometryFileBytes)
        return Error{"o ficheiro é demasiado grande (" + std::to_string(size) + " bytes)"};
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Error{"o ficheiro não pode ser aberto para leitura"};
    Bytes content(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(content.data()), std::streamsize(content.size()));
    if (std::size_t(in.gcount()) != content.size())
        return Error{"erro de leitura do ficheiro"};
    return content;
}

Result<PhotometryFile> ReadWith(PhotometryFormat format, ByteSpan content, bool descriptionOnly)
{
    switch (format) {
    case PhotometryFormat::Bdb:
        return ReadBdbPhotometry(content, descriptionOnly);
    case PhotometryFormat::Ascii:
        return ReadAscPhotometry(content, descriptionOnly);
    case PhotometryFormat::Original:
        return ReadOriginalPhotometry(content, descriptionOnly);
    // Makers' formats: the readers complete the table from the file's own symmetry.
    case PhotometryFormat::Ies:
        return ReadIesPhotometry(content, descriptionOnly);
    case PhotometryFormat::Eulumdat:
        return ReadEulumdatPhotometry(content, descriptionOnly);
    }
    return ReadOriginalPhotometry(content, descriptionOnly);
}

bool SymmetrisedAfterReading(PhotometryFormat format)
{
    switch (format) {
    case PhotometryFormat::Bdb:
        return false;
    case PhotometryFormat::Ascii:
    case PhotometryFormat::Original:
        return true;
    case PhotometryFormat::Ies:
    case PhotometryFormat::Eulumdat:
        return false;
    }
    return false;
}

} // namespace

PhotometryFormat PhotometryFormatOf(std::string_view extension)
{
    if (!extension.empty() && extension.front() == '.')
        extension.remove_prefix(1);
    std::string upper(extension);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    if (upper == "BDB")
        return PhotometryFormat::Bdb;
    if (upper == "ASC")
        return PhotometryFormat::Ascii;
    if (upper == "IES")
        return PhotometryFormat::Ies;
    if (upper == "LDT")
        return PhotometryFormat::Eulumdat;
    return PhotometryFormat::Original;
}

Error TruncatedFileError(std::size_t size, std::string_view what)
{
    return Error{"o ficheiro termina no byte " + std::to_string(size) + ", antes do fim " + std::string(what)};
}

bool IsAsymmetric(const TDadosLuminaria& data)
{
    static const std::string marker = Utf8ToCp1252("ASSIMÉTRICO");
    for (const auto& line : data.Characteristics)
        if (UpperCp1252(line.View()).find(marker) != std::string::npos)
            return true;
    return false;
}

void Symmetrise(const TDadosLuminaria& data, IntensityTable& intensities)
{
    if (IsAsymmetric(data))
        return;
    constexpr int half = kCPlanes / 2;
    for (auto& row : intensities) {
        for (int c = 0; c < half; ++c) {
            const double mean = (row[c] + row[c + half]) / 2;
            row[c] = mean;
            row[c + half] = mean;
        }
    }
}

Result<PhotometryFile> ReadPhotometryBytes(ByteSpan content, std::string_view extension, std::string_view displayName)
{
    const PhotometryFormat format = PhotometryFormatOf(extension);
    Result<PhotometryFile> file = ReadWith(format, content, false);
    if (!file)
        return OpenError(displayName, file.Message());
    if (SymmetrisedAfterReading(format))
        Symmetrise(file->Data, file->Intensities);
    return file;
}

Result<PhotometryDescription> ReadDescriptionBytes(ByteSpan content, std::string_view extension,
                                                   std::string_view displayName)
{
    Result<PhotometryFile> file = ReadWith(PhotometryFormatOf(extension), content, true);
    if (!file)
        return OpenError(displayName, file.Message());
    return PhotometryDescription{file->Data, file->Format};
}

Result<PhotometryFile> ReadPhotometryFile(const std::filesystem::path& path)
{
    const std::string name = DisplayName(path);
    Result<Bytes> content = ReadWholeFile(path);
    if (!content)
        return OpenError(name, content.Message());
    return ReadPhotometryBytes(*content, ExtensionOf(path), name);
}

Result<PhotometryDescription> ReadDescriptionFile(const std::filesystem::path& path)
{
    const std::string name = DisplayName(path);
    Result<Bytes> content = ReadWholeFile(path);
    if (!content)
        return OpenError(name, content.Message());
    return ReadDescriptionBytes(*content, ExtensionOf(path), name);
}

} // namespace lumivar
