#pragma once
// Widget shell of the room sketch; it takes no input and paints on its parent's background.

#include "graphics/Bonecos.h"

#include <QWidget>

namespace lumivar {

class MedidasWidget : public QWidget {
    Q_OBJECT

public:
    explicit MedidasWidget(QWidget* parent = nullptr);

    // Shows new dimensions (metres); only the current values stay on screen.
    void SetDimensions(float length, float width, float height, float workPlaneHeight);
    const TMedidas& Sketch() const { return m_sketch; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TMedidas m_sketch;
};

} // namespace lumivar
