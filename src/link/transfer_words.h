#pragma once
// The words of a transfer's progress, for the status window, zktcli and the page alike: each step
// the engine tells (transfer_progress.h) as the captions and lines the progress shows, and why a
// transfer stopped. Each is one sentence marked for translation (i18n/tr.h), with the product's
// name, the manual's number and the like put in its placeholders.

#include "link/transfer_progress.h"
#include "model/product_name.h"

#include <string>
#include <string_view>
#include <vector>

namespace zkt {

namespace texts {

inline constexpr std::string_view product = productTag;
std::string loadingCaption();
std::string writingCaption();

} // namespace texts

// Where a step's words go: the caption, the whole text, a new line, or the end of the last line.
struct ProgressWords {
    enum class Put { caption, replace, line, append };
    Put put;
    std::string text;
};

std::vector<ProgressWords> wordsOf(const TransferProgress& progress);

// "Number of manuals detected = 3", or that the count is one no chain has.
std::string chainCountedLine(const ChainCount& count);
// What a stopped transfer leaves behind: for a load that nothing was loaded; for a write which
// manuals were written, may be incomplete, or were not written. One sentence.
std::string leftBehind(TransferKind kind, const WriteTally& tally);
// Why a transfer stopped, with what it leaves behind.
std::string failureReason(const TransferFailure& failure);
// "Cancelled. " and what the transfer leaves behind.
std::string cancelledText(TransferKind kind, const WriteTally& tally);

} // namespace zkt
