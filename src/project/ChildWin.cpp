#include "project/ChildWin.h"

#include "app/PreferencesStore.h"
#include "base/TextEncoding.h"
#include "calc/CalculationProgress.h"
#include "calc/DirectCalculation.h"
#include "calc/UnCaBloc.h"
#include "calc/UnCalAut.h"
#include "graphics/MedidasWidget.h"
#include "graphics/PlanWidget.h"
#include "graphics/UnPlanoE.h"
#include "graphics/WorldMapping.h"
#include "photometry/UnLumDlg.h"
#include "project/ProjectFile.h"
#include "project/UndoRedoList.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QThread>
#include <QTimeEdit>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <atomic>
#include <cmath>

namespace lumivar {

// ---------------------------------------------------------------------------------------
// The photo frame: the picture centred and stretched to the frame keeping its
// proportions; a stored picture of a kind that cannot be drawn shows as a placeholder.

class PhotoFrame : public QWidget {
public:
    explicit PhotoFrame(QWidget* parent) : QWidget(parent)
    {
        setMinimumSize(120, 90);
        setContextMenuPolicy(Qt::DefaultContextMenu);
    }

    void SetPhoto(const ProjectPhoto& photo)
    {
        m_image = QImage();
        m_placeholder = false;
        if (!photo.Empty()) {
            if (photo.HasKnownKind()) {
                const ByteSpan bytes = photo.PictureBytes();
                m_image = QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()), int(bytes.size()));
            }
            m_placeholder = m_image.isNull();
            m_kind = QString::fromStdString(Cp1252ToUtf8(photo.Kind));
        }
        update();
    }
    bool ShowsPlaceholder() const { return m_placeholder; }

    std::function<void()> OnRead;
    std::function<void()> OnErase;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        if (!m_image.isNull()) {
            QSize size = m_image.size().scaled(this->size(), Qt::KeepAspectRatio);
            const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(target, m_image);
        } else if (m_placeholder) {
            const QRect box = rect().adjusted(4, 4, -5, -5);
            painter.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DashLine));
            painter.drawRect(box);
            painter.drawLine(box.topLeft(), box.bottomRight());
            painter.drawLine(box.topRight(), box.bottomLeft());
            painter.setPen(palette().color(QPalette::Text));
            painter.drawText(box, Qt::AlignCenter, m_kind);
        }
    }
    void mouseDoubleClickEvent(QMouseEvent*) override
    {
        if (OnRead)
            OnRead();
    }
    void contextMenuEvent(QContextMenuEvent* event) override
    {
        QMenu menu(this);
        menu.addAction(TProjMDIChild::tr("Ler..."), this, [this] {
            if (OnRead)
                OnRead();
        });
        menu.addAction(TProjMDIChild::tr("&Apagar"), this, [this] {
            if (OnErase)
                OnErase();
        });
        menu.exec(event->globalPos());
    }

private:
    QImage m_image;
    bool m_placeholder = false;
    QString m_kind;
};

// ---------------------------------------------------------------------------------------
// The calculation in its worker: a copy of the inputs, the outcome, and the progress
// the worker reports and the window polls.

struct CalculationJob : CalculationProgress {
    TDadosProjecto Data;
    std::vector<TObjectoLuminaria> Luminaires;
    bool DirectOk = false;
    std::string Message;
    std::atomic<bool> Cancel{false};
    std::atomic<std::int64_t> Done{0}, Total{0};

    bool Report(std::int64_t done, std::int64_t total) override
    {
        Done = done;
        Total = total;
        return !Cancel;
    }

    void Run()
    {
        CalculationOptions options;
        options.Progress = this;
        const Status direct = DirectCalculation(Data, Luminaires, options);
        DirectOk = direct.Ok() && Data.Results.DirectDone;
        if (!direct.Ok()) {
            Message = direct.Message();
            return;
        }
        const Status indirect = InterReflection(Data);
        if (!indirect.Ok())
            Message = indirect.Message();
    }
};

namespace {

constexpr double kMaxField = 999999;

QDoubleSpinBox* MetreSpin(QWidget* parent, double maximum, double step)
{
    auto* spin = new QDoubleSpinBox(parent);
    spin->setDecimals(kMetreDecimals);
    spin->setRange(0, maximum);
    spin->setSingleStep(step);
    spin->setAlignment(Qt::AlignRight);
    return spin;
}

QSpinBox* WholeSpin(QWidget* parent, int maximum, int step)
{
    auto* spin = new QSpinBox(parent);
    spin->setRange(0, maximum);
    spin->setSingleStep(step);
    spin->setAlignment(Qt::AlignRight);
    return spin;
}

QLabel* Caption(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

const QDate kDayZero(1899, 12, 30);

QDate DateOf(double dateTime)
{
    return kDayZero.addDays(qint64(std::floor(dateTime)));
}

QTime TimeOf(double dateTime)
{
    const double fraction = dateTime - std::floor(dateTime);
    const int ms = std::min(int(std::lround(fraction * 86400000.0)), 86400000 - 1000);
    return QTime(0, 0).addSecs(ms / 1000);
}

double DateTimeOf(QDate date, QTime time)
{
    return double(kDayZero.daysTo(date)) + time.msecsSinceStartOfDay() / 86400000.0;
}

// Observations are stored with Windows line breaks; the editor shows plain ones.
QString ShownText(const std::string& cp1252)
{
    return QString::fromStdString(Cp1252ToUtf8(cp1252)).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString FromUtf8(const std::string& utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

std::string ToUtf8(const QString& text)
{
    return text.toUtf8().toStdString();
}

QString CheckMessage(DataCheck check)
{
    switch (check) {
    case DataCheck::Ok:
        return {};
    case DataCheck::WidthAboveLength:
        return TProjMDIChild::tr("O comprimento é menor que a largura!");
    case DataCheck::PlaneNotBelowHeight:
        return TProjMDIChild::tr("A altura é menor que a altura do plano de trabalho!");
    case DataCheck::MarginAboveLength:
        return TProjMDIChild::tr("A margem é maior que 40% do comprimento!");
    case DataCheck::MarginAboveWidth:
        return TProjMDIChild::tr("A margem é maior que 40% da largura!");
    case DataCheck::X1AboveLength:
        return TProjMDIChild::tr("O valor X1 do local de trabalho é maior que o comprimento!");
    case DataCheck::X2AboveLength:
        return TProjMDIChild::tr("O valor X2 do local de trabalho é maior que o comprimento!");
    case DataCheck::X1AboveX2:
        return TProjMDIChild::tr("O valor X1 do local de trabalho é maior que o X2!");
    case DataCheck::Y1AboveWidth:
        return TProjMDIChild::tr("O valor Y1 do local de trabalho é maior que a largura!");
    case DataCheck::Y2AboveWidth:
        return TProjMDIChild::tr("O valor Y2 do local de trabalho é maior que a largura!");
    case DataCheck::Y1AboveY2:
        return TProjMDIChild::tr("O valor Y1 do local de trabalho é maior que o Y2!");
    }
    return {};
}

// Where a scroll bar stands, as a fraction of its range; 0 without a range.
double ScrollFraction(const QScrollBar* bar)
{
    const int span = bar->maximum() - bar->minimum();
    return span > 0 ? double(bar->value() - bar->minimum()) / span : 0.0;
}

// The picture kind of a file chosen in the picture dialog, by its extension.
std::string PhotoKindOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return "TJPEGImage";
    if (suffix == QLatin1String("ico"))
        return "TIcon";
    if (suffix == QLatin1String("wmf") || suffix == QLatin1String("emf"))
        return "TMetafile";
    return "TBitmap";
}

} // namespace

// ---------------------------------------------------------------------------------------
// Creation

TProjMDIChild::TProjMDIChild(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    m_doc = ProjectDocument::New(AppPreferences().NewProjectDefaults(), CurrentDateTime());

    ShowWarning = [this](const QString& text) {
        QApplication::beep();
        QMessageBox::warning(this, windowTitle(), text, QMessageBox::Ok);
    };
    ShowInformation = [this](const QString& text) { QMessageBox::information(this, windowTitle(), text); };
    AskSaveChanges = [this](const QString& question) {
        QApplication::beep();
        return QMessageBox::question(this, windowTitle(), question,
                                     QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    };
    AskSaveName = [this](const QString& suggested) {
        QFileDialog dialog(this, tr("Gravar como"), QFileInfo(suggested).absolutePath(), tr("Projectos (*.prj)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("prj"));
        dialog.selectFile(QFileInfo(suggested).fileName());
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().constFirst();
    };
    AskPhotoFile = [this] {
        return QFileDialog::getOpenFileName(this, QString(), QString(),
                                            tr("Imagens (*.bmp *.ico *.wmf *.emf *.jpg *.jpeg)"));
    };

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pages = new QTabWidget(this);
    m_pages->setTabPosition(QTabWidget::South);
    layout->addWidget(m_pages, 1);

    m_pages->addTab(BuildDataPage(), tr("Dados do projecto"));
    m_pages->setTabToolTip(DataPage, tr("Dados e informações que definem o projecto"));
    m_pages->addTab(BuildPlanPage(), tr("Espaço e Luminárias"));
    m_pages->setTabToolTip(PlanPage, tr("Disposição das luminárias no espaço do projecto"));
    m_pages->addTab(BuildSummaryPage(), tr("Resumo dos cálculos"));
    m_pages->setTabToolTip(SummaryPage, tr("Resumo dos resultados do cálculo do projecto"));
    m_pages->addTab(BuildResultsPage(), tr("Resultados"));
    m_pages->setTabToolTip(ResultsPage, tr("Resultados do projecto"));
    auto* costs = new QWidget(m_pages);
    costs->setObjectName(QStringLiteral("CostsPage"));
    m_pages->addTab(costs, tr("Custos"));
    m_pages->setTabToolTip(CostsPage, tr("Custos do projecto"));
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == PlanPage)
            FitPlan();
        emit ZoomStateChanged();
        emit CommandsChanged();
    });

    BuildPageMenu();
    for (QWidget* page : {m_pages->widget(SummaryPage), m_pages->widget(ResultsPage), m_pages->widget(CostsPage)}) {
        page->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(page, &QWidget::customContextMenuRequested, this,
                [this, page](QPoint pos) { PageMenu()->popup(page->mapToGlobal(pos)); });
    }
    m_buttonBar = new QWidget(this);
    auto* bar = new QHBoxLayout(m_buttonBar);
    bar->addStretch(1);
    m_okButton = new QPushButton(tr("&Ok"), m_buttonBar);
    m_okButton->setDefault(true);
    m_okButton->setAutoDefault(true);
    auto* cancel = new QPushButton(tr("&Cancela"), m_buttonBar);
    auto* help = new QPushButton(tr("Ajuda"), m_buttonBar);
    bar->addWidget(m_okButton);
    bar->addWidget(cancel);
    bar->addWidget(help);
    m_buttonBar->setObjectName(QStringLiteral("ButtonBar"));
    m_okButton->setObjectName(QStringLiteral("OkBtn"));
    cancel->setObjectName(QStringLiteral("CancelaBtn"));
    layout->addWidget(m_buttonBar);
    m_buttonBar->hide();
    connect(m_okButton, &QPushButton::clicked, this, [this] { ConfirmEdits(); });
    connect(cancel, &QPushButton::clicked, this, [this] { CancelEdits(); });

    m_progressTimer = new QTimer(this);
    m_progressTimer->setInterval(50);
    connect(m_progressTimer, &QTimer::timeout, this, &TProjMDIChild::PollProgress);

    m_plan->SetDocument(&m_doc);
    ShowProjectData(false);
    m_photo = m_doc.Photo;
    m_photoFrame->SetPhoto(m_photo);
    m_history = std::make_unique<TUndoRedoList>(m_doc);
    m_history->Start();
    UpdatePageVisibility();
}

TProjMDIChild::~TProjMDIChild()
{
    if (m_calcJob)
        m_calcJob->Cancel = true;
    if (m_calcThread) {
        m_calcThread->wait();
        delete m_calcThread;
        m_calcThread = nullptr;
        QApplication::restoreOverrideCursor();
    }
}

QWidget* TProjMDIChild::BuildDataPage()
{
    auto* scroll = new QScrollArea(m_pages);
    scroll->setWidgetResizable(true);
    auto* content = new QWidget(scroll);
    content->setAutoFillBackground(true);
    QPalette white = content->palette();
    white.setColor(QPalette::Window, Qt::white);
    content->setPalette(white);
    scroll->setWidget(content);
    auto* grid = new QGridLayout(content);

    // " Informação "
    auto* info = new QGroupBox(tr(" Informação "), content);
    auto* infoGrid = new QGridLayout(info);
    m_number = new QLineEdit(info);
    m_number->setMaxLength(20);
    m_date = new QDateEdit(info);
    m_date->setCalendarPopup(true);
    // Day, month and year in figures, as Portuguese dates are written; the toolkit's
    // default would spell the month in English.
    m_date->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_time = new QTimeEdit(info);
    m_time->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    m_projectName = new QLineEdit(info);
    m_projectName->setMaxLength(50);
    m_space = new QLineEdit(info);
    m_space->setMaxLength(50);
    m_designer = new QLineEdit(info);
    m_designer->setMaxLength(50);
    infoGrid->addWidget(Caption(tr("&Nº"), m_number, info), 0, 0);
    infoGrid->addWidget(m_number, 0, 1);
    infoGrid->addWidget(Caption(tr("&Data"), m_date, info), 0, 2);
    infoGrid->addWidget(m_date, 0, 3);
    infoGrid->addWidget(Caption(tr("&Hora"), m_time, info), 0, 4);
    infoGrid->addWidget(m_time, 0, 5);
    infoGrid->addWidget(Caption(tr("&Projecto"), m_projectName, info), 1, 0);
    infoGrid->addWidget(m_projectName, 1, 1, 1, 5);
    infoGrid->addWidget(Caption(tr("&Espaço"), m_space, info), 2, 0);
    infoGrid->addWidget(m_space, 2, 1, 1, 5);
    infoGrid->addWidget(Caption(tr("P&rojectista"), m_designer, info), 3, 0);
    infoGrid->addWidget(m_designer, 3, 1, 1, 5);
    grid->addWidget(info, 0, 0, 1, 2);

    // " Medidas do espaço "
    auto* sizes = new QGroupBox(tr(" Medidas do espaço "), content);
    auto* sizeGrid = new QGridLayout(sizes);
    m_length = MetreSpin(sizes, 9999, 1);
    m_width = MetreSpin(sizes, kMaxField, 1);
    m_height = MetreSpin(sizes, kMaxField, 0.5);
    m_planeHeight = MetreSpin(sizes, kMaxField, 0.05);
    m_margin = MetreSpin(sizes, kMaxField, 0.05);
    const std::pair<QString, QDoubleSpinBox*> sizeRows[] = {
        {tr("&Comprimento"), m_length},         {tr("&Largura"), m_width}, {tr("&Altura"), m_height},
        {tr("Plano &Trabalho"), m_planeHeight}, {tr("&Margem"), m_margin},
    };
    int row = 0;
    for (const auto& [text, spin] : sizeRows) {
        sizeGrid->addWidget(Caption(text, spin, sizes), row, 0);
        sizeGrid->addWidget(spin, row, 1);
        sizeGrid->addWidget(new QLabel(tr("m"), sizes), row, 2);
        ++row;
    }
    grid->addWidget(sizes, 1, 0);

    // " Indices de Reflexão " (%)
    auto* refl = new QGroupBox(tr(" Indices de Reflexão ") + QStringLiteral("(%)"), content);
    auto* reflGrid = new QGridLayout(refl);
    const QString reflNames[6] = {tr("Parede A"), tr("Parede B"), tr("Parede C"),
                                  tr("Parede D"), tr("Tecto"),    tr("Plano Trabalho")};
    for (int k = 0; k < 6; ++k) {
        m_reflectance[k] = WholeSpin(refl, 100, 5);
        reflGrid->addWidget(Caption(reflNames[k], m_reflectance[k], refl), k, 0);
        reflGrid->addWidget(m_reflectance[k], k, 1);
    }
    grid->addWidget(refl, 1, 1);

    // " Valores "
    auto* values = new QGroupBox(tr(" Valores "), content);
    auto* valueGrid = new QGridLayout(values);
    m_illuminance = WholeSpin(values, int(kMaxField), 50);
    m_maintenance = new QDoubleSpinBox(values);
    m_maintenance->setDecimals(kFactorDecimals);
    m_maintenance->setRange(0, kMaxField);
    m_maintenance->setSingleStep(0.05);
    m_maintenance->setAlignment(Qt::AlignRight);
    valueGrid->addWidget(Caption(tr("Nivel &iluminância"), m_illuminance, values), 0, 0);
    valueGrid->addWidget(m_illuminance, 0, 1);
    valueGrid->addWidget(new QLabel(tr("lux"), values), 0, 2);
    valueGrid->addWidget(Caption(tr("&Factor manutenção"), m_maintenance, values), 1, 0);
    valueGrid->addWidget(m_maintenance, 1, 1);
    grid->addWidget(values, 0, 2);

    // "Local Trabalho" and " Posição "
    auto* area = new QWidget(content);
    auto* areaLayout = new QVBoxLayout(area);
    areaLayout->setContentsMargins(0, 0, 0, 0);
    m_workArea = new QCheckBox(tr("Local Trabalho"), area);
    m_position = new QGroupBox(tr(" Posição "), area);
    auto* posGrid = new QGridLayout(m_position);
    m_x1 = MetreSpin(m_position, kMaxField, 1);
    m_y1 = MetreSpin(m_position, kMaxField, 1);
    m_x2 = MetreSpin(m_position, kMaxField, 1);
    m_y2 = MetreSpin(m_position, kMaxField, 1);
    posGrid->addWidget(new QLabel(tr("Início"), m_position), 0, 0);
    posGrid->addWidget(Caption(tr("X :"), m_x1, m_position), 0, 1);
    posGrid->addWidget(m_x1, 0, 2);
    posGrid->addWidget(Caption(tr("Y :"), m_y1, m_position), 0, 3);
    posGrid->addWidget(m_y1, 0, 4);
    posGrid->addWidget(new QLabel(tr("Fim"), m_position), 1, 0);
    posGrid->addWidget(Caption(tr("X :"), m_x2, m_position), 1, 1);
    posGrid->addWidget(m_x2, 1, 2);
    posGrid->addWidget(Caption(tr("Y :"), m_y2, m_position), 1, 3);
    posGrid->addWidget(m_y2, 1, 4);
    posGrid->addWidget(new QLabel(tr("m"), m_position), 1, 5);
    areaLayout->addWidget(m_workArea);
    areaLayout->addWidget(m_position);
    areaLayout->addStretch(1);
    grid->addWidget(area, 1, 2);

    // " Esquema ": the sketch at a fixed place in its box, taking no input.
    auto* sketchBox = new QGroupBox(tr(" Esquema "), content);
    sketchBox->setMinimumSize(260, 270);
    m_sketch = new MedidasWidget(sketchBox);
    m_sketch->setGeometry(30, 70, 200, 180);
    m_sketch->setEnabled(false);
    grid->addWidget(sketchBox, 0, 3, 2, 1);

    // " Descrição " with " Foto " inside it.
    auto* description = new QGroupBox(tr(" Descrição "), content);
    auto* descGrid = new QGridLayout(description);
    m_observations = new QPlainTextEdit(description);
    m_observations->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* photoBox = new QGroupBox(tr(" Foto "), description);
    auto* photoLayout = new QVBoxLayout(photoBox);
    m_photoFrame = new PhotoFrame(photoBox);
    m_photoFrame->setMinimumSize(200, 150);
    m_photoFrame->OnRead = [this] { ReadPhoto(); };
    m_photoFrame->OnErase = [this] { ErasePhoto(); };
    photoLayout->addWidget(m_photoFrame);
    descGrid->addWidget(Caption(tr("O&bservações"), m_observations, description), 0, 0);
    descGrid->addWidget(m_observations, 1, 0);
    descGrid->addWidget(photoBox, 0, 1, 2, 1);
    descGrid->setColumnStretch(0, 1);
    grid->addWidget(description, 2, 0, 1, 4);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(4, 1);

    const std::pair<QWidget*, const char*> names[] = {{m_number, "edNumero"},
                                                      {m_date, "dtData"},
                                                      {m_time, "dtHora"},
                                                      {m_projectName, "edProjecto"},
                                                      {m_space, "edEspaco"},
                                                      {m_designer, "edProjectista"},
                                                      {m_length, "neComprimento"},
                                                      {m_width, "neLargura"},
                                                      {m_height, "neAltura"},
                                                      {m_planeHeight, "nePlanoTrabalho"},
                                                      {m_margin, "neMargem"},
                                                      {m_illuminance, "neIluminancia"},
                                                      {m_maintenance, "neFactorManutencao"},
                                                      {m_workArea, "cbLocalTrabalho"},
                                                      {m_x1, "neX1"},
                                                      {m_y1, "neY1"},
                                                      {m_x2, "neX2"},
                                                      {m_y2, "neY2"},
                                                      {m_observations, "mmObservacoes"},
                                                      {m_photoFrame, "imFoto"},
                                                      {m_sketch, "Sketch"}};
    for (const auto& [widget, name] : names)
        widget->setObjectName(QString::fromLatin1(name));
    for (int k = 0; k < 6; ++k)
        m_reflectance[k]->setObjectName(QStringLiteral("neReflexao%1").arg(k));
    for (QLineEdit* edit : {m_number, m_projectName, m_space, m_designer})
        connect(edit, &QLineEdit::textChanged, this, &TProjMDIChild::DataEdited);
    connect(m_date, &QDateEdit::dateChanged, this, &TProjMDIChild::DataEdited);
    connect(m_time, &QTimeEdit::timeChanged, this, &TProjMDIChild::DataEdited);
    for (QDoubleSpinBox* spin : {m_length, m_width, m_height, m_planeHeight})
        connect(spin, &QDoubleSpinBox::valueChanged, this, &TProjMDIChild::DimensionEdited);
    for (QDoubleSpinBox* spin : {m_margin, m_maintenance, m_x1, m_y1, m_x2, m_y2})
        connect(spin, &QDoubleSpinBox::valueChanged, this, &TProjMDIChild::DataEdited);
    for (QSpinBox* spin : m_reflectance)
        connect(spin, &QSpinBox::valueChanged, this, &TProjMDIChild::DataEdited);
    connect(m_illuminance, &QSpinBox::valueChanged, this, &TProjMDIChild::DataEdited);
    connect(m_workArea, &QCheckBox::toggled, this, &TProjMDIChild::WorkAreaToggled);
    connect(m_observations, &QPlainTextEdit::textChanged, this, &TProjMDIChild::DataEdited);
    return scroll;
}

QWidget* TProjMDIChild::BuildPlanPage()
{
    m_planScroll = new QScrollArea(m_pages);
    m_planScroll->setWidgetResizable(false);
    m_planScroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_planScroll->installEventFilter(this);
    m_plan = new PlanWidget(m_planScroll);
    m_planScroll->setWidget(m_plan);
    connect(m_plan, &PlanWidget::PlanChanged, this, &TProjMDIChild::PlanEdited);
    connect(m_plan, &PlanWidget::RefreshCommands, this, &TProjMDIChild::CommandsChanged);
    connect(m_plan, &PlanWidget::DimensionsToggled, this, &TProjMDIChild::CommandsChanged);
    connect(m_plan, &PlanWidget::ReferencesRequested, this, &TProjMDIChild::EditReferences);
    return m_planScroll;
}

QWidget* TProjMDIChild::BuildSummaryPage()
{
    m_summary = new QTreeWidget(m_pages);
    m_summary->setRootIsDecorated(false);
    m_summary->setSelectionMode(QAbstractItemView::NoSelection);
    m_summary->setHeaderLabels({QString(), tr("Ilumin.  Média"), tr("Ilumin.  Min"), tr("Ilumin.  Máx"),
                                tr("Unif.  Min/Max"), tr("Unif.  Min/Méd")});
    const QString rows[] = {tr("Tecto"), tr("Parede A"),       tr("Parede B"), tr("Parede C"), tr("Parede D"),
                            QString(),   tr("Plano Trabalho"), QString(),      QString(),      QString()};
    for (const QString& name : rows) {
        auto* item = new QTreeWidgetItem(m_summary, QStringList{name});
        for (int c = 1; c < 6; ++c)
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
    m_summary->topLevelItem(8)->setText(1, tr("em   X:"));
    m_summary->topLevelItem(9)->setText(1, tr("em   Y:"));
    m_summary->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_summary->header()->setStretchLastSection(false);
    return m_summary;
}

QRect TProjMDIChild::Placement(int openWindows, QSize frameClient)
{
    const int n = openWindows;
    return QRect(10 * n - 5, 10 * n - 5, frameClient.width() - 10 * n - 5, frameClient.height() - 10 * n - 80);
}

int TProjMDIChild::FirstWindowState()
{
    return std::max(AppPreferences().ChildWindowState, 0);
}

QWidget* TProjMDIChild::BuildResultsPage()
{
    auto* page = new QWidget(m_pages);
    page->setObjectName(QStringLiteral("ResultsPage"));
    auto* layout = new QGridLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_resultsTitle = new QLabel(page);
    m_resultsTitle->setObjectName(QStringLiteral("ResultsTitle"));
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPixelSize(15);
    titleFont.setBold(true);
    m_resultsTitle->setFont(titleFont);
    m_resultsTitle->setAlignment(Qt::AlignCenter);
    m_resultsTitle->setMinimumHeight(28);
    layout->addWidget(m_resultsTitle, 0, 0, 1, 3);

    // The views are built in the client panel by the result commands.
    m_resultsClient = new QWidget(page);
    m_resultsClient->setObjectName(QStringLiteral("ResultsClient"));
    layout->addWidget(m_resultsClient, 1, 0);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(1, 1);

    // "Opções 3D", shown with the 3D charts.
    m_options3D = new QToolBar(tr("Opções 3D"), page);
    m_options3D->setObjectName(QStringLiteral("Options3D"));
    m_options3D->setOrientation(Qt::Vertical);
    auto* mouseModes = new QActionGroup(m_options3D);
    const std::pair<QString, QString> modes[] = {
        {tr("Rodar"), tr("Rodar|Rodar a representação 3D nos diversos eixos")},
        {tr("Mover"), tr("Mover")},
        {tr("Zoom"), tr("Zoom")},
    };
    for (const auto& [caption, hint] : modes) {
        QAction* action = m_options3D->addAction(caption);
        action->setCheckable(true);
        action->setToolTip(hint.section(QLatin1Char('|'), 0, 0));
        action->setStatusTip(hint.section(QLatin1Char('|'), 1));
        mouseModes->addAction(action);
    }
    for (const QString& caption : {tr("Níveis"), tr("Mostra a 2D"), tr("Linhas Isolux")})
        m_options3D->addAction(caption)->setCheckable(caption != tr("Linhas Isolux"));
    m_options3D->addSeparator();
    for (const QString& caption : {tr("Superfície 3D"), tr("Contorno")})
        m_options3D->addAction(caption)->setCheckable(true);
    m_options3D->hide();
    layout->addWidget(m_options3D, 1, 1);

    // The right panel: the grid's minimum, average and maximum, and the legend below.
    auto* right = new QWidget(page);
    right->setObjectName(QStringLiteral("ResultsRight"));
    right->setMinimumWidth(150);
    auto* rightLayout = new QVBoxLayout(right);
    m_resultsStats = new QTreeWidget(right);
    m_resultsStats->setObjectName(QStringLiteral("ResultsStats"));
    m_resultsStats->setRootIsDecorated(false);
    m_resultsStats->setHeaderLabels({tr("Ilumin."), tr("Lux")});
    for (const QString& row : {tr("Mín."), tr("Média"), tr("Máx.")})
        new QTreeWidgetItem(m_resultsStats, QStringList{row});
    m_resultsStats->setFixedHeight(90);
    rightLayout->addWidget(m_resultsStats);
    rightLayout->addStretch(1);
    auto* button3D = new QWidget(right);
    button3D->setObjectName(QStringLiteral("Button3DPanel"));
    auto* buttonLayout = new QHBoxLayout(button3D);
    buttonLayout->addWidget(new QPushButton(tr("Vista 3D"), button3D)); // has no behaviour
    button3D->hide();
    rightLayout->addWidget(button3D);
    layout->addWidget(right, 1, 2);
    return page;
}

void TProjMDIChild::BuildPageMenu()
{
    m_pageMenu = new QMenu(this);
    const std::pair<QString, ResultView> views[] = {
        {tr("&Valores iluminância..."), ValuesView},
        {tr("&Escala de tons..."), TonesView},
        {tr("&Linhas Isolux"), IsoluxView},
        {tr("&Representação 3D"), SurfaceView},
    };
    for (const auto& [caption, view] : views)
        m_viewItems << m_pageMenu->addAction(caption, this, [this, view] { emit ResultViewRequested(view); });
    m_viewItems << m_pageMenu->addSeparator();
    m_viewItems << m_pageMenu->addAction(tr("&Secções..."), this, [this] { emit ResultViewRequested(SectionsView); });
    m_viewItems << m_pageMenu->addSeparator();
    m_previewItem =
        m_pageMenu->addAction(tr("Ver A&ntes"), this, [this] { emit PagePrintRequested(CurrentPageSheet(), true); });
    m_printItem = m_pageMenu->addAction(tr("&Imprimir página"), this,
                                        [this] { emit PagePrintRequested(CurrentPageSheet(), false); });
    connect(m_plan, &PlanWidget::PrintPlan, this, [this](bool preview) { emit PagePrintRequested(2, preview); });
}

QMenu* TProjMDIChild::PageMenu()
{
    const bool results = CurrentPage() == ResultsPage;
    const bool viewShown = false; // no result view is built yet
    for (QAction* item : m_viewItems)
        item->setVisible(results);
    m_previewItem->setEnabled(!results || viewShown);
    m_printItem->setEnabled(!results || viewShown);
    return m_pageMenu;
}

int TProjMDIChild::CurrentPageSheet() const
{
    switch (CurrentPage()) {
    case DataPage:
    case SummaryPage:
        return 1;
    case PlanPage:
        return 2;
    case ResultsPage:
        return 18;
    case CostsPage:
        return 20;
    }
    return 1;
}

QString TProjMDIChild::FileName() const
{
    return FromUtf8(m_doc.FileName);
}

// ---------------------------------------------------------------------------------------
// Data page

void TProjMDIChild::ShowProjectData(bool withMemoAndPhoto)
{
    const bool wasUpdating = m_updating;
    m_updating = true;
    const TDadosProjecto& r = m_doc.ProjectData;
    const ProjectDataFields f = ProjectDataFields::FromRecord(r);
    SetRoomOnPlan();
    m_number->setText(FromUtf8(f.Number));
    m_projectName->setText(FromUtf8(f.ProjectName));
    m_space->setText(FromUtf8(f.Space));
    m_designer->setText(FromUtf8(f.Designer));
    m_date->setDate(DateOf(r.DateTime));
    m_time->setTime(TimeOf(r.DateTime));
    m_length->setValue(f.Length);
    m_width->setValue(f.Width);
    m_height->setValue(f.Height);
    m_planeHeight->setValue(f.WorkPlaneHeight);
    m_margin->setValue(f.Margin);
    m_workArea->setChecked(f.WorkArea);
    m_position->setEnabled(f.WorkArea);
    m_x1->setValue(f.WorkAreaX1);
    m_y1->setValue(f.WorkAreaY1);
    m_x2->setValue(f.WorkAreaX2);
    m_y2->setValue(f.WorkAreaY2);
    m_sketch->SetDimensions(r.Length, r.Width, r.Height, r.WorkPlaneHeight);
    m_illuminance->setValue(f.Illuminance);
    m_maintenance->setValue(f.MaintenanceFactor);
    for (int k = 0; k < 6; ++k)
        m_reflectance[k]->setValue(f.Reflectance[std::size_t(k)]);
    if (withMemoAndPhoto) {
        m_observations->setPlainText(ShownText(m_doc.Observations));
        m_photo = m_doc.Photo;
        m_photoFrame->SetPhoto(m_photo);
    }
    UpdateSummary();
    m_updating = wasUpdating;
}

ProjectDataFields TProjMDIChild::Fields() const
{
    ProjectDataFields f;
    f.Number = ToUtf8(m_number->text());
    f.ProjectName = ToUtf8(m_projectName->text());
    f.Space = ToUtf8(m_space->text());
    f.Designer = ToUtf8(m_designer->text());
    f.DateTime = DateTimeOf(m_date->date(), m_time->time());
    // The pickers show whole seconds: a moment they still show keeps its stored fraction.
    const double stored = m_doc.ProjectData.DateTime;
    if (DateTimeOf(DateOf(stored), TimeOf(stored)) == f.DateTime)
        f.DateTime = stored;
    f.Length = m_length->value();
    f.Width = m_width->value();
    f.Height = m_height->value();
    f.WorkPlaneHeight = m_planeHeight->value();
    f.Margin = m_margin->value();
    for (int k = 0; k < 6; ++k)
        f.Reflectance[std::size_t(k)] = m_reflectance[k]->value();
    f.Illuminance = m_illuminance->value();
    f.MaintenanceFactor = m_maintenance->value();
    f.WorkArea = m_workArea->isChecked();
    f.WorkAreaX1 = m_x1->value();
    f.WorkAreaY1 = m_y1->value();
    f.WorkAreaX2 = m_x2->value();
    f.WorkAreaY2 = m_y2->value();
    return f;
}

void TProjMDIChild::ApplyProjectData(bool apply)
{
    const bool inputsChanged = StoreProjectData(m_doc.ProjectData, Fields());
    if (apply)
        SetRoomOnPlan();
    const QString text = m_observations->toPlainText();
    if (text != ShownText(m_doc.Observations)) {
        QString stored = text;
        stored.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
        m_doc.Observations = Utf8ToCp1252(ToUtf8(stored));
    }
    m_doc.Photo = m_photo;
    if (!apply)
        return;
    m_doc.Modified = true;
    if (inputsChanged) {
        m_doc.InvalidateResults();
        FreeResultViews();
    }
    m_history->RecordDataApplied();
    UpdatePageVisibility();
    FitPlan();
    emit CommandsChanged();
    m_plan->update();
}

void TProjMDIChild::SetEditMode(bool editing, bool apply)
{
    if (editing == m_editing) {
        if (!editing)
            ApplyProjectData(apply);
        return;
    }
    m_editing = editing;
    m_buttonBar->setVisible(editing);
    for (int page = PlanPage; page <= CostsPage; ++page)
        m_pages->setTabEnabled(page, !editing);
    emit EditModeChanged(editing);
    if (!editing)
        ApplyProjectData(apply);
    emit CommandsChanged();
}

bool TProjMDIChild::ConfirmEdits()
{
    const DataCheck check = ValidateProjectData(Fields());
    if (check != DataCheck::Ok) {
        ShowWarning(CheckMessage(check));
        return false;
    }
    SetEditMode(false, true);
    return true;
}

void TProjMDIChild::CancelEdits()
{
    ShowProjectData(true);
    SetEditMode(false, false);
}

void TProjMDIChild::DataEdited()
{
    if (!m_updating && !m_editing)
        SetEditMode(true, true);
}

void TProjMDIChild::DimensionEdited()
{
    DataEdited();
    m_sketch->SetDimensions(float(m_length->value()), float(m_width->value()), float(m_height->value()),
                            float(m_planeHeight->value()));
}

void TProjMDIChild::WorkAreaToggled()
{
    m_position->setEnabled(m_workArea->isChecked());
    DataEdited();
}

void TProjMDIChild::ReadPhoto()
{
    const QString path = AskPhotoFile ? AskPhotoFile() : QString();
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowWarning(FromUtf8(OpenFailureMessage(ToUtf8(path))));
        return;
    }
    const QByteArray bytes = file.readAll();
    m_photo.Kind = PhotoKindOf(path);
    m_photo.Data.assign(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                        reinterpret_cast<const std::uint8_t*>(bytes.constData()) + bytes.size());
    m_photoFrame->SetPhoto(m_photo);
    DataEdited();
}

void TProjMDIChild::ErasePhoto()
{
    m_photo = ProjectPhoto{};
    m_photoFrame->SetPhoto(m_photo);
    DataEdited();
}

void TProjMDIChild::SetRoomOnPlan()
{
    m_plan->Plan().ApplyRoom();
    UpdatePageVisibility();
}

// ---------------------------------------------------------------------------------------
// Pages

bool TProjMDIChild::RoomOk() const
{
    const TDadosProjecto& r = m_doc.ProjectData;
    return r.Length != 0 && r.Width != 0 && r.Height != 0;
}

bool TProjMDIChild::HasValidResults() const
{
    return m_doc.ProjectData.Results.DirectDone && m_doc.ProjectData.Results.IndirectDone;
}

void TProjMDIChild::UpdatePageVisibility()
{
    if (!m_pages)
        return;
    const bool valid = HasValidResults();
    m_pages->setTabVisible(PlanPage, RoomOk());
    for (int page : {SummaryPage, ResultsPage, CostsPage})
        m_pages->setTabVisible(page, valid);
    if (!m_pages->isTabVisible(m_pages->currentIndex()))
        m_pages->setCurrentIndex(DataPage);
}

TProjMDIChild::Page TProjMDIChild::CurrentPage() const
{
    return Page(m_pages->currentIndex());
}

void TProjMDIChild::ShowPage(Page page)
{
    if (m_pages->isTabVisible(page))
        m_pages->setCurrentIndex(page);
}

bool TProjMDIChild::PageVisible(Page page) const
{
    return m_pages->isTabVisible(page);
}

bool TProjMDIChild::PageEnabled(Page page) const
{
    return m_pages->isTabEnabled(page) && m_pages->isEnabled();
}

void TProjMDIChild::UpdateSummary()
{
    const TResultadosCalculo& results = m_doc.ProjectData.Results;
    if (!results.DirectDone || !m_summary)
        return;
    const auto number = [](double value) { return QString::number(value, 'f', 1); };
    const int rowOf[6] = {0, 1, 2, 3, 4, 6}; // by surface: ceiling, walls A..D, working plane
    for (int surface = 0; surface < 6; ++surface) {
        const TResultadoSuperficie& s = results.Surfaces[std::size_t(surface)];
        const double average = s.Average + s.Indirect;
        const double minimum = s.Minimum + s.Indirect;
        const double maximum = s.Maximum + s.Indirect;
        const double m = minimum == 0 ? 1e-8 : minimum;
        QTreeWidgetItem* item = m_summary->topLevelItem(rowOf[surface]);
        item->setText(1, number(average));
        item->setText(2, number(minimum));
        item->setText(3, number(maximum));
        item->setText(4, QStringLiteral("1:") + number(maximum / m));
        item->setText(5, QStringLiteral("1:") + number(average / m));
    }
    const TResultadoSuperficie& plane = results.Surfaces[WorkPlane];
    const auto metres = [&](float value) { return number(value) + QStringLiteral(" m"); };
    m_summary->topLevelItem(8)->setText(2, metres(plane.MinX));
    m_summary->topLevelItem(8)->setText(3, metres(plane.MaxX));
    m_summary->topLevelItem(9)->setText(2, metres(plane.MinY));
    m_summary->topLevelItem(9)->setText(3, metres(plane.MaxY));
}

void TProjMDIChild::UpdateSurfaceExtremes(int surface, IlluminanceKind kind, const GridExtremes& grid)
{
    if (!lumivar::UpdateSurfaceExtremes(m_doc.ProjectData.Results, surface, kind, grid))
        return;
    UpdateSummary();
    m_doc.Modified = true;
    emit CommandsChanged();
}

void TProjMDIChild::UpdateCosts()
{
    // The costs page has no contents yet.
}

void TProjMDIChild::FreeResultViews()
{
    // No result view is built yet; nothing to free.
}

// ---------------------------------------------------------------------------------------
// Plan page and zoom

void TProjMDIChild::FitPlan()
{
    if (!m_pages || !m_pages->isTabVisible(PlanPage)) {
        m_keepScroll = false;
        return;
    }
    const TDadosProjecto& r = m_doc.ProjectData;
    const double z = m_doc.ZoomPercent / 100.0;
    QWidget* viewport = m_planScroll->viewport();
    viewport->setUpdatesEnabled(false);
    QScrollBar* hBar = m_planScroll->horizontalScrollBar();
    QScrollBar* vBar = m_planScroll->verticalScrollBar();

    double a = 0, b = 0;
    if (!m_doc.ZoomActive) {
        a = m_planScroll->width() - 2 * m_planScroll->frameWidth() - 4;
        b = m_planScroll->height() - 2 * m_planScroll->frameWidth() - 4;
    } else {
        const int clientWidth = m_planScroll->width() - 2 * m_planScroll->frameWidth();
        const int clientHeight = m_planScroll->height() - 2 * m_planScroll->frameWidth();
        b = clientHeight - (hBar->sizeHint().height() + 4);
        a = clientWidth - (vBar->sizeHint().width() + 4);
        if (r.Width > 0 && r.Length > 0) {
            const float d = float(b) * (r.Length / r.Width);
            if (d >= a)
                a = d;
            else
                b = a * (r.Width / r.Length);
        }
    }

    const double hFraction = m_keepScroll ? m_keptH : ScrollFraction(hBar);
    const double vFraction = m_keepScroll ? m_keptV : ScrollFraction(vBar);
    m_keepScroll = false;
    hBar->setValue(0);
    vBar->setValue(0);

    m_plan->resize(std::max(RoundEven(z * a), 1), std::max(RoundEven(z * b), 1));
    m_plan->SetZoomPercent(m_doc.ZoomPercent);

    hBar->setValue(RoundEven(hFraction * (hBar->maximum() - hBar->minimum())));
    vBar->setValue(RoundEven(vFraction * (vBar->maximum() - vBar->minimum())));
    viewport->setUpdatesEnabled(true);
    m_plan->update();
}

void TProjMDIChild::SetZoomActive(bool active)
{
    m_doc.ZoomActive = active;
    if (!active)
        m_doc.ZoomPercent = 100;
    FitPlan();
    emit ZoomStateChanged();
}

void TProjMDIChild::SetZoomPercent(int percent)
{
    m_doc.ZoomPercent = std::max(percent, 100);
    FitPlan();
    emit ZoomStateChanged();
}

bool TProjMDIChild::ZoomControlsEnabled() const
{
    return CurrentPage() == PlanPage;
}

void TProjMDIChild::PlanEdited(bool withRefs, const QString& label)
{
    if (m_history->RecordPlanEdit(withRefs, ToUtf8(label))) {
        FreeResultViews();
        UpdatePageVisibility();
    }
    emit CommandsChanged();
}

// ---------------------------------------------------------------------------------------
// History

bool TProjMDIChild::CanUndo() const
{
    return m_history->CanUndo();
}

bool TProjMDIChild::CanRedo() const
{
    return m_history->CanRedo();
}

void TProjMDIChild::Undo()
{
    UndoSteps(1);
}

void TProjMDIChild::Redo()
{
    RedoSteps(1);
}

void TProjMDIChild::UndoSteps(int steps)
{
    if (IsCalculating() || m_editing)
        return;
    const HistoryChange change = m_history->UndoSteps(steps);
    if (!change.None())
        HistoryMoved(change.Texts, change.Luminaires);
}

void TProjMDIChild::RedoSteps(int steps)
{
    if (IsCalculating() || m_editing)
        return;
    const HistoryChange change = m_history->RedoSteps(steps);
    if (!change.None())
        HistoryMoved(change.Texts, change.Luminaires);
}

void TProjMDIChild::HistoryMoved(bool texts, bool luminaires)
{
    m_plan->Plan().PlanChanged = m_doc.PlanChanged;
    if (luminaires)
        m_plan->Plan().ReloadLuminaires();
    FreeResultViews();
    ShowProjectData(texts);
    UpdatePageVisibility();
    FitPlan();
    emit CommandsChanged();
}

QStringList TProjMDIChild::UndoLabels() const
{
    QStringList labels;
    for (const std::string& label : m_history->UndoLabels())
        labels << FromUtf8(label);
    return labels;
}

QStringList TProjMDIChild::RedoLabels() const
{
    QStringList labels;
    for (const std::string& label : m_history->RedoLabels())
        labels << FromUtf8(label);
    return labels;
}

// ---------------------------------------------------------------------------------------
// Luminaire references, automatic count and blocks

namespace {

// The first reference selected in the references dialog, or -1.
int FirstSelected(const TLuminDlg& dialog)
{
    const std::vector<std::size_t> selected = dialog.SelectedReferences();
    return selected.empty() ? -1 : int(selected.front());
}

} // namespace

void TProjMDIChild::EditReferences()
{
    if (IsCalculating() || m_editing || !RoomOk())
        return;
    ShowPage(PlanPage);
    TPlanoGrafico& plan = m_plan->Plan();
    TLuminDlg dialog(m_doc, &plan, this);
    // The count and block dialogs change the document's luminaires; the plan takes
    // them before the references dialog goes on with it.
    dialog.AutoCount = [this](TLuminDlg& dlg) {
        if (!TCalcAuto::Run(m_doc, FirstSelected(dlg), &dlg, m_history.get()))
            return false;
        LuminairesPlaced();
        return true;
    };
    dialog.Block = [this](TLuminDlg& dlg) {
        if (!TCalcBloco::Run(m_doc, FirstSelected(dlg), &dlg, m_history.get()))
            return false;
        LuminairesPlaced();
        return true;
    };
    dialog.exec();
    plan.ReferencesEdited(dialog.Changed());
    m_plan->update();
    emit CommandsChanged();
}

bool TProjMDIChild::RunAutoCount(int preselected)
{
    if (IsCalculating() || m_editing || !RoomOk())
        return false;
    ShowPage(PlanPage);
    if (!TCalcAuto::Run(m_doc, preselected, this, m_history.get()))
        return false;
    LuminairesPlaced();
    return true;
}

bool TProjMDIChild::RunBlocks(int preselected)
{
    if (IsCalculating() || m_editing || !RoomOk())
        return false;
    ShowPage(PlanPage);
    if (!TCalcBloco::Run(m_doc, preselected, this, m_history.get()))
        return false;
    LuminairesPlaced();
    return true;
}

void TProjMDIChild::LuminairesPlaced()
{
    m_plan->Plan().ReloadLuminaires();
    m_plan->Plan().RebuildDimensions();
    m_plan->update();
    FreeResultViews();
    UpdatePageVisibility();
    emit CommandsChanged();
}

// ---------------------------------------------------------------------------------------
// Calculation

void TProjMDIChild::SetProgressBar(QProgressBar* bar)
{
    m_progressBar = bar;
}

bool TProjMDIChild::RunCalculation()
{
    if (IsCalculating() || m_editing)
        return false;
    m_calcJob = std::make_unique<CalculationJob>();
    m_calcJob->Data = m_doc.ProjectData;
    m_calcJob->Luminaires = m_doc.Luminaires;
    CalculationJob* job = m_calcJob.get();
    m_calcThread = QThread::create([job] { job->Run(); });
    connect(m_calcThread, &QThread::finished, this, &TProjMDIChild::CalculationDone);
    SetInputEnabled(false);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    if (m_progressBar) {
        m_progressBar->setRange(0, 1000);
        m_progressBar->setValue(0);
        m_progressBar->show();
    }
    m_progressTimer->start();
    m_calcThread->start();
    emit CommandsChanged();
    return true;
}

void TProjMDIChild::CancelCalculation()
{
    if (m_calcJob)
        m_calcJob->Cancel = true;
}

void TProjMDIChild::WaitForCalculation()
{
    if (!m_calcThread)
        return;
    m_calcThread->wait();
    CalculationDone();
}

void TProjMDIChild::PollProgress()
{
    if (!m_calcJob)
        return;
    const std::int64_t total = m_calcJob->Total;
    const int perMille = total > 0 ? int(m_calcJob->Done * 1000 / total) : 0;
    if (m_progressBar)
        m_progressBar->setValue(perMille);
    emit CalculationProgressed(perMille);
}

void TProjMDIChild::SetInputEnabled(bool enabled)
{
    m_pages->setEnabled(enabled);
    if (!enabled)
        setFocus();
}

void TProjMDIChild::CalculationDone()
{
    if (!m_calcThread)
        return; // already taken (WaitForCalculation ran before the queued signal)
    m_calcThread->wait();
    m_calcThread->deleteLater();
    m_calcThread = nullptr;
    const std::unique_ptr<CalculationJob> job = std::move(m_calcJob);
    m_progressTimer->stop();
    if (m_progressBar) {
        m_progressBar->setValue(0);
        m_progressBar->hide();
    }
    QApplication::restoreOverrideCursor();
    SetInputEnabled(true);

    const bool done = job->DirectOk && !job->Cancel;
    if (!done) {
        if (!job->Cancel && !job->Message.empty())
            ShowWarning(FromUtf8(job->Message));
        emit CommandsChanged();
        emit CalculationFinished(false);
        return;
    }
    if (!job->Message.empty())
        ShowWarning(FromUtf8(job->Message)); // the direct results stand; the reflected light is missing
    m_doc.ProjectData.Results = job->Data.Results;
    UpdateSummary();
    m_doc.Modified = true;
    FreeResultViews();
    m_history->StoreData(m_doc.ProjectData);
    UpdatePageVisibility();
    UpdateCosts();
    emit CommandsChanged();
    ShowPage(SummaryPage);
    emit CalculationFinished(true);
}

// ---------------------------------------------------------------------------------------
// Files and closing

bool TProjMDIChild::OpenProject(const QString& path)
{
    if (IsCalculating())
        return false; // the worker reads the current references
    // The document keeps the full path; the recent-files list and messages show it.
    const QString fullPath = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    auto read = ReadProjectFile(ToUtf8(fullPath), AppPreferences().NewProjectDefaults(), CurrentDateTime());
    if (!read) {
        ShowWarning(FromUtf8(read.Message()));
        return false;
    }
    if (!read->ConversionNotice.empty())
        ShowInformation(FromUtf8(read->ConversionNotice));
    m_doc = std::move(read->Document);
    setWindowTitle(QFileInfo(path).completeBaseName());
    m_plan->SetDocument(&m_doc); // builds the dimension marks the file asks for
    ShowProjectData(true);
    m_history->Start();
    UpdatePageVisibility();
    FitPlan();
    emit CommandsChanged();
    return true;
}

bool TProjMDIChild::SaveProject(bool askName)
{
    if (IsCalculating())
        return false;
    const bool useDialog = askName || m_doc.FileName.empty();
    QString path = FileName();
    if (useDialog) {
        const QString name = m_doc.FileName.empty() ? windowTitle() : QFileInfo(path).fileName();
        const QString folder = FromUtf8(AppPreferences().ProjectsFolder);
        const QString chosen = AskSaveName ? AskSaveName(QDir(folder).filePath(name)) : QString();
        if (chosen.isEmpty())
            return false;
        path = QDir::cleanPath(QFileInfo(chosen).absoluteFilePath());
    }
    m_doc.Modified = m_doc.Modified || m_doc.PlanChanged;
    const Status saved = SaveProjectFile(m_doc, ToUtf8(path));
    if (!saved) {
        ShowWarning(FromUtf8(saved.Message()));
        return false;
    }
    m_plan->Plan().PlanChanged = false;
    m_history->MarkSaved();
    if (useDialog) {
        const QFileInfo info(FileName());
        setWindowTitle(info.completeBaseName());
        AppPreferences().ProjectsFolder = WithTrailingSeparator(ToUtf8(QDir::toNativeSeparators(info.absolutePath())));
    }
    emit CommandsChanged();
    return true;
}

bool TProjMDIChild::CloseQuery()
{
    if (IsCalculating()) {
        CancelCalculation();
        WaitForCalculation();
    }
    m_doc.Modified = m_doc.Modified || m_doc.PlanChanged;
    emit CommandsChanged();
    if (!m_doc.Modified)
        return true;
    const QString question =
        m_doc.FileName.empty()
            ? tr("Este projecto ainda não foi gravado!   Gostaria de o gravar?")
            : tr("O projecto  %1  foi modificado.  Gostaria de gravar as modificações?").arg(FileName());
    switch (AskSaveChanges ? AskSaveChanges(question) : QMessageBox::Cancel) {
    case QMessageBox::Yes:
        return SaveProject(false);
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

void TProjMDIChild::closeEvent(QCloseEvent* event)
{
    if (!CloseQuery()) {
        event->ignore();
        return;
    }
    if (m_editing) {
        ShowProjectData(true);
        SetEditMode(false, false);
    }
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        AppPreferences().ChildWindowState = sub->isMaximized() ? 2 : sub->isMinimized() ? 1 : 0;
    emit Closed(FileName());
    event->accept();
}

bool TProjMDIChild::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_planScroll && event->type() == QEvent::Resize && !m_keepScroll) {
        // The box's new size changes the scroll ranges before the plan is laid out
        // again; keep the places it had.
        m_keptH = ScrollFraction(m_planScroll->horizontalScrollBar());
        m_keptV = ScrollFraction(m_planScroll->verticalScrollBar());
        m_keepScroll = true;
        QMetaObject::invokeMethod(this, &TProjMDIChild::FitPlan, Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}

void TProjMDIChild::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && IsCalculating()) {
        CancelCalculation();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace lumivar
