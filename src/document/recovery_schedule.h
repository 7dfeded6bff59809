#pragma once
// When the copy of unsaved changes is made and when it goes. Changes are kept at most a delay
// after they were made, and a long run of edits is still kept every delay, since the timer is
// not restarted by later changes. A copy goes once nothing is left to lose: the changes saved,
// undone back to the saved state, replaced by a file or a load, or discarded, the program's
// normal end included. The front end owns the timer and the file and does what each call says.

#include <chrono>

namespace zkt {

class RecoverySchedule {
public:
    static constexpr std::chrono::milliseconds defaultDelay{2000};

    enum class Do {
        nothing,
        startTimer, // of delay(), once; timerEnded() when it ends
        keepCopy,   // replace the copy with the configuration as it is now
        removeCopy, // stop the timer, and remove the copy
    };

    explicit RecoverySchedule(std::chrono::milliseconds delay = defaultDelay) : m_delay(delay) {}

    std::chrono::milliseconds delay() const { return m_delay; }
    bool timerRunning() const { return m_timerRunning; }

    // A step was recorded, undone or redone.
    Do configurationChanged();
    Do cleanChanged(bool clean);
    // clean: as the configuration is when the timer ends.
    Do timerEnded(bool clean);
    // The user discarded the changes, or the program ends normally: what was not saved was
    // discarded on purpose.
    Do changesDiscarded();

private:
    Do nothingLeftToLose();

    std::chrono::milliseconds m_delay;
    bool m_timerRunning = false;
};

} // namespace zkt
