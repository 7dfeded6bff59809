#include "model/vocabulary.h"

#include "i18n/format_text.h"
#include "i18n/language.h"
#include "i18n/tr.h"

#include <cstdio>
#include <functional>
#include <map>
#include <mutex>
#include <utility>

namespace zkt {

namespace {

std::string upperHex(int value, int digits) {
    char text[16]; // room for any int: optimised builds warn of truncation otherwise
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

using NamedCode = std::pair<std::string, std::optional<std::uint8_t>>;

void setFunctionList(Vocabulary& v, FunctionGroup group, std::initializer_list<NamedCode> entries) {
    const auto g = static_cast<std::size_t>(group);
    for (const auto& [name, code] : entries) {
        v.functionLists[g].push_back(name);
        v.functionCodeBytes[g].push_back(code);
    }
}

// Texts of one group whose code bytes run on from firstCode, one per entry.
void setConsecutiveFunctionList(Vocabulary& v, FunctionGroup group, const VocabularyList& names,
                                int firstCode) {
    const auto g = static_cast<std::size_t>(group);
    v.functionLists[g] = names;
    for (std::size_t t = 0; t < names.size(); ++t) {
        v.functionCodeBytes[g].push_back(static_cast<std::uint8_t>(firstCode + static_cast<int>(t)));
    }
}

VocabularyList ahlbornGeneralNames() {
    VocabularyList names;
    for (const char letter : {'A', 'B', 'C', 'D', 'E'}) {
        for (int number = 1; number <= 6; ++number) {
            names.push_back(
                formatText(tr("vocabulary", "Memory %1 General #%2"), std::string(1, letter), number));
        }
    }
    return names;
}

VocabularyList plexoFunctionNames() {
    VocabularyList names = {tr("vocabulary", "Left"),
                            tr("vocabulary", "Up"),
                            tr("vocabulary", "Center"),
                            tr("vocabulary", "Down"),
                            tr("vocabulary", "Right"),
                            tr("vocabulary", "Great Flues"),
                            tr("vocabulary", "Swell Flues"),
                            tr("vocabulary", "Great Mixture"),
                            tr("vocabulary", "Great Reeds"),
                            tr("vocabulary", "Swell Reeds"),
                            tr("vocabulary", "Pedal Stops"),
                            tr("vocabulary", "Great To Swell"),
                            tr("vocabulary", "Great To Pedal"),
                            tr("vocabulary", "Swell to Great"),
                            tr("vocabulary", "Swell To Pedal"),
                            tr("vocabulary", "Clear"),
                            tr("vocabulary", "Rec"),
                            tr("vocabulary", "Thru"),
                            tr("vocabulary", "Reset"),
                            tr("vocabulary", "Trem. Swell"),
                            tr("vocabulary", "Cancel"),
                            tr("vocabulary", "Trem. Great"),
                            tr("vocabulary", "Panic")};
    for (int number = 1; number <= 10; ++number) {
        names.push_back(formatText(tr("vocabulary", "Free Memory #%1"), number));
    }
    for (int number = 1; number <= 12; ++number) {
        names.push_back(formatText(tr("vocabulary", "Fixed Memory #%1"), number));
    }
    names.insert(names.end(), {tr("vocabulary", "Go Flues Mute"), tr("vocabulary", "Sw Flues Mute"),
                               tr("vocabulary", "Go Reeds Mute"), tr("vocabulary", "Sw Reeds Mute"),
                               tr("vocabulary", "Unused"), tr("vocabulary", "Temper Type -"),
                               tr("vocabulary", "Temper Type +"), tr("vocabulary", "Temper Key -"),
                               tr("vocabulary", "Temper Key +"), tr("vocabulary", "Reverb -"),
                               tr("vocabulary", "Reverb +")});
    return names;
}

struct LarkmoorCase {
    std::string title; // the text after "<CASE in hex> - "
    int numList;
};

// CASEs 4..14 are generated; these are the rest, in CASE order from 15.
std::vector<LarkmoorCase> namedCasesFrom15() {
    return {
        {tr("vocabulary", "General (1st set)"), 5},
        {tr("vocabulary", "Combo Memory Direct Access"), 4},
        {tr("vocabulary", "General (2nd set)"), 5},
        {tr("vocabulary", "Cancel"), 11},
        {tr("vocabulary", "Sforzando"), 3},
        {tr("vocabulary", "Ventil"), 4},
        {tr("vocabulary", "Up/Down Select"), 13},
        {tr("vocabulary", "Special Functions"), 18},
        {tr("vocabulary", "Lighted Reversibles"), 4},
        {tr("vocabulary", "Piston Couplers"), 7},
        {tr("vocabulary", "Coupler Reversibles"), 8},
        {tr("vocabulary", "Up/Down"), 9},
        {tr("vocabulary", "Reg.Seq.Next/Last"), 10},
        {tr("vocabulary", "Recall"), 2},
        {tr("vocabulary", "Coupler Reversibles (2nd set)"), 5},
        {tr("vocabulary", "MIDI Memory Up/Down"), 9},
        {tr("vocabulary", "Transposer"), 12},
        {tr("vocabulary", "(Not Used)"), 1},
        {tr("vocabulary", "MIDI-stop Mem.Lev. Direct Access"), 4},
        {tr("vocabulary", "Crescendo Memory Select"), 14},
        {tr("vocabulary", "Expander MIDI-Sustain"), 2},
        {tr("vocabulary", "Settable Tab Reversible"), 5},
        {tr("vocabulary", "(Not Used)"), 1},
        {tr("vocabulary", "Set/Alt"), 15},
        {tr("vocabulary", "Memory Lock On/Off"), 16},
        {tr("vocabulary", "Other Tabs Off Reversible"), 5},
        {tr("vocabulary", "Player Controls"), 17},
        {tr("vocabulary", "Send Prog# on Seq.MIDI Ctrl Ch."), 5},
        {tr("vocabulary", "Send Prog# on Seq.MIDI Ctrl Ch."), 6},
        {tr("vocabulary", "Send Prog# on Exp.MIDI Ctrl Ch."), 5},
        {tr("vocabulary", "Send Prog# on Exp.MIDI Ctrl Ch."), 6},
        {tr("vocabulary", "Reserved Special Functions"), 5},
        {tr("vocabulary", "Coupler Reversibles (3rd set)"), 5},
        {tr("vocabulary", "(Not Used)"), 1},
        {tr("vocabulary", "Special Lighted Reversibles"), 4},
    };
}

void setLarkmoorCases(Vocabulary& v) {
    const auto g = static_cast<std::size_t>(FunctionGroup::larkmoorPiston);
    auto& names = v.functionLists[g];
    auto& map = v.numListMap[g];
    const std::string namedDivisionals[] = {
        tr("vocabulary", "Div#1 (Pedal) Divisional"), tr("vocabulary", "Div#2 (Great) Divisional"),
        tr("vocabulary", "Div#3 (Swell) Divisional"), tr("vocabulary", "Div#4 (Choir) Divisional")};
    for (int caseNumber = 0; caseNumber <= 14; ++caseNumber) {
        names.push_back(upperHex(caseNumber, 2) + " - " +
                        (caseNumber < 4 ? namedDivisionals[caseNumber]
                                        : formatText(tr("vocabulary", "Div#%1 Divisional"), caseNumber + 1)));
        map.push_back(5);
    }
    int caseNumber = 15;
    for (const auto& named : namedCasesFrom15()) {
        names.push_back(upperHex(caseNumber, 2) + " - " + named.title);
        map.push_back(named.numList);
        ++caseNumber;
    }
    for (int t = 0; t < larkmoorCaseCount; ++t) {
        v.functionCodeBytes[g].push_back(static_cast<std::uint8_t>(t));
    }
}

// "<NUM in hex> - #<NUM + firstNumber>" for NUM 0..count-1.
VocabularyList numberedNums(int count, int firstNumber) {
    VocabularyList names;
    for (int num = 0; num < count; ++num) {
        names.push_back(upperHex(num, 1) + " - #" + std::to_string(num + firstNumber));
    }
    return names;
}

// "<NUM in hex> - <text>" for each text, NUM counting from 0.
VocabularyList labelledNums(std::initializer_list<std::string> texts) {
    VocabularyList names;
    int num = 0;
    for (const std::string& text : texts) {
        names.push_back(upperHex(num++, 1) + " - " + text);
    }
    return names;
}

void setNumLists(Vocabulary& v) {
    const std::string notUsed = tr("vocabulary", "Not Used");
    auto& lists = v.numLists;
    lists[1] = {""};
    lists[2] = {"0"};
    lists[3] = numberedNums(4, 1);
    lists[4] = numberedNums(8, 1);
    lists[5] = numberedNums(16, 1);
    lists[6] = numberedNums(16, 17);
    lists[7] = labelledNums({notUsed, tr("vocabulary", "Pedal on Great"), tr("vocabulary", "Pedal on Swell"),
                             tr("vocabulary", "Pedal on Choir"), "?", "?", "?", "?"});
    lists[8] = labelledNums({tr("vocabulary", "Great to Pedal"), tr("vocabulary", "Swell to Pedal"),
                             tr("vocabulary", "Choir to Pedal"), tr("vocabulary", "Swell to Great"),
                             tr("vocabulary", "Choir to Great"), tr("vocabulary", "Swell to Choir"), "?", "?",
                             "?", "?", "?", "?", "?", "?", "?", "?"});
    lists[9] = labelledNums({tr("vocabulary", "Up"), tr("vocabulary", "Down")});
    lists[10] = labelledNums({tr("vocabulary", "Next"), tr("vocabulary", "Last")});
    lists[11] = labelledNums({tr("vocabulary", "Div#1 (Pedal)"), tr("vocabulary", "Div#2 (Great)"),
                              tr("vocabulary", "Div#3 (Swell)"), tr("vocabulary", "Div#4 (Choir)")});
    for (int num = 4; num <= 14; ++num) {
        lists[11].push_back(upperHex(num, 1) + " - " + formatText(tr("vocabulary", "Div#%1"), num + 1));
    }
    // TRANSLATORS: the LARKMOOR cancel of every division at once.
    lists[11].push_back("F - " + tr("vocabulary", "General"));
    lists[12] = labelledNums({tr("vocabulary", "Transposer Up"), tr("vocabulary", "Transposer Down"),
                              tr("vocabulary", "Transposer Cancel")});
    lists[13] = labelledNums({tr("vocabulary", "Reg. Sequencer"), tr("vocabulary", "Memory"),
                              tr("vocabulary", "Transposer"), tr("vocabulary", "Setup")});
    lists[14] = labelledNums({tr("vocabulary", "1st Alternate"), tr("vocabulary", "2nd Alternate"),
                              tr("vocabulary", "3rd Alternate"), notUsed, notUsed, notUsed, notUsed,
                              tr("vocabulary", "Default")});
    lists[15] = labelledNums({tr("vocabulary", "Set"), tr("vocabulary", "Alt")});
    lists[16] =
        labelledNums({tr("vocabulary", "Unlock"), tr("vocabulary", "Lock"), tr("vocabulary", "Toggle")});
    lists[17] =
        labelledNums({tr("vocabulary", "Play"), tr("vocabulary", "Pause"), tr("vocabulary", "Record")});
    lists[18] = labelledNums({tr("vocabulary", "Multi MIDI"), "?", "?", tr("vocabulary", "MIDI Reg. Off")});
}

Vocabulary buildVocabulary() {
    Vocabulary v;
    v.controllerNames = {tr("vocabulary", "Volume (7)"), tr("vocabulary", "Expression (11)")};
    v.analogInputNames = {tr("vocabulary", "Disabled"), formatText(tr("vocabulary", "Input %1"), 1),
                          formatText(tr("vocabulary", "Input %1"), 2),
                          formatText(tr("vocabulary", "Input %1"), 3)};
    v.keyboardOptionNames = {
        tr("vocabulary", "Enable/Disable Indicator Lights"),
        tr("vocabulary", "Enable Set MIDI Channels via (P1+C#1)"),
        tr("vocabulary", "Enable Clear MIDI Channels via (P1+D#1)"),
        tr("vocabulary", "Enable Set Default Channel Velocity via (P1+F#1)"),
        tr("vocabulary", "Enable Velocity Sensing Off/On via (P1+A#1/P1+G#1)"),
        tr("vocabulary", "Enable Volume Setup via (P1+C#2)"),
        tr("vocabulary", "Enable Expression Setup via (P1+D#2)"),
        tr("vocabulary", "Enable Tranposition (Setting Middle C) via (P1+key)"),
    };
    v.functionGroupNames = {tr("vocabulary", "Unassigned"),        tr("vocabulary", "Ahlborn Coupler"),
                            tr("vocabulary", "Ahlborn Tremulant"), tr("vocabulary", "Ahlborn Cancel"),
                            tr("vocabulary", "Ahlborn General"),   tr("vocabulary", "Ahlborn SET"),
                            tr("vocabulary", "Ahlborn SFZ"),       tr("vocabulary", "Program Change"),
                            tr("vocabulary", "PLEXO Function"),    tr("vocabulary", "Bank Select"),
                            tr("vocabulary", "HX-90 Tremulant"),   tr("vocabulary", "HX-90 Cancel"),
                            tr("vocabulary", "Note On/Off"),       tr("vocabulary", "All Notes Off"),
                            tr("vocabulary", "LARKMOOR Piston")};

    setFunctionList(v, FunctionGroup::ahlbornCoupler,
                    {{tr("vocabulary", "A to Pd coupler"), 4},
                     {tr("vocabulary", "B to Pd coupler"), 5},
                     {tr("vocabulary", "B to A coupler"), 16},
                     {tr("vocabulary", "A to B coupler"), 23},
                     {tr("vocabulary", "A to Aux coupler"), 24},
                     {tr("vocabulary", "B to Aux coupler"), 25}});
    setFunctionList(v, FunctionGroup::ahlbornTremulant,
                    {{tr("vocabulary", "Swell Tremulant"), 87},
                     {tr("vocabulary", "Great Tremulant"), 88},
                     {tr("vocabulary", "Choir Tremulant"), 89}});
    setFunctionList(v, FunctionGroup::ahlbornCancel,
                    {{tr("vocabulary", "General Cancel"), 160},
                     {tr("vocabulary", "Swell Division Cancel"), 90},
                     {tr("vocabulary", "Great Division Cancel"), 91},
                     {tr("vocabulary", "Choir Division Cancel"), 92}});
    setConsecutiveFunctionList(v, FunctionGroup::ahlbornGeneral, ahlbornGeneralNames(), 129);
    setFunctionList(v, FunctionGroup::ahlbornSet, {{tr("vocabulary", "SET piston"), 94}});
    setFunctionList(v, FunctionGroup::ahlbornSfz, {{tr("vocabulary", "SFZ piston"), 95}});
    setFunctionList(v, FunctionGroup::programChange,
                    {{tr("vocabulary", "Registration Frame UP"), std::nullopt},
                     {tr("vocabulary", "Registration Frame DOWN"), std::nullopt},
                     {tr("vocabulary", "Piston"), std::nullopt}});
    setConsecutiveFunctionList(v, FunctionGroup::plexoFunction, plexoFunctionNames(), 36);
    setFunctionList(v, FunctionGroup::bankSelect, {{tr("vocabulary", "Bank Select piston"), std::nullopt}});
    setFunctionList(v, FunctionGroup::hx90Tremulant, {{tr("vocabulary", "HX-90 Trem piston"), std::nullopt}});
    setFunctionList(v, FunctionGroup::hx90Cancel, {{tr("vocabulary", "HX-90 Cancel piston"), std::nullopt}});
    setFunctionList(v, FunctionGroup::noteOnOff, {{tr("vocabulary", "Note On/Off"), std::nullopt}});
    setFunctionList(
        v, FunctionGroup::allNotesOff,
        {{tr("vocabulary", "On 1 MIDI Channel"), 128}, {tr("vocabulary", "On All MIDI Channels"), 192}});
    setLarkmoorCases(v);
    setNumLists(v);
    return v;
}

} // namespace

const Vocabulary& vocabulary() {
    static std::mutex guard;
    static std::map<std::string, Vocabulary, std::less<>> built;
    const std::lock_guard lock(guard);
    const std::string_view language = currentLanguage();
    auto found = built.find(language);
    if (found == built.end())
        found = built.emplace(std::string(language), buildVocabulary()).first;
    return found->second;
}

const std::string& listEntry(const VocabularyList& list, int value) {
    static const std::string none;
    return value >= 0 && value < static_cast<int>(list.size()) ? list[static_cast<std::size_t>(value)] : none;
}

} // namespace zkt
