#include "app/shell/app_settings.h"

#include "app/shell/recent_files.h"

namespace zkt {

void AppSettings::readMidiSelection(MidiSelection& selection) {
    selection.savedMidiIn = m_file.read(setting::midiInput);
    selection.savedMidiOut = m_file.read(setting::midiOutput);
    selection.inputName = m_file.read(setting::midiInputName);
    selection.outputName = m_file.read(setting::midiOutputName);
}

void AppSettings::writeMidiSelection(const MidiSelection& selection) {
    m_file.write(setting::midiInput, selection.savedMidiIn);
    m_file.write(setting::midiOutput, selection.savedMidiOut);
    m_file.write(setting::midiInputName, selection.inputName);
    m_file.write(setting::midiOutputName, selection.outputName);
}

void AppSettings::loadMainWindowPlacement(FormGeometry& placement, long minimumWidth, long minimumHeight) {
    m_file.loadPlacement(settingsection::mainWindow, placement, minimumWidth, minimumHeight);
}

void AppSettings::saveMainWindowPlacement(const FormGeometry& placement) {
    m_file.savePlacement(settingsection::mainWindow, placement);
}

WriteOptions AppSettings::writeOptions() {
    WriteOptions options;
    options.backup = m_file.read(setting::writeBackup);
    options.onlyChanged = m_file.read(setting::writeOnlyChanged);
    options.verify = m_file.read(setting::writeVerify);
    options.verifyAll = m_file.read(setting::writeVerifyAll);
    return options;
}

void AppSettings::setWriteOptions(const WriteOptions& options) {
    m_file.write(setting::writeBackup, options.backup);
    m_file.write(setting::writeOnlyChanged, options.onlyChanged);
    m_file.write(setting::writeVerify, options.verify);
    m_file.write(setting::writeVerifyAll, options.verifyAll);
}

void AppSettings::readRecentFiles(RecentFiles& recent) {
    recent.assign(m_file.read(setting::recentFiles));
}

void AppSettings::writeRecentFiles(const RecentFiles& recent) {
    m_file.write(setting::recentFiles, recent.texts());
}

} // namespace zkt
