#pragma once
// What the transfer engine needs of the user interface. The window implements these with
// widgets, zktcli prints to stderr, and tests record the calls.

#include <cstdint>
#include <string>

namespace zkt {

// The status window: a caption and a multi-line text.
class StatusSink {
public:
    virtual ~StatusSink() = default;
    virtual void setCaption(const std::string& caption) = 0;
    virtual void replaceText(const std::string& text) = 0;
    // Appends text at the very end of the current text (no line break is added; callers
    // that start a new line pass it themselves).
    virtual void appendText(const std::string& text) = 0;
    virtual std::string text() const = 0;
    // Centres the status window over the main window (a no-op without windows).
    virtual void centreOverMain() = 0;
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual bool isVisible() const = 0;
    // Whether the transfer reported here can be cancelled now.
    virtual void setCancellable(bool) {}
};

// The main window's part in a transfer.
class MainWindowHooks {
public:
    virtual ~MainWindowHooks() = default;
    virtual void refreshManualPanels() = 0;
    virtual void enableAllCommands() = 0;
    virtual void hideManualPanels() = 0;
    // A transfer of this kind (kind::load, kind::write, kind::file) has reached its end.
    virtual void transferFinished(std::int16_t) {}
    // Shows the MIDI setup dialog modally; returns true when it ended with Cancel.
    virtual bool showMidiSetup() = 0;
    // While a load or write runs, nothing may start another transfer or open a file.
    virtual void setTransferRunning(bool) {}
};

} // namespace zkt
