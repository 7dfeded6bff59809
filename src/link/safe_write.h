#pragma once
// A write that cannot go wrong unnoticed, in three steps on the one transfer engine: read what
// the chain holds and keep it as a backup; write only the chunks of the manuals whose images
// would change; read those manuals back and compare. Each step can be switched off; with all
// three off it is the plain write, message for message.
//
// The caller ticks the engine and then calls onTick(). When the read has finished the write
// waits for confirm() if the caller asked to confirm (a front end shows what will change);
// when the read fails it waits for writeWithoutBackup() or abandon().

#include "link/transfer_engine.h"
#include "link/write_plan.h"
#include "model/backup_store.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zkt {

struct WriteOptions {
    bool backup = true;
    bool onlyChanged = true;
    bool verify = true;
    // The read-back reads every manual, not only those written.
    bool verifyAll = false;
    bool confirmBeforeWriting = false;
};

class SafeWrite {
public:
    enum class Phase { idle, reading, awaitingConfirmation, readFailed, writing, verifying, finished };
    enum class Outcome { none, verified, written, nothingToWrite, differs, failed, cancelled };

    // A backup read that gets no further for this long has failed: the engine would go on
    // retrying for as long as anyone waits, and the write without a backup would never be offered.
    static constexpr int readStallTicks = 150;

    // Keeps the images as a backup and says where; throws std::exception with a reason.
    using BackupSaver = std::function<KeptBackup(const std::vector<Bytes>&)>;

    // observer: where the engine reports, which hears this write's own lines too.
    SafeWrite(TransferEngine& engine, const ConfigModel& edited, TransferObserver& observer,
              BackupSaver saveBackup);

    void start(const WriteOptions& options);
    void onTick();
    // After the read: writes the plan (or every manual the chain has, when chosen.onlyChanged is
    // off), reading back afterwards as chosen.
    void confirm(const WriteOptions& chosen);
    // After a failed read: every manual, without a backup or a plan.
    void writeWithoutBackup();
    void abandon();

    Phase phase() const { return m_phase; }
    Outcome outcome() const { return m_outcome; }
    const WritePlan& plan() const { return m_plan; }
    const WriteOptions& options() const { return m_options; }
    const std::optional<std::filesystem::path>& backupPath() const { return m_backupPath; }
    // Why the read failed, the write failed, or what the read-back found different.
    const std::vector<std::string>& report() const { return m_report; }
    // What the write has done so far, for a caller that stops waiting for it: whether anything
    // was written, which manuals, and that the read-back did not end. One or two sentences.
    std::string doneSoFar() const;

private:
    // Whether the engine's step has ended well; a cancelled step ends the write, a failed one
    // goes to onFailure.
    template <typename OnFailure> bool stepSucceeded(OnFailure onFailure);
    bool readStalled();
    std::string stallReason() const;
    void afterRead();
    void afterWrite();
    void afterReadBack();
    void startWriting(WriteRequest request);
    std::vector<std::string> readBackDifferences() const;
    void finish(Outcome outcome, std::vector<std::string> report = {});
    void say(const std::string& line);

    TransferEngine& m_engine;
    const ConfigModel& m_edited;
    TransferObserver& m_observer;
    BackupSaver m_saveBackup;
    WriteOptions m_options;
    Phase m_phase = Phase::idle;
    Outcome m_outcome = Outcome::none;
    WritePlan m_plan;
    // What the chain held before the write, as read for the plan; empty without a read.
    std::optional<ConfigModel> m_chainBefore;
    std::optional<std::filesystem::path> m_backupPath;
    std::vector<std::string> m_report;
    // The manuals the write step wrote, kept for the read-back after it.
    std::vector<int> m_written;
    int m_manualsRead = 0;
    int m_ticksWithoutManual = 0;
};

} // namespace zkt
