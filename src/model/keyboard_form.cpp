#include "model/keyboard_form.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"

#include "model/carried_values.h"
#include "model/console_names.h"
#include "model/vocabulary.h"

#include <stdexcept>

namespace zkt {

namespace {

constexpr int topOfByteList = 127;   // key offset and velocity lists run 127 down to 0
constexpr int topOfChannelList = 16; // the archive channel list runs 16 down to 1
constexpr std::uint8_t velocityOptionBit = 0x80;
constexpr std::uint8_t velocityValueBits = 0x7F;
constexpr int disabledInput = 0;  // "Disabled" in an analog input list
constexpr int firstInput = 1;     // "Input 1"
constexpr int volumePosition = 0; // "Volume (7)"
constexpr std::uint8_t noArchiveInput = 3;

int positionIn(const ListItems& list, int position) {
    return position >= 0 && position < list.count() ? position : noSelection;
}

bool bitIsSet(unsigned value, int bit) {
    return ((value >> bit) & 1U) != 0;
}

} // namespace

const ListItems& keyOffsetList() {
    static const ListItems list = fillNumberList(-36, 91, true);
    return list;
}

const ListItems& velocityList() {
    static const ListItems list = fillNumberList(0, topOfByteList, false);
    return list;
}

ListItems analogInputList() {
    return fillListFromVocabulary(vocabulary().analogInputNames, false);
}

ListItems controllerList() {
    return fillListFromVocabulary(vocabulary().controllerNames, false);
}

const ListItems& archiveChannelList() {
    static const ListItems list = fillNumberList(1, topOfChannelList, false);
    return list;
}

KeyboardInputs keyboardInputsOf(const ManualSettings& settings) {
    KeyboardInputs inputs;
    for (std::size_t c = 0; c < inputs.rows.size(); ++c) {
        ChannelRowInputs& row = inputs.rows[c];
        const std::uint8_t velocity = settings.channelVelocity[c];
        const shoeInfo& shoe = settings.shoes[c];
        row.on = bitIsSet(settings.keyboard.channels, static_cast<int>(c));
        row.keyOffset = positionIn(keyOffsetList(), topOfByteList - settings.channelTranspose[c]);
        row.velocityOn = (velocity & velocityOptionBit) != 0;
        row.velocity = topOfByteList - (velocity & velocityValueBits);
        row.analogInput =
            shoe.expressionOn ? positionIn(analogInputList(), shoe.channel + firstInput) : disabledInput;
        row.controller = shoe.volumeControl ? volumePosition : volumePosition + 1;
    }
    for (int bit = 0; bit < keyboardOptionBits; ++bit)
        inputs.options[static_cast<std::size_t>(bit)] = bitIsSet(settings.keyboard.keyboardConfig, bit);
    const std::uint8_t archive = settings.keyboard.archiveInput;
    inputs.archiveInput =
        archive == noArchiveInput ? disabledInput : positionIn(analogInputList(), archive + firstInput);
    inputs.archiveChannel =
        positionIn(archiveChannelList(), topOfChannelList - settings.keyboard.archiveChannel);
    return inputs;
}

ChannelRowEnabled enabledInputs(const ChannelRowInputs& row) {
    return {row.on, row.on, row.on && !row.velocityOn, row.analogInput != disabledInput};
}

ManualSettings savedSettings(const ManualSettings& settings, const KeyboardInputs& inputs) {
    // A position outside its list is no selection: what the settings hold stays.
    const auto listed = [](const ListItems& list, int position) {
        return positionIn(list, position) != noSelection;
    };
    ManualSettings saved = settings;
    std::uint16_t mask = 0;
    for (std::size_t c = 0; c < inputs.rows.size(); ++c) {
        const ChannelRowInputs& row = inputs.rows[c];
        if (row.on) {
            mask = static_cast<std::uint16_t>(mask | (1U << c));
            if (listed(keyOffsetList(), row.keyOffset))
                saved.channelTranspose[c] = static_cast<std::uint8_t>(topOfByteList - row.keyOffset);
            if (listed(velocityList(), row.velocity))
                saved.channelVelocity[c] = static_cast<std::uint8_t>(
                    (topOfByteList - row.velocity) | (row.velocityOn ? velocityOptionBit : 0));
        }
        shoeInfo& shoe = saved.shoes[c];
        if (row.analogInput == disabledInput) {
            shoe.expressionOn = false;
        } else if (listed(analogInputList(), row.analogInput)) {
            shoe.expressionOn = true;
            shoe.channel = static_cast<std::uint8_t>(row.analogInput - firstInput);
        }
        if (listed(controllerList(), row.controller))
            shoe.volumeControl = row.controller == volumePosition;
    }
    saved.keyboard.channels = mask;
    unsigned options = 0;
    for (int bit = 0; bit < keyboardOptionBits; ++bit) {
        if (inputs.options[static_cast<std::size_t>(bit)])
            options |= 1U << bit;
    }
    saved.keyboard.keyboardConfig = static_cast<std::uint8_t>(options);
    if (inputs.archiveInput == disabledInput)
        saved.keyboard.archiveInput = noArchiveInput;
    else if (listed(analogInputList(), inputs.archiveInput))
        saved.keyboard.archiveInput = static_cast<std::uint8_t>(inputs.archiveInput - firstInput);
    if (listed(archiveChannelList(), inputs.archiveChannel))
        saved.keyboard.archiveChannel = static_cast<std::uint8_t>(topOfChannelList - inputs.archiveChannel);
    return saved;
}

std::string keyboardEditorLocation(int manualIndex) {
    // TRANSLATORS: the keyboard editor's heading; the blank before the number is the original's.
    return formatText(tr("Manual # %1"), manualIndex + 1);
}

bool KeyboardForm::hasManual(int manualIndex) {
    return manualIndex >= 0 && manualIndex < maxManuals;
}

KeyboardForm::KeyboardForm(const ManualSettings& settings, int manualIndex, std::string name)
    : m_settings(settings), m_manualIndex(manualIndex), m_inputs(keyboardInputsOf(settings)),
      m_name(std::move(name)) {
    if (!hasManual(manualIndex))
        throw std::out_of_range("manual index " + std::to_string(manualIndex) + " has no manual");
}

ChannelRowEnabled KeyboardForm::enabled(int row) const {
    return enabledInputs(m_inputs.rows.at(static_cast<std::size_t>(row)));
}

std::string KeyboardForm::nameShown() const {
    return oneLine(m_name);
}

void KeyboardForm::typeName(std::string_view shown) {
    if (!m_nameTyped && shown == nameShown())
        return;
    m_nameTyped = true;
    m_name = std::string(shown);
}

ChannelRowInputs* KeyboardForm::row(int index) {
    return index >= 0 && index < channelsPerManual ? &m_inputs.rows[static_cast<std::size_t>(index)]
                                                   : nullptr;
}

void KeyboardForm::setChannelOn(int index, bool on) {
    if (ChannelRowInputs* r = row(index))
        r->on = on;
}

void KeyboardForm::chooseKeyOffset(int index, int position) {
    if (ChannelRowInputs* r = row(index))
        r->keyOffset = positionIn(keyOffsetList(), position);
}

void KeyboardForm::setVelocityOn(int index, bool on) {
    if (ChannelRowInputs* r = row(index))
        r->velocityOn = on;
}

void KeyboardForm::chooseVelocity(int index, int position) {
    if (ChannelRowInputs* r = row(index))
        r->velocity = positionIn(velocityList(), position);
}

void KeyboardForm::chooseAnalogInput(int index, int position) {
    if (ChannelRowInputs* r = row(index))
        r->analogInput = positionIn(analogInputList(), position);
}

void KeyboardForm::chooseController(int index, int position) {
    if (ChannelRowInputs* r = row(index))
        r->controller = positionIn(controllerList(), position);
}

void KeyboardForm::setOption(int bit, bool on) {
    if (bit >= 0 && bit < keyboardOptionBits)
        m_inputs.options[static_cast<std::size_t>(bit)] = on;
}

void KeyboardForm::chooseArchiveInput(int position) {
    m_inputs.archiveInput = positionIn(analogInputList(), position);
}

void KeyboardForm::chooseArchiveChannel(int position) {
    m_inputs.archiveChannel = positionIn(archiveChannelList(), position);
}

KeyboardForm::Saved KeyboardForm::save() {
    Saved saved{savedSettings(m_settings, m_inputs), m_nameTyped ? typedConsoleName(m_name) : m_name, {}};
    // A disabled channel's velocity is not stored, so only enabled ones can be refused.
    for (int c = 0; c < channelsPerManual && saved.refusal.empty(); ++c) {
        const auto i = static_cast<std::size_t>(c);
        if (m_inputs.rows[i].on && !velocityIsCarried(saved.settings->channelVelocity[i]))
            saved.refusal = velocityFaultInWords(c + 1);
    }
    if (saved.refusal.empty() && m_nameTyped)
        saved.refusal = consoleNameRefusal(saved.name, ConsoleNameKind::name);
    if (!saved.refusal.empty())
        saved.settings.reset();
    m_refusal = saved.refusal;
    return saved;
}

} // namespace zkt
