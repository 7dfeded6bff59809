// The undo history both front ends use: changes made behind its back (a load landing manual by
// manual), a change that throws half way, the clean state when the steps that led to it go, the
// step limit, and that the observer hears only of what changed.

#include "document/edit_history.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace zkt {
namespace {

constexpr const char* loadName = "Load Current Settings from the ZKT";

class EditHistoryTest : public testing::Test {
protected:
    // Sets piston 0's program number: each value a configuration of its own.
    bool setProgram(int value, std::string name = "edit") {
        return history.apply([&] { model.pistons[0].programNumber = static_cast<std::int16_t>(value); },
                             [&] { return name; });
    }
    int program() const { return model.pistons[0].programNumber; }

    ConfigModel model;
    EditHistory history{model, loadName};
};

TEST_F(EditHistoryTest, AChangeMadeBehindItsBackIsAStepOfItsOwn) {
    setProgram(1, "first");
    history.setClean();
    model.pistons[1].programNumber = 7; // what a load has landed so far

    // Undo takes back the load first, then the edit before it.
    EXPECT_EQ(history.undoName(), "first") << "nothing is recorded before someone asks";
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(model.pistons[1].programNumber, 0);
    EXPECT_EQ(program(), 1);
    EXPECT_TRUE(history.isClean());
    EXPECT_EQ(history.redoName(), loadName);
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(program(), 0);

    // A load since the last undo replaces what there was to redo.
    model.pistons[2].programNumber = 9;
    EXPECT_FALSE(history.redo());
    EXPECT_EQ(model.pistons[2].programNumber, 9);
    EXPECT_EQ(history.undoName(), loadName);
    EXPECT_EQ(history.redoName(), std::nullopt);

    // An edit after a load makes two steps, the load's first.
    model.pistons[3].programNumber = 4;
    setProgram(5, "after");
    EXPECT_EQ(history.undoName(), "after");
    history.undo();
    EXPECT_EQ(history.undoName(), loadName);
    EXPECT_EQ(model.pistons[3].programNumber, 4);
    EXPECT_FALSE(history.recordOutsideChange()) << "the history left the model as it is";
}

TEST_F(EditHistoryTest, AChangeThatThrowsHalfWayIsPutBack) {
    struct Case {
        const char* name;
        bool throwInChange; // else describe throws
        bool loadBefore;    // an outside change waits to be recorded
    };
    for (const Case& c : {Case{"change throws", true, false}, Case{"describe throws", false, false},
                          Case{"change throws after a load", true, true}}) {
        SCOPED_TRACE(c.name);
        ConfigModel organ;
        EditHistory steps(organ, loadName);
        steps.setClean();
        if (c.loadBefore)
            organ.pistons[9].programNumber = 3;
        EXPECT_THROW(steps.apply(
                         [&] {
                             organ.pistons[0].programNumber = 2;
                             organ.hardwareType = 5;
                             if (c.throwInChange)
                                 throw std::runtime_error("half way");
                         },
                         [&]() -> std::string { throw std::runtime_error("no name"); }),
                     std::runtime_error);
        EXPECT_EQ(organ.pistons[0].programNumber, 0);
        EXPECT_EQ(organ.hardwareType, 0);
        EXPECT_EQ(organ.pistons[9].programNumber, c.loadBefore ? 3 : 0) << "the load is not undone by it";
        EXPECT_EQ(steps.undoName(), c.loadBefore ? std::optional<std::string>(loadName) : std::nullopt);
        EXPECT_EQ(steps.isClean(), !c.loadBefore);
        EXPECT_FALSE(steps.recordOutsideChange());
    }
}

TEST_F(EditHistoryTest, TheCleanStateGoesWithTheStepsThatLedToIt) {
    // Replaced: undone past the clean state, then another step taken.
    setProgram(1);
    history.setClean();
    history.undo();
    setProgram(2);
    history.undo();
    EXPECT_FALSE(history.isClean());
    ASSERT_TRUE(history.redo());
    EXPECT_EQ(program(), 2);
    EXPECT_FALSE(history.isClean()) << "the step to the clean state is gone";

    // Trimmed: the oldest steps fall off beyond the limit; the clean state moves with them
    // while it is still in reach, and is gone once its step has fallen off.
    ConfigModel organ;
    EditHistory steps(organ, loadName);
    const auto edit = [&](int value) {
        steps.apply([&] { organ.pistons[0].programNumber = static_cast<std::int16_t>(value); },
                    [value] { return "step " + std::to_string(value); });
    };
    for (int value = 1; value <= 3; ++value)
        edit(value);
    steps.setClean(); // after step 3
    for (int value = 4; value <= int(EditHistory::maximumSteps) + 2; ++value)
        edit(value);
    int undone = 0;
    while (!steps.isClean() && steps.undo())
        ++undone;
    EXPECT_TRUE(steps.isClean());
    EXPECT_EQ(undone, int(EditHistory::maximumSteps) - 1);
    EXPECT_EQ(organ.pistons[0].programNumber, 3);
    EXPECT_EQ(steps.undoName(), "step 3");
    ASSERT_TRUE(steps.undo());
    EXPECT_FALSE(steps.undo()) << "steps 1 and 2 fell off";
    EXPECT_EQ(organ.pistons[0].programNumber, 2);

    // Clean at the oldest configuration still in reach: gone with the first step that falls off.
    steps.setClean();
    for (int value = 10; value <= 10 + int(EditHistory::maximumSteps); ++value)
        edit(value);
    while (steps.undo())
        EXPECT_FALSE(steps.isClean());
    EXPECT_EQ(organ.pistons[0].programNumber, 10);
}

TEST_F(EditHistoryTest, TheObserverHearsOnlyOfWhatChanged) {
    struct Heard {
        int replaced = 0, clean = 0, steps = 0;
        bool operator==(const Heard&) const = default;
    };
    Heard heard;
    std::vector<bool> cleanStates;
    history.observe({.configurationReplaced = [&] { ++heard.replaced; },
                     .cleanChanged =
                         [&](bool clean) {
                             ++heard.clean;
                             cleanStates.push_back(clean);
                         },
                     .stepsChanged = [&] { ++heard.steps; }});
    struct Case {
        const char* name;
        std::function<void()> act;
        Heard expected;
    };
    const std::vector<Case> cases = {
        {"an edit that changes nothing", [&] { setProgram(0); }, {}},
        {"undo with nothing to undo", [&] { history.undo(); }, {}},
        {"redo with nothing to redo", [&] { history.redo(); }, {}},
        {"setClean where it is clean", [&] { history.setClean(); }, {}},
        {"the first edit", [&] { setProgram(1, "edit"); }, {1, 1, 1}},
        {"another edit of the same name", [&] { setProgram(2, "edit"); }, {1, 0, 0}},
        {"an edit of another name", [&] { setProgram(3, "other"); }, {1, 0, 1}},
        {"no outside change to record", [&] { history.recordOutsideChange(); }, {}},
        {"an outside change",
         [&] {
             model.pistons[5].programNumber = 1;
             history.recordOutsideChange();
         },
         {1, 0, 1}},
        {"setClean", [&] { history.setClean(); }, {0, 1, 0}},
        {"undo", [&] { history.undo(); }, {1, 1, 1}},
        {"redo back to clean", [&] { history.redo(); }, {1, 1, 1}},
        {"a throwing edit",
         [&] { EXPECT_ANY_THROW(history.apply([] { throw 1; }, [] { return "x"; })); },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        heard = {};
        c.act();
        EXPECT_EQ(heard.replaced, c.expected.replaced);
        EXPECT_EQ(heard.clean, c.expected.clean);
        EXPECT_EQ(heard.steps, c.expected.steps);
    }
    EXPECT_EQ(cleanStates, (std::vector<bool>{false, true, false, true}));
}

} // namespace
} // namespace zkt
