#pragma once
// "Lista de posições": every placed luminaire under its reference, with its position,
// height and angle; a double click on a luminaire corrects it in the restricted
// properties dialog.

#include "graphics/UnPlanoE.h"

#include <QDialog>

#include <functional>

class QTreeWidget;
class QTreeWidgetItem;

namespace lumivar {

class TListaPosLumin : public QDialog {
    Q_OBJECT

public:
    // The plan and its document's references; not owned.
    explicit TListaPosLumin(TPlanoGrafico& plan, QWidget* parent = nullptr);

    // Builds the tree: one node per reference, its luminaires below, all expanded.
    void Fill();
    // The text of a luminaire's node.
    static QString NodeText(const TObjectoLuminaria& luminaire);
    // Corrects the luminaire of a node: runs the restricted dialog (EditNode) and
    // rewrites the node on Ok.
    void EditItem(QTreeWidgetItem* item);

    // Shows the restricted dialog and applies it; the default is TObjProp.
    std::function<bool(TObjectoGrafico&, const QString& referenceName)> EditNode;

    QTreeWidget* tvRefLumin = nullptr;

private:
    TObjectoGrafico* SymbolOf(const QTreeWidgetItem* item) const;

    TPlanoGrafico& m_plan;
};

} // namespace lumivar
