#include "graphics/PlanWidget.h"

#include "graphics/LuminaireProperties.h"

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace lumivar {

PlanWidget::PlanWidget(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(false);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    ConfirmDelete = [this](const QString& question) {
        QApplication::beep();
        return QMessageBox::question(this, windowTitle(), question,
                                     QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) == QMessageBox::Yes;
    };
    EditProperties = [this](TObjectoGrafico& symbol) { return TObjProp::EditSymbol(m_plan, symbol, this); };

    m_plan.OnRepaint = [this] { update(); };
    m_plan.OnPlanChanged = [this](bool withRefs, const QString& label) { emit PlanChanged(withRefs, label); };
    m_plan.OnRefreshCommands = [this] { emit RefreshCommands(); };
    m_plan.OnDimensionsToggled = [this](bool shown) { emit DimensionsToggled(shown); };
    m_plan.OnPrintPlan = [this](bool preview) { emit PrintPlan(preview); };
    m_plan.OnEditProperties = [this](TObjectoGrafico& symbol) { return EditProperties && EditProperties(symbol); };
    m_plan.OnPlanMenu = [this](QPoint pos) { ShowPlanMenu(pos); };
    m_plan.OnLuminaireMenu = [this](TObjectoGrafico& symbol, QPoint pos) { ShowLuminaireMenu(symbol, pos); };
    BuildMenus();
}

PlanWidget::~PlanWidget() = default;

void PlanWidget::SetDocument(ProjectDocument* document)
{
    m_plan.SetDocument(document);
    Fit();
}

void PlanWidget::SetZoomPercent(int percent)
{
    m_plan.SetZoomPercent(percent);
    Fit();
}

void PlanWidget::Fit()
{
    m_plan.FitInto(width(), height());
    update();
}

TObjectoGrafico* PlanWidget::MenuSymbol() const
{
    const auto& list = m_plan.Luminaires();
    const bool present =
        std::any_of(list.begin(), list.end(), [this](const auto& s) { return s.get() == m_menuSymbol; });
    return present ? m_menuSymbol : nullptr;
}

void PlanWidget::BuildMenus()
{
    m_planMenu = new QMenu(this);
    m_planMenu->setToolTipsVisible(true);
    m_newAction = m_planMenu->addAction(tr("&Nova..."), this, [this] {
        const QPoint at = m_plan.PopupPos;
        m_plan.AddLuminaire(at.x(), at.y(), [this](TObjectoGrafico& s) { return EditProperties && EditProperties(s); });
    });
    m_planMenu->addAction(tr("&Duplicar"), this, [this] { m_plan.DuplicateSelected(); });
    m_planMenu->addAction(tr("&Apagar"), this, [this] {
        AskAndDelete(tr("Deseja mesmo apagar o(s) aparelho(s) seleccinado(s) ? \nVerifique muito bem a sua escolha!"));
    });
    m_planMenu->addSeparator();
    m_dimensionsAction = m_planMenu->addAction(tr("Ver &Cotas"), this, &PlanWidget::ToggleDimensions);
    m_dimensionsAction->setCheckable(true);
    m_planMenu->addAction(tr("&Luminárias..."), this, [this] { emit ReferencesRequested(); });
    m_planMenu->addSeparator();
    m_planMenu->addAction(tr("Selecciona &tudo"), this, [this] { m_plan.SelectAll(); });
    m_planMenu->addSeparator();
    m_planMenu->addAction(tr("Ver A&ntes"), this, [this] { emit PrintPlan(true); });
    m_planMenu->addAction(tr("&Imprime página"), this, [this] { emit PrintPlan(false); });

    m_luminaireMenu = new QMenu(this);
    m_luminaireMenu->addAction(tr("&Duplicar"), this, [this] { m_plan.DuplicateSelected(); });
    m_luminaireMenu->addAction(tr("&Apagar"), this, [this] {
        AskAndDelete(tr("Deseja mesmo apagar este(s) aparelho(s) ? \nVerifique muito bem a sua escolha!"));
    });
    m_luminaireMenu->addSeparator();
    const std::pair<const char*, float> turns[] = {{QT_TR_NOOP("Posição      &0°"), 0.0f},
                                                   {QT_TR_NOOP("Posição     &90°"), 90.0f},
                                                   {QT_TR_NOOP("Posição    &180°"), 180.0f},
                                                   {QT_TR_NOOP("Posição    &270°"), 270.0f}};
    for (const auto& [caption, angle] : turns) {
        const float a = angle;
        m_luminaireMenu->addAction(tr(caption), this, [this, a] {
            if (TObjectoGrafico* s = MenuSymbol())
                m_plan.SetAngleOfSelection(*s, a);
        });
    }
    m_luminaireMenu->addSeparator();
    m_luminaireMenu->addAction(tr("Coloca na &frente"), this, [this] {
        if (TObjectoGrafico* s = MenuSymbol())
            m_plan.BringToFront(*s);
    });
    m_luminaireMenu->addAction(tr("Envia para &tras"), this, [this] {
        if (TObjectoGrafico* s = MenuSymbol())
            m_plan.SendToBack(*s);
    });
    m_luminaireMenu->addSeparator();
    m_luminaireMenu->addAction(tr("&Propriedades..."), this, [this] {
        if (TObjectoGrafico* s = MenuSymbol())
            m_plan.EditProperties(*s);
    });
}

void PlanWidget::ShowPlanMenu(QPoint pos)
{
    const ProjectDocument* doc = m_plan.Document();
    m_newAction->setEnabled(doc && !doc->LuminaireRefs.empty());
    m_dimensionsAction->setChecked(m_plan.ShowDimensions);
    m_planMenu->popup(mapToGlobal(pos));
}

void PlanWidget::ShowLuminaireMenu(TObjectoGrafico& symbol, QPoint pos)
{
    m_menuSymbol = &symbol;
    m_luminaireMenu->popup(mapToGlobal(pos));
}

void PlanWidget::AskAndDelete(const QString& question)
{
    if (!m_plan.AnySelected())
        return;
    if (ConfirmDelete && ConfirmDelete(question))
        m_plan.DeleteSelected(true);
}

void PlanWidget::UpdateCursor()
{
    if (m_plan.SymbolDragging())
        setCursor(Qt::SizeAllCursor);
    else
        unsetCursor();
}

bool PlanWidget::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (const TObjectoGrafico* s = m_plan.SymbolAt(help->pos()))
            QToolTip::showText(help->globalPos(), s->Hint, this, s->Bounds());
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void PlanWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_plan.PaintScreen(&painter);
}

void PlanWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Fit();
}

void PlanWidget::mousePressEvent(QMouseEvent* event)
{
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    m_plan.MouseDown(event->button(), event->modifiers(), event->position().toPoint());
    UpdateCursor();
    update();
}

void PlanWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_plan.MouseDoubleClick(event->button(), event->modifiers(), event->position().toPoint());
    UpdateCursor();
    update();
}

void PlanWidget::mouseMoveEvent(QMouseEvent* event)
{
    m_plan.MouseMove(event->buttons(), event->modifiers(), event->position().toPoint());
    update();
}

void PlanWidget::mouseReleaseEvent(QMouseEvent* event)
{
    m_plan.MouseUp(event->button(), event->modifiers(), event->position().toPoint());
    UpdateCursor();
    update();
}

void PlanWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        if (m_plan.AnySelected())
            m_plan.DeleteSelected(true);
        return;
    }
    if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::ShiftModifier) {
        m_plan.DuplicateSelected();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PlanWidget::ToggleDimensions()
{
    m_plan.ToggleDimensions(true);
    update();
    emit DimensionsToggled(m_plan.ShowDimensions);
}

} // namespace lumivar
