// The document's words that are composed rather than fixed.

#include "document/document_texts.h"

#include <gtest/gtest.h>

namespace zkt::documenttext {
namespace {

TEST(DocumentTexts, TitlesStepsAndTheUnsavedChangesQuestion) {
    EXPECT_EQ(windowTitle("organ.zkt", "[*]"), "organ.zkt[*] - ZKTConfig by Larkmoor");
    EXPECT_EQ(windowTitle("", "*"), "ZKTConfig by Larkmoor*");
    EXPECT_EQ(stepEntry(undoVerb, "Open Bach & Co.zkt"), "&Undo Open Bach && Co.zkt");
    EXPECT_EQ(stepEntry(redoVerb, ""), "&Redo");
    const struct {
        SetAside what;
        const char* file;
        const char* question;
    } cases[] = {
        {SetAside::openingAnother, "organ.zkt",
         "Save changes to organ.zkt before opening another configuration?"},
        {SetAside::openingBackup, "", "Save changes to the configuration before opening a backup?"},
        {SetAside::openingFile, "organ.zkt", "Save changes to organ.zkt before opening swell.zkt?"},
        {SetAside::loadingFromOrgan, "",
         "Save changes to the configuration before loading the settings from the ZKT?"},
        {SetAside::closing, "organ.zkt", "Save changes to organ.zkt before closing?"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(unsavedChangesQuestion(c.file, c.what, "swell.zkt").question, c.question);
}

} // namespace
} // namespace zkt::documenttext
