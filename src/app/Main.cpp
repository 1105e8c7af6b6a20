#include "app/Main.h"

#include "app/AboutBox.h"
#include "app/HelpWindow.h"
#include "app/PreferencesStore.h"
#include "app/SettingsBackend.h"
#include "app/StartupRules.h"
#include "app/UnPrefer.h"
#include "graphics/PlanWidget.h"
#include "photometry/DescriptionCatalogue.h"
#include "project/ChildWin.h"
#include "project/UndoRedoList.h"

#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidgetAction>

namespace lumivar {
namespace {

const QString kWebAddress = QStringLiteral("https://www.tavik.example/");
const QString kSupportAddress = QStringLiteral("suporte@tavik.example");
const QString kToolbarStateKey = QStringLiteral("Barras/Estado");

std::vector<std::string> StdParameters(const QStringList& parameters)
{
    std::vector<std::string> out;
    for (const QString& p : parameters)
        out.push_back(p.toStdString());
    return out;
}

} // namespace

QString ShortHint(const QString& hint)
{
    const auto bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.left(bar);
}

QString LongHint(const QString& hint)
{
    const auto bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

bool TMainForm::CommandPending(const QString& name)
{
    static const QSet<QString> pending{
        QStringLiteral("aConfPag"),    QStringLiteral("aFolhas"),    QStringLiteral("aCriarPDF"),
        QStringLiteral("aEnviaEmail"), QStringLiteral("aPrevisao"),  QStringLiteral("aImprimir"),
        QStringLiteral("aMemDescr"),   QStringLiteral("aValores"),   QStringLiteral("aTons"),
        QStringLiteral("aIsolux"),     QStringLiteral("a3D"),        QStringLiteral("aSeccoes"),
        QStringLiteral("aCustos"),     QStringLiteral("aCustosComp")};
    return pending.contains(name);
}

TMainForm::TMainForm(const QStringList& parameters, QWidget* parent) : QMainWindow(parent), m_parameters(parameters)
{
    setWindowTitle(QStringLiteral("Lumivar"));
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("MdiArea"));
    setCentralWidget(m_mdi);
    ChooseSchemeColours();
    m_mdi->setBackground(m_schemeColours[5]);

    CreateActions();
    CreateMenus();
    CreateToolBars();
    CreateStatusBar();
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this] { UpdateMenuItems(); });

    PreferencesStore& prefs = AppPreferences();
    LoadPreferences(prefs);
    prefs.Language = LanguageFromParameters(StdParameters(m_parameters), prefs.Language);
    // Translations are chosen by number (0 and 1 Portuguese, 2 English, 3 French,
    // 4 Spanish, 5 German); none ships yet, so every language shows the Portuguese texts.

    ApplyPlacement();
    m_projectsFolder = QString::fromStdString(prefs.ProjectsFolder);
    SettingsBackend backend;
    restoreState(backend.Settings().value(kToolbarStateKey).toByteArray());
    m_recent.Load(backend);
    UpdateRecentMenu();

    LoadDescriptionCatalogue();

    UpdateMenuItems();
}

TMainForm::~TMainForm()
{
    // The project windows go with the frame; their going needs no command states.
    m_destroying = true;
    StorePlacement();
    SavePreferences(AppPreferences());
    SettingsBackend backend;
    backend.Settings().setValue(kToolbarStateKey, saveState());
    m_recent.Save(backend);
    backend.Sync();
}

void TMainForm::LoadDescriptionCatalogue()
{
    // "LumivarM.Rtf" beside the program; without it every description is reported as
    // not found where it is asked for. A catalogue is a few hundred kilobytes: a file
    // far beyond that is not one and is not read into memory.
    constexpr qint64 kMaxCatalogueBytes = 64 * 1024 * 1024;
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("LumivarM.Rtf"));
    QFile file(path);
    if (!file.exists())
        return;
    QString problem;
    if (file.size() > kMaxCatalogueBytes) {
        problem = tr("o ficheiro é demasiado grande");
    } else if (!file.open(QIODevice::ReadOnly)) {
        problem = file.errorString();
    } else {
        const QByteArray bytes = file.readAll();
        Result<DescriptionCatalogue> catalogue =
            DescriptionCatalogue::FromBytes(std::string_view(bytes.constData(), std::size_t(bytes.size())));
        if (catalogue)
            AppDescriptionCatalogue() = std::move(*catalogue);
        else
            problem = QString::fromStdString(catalogue.Message());
    }
    if (!problem.isEmpty())
        statusBar()->showMessage(tr("Não foi possível ler o catálogo de descrições %1: %2").arg(path, problem));
}

void TMainForm::ChooseSchemeColours()
{
    // No desktop colour scheme of its own here: the platform's button colours.
    const QPalette pal = palette();
    const QColor face = pal.color(QPalette::Button);
    const QColor shadow = pal.color(QPalette::Dark);
    m_schemeColours = {face, face, face, shadow, shadow, shadow};
}

void TMainForm::ApplyPlacement()
{
    const PreferencesStore& prefs = AppPreferences();
    QRect available(0, 0, 1024, 768);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        available = screen->availableGeometry();
    const WindowPlacement place =
        UsablePlacement({prefs.WindowLeft, prefs.WindowTop, prefs.WindowWidth, prefs.WindowHeight, prefs.WindowState},
                        available.width(), available.height());
    setGeometry(place.Left, place.Top, place.Width, place.Height);
    if (place.State == 1)
        setWindowState(Qt::WindowMinimized);
    else if (place.State == 2)
        setWindowState(Qt::WindowMaximized);
}

void TMainForm::StorePlacement()
{
    PreferencesStore& prefs = AppPreferences();
    const QRect r = normalGeometry().isValid() ? normalGeometry() : geometry();
    prefs.WindowLeft = r.x();
    prefs.WindowTop = r.y();
    prefs.WindowWidth = r.width();
    prefs.WindowHeight = r.height();
    prefs.WindowState = isMinimized() ? 1 : isMaximized() ? 2 : 0;
}

QAction* TMainForm::MakeAction(const char* name, const QString& caption, const QKeySequence& shortcut,
                               const QString& hint)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    action->setToolTip(ShortHint(hint));
    action->setStatusTip(LongHint(hint));
    if (CommandPending(action->objectName())) {
        action->setToolTip(ShortHint(hint) + QStringLiteral(" — ") + tr("ainda não disponível nesta versão"));
        action->setProperty("lumivarPending", true);
    }
    m_actions.insert(action->objectName(), action);
    return action;
}

QAction* TMainForm::Action(const QString& name) const
{
    return m_actions.value(name, nullptr);
}

bool TMainForm::CommandAllowed(const QString& name) const
{
    return m_allowed.value(name, false);
}

void TMainForm::CreateActions()
{
    connect(MakeAction("aNovo", tr("&Novo"), QKeySequence(tr("Ctrl+N")), tr("Novo|Cria um novo ficheiro de projecto")),
            &QAction::triggered, this, &TMainForm::NewProject);
    connect(MakeAction("aAbrir", tr("&Abrir..."), QKeySequence(tr("Ctrl+O")),
                       tr("Abrir|Abrir um ficheiro de projecto já existente")),
            &QAction::triggered, this, &TMainForm::OpenProjectDialog);
    connect(MakeAction("aFechar", tr("&Fechar"), {}, tr("Fecha|Fecha o ficheiro de projecto corrente")),
            &QAction::triggered, this, &TMainForm::CloseProject);
    connect(MakeAction("aGrava", tr("&Grava..."), QKeySequence(tr("Ctrl+S")),
                       tr("Grava|Grava o ficheiro de projecto corrente")),
            &QAction::triggered, this, [this] { SaveProject(false); });
    connect(MakeAction("aGravaComo", tr("Grava &Como..."), {},
                       tr("Grava o ficheiro de projecto corrente como um ficheiro em...")),
            &QAction::triggered, this, [this] { SaveProject(true); });
    MakeAction("aConfPag", tr("C&onfigurar Página..."), {}, tr("Configuração da página que deseja para a impressão"));
    MakeAction("aFolhas", tr("Folhas de &Relatório..."), {},
               tr("Seleccionar e configurar as folhas de relatório que deseja imprimir"));
    MakeAction("aCriarPDF", tr("Criar &PDF..."), {}, tr("Criar PDF|Criar um ficheiro PDF com as folhas projecto"));
    MakeAction("aEnviaEmail", tr("&Envia por Email..."), {},
               tr("Envia por Email|Enviar por email as folhas do projecto"));
    MakeAction("aPrevisao", tr("&Ver Antes"), {}, tr("Ver Antes|Previsão do que vai ser impresso"));
    MakeAction("aImprimir", tr("&Imprimir..."), QKeySequence(tr("Ctrl+P")), tr("Imprimir o projecto"));
    connect(MakeAction("aPreferencias", tr("&Preferências..."), {},
                       tr("Configuração das preferências que desejamos no programa Lumivar")),
            &QAction::triggered, this, &TMainForm::EditPreferences);
    Action(QStringLiteral("aPreferencias"))->setEnabled(true);
    QAction* cotas = MakeAction("aCotas", tr("&Cotas dos Aparelhos"), QKeySequence(tr("Ctrl+F5")),
                                tr("Cotas|Visualizar ou não as cotas das luminárias"));
    cotas->setCheckable(true);
    connect(cotas, &QAction::triggered, this, [this] {
        if (TProjMDIChild* p = ActiveProject())
            p->Plan()->ToggleDimensions();
        RefreshCommands();
    });
    connect(MakeAction("aLuminarias", tr("&Luminárias..."), QKeySequence(tr("F6")),
                       tr("Luminárias|Referências das luminárias utiliazdas no projecto")),
            &QAction::triggered, this, [this] {
                if (TProjMDIChild* p = ActiveProject())
                    p->EditReferences();
                RefreshCommands();
            });
    connect(MakeAction("aCalAuto", tr("&Cálculo Automático..."), QKeySequence(tr("F7")),
                       tr("Luminárias automáticas|Cálculo automático do número de luminarias para o projecto")),
            &QAction::triggered, this, [this] {
                if (TProjMDIChild* p = ActiveProject())
                    p->RunAutoCount();
                RefreshCommands();
            });
    connect(MakeAction("aCalBlocos", tr("&Blocos de Luminárias..."), QKeySequence(tr("F8")),
                       tr("Blocos de luminárias|Cálculo de um bloco de luminarias")),
            &QAction::triggered, this, [this] {
                if (TProjMDIChild* p = ActiveProject())
                    p->RunBlocks();
                RefreshCommands();
            });
    connect(
        MakeAction("aCalculo", tr("Cálculo das &Iluminâncias..."), QKeySequence(tr("F9")),
                   tr("Cálculo do projecto|Cálcula os valores médios de iluminância nos vários planos do projecto")),
        &QAction::triggered, this, &TMainForm::RunCalculation);
    MakeAction("aMemDescr", tr("&Memória Descritiva"), {},
               tr("Visualização e edição da memória descritiva do projecto activo"));
    MakeAction("aValores", tr("&Valores de Iluminância..."), {},
               tr("Valores de iluminância|Os valores das iluminâncias nos diversos planos do projecto"));
    MakeAction("aTons", tr("&Escala de Tons..."), {},
               tr("Escala de tons da iluminância|A escala de tonalidades da iluminância nos diversos planos do "
                  "projecto"));
    MakeAction("aIsolux", tr("&Linhas Isolux"), {},
               tr("Linhas isolux da iluminância|As linhas isolux da iluminância nos diversos planos do projecto"));
    MakeAction("a3D", tr("Representação em &3D"), {},
               tr("Iluminância em 3D|Representação em 3D das iluminâncias no plano de trabalho"));
    MakeAction("aSeccoes", tr("&Secções de Iluminância..."), {},
               tr("Secções de iluminância|Secções verticais ou horizontais das iluminâncias do projecto"));
    MakeAction("aCustos", tr("&Custos do projecto"), {}, tr("Custos do projecto|Cálculo dos custos do projecto"));
    MakeAction("aCustosComp", tr("Custos C&omparativos..."), {},
               tr("Custos comparativos|Comparação dos custos do projecto com outros projectos"));
    connect(MakeAction("aUndo", tr("&Anular"), QKeySequence(tr("Ctrl+Z")), tr("Anular acção")), &QAction::triggered,
            this, &TMainForm::Undo);
    connect(MakeAction("aRedo", tr("&Repetir"), QKeySequence(tr("Shift+Ctrl+Z")), tr("Repetir acção")),
            &QAction::triggered, this, &TMainForm::Redo);
    connect(MakeAction("aAjudaConteudo", tr("Conteúdo"), QKeySequence(tr("F1")), tr("Conteudo da ajuda do Lumivar")),
            &QAction::triggered, this, [this] { ShowHelp(QString()); });

    // Menu items without an action of the table; named after their menu items.
    MakeAction("MSair", tr("&Sair"), {}, tr("Sair do programa Lumivar"));
    connect(Action(QStringLiteral("MSair")), &QAction::triggered, this, &QWidget::close);
    // Cut, copy and paste have no behaviour of their own yet; present and enabled with a project.
    MakeAction("MCortar", tr("Cor&tar"), QKeySequence(tr("Ctrl+X")), {});
    MakeAction("MCopiar", tr("&Copiar"), QKeySequence(tr("Ctrl+C")), {});
    MakeAction("MColar", tr("Co&lar"), QKeySequence(tr("Ctrl+V")), {});
    connect(MakeAction("MCascata", tr("&Cascata"), {}, {}), &QAction::triggered, m_mdi, &QMdiArea::cascadeSubWindows);
    connect(MakeAction("MMosaico", tr("&Mosaico"), {}, {}), &QAction::triggered, m_mdi, &QMdiArea::tileSubWindows);
    connect(MakeAction("MArranjaIcons", tr("&Arranja Icons"), {}, {}), &QAction::triggered, this,
            &TMainForm::ArrangeIcons);
    connect(MakeAction("MMinimizaTodas", tr("M&inimiza Todas"), {}, {}), &QAction::triggered, this, [this] {
        for (QMdiSubWindow* sub : m_mdi->subWindowList())
            sub->showMinimized();
    });
    connect(MakeAction("MProcurarAjuda", tr("&Procurar por Ajuda em..."), {}, {}), &QAction::triggered, this,
            [this] { ShowHelp(QStringLiteral("indice")); });
    connect(MakeAction("MComoAjuda", tr("C&omo obter Ajuda..."), {}, {}), &QAction::triggered, this,
            [this] { ShowHelp(QStringLiteral("como-obter-ajuda")); });
    connect(MakeAction("MWeb", tr("Tavik na &Web"), {}, {}), &QAction::triggered, this,
            [] { QDesktopServices::openUrl(QUrl(kWebAddress)); });
    connect(MakeAction("MEmail", tr("Tavik &e-mail  suporte técnico"), {}, {}), &QAction::triggered, this,
            [] { QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + kSupportAddress)); });
    // "Acerca do " + the product name + "...", the accelerator on the name's second letter.
    connect(MakeAction("MAcerca", tr("Acerca do L&umivar..."), {}, {}), &QAction::triggered, this,
            &TMainForm::ShowAbout);

    for (const char* name : {"aFechar", "aGrava", "aGravaComo", "aConfPag", "aFolhas", "MCortar", "MCopiar", "MColar",
                             "MCascata", "MMosaico", "MArranjaIcons", "MMinimizaTodas"})
        m_projectOnly.append(Action(QString::fromLatin1(name)));
}

void TMainForm::CreateMenus()
{
    menuBar()->setObjectName(QStringLiteral("Barra de Menu"));
    const auto add = [this](QMenu* menu, const char* name) { menu->addAction(Action(QString::fromLatin1(name))); };

    m_fileMenu = menuBar()->addMenu(tr("&Ficheiros"));
    for (const char* name : {"aNovo", "aAbrir", "aFechar", "aGrava", "aGravaComo"})
        add(m_fileMenu, name);
    m_fileMenu->addSeparator();
    for (const char* name : {"aConfPag", "aFolhas", "aCriarPDF", "aEnviaEmail", "aPrevisao", "aImprimir"})
        add(m_fileMenu, name);
    m_fileMenu->addSeparator();
    add(m_fileMenu, "aPreferencias");
    m_recentSeparator = m_fileMenu->addSeparator();
    m_fileMenu->addSeparator();
    add(m_fileMenu, "MSair");

    QMenu* edit = menuBar()->addMenu(tr("&Editar"));
    add(edit, "aUndo");
    add(edit, "aRedo");
    edit->addSeparator();
    for (const char* name : {"MCortar", "MCopiar", "MColar"})
        add(edit, name);

    QMenu* view = menuBar()->addMenu(tr("&Visualizar"));
    add(view, "aCotas");
    view->addSeparator();
    QMenu* bars = view->addMenu(tr("Barra de &Utilitários"));
    m_mainBarToggle = bars->addAction(tr("&Principal"));
    m_projectBarToggle = bars->addAction(tr("P&rojecto"));
    m_zoomBarToggle = bars->addAction(tr("&Zoom"));
    m_statusBarToggle = view->addAction(tr("Barra de &Estado"));
    for (QAction* a : {m_mainBarToggle, m_projectBarToggle, m_zoomBarToggle, m_statusBarToggle})
        a->setCheckable(true);

    QMenu* project = menuBar()->addMenu(tr("&Projecto"));
    add(project, "aLuminarias");
    project->addSeparator();
    for (const char* name : {"aCalAuto", "aCalBlocos", "aCalculo"})
        add(project, name);
    project->addSeparator();
    add(project, "aMemDescr");

    QMenu* results = menuBar()->addMenu(tr("&Resultados"));
    for (const char* name : {"aValores", "aTons", "aIsolux", "a3D"})
        add(results, name);
    results->addSeparator();
    add(results, "aSeccoes");
    results->addSeparator();
    add(results, "aCustos");
    add(results, "aCustosComp");

    m_windowMenu = menuBar()->addMenu(tr("&Janelas"));
    connect(m_windowMenu, &QMenu::aboutToShow, this, &TMainForm::FillWindowMenu);
    FillWindowMenu();

    QMenu* help = menuBar()->addMenu(tr("&Ajuda"));
    for (const char* name : {"aAjudaConteudo", "MProcurarAjuda", "MComoAjuda"})
        add(help, name);
    help->addSeparator();
    add(help, "MWeb");
    add(help, "MEmail");
    help->addSeparator();
    add(help, "MAcerca");
}

void TMainForm::FillWindowMenu()
{
    m_windowMenu->clear();
    for (const char* name : {"MCascata", "MMosaico", "MArranjaIcons", "MMinimizaTodas"})
        m_windowMenu->addAction(Action(QString::fromLatin1(name)));
    const auto subs = m_mdi->subWindowList();
    if (!subs.isEmpty())
        m_windowMenu->addSeparator();
    int n = 0;
    for (QMdiSubWindow* sub : subs) {
        QAction* a = m_windowMenu->addAction(QStringLiteral("&%1 %2").arg(++n).arg(sub->windowTitle()));
        a->setCheckable(true);
        a->setChecked(sub == m_mdi->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, sub] { m_mdi->setActiveSubWindow(sub); });
    }
}

void TMainForm::ArrangeIcons()
{
    // Minimised project windows in a row along the bottom of the client area.
    int x = 0;
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
        if (!sub->isMinimized())
            continue;
        sub->move(x, m_mdi->viewport()->height() - sub->height());
        x += sub->width();
    }
}

QToolButton* TMainForm::HistoryButton(QAction* action, bool undo)
{
    auto* button = new QToolButton(this);
    button->setDefaultAction(action);
    button->setPopupMode(QToolButton::MenuButtonPopup);
    auto* menu = new QMenu(button);
    auto* panel = new QWidget(menu);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* list = new QListWidget(panel);
    list->setMouseTracking(true);
    list->setMinimumWidth(200);
    auto* caption = new QLabel(panel);
    caption->setAlignment(Qt::AlignCenter);
    layout->addWidget(list);
    layout->addWidget(caption);
    auto* holder = new QWidgetAction(menu);
    holder->setDefaultWidget(panel);
    menu->addAction(holder);
    button->setMenu(menu);
    (undo ? m_undoList : m_redoList) = list;
    (undo ? m_undoCaption : m_redoCaption) = caption;
    list->setObjectName(undo ? QStringLiteral("UndoList") : QStringLiteral("RedoList"));
    caption->setObjectName(undo ? QStringLiteral("UndoCaption") : QStringLiteral("RedoCaption"));

    connect(menu, &QMenu::aboutToShow, this, [this, undo] { FillHistoryList(undo); });
    connect(list, &QListWidget::itemEntered, list, [list](QListWidgetItem* item) { list->setCurrentItem(item); });
    connect(list, &QListWidget::currentRowChanged, caption, [caption, undo](int row) {
        const int steps = row + 1;
        caption->setText(QString::fromStdString(undo ? UndoStepsCaption(steps) : RedoStepsCaption(steps)));
    });
    connect(list, &QListWidget::itemClicked, this, [this, list, menu, undo](QListWidgetItem* item) {
        const int steps = list->row(item) + 1;
        menu->close();
        HistoryStepsChosen(undo, steps);
    });
    return button;
}

void TMainForm::FillHistoryList(bool undo)
{
    QListWidget* list = undo ? m_undoList : m_redoList;
    list->clear();
    if (TProjMDIChild* project = ActiveProject())
        list->addItems(undo ? project->UndoLabels() : project->RedoLabels());
    if (list->count() > 0)
        list->setCurrentRow(0);
}

void TMainForm::HistoryStepsChosen(bool undo, int steps)
{
    TProjMDIChild* project = ActiveProject();
    if (!project)
        return;
    if (undo)
        project->UndoSteps(steps);
    else
        project->RedoSteps(steps);
    RefreshCommands();
}

void TMainForm::CreateToolBars()
{
    const auto add = [this](QToolBar* bar, const char* name) { bar->addAction(Action(QString::fromLatin1(name))); };
    m_mainBar = addToolBar(tr("Barra principal"));
    m_mainBar->setObjectName(QStringLiteral("BarraPrincipal"));
    for (const char* name : {"aNovo", "aAbrir", "aGrava"})
        add(m_mainBar, name);
    m_mainBar->addSeparator();
    add(m_mainBar, "aImprimir");
    add(m_mainBar, "aPrevisao");
    m_mainBar->addSeparator();
    for (const char* name : {"MCortar", "MCopiar", "MColar"})
        add(m_mainBar, name);
    m_mainBar->addSeparator();
    m_mainBar->addWidget(HistoryButton(Action(QStringLiteral("aUndo")), true));
    m_mainBar->addWidget(HistoryButton(Action(QStringLiteral("aRedo")), false));

    m_projectBar = addToolBar(tr("Projecto"));
    m_projectBar->setObjectName(QStringLiteral("BarraProjecto"));
    for (const char* name : {"aLuminarias", "aCalAuto", "aCalBlocos"})
        add(m_projectBar, name);
    m_projectBar->addSeparator();
    add(m_projectBar, "aCotas");
    m_projectBar->addSeparator();
    for (const char* name : {"aCalculo", "aCustos", "aCustosComp"})
        add(m_projectBar, name);
    m_projectBar->addSeparator();
    for (const char* name : {"aValores", "aTons", "aIsolux", "a3D"})
        add(m_projectBar, name);
    m_projectBar->addSeparator();
    add(m_projectBar, "aSeccoes");

    m_zoomBar = addToolBar(tr("Zoom"));
    m_zoomBar->setObjectName(QStringLiteral("BarraZoom"));
    m_zoomCheck = new QCheckBox(tr("Zoom"), m_zoomBar);
    m_zoomCheck->setToolTip(tr("Permite dimensionar a % de Zoom"));
    m_zoomCheck->setStatusTip(m_zoomCheck->toolTip());
    m_zoomSlider = new QSlider(Qt::Horizontal, m_zoomBar);
    m_zoomSlider->setRange(100, 800);
    m_zoomSlider->setTickInterval(100);
    m_zoomSlider->setTickPosition(QSlider::TicksBelow);
    m_zoomSlider->setFixedWidth(150);
    m_zoomSlider->setToolTip(tr("% de Zoom a aplicar ao plano"));
    m_zoomSlider->setStatusTip(m_zoomSlider->toolTip());
    m_zoomLabel = new QLabel(QStringLiteral("100%"), m_zoomBar);
    m_zoomLabel->setMinimumWidth(40);
    m_zoomBar->addWidget(m_zoomCheck);
    m_zoomBar->addWidget(m_zoomSlider);
    m_zoomBar->addWidget(m_zoomLabel);
    // The active project keeps its zoom and applies it to its plan.
    connect(m_zoomCheck, &QCheckBox::toggled, this, [this](bool on) {
        if (TProjMDIChild* p = ActiveProject())
            p->SetZoomActive(on);
    });
    connect(m_zoomSlider, &QSlider::valueChanged, this, [this](int value) {
        m_zoomLabel->setText(QStringLiteral("%1%").arg(value));
        if (TProjMDIChild* p = ActiveProject())
            p->SetZoomPercent(value);
    });

    // The project bar is wider than most screens: it takes a row of its own below the
    // main and zoom bars, so that "Cálculo das Iluminâncias" and the result commands
    // are not hidden behind the bar's extension button.
    insertToolBar(m_projectBar, m_zoomBar);
    insertToolBarBreak(m_projectBar);

    const auto bindToggle = [this](QAction* toggle, QWidget* bar) {
        connect(toggle, &QAction::toggled, bar, &QWidget::setVisible);
    };
    bindToggle(m_mainBarToggle, m_mainBar);
    bindToggle(m_projectBarToggle, m_projectBar);
    bindToggle(m_zoomBarToggle, m_zoomBar);
    for (QToolBar* bar : {m_mainBar, m_projectBar, m_zoomBar})
        connect(bar, &QToolBar::visibilityChanged, this, [this] { UpdateMenuItems(); });
}

QMenu* TMainForm::createPopupMenu()
{
    auto* menu = new QMenu(this);
    const auto add = [menu](const QString& caption, QToolBar* bar) {
        QAction* a = menu->addAction(caption);
        a->setCheckable(true);
        a->setChecked(bar->isVisible());
        QObject::connect(a, &QAction::toggled, bar, &QWidget::setVisible);
    };
    add(tr("Principal"), m_mainBar);
    add(tr("Projecto"), m_projectBar);
    add(tr("Zoom"), m_zoomBar);
    return menu;
}

void TMainForm::CreateStatusBar()
{
    m_modifiedPanel = new QLabel(statusBar());
    m_modifiedPanel->setFixedWidth(85);
    auto* progressPanel = new QWidget(statusBar());
    progressPanel->setFixedWidth(105);
    auto* layout = new QVBoxLayout(progressPanel);
    layout->setContentsMargins(0, 0, 0, 0);
    m_progress = new QProgressBar(progressPanel);
    m_progress->setTextVisible(false);
    m_progress->hide();
    layout->addWidget(m_progress);
    statusBar()->addPermanentWidget(m_modifiedPanel);
    statusBar()->addPermanentWidget(progressPanel);
    connect(m_statusBarToggle, &QAction::toggled, statusBar(), &QWidget::setVisible);
}

TProjMDIChild* TMainForm::ActiveProject() const
{
    QMdiSubWindow* sub = m_mdi->activeSubWindow();
    if (!sub) {
        // Without a focused frame (tests, a minimised frame) the newest open window stands in.
        const auto subs = m_mdi->subWindowList(QMdiArea::ActivationHistoryOrder);
        if (subs.isEmpty())
            return nullptr;
        sub = subs.last();
    }
    return qobject_cast<TProjMDIChild*>(sub->widget());
}

QList<TProjMDIChild*> TMainForm::Projects() const
{
    QList<TProjMDIChild*> out;
    for (QMdiSubWindow* sub : m_mdi->subWindowList())
        if (auto* p = qobject_cast<TProjMDIChild*>(sub->widget()))
            out.append(p);
    return out;
}

TProjMDIChild* TMainForm::NewProjectWindow(const QString& text, bool isNew)
{
    // The first project window takes the stored state; later ones the state of the
    // window that was active before them.
    int state = TProjMDIChild::FirstWindowState();
    const auto open = m_mdi->subWindowList();
    if (!open.isEmpty()) {
        QMdiSubWindow* last = m_mdi->activeSubWindow() ? m_mdi->activeSubWindow() : open.last();
        state = last->isMaximized() ? 2 : last->isMinimized() ? 1 : 0;
    }

    auto* window = new TProjMDIChild;
    window->setWindowIcon(windowIcon());
    window->SetProgressBar(m_progress);
    QMdiSubWindow* sub = m_mdi->addSubWindow(window);
    const QSize client = m_mdi->viewport()->size();
    sub->setGeometry(TProjMDIChild::Placement(int(open.size()) + 1, client.isEmpty() ? QSize(800, 600) : client));
    connect(window, &TProjMDIChild::CommandsChanged, this, &TMainForm::RefreshCommands);
    connect(window, &TProjMDIChild::ZoomStateChanged, this, &TMainForm::UpdateZoomControls);
    connect(window, &TProjMDIChild::EditModeChanged, this, &TMainForm::UpdateBarsForEditMode);
    connect(window, &TProjMDIChild::Closed, this, [this](const QString& fileName) {
        AddRecentFile(fileName);
        // The window leaves the area once its close is done.
        QMetaObject::invokeMethod(
            this, [this] { UpdateMenuItems(); }, Qt::QueuedConnection);
    });
    connect(sub, &QObject::destroyed, this, [this] { UpdateMenuItems(); });
    const auto showInState = [sub, state] {
        if (state == 2)
            sub->showMaximized();
        else if (state == 1)
            sub->showMinimized();
        else
            sub->show();
    };
    if (isNew) {
        window->setWindowTitle(text);
        showInState();
    } else {
        showInState();
        // Let the new window paint before the file is read.
        QCoreApplication::processEvents();
        if (!window->OpenProject(text)) {
            delete sub;
            UpdateMenuItems();
            return nullptr;
        }
    }
    m_mdi->setActiveSubWindow(sub);
    UpdateMenuItems();
    return window;
}

void TMainForm::AddRecentFile(const QString& path)
{
    if (path.isEmpty())
        return;
    m_recent.Add(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).toStdString());
    UpdateRecentMenu();
}

void TMainForm::UpdateRecentMenu()
{
    for (QAction* a : m_recentActions)
        delete a;
    m_recentActions.clear();
    QAction* before = m_fileMenu->actions().value(m_fileMenu->actions().indexOf(m_recentSeparator) + 1);
    int n = 0;
    for (const std::string& path : m_recent.Paths()) {
        const QString full = QString::fromStdString(path);
        auto* a = new QAction(QStringLiteral("&%1 %2").arg(++n).arg(QString::fromStdString(RecentFileCaption(path))),
                              m_fileMenu);
        a->setStatusTip(full);
        a->setData(full);
        connect(a, &QAction::triggered, this, [this, full] { NewProjectWindow(full, false); });
        m_fileMenu->insertAction(before, a);
        m_recentActions.append(a);
    }
    m_recentSeparator->setVisible(!m_recentActions.isEmpty());
}

void TMainForm::UpdateMenuItems()
{
    if (m_destroying)
        return;
    const bool any = !m_mdi->subWindowList().isEmpty();
    for (QAction* a : m_projectOnly) {
        m_allowed[a->objectName()] = any;
        a->setEnabled(any && !CommandPending(a->objectName()));
    }
    const QSignalBlocker b1(m_mainBarToggle), b2(m_projectBarToggle), b3(m_zoomBarToggle), b4(m_statusBarToggle);
    m_mainBarToggle->setChecked(m_mainBar->isVisibleTo(this));
    m_projectBarToggle->setChecked(m_projectBar->isVisibleTo(this));
    m_zoomBarToggle->setChecked(m_zoomBar->isVisibleTo(this));
    m_statusBarToggle->setChecked(statusBar()->isVisibleTo(this));
    UpdateZoomControls();
    UpdateBarsForEditMode();
    RefreshCommands();
}

void TMainForm::UpdateBarsForEditMode()
{
    const TProjMDIChild* project = ActiveProject();
    const bool editing = project && project->IsEditing();
    for (QToolBar* bar : {m_mainBar, m_projectBar, m_zoomBar})
        bar->setEnabled(!editing);
}

void TMainForm::UpdateZoomControls()
{
    TProjMDIChild* project = ActiveProject();
    const QSignalBlocker b1(m_zoomCheck), b2(m_zoomSlider);
    if (!project) {
        m_zoomCheck->setChecked(false);
        m_zoomSlider->setValue(m_zoomSlider->minimum());
    } else {
        m_zoomCheck->setChecked(project->ZoomActive());
        m_zoomSlider->setValue(project->ZoomPercent());
    }
    m_zoomLabel->setText(QStringLiteral("%1%").arg(m_zoomSlider->value()));
    // The zoom applies to the plan: its controls work while the plan page is shown.
    const bool enabled = project && project->ZoomControlsEnabled();
    m_zoomCheck->setEnabled(enabled);
    m_zoomSlider->setEnabled(enabled);
    m_zoomLabel->setEnabled(enabled);
}

void TMainForm::RefreshCommands()
{
    TProjMDIChild* project = ActiveProject();
    if (project) {
        ProjectDocument& doc = project->Document();
        if (doc.PlanChanged)
            doc.Modified = true;
        m_modifiedPanel->setText(doc.Modified ? tr("Modificado") : QString());
    } else {
        m_modifiedPanel->clear();
    }
    UpdateTbActions();
}

void TMainForm::UpdateTbActions()
{
    TProjMDIChild* project = ActiveProject();
    // While a calculation runs the project's data stays as the worker took it.
    const bool idle = project && !project->IsCalculating();
    const bool roomOK = idle && project->RoomOk();
    const bool valid = idle && project->HasValidResults();
    const bool hasLuminaires = project && !project->Document().Luminaires.empty();
    const auto set = [this](const char* name, bool allowed) {
        const QString key = QString::fromLatin1(name);
        m_allowed[key] = allowed;
        Action(key)->setEnabled(allowed && !CommandPending(key));
    };
    set("aUndo", idle && project->CanUndo());
    set("aRedo", idle && project->CanRedo());
    set("aCotas", project != nullptr);
    Action(QStringLiteral("aCotas"))->setChecked(project && project->Document().ShowDimensions != 0);
    for (const char* name : {"aLuminarias", "aCalAuto", "aCalBlocos", "aMemDescr"})
        set(name, roomOK);
    set("aCalculo", roomOK && hasLuminaires);
    for (const char* name : {"aValores", "aTons", "aIsolux", "a3D", "aSeccoes", "aCustos", "aCustosComp", "aCriarPDF",
                             "aEnviaEmail", "aPrevisao", "aImprimir"})
        set(name, valid);
}

void TMainForm::NewProject()
{
    ++m_newCount;
    NewProjectWindow(tr("Projecto de Iluminação ") + QString::number(m_newCount), true);
}

void TMainForm::OpenProjectDialog()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Abrir"), m_projectsFolder,
                                                      tr("Projectos de iluminação Lumivar   (*.prj)"));
    if (!path.isEmpty())
        OpenChosenFile(path);
}

void TMainForm::OpenChosenFile(const QString& path)
{
    NewProjectWindow(path, false);
    m_projectsFolder = QFileInfo(path).absolutePath();
    // The path goes to the top of the list even when the file did not open.
    AddRecentFile(path);
}

void TMainForm::CloseProject()
{
    if (QMdiSubWindow* sub = m_mdi->activeSubWindow())
        sub->close();
    else if (TProjMDIChild* p = ActiveProject())
        p->parentWidget()->close();
}

void TMainForm::SaveProject(bool askName)
{
    // The open dialog starts where the last project was saved.
    if (TProjMDIChild* p = ActiveProject(); p && p->SaveProject(askName))
        m_projectsFolder = QFileInfo(p->FileName()).absolutePath();
    RefreshCommands();
}

void TMainForm::EditPreferences()
{
    TPreferenciasDlg::Edit(AppPreferences(), this);
}

void TMainForm::Undo()
{
    HistoryStepsChosen(true, 1);
}

void TMainForm::Redo()
{
    HistoryStepsChosen(false, 1);
}

void TMainForm::RunCalculation()
{
    if (TProjMDIChild* p = ActiveProject())
        p->RunCalculation();
    RefreshCommands();
}

void TMainForm::ShowHelp(const QString& topic)
{
    if (!m_helpWindow)
        m_helpWindow = new HelpWindow(this);
    static_cast<HelpWindow*>(m_helpWindow)->ShowTopic(topic);
}

void TMainForm::ShowAbout()
{
    TAboutBox box(this);
    box.exec();
}

void TMainForm::OpenDroppedFiles(const QStringList& paths)
{
    if (!paths.isEmpty())
        NewProjectWindow(paths.constFirst(), false);
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_firstShow)
        return;
    m_firstShow = false;
    setAcceptDrops(true);
    const QString file = QString::fromStdString(StartupFileParameter(StdParameters(m_parameters)));
    if (!file.isEmpty())
        QMetaObject::invokeMethod(
            this, [this, file] { NewProjectWindow(file, false); }, Qt::QueuedConnection);
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
        if (!sub->close()) {
            event->ignore();
            UpdateMenuItems();
            return;
        }
    }
    event->accept();
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    OpenDroppedFiles(paths);
}

} // namespace lumivar
