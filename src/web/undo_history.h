#pragma once
// The page's undo history of the configuration. Each step holds the whole configuration before
// and after it, so undo and redo put back exactly what was there, numberOfManuals included. The
// clean state is the configuration last opened or saved; leaving the page warns away from it.

#include "model/config_model.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zkt::web {

class UndoHistory {
public:
    explicit UndoHistory(ConfigModel& model) : m_model(model) {}

    // Runs change and makes what it did to the configuration one step, named by describe,
    // asked afterwards so that it can say what a piston does now. Returns whether anything
    // changed. An exception from change passes through, leaving the configuration and the
    // history as they were.
    bool apply(const std::function<void()>& change, const std::function<std::string()>& describe);
    bool undo();
    bool redo();

    // The step undo or redo would take; empty when there is none.
    std::optional<std::string> undoName() const;
    std::optional<std::string> redoName() const;

    void setClean() { m_cleanAt = m_done; }
    bool isClean() const { return m_cleanAt == m_done; }

private:
    struct Step {
        ConfigModel before;
        ConfigModel after;
        std::string name;
    };

    ConfigModel& m_model;
    std::vector<Step> m_steps;
    std::size_t m_done = 0; // steps[0, m_done) are in the model
    // Steps done when the configuration was clean; empty once those steps are gone for good.
    std::optional<std::size_t> m_cleanAt = 0;
};

} // namespace zkt::web
