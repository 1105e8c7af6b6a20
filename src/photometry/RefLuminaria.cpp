#include "photometry/RefLuminaria.h"

#include "photometry/LampBase.h"

namespace lumivar {

void DecodeIntensities(ByteSpan image, IntensityTable& out)
{
    for (int g = 0; g < kGammaRows; ++g)
        for (int c = 0; c < kCPlanes; ++c)
            out[g][c] = le::GetF64(image, 8 * (std::size_t(g) * kCPlanes + c));
}

void EncodeIntensities(const IntensityTable& in, MutableByteSpan image)
{
    for (int g = 0; g < kGammaRows; ++g)
        for (int c = 0; c < kCPlanes; ++c)
            le::PutF64(image, 8 * (std::size_t(g) * kCPlanes + c), in[g][c]);
}

void DecodeUgr(ByteSpan image, UgrTable& out)
{
    for (int r = 0; r < kUgrRows; ++r)
        for (int c = 0; c < kUgrColumns; ++c)
            out[r][c] = le::GetF32(image, 4 * (std::size_t(r) * kUgrColumns + c));
}

void EncodeUgr(const UgrTable& in, MutableByteSpan image)
{
    for (int r = 0; r < kUgrRows; ++r)
        for (int c = 0; c < kUgrColumns; ++c)
            le::PutF32(image, 4 * (std::size_t(r) * kUgrColumns + c), in[r][c]);
}

void TRefLuminaria::SetPhotometry(const TDadosLuminaria& data, const IntensityTable& intensities, const UgrTable& ugr,
                                  std::int32_t cPlaneCount, std::int32_t gammaCount)
{
    Data = data;
    Intensities = intensities;
    UGRTable = ugr;
    CPlaneCount = cPlaneCount;
    GammaCount = gammaCount;
}

void TRefLuminaria::SetCostDefaults()
{
    std::vector<BallastItem> ballasts;
    for (int k = 0; k < Data.KindsInUse(); ++k) {
        const LampBaseResult info = LampBaseInfo(Data, k + 1, ballasts);
        Costs.LampType[k] = std::uint8_t(info.LampType);
        if (Costs.Ballast[k] == 0 && !ballasts.empty())
            Costs.Ballast[k] = std::uint8_t(ballasts.front().Kind);
        // A ballast kind the lamp does not have (power -1) leaves the consumption for the user.
        const int ballast = Costs.Ballast[k];
        if (Costs.Consumption[k] == 0 && ballast < 3 && info.Powers[ballast] >= 0)
            Costs.Consumption[k] = info.Powers[ballast];
    }
}

double TRefLuminaria::Investment() const
{
    if (Quantity < 1)
        return 0;
    double lamps = 0;
    for (int k = 0; k < Data.KindsInUse(); ++k)
        lamps += double(Data.LampCount[k]) * Costs.LampPrice[k];
    return Quantity * (double(Costs.LuminairePrice) + lamps + Costs.InstallCost);
}

double TRefLuminaria::AnnualEnergyCost() const
{
    if (Quantity < 1)
        return 0;
    double consumption = 0;
    for (int k = 0; k < Data.KindsInUse(); ++k)
        consumption += Costs.Consumption[k];
    return Quantity * consumption * Costs.AnnualUse * Costs.EnergyPrice * 0.001;
}

double TRefLuminaria::AnnualMaintenanceCost() const
{
    if (Quantity < 1)
        return 0;
    double perHour = 0;
    for (int k = 0; k < Data.KindsInUse(); ++k) {
        const double life = Costs.LampLife[k] == 0 ? 1.0 : double(Costs.LampLife[k]);
        const double count = Data.LampCount[k];
        perHour += count * Costs.LampPrice[k] / life + count / life * Costs.ReplacementCost;
    }
    return Quantity * double(Costs.AnnualUse) * perHour + Quantity * double(Costs.CleaningCost);
}

double TotalFlux(const TDadosLuminaria& data)
{
    double flux = data.LampCount[0] * data.LampFlux[0];
    for (int k = 1; k < data.KindsInUse(); ++k)
        flux += data.LampCount[k] * data.LampFlux[k];
    return flux;
}

} // namespace lumivar
