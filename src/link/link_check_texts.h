#pragma once
// Every word of the connection test's dialog, for the window and the page alike; the verdicts
// are link_verdict.h's. Captions carry '&' before the letter Alt chooses.

#include "link/link_check.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zkt::linkchecktext {

std::string title();
std::string intro();
// The results table's column headings, in order.
std::vector<std::string> columns();
// Under the progress bar: while messages still leave, once all have, and after the test.
std::string progress(int sent, int planned);
std::string done();
// A row's average round trip, "12.5 ms", or noneBack where none came back (a terminal's report
// has a plain "-").
std::string roundTrip(const LengthResult& row, std::string_view noneBack = "\u2013");
// "MCUs counted: 3"
std::string mcusCounted(const LinkReport& report);
// The start button before the first test and after one; the close button.
std::string startCaption(bool again);
std::string closeCaption();

} // namespace zkt::linkchecktext
