#include "project/ObjectoLuminaria.h"

namespace lumivar {

namespace {

float MillimetresToMetres(std::int32_t mm)
{
    return float(double(mm) / 1000.0);
}

} // namespace

void TObjectoLuminaria::Attach(const RefList& refs, std::int32_t index)
{
    RefIndex = index;
    Ref = index >= 0 && std::size_t(index) < refs.size() ? refs[std::size_t(index)].get() : nullptr;
    if (Ref == nullptr) {
        SizeA = SizeB = SizeC = SizeD = 0;
        return;
    }
    SizeA = MillimetresToMetres(Ref->Data.LengthC);
    SizeB = MillimetresToMetres(Ref->Data.WidthL);
    SizeC = MillimetresToMetres(Ref->Data.HeightA);
    SizeD = MillimetresToMetres(Ref->Data.DiameterD);
}

} // namespace lumivar
