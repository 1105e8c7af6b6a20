#include "project/UndoRedo.h"

#include <memory>

namespace lumivar {

namespace {

RefList CopyReferences(const RefList& refs)
{
    RefList copy;
    copy.reserve(refs.size());
    for (const auto& ref : refs) {
        if (ref == nullptr) {
            copy.push_back(nullptr);
            continue;
        }
        auto c = std::make_unique<TRefLuminaria>();
        c->CopyFrom(*ref);
        copy.push_back(std::move(c));
    }
    return copy;
}

} // namespace

HistoryChange& HistoryChange::operator|=(const HistoryChange& other)
{
    References = References || other.References;
    Luminaires = Luminaires || other.Luminaires;
    ProjectData = ProjectData || other.ProjectData;
    Texts = Texts || other.Texts;
    Report = Report || other.Report;
    Zoom = Zoom || other.Zoom;
    return *this;
}

TUndoRedo::TUndoRedo(UndoKind kind, std::string label, const ProjectDocument& document)
    : WasModified(document.Modified), WasPlanChanged(document.PlanChanged), m_kind(kind), m_label(std::move(label)),
      m_data(document.ProjectData)
{
    if (HoldsReferences())
        m_refs = CopyReferences(document.LuminaireRefs);
    if (HoldsLuminaires()) {
        m_luminaires = document.Luminaires;
        // The copies keep only RefIndex; a restore resolves it against the references
        // the document has then.
        for (TObjectoLuminaria& l : m_luminaires)
            l.Ref = nullptr;
    }
    if (HoldsTexts()) {
        m_observations = document.Observations;
        m_photo = document.Photo;
    }
    if (HoldsReport()) {
        m_reportPage = document.ReportPage;
        m_reportOptions = document.ReportOptions;
        m_zoomActive = document.ZoomActive;
        m_zoomPercent = document.ZoomPercent;
    }
}

void TUndoRedo::RestoreReferences(ProjectDocument& document) const
{
    document.LuminaireRefs = CopyReferences(m_refs);
}

void TUndoRedo::RestoreLuminaires(ProjectDocument& document) const
{
    document.Luminaires = m_luminaires;
}

void TUndoRedo::RestoreData(ProjectDocument& document) const
{
    document.ProjectData = m_data;
}

bool TUndoRedo::RestoreTexts(ProjectDocument& document) const
{
    const bool changed = document.Observations != m_observations || !(document.Photo == m_photo);
    if (changed) {
        document.Observations = m_observations;
        document.Photo = m_photo;
    }
    return changed;
}

void TUndoRedo::RestoreReport(ProjectDocument& document) const
{
    document.ReportPage = m_reportPage;
    document.ReportOptions = m_reportOptions;
    document.ZoomActive = m_zoomActive;
    document.ZoomPercent = m_zoomPercent;
}

} // namespace lumivar
