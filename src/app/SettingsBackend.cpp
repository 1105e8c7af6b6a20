#include "app/SettingsBackend.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QStringList>

namespace lumivar {
namespace {

QString Key(const std::string& section, const std::string& name)
{
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(name);
}

std::string FolderText(const QString& folder)
{
    return QDir::toNativeSeparators(folder).toStdString();
}

} // namespace

SettingsBackend::SettingsBackend()
{
#ifdef Q_OS_WIN
    m_settings =
        std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\Lumivar3.1"), QSettings::NativeFormat);
#else
    m_settings = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Lumivar"),
                                             QStringLiteral("Lumivar3.1"));
#endif
}

SettingsBackend::SettingsBackend(const QString& iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

SettingsBackend::~SettingsBackend() = default;

std::optional<std::string> SettingsBackend::ReadText(const std::string& section, const std::string& name) const
{
    const QVariant v = m_settings->value(Key(section, name));
    if (!v.isValid())
        return std::nullopt;
    // A hand-edited INI line with unquoted commas reads as a list; its text is what was meant.
    if (v.metaType().id() == QMetaType::QStringList)
        return v.toStringList().join(QStringLiteral(", ")).toStdString();
    return v.toString().toStdString();
}

void SettingsBackend::WriteText(const std::string& section, const std::string& name, const std::string& value)
{
    m_settings->setValue(Key(section, name), QString::fromStdString(value));
}

bool SettingsBackend::Sync()
{
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

PreferencesLocations CurrentPreferencesLocations()
{
    return {FolderText(QCoreApplication::applicationDirPath()),
            FolderText(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))};
}

bool LoadPreferences(PreferencesStore& store)
{
    SettingsBackend backend;
    if (store.Load(backend, CurrentPreferencesLocations()))
        return true;
    QApplication::beep();
    return false;
}

bool SavePreferences(const PreferencesStore& store)
{
    SettingsBackend backend;
    store.Save(backend);
    return backend.Sync();
}

} // namespace lumivar
