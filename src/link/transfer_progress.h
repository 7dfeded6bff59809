#pragma once
// What a transfer has come to, in the transfer engine's own terms: the engine tells each step as
// it happens, and transfer_words.h gives each the words the progress shows. No front end has to
// match strings to know what happened, and the words live in one place.

#include "link/chain_count.h"
#include "link/transfer_state.h"

#include <string>
#include <vector>

namespace zkt {

// How far a write has come: the manuals written (their chain seen still there afterwards), those
// whose messages may not all have reached their MCU, and all it covers.
struct WriteTally {
    std::vector<int> written = {};
    std::vector<int> uncertain = {};
    std::vector<int> covered = {};
};

// Why a transfer could not go on.
struct TransferFailure {
    enum class What {
        cannotEncode,       // a value that does not fit its byte, before anything was sent
        cannotEncodeManual, // the same, found at a manual of a write under way
        deviceGone,         // detail: the device ("MIDI output "X"")
        portsWouldNotOpen,  // detail: the port layer's own words
        sendRefused,        // detail: the port layer's own words
    };
    What what;
    std::string detail = {};
    int manual = 0;
    TransferKind kind = TransferKind::none;
    WriteTally tally = {};
};

struct TransferProgress {
    enum class Step {
        loadStarted,        // the request for the chain's configuration
        writeAsked,         // a write was asked for (its caption, before the encoding is checked)
        writeStarted,       // the request for the chain's global configuration
        chainCounted,       // count: what the returned tag said
        stepBegun,          // kind: a manual's step, its program request or its messages
        manualRequested,    // manual: its program request goes out
        requestSent,        // the request just announced is on its way
        identityAnswered,   // a manual being written answered who it is
        writingFirstManual, // manual: the first of a write, its messages queued
        writingManual,      // manual: the next of a write, asked who it is
        lastMessageSent,    // a write's last message has left
        deviceSubstituted,  // detail: which device stands in for the one chosen
        retryWarning,       // waitingIn: the state whose request goes unanswered again and again
        manualSilent,       // manual: it does not send its program data
        cancelling,         // manual: the one written to its end first (0: none)
        cancelled,          // kind, tally: what the transfer leaves behind
        failed,             // failure
        finished,           // kind, purpose
    };
    Step step;
    int manual = 0;
    ChainCount count{};
    TransferState waitingIn = TransferState::idle;
    TransferKind kind = TransferKind::none;
    LoadPurpose purpose = LoadPurpose::edit;
    std::string detail = {};
    WriteTally tally = {};
    TransferFailure failure = {TransferFailure::What::cannotEncode};
};

} // namespace zkt
