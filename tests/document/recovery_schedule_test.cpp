// When the copy of unsaved changes is made and when it goes, on a timeline of edits, saves,
// undos and ends, with a front end that does what the schedule says as the window does.

#include "document/recovery_schedule.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace zkt {
namespace {

using std::chrono::milliseconds;
using Do = RecoverySchedule::Do;

enum class Event { edit, save, undoToSaved, redo, discard };

struct Moment {
    int atMs;
    Event what;
};

// A single-shot timer and a copy that is there or not; the history as the window's signals it
// (a step replaces the configuration first, then the clean state may change).
class FrontEnd {
public:
    void runUntil(milliseconds end) {
        while (m_timerEndsAt && *m_timerEndsAt <= end) {
            m_now = *std::exchange(m_timerEndsAt, std::nullopt);
            follow(m_schedule.timerEnded(m_clean));
        }
        m_now = end;
    }
    void take(Event what) {
        switch (what) {
        case Event::edit:
        case Event::redo:
            follow(m_schedule.configurationChanged());
            setClean(false);
            break;
        case Event::save:
            setClean(true);
            break;
        case Event::undoToSaved:
            follow(m_schedule.configurationChanged());
            setClean(true);
            break;
        case Event::discard:
            follow(m_schedule.changesDiscarded());
            break;
        }
    }
    const std::vector<int>& keptAtMs() const { return m_keptAtMs; }
    bool copyExists() const { return m_copy; }
    bool timerRunning() const { return m_timerEndsAt.has_value(); }
    const RecoverySchedule& schedule() const { return m_schedule; }

private:
    void setClean(bool clean) {
        if (std::exchange(m_clean, clean) != clean)
            follow(m_schedule.cleanChanged(clean));
    }
    void follow(Do what) {
        switch (what) {
        case Do::nothing:
            break;
        case Do::startTimer:
            EXPECT_FALSE(m_timerEndsAt) << "a running timer is not restarted";
            m_timerEndsAt = m_now + m_schedule.delay();
            break;
        case Do::keepCopy:
            m_copy = true;
            m_keptAtMs.push_back(static_cast<int>(m_now.count()));
            break;
        case Do::removeCopy:
            m_timerEndsAt.reset();
            m_copy = false;
            break;
        }
    }

    RecoverySchedule m_schedule;
    milliseconds m_now{0};
    std::optional<milliseconds> m_timerEndsAt;
    bool m_clean = true;
    bool m_copy = false;
    std::vector<int> m_keptAtMs;
};

TEST(RecoverySchedule, ChangesAreKeptWithinTheDelayAndGoOnceNothingIsLeftToLose) {
    struct Case {
        const char* name;
        std::vector<Moment> moments;
        std::vector<int> keptAtMs;
        bool copyAtTheEnd;
    };
    const std::vector<Case> cases = {
        {"one edit", {{0, Event::edit}}, {2000}, true},
        {"a long run of edits is kept every delay, not put off by each",
         {{0, Event::edit},
          {700, Event::edit},
          {1400, Event::edit},
          {2100, Event::edit},
          {2800, Event::edit},
          {3500, Event::edit},
          {4200, Event::edit}},
         {2000, 4100, 6200},
         true},
        {"saved before the delay", {{0, Event::edit}, {1000, Event::save}}, {}, false},
        {"saved after a copy", {{0, Event::edit}, {3000, Event::save}}, {2000}, false},
        {"undone back to the saved state", {{0, Event::edit}, {3000, Event::undoToSaved}}, {2000}, false},
        {"undone, then redone",
         {{0, Event::edit}, {3000, Event::undoToSaved}, {3500, Event::redo}},
         {2000, 5500},
         true},
        {"discarded after a copy", {{0, Event::edit}, {2500, Event::discard}}, {2000}, false},
        {"discarded before the delay", {{0, Event::edit}, {1000, Event::discard}}, {}, false},
        {"edited after a save", {{0, Event::edit}, {1000, Event::save}, {1500, Event::edit}}, {3500}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FrontEnd frontEnd;
        for (const Moment& moment : c.moments) {
            frontEnd.runUntil(milliseconds(moment.atMs));
            frontEnd.take(moment.what);
        }
        frontEnd.runUntil(milliseconds(20000));
        EXPECT_EQ(frontEnd.keptAtMs(), c.keptAtMs);
        EXPECT_EQ(frontEnd.copyExists(), c.copyAtTheEnd);
        EXPECT_FALSE(frontEnd.timerRunning());
        EXPECT_FALSE(frontEnd.schedule().timerRunning());
    }
}

TEST(RecoverySchedule, TheDelayIsTwoSecondsUnlessGivenAndATimerEndingOnACleanStateKeepsNothing) {
    EXPECT_EQ(RecoverySchedule().delay(), milliseconds(2000));
    EXPECT_EQ(RecoverySchedule(milliseconds(100)).delay(), milliseconds(100));
    RecoverySchedule schedule;
    EXPECT_EQ(schedule.configurationChanged(), Do::startTimer);
    EXPECT_EQ(schedule.timerEnded(true), Do::nothing);
    EXPECT_EQ(schedule.configurationChanged(), Do::startTimer) << "the timer has ended";
}

} // namespace
} // namespace zkt
