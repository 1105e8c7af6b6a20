#pragma once
// Widget shell of a drawing: forwards painting and mouse events to a TMundoGrafico and
// draws its rubber band over the picture.

#include "graphics/UnGrafic.h"

#include <QWidget>

#include <memory>

namespace lumivar {

class MundoGraficoWidget : public QWidget {
    Q_OBJECT

public:
    // Takes ownership of the drawing.
    explicit MundoGraficoWidget(std::unique_ptr<TMundoGrafico> graphic, QWidget* parent = nullptr);
    ~MundoGraficoWidget() override;

    TMundoGrafico* Graphic() const { return m_graphic.get(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::unique_ptr<TMundoGrafico> m_graphic;
};

} // namespace lumivar
