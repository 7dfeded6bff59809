#include "model/config_json.h"

#include "i18n/format_text.h"
#include "i18n/language.h"
#include "i18n/tr.h"
#include "model/carried_values.h"
#include "model/console_names.h"
#include "model/function_group_rules.h"
#include "model/json_strict_parse.h"
#include "model/piston_description.h"
#include "model/program_image.h"
#include "model/vocabulary.h"

#include <cstdint>
#include <limits>
#include <set>
#include <string>

namespace zkt {
namespace {

using nlohmann::json;
// Output keeps the fields in the model's order, which is how people read and diff the file.
using nlohmann::ordered_json;

namespace key {
constexpr const char* numberOfManuals = "numberOfManuals";
constexpr const char* manuals = "manuals";
constexpr const char* keyboard = "keyboard";
constexpr const char* channels = "channels";
constexpr const char* pistons = "pistons";
constexpr const char* keyboardConfig = "keyboardConfig";
constexpr const char* archiveInput = "archiveInput";
constexpr const char* archiveChannel = "archiveChannel";
constexpr const char* channelTranspose = "channelTranspose";
constexpr const char* channelVelocity = "channelVelocity";
constexpr const char* shoe = "shoe";
constexpr const char* shoeChannel = "channel";
constexpr const char* volumeControl = "volumeControl";
constexpr const char* expressionOn = "expressionOn";
constexpr const char* functionGroup = "functionGroup";
constexpr const char* functionType = "functionType";
constexpr const char* midiChannel = "midiChannel";
constexpr const char* programNumber = "programNumber";
constexpr const char* bankSelMSBFlag = "bankSelMSBFlag";
constexpr const char* bankSelMSB = "bankSelMSB";
constexpr const char* bankSelLSBFlag = "bankSelLSBFlag";
constexpr const char* bankSelLSB = "bankSelLSB";
constexpr const char* bankSelProgramFlag = "bankSelProgramFlag";
constexpr const char* description = "description";
constexpr const char* name = "name";
constexpr const char* label = "label";
constexpr const char* compass = "compass";
} // namespace key

ordered_json keyboardToJson(const keyboardInfo& keyboard) {
    return {{key::channels, keyboard.channels},
            {key::keyboardConfig, keyboard.keyboardConfig},
            {key::archiveInput, keyboard.archiveInput},
            {key::archiveChannel, keyboard.archiveChannel}};
}

ordered_json channelToJson(const ConfigModel& model, int slot) {
    const shoeInfo& shoe = model.shoes[slot];
    return {{key::channelTranspose, model.channelTranspose[slot]},
            {key::channelVelocity, model.channelVelocity[slot]},
            {key::shoe,
             {{key::shoeChannel, shoe.channel},
              {key::volumeControl, shoe.volumeControl},
              {key::expressionOn, shoe.expressionOn}}}};
}

ordered_json pistonToJson(const pistonInfo& piston) {
    return {{key::functionGroup, piston.functionGroup},
            {key::functionType, piston.functionType},
            {key::midiChannel, piston.midiChannel},
            {key::programNumber, piston.programNumber},
            {key::bankSelMSBFlag, piston.bankSelMSBFlag},
            {key::bankSelMSB, piston.bankSelMSB},
            {key::bankSelLSBFlag, piston.bankSelLSBFlag},
            {key::bankSelLSB, piston.bankSelLSB},
            {key::bankSelProgramFlag, piston.bankSelProgramFlag}};
}

// The name or label first, and only where there is one: a configuration without names exports
// as it always has.
ordered_json withConsoleName(const char* name, const std::string& text, ordered_json record) {
    if (text.empty())
        return record;
    ordered_json named = {{name, text}};
    named.update(record);
    return named;
}

[[noreturn]] void reject(const std::string& where, const std::string& reason) {
    throw ConfigJsonError(formatText(tr("%1: %2"), where, reason));
}

// What a JSON value is, to end "..., got %1".
std::string typeName(const json& value) {
    if (value.is_number_float()) {
        // TRANSLATORS: what a value in a JSON file is, in "numberOfManuals must be an integer, got a string".
        return tr("a fraction");
    }
    if (value.is_number())
        return tr("an integer");
    if (value.is_boolean())
        return tr("a boolean");
    if (value.is_string())
        return tr("a string");
    if (value.is_array())
        return tr("an array");
    if (value.is_object())
        return tr("an object");
    // JSON's own word.
    return "null";
}

// Reads the members of one JSON object, remembering which keys were used so that anything
// else can be reported as unknown: a misspelt key must not silently fall back to a default.
class ObjectReader {
public:
    ObjectReader(const json& object, std::string where) : m_object(object), m_where(std::move(where)) {
        if (!m_object.is_object())
            reject(m_where, formatText(tr("expected an object, got %1"), typeName(m_object)));
    }

    const std::string& where() const { return m_where; }

    const json* member(const char* name) {
        m_used.insert(name);
        const auto found = m_object.find(name);
        return found == m_object.end() ? nullptr : &*found;
    }

    template <typename Integer> void integer(const char* name, Integer& target) {
        const json* value = member(name);
        if (value == nullptr)
            return;
        if (!value->is_number_integer()) {
            // TRANSLATORS: %1 is the name of a JSON field, as the file spells it.
            reject(m_where, formatText(tr("%1 must be an integer, got %2"), name, typeName(*value)));
        }
        constexpr auto low = static_cast<std::int64_t>(std::numeric_limits<Integer>::min());
        constexpr auto high = static_cast<std::int64_t>(std::numeric_limits<Integer>::max());
        const bool tooLarge = value->is_number_unsigned()
                                  ? value->get<std::uint64_t>() > static_cast<std::uint64_t>(high)
                                  : value->get<std::int64_t>() > high;
        if (tooLarge || (!value->is_number_unsigned() && value->get<std::int64_t>() < low)) {
            reject(m_where, formatText(tr("%1 %2 is outside %3..%4"), name, value->dump(), low, high));
        }
        target = static_cast<Integer>(value->get<std::int64_t>());
    }

    void flag(const char* name, bool& target) {
        const json* value = member(name);
        if (value == nullptr)
            return;
        if (!value->is_boolean()) {
            reject(m_where, formatText(tr("%1 must be true or false, got %2"), name, typeName(*value)));
        }
        target = value->get<bool>();
    }

    // A manual's name or a piston's label: a string the rules of console_names.h allow.
    void consoleName(const char* name, std::string& target) {
        const json* value = member(name);
        if (value == nullptr)
            return;
        if (!value->is_string())
            reject(m_where, formatText(tr("%1 must be a string, got %2"), name, typeName(*value)));
        std::string text = value->get<std::string>();
        if (const std::string problem = consoleNameProblem(text, name); !problem.empty())
            reject(m_where, problem);
        target = std::move(text);
    }

    // A manual's compass, which console_names.h bounds.
    void compass(int& target) {
        int keys = target;
        integer(key::compass, keys);
        if (!compassProblem(keys).empty())
            reject(m_where, formatText(tr("%1 %2 is not 1 to %3 keys"), key::compass, keys, longestCompass));
        target = keys;
    }

    void rejectUnknownKeys() const {
        for (const auto& item : m_object.items()) {
            if (!m_used.contains(item.key()))
                reject(m_where, formatText(tr("unknown key \"%1\""), item.key()));
        }
    }

private:
    const json& m_object;
    std::string m_where;
    std::set<std::string, std::less<>> m_used;
};

// sentence: %1 the field, %2 its value, %3..%4 the range, and from %5 on the reasons given.
void requireRange(const std::string& where, const char* field, int value, ValueRange range,
                  const std::string& sentence, const std::vector<std::string>& reasons = {}) {
    if (range.contains(value))
        return;
    std::vector<std::string> arguments{field, std::to_string(value), std::to_string(range.low),
                                       std::to_string(range.high)};
    arguments.insert(arguments.end(), reasons.begin(), reasons.end());
    reject(where, formatTextOf(sentence, arguments));
}

void requireRange(const std::string& where, const char* field, int value, ValueRange range) {
    requireRange(where, field, value, range, tr("%1 %2 is outside %3..%4"));
}

void requireRangeInGroup(const std::string& where, const char* field, int value, ValueRange range,
                         int group) {
    // TRANSLATORS: %6 is the function group's name, as the piston editor lists it.
    requireRange(where, field, value, range, tr("%1 %2 is outside %3..%4 in function group %5 (%6)"),
                 {std::to_string(group),
                  translated(vocabulary().functionGroupNames[static_cast<std::size_t>(group)])});
}

int lastFunctionType(int group) {
    return static_cast<int>(vocabulary().functionLists[static_cast<std::size_t>(group)].size()) - 1;
}

// Values the encoder would write without complaint but that come back from the image as a
// different assignment (or none): refusing them keeps a hand-edited file honest. The values
// the editors refuse as well are found by uncarriedValues (requireWritable).
void checkPistonFits(const pistonInfo& p, const std::string& where) {
    const int group = p.functionGroup;
    requireRange(where, key::functionGroup, group, {0, functionGroupCount - 1});
    const FunctionGroupRule rule = *functionGroupRule(group);
    switch (rule.channel) {
    case ChannelInput::hidden:
        // Unassigned stores nothing; HX-90 Cancel's channel still goes into the image.
        if (group == 0)
            return;
        requireRangeInGroup(where, key::midiChannel, p.midiChannel, midiChannelRange, group);
        break;
    case ChannelInput::num:
        requireRange(where, key::midiChannel, p.midiChannel, numRange,
                     tr("%1 %2 is outside %3..%4 (the NUM value)"));
        return;
    case ChannelInput::midiChannel:
        requireRangeInGroup(where, key::midiChannel, p.midiChannel, midiChannelRange, group);
        break;
    }
    if (rule.typeMustBeListed)
        requireRangeInGroup(where, key::functionType, p.functionType, {0, lastFunctionType(group)}, group);
    if (rule.valueInput != ValueInput::none)
        requireRangeInGroup(where, key::programNumber, p.programNumber, rule.valueRange, group);
    if (rule.bankRows) {
        if (p.bankSelMSBFlag)
            requireRange(where, key::bankSelMSB, p.bankSelMSB, bankValueRange);
        if (p.bankSelLSBFlag)
            requireRange(where, key::bankSelLSB, p.bankSelLSB, bankValueRange);
        if (p.bankSelProgramFlag)
            requireRange(where, key::programNumber, p.programNumber, rule.valueRange,
                         tr("%1 %2 is outside %3..%4 with bankSelProgramFlag"));
    }
}

void readKeyboard(const json& object, const std::string& where, keyboardInfo& keyboard) {
    ObjectReader reader(object, where);
    reader.integer(key::channels, keyboard.channels);
    reader.integer(key::keyboardConfig, keyboard.keyboardConfig);
    reader.integer(key::archiveInput, keyboard.archiveInput);
    reader.integer(key::archiveChannel, keyboard.archiveChannel);
    reader.rejectUnknownKeys();
    // Input values above 3 would spill into the archive channel's bits of the same byte.
    requireRange(where, key::archiveInput, keyboard.archiveInput, {0, analogInputCount},
                 tr("%1 %2 is outside %3..%4 (3 = none)"));
}

void readChannel(const json& object, const std::string& where, ConfigModel& model, int slot) {
    ObjectReader reader(object, where);
    reader.integer(key::channelTranspose, model.channelTranspose[slot]);
    reader.integer(key::channelVelocity, model.channelVelocity[slot]);
    if (const json* shoeObject = reader.member(key::shoe)) {
        shoeInfo& shoe = model.shoes[slot];
        // TRANSLATORS: where in a JSON configuration: "Manual 1, channel 2, shoe".
        ObjectReader shoeReader(*shoeObject, formatText(tr("%1, shoe"), where));
        shoeReader.integer(key::shoeChannel, shoe.channel);
        shoeReader.flag(key::volumeControl, shoe.volumeControl);
        shoeReader.flag(key::expressionOn, shoe.expressionOn);
        shoeReader.rejectUnknownKeys();
        requireRange(shoeReader.where(), key::shoeChannel, shoe.channel, {0, analogInputCount - 1},
                     tr("%1 %2 is outside %3..%4 (the analog input)"));
    }
    reader.rejectUnknownKeys();
}

void readPiston(const json& object, const std::string& where, pistonInfo& piston, std::string& label) {
    ObjectReader reader(object, where);
    reader.consoleName(key::label, label);
    reader.integer(key::functionGroup, piston.functionGroup);
    reader.integer(key::functionType, piston.functionType);
    reader.integer(key::midiChannel, piston.midiChannel);
    reader.integer(key::programNumber, piston.programNumber);
    reader.flag(key::bankSelMSBFlag, piston.bankSelMSBFlag);
    reader.integer(key::bankSelMSB, piston.bankSelMSB);
    reader.flag(key::bankSelLSBFlag, piston.bankSelLSBFlag);
    reader.integer(key::bankSelLSB, piston.bankSelLSB);
    reader.flag(key::bankSelProgramFlag, piston.bankSelProgramFlag);
    reader.member(key::description);
    reader.rejectUnknownKeys();
    checkPistonFits(piston, where);
}

const json& arrayOf(const json* value, const std::string& where, const char* name, std::size_t size) {
    if (!value->is_array())
        reject(where, formatText(tr("%1 must be an array, got %2"), name, typeName(*value)));
    if (value->size() != size) {
        // TRANSLATORS: the plural goes with the number of entries (%2).
        reject(where, formatText(trn("%1 has %2 entries, expected %3", "%1 has %2 entries, expected %3",
                                     value->size()),
                                 name, value->size(), size));
    }
    return *value;
}

void readManual(const json& object, int manualIndex, ConfigModel& model) {
    const std::string where = formatText(tr("Manual %1"), manualIndex + 1);
    ObjectReader reader(object, where);
    reader.consoleName(key::name, model.names.manualNames[static_cast<std::size_t>(manualIndex)]);
    reader.compass(model.names.compass[static_cast<std::size_t>(manualIndex)]);
    if (const json* keyboard = reader.member(key::keyboard)) {
        readKeyboard(*keyboard, formatText(tr("%1, keyboard"), where), model.keyboards[manualIndex]);
    }
    if (const json* channels = reader.member(key::channels)) {
        const json& list = arrayOf(channels, where, key::channels, channelsPerManual);
        for (int c = 0; c < channelsPerManual; ++c) {
            readChannel(list[c], formatText(tr("%1, channel %2"), where, c + 1), model,
                        channelSlotOf(manualIndex, c + 1));
        }
    }
    if (const json* pistons = reader.member(key::pistons)) {
        const json& list = arrayOf(pistons, where, key::pistons, pistonsPerManual);
        for (int k = 0; k < pistonsPerManual; ++k) {
            const int pistonIndex = pistonIndexOf(manualIndex, k);
            readPiston(list[k], formatText(tr("%1, piston %2"), where, k + 1), model.pistons[pistonIndex],
                       model.names.pistonLabels[static_cast<std::size_t>(pistonIndex)]);
        }
    }
    reader.rejectUnknownKeys();
}

// The encoder's own range check has the last word, so that whatever this reader accepts
// can be written to a file or the device; and what it writes must mean what the file says.
void requireWritable(const ConfigModel& model) {
    for (int manual = 1; manual <= model.numberOfManuals; ++manual) {
        try {
            encodedManual(model, manual);
        } catch (const EncodeOverflow& e) {
            throw ConfigJsonError(e.what());
        }
    }
    const std::vector<std::string> uncarried = uncarriedValues(model);
    if (!uncarried.empty())
        throw ConfigJsonError(uncarried.front());
}

} // namespace

nlohmann::ordered_json configurationToJson(const ConfigModel& model) {
    ordered_json manuals = ordered_json::array();
    for (int m = 0; m < model.numberOfManuals && m < maxManuals; ++m) {
        ordered_json channels = ordered_json::array();
        for (int c = 1; c <= channelsPerManual; ++c)
            channels.push_back(channelToJson(model, channelSlotOf(m, c)));
        ordered_json pistons = ordered_json::array();
        for (int k = 0; k < pistonsPerManual; ++k) {
            const int pistonIndex = pistonIndexOf(m, k);
            pistons.push_back(withConsoleName(key::label,
                                              model.names.pistonLabels[static_cast<std::size_t>(pistonIndex)],
                                              pistonToJson(model.pistons[pistonIndex])));
        }
        ordered_json manual = {{key::keyboard, keyboardToJson(model.keyboards[m])},
                               {key::channels, std::move(channels)},
                               {key::pistons, std::move(pistons)}};
        // Only where it is not the default, so that a configuration without one exports as before.
        if (const int keys = model.names.compass[static_cast<std::size_t>(m)]; keys != defaultCompass) {
            ordered_json withCompass = {{key::compass, keys}};
            withCompass.update(manual);
            manual = std::move(withCompass);
        }
        manuals.push_back(withConsoleName(key::name, model.names.manualNames[static_cast<std::size_t>(m)],
                                          std::move(manual)));
    }
    return {{key::numberOfManuals, manuals.size()}, {key::manuals, std::move(manuals)}};
}

std::string configurationExportText(const ConfigModel& model) {
    // Scripts read the descriptions: they are the same in every language.
    const InEnglish english;
    ordered_json document = configurationToJson(model);
    auto& manuals = document.at(key::manuals);
    for (std::size_t m = 0; m < manuals.size(); ++m) {
        auto& pistons = manuals[m].at(key::pistons);
        for (int k = 0; k < pistonsPerManual; ++k) {
            pistons[static_cast<std::size_t>(k)][key::description] =
                describePiston(model.pistons[pistonIndexOf(static_cast<int>(m), k)]);
        }
    }
    return document.dump(2) + "\n";
}

ConfigModel configurationFromJson(const nlohmann::json& document) {
    // TRANSLATORS: where in a JSON configuration: its top, outside the manuals.
    const std::string where = tr("configuration");
    ConfigModel model;
    ObjectReader reader(document, where);
    const json* manuals = reader.member(key::manuals);
    const json* declaredCount = reader.member(key::numberOfManuals);
    reader.rejectUnknownKeys();

    if (manuals != nullptr && !manuals->is_array()) {
        reject(where, formatText(tr("%1 must be an array, got %2"), key::manuals, typeName(*manuals)));
    }
    const std::size_t present = manuals == nullptr ? 0 : manuals->size();
    if (present > static_cast<std::size_t>(maxManuals)) {
        reject(where, formatText(tr("%1 manuals given, at most %2 are possible"), present, maxManuals));
    }
    std::int16_t count = static_cast<std::int16_t>(present);
    reader.integer(key::numberOfManuals, count);
    if (declaredCount != nullptr && static_cast<std::size_t>(count) != present) {
        reject(where, formatText(tr("numberOfManuals is %1 but the manuals array holds %2"), count, present));
    }
    for (std::size_t m = 0; m < present; ++m)
        readManual((*manuals)[m], static_cast<int>(m), model);
    model.numberOfManuals = count;
    requireWritable(model);
    return model;
}

ConfigModel configurationFromJsonText(std::string_view text) {
    return configurationFromJson(parseJsonStrictly(text));
}

} // namespace zkt
