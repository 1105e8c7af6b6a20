#include "graphics/PositionList.h"

#include "calc/DialogButtons.h"
#include "graphics/LuminaireProperties.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace lumivar {

namespace {

constexpr int kSymbolRole = Qt::UserRole + 1;

} // namespace

TListaPosLumin::TListaPosLumin(TPlanoGrafico& plan, QWidget* parent) : QDialog(parent), m_plan(plan)
{
    setWindowTitle(tr("Lista de posições"));
    auto* layout = new QVBoxLayout(this);
    tvRefLumin = new QTreeWidget(this);
    tvRefLumin->setObjectName(QStringLiteral("tvRefLumin"));
    tvRefLumin->setHeaderHidden(true);
    tvRefLumin->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* label = new QLabel(tr("&Lista de posições"), this);
    label->setBuddy(tvRefLumin);
    layout->addWidget(label);
    layout->addWidget(tvRefLumin);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(tr("Ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OkBtn"));
    ok->setDefault(true);
    QPushButton* help = buttons->addButton(tr("&Ajuda"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("AjudaBtn"));
    MarkHelpPending(help);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(460, 360);

    EditNode = [this](TObjectoGrafico& symbol, const QString& referenceName) {
        TObjProp dialog(m_plan, symbol, referenceName, this);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        const PropertyEdit e = dialog.Edit();
        m_plan.ApplyPositionEdit(symbol, e.X, e.Y, e.Z, e.Angle);
        return true;
    };
    connect(tvRefLumin, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int) { EditItem(item); });
    Fill();
}

QString TListaPosLumin::NodeText(const TObjectoLuminaria& l)
{
    return tr("Nº") + QStringLiteral(" ") + QString::number(l.Number) + QStringLiteral("   ") + QStringLiteral("X = ") +
           FormatFixed(l.X, 2, 15) + QStringLiteral("m ,  ") + QStringLiteral("Y = ") + FormatFixed(l.Y, 2, 15) +
           QStringLiteral("m ,  ") + QStringLiteral("Z = ") + FormatFixed(l.Z, 2, 15) + QStringLiteral("m    ") +
           QStringLiteral("    ") + FormatFixed(l.Angle, 1, 15) + QStringLiteral("°");
}

void TListaPosLumin::Fill()
{
    tvRefLumin->clear();
    const ProjectDocument* doc = m_plan.Document();
    if (!doc)
        return;
    for (std::size_t r = 0; r < doc->LuminaireRefs.size(); ++r) {
        auto* root = new QTreeWidgetItem(tvRefLumin, {LuminaireHint(doc->LuminaireRefs[r].get())});
        for (const auto& s : m_plan.Luminaires()) {
            if (s->Luminaria.RefIndex != static_cast<int>(r))
                continue;
            auto* node = new QTreeWidgetItem(root, {NodeText(s->Luminaria)});
            node->setData(0, kSymbolRole, QVariant::fromValue(reinterpret_cast<quintptr>(s.get())));
        }
    }
    tvRefLumin->expandAll();
}

TObjectoGrafico* TListaPosLumin::SymbolOf(const QTreeWidgetItem* item) const
{
    if (!item)
        return nullptr;
    const QVariant v = item->data(0, kSymbolRole);
    if (!v.isValid())
        return nullptr;
    const auto* wanted = reinterpret_cast<const TObjectoGrafico*>(v.value<quintptr>());
    // Only a symbol still on the plan.
    for (const auto& s : m_plan.Luminaires())
        if (s.get() == wanted)
            return s.get();
    return nullptr;
}

void TListaPosLumin::EditItem(QTreeWidgetItem* item)
{
    TObjectoGrafico* symbol = SymbolOf(item);
    if (!symbol || !EditNode)
        return;
    const QString reference = item->parent() ? item->parent()->text(0) : QString();
    if (EditNode(*symbol, reference))
        item->setText(0, NodeText(symbol->Luminaria));
}

} // namespace lumivar
