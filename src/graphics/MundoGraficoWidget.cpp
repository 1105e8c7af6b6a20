#include "graphics/MundoGraficoWidget.h"

#include <QMouseEvent>
#include <QPainter>

namespace lumivar {

MundoGraficoWidget::MundoGraficoWidget(std::unique_ptr<TMundoGrafico> graphic, QWidget* parent)
    : QWidget(parent), m_graphic(std::move(graphic))
{
    if (!m_graphic)
        m_graphic = std::make_unique<TMundoGrafico>();
    m_graphic->SetClientSize(width(), height());
}

MundoGraficoWidget::~MundoGraficoWidget() = default;

void MundoGraficoWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_graphic->SetClientSize(width(), height());
    m_graphic->PaintOn(&painter);
    m_graphic->DrawRubberBand(&painter);
}

void MundoGraficoWidget::resizeEvent(QResizeEvent* event)
{
    m_graphic->SetClientSize(width(), height());
    QWidget::resizeEvent(event);
}

void MundoGraficoWidget::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    m_graphic->SetClientSize(width(), height());
    m_graphic->MouseDown(event->button(), event->modifiers(), event->position().toPoint());
    update();
}

void MundoGraficoWidget::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    m_graphic->SetClientSize(width(), height());
    m_graphic->MouseMove(event->buttons(), event->modifiers(), event->position().toPoint());
    update();
}

void MundoGraficoWidget::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    m_graphic->SetClientSize(width(), height());
    m_graphic->MouseUp(event->button(), event->modifiers(), event->position().toPoint());
    update();
}

} // namespace lumivar
