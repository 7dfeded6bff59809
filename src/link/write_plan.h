#pragma once
// Which manuals a write has to send: each manual's image as its MCU would store it (encoded
// for that MCU's hardware type) against what the chain was just read to hold. A manual whose
// bytes are the same needs no update, and its flash is left alone.

#include "link/chain_read.h"
#include "link/transfer_state.h"
#include "model/config_model.h"

#include <string>
#include <vector>

namespace zkt {

struct ManualChange {
    int manual = 0;
    // The 64-byte chunks whose bytes differ from what the chain holds (all of them when every
    // manual is written).
    ChunkSet chunks;
    // What changes, as `zktcli diff` words it ("Manual 2, piston 5: Program Change #3 on MIDI
    // Channel 1 → ...", the chain's value first); empty when only bytes no field shows differ.
    std::vector<std::string> fields;
};

struct WritePlan {
    std::vector<int> toWrite; // in manual order
    std::vector<int> unchanged;
    std::vector<int> notInChain; // manuals of the configuration the chain does not have
    std::vector<ManualChange> changes;
    // The configuration's names, which call the manuals by theirs in the lines.
    ConsoleNames names;

    // One line per manual, for the progress, zktcli and the confirmation before a write.
    std::vector<std::string> describe() const;
    // The write that carries the plan out, right after the read it was made from.
    WriteRequest request() const;
};

// What a write that would change nothing says.
std::string nothingToWriteText();

// everyManual: write each manual the chain has, changed or not. Throws EncodeOverflow.
WritePlan planWrite(const ConfigModel& edited, const ChainRead& chain, const ConfigModel& chainModel,
                    bool everyManual);

} // namespace zkt
