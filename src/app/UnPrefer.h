#pragma once
// The Preferences dialog: folders and report customisation, the values of a new
// project, calculation and result grids, and the default report sheets. It edits a
// preferences store; "Ok" copies every field into it, "Cancela" and Esc change nothing.

#include "app/PreferencePresets.h"
#include "app/PreferencesStore.h"

#include <QDialog>

#include <array>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QDoubleSpinBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QWidget;

namespace lumivar {

class TPreferenciasDlg : public QDialog {
    Q_OBJECT

public:
    // Asks for a folder: parent, window title, prompt, the folder to start in. Returns
    // the chosen folder, or an empty text when the user cancels.
    using FolderPicker =
        std::function<QString(QWidget* parent, const QString& title, const QString& prompt, const QString& start)>;

    // `store` is not owned and must outlive the dialog.
    explicit TPreferenciasDlg(PreferencesStore& store, QWidget* parent = nullptr);

    // Shows the dialog modally; true when the user pressed "Ok" and `store` took the
    // edited values. The caller redraws what depends on a changed value (the plan pages
    // when DimensionMinimum changed).
    static bool Edit(PreferencesStore& store, QWidget* parent = nullptr);

    // Replaces the folder browser behind the "Localizar" buttons.
    void SetFolderPicker(FolderPicker picker) { m_pickFolder = std::move(picker); }

    void accept() override;

private:
    QWidget* BuildOptionsPage();
    QWidget* BuildProjectPage();
    QWidget* BuildCalculationPage();
    QWidget* BuildReportsPage();
    QButtonGroup* QualityGroup(QWidget* box, const char* name, QSpinBox* x, QSpinBox* y, int kind);

    void ShowStore();
    void CopyToStore();
    void ChooseFolder(QLineEdit* edit, const QString& prompt);
    void ReportTypeChosen(int type);
    void SheetToggled(QListWidgetItem* item);
    void SetAllSheets(bool selected);
    void SelectCustomReport();
    void ShowSheets();
    void RegisterFileTypeNow();

    PreferencesStore& m_store;
    std::array<bool, kReportSheetFlags> m_sheets{};
    bool m_updating = false; // set while the dialog itself fills fields
    FolderPicker m_pickFolder;

    QLineEdit* m_apparatusFolder = nullptr;
    QLineEdit* m_projectsFolder = nullptr;
    QLineEdit* m_imagesFolder = nullptr;
    QCheckBox* m_showLogo = nullptr;
    QPlainTextEdit* m_pageEndLines = nullptr;

    QSpinBox* m_illuminance = nullptr;
    QDoubleSpinBox* m_maintenanceFactor = nullptr;
    std::array<QSpinBox*, 6> m_reflectance{}; // walls A..D, ceiling, working plane
    QDoubleSpinBox* m_dimensionMinimum = nullptr;

    std::array<QSpinBox*, 6> m_gridDivisions{}; // plane x, y; walls x, y; ceiling x, y
    QButtonGroup* m_valuesQuality = nullptr;
    QSpinBox* m_valuesX = nullptr;
    QSpinBox* m_valuesY = nullptr;
    QButtonGroup* m_tonesQuality = nullptr;
    QSpinBox* m_tonesX = nullptr;
    QSpinBox* m_tonesY = nullptr;
    QSpinBox* m_chart3DX = nullptr;
    QSpinBox* m_chart3DY = nullptr;

    QListWidget* m_sheetList = nullptr;
    QButtonGroup* m_reportType = nullptr;
};

} // namespace lumivar
