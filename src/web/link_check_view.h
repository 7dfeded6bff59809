#pragma once
// The connection test (link/link_check_run.h) as the page shows it, as JSON.

#include "link/link_check_run.h"

#include <nlohmann/json.hpp>

#include <string>

namespace zkt::web {

// The dialog's words that do not change: {title, intro, columns, start, again, close}.
nlohmann::json linkCheckTexts();

// {running, progress: the line under the bar, sent, planned, ports, rows: [{length, sent, intact,
// corrupted, lost (null while running), roundTripMs (null: none), roundTrip: as shown}], mcus: ""
// or "MCUs counted: 3", verdict: "" or its text, problem}. refusal: why the last start failed,
// shown as the verdict.
nlohmann::json linkCheckView(const LinkCheckRun& run, const std::string& ports, const std::string& refusal);

} // namespace zkt::web
