#include "cli/cli_commands.h"

#include "cli/check_link.h"
#include "cli/config_source.h"
#include "cli/console_check_run.h"
#include "cli/device_detect.h"
#include "cli/device_listings.h"
#include "cli/device_session.h"
#include "cli/device_transfers.h"
#include "cli/exit_codes.h"
#include "cli/traffic_monitor.h"
#include "i18n/tr.h"
#include "model/config_file.h"

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>

namespace zkt::cli {
namespace {

struct DeviceArguments {
    DeviceOptions device;
    std::string file;
    bool everyManual = false;
    bool noBackup = false;
    bool noVerify = false;
    bool verifyAll = false;
    std::optional<double> seconds;
};

// The options every device command takes. timeoutSeconds: the command's own default.
std::shared_ptr<DeviceArguments> addDeviceOptions(CLI::App& command, double timeoutSeconds) {
    auto arguments = std::make_shared<DeviceArguments>();
    DeviceOptions& options = arguments->device;
    options.timeoutSeconds = timeoutSeconds;
    command.add_option("--in", options.input,
                       untranslated("MIDI input: its number from `zktcli ports` or part of its name"));
    command.add_option("--out", options.output,
                       untranslated("MIDI output: its number from `zktcli ports` or part of its name"));
    command
        .add_option("--api", options.api,
                    untranslated(
                        "MIDI system to use (default: every one that works, the ALSA sequencer and a running "
                        "JACK server)"))
        ->check(CLI::IsMember({"alsa", "jack"}));
    auto* simulate =
        command
            .add_option("--simulate", options.simulatedManuals,
                        untranslated("talk to a simulated chain of N MCUs instead (runs in virtual time: "
                                     "a transfer finishes at once)"))
            ->check(CLI::Range(0, maxSimulatedMcus));
    command
        .add_option(
            "--simulate-from", options.simulateFrom,
            untranslated("talk to a simulated chain holding the manuals of this .zkt file (virtual time)"))
        ->excludes(simulate);
    command.add_flag(
        "--real-time", options.realTime,
        untranslated("run the simulated chain at the pace of the real one (31250 baud, the MCUs' flash), "
                     "to watch a transfer or time it"));
    command
        .add_option(
            "--simulate-lost-update", options.simulateLostUpdate,
            untranslated("in the simulated chain, lose the N-th program update before it reaches an MCU"))
        ->check(CLI::PositiveNumber);
    command
        .add_option("--simulate-drop-longer-than", options.simulateDropLongerThan,
                    untranslated(
                        "in the simulated chain, lose every message longer than N bytes, as a MIDI interface "
                        "that cannot carry long SysEx does"))
        ->check(CLI::PositiveNumber);
    command
        .add_option(
            "--timeout", options.timeoutSeconds,
            untranslated(
                "the limit on the whole command: give up after this many seconds (of virtual time when "
                "simulated; exit 3, or for a write that has begun sending 7 or 8); 0 waits without "
                "limit, retrying as the window does"))
        ->capture_default_str();
    command.add_flag("-v,--verbose", options.verbose,
                     untranslated("print every MIDI message sent and received on stderr"));
    return arguments;
}

// A command's exit status other than success reaches main as CLI11's runtime error.
void endWith(int status) {
    if (status != exitcode::success)
        throw CLI::RuntimeError(status);
}

constexpr double transferTimeoutSeconds = 120;

void registerCheckConsole(CLI::App& app) {
    CLI::App* command = app.add_subcommand(
        "check-console", untranslated("Check the console: every message it sends is attributed to the "
                                      "key, piston or shoe the configuration "
                                      "says sends it; the report on stdout, one line per fault; exit 0 "
                                      "when everything was played and nothing "
                                      "was wrong, 9 for faults, 10 when not everything was played"));
    auto device = std::make_shared<DeviceOptions>();
    auto options = std::make_shared<CheckConsoleOptions>();
    device->timeoutSeconds = transferTimeoutSeconds;
    command->add_option(
        "FILE", options->file,
        untranslated("the .zkt configuration (or its .json form) the console should follow; without it the "
                     "chain is read first, which needs --out"));
    command
        ->add_option("--in", device->input,
                     untranslated("MIDI input the console plays into: its number or part of its name"))
        ->required();
    command->add_option("--out", device->output,
                        untranslated("MIDI output to the chain, to read it when no FILE is given"));
    command
        ->add_option("--api", device->api, untranslated("MIDI system to use (default: every one that works)"))
        ->check(CLI::IsMember({"alsa", "jack"}));
    command->add_option("--for", options->seconds,
                        untranslated("end the check after this many seconds (default: Ctrl-C)"));
    command
        ->add_option(
            "--keys", options->keys,
            untranslated(
                "the compass of each manual in manual order, as numbers of keys from C (61,61,32), over "
                "what the file says"))
        ->delimiter(',');
    command->add_option("--report", options->reportPath,
                        untranslated("also write the report to this .html or .pdf file"));
    command
        ->add_option("--timeout", device->timeoutSeconds,
                     untranslated("the limit on reading the chain first, in seconds (0: without limit)"))
        ->capture_default_str();
    command->add_flag("-v,--verbose", device->verbose,
                      untranslated("print every MIDI message received on stderr"));
    command->callback([device, options] {
        options->terminal = ::isatty(STDIN_FILENO) == 1;
#ifdef ZKT_WITH_CHART
        options->writePdf = writeHtmlAsPdf;
#endif
        endWith(checkConsole(*device, *options, std::cout, std::cerr));
    });
}

} // namespace

void registerDeviceCommands(CLI::App& app) {
    CLI::App* ports = app.add_subcommand(
        "ports", untranslated("List the MIDI input and output devices with their numbers"));
    ports->callback([arguments = addDeviceOptions(*ports, 0)] {
        DeviceSession session(arguments->device);
        listPorts(session, std::cout);
    });

    CLI::App* detect = app.add_subcommand(
        "detect",
        untranslated("Count the MCUs in the MIDI loop and show each one's firmware and hardware type"));
    detect->callback([arguments = addDeviceOptions(*detect, transferTimeoutSeconds)] {
        DeviceSession session(arguments->device);
        endWith(detectChain(session, std::cout, std::cerr));
    });

    CLI::App* load =
        app.add_subcommand("load", untranslated("Read every manual's program data from the encoder chain"));
    auto loadArguments = addDeviceOptions(*load, transferTimeoutSeconds);
    load->add_option("-o,--output", loadArguments->file,
                     untranslated("the .zkt file to save the configuration in"))
        ->required();
    load->callback([arguments = loadArguments] {
        DeviceSession session(arguments->device);
        ConfigModel model;
        endWith(loadFromChain(session, model, std::cerr));
        writeConfigurationFile(arguments->file, model);
    });

    CLI::App* write = app.add_subcommand(
        "write", untranslated("Write a configuration's program data to the encoder chain"));
    auto writeArguments = addDeviceOptions(*write, transferTimeoutSeconds);
    write->add_option("FILE", writeArguments->file, untranslated("the .zkt configuration to write"))
        ->required();
    write->add_flag("--all", writeArguments->everyManual,
                    untranslated("write every manual, also those whose program data would not change"));
    write->add_flag("--no-backup", writeArguments->noBackup,
                    untranslated("do not read the chain and keep what it holds in the backups folder first"));
    auto* noVerify = write->add_flag("--no-verify", writeArguments->noVerify,
                                     untranslated("do not read the manuals back afterwards to compare them "
                                                  "with the file (exit 4 when they differ)"));
    write
        ->add_flag("--verify-all", writeArguments->verifyAll,
                   untranslated("read back every manual afterwards, not only those written"))
        ->excludes(noVerify);
    // Scripts written before a write verified by itself still pass it.
    write->add_flag("--verify")
        ->description(untranslated("read back and compare (the default)"))
        ->excludes(noVerify);
    write->callback([arguments = writeArguments] {
        const ConfigModel model = readConfigurationForCommand(arguments->file, std::cerr);
        DeviceSession session(arguments->device);
        WriteOptions options;
        options.backup = !arguments->noBackup;
        options.onlyChanged = !arguments->everyManual;
        options.verify = !arguments->noVerify;
        options.verifyAll = arguments->verifyAll;
        endWith(writeToChain(session, model, options, std::cerr));
    });

    CLI::App* backups = app.add_subcommand(
        "backups", untranslated("List the backups taken before writes, newest first, with their files"));
    backups->callback([] { listBackups(std::cout); });

    CLI::App* verify = app.add_subcommand(
        "verify",
        untranslated("Read every manual from the encoder chain and compare it with a configuration (exit 4 "
                     "naming the manuals and fields that differ)"));
    auto verifyArguments = addDeviceOptions(*verify, transferTimeoutSeconds);
    verify
        ->add_option("FILE", verifyArguments->file,
                     untranslated("the .zkt configuration the chain should hold"))
        ->required();
    verify->callback([arguments = verifyArguments] {
        const ConfigModel model = readConfigurationForCommand(arguments->file, std::cerr);
        DeviceSession session(arguments->device);
        endWith(verifyChain(session, model, std::cerr));
    });

    CLI::App* checkLinkCommand = app.add_subcommand(
        "check-link",
        untranslated("Test the MIDI loop: count the MCUs and send test messages of growing length round it; "
                     "exit 0 when the loop is fine, 5 when a problem was found"));
    checkLinkCommand->callback([arguments = addDeviceOptions(*checkLinkCommand, 0)] {
        DeviceSession session(arguments->device);
        endWith(checkLink(session, std::cout, std::cerr));
    });

    registerCheckConsole(app);

    CLI::App* monitor = app.add_subcommand(
        "monitor",
        untranslated(
            "Print every MIDI message that arrives at the input, with its time, length and meaning"));
    auto monitorArguments = addDeviceOptions(*monitor, 0);
    monitor->add_option("--seconds", monitorArguments->seconds,
                        untranslated("stop after this many seconds (default: --timeout, else Ctrl+C)"));
    monitor->callback([arguments = monitorArguments] {
        DeviceSession session(arguments->device);
        monitorInput(session, arguments->seconds, std::cout);
    });
}

} // namespace zkt::cli
