// The page's session: what becomes an undo step and under which name, where the clean state
// is, and that commands beyond the manuals shown and failed opens change nothing.

#include "web/session_calls.h"
#include "web/web_session.h"
#include "web/web_views.h"

#include "model/carried_values.h"
#include "model/config_file.h"
#include "model/config_file_error.h"
#include "model/example_organ.h"

#include <gtest/gtest.h>

namespace zkt::web {
namespace {

const std::string threeManuals = configurationText(exampleOrgan(3));

TEST(WebSession, OpeningIsOneStepAndTheCleanState) {
    WebSession session;
    EXPECT_TRUE(session.open("organ.zkt", threeManuals).warnings.empty());
    EXPECT_EQ(session.document().manualsShown(), 3);
    EXPECT_EQ(session.document().path(), "organ.zkt");
    EXPECT_TRUE(session.document().history().isClean());
    EXPECT_EQ(session.document().history().undoName(), "Open organ.zkt");

    session.document().history().undo();
    EXPECT_EQ(session.document().manualsShown(), 0);
    EXPECT_FALSE(session.document().history().isClean());
    session.document().history().redo();
    EXPECT_TRUE(session.document().history().isClean());

    const ConfigModel before = session.model();
    EXPECT_THROW(session.open("bad.zkt", threeManuals.substr(0, 700) + "zz" + threeManuals.substr(702)),
                 ConfigFileError);
    EXPECT_EQ(session.model(), before);
    // An input the editor does not have is the page's fault, and is refused rather than ignored.
    EXPECT_THROW(setKeyboardInput(session, "volume", 0, 1), std::invalid_argument);
    session.document().closeEditors();
    EXPECT_THROW(choosePistonInput(session, "colour", 0, 1), std::invalid_argument);
    EXPECT_EQ(session.document().path(), "organ.zkt");
    EXPECT_EQ(session.document().history().undoName(), "Open organ.zkt");

    EXPECT_EQ(
        session.open("short.zkt", threeManuals.substr(0, 412)).warnings,
        (std::vector<std::string>{"Line 1 is cut short (412 of 780 characters): manual 1 was not read.",
                                  "The file holds no configuration: no line in it is a manual's image."}));
}

TEST(WebSession, EditorsMakeNamedStepsAndSavingMovesTheCleanState) {
    WebSession session;
    session.open("organ.zkt", threeManuals);
    ASSERT_TRUE(session.openPistonEditor(1));
    session.document().pistonEditor()->chooseGroup(static_cast<int>(FunctionGroup::hx90Cancel));
    EXPECT_EQ(session.savePistonEditor(""), std::nullopt);
    EXPECT_EQ(session.document().pistonEditor(), nullptr);
    EXPECT_EQ(session.document().history().undoName(), "Manual 1, piston 2: HX-90 Cancel");
    EXPECT_FALSE(session.document().history().isClean());

    EXPECT_EQ(session.save("organ.zkt"), configurationText(session.model()));
    EXPECT_TRUE(session.document().history().isClean());

    // An unchanged keyboard makes no step; a changed one is named by its manual.
    ASSERT_TRUE(session.openKeyboardEditor(1));
    session.saveKeyboardEditor("");
    EXPECT_EQ(session.document().history().undoName(), "Manual 1, piston 2: HX-90 Cancel");
    session.openKeyboardEditor(1);
    session.document().keyboardEditor()->setOption(3,
                                                   !session.document().keyboardEditor()->inputs().options[3]);
    session.saveKeyboardEditor("");
    EXPECT_EQ(session.document().history().undoName(), "Manual 2 keyboard settings");

    // Once a step taken after undoing replaces the saved one, no undo or redo is clean again.
    session.document().history().undo();
    EXPECT_TRUE(session.document().history().isClean());
    session.document().history().undo();
    session.document().clearPiston(5);
    EXPECT_EQ(session.document().history().undoName(), "Clear Manual 1, piston 6");
    session.document().history().undo();
    EXPECT_FALSE(session.document().history().isClean());
    EXPECT_EQ(session.document().history().redoName(), "Clear Manual 1, piston 6");
}

TEST(WebSession, NamesAndLabelsAreSavedWithTheirEditorOrAloneAsOneStep) {
    WebSession session;
    session.open("organ.zkt", threeManuals);
    session.openPistonEditor(24);
    EXPECT_EQ(session.savePistonEditor("  General 5 "), std::nullopt);
    EXPECT_EQ(session.document().history().undoName(),
              "Manual 2, piston 5: Ahlborn General on MIDI Channel 2");
    session.openKeyboardEditor(1);
    EXPECT_EQ(session.saveKeyboardEditor("Swell\nBox"), std::nullopt);
    EXPECT_EQ(session.document().history().undoName(), "Manual 2 keyboard settings");
    EXPECT_EQ(session.document().setPistonLabel(0, "Set"), std::nullopt);
    EXPECT_EQ(session.document().history().undoName(), "Label of Manual 1, piston 1: Set");
    EXPECT_EQ(session.document().setPistonLabel(60, "beyond"), std::nullopt);
    EXPECT_EQ(session.document().setPistonLabel(1, "\xff"), "The label is not UTF-8 text.");

    const nlohmann::json organ = organView(session.document());
    EXPECT_EQ(organ["manualTitles"][1], "Manual #2 \u2014 Swell Box");
    EXPECT_EQ(organ["pistons"][24]["label"], "General 5");
    EXPECT_EQ(session.model().names.manualNames[1], "Swell\nBox");
    EXPECT_EQ(session.model().names.pistonLabels[0], "Set");
    EXPECT_EQ(session.model().names.pistonLabels[60], "");

    session.document().history().undo();
    session.document().history().undo();
    session.document().history().undo();
    EXPECT_EQ(session.model().names, ConsoleNames{}) << "each was one step, taken back whole";
    EXPECT_TRUE(session.document().history().isClean());
}

TEST(WebSession, RefusalsAndIndicesBeyondTheManualsShownChangeNothing) {
    WebSession session;
    session.open("organ.zkt", threeManuals);
    ASSERT_TRUE(session.openPistonEditor(2));
    session.document().pistonEditor()->chooseGroup(static_cast<int>(FunctionGroup::bankSelect));
    for (int row = 0; row < bankSelectRows; ++row)
        session.document().pistonEditor()->checkBankRow(row, false);
    EXPECT_NE(session.savePistonEditor(""), std::nullopt);
    EXPECT_NE(session.document().pistonEditor(), nullptr); // still open for the user to check a box

    // A fixed velocity of 0, which the organ gives back as 127, in the window's words.
    const ConfigModel before = session.model();
    ASSERT_TRUE(session.openKeyboardEditor(0));
    const int channel = 0;
    session.document().keyboardEditor()->setChannelOn(channel, true);
    session.document().keyboardEditor()->setVelocityOn(channel, false);
    session.document().keyboardEditor()->chooseVelocity(channel, velocityList().count() - 1);
    EXPECT_EQ(session.saveKeyboardEditor(""), velocityFaultInWords(channel + 1));
    EXPECT_NE(session.document().keyboardEditor(), nullptr);
    EXPECT_EQ(keyboardEditorView(*session.document().keyboardEditor(), false)["refusal"],
              velocityFaultInWords(channel + 1));
    EXPECT_EQ(session.model(), before);

    session.document().copyPiston(0);
    session.document().copyManual(0);
    for (const int beyond : {-1, 60, 100}) {
        session.document().pastePiston(beyond);
        session.document().clearPiston(beyond);
        EXPECT_FALSE(session.openPistonEditor(beyond));
    }
    for (const int beyond : {-1, 3, 5}) {
        session.document().pasteManual(beyond);
        session.document().pasteManualSettings(beyond);
        EXPECT_FALSE(session.openKeyboardEditor(beyond));
    }
    EXPECT_EQ(session.model(), before);
    EXPECT_EQ(session.document().history().undoName(), "Open organ.zkt");
}

} // namespace
} // namespace zkt::web
