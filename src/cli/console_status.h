#pragma once
// zktcli's view of a transfer: the progress becomes lines on a stream (stderr).

#include "link/status_text.h"
#include "link/transfer_events.h"

#include <ostream>
#include <string>

namespace zkt::cli {

class ConsoleStatus : public TransferObserver {
public:
    explicit ConsoleStatus(std::ostream& out) : m_out(out) {}

    void captionChanged(const std::string& caption) override;
    void statusReplaced(const std::string& text) override;
    void statusLineAdded(const std::string& line) override;
    void statusAppended(const std::string& piece) override;

    // Ends the line in progress, so whatever follows starts on its own line.
    void finishLine();
    // Ends the line in progress for a line of someone else's; the status's own next line break
    // is then already there.
    void makeRoomForOtherLine();

private:
    void print(const std::string& piece);

    std::ostream& m_out;
    StatusText m_text;
    std::string m_caption;
    bool m_midLine = false;
    bool m_lineEndedForOthers = false;
};

} // namespace zkt::cli
