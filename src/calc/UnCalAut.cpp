#include "calc/UnCalAut.h"

#include "base/TextEncoding.h"
#include "calc/DialogButtons.h"
#include "calc/PreviewPanel.h"
#include "project/UndoRedoList.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lumivar {

namespace {

// The sketch beside the distribution choice: three luminaires between two walls,
// the wall gaps as wide as the spacing (top) or half of it (bottom).
QPixmap DistributionPicture()
{
    QPixmap picture(64, 52);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setPen(QPen(Qt::black, 1));
    for (int row = 0; row < 2; ++row) {
        const int y = 6 + row * 26;
        p.drawLine(2, y - 5, 2, y + 10);
        p.drawLine(61, y - 5, 61, y + 10);
        // Gap units from wall to wall: a, a, a, a (top) or a/2, a, a, a/2 (bottom).
        const double unit = row == 0 ? 59.0 / 4 : 59.0 / 3;
        const double first = row == 0 ? unit : unit / 2;
        for (int k = 0; k < 3; ++k) {
            const int x = 2 + int(first + k * unit);
            p.fillRect(x - 3, y, 7, 4, Qt::red);
        }
        p.drawLine(2, y + 8, 61, y + 8);
    }
    return picture;
}

QString RefText(const TRefLuminaria& ref)
{
    return QString::fromStdString(Cp1252ToUtf8(ref.Data.Reference.Text()));
}

} // namespace

TCalcAuto::TCalcAuto(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CalcAuto"));
    setWindowTitle(tr("Cálculo Automático de Luminárias"));
    Build();
}

void TCalcAuto::Build()
{
    auto* top = new QHBoxLayout;

    // Left: the reference, what the lumen method asks for, and the levels.
    auto* left = new QVBoxLayout;
    auto* form = new QFormLayout;
    cbRefLumin = new QComboBox(this);
    cbRefLumin->setObjectName(QStringLiteral("cbRefLumin"));
    cbRefLumin->setMinimumContentsLength(20);
    form->addRow(tr("&Ref. da Luminária"), cbRefLumin);
    eIluminan = new QLineEdit(this);
    eIluminan->setObjectName(QStringLiteral("eIluminan"));
    eIluminan->setReadOnly(true);
    form->addRow(tr("Iluminância"), eIluminan);
    eNumLumin = new QLineEdit(QStringLiteral("0"), this);
    eNumLumin->setObjectName(QStringLiteral("eNumLumin"));
    eNumLumin->setReadOnly(true);
    form->addRow(tr("Nº Luminárias"), eNumLumin);
    eLuminAlt = new QDoubleSpinBox(this);
    eLuminAlt->setObjectName(QStringLiteral("eLuminAlt"));
    eLuminAlt->setDecimals(2);
    eLuminAlt->setSingleStep(0.5);
    form->addRow(tr("Al&tura (m)"), eLuminAlt);
    eLuminAng = new QDoubleSpinBox(this);
    eLuminAng->setObjectName(QStringLiteral("eLuminAng"));
    eLuminAng->setDecimals(0);
    eLuminAng->setRange(0, 360);
    eLuminAng->setSingleStep(5);
    form->addRow(tr("Âng&ulo"), eLuminAng);
    left->addLayout(form);

    lvNivel = new QTreeWidget(this);
    lvNivel->setObjectName(QStringLiteral("lvNivel"));
    lvNivel->setRootIsDecorated(false);
    lvNivel->setHeaderLabels({tr("Nível (lux)"), tr("Quant.")});
    lvNivel->setSelectionMode(QAbstractItemView::NoSelection);
    for (int level : kLumenLevels) {
        auto* item = new QTreeWidgetItem(lvNivel);
        item->setText(0, QString::number(level));
        item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    lvNivel->header()->setSectionResizeMode(QHeaderView::Stretch);
    lvNivel->setMinimumHeight(200);
    left->addWidget(lvNivel);
    lbMensagem = new QLabel(this);
    lbMensagem->setObjectName(QStringLiteral("lbMensagem"));
    lbMensagem->setWordWrap(true);
    lbMensagem->setStyleSheet(QStringLiteral("color: #a00000"));
    lbMensagem->hide();
    left->addWidget(lbMensagem);
    top->addLayout(left);

    // Middle: priority, counts, distribution.
    auto* middle = new QVBoxLayout;
    auto* priority = new QGroupBox(tr("Prioridade"), this);
    priority->setObjectName(QStringLiteral("rgPrioridade"));
    auto* priorityLayout = new QVBoxLayout(priority);
    auto* byRows = new QRadioButton(tr("Distribuir por L&inhas"), priority);
    auto* byCols = new QRadioButton(tr("Distribuir por C&olunas"), priority);
    byRows->setChecked(true);
    rgPrioridade = new QButtonGroup(this);
    rgPrioridade->addButton(byRows, 0);
    rgPrioridade->addButton(byCols, 1);
    priorityLayout->addWidget(byRows);
    priorityLayout->addWidget(byCols);
    middle->addWidget(priority);

    auto* counts = new QFormLayout;
    eCol = new QSpinBox(this);
    eCol->setObjectName(QStringLiteral("eCol"));
    eCol->setRange(0, 9999);
    counts->addRow(tr("&Colunas"), eCol);
    eLin = new QSpinBox(this);
    eLin->setObjectName(QStringLiteral("eLin"));
    eLin->setRange(0, 9999);
    counts->addRow(tr("&Linhas"), eLin);
    middle->addLayout(counts);

    auto* gbAAs = new QGroupBox(tr("&Distribuição"), this);
    gbAAs->setObjectName(QStringLiteral("gbAAs"));
    auto* distribution = new QGridLayout(gbAAs);
    rbAA = new QRadioButton(QStringLiteral("a ... a"), gbAAs);
    rbAA->setObjectName(QStringLiteral("rbAA"));
    rbAA->setToolTip(tr("Distância à parede igual ao espaçamento"));
    rbA2A = new QRadioButton(QStringLiteral("a/2 ... a"), gbAAs);
    rbA2A->setObjectName(QStringLiteral("rbA2A"));
    rbA2A->setToolTip(tr("Distância à parede igual a metade do espaçamento"));
    rbA2A->setChecked(true);
    auto* picture = new QLabel(gbAAs);
    picture->setPixmap(DistributionPicture());
    distribution->addWidget(rbAA, 0, 0);
    distribution->addWidget(rbA2A, 1, 0);
    distribution->addWidget(picture, 0, 1, 2, 1);
    middle->addWidget(gbAAs);
    middle->addStretch();
    top->addLayout(middle);

    Panel1 = new PreviewPanel(this);
    Panel1->setMinimumSize(260, 220);
    top->addWidget(Panel1, 1);

    const DialogButtons buttons = MakeDialogButtons(this);
    OkBtn = buttons.Ok;
    CancelaBtn = buttons.Cancel;
    AjudaBtn = buttons.Help;

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons.Row);

    connect(cbRefLumin, &QComboBox::currentIndexChanged, this, [this] { RefLuminChange(); });
    connect(eCol, &QSpinBox::valueChanged, this, [this] { ColLinChange(); });
    connect(eLin, &QSpinBox::valueChanged, this, [this] { ColLinChange(); });
    connect(byCols, &QRadioButton::toggled, this, [this] { PrioridadeClick(); });
    connect(rbAA, &QRadioButton::toggled, this, [this] { DistribuicaoClick(); });
    connect(eLuminAng, &QDoubleSpinBox::valueChanged, this, [this] { AnguloChange(); });
}

void TCalcAuto::SetReferences(const RefList& refs)
{
    m_refs = &refs;
    const QSignalBlocker block(cbRefLumin);
    cbRefLumin->clear();
    for (const auto& ref : refs)
        cbRefLumin->addItem(ref ? RefText(*ref) : QString());
    // Nothing is chosen until the user (or the caller) picks a reference.
    cbRefLumin->setCurrentIndex(-1);
}

void TCalcAuto::SetProject(const TDadosProjecto& project)
{
    m_project = project;
    Panel1->Plan().SetProject(project);
    Panel1->Refit();
    eIluminan->setText(QLocale().toString(project.Illuminance) + tr(" lux"));
    eLuminAlt->setRange(0, std::max(project.Height, 0.0f));
    eLuminAlt->setValue(project.Height);
    UpdateProposal();
}

AutoCountArray TCalcAuto::Array() const
{
    AutoCountArray array;
    array.RefIndex = cbRefLumin->currentIndex();
    array.Cols = m_cols;
    array.Rows = m_rows;
    array.StepFactor = m_stepFactor;
    array.Height = float(eLuminAlt->value());
    array.Angle = float(eLuminAng->value());
    return array;
}

void TCalcAuto::RefLuminChange()
{
    const int index = cbRefLumin->currentIndex();
    if (!m_refs || index < 0 || std::size_t(index) >= m_refs->size() || !(*m_refs)[std::size_t(index)]) {
        OkBtn->setEnabled(false);
        QApplication::beep();
        return;
    }
    const TRefLuminaria& ref = *(*m_refs)[std::size_t(index)];
    const Result<AutoCountProposal> proposal = ProposeAutoCount(m_project, ref, rgPrioridade->checkedId() == 1);
    lbMensagem->clear();
    if (proposal) {
        for (int i = 0; i < lvNivel->topLevelItemCount(); ++i)
            lvNivel->topLevelItem(i)->setText(1, QString::number(proposal->Lumen.Counts[std::size_t(i)]));
        m_cols = proposal->Shape.Cols;
        m_rows = proposal->Shape.Rows;
        if (proposal->Lumen.Count == 0)
            lbMensagem->setText(tr("O método dos lúmens não pede nenhuma luminária: indique as colunas e as linhas."));
        else if (proposal->Lumen.Count > kMaxGroupLuminaires)
            lbMensagem->setText(tr("O método dos lúmens pede %1 luminárias, mais do que se podem colocar de uma "
                                   "só vez (%2).")
                                    .arg(proposal->Lumen.Count)
                                    .arg(kMaxGroupLuminaires));
    } else {
        // The lumen method cannot count for this reference or room: say why and
        // propose nothing; the user may still give the columns and rows.
        for (int i = 0; i < lvNivel->topLevelItemCount(); ++i)
            lvNivel->topLevelItem(i)->setText(1, QString());
        m_cols = m_rows = 0;
        lbMensagem->setText(QString::fromStdString(proposal.Message()));
    }
    lbMensagem->setVisible(!lbMensagem->text().isEmpty());
    Panel1->Plan().SetSymbol(ref.Data);
    ShowCounts(m_cols, m_rows);
    UpdateProposal();
    OkBtn->setEnabled(true);
}

void TCalcAuto::ColLinChange()
{
    // Counts that give no array, or one too large to place, leave the proposal as
    // it was.
    if (m_settingCounts || !GroupSizeOk(eCol->value(), eLin->value()))
        return;
    m_cols = eCol->value();
    m_rows = eLin->value();
    UpdateProposal();
}

void TCalcAuto::PrioridadeClick()
{
    if (m_cols * m_rows == 0)
        return;
    std::swap(m_cols, m_rows);
    ShowCounts(m_cols, m_rows);
    UpdateProposal();
}

void TCalcAuto::DistribuicaoClick()
{
    // The factor follows the buttons even without an array, so that the array
    // proposed later is spaced as the buttons show.
    m_stepFactor = rbAA->isChecked() ? kWallAtSpacing : kWallAtHalfSpacing;
    if (m_cols * m_rows == 0)
        return;
    UpdateProposal();
}

void TCalcAuto::AnguloChange()
{
    UpdateProposal();
}

void TCalcAuto::ShowCounts(int cols, int rows)
{
    m_settingCounts = true;
    eCol->setValue(cols);
    eLin->setValue(rows);
    m_settingCounts = false;
}

void TCalcAuto::UpdateProposal()
{
    eNumLumin->setText(QLocale().toString(m_cols * m_rows));
    Panel1->Plan().Group = AutoCountPositions(m_project, Array());
    Panel1->Repaint();
}

Result<int> TCalcAuto::Apply(ProjectDocument& document, TUndoRedoList* history) const
{
    const bool hadLuminaires = !document.Luminaires.empty();
    Result<int> placed = ApplyAutoCount(document, Array());
    if (placed && history && (hadLuminaires || *placed > 0))
        history->RecordAutomaticCount();
    return placed;
}

bool TCalcAuto::Run(ProjectDocument& document, int preselected, QWidget* parent, TUndoRedoList* history)
{
    TCalcAuto dialog(parent);
    dialog.SetReferences(document.LuminaireRefs);
    dialog.SetProject(document.ProjectData);
    const int count = int(document.LuminaireRefs.size());
    if (preselected >= 0 && preselected < count)
        dialog.cbRefLumin->setCurrentIndex(preselected);
    else if (count == 1)
        dialog.cbRefLumin->setCurrentIndex(0);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const Result<int> placed = dialog.Apply(document, history);
    if (!placed) {
        QMessageBox::warning(parent, dialog.windowTitle(), QString::fromStdString(placed.Message()));
        return false;
    }
    return true;
}

} // namespace lumivar
