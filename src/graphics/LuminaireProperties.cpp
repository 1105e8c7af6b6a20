#include "graphics/LuminaireProperties.h"

#include "calc/DialogButtons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace lumivar {

namespace {

const QColor kSilver(192, 192, 192);

QDoubleSpinBox* Spin(QWidget* parent, const char* name, double low, double high, double step, int decimals)
{
    auto* spin = new QDoubleSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(low, high);
    spin->setSingleStep(step);
    spin->setDecimals(decimals);
    spin->setKeyboardTracking(true);
    return spin;
}

} // namespace

TObjProp::TObjProp(TPlanoGrafico& plan, TObjectoGrafico& symbol, QWidget* parent) : QDialog(parent), m_plan(plan)
{
    Build();
    const ProjectDocument* doc = plan.Document();
    // Which symbols the edit covers, and whether they share the clicked one's reference.
    int selected = 0;
    bool sameRef = true;
    for (const auto& s : plan.Luminaires()) {
        if (!s->Selected)
            continue;
        ++selected;
        sameRef = sameRef && s->Luminaria.RefIndex == symbol.Luminaria.RefIndex;
    }
    m_multiple = selected >= 2;
    CheckBox1->setVisible(m_multiple);
    if (doc)
        for (const auto& ref : doc->LuminaireRefs)
            ComboBox1->addItem(LuminaireHint(ref.get()));
    if (sameRef && ComboBox1->count() > 0) {
        const int index = symbol.Luminaria.RefIndex;
        ComboBox1->setCurrentIndex(index >= 0 && index < ComboBox1->count() ? index : 0);
    } else {
        ComboBox1->setCurrentIndex(-1);
    }
    Load(symbol);
}

TObjProp::TObjProp(TPlanoGrafico& plan, TObjectoGrafico& symbol, const QString& referenceName, QWidget* parent)
    : QDialog(parent), m_plan(plan), m_restricted(true)
{
    Build();
    CheckBox1->setVisible(false);
    ComboBox1->addItem(referenceName);
    ComboBox1->setCurrentIndex(0);
    ComboBox1->setEnabled(false);
    Load(symbol);
}

void TObjProp::Build()
{
    setWindowTitle(tr("Propriedades do Aparelho"));
    auto* layout = new QVBoxLayout(this);

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    auto* refLabel = new QLabel(tr("&Ref. de Luminárias"), this);
    refLabel->setBuddy(ComboBox1);
    layout->addWidget(refLabel);
    layout->addWidget(ComboBox1);

    auto* group = new QGroupBox(tr(" Posição "), this);
    auto* form = new QFormLayout(group);
    SpinNumEdit1 = Spin(group, "SpinNumEdit1", 0, 100, 0.5, 2);
    SpinNumEdit2 = Spin(group, "SpinNumEdit2", 0, 100, 0.5, 2);
    SpinNumEdit3 = Spin(group, "SpinNumEdit3", 0, 100, 0.05, 2);
    form->addRow(tr("&X"), SpinNumEdit1);
    form->addRow(tr("&Y"), SpinNumEdit2);
    form->addRow(tr("&Z"), SpinNumEdit3);
    layout->addWidget(group);

    SpinNumEdit4 = Spin(this, "SpinNumEdit4", -360, 360, 5, 1);
    auto* angleForm = new QFormLayout;
    angleForm->addRow(tr("Ân&gulo"), SpinNumEdit4);
    layout->addLayout(angleForm);

    CheckBox1 = new QCheckBox(tr("Utilizar como valores &relativos"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    layout->addWidget(CheckBox1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(tr("Ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(tr("Cancela"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Button2"));
    QPushButton* help = buttons->addButton(tr("&Ajuda"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("AjudaBtn"));
    MarkHelpPending(help);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    for (QDoubleSpinBox* field : {SpinNumEdit1, SpinNumEdit2, SpinNumEdit3, SpinNumEdit4})
        connect(field, &QDoubleSpinBox::valueChanged, this, [this, field] { MarkEdited(field); });
    connect(CheckBox1, &QCheckBox::toggled, this, &TObjProp::ShowRelative);
}

void TObjProp::Load(const TObjectoGrafico& symbol)
{
    m_loading = true;
    if (const ProjectDocument* doc = m_plan.Document()) {
        const TDadosProjecto& data = doc->ProjectData;
        // The room bounds the fields; a luminaire lying outside still shows its value.
        SpinNumEdit1->setMaximum(std::max<double>(data.Length, symbol.Luminaria.X));
        SpinNumEdit2->setMaximum(std::max<double>(data.Width, symbol.Luminaria.Y));
        SpinNumEdit3->setMaximum(std::max<double>(data.Height, symbol.Luminaria.Z));
    }
    SpinNumEdit1->setValue(symbol.Luminaria.X);
    SpinNumEdit2->setValue(symbol.Luminaria.Y);
    SpinNumEdit3->setValue(symbol.Luminaria.Z);
    SpinNumEdit4->setValue(symbol.Luminaria.Angle);
    m_loading = false;
    for (QDoubleSpinBox* field : {SpinNumEdit1, SpinNumEdit2, SpinNumEdit3, SpinNumEdit4})
        SetFieldColour(field, !m_multiple);
}

void TObjProp::SetFieldColour(QDoubleSpinBox* field, bool edited)
{
    QPalette pal = field->palette();
    pal.setColor(QPalette::Text, edited ? palette().color(QPalette::WindowText) : kSilver);
    field->setPalette(pal);
}

void TObjProp::MarkEdited(QDoubleSpinBox* field)
{
    if (m_loading)
        return;
    if (!m_edited.contains(field))
        m_edited.append(field);
    SetFieldColour(field, true);
}

bool TObjProp::Edited(const QDoubleSpinBox* field) const
{
    return m_edited.contains(const_cast<QDoubleSpinBox*>(field));
}

void TObjProp::ShowRelative(bool relative)
{
    for (QDoubleSpinBox* field : {SpinNumEdit1, SpinNumEdit2, SpinNumEdit3, SpinNumEdit4})
        SetFieldColour(field, relative || Edited(field) || !m_multiple);
}

PropertyEdit TObjProp::Edit() const
{
    PropertyEdit e;
    e.RefIndex = m_restricted ? -1 : ComboBox1->currentIndex();
    e.X = static_cast<float>(SpinNumEdit1->value());
    e.Y = static_cast<float>(SpinNumEdit2->value());
    e.Z = static_cast<float>(SpinNumEdit3->value());
    e.Angle = static_cast<float>(SpinNumEdit4->value());
    e.EditedX = Edited(SpinNumEdit1);
    e.EditedY = Edited(SpinNumEdit2);
    e.EditedZ = Edited(SpinNumEdit3);
    e.EditedAngle = Edited(SpinNumEdit4);
    e.Relative = m_multiple && CheckBox1->isChecked();
    return e;
}

bool TObjProp::EditSymbol(TPlanoGrafico& plan, TObjectoGrafico& symbol, QWidget* parent)
{
    TObjProp dialog(plan, symbol, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    plan.ApplyProperties(symbol, dialog.Edit());
    return true;
}

} // namespace lumivar
