#pragma once
// The organ as every front end reaches it: one transfer engine on the chosen ports, the safe
// write over it and the connection test beside it. The session routes each tick and each
// received message to the one that runs, holds a tick back until a paced send is due, and tells
// the safe write's phases as they are reached. The window, the page and zktcli only adapt it.

#include "link/link_check_run.h"
#include "link/safe_write.h"
#include "link/tick_schedule.h"
#include "link/transfer_engine.h"

#include <functional>
#include <optional>

namespace zkt {

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

    // A safe write with these options: the read first, then the phases; false when one runs.
    bool startWrite(const WriteOptions& options);
    void confirmWrite(const WriteOptions& chosen);
    void writeWithoutBackup();
    // The progress's Cancel: the safe write is abandoned, or the transfer cancelled.
    void cancel();
    bool writeRunning() const;
    // Whether a load, a write or the connection test holds the link.
    bool busy() const;

    // When the next send is due within a few milliseconds of now, how long the tick should wait
    // for it (then call tick()); none when the tick can run now.
    std::optional<Micros> holdTick();
    // The 100 ms tick: the connection test's while it runs, else the engine's and the safe
    // write's. Returns how long until the next tick is due.
    Micros tick();
    // The messages the port has collected, to whoever takes them now.
    void drainReceived();

private:
    void followWrite();

    const Clock& m_clock;
    TransferEngine m_engine;
    SafeWrite m_write;
    LinkCheckRun m_check;
    TickSchedule m_schedule;
    PhaseHandler m_onPhase;
    SafeWrite::Phase m_seenPhase = SafeWrite::Phase::idle;
};

} // namespace zkt
