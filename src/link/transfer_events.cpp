#include "link/transfer_events.h"

#include "link/transfer_words.h"

namespace zkt {

void TransferObserver::progressed(const TransferProgress& progress) {
    for (const ProgressWords& words : wordsOf(progress)) {
        switch (words.put) {
        case ProgressWords::Put::caption:
            captionChanged(words.text);
            break;
        case ProgressWords::Put::replace:
            statusReplaced(words.text);
            break;
        case ProgressWords::Put::line:
            statusLineAdded(words.text);
            break;
        case ProgressWords::Put::append:
            statusAppended(words.text);
            break;
        }
    }
}

} // namespace zkt
