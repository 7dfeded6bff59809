#pragma once
// The page's copy of unsaved changes, kept by the core's schedule as the window keeps its own:
// the document's history drives the schedule, and what the page has to do about it (run its
// timer, put a copy's text in the browser's storage, take it out) waits here until the page
// takes it after its next call. The page owns the timer and the storage, as the window owns its
// timer and its file.

#include "document/document.h"
#include "document/recovery_schedule.h"

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace zkt::web {

struct RecoveryWork {
    enum class Kind {
        startTimer, // of the schedule's delay, once; timerEnded() when it ends
        stopTimer,
        keep,    // replace the tab's copy with text
        remove,  // the tab's copy, and the timer stopped
        notKept, // text says why no copy could be made; nothing else changes
    };
    Kind kind;
    std::string text;
    bool operator==(const RecoveryWork&) const = default;
};

class PageRecovery {
public:
    using Clock = std::chrono::system_clock;

    // Takes the history's observer.
    explicit PageRecovery(Document& document);
    PageRecovery(const PageRecovery&) = delete;
    PageRecovery& operator=(const PageRecovery&) = delete;

    std::chrono::milliseconds delay() const { return m_schedule.delay(); }

    // What is to be done since the page last asked, in order.
    std::vector<RecoveryWork> takeWork();
    void timerEnded(Clock::time_point now);
    // The tab is hidden or goes away without a question of the page's (closed, reloaded, the
    // browser quitting): what the timer would have kept is kept now, since the page may never
    // run again.
    void leaving(Clock::time_point now);
    // The user discarded the changes in the page's "Save changes" question.
    void changesDiscarded();

    // Opens a copy's changes as unsaved changes to the document they belonged to. Throws
    // ConfigFileError where the text is no copy or its configuration cannot be read.
    void recover(std::string_view copyText);

private:
    void follow(RecoverySchedule::Do what, Clock::time_point now = Clock::now());

    Document& m_document;
    RecoverySchedule m_schedule;
    std::vector<RecoveryWork> m_work;
};

} // namespace zkt::web
