#include "app/shell/app_settings.h"

#include "app/shell/recent_files.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

namespace zkt {

namespace {

const std::string logSection = "Bellhaven";
const std::string logKey = "Log";
const std::string midiSection = "MIDI I/O";
const std::string inputKey = "Input";
const std::string outputKey = "Output";
const std::string inputNameKey = "InputName";
const std::string outputNameKey = "OutputName";
const std::string preferencesSection = "Preferences";
const std::string folderKey = "Path";
const std::string writeBackupKey = "WriteBackup";
const std::string writeOnlyChangedKey = "WriteOnlyChanged";
const std::string writeVerifyKey = "WriteVerify";
const std::string writeVerifyAllKey = "WriteVerifyAll";
const std::string mainWindowSection = "ZKTConfig";
const std::string overviewKey = "PistonOverview";

bool contains(const std::vector<std::string>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

std::int16_t leadingNumber(std::string_view text) {
    const std::string copy(text);
    char* end = nullptr;
    const double value = std::strtod(copy.c_str(), &end);
    if (end == copy.c_str() || !std::isfinite(value))
        return 0;
    const double rounded = std::nearbyint(value); // the default rounding mode: halves to even
    return static_cast<std::int16_t>(std::clamp<double>(rounded, std::numeric_limits<std::int16_t>::min(),
                                                        std::numeric_limits<std::int16_t>::max()));
}

bool AppSettings::logEnabled() {
    m_file.Path(m_path);
    bool enabled = false;
    for (const std::string& section : m_file.EnumerateAllSections()) {
        if (section != logSection)
            continue;
        m_file.Section(section);
        if (!contains(m_file.EnumerateCurrentSection(), logKey))
            continue;
        m_file.Key(logKey);
        m_file.Default("");
        if (m_file.Value() == "1")
            enabled = true;
    }
    return enabled;
}

void AppSettings::readMidiSelection(MidiSelection& selection) {
    m_file.Path(m_path);
    m_file.Default("");
    for (const std::string& section : m_file.EnumerateAllSections()) {
        if (section != midiSection)
            continue;
        m_file.Section(section);
        for (const std::string& key : m_file.EnumerateCurrentSection()) {
            m_file.Key(key);
            if (key == inputKey)
                selection.savedMidiIn = leadingNumber(m_file.Value());
            else if (key == outputKey)
                selection.savedMidiOut = leadingNumber(m_file.Value());
            else if (key == inputNameKey)
                selection.inputName = m_file.Value();
            else if (key == outputNameKey)
                selection.outputName = m_file.Value();
        }
    }
}

void AppSettings::writeMidiSelection(const MidiSelection& selection) {
    m_file.Path(m_path);
    m_file.Section(midiSection);
    m_file.Key(inputKey);
    m_file.Value(std::to_string(selection.savedMidiIn));
    m_file.Key(outputKey);
    m_file.Value(std::to_string(selection.savedMidiOut));
    m_file.Key(inputNameKey);
    m_file.Value(selection.inputName);
    m_file.Key(outputNameKey);
    m_file.Value(selection.outputName);
}

std::optional<std::string> AppSettings::lastFolder() {
    m_file.Path(m_path);
    m_file.Default("");
    std::optional<std::string> folder;
    for (const std::string& section : m_file.EnumerateAllSections()) {
        m_file.Section(section);
        if (section == preferencesSection && contains(m_file.EnumerateCurrentSection(), folderKey)) {
            m_file.Key(folderKey);
            folder = m_file.Value();
        }
    }
    return folder;
}

void AppSettings::setLastFolder(const std::string& folder) {
    m_file.Path(m_path);
    m_file.Section(preferencesSection);
    m_file.Key(folderKey);
    m_file.Value(folder);
}

void AppSettings::loadMainWindowPlacement(FormGeometry& placement, long minimumWidth, long minimumHeight) {
    m_file.Path(m_path);
    m_file.Section(mainWindowSection);
    m_file.LoadFormPosition(placement, minimumWidth, minimumHeight);
}

void AppSettings::saveMainWindowPlacement(const FormGeometry& placement) {
    m_file.Path(m_path);
    m_file.Section(mainWindowSection);
    m_file.SaveFormPosition(placement);
}

bool AppSettings::pistonOverviewShown() {
    return readSwitch(mainWindowSection, overviewKey, true);
}

void AppSettings::setPistonOverviewShown(bool shown) {
    writeSwitch(mainWindowSection, overviewKey, shown);
}

WriteOptions AppSettings::writeOptions() {
    WriteOptions options;
    options.backup = readSwitch(preferencesSection, writeBackupKey, true);
    options.onlyChanged = readSwitch(preferencesSection, writeOnlyChangedKey, true);
    options.verify = readSwitch(preferencesSection, writeVerifyKey, true);
    options.verifyAll = readSwitch(preferencesSection, writeVerifyAllKey, false);
    return options;
}

void AppSettings::setWriteOptions(const WriteOptions& options) {
    writeSwitch(preferencesSection, writeBackupKey, options.backup);
    writeSwitch(preferencesSection, writeOnlyChangedKey, options.onlyChanged);
    writeSwitch(preferencesSection, writeVerifyKey, options.verify);
    writeSwitch(preferencesSection, writeVerifyAllKey, options.verifyAll);
}

void AppSettings::readRecentFiles(RecentFiles& recent) {
    recent.read(m_file, m_path);
}

void AppSettings::writeRecentFiles(const RecentFiles& recent) {
    recent.write(m_file, m_path);
}

// A switch is kept as "1" or "0"; fallback when the key is missing (as at the first start) or
// not a number.
bool AppSettings::readSwitch(const std::string& section, const std::string& key, bool fallback) {
    m_file.Path(m_path);
    m_file.Section(section);
    m_file.Key(key);
    m_file.Default("");
    return cInifile::CLngDefault(m_file.Value(), fallback ? 1 : 0) != 0;
}

void AppSettings::writeSwitch(const std::string& section, const std::string& key, bool on) {
    m_file.Path(m_path);
    m_file.Section(section);
    m_file.Key(key);
    m_file.Value(on ? "1" : "0");
}

} // namespace zkt
