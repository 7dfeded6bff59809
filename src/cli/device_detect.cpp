#include "cli/device_detect.h"

#include "cli/device_transfers.h"
#include "cli/engine_loop.h"
#include "cli/exit_codes.h"
#include "cli/transfer_wait.h"
#include "i18n/format_text.h"
#include "i18n/tr.h"
#include "link/transfer_engine.h"
#include "link/transfer_words.h"

namespace zkt::cli {

namespace {

// Only the count and the identities are reported; a count no chain has ends the detection.
class DetectionReport final : public TransferObserver {
public:
    explicit DetectionReport(std::ostream& out) : m_out(out) {}

    void chainCounted(const ChainCount& count) override {
        m_out << chainCountedLine(count) << '\n';
        m_invalidCount = !count.valid;
    }
    void manualIdentified(int manual, const IdentityReply& reply) override {
        m_out << formatText(tr("Manual %1: firmware %2, hardware type %3"), manual, reply.firmwareVersion,
                            static_cast<int>(reply.hardwareType))
              << '\n';
    }

    bool invalidCount() const { return m_invalidCount; }

private:
    std::ostream& m_out;
    bool m_invalidCount = false;
};

} // namespace

int detectChain(DeviceSession& session, std::ostream& out, std::ostream& err) {
    DetectionReport report(out);
    ConfigModel model;
    LinkNotices notices;
    TransferEngine engine(model, session.port(), session.clock(), report, notices);
    session.choosePorts(engine.selection());
    if (!engine.startLoad(LoadPurpose::identify))
        return exitcode::differentOrFailed;
    LoopWork work = engineLoopWork(engine);
    work.done = [&engine, &report] { return engine.outcome().ended() || report.invalidCount(); };
    if (runLoop(session.driver(), work, session.timeout()) == LoopEnd::timedOut) {
        err << formatText(tr("zktcli: gave up waiting for %1"), describeWait(engine)) << '\n';
        return exitcode::timedOut;
    }
    if (report.invalidCount())
        return exitcode::differentOrFailed;
    if (engine.outcome().result == TransferOutcome::Result::failed)
        err << formatText(tr("zktcli: %1"), engine.outcome().reason) << '\n';
    return exitStatusOf(engine.outcome());
}

} // namespace zkt::cli
