#include "photometry/LumFichDlg.h"

#include "base/TextEncoding.h"
#include "calc/DialogButtons.h"
#include "photometry/LuminaireTexts.h"
#include "photometry/PhotometryFile.h"
#include "photometry/ReferenceListEdit.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTreeWidget>

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <vector>

namespace lumivar {
namespace {

constexpr int kPathRole = Qt::UserRole + 1;

std::filesystem::path ToPath(const QString& text)
{
    return std::filesystem::path(text.toStdU16String());
}

QString FromPath(const std::filesystem::path& path)
{
    return QString::fromStdU16String(path.u16string());
}

QString FromCp1252(std::string_view text)
{
    return QString::fromStdString(Cp1252ToUtf8(text));
}

// The message for an error met reading a folder.
QString FolderErrorText(const std::error_code& ec, const QString& folder)
{
    if (ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory)
        return QObject::tr("O directório não foi encontrado %1").arg(folder);
#ifdef ENOMEDIUM
    if (ec.value() == ENOMEDIUM)
        return QObject::tr("A Drive não se encontra preparada!");
#endif
    return QObject::tr("Ocorreu um erro de I/O: %1").arg(ec.value());
}

// Whether a folder has at least one sub-folder (errors read as none).
bool HasSubfolders(const std::filesystem::path& folder)
{
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_directory(ec))
            return true;
    return false;
}

// The designed column widths are minimums: a column grows to its heading and to the
// widest text it holds, so that fluxes, bases and file types stay readable whatever
// the screen font.
void WidenColumns(QTableView* view, const int* designed, int count)
{
    const QAbstractItemView* cells = view; // the table view hides its column size hint
    QHeaderView* header = view->horizontalHeader();
    for (int c = 0; c < count; ++c)
        view->setColumnWidth(c, std::max({designed[c], cells->sizeHintForColumn(c), header->sectionSizeHint(c)}));
}

constexpr int kFileColumnWidths[] = {180, 75, 77};
constexpr int kLampColumnWidths[] = {160, 50, 50, 70, 68};

} // namespace

// The files of one folder: name, size in bytes and kind, sorted by name.
class BrowserFilesModel : public QAbstractTableModel {
public:
    struct Entry {
        QString Name;
        qulonglong Bytes = 0;
        QString Kind;
    };

    using QAbstractTableModel::QAbstractTableModel;

    // Lists a folder; returns the error met, if any.
    std::error_code List(const std::filesystem::path& folder)
    {
        beginResetModel();
        m_entries.clear();
        std::error_code ec;
        for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            std::error_code fileError;
            if (!it->is_regular_file(fileError))
                continue;
            Entry e;
            e.Name = FromPath(it->path().filename());
            e.Bytes = it->file_size(fileError);
            const QString extension = FromPath(it->path().extension()).mid(1).toUpper();
            e.Kind = extension.isEmpty() ? QObject::tr("Ficheiro") : QObject::tr("Ficheiro %1").arg(extension);
            m_entries.push_back(e);
        }
        std::sort(m_entries.begin(), m_entries.end(),
                  [](const Entry& a, const Entry& b) { return a.Name.compare(b.Name, Qt::CaseInsensitive) < 0; });
        endResetModel();
        return ec;
    }
    void Clear()
    {
        beginResetModel();
        m_entries.clear();
        endResetModel();
    }
    const Entry& At(int row) const { return m_entries[std::size_t(row)]; }
    int Find(const QString& name) const
    {
        for (std::size_t i = 0; i < m_entries.size(); ++i)
            if (m_entries[i].Name == name)
                return int(i);
        return -1;
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_entries.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 3; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= rowCount())
            return {};
        const Entry& e = At(index.row());
        if (role == Qt::DisplayRole) {
            switch (index.column()) {
            case 0:
                return e.Name;
            case 1:
                return QString::number(e.Bytes);
            default:
                return e.Kind;
            }
        }
        if (role == Qt::TextAlignmentRole && index.column() == 1)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        switch (section) {
        case 0:
            return QObject::tr("Nome");
        case 1:
            return QObject::tr("bytes");
        default:
            return QObject::tr("Tipo");
        }
    }

private:
    std::vector<Entry> m_entries;
};

// The lamp kinds of the chosen file: lamp and count, flux, power, base, efficiency.
class BrowserLampsModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void Show(const TDadosLuminaria& data)
    {
        beginResetModel();
        m_rows.clear();
        const int kinds = std::max(1, data.KindsInUse());
        for (int k = 0; k < kinds; ++k) {
            QString lamp = FromCp1252(data.LampName[k].View()) + QStringLiteral("   x ");
            lamp = lamp.left(45) + QString::number(data.LampCount[k]);
            m_rows.push_back(
                {lamp, QString::fromStdString(FixedText(data.LampFlux[k], 0, ".")) + QStringLiteral(" lm"),
                 QString::number(data.LampPower[k]) + QStringLiteral(" W"), FromCp1252(data.LampBase[k].View()),
                 QString::fromStdString(EfficiencyText(data.Efficiency, QLocale().decimalPoint().toStdString()))});
        }
        endResetModel();
    }
    void Clear()
    {
        beginResetModel();
        m_rows.clear();
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_rows.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 5; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole)
            return {};
        return m_rows[std::size_t(index.row())][std::size_t(index.column())];
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        static const char* const titles[] = {"Lampada", "Fluxo", "Potência", "Base", "Rendimento"};
        return QObject::tr(titles[std::clamp(section, 0, 4)]);
    }

private:
    std::vector<std::array<QString, 5>> m_rows;
};

TLumFichDlg::TLumFichDlg(const QString& dataFolder, const QString& pictureFolder, QWidget* parent)
    : QDialog(parent), m_pictureFolder(pictureFolder)
{
    setWindowTitle(tr("Luminárias"));
    setObjectName(QStringLiteral("TLumFichDlg"));

    tvFamilia = new QTreeWidget(this);
    tvFamilia->setObjectName(QStringLiteral("tvFamilia"));
    tvFamilia->setHeaderHidden(true);
    auto* familyLabel = new QLabel(tr("&Família"), this);
    familyLabel->setBuddy(tvFamilia);

    m_files = new BrowserFilesModel(this);
    lvReferencia = new QTableView(this);
    lvReferencia->setObjectName(QStringLiteral("lvReferencia"));
    lvReferencia->setModel(m_files);
    lvReferencia->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvReferencia->setSelectionMode(QAbstractItemView::SingleSelection);
    lvReferencia->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvReferencia->verticalHeader()->hide();
    lvReferencia->setShowGrid(false);
    lvReferencia->setWordWrap(false);
    lvReferencia->verticalHeader()->setDefaultSectionSize(lvReferencia->fontMetrics().height() + 4);
    WidenColumns(lvReferencia, kFileColumnWidths, 3);
    auto* fileLabel = new QLabel(tr("&Referência"), this);
    fileLabel->setBuddy(lvReferencia);

    mDescricao = new QPlainTextEdit(this);
    mDescricao->setObjectName(QStringLiteral("mDescricao"));
    mDescricao->setReadOnly(true);

    imLuminaria = new QLabel(this);
    imLuminaria->setObjectName(QStringLiteral("imLuminaria"));
    imLuminaria->setScaledContents(true);
    m_pictureSize = QSize(160, 120);
    HidePicture();

    m_lamps = new BrowserLampsModel(this);
    dxLampadas = new QTableView(this);
    dxLampadas->setObjectName(QStringLiteral("dxLampadas"));
    dxLampadas->setModel(m_lamps);
    dxLampadas->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dxLampadas->verticalHeader()->hide();
    dxLampadas->setWordWrap(false);
    dxLampadas->verticalHeader()->setDefaultSectionSize(dxLampadas->fontMetrics().height() + 6);
    WidenColumns(dxLampadas, kLampColumnWidths, 5);
    dxLampadas->setMinimumHeight(90);

    auto* buttons = new QDialogButtonBox(this);
    OkBtn = buttons->addButton(tr("Ok"), QDialogButtonBox::AcceptRole);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setDefault(true);
    QPushButton* cancel = buttons->addButton(tr("Cancela"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelaBtn"));
    QPushButton* help = buttons->addButton(tr("&Ajuda"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("AjudaBtn"));
    MarkHelpPending(help);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(familyLabel, 0, 0);
    grid->addWidget(fileLabel, 0, 1);
    grid->addWidget(tvFamilia, 1, 0, 2, 1);
    grid->addWidget(lvReferencia, 1, 1);
    auto* detail = new QHBoxLayout;
    detail->addWidget(mDescricao, 1);
    detail->addWidget(imLuminaria, 0, Qt::AlignTop);
    grid->addLayout(detail, 2, 1);
    grid->addWidget(dxLampadas, 3, 0, 1, 2);
    grid->addWidget(buttons, 4, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 2);
    resize(760, 560);

    connect(tvFamilia, &QTreeWidget::itemExpanded, this, &TLumFichDlg::FillChildren);
    connect(tvFamilia, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item)
            ChooseFolder(item->data(0, kPathRole).toString());
    });
    connect(lvReferencia->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    ChooseFile(m_files->At(current.row()).Name);
            });
    connect(lvReferencia, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) {
            ChooseFile(m_files->At(index.row()).Name);
            accept();
        }
    });

    // The tree starts at the data folder, its node expanded.
    const std::filesystem::path root = ToPath(dataFolder);
    std::error_code ec;
    if (!std::filesystem::is_directory(root, ec)) {
        if (!ec)
            ec = std::make_error_code(std::errc::no_such_file_or_directory);
        m_folderError = FolderErrorText(ec, dataFolder);
        return;
    }
    QString title = FromPath(root.filename());
    if (title.isEmpty())
        title = FromPath(root.parent_path().filename());
    auto* top = new QTreeWidgetItem(tvFamilia, QStringList{title.isEmpty() ? dataFolder : title});
    top->setData(0, kPathRole, dataFolder);
    if (HasSubfolders(root))
        new QTreeWidgetItem(top); // placeholder until expanded
    top->setExpanded(true);
    tvFamilia->setCurrentItem(top);
}

void TLumFichDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_folderError.isEmpty() && !m_errorShown) {
        m_errorShown = true;
        const QString message = m_folderError;
        QMetaObject::invokeMethod(
            this,
            [this, message] {
                QApplication::beep();
                QMessageBox::critical(this, windowTitle(), message);
            },
            Qt::QueuedConnection);
    }
}

void TLumFichDlg::FillChildren(QTreeWidgetItem* item)
{
    // Replaces the placeholder with the folder's sub-folders, each marked expandable
    // when it has sub-folders of its own.
    if (item->childCount() != 1 || !item->child(0)->data(0, kPathRole).isNull())
        return;
    delete item->takeChild(0);
    const std::filesystem::path folder = ToPath(item->data(0, kPathRole).toString());
    std::vector<std::filesystem::path> subfolders;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_directory(ec))
            subfolders.push_back(it->path());
    std::sort(subfolders.begin(), subfolders.end());
    for (const auto& sub : subfolders) {
        auto* child = new QTreeWidgetItem(item, QStringList{FromPath(sub.filename())});
        child->setData(0, kPathRole, FromPath(sub));
        if (HasSubfolders(sub))
            new QTreeWidgetItem(child);
    }
}

void TLumFichDlg::ChooseFolder(const QString& folder)
{
    m_folder = folder;
    m_fileName.clear();
    mDescricao->clear();
    m_lamps->Clear();
    HidePicture();
    const std::error_code ec = m_files->List(ToPath(folder));
    if (ec) {
        QApplication::beep();
        QMessageBox::critical(this, windowTitle(), FolderErrorText(ec, folder));
    }
    WidenColumns(lvReferencia, kFileColumnWidths, 3);
}

void TLumFichDlg::ChooseFile(const QString& name)
{
    const std::filesystem::path file = BrowserFilePath(ToPath(m_folder), name.toStdString());
    m_fileName = FromPath(file);
    Result<PhotometryDescription> read = ReadDescriptionFile(file);
    if (read) {
        QStringList lines;
        for (const std::string& line : BrowserDescriptionLines(read->Data))
            lines << QString::fromStdString(line);
        mDescricao->setPlainText(lines.join(QLatin1Char('\n')));
        m_lamps->Show(read->Data);
        WidenColumns(dxLampadas, kLampColumnWidths, 5);
    } else {
        mDescricao->setPlainText(tr("Erro ao ler a referência!") + QLatin1Char('\n') + m_fileName);
        m_lamps->Clear();
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ShowPicture(file);
    QApplication::restoreOverrideCursor();
}

void TLumFichDlg::ShowPicture(const std::filesystem::path& file)
{
    const std::string picture = PictureFileName(FromPath(file.filename()).toStdString(), ".jpg");
    const QString path = QDir(m_pictureFolder).filePath(QString::fromStdString(picture));
    std::error_code ec;
    if (m_pictureFolder.isEmpty() || !std::filesystem::is_regular_file(ToPath(path), ec)) {
        HidePicture();
        return;
    }
    imLuminaria->setFixedSize(m_pictureSize);
    if (path == m_loadedPicture)
        return;
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull()) {
        HidePicture();
        return;
    }
    imLuminaria->setPixmap(QPixmap::fromImage(image));
    m_loadedPicture = path;
}

void TLumFichDlg::HidePicture()
{
    imLuminaria->setFixedSize(0, 0);
    imLuminaria->clear();
    m_loadedPicture.clear();
}

QString TLumFichDlg::DescriptionText() const
{
    return mDescricao->toPlainText();
}

int TLumFichDlg::LampRows() const
{
    return m_lamps->rowCount();
}

bool TLumFichDlg::PictureShown() const
{
    return imLuminaria->width() > 0 && !m_loadedPicture.isEmpty();
}

} // namespace lumivar
