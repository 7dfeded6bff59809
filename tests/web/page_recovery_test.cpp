// The page's copy of unsaved changes, with a page that does what the session says: a copy while
// the configuration is modified, none once nothing is left to lose, the pending copy kept when
// the tab goes, and a copy found in the browser's storage recovered or refused.

#include "web/web_session.h"
#include "web/web_views.h"

#include "document/recovery_copy_text.h"
#include "model/config_file.h"
#include "model/config_file_error.h"
#include "model/example_organ.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace zkt::web {
namespace {

using Kind = RecoveryWork::Kind;
const std::string threeManuals = configurationText(exampleOrgan(3));
const std::chrono::system_clock::time_point aMoment{std::chrono::seconds(1700000000)};

// The page's timer and its entry in the browser's storage.
struct Page {
    WebSession session;
    bool timerRunning = false;
    std::optional<std::string> copy;
    std::vector<std::string> notKept;

    void follow() {
        for (const RecoveryWork& work : session.recovery().takeWork()) {
            switch (work.kind) {
            case Kind::startTimer:
                EXPECT_FALSE(timerRunning) << "a running timer is not started again";
                timerRunning = true;
                break;
            case Kind::stopTimer:
                timerRunning = false;
                break;
            case Kind::keep:
                copy = work.text;
                break;
            case Kind::remove:
                timerRunning = false;
                copy.reset();
                break;
            case Kind::notKept:
                notKept.push_back(work.text);
                break;
            }
        }
    }
    void run(const std::function<void(WebSession&)>& call) {
        call(session);
        follow();
    }
    void timerEnds() {
        ASSERT_TRUE(timerRunning);
        timerRunning = false;
        session.recovery().timerEnded(aMoment);
        follow();
    }
};

void edit(WebSession& session) {
    session.document().clearPiston(4);
}

TEST(PageRecovery, ACopyIsKeptWhileModifiedAndGoesOnceNothingIsLeftToLose) {
    const struct {
        const char* name;
        std::function<void(WebSession&)> setAside;
        bool copyStays;
    } cases[] = {
        {"saved", [](WebSession& s) { s.save("saved.zkt"); }, false},
        {"undone back to the saved state", [](WebSession& s) { s.document().history().undo(); }, false},
        {"discarded in the page's question", [](WebSession& s) { s.recovery().changesDiscarded(); }, false},
        {"another file opened", [](WebSession& s) { s.open("swell.zkt", threeManuals); }, false},
        {"loaded from the organ", [](WebSession& s) { s.document().takeFromOrgan(exampleOrgan(2)); }, false},
        {"edited further", [](WebSession& s) { s.document().clearPiston(6); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Page page;
        page.run([](WebSession& s) { s.open("organ.zkt", threeManuals); });
        EXPECT_FALSE(page.timerRunning) << "an opened file has nothing to lose";
        page.run(edit);
        EXPECT_FALSE(page.copy) << "not before the delay";
        page.timerEnds();
        ASSERT_TRUE(page.copy);
        const std::optional<RecoveredChanges> kept = readRecoveryCopy(*page.copy);
        ASSERT_TRUE(kept);
        EXPECT_EQ(kept->documentPath, "organ.zkt");
        EXPECT_EQ(kept->documentName, "organ.zkt");
        EXPECT_EQ(kept->keptAt, "2023-11-14T22:13:20Z");
        EXPECT_EQ(kept->configurationText, configurationText(page.session.model()));

        page.run(c.setAside);
        EXPECT_EQ(page.copy.has_value(), c.copyStays);
        EXPECT_EQ(page.timerRunning, c.copyStays) << "a further change is kept in its turn";
    }
}

TEST(PageRecovery, AGoingTabKeepsWhatTheTimerHasNotKeptYet) {
    Page page;
    page.run([](WebSession& s) { s.open("organ.zkt", threeManuals); });
    page.session.recovery().leaving(aMoment);
    page.follow();
    EXPECT_FALSE(page.copy) << "nothing to lose";

    page.run(edit);
    page.session.recovery().leaving(aMoment);
    page.follow();
    EXPECT_FALSE(page.timerRunning);
    ASSERT_TRUE(page.copy);
    EXPECT_EQ(readRecoveryCopy(*page.copy)->configurationText, configurationText(page.session.model()));
    // Shown again (a tab brought back), the page keeps later changes as before.
    page.run([](WebSession& s) { s.document().clearPiston(7); });
    EXPECT_TRUE(page.timerRunning);
    EXPECT_TRUE(page.notKept.empty());
}

TEST(PageRecovery, ACopyFromStorageOpensAsUnsavedChangesOrIsRefused) {
    Page earlier;
    earlier.run([](WebSession& s) {
        s.open("organ.zkt", threeManuals);
        s.document().clearPiston(4);
    });
    earlier.timerEnds();
    const std::string copy = *earlier.copy;
    EXPECT_EQ(recoveredChangesView(copy), (nlohmann::json{{"documentPath", "organ.zkt"},
                                                          {"documentName", "organ.zkt"},
                                                          {"keptAt", "2023-11-14T22:13:20Z"}}));

    Page page;
    page.run([](WebSession& s) { s.open("other.zkt", threeManuals); });
    const ConfigModel before = page.session.model();
    // Another program's entry, a damaged one, and a copy whose configuration cannot be read.
    std::string damaged = copy;
    damaged.replace(damaged.find("\"configuration\": \"") + 20, 2, "zz");
    for (const std::string& foreign : {std::string("{\"theme\": \"dark\"}"), std::string("[1, 2"), damaged}) {
        SCOPED_TRACE(foreign.substr(0, 40));
        if (foreign != damaged) {
            EXPECT_TRUE(recoveredChangesView(foreign).is_null());
        }
        EXPECT_THROW(page.session.recovery().recover(foreign), ConfigFileError);
        EXPECT_EQ(page.session.model(), before);
        EXPECT_EQ(page.session.document().path(), "other.zkt");
    }

    page.run([&](WebSession& s) { s.recovery().recover(copy); });
    EXPECT_EQ(page.session.model(), earlier.session.model());
    EXPECT_EQ(page.session.document().path(), "organ.zkt");
    EXPECT_FALSE(page.session.document().history().isClean());
    EXPECT_EQ(page.session.document().history().undoName(), "Recover Unsaved Changes");
    EXPECT_TRUE(page.timerRunning) << "the recovered changes are kept again, as this tab's";
}

} // namespace
} // namespace zkt::web
