#pragma once
// The plan editor: a top view of the room with its outline, margin, working area and
// dimension chains, and the placed luminaires as symbols drawn above it that are
// selected, dragged, turned, duplicated and deleted with the mouse and the commands of
// two context menus. The widget shell shows the menus and dialogs; everything else,
// hit testing included, lives here and paints on a QPainter.
//
// The plan edits the luminaires of a ProjectDocument: it builds its symbols from the
// document's list and writes the list back after every edit.

#include "graphics/DimensionChain.h"
#include "graphics/PlanSymbol.h"
#include "graphics/UnGrafic.h"
#include "project/ProjectDocument.h"

#include <QPoint>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPicture;

namespace lumivar {

// What the properties dialog hands back: the chosen reference (-1 when none is chosen)
// and the four fields with whether the user edited each.
struct PropertyEdit {
    int RefIndex = -1;
    float X = 0, Y = 0, Z = 0, Angle = 0; // metres, degrees
    bool EditedX = false, EditedY = false, EditedZ = false, EditedAngle = false;
    bool Relative = false; // edited fields shift every selected luminaire by the change
};

// Undo labels of the plan's edits.
QString PlanLabelPosition(); // "Luminárias: posição"
QString PlanLabelAngle(); // "Luminárias: ângulo"
QString PlanLabelProperties(); // "Luminárias: propriedades"
QString PlanLabelDelete(); // "Luminárias: apagar"
QString PlanLabelDuplicate(); // "Luminárias: duplicar"
QString PlanLabelReferences(); // "Referências Luminárias"

class TPlanoGrafico : public TMundoGrafico {
public:
    TPlanoGrafico();
    ~TPlanoGrafico() override;

    // The document edited; not owned; null detaches. Builds the symbols from its
    // luminaires, sets the world window to the room and shows the dimension marks the
    // document asks for.
    void SetDocument(ProjectDocument* document);
    ProjectDocument* Document() const { return m_document; }
    // Rebuilds the symbols from the document's luminaires (after undo, or an edit made
    // elsewhere). Selection is lost.
    void ReloadLuminaires();
    // Sets the world window to the room and the tick steps to its size.
    void ApplyRoom();

    // Zoom factor in percent (100 = the panel's own size); fonts and margins follow it.
    void SetZoomPercent(int percent);
    int ZoomPercent() const { return m_zoomPercent; }
    // Lays the plan out in a panel of the given size (pixels, already scaled by the
    // zoom): the largest box of the room's proportions, its font and margins at the
    // zoom, and the symbols placed anew. Returns the plan's box inside the panel.
    QRect FitInto(int panelWidth, int panelHeight);

    void SetSteps(float width, float length);
    void Paint() override;
    // The plan, then the symbols back to front, the position read-out of a drag and the
    // rubber band: what the screen shows.
    void PaintScreen(QPainter* painter);
    // The plan with the symbols in world coordinates, for print; the plan's size.
    QPicture RenderToMetafile();

    // Commands.
    // Adds a luminaire centred at a plan pixel; edit decides its properties (the
    // properties dialog) and returns whether it was confirmed. Returns the new symbol.
    TObjectoGrafico* AddLuminaire(int px, int py, const std::function<bool(TObjectoGrafico&)>& edit);
    void DuplicateSelected();
    void DeleteSelected(bool snapshot);
    void SetAngleOfSelection(TObjectoGrafico& clicked, float angle);
    bool AnySelected() const;
    int SelectedCount() const;
    void Renumber();
    void SelectAll();
    void DeselectAll();
    void ToggleDimensions(bool repaint);
    void Relayout();
    void BringToFront(TObjectoGrafico& symbol);
    void SendToBack(TObjectoGrafico& symbol);
    // Opens the properties dialog on a symbol (OnEditProperties) and rebuilds the
    // dimension chains afterwards; true when confirmed.
    bool EditProperties(TObjectoGrafico& symbol);
    // Applies a confirmed properties dialog opened on `clicked` to it and to every other
    // selected symbol. notify false leaves the change notification to the caller.
    void ApplyProperties(TObjectoGrafico& clicked, const PropertyEdit& edit, bool notify = true);
    // Applies the restricted dialog of the position list (no undo entry).
    void ApplyPositionEdit(TObjectoGrafico& symbol, float x, float y, float z, float angle);
    // After the references dialog: changed says whether it changed anything.
    void ReferencesEdited(bool changed);
    // Rebuilds the dimension chains when they are shown.
    void RebuildDimensions();

    // Mouse, plan pixels. doubleClick marks the second press of a double click.
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos) override;
    void MouseDoubleClick(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos) override;
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos) override;

    // The topmost symbol under a plan pixel, or null.
    TObjectoGrafico* SymbolAt(QPoint pos) const;
    // Whether a symbol is being dragged with the left button.
    bool SymbolDragging() const { return m_captured && m_captured->Dragging; }
    // Position read-out of the current drag: its top-left corner and text.
    struct PositionLabel {
        QPoint Pos;
        QString Text;
    };
    const std::optional<PositionLabel>& PosLabel() const { return m_posLabel; }

    // The placed luminaires in numbering order; owned.
    const std::vector<std::unique_ptr<TObjectoGrafico>>& Luminaires() const { return m_luminaires; }
    // Back to front.
    const std::vector<TObjectoGrafico*>& StackingOrder() const { return m_stack; }
    const std::vector<TCota>& DimsX() const { return m_dimsX; }
    const std::vector<TCota>& DimsY() const { return m_dimsY; }
    // The viewport as the symbols' limits, plan pixels.
    DeviceRect SymbolLimits() const;

    // Callbacks to the host; each may be unset.
    std::function<void(bool withRefs, const QString& label)> OnPlanChanged;
    std::function<void()> OnRefreshCommands;
    std::function<void()> OnRepaint;
    std::function<void(bool shown)> OnDimensionsToggled; // the drag brought the marks back
    std::function<bool(TObjectoGrafico&)> OnEditProperties; // double click
    std::function<void(TObjectoGrafico&, QPoint)> OnLuminaireMenu; // right click on a symbol
    std::function<void(QPoint)> OnPlanMenu; // right click on the plan
    std::function<void(bool preview)> OnPrintPlan;
    std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, QPoint)> OnPlanMouseDown, OnPlanMouseUp;
    std::function<void(Qt::MouseButtons, Qt::KeyboardModifiers, QPoint)> OnPlanMouseMove;

    QPoint PopupPos{0, 0};
    float XStep = 1;
    float YStep = 1;
    bool ShowFrames = false;
    bool ShowMargin = true;
    bool ShowWorkArea = true;
    bool ShowDimensions = false;
    bool PlanChanged = false;
    double DimensionMinimum = 0.5; // metres: shorter spans are left out of the chains

private:
    std::unique_ptr<TObjectoGrafico> MakeSymbol();
    void DrawDimensionChains();
    void Repaint();
    void ClearResults();
    // Writes the luminaires back into the document.
    void StoreLuminaires();
    void Changed(bool withRefs, const QString& label);
    void RefreshCommands();
    RefList* Refs() const;
    TRefLuminaria* RefAt(int index) const;
    void ChangeReference(TObjectoGrafico& symbol, int index);
    void SetPosLabel(const TObjectoGrafico& symbol, QPoint pos);

    ProjectDocument* m_document = nullptr;
    std::vector<std::unique_ptr<TObjectoGrafico>> m_luminaires;
    std::vector<TObjectoGrafico*> m_stack;
    std::vector<TCota> m_dimsX;
    std::vector<TCota> m_dimsY;
    int m_zoomPercent = 100;
    TObjectoGrafico* m_captured = nullptr; // symbol under the button pressed last
    std::optional<PositionLabel> m_posLabel;
};

} // namespace lumivar
