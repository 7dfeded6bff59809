#include "link/link_check_texts.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"
#include "link/link_verdict.h"

#include <cstdio>

namespace zkt::linkchecktext {

std::string title() {
    return tr("Test MIDI Connection");
}

std::string intro() {
    return tr(
        "The test counts the MCUs and sends test messages of 16 to 512 bytes round the MIDI loop. Every MCU "
        "passes them on, so each one should come back unchanged. It takes about ten seconds.");
}

std::vector<std::string> columns() {
    return {tr("Length (bytes)"), tr("Sent"), tr("Intact"), tr("Corrupted"), tr("Lost"), tr("Round trip")};
}

std::string progress(int sent, int planned) {
    if (sent == planned)
        return tr("Waiting for the last messages to come back");
    return formatText(tr("%1 of %2 messages sent"), sent, planned);
}

std::string done() {
    return tr("Done");
}

std::string roundTrip(const LengthResult& row, std::string_view noneBack) {
    const auto average = row.averageRoundTrip();
    if (!average)
        return std::string(noneBack);
    char milliseconds[32];
    std::snprintf(milliseconds, sizeof milliseconds, "%.1f", static_cast<double>(average->count()) / 1000.0);
    return formatText(tr("%1 ms"), std::string(milliseconds));
}

std::string mcusCounted(const LinkReport& report) {
    return formatText(tr("MCUs counted: %1"), mcusCountedText(report));
}

std::string startCaption(bool again) {
    return again ? tr("&Test Again") : tr("&Start Test");
}

std::string closeCaption() {
    return tr("&Close");
}

} // namespace zkt::linkchecktext
