#include "project/OpcoesRelatorio.h"

namespace lumivar {

void TOpcoesRelatorio::Decode(ByteSpan b)
{
    ReportType = le::GetI32(b, 0);
    le::GetBytes(b, 4, Sheets);
    UseProjectValues = b[35];
    ValuesQuality = le::GetI32(b, 36);
    ValuesShowLuminaires = b[40];
    le::GetBytes(b, 41, Pad41);
    ValuesPointsX = le::GetI32(b, 44);
    ValuesPointsY = le::GetI32(b, 48);
    UseProjectTones = b[52];
    le::GetBytes(b, 53, Pad53);
    TonesQuality = le::GetI32(b, 56);
    TonesShowLuminaires = b[60];
    le::GetBytes(b, 61, Pad61);
    TonesPointsX = le::GetI32(b, 64);
    TonesPointsY = le::GetI32(b, 68);
    UseProjectSections = b[72];
    le::GetBytes(b, 73, Pad73);
    SectionsPlane = le::GetI32(b, 76);
    SectionA = le::GetF32(b, 80);
    SectionB = le::GetF32(b, 84);
}

void TOpcoesRelatorio::Encode(MutableByteSpan b) const
{
    le::PutI32(b, 0, ReportType);
    le::PutBytes(b, 4, Sheets);
    b[35] = UseProjectValues;
    le::PutI32(b, 36, ValuesQuality);
    b[40] = ValuesShowLuminaires;
    le::PutBytes(b, 41, Pad41);
    le::PutI32(b, 44, ValuesPointsX);
    le::PutI32(b, 48, ValuesPointsY);
    b[52] = UseProjectTones;
    le::PutBytes(b, 53, Pad53);
    le::PutI32(b, 56, TonesQuality);
    b[60] = TonesShowLuminaires;
    le::PutBytes(b, 61, Pad61);
    le::PutI32(b, 64, TonesPointsX);
    le::PutI32(b, 68, TonesPointsY);
    b[72] = UseProjectSections;
    le::PutBytes(b, 73, Pad73);
    le::PutI32(b, 76, SectionsPlane);
    le::PutF32(b, 80, SectionA);
    le::PutF32(b, 84, SectionB);
}

} // namespace lumivar
