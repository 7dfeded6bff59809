#pragma once
// The window's records as the settings file keeps them: the MIDI selection, the write options, the
// recent configurations and the main window's placement and view, each on its keys of the table
// (settings/settings_table.h).

#include "link/midi_selection.h"
#include "link/safe_write.h"
#include "settings/form_geometry.h"
#include "settings/program_log.h"
#include "settings/settings_file.h"

#include <optional>
#include <string>

namespace zkt {

class RecentFiles;

class AppSettings {
public:
    // Failed writes are logged to log, which must outlive this object.
    AppSettings(std::string path, const ProgramLog& log) : m_file(std::move(path), log) {}

    bool logEnabled() { return m_file.read(setting::log); }

    // The stored positions and names of the MIDI devices; what is missing reads as nothing chosen.
    void readMidiSelection(MidiSelection& selection);
    void writeMidiSelection(const MidiSelection& selection);

    // Where file dialogs start; nothing when none is stored.
    std::optional<std::string> lastFolder() { return m_file.stored(setting::lastFolder); }
    void setLastFolder(const std::string& folder) { m_file.write(setting::lastFolder, folder); }

    void loadMainWindowPlacement(FormGeometry& placement, long minimumWidth, long minimumHeight);
    void saveMainWindowPlacement(const FormGeometry& placement);
    // The language chosen in the window, empty when it follows the system's.
    std::string language() { return m_file.read(setting::language); }
    void setLanguage(const std::string& language) { m_file.write(setting::language, language); }
    bool pistonOverviewShown() { return m_file.read(setting::pistonOverview); }
    void setPistonOverviewShown(bool shown) { m_file.write(setting::pistonOverview, shown); }
    WriteOptions writeOptions();
    void setWriteOptions(const WriteOptions& options);

    void readRecentFiles(RecentFiles& recent);
    void writeRecentFiles(const RecentFiles& recent);

    // What the user chose and could not be kept since the last call, in words; see SettingsFile.
    std::optional<std::string> lostChoicesMessage() { return m_file.takeLostChoicesMessage(); }

private:
    SettingsFile m_file;
};

} // namespace zkt
