#include "web/undo_history.h"

namespace zkt::web {

namespace {

// Enough for a long evening's editing; each step is a few kilobytes.
constexpr std::size_t maximumSteps = 1000;

} // namespace

bool UndoHistory::apply(const std::function<void()>& change, const std::function<std::string()>& describe) {
    const ConfigModel before = m_model;
    try {
        change();
    } catch (...) {
        m_model = before;
        throw;
    }
    if (sameConfiguration(before, m_model))
        return false;
    m_steps.resize(m_done);
    if (m_cleanAt && *m_cleanAt > m_done)
        m_cleanAt.reset();
    m_steps.push_back({before, m_model, describe()});
    if (m_steps.size() > maximumSteps) {
        m_steps.erase(m_steps.begin());
        if (m_cleanAt)
            m_cleanAt = *m_cleanAt == 0 ? std::nullopt : std::optional(*m_cleanAt - 1);
    }
    m_done = m_steps.size();
    return true;
}

bool UndoHistory::undo() {
    if (m_done == 0)
        return false;
    --m_done;
    takeConfiguration(m_model, m_steps[m_done].before);
    return true;
}

bool UndoHistory::redo() {
    if (m_done == m_steps.size())
        return false;
    takeConfiguration(m_model, m_steps[m_done].after);
    ++m_done;
    return true;
}

std::optional<std::string> UndoHistory::undoName() const {
    if (m_done == 0)
        return std::nullopt;
    return m_steps[m_done - 1].name;
}

std::optional<std::string> UndoHistory::redoName() const {
    if (m_done == m_steps.size())
        return std::nullopt;
    return m_steps[m_done].name;
}

} // namespace zkt::web
