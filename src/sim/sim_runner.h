#pragma once
// zktsim's work: the simulated encoder chain behind a pair of virtual MIDI ports, in real time.

#include "link/rtmidi/midi_api.h"
#include "sim/play_script.h"
#include "sim/simulated_chain.h"

#include <iosfwd>
#include <string>

namespace zkt::sim {

struct SimulatorSettings {
    MidiApi api = MidiApi::automatic;
    SimulationOptions chain;
    std::string inputName;  // empty: the chain's port name
    std::string outputName; // empty: the chain's port name
    bool verbose = false;
    // What the console plays (play_script.h), from when the ports are ready or, with
    // startOnSignal, from the first SIGUSR1; scriptName stands for its file in errors.
    std::vector<ScheduledAction> script;
    std::string scriptName;
    bool startOnSignal = false;
};

// Runs until SIGINT or SIGTERM; returns the exit code. Progress and errors go to `log`.
// Blocks those signals and SIGUSR1 for the whole process first, so that MIDI threads never
// take them. Throws PlayScriptError for a script step on a manual the chain lacks.
int runSimulator(const SimulatorSettings& settings, std::ostream& log);

} // namespace zkt::sim
