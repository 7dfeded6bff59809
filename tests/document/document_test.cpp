// The document both front ends adapt: what opening, saving, loading and the editors do to the
// configuration, its history and its name.

#include "document/document.h"
#include "model/carried_values.h"
#include "model/config_file.h"
#include "model/example_organ.h"
#include "model/program_image.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

std::string threeManuals() {
    ConfigModel organ = exampleOrgan(3);
    organ.numberOfManuals = 3;
    return configurationText(organ);
}

TEST(Document, OpeningSavingAndLoadingDecideTheNameAndTheCleanState) {
    ConfigModel model;
    Document document(model);
    document.open(threeManuals(), "/home/organist/organ.zkt");
    EXPECT_EQ(document.name(), "organ.zkt");
    EXPECT_EQ(document.fileName(), "organ.zkt");
    EXPECT_FALSE(document.hasUnsavedChanges());
    EXPECT_EQ(document.history().undoName(), "Open organ.zkt");

    document.clearPiston(0);
    EXPECT_TRUE(document.hasUnsavedChanges());
    document.saved("C:\\organs\\saved.zkt");
    EXPECT_EQ(document.name(), "saved.zkt");
    EXPECT_FALSE(document.hasUnsavedChanges());

    // A load landed in the model behind the history's back, as the window's engine lands it.
    model.pistons[1] = pistonInfo{};
    document.loadedFromOrgan();
    EXPECT_EQ(document.name(), "Settings from the ZKT");
    EXPECT_EQ(document.path(), "");
    EXPECT_FALSE(document.hasUnsavedChanges());
    EXPECT_EQ(document.history().undoName(), "Load Current Settings from the ZKT");

    // The page's load hands over what was read, with the device it was read from.
    ConfigModel loaded = model;
    loaded.pistons[2] = pistonInfo{};
    loaded.hardwareType = 18;
    document.takeFromOrgan(loaded);
    EXPECT_TRUE(sameConfiguration(model, loaded));
    EXPECT_EQ(model.hardwareType, 18);
    EXPECT_FALSE(document.hasUnsavedChanges());

    // Recovered changes belong to their document and are still unsaved.
    document.openRecovered(threeManuals(), "/home/organist/organ.zkt", "organ.zkt");
    EXPECT_EQ(document.name(), "organ.zkt");
    EXPECT_TRUE(document.hasUnsavedChanges());
    EXPECT_EQ(document.history().undoName(), "Recover Unsaved Changes");
}

TEST(Document, ABackupKeepsTheNamesShownAndADamagedFileChangesNothing) {
    ConfigModel model;
    Document document(model);
    document.open(threeManuals(), "organ.zkt");
    document.openKeyboardEditor(1)->typeName("Swell");
    ASSERT_EQ(document.saveKeyboardEditor(), std::nullopt);
    const std::string backup = imagesText({Bytes(programImageSize, 0xFF)}, "backup");
    document.open(backup, "2026-12-09_10-00-00.zkt", true);
    EXPECT_EQ(model.names.manualNames[1], "Swell");
    EXPECT_EQ(model.numberOfManuals, 1);

    const ConfigModel before = model;
    EXPECT_THROW(document.open(std::string(800, 'x'), "junk.zkt"), ConfigFileError);
    EXPECT_EQ(model, before);
    EXPECT_EQ(document.name(), "2026-12-09_10-00-00.zkt");
}

TEST(Document, EditorsSaveOneNamedStepOrStayOpenWithTheirRefusal) {
    ConfigModel model;
    Document document(model);
    document.open(threeManuals(), "organ.zkt");
    EXPECT_EQ(document.openPistonEditor(60), nullptr) << "beyond the manuals shown";
    PistonForm* piston = document.openPistonEditor(1);
    ASSERT_NE(piston, nullptr);
    piston->chooseGroup(static_cast<int>(FunctionGroup::hx90Cancel));
    piston->typeLabel("Cancel");
    EXPECT_EQ(document.savePistonEditor(), std::nullopt);
    EXPECT_EQ(document.pistonEditor(), nullptr);
    EXPECT_EQ(document.history().undoName(), "Manual 1, piston 2: HX-90 Cancel");
    EXPECT_EQ(model.names.pistonLabels[1], "Cancel");

    KeyboardForm* keyboard = document.openKeyboardEditor(0);
    ASSERT_NE(keyboard, nullptr);
    EXPECT_EQ(document.pistonEditor(), nullptr) << "one editor at a time";
    keyboard->setChannelOn(0, true);
    keyboard->setVelocityOn(0, false);
    keyboard->chooseVelocity(0, velocityList().count() - 1);
    const ConfigModel before = model;
    EXPECT_EQ(document.saveKeyboardEditor(), velocityFaultInWords(1));
    EXPECT_EQ(document.keyboardEditor(), keyboard);
    EXPECT_EQ(model, before);
    document.open(threeManuals(), "organ.zkt");
    EXPECT_EQ(document.keyboardEditor(), nullptr) << "a file opened closes the editor";
}

} // namespace
} // namespace zkt
