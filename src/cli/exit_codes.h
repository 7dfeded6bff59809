#pragma once
// zktcli's exit statuses, one list for every command, for --help and scripts alike.

#include <string>

namespace zkt::cli::exitcode {

inline constexpr int success = 0;
// diff: the configurations differ. Device commands: the transfer failed or the chain gave a
// count of manuals no chain has.
inline constexpr int differentOrFailed = 1;
// Bad input or usage: unreadable or damaged files, invalid JSON or values, a port that does not
// exist.
inline constexpr int badInput = 2;
// Gave up after --timeout; or write could not read the chain for its backup. Either way a write
// has sent nothing.
inline constexpr int timedOut = 3;
// The chain does not hold the configuration (the read-back of a write, verify).
inline constexpr int verificationFailed = 4;
// check-link found a problem with the MIDI loop.
inline constexpr int linkProblem = 5;
// A MIDI device in use went away during the transfer (unplugged, switched off, its program ended).
inline constexpr int deviceGone = 6;
// write: --timeout ended the read-back after the manuals were written; they are not verified.
inline constexpr int writtenNotVerified = 7;
// write: --timeout ended the write while it was writing; some manuals may be written.
inline constexpr int writeCutShort = 8;
// check-console: something came from the console other than the configuration says (a stuck
// note, a wrong velocity or channel, a message nothing sends, a shoe short of its range).
inline constexpr int consoleFaults = 9;
// check-console: nothing came wrong, but not every key, piston and shoe it follows was played.
inline constexpr int consoleUnfinished = 10;
// Ctrl-C (check-console: Ctrl-C ends the check, which then exits as its verdict says).
inline constexpr int interrupted = 130;

// The table printed at the end of --help, in the current language.
std::string helpText();

} // namespace zkt::cli::exitcode
