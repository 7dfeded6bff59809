#include "check/ambiguities.h"

#include "check/check_texts.h"
#include "link/channel_message_words.h"

#include <algorithm>
#include <map>
#include <set>

namespace zkt {

namespace {

using Kind = ConsoleSource::Kind;

void sharedChannels(const ConsolePlan& plan, std::vector<std::string>& warnings) {
    std::map<int, std::vector<int>> manualsOf;
    for (const ManualPlan& manual : plan.manuals()) {
        for (const PlannedChannel& channel : manual.channels)
            manualsOf[channel.channel].push_back(manual.manual);
    }
    for (const auto& [channel, manuals] : manualsOf) {
        if (manuals.size() > 1)
            warnings.push_back(checktext::channelOnManuals(plan.model().names, channel, manuals));
    }
}

void samePresses(const ConsolePlan& plan, std::vector<std::string>& warnings) {
    std::set<std::string> said;
    for (const ManualPlan& manual : plan.manuals()) {
        for (const PlannedPiston& piston : manual.pistons) {
            if (piston.check != PistonCheck::followed)
                continue;
            const bool isNote = piston.press.size() == 1 && piston.press.front().kind == ChannelKind::noteOn;
            const std::vector<ConsoleSource> same =
                isNote ? plan.notePistons(piston.press.front().channel, piston.press.front().data1)
                       : plan.pistonsSending(piston.press);
            // Said once for all of them, in the words of the first one's description.
            const std::string key =
                isNote ? channelMessageShape(piston.press.front()) : checktext::pressWords(piston.press);
            const std::string message =
                isNote ? key
                       : checktext::pistonSetTo(plan.model(), {Kind::piston, manual.manual, piston.piston});
            if (same.size() > 1 && said.insert(key).second)
                warnings.push_back(checktext::pistonsSendTheSame(plan.model().names, same, message));
        }
    }
}

void pistonNotesOfKeys(const ConsolePlan& plan, std::vector<std::string>& warnings) {
    for (const ManualPlan& manual : plan.manuals()) {
        for (const PlannedPiston& piston : manual.pistons) {
            if (piston.check != PistonCheck::followed || piston.press.front().kind != ChannelKind::noteOn)
                continue;
            const ChannelMessage& note = piston.press.front();
            std::vector<ConsoleSource> keys;
            for (const KeyNote& key : plan.keysSending(note.channel, note.data1))
                keys.push_back({Kind::key, key.manual, key.key});
            if (!keys.empty())
                warnings.push_back(checktext::pistonSendsAKeysNote(
                    plan.model().names, {Kind::piston, manual.manual, piston.piston}, keys, note.data1,
                    note.channel));
        }
    }
}

void sameShoes(const ConsolePlan& plan, std::vector<std::string>& warnings) {
    std::set<std::pair<int, int>> said;
    for (const ManualPlan& manual : plan.manuals()) {
        for (const PlannedShoe& shoe : manual.shoes) {
            for (const ChannelMessage& drive : shoe.drives) {
                const std::vector<ConsoleSource> same = plan.shoesSending(drive.channel, drive.data1);
                if (same.size() > 1 && said.insert({drive.channel, drive.data1}).second)
                    warnings.push_back(
                        checktext::shoesSendTheSame(plan.model().names, same, channelMessageShape(drive)));
            }
        }
    }
}

} // namespace

std::vector<std::string> checkAmbiguities(const ConsolePlan& plan) {
    std::vector<std::string> warnings;
    sharedChannels(plan, warnings);
    samePresses(plan, warnings);
    pistonNotesOfKeys(plan, warnings);
    sameShoes(plan, warnings);
    return warnings;
}

} // namespace zkt
