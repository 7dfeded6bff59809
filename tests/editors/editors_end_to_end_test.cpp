// From a saved file through both editors to a saved file and to the device chain and back.

#include "editors/keyboard_editor.h"
#include "editors/piston_editor.h"
#include "model/config_file.h"
#include "model/image_layout.h"
#include "support/temp_folder.h"
#include "support/transfer_rig.h"
#include "widget_lookup.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zkt {
namespace {

using namespace test;

constexpr int editedManual = 2;
constexpr int editedPistonInManual = 9;
constexpr int editedPiston = pistonIndexOf(editedManual - 1, editedPistonInManual);
constexpr int editedChannel = 3;

const std::string exampleFile = std::string(ZKT_SOURCE_DIR) + "/examples/three-manuals.zkt";

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

// A file line holds each image byte as two hex digits and a blank; positions count from 1.
void setLineByte(std::string& line, int position, unsigned value) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02x", value & 0xFFU);
    line.replace(static_cast<std::size_t>(position - 1) * 3, 2, digits);
}

unsigned lineByte(const std::string& line, int position) {
    return static_cast<unsigned>(
        std::stoul(line.substr(static_cast<std::size_t>(position - 1) * 3, 2), nullptr, 16));
}

// The manual data only: what the MCU reports about itself differs between a file and a chain.
ConfigModel manualData(ConfigModel model) {
    model.numberOfManuals = 0;
    model.hardwareType = 0;
    model.firmwareVersion.clear();
    return model;
}

void editPistonToBankSelect(ConfigModel& model) {
    PistonEditor editor(model, {});
    ASSERT_TRUE(editor.prepare(editedPiston));
    widgetNamed<QComboBox>(editor, QStringLiteral("cboFunction")).setCurrentIndex(9);
    chooseText(listNamed(editor, "cboMidiChannel", 9), QStringLiteral("3"));
    checkNamed(editor, "chkBankSel", 0).setChecked(true);
    chooseText(listNamed(editor, "cboBankSel", 0), QStringLiteral("5"));
    checkNamed(editor, "chkBankSel", 1).setChecked(false);
    checkNamed(editor, "chkBankSel", 2).setChecked(true);
    chooseText(listNamed(editor, "cboBankSel", 2), QStringLiteral("12"));
    clickButton(editor, "cmdOK");
}

void editChannelThree(ConfigModel& model) {
    KeyboardEditor editor(model);
    ASSERT_TRUE(editor.prepare(editedManual - 1));
    checkNamed(editor, "chkChannel", editedChannel - 1).setChecked(true);
    chooseText(listNamed(editor, "cboTransposeInput", editedChannel - 1), QStringLiteral("+12"));
    checkNamed(editor, "chkVelocity", editedChannel - 1).setChecked(false);
    chooseText(listNamed(editor, "cboVelocity", editedChannel - 1), QStringLiteral("100"));
    clickButton(editor, "cmdOK");
}

TEST(EditorsEndToEnd, EditedFileDiffersInExactlyTheEditedBytesAndSurvivesTheChain) {
    test::TempFolder folder;
    ConfigModel model;
    ASSERT_EQ(readConfigurationFile(exampleFile, model), 3);
    const std::string original = test::readWholeFile(exampleFile);
    const pistonInfo before = model.pistons[editedPiston];
    ASSERT_NE(before.functionGroup, static_cast<int>(FunctionGroup::bankSelect));

    editPistonToBankSelect(model);
    editChannelThree(model);
    const std::string savedPath = folder.file("edited.zkt");
    writeConfigurationFile(savedPath, model);

    std::vector<std::string> expected = linesOf(original);
    std::string& line = expected[editedManual - 1];
    using namespace imagepos;
    const int k = editedPistonInManual;
    const unsigned channelNibble = editedChannel - 1;
    setLineByte(line, pistonEntry(mainEntries, k), 0x10 | channelNibble); // program change
    setLineByte(line, pistonEntry(mainEntries, k) + 1, 12 - 1);
    setLineByte(line, pistonEntry(bankMsbEntries, k), 0x40 | channelNibble);
    setLineByte(line, pistonEntry(bankMsbEntries, k) + 1, 0x80 | 5);
    setLineByte(line, transposition + editedChannel - 1, 36 + 12);
    setLineByte(line, velocity + editedChannel - 1, 100);
    setLineByte(line, channelEnableLow, lineByte(line, channelEnableLow) | (1U << (editedChannel - 1)));
    ASSERT_NE(expected, linesOf(original));
    EXPECT_EQ(linesOf(test::readWholeFile(savedPath)), expected);

    ConfigModel reread;
    ASSERT_EQ(readConfigurationFile(savedPath, reread), 3);
    const pistonInfo& piston = reread.pistons[editedPiston];
    EXPECT_EQ(piston.functionGroup, static_cast<int>(FunctionGroup::bankSelect));
    EXPECT_EQ(piston.midiChannel, editedChannel);
    EXPECT_TRUE(piston.bankSelMSBFlag && piston.bankSelProgramFlag);
    EXPECT_FALSE(piston.bankSelLSBFlag);
    EXPECT_EQ(piston.bankSelMSB, 5);
    EXPECT_EQ(piston.programNumber, 12);

    test::TransferRig rig(test::chainOf(3));
    rig.model = model;
    rig.engine.startWrite();
    ASSERT_TRUE(rig.runToEnd());
    EXPECT_EQ(rig.chain.counters().updatesLostWhileBusy, 0);
    rig.model = ConfigModel();
    rig.engine.startLoad();
    ASSERT_TRUE(rig.runToEnd());
    EXPECT_EQ(rig.model.numberOfManuals, 3);
    // Loaded back, the chain gives what the saved file gives.
    EXPECT_EQ(manualData(rig.model), manualData(reread));
}

} // namespace
} // namespace zkt
