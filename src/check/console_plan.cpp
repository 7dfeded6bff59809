#include "check/console_plan.h"

#include "link/console_messages.h"
#include "model/console_names.h"

#include <algorithm>
#include <tuple>

namespace zkt {

namespace {

constexpr int notesPerChannel = 128;

auto orderOf(const ChannelMessage& m) {
    return std::tuple(static_cast<int>(m.kind), m.channel, m.data1, m.data2);
}

std::vector<ChannelMessage> sorted(std::vector<ChannelMessage> messages) {
    std::sort(messages.begin(), messages.end(),
              [](const ChannelMessage& a, const ChannelMessage& b) { return orderOf(a) < orderOf(b); });
    return messages;
}

// Whether every message of part is in whole, as often as in part.
bool holdsAll(std::vector<ChannelMessage> whole, const std::vector<ChannelMessage>& part) {
    for (const ChannelMessage& m : part) {
        const auto found = std::find(whole.begin(), whole.end(), m);
        if (found == whole.end())
            return false;
        whole.erase(found);
    }
    return true;
}

bool isNotePress(const std::vector<ChannelMessage>& press) {
    return press.size() == 1 && press.front().kind == ChannelKind::noteOn;
}

std::optional<int> onlyChannel(const std::vector<ChannelMessage>& messages) {
    if (messages.empty())
        return std::nullopt;
    for (const ChannelMessage& m : messages) {
        if (m.channel != messages.front().channel)
            return std::nullopt;
    }
    return messages.front().channel;
}

std::vector<ChannelMessage> onChannel(std::vector<ChannelMessage> messages, int channel) {
    for (ChannelMessage& m : messages)
        m.channel = channel;
    return messages;
}

// What a message is apart from its numbers: its kind, channel and (for a controller) which one.
std::vector<std::tuple<int, int, int>> shapeOf(const std::vector<ChannelMessage>& messages) {
    std::vector<std::tuple<int, int, int>> shape;
    for (const ChannelMessage& m : messages)
        shape.emplace_back(static_cast<int>(m.kind), m.channel,
                           m.kind == ChannelKind::controlChange ? m.data1 : -1);
    std::sort(shape.begin(), shape.end());
    return shape;
}

int channelOfOwnGroup(const pistonInfo& piston) {
    const bool hasChannel = piston.functionGroup != static_cast<int>(FunctionGroup::larkmoorPiston);
    return hasChannel && piston.midiChannel >= 1 && piston.midiChannel <= channelsPerManual
               ? piston.midiChannel
               : 0;
}

} // namespace

ConsolePlan::ConsolePlan(const ConfigModel& model)
    : m_model(model), m_keysByNote(static_cast<std::size_t>(channelsPerManual * notesPerChannel)) {
    for (int m = 0; m < model.numberOfManuals && m < maxManuals; ++m) {
        ManualPlan plan;
        plan.manual = m + 1;
        const int compass = model.names.compass[static_cast<std::size_t>(m)];
        plan.compass = compassProblem(compass).empty() ? compass : defaultCompass;
        const std::uint16_t enabled = model.keyboards[static_cast<std::size_t>(m)].channels;
        for (int channel = 1; channel <= channelsPerManual; ++channel) {
            if (((enabled >> (channel - 1)) & 1u) == 0)
                continue;
            const int slot = channelSlotOf(m, channel);
            plan.channels.push_back({channel, model.channelTranspose[static_cast<std::size_t>(slot)],
                                     fixedVelocity(model, slot)});
        }
        for (int key = 1; key <= plan.compass; ++key) {
            bool sends = false;
            for (const PlannedChannel& channel : plan.channels) {
                if (const auto note = keyNote(model, channelSlotOf(m, channel.channel), key)) {
                    sends = true;
                    m_keysByNote[static_cast<std::size_t>((channel.channel - 1) * notesPerChannel + *note)]
                        .push_back({plan.manual, key, channel.velocity});
                }
            }
            if (sends)
                plan.expectedKeys.push_back(key);
        }
        for (int k = 0; k < pistonsPerManual; ++k) {
            const pistonInfo& piston = model.pistons[static_cast<std::size_t>(pistonIndexOf(m, k))];
            PlannedPiston& planned = plan.pistons[static_cast<std::size_t>(k)];
            planned.piston = k + 1;
            if (sendsOrgansOwnMessages(piston)) {
                planned.check = PistonCheck::asked;
                planned.channel = channelOfOwnGroup(piston);
            } else if (planned.press = pistonMessages(piston, true); !planned.press.empty()) {
                planned.check = PistonCheck::followed;
            }
        }
        for (int input = 0; input < analogInputCount; ++input) {
            std::vector<ChannelMessage> drives = shoeMessages(model, m, input, 0);
            if (!drives.empty())
                plan.shoes.push_back({input + 1, std::move(drives)});
        }
        m_manuals.push_back(std::move(plan));
    }
}

const std::vector<KeyNote>& ConsolePlan::keysSending(int channel, int note) const {
    static const std::vector<KeyNote> none;
    if (channel < 1 || channel > channelsPerManual || note < 0 || note >= notesPerChannel)
        return none;
    return m_keysByNote[static_cast<std::size_t>((channel - 1) * notesPerChannel + note)];
}

const PlannedPiston& ConsolePlan::piston(const ConsoleSource& source) const {
    return manual(source.manual).pistons.at(static_cast<std::size_t>(source.number - 1));
}

std::vector<ConsoleSource> ConsolePlan::pistonsSending(const std::vector<ChannelMessage>& press) const {
    std::vector<ConsoleSource> pistons;
    const std::vector<ChannelMessage> wanted = sorted(press);
    for (const ManualPlan& plan : m_manuals) {
        for (const PlannedPiston& p : plan.pistons) {
            if (p.check == PistonCheck::followed && !isNotePress(p.press) && sorted(p.press) == wanted)
                pistons.push_back({ConsoleSource::Kind::piston, plan.manual, p.piston});
        }
    }
    return pistons;
}

std::vector<ConsoleSource> ConsolePlan::notePistons(int channel, int note) const {
    std::vector<ConsoleSource> pistons;
    for (const ManualPlan& plan : m_manuals) {
        for (const PlannedPiston& p : plan.pistons) {
            if (p.check == PistonCheck::followed && isNotePress(p.press) &&
                p.press.front().channel == channel && p.press.front().data1 == note)
                pistons.push_back({ConsoleSource::Kind::piston, plan.manual, p.piston});
        }
    }
    return pistons;
}

std::vector<ConsoleSource> ConsolePlan::shoesSending(int channel, int controller) const {
    std::vector<ConsoleSource> shoes;
    for (const ManualPlan& plan : m_manuals) {
        for (const PlannedShoe& shoe : plan.shoes) {
            const bool drives =
                std::any_of(shoe.drives.begin(), shoe.drives.end(), [&](const ChannelMessage& m) {
                    return m.channel == channel && m.data1 == controller;
                });
            if (drives)
                shoes.push_back({ConsoleSource::Kind::shoe, plan.manual, shoe.input});
        }
    }
    return shoes;
}

bool ConsolePlan::pressMayGrow(const std::vector<ChannelMessage>& start) const {
    for (const ManualPlan& plan : m_manuals) {
        for (const PlannedPiston& p : plan.pistons) {
            if (p.check == PistonCheck::followed && p.press.size() > start.size() && holdsAll(p.press, start))
                return true;
        }
    }
    return false;
}

std::optional<ConsoleSource> ConsolePlan::pistonLike(const std::vector<ChannelMessage>& press) const {
    const auto channel = onlyChannel(press);
    if (!channel)
        return std::nullopt;
    const std::vector<ChannelMessage> wanted = sorted(press);
    const auto shape = shapeOf(press);
    std::vector<ConsoleSource> otherChannel;
    std::vector<ConsoleSource> otherNumbers;
    for (const ManualPlan& plan : m_manuals) {
        for (const PlannedPiston& p : plan.pistons) {
            if (p.check != PistonCheck::followed || isNotePress(p.press))
                continue;
            const ConsoleSource source{ConsoleSource::Kind::piston, plan.manual, p.piston};
            const auto own = onlyChannel(p.press);
            if (own && *own != *channel && sorted(onChannel(p.press, *channel)) == wanted)
                otherChannel.push_back(source);
            else if (shapeOf(p.press) == shape && sorted(p.press) != wanted)
                otherNumbers.push_back(source);
        }
    }
    if (otherChannel.size() == 1)
        return otherChannel.front();
    if (otherChannel.empty() && otherNumbers.size() == 1)
        return otherNumbers.front();
    return std::nullopt;
}

int ConsolePlan::askedPistons() const {
    int asked = 0;
    for (const ManualPlan& manual : m_manuals) {
        for (const PlannedPiston& piston : manual.pistons)
            asked += piston.check == PistonCheck::asked ? 1 : 0;
    }
    return asked;
}

} // namespace zkt
