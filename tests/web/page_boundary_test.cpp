// Every answer the page gets from its session, held to the declaration its TypeScript types are
// made from (page_boundary.json): the organ, both editors through every function and input, the
// words, the questions, the copy of unsaved changes and the outcomes of opening and saving; and
// the names the page may send are exactly the ones the session takes.

#include "web/page_texts.h"
#include "web/session_calls.h"
#include "web/web_session.h"
#include "web/web_views.h"

#include "model/config_file.h"
#include "model/example_organ.h"
#include "support/page_boundary.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>

namespace zkt::web {
namespace {

using nlohmann::json;

const test::PageBoundary boundary;

#define EXPECT_ANSWER(call, value) EXPECT_EQ(boundary.sessionAnswerMismatch(call, value), "")

struct Opened : ::testing::Test {
    Opened() { session.open("three-manuals.zkt", configurationText(exampleOrgan(3))); }
    WebSession session;
};

TEST_F(Opened, TheOrganTheWordsAndTheOutcomesAreAsDeclared) {
    EXPECT_ANSWER("organ", organView(session.document()));
    EXPECT_ANSWER("texts", documentTextsView());
    EXPECT_ANSWER("pageTexts", pageTexts());
    EXPECT_ANSWER("chooseLanguage", languageChoiceView());
    EXPECT_ANSWER("open", openedView("three-manuals.zkt", ConfigFileCheck{}));
    EXPECT_ANSWER("open", failureView("Line 2 cannot be read"));
    EXPECT_ANSWER("save", savedView(session.save("three-manuals.zkt"), "three-manuals.zkt"));
    EXPECT_ANSWER("savePistonEditor", editOutcomeView(std::nullopt));
    EXPECT_ANSWER("setPistonLabel", editOutcomeView("too long"));
    for (const std::string& what : boundary.inputNames("SetAside"))
        EXPECT_ANSWER("unsavedChangesQuestion", unsavedChangesQuestionView(session.document(), what, "b.zkt"));
    EXPECT_THROW(unsavedChangesQuestionView(session.document(), "quitting", ""), std::invalid_argument);
}

TEST_F(Opened, ThePistonEditorThroughEveryFunctionAndInputIsAsDeclared) {
    const int pistons = 3 * pistonsPerManual;
    for (int piston = 0; piston < pistons; ++piston) {
        ASSERT_TRUE(session.openPistonEditor(piston));
        EXPECT_ANSWER("openPistonEditor", pistonEditorView(*session.document().pistonEditor()));
    }
    const auto functions = static_cast<int>(session.document().pistonEditor()->functions().items.size());
    for (int function = 0; function < functions; ++function) {
        for (const std::string& input : boundary.inputNames("PistonInput")) {
            ASSERT_NO_THROW(choosePistonInput(session, "function", 0, function));
            const json view = choosePistonInput(session, input, 0, 1);
            EXPECT_ANSWER("choosePistonInput", view) << "function " << function << ", " << input;
        }
    }
    EXPECT_THROW(choosePistonInput(session, "colour", 0, 1), std::invalid_argument);
    session.document().closeEditors();
    EXPECT_ANSWER("choosePistonInput", choosePistonInput(session, "value", 0, 1)) << "no editor open";
}

TEST_F(Opened, TheKeyboardEditorAndEachOfItsInputsAreAsDeclared) {
    for (int manual = 0; manual < 3; ++manual) {
        ASSERT_TRUE(session.openKeyboardEditor(manual));
        EXPECT_ANSWER("openKeyboardEditor", keyboardEditorView(*session.document().keyboardEditor(), true));
    }
    for (const std::string& input : boundary.inputNames("KeyboardInput"))
        EXPECT_ANSWER("setKeyboardInput", setKeyboardInput(session, input, 1, 0)) << input;
    EXPECT_THROW(setKeyboardInput(session, "tremulant", 0, 1), std::invalid_argument);
}

TEST_F(Opened, TheCopyOfUnsavedChangesAndItsQuestionAreAsDeclared) {
    session.document().clearPiston(0);
    const std::vector<RecoveryWork> started = session.recovery().takeWork();
    session.recovery().leaving(std::chrono::system_clock::now());
    const std::vector<RecoveryWork> kept = session.recovery().takeWork();
    EXPECT_ANSWER("recoveryWork", recoveryWorkView(started, session.recovery().delay()));
    EXPECT_ANSWER("recoveryLeaving", recoveryWorkView(kept, session.recovery().delay()));
    EXPECT_ANSWER("recoveryWork",
                  recoveryWorkView({{RecoveryWork::Kind::notKept, "the storage is full"},
                                    {RecoveryWork::Kind::remove, ""},
                                    {RecoveryWork::Kind::stopTimer, ""}},
                                   session.recovery().delay()));
    ASSERT_FALSE(kept.empty());
    ASSERT_EQ(kept.back().kind, RecoveryWork::Kind::keep);
    EXPECT_ANSWER("readRecoveryCopy", recoveredChangesView(kept.back().text));
    EXPECT_ANSWER("readRecoveryCopy", recoveredChangesView("not a copy"));
    EXPECT_ANSWER("recoveryQuestion", recoveryQuestionView("", "three-manuals.zkt", "9:31 AM", "December 9, 2026"));
}

TEST(PageBoundary, AnAnswerThatDriftsFromTheDeclarationIsFound) {
    const json list = {{"items", {"A", "B"}}, {"selected", 0}};
    EXPECT_EQ(boundary.mismatch(list, "ListView"), "");
    EXPECT_NE(boundary.mismatch({{"items", {"A"}}}, "ListView"), "") << "a member missing";
    EXPECT_NE(boundary.mismatch({{"items", {"A"}}, {"selected", 0}, {"extra", 1}}, "ListView"), "")
        << "a member not declared";
    EXPECT_NE(boundary.mismatch({{"items", {1}}, {"selected", 0}}, "ListView"), "") << "a wrong kind";
    EXPECT_NE(boundary.mismatch({{"do", "keep"}}, "RecoveryWork"), "") << "no kind of the union fits";
    EXPECT_EQ(boundary.mismatch(nullptr, "PistonEditorView|null"), "");
}

} // namespace
} // namespace zkt::web
