#pragma once
// The settings file as the window reads and writes it: every section and key is named once,
// here. Names are compared exactly where start-up reads them (case matters), unlike the file's
// own lookups.

#include "link/midi_selection.h"
#include "link/safe_write.h"
#include "settings/form_geometry.h"
#include "settings/ini_file.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zkt {

class RecentFiles;

class AppSettings {
public:
    explicit AppSettings(std::string path) : m_path(std::move(path)) {}

    // True when a section "Bellhaven" has the key "Log" with the value exactly "1".
    bool logEnabled();

    // savedMidiIn, savedMidiOut and the device names from "MIDI I/O"; whatever is missing
    // keeps the value it had.
    void readMidiSelection(MidiSelection& selection);
    void writeMidiSelection(const MidiSelection& selection);

    // "Preferences" "Path": where file dialogs start; empty when none is stored.
    std::optional<std::string> lastFolder();
    void setLastFolder(const std::string& folder);

    void loadMainWindowPlacement(FormGeometry& placement, long minimumWidth, long minimumHeight);
    void saveMainWindowPlacement(const FormGeometry& placement);
    // Shown unless switched off.
    bool pistonOverviewShown();
    void setPistonOverviewShown(bool shown);
    // Each step of a write is on unless switched off; the read-back reads only the manuals
    // written unless told to read them all.
    WriteOptions writeOptions();
    void setWriteOptions(const WriteOptions& options);

    void readRecentFiles(RecentFiles& recent);
    void writeRecentFiles(const RecentFiles& recent);

private:
    bool readSwitch(const std::string& section, const std::string& key, bool fallback);
    void writeSwitch(const std::string& section, const std::string& key, bool on);

    std::string m_path;
    cInifile m_file;
};

// The leading decimal number of the text rounded to an integer (halves to even), 0 when the
// text does not start with one; kept within the 16-bit range.
std::int16_t leadingNumber(std::string_view text);

} // namespace zkt
