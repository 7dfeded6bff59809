#include "check/console_check.h"

#include "check/ambiguities.h"
#include "check/check_texts.h"
#include "link/channel_message_words.h"
#include "link/received_message.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace zkt {

namespace {

constexpr int notesPerChannel = 128;
constexpr int highestValue = 127;

using Kind = ConsoleSource::Kind;

std::size_t noteIndex(int channel, int note) {
    return static_cast<std::size_t>((channel - 1) * notesPerChannel + note);
}

} // namespace

std::optional<std::string> consoleCheckRefusal(const ConfigModel& model) {
    if (model.numberOfManuals > 0)
        return std::nullopt;
    return checktext::noManualsToCheck();
}

ConsoleCheck::ConsoleCheck(const ConfigModel& model, const Clock& clock, CheckTimes times)
    : m_clock(clock), m_times(times), m_plan(model), m_warnings(checkAmbiguities(m_plan)),
      m_grouping(m_plan, times.together), m_sounding(noteIndex(channelsPerManual + 1, 0)),
      m_startedAt(clock.now()), m_endedAt(m_startedAt) {
    for (const ManualPlan& manual : m_plan.manuals()) {
        ManualProgress progress;
        progress.keys.resize(static_cast<std::size_t>(manual.compass));
        for (const int key : manual.expectedKeys)
            progress.keys[static_cast<std::size_t>(key - 1)].expected = true;
        for (const PlannedShoe& shoe : manual.shoes)
            progress.shoes.push_back({shoe.input, std::nullopt, std::nullopt, std::nullopt});
        m_progress.push_back(std::move(progress));
    }
}

const ManualProgress& ConsoleCheck::progress(int manual) const {
    return m_progress.at(static_cast<std::size_t>(manual - 1));
}

ManualProgress& ConsoleCheck::progressOf(int manual) {
    return m_progress.at(static_cast<std::size_t>(manual - 1));
}

PistonProgress& ConsoleCheck::pistonProgress(const ConsoleSource& piston) {
    return progressOf(piston.manual).pistons.at(static_cast<std::size_t>(piston.number - 1));
}

ConsoleCheck::SoundingNote& ConsoleCheck::sounding(int channel, int note) {
    return m_sounding[noteIndex(channel, note)];
}

std::vector<CheckEvent> ConsoleCheck::takeEvents() {
    return std::exchange(m_events, {});
}

// ---- What comes in

void ConsoleCheck::take(std::span<const std::uint8_t> message) {
    // The chain's own SysEx (echoes and answers of a transfer just ended) is no console's.
    if (m_finished || classifyReceived(message) != ReceivedKind::unknown)
        return;
    ++m_messagesTaken;
    for (const Press& press : m_grouping.due(m_clock.now()))
        pressed(press);
    endAnswerWhenDue();
    const auto channelMessage = channelMessageOf(message);
    if (m_asked && (!channelMessage || takesAsAnswer(*channelMessage))) {
        answer(message);
        return;
    }
    if (!channelMessage) {
        addFault(CheckFaultKind::notSent, {}, checktext::notSent(checktext::messageWords(message)));
        return;
    }
    handle(*channelMessage);
}

void ConsoleCheck::tick() {
    if (m_finished)
        return;
    for (const Press& press : m_grouping.due(m_clock.now()))
        pressed(press);
    endAnswerWhenDue();
    heldTooLong();
}

void ConsoleCheck::handle(const ChannelMessage& message) {
    if (startsNote(message)) {
        noteStarted(message);
        return;
    }
    if (endsNote(message)) {
        noteEnded(message);
        return;
    }
    if (isController(message, controller::volume) || isController(message, controller::expression)) {
        if (const auto shoes = m_plan.shoesSending(message.channel, message.data1); !shoes.empty()) {
            shoeMoved(shoes, message.data2);
            return;
        }
    }
    if (isController(message, controller::allNotesOff)) {
        // The organ lets every note of the channel go: none of them is left sounding.
        for (int note = 0; note < notesPerChannel; ++note) {
            if (SoundingNote& s = sounding(message.channel, note); s.on)
                silence(s);
        }
    }
    for (const Press& press : m_grouping.take(message, m_clock.now()))
        pressed(press);
}

std::vector<ConsoleSource> ConsoleCheck::noteSources(int channel, int note) const {
    std::vector<ConsoleSource> sources;
    for (const KeyNote& key : m_plan.keysSending(channel, note))
        sources.push_back({Kind::key, key.manual, key.key});
    for (const ConsoleSource& piston : m_plan.notePistons(channel, note))
        sources.push_back(piston);
    return sources;
}

std::string ConsoleCheck::noteWhere(const std::vector<ConsoleSource>& sources, int note, int channel) const {
    return checktext::sourceNames(m_plan.model().names, sources) + ", " +
           checktext::noteOnChannel(note, channel);
}

void ConsoleCheck::noteStarted(const ChannelMessage& message) {
    const std::vector<ConsoleSource> sources = noteSources(message.channel, message.data1);
    if (sources.empty()) {
        addFault(CheckFaultKind::notSent, {}, checktext::notSent(channelMessageShape(message)));
        return;
    }
    SoundingNote& note = sounding(message.channel, message.data1);
    const bool again = note.on;
    note = SoundingNote{true, m_clock.now(), false, sources};

    std::vector<ConsoleSource> keys;
    std::vector<int> fixed;
    for (const ConsoleSource& source : sources) {
        if (source.kind == Kind::piston) {
            PistonProgress& piston = pistonProgress(source);
            ++piston.presses;
            piston.sounding = true;
            m_events.push_back(PistonChanged{source.manual, source.number});
            continue;
        }
        KeyProgress& key = progressOf(source.manual).keys.at(static_cast<std::size_t>(source.number - 1));
        key.played = true;
        key.sounding += again ? 0 : 1;
        m_events.push_back(KeyChanged{source.manual, source.number});
        keys.push_back(source);
    }
    // A key's channel that always sends one velocity must not send another; where a key of
    // another manual shares the channel and senses velocity, any velocity may be right.
    for (const KeyNote& key : m_plan.keysSending(message.channel, message.data1)) {
        if (!key.fixedVelocity || *key.fixedVelocity == message.data2)
            return;
        fixed.push_back(*key.fixedVelocity);
    }
    if (!fixed.empty())
        addFault(CheckFaultKind::wrongVelocity, keys,
                 checktext::wrongVelocity(noteWhere(keys, message.data1, message.channel), message.data2,
                                          fixed.front()));
}

void ConsoleCheck::noteEnded(const ChannelMessage& message) {
    SoundingNote& note = sounding(message.channel, message.data1);
    if (note.on) {
        silence(note);
        return;
    }
    const std::vector<ConsoleSource> sources = noteSources(message.channel, message.data1);
    if (sources.empty()) {
        addFault(CheckFaultKind::notSent, {}, checktext::notSent(channelMessageShape(message)));
        return;
    }
    // A Note Off for a note not sounding harms nothing; a Note On taken for a release may.
    if (message.kind == ChannelKind::noteOn)
        addFault(CheckFaultKind::releaseOfSilentNote, sources,
                 checktext::releaseOfSilentNote(noteWhere(sources, message.data1, message.channel)));
}

void ConsoleCheck::silence(SoundingNote& note) {
    for (const ConsoleSource& source : note.sources) {
        if (source.kind == Kind::piston) {
            pistonProgress(source).sounding = false;
            m_events.push_back(PistonChanged{source.manual, source.number});
            continue;
        }
        KeyProgress& key = progressOf(source.manual).keys.at(static_cast<std::size_t>(source.number - 1));
        key.sounding = std::max(0, key.sounding - 1);
        m_events.push_back(KeyChanged{source.manual, source.number});
    }
    note = SoundingNote{};
}

void ConsoleCheck::shoeMoved(const std::vector<ConsoleSource>& shoes, int value) {
    for (const ConsoleSource& source : shoes) {
        for (ShoeProgress& shoe : progressOf(source.manual).shoes) {
            if (shoe.input != source.number)
                continue;
            shoe.value = value;
            shoe.lowest = std::min(shoe.lowest.value_or(value), value);
            shoe.highest = std::max(shoe.highest.value_or(value), value);
            m_events.push_back(ShoeChanged{source.manual, source.number});
        }
    }
}

void ConsoleCheck::pressed(const Press& press) {
    const std::vector<ConsoleSource> pistons = m_plan.pistonsSending(press);
    for (const ConsoleSource& piston : pistons) {
        ++pistonProgress(piston).presses;
        m_events.push_back(PistonChanged{piston.manual, piston.number});
    }
    if (!pistons.empty())
        return;
    if (const auto like = m_plan.pistonLike(press)) {
        ++pistonProgress(*like).presses;
        m_events.push_back(PistonChanged{like->manual, like->number});
        addFault(CheckFaultKind::pistonSentOther, {*like},
                 checktext::pistonSentOther(m_plan.model().names, *like, checktext::pressWords(press),
                                            checktext::pistonSetTo(m_plan.model(), *like)));
        return;
    }
    for (const ChannelMessage& message : press)
        addFault(CheckFaultKind::notSent, {}, checktext::notSent(channelMessageShape(message)));
}

void ConsoleCheck::heldTooLong() {
    const Micros now = m_clock.now();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(m_times.heldTooLong).count();
    for (int channel = 1; channel <= channelsPerManual; ++channel) {
        for (int note = 0; note < notesPerChannel; ++note) {
            SoundingNote& s = sounding(channel, note);
            if (!s.on || s.reportedLong || now - s.since <= m_times.heldTooLong)
                continue;
            s.reportedLong = true;
            addFault(
                CheckFaultKind::noteHeldTooLong, s.sources,
                checktext::noteHeldTooLong(noteWhere(s.sources, note, channel), static_cast<int>(seconds)));
        }
    }
}

// ---- Asking for the organ's own pistons

bool ConsoleCheck::takesAsAnswer(const ChannelMessage& message) const {
    if (endsNote(message))
        return false;
    const bool shoeController =
        isController(message, controller::volume) || isController(message, controller::expression);
    return !(shoeController && !m_plan.shoesSending(message.channel, message.data1).empty());
}

void ConsoleCheck::answer(std::span<const std::uint8_t> message) {
    const ConsoleSource piston = *m_asked;
    PistonProgress& progress = pistonProgress(piston);
    const std::string words = checktext::messageWords(message);
    if (!m_answerUntil) {
        progress.answer = words;
        m_answerUntil = m_clock.now() + m_times.together;
    } else {
        *progress.answer += " and " + words;
    }
    ++progress.presses;
    m_events.push_back(PistonChanged{piston.manual, piston.number});
    const int channel = m_plan.piston(piston).channel;
    if (const auto sent = channelMessageOf(message); sent && channel != 0 && sent->channel != channel)
        addFault(CheckFaultKind::pistonSentOther, {piston},
                 checktext::pistonOffItsChannel(m_plan.model().names, piston, words, channel));
}

void ConsoleCheck::endAnswerWhenDue() {
    if (m_answerUntil && m_clock.now() >= *m_answerUntil) {
        m_answerUntil.reset();
        askNext();
    }
}

void ConsoleCheck::askNext() {
    m_asked.reset();
    for (const ManualPlan& manual : m_plan.manuals()) {
        for (const PlannedPiston& piston : manual.pistons) {
            const PistonProgress& progress = m_progress[static_cast<std::size_t>(manual.manual - 1)]
                                                 .pistons[static_cast<std::size_t>(piston.piston - 1)];
            if (piston.check == PistonCheck::asked && !progress.answer && !progress.skipped && !m_asked)
                m_asked = ConsoleSource{Kind::piston, manual.manual, piston.piston};
        }
    }
    m_asking = m_asked.has_value();
    m_events.push_back(PromptChanged{});
}

void ConsoleCheck::startAsking() {
    if (m_finished || m_asking)
        return;
    askNext();
}

void ConsoleCheck::skipAsked() {
    if (!m_asked)
        return;
    if (!m_answerUntil)
        pistonProgress(*m_asked).skipped = true;
    m_answerUntil.reset();
    askNext();
}

void ConsoleCheck::stopAsking() {
    const bool wasAsking = m_asked.has_value();
    m_asking = false;
    m_asked.reset();
    m_answerUntil.reset();
    if (wasAsking)
        m_events.push_back(PromptChanged{});
}

std::string ConsoleCheck::prompt() const {
    return m_asked && !m_answerUntil ? checktext::pressPistonPrompt(m_plan.model().names, *m_asked)
                                     : std::string();
}

// ---- The end

void ConsoleCheck::finish() {
    if (m_finished)
        return;
    for (const Press& press : m_grouping.flush())
        pressed(press);
    stopAsking();
    finalFaults();
    m_endedAt = m_clock.now();
    m_finished = true;
}

void ConsoleCheck::finalFaults() {
    const ConsoleNames& names = m_plan.model().names;
    for (int channel = 1; channel <= channelsPerManual; ++channel) {
        for (int note = 0; note < notesPerChannel; ++note) {
            if (const SoundingNote& s = sounding(channel, note); s.on)
                addFault(CheckFaultKind::noteStillSounding, s.sources,
                         checktext::noteStillSounding(noteWhere(s.sources, note, channel)));
        }
    }
    for (const ManualPlan& manual : m_plan.manuals()) {
        const ManualProgress& progress = this->progress(manual.manual);
        for (const int key : manual.expectedKeys) {
            const ConsoleSource source{Kind::key, manual.manual, key};
            if (!progress.keys[static_cast<std::size_t>(key - 1)].played)
                addFault(CheckFaultKind::keyNeverPlayed, {source}, checktext::keyNeverPlayed(names, source));
        }
        for (const PlannedPiston& piston : manual.pistons) {
            const ConsoleSource source{Kind::piston, manual.manual, piston.piston};
            if (piston.check == PistonCheck::followed &&
                progress.pistons[static_cast<std::size_t>(piston.piston - 1)].presses == 0)
                addFault(CheckFaultKind::pistonNeverPressed, {source},
                         checktext::pistonNeverPressed(names, source,
                                                       checktext::pistonSetTo(m_plan.model(), source)));
        }
        for (std::size_t i = 0; i < manual.shoes.size(); ++i) {
            const ShoeProgress& shoe = progress.shoes[i];
            const ConsoleSource source{Kind::shoe, manual.manual, shoe.input};
            const std::string drives = checktext::shoeDrives(manual.shoes[i]);
            if (!shoe.lowest)
                addFault(CheckFaultKind::shoeNeverMoved, {source},
                         checktext::shoeNeverMoved(names, source, drives));
            else if (*shoe.lowest > 0 || *shoe.highest < highestValue)
                addFault(CheckFaultKind::shoeRangeShort, {source},
                         checktext::shoeRangeShort(names, source, drives, *shoe.lowest, *shoe.highest));
        }
    }
}

CheckVerdict ConsoleCheck::verdict() const {
    if (std::any_of(m_faults.begin(), m_faults.end(), [](const CheckFault& f) { return !f.unfinished(); }))
        return CheckVerdict::faultsFound;
    return m_faults.empty() ? CheckVerdict::passed : CheckVerdict::unfinished;
}

void ConsoleCheck::addFault(CheckFaultKind kind, std::vector<ConsoleSource> sources, std::string text) {
    const auto [known, added] = m_faultIndex.try_emplace(text, m_faults.size());
    if (!added && m_faults[known->second].kind == kind) {
        ++m_faults[known->second].count;
        m_events.push_back(FaultAdded{known->second});
        return;
    }
    m_faults.push_back(CheckFault{kind, std::move(sources), std::move(text), 1});
    m_events.push_back(FaultAdded{m_faults.size() - 1});
}

} // namespace zkt
