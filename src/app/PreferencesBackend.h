#pragma once
// Where the preferences are kept: named values in named sections, every value a
// text (UTF-8). The store reads and writes through this interface only, so the
// same rules serve the registry, an INI file and a plain map in tests.

#include <map>
#include <optional>
#include <string>
#include <utility>

namespace lumivar {

class PreferencesBackend {
public:
    virtual ~PreferencesBackend() = default;

    // The stored text of a value; nothing when the value is missing.
    virtual std::optional<std::string> ReadText(const std::string& section, const std::string& name) const = 0;

    // Stores a value as text, creating its section when missing.
    virtual void WriteText(const std::string& section, const std::string& name, const std::string& value) = 0;
};

// A backend held in memory: the empty store of a first run, and the tests' store.
class MemoryPreferencesBackend final : public PreferencesBackend {
public:
    using Key = std::pair<std::string, std::string>; // section, value name

    std::optional<std::string> ReadText(const std::string& section, const std::string& name) const override
    {
        const auto it = Values.find(Key{section, name});
        if (it == Values.end())
            return std::nullopt;
        return it->second;
    }

    void WriteText(const std::string& section, const std::string& name, const std::string& value) override
    {
        Values[Key{section, name}] = value;
    }

    std::map<Key, std::string> Values;
};

} // namespace lumivar
