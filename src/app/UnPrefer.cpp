#include "app/UnPrefer.h"

#include "app/FileTypeRegistration.h"
#include "calc/DialogButtons.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace lumivar {
namespace {

QString FromUtf8(const std::string& s)
{
    return QString::fromStdString(s);
}

QSpinBox* Spin(QWidget* parent, const char* name, int minimum, int maximum, int step)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(minimum, maximum);
    box->setSingleStep(step);
    return box;
}

QDoubleSpinBox* DecimalSpin(QWidget* parent, const char* name, double minimum, double maximum, double step)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setDecimals(2);
    box->setRange(minimum, maximum);
    box->setSingleStep(step);
    return box;
}

QLabel* Label(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

// The names of report sheets 0 to 20 as the sheet list shows them; the values and
// tone-scale groups repeat their heading with ditto marks.
QStringList SheetNames()
{
    const auto ditto = [](int gap, const QString& surface) {
        return QString(9, QLatin1Char(' ')) + QLatin1Char('"') + QString(14, QLatin1Char(' ')) + QLatin1Char('"') +
               QString(gap, QLatin1Char(' ')) + surface;
    };
    const QStringList surfaces{TPreferenciasDlg::tr("Parede A"), TPreferenciasDlg::tr("Parede B"),
                               TPreferenciasDlg::tr("Parede C"), TPreferenciasDlg::tr("Parede D"),
                               TPreferenciasDlg::tr("Plano de Trabalho")};
    QStringList names{TPreferenciasDlg::tr("Página de Rosto"),   TPreferenciasDlg::tr("Apresentação do Projecto"),
                      TPreferenciasDlg::tr("Desenho cotado"),    TPreferenciasDlg::tr("Ficha Técnica das Luminárias"),
                      TPreferenciasDlg::tr("Listagem de cotas"), TPreferenciasDlg::tr("Valores de Iluminância Tecto")};
    for (const QString& s : surfaces)
        names << ditto(11, s);
    names << TPreferenciasDlg::tr("Escala de tonalidades Tecto");
    for (const QString& s : surfaces)
        names << ditto(10, s);
    names << TPreferenciasDlg::tr("Linhas Isolux") << TPreferenciasDlg::tr("Representação em 3D")
          << TPreferenciasDlg::tr("Secções de Iluminância") << TPreferenciasDlg::tr("Cálculo dos custos");
    return names;
}

constexpr int kShownSheets = 21;

QString DefaultFolderPicker(QWidget* parent, const QString& title, const QString& prompt, const QString& start)
{
    // The platform's folder dialog has no place for a prompt; the caller shows it as the
    // button's tooltip.
    (void)prompt;
    return QFileDialog::getExistingDirectory(parent, title, start);
}

} // namespace

TPreferenciasDlg::TPreferenciasDlg(PreferencesStore& store, QWidget* parent)
    : QDialog(parent), m_store(store), m_pickFolder(DefaultFolderPicker)
{
    setWindowTitle(tr("Preferências"));
    setObjectName(QStringLiteral("PreferenciasDlg"));

    auto* pages = new QTabWidget(this);
    pages->addTab(BuildOptionsPage(), tr("Opções"));
    pages->addTab(BuildProjectPage(), tr("Projecto"));
    pages->addTab(BuildCalculationPage(), tr("Cálculos"));
    pages->addTab(BuildReportsPage(), tr("Relatórios"));

    auto* ok = new QPushButton(tr("Ok"), this);
    ok->setObjectName(QStringLiteral("OkBtn"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancela"), this);
    cancel->setObjectName(QStringLiteral("CancelaBtn"));
    auto* help = new QPushButton(tr("&Ajuda"), this);
    help->setObjectName(QStringLiteral("AjudaBtn"));
    MarkHelpPending(help);
    connect(ok, &QPushButton::clicked, this, &TPreferenciasDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &TPreferenciasDlg::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ShowStore();
}

bool TPreferenciasDlg::Edit(PreferencesStore& store, QWidget* parent)
{
    TPreferenciasDlg dialog(store, parent);
    return dialog.exec() == QDialog::Accepted;
}

QWidget* TPreferenciasDlg::BuildOptionsPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);

    struct FolderRow {
        QLineEdit** Edit;
        const char* EditName;
        const char* ButtonName;
        QString Caption, Button, Prompt;
    };
    const FolderRow rows[] = {
        {&m_apparatusFolder, "edAparelhos", "btnAparelhos", tr("Directório dos &Aparelhos"), tr("L&ocalizar..."),
         tr("Seleccione a pasta ou directório que contém os ficheiros de aparelhos...")},
        {&m_projectsFolder, "edProjectos", "btnProjectos", tr("Directório dos &Projectos"), tr("Lo&calizar..."),
         tr("Seleccione a pasta ou directório que contém os ficheiros de projectos...")},
        {&m_imagesFolder, "edImagens", "btnImagens", tr("Directório das &Imagens"), tr("Lo&calizar..."),
         tr("Seleccione a pasta ou directório que contém as imagens dos aparelhos...")},
    };
    int row = 0;
    for (const FolderRow& r : rows) {
        auto* edit = new QLineEdit(page);
        edit->setObjectName(QLatin1String(r.EditName));
        edit->setMinimumWidth(320);
        auto* button = new QPushButton(r.Button, page);
        button->setObjectName(QLatin1String(r.ButtonName));
        button->setToolTip(r.Prompt);
        const QString prompt = r.Prompt;
        connect(button, &QPushButton::clicked, this, [this, edit, prompt] { ChooseFolder(edit, prompt); });
        *r.Edit = edit;
        grid->addWidget(Label(r.Caption, edit, page), row++, 0, 1, 2);
        grid->addWidget(edit, row, 0);
        grid->addWidget(button, row++, 1);
    }

    m_showLogo = new QCheckBox(tr("Mostra o logotipo &Tavik"), page);
    m_showLogo->setObjectName(QStringLiteral("cbLogo"));
    grid->addWidget(m_showLogo, row++, 0, 1, 2);

    m_pageEndLines = new QPlainTextEdit(page);
    m_pageEndLines->setObjectName(QStringLiteral("meLinhas"));
    m_pageEndLines->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pageEndLines->setFixedHeight(m_pageEndLines->fontMetrics().lineSpacing() * 4 + 12);
    grid->addWidget(Label(tr("&Linhas de fim de página"), m_pageEndLines, page), row++, 0, 1, 2);
    grid->addWidget(m_pageEndLines, row, 0);

    auto* registerType = new QToolButton(page);
    registerType->setObjectName(QStringLiteral("btnRegistar"));
    registerType->setIcon(style()->standardIcon(QStyle::SP_FileLinkIcon));
    registerType->setIconSize(QSize(32, 32));
    registerType->setToolTip(tr("Associar os ficheiros de projecto (*.prj) a este programa"));
    connect(registerType, &QToolButton::clicked, this, &TPreferenciasDlg::RegisterFileTypeNow);
    grid->addWidget(registerType, row++, 1, Qt::AlignBottom | Qt::AlignRight);
    grid->setRowStretch(row, 1);
    return page;
}

QWidget* TPreferenciasDlg::BuildProjectPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);

    m_illuminance = Spin(page, "neIluminancia", 0, 100000, 25);
    m_maintenanceFactor = DecimalSpin(page, "neFactorManutencao", 0.01, 99.99, 0.05);
    grid->addWidget(Label(tr("Nível &Iluminância (lux)"), m_illuminance, page), 0, 0);
    grid->addWidget(m_illuminance, 0, 1);
    grid->addWidget(Label(tr("Factor &Manutenção"), m_maintenanceFactor, page), 1, 0);
    grid->addWidget(m_maintenanceFactor, 1, 1);

    auto* reflectances = new QGroupBox(tr("Indices de Reflexão (%)"), page);
    auto* rgrid = new QGridLayout(reflectances);
    struct Item {
        const char* Name;
        QString Caption;
    };
    const Item items[6] = {{"neParedeA", tr("Parede &A")}, {"neParedeB", tr("Parede &B")},
                           {"neParedeC", tr("Parede &C")}, {"neParedeD", tr("Parede &D")},
                           {"neTecto", tr("&Tecto")},      {"nePlanoTrabalho", tr("&Plano Trabalho")}};
    // Shown as the dialog lists them: the four walls, the working plane, the ceiling.
    const int shownAt[6] = {0, 1, 2, 3, 5, 4};
    for (int i = 0; i < 6; ++i) {
        QSpinBox* box = Spin(reflectances, items[i].Name, 0, 100, 5);
        m_reflectance[std::size_t(i)] = box;
        const int at = shownAt[i];
        rgrid->addWidget(Label(items[i].Caption, box, reflectances), at % 3, (at / 3) * 2);
        rgrid->addWidget(box, at % 3, (at / 3) * 2 + 1);
    }
    grid->addWidget(reflectances, 2, 0, 1, 2);

    m_dimensionMinimum = DecimalSpin(page, "neCotasMin", 0.0, 999.99, 0.25);
    grid->addWidget(Label(tr("&Valor mínimo para Cotas (m)"), m_dimensionMinimum, page), 3, 0);
    grid->addWidget(m_dimensionMinimum, 3, 1);
    grid->setRowStretch(4, 1);
    return page;
}

QButtonGroup* TPreferenciasDlg::QualityGroup(QWidget* box, const char* name, QSpinBox* x, QSpinBox* y, int kind)
{
    auto* group = new QButtonGroup(this);
    group->setObjectName(QLatin1String(name));
    auto* layout = new QGridLayout(box);
    const QString captions[4] = {tr("Baixa"), tr("Média"), tr("Alta"), tr("a escolha...")};
    for (int id = 0; id < 4; ++id) {
        auto* radio = new QRadioButton(captions[id], box);
        group->addButton(radio, id);
        layout->addWidget(radio, id, 0);
    }
    layout->addWidget(x, 0, 1);
    layout->addWidget(y, 1, 1);

    // A preset fills both fields; that is not an edit of the fields.
    connect(group, &QButtonGroup::idClicked, this, [this, x, y, kind](int id) {
        const int points = QualityPoints(kind, id);
        if (points < 0)
            return;
        m_updating = true;
        x->setValue(points);
        y->setValue(points);
        m_updating = false;
    });
    const auto edited = [this, group] {
        if (!m_updating)
            group->button(QualityChosen)->setChecked(true);
    };
    connect(x, &QSpinBox::valueChanged, this, edited);
    connect(y, &QSpinBox::valueChanged, this, edited);
    return group;
}

QWidget* TPreferenciasDlg::BuildCalculationPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    auto* grids = new QGroupBox(tr("Quadrículas [x, y]"), page);
    auto* ggrid = new QGridLayout(grids);
    const char* names[6] = {"neQuadPlanoX",   "neQuadPlanoY", "neQuadParedesX",
                            "neQuadParedesY", "neQuadTectoX", "neQuadTectoY"};
    const QString captions[3] = {tr("&Plano de &Trabalho"), tr("&Paredes"), tr("T&ecto")};
    for (int i = 0; i < 6; ++i)
        m_gridDivisions[std::size_t(i)] = Spin(grids, names[i], 1, 999, 1);
    for (int r = 0; r < 3; ++r) {
        ggrid->addWidget(Label(captions[r], m_gridDivisions[std::size_t(2 * r)], grids), r, 0);
        ggrid->addWidget(m_gridDivisions[std::size_t(2 * r)], r, 1);
        ggrid->addWidget(m_gridDivisions[std::size_t(2 * r + 1)], r, 2);
    }
    layout->addWidget(grids);

    auto* results = new QGroupBox(tr("Resultados"), page);
    auto* rlayout = new QGridLayout(results);
    auto* values = new QGroupBox(tr("&Valores"), results);
    m_valuesX = Spin(values, "neValoresX", 1, 99, 1);
    m_valuesY = Spin(values, "neValoresY", 1, 99, 1);
    m_valuesQuality = QualityGroup(values, "rgValores", m_valuesX, m_valuesY, int(ResultViewKind::Values));
    auto* tones = new QGroupBox(tr("&Tonalidades"), results);
    m_tonesX = Spin(tones, "neTonsX", 1, 999, 1);
    m_tonesY = Spin(tones, "neTonsY", 1, 999, 1);
    m_tonesQuality = QualityGroup(tones, "rgTonalidades", m_tonesX, m_tonesY, int(ResultViewKind::ToneScale));
    rlayout->addWidget(values, 0, 0);
    rlayout->addWidget(tones, 0, 1);

    m_chart3DX = Spin(results, "ne3DX", 1, 999, 1);
    m_chart3DY = Spin(results, "ne3DY", 1, 999, 1);
    auto* chart = new QHBoxLayout;
    chart->addWidget(Label(tr("Pontos  &3D"), m_chart3DX, results));
    chart->addWidget(m_chart3DX);
    chart->addWidget(m_chart3DY);
    chart->addStretch();
    rlayout->addLayout(chart, 1, 0, 1, 2);
    layout->addWidget(results);
    layout->addStretch();
    return page;
}

QWidget* TPreferenciasDlg::BuildReportsPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);

    m_sheetList = new QListWidget(page);
    m_sheetList->setObjectName(QStringLiteral("clbFolhas"));
    m_sheetList->setMinimumWidth(300);
    for (const QString& name : SheetNames()) {
        auto* item = new QListWidgetItem(name, m_sheetList);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    connect(m_sheetList, &QListWidget::itemChanged, this, &TPreferenciasDlg::SheetToggled);
    grid->addWidget(Label(tr("&Folhas"), m_sheetList, page), 0, 0);
    grid->addWidget(m_sheetList, 1, 0, 3, 1);

    auto* typeBox = new QGroupBox(tr("Tipo"), page);
    auto* typeLayout = new QVBoxLayout(typeBox);
    m_reportType = new QButtonGroup(this);
    m_reportType->setObjectName(QStringLiteral("rgTipo"));
    const QString types[4] = {tr("&Simples"), tr("&Normal"), tr("A&vançado"), tr("&Personalizado...")};
    for (int id = 0; id < 4; ++id) {
        auto* radio = new QRadioButton(types[id], typeBox);
        m_reportType->addButton(radio, id);
        typeLayout->addWidget(radio);
    }
    connect(m_reportType, &QButtonGroup::idClicked, this, &TPreferenciasDlg::ReportTypeChosen);
    grid->addWidget(typeBox, 1, 1);

    auto* none = new QPushButton(tr("&Nenhuma"), page);
    none->setObjectName(QStringLiteral("btnNenhuma"));
    auto* all = new QPushButton(tr("T&odas"), page);
    all->setObjectName(QStringLiteral("btnTodas"));
    connect(none, &QPushButton::clicked, this, [this] { SetAllSheets(false); });
    connect(all, &QPushButton::clicked, this, [this] { SetAllSheets(true); });
    auto* pair = new QVBoxLayout;
    pair->addWidget(none);
    pair->addWidget(all);
    pair->addStretch();
    grid->addLayout(pair, 2, 1);
    return page;
}

void TPreferenciasDlg::ShowStore()
{
    m_updating = true;
    const PreferencesStore& s = m_store;
    m_apparatusFolder->setText(FromUtf8(s.ApparatusFolder));
    m_projectsFolder->setText(FromUtf8(s.ProjectsFolder));
    m_imagesFolder->setText(FromUtf8(s.ImagesFolder));
    m_showLogo->setChecked(s.ShowLogo);
    m_pageEndLines->setPlainText(FromUtf8(s.PageEndLines[0]) + QLatin1Char('\n') + FromUtf8(s.PageEndLines[1]) +
                                 QLatin1Char('\n') + FromUtf8(s.PageEndLines[2]));

    m_illuminance->setValue(s.Illuminance);
    m_maintenanceFactor->setValue(s.MaintenanceFactor);
    for (std::size_t i = 0; i < m_reflectance.size(); ++i)
        m_reflectance[i]->setValue(s.Reflectance[i]);
    m_dimensionMinimum->setValue(s.DimensionMinimum);

    for (std::size_t i = 0; i < m_gridDivisions.size(); ++i)
        m_gridDivisions[i]->setValue(s.GridDivisions[i]);
    const auto check = [](QButtonGroup* group, int id) {
        if (QAbstractButton* b = group->button(id))
            b->setChecked(true);
    };
    check(m_valuesQuality, s.ValuesQuality);
    m_valuesX->setValue(s.ValuesPointsX);
    m_valuesY->setValue(s.ValuesPointsY);
    check(m_tonesQuality, s.TonesQuality);
    m_tonesX->setValue(s.TonesPointsX);
    m_tonesY->setValue(s.TonesPointsY);
    m_chart3DX->setValue(s.Chart3DPointsX);
    m_chart3DY->setValue(s.Chart3DPointsY);

    check(m_reportType, s.ReportType);
    m_sheets = s.Sheets;
    m_updating = false;
    ShowSheets();
}

void TPreferenciasDlg::CopyToStore()
{
    PreferencesStore& s = m_store;
    s.ApparatusFolder = WithTrailingSeparator(m_apparatusFolder->text().toStdString());
    s.ProjectsFolder = WithTrailingSeparator(m_projectsFolder->text().toStdString());
    s.ImagesFolder = WithTrailingSeparator(m_imagesFolder->text().toStdString());
    s.ShowLogo = m_showLogo->isChecked();
    // The first three lines of the memo; lines it does not have are empty.
    const QStringList lines = m_pageEndLines->toPlainText().split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < 3; ++i)
        s.PageEndLines[std::size_t(i)] = i < lines.size() ? lines[i].toStdString() : std::string();

    s.Illuminance = m_illuminance->value();
    s.MaintenanceFactor = m_maintenanceFactor->value();
    for (std::size_t i = 0; i < m_reflectance.size(); ++i)
        s.Reflectance[i] = m_reflectance[i]->value();
    s.DimensionMinimum = m_dimensionMinimum->value();

    for (std::size_t i = 0; i < m_gridDivisions.size(); ++i)
        s.GridDivisions[i] = m_gridDivisions[i]->value();
    // A group with no choice (a stored number the dialog has no item for) keeps its value.
    if (m_valuesQuality->checkedId() >= 0)
        s.ValuesQuality = m_valuesQuality->checkedId();
    s.ValuesPointsX = m_valuesX->value();
    s.ValuesPointsY = m_valuesY->value();
    if (m_tonesQuality->checkedId() >= 0)
        s.TonesQuality = m_tonesQuality->checkedId();
    s.TonesPointsX = m_tonesX->value();
    s.TonesPointsY = m_tonesY->value();
    s.Chart3DPointsX = m_chart3DX->value();
    s.Chart3DPointsY = m_chart3DY->value();

    if (m_reportType->checkedId() >= 0)
        s.ReportType = m_reportType->checkedId();
    s.Sheets = m_sheets;
}

void TPreferenciasDlg::accept()
{
    CopyToStore();
    QDialog::accept();
}

void TPreferenciasDlg::ChooseFolder(QLineEdit* edit, const QString& prompt)
{
    const QString chosen = m_pickFolder(this, tr("Pastas e Directórios"), prompt, edit->text());
    if (chosen.isEmpty())
        return;
    QString folder = QDir::toNativeSeparators(chosen);
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    edit->setText(folder);
}

void TPreferenciasDlg::ReportTypeChosen(int type)
{
    if (type != ReportCustom)
        m_sheets = SheetPreset(type);
    ShowSheets();
}

void TPreferenciasDlg::SheetToggled(QListWidgetItem* item)
{
    if (m_updating)
        return;
    const int k = m_sheetList->row(item);
    if (k < 0 || k >= kShownSheets)
        return;
    m_sheets[std::size_t(k)] = item->checkState() == Qt::Checked;
    SelectCustomReport();
}

void TPreferenciasDlg::SetAllSheets(bool selected)
{
    m_sheets.fill(selected);
    SelectCustomReport();
    ShowSheets();
}

void TPreferenciasDlg::SelectCustomReport()
{
    m_reportType->button(ReportCustom)->setChecked(true);
}

void TPreferenciasDlg::ShowSheets()
{
    m_updating = true;
    for (int k = 0; k < kShownSheets && k < m_sheetList->count(); ++k)
        m_sheetList->item(k)->setCheckState(m_sheets[std::size_t(k)] ? Qt::Checked : Qt::Unchecked);
    m_updating = false;
}

void TPreferenciasDlg::RegisterFileTypeNow()
{
    const Status done =
        RegisterFileType(QDir::toNativeSeparators(QCoreApplication::applicationFilePath()).toStdString());
    if (!done) {
        QApplication::beep();
        QMessageBox::warning(this, tr("Preferências"), FromUtf8(done.Message()));
    }
}

} // namespace lumivar
