#pragma once
// The program as zktconfig runs it, from the command line to the end of its event loop: one
// instance per user, the application, the splash or the file given.

#include <functional>

namespace zkt {

class Application;

// started, when given, is called once the application has started (tests drive the program
// through it). Returns the exit status.
int runProgram(int argc, char** argv, const std::function<void(Application&)>& started = {});

} // namespace zkt
