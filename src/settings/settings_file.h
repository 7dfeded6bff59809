#pragma once
// The program's settings read and written by their keys in the table (settings_table.h), each
// as its own type, over one cInifile. A write that fails is never only a return value: it is
// logged, and when it loses something the user chose, that is kept to be said.

#include "settings/form_geometry.h"
#include "settings/ini_file.h"
#include "settings/program_log.h"
#include "settings/settings_table.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zkt {

class SettingsFile {
public:
    // The log is written to for every failed write; it must outlive this object.
    SettingsFile(std::string path, const ProgramLog& log);

    const std::string& path() const { return m_file.Path(); }

    // A missing key, or a value that is not of the key's type, reads as the key's default.
    bool read(const Setting<bool>& setting);
    std::int16_t read(const Setting<std::int16_t>& setting);
    std::string read(const Setting<std::string>& setting);
    // The list's texts in key order; missing and empty keys are left out.
    std::vector<std::string> read(const Setting<std::vector<std::string>>& setting);
    // The text as stored, or nothing when the key is missing: for a default only the caller knows.
    std::optional<std::string> stored(const Setting<std::string>& setting);

    // Each answers whether the file now gives the value back: a failed write is logged, and lost
    // only when the file does not hold the value already. An empty text removes the key.
    bool write(const Setting<bool>& setting, bool value);
    bool write(const Setting<std::int16_t>& setting, std::int16_t value);
    bool write(const Setting<std::string>& setting, std::string_view value);
    // Fills the list's keys from the first, as far as they go; the keys left over are removed,
    // so nothing older stays behind. A text the file could not give back as it is (too long, or
    // broken over lines) is left out rather than come back as another text.
    bool write(const Setting<std::vector<std::string>>& setting, const std::vector<std::string>& values);

    // A window's placement in its section (cInifile::LoadFormPosition and SaveFormPosition).
    void loadPlacement(std::string_view section, FormGeometry& placement, long minimumWidth,
                       long minimumHeight);
    bool savePlacement(std::string_view section, const FormGeometry& placement);

    // The words for the user about what they chose and could not be kept since the last call;
    // nothing when all was kept. Each choice is said once in a run, however often it fails.
    std::optional<std::string> takeLostChoicesMessage();

private:
    std::optional<std::string> lookup(const SettingKey& row, std::string_view key);
    std::string textOf(const SettingKey& row);
    bool put(const SettingKey& row, std::string_view key, std::string_view text);
    template <typename Value> bool settle(const Setting<Value>& setting, bool written, const Value& value);
    void logFailure(std::string_view section, std::string_view what);

    cInifile m_file;
    const ProgramLog& m_log;
    // Every choice lost this run, in the order lost; the first m_said of them have been said.
    std::vector<std::string_view> m_lostChoices;
    std::size_t m_said = 0;
};

} // namespace zkt
