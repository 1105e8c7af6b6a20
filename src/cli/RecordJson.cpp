#include "cli/RecordJson.h"

#include "base/TextEncoding.h"

namespace lumivar::cli {
namespace {

template <std::size_t N> void Text(JsonWriter& w, const char* key, const ShortString<N>& s)
{
    w.Key(key).Value(Cp1252ToUtf8(s.View()));
}

template <std::size_t N> void Texts(JsonWriter& w, const char* key, const std::array<ShortString<N>, 4>& list)
{
    w.Key(key).BeginArray();
    for (const auto& s : list)
        w.Value(Cp1252ToUtf8(s.View()));
    w.EndArray();
}

template <typename T, std::size_t N> void Numbers(JsonWriter& w, const char* key, const std::array<T, N>& list)
{
    w.Key(key).BeginArray();
    for (const auto v : list) {
        if constexpr (std::is_floating_point_v<T>)
            w.Value(double(v));
        else
            w.Value(std::int64_t(v));
    }
    w.EndArray();
}

void Flags(JsonWriter& w, const char* key, std::span<const Boolean> list)
{
    w.Key(key).BeginArray();
    for (const auto v : list)
        w.Bool(v != 0);
    w.EndArray();
}

void WriteView(JsonWriter& w, const char* key, const TVistaResultados& v)
{
    w.Key(key).BeginObject();
    w.Key("Quality").Value(v.Quality);
    w.Key("PointsX").Value(v.PointsX);
    w.Key("PointsY").Value(v.PointsY);
    w.Key("IlluminanceKind").Value(v.IlluminanceKind);
    w.Key("ShowLuminaires").Bool(v.ShowLuminaires);
    w.Key("WorkAreaOnly").Bool(v.WorkAreaOnly);
    w.EndObject();
}

void WriteView3D(JsonWriter& w, const char* key, const TVista3D& v)
{
    w.Key(key).BeginObject();
    w.Key("Elevation").Value(v.Elevation);
    w.Key("Perspective").Value(v.Perspective);
    w.Key("Orthogonal").Bool(v.Orthogonal);
    w.Key("Rotation").Value(v.Rotation);
    w.Key("Tilt").Value(v.Tilt);
    w.Key("Zoom").Value(v.Zoom);
    w.Key("WireFrame").Bool(v.WireFrame);
    w.Key("ShowLevels").Bool(v.ShowLevels);
    w.Key("View2D").Bool(v.View2D);
    w.EndObject();
}

} // namespace

void WriteJson(JsonWriter& w, const TDadosLuminaria& d)
{
    w.BeginObject();
    Text(w, "Reference", d.Reference);
    w.Key("AuxValue").Value(d.AuxValue);
    w.Key("PhotometryKind").Value(d.PhotometryKind);
    Text(w, "Description", d.Description);
    w.Key("LampKindCount").Value(d.LampKindCount);
    Texts(w, "LampCode", d.LampCode);
    Texts(w, "LampName", d.LampName);
    Text(w, "Description2", d.Description2);
    Text(w, "Note1", d.Note1);
    Text(w, "Note2", d.Note2);
    Texts(w, "Characteristics", d.Characteristics);
    Texts(w, "LampBase", d.LampBase);
    Texts(w, "Notes", d.Notes);
    Numbers(w, "LampFlux", d.LampFlux);
    Numbers(w, "AuxReals", d.AuxReals);
    w.Key("CentreOffset").Value(d.CentreOffset);
    w.Key("LengthC").Value(d.LengthC);
    w.Key("WidthL").Value(d.WidthL);
    w.Key("HeightA").Value(d.HeightA);
    w.Key("DiameterD").Value(d.DiameterD);
    Numbers(w, "LampCount", d.LampCount);
    Numbers(w, "LampPower", d.LampPower);
    w.Key("Efficiency").Value(d.Efficiency);
    w.EndObject();
}

void WriteJson(JsonWriter& w, const TCustosLuminaria& c)
{
    w.BeginObject();
    Numbers(w, "Ballast", c.Ballast);
    Numbers(w, "LampType", c.LampType);
    Numbers(w, "Consumption", c.Consumption);
    w.Key("LuminairePrice").Value(c.LuminairePrice);
    Numbers(w, "LampPrice", c.LampPrice);
    w.Key("InstallCost").Value(c.InstallCost);
    w.Key("EnergyPrice").Value(c.EnergyPrice);
    Numbers(w, "LampLife", c.LampLife);
    w.Key("AnnualUse").Value(c.AnnualUse);
    w.Key("CleaningCost").Value(c.CleaningCost);
    w.Key("ReplacementCost").Value(c.ReplacementCost);
    w.EndObject();
}

void WriteJson(JsonWriter& w, const TRefLuminaria& r)
{
    w.BeginObject();
    w.Key("Data");
    WriteJson(w, r.Data);
    w.Key("Intensities").BeginArray();
    for (const auto& row : r.Intensities)
        w.Array(row);
    w.EndArray();
    w.Key("GammaCount").Value(r.GammaCount);
    w.Key("CPlaneCount").Value(r.CPlaneCount);
    w.Key("UGRTable").BeginArray();
    for (const auto& row : r.UGRTable) {
        w.BeginArray();
        for (const float v : row)
            w.Value(double(v));
        w.EndArray();
    }
    w.EndArray();
    w.Key("Costs");
    WriteJson(w, r.Costs);
    w.Key("Quantity").Value(r.Quantity);
    w.EndObject();
}

void WriteJson(JsonWriter& w, const TResultadosCalculo& r)
{
    w.BeginObject();
    w.Key("DirectDone").Bool(r.DirectDone);
    w.Key("IndirectDone").Bool(r.IndirectDone);
    w.Key("Surfaces").BeginArray();
    for (const auto& s : r.Surfaces) {
        w.BeginObject();
        w.Key("Average").Value(s.Average);
        w.Key("Minimum").Value(s.Minimum);
        w.Key("MinX").Value(s.MinX);
        w.Key("MinY").Value(s.MinY);
        w.Key("Maximum").Value(s.Maximum);
        w.Key("MaxX").Value(s.MaxX);
        w.Key("MaxY").Value(s.MaxY);
        w.Key("Indirect").Value(s.Indirect);
        w.EndObject();
    }
    w.EndArray();
    w.Key("OverallMinimum").Value(r.OverallMinimum);
    w.Key("OverallMaximum").Value(r.OverallMaximum);
    w.Key("MaxIndirect").Value(r.MaxIndirect);
    w.EndObject();
}

void WriteJson(JsonWriter& w, const TDadosProjecto& p)
{
    w.BeginObject();
    Text(w, "ProjectName", p.ProjectName);
    Text(w, "Number", p.Number);
    Text(w, "Designer", p.Designer);
    w.Key("DateTime").Value(p.DateTime);
    Text(w, "Space", p.Space);
    w.Key("Width").Value(p.Width);
    w.Key("Length").Value(p.Length);
    w.Key("Height").Value(p.Height);
    w.Key("WorkPlaneHeight").Value(p.WorkPlaneHeight);
    Numbers(w, "Reflectance", p.Reflectance);
    w.Key("MaintenanceFactor").Value(p.MaintenanceFactor);
    w.Key("Illuminance").Value(p.Illuminance);
    Numbers(w, "GridDivisions", p.GridDivisions);
    w.Key("Results");
    WriteJson(w, p.Results);
    WriteView(w, "ValuesView", p.ValuesView);
    WriteView(w, "TonesView", p.TonesView);
    WriteView3D(w, "IsoluxView3D", p.IsoluxView3D);
    w.Key("Isolux").BeginObject();
    w.Key("AutoLines").Bool(p.Isolux.AutoLines);
    w.Key("LineCount").Value(p.Isolux.LineCount);
    Numbers(w, "Levels", p.Isolux.Levels);
    Numbers(w, "Colours", p.Isolux.Colours);
    w.EndObject();
    WriteView3D(w, "SurfaceView3D", p.SurfaceView3D);
    w.Key("Sections").BeginObject();
    w.Key("Plane").Value(p.Sections.Plane);
    Numbers(w, "Positions", p.Sections.Positions);
    w.EndObject();
    w.Key("WorkArea").Bool(p.WorkArea);
    w.Key("WorkAreaX1").Value(p.WorkAreaX1);
    w.Key("WorkAreaY1").Value(p.WorkAreaY1);
    w.Key("WorkAreaX2").Value(p.WorkAreaX2);
    w.Key("WorkAreaY2").Value(p.WorkAreaY2);
    w.Key("Margin").Value(p.Margin);
    w.EndObject();
}

void WriteJson(JsonWriter& w, const TPaginaRelatorio& p)
{
    w.BeginObject();
    w.Key("MeasureUnit").Value(int(p.MeasureUnit));
    w.Key("Orientation").Value(int(p.Orientation));
    w.Key("PageBorders").Value(int(p.PageBorders));
    w.Key("MarginTop").Value(p.MarginTop);
    w.Key("MarginBottom").Value(p.MarginBottom);
    w.Key("MarginLeft").Value(p.MarginLeft);
    w.Key("MarginRight").Value(p.MarginRight);
    Text(w, "HeaderFontName", p.HeaderFontName);
    w.Key("HeaderFontSize").Value(p.HeaderFontSize);
    w.Key("HeaderFontColour").Value(p.HeaderFontColour);
    w.Key("HeaderFontStyle").Value(int(p.HeaderFontStyle));
    Text(w, "HeaderFormat", p.HeaderFormat);
    Text(w, "HeaderText", p.HeaderText);
    Text(w, "FooterFontName", p.FooterFontName);
    w.Key("FooterFontSize").Value(p.FooterFontSize);
    w.Key("FooterFontColour").Value(p.FooterFontColour);
    w.Key("FooterFontStyle").Value(int(p.FooterFontStyle));
    Text(w, "FooterFormat", p.FooterFormat);
    Text(w, "FooterText", p.FooterText);
    w.EndObject();
}

void WriteJson(JsonWriter& w, const TOpcoesRelatorio& o)
{
    w.BeginObject();
    w.Key("ReportType").Value(o.ReportType);
    Flags(w, "Sheets", o.Sheets);
    w.Key("UseProjectValues").Bool(o.UseProjectValues);
    w.Key("ValuesQuality").Value(o.ValuesQuality);
    w.Key("ValuesShowLuminaires").Bool(o.ValuesShowLuminaires);
    w.Key("ValuesPointsX").Value(o.ValuesPointsX);
    w.Key("ValuesPointsY").Value(o.ValuesPointsY);
    w.Key("UseProjectTones").Bool(o.UseProjectTones);
    w.Key("TonesQuality").Value(o.TonesQuality);
    w.Key("TonesShowLuminaires").Bool(o.TonesShowLuminaires);
    w.Key("TonesPointsX").Value(o.TonesPointsX);
    w.Key("TonesPointsY").Value(o.TonesPointsY);
    w.Key("UseProjectSections").Bool(o.UseProjectSections);
    w.Key("SectionsPlane").Value(o.SectionsPlane);
    w.Key("SectionA").Value(o.SectionA);
    w.Key("SectionB").Value(o.SectionB);
    w.EndObject();
}

void WriteJson(JsonWriter& w, const ProjectDocument& doc)
{
    w.BeginObject();
    w.Key("ProjectData");
    WriteJson(w, doc.ProjectData);
    w.Key("ReportPage");
    WriteJson(w, doc.ReportPage);
    w.Key("ReportOptions");
    WriteJson(w, doc.ReportOptions);
    w.Key("ShowDimensions").Bool(doc.ShowDimensions);
    w.Key("LuminaireRefs").BeginArray();
    for (const auto& ref : doc.LuminaireRefs)
        WriteJson(w, *ref);
    w.EndArray();
    w.Key("Luminaires").BeginArray();
    for (const auto& l : doc.Luminaires) {
        w.BeginObject();
        w.Key("X").Value(l.X);
        w.Key("Y").Value(l.Y);
        w.Key("Z").Value(l.Z);
        w.Key("Angle").Value(l.Angle);
        w.Key("Number").Value(l.Number);
        w.Key("RefIndex").Value(l.RefIndex);
        w.EndObject();
    }
    w.EndArray();
    w.Key("Observations").Value(Cp1252ToUtf8(doc.Observations));
    w.Key("Photo").BeginObject();
    w.Key("Kind").Value(Cp1252ToUtf8(doc.Photo.Kind));
    w.Key("Bytes").Value(std::int64_t(doc.Photo.Data.size()));
    w.EndObject();
    w.EndObject();
}

} // namespace lumivar::cli
