#include "project/PaginaRelatorio.h"

namespace lumivar {

void TPaginaRelatorio::Decode(ByteSpan b)
{
    MeasureUnit = b[0];
    Orientation = b[1];
    PageBorders = b[2];
    le::GetBytes(b, 3, Pad3);
    MarginTop = le::GetF64(b, 8);
    MarginBottom = le::GetF64(b, 16);
    MarginLeft = le::GetF64(b, 24);
    MarginRight = le::GetF64(b, 32);
    HeaderFontName.Decode(b, 40);
    le::GetBytes(b, 169, Pad169);
    HeaderFontSize = le::GetI32(b, 172);
    HeaderFontColour = le::GetI32(b, 176);
    HeaderFontStyle = b[180];
    HeaderFormat.Decode(b, 181);
    HeaderText.Decode(b, 310);
    le::GetBytes(b, 566, Pad566);
    FooterFontName.Decode(b, 568);
    le::GetBytes(b, 697, Pad697);
    FooterFontSize = le::GetI32(b, 700);
    FooterFontColour = le::GetI32(b, 704);
    FooterFontStyle = b[708];
    FooterFormat.Decode(b, 709);
    FooterText.Decode(b, 838);
    le::GetBytes(b, 1094, Pad1094);
}

void TPaginaRelatorio::Encode(MutableByteSpan b) const
{
    b[0] = MeasureUnit;
    b[1] = Orientation;
    b[2] = PageBorders;
    le::PutBytes(b, 3, Pad3);
    le::PutF64(b, 8, MarginTop);
    le::PutF64(b, 16, MarginBottom);
    le::PutF64(b, 24, MarginLeft);
    le::PutF64(b, 32, MarginRight);
    HeaderFontName.Encode(b, 40);
    le::PutBytes(b, 169, Pad169);
    le::PutI32(b, 172, HeaderFontSize);
    le::PutI32(b, 176, HeaderFontColour);
    b[180] = HeaderFontStyle;
    HeaderFormat.Encode(b, 181);
    HeaderText.Encode(b, 310);
    le::PutBytes(b, 566, Pad566);
    FooterFontName.Encode(b, 568);
    le::PutBytes(b, 697, Pad697);
    le::PutI32(b, 700, FooterFontSize);
    le::PutI32(b, 704, FooterFontColour);
    b[708] = FooterFontStyle;
    FooterFormat.Encode(b, 709);
    FooterText.Encode(b, 838);
    le::PutBytes(b, 1094, Pad1094);
}

} // namespace lumivar
