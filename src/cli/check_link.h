#pragma once
// zktcli check-link: the connection test on the chosen ports, then its table and verdict.

#include "cli/device_session.h"
#include "link/link_report.h"
#include "link/link_verdict.h"

#include <ostream>

namespace zkt::cli {

// Runs the test to its end (some seconds, or until the session's time-out); progress goes to
// err, the report to out. Returns the exit status: 0 when the loop is fine.
int checkLink(DeviceSession& session, std::ostream& out, std::ostream& err);

// The MCUs counted, one row per length (sent, intact, corrupted, lost, round trip), the verdict.
void printLinkReport(const LinkReport& report, const Verdict& verdict, std::ostream& out);

} // namespace zkt::cli
