#include "model/vocabulary.h"

#include <cstdio>
#include <utility>

namespace zkt {

namespace {

std::string upperHex(int value, int digits) {
    char text[16]; // room for any int: optimised builds warn of truncation otherwise
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

using NamedCode = std::pair<const char*, std::optional<std::uint8_t>>;

void setFunctionList(Vocabulary& v, FunctionGroup group, std::initializer_list<NamedCode> entries) {
    const auto g = static_cast<std::size_t>(group);
    for (const auto& [name, code] : entries) {
        v.functionLists[g].emplace_back(name);
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
            names.push_back(std::string("Memory ") + letter + " General #" + std::to_string(number));
        }
    }
    return names;
}

VocabularyList plexoFunctionNames() {
    VocabularyList names = {"Left",
                            "Up",
                            "Center",
                            "Down",
                            "Right",
                            "Great Flues",
                            "Swell Flues",
                            "Great Mixture",
                            "Great Reeds",
                            "Swell Reeds",
                            "Pedal Stops",
                            "Great To Swell",
                            "Great To Pedal",
                            "Swell to Great",
                            "Swell To Pedal",
                            "Clear",
                            "Rec",
                            "Thru",
                            "Reset",
                            "Trem. Swell",
                            "Cancel",
                            "Trem. Great",
                            "Panic"};
    for (int number = 1; number <= 10; ++number) {
        names.push_back("Free Memory #" + std::to_string(number));
    }
    for (int number = 1; number <= 12; ++number) {
        names.push_back("Fixed Memory #" + std::to_string(number));
    }
    for (const char* name :
         {"Go Flues Mute", "Sw Flues Mute", "Go Reeds Mute", "Sw Reeds Mute", "Unused", "Temper Type -",
          "Temper Type +", "Temper Key -", "Temper Key +", "Reverb -", "Reverb +"}) {
        names.emplace_back(name);
    }
    return names;
}

struct LarkmoorCase {
    const char* title; // the text after "<CASE in hex> - "
    int numList;
};

// CASEs 4..14 are generated; these are the rest, in CASE order from 15.
constexpr LarkmoorCase namedCasesFrom15[] = {
    {"General (1st set)", 5},
    {"Combo Memory Direct Access", 4},
    {"General (2nd set)", 5},
    {"Cancel", 11},
    {"Sforzando", 3},
    {"Ventil", 4},
    {"Up/Down Select", 13},
    {"Special Functions", 18},
    {"Lighted Reversibles", 4},
    {"Piston Couplers", 7},
    {"Coupler Reversibles", 8},
    {"Up/Down", 9},
    {"Reg.Seq.Next/Last", 10},
    {"Recall", 2},
    {"Coupler Reversibles (2nd set)", 5},
    {"MIDI Memory Up/Down", 9},
    {"Transposer", 12},
    {"(Not Used)", 1},
    {"MIDI-stop Mem.Lev. Direct Access", 4},
    {"Crescendo Memory Select", 14},
    {"Expander MIDI-Sustain", 2},
    {"Settable Tab Reversible", 5},
    {"(Not Used)", 1},
    {"Set/Alt", 15},
    {"Memory Lock On/Off", 16},
    {"Other Tabs Off Reversible", 5},
    {"Player Controls", 17},
    {"Send Prog# on Seq.MIDI Ctrl Ch.", 5},
    {"Send Prog# on Seq.MIDI Ctrl Ch.", 6},
    {"Send Prog# on Exp.MIDI Ctrl Ch.", 5},
    {"Send Prog# on Exp.MIDI Ctrl Ch.", 6},
    {"Reserved Special Functions", 5},
    {"Coupler Reversibles (3rd set)", 5},
    {"(Not Used)", 1},
    {"Special Lighted Reversibles", 4},
};

void setLarkmoorCases(Vocabulary& v) {
    const auto g = static_cast<std::size_t>(FunctionGroup::larkmoorPiston);
    auto& names = v.functionLists[g];
    auto& map = v.numListMap[g];
    const char* namedDivisions[] = {"(Pedal) ", "(Great) ", "(Swell) ", "(Choir) "};
    for (int caseNumber = 0; caseNumber <= 14; ++caseNumber) {
        const std::string division = caseNumber < 4 ? namedDivisions[caseNumber] : "";
        names.push_back(upperHex(caseNumber, 2) + " - Div#" + std::to_string(caseNumber + 1) + " " +
                        division + "Divisional");
        map.push_back(5);
    }
    int caseNumber = 15;
    for (const auto& named : namedCasesFrom15) {
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
VocabularyList labelledNums(std::initializer_list<const char*> texts) {
    VocabularyList names;
    int num = 0;
    for (const char* text : texts) {
        names.push_back(upperHex(num++, 1) + " - " + text);
    }
    return names;
}

void setNumLists(Vocabulary& v) {
    auto& lists = v.numLists;
    lists[1] = {""};
    lists[2] = {"0"};
    lists[3] = numberedNums(4, 1);
    lists[4] = numberedNums(8, 1);
    lists[5] = numberedNums(16, 1);
    lists[6] = numberedNums(16, 17);
    lists[7] =
        labelledNums({"Not Used", "Pedal on Great", "Pedal on Swell", "Pedal on Choir", "?", "?", "?", "?"});
    lists[8] =
        labelledNums({"Great to Pedal", "Swell to Pedal", "Choir to Pedal", "Swell to Great",
                      "Choir to Great", "Swell to Choir", "?", "?", "?", "?", "?", "?", "?", "?", "?", "?"});
    lists[9] = labelledNums({"Up", "Down"});
    lists[10] = labelledNums({"Next", "Last"});
    lists[11] = labelledNums({"Div#1 (Pedal)", "Div#2 (Great)", "Div#3 (Swell)", "Div#4 (Choir)"});
    for (int num = 4; num <= 14; ++num) {
        lists[11].push_back(upperHex(num, 1) + " - Div#" + std::to_string(num + 1));
    }
    lists[11].push_back("F - General");
    lists[12] = labelledNums({"Transposer Up", "Transposer Down", "Transposer Cancel"});
    lists[13] = labelledNums({"Reg. Sequencer", "Memory", "Transposer", "Setup"});
    lists[14] = labelledNums({"1st Alternate", "2nd Alternate", "3rd Alternate", "Not Used", "Not Used",
                              "Not Used", "Not Used", "Default"});
    lists[15] = labelledNums({"Set", "Alt"});
    lists[16] = labelledNums({"Unlock", "Lock", "Toggle"});
    lists[17] = labelledNums({"Play", "Pause", "Record"});
    lists[18] = labelledNums({"Multi MIDI", "?", "?", "MIDI Reg. Off"});
}

Vocabulary buildVocabulary() {
    Vocabulary v;
    v.controllerNames = {"Volume (7)", "Expression (11)"};
    v.analogInputNames = {"Disabled", "Input 1", "Input 2", "Input 3"};
    v.keyboardOptionNames = {
        "Enable/Disable Indicator Lights",
        "Enable Set MIDI Channels via (P1+C#1)",
        "Enable Clear MIDI Channels via (P1+D#1)",
        "Enable Set Default Channel Velocity via (P1+F#1)",
        "Enable Velocity Sensing Off/On via (P1+A#1/P1+G#1)",
        "Enable Volume Setup via (P1+C#2)",
        "Enable Expression Setup via (P1+D#2)",
        "Enable Tranposition (Setting Middle C) via (P1+key)",
    };
    v.functionGroupNames = {"Unassigned",      "Ahlborn Coupler", "Ahlborn Tremulant", "Ahlborn Cancel",
                            "Ahlborn General", "Ahlborn SET",     "Ahlborn SFZ",       "Program Change",
                            "PLEXO Function",  "Bank Select",     "HX-90 Tremulant",   "HX-90 Cancel",
                            "Note On/Off",     "All Notes Off",   "LARKMOOR Piston"};

    setFunctionList(v, FunctionGroup::ahlbornCoupler,
                    {{"A to Pd coupler", 4},
                     {"B to Pd coupler", 5},
                     {"B to A coupler", 16},
                     {"A to B coupler", 23},
                     {"A to Aux coupler", 24},
                     {"B to Aux coupler", 25}});
    setFunctionList(v, FunctionGroup::ahlbornTremulant,
                    {{"Swell Tremulant", 87}, {"Great Tremulant", 88}, {"Choir Tremulant", 89}});
    setFunctionList(v, FunctionGroup::ahlbornCancel,
                    {{"General Cancel", 160},
                     {"Swell Division Cancel", 90},
                     {"Great Division Cancel", 91},
                     {"Choir Division Cancel", 92}});
    setConsecutiveFunctionList(v, FunctionGroup::ahlbornGeneral, ahlbornGeneralNames(), 129);
    setFunctionList(v, FunctionGroup::ahlbornSet, {{"SET piston", 94}});
    setFunctionList(v, FunctionGroup::ahlbornSfz, {{"SFZ piston", 95}});
    setFunctionList(v, FunctionGroup::programChange,
                    {{"Registration Frame UP", std::nullopt},
                     {"Registration Frame DOWN", std::nullopt},
                     {"Piston", std::nullopt}});
    setConsecutiveFunctionList(v, FunctionGroup::plexoFunction, plexoFunctionNames(), 36);
    setFunctionList(v, FunctionGroup::bankSelect, {{"Bank Select piston", std::nullopt}});
    setFunctionList(v, FunctionGroup::hx90Tremulant, {{"HX-90 Trem piston", std::nullopt}});
    setFunctionList(v, FunctionGroup::hx90Cancel, {{"HX-90 Cancel piston", std::nullopt}});
    setFunctionList(v, FunctionGroup::noteOnOff, {{"Note On/Off", std::nullopt}});
    setFunctionList(v, FunctionGroup::allNotesOff,
                    {{"On 1 MIDI Channel", 128}, {"On All MIDI Channels", 192}});
    setLarkmoorCases(v);
    setNumLists(v);
    return v;
}

} // namespace

const Vocabulary& vocabulary() {
    static const Vocabulary built = buildVocabulary();
    return built;
}

const std::string& listEntry(const VocabularyList& list, int value) {
    static const std::string none;
    return value >= 0 && value < static_cast<int>(list.size()) ? list[static_cast<std::size_t>(value)] : none;
}

} // namespace zkt
