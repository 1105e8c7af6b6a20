#include "photometry/CustosLuminaria.h"

namespace lumivar {

void TCustosLuminaria::Decode(ByteSpan b)
{
    le::GetBytes(b, 0, Ballast);
    le::GetBytes(b, 4, LampType);
    for (int k = 0; k < 4; ++k) {
        Consumption[k] = le::GetF32(b, 8 + 4 * k);
        LampPrice[k] = le::GetF32(b, 28 + 4 * k);
        LampLife[k] = le::GetF32(b, 52 + 4 * k);
    }
    LuminairePrice = le::GetF32(b, 24);
    InstallCost = le::GetF32(b, 44);
    EnergyPrice = le::GetF32(b, 48);
    AnnualUse = le::GetF32(b, 68);
    CleaningCost = le::GetF32(b, 72);
    ReplacementCost = le::GetF32(b, 76);
}

void TCustosLuminaria::Encode(MutableByteSpan b) const
{
    le::PutBytes(b, 0, Ballast);
    le::PutBytes(b, 4, LampType);
    for (int k = 0; k < 4; ++k) {
        le::PutF32(b, 8 + 4 * k, Consumption[k]);
        le::PutF32(b, 28 + 4 * k, LampPrice[k]);
        le::PutF32(b, 52 + 4 * k, LampLife[k]);
    }
    le::PutF32(b, 24, LuminairePrice);
    le::PutF32(b, 44, InstallCost);
    le::PutF32(b, 48, EnergyPrice);
    le::PutF32(b, 68, AnnualUse);
    le::PutF32(b, 72, CleaningCost);
    le::PutF32(b, 76, ReplacementCost);
}

} // namespace lumivar
