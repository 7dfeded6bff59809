#pragma once
// Every section and key of the settings file, what each holds and what it reads as when it is
// missing. This is the only place their names are spelled: everything else reads and writes them
// through SettingsFile (settings_file.h) or, for a window's placement, cInifile.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zkt {

enum class SettingType {
    text,       // as stored; the file gives back at most cInifile::longestValue characters
    textList,   // numbered keys (key1 to key<count>), one text each, newest first
    portNumber, // the leading decimal number, rounded, held within 16 bits; 0 without one
    flag,       // "1" or "0"; any other number is on, a text that is no number reads as the default
    logSwitch,  // on only when exactly "1"
    twips,      // a window's position or size; no number leaves the window where it is
};

// How a read finds its key. The keys read at start-up have always been found by walking the
// names in the file and comparing them exactly; the keys added since use the file's own lookup,
// which ignores case.
enum class NameMatch { exact, anyCase };

struct SettingKey {
    std::string_view section;
    std::string_view key;
    SettingType type;
    // What a missing key reads as, written as the file would hold it.
    std::string_view defaultText;
    NameMatch match;
    // What the user loses when the key cannot be written, in the words the user is told; empty
    // where nothing the user chose is lost, and the failure is only logged.
    std::string_view lostChoice;
    int count = 1;
};

// A key read and written as one C++ type only: bool for flags and the log switch, std::int16_t
// for port numbers, std::string for text, a vector of texts for a list.
template <typename Value> struct Setting : SettingKey {};

namespace settingsection {
inline constexpr std::string_view log = "Bellhaven";
inline constexpr std::string_view midi = "MIDI I/O";
inline constexpr std::string_view preferences = "Preferences";
// The program's product name; the main window keeps its placement and view here.
inline constexpr std::string_view mainWindow = "ZKTConfig";
inline constexpr std::string_view recentFiles = "Recent Files";
} // namespace settingsection

// The keys of a window's placement, in whichever section the window is kept (cInifile's
// SaveFormPosition and LoadFormPosition).
namespace placementkey {
inline constexpr std::string_view maximised = "Maximised";
inline constexpr std::string_view left = "Left";
inline constexpr std::string_view top = "Top";
inline constexpr std::string_view width = "Width";
inline constexpr std::string_view height = "Height";
} // namespace placementkey

namespace setting {

inline constexpr std::string_view portsChosen = "the MIDI ports chosen";
inline constexpr std::string_view writeChoices = "the write options";

// Never written by the program: the user switches the log on by hand.
inline constexpr Setting<bool> log{
    {settingsection::log, "Log", SettingType::logSwitch, "0", NameMatch::exact, {}}};
// The devices' positions in the MIDI setup's lists, as every earlier version kept them, and
// their names, which decide when the lists have changed since.
inline constexpr Setting<std::int16_t> midiInput{
    {settingsection::midi, "Input", SettingType::portNumber, "0", NameMatch::exact, portsChosen}};
inline constexpr Setting<std::int16_t> midiOutput{
    {settingsection::midi, "Output", SettingType::portNumber, "0", NameMatch::exact, portsChosen}};
inline constexpr Setting<std::string> midiInputName{
    {settingsection::midi, "InputName", SettingType::text, "", NameMatch::exact, portsChosen}};
inline constexpr Setting<std::string> midiOutputName{
    {settingsection::midi, "OutputName", SettingType::text, "", NameMatch::exact, portsChosen}};
// Where the file dialogs start; when missing, the user's documents folder, which only the
// program knows.
inline constexpr Setting<std::string> lastFolder{
    {settingsection::preferences, "Path", SettingType::text, "", NameMatch::exact, {}}};
inline constexpr Setting<bool> writeBackup{
    {settingsection::preferences, "WriteBackup", SettingType::flag, "1", NameMatch::anyCase, writeChoices}};
inline constexpr Setting<bool> writeOnlyChanged{{settingsection::preferences, "WriteOnlyChanged",
                                                 SettingType::flag, "1", NameMatch::anyCase, writeChoices}};
inline constexpr Setting<bool> writeVerify{
    {settingsection::preferences, "WriteVerify", SettingType::flag, "1", NameMatch::anyCase, writeChoices}};
// The read-back reads every manual, not only those written.
inline constexpr Setting<bool> writeVerifyAll{{settingsection::preferences, "WriteVerifyAll",
                                               SettingType::flag, "0", NameMatch::anyCase, writeChoices}};
// The language the user chose in the window; empty or missing: the system's.
inline constexpr Setting<std::string> language{
    {settingsection::preferences, "Language", SettingType::text, "", NameMatch::anyCase, "the language chosen"}};
inline constexpr Setting<bool> pistonOverview{
    {settingsection::mainWindow, "PistonOverview", SettingType::flag, "1", NameMatch::anyCase, {}}};
inline constexpr Setting<std::vector<std::string>> recentFiles{{settingsection::recentFiles, "File",
                                                                SettingType::textList, "", NameMatch::anyCase,
                                                                "the recent configurations", 8}};

} // namespace setting

// The whole file. The placement has no typed key of its own: cInifile stores and restores it as
// one piece, and a missing size or position leaves the window's own.
inline constexpr std::array<SettingKey, 18> settingsTable = {
    setting::log,
    setting::midiInput,
    setting::midiOutput,
    setting::midiInputName,
    setting::midiOutputName,
    setting::lastFolder,
    setting::writeBackup,
    setting::writeOnlyChanged,
    setting::writeVerify,
    setting::writeVerifyAll,
    setting::language,
    setting::pistonOverview,
    setting::recentFiles,
    SettingKey{
        settingsection::mainWindow, placementkey::maximised, SettingType::flag, "0", NameMatch::anyCase, {}},
    SettingKey{
        settingsection::mainWindow, placementkey::left, SettingType::twips, "", NameMatch::anyCase, {}},
    SettingKey{settingsection::mainWindow, placementkey::top, SettingType::twips, "", NameMatch::anyCase, {}},
    SettingKey{
        settingsection::mainWindow, placementkey::width, SettingType::twips, "", NameMatch::anyCase, {}},
    SettingKey{
        settingsection::mainWindow, placementkey::height, SettingType::twips, "", NameMatch::anyCase, {}},
};

} // namespace zkt
