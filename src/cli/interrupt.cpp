#include "cli/interrupt.h"

#include <csignal>

namespace zkt::cli {

namespace {

volatile std::sig_atomic_t requested = 0;

void onInterrupt(int) {
    requested = 1;
    std::signal(SIGINT, SIG_DFL);
}

} // namespace

void catchInterrupt() {
    requested = 0;
    std::signal(SIGINT, onInterrupt);
}

bool interruptRequested() {
    return requested != 0;
}

} // namespace zkt::cli
