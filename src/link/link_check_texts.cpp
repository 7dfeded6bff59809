#include "link/link_check_texts.h"

#include "link/link_verdict.h"

#include <cstdio>

namespace zkt::linkchecktext {

std::string title() {
    return "Test MIDI Connection";
}

std::string intro() {
    return "The test counts the MCUs and sends test messages of 16 to 512 bytes round the MIDI loop. Every MCU "
           "passes them on, so each one should come back unchanged. It takes about ten seconds.";
}

std::vector<std::string> columns() {
    return {"Length (bytes)", "Sent", "Intact", "Corrupted", "Lost", "Round trip"};
}

std::string progress(int sent, int planned) {
    if (sent == planned)
        return "Waiting for the last messages to come back";
    return std::to_string(sent) + " of " + std::to_string(planned) + " messages sent";
}

std::string done() {
    return "Done";
}

std::string roundTrip(const LengthResult& row, std::string_view noneBack) {
    const auto average = row.averageRoundTrip();
    if (!average)
        return std::string(noneBack);
    char text[32];
    std::snprintf(text, sizeof text, "%.1f ms", static_cast<double>(average->count()) / 1000.0);
    return text;
}

std::string mcusCounted(const LinkReport& report) {
    return "MCUs counted: " + mcusCountedText(report);
}

std::string startCaption(bool again) {
    return again ? "&Test Again" : "&Start Test";
}

std::string closeCaption() {
    return "&Close";
}

} // namespace zkt::linkchecktext
