#include "cli/device_transfers.h"

#include "cli/console_status.h"
#include "cli/engine_loop.h"
#include "cli/exit_codes.h"
#include "cli/interrupt.h"
#include "cli/transfer_wait.h"
#include "i18n/format_text.h"
#include "i18n/tr.h"
#include "link/organ_session.h"
#include "model/backup_store.h"
#include "model/verification_report.h"
#include "settings/user_folders.h"

#include <chrono>
#include <string>
#include <vector>

namespace zkt::cli {
namespace {

LinkNotices noticesOn(std::ostream& err) {
    LinkNotices notices;
    notices.userMessage = [&err](const std::string& text) {
        err << formatText(tr("zktcli: %1"), text) << '\n';
    };
    return notices;
}

int giveUp(const DeviceSession& session, const TransferEngine& engine, std::ostream& err) {
    err << formatText(tr("zktcli: gave up after %1 s waiting for %2"), secondsText(*session.timeout()),
                      describeWait(engine))
        << '\n';
    return exitcode::timedOut;
}

// A write cut short says what it had done: nothing before its first message; which manuals
// it wrote, and whether their read-back had ended, after.
int giveUpWriting(const DeviceSession& session, const TransferEngine& engine, const SafeWrite& write,
                  std::ostream& err) {
    switch (write.phase()) {
    case SafeWrite::Phase::writing:
        // TRANSLATORS: %3 says which manuals were written.
        err << formatText(tr("zktcli: gave up after %1 s writing, waiting for %2. %3"),
                          secondsText(*session.timeout()), describeWait(engine), write.doneSoFar())
            << '\n';
        return exitcode::writeCutShort;
    case SafeWrite::Phase::verifying:
        // TRANSLATORS: %3 says which manuals were written and that their read-back did not end.
        err << formatText(tr("zktcli: gave up after %1 s reading back what was written, waiting for %2. %3"),
                          secondsText(*session.timeout()), describeWait(engine), write.doneSoFar())
            << '\n';
        return exitcode::writtenNotVerified;
    default:
        if (write.phase() == SafeWrite::Phase::reading) {
            err << tr("zktcli: nothing was written: the chain could not be read for a backup "
                      "(--no-backup writes without one)")
                << '\n';
        }
        return giveUp(session, engine, err);
    }
}

// Traffic lines (-v) share stderr with the progress lines: a progress line in the making is
// ended before each, for as long as the status lives.
class ProgressBeforeTraffic {
public:
    ProgressBeforeTraffic(DeviceSession& session, ConsoleStatus& status) : m_session(session) {
        session.setBeforeTrafficLine([&status] { status.makeRoomForOtherLine(); });
    }
    ~ProgressBeforeTraffic() { m_session.setBeforeTrafficLine({}); }
    ProgressBeforeTraffic(const ProgressBeforeTraffic&) = delete;
    ProgressBeforeTraffic& operator=(const ProgressBeforeTraffic&) = delete;

private:
    DeviceSession& m_session;
};

// The organ on the session's ports with its progress on err. engineModel: what a load fills;
// toWrite: what a safe write writes.
struct ConsoleTransfer {
    ConsoleTransfer(DeviceSession& session, ConfigModel& engineModel, const ConfigModel& toWrite, std::ostream& err)
        : status(err), progressFirst(session, status),
          organ(engineModel, toWrite, session.port(), session.clock(), status, noticesOn(err),
                [](const std::vector<Bytes>& images) {
                    return saveBackup(backupsFolder(), images, std::chrono::system_clock::now());
                }) {
        session.choosePorts(organ.engine().selection());
        catchInterrupt();
    }

    // The loop's work: Ctrl+C cancels what runs, then each tick and drain goes to the session.
    LoopWork loopWork() {
        LoopWork work = engineLoopWork(organ.engine());
        work.tick = [this] {
            if (interruptRequested())
                organ.cancel();
            organ.tick();
        };
        work.drain = [this] { organ.drainReceived(); };
        return work;
    }

    ConsoleStatus status;
    ProgressBeforeTraffic progressFirst;
    OrganSession organ;
};

// Give the last message its time on the wire before the ports close.
void letTheLastMessageLeave(DeviceSession& session, const LoopWork& work) {
    session.driver().waitUntil(session.driver().now() + TransferEngine::tickInterval, work.drain);
}

} // namespace

int exitStatusOf(const TransferOutcome& outcome) {
    switch (outcome.result) {
    case TransferOutcome::Result::succeeded:
        return exitcode::success;
    case TransferOutcome::Result::cancelled:
        return exitcode::interrupted;
    case TransferOutcome::Result::failed:
        return outcome.cause == TransferOutcome::Cause::deviceGone ? exitcode::deviceGone
                                                                   : exitcode::differentOrFailed;
    default:
        return exitcode::differentOrFailed;
    }
}

int loadFromChain(DeviceSession& session, ConfigModel& model, std::ostream& err) {
    ConsoleTransfer transfer(session, model, model, err);
    TransferEngine& engine = transfer.organ.engine();
    if (!engine.startLoad())
        return exitcode::differentOrFailed;
    const LoopWork work = transfer.loopWork();
    const LoopEnd end = runLoop(session.driver(), work, session.timeout());
    transfer.status.finishLine();
    if (end == LoopEnd::timedOut)
        return giveUp(session, engine, err);
    letTheLastMessageLeave(session, work);
    return exitStatusOf(engine.outcome());
}

int writeToChain(DeviceSession& session, const ConfigModel& model, const WriteOptions& options,
                 std::ostream& err) {
    ConfigModel readFromChain = model;
    ConsoleTransfer transfer(session, readFromChain, model, err);
    const TransferEngine& engine = transfer.organ.engine();
    const SafeWrite& write = transfer.organ.write();
    transfer.organ.startWrite(options);

    LoopWork work = transfer.loopWork();
    work.done = [&write] {
        return write.phase() == SafeWrite::Phase::finished || write.phase() == SafeWrite::Phase::readFailed;
    };
    const LoopEnd end = runLoop(session.driver(), work, session.timeout());
    transfer.status.finishLine();
    if (end == LoopEnd::timedOut)
        return giveUpWriting(session, engine, write, err);
    letTheLastMessageLeave(session, work);
    if (write.phase() == SafeWrite::Phase::readFailed) {
        err << formatText(tr("zktcli: nothing was written: %1 (--no-backup writes without a backup)"),
                          write.report().front())
            << '\n';
        return exitcode::timedOut;
    }
    switch (write.outcome()) {
    case SafeWrite::Outcome::cancelled:
        return exitcode::interrupted;
    case SafeWrite::Outcome::failed:
        return engine.outcome().result == TransferOutcome::Result::failed ? exitStatusOf(engine.outcome())
                                                                          : exitcode::differentOrFailed;
    case SafeWrite::Outcome::differs:
        err << tr("zktcli: verification failed") << '\n';
        return exitcode::verificationFailed;
    default:
        return exitcode::success;
    }
}

int verifyChain(DeviceSession& session, const ConfigModel& expected, std::ostream& err) {
    ConfigModel readBack;
    if (const int status = loadFromChain(session, readBack, err); status != exitcode::success)
        return status;
    const std::vector<std::string> report = verificationReport(expected, readBack);
    if (report.empty()) {
        err << tr("Verified: every manual in the chain matches the file.") << '\n';
        return exitcode::success;
    }
    err << tr("zktcli: verification failed:") << '\n';
    for (const std::string& line : report)
        err << line << '\n';
    return exitcode::verificationFailed;
}

} // namespace zkt::cli
