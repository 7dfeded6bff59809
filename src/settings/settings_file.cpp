#include "settings/settings_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace zkt {

namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

// Written without the C library's number parsing, which would follow the user's locale and stop
// at the decimal point where the locale writes a comma.
std::int16_t leadingNumber(std::string_view text) {
    text.remove_prefix(std::min(text.find_first_not_of(" \t\r\n\v\f"), text.size()));
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '+' || negative))
        text.remove_prefix(1);
    // from_chars takes a minus of its own, which would let a second sign through.
    if (!text.empty() && text.front() == '-')
        return 0;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data() || !std::isfinite(value))
        return 0;
    const double rounded = std::nearbyint(negative ? -value : value); // the default mode: halves to even
    return static_cast<std::int16_t>(std::clamp<double>(rounded, std::numeric_limits<std::int16_t>::min(),
                                                        std::numeric_limits<std::int16_t>::max()));
}

bool switchValue(const SettingKey& row, std::string_view text) {
    if (row.type == SettingType::logSwitch)
        return text == "1";
    return cInifile::CLngDefault(text, cInifile::CLngDefault(row.defaultText, 0)) != 0;
}

// The file drops zero characters and cuts long values, and a line break would end the value early.
bool comesBackAsWritten(std::string_view text) {
    return text.size() <= cInifile::longestValue &&
           text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

std::string listKey(const SettingKey& row, int position) {
    return std::string(row.key) + std::to_string(position);
}

std::string joinedChoices(const std::vector<std::string_view>& choices) {
    std::string words;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (i > 0)
            words += i + 1 == choices.size() ? " and " : ", ";
        words += choices[i];
    }
    return words;
}

} // namespace

SettingsFile::SettingsFile(std::string path, const ProgramLog& log) : m_log(log) {
    m_file.Path(std::move(path));
}

std::optional<std::string> SettingsFile::lookup(const SettingKey& row, std::string_view key) {
    std::optional<std::string> found;
    if (row.match == NameMatch::exact) {
        for (const std::string& section : m_file.EnumerateAllSections()) {
            if (section != row.section)
                continue;
            m_file.Section(section);
            for (const std::string& name : m_file.EnumerateCurrentSection()) {
                if (name != key)
                    continue;
                m_file.Key(name);
                found = m_file.Value();
            }
        }
        return found;
    }
    m_file.Section(std::string(row.section));
    const auto names = m_file.EnumerateCurrentSection();
    if (std::any_of(names.begin(), names.end(),
                    [&](const std::string& name) { return sameIgnoringCase(name, key); })) {
        m_file.Key(std::string(key));
        found = m_file.Value();
    }
    return found;
}

std::string SettingsFile::textOf(const SettingKey& row) {
    return lookup(row, row.key).value_or(std::string(row.defaultText));
}

bool SettingsFile::read(const Setting<bool>& setting) {
    return switchValue(setting, textOf(setting));
}

std::int16_t SettingsFile::read(const Setting<std::int16_t>& setting) {
    return leadingNumber(textOf(setting));
}

std::string SettingsFile::read(const Setting<std::string>& setting) {
    return textOf(setting);
}

std::vector<std::string> SettingsFile::read(const Setting<std::vector<std::string>>& setting) {
    std::vector<std::string> texts;
    for (int position = 1; position <= setting.count; ++position) {
        std::string text = lookup(setting, listKey(setting, position)).value_or(std::string());
        if (!text.empty())
            texts.push_back(std::move(text));
    }
    return texts;
}

std::optional<std::string> SettingsFile::stored(const Setting<std::string>& setting) {
    return lookup(setting, setting.key);
}

bool SettingsFile::write(const Setting<bool>& setting, bool value) {
    return settle(setting, put(setting, setting.key, value ? "1" : "0"), value);
}

bool SettingsFile::write(const Setting<std::int16_t>& setting, std::int16_t value) {
    return settle(setting, put(setting, setting.key, std::to_string(value)), value);
}

bool SettingsFile::write(const Setting<std::string>& setting, std::string_view value) {
    return settle(setting, put(setting, setting.key, value), std::string(value));
}

bool SettingsFile::write(const Setting<std::vector<std::string>>& setting,
                         const std::vector<std::string>& values) {
    std::vector<std::string> kept;
    for (const std::string& value : values) {
        if (!value.empty() && comesBackAsWritten(value) && std::ssize(kept) < setting.count)
            kept.push_back(value);
    }
    bool written = true;
    // The keys after the last text are removed, so that nothing older stays behind.
    for (int position = 1; position <= setting.count; ++position) {
        const std::string_view text = position <= std::ssize(kept) ? kept[position - 1] : std::string_view();
        written = put(setting, listKey(setting, position), text) && written;
    }
    return settle(setting, written, kept);
}

void SettingsFile::loadPlacement(std::string_view section, FormGeometry& placement, long minimumWidth,
                                 long minimumHeight) {
    m_file.Section(std::string(section));
    m_file.LoadFormPosition(placement, minimumWidth, minimumHeight);
}

bool SettingsFile::savePlacement(std::string_view section, const FormGeometry& placement) {
    // A minimised window stores nothing, so there is no write whose result could be asked for.
    if (placement.minimised)
        return true;
    m_file.Section(std::string(section));
    m_file.SaveFormPosition(placement);
    if (m_file.Success())
        return true;
    logFailure(section, "the window's placement");
    return false;
}

bool SettingsFile::put(const SettingKey& row, std::string_view key, std::string_view text) {
    m_file.Section(std::string(row.section));
    m_file.Key(std::string(key));
    m_file.Value(text);
    if (!m_file.Success())
        logFailure(row.section, key);
    return m_file.Success();
}

template <typename Value>
bool SettingsFile::settle(const Setting<Value>& setting, bool written, const Value& value) {
    // A file that cannot be written may still hold the value from before: then nothing is lost.
    if (written || read(setting) == value)
        return true;
    if (!setting.lostChoice.empty() &&
        std::find(m_lostChoices.begin(), m_lostChoices.end(), setting.lostChoice) == m_lostChoices.end())
        m_lostChoices.push_back(setting.lostChoice);
    return false;
}

void SettingsFile::logFailure(std::string_view section, std::string_view what) {
    m_log.writeLog("Settings not saved: " + std::string(what) + " in [" + std::string(section) +
                   "] could not be written to " + path());
}

std::optional<std::string> SettingsFile::takeLostChoicesMessage() {
    if (m_said == m_lostChoices.size())
        return std::nullopt;
    const std::vector<std::string_view> unsaid(m_lostChoices.begin() + static_cast<std::ptrdiff_t>(m_said),
                                               m_lostChoices.end());
    m_said = m_lostChoices.size();
    std::string words = joinedChoices(unsaid);
    words.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(words.front())));
    return words + " could not be saved in the settings file " + path() +
           ", so the next start will not know them. Make sure the file and its folder can be written.";
}

} // namespace zkt
