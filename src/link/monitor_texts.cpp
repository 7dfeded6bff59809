#include "link/monitor_texts.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"

namespace zkt::monitortext {

std::string title() {
    return tr("MIDI Monitor");
}

std::string filterPlaceholder() {
    return tr("Filter: show only messages containing this text");
}

std::vector<std::string> columns() {
    return {tr("Time (ms)"), tr("Since previous (ms)"), tr("Direction"), tr("Bytes"), tr("Meaning")};
}

std::string countText(const Count& count) {
    std::string text = formatText(trn("%1 message", "%1 messages", count.shown), count.shown);
    if (count.dropped > 0)
        text += formatText(trn(" (the %1 oldest was let go: the monitor keeps the latest %2)",
                               " (the %1 oldest were let go: the monitor keeps the latest %2)", count.dropped),
                           count.dropped, count.capacity);
    if (count.paused)
        text += formatText(tr("; paused, %1 not recorded"), count.notRecorded);
    return text;
}

std::string pauseCaption(bool paused) {
    return paused ? tr("&Resume") : tr("&Pause");
}

std::string clearCaption() {
    return tr("C&lear");
}

std::string saveCaption() {
    return tr("&Save...");
}

} // namespace zkt::monitortext
