#pragma once
// The luminaire file browser: a folder tree rooted at the photometric data folder, the
// files of the chosen folder, and for the chosen file its description, its lamps and
// the luminaire's picture. Its result is the full name of the chosen file.

#include <QDialog>
#include <QString>

#include <filesystem>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class QTreeWidget;
class QTreeWidgetItem;

namespace lumivar {

class BrowserFilesModel;
class BrowserLampsModel;

class TLumFichDlg : public QDialog {
    Q_OBJECT

public:
    // dataFolder: the photometric data files; pictureFolder: the luminaire pictures.
    TLumFichDlg(const QString& dataFolder, const QString& pictureFolder, QWidget* parent = nullptr);

    // The file read for the chosen name (folder, name, ".BDB" when it has none); empty
    // before a file is chosen.
    QString FileName() const { return m_fileName; }

    // The error met reading the data folder ("O directório não foi encontrado ..."),
    // shown once the dialog appears; empty when none.
    QString FolderError() const { return m_folderError; }

    // Lists a folder's files and clears the description, lamps and picture.
    void ChooseFolder(const QString& folder);
    // Chooses a file of the current folder by name: reads its description and shows it
    // with its lamps and picture.
    void ChooseFile(const QString& name);

    QString DescriptionText() const;
    int LampRows() const;
    // Whether a picture is shown (the picture box has its size).
    bool PictureShown() const;
    QString CurrentFolder() const { return m_folder; }

    QTreeWidget* tvFamilia = nullptr;
    QTableView* lvReferencia = nullptr;
    QPlainTextEdit* mDescricao = nullptr;
    QLabel* imLuminaria = nullptr;
    QTableView* dxLampadas = nullptr;
    QPushButton* OkBtn = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FillChildren(QTreeWidgetItem* item);
    void ShowPicture(const std::filesystem::path& file);
    void HidePicture();

    QString m_pictureFolder;
    QString m_folder;
    QString m_fileName;
    QString m_folderError;
    bool m_errorShown = false;
    QString m_loadedPicture; // the picture file shown, empty when none
    QSize m_pictureSize;
    BrowserFilesModel* m_files = nullptr; // owned by the dialog
    BrowserLampsModel* m_lamps = nullptr; // owned by the dialog
};

} // namespace lumivar
