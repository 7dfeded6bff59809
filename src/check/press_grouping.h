#pragma once
// The messages of one press arriving together are one press: a Bank Select's MSB and LSB with
// the program change that ends it, an All Notes Off sent on every channel. Such a press is
// complete when its program change or its sixteenth channel has come, when it is what a piston
// sends and no piston sends more, or when `together` has passed since its first message; any
// other message is a press of its own.

#include "check/console_plan.h"
#include "link/clock.h"

#include <vector>

namespace zkt {

using Press = std::vector<ChannelMessage>;

class PressGrouping {
public:
    PressGrouping(const ConsolePlan& plan, Micros together) : m_plan(plan), m_together(together) {}

    // Takes a message that is not a note; returns the presses it completes, oldest first.
    std::vector<Press> take(const ChannelMessage& message, Micros now);
    // The presses whose time to grow has passed by now.
    std::vector<Press> due(Micros now);
    // Every press begun, complete or not.
    std::vector<Press> flush();

private:
    struct Pending {
        Micros first;
        Press messages;
    };

    bool complete(const Press& press) const;

    const ConsolePlan& m_plan;
    Micros m_together;
    std::vector<Pending> m_pending; // oldest first
};

} // namespace zkt
