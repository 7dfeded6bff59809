#include "link/organ_session.h"

#include "i18n/tr.h"

namespace zkt {

OrganSession::OrganSession(ConfigModel& model, const ConfigModel& edited, MidiPort& port, const Clock& clock,
                           TransferObserver& observer, LinkNotices notices, SafeWrite::BackupSaver saveBackup)
    : m_port(port), m_clock(clock), m_engine(model, port, clock, observer, std::move(notices)),
      m_write(m_engine, edited, observer, std::move(saveBackup)), m_check(m_engine, port, clock) {}

bool OrganSession::writeRunning() const {
    const SafeWrite::Phase phase = m_write.phase();
    return phase != SafeWrite::Phase::idle && phase != SafeWrite::Phase::finished;
}

bool OrganSession::busy() const {
    return m_engine.busy() || writeRunning() || m_check.running();
}

std::optional<std::string> OrganSession::transferRefusal() const {
    if (!listening())
        return std::nullopt;
    return tr("The console check is listening to the MIDI input. Finish the check, or close it, first.");
}

bool OrganSession::startLoad() {
    return !transferRefusal() && m_engine.startLoad();
}

bool OrganSession::startWrite(const WriteOptions& options) {
    if (writeRunning() || transferRefusal())
        return false;
    m_seenPhase = SafeWrite::Phase::idle;
    m_write.start(options);
    followWrite();
    return true;
}

void OrganSession::confirmWrite(const WriteOptions& chosen) {
    m_write.confirm(chosen);
    followWrite();
}

void OrganSession::writeWithoutBackup() {
    m_write.writeWithoutBackup();
    followWrite();
}

void OrganSession::cancel() {
    if (writeRunning())
        m_write.abandon();
    else
        m_engine.cancelTransfer();
    followWrite();
}

std::optional<LinkCheckRefusal> OrganSession::listenToConsole(ConsoleListener listener) {
    if (busy())
        return LinkCheckRefusal{LinkCheckRefusal::Why::transferRunning};
    // Without a choice the port layer would stand the first device in for it.
    if (m_engine.selection().midiInSelection <= 0)
        return LinkCheckRefusal{LinkCheckRefusal::Why::noPortsChosen};
    try {
        m_engine.queue().openInput();
    } catch (const MidiError& error) {
        return LinkCheckRefusal{LinkCheckRefusal::Why::portsWouldNotOpen, error.what()};
    }
    m_listener = std::move(listener);
    return std::nullopt;
}

void OrganSession::stopListening() {
    if (!listening())
        return;
    m_listener = {};
    m_engine.queue().closeInput();
}

bool OrganSession::listenerHeard() const {
    return listening() && !busy();
}

std::optional<Micros> OrganSession::holdTick() {
    return m_schedule.holdFor(m_clock.now(), m_engine.queue().pauseEnd());
}

Micros OrganSession::tick() {
    if (m_check.running()) {
        m_check.tick();
    } else {
        m_engine.onTimerTick();
        m_write.onTick();
        followWrite();
        if (listenerHeard())
            m_listener.tick();
    }
    return m_schedule.untilNext(m_clock.now());
}

void OrganSession::drainReceived() {
    if (m_check.running()) {
        m_check.drain();
    } else if (listenerHeard()) {
        // The listener may let go while it takes one; what is left waits for whoever is next.
        while (listening()) {
            const auto message = m_port.takeReceived();
            if (!message)
                break;
            m_listener.take(*message);
        }
    } else {
        m_engine.drainReceived();
    }
}

void OrganSession::followWrite() {
    const SafeWrite::Phase phase = m_write.phase();
    if (phase == m_seenPhase)
        return;
    m_seenPhase = phase;
    if (m_onPhase)
        m_onPhase(phase);
}

} // namespace zkt
