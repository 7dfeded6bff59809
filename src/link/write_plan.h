#pragma once
// Which manuals a write has to send: each manual's image as its MCU would store it (encoded
// for that MCU's hardware type) against what the chain was just read to hold, as the
// configuration shows it. A manual whose shown settings are all the same needs no update, and
// its flash is left alone; what the chain holds that no editor can show (hidden_differences.h)
// is said, written only where its chunk is sent anyway or every manual is written.

#include "link/chain_read.h"
#include "link/transfer_state.h"
#include "model/config_model.h"
#include "model/hidden_differences.h"

#include <map>
#include <string>
#include <vector>

namespace zkt {

struct ManualChange {
    int manual = 0;
    // The 64-byte chunks in which a shown setting changes (all of them when every manual is
    // written).
    ChunkSet chunks;
    // What changes, as `zktcli diff` words it ("Manual 2, piston 5: Program Change #3 on MIDI
    // Channel 1 → ...", the chain's value first).
    std::vector<std::string> fields;
};

struct WritePlan {
    std::vector<int> toWrite; // in manual order
    std::vector<int> unchanged;
    std::vector<int> notInChain; // manuals of the configuration the chain does not have
    std::vector<ManualChange> changes;
    // By manual, for each manual of the chain that holds any.
    std::map<int, std::vector<HiddenDifference>> hidden;
    // The configuration's names, which call the manuals by theirs in the lines.
    ConsoleNames names;

    // The lines for the progress, zktcli and the confirmation before a write: per manual
    // whether it is written and what changes, and what the chain holds otherwise than shown,
    // with whether the write stores it as shown or keeps it.
    std::vector<std::string> describe() const;
    // The write that carries the plan out, right after the read it was made from.
    WriteRequest request() const;
};

// What a write that would change nothing says.
std::string nothingToWriteText();
// The write dialog's box that writes every manual, changed or not; '&' before its access key.
std::string everyManualCaption();

// everyManual: write each manual the chain has, changed or not. Throws EncodeOverflow.
WritePlan planWrite(const ConfigModel& edited, const ChainRead& chain, const ConfigModel& chainModel,
                    bool everyManual);

} // namespace zkt
