#pragma once
// The persistent preferences: the registry key "\Software\Lumivar3.1" of the current
// user on Windows, an INI file in the user's configuration folder elsewhere, with the
// same sections and value names. Every value is kept as text.

#include "app/PreferencesBackend.h"
#include "app/PreferencesStore.h"

#include <QSettings>
#include <QString>

#include <memory>

namespace lumivar {

class SettingsBackend final : public PreferencesBackend {
public:
    // The user's own preferences.
    SettingsBackend();
    // An INI file of the caller's choosing.
    explicit SettingsBackend(const QString& iniFile);
    ~SettingsBackend() override;

    std::optional<std::string> ReadText(const std::string& section, const std::string& name) const override;
    void WriteText(const std::string& section, const std::string& name, const std::string& value) override;

    // Writes what is pending; false when the store could not be written.
    bool Sync();

    // The settings object itself, for the values that live beside the preferences
    // (recent files, toolbar layout).
    QSettings& Settings() { return *m_settings; }

private:
    std::unique_ptr<QSettings> m_settings;
};

// The program's folder and the user's documents folder.
PreferencesLocations CurrentPreferencesLocations();

// Fills `store` from the user's preferences; a projects folder that cannot be created
// is signalled by a beep. Returns false in that case.
bool LoadPreferences(PreferencesStore& store);

// Writes `store` into the user's preferences; false when they could not be written.
bool SavePreferences(const PreferencesStore& store);

} // namespace lumivar
