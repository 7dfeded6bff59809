#include "document/edit_history.h"

#include <utility>

namespace zkt {

EditHistory::EditHistory(ConfigModel& model, std::string outsideChangeName)
    : m_model(model), m_outsideChangeName(std::move(outsideChangeName)), m_recorded(model) {}

bool EditHistory::apply(const std::function<void()>& change, const std::function<std::string()>& describe) {
    const Seen was = seen();
    const bool recorded = recordOutside();
    ConfigModel before = m_model;
    std::string name;
    try {
        change();
        if (sameConfiguration(before, m_model)) {
            announce(was, recorded);
            return false;
        }
        name = describe();
    } catch (...) {
        m_model = std::move(before);
        announce(was, recorded);
        throw;
    }
    push(std::move(before), std::move(name));
    announce(was, true);
    return true;
}

bool EditHistory::recordOutsideChange() {
    const Seen was = seen();
    const bool recorded = recordOutside();
    announce(was, recorded);
    return recorded;
}

bool EditHistory::undo() {
    const Seen was = seen();
    const bool recorded = recordOutside();
    if (m_done == 0) {
        announce(was, recorded);
        return false;
    }
    --m_done;
    show(m_steps[m_done].before);
    announce(was, true);
    return true;
}

bool EditHistory::redo() {
    const Seen was = seen();
    if (recordOutside()) {
        announce(was, true);
        return false;
    }
    if (m_done == m_steps.size())
        return false;
    show(m_steps[m_done].after);
    ++m_done;
    announce(was, true);
    return true;
}

std::optional<std::string> EditHistory::undoName() const {
    if (m_done == 0)
        return std::nullopt;
    return m_steps[m_done - 1].name;
}

std::optional<std::string> EditHistory::redoName() const {
    if (m_done == m_steps.size())
        return std::nullopt;
    return m_steps[m_done].name;
}

void EditHistory::setClean() {
    const Seen was = seen();
    m_cleanAt = m_done;
    announce(was, false);
}

EditHistory::Seen EditHistory::seen() const {
    return {isClean(), undoName(), redoName()};
}

void EditHistory::announce(const Seen& was, bool replaced) const {
    if (replaced && m_observer.configurationReplaced)
        m_observer.configurationReplaced();
    if (was.clean != isClean() && m_observer.cleanChanged)
        m_observer.cleanChanged(isClean());
    if ((was.undoName != undoName() || was.redoName != redoName()) && m_observer.stepsChanged)
        m_observer.stepsChanged();
}

bool EditHistory::recordOutside() {
    if (sameConfiguration(m_recorded, m_model))
        return false;
    push(m_recorded, m_outsideChangeName);
    return true;
}

void EditHistory::push(ConfigModel before, std::string name) {
    m_steps.resize(m_done);
    if (m_cleanAt && *m_cleanAt > m_done)
        m_cleanAt.reset();
    m_steps.push_back({std::move(before), m_model, std::move(name)});
    if (m_steps.size() > maximumSteps) {
        m_steps.pop_front();
        // The clean configuration was the one before the step that is gone: no undo reaches it.
        if (m_cleanAt)
            m_cleanAt = *m_cleanAt == 0 ? std::nullopt : std::optional(*m_cleanAt - 1);
    }
    m_done = m_steps.size();
    m_recorded = m_model;
}

void EditHistory::show(const ConfigModel& configuration) {
    takeConfiguration(m_model, configuration);
    m_recorded = m_model;
}

} // namespace zkt
