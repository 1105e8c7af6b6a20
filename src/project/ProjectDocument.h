#pragma once
// Everything one project holds: the project record, report settings, texts, the
// photograph, the luminaire references and the placed luminaires.

#include "base/ByteCodec.h"
#include "project/DadosProjecto.h"
#include "project/ObjectoLuminaria.h"
#include "project/OpcoesRelatorio.h"
#include "project/PaginaRelatorio.h"
#include "project/ProjectDefaults.h"

#include <string>
#include <vector>

namespace lumivar {

// The photograph as stored: the picture's kind name ("TBitmap", "TIcon", "TMetafile",
// "TJPEGImage", or another name kept uninterpreted) and its bytes in the kind's own
// file format. Decoding belongs to the user interface.
struct ProjectPhoto {
    std::string Kind;
    Bytes Data;
    bool Empty() const { return Data.empty(); }

    // Whether Kind names one of the four picture kinds the program decodes, in any
    // letter case.
    bool HasKnownKind() const;
    // The bytes to hand to the picture decoder: Data without the 8-byte stream header
    // (16-bit 1, 16-bit 0x0100, 32-bit length - 8) when Data begins with one. A view
    // into Data.
    ByteSpan PictureBytes() const;
    friend bool operator==(const ProjectPhoto&, const ProjectPhoto&) = default;
};

class ProjectDocument {
public:
    TDadosProjecto ProjectData;
    std::string Observations; // Windows-1252
    ProjectPhoto Photo;
    TPaginaRelatorio ReportPage;
    TOpcoesRelatorio ReportOptions;
    RefList LuminaireRefs;
    std::vector<TObjectoLuminaria> Luminaires;
    Boolean ShowDimensions = 0; // the plan shows its dimension marks; kept as the stored byte
    bool PlanChanged = false; // not saved
    bool Modified = false; // not saved
    std::string FileName; // UTF-8 path; not saved
    bool ZoomActive = false; // not saved
    int ZoomPercent = 100; // not saved

    // A new project with the given defaults; dateTime in days since 1899-12-30.
    static ProjectDocument New(const ProjectDefaults& defaults, double dateTime);

    // Marks the last calculation results as no longer valid.
    void InvalidateResults()
    {
        ProjectData.Results.DirectDone = 0;
        ProjectData.Results.IndirectDone = 0;
    }

    // Appends a placed luminaire pointing at reference index (counted with AddUse).
    void AddLuminaire(TObjectoLuminaria luminaire);
};

// Camera of the 3D surface chart in a new project (elevation 300, perspective 15,
// rotation 345, zoom 55, flags off).
TVista3D DefaultSurfaceView3D();

// The current local date and time as a day count since 1899-12-30.
double CurrentDateTime();

} // namespace lumivar
