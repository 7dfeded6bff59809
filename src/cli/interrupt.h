#pragma once
// Ctrl-C during a transfer asks it to stop the way the window's Cancel does: a load changes
// nothing, a write finishes the manual it has begun. A second Ctrl-C ends zktcli at once.

namespace zkt::cli {

void catchInterrupt();
bool interruptRequested();

} // namespace zkt::cli
