// The document's words that are composed rather than fixed.

#include "document/document_texts.h"

#include <gtest/gtest.h>

namespace zkt::documenttext {
namespace {

TEST(DocumentTexts, TitlesStepsAndTheUnsavedChangesQuestion) {
    EXPECT_EQ(windowTitle("organ.zkt", "[*]"), "organ.zkt[*] - ZKTConfig by Larkmoor");
    EXPECT_EQ(windowTitle("", "*"), "ZKTConfig by Larkmoor*");
    EXPECT_EQ(stepEntry(undoVerb(), "Open Bach & Co.zkt"), "&Undo Open Bach && Co.zkt");
    EXPECT_EQ(stepEntry(redoVerb(), ""), "&Redo");
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

// The question names the file where there is one, else what the title called the configuration.
TEST(DocumentTexts, TheRecoveryQuestionNamesWhatWasChangedAndWhen) {
    const std::string when = keptAtText("18:30", "1 May 2024");
    EXPECT_EQ(when, "18:30 on 1 May 2024");
    EXPECT_EQ(keptAtText("", ""), "an unknown time");
    const struct {
        const char* path;
        const char* name;
        const char* text;
    } cases[] = {
        {"/home/organist/organ.zkt", "organ.zkt",
         "ZKTConfig ended without saving the changes to /home/organist/organ.zkt. They were kept at 18:30 on "
         "1 "
         "May 2024."},
        {"", "Settings from the ZKT",
         "ZKTConfig ended without saving the changes to \u201cSettings from the ZKT\u201d. They were kept at "
         "18:30 on 1 May 2024."},
        {"", "",
         "ZKTConfig ended without saving the changes to a configuration that no file holds. They were kept "
         "at "
         "18:30 on 1 May 2024."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(recoveryQuestion(c.path, c.name, when).text, c.text);
    const RecoveryQuestion question = recoveryQuestion("", "", when);
    EXPECT_EQ(question.title, "Recover Unsaved Changes");
    EXPECT_EQ(question.detail, "Recover opens them as unsaved changes; Discard deletes them.");
    EXPECT_EQ(question.recover, "&Recover");
    EXPECT_EQ(question.discard, "&Discard");
}

} // namespace
} // namespace zkt::documenttext
