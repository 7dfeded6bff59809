#pragma once
// Many loads and writes against the simulated chain in virtual time, each with random faults on
// the answers and on the messages to the MCUs, checking after every run that a transfer that
// reported success really moved the right data. Seeded, so a finding can be replayed.

#include <cstdint>
#include <functional>
#include <string>

namespace zkt::soak {

struct SoakCounts {
    int runs = 0;
    int loads = 0;
    int writes = 0;
    int faultsInjected = 0;   // faults the chain applied, plus MCUs set to ignore program requests
    int successes = 0;        // reported success, and the data is right
    int reportedFailures = 0; // a time-out, an abandoned write, or a read-back that does not match
    int caughtByVerify = 0;   // of those: writes that ended normally but read back differently
    int silentFailures = 0;   // reported success over wrong data
    int exceptions = 0;       // anything thrown out of the engine or the chain
};

// Calls `finding` with a description of each silent failure and each exception.
SoakCounts runFaultSoak(std::uint32_t seed, int runs, const std::function<void(const std::string&)>& finding);

} // namespace zkt::soak
