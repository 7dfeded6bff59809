#include "cli/cli_commands.h"

#include "cli/check_link.h"
#include "cli/console_status.h"
#include "cli/device_detect.h"
#include "cli/device_session.h"
#include "cli/engine_loop.h"
#include "cli/interrupt.h"
#include "cli/traffic_monitor.h"
#include "cli/transfer_loop.h"
#include "cli/transfer_wait.h"
#include "link/safe_write.h"
#include "link/transfer_engine.h"
#include "model/backup_store.h"
#include "model/config_file.h"
#include "model/verification_report.h"
#include "settings/user_folders.h"

#include <chrono>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace zkt::cli {
namespace {

constexpr int failedExitCode = 1;
constexpr int timedOutExitCode = 3;
constexpr int verificationFailedExitCode = 4;
constexpr int linkProblemExitCode = 5;

struct DeviceArguments {
    DeviceOptions device;
    std::string file;
    bool verify = false; // kept for scripts written before a write verified by itself
    bool everyManual = false;
    bool noBackup = false;
    bool noVerify = false;
    std::optional<double> seconds;
};

void addDeviceOptions(CLI::App& command, DeviceOptions& options) {
    command.add_option("--in", options.input,
                       "MIDI input: its number from `zktcli ports` or part of its name");
    command.add_option("--out", options.output,
                       "MIDI output: its number from `zktcli ports` or part of its name");
    command
        .add_option("--api", options.api,
                    "MIDI system to use (default: every one that works, the ALSA sequencer and a running "
                    "JACK server)")
        ->check(CLI::IsMember({"alsa", "jack"}));
    auto* simulate = command
                         .add_option("--simulate", options.simulatedManuals,
                                     "talk to a simulated chain of N MCUs instead (runs in virtual time: "
                                     "a transfer finishes at once)")
                         ->check(CLI::Range(0, maxSimulatedMcus));
    command
        .add_option("--simulate-from", options.simulateFrom,
                    "talk to a simulated chain holding the manuals of this .zkt file (virtual time)")
        ->excludes(simulate);
    command
        .add_option("--simulate-lost-update", options.simulateLostUpdate,
                    "in the simulated chain, lose the N-th program update before it reaches an MCU")
        ->check(CLI::PositiveNumber);
    command
        .add_option("--simulate-drop-longer-than", options.simulateDropLongerThan,
                    "in the simulated chain, lose every message longer than N bytes, as a MIDI interface "
                    "that cannot carry long SysEx does")
        ->check(CLI::PositiveNumber);
}

void addVerboseOption(CLI::App& command, DeviceOptions& options) {
    command.add_flag("-v,--verbose", options.verbose, "print every MIDI message sent and received on stderr");
}

void addTimeoutOption(CLI::App& command, DeviceOptions& options) {
    command
        .add_option(
            "--timeout", options.timeoutSeconds,
            "give up (exit 3) after this many seconds (of virtual time when simulated); 0 waits without "
            "limit, retrying as the window does")
        ->capture_default_str();
}

LinkNotices consoleNotices() {
    LinkNotices notices;
    notices.userMessage = [](const std::string& text) { std::cerr << "zktcli: " << text << '\n'; };
    return notices;
}

[[noreturn]] void giveUp(const DeviceSession& session, TransferEngine& engine) {
    std::cerr << "zktcli: gave up after " << session.timeout()->count() / 1'000'000.0 << " s waiting for "
              << describeWait(engine.transfer(), engine.transferModel(), engine.queue().queueLength())
              << '\n';
    throw CLI::RuntimeError(timedOutExitCode);
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

// Runs a load or write to its end, with progress on stderr.
void runTransfer(DeviceSession& session, ConfigModel& model, bool write) {
    ConsoleStatus status(std::cerr);
    const ProgressBeforeTraffic progressFirst(session, status);
    ConsoleHooks hooks;
    TransferEngine engine(model, session.port(), session.clock(), status, hooks, consoleNotices());
    session.choosePorts(engine.selection());
    catchInterrupt();
    startTransfer(engine, write);

    LoopWork work = engineLoopWork(engine);
    work.tick = [&engine, tick = work.tick] {
        if (interruptRequested() && !engine.cancelled())
            engine.cancelTransfer();
        tick();
    };
    const LoopEnd end = runLoop(session.driver(), work, session.timeout());
    status.finishLine();
    if (engine.cancelled())
        throw CLI::RuntimeError(interruptedExitCode);
    if (end == LoopEnd::timedOut)
        giveUp(session, engine);
    if (!engine.failure().empty())
        throw CLI::RuntimeError(failedExitCode);
    // Give the last message its time on the wire before the ports close.
    session.driver().waitUntil(session.driver().now() + TransferEngine::tickInterval, work.drain);
}

// The write with a backup first, only the manuals that change, and a read-back after, as the
// options leave them on.
void runSafeWrite(DeviceSession& session, const ConfigModel& model, const WriteOptions& options) {
    ConsoleStatus status(std::cerr);
    const ProgressBeforeTraffic progressFirst(session, status);
    ConsoleHooks hooks;
    ConfigModel edited = model;
    TransferEngine engine(edited, session.port(), session.clock(), status, hooks, consoleNotices());
    session.choosePorts(engine.selection());
    catchInterrupt();
    SafeWrite write(engine, model, status, [](const std::vector<Bytes>& images) {
        return saveBackup(backupsFolder(), images, std::chrono::system_clock::now());
    });
    write.start(options);

    LoopWork work = engineLoopWork(engine);
    work.tick = [&engine, &write, tick = work.tick] {
        if (interruptRequested() && !engine.cancelled())
            write.abandon();
        tick();
        write.onTick();
    };
    work.done = [&write] {
        return write.phase() == SafeWrite::Phase::finished || write.phase() == SafeWrite::Phase::readFailed;
    };
    const LoopEnd end = runLoop(session.driver(), work, session.timeout());
    status.finishLine();
    if (end == LoopEnd::timedOut) {
        if (write.phase() == SafeWrite::Phase::reading)
            std::cerr << "zktcli: nothing was written: the chain could not be read for a backup "
                         "(--no-backup writes without one)\n";
        giveUp(session, engine);
    }
    session.driver().waitUntil(session.driver().now() + TransferEngine::tickInterval, work.drain);
    if (write.phase() == SafeWrite::Phase::readFailed) {
        std::cerr << "zktcli: nothing was written: " << write.report().front()
                  << " (--no-backup writes without a backup)\n";
        throw CLI::RuntimeError(timedOutExitCode);
    }
    switch (write.outcome()) {
    case SafeWrite::Outcome::cancelled:
        throw CLI::RuntimeError(interruptedExitCode);
    case SafeWrite::Outcome::failed:
        throw CLI::RuntimeError(failedExitCode);
    case SafeWrite::Outcome::differs:
        std::cerr << "zktcli: verification failed\n";
        throw CLI::RuntimeError(verificationFailedExitCode);
    default:
        return;
    }
}

// Reads every manual back and compares it with what was written; exit 4 naming the manuals and
// fields that differ.
void verifyWritten(DeviceSession& session, const ConfigModel& written) {
    ConfigModel readBack;
    runTransfer(session, readBack, false);
    const std::vector<std::string> report = verificationReport(written, readBack);
    if (report.empty()) {
        std::cerr << "Verified: every manual in the chain matches the file.\n";
        return;
    }
    std::cerr << "zktcli: verification failed:\n";
    for (const std::string& line : report)
        std::cerr << line << '\n';
    throw CLI::RuntimeError(verificationFailedExitCode);
}

void listBackupFiles(std::ostream& out) {
    const std::filesystem::path folder = backupsFolder();
    const std::vector<BackupEntry> entries = listBackups(folder);
    if (entries.empty()) {
        out << "No backups in " << folder.string() << '\n';
        return;
    }
    for (const BackupEntry& entry : entries)
        out << entry.takenAt << "  " << entry.manuals << (entry.manuals == 1 ? " manual   " : " manuals  ")
            << entry.path.string() << '\n';
}

void printNumbered(const char* heading, const std::vector<std::string>& names) {
    std::cout << heading << '\n';
    for (std::size_t i = 0; i < names.size(); ++i)
        std::cout << "  " << i << ": " << names[i] << '\n';
}

void listPorts(DeviceSession& session) {
    printNumbered("MIDI inputs:", session.port().inputNames());
    printNumbered("MIDI outputs:", session.port().outputNames());
}

void checkStandardOutput() {
    if (!std::cout.flush())
        throw std::runtime_error("the report could not be written to standard output");
}

} // namespace

void registerDeviceCommands(CLI::App& app) {
    auto arguments = std::make_shared<DeviceArguments>();

    CLI::App* ports =
        app.add_subcommand("ports", "List the MIDI input and output devices with their numbers");
    addDeviceOptions(*ports, arguments->device);
    ports->callback([arguments] {
        DeviceSession session(arguments->device);
        listPorts(session);
    });

    CLI::App* detect = app.add_subcommand(
        "detect", "Count the MCUs in the MIDI loop and show each one's firmware and hardware type");
    addDeviceOptions(*detect, arguments->device);
    addTimeoutOption(*detect, arguments->device);
    addVerboseOption(*detect, arguments->device);
    detect->callback([arguments] {
        DeviceSession session(arguments->device);
        switch (detectChain(session, std::cout, std::cerr)) {
        case DetectResult::found:
            return;
        case DetectResult::invalidCount:
        case DetectResult::linkFailed:
            throw CLI::RuntimeError(failedExitCode);
        case DetectResult::timedOut:
            throw CLI::RuntimeError(timedOutExitCode);
        }
    });

    CLI::App* load = app.add_subcommand("load", "Read every manual's program data from the encoder chain");
    addDeviceOptions(*load, arguments->device);
    addTimeoutOption(*load, arguments->device);
    addVerboseOption(*load, arguments->device);
    load->add_option("-o,--output", arguments->file, "the .zkt file to save the configuration in")
        ->required();
    load->callback([arguments] {
        DeviceSession session(arguments->device);
        ConfigModel model;
        runTransfer(session, model, false);
        writeConfigurationFile(arguments->file, model);
    });

    CLI::App* write =
        app.add_subcommand("write", "Write a configuration's program data to the encoder chain");
    addDeviceOptions(*write, arguments->device);
    addTimeoutOption(*write, arguments->device);
    addVerboseOption(*write, arguments->device);
    write->add_option("FILE", arguments->file, "the .zkt configuration to write")->required();
    write->add_flag("--all", arguments->everyManual,
                    "write every manual, also those whose program data would not change");
    write->add_flag("--no-backup", arguments->noBackup,
                    "do not read the chain and keep what it holds in the backups folder first");
    auto* noVerify = write->add_flag(
        "--no-verify", arguments->noVerify,
        "do not read the manuals back afterwards to compare them with the file (exit 4 when they differ)");
    write->add_flag("--verify", arguments->verify, "read back and compare (the default)")->excludes(noVerify);
    write->callback([arguments] {
        ConfigModel model;
        readConfigurationFile(arguments->file, model);
        DeviceSession session(arguments->device);
        WriteOptions options;
        options.backup = !arguments->noBackup;
        options.onlyChanged = !arguments->everyManual;
        options.verify = !arguments->noVerify;
        runSafeWrite(session, model, options);
    });

    CLI::App* backups =
        app.add_subcommand("backups", "List the backups taken before writes, newest first, with their files");
    backups->callback([] { listBackupFiles(std::cout); });

    CLI::App* verify = app.add_subcommand(
        "verify", "Read every manual from the encoder chain and compare it with a configuration (exit 4 "
                  "naming the manuals and fields that differ)");
    addDeviceOptions(*verify, arguments->device);
    addTimeoutOption(*verify, arguments->device);
    addVerboseOption(*verify, arguments->device);
    verify->add_option("FILE", arguments->file, "the .zkt configuration the chain should hold")->required();
    verify->callback([arguments] {
        ConfigModel model;
        readConfigurationFile(arguments->file, model);
        DeviceSession session(arguments->device);
        verifyWritten(session, model);
    });

    CLI::App* checkLinkCommand = app.add_subcommand(
        "check-link", "Test the MIDI loop: count the MCUs and send test messages of growing length round it; "
                      "exit 0 when the loop is fine, 5 when a problem was found");
    addDeviceOptions(*checkLinkCommand, arguments->device);
    addVerboseOption(*checkLinkCommand, arguments->device);
    checkLinkCommand->callback([arguments] {
        DeviceSession session(arguments->device);
        const Verdict verdict = checkLink(session, std::cout, std::cerr);
        checkStandardOutput();
        if (verdict.problemFound())
            throw CLI::RuntimeError(linkProblemExitCode);
    });

    CLI::App* monitor = app.add_subcommand(
        "monitor", "Print every MIDI message that arrives at the input, with its time, length and meaning");
    addDeviceOptions(*monitor, arguments->device);
    monitor->add_option("--seconds", arguments->seconds, "stop after this many seconds (default: Ctrl+C)");
    monitor->callback([arguments] {
        DeviceSession session(arguments->device);
        monitorInput(session, arguments->seconds, std::cout);
    });
}

} // namespace zkt::cli
