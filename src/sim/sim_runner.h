#pragma once
// zktsim's work: the simulated encoder chain behind a pair of virtual MIDI ports, in real time.

#include "link/rtmidi/midi_api.h"
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
};

// Runs until SIGINT or SIGTERM; returns the exit code. Progress and errors go to `log`.
// Blocks both signals for the whole process first, so that MIDI threads never take them.
int runSimulator(const SimulatorSettings& settings, std::ostream& log);

} // namespace zkt::sim
