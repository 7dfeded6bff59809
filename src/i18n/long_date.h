#pragma once
// A date as a sentence writes it, in the current language: "9 December 2026".

#include <string>

namespace zkt {

// month 1..12; any other gives "?" for the month's name.
std::string longDate(int year, int month, int day);

} // namespace zkt
