// Prints the fault soak's counts; exits 1 when any transfer reported success over wrong data or
// anything threw.

#include "fault_soak.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

int usage() {
    std::fprintf(stderr, "usage: fault_soak [--runs N] [--seed S]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    int runs = 1000;
    unsigned long seed = 20261208;
    // Options come in pairs: the name, then its number.
    for (int i = 1; i < argc; i += 2) {
        const std::string_view option = argv[i];
        if (i + 1 >= argc)
            return usage();
        char* end = nullptr;
        const unsigned long value = std::strtoul(argv[i + 1], &end, 10);
        if (end == argv[i + 1] || *end != '\0')
            return usage();
        if (option == "--runs" && value > 0 && value <= 10'000'000)
            runs = static_cast<int>(value);
        else if (option == "--seed" && value <= 0xFFFFFFFFUL)
            seed = value;
        else
            return usage();
    }
    const auto counts =
        zkt::soak::runFaultSoak(static_cast<std::uint32_t>(seed), runs,
                                [](const std::string& what) { std::printf("FINDING %s\n", what.c_str()); });
    std::printf("seed %lu\n", seed);
    std::printf("runs %d (loads %d, writes %d)\n", counts.runs, counts.loads, counts.writes);
    std::printf("faults injected %d\n", counts.faultsInjected);
    std::printf("successes %d\n", counts.successes);
    std::printf("reported failures %d (of them writes that read back differently %d)\n",
                counts.reportedFailures, counts.caughtByVerify);
    std::printf("silent failures %d\n", counts.silentFailures);
    std::printf("exceptions %d\n", counts.exceptions);
    return counts.silentFailures == 0 && counts.exceptions == 0 ? 0 : 1;
}
