#include "photometry/UnLumDlg.h"

#include "app/PreferencesStore.h"
#include "base/TextEncoding.h"
#include "calc/DialogButtons.h"
#include "graphics/PositionList.h"
#include "graphics/UnPlanoE.h"
#include "photometry/DescriptionCatalogue.h"
#include "photometry/LampBase.h"
#include "photometry/LampCatalogue.h"
#include "photometry/LumFichDlg.h"
#include "photometry/LuminaireTexts.h"
#include "photometry/ReferenceListEdit.h"
#include "views/DiagPolarWidget.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace lumivar {
namespace {

constexpr int kSortRole = Qt::UserRole + 1;

std::string DecimalSeparator()
{
    return QLocale().decimalPoint().toStdString();
}

QString FromCp1252(std::string_view text)
{
    return QString::fromStdString(Cp1252ToUtf8(text));
}

// Record texts joined by CR LF, shown as lines.
QString Lines(const std::string& crlfText)
{
    QString text = QString::fromStdString(crlfText);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

int LampRowsOf(const TDadosLuminaria& data)
{
    return std::max(1, data.KindsInUse());
}

MoneyFormat PriceFormat()
{
    MoneyFormat format;
    format.DecimalSeparator = DecimalSeparator();
    format.Decimals = AppPreferences().PriceDecimals;
    return format;
}

double Round2(double v)
{
    return std::round(v * 100.0) / 100.0;
}

QPushButton* Button(QWidget* parent, const QString& text, const char* name)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

// Odd display rows of the references grid get their own background; the selection
// highlight paints over it.
class StripedProxy : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::BackgroundRole && index.row() % 2 == 1)
            return QColor(0xDB, 0xE9, 0xF9); // F9E9DB in blue-green-red order
        return QSortFilterProxyModel::data(index, role);
    }
};

// A drop-down list of choices for a cell; picking commits at once.
class PickListDelegate : public QStyledItemDelegate {
public:
    PickListDelegate(std::function<QStringList(int row)> choices, bool editable, QObject* parent)
        : QStyledItemDelegate(parent), m_choices(std::move(choices)), m_editable(editable)
    {
    }
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        auto* combo = new QComboBox(parent);
        combo->setEditable(m_editable);
        combo->addItems(m_choices(index.row()));
        connect(combo, &QComboBox::activated, this, [this, combo] {
            auto* self = const_cast<PickListDelegate*>(this);
            emit self->commitData(combo);
        });
        return combo;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        auto* combo = static_cast<QComboBox*>(editor);
        const QString text = index.data(Qt::EditRole).toString();
        const int at = combo->findText(text);
        if (at >= 0)
            combo->setCurrentIndex(at);
        else if (m_editable)
            combo->setEditText(text);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        model->setData(index, static_cast<QComboBox*>(editor)->currentText(), Qt::EditRole);
    }

private:
    std::function<QStringList(int)> m_choices;
    bool m_editable;
};

// A number cell edited with a spin box; every change is committed at once.
class SpinDelegate : public QStyledItemDelegate {
public:
    SpinDelegate(QString suffix, int decimals, double step, QObject* parent)
        : QStyledItemDelegate(parent), m_suffix(std::move(suffix)), m_decimals(decimals), m_step(step)
    {
    }
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        auto* spin = new QDoubleSpinBox(parent);
        spin->setRange(0, 99999999);
        spin->setDecimals(m_decimals);
        spin->setSingleStep(m_step);
        spin->setSuffix(m_suffix);
        connect(spin, &QDoubleSpinBox::valueChanged, this, [this, spin] {
            auto* self = const_cast<SpinDelegate*>(this);
            emit self->commitData(spin);
        });
        return spin;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        auto* spin = static_cast<QDoubleSpinBox*>(editor);
        const QSignalBlocker block(spin);
        spin->setValue(index.data(Qt::EditRole).toDouble());
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        model->setData(index, static_cast<QDoubleSpinBox*>(editor)->value(), Qt::EditRole);
    }

private:
    QString m_suffix;
    int m_decimals;
    double m_step;
};

} // namespace

// One row per reference, in the order of the reference list.
class ReferencesModel : public QAbstractTableModel {
public:
    ReferencesModel(const RefList& refs, QObject* parent) : QAbstractTableModel(parent), m_refs(refs) {}

    void Reset()
    {
        beginResetModel();
        endResetModel();
    }
    void RowChanged(int row) { emit dataChanged(index(row, 0), index(row, columnCount() - 1)); }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_refs.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 6; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= rowCount())
            return {};
        const TRefLuminaria& ref = *m_refs[std::size_t(index.row())];
        if (role == kSortRole) {
            if (index.column() == 4)
                return double(ref.Data.Efficiency);
            if (index.column() == 5)
                return ref.Quantity;
            return data(index, Qt::DisplayRole).toString().toLower();
        }
        if (role == Qt::TextAlignmentRole && index.column() >= 2)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        if (role != Qt::DisplayRole)
            return {};
        switch (index.column()) {
        case 0:
            return FromCp1252(ref.Data.Reference.View());
        case 1:
            return Lines(LampsWithCountsText(ref.Data));
        case 2:
            return Lines(LampFluxesText(ref.Data, DecimalSeparator()));
        case 3:
            return Lines(LampPowersText(ref.Data));
        case 4:
            return QString::fromStdString(EfficiencyText(ref.Data.Efficiency, DecimalSeparator()));
        default:
            return ref.Quantity;
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        static const char* const titles[] = {"Referência", "Lâmpada", "Fluxo", "Potência", "Rendimento", "Quant."};
        return TLuminDlg::tr(titles[std::clamp(section, 0, 5)]);
    }

private:
    const RefList& m_refs;
};

// The lamp kinds of the reference on the properties page: name (from the lamp
// catalogue or typed), flux, count and power. Counts and powers are shown only.
class LampsModel : public QAbstractTableModel {
public:
    struct Row {
        QString Lamp;
        double Flux = 0;
        int Count = 0;
        int Power = 0;
    };
    using QAbstractTableModel::QAbstractTableModel;

    void Load(const TDadosLuminaria& data)
    {
        beginResetModel();
        m_data = data;
        m_rows.clear();
        for (int k = 0; k < LampRowsOf(data); ++k)
            m_rows.push_back(
                {FromCp1252(data.LampName[k].View()), data.LampFlux[k], data.LampCount[k], data.LampPower[k]});
        endResetModel();
    }
    // Writes the names and fluxes back; counts and powers stay as they are.
    void Store(TDadosLuminaria& data) const
    {
        for (std::size_t k = 0; k < m_rows.size(); ++k) {
            data.LampName[k] = Utf8ToCp1252(m_rows[k].Lamp.toStdString());
            data.LampFlux[k] = m_rows[k].Flux;
        }
    }
    std::vector<LampCatalogueEntry> Catalogue(int row) const { return LampCatalogue(m_data, row); }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_rows.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 4; }
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        Qt::ItemFlags f = QAbstractTableModel::flags(index);
        if (index.column() <= 1)
            f |= Qt::ItemIsEditable;
        return f;
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= rowCount())
            return {};
        const Row& r = m_rows[std::size_t(index.row())];
        if (role == Qt::EditRole) {
            if (index.column() == 0)
                return r.Lamp;
            if (index.column() == 1)
                return r.Flux;
        }
        if (role != Qt::DisplayRole)
            return {};
        switch (index.column()) {
        case 0:
            return r.Lamp;
        case 1:
            return QString::fromStdString(FixedText(r.Flux, 0)) + QStringLiteral(" lm");
        case 2:
            return r.Count;
        default:
            return QString::number(r.Power) + QStringLiteral(" W");
        }
    }
    // A designation from the catalogue also sets its flux.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (!index.isValid() || role != Qt::EditRole || index.row() >= rowCount())
            return false;
        Row& r = m_rows[std::size_t(index.row())];
        if (index.column() == 0) {
            r.Lamp = value.toString().left(40);
            for (const LampCatalogueEntry& e : Catalogue(index.row()))
                if (QString::fromStdString(e.Designation) == r.Lamp)
                    r.Flux = e.Flux;
        } else if (index.column() == 1) {
            r.Flux = value.toDouble();
        } else {
            return false;
        }
        emit dataChanged(this->index(index.row(), 0), this->index(index.row(), 1));
        return true;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        static const char* const titles[] = {"Referência", "Fluxo", "Nº Lâmpadas", "Potência"};
        return TLuminDlg::tr(titles[std::clamp(section, 0, 3)]);
    }

private:
    TDadosLuminaria m_data;
    std::vector<Row> m_rows;
};

// The lamp kinds of the reference on the costs page: lamp, type, ballast (a pick list
// of the ballasts the lamp takes), consumption, lamp price and lamp life.
class CostsModel : public QAbstractTableModel {
public:
    struct Row {
        QString Lamp, Type;
        int Ballast = 0;
        double Consumption = 0, Price = 0, Life = 0;
        std::vector<BallastChoice> Choices;
    };
    using QAbstractTableModel::QAbstractTableModel;

    void Load(const TRefLuminaria& ref)
    {
        beginResetModel();
        m_rows.clear();
        for (int k = 0; k < LampRowsOf(ref.Data); ++k) {
            Row r;
            r.Lamp = FromCp1252(ref.Data.LampName[k].View());
            r.Type = QString::fromStdString(LampTypeName(ref.Costs.LampType[k]));
            r.Ballast = ref.Costs.Ballast[k];
            r.Consumption = Round2(ref.Costs.Consumption[k]);
            r.Price = ref.Costs.LampPrice[k];
            r.Life = ref.Costs.LampLife[k];
            r.Choices = lumivar::BallastChoices(ref.Data, k);
            m_rows.push_back(std::move(r));
        }
        endResetModel();
    }
    void Store(TRefLuminaria& ref) const
    {
        for (std::size_t k = 0; k < m_rows.size(); ++k) {
            ref.Costs.Ballast[k] = std::uint8_t(m_rows[k].Ballast);
            ref.Costs.Consumption[k] = float(m_rows[k].Consumption);
            ref.Costs.LampPrice[k] = float(m_rows[k].Price);
            ref.Costs.LampLife[k] = float(m_rows[k].Life);
        }
    }
    QStringList Choices(int row) const
    {
        QStringList names;
        if (row >= 0 && row < rowCount())
            for (const BallastChoice& c : m_rows[std::size_t(row)].Choices)
                names << QString::fromStdString(c.Name);
        return names;
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_rows.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 6; }
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        Qt::ItemFlags f = QAbstractTableModel::flags(index);
        if (index.column() >= 2)
            f |= Qt::ItemIsEditable;
        return f;
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= rowCount())
            return {};
        const Row& r = m_rows[std::size_t(index.row())];
        if (role == Qt::EditRole) {
            switch (index.column()) {
            case 2:
                return QString::fromStdString(BallastName(r.Ballast));
            case 3:
                return r.Consumption;
            case 4:
                return r.Price;
            case 5:
                return r.Life;
            default:
                break;
            }
        }
        if (role != Qt::DisplayRole)
            return {};
        const std::string sep = DecimalSeparator();
        switch (index.column()) {
        case 0:
            return r.Lamp;
        case 1:
            return r.Type;
        case 2:
            return QString::fromStdString(BallastName(r.Ballast));
        case 3:
            return QString::fromStdString(FixedText(r.Consumption, 2, sep)) + QStringLiteral(" W");
        case 4:
            return QString::fromStdString(MoneyText(r.Price, PriceFormat()));
        default:
            return QString::fromStdString(FixedText(r.Life, 0, sep)) + QStringLiteral(" h");
        }
    }
    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (!index.isValid() || role != Qt::EditRole || index.row() >= rowCount())
            return false;
        Row& r = m_rows[std::size_t(index.row())];
        switch (index.column()) {
        case 2: {
            const auto it = std::find_if(r.Choices.begin(), r.Choices.end(), [&](const BallastChoice& c) {
                return QString::fromStdString(c.Name) == value.toString();
            });
            if (it == r.Choices.end())
                return false;
            r.Ballast = it->Kind;
            r.Consumption = it->Consumption;
            break;
        }
        case 3:
            r.Consumption = Round2(value.toDouble());
            break;
        case 4:
            r.Price = value.toDouble();
            break;
        case 5:
            r.Life = value.toDouble();
            break;
        default:
            return false;
        }
        emit dataChanged(this->index(index.row(), 2), this->index(index.row(), 5));
        return true;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        static const char* const titles[] = {"Lâmpada", "Tipo", "Balastro", "Consumo", "Preço Lamp.", "T. Vida"};
        return TLuminDlg::tr(titles[std::clamp(section, 0, 5)]);
    }

private:
    std::vector<Row> m_rows;
};

// The UGR table laid out as 24 rows of 12 cells: five heading rows (the reflectances
// of ceiling, walls and working plane per column, the two viewing directions), then
// the nineteen room sizes with their ten values.
class UgrModel : public QAbstractTableModel {
public:
    static constexpr int kHeadRows = 5;
    static constexpr int kHeadColumns = 2;

    using QAbstractTableModel::QAbstractTableModel;

    void Load(const UgrTable& table)
    {
        beginResetModel();
        m_table = table;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 24; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 12; }
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return QAbstractTableModel::flags(index) & ~Qt::ItemIsEditable;
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return {};
        const int row = index.row();
        const int column = index.column();
        const bool heading = row < kHeadRows || column < kHeadColumns;
        switch (role) {
        case Qt::DisplayRole:
            return Text(row, column);
        case Qt::TextAlignmentRole:
            return int(Qt::AlignCenter);
        case Qt::BackgroundRole:
            return heading ? QVariant(QToolTip::palette().color(QPalette::ToolTipBase)) : QVariant();
        case Qt::ForegroundRole:
            return heading ? QVariant(QToolTip::palette().color(QPalette::ToolTipText)) : QVariant();
        case Qt::FontRole:
            if (heading) {
                QFont font(QStringLiteral("Tahoma"));
                font.setPointSize(8);
                return font;
            }
            return {};
        default:
            return {};
        }
    }

    // Cells joined into one: (row, column, row span, column span).
    static std::vector<std::array<int, 4>> Spans()
    {
        return {{0, 0, 1, 12}, {1, 0, 1, 2}, {2, 0, 1, 2}, {3, 0, 1, 2}, {4, 0, 1, 2}, {4, 2, 1, 5}, {4, 7, 1, 5}};
    }

private:
    QString Text(int row, int column) const
    {
        static const char* const kRowNames[] = {"Tecto", "Paredes", "Plano Trabalho"};
        static const char* const kReflectances[5][3] = {{"0,7", "0,5", "0,2"},
                                                        {"0,7", "0,3", "0,2"},
                                                        {"0,5", "0,5", "0,2"},
                                                        {"0,5", "0,3", "0,2"},
                                                        {"0,3", "0,3", "0,2"}};
        // Room sizes of the nineteen table rows, X then Y, in multiples of the height H.
        static const char* const kSizes[19][2] = {
            {"2H", "2H"}, {"2H", "3H"},  {"2H", "4H"},  {"2H", "6H"},  {"2H", "8H"},  {"2H", "12H"}, {"4H", "2H"},
            {"4H", "3H"}, {"4H", "4H"},  {"4H", "6H"},  {"4H", "8H"},  {"4H", "12H"}, {"8H", "4H"},  {"8H", "6H"},
            {"8H", "8H"}, {"8H", "12H"}, {"12H", "4H"}, {"12H", "6H"}, {"12H", "8H"}};
        if (row == 0)
            return column == 0 ? TLuminDlg::tr("Índices de Reflexão") : QString();
        if (row <= 3) {
            if (column == 0)
                return TLuminDlg::tr(kRowNames[row - 1]);
            if (column < kHeadColumns)
                return {};
            return QLocale().toString(
                QString::fromLatin1(kReflectances[(column - 2) % 5][row - 1]).replace(',', '.').toDouble(), 'f', 1);
        }
        if (row == 4) {
            if (column == 0)
                return TLuminDlg::tr("Dimensões do espaço");
            if (column == 2)
                return TLuminDlg::tr("Vista transversal à(s) lâmpada(s)");
            if (column == 7)
                return TLuminDlg::tr("Vista longitudinal à(s) lâmpada(s)");
            return {};
        }
        const int tableRow = row - kHeadRows;
        if (column < kHeadColumns)
            return QString::fromLatin1(kSizes[tableRow][column]);
        return QLocale().toString(double(m_table[std::size_t(tableRow)][std::size_t(column - 2)]), 'f', 1);
    }

    UgrTable m_table{};
};

// ---------------------------------------------------------------------------------------

TLuminDlg::TLuminDlg(ProjectDocument& document, TPlanoGrafico* plan, QWidget* parent)
    : QDialog(parent), m_document(document), m_plan(plan)
{
    setObjectName(QStringLiteral("TLuminDlg"));
    pcLuminarias = new QTabWidget(this);
    pcLuminarias->setObjectName(QStringLiteral("pcLuminarias"));
    pcLuminarias->addTab(BuildReferencesPage(), tr("Luminárias"));
    pcLuminarias->addTab(BuildPropertiesPage(), tr("Propriedades"));
    pcLuminarias->addTab(BuildCostsPage(), tr("Custos"));
    pcLuminarias->addTab(BuildPolarPage(), tr("Diag. Polar"));
    pcLuminarias->addTab(BuildUgrPage(), tr("Valores UGR"));
    // The last two pages are reached by their buttons only.
    pcLuminarias->setTabVisible(PagePolar, false);
    pcLuminarias->setTabVisible(PageUgr, false);
    connect(pcLuminarias, &QTabWidget::currentChanged, this, [this](int page) {
        if (m_switching)
            return;
        // A tab clicked by the user: the page is filled as its button would.
        m_switching = true;
        pcLuminarias->setCurrentIndex(PageReferences);
        m_switching = false;
        if (page == PageProperties)
            Properties();
        else if (page == PageCosts)
            Costs();
        UpdateCaption();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pcLuminarias);
    resize(800, 600);

    ChooseFile = [](QWidget* parent) {
        const PreferencesStore& prefs = AppPreferences();
        TLumFichDlg browser(QString::fromStdString(prefs.ApparatusFolder), QString::fromStdString(prefs.ImagesFolder),
                            parent);
        return browser.exec() == QDialog::Accepted ? browser.FileName() : QString();
    };
    PositionList = [](TLuminDlg& dialog) {
        if (!dialog.m_plan)
            return;
        TListaPosLumin list(*dialog.m_plan, &dialog);
        list.exec();
    };

    RefreshRows();
    ShowPage(PageReferences);
}

QWidget* TLuminDlg::BuildReferencesPage()
{
    auto* page = new QWidget;
    m_references = new ReferencesModel(m_document.LuminaireRefs, this);
    m_sorted = new StripedProxy(this);
    m_sorted->setSourceModel(m_references);
    m_sorted->setSortRole(kSortRole);

    dxtlLuminarias = new QTableView(page);
    dxtlLuminarias->setObjectName(QStringLiteral("dxtlLuminarias"));
    dxtlLuminarias->setModel(m_sorted);
    dxtlLuminarias->setSelectionBehavior(QAbstractItemView::SelectRows);
    dxtlLuminarias->setSelectionMode(QAbstractItemView::ExtendedSelection);
    dxtlLuminarias->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dxtlLuminarias->setSortingEnabled(true);
    dxtlLuminarias->sortByColumn(-1, Qt::AscendingOrder); // list order until a header is clicked
    dxtlLuminarias->verticalHeader()->hide();
    dxtlLuminarias->horizontalHeader()->setStretchLastSection(true);
    dxtlLuminarias->setWordWrap(false);
    FitReferenceColumns();
    dxtlLuminarias->viewport()->installEventFilter(this);
    connect(dxtlLuminarias->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TLuminDlg::UpdateButtons);
    auto* gridLabel = new QLabel(tr("&Luminárias"), page);
    gridLabel->setBuddy(dxtlLuminarias);

    AdicionaBtn = Button(page, tr("A&diciona"), "AdicionaBtn");
    RemoveBtn = Button(page, tr("&Remove"), "RemoveBtn");
    PropriedadesBtn = Button(page, tr("&Propriedades"), "PropriedadesBtn");
    CustosBtn = Button(page, tr("&Custos"), "CustosBtn");
    DiagPolarBtn = Button(page, tr("&Diag.  Polar"), "DiagPolarBtn");
    ValoresUgrBtn = Button(page, tr("&Valores  UGR"), "ValoresUgrBtn");
    FichaProdutoBtn = Button(page, tr("&Ficha Produto"), "FichaProdutoBtn");
    // The product sheet needs the report composer, which the program does not have yet.
    FichaProdutoBtn->setEnabled(false);
    FichaProdutoBtn->setToolTip(tr("A ficha de produto ainda não está disponível."));
    CalcAutoBtn = Button(page, tr("Calc.  A&uto..."), "CalcAutoBtn");
    BlocoBtn = Button(page, tr("&Bloco..."), "BlocoBtn");
    ListaBtn = Button(page, tr("Lis&ta de..."), "ListaBtn");
    connect(AdicionaBtn, &QPushButton::clicked, this, &TLuminDlg::Add);
    connect(RemoveBtn, &QPushButton::clicked, this, &TLuminDlg::Remove);
    connect(PropriedadesBtn, &QPushButton::clicked, this, &TLuminDlg::Properties);
    connect(CustosBtn, &QPushButton::clicked, this, &TLuminDlg::Costs);
    connect(DiagPolarBtn, &QPushButton::clicked, this, &TLuminDlg::PolarDiagram);
    connect(ValoresUgrBtn, &QPushButton::clicked, this, &TLuminDlg::UgrValues);
    connect(CalcAutoBtn, &QPushButton::clicked, this, &TLuminDlg::RunAutoCount);
    connect(BlocoBtn, &QPushButton::clicked, this, &TLuminDlg::RunBlock);
    connect(ListaBtn, &QPushButton::clicked, this, &TLuminDlg::RunPositionList);

    OkBtn = Button(page, tr("Ok"), "OkBtn");
    OkBtn->setDefault(true);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    QPushButton* help = Button(page, tr("&Ajuda"), "AjudaBtn");
    MarkHelpPending(help);

    auto* side = new QVBoxLayout;
    for (QPushButton* b :
         {AdicionaBtn, RemoveBtn, PropriedadesBtn, CustosBtn, DiagPolarBtn, ValoresUgrBtn, FichaProdutoBtn})
        side->addWidget(b);
    side->addSpacing(12);
    for (QPushButton* b : {CalcAutoBtn, BlocoBtn, ListaBtn})
        side->addWidget(b);
    side->addStretch(1);
    side->addWidget(OkBtn);
    side->addWidget(help);

    auto* grid = new QGridLayout(page);
    grid->addWidget(gridLabel, 0, 0);
    grid->addWidget(dxtlLuminarias, 1, 0);
    grid->addLayout(side, 1, 1);
    grid->setColumnStretch(0, 1);
    return page;
}

QWidget* TLuminDlg::PageButtons(const char* okName)
{
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch(1);
    QPushButton* ok = Button(box, tr("Ok"), okName);
    QPushButton* cancel = Button(box, tr("Cancela"), (std::string(okName) + "Cancela").c_str());
    row->addWidget(ok);
    row->addWidget(cancel);
    connect(ok, &QPushButton::clicked, this, &TLuminDlg::AcceptPage);
    connect(cancel, &QPushButton::clicked, this, &TLuminDlg::CancelPage);
    return box;
}

QWidget* TLuminDlg::BuildPropertiesPage()
{
    auto* page = new QWidget;
    edReferencia = new QLineEdit(page);
    edReferencia->setObjectName(QStringLiteral("edReferencia"));
    edReferencia->setReadOnly(true);
    edRendimento = new QLineEdit(page);
    edRendimento->setObjectName(QStringLiteral("edRendimento"));
    edRendimento->setReadOnly(true);

    m_lamps = new LampsModel(this);
    dxtlLampadas = new QTableView(page);
    dxtlLampadas->setObjectName(QStringLiteral("dxtlLampadas"));
    dxtlLampadas->setModel(m_lamps);
    dxtlLampadas->verticalHeader()->hide();
    dxtlLampadas->verticalHeader()->setDefaultSectionSize(dxtlLampadas->fontMetrics().height() + 8);
    dxtlLampadas->setEditTriggers(QAbstractItemView::AllEditTriggers);
    dxtlLampadas->setItemDelegateForColumn(
        0, new PickListDelegate([this](int row) { return LampChoices(row); }, true, dxtlLampadas));
    dxtlLampadas->setItemDelegateForColumn(1, new SpinDelegate(QStringLiteral(" lm"), 0, 50, dxtlLampadas));
    dxtlLampadas->setColumnWidth(0, 220);
    dxtlLampadas->horizontalHeader()->setStretchLastSection(true);

    mCaracteristicas = new QPlainTextEdit(page);
    mCaracteristicas->setObjectName(QStringLiteral("mCaracteristicas"));
    mCaracteristicas->setReadOnly(true);
    edProduto1 = new QLineEdit(page);
    edProduto1->setObjectName(QStringLiteral("edProduto1"));
    edProduto1->setReadOnly(true);
    edProduto2 = new QLineEdit(page);
    edProduto2->setObjectName(QStringLiteral("edProduto2"));
    edProduto2->setReadOnly(true);

    auto* form = new QFormLayout;
    form->addRow(tr("Referência"), edReferencia);
    form->addRow(tr("Rendimento"), edRendimento);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addWidget(dxtlLampadas, 1);
    layout->addWidget(new QLabel(tr("Características"), page));
    layout->addWidget(mCaracteristicas, 1);
    layout->addWidget(edProduto1);
    layout->addWidget(edProduto2);
    layout->addWidget(PageButtons("PropOkBtn"));
    return page;
}

QWidget* TLuminDlg::BuildCostsPage()
{
    auto* page = new QWidget;
    eRef2 = new QLineEdit(page);
    eRef2->setObjectName(QStringLiteral("eRef2"));
    eRef2->setReadOnly(true);

    const PreferencesStore& prefs = AppPreferences();
    struct Field {
        const char* Label;
        const char* Unit;
        int Decimals;
        double Step;
    };
    const Field fields[] = {
        {"&Preço da luminária", "( € )", prefs.PriceDecimals, 25},
        {"Custo de &Montagem", "( € )", prefs.PriceDecimals, 25},
        {"&Energia Eléctrica", "( € )", prefs.EnergyPriceDecimals, 25},
        {"&Utilização Anual", "( h )", 0, 1},
        {"L&impeza", "( € )", prefs.PriceDecimals, 25},
        {"&Substituição", "( € )", prefs.PriceDecimals, 25},
    };
    auto* form = new QGridLayout;
    form->addWidget(new QLabel(tr("Referência"), page), 0, 0);
    form->addWidget(eRef2, 0, 1, 1, 3);
    for (int i = 0; i < 6; ++i) {
        auto* spin = new QDoubleSpinBox(page);
        spin->setObjectName(QStringLiteral("neCustos%1").arg(i));
        spin->setRange(0, 99999999);
        spin->setDecimals(fields[i].Decimals);
        spin->setSingleStep(fields[i].Step);
        neCustos[std::size_t(i)] = spin;
        auto* label = new QLabel(tr(fields[i].Label) + QStringLiteral("  ") + QString::fromUtf8(fields[i].Unit), page);
        label->setBuddy(spin);
        const int row = 1 + i % 3;
        const int column = (i / 3) * 2;
        form->addWidget(label, row, column);
        form->addWidget(spin, row, column + 1);
    }

    m_costs = new CostsModel(this);
    dxtlCustos = new QTableView(page);
    dxtlCustos->setObjectName(QStringLiteral("dxtlCustos"));
    dxtlCustos->setModel(m_costs);
    dxtlCustos->verticalHeader()->hide();
    dxtlCustos->verticalHeader()->setDefaultSectionSize(dxtlCustos->fontMetrics().height() + 8);
    dxtlCustos->setEditTriggers(QAbstractItemView::AllEditTriggers);
    dxtlCustos->setItemDelegateForColumn(
        2, new PickListDelegate([this](int row) { return BallastChoices(row); }, false, dxtlCustos));
    dxtlCustos->setItemDelegateForColumn(3, new SpinDelegate(QStringLiteral(" W"), 2, 1, dxtlCustos));
    dxtlCustos->setItemDelegateForColumn(
        4, new SpinDelegate(QStringLiteral(" ") + QString::fromStdString(MoneyFormat{}.CurrencySymbol),
                            prefs.PriceDecimals, 1, dxtlCustos));
    dxtlCustos->setItemDelegateForColumn(5, new SpinDelegate(QStringLiteral(" h"), 0, 500, dxtlCustos));
    dxtlCustos->setColumnWidth(0, 180);
    dxtlCustos->horizontalHeader()->setStretchLastSection(true);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addWidget(dxtlCustos, 1);
    layout->addWidget(PageButtons("CustosOkBtn"));
    return page;
}

QWidget* TLuminDlg::BuildPolarPage()
{
    auto* page = new QWidget;
    lbRefPolar = new QLabel(page);
    lbRefPolar->setObjectName(QStringLiteral("lbRefPolar"));
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("Ref."), page));
    top->addWidget(lbRefPolar, 1);
    dgPolar = new DiagPolarWidget(page);
    dgPolar->setObjectName(QStringLiteral("dgPolar"));
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(dgPolar, 1);
    layout->addWidget(PageButtons("PolarOkBtn"));
    return page;
}

QWidget* TLuminDlg::BuildUgrPage()
{
    auto* page = new QWidget;
    m_ugr = new UgrModel(this);
    sgUGR = new QTableView(page);
    sgUGR->setObjectName(QStringLiteral("sgUGR"));
    sgUGR->setModel(m_ugr);
    sgUGR->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgUGR->setSelectionMode(QAbstractItemView::NoSelection);
    sgUGR->horizontalHeader()->hide();
    sgUGR->verticalHeader()->hide();
    sgUGR->verticalHeader()->setMinimumSectionSize(12);
    sgUGR->verticalHeader()->setDefaultSectionSize(sgUGR->fontMetrics().height() + 2);
    sgUGR->setColumnWidth(0, 72);
    sgUGR->setColumnWidth(1, 72);
    for (int c = 2; c < 12; ++c)
        sgUGR->setColumnWidth(c, 52);
    for (const auto& s : UgrModel::Spans())
        sgUGR->setSpan(s[0], s[1], s[2], s[3]);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(sgUGR, 1);
    layout->addWidget(PageButtons("UgrOkBtn"));
    return page;
}

// ---------------------------------------------------------------------------------------

int TLuminDlg::CurrentPage() const
{
    return pcLuminarias->currentIndex();
}

void TLuminDlg::ShowPage(int page)
{
    m_switching = true;
    pcLuminarias->setCurrentIndex(page);
    m_switching = false;
    // While a page other than the first is open, its own "Ok" or "Cancela" leads back.
    for (int p = PageReferences; p <= PageCosts; ++p)
        pcLuminarias->setTabEnabled(p, page == PageReferences || p == page);
    UpdateCaption();
    UpdateButtons();
}

void TLuminDlg::UpdateCaption()
{
    static const char* const captions[] = {"Referências de Luminárias", "Propriedades da Luminária",
                                           "Custos da Luminária", "Diagrama Polar", "Valores UGR corrigidos"};
    setWindowTitle(tr(captions[std::clamp(CurrentPage(), 0, 4)]));
}

std::vector<std::size_t> TLuminDlg::SelectedReferences() const
{
    std::vector<std::size_t> refs;
    for (const QModelIndex& row : dxtlLuminarias->selectionModel()->selectedRows())
        refs.push_back(std::size_t(m_sorted->mapToSource(row).row()));
    std::sort(refs.begin(), refs.end());
    return refs;
}

std::size_t TLuminDlg::ReferenceAtRow(int row) const
{
    return std::size_t(m_sorted->mapToSource(m_sorted->index(row, 0)).row());
}

void TLuminDlg::SelectReference(std::size_t index)
{
    const QModelIndex at = m_sorted->mapFromSource(m_references->index(int(index), 0));
    if (!at.isValid())
        return;
    dxtlLuminarias->selectionModel()->setCurrentIndex(at,
                                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    dxtlLuminarias->scrollTo(at);
}

bool TLuminDlg::SingleSelection(std::size_t& index) const
{
    const std::vector<std::size_t> refs = SelectedReferences();
    if (refs.size() != 1 || refs[0] >= m_document.LuminaireRefs.size())
        return false;
    index = refs[0];
    return true;
}

void TLuminDlg::UpdateButtons()
{
    const std::size_t count = SelectedReferences().size();
    std::size_t one = 0;
    const bool single = SingleSelection(one);
    RemoveBtn->setEnabled(count >= 1);
    PropriedadesBtn->setEnabled(single);
    CustosBtn->setEnabled(single);
    DiagPolarBtn->setEnabled(single);
    ValoresUgrBtn->setEnabled(single && HasUgrValues(m_document.LuminaireRefs[one]->UGRTable));
    CalcAutoBtn->setEnabled(bool(AutoCount));
    BlocoBtn->setEnabled(bool(Block));
    ListaBtn->setEnabled(bool(PositionList));
}

void TLuminDlg::RefreshRows()
{
    const std::vector<std::size_t> selected = SelectedReferences();
    m_references->Reset();
    for (std::size_t index : selected)
        if (index < m_document.LuminaireRefs.size())
            dxtlLuminarias->selectionModel()->select(m_sorted->mapFromSource(m_references->index(int(index), 0)),
                                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    dxtlLuminarias->resizeRowsToContents();
    FitReferenceColumns();
    UpdateButtons();
}

void TLuminDlg::FitReferenceColumns()
{
    // The widths below are minimums; a column grows to its heading and to its longest
    // text, so that a long reference name or an efficiency stays readable. The last
    // column takes whatever room is left. Headings are measured by their text (with
    // the header's padding) rather than by the header's own hint, which reserves room
    // for a sort arrow in every column and would push "Quant." out of sight.
    static constexpr int kMinimumWidths[] = {150, 110, 60, 60, 70, 50};
    const QAbstractItemView* cells = dxtlLuminarias; // the table view hides its column size hint
    QFont headingFont = dxtlLuminarias->horizontalHeader()->font();
    headingFont.setBold(true); // the heading of a selected column is drawn in bold
    const QFontMetrics headings(headingFont);
    const int padding = 4 * dxtlLuminarias->style()->pixelMetric(QStyle::PM_HeaderMargin);
    const QAbstractItemModel* model = dxtlLuminarias->model();
    for (int c = 0; c < 6; ++c) {
        const int heading = headings.horizontalAdvance(model->headerData(c, Qt::Horizontal).toString()) + padding;
        const int cellsWidth = c < 5 ? cells->sizeHintForColumn(c) : 0;
        dxtlLuminarias->setColumnWidth(c, std::max({kMinimumWidths[c], cellsWidth, heading}));
    }
}

bool TLuminDlg::eventFilter(QObject* watched, QEvent* event)
{
    // Double click: the properties of the selected row, or a new reference when none is
    // selected.
    if (watched == dxtlLuminarias->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const QModelIndex at = dxtlLuminarias->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (at.isValid())
            dxtlLuminarias->selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect |
                                                                      QItemSelectionModel::Rows);
        const std::size_t count = SelectedReferences().size();
        if (count == 1)
            Properties();
        else if (count == 0)
            Add();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------
// Commands

void TLuminDlg::Add()
{
    if (!ChooseFile)
        return;
    const QString file = ChooseFile(this);
    if (!file.isEmpty())
        AddFile(file);
}

bool TLuminDlg::AddFile(const QString& file)
{
    const Result<std::size_t> added =
        AddReferenceFromFile(m_document.LuminaireRefs, std::filesystem::path(file.toStdU16String()));
    if (!added) {
        QApplication::beep();
        QMessageBox::critical(this, windowTitle(), QString::fromStdString(added.Message()));
        return false;
    }
    m_changed = true;
    RefreshRows();
    SelectReference(*added);
    return true;
}

void TLuminDlg::Remove()
{
    const std::vector<std::size_t> selected = SelectedReferences();
    if (selected.empty())
        return;
    const auto answer =
        QMessageBox::question(this, windowTitle(),
                              tr("Deseja mesmo apagar esta(s) Luminária(s) ? ") + QLatin1Char('\n') +
                                  tr("Verifique muito bem a sua escolha!"),
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    dxtlLuminarias->clearSelection();
    RemoveReferences(m_document, selected);
    m_changed = true;
    if (m_plan)
        m_plan->ReloadLuminaires();
    RefreshRows();
}

void TLuminDlg::Properties()
{
    if (!SingleSelection(m_editing))
        return;
    const TRefLuminaria& ref = *m_document.LuminaireRefs[m_editing];
    edReferencia->setText(FromCp1252(ref.Data.Reference.View()));
    edRendimento->setText(QString::fromStdString(EfficiencyText(ref.Data.Efficiency, DecimalSeparator())));
    m_lamps->Load(ref.Data);
    QStringList lines;
    for (const std::string& line : PropertiesCharacteristicsLines(ref.Data))
        lines << QString::fromStdString(line);
    mCaracteristicas->setPlainText(lines.join(QLatin1Char('\n')));
    // The two lines come from the reference's block of the program's catalogue; without
    // a block both stay empty.
    const Result<RtfText> block =
        AppDescriptionCatalogue().Block(DescriptionCatalogue::KeyOf(Cp1252ToUtf8(ref.Data.Reference.View())));
    const std::array<std::string, 2> product = ProductCatalogueLines(block ? block->Text : std::string());
    edProduto1->setText(QString::fromStdString(product[0]));
    edProduto2->setText(QString::fromStdString(product[1]));
    ShowPage(PageProperties);
}

void TLuminDlg::Costs()
{
    if (!SingleSelection(m_editing))
        return;
    const TRefLuminaria& ref = *m_document.LuminaireRefs[m_editing];
    eRef2->setText(FromCp1252(ref.Data.Reference.View()));
    const TCustosLuminaria& c = ref.Costs;
    const float values[] = {c.LuminairePrice, c.InstallCost,  c.EnergyPrice,
                            c.AnnualUse,      c.CleaningCost, c.ReplacementCost};
    for (std::size_t i = 0; i < neCustos.size(); ++i)
        neCustos[i]->setValue(values[i]);
    m_costs->Load(ref);
    ShowPage(PageCosts);
}

void TLuminDlg::PolarDiagram()
{
    if (!SingleSelection(m_editing))
        return;
    const TRefLuminaria& ref = *m_document.LuminaireRefs[m_editing];
    lbRefPolar->setText(FromCp1252(ref.Data.Reference.View()));
    dgPolar->SetReference(ref);
    ShowPage(PagePolar);
}

void TLuminDlg::UgrValues()
{
    if (!SingleSelection(m_editing) || !HasUgrValues(m_document.LuminaireRefs[m_editing]->UGRTable))
        return;
    m_ugr->Load(m_document.LuminaireRefs[m_editing]->UGRTable);
    ShowPage(PageUgr);
}

void TLuminDlg::RunAutoCount()
{
    if (AutoCount && AutoCount(*this)) {
        m_changed = true;
        RefreshRows();
    }
}

void TLuminDlg::RunBlock()
{
    if (Block && Block(*this)) {
        m_changed = true;
        RefreshRows();
    }
}

void TLuminDlg::RunPositionList()
{
    if (PositionList)
        PositionList(*this);
}

void TLuminDlg::AcceptPage()
{
    const int page = CurrentPage();
    if (m_editing < m_document.LuminaireRefs.size()) {
        TRefLuminaria& ref = *m_document.LuminaireRefs[m_editing];
        if (page == PageProperties) {
            m_lamps->Store(ref.Data);
            m_references->RowChanged(int(m_editing));
            m_changed = true;
        } else if (page == PageCosts) {
            const TCustosLuminaria before = ref.Costs;
            TCustosLuminaria& c = ref.Costs;
            float* fields[] = {&c.LuminairePrice, &c.InstallCost,  &c.EnergyPrice,
                               &c.AnnualUse,      &c.CleaningCost, &c.ReplacementCost};
            for (std::size_t i = 0; i < neCustos.size(); ++i)
                *fields[i] = float(neCustos[i]->value());
            m_costs->Store(ref);
            // Costs are saved with the project: a change must not be lost on closing it.
            if (!(before == c)) {
                m_costsChanged = true;
                m_document.Modified = true;
            }
        }
    }
    ShowPage(PageReferences);
}

void TLuminDlg::CancelPage()
{
    ShowPage(PageReferences);
}

void TLuminDlg::reject()
{
    if (CurrentPage() != PageReferences) {
        CancelPage();
        return;
    }
    QDialog::reject();
}

QStringList TLuminDlg::LampChoices(int row) const
{
    QStringList names;
    for (const LampCatalogueEntry& e : m_lamps->Catalogue(row))
        names << QString::fromStdString(e.Designation);
    return names;
}

void TLuminDlg::PickLamp(int row, const QString& designation)
{
    m_lamps->setData(m_lamps->index(row, 0), designation, Qt::EditRole);
}

QStringList TLuminDlg::BallastChoices(int row) const
{
    return m_costs->Choices(row);
}

void TLuminDlg::PickBallast(int row, const QString& name)
{
    m_costs->setData(m_costs->index(row, 2), name, Qt::EditRole);
}

} // namespace lumivar
