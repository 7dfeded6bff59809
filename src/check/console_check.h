#pragma once
// The console check: while no transfer runs, every message from the MIDI input is attributed to
// what the configuration says sends it, the checklist of each manual is ticked off, and what is
// wrong is kept as faults (check_faults.h). The front end hands over each message as it is taken
// from the port, calls tick() on its timer, draws from the state below as the events say, and
// finishes the check to get its verdict and report. Time comes from the injected clock only.
//
// Pistons of the standard MIDI groups are recognised whenever they come; those of the organ's own
// groups are asked for one at a time, and the next message is taken as theirs (any release of a
// note and any shoe's controller aside, which a player may well send meanwhile).

#include "check/check_events.h"
#include "check/check_faults.h"
#include "check/console_plan.h"
#include "check/press_grouping.h"
#include "link/clock.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

namespace zkt {

struct CheckTimes {
    // Messages of one press come this close together.
    Micros together{50'000};
    // A note held longer is a fault.
    Micros heldTooLong{10'000'000};
};

struct KeyProgress {
    bool expected = false; // it sends a note on some enabled channel
    bool played = false;
    int sounding = 0; // its notes sounding now
};

struct PistonProgress {
    int presses = 0;
    bool sounding = false; // a Note On/Off piston's note is on
    // An asked piston's answer, in words; and whether it was passed over when asked for.
    std::optional<std::string> answer;
    bool skipped = false;
};

struct ShoeProgress {
    int input = 1;
    std::optional<int> value;
    std::optional<int> lowest;
    std::optional<int> highest;
};

struct ManualProgress {
    std::vector<KeyProgress> keys; // by key - 1, over the compass
    std::array<PistonProgress, pistonsPerManual> pistons{};
    std::vector<ShoeProgress> shoes; // as the plan's shoes
};

// Why the console cannot be checked against model, in words (it has no manuals); none when it can.
std::optional<std::string> consoleCheckRefusal(const ConfigModel& model);

class ConsoleCheck {
public:
    ConsoleCheck(const ConfigModel& model, const Clock& clock, CheckTimes times = {});

    const ConsolePlan& plan() const { return m_plan; }
    // What the configuration leaves ambiguous, to show before the check starts.
    const std::vector<std::string>& warnings() const { return m_warnings; }

    // One whole message as MidiPort::takeReceived gives it. Ignored once finished, and where it
    // is one of the chain's own (link/received_message.h).
    void take(std::span<const std::uint8_t> message);
    // Lets time pass: presses come whole, notes are held too long, the next piston is asked for.
    void tick();

    // Asks for the pistons of the organ's own groups one at a time, in manual and piston order,
    // until each is answered or skipped or stopAsking() is called.
    void startAsking();
    // The piston asked for stays "not checked"; the next one is asked for.
    void skipAsked();
    void stopAsking();
    bool asking() const { return m_asking; }
    std::optional<ConsoleSource> asked() const { return m_asked; }
    // "Press piston 8 of manual 1"; empty when none is asked for.
    std::string prompt() const;

    // Ends the check: notes still sounding, and what was never played, become faults.
    void finish();
    bool finished() const { return m_finished; }
    CheckVerdict verdict() const;

    const ManualProgress& progress(int manual) const;
    const std::vector<CheckFault>& faults() const { return m_faults; }
    // What changed since the last call, oldest first.
    std::vector<CheckEvent> takeEvents();
    std::size_t messagesTaken() const { return m_messagesTaken; }
    Micros startedAt() const { return m_startedAt; }
    Micros endedAt() const { return m_endedAt; }

private:
    struct SoundingNote {
        bool on = false;
        Micros since{0};
        bool reportedLong = false;
        std::vector<ConsoleSource> sources;
    };

    void handle(const ChannelMessage& message);
    void noteStarted(const ChannelMessage& message);
    void noteEnded(const ChannelMessage& message);
    void silence(SoundingNote& note);
    void shoeMoved(const std::vector<ConsoleSource>& shoes, int value);
    void pressed(const Press& press);
    bool takesAsAnswer(const ChannelMessage& message) const;
    void answer(std::span<const std::uint8_t> message);
    void askNext();
    void endAnswerWhenDue();
    void heldTooLong();
    void addFault(CheckFaultKind kind, std::vector<ConsoleSource> sources, std::string text);
    std::vector<ConsoleSource> noteSources(int channel, int note) const;
    std::string noteWhere(const std::vector<ConsoleSource>& sources, int note, int channel) const;
    SoundingNote& sounding(int channel, int note);
    ManualProgress& progressOf(int manual);
    PistonProgress& pistonProgress(const ConsoleSource& piston);
    void finalFaults();

    const Clock& m_clock;
    CheckTimes m_times;
    ConsolePlan m_plan;
    std::vector<std::string> m_warnings;
    PressGrouping m_grouping;
    std::vector<ManualProgress> m_progress;
    std::vector<SoundingNote> m_sounding; // by (channel - 1) * 128 + note
    std::vector<CheckFault> m_faults;
    std::unordered_map<std::string, std::size_t> m_faultIndex; // by text: the same fault again counts
    std::vector<CheckEvent> m_events;

    bool m_asking = false;
    std::optional<ConsoleSource> m_asked;
    std::optional<Micros> m_answerUntil; // the asked piston's answer may still grow until then

    std::size_t m_messagesTaken = 0;
    Micros m_startedAt{0};
    Micros m_endedAt{0};
    bool m_finished = false;
};

} // namespace zkt
