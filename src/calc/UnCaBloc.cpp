#include "calc/UnCaBloc.h"

#include "base/TextEncoding.h"
#include "calc/DialogButtons.h"
#include "calc/LuminairePlacement.h"
#include "calc/PreviewPanel.h"
#include "project/UndoRedoList.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace lumivar {

namespace {

constexpr int kPageBlock = 0;
constexpr int kPageLines = 1;
constexpr int kPageCircle = 2;

QSpinBox* CountField(QWidget* parent, const char* name, int minimum, int value)
{
    auto* field = new QSpinBox(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setRange(minimum, 9999);
    field->setValue(value);
    return field;
}

QDoubleSpinBox* MetresField(QWidget* parent, const char* name, double step)
{
    auto* field = new QDoubleSpinBox(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setRange(0, 99999);
    field->setDecimals(3);
    field->setSingleStep(step);
    return field;
}

QDoubleSpinBox* AngleField(QWidget* parent, const char* name, int decimals, double value)
{
    auto* field = new QDoubleSpinBox(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setRange(0, 360);
    field->setDecimals(decimals);
    field->setSingleStep(5);
    field->setValue(value);
    return field;
}

} // namespace

TCalcBloco::TCalcBloco(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CalcBloco"));
    setWindowTitle(tr("Blocos de Luminárias"));
    Build();
}

void TCalcBloco::Build()
{
    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    auto* form = new QFormLayout;
    cbRefLumin = new QComboBox(this);
    cbRefLumin->setObjectName(QStringLiteral("cbRefLumin"));
    cbRefLumin->setMinimumContentsLength(20);
    form->addRow(tr("&Ref. da Luminária"), cbRefLumin);
    eNumLumin = new QLineEdit(QStringLiteral("0"), this);
    eNumLumin->setObjectName(QStringLiteral("eNumLumin"));
    eNumLumin->setReadOnly(true);
    form->addRow(tr("Nº Luminárias"), eNumLumin);
    eLuminAlt = new QDoubleSpinBox(this);
    eLuminAlt->setObjectName(QStringLiteral("eLuminAlt"));
    eLuminAlt->setDecimals(2);
    eLuminAlt->setSingleStep(0.5);
    form->addRow(tr("Al&tura (m)"), eLuminAlt);
    left->addLayout(form);

    pgTipo = new QTabWidget(this);
    pgTipo->setObjectName(QStringLiteral("pgTipo"));
    pgTipo->addTab(BuildBlockPage(), tr("Bloco"));
    pgTipo->addTab(BuildLinesPage(), tr("Linhas contínuas"));
    pgTipo->addTab(BuildCirclePage(), tr("Especial"));
    left->addWidget(pgTipo);
    left->addStretch();
    top->addLayout(left);

    Panel1 = new PreviewPanel(this);
    Panel1->setMinimumSize(300, 240);
    top->addWidget(Panel1, 1);

    const DialogButtons buttons = MakeDialogButtons(this);
    OkBtn = buttons.Ok;
    CancelaBtn = buttons.Cancel;
    AjudaBtn = buttons.Help;

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons.Row);

    connect(cbRefLumin, &QComboBox::currentIndexChanged, this, [this] { RefLuminChange(); });
    connect(pgTipo, &QTabWidget::currentChanged, this, [this] { RefLuminChange(); });

    for (QSpinBox* field : {eColB, eLinB})
        connect(field, &QSpinBox::valueChanged, this, [this] { BlocoChange(); });
    for (QDoubleSpinBox* field : {eXiniB, eYiniB, eDeltaXB, eDeltaYB})
        connect(field, &QDoubleSpinBox::valueChanged, this, [this] { BlocoChange(); });
    connect(eLuminAngB, &QDoubleSpinBox::valueChanged, this, [this] { BlocoAnguloChange(); });
    connect(eIncrB, &QSpinBox::valueChanged, this, [this] { BlocoAnguloChange(); });

    for (QSpinBox* field : {eNApaL, eQuantL})
        connect(field, &QSpinBox::valueChanged, this, [this] { LinhasChange(); });
    for (QDoubleSpinBox* field : {eXiniL, eYiniL, eDeltaL})
        connect(field, &QDoubleSpinBox::valueChanged, this, [this] { LinhasChange(); });
    connect(rbVertical, &QRadioButton::toggled, this, [this] { OrientacaoClick(); });
    connect(eLuminAngL, &QDoubleSpinBox::valueChanged, this, [this] { LinhasAnguloChange(); });

    connect(eNApaE, &QSpinBox::valueChanged, this, [this] { EspecialChange(); });
    for (QDoubleSpinBox* field : {eXcE, eYcE, eRaioE, eAngIniE, eAngFinE})
        connect(field, &QDoubleSpinBox::valueChanged, this, [this] { EspecialChange(); });
    connect(rbTangencial, &QRadioButton::toggled, this, [this] { EspecialChange(); });
}

QWidget* TCalcBloco::BuildBlockPage()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    eColB = CountField(page, "eColB", 1, 1);
    form->addRow(tr("&Colunas"), eColB);
    eLinB = CountField(page, "eLinB", 1, 1);
    form->addRow(tr("&Linhas"), eLinB);
    eXiniB = MetresField(page, "eXiniB", 0.5);
    form->addRow(tr("&X inicial (m)"), eXiniB);
    eYiniB = MetresField(page, "eYiniB", 0.5);
    form->addRow(tr("&Y inicial (m)"), eYiniB);
    eDeltaXB = MetresField(page, "eDeltaXB", 0.25);
    form->addRow(tr("&delta X (m)"), eDeltaXB);
    eDeltaYB = MetresField(page, "eDeltaYB", 0.25);
    form->addRow(tr("d&elta Y (m)"), eDeltaYB);
    eLuminAngB = AngleField(page, "eLuminAngB", 0, 0);
    form->addRow(tr("Âng&ulo"), eLuminAngB);
    eIncrB = new QSpinBox(page);
    eIncrB->setObjectName(QStringLiteral("eIncrB"));
    eIncrB->setRange(0, 99999);
    form->addRow(tr("&incremento"), eIncrB);
    return page;
}

QWidget* TCalcBloco::BuildLinesPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* orientation = new QGroupBox(tr("Orientação"), page);
    orientation->setObjectName(QStringLiteral("rgOrientacaoL"));
    auto* orientationLayout = new QVBoxLayout(orientation);
    rbVertical = new QRadioButton(tr("Linha contínua &Vertical"), orientation);
    rbHorizontal = new QRadioButton(tr("Linha contínua &Horizontal"), orientation);
    rbHorizontal->setChecked(true);
    rgOrientacaoL = new QButtonGroup(this);
    rgOrientacaoL->addButton(rbVertical, 0);
    rgOrientacaoL->addButton(rbHorizontal, 1);
    orientationLayout->addWidget(rbVertical);
    orientationLayout->addWidget(rbHorizontal);
    layout->addWidget(orientation);
    auto* form = new QFormLayout;
    eXiniL = MetresField(page, "eXiniL", 0.5);
    form->addRow(tr("&X inicial (m)"), eXiniL);
    eYiniL = MetresField(page, "eYiniL", 0.5);
    form->addRow(tr("&Y inicial (m)"), eYiniL);
    eNApaL = CountField(page, "eNApaL", 1, 1);
    form->addRow(tr("&Aparelhos"), eNApaL);
    eQuantL = CountField(page, "eQuantL", 1, 1);
    form->addRow(tr("&Quantidade"), eQuantL);
    eDeltaL = MetresField(page, "eDeltaL", 0.25);
    form->addRow(tr("d&elta (m)"), eDeltaL);
    eLuminAngL = AngleField(page, "eLuminAngL", 0, 0);
    form->addRow(tr("Âng&ulo"), eLuminAngL);
    layout->addLayout(form);
    return page;
}

QWidget* TCalcBloco::BuildCirclePage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    eXcE = MetresField(page, "eXcE", 0.5);
    form->addRow(tr("&X (m)"), eXcE);
    eYcE = MetresField(page, "eYcE", 0.5);
    form->addRow(tr("&Y (m)"), eYcE);
    eRaioE = MetresField(page, "eRaioE", 0.25);
    form->addRow(tr("&Raio (m)"), eRaioE);
    eNApaE = CountField(page, "eNApaE", 1, 1);
    form->addRow(tr("&Aparelhos"), eNApaE);
    eAngIniE = AngleField(page, "eAngIniE", 1, 0);
    form->addRow(tr("Âng. &Inicial"), eAngIniE);
    eAngFinE = AngleField(page, "eAngFinE", 1, 360);
    form->addRow(tr("Âng. &Final"), eAngFinE);
    layout->addLayout(form);
    auto* distribution = new QGroupBox(tr("Distribuição"), page);
    distribution->setObjectName(QStringLiteral("rgDistribuicaoE"));
    auto* distributionLayout = new QVBoxLayout(distribution);
    rbRadial = new QRadioButton(tr("Distribuição Ra&dial"), distribution);
    rbTangencial = new QRadioButton(tr("Distribuição &Tangencial"), distribution);
    rbRadial->setChecked(true);
    rgDistribuicaoE = new QButtonGroup(this);
    rgDistribuicaoE->addButton(rbRadial, 0);
    rgDistribuicaoE->addButton(rbTangencial, 1);
    distributionLayout->addWidget(rbRadial);
    distributionLayout->addWidget(rbTangencial);
    layout->addWidget(distribution);
    return page;
}

void TCalcBloco::SetLuminaires(const std::vector<TObjectoLuminaria>& luminaires)
{
    Panel1->Plan().Existing = &luminaires;
    Panel1->Repaint();
}

void TCalcBloco::SetReferences(const RefList& refs)
{
    m_refs = &refs;
    const QSignalBlocker block(cbRefLumin);
    cbRefLumin->clear();
    for (const auto& ref : refs)
        cbRefLumin->addItem(ref ? QString::fromStdString(Cp1252ToUtf8(ref->Data.Reference.Text())) : QString());
    cbRefLumin->setCurrentIndex(-1);
}

void TCalcBloco::SetProject(const TDadosProjecto& project)
{
    m_project = project;
    Panel1->Plan().SetProject(project);
    Panel1->Refit();
    eLuminAlt->setRange(0, std::max(project.Height, 0.0f));
    eLuminAlt->setValue(project.Height);
}

const TRefLuminaria* TCalcBloco::ChosenRef() const
{
    const int index = cbRefLumin->currentIndex();
    if (!m_refs || index < 0 || std::size_t(index) >= m_refs->size())
        return nullptr;
    return (*m_refs)[std::size_t(index)].get();
}

void TCalcBloco::RefLuminChange()
{
    const TRefLuminaria* ref = ChosenRef();
    if (!ref) {
        OkBtn->setEnabled(false);
        QApplication::beep();
        return;
    }
    Panel1->Plan().SetSymbol(ref->Data);
    switch (pgTipo->currentIndex()) {
    case kPageBlock:
        m_group.Mode = BlockMode::Block;
        m_group.AngleStart = eLuminAngB->value();
        m_group.AngleStep = eIncrB->value();
        BlocoChange();
        break;
    case kPageLines:
        m_group.Mode = BlockMode::Lines;
        m_group.AngleStart = rbVertical->isChecked() ? 90 : 0;
        m_group.AngleStep = 0;
        LinhasChange();
        break;
    default:
        m_group.Mode = BlockMode::Circle;
        m_group.Circle.Tangential = rbTangencial->isChecked();
        m_group.AngleStart = m_group.AngleStep = 0;
        EspecialChange();
        break;
    }
    OkBtn->setEnabled(true);
}

void TCalcBloco::BlocoChange()
{
    // Counts that give no block, or one too large to place, leave it as it was.
    if (!GroupSizeOk(eColB->value(), eLinB->value()))
        return;
    const int count = eColB->value() * eLinB->value();
    eNumLumin->setText(QLocale().toString(count));
    m_group.Cols = eColB->value();
    m_group.Rows = eLinB->value();
    m_group.StartX = eXiniB->value();
    m_group.StepX = eDeltaXB->value();
    m_group.StartY = eYiniB->value();
    m_group.StepY = eDeltaYB->value();
    UpdatePreview();
}

void TCalcBloco::BlocoAnguloChange()
{
    m_group.AngleStart = eLuminAngB->value();
    m_group.AngleStep = eIncrB->value();
    UpdatePreview();
}

void TCalcBloco::LinhasChange()
{
    const TRefLuminaria* ref = ChosenRef();
    if (!GroupSizeOk(eNApaL->value(), eQuantL->value()) || !ref)
        return;
    const int count = eNApaL->value() * eQuantL->value();
    eNumLumin->setText(QLocale().toString(count));
    const LineOrientation orientation =
        rbVertical->isChecked() ? LineOrientation::Vertical : LineOrientation::Horizontal;
    const BlockGroup lines =
        LinesGroup(orientation, eXiniL->value(), eYiniL->value(), eNApaL->value(), eQuantL->value(), eDeltaL->value(),
                   LineLuminaireLength(ref->Data), m_group.AngleStart);
    m_group.Rows = lines.Rows;
    m_group.Cols = lines.Cols;
    m_group.StartX = lines.StartX;
    m_group.StepX = lines.StepX;
    m_group.StartY = lines.StartY;
    m_group.StepY = lines.StepY;
    UpdatePreview();
}

void TCalcBloco::OrientacaoClick()
{
    m_group.AngleStart = rbVertical->isChecked() ? 90 : 0;
    m_group.AngleStep = 0;
    {
        const QSignalBlocker block(eLuminAngL);
        eLuminAngL->setValue(m_group.AngleStart);
    }
    LinhasChange();
}

void TCalcBloco::LinhasAnguloChange()
{
    m_group.AngleStart = eLuminAngL->value();
    UpdatePreview();
}

void TCalcBloco::EspecialChange()
{
    m_group.CircleReady = false;
    if (!ChosenRef()) {
        UpdatePreview();
        return;
    }
    eNumLumin->setText(QLocale().toString(eNApaE->value()));
    m_group.CircleReady = true;
    m_group.Circle.CentreX = eXcE->value();
    m_group.Circle.CentreY = eYcE->value();
    m_group.Circle.Count = eNApaE->value();
    m_group.Circle.Radius = eRaioE->value();
    m_group.Circle.AngleFrom = eAngIniE->value();
    m_group.Circle.AngleTo = eAngFinE->value();
    m_group.Circle.Tangential = rbTangencial->isChecked();
    UpdatePreview();
}

void TCalcBloco::UpdatePreview()
{
    TPlanoGrf& plan = Panel1->Plan();
    plan.Group = GroupPositions(m_group, m_project);
    plan.ShowCircle = m_group.Mode == BlockMode::Circle && m_group.CircleReady;
    plan.CircleX = float(m_group.Circle.CentreX);
    plan.CircleY = float(m_group.Circle.CentreY);
    plan.CircleRadius = float(m_group.Circle.Radius);
    Panel1->Repaint();
}

Result<int> TCalcBloco::Apply(ProjectDocument& document, TUndoRedoList* history) const
{
    Result<int> added = ApplyBlock(document, cbRefLumin->currentIndex(), float(eLuminAlt->value()), m_group);
    if (added && history && *added > 0)
        history->RecordBlock();
    return added;
}

bool TCalcBloco::Run(ProjectDocument& document, int preselected, QWidget* parent, TUndoRedoList* history)
{
    TCalcBloco dialog(parent);
    dialog.SetLuminaires(document.Luminaires);
    dialog.SetReferences(document.LuminaireRefs);
    dialog.SetProject(document.ProjectData);
    if (preselected >= 0 && std::size_t(preselected) < document.LuminaireRefs.size())
        dialog.cbRefLumin->setCurrentIndex(preselected);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const Result<int> added = dialog.Apply(document, history);
    if (!added) {
        QMessageBox::warning(parent, dialog.windowTitle(), QString::fromStdString(added.Message()));
        return false;
    }
    return true;
}

} // namespace lumivar
