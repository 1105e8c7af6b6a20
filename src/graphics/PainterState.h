#pragma once
// Saves a painter's pen, brush, font and transform and restores them on scope exit.

class QPainter;

namespace lumivar {

class PainterState {
public:
    explicit PainterState(QPainter* painter);
    ~PainterState();
    PainterState(const PainterState&) = delete;
    PainterState& operator=(const PainterState&) = delete;

private:
    QPainter* m_painter;
};

} // namespace lumivar
