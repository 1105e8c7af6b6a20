#pragma once
// One entry of a project's undo/redo history: a copy of the parts of the document
// that the recorded action may have changed, with the action's label.

#include "project/ProjectDocument.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lumivar {

// Which parts of the document an entry holds. The number is the entry's kind.
enum class UndoKind : std::uint8_t {
    Everything = 0, // references, luminaires, project record, texts and photo, report settings, zoom
    References = 1, // references, luminaires, project record
    Luminaires = 2, // luminaires, project record
    Data = 3, // project record, observations, photo
};

// What restoring an entry replaced in the document, so the project window knows what
// to show again. Luminaires set means the plan's symbols are to be rebuilt from
// ProjectDocument::Luminaires (each luminaire's Ref is already resolved).
struct HistoryChange {
    bool References = false; // LuminaireRefs replaced
    bool Luminaires = false; // Luminaires replaced
    bool ProjectData = false; // ProjectData replaced; also Modified and PlanChanged set from the entry
    bool Texts = false; // Observations or Photo differ from before
    bool Report = false; // ReportPage and ReportOptions replaced
    bool Zoom = false; // ZoomActive and ZoomPercent replaced

    // Nothing was restored: the window has nothing to refresh.
    bool None() const { return !ProjectData; }
    HistoryChange& operator|=(const HistoryChange& other);
    friend bool operator==(const HistoryChange&, const HistoryChange&) = default;
};

class TUndoRedo {
public:
    // Takes the snapshot: copies the kind's parts of the document (references as full
    // copies, luminaires without their resolved reference) and its Modified and
    // PlanChanged flags.
    TUndoRedo(UndoKind kind, std::string label, const ProjectDocument& document);

    TUndoRedo(const TUndoRedo&) = delete;
    TUndoRedo& operator=(const TUndoRedo&) = delete;

    UndoKind Kind() const { return m_kind; }
    const std::string& Label() const { return m_label; } // UTF-8
    bool WasModified = false;
    bool WasPlanChanged = false;

    bool HoldsReferences() const { return m_kind == UndoKind::Everything || m_kind == UndoKind::References; }
    bool HoldsLuminaires() const { return m_kind != UndoKind::Data; }
    bool HoldsTexts() const { return m_kind == UndoKind::Everything || m_kind == UndoKind::Data; }
    bool HoldsReport() const { return m_kind == UndoKind::Everything; }

    const TDadosProjecto& Data() const { return m_data; }
    // Replaces the kept project record, so that results calculated after the entry
    // was taken come back on undo and redo.
    void StoreData(const TDadosProjecto& data) { m_data = data; }

    // Each puts the held part back into the document; the caller checks Holds...().
    // Replacing the references leaves the luminaires' Ref pointers to be re-resolved.
    void RestoreReferences(ProjectDocument& document) const;
    void RestoreLuminaires(ProjectDocument& document) const;
    void RestoreData(ProjectDocument& document) const;
    // Returns whether Observations or Photo differed.
    bool RestoreTexts(ProjectDocument& document) const;
    void RestoreReport(ProjectDocument& document) const;

private:
    UndoKind m_kind;
    std::string m_label;
    TDadosProjecto m_data;
    RefList m_refs;
    std::vector<TObjectoLuminaria> m_luminaires;
    std::string m_observations;
    ProjectPhoto m_photo;
    TPaginaRelatorio m_reportPage;
    TOpcoesRelatorio m_reportOptions;
    bool m_zoomActive = false;
    int m_zoomPercent = 100;
};

} // namespace lumivar
