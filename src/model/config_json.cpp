#include "model/config_json.h"

#include "i18n/language.h"
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
    throw ConfigJsonError(where + ": " + reason);
}

std::string typeName(const json& value) {
    if (value.is_number_float())
        return "a fraction";
    if (value.is_number())
        return "an integer";
    if (value.is_boolean())
        return "a boolean";
    if (value.is_string())
        return "a string";
    if (value.is_array())
        return "an array";
    if (value.is_object())
        return "an object";
    return "null";
}

// Reads the members of one JSON object, remembering which keys were used so that anything
// else can be reported as unknown: a misspelt key must not silently fall back to a default.
class ObjectReader {
public:
    ObjectReader(const json& object, std::string where) : m_object(object), m_where(std::move(where)) {
        if (!m_object.is_object())
            reject(m_where, "expected an object, got " + typeName(m_object));
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
            reject(m_where, std::string(name) + " must be an integer, got " + typeName(*value));
        }
        constexpr auto low = static_cast<std::int64_t>(std::numeric_limits<Integer>::min());
        constexpr auto high = static_cast<std::int64_t>(std::numeric_limits<Integer>::max());
        const bool tooLarge = value->is_number_unsigned()
                                  ? value->get<std::uint64_t>() > static_cast<std::uint64_t>(high)
                                  : value->get<std::int64_t>() > high;
        if (tooLarge || (!value->is_number_unsigned() && value->get<std::int64_t>() < low)) {
            reject(m_where, std::string(name) + " " + value->dump() + " is outside " + std::to_string(low) +
                                ".." + std::to_string(high));
        }
        target = static_cast<Integer>(value->get<std::int64_t>());
    }

    void flag(const char* name, bool& target) {
        const json* value = member(name);
        if (value == nullptr)
            return;
        if (!value->is_boolean()) {
            reject(m_where, std::string(name) + " must be true or false, got " + typeName(*value));
        }
        target = value->get<bool>();
    }

    // A manual's name or a piston's label: a string the rules of console_names.h allow.
    void consoleName(const char* name, std::string& target) {
        const json* value = member(name);
        if (value == nullptr)
            return;
        if (!value->is_string())
            reject(m_where, std::string(name) + " must be a string, got " + typeName(*value));
        std::string text = value->get<std::string>();
        if (const std::string problem = consoleNameProblem(text); !problem.empty())
            reject(m_where, std::string(name) + " " + problem);
        target = std::move(text);
    }

    // A manual's compass, which console_names.h bounds.
    void compass(int& target) {
        int keys = target;
        integer(key::compass, keys);
        if (const std::string problem = compassProblem(keys); !problem.empty())
            reject(m_where, std::string(key::compass) + " " + std::to_string(keys) + " " + problem);
        target = keys;
    }

    void rejectUnknownKeys() const {
        for (const auto& item : m_object.items()) {
            if (!m_used.contains(item.key()))
                reject(m_where, "unknown key \"" + item.key() + "\"");
        }
    }

private:
    const json& m_object;
    std::string m_where;
    std::set<std::string, std::less<>> m_used;
};

void requireRange(const std::string& where, const char* field, int value, ValueRange range,
                  const std::string& why = {}) {
    if (!range.contains(value)) {
        reject(where, std::string(field) + " " + std::to_string(value) + " is outside " +
                          std::to_string(range.low) + ".." + std::to_string(range.high) + why);
    }
}

std::string inGroup(int group) {
    return " in function group " + std::to_string(group) + " (" +
           vocabulary().functionGroupNames[static_cast<std::size_t>(group)] + ")";
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
        requireRange(where, key::midiChannel, p.midiChannel, midiChannelRange, inGroup(group));
        break;
    case ChannelInput::num:
        requireRange(where, key::midiChannel, p.midiChannel, numRange, " (the NUM value)");
        return;
    case ChannelInput::midiChannel:
        requireRange(where, key::midiChannel, p.midiChannel, midiChannelRange, inGroup(group));
        break;
    }
    if (rule.typeMustBeListed)
        requireRange(where, key::functionType, p.functionType, {0, lastFunctionType(group)}, inGroup(group));
    if (rule.valueInput != ValueInput::none)
        requireRange(where, key::programNumber, p.programNumber, rule.valueRange, inGroup(group));
    if (rule.bankRows) {
        if (p.bankSelMSBFlag)
            requireRange(where, key::bankSelMSB, p.bankSelMSB, bankValueRange);
        if (p.bankSelLSBFlag)
            requireRange(where, key::bankSelLSB, p.bankSelLSB, bankValueRange);
        if (p.bankSelProgramFlag)
            requireRange(where, key::programNumber, p.programNumber, rule.valueRange,
                         " with bankSelProgramFlag");
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
    requireRange(where, key::archiveInput, keyboard.archiveInput, {0, analogInputCount}, " (3 = none)");
}

void readChannel(const json& object, const std::string& where, ConfigModel& model, int slot) {
    ObjectReader reader(object, where);
    reader.integer(key::channelTranspose, model.channelTranspose[slot]);
    reader.integer(key::channelVelocity, model.channelVelocity[slot]);
    if (const json* shoeObject = reader.member(key::shoe)) {
        shoeInfo& shoe = model.shoes[slot];
        ObjectReader shoeReader(*shoeObject, where + ", shoe");
        shoeReader.integer(key::shoeChannel, shoe.channel);
        shoeReader.flag(key::volumeControl, shoe.volumeControl);
        shoeReader.flag(key::expressionOn, shoe.expressionOn);
        shoeReader.rejectUnknownKeys();
        requireRange(shoeReader.where(), key::shoeChannel, shoe.channel, {0, analogInputCount - 1},
                     " (the analog input)");
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
        reject(where, std::string(name) + " must be an array, got " + typeName(*value));
    if (value->size() != size) {
        reject(where, std::string(name) + " has " + std::to_string(value->size()) + " entries, expected " +
                          std::to_string(size));
    }
    return *value;
}

void readManual(const json& object, int manualIndex, ConfigModel& model) {
    const std::string where = "Manual " + std::to_string(manualIndex + 1);
    ObjectReader reader(object, where);
    reader.consoleName(key::name, model.names.manualNames[static_cast<std::size_t>(manualIndex)]);
    reader.compass(model.names.compass[static_cast<std::size_t>(manualIndex)]);
    if (const json* keyboard = reader.member(key::keyboard)) {
        readKeyboard(*keyboard, where + ", keyboard", model.keyboards[manualIndex]);
    }
    if (const json* channels = reader.member(key::channels)) {
        const json& list = arrayOf(channels, where, key::channels, channelsPerManual);
        for (int c = 0; c < channelsPerManual; ++c) {
            readChannel(list[c], where + ", channel " + std::to_string(c + 1), model,
                        channelSlotOf(manualIndex, c + 1));
        }
    }
    if (const json* pistons = reader.member(key::pistons)) {
        const json& list = arrayOf(pistons, where, key::pistons, pistonsPerManual);
        for (int k = 0; k < pistonsPerManual; ++k) {
            const int pistonIndex = pistonIndexOf(manualIndex, k);
            readPiston(list[k], where + ", piston " + std::to_string(k + 1), model.pistons[pistonIndex],
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
    const std::string where = "configuration";
    ConfigModel model;
    ObjectReader reader(document, where);
    const json* manuals = reader.member(key::manuals);
    const json* declaredCount = reader.member(key::numberOfManuals);
    reader.rejectUnknownKeys();

    if (manuals != nullptr && !manuals->is_array()) {
        reject(where, std::string(key::manuals) + " must be an array, got " + typeName(*manuals));
    }
    const std::size_t present = manuals == nullptr ? 0 : manuals->size();
    if (present > static_cast<std::size_t>(maxManuals)) {
        reject(where, std::to_string(present) + " manuals given, at most " + std::to_string(maxManuals) +
                          " are possible");
    }
    std::int16_t count = static_cast<std::int16_t>(present);
    reader.integer(key::numberOfManuals, count);
    if (declaredCount != nullptr && static_cast<std::size_t>(count) != present) {
        reject(where, "numberOfManuals is " + std::to_string(count) + " but the manuals array holds " +
                          std::to_string(present));
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
