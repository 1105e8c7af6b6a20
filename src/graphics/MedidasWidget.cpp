#include "graphics/MedidasWidget.h"

#include <QPainter>

namespace lumivar {

MedidasWidget::MedidasWidget(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void MedidasWidget::SetDimensions(float length, float width, float height, float workPlaneHeight)
{
    m_sketch.Length = length;
    m_sketch.Width = width;
    m_sketch.Height = height;
    m_sketch.WorkPlaneHeight = workPlaneHeight;
    update();
}

void MedidasWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_sketch.SetClientSize(width(), height());
    m_sketch.Paint(&painter);
}

} // namespace lumivar
