#pragma once
// The organ as every front end reaches it: one transfer engine on the chosen ports, the safe
// write over it and the connection test beside it. The session routes each tick and each
// received message to the one that runs, holds a tick back until a paced send is due, and tells
// the safe write's phases as they are reached. While none of them runs, a listener to the
// console (a front end's console check) may have the chosen input, its messages and the ticks.
// The window, the page and zktcli only adapt it.

#include "link/link_check_run.h"
#include "link/safe_write.h"
#include "link/tick_schedule.h"
#include "link/transfer_engine.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

namespace zkt {

// What hears the console while it has the input: each message as it is taken from the port,
// and the session's tick.
struct ConsoleListener {
    std::function<void(std::span<const std::uint8_t>)> take;
    std::function<void()> tick;
};

class OrganSession {
public:
    // Each phase of a safe write, once, as it is reached.
    using PhaseHandler = std::function<void(SafeWrite::Phase)>;

    // model: what a load for editing fills and a plain write sends; edited: what a safe write
    // writes (the same, or a copy the front end keeps for it).
    OrganSession(ConfigModel& model, const ConfigModel& edited, MidiPort& port, const Clock& clock,
                 TransferObserver& observer, LinkNotices notices, SafeWrite::BackupSaver saveBackup);
    OrganSession(const OrganSession&) = delete;
    OrganSession& operator=(const OrganSession&) = delete;

    TransferEngine& engine() { return m_engine; }
    const TransferEngine& engine() const { return m_engine; }
    SafeWrite& write() { return m_write; }
    const SafeWrite& write() const { return m_write; }
    LinkCheckRun& linkCheck() { return m_check; }
    const LinkCheckRun& linkCheck() const { return m_check; }

    void onWritePhase(PhaseHandler handler) { m_onPhase = std::move(handler); }

    // Why a load, a write or the connection test cannot start now, in words; none when it can.
    std::optional<std::string> transferRefusal() const;
    // A load for editing; false when refused (transferRefusal()) or no ports are chosen yet.
    bool startLoad();
    // A safe write with these options: the read first, then the phases; false when one runs or
    // it is refused.
    bool startWrite(const WriteOptions& options);
    void confirmWrite(const WriteOptions& chosen);
    void writeWithoutBackup();
    // The progress's Cancel: the safe write is abandoned, or the transfer cancelled.
    void cancel();
    bool writeRunning() const;
    // Whether a load, a write or the connection test holds the link.
    bool busy() const;

    // Opens the chosen input for the listener, which takes every message and tick from then on
    // until stopListening(); refused, for the connection test's reasons, while the link is busy
    // or the input will not open. Loads and writes are refused while it listens.
    std::optional<LinkCheckRefusal> listenToConsole(ConsoleListener listener);
    // The listener is let go, and the input with it.
    void stopListening();
    bool listening() const { return static_cast<bool>(m_listener.take); }

    // When the next send is due within a few milliseconds of now, how long the tick should wait
    // for it (then call tick()); none when the tick can run now.
    std::optional<Micros> holdTick();
    // The 100 ms tick: the connection test's while it runs, else the engine's and the safe
    // write's, and the listener's after them. Returns how long until the next tick is due.
    Micros tick();
    // The messages the port has collected, to whoever takes them now.
    void drainReceived();

private:
    void followWrite();
    // Whether the listener takes what the port has collected: no transfer and no test runs.
    bool listenerHeard() const;

    MidiPort& m_port;
    const Clock& m_clock;
    TransferEngine m_engine;
    SafeWrite m_write;
    LinkCheckRun m_check;
    TickSchedule m_schedule;
    PhaseHandler m_onPhase;
    SafeWrite::Phase m_seenPhase = SafeWrite::Phase::idle;
    ConsoleListener m_listener;
};

} // namespace zkt
