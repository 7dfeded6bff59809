#pragma once
// The undo history of the configuration, the same for the window and the page. Each step holds
// the whole configuration before and after it, so undo and redo put back exactly what was there,
// numberOfManuals included. The clean state is the configuration last opened, saved or loaded
// from the ZKT; a write to the ZKT does not move it, since what the organ holds is no file.

#include "model/config_model.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>

namespace zkt {

class EditHistory {
public:
    // Enough for a long evening's editing; each step is a few kilobytes.
    static constexpr std::size_t maximumSteps = 1000;

    // Each is called once at the end of a call that changed what it reports, never otherwise.
    struct Observer {
        std::function<void()> configurationReplaced; // a step recorded, undone or redone
        std::function<void(bool clean)> cleanChanged;
        std::function<void()> stepsChanged; // what undo or redo would take, or that there is none
    };

    // outsideChangeName names a change the history did not make itself: a load from the ZKT,
    // which the window's transfer timer lands manual by manual in the model.
    EditHistory(ConfigModel& model, std::string outsideChangeName);
    EditHistory(const EditHistory&) = delete;
    EditHistory& operator=(const EditHistory&) = delete;

    void observe(Observer observer) { m_observer = std::move(observer); }

    // Runs change and makes what it did to the configuration one step, named by describe, which
    // is asked afterwards so that it can say what a piston does now. Returns whether anything
    // changed. An exception from change or describe passes through, the configuration put back
    // as it was before change.
    bool apply(const std::function<void()>& change, const std::function<std::string()>& describe);
    // Makes a change made behind the history's back one step; false when there was none.
    bool recordOutsideChange();
    // An outside change is recorded first, and is then what is undone.
    bool undo();
    // An outside change since the last undo takes the place of what there was to redo.
    bool redo();

    // The step undo or redo would take; none when there is none.
    std::optional<std::string> undoName() const;
    std::optional<std::string> redoName() const;

    void setClean();
    bool isClean() const { return m_cleanAt == m_done; }

private:
    struct Step {
        ConfigModel before;
        ConfigModel after;
        std::string name;
    };
    struct Seen {
        bool clean;
        std::optional<std::string> undoName, redoName;
    };

    Seen seen() const;
    // Tells the observer what changed since `was`.
    void announce(const Seen& was, bool replaced) const;
    bool recordOutside();
    void push(ConfigModel before, std::string name);
    void show(const ConfigModel& configuration);

    ConfigModel& m_model;
    std::string m_outsideChangeName;
    ConfigModel m_recorded; // the configuration as the history last left it
    std::deque<Step> m_steps;
    std::size_t m_done = 0; // m_steps[0, m_done) are in the model
    // Steps done when the configuration was clean; none once those steps are gone for good.
    std::optional<std::size_t> m_cleanAt = 0;
    Observer m_observer;
};

} // namespace zkt
