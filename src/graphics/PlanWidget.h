#pragma once
// Widget shell of the plan editor: forwards painting, mouse and keys to a TPlanoGrafico,
// shows its two context menus, the delete confirmations, the hints of the symbols and
// the properties dialog.

#include "graphics/UnPlanoE.h"

#include <QWidget>

#include <functional>

class QAction;
class QMenu;

namespace lumivar {

class PlanWidget : public QWidget {
    Q_OBJECT

public:
    explicit PlanWidget(QWidget* parent = nullptr);
    ~PlanWidget() override;

    TPlanoGrafico& Plan() { return m_plan; }
    // The document edited; not owned.
    void SetDocument(ProjectDocument* document);
    // Zoom in percent; the host sizes the widget (panel size × zoom) and the plan fits it.
    void SetZoomPercent(int percent);
    // Lays the plan out in the widget's current size.
    void Fit();
    // Shows or hides the dimension marks (the "Cotas" command).
    void ToggleDimensions();

    QMenu* PlanMenu() const { return m_planMenu; }
    QMenu* LuminaireMenu() const { return m_luminaireMenu; }
    // The symbol the luminaire menu was opened on, while it is still on the plan.
    TObjectoGrafico* MenuSymbol() const;

    // Asks before deleting from a menu; the default is a Yes/No/Cancel message box.
    std::function<bool(const QString& question)> ConfirmDelete;
    // Opens the properties dialog on a symbol and applies it when confirmed; the default
    // is TObjProp.
    std::function<bool(TObjectoGrafico&)> EditProperties;

signals:
    // An edit the project window records as an undo step.
    void PlanChanged(bool withRefs, const QString& label);
    void RefreshCommands();
    // The dimension marks were switched on or off from the plan.
    void DimensionsToggled(bool shown);
    void PrintPlan(bool preview);
    // "&Luminárias..." of the plan's menu: the luminaire references dialog.
    void ReferencesRequested();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildMenus();
    void ShowPlanMenu(QPoint pos);
    void ShowLuminaireMenu(TObjectoGrafico& symbol, QPoint pos);
    void AskAndDelete(const QString& question);
    void UpdateCursor();

    TPlanoGrafico m_plan;
    QMenu* m_planMenu = nullptr;
    QMenu* m_luminaireMenu = nullptr;
    QAction* m_newAction = nullptr;
    QAction* m_dimensionsAction = nullptr;
    TObjectoGrafico* m_menuSymbol = nullptr;
};

} // namespace lumivar
