#include "link/write_plan.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"
#include "link/transfer_words.h"
#include "model/change_words.h"
#include "model/console_names.h"
#include "model/editor_texts.h"
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
    addIndented(lines,
                formatText(tr("The %1 holds what is shown otherwise here; the write stores it as shown:"),
                           texts::product),
                stored);
    addIndented(lines,
                formatText(tr("The %1 holds what is shown otherwise here, and keeps it:"), texts::product),
                kept);
    if (!kept.empty())
        // TRANSLATORS: %1 is the write dialog's box that writes every manual.
        lines.push_back(
            "  " + formatText(tr("To store it as shown, write every manual (\"%1\", zktcli write --all)."),
                              editortext::withoutMnemonic(everyManualCaption())));
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
            const std::size_t sentChunks = change->chunks.count();
            const std::size_t allChunks = change->chunks.size();
            const std::size_t settings = change->fields.size();
            // TRANSLATORS: %1 is the manual, %2 and %3 how many of its chunks are sent.
            lines.push_back(
                settings == 0
                    ? formatText(
                          tr("%1 will be written (%2 of %3 chunks): no setting changes; every manual is "
                             "written."),
                          name, sentChunks, allChunks)
                    : formatText(trn("%1 will be written (%2 of %3 chunks): %4 setting changes:",
                                     "%1 will be written (%2 of %3 chunks): %4 settings change:", settings),
                                 name, sentChunks, allChunks, settings));
            for (const std::string& field : change->fields)
                lines.push_back("  " + field);
        } else if (listed(unchanged, manual)) {
            lines.push_back(formatText(tr("%1 is unchanged and will not be written."), name));
        } else if (listed(notInChain, manual)) {
            lines.push_back(formatText(tr("%1 is not in the chain and cannot be written."), name));
        }
        if (const auto held = hidden.find(manual); held != hidden.end())
            describeHidden(lines, held->second, sent);
    }
    return lines;
}

std::string nothingToWriteText() {
    return tr("Nothing to write: the ZKT already holds this configuration.");
}

std::string everyManualCaption() {
    return tr("Write &every manual, also those that have not changed");
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
