#include "photometry/DadosLuminaria.h"

#include <algorithm>

namespace lumivar {

int TDadosLuminaria::KindsInUse() const
{
    return std::clamp(LampKindCount, 0, kMaxLampKinds);
}

void TDadosLuminaria::Decode(ByteSpan b)
{
    Reference.Decode(b, 0);
    le::GetBytes(b, 41, Pad41);
    AuxValue = le::GetI32(b, 44);
    PhotometryKind = le::GetI32(b, 48);
    Description.Decode(b, 52);
    le::GetBytes(b, 303, Pad303);
    LampKindCount = le::GetI32(b, 304);
    for (int k = 0; k < 4; ++k) {
        LampCode[k].Decode(b, 308 + 6 * k);
        LampName[k].Decode(b, 332 + 41 * k);
        Characteristics[k].Decode(b, 809 + 251 * k);
        LampBase[k].Decode(b, 1813 + 41 * k);
        Notes[k].Decode(b, 1977 + 41 * k);
        LampFlux[k] = le::GetF64(b, 2144 + 8 * k);
        AuxReals[k] = le::GetF64(b, 2176 + 8 * k);
        LampCount[k] = le::GetI32(b, 2228 + 4 * k);
        LampPower[k] = le::GetI32(b, 2244 + 4 * k);
    }
    Description2.Decode(b, 496);
    Note1.Decode(b, 747);
    Note2.Decode(b, 788);
    le::GetBytes(b, 2141, Pad2141);
    CentreOffset = le::GetI32(b, 2208);
    LengthC = le::GetI32(b, 2212);
    WidthL = le::GetI32(b, 2216);
    HeightA = le::GetI32(b, 2220);
    DiameterD = le::GetI32(b, 2224);
    Efficiency = le::GetF32(b, 2260);
}

void TDadosLuminaria::Encode(MutableByteSpan b) const
{
    Reference.Encode(b, 0);
    le::PutBytes(b, 41, Pad41);
    le::PutI32(b, 44, AuxValue);
    le::PutI32(b, 48, PhotometryKind);
    Description.Encode(b, 52);
    le::PutBytes(b, 303, Pad303);
    le::PutI32(b, 304, LampKindCount);
    for (int k = 0; k < 4; ++k) {
        LampCode[k].Encode(b, 308 + 6 * k);
        LampName[k].Encode(b, 332 + 41 * k);
        Characteristics[k].Encode(b, 809 + 251 * k);
        LampBase[k].Encode(b, 1813 + 41 * k);
        Notes[k].Encode(b, 1977 + 41 * k);
        le::PutF64(b, 2144 + 8 * k, LampFlux[k]);
        le::PutF64(b, 2176 + 8 * k, AuxReals[k]);
        le::PutI32(b, 2228 + 4 * k, LampCount[k]);
        le::PutI32(b, 2244 + 4 * k, LampPower[k]);
    }
    Description2.Encode(b, 496);
    Note1.Encode(b, 747);
    Note2.Encode(b, 788);
    le::PutBytes(b, 2141, Pad2141);
    le::PutI32(b, 2208, CentreOffset);
    le::PutI32(b, 2212, LengthC);
    le::PutI32(b, 2216, WidthL);
    le::PutI32(b, 2220, HeightA);
    le::PutI32(b, 2224, DiameterD);
    le::PutF32(b, 2260, Efficiency);
}

} // namespace lumivar
