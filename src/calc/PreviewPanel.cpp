#include "calc/PreviewPanel.h"

#include "graphics/MundoGraficoWidget.h"

#include <QLabel>
#include <QPalette>

#include <memory>

namespace lumivar {

PreviewPanel::PreviewPanel(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Panel1"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    setPalette(white);
    m_caption = new QLabel(tr("Previsão"), this);
    m_caption->move(4, 2);
    auto plan = std::make_unique<TPlanoGrf>();
    m_plan = plan.get();
    m_view = new MundoGraficoWidget(std::move(plan), this);
    m_view->setObjectName(QStringLiteral("PlanoGrf"));
    setMinimumSize(220, 180);
}

QWidget* PreviewPanel::View() const
{
    return m_view;
}

void PreviewPanel::Refit()
{
    const int top = m_caption->geometry().bottom() + 2;
    const QRect box = m_plan->FitInto(width() - 4, height() - top - 2);
    m_view->setGeometry(box.translated(2, top));
    m_plan->SetClientSize(box.width(), box.height());
    Repaint();
}

void PreviewPanel::Repaint()
{
    m_view->update();
}

void PreviewPanel::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    Refit();
}

} // namespace lumivar
