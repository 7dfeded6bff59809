#pragma once
// Stand-ins for the port and for a front end, recording what the device link does to them.

#include "link/midi_port.h"
#include "link/status_text.h"
#include "link/transfer_events.h"
#include "model/bytes.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace zkt::test {

class FakePort final : public MidiPort {
public:
    std::vector<std::string> inputs{"in A"};
    std::vector<std::string> outputs{"out A", "out B"};
    std::vector<Bytes> sent;
    std::deque<Bytes> incoming;
    int openedInput = -1;
    int openedOutput = -1;
    int inputOpens = 0;
    bool failOpenInput = false;
    bool failOpenOutput = false;
    bool failSend = false; // as when the interface has been unplugged

    std::vector<std::string> inputNames() const override { return inputs; }
    std::vector<std::string> outputNames() const override { return outputs; }
    void openInput(int device) override {
        if (failOpenInput)
            throw MidiError("input device busy");
        openedInput = device;
        ++inputOpens;
    }
    void openOutput(int device) override {
        if (failOpenOutput)
            throw MidiError("output device busy");
        openedOutput = device;
    }
    void closeInput() override { openedInput = -1; }
    void closeOutput() override { openedOutput = -1; }
    bool isInputOpen() const override { return openedInput >= 0; }
    bool isOutputOpen() const override { return openedOutput >= 0; }
    void sendSysEx(std::span<const std::uint8_t> message) override {
        if (failSend)
            throw MidiError("the MIDI interface was unplugged");
        sent.emplace_back(message.begin(), message.end());
    }
    std::optional<std::vector<std::uint8_t>> takeReceived() override {
        if (incoming.empty())
            return std::nullopt;
        Bytes message = std::move(incoming.front());
        incoming.pop_front();
        return message;
    }
    void setReceiveNotifier(std::function<void()>) override {}
};

// Records what the transfer engine tells a front end, and shows the progress as the window
// would: shown from a start until the user puts it away or the closing is done.
class RecordingObserver final : public TransferObserver {
public:
    std::string caption;
    StatusText status;
    bool visible = false;
    bool cancellable = false;
    bool running = false; // from a start until the outcome is final
    int startedLoadsForEditing = 0;
    int portChoices = 0;
    int closings = 0;
    std::vector<int> manualsRead;
    std::vector<int> manualsWritten;
    std::vector<TransferOutcome> outcomes;
    // Run when the engine asks for ports, as the MIDI setup would; empty: the user cancels.
    std::function<void()> choosePorts;

    const std::string& content() const { return status.text(); }
    std::vector<std::string> lines() const { return status.lines(); }
    // The edited configuration came back from a load for editing, whole or not.
    int editLoadsEnded() const {
        int ended = 0;
        for (const TransferOutcome& outcome : outcomes)
            ended += outcome.kind == TransferKind::load && outcome.purpose == LoadPurpose::edit;
        return ended;
    }

    void transferStarted(TransferKind kind, LoadPurpose purpose) override {
        visible = true;
        running = true;
        startedLoadsForEditing += kind == TransferKind::load && purpose == LoadPurpose::edit;
    }
    void captionChanged(const std::string& text) override { caption = text; }
    void statusReplaced(const std::string& text) override { status.replace(text); }
    void statusLineAdded(const std::string& line) override { status.addLine(line); }
    void statusAppended(const std::string& piece) override { status.append(piece); }
    void manualRead(int manual) override { manualsRead.push_back(manual); }
    void manualWritten(int manual) override { manualsWritten.push_back(manual); }
    void cancellableChanged(bool value) override { cancellable = value; }
    void portChoiceNeeded(TransferKind) override {
        ++portChoices;
        if (choosePorts)
            choosePorts();
    }
    void retriesPaused() override { visible = false; }
    void retriesResumed() override { visible = true; }
    void transferFinished(const TransferOutcome& outcome) override {
        outcomes.push_back(outcome);
        running = false;
        if (outcome.result == TransferOutcome::Result::failed)
            visible = true;
    }
    void closingDone() override {
        ++closings;
        visible = false;
    }
};

inline Bytes bytesOf(std::initializer_list<int> values) {
    Bytes result;
    for (int value : values)
        result.push_back(static_cast<std::uint8_t>(value));
    return result;
}

} // namespace zkt::test
