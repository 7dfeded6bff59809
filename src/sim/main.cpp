#include "sim/sim_runner.h"

#include <CLI/CLI.hpp>

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    CLI::App app{"zktsim: a simulated ZKT encoder chain on virtual MIDI ports, for trying zktcli and the "
                 "window without the hardware"};
    zkt::sim::SimulatorSettings settings;
    std::string api = "auto";
    std::string fromFile;
    bool singleResponse = false;
    app.add_option("--api", api, "MIDI system")->check(CLI::IsMember({"auto", "alsa", "jack"}));
    app.add_option("--manuals", settings.chain.mcuCount, "number of MCUs in the chain")
        ->check(CLI::Range(0, zkt::maxSimulatedMcus));
    app.add_option("--from", fromFile, "take the MCUs' images (and their number) from this .zkt file")
        ->check(CLI::ExistingFile);
    app.add_option("--in", settings.inputName, "name of the virtual input (the computer sends to it)");
    app.add_option("--out", settings.outputName,
                   "name of the virtual output (the computer receives from it)");
    app.add_flag("--single-response", singleResponse, "answer a program request in one 305-byte message");
    app.add_flag("--respond-as-all", settings.chain.responseHeader.deviceAll,
                 "program responses carry the device byte 7F instead of the MCU's manual number");
    app.add_flag("--repeat-request-address", settings.chain.responseHeader.repeatRequestAddress,
                 "every program response chunk carries the request's address instead of its own");
    app.add_option("--drop-longer-than", settings.chain.interfaceDropsLongerThan,
                   "lose every message longer than this many bytes, as a MIDI interface that cannot carry "
                   "long SysEx does")
        ->check(CLI::PositiveNumber);
    std::string playFile;
    app.add_option("--play", playFile,
                   "play the console as this script says (keys, pistons and shoes by each MCU's image; "
                   "see the user guide), from the moment the ports are ready")
        ->check(CLI::ExistingFile);
    app.add_flag("--start-on-signal", settings.startOnSignal,
                 "start the --play script at SIGUSR1 instead, once whoever listens is connected");
    app.add_flag("-v,--verbose", settings.verbose, "one line per message handled");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? 0 : 2;
    }
    settings.api = *zkt::midiApiFromName(api);
    if (!fromFile.empty()) {
        settings.chain.configurationFile = fromFile;
    }
    if (singleResponse) {
        settings.chain.responseMode = zkt::ResponseMode::singleMessage;
    }
    try {
        if (!playFile.empty()) {
            settings.script = zkt::readPlayScript(playFile);
            settings.scriptName = playFile;
        }
        return zkt::sim::runSimulator(settings, std::cerr);
    } catch (const zkt::PlayScriptError& e) {
        std::cerr << "zktsim: " << e.what() << '\n';
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "zktsim: " << e.what() << '\n';
        return 1;
    }
}
