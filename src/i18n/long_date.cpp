#include "i18n/long_date.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"

#include <array>

namespace zkt {

std::string longDate(int year, int month, int day) {
    const std::array<std::string, 12> months = {
        tr("January"), tr("February"), tr("March"),     tr("April"),   tr("May"),      tr("June"),
        tr("July"),    tr("August"),   tr("September"), tr("October"), tr("November"), tr("December")};
    const std::string monthName =
        month >= 1 && month <= 12 ? months[static_cast<std::size_t>(month - 1)] : "?";
    // TRANSLATORS: a date: %1 the day, %2 the month's name, %3 the year.
    return formatText(tr("%1 %2 %3"), day, monthName, year);
}

} // namespace zkt
