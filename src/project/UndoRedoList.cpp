#include "project/UndoRedoList.h"

#include <algorithm>

namespace lumivar {

namespace {

std::string StepsCaption(std::string_view verb, int steps)
{
    return std::string(verb) + " " + std::to_string(steps) + " " + (steps == 1 ? "Acção" : "Acções");
}

} // namespace

void TUndoRedoList::Add(UndoKind kind, std::string_view label)
{
    if (m_position >= 0 && m_position < Count() - 1)
        m_items.erase(m_items.begin() + m_position + 1, m_items.end());
    m_items.push_back(std::make_unique<TUndoRedo>(kind, std::string(label), *m_document));
    m_position = Count() - 1;
}

void TUndoRedoList::Start()
{
    Clear();
    Add(UndoKind::Everything, kUndoLabelStart);
}

bool TUndoRedoList::RecordPlanEdit(bool withReferences, std::string_view label)
{
    if (!m_document->PlanChanged)
        return false;
    Add(withReferences ? UndoKind::References : UndoKind::Luminaires, label);
    return true;
}

const TUndoRedo* TUndoRedoList::FindHolder(std::initializer_list<UndoKind> kinds) const
{
    for (int i = m_position; i >= 0; --i) {
        const TUndoRedo& entry = At(i);
        if (std::find(kinds.begin(), kinds.end(), entry.Kind()) != kinds.end())
            return &entry;
    }
    return nullptr;
}

// Puts the document into the state of the entry at the current position. Every part
// comes from the nearest entry at or before it that holds that part: the references
// and luminaires a data-page entry lacks, and the texts a plan entry lacks, are those
// in force when the entry was taken, whichever way the history was walked to it.
HistoryChange TUndoRedoList::Restore()
{
    ProjectDocument& doc = *m_document;
    const TUndoRedo& entry = At(m_position);
    HistoryChange change;
    if (const TUndoRedo* h = FindHolder({UndoKind::Everything, UndoKind::References})) {
        h->RestoreReferences(doc);
        change.References = true;
    }
    if (const TUndoRedo* h = FindHolder({UndoKind::Everything, UndoKind::References, UndoKind::Luminaires})) {
        h->RestoreLuminaires(doc);
        change.Luminaires = true;
    }
    ReattachLuminaires();
    entry.RestoreData(doc);
    change.ProjectData = true;
    if (const TUndoRedo* h = FindHolder({UndoKind::Everything, UndoKind::Data}))
        change.Texts = h->RestoreTexts(doc);
    if (entry.HoldsReport()) {
        entry.RestoreReport(doc);
        change.Report = true;
        change.Zoom = true;
    }
    doc.Modified = entry.WasModified;
    doc.PlanChanged = entry.WasPlanChanged;
    return change;
}

// Resolves every luminaire's reference against the document's references and counts
// the uses again, so no luminaire points at a freed reference and every Quantity
// matches the plan.
void TUndoRedoList::ReattachLuminaires()
{
    ProjectDocument& doc = *m_document;
    for (auto& ref : doc.LuminaireRefs)
        if (ref != nullptr)
            ref->Quantity = 0;
    for (TObjectoLuminaria& l : doc.Luminaires) {
        l.Attach(doc.LuminaireRefs, l.RefIndex);
        if (l.Ref != nullptr)
            doc.LuminaireRefs[std::size_t(l.RefIndex)]->AddUse();
    }
}

HistoryChange TUndoRedoList::Undo()
{
    if (!CanUndo())
        return {};
    --m_position;
    return Restore();
}

HistoryChange TUndoRedoList::Redo()
{
    if (!CanRedo())
        return {};
    ++m_position;
    return Restore();
}

// Every restore puts each part back from the nearest entry holding it at or before
// the position arrived at, so several steps need only the last one restored.
HistoryChange TUndoRedoList::UndoSteps(int n)
{
    n = std::clamp(n, 0, std::max(m_position, 0));
    if (n == 0)
        return {};
    m_position -= n;
    return Restore();
}

HistoryChange TUndoRedoList::RedoSteps(int n)
{
    n = std::clamp(n, 0, std::max(Count() - 1 - m_position, 0));
    if (n == 0)
        return {};
    m_position += n;
    return Restore();
}

void TUndoRedoList::StoreData(const TDadosProjecto& data)
{
    if (m_position >= 0)
        m_items[std::size_t(m_position)]->StoreData(data);
}

void TUndoRedoList::MarkSaved()
{
    for (int i = 0; i < Count(); ++i)
        m_items[std::size_t(i)]->WasModified = i != m_position;
}

void TUndoRedoList::Clear()
{
    m_items.clear();
    m_position = -1;
}

std::vector<std::string> TUndoRedoList::UndoLabels() const
{
    std::vector<std::string> labels;
    for (int i = m_position; i >= 1; --i)
        labels.push_back(At(i).Label());
    return labels;
}

std::vector<std::string> TUndoRedoList::RedoLabels() const
{
    std::vector<std::string> labels;
    for (int i = m_position + 1; i < Count(); ++i)
        labels.push_back(At(i).Label());
    return labels;
}

std::string UndoStepsCaption(int steps)
{
    return StepsCaption("Anular", steps);
}

std::string RedoStepsCaption(int steps)
{
    return StepsCaption("Repetir", steps);
}

} // namespace lumivar
