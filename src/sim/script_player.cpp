#include "sim/script_player.h"

namespace zkt {

ScriptPlayer::ScriptPlayer(std::vector<ScheduledAction> script, const SimulatedChain& chain,
                           const std::string& name)
    : m_script(std::move(script)) {
    for (const ScheduledAction& step : m_script) {
        if (step.action.manual > chain.mcuCount())
            throw PlayScriptError(name + ", line " + std::to_string(step.line) + ": manual " +
                                  std::to_string(step.action.manual) + " is not in the chain of " +
                                  std::to_string(chain.mcuCount()) + " manuals");
    }
}

void ScriptPlayer::start(Micros at) {
    m_start = at;
}

void ScriptPlayer::playDue(SimulatedChain& chain, Micros now) {
    while (m_start && m_next < m_script.size() && *m_start + m_script[m_next].at <= now)
        chain.play(m_script[m_next++].action);
}

std::optional<Micros> ScriptPlayer::nextDue() const {
    if (!m_start || finished())
        return std::nullopt;
    return *m_start + m_script[m_next].at;
}

} // namespace zkt
