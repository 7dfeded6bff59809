#include "link/write_plan.h"

#include "link/transfer_words.h"
#include "model/change_words.h"
#include "model/console_names.h"
#include "model/program_image.h"

#include <algorithm>

namespace zkt {

namespace {

// The chunks in which the edited image differs from what the chain holds as the configuration
// shows it. Only the image's 256 bytes travel: the buffer's four bytes after them never make a
// chunk differ, and neither do bytes that differ only because no setting shows them.
ChunkSet changedChunks(const ConfigModel& edited, int manual, const ChainRead& chain) {
    const auto index = static_cast<std::size_t>(manual - 1);
    const Bytes& held = chain.images[index];
    if (held.size() < programImageSize)
        return everyChunk;
    ConfigModel forThisMcu = edited;
    forThisMcu.hardwareType = chain.hardwareTypes[index];
    const ImageBuffer image = encodedManual(forThisMcu, manual);
    const ImageBuffer shown = shownImage(held, manual, chain.hardwareTypes[index]);
    ChunkSet changed;
    for (std::size_t chunk = 0; chunk < changed.size(); ++chunk) {
        const auto first = static_cast<std::ptrdiff_t>(chunk * protocol::chunkSize);
        const auto last = first + static_cast<std::ptrdiff_t>(protocol::chunkSize);
        changed[chunk] = !std::equal(shown.begin() + first, shown.begin() + last, image.begin() + first);
    }
    return changed;
}

std::string count(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + (n == 1 ? one : many);
}

std::size_t chunkOf(const HiddenDifference& difference) {
    return static_cast<std::size_t>(difference.position - 1) / protocol::chunkSize;
}

void addIndented(std::vector<std::string>& lines, const std::string& heading,
                 const std::vector<const HiddenDifference*>& differences) {
    if (differences.empty())
        return;
    lines.push_back("  " + heading);
    for (const HiddenDifference* difference : differences)
        lines.push_back("    " + difference->text + ".");
}

// What the chain holds otherwise than shown: stored as shown in the chunks sent, kept in the rest.
void describeHidden(std::vector<std::string>& lines, const std::vector<HiddenDifference>& hidden,
                    const ChunkSet& sent) {
    std::vector<const HiddenDifference*> stored;
    std::vector<const HiddenDifference*> kept;
    for (const HiddenDifference& difference : hidden)
        (sent.test(chunkOf(difference)) ? stored : kept).push_back(&difference);
    const std::string product(texts::product);
    addIndented(
        lines,
        "The " + product + " holds what is shown otherwise here; the write stores it as shown:", stored);
    addIndented(lines, "The " + product + " holds what is shown otherwise here, and keeps it:", kept);
    if (!kept.empty())
        lines.push_back(
            "  To store it as shown, write every manual (\"Write every manual, also those that have "
            "not changed\", zktcli write --all).");
}

} // namespace

WritePlan planWrite(const ConfigModel& edited, const ChainRead& chain, const ConfigModel& chainModel,
                    bool everyManual) {
    WritePlan plan;
    plan.names = edited.names;
    const int manuals = std::clamp<int>(edited.numberOfManuals, 0, maxManuals);
    ConfigModel stored = throughImages(edited, std::min(manuals, chain.manuals()));
    // The images carry no names; the words call manuals and pistons by the configuration's.
    stored.names = edited.names;
    for (int manual = 1; manual <= manuals; ++manual) {
        if (manual > chain.manuals()) {
            plan.notInChain.push_back(manual);
            continue;
        }
        const auto index = static_cast<std::size_t>(manual - 1);
        std::vector<HiddenDifference> hidden =
            hiddenDifferences(chain.images[index], manual, chain.hardwareTypes[index], edited.names);
        if (!hidden.empty())
            plan.hidden[manual] = std::move(hidden);
        const ChunkSet chunks = everyManual ? everyChunk : changedChunks(edited, manual, chain);
        if (chunks.none()) {
            plan.unchanged.push_back(manual);
            continue;
        }
        plan.toWrite.push_back(manual);
        plan.changes.push_back({manual, chunks, manualChangesInWords(chainModel, stored, manual)});
    }
    return plan;
}

std::vector<std::string> WritePlan::describe() const {
    std::vector<std::string> lines;
    const auto listed = [](const std::vector<int>& manuals, int manual) {
        return std::find(manuals.begin(), manuals.end(), manual) != manuals.end();
    };
    for (int manual = 1; manual <= maxManuals; ++manual) {
        const std::string name = manualWithName(names, manual);
        const auto change = std::find_if(changes.begin(), changes.end(),
                                         [manual](const ManualChange& c) { return c.manual == manual; });
        ChunkSet sent;
        if (change != changes.end()) {
            sent = change->chunks;
            const std::string chunks = " (" + std::to_string(change->chunks.count()) + " of " +
                                       std::to_string(change->chunks.size()) + " chunks)";
            lines.push_back(name + " will be written" + chunks + ": " +
                            (change->fields.empty()
                                 ? std::string("no setting changes; every manual is written.")
                                 : count(change->fields.size(), " setting changes:", " settings change:")));
            for (const std::string& field : change->fields)
                lines.push_back("  " + field);
        } else if (listed(unchanged, manual)) {
            lines.push_back(name + " is unchanged and will not be written.");
        } else if (listed(notInChain, manual)) {
            lines.push_back(name + " is not in the chain and cannot be written.");
        }
        if (const auto held = hidden.find(manual); held != hidden.end())
            describeHidden(lines, held->second, sent);
    }
    return lines;
}

std::string nothingToWriteText() {
    return "Nothing to write: the ZKT already holds this configuration.";
}

WriteRequest WritePlan::request() const {
    WriteRequest request;
    request.manuals = toWrite;
    for (const ManualChange& change : changes)
        request.chunks[change.manual] = change.chunks;
    request.askAtOnce = true;
    return request;
}

} // namespace zkt
