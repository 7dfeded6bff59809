#pragma once
// Stand-ins for the port and the window, recording what the device link does to them.

#include "link/midi_port.h"
#include "link/transfer_ui.h"
#include "model/bytes.h"

#include <deque>
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

class RecordingStatus final : public StatusSink {
public:
    std::string caption;
    std::string content;
    bool visible = false;

    void setCaption(const std::string& text) override { caption = text; }
    void replaceText(const std::string& text) override { content = text; }
    void appendText(const std::string& text) override { content += text; }
    std::string text() const override { return content; }
    void centreOverMain() override {}
    void show() override { visible = true; }
    void hide() override { visible = false; }
    bool isVisible() const override { return visible; }

    std::vector<std::string> lines() const {
        std::vector<std::string> result;
        std::size_t start = 0;
        while (start <= content.size()) {
            const auto end = content.find("\r\n", start);
            result.push_back(content.substr(start, end - start));
            if (end == std::string::npos)
                break;
            start = end + 2;
        }
        return result;
    }
};

class RecordingHooks final : public MainWindowHooks {
public:
    int panelRefreshes = 0;
    int commandEnables = 0;
    int panelHides = 0;
    int setupDialogs = 0;
    bool setupCancels = false;
    bool transferRunning = false;
    std::vector<std::int16_t> finishedKinds;

    void refreshManualPanels() override { ++panelRefreshes; }
    void enableAllCommands() override { ++commandEnables; }
    void hideManualPanels() override { ++panelHides; }
    void setTransferRunning(bool running) override { transferRunning = running; }
    void transferFinished(std::int16_t transferKind) override { finishedKinds.push_back(transferKind); }
    bool showMidiSetup() override {
        ++setupDialogs;
        return setupCancels;
    }
};

inline Bytes bytesOf(std::initializer_list<int> values) {
    Bytes result;
    for (int value : values)
        result.push_back(static_cast<std::uint8_t>(value));
    return result;
}

} // namespace zkt::test
