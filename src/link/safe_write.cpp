#include "link/safe_write.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"
#include "link/transfer_words.h"
#include "link/write_summary.h"
#include "model/config_clipboard.h"
#include "model/program_image.h"
#include "model/verification_report.h"

#include <chrono>
#include <exception>

namespace zkt {

SafeWrite::SafeWrite(TransferEngine& engine, const ConfigModel& edited, TransferObserver& observer,
                     BackupSaver saveBackup)
    : m_engine(engine), m_edited(edited), m_observer(observer), m_saveBackup(std::move(saveBackup)) {}

void SafeWrite::start(const WriteOptions& options) {
    m_options = options;
    m_outcome = Outcome::none;
    m_plan = {};
    m_backupPath.reset();
    m_chainBefore.reset();
    m_report.clear();
    m_manualsRead = 0;
    m_ticksWithoutManual = 0;
    m_written.clear();
    if (!options.backup && !options.onlyChanged) {
        startWriting(WriteRequest{});
        return;
    }
    m_phase = Phase::reading;
    if (!m_engine.startLoad(LoadPurpose::backup))
        finish(Outcome::cancelled); // no ports were chosen
}

void SafeWrite::onTick() {
    switch (m_phase) {
    case Phase::reading:
        afterRead();
        break;
    case Phase::writing:
        afterWrite();
        break;
    case Phase::verifying:
        afterReadBack();
        break;
    default:
        break;
    }
}

template <typename OnFailure> bool SafeWrite::stepSucceeded(OnFailure onFailure) {
    switch (m_engine.outcome().result) {
    case TransferOutcome::Result::succeeded:
        return true;
    case TransferOutcome::Result::cancelled:
        finish(Outcome::cancelled);
        return false;
    case TransferOutcome::Result::failed:
        onFailure();
        return false;
    default:
        return false;
    }
}

bool SafeWrite::readStalled() {
    const int manuals = m_engine.chainRead().manuals();
    if (manuals != m_manualsRead) {
        m_manualsRead = manuals;
        m_ticksWithoutManual = 0;
        return false;
    }
    return ++m_ticksWithoutManual >= readStallTicks;
}

std::string SafeWrite::stallReason() const {
    const ConfigModel& read = m_engine.loading();
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(readStallTicks * TransferEngine::tickInterval);
    if (read.numberOfManuals < 1)
        return formatText(tr("The %1 could not be read before writing: no valid count of manuals came back round "
                             "the loop in %2 s."),
                          texts::product, seconds.count());
    return formatText(tr("The %1 could not be read before writing: manual %2 sent nothing in %3 s."), texts::product,
                      m_engine.status().manualInHand, seconds.count());
}

void SafeWrite::afterRead() {
    if (m_engine.outcome().running()) {
        if (readStalled()) {
            m_engine.cancelTransfer();
            m_phase = Phase::readFailed;
            m_report = {stallReason()};
            say(m_report.front());
        }
        return;
    }
    const bool read = stepSucceeded([this] {
        m_phase = Phase::readFailed;
        m_report = {m_engine.outcome().reason};
    });
    if (!read)
        return;
    if (m_options.backup) {
        try {
            const KeptBackup kept = m_saveBackup(m_engine.chainRead().images);
            m_backupPath = kept.path;
            say(formatText(kept.alreadyKept ? tr("The newest backup already holds what the %1 holds: %2")
                                            : tr("Backup of what the %1 held: %2"),
                           texts::product, kept.path.string()));
        } catch (const std::exception& error) {
            m_phase = Phase::readFailed;
            m_report = {formatText(tr("The backup could not be kept: %1"), error.what())};
            return;
        }
    }
    m_chainBefore = m_engine.loading();
    try {
        m_plan = planWrite(m_edited, m_engine.chainRead(), m_engine.loading(), !m_options.onlyChanged);
    } catch (const EncodeOverflow& overflow) {
        const std::string why = formatText(tr("Nothing was sent to the %1: %2"), texts::product, overflow.what());
        say(why);
        finish(Outcome::failed, {why});
        return;
    }
    for (const std::string& line : m_plan.describe())
        say(line);
    if (m_options.confirmBeforeWriting) {
        m_phase = Phase::awaitingConfirmation;
        return;
    }
    confirm(m_options);
}

void SafeWrite::confirm(const WriteOptions& chosen) {
    if (m_phase != Phase::awaitingConfirmation && m_phase != Phase::reading)
        return;
    m_options.verify = chosen.verify;
    m_options.verifyAll = chosen.verifyAll;
    if (!chosen.onlyChanged && m_options.onlyChanged)
        m_plan = planWrite(m_edited, m_engine.chainRead(), *m_chainBefore, true);
    if (m_plan.toWrite.empty()) {
        // The chain was just read: a manual it lacks is a difference that no write can mend.
        std::vector<std::string> missing = verificationReport(m_edited, *m_chainBefore);
        if (!missing.empty()) {
            for (const std::string& line : missing)
                say(line);
            finish(Outcome::differs, std::move(missing));
            return;
        }
        const std::string why = nothingToWriteText();
        say(why);
        finish(Outcome::nothingToWrite, {why});
        return;
    }
    startWriting(m_plan.request());
}

void SafeWrite::writeWithoutBackup() {
    if (m_phase == Phase::readFailed)
        startWriting(WriteRequest{});
}

void SafeWrite::abandon() {
    if (m_phase == Phase::awaitingConfirmation || m_phase == Phase::readFailed)
        finish(Outcome::cancelled);
    else if (m_phase != Phase::finished && m_phase != Phase::idle)
        m_engine.cancelTransfer();
}

void SafeWrite::startWriting(WriteRequest request) {
    m_phase = Phase::writing;
    if (!m_engine.startWrite(std::move(request))) {
        finish(Outcome::cancelled); // no ports were chosen
        return;
    }
    afterWrite();
}

void SafeWrite::afterWrite() {
    m_written = m_engine.manualsWritten();
    if (!stepSucceeded([this] { finish(Outcome::failed, {m_engine.outcome().reason}); }))
        return;
    if (!m_options.verify) {
        finish(Outcome::written);
        return;
    }
    m_phase = Phase::verifying;
    // Only the manuals written can have changed since the read; without a read, every one.
    const bool partly = m_chainBefore && !m_options.verifyAll;
    m_engine.startLoad(LoadPurpose::readBack, partly ? m_plan.toWrite : std::vector<int>{});
}

void SafeWrite::afterReadBack() {
    const bool readBack = stepSucceeded([this] {
        finish(Outcome::failed,
               {formatText(tr("The read-back failed, so the write is not verified: %1"), m_engine.outcome().reason)});
    });
    if (!readBack)
        return;
    std::vector<std::string> differences = readBackDifferences();
    if (differences.empty()) {
        say("Verified: every manual in the chain matches the configuration.");
        finish(Outcome::verified);
        return;
    }
    for (const std::string& line : differences)
        say(line);
    finish(Outcome::differs, std::move(differences));
}

// The chain as it is now: the manuals read back, and those not written as the read before the
// write found them.
std::vector<std::string> SafeWrite::readBackDifferences() const {
    const ConfigModel& readBack = m_engine.loading();
    const std::vector<int> manualsReadBack = m_engine.status().manualsToRead;
    if (manualsReadBack.empty())
        return verificationReport(m_edited, readBack);
    ConfigModel chainNow = *m_chainBefore;
    chainNow.numberOfManuals = readBack.numberOfManuals;
    ConfigClipboard manual;
    for (int written : manualsReadBack) {
        manual.copyManual(readBack, written - 1);
        manual.pasteManual(chainNow, written - 1);
    }
    return verificationReport(m_edited, chainNow);
}

void SafeWrite::finish(Outcome outcome, std::vector<std::string> report) {
    m_phase = Phase::finished;
    m_outcome = outcome;
    if (!report.empty())
        m_report = std::move(report);
}

std::string SafeWrite::doneSoFar() const {
    switch (m_phase) {
    case Phase::writing:
        return leftBehind(TransferKind::write, m_engine.writeTally());
    case Phase::verifying:
        // TRANSLATORS: %1 says which manuals were written.
        return formatText(tr("%1 Their read-back did not end, so the write is not verified."),
                          writeSummary(m_written, {}, m_written));
    default:
        return m_written.empty() ? tr("Nothing was written.") : writeSummary(m_written, {}, m_written);
    }
}

void SafeWrite::say(const std::string& line) {
    m_observer.statusLineAdded(line);
}

} // namespace zkt
