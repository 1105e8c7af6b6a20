#pragma once
// "Propriedades do Aparelho": reference, position, height and angle of one placed
// luminaire, or of all selected ones at once (same values, or shifted by the same
// amounts); and its restricted form for the position list, where the reference is fixed.

#include "graphics/UnPlanoE.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;

namespace lumivar {

class TObjProp : public QDialog {
    Q_OBJECT

public:
    // Full dialog on the clicked symbol of the plan.
    TObjProp(TPlanoGrafico& plan, TObjectoGrafico& symbol, QWidget* parent = nullptr);
    // Restricted dialog: the reference named and fixed, no multiple edit.
    TObjProp(TPlanoGrafico& plan, TObjectoGrafico& symbol, const QString& referenceName, QWidget* parent = nullptr);

    // What the dialog holds now: the chosen reference (-1 none) and the fields.
    PropertyEdit Edit() const;

    // Runs the full dialog and applies it when confirmed; true when confirmed.
    static bool EditSymbol(TPlanoGrafico& plan, TObjectoGrafico& symbol, QWidget* parent);

    QComboBox* ComboBox1 = nullptr;
    QDoubleSpinBox* SpinNumEdit1 = nullptr; // X
    QDoubleSpinBox* SpinNumEdit2 = nullptr; // Y
    QDoubleSpinBox* SpinNumEdit3 = nullptr; // Z
    QDoubleSpinBox* SpinNumEdit4 = nullptr; // angle
    QCheckBox* CheckBox1 = nullptr; // relative values

private:
    void Build();
    void Load(const TObjectoGrafico& symbol);
    void MarkEdited(QDoubleSpinBox* field);
    void ShowRelative(bool relative);
    void SetFieldColour(QDoubleSpinBox* field, bool edited);
    bool Edited(const QDoubleSpinBox* field) const;

    TPlanoGrafico& m_plan;
    bool m_multiple = false;
    bool m_loading = false;
    bool m_restricted = false;
    QList<QDoubleSpinBox*> m_edited;
};

} // namespace lumivar
