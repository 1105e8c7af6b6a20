#include "base/TextEncoding.h"
#include "photometry/PhotometryReaders.h"
#include "photometry/TextFields.h"

#include <string>

namespace lumivar {
namespace {

constexpr std::size_t kSignatureBytes = 10;
constexpr std::size_t kLayout1Bytes = 1120; // "BDB v1.0"
constexpr std::size_t kLayout2Bytes = 1488; // "BDB v2.0", "BDB v3.0"

enum class BdbVersion { V10, V20, V30, V31, Other }; // Other: read as 3.1 without UGR table

BdbVersion VersionOf(std::string_view signature)
{
    using namespace std::string_view_literals;
    if (signature == "BDB v1.0\x1A\x1A"sv)
        return BdbVersion::V10;
    if (signature == "BDB v2.0\x1A\x1A"sv)
        return BdbVersion::V20;
    if (signature == "BDB v3.0\x1A\x1A"sv)
        return BdbVersion::V30;
    if (signature == "BDB v3.1\x1A\x1A"sv)
        return BdbVersion::V31;
    return BdbVersion::Other;
}

template <std::size_t N, std::size_t M> void CopyText(ByteSpan b, std::size_t offset, ShortString<M>& out)
{
    ShortString<N> s;
    s.Decode(b, offset);
    out.AssignFrom(s);
}

// Layout 1: one lamp kind, shorter texts. Fields the layout lacks stay zero.
void DecodeLayout1(ByteSpan b, TDadosLuminaria& d)
{
    d = TDadosLuminaria{};
    d.AuxValue = le::GetI32(b, 0);
    d.PhotometryKind = le::GetI32(b, 4);
    CopyText<40>(b, 8, d.Reference);
    CopyText<80>(b, 49, d.Description);
    CopyText<40>(b, 130, d.LampName[0]);
    CopyText<128>(b, 171, d.Description2);
    CopyText<40>(b, 300, d.Note1);
    CopyText<20>(b, 341, d.Note2);
    for (int k = 0; k < 4; ++k) {
        CopyText<128>(b, 362 + 129 * k, d.Characteristics[k]);
        CopyText<40>(b, 878 + 41 * k, d.Notes[k]);
        d.AuxReals[k] = le::GetF64(b, 1056 + 8 * k);
    }
    d.LampFlux[0] = le::GetF64(b, 1048);
    d.CentreOffset = le::GetI32(b, 1088);
    d.LengthC = le::GetI32(b, 1092);
    d.WidthL = le::GetI32(b, 1096);
    d.HeightA = le::GetI32(b, 1100);
    d.DiameterD = le::GetI32(b, 1104);
    d.LampCount[0] = le::GetI32(b, 1108);
    d.LampPower[0] = le::GetI32(b, 1112);
    d.Efficiency = le::GetF32(b, 1116);

    d.LampKindCount = 1;
    d.LampCode[0] = BlankWord(d.Reference.View(), 3);
    d.LampBase[0] = d.Characteristics[0].View();
}

// Layout 2: four lamp kinds; the description texts are shorter than in the record.
void DecodeLayout2(ByteSpan b, TDadosLuminaria& d)
{
    d = TDadosLuminaria{};
    d.Reference.Decode(b, 0);
    d.AuxValue = le::GetI32(b, 44);
    d.PhotometryKind = le::GetI32(b, 48);
    CopyText<80>(b, 52, d.Description);
    d.LampKindCount = le::GetI32(b, 136);
    for (int k = 0; k < 4; ++k) {
        d.LampCode[k].Decode(b, 140 + 6 * k);
        d.LampName[k].Decode(b, 164 + 41 * k);
        CopyText<128>(b, 519 + 129 * k, d.Characteristics[k]);
        d.LampBase[k].Decode(b, 1035 + 41 * k);
        d.Notes[k].Decode(b, 1199 + 41 * k);
        d.LampFlux[k] = le::GetF64(b, 1368 + 8 * k);
        d.AuxReals[k] = le::GetF64(b, 1400 + 8 * k);
        d.LampCount[k] = le::GetI32(b, 1452 + 4 * k);
        d.LampPower[k] = le::GetI32(b, 1468 + 4 * k);
    }
    CopyText<128>(b, 328, d.Description2);
    d.Note1.Decode(b, 457);
    d.Note2.Decode(b, 498);
    d.CentreOffset = le::GetI32(b, 1432);
    d.LengthC = le::GetI32(b, 1436);
    d.WidthL = le::GetI32(b, 1440);
    d.HeightA = le::GetI32(b, 1444);
    d.DiameterD = le::GetI32(b, 1448);
    d.Efficiency = le::GetF32(b, 1484);
}

} // namespace

Result<PhotometryFile> ReadBdbPhotometry(ByteSpan content, bool descriptionOnly)
{
    ByteReader reader(content);
    PhotometryFile file;

    ByteSpan signature;
    if (!reader.Take(kSignatureBytes, signature))
        return TruncatedFileError(content.size(), "da assinatura");
    const std::string signatureText(signature.begin(), signature.end());
    file.Format = Cp1252ToUtf8(signatureText);
    const BdbVersion version = VersionOf(signatureText);

    const bool layout2 = version == BdbVersion::V20 || version == BdbVersion::V30;
    const std::size_t descriptionBytes = version == BdbVersion::V10 ? kLayout1Bytes
                                         : layout2                  ? kLayout2Bytes
                                                                    : TDadosLuminaria::Size;
    ByteSpan description;
    if (!reader.Take(descriptionBytes, description))
        return TruncatedFileError(content.size(), "da descrição da luminária");
    switch (version) {
    case BdbVersion::V10:
        DecodeLayout1(description, file.Data);
        break;
    case BdbVersion::V20:
    case BdbVersion::V30:
        DecodeLayout2(description, file.Data);
        break;
    case BdbVersion::V31:
    case BdbVersion::Other:
        file.Data.Decode(description);
        break;
    }
    if (descriptionOnly)
        return file;

    if (!reader.ReadI32(file.GammaCount) || !reader.ReadI32(file.CPlaneCount))
        return TruncatedFileError(content.size(), "do número de ângulos");
    ByteSpan block;
    if (!reader.Take(kIntensityBytes, block))
        return TruncatedFileError(content.size(), "da tabela de intensidades");
    DecodeIntensities(block, file.Intensities);
    if (version == BdbVersion::V30 || version == BdbVersion::V31) {
        if (!reader.Take(kUgrBytes, block))
            return TruncatedFileError(content.size(), "da tabela UGR");
        DecodeUgr(block, file.UGRTable);
    }
    return file;
}

} // namespace lumivar
