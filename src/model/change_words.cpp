#include "model/change_words.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"
#include "model/console_names.h"
#include "model/manual_summary.h"
#include "model/piston_description.h"

#include <algorithm>

namespace zkt {

namespace {

std::string onOff(bool on) {
    return on ? tr("on") : tr("off");
}

std::string velocityWords(const ChannelSummary& channel) {
    return channel.velocitySensing ? channel.velocity : formatText(tr("fixed %1"), channel.velocity);
}

std::string analogInputWords(const ChannelSummary& channel, const shoeInfo& shoe) {
    return shoe.expressionOn ? formatText(tr("%1, %2"), channel.analogInput, channel.controller)
                             : channel.analogInput;
}

bool sameStoredChannel(const ConfigModel& a, const ConfigModel& b, int manualIndex, int channel) {
    const auto slot = static_cast<std::size_t>(channelSlotOf(manualIndex, channel));
    const unsigned bit = 1u << (channel - 1);
    return a.channelTranspose[slot] == b.channelTranspose[slot] &&
           a.channelVelocity[slot] == b.channelVelocity[slot] && a.shoes[slot] == b.shoes[slot] &&
           (a.keyboards[manualIndex].channels & bit) == (b.keyboards[manualIndex].channels & bit);
}

// A chain read from the MCUs has no names: each text is taken from whichever side has one,
// the configuration after the change first.
ConsoleNames namesOfEither(const ConsoleNames& before, const ConsoleNames& after) {
    ConsoleNames names = after;
    const auto fill = [](auto& texts, const auto& others) {
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (texts[i].empty())
                texts[i] = others[i];
        }
    };
    fill(names.manualNames, before.manualNames);
    fill(names.pistonLabels, before.pistonLabels);
    return names;
}

std::string quotedOrNone(const std::string& text) {
    return text.empty() ? tr("(none)") : "\"" + oneLine(text) + "\"";
}

std::string change(const std::string& from, const std::string& to) {
    return from + changeArrow + to;
}

std::string keys(int count) {
    return formatText(trn("%1 key", "%1 keys", static_cast<unsigned long>(count)), count);
}

enum class NameChanges { unsaid, said };

// Compares one manual of two configurations record by record and words each change.
class ManualComparison {
public:
    ManualComparison(const ConfigModel& before, const ConfigModel& beforeStored, const ConfigModel& after,
                     int manual, NameChanges nameChanges)
        : m_before(before), m_stored(beforeStored), m_after(after), m_m(manual - 1),
          m_names(namesOfEither(before.names, after.names)), m_manual(manualWithName(m_names, manual)),
          m_nameChanges(nameChanges) {}

    std::vector<std::string> lines() {
        if (m_nameChanges == NameChanges::said)
            compareName();
        compareKeyboard();
        for (int c = 1; c <= channelsPerManual; ++c)
            compareChannel(c);
        for (int k = 0; k < pistonsPerManual; ++k)
            comparePiston(k);
        return std::move(m_lines);
    }

private:
    const keyboardInfo& keyboardOf(const ConfigModel& model) const {
        return model.keyboards[static_cast<std::size_t>(m_m)];
    }

    // True when the record's words differ in this attribute; then it is said.
    bool say(const std::string& record, const std::string& attribute, const std::string& from,
             const std::string& to) {
        if (from == to)
            return false;
        // TRANSLATORS: %1 is the manual, %2 what changed in it ("channel 3"), then its attribute
        // ("key offset") and the change ("0 → +12").
        m_lines.push_back(attribute.empty() ? formatText(tr("%1, %2: %3"), m_manual, record, change(from, to))
                                            : formatText(tr("%1, %2: %3 %4"), m_manual, record, attribute,
                                                         change(from, to)));
        return true;
    }

    void compareName() {
        const auto m = static_cast<std::size_t>(m_m);
        const std::string& from = m_before.names.manualNames[m];
        const std::string& to = m_after.names.manualNames[m];
        // Said under the plain number: a name beside it would read as the old one or the new.
        if (from != to)
            m_lines.push_back(
                formatText(tr("Manual %1: name %2"), m_m + 1, change(quotedOrNone(from), quotedOrNone(to))));
        const int fromKeys = m_before.names.compass[m];
        const int toKeys = m_after.names.compass[m];
        if (fromKeys != toKeys)
            m_lines.push_back(
                formatText(tr("Manual %1: compass %2"), m_m + 1, change(keys(fromKeys), keys(toKeys))));
    }

    void sayUnshownDifference(const std::string& record) {
        m_lines.push_back(formatText(tr("%1, %2: only values not in use differ"), m_manual, record));
    }

    void compareKeyboard() {
        const std::vector<OptionSummary> from = keyboardOptions(keyboardOf(m_before));
        const std::vector<OptionSummary> to = keyboardOptions(keyboardOf(m_after));
        for (std::size_t bit = 0; bit < from.size(); ++bit)
            say(from[bit].caption, "", onOff(from[bit].on), onOff(to[bit].on));

        const keyboardInfo& stored = keyboardOf(m_stored);
        const keyboardInfo& after = keyboardOf(m_after);
        const bool worded = say(archiveCrescendoTitle(), "", archiveCrescendoText(keyboardOf(m_before)),
                                archiveCrescendoText(after));
        if (!worded &&
            (stored.archiveInput != after.archiveInput || stored.archiveChannel != after.archiveChannel))
            sayUnshownDifference(archiveCrescendoTitle());
    }

    void compareChannel(int channel) {
        const ChannelSummary from = channelSummary(m_before, m_m, channel);
        const ChannelSummary to = channelSummary(m_after, m_m, channel);
        const auto slot = static_cast<std::size_t>(channelSlotOf(m_m, channel));
        const std::string record = formatText(tr("channel %1"), channel);
        const auto enabled = [](bool on) { return on ? tr("enabled") : tr("disabled"); };
        bool worded = say(record, "", enabled(from.enabled), enabled(to.enabled));
        // TRANSLATORS: what of a channel changed, in "Manual 1, channel 3: key offset 0 → +12".
        worded = say(record, tr("key offset"), from.keyOffset, to.keyOffset) || worded;
        worded = say(record, tr("velocity"), velocityWords(from), velocityWords(to)) || worded;
        worded = say(record, tr("analog input"), analogInputWords(from, m_before.shoes[slot]),
                     analogInputWords(to, m_after.shoes[slot])) ||
                 worded;
        if (!worded && !sameStoredChannel(m_stored, m_after, m_m, channel))
            sayUnshownDifference(record);
    }

    void comparePiston(int k) {
        const int pistonIndex = pistonIndexOf(m_m, k);
        const auto index = static_cast<std::size_t>(pistonIndex);
        const std::string record = pistonWithLabel(m_names, pistonIndex);
        const bool worded = say(record, "", pistonFunctionWithDetail(m_before.pistons[index]),
                                pistonFunctionWithDetail(m_after.pistons[index]));
        if (!worded && m_stored.pistons[index] != m_after.pistons[index])
            sayUnshownDifference(record);
        if (m_nameChanges == NameChanges::said) {
            say(formatText(tr("piston %1"), k + 1), tr("label"),
                quotedOrNone(m_before.names.pistonLabels[index]),
                quotedOrNone(m_after.names.pistonLabels[index]));
        }
    }

    const ConfigModel& m_before;
    const ConfigModel& m_stored;
    const ConfigModel& m_after;
    int m_m; // manualIndex
    ConsoleNames m_names;
    std::string m_manual;
    NameChanges m_nameChanges;
    std::vector<std::string> m_lines;
};

int manualsOf(const ConfigModel& model) {
    return std::clamp<int>(model.numberOfManuals, 0, maxManuals);
}

} // namespace

std::vector<std::string> manualChangesInWords(const ConfigModel& before, const ConfigModel& beforeStored,
                                              const ConfigModel& after, int manual) {
    return ManualComparison(before, beforeStored, after, manual, NameChanges::unsaid).lines();
}

std::vector<std::string> manualChangesInWords(const ConfigModel& before, const ConfigModel& after,
                                              int manual) {
    return manualChangesInWords(before, before, after, manual);
}

std::vector<std::string> configurationChangesInWords(const ConfigModel& before, const ConfigModel& after) {
    const int beforeManuals = manualsOf(before);
    const int afterManuals = manualsOf(after);
    std::vector<std::string> lines;
    if (beforeManuals != afterManuals)
        lines.push_back(formatText(tr("Number of manuals: %1"),
                                   change(std::to_string(beforeManuals), std::to_string(afterManuals))));
    for (int manual = 1; manual <= std::max(beforeManuals, afterManuals); ++manual) {
        const std::string name = manualWithName(namesOfEither(before.names, after.names), manual);
        // TRANSLATORS: whether a manual is in the configuration, in "Manual 3: present → absent".
        const std::string present = tr("present");
        const std::string absent = tr("absent");
        if (manual > afterManuals) {
            lines.push_back(formatText(tr("%1: %2"), name, change(present, absent)));
        } else if (manual > beforeManuals) {
            lines.push_back(formatText(tr("%1: %2"), name, change(absent, present)));
        } else {
            const std::vector<std::string> manualLines =
                ManualComparison(before, before, after, manual, NameChanges::said).lines();
            lines.insert(lines.end(), manualLines.begin(), manualLines.end());
        }
    }
    return lines;
}

} // namespace zkt
