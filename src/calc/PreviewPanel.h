#pragma once
// The white "Previsão" panel of the automatic count and block dialogs: holds the
// preview plan, sized inside the panel to the room's aspect.

#include "calc/PlanoGrf.h"

#include <QFrame>

class QLabel;

namespace lumivar {

class MundoGraficoWidget;

class PreviewPanel : public QFrame {
    Q_OBJECT

public:
    explicit PreviewPanel(QWidget* parent = nullptr);

    TPlanoGrf& Plan() { return *m_plan; }
    const TPlanoGrf& Plan() const { return *m_plan; }
    QWidget* View() const;
    // Fits the preview to the panel again (after the room changed) and repaints.
    void Refit();
    void Repaint();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* m_caption = nullptr;
    MundoGraficoWidget* m_view = nullptr;
    TPlanoGrf* m_plan = nullptr; // owned by m_view
};

} // namespace lumivar
