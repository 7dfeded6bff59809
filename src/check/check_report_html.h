#pragma once
// The console check's report as an HTML page of its own, black on white for any printer: the
// desktop prints it or writes it as PDF, the browser page shows and prints it, zktcli saves it.

#include "check/check_report.h"

#include <string>

namespace zkt {

std::string checkReportHtml(const CheckReport& report);

} // namespace zkt
