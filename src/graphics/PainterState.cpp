#include "graphics/PainterState.h"

#include <QPainter>

namespace lumivar {

PainterState::PainterState(QPainter* painter) : m_painter(painter)
{
    if (m_painter)
        m_painter->save();
}

PainterState::~PainterState()
{
    if (m_painter)
        m_painter->restore();
}

} // namespace lumivar
