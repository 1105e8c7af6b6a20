#include "support/PhotometryWriters.h"

#include "base/ShortString.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace lumivar {
namespace {

// A record text into a field of another capacity at offset.
template <std::size_t N, std::size_t M> void PutText(MutableByteSpan b, std::size_t offset, const ShortString<M>& text)
{
    ShortString<N> s;
    s.AssignFrom(text);
    s.Encode(b, offset);
}

Bytes EncodeLayout1(const TDadosLuminaria& d)
{
    Bytes b(1120, 0);
    le::PutI32(b, 0, d.AuxValue);
    le::PutI32(b, 4, d.PhotometryKind);
    PutText<40>(b, 8, d.Reference);
    PutText<80>(b, 49, d.Description);
    PutText<40>(b, 130, d.LampName[0]);
    PutText<128>(b, 171, d.Description2);
    PutText<40>(b, 300, d.Note1);
    PutText<20>(b, 341, d.Note2);
    for (int k = 0; k < 4; ++k) {
        PutText<128>(b, 362 + 129 * k, d.Characteristics[k]);
        PutText<40>(b, 878 + 41 * k, d.Notes[k]);
        le::PutF64(b, 1056 + 8 * k, d.AuxReals[k]);
    }
    le::PutF64(b, 1048, d.LampFlux[0]);
    le::PutI32(b, 1088, d.CentreOffset);
    le::PutI32(b, 1092, d.LengthC);
    le::PutI32(b, 1096, d.WidthL);
    le::PutI32(b, 1100, d.HeightA);
    le::PutI32(b, 1104, d.DiameterD);
    le::PutI32(b, 1108, d.LampCount[0]);
    le::PutI32(b, 1112, d.LampPower[0]);
    le::PutF32(b, 1116, d.Efficiency);
    return b;
}

Bytes EncodeLayout2(const TDadosLuminaria& d)
{
    Bytes b(1488, 0);
    PutText<40>(b, 0, d.Reference);
    le::PutI32(b, 44, d.AuxValue);
    le::PutI32(b, 48, d.PhotometryKind);
    PutText<80>(b, 52, d.Description);
    le::PutI32(b, 136, d.LampKindCount);
    for (int k = 0; k < 4; ++k) {
        PutText<5>(b, 140 + 6 * k, d.LampCode[k]);
        PutText<40>(b, 164 + 41 * k, d.LampName[k]);
        PutText<128>(b, 519 + 129 * k, d.Characteristics[k]);
        PutText<40>(b, 1035 + 41 * k, d.LampBase[k]);
        PutText<40>(b, 1199 + 41 * k, d.Notes[k]);
        le::PutF64(b, 1368 + 8 * k, d.LampFlux[k]);
        le::PutF64(b, 1400 + 8 * k, d.AuxReals[k]);
        le::PutI32(b, 1452 + 4 * k, d.LampCount[k]);
        le::PutI32(b, 1468 + 4 * k, d.LampPower[k]);
    }
    PutText<128>(b, 328, d.Description2);
    PutText<40>(b, 457, d.Note1);
    PutText<20>(b, 498, d.Note2);
    le::PutI32(b, 1432, d.CentreOffset);
    le::PutI32(b, 1436, d.LengthC);
    le::PutI32(b, 1440, d.WidthL);
    le::PutI32(b, 1444, d.HeightA);
    le::PutI32(b, 1448, d.DiameterD);
    le::PutF32(b, 1484, d.Efficiency);
    return b;
}

// Shortest decimal text that reads back to the same value.
template <typename T> std::string Number(T value)
{
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc{} ? std::string(buffer, end) : std::string("0");
}

// A ";" list; a field holding ";" is quoted.
std::string List(const std::vector<std::string>& fields)
{
    std::string text;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            text += ';';
        text += fields[i].find(';') == std::string::npos ? fields[i] : '"' + fields[i] + '"';
    }
    return text;
}

void AppendBe16(Bytes& out, int value)
{
    const auto v = std::uint16_t(std::int16_t(std::clamp(value, -32768, 32767)));
    out.push_back(std::uint8_t(v >> 8));
    out.push_back(std::uint8_t(v));
}

void AppendBeF64(Bytes& out, double value)
{
    const auto u = std::bit_cast<std::uint64_t>(value);
    for (int i = 7; i >= 0; --i)
        out.push_back(std::uint8_t(u >> (8 * i)));
}

void AppendText(Bytes& out, std::string_view text)
{
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
}

bool AllZero(const UgrTable& ugr)
{
    return std::all_of(ugr.begin(), ugr.end(), [](const auto& row) {
        return std::all_of(row.begin(), row.end(), [](float v) { return v == 0; });
    });
}

} // namespace

std::string BdbSignature(std::string_view version)
{
    std::string signature(version.substr(0, 8));
    signature.resize(8, ' ');
    return signature + "\x1A\x1A";
}

Bytes WriteBdbFile(const TRefLuminaria& ref, std::string_view signature)
{
    std::string sig(signature.substr(0, 10));
    sig.resize(10, '\0');
    const bool v1 = sig == BdbSignature("BDB v1.0");
    const bool layout2 = sig == BdbSignature("BDB v2.0") || sig == BdbSignature("BDB v3.0");
    const bool withUgr = sig == BdbSignature("BDB v3.0") || sig == BdbSignature("BDB v3.1");

    ByteWriter out;
    out.AppendText(sig);
    if (v1) {
        out.Append(EncodeLayout1(ref.Data));
    } else if (layout2) {
        out.Append(EncodeLayout2(ref.Data));
    } else {
        Bytes record(TDadosLuminaria::Size);
        ref.Data.Encode(record);
        out.Append(record);
    }
    out.AppendI32(ref.GammaCount);
    out.AppendI32(ref.CPlaneCount);
    Bytes block(kIntensityBytes);
    EncodeIntensities(ref.Intensities, block);
    out.Append(block);
    if (withUgr) {
        block.assign(kUgrBytes, 0);
        EncodeUgr(ref.UGRTable, block);
        out.Append(block);
    }
    return out.Take();
}

FileRows FileRowsOf(const TRefLuminaria& ref)
{
    const int planes = std::clamp<int>(ref.CPlaneCount, 0, kCPlanes);
    int first = 0;
    int last = std::clamp<int>(ref.GammaCount, 0, kGammaRows);
    if (ref.Data.PhotometryKind == 3) {
        first = (kGammaRows - 1) / 2; // 90 degrees
        last = kGammaRows;
    }
    FileRows rows;
    for (int g = first; g < last; ++g)
        rows.emplace_back(ref.Intensities[g].begin(), ref.Intensities[g].begin() + planes);
    return rows;
}

Bytes WriteAscFile(const TRefLuminaria& ref)
{
    return WriteAscFile(ref.Data, FileRowsOf(ref), ref.UGRTable);
}

Bytes WriteAscFile(const TDadosLuminaria& d, const FileRows& rows, const UgrTable& ugr)
{
    const int kinds = std::max(1, d.KindsInUse());
    auto perKind = [&](auto field) {
        std::vector<std::string> fields;
        for (int k = 0; k < kinds; ++k)
            fields.push_back(field(k));
        return List(fields);
    };

    std::vector<std::string> lines;
    lines.push_back("Lumivar");
    lines.push_back(d.Reference.Text());
    lines.push_back(std::to_string(d.AuxValue));
    lines.push_back(std::to_string(d.PhotometryKind));
    lines.push_back(d.Description.Text());
    // The first code field stands as a phrase whose third word is the code.
    lines.push_back(
        perKind([&](int k) { return k == 0 ? "Lamp code " + d.LampCode[0].Text() : d.LampCode[k].Text(); }));
    lines.push_back("");
    lines.push_back(perKind([&](int k) { return d.LampName[k].Text(); }));
    lines.push_back("");
    lines.push_back(d.Description2.Text());
    lines.push_back(d.Note1.Text());
    lines.push_back(d.Note2.Text());
    for (int k = 0; k < 3; ++k)
        lines.push_back(d.Characteristics[k].Text());
    lines.push_back("---");
    for (const auto& note : d.Notes)
        lines.push_back(note.Text());
    lines.push_back(perKind([&](int k) { return Number(d.LampFlux[k]); }));
    for (double real : d.AuxReals)
        lines.push_back(Number(real));
    lines.push_back(std::to_string(d.CentreOffset));
    lines.push_back("");
    for (std::int32_t dimension : {d.LengthC, d.WidthL, d.HeightA, d.DiameterD})
        lines.push_back(std::to_string(dimension));
    lines.push_back(perKind([&](int k) { return std::to_string(d.LampCount[k]); }));
    lines.push_back(perKind([&](int k) { return std::to_string(d.LampPower[k]); }));
    lines.push_back(Number(d.Efficiency));
    const std::size_t planes = rows.empty() ? 0 : rows.front().size();
    lines.push_back(std::to_string(planes));
    lines.push_back(std::to_string(rows.size()));
    for (int i = 0; i < 8; ++i)
        lines.push_back("");
    for (std::size_t c = 0; c < planes; ++c)
        for (const auto& row : rows)
            lines.push_back(Number(c < row.size() ? row[c] : 0.0));
    if (!AllZero(ugr)) {
        lines.push_back("-UGR-");
        for (const auto& row : ugr) {
            std::string line;
            for (std::size_t c = 0; c < row.size(); ++c)
                line += (c > 0 ? " " : "") + Number(row[c]);
            lines.push_back(line);
        }
    }

    ByteWriter out;
    for (const std::string& line : lines) {
        out.AppendText(line);
        out.AppendText("\r\n");
    }
    return out.Take();
}

Bytes WriteOriginalFile(const TRefLuminaria& ref)
{
    return WriteOriginalFile(ref.Data, FileRowsOf(ref));
}

Bytes WriteOriginalFile(const TDadosLuminaria& d, const FileRows& rows)
{
    Bytes out;
    AppendBe16(out, d.AuxValue);
    AppendBe16(out, d.PhotometryKind);
    AppendText(out, d.Reference.View());
    AppendText(out, d.Description.View());
    AppendText(out, d.LampName[0].View());
    AppendText(out, d.Description2.View());
    // A centre above the mounting height is written as a "-" before Note1.
    AppendText(out, (d.CentreOffset < 0 ? "-" : "") + d.Note1.Text());
    AppendText(out, d.Note2.View());
    AppendText(out, d.Characteristics[0].View());
    for (const auto& note : d.Notes)
        AppendText(out, note.View());
    AppendBeF64(out, d.LampFlux[0]);
    for (double real : d.AuxReals)
        AppendBeF64(out, real);
    AppendBe16(out, std::abs(d.CentreOffset));
    for (std::int32_t v : {d.LengthC, d.WidthL, d.HeightA, d.DiameterD, d.LampCount[0], d.LampPower[0]})
        AppendBe16(out, v);
    AppendBe16(out, int(std::lround(double(d.Efficiency) * 100)));

    const std::size_t planes = rows.empty() ? 0 : rows.front().size();
    AppendBe16(out, int(rows.size()));
    AppendBe16(out, int(planes));
    // Each row is stored as 16-bit values times a multiplier: 1 when the row's values
    // are whole and fit, else the row's largest magnitude over 32767.
    std::vector<double> multipliers;
    for (const auto& row : rows) {
        double largest = 0;
        bool whole = true;
        for (std::size_t c = 0; c < planes; ++c) {
            const double v = c < row.size() ? row[c] : 0.0;
            largest = std::max(largest, std::fabs(v));
            whole = whole && v == std::trunc(v);
        }
        const double m = (whole && largest <= 32767) || largest == 0 ? 1.0 : largest / 32767;
        multipliers.push_back(m);
        for (std::size_t c = 0; c < planes; ++c)
            AppendBe16(out, int(std::lround((c < row.size() ? row[c] : 0.0) / m)));
    }
    for (double m : multipliers)
        AppendBeF64(out, m);
    return out;
}

} // namespace lumivar
