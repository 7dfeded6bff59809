#pragma once
// Plays a script (play_script.h) on a simulated chain as its time comes.

#include "link/clock.h"
#include "sim/play_script.h"
#include "sim/simulated_chain.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace zkt {

class ScriptPlayer {
public:
    // Throws PlayScriptError naming the line of the first step for a manual the chain lacks.
    ScriptPlayer(std::vector<ScheduledAction> script, const SimulatedChain& chain, const std::string& name);

    // The script's time 0.
    void start(Micros at);
    bool started() const { return m_start.has_value(); }
    // Plays every step due by now.
    void playDue(SimulatedChain& chain, Micros now);
    // When the next step is due; nullopt before the start and after the last.
    std::optional<Micros> nextDue() const;
    bool finished() const { return m_next == m_script.size(); }

private:
    std::vector<ScheduledAction> m_script;
    std::size_t m_next = 0;
    std::optional<Micros> m_start;
};

} // namespace zkt
