#include "cli/device_detect.h"

#include "cli/console_status.h"
#include "link/device_requests.h"
#include "link/protocol.h"
#include "link/received_message.h"
#include "link/transfer_engine.h"

#include <optional>
#include <sstream>

namespace zkt::cli {

namespace {

// Asks the chain the same questions a load does, one at a time, repeating each unanswered
// one as the window would, without reading any program data.
class ChainDetector {
public:
    ChainDetector(DeviceSession& session, std::ostream& out, std::ostream& err)
        : m_out(out), m_err(err), m_status(m_quiet),
          m_engine(m_model, session.port(), session.clock(), m_status, m_hooks) {
        session.choosePorts(m_engine.selection());
    }

    void start() { m_engine.requests().sendTag(); }

    void tick() {
        if (++m_ticksWaiting >= TransferEngine::retryEveryTicks)
            askAgain();
        TransmitQueue& queue = m_engine.queue();
        switch (queue.pumpQueue()) {
        case TransmitQueue::PumpResult::openFailed:
            fail(queue.lastOpenReport().failure);
            break;
        case TransmitQueue::PumpResult::sendFailed:
            fail(queue.lastSendFailure());
            break;
        default:
            break;
        }
    }

    void drain(MidiPort& port) {
        while (auto message = port.takeReceived())
            handle(*message);
    }

    bool done() const { return m_result.has_value(); }
    DetectResult result() const { return *m_result; }
    std::string waitingFor() const {
        if (m_manuals == 0)
            return "the tag message to come back round the MIDI loop (cabling check)";
        return "the identity reply of manual " + std::to_string(m_askedManual);
    }

private:
    void fail(const std::string& why) {
        m_err << "zktcli: " << why << '\n';
        m_result = DetectResult::linkFailed;
    }

    void askAgain() {
        m_ticksWaiting = 0;
        if (m_manuals == 0)
            m_engine.requests().sendTag();
        else
            m_engine.requests().requestIdentity(m_askedManual);
    }

    void askManual(int manual) {
        m_askedManual = manual;
        m_engine.requests().requestIdentity(manual);
        m_ticksWaiting = 0;
    }

    void handle(const Bytes& message) {
        const ReceivedKind kind = classifyReceived(message);
        const auto count = protocol::returnedTagCount(message);
        if (kind == ReceivedKind::tag && m_manuals == 0 && count)
            onCount(*count - 1);
        else if (kind == ReceivedKind::identityReply && m_manuals > 0 && !m_result)
            onIdentity(message);
    }

    void onCount(int manuals) {
        if (manuals < 1 || manuals > maxManuals) {
            m_out << "Invalid number of manuals detected!\n";
            m_result = DetectResult::invalidCount;
            return;
        }
        m_out << "Number of manuals detected = " << manuals << '\n';
        m_manuals = manuals;
        askManual(1);
    }

    void onIdentity(const Bytes& message) {
        const auto reply = decodeIdentityReply(message);
        if (!reply)
            return;
        m_out << "Manual " << m_askedManual << ": firmware " << reply->firmwareVersion << ", hardware type "
              << static_cast<int>(reply->hardwareType) << '\n';
        if (m_askedManual == m_manuals)
            m_result = DetectResult::found;
        else
            askManual(m_askedManual + 1);
    }

    std::ostream& m_out;
    std::ostream& m_err;
    std::ostringstream m_quiet;
    ConsoleStatus m_status;
    ConsoleHooks m_hooks;
    ConfigModel m_model;
    TransferEngine m_engine;
    int m_ticksWaiting = 0;
    int m_manuals = 0;
    int m_askedManual = 0;
    std::optional<DetectResult> m_result;
};

} // namespace

DetectResult detectChain(DeviceSession& session, std::ostream& out, std::ostream& err) {
    ChainDetector detector(session, out, err);
    detector.start();
    LoopWork work;
    work.tick = [&] { detector.tick(); };
    work.drain = [&] { detector.drain(session.port()); };
    work.done = [&] { return detector.done(); };
    if (runLoop(session.driver(), work, session.timeout()) == LoopEnd::timedOut) {
        err << "zktcli: gave up waiting for " << detector.waitingFor() << '\n';
        return DetectResult::timedOut;
    }
    return detector.result();
}

} // namespace zkt::cli
