#pragma once
// A project's undo/redo history: a linear list of snapshots of the document, each
// taken just after a user action, and the position of the one matching the current
// state. Entries of the partial kinds take the parts they lack from the nearest
// earlier entry that holds them. Not saved with the project; no length limit.

#include "project/ProjectDocument.h"
#include "project/UndoRedo.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lumivar {

// Labels of the recorded actions, shown in the undo and redo lists (UTF-8).
inline constexpr std::string_view kUndoLabelStart = "]:)";
inline constexpr std::string_view kUndoLabelData = "Dados";
inline constexpr std::string_view kUndoLabelAutomatic = "Luminárias Automáticas";
inline constexpr std::string_view kUndoLabelBlock = "Bloco Luminárias";
inline constexpr std::string_view kUndoLabelPosition = "Luminárias: posição";
inline constexpr std::string_view kUndoLabelAngle = "Luminárias: ângulo";
inline constexpr std::string_view kUndoLabelProperties = "Luminárias: propriedades";
inline constexpr std::string_view kUndoLabelDelete = "Luminárias: apagar";
inline constexpr std::string_view kUndoLabelDuplicate = "Luminárias: duplicar";
inline constexpr std::string_view kUndoLabelReferences = "Referências Luminárias";

class TUndoRedoList {
public:
    // The history of one document, which must outlive it; the project window owns both.
    explicit TUndoRedoList(ProjectDocument& document) : m_document(&document) {}
    TUndoRedoList(const TUndoRedoList&) = delete;
    TUndoRedoList& operator=(const TUndoRedoList&) = delete;

    // Recording. Each takes the document as it is now, so the caller records after
    // applying the edit and setting the document's Modified and PlanChanged.

    // Records the current state as a new entry after the current one. Entries after
    // the current one (undone actions) are dropped; the current one is kept, so an
    // undo right after returns to the state just before this action.
    void Add(UndoKind kind, std::string_view label);
    // A new project was created or a file read: starts the history afresh with the
    // entry holding everything.
    void Start();
    // The data page was applied.
    void RecordDataApplied() { Add(UndoKind::Data, kUndoLabelData); }
    // The automatic count placed luminaires.
    void RecordAutomaticCount() { Add(UndoKind::Luminaires, kUndoLabelAutomatic); }
    // The block dialog placed luminaires.
    void RecordBlock() { Add(UndoKind::Luminaires, kUndoLabelBlock); }
    // The plan editor's change notification: recorded only when the document's
    // PlanChanged is set; with the references when withReferences (deleting,
    // duplicating, editing references, or a reference chosen in the properties
    // dialog). Returns whether an entry was added.
    bool RecordPlanEdit(bool withReferences, std::string_view label);

    // Moving along the history. Each restores the entry it arrives at and returns
    // what it replaced in the document (nothing when it could not move); the project
    // window then rebuilds the plan's symbols when Luminaires is set, frees its
    // result views, shows the project data (with observations and photo when Texts),
    // lays out the current page again and refreshes the main window's commands.
    HistoryChange Undo();
    HistoryChange Redo();
    // Several steps at once (the drop-down lists); n is cut to the steps available.
    HistoryChange UndoSteps(int n);
    HistoryChange RedoSteps(int n);

    bool CanUndo() const { return m_position > 0; }
    bool CanRedo() const { return m_position < Count() - 1; }

    // Replaces the project record of the current entry, so that results calculated
    // after it was taken survive undo and redo.
    void StoreData(const TDadosProjecto& data);
    // The document was saved in its current state: returning to the current entry
    // leaves it unmodified, returning to any other marks it modified.
    void MarkSaved();
    void Clear();

    int Count() const { return int(m_items.size()); }
    int Position() const { return m_position; } // -1 while empty
    const TUndoRedo& At(int index) const { return *m_items[std::size_t(index)]; }
    const TUndoRedo* Current() const { return m_position >= 0 ? m_items[std::size_t(m_position)].get() : nullptr; }
    // The nearest entry at or before the current position whose kind is one of kinds;
    // null when there is none.
    const TUndoRedo* FindHolder(std::initializer_list<UndoKind> kinds) const;

    // Lines of the undo list: labels of the entries from the current one down to
    // entry 1. Choosing line k runs UndoSteps(k).
    std::vector<std::string> UndoLabels() const;
    // Lines of the redo list: labels of the entries after the current one, oldest
    // first. Choosing line k runs RedoSteps(k).
    std::vector<std::string> RedoLabels() const;

private:
    HistoryChange Restore();
    void ReattachLuminaires();

    ProjectDocument* m_document;
    std::vector<std::unique_ptr<TUndoRedo>> m_items;
    int m_position = -1;
};

// Caption of the drop-down lists for k chosen steps: "Anular 3 Acções", "Repetir 1 Acção".
std::string UndoStepsCaption(int steps);
std::string RedoStepsCaption(int steps);

} // namespace lumivar
