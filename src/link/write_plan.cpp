#include "link/write_plan.h"

#include "model/change_words.h"
#include "model/console_names.h"
#include "model/program_image.h"

#include <algorithm>

namespace zkt {

namespace {

// The chunks whose bytes the MCU would store differently. Only the image's 256 bytes travel:
// the buffer's four bytes after them never make a chunk differ.
ChunkSet changedChunks(const ConfigModel& edited, int manual, const ChainRead& chain) {
    ConfigModel forThisMcu = edited;
    forThisMcu.hardwareType = chain.hardwareTypes[static_cast<std::size_t>(manual - 1)];
    const ImageBuffer image = encodedManual(forThisMcu, manual);
    const Bytes& held = chain.images[static_cast<std::size_t>(manual - 1)];
    if (held.size() < programImageSize)
        return everyChunk;
    ChunkSet changed;
    for (std::size_t chunk = 0; chunk < changed.size(); ++chunk) {
        const auto first = static_cast<std::ptrdiff_t>(chunk * protocol::chunkSize);
        const auto last = first + static_cast<std::ptrdiff_t>(protocol::chunkSize);
        changed[chunk] = !std::equal(held.begin() + first, held.begin() + last, image.begin() + first);
    }
    return changed;
}

std::string count(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + (n == 1 ? one : many);
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
        if (change != changes.end()) {
            const std::string chunks = " (" + std::to_string(change->chunks.count()) + " of " +
                                       std::to_string(change->chunks.size()) + " chunks)";
            lines.push_back(
                name + " will be written" + chunks +
                (change->fields.empty()
                     ? std::string(".")
                     : ": " + count(change->fields.size(), " setting changes:", " settings change:")));
            for (const std::string& field : change->fields)
                lines.push_back("  " + field);
        } else if (listed(unchanged, manual)) {
            lines.push_back(name + " is unchanged and will not be written.");
        } else if (listed(notInChain, manual)) {
            lines.push_back(name + " is not in the chain and cannot be written.");
        }
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
