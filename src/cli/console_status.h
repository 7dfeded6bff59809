#pragma once
// zktcli's stand-ins for the status window and the main window: the status text becomes
// progress lines on a stream (stderr), and there are no panels or commands to refresh.

#include "link/transfer_ui.h"

#include <ostream>
#include <string>

namespace zkt::cli {

class ConsoleStatus final : public StatusSink {
public:
    explicit ConsoleStatus(std::ostream& out) : m_out(out) {}

    void setCaption(const std::string& caption) override;
    void replaceText(const std::string& text) override;
    void appendText(const std::string& text) override;
    std::string text() const override { return m_text; }
    void centreOverMain() override {}
    void show() override { m_visible = true; }
    void hide() override { m_visible = false; }
    bool isVisible() const override { return m_visible; }

    // Ends the line in progress, so whatever follows starts on its own line.
    void finishLine();
    // Ends the line in progress for a line of someone else's; the status's own next line break
    // is then already there.
    void makeRoomForOtherLine();

private:
    void print(const std::string& piece);

    std::ostream& m_out;
    std::string m_text;
    std::string m_caption;
    bool m_visible = false;
    bool m_midLine = false;
    bool m_lineEndedForOthers = false;
};

class ConsoleHooks final : public MainWindowHooks {
public:
    void refreshManualPanels() override {}
    void enableAllCommands() override {}
    void hideManualPanels() override {}
    // The ports come from the command line; with none chosen there is nothing to set up.
    bool showMidiSetup() override { return true; }
};

} // namespace zkt::cli
