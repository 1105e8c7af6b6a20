#include "graphics/UnPlanoE.h"

#include "graphics/PainterState.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPicture>

#include <algorithm>

namespace lumivar {

namespace {

QString Tr(const char* text)
{
    return QCoreApplication::translate("TPlanoGrafico", text);
}

// Box between two pixel corners in any order, as QPainter outlines it.
QRect CornerBox(int x1, int y1, int x2, int y2)
{
    return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1));
}

bool CtrlOrShift(Qt::KeyboardModifiers modifiers)
{
    return modifiers & (Qt::ControlModifier | Qt::ShiftModifier);
}

} // namespace

QString PlanLabelPosition()
{
    return Tr("Luminárias: posição");
}
QString PlanLabelAngle()
{
    return Tr("Luminárias: ângulo");
}
QString PlanLabelProperties()
{
    return Tr("Luminárias: propriedades");
}
QString PlanLabelDelete()
{
    return Tr("Luminárias: apagar");
}
QString PlanLabelDuplicate()
{
    return Tr("Luminárias: duplicar");
}
QString PlanLabelReferences()
{
    return Tr("Referências Luminárias");
}

TPlanoGrafico::TPlanoGrafico() = default;
TPlanoGrafico::~TPlanoGrafico() = default;

// ---------------------------------------------------------------------------------------
// Document and layout

void TPlanoGrafico::SetDocument(ProjectDocument* document)
{
    m_document = document;
    ShowDimensions = false;
    m_dimsX.clear();
    m_dimsY.clear();
    PlanChanged = document && document->PlanChanged;
    ApplyRoom();
    ReloadLuminaires();
    if (document && document->ShowDimensions)
        ToggleDimensions(true);
}

void TPlanoGrafico::ApplyRoom()
{
    if (!m_document)
        return;
    const float length = m_document->ProjectData.Length;
    const float width = m_document->ProjectData.Width;
    // A room without extent would give an infinite scale; keep the last window then.
    if (length > 0 && width > 0)
        SetWorld(0, width, length, 0);
    SetSteps(width, length);
}

void TPlanoGrafico::ReloadLuminaires()
{
    m_captured = nullptr;
    m_posLabel.reset();
    m_luminaires.clear();
    m_stack.clear();
    if (m_document) {
        for (const TObjectoLuminaria& l : m_document->Luminaires) {
            auto s = MakeSymbol();
            s->Luminaria = l;
            s->Luminaria.Attach(m_document->LuminaireRefs, l.RefIndex);
            s->Hint = LuminaireHint(s->Luminaria.Ref);
            s->ShowFrame = ShowFrames;
            s->ShowDimensions = ShowDimensions;
            s->SetWorldPos(l.X, l.Y, l.Z);
            s->UpdateShape(SymbolLimits(), nullptr, l.Angle);
            m_stack.push_back(s.get());
            m_luminaires.push_back(std::move(s));
        }
    }
    if (ShowDimensions) {
        ToggleDimensions(false);
        ToggleDimensions(false);
    }
    Repaint();
}

void TPlanoGrafico::SetZoomPercent(int percent)
{
    m_zoomPercent = std::max(percent, 1);
}

QRect TPlanoGrafico::FitInto(int panelWidth, int panelHeight)
{
    const double z = m_zoomPercent / 100.0;
    int left = 0, top = 0, width = std::max(panelWidth, 0), height = std::max(panelHeight, 0);
    float ratio = 1;
    if (m_document && m_document->ProjectData.Length > 0 && m_document->ProjectData.Width > 0)
        ratio = m_document->ProjectData.Width / m_document->ProjectData.Length;
    FitAspect(left, top, width, height, ratio);
    SetClientSize(std::max(panelWidth, 0), std::max(panelHeight, 0));
    MaxAxisFontSize = RoundEven(7 * z);
    const int mx = RoundEven(25 * z);
    const int my = RoundEven(20 * z);
    SetViewport(left + mx, top + my, left + width - mx, top + height - my, true);
    ApplyRoom();
    Relayout();
    return QRect(left, top, width, height);
}

void TPlanoGrafico::SetSteps(float width, float length)
{
    XStep = GridStep(length);
    YStep = GridStep(width);
}

DeviceRect TPlanoGrafico::SymbolLimits() const
{
    return Viewport();
}

void TPlanoGrafico::Relayout()
{
    for (auto& s : m_luminaires) {
        const TObjectoLuminaria& l = s->Luminaria;
        s->SetWorldPos(l.X, l.Y, l.Z);
        s->Limits = SymbolLimits();
        s->UpdateShape(s->Limits, nullptr, l.Angle);
        s->ReclampWorld();
    }
    Repaint();
}

// ---------------------------------------------------------------------------------------
// Painting

void TPlanoGrafico::Paint()
{
    QPainter* canvas = DrawCanvas();
    if (!canvas)
        return;
    PainterState state(canvas);
    QPen pen(QColor(0, 0, 0));
    pen.setWidth(0);
    canvas->setPen(pen);
    canvas->setBrush(QBrush(Qt::white, Qt::SolidPattern));
    // The room outline with its ticks; the values go into the margins round the room.
    DrawAxes(false, -4, 4, 0, 0, 0, 0, Qt::SolidLine, Qt::SolidLine, false, XStep, YStep);

    if (m_document) {
        const TDadosProjecto& data = m_document->ProjectData;
        if (ShowMargin && data.Margin > 0) {
            PainterState inner(canvas);
            QPen silver(QColor(192, 192, 192));
            silver.setWidth(0);
            canvas->setPen(silver);
            canvas->setBrush(Qt::NoBrush);
            canvas->drawRect(CornerBox(XToScreen(data.Margin), YToScreen(data.Margin),
                                       XToScreen(data.Length - data.Margin), YToScreen(data.Width - data.Margin)));
        }
        if (ShowWorkArea && data.WorkArea) {
            PainterState inner(canvas);
            QPen dashDot(QColor(192, 192, 192));
            dashDot.setStyle(Qt::DashDotLine);
            dashDot.setWidth(0);
            canvas->setPen(dashDot);
            const QColor fill = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                                    ? QGuiApplication::palette().color(QPalette::ToolTipBase)
                                    : QColor(255, 255, 225);
            canvas->setBrush(QBrush(fill, Qt::SolidPattern));
            canvas->drawRect(CornerBox(XToScreen(data.WorkAreaX1), YToScreen(data.WorkAreaY1),
                                       XToScreen(data.WorkAreaX2), YToScreen(data.WorkAreaY2)));
        }
    }

    if (ShowDimensions) {
        for (const auto& s : m_luminaires)
            s->DrawGuides(canvas);
        DrawDimensionChains();
    }
}

void TPlanoGrafico::DrawDimensionChains()
{
    QPainter* canvas = DrawCanvas();
    PainterState state(canvas);
    const int s = std::max(AxisFontSize() - 1, 1);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(s);
    canvas->setFont(font);
    QPen pen(QColor(0, 0, 255));
    pen.setStyle(Qt::DotLine);
    pen.setWidth(0);
    canvas->setPen(pen);
    canvas->setBrush(QBrush(Qt::white, Qt::SolidPattern));
    const WorldRect& w = World();

    // X chain above the room.
    const int y = YToScreen(std::max(w.Y1, w.Y2)) - s - 1;
    for (const DimensionSpan& span : DimensionSpans(m_dimsX, DimensionMinimum)) {
        const int x0 = XToScreen(span.From);
        const int x1 = XToScreen(span.To);
        if (span.StartTick)
            Line(x0, y + s, x0, y - s);
        Line(x0, y, x1, y);
        Arrow(x0 + 1, y, s / 2, ArrowDirection::Left);
        Arrow(x1 - 1, y, s / 2, ArrowDirection::Right);
        NumberAt(-((x0 + x1) / 2), y, span.To - span.From, 0, 2, TextHAlign::Centred, TextVAlign::Centred);
    }

    // Y chain right of the room.
    const int x = XToScreen(std::max(w.X1, w.X2)) + s - 1;
    for (const DimensionSpan& span : DimensionSpans(m_dimsY, DimensionMinimum)) {
        const int y0 = YToScreen(span.From);
        const int y1 = YToScreen(span.To);
        if (span.StartTick)
            Line(x - s, y0, x + s, y0);
        Line(x, y0, x, y1);
        Arrow(x, y0 - 1, s / 2, ArrowDirection::Down);
        Arrow(x, y1 + 1, s / 2, ArrowDirection::Up);
        NumberAt(-x, (y0 + y1) / 2, span.To - span.From, 0, 2, TextHAlign::BeginsAtX, TextVAlign::Centred);
    }
}

void TPlanoGrafico::PaintScreen(QPainter* painter)
{
    if (!painter)
        return;
    PaintOn(painter);
    for (const TObjectoGrafico* s : m_stack)
        s->Paint(painter);
    if (m_posLabel) {
        PainterState state(painter);
        const QFontMetrics fm = painter->fontMetrics();
        const QRect box(m_posLabel->Pos, QSize(fm.horizontalAdvance(m_posLabel->Text) + 2, fm.height() + 2));
        painter->fillRect(box, QColor(255, 255, 0));
        painter->setPen(QColor(0, 0, 0));
        painter->drawText(box, Qt::AlignCenter, m_posLabel->Text);
    }
    DrawRubberBand(painter);
}

QPicture TPlanoGrafico::RenderToMetafile()
{
    QPicture picture;
    picture.setBoundingRect(QRect(0, 0, ClientWidth(), ClientHeight()));
    QPainter painter(&picture);
    QPainter* saved = DrawCanvas();
    SetDrawCanvas(&painter);
    Paint();
    for (const auto& s : m_luminaires)
        s->DrawOnPlan();
    SetDrawCanvas(saved);
    painter.end();
    return picture;
}

// ---------------------------------------------------------------------------------------
// Commands

std::unique_ptr<TObjectoGrafico> TPlanoGrafico::MakeSymbol()
{
    auto s = std::make_unique<TObjectoGrafico>(this);
    s->Hint = LuminaireHint(nullptr);
    return s;
}

RefList* TPlanoGrafico::Refs() const
{
    return m_document ? &m_document->LuminaireRefs : nullptr;
}

TRefLuminaria* TPlanoGrafico::RefAt(int index) const
{
    RefList* refs = Refs();
    if (!refs || index < 0 || static_cast<std::size_t>(index) >= refs->size())
        return nullptr;
    return (*refs)[static_cast<std::size_t>(index)].get();
}

void TPlanoGrafico::ChangeReference(TObjectoGrafico& symbol, int index)
{
    if (TRefLuminaria* old = RefAt(symbol.Luminaria.RefIndex))
        old->RemoveUse();
    symbol.Luminaria.Attach(*Refs(), index);
    symbol.Hint = LuminaireHint(symbol.Luminaria.Ref);
    if (TRefLuminaria* now = RefAt(index))
        now->AddUse();
}

void TPlanoGrafico::Repaint()
{
    if (OnRepaint)
        OnRepaint();
}

void TPlanoGrafico::ClearResults()
{
    if (m_document)
        m_document->InvalidateResults();
}

void TPlanoGrafico::StoreLuminaires()
{
    if (!m_document)
        return;
    m_document->Luminaires.clear();
    m_document->Luminaires.reserve(m_luminaires.size());
    for (const auto& s : m_luminaires)
        m_document->Luminaires.push_back(s->Luminaria);
    m_document->PlanChanged = PlanChanged;
}

void TPlanoGrafico::Changed(bool withRefs, const QString& label)
{
    if (m_document)
        m_document->Modified = true;
    if (OnPlanChanged)
        OnPlanChanged(withRefs, label);
}

void TPlanoGrafico::RefreshCommands()
{
    if (OnRefreshCommands)
        OnRefreshCommands();
}

bool TPlanoGrafico::AnySelected() const
{
    return SelectedCount() > 0;
}

int TPlanoGrafico::SelectedCount() const
{
    return static_cast<int>(
        std::count_if(m_luminaires.begin(), m_luminaires.end(), [](const auto& s) { return s->Selected; }));
}

void TPlanoGrafico::Renumber()
{
    int n = 0;
    for (auto& s : m_luminaires)
        s->Luminaria.Number = ++n;
}

void TPlanoGrafico::SelectAll()
{
    for (auto& s : m_luminaires)
        s->Selected = true;
    Repaint();
}

void TPlanoGrafico::DeselectAll()
{
    for (auto& s : m_luminaires)
        s->Selected = false;
    Repaint();
}

void TPlanoGrafico::ToggleDimensions(bool repaint)
{
    ShowDimensions = !ShowDimensions;
    if (m_document)
        m_document->ShowDimensions = ShowDimensions ? 1 : 0;
    for (auto& s : m_luminaires) {
        s->ShowDimensions = ShowDimensions;
        if (ShowDimensions) {
            InsertDimension(m_dimsX, s->Luminaria.X);
            InsertDimension(m_dimsY, s->Luminaria.Y);
        }
    }
    if (!ShowDimensions) {
        m_dimsX.clear();
        m_dimsY.clear();
    }
    if (repaint && !m_luminaires.empty())
        Repaint();
}

void TPlanoGrafico::RebuildDimensions()
{
    if (ShowDimensions) {
        ToggleDimensions(false);
        ToggleDimensions(true);
    } else {
        Repaint();
    }
}

void TPlanoGrafico::BringToFront(TObjectoGrafico& symbol)
{
    auto it = std::find(m_stack.begin(), m_stack.end(), &symbol);
    if (it == m_stack.end())
        return;
    m_stack.erase(it);
    m_stack.push_back(&symbol);
    Repaint();
}

void TPlanoGrafico::SendToBack(TObjectoGrafico& symbol)
{
    auto it = std::find(m_stack.begin(), m_stack.end(), &symbol);
    if (it == m_stack.end())
        return;
    m_stack.erase(it);
    m_stack.insert(m_stack.begin(), &symbol);
    Repaint();
}

TObjectoGrafico* TPlanoGrafico::AddLuminaire(int px, int py, const std::function<bool(TObjectoGrafico&)>& edit)
{
    if (AnySelected())
        DeselectAll();
    auto s = MakeSymbol();
    s->SetCentre(px, py);
    s->Luminaria.Z = m_document ? m_document->ProjectData.Height : 0;
    s->Limits = SymbolLimits();
    s->UpdateShape(s->Limits, nullptr, 0);

    const bool shown = ShowDimensions;
    ShowDimensions = false;
    const bool confirmed = edit && edit(*s);
    TObjectoGrafico* added = nullptr;
    if (confirmed) {
        s->ShowFrame = ShowFrames;
        s->ShowDimensions = shown;
        s->Luminaria.Number = static_cast<int>(m_luminaires.size()) + 1;
        added = s.get();
        m_stack.push_back(added);
        m_luminaires.push_back(std::move(s));
        // Reported once the luminaire is in the list, so the undo entry and the
        // document hold it.
        PlanChanged = true;
        ClearResults();
        StoreLuminaires();
        Changed(added->Luminaria.Ref != nullptr, PlanLabelProperties());
        RefreshCommands();
    }
    ShowDimensions = shown;
    if (shown) {
        ToggleDimensions(true);
        ToggleDimensions(true);
    } else {
        Repaint();
    }
    return added;
}

void TPlanoGrafico::DuplicateSelected()
{
    const bool shown = ShowDimensions;
    if (shown)
        ToggleDimensions(false);
    const std::size_t count = m_luminaires.size();
    bool duplicated = false;
    for (std::size_t i = 0; i < count; ++i) {
        TObjectoGrafico& source = *m_luminaires[i];
        if (!source.Selected)
            continue;
        auto copy = MakeSymbol();
        // 15 pixels right and down whatever the zoom.
        copy->SetCentre(source.Centre.x() + 15, source.Centre.y() + 15);
        copy->Luminaria.Z = source.Luminaria.Z;
        copy->UpdateShape(source.Limits, &source.Luminaria, source.Luminaria.Angle);
        copy->Luminaria.RefIndex = source.Luminaria.RefIndex;
        copy->Luminaria.Ref = source.Luminaria.Ref;
        copy->Selected = true;
        source.Selected = false;
        int dx = 0, dy = 0;
        copy->MoveBy(dx, dy);
        copy->ShowFrame = ShowFrames;
        copy->Hint = source.Hint;
        copy->Luminaria.Number = static_cast<int>(m_luminaires.size()) + 1;
        if (TRefLuminaria* ref = RefAt(copy->Luminaria.RefIndex))
            ref->AddUse();
        m_stack.push_back(copy.get());
        m_luminaires.push_back(std::move(copy));
        duplicated = true;
    }
    PlanChanged = PlanChanged || AnySelected();
    if (duplicated) {
        ClearResults();
        StoreLuminaires();
        Changed(true, PlanLabelDuplicate());
    }
    RefreshCommands();
    if (shown)
        ToggleDimensions(true);
    else
        Repaint();
}

void TPlanoGrafico::DeleteSelected(bool snapshot)
{
    const bool shown = ShowDimensions;
    if (shown)
        ToggleDimensions(false);
    for (std::size_t i = m_luminaires.size(); i > 0; --i) {
        TObjectoGrafico* s = m_luminaires[i - 1].get();
        if (!s->Selected)
            continue;
        if (TRefLuminaria* ref = RefAt(s->Luminaria.RefIndex))
            ref->RemoveUse();
        if (m_captured == s)
            m_captured = nullptr;
        m_stack.erase(std::remove(m_stack.begin(), m_stack.end(), s), m_stack.end());
        m_luminaires.erase(m_luminaires.begin() + static_cast<std::ptrdiff_t>(i - 1));
    }
    Renumber();
    if (shown)
        ToggleDimensions(false);
    // The deleted symbols must leave the screen even when none remain.
    Repaint();
    PlanChanged = true;
    ClearResults();
    StoreLuminaires();
    if (snapshot) {
        Changed(true, PlanLabelDelete());
        RefreshCommands();
    }
}

void TPlanoGrafico::SetAngleOfSelection(TObjectoGrafico& clicked, float angle)
{
    // A change of any turned symbol counts, not only of the clicked one.
    bool changed = false;
    auto turn = [&](TObjectoGrafico& s) {
        changed = changed || s.Luminaria.Angle != angle;
        s.Rotate(angle);
        int dx = 0, dy = 0;
        s.MoveBy(dx, dy);
    };
    turn(clicked);
    for (auto& s : m_luminaires)
        if (s.get() != &clicked && s->Selected)
            turn(*s);
    if (changed) {
        PlanChanged = true;
        ClearResults();
        StoreLuminaires();
        Changed(false, PlanLabelAngle());
        RefreshCommands();
    }
    Repaint();
}

bool TPlanoGrafico::EditProperties(TObjectoGrafico& symbol)
{
    const bool confirmed = OnEditProperties && OnEditProperties(symbol);
    RebuildDimensions();
    return confirmed;
}

void TPlanoGrafico::ApplyProperties(TObjectoGrafico& clicked, const PropertyEdit& edit, bool notify)
{
    TObjectoLuminaria& l = clicked.Luminaria;
    float dx = edit.X - l.X;
    float dy = edit.Y - l.Y;
    const float dz = edit.Z - l.Z;
    const float da = edit.Angle - l.Angle;
    const bool refChosen = RefAt(edit.RefIndex) != nullptr;
    if (refChosen)
        ChangeReference(clicked, edit.RefIndex);
    l.Z = edit.Z;
    l.Angle = edit.Angle;
    clicked.UpdateShape(clicked.Limits, nullptr, edit.Angle);
    clicked.MoveByWorld(dx, dy);

    for (auto& t : m_luminaires) {
        if (t.get() == &clicked || !t->Selected)
            continue;
        TObjectoLuminaria& tl = t->Luminaria;
        if (refChosen)
            ChangeReference(*t, edit.RefIndex);
        // A field left alone changes nothing, whatever the dialog's rounding.
        tl.Z = edit.EditedZ && !edit.Relative ? edit.Z : tl.Z + (edit.EditedZ ? dz : 0);
        tl.Angle = edit.EditedAngle && !edit.Relative ? edit.Angle : tl.Angle + (edit.EditedAngle ? da : 0);
        t->UpdateShape(clicked.Limits, nullptr, tl.Angle);
        float tdx = edit.EditedX ? (edit.Relative ? dx : l.X - tl.X) : 0;
        float tdy = edit.EditedY ? (edit.Relative ? dy : l.Y - tl.Y) : 0;
        t->MoveByWorld(tdx, tdy);
    }

    const bool placed =
        std::any_of(m_luminaires.begin(), m_luminaires.end(), [&](const auto& s) { return s.get() == &clicked; });
    if (notify && placed) {
        PlanChanged = true;
        ClearResults();
        StoreLuminaires();
        Changed(refChosen, PlanLabelProperties());
        RefreshCommands();
    }
    Repaint();
}

void TPlanoGrafico::ApplyPositionEdit(TObjectoGrafico& symbol, float x, float y, float z, float angle)
{
    symbol.Luminaria.Z = z;
    symbol.Luminaria.Angle = angle;
    symbol.UpdateShape(symbol.Limits, nullptr, angle);
    symbol.MoveToWorld(x, y);
    PlanChanged = true;
    ClearResults();
    StoreLuminaires();
    if (m_document)
        m_document->Modified = true;
    RefreshCommands();
    RebuildDimensions();
}

void TPlanoGrafico::ReferencesEdited(bool changed)
{
    PlanChanged = PlanChanged || changed;
    if (changed) {
        ClearResults();
        StoreLuminaires();
        Changed(true, PlanLabelReferences());
    }
    RefreshCommands();
    RebuildDimensions();
}

// ---------------------------------------------------------------------------------------
// Mouse

TObjectoGrafico* TPlanoGrafico::SymbolAt(QPoint pos) const
{
    for (auto it = m_stack.rbegin(); it != m_stack.rend(); ++it)
        if ((*it)->Contains(pos))
            return *it;
    return nullptr;
}

void TPlanoGrafico::SetPosLabel(const TObjectoGrafico& symbol, QPoint pos)
{
    const QString text = QStringLiteral(" X= ") + FormatFixed(symbol.Luminaria.X, 2, 15) + QStringLiteral("  ") +
                         QStringLiteral(" Y= ") + FormatFixed(symbol.Luminaria.Y, 2, 15) + QStringLiteral(" ");
    m_posLabel = PositionLabel{pos, text};
}

void TPlanoGrafico::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos)
{
    if (TObjectoGrafico* s = SymbolAt(pos)) {
        m_captured = s;
        if (!s->Selected) {
            if (!CtrlOrShift(modifiers))
                DeselectAll();
            s->Selected = true;
        }
        BringToFront(*s);
        if (button == Qt::LeftButton) {
            s->Dragging = true;
            s->Moved = false;
            s->DragStart = pos;
            SetPosLabel(*s, pos + QPoint(20, -7));
        }
        Repaint();
        return;
    }
    m_captured = nullptr;
    if (button == Qt::LeftButton && !CtrlOrShift(modifiers) && AnySelected())
        DeselectAll();
    TMundoGrafico::MouseDown(button, modifiers, pos);
    if (OnPlanMouseDown)
        OnPlanMouseDown(button, modifiers, pos);
}

void TPlanoGrafico::MouseDoubleClick(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos)
{
    TObjectoGrafico* s = SymbolAt(pos);
    if (!s || button != Qt::LeftButton) {
        MouseDown(button, modifiers, pos);
        return;
    }
    m_captured = s;
    if (!s->Selected) {
        if (!CtrlOrShift(modifiers))
            DeselectAll();
        s->Selected = true;
    }
    BringToFront(*s);
    EditProperties(*s);
}

void TPlanoGrafico::MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos)
{
    if (m_captured) {
        TObjectoGrafico& s = *m_captured;
        if (!s.Dragging)
            return;
        if (ShowDimensions) {
            ToggleDimensions(true);
            s.DimensionsSuspended = true;
        }
        int dx = pos.x() - s.DragStart.x();
        int dy = pos.y() - s.DragStart.y();
        if (dx == 0 && dy == 0)
            return;
        s.MoveBy(dx, dy);
        s.DragStart += QPoint(dx, dy);
        // Only a move that was made counts, so a last event without motion cannot
        // hide the drag from the change report.
        s.Moved = s.Moved || dx != 0 || dy != 0;
        if (m_posLabel)
            SetPosLabel(s, m_posLabel->Pos + QPoint(dx, dy));
        for (auto& other : m_luminaires) {
            if (other.get() == &s || !other->Selected)
                continue;
            int odx = dx, ody = dy;
            other->MoveBy(odx, ody);
        }
        Repaint();
        return;
    }
    TMundoGrafico::MouseMove(buttons, modifiers, pos);
    if (OnPlanMouseMove)
        OnPlanMouseMove(buttons, modifiers, pos);
}

void TPlanoGrafico::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos)
{
    if (m_captured) {
        TObjectoGrafico& s = *m_captured;
        if (button == Qt::RightButton && !s.Dragging) {
            m_captured = nullptr;
            // The menu's commands may delete the symbol: nothing of it is used after.
            if (OnLuminaireMenu)
                OnLuminaireMenu(s, pos);
            return;
        }
        if (button != Qt::LeftButton)
            return;
        m_posLabel.reset();
        s.Dragging = false;
        m_captured = nullptr;
        if (s.DimensionsSuspended && !ShowDimensions) {
            ToggleDimensions(true);
            if (OnDimensionsToggled)
                OnDimensionsToggled(true);
        }
        s.DimensionsSuspended = false;
        if (s.Moved) {
            s.Moved = false;
            PlanChanged = true;
            ClearResults();
            StoreLuminaires();
            Changed(false, PlanLabelPosition());
            RefreshCommands();
        }
        Repaint();
        return;
    }
    TMundoGrafico::MouseUp(button, modifiers, pos);
    if (HasZoomRect()) {
        const QRect band =
            QRect(QPoint(ZoomRect.Left, ZoomRect.Top), QPoint(ZoomRect.Right, ZoomRect.Bottom)).normalized();
        for (auto& s : m_luminaires)
            if (s->InsideRect(band))
                s->Selected = true;
        ZoomRect = {};
        HideRubberBand();
        Repaint();
    }
    if (button == Qt::RightButton) {
        PopupPos = pos;
        if (OnPlanMenu)
            OnPlanMenu(pos);
    }
    if (OnPlanMouseUp)
        OnPlanMouseUp(button, modifiers, pos);
}

} // namespace lumivar
