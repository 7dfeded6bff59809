#include "document/recovery_schedule.h"

namespace zkt {

// A step reaches the model before the history counts it as modified, so a change only starts
// the timer and its end asks whether there is anything to keep.
RecoverySchedule::Do RecoverySchedule::configurationChanged() {
    if (m_timerRunning)
        return Do::nothing;
    m_timerRunning = true;
    return Do::startTimer;
}

RecoverySchedule::Do RecoverySchedule::cleanChanged(bool clean) {
    return clean ? nothingLeftToLose() : configurationChanged();
}

RecoverySchedule::Do RecoverySchedule::timerEnded(bool clean) {
    m_timerRunning = false;
    return clean ? Do::nothing : Do::keepCopy;
}

RecoverySchedule::Do RecoverySchedule::changesDiscarded() {
    return nothingLeftToLose();
}

RecoverySchedule::Do RecoverySchedule::nothingLeftToLose() {
    m_timerRunning = false;
    return Do::removeCopy;
}

} // namespace zkt
