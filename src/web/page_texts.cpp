#include "web/page_texts.h"

#include "document/document_texts.h"
#include "i18n/format_text.h"
#include "i18n/language.h"
#include "i18n/language_choice.h"
#include "i18n/tr.h"
#include "link/link_check_texts.h"
#include "link/midi_setup_texts.h"
#include "link/monitor_texts.h"
#include "link/write_dialog_texts.h"
#include "model/editor_texts.h"

namespace zkt::web {

namespace {

using nlohmann::json;
using editortext::withoutMnemonic;

// The browsers that reach MIDI devices, for whoever is in one that does not.
std::string useAnotherBrowser() {
    return tr("use Chrome, Edge or Opera on a Windows, Mac, Linux or ChromeOS computer, or the desktop program "
              "ZKTConfig");
}

json toolbarTexts() {
    return {{"name", tr("Commands")},
            {"open", tr("toolbar", "Open")},
            {"openTip", tr("Open a Saved ZKT Configuration")},
            {"save", tr("toolbar", "Save")},
            {"saveTip", tr("Save ZKT Configuration File")},
            {"load", tr("Load Current Settings from the ZKT")},
            {"loadTip", tr("Read every manual's settings from the organ")},
            {"write", tr("Write Program Data to ZKT")},
            {"writeTip", tr("Write the configuration to the organ, safely: backup, only what changed, read back")},
            {"midi", tr("MIDI setup")},
            {"midiTip", tr("Setup MIDI Input and Output")},
            {"tools", tr("Tools")},
            {"toolsTip", tr("Test the MIDI connection, check the console, watch the MIDI messages, restore a backup")},
            {"undo", tr("toolbar", "Undo")},
            {"redo", tr("toolbar", "Redo")},
            {"print", tr("Print chart")},
            {"printTip", tr("Print Piston Chart…")},
            {"json", tr("Export JSON")},
            {"jsonTip", tr("Export the configuration as JSON")},
            {"language", withoutMnemonic(tr("&Language"))}};
}

json startTexts() {
    return {{"intro", tr("Configure the ZKT organ MIDI encoder: what each thumb piston does, and each manual's "
                         "channels.")},
            {"open", tr("Open Previously Saved ZKT Configuration")},
            {"read", tr("Read the Organ's Current Settings")},
            {"readTip", tr("Load Current Settings from the ZKT")},
            {"example", tr("Open the Example Organ (3 manuals)")},
            {"hint", tr("or drop a .zkt file on this page. Nothing leaves this computer: the page works on your files "
                        "and the organ here. To try the page without the organ, choose \"ZKT simulator (3 manuals)\" "
                        "as MIDI input and output.")}};
}

json mainTexts() {
    return {{"manuals", tr("Manuals")},
            {"noManuals", tr("The configuration has no manuals.")},
            {"status", tr("Status")},
            {"ready", tr("Ready.")},
            {"cancel", editortext::cancel()},
            {"keyboardTip", tr("Click to configure this manual's MIDI channels")},
            {"railName", tr("%1 pistons")},
            {"pistonPlace", tr("Manual %1, piston %2")},
            {"labelPlaceholder", tr("Label")},
            {"labelName", tr("Label of manual %1, piston %2")},
            {"pistonLabel", tr("Piston Label")}};
}

json menuTexts() {
    return {{"linkCheck", tr("Test MIDI Connection…")},
            {"monitor", monitortext::title()},
            {"backups", tr("Backups…")}};
}

json fileTexts() {
    return {{"openCaption", tr("toolbar", "Open")},
            {"notZkt", tr("%1 is not a ZKT configuration file (*.zkt).")},
            {"cannotRead", tr("%1: cannot read the file")},
            {"tooLarge", tr("%1: %2 bytes are far more than a configuration file holds")},
            {"exampleNotFetched", tr("%1: cannot fetch the example from this site: %2")},
            {"siteAnswered", tr("the site answered %1")},
            {"exportCaption", tr("Export")},
            {"exported", tr("Exported to file: %1")}};
}

json answerTexts() {
    return {{"ok", tr("OK")},
            {"yes", tr("Yes")},
            {"no", tr("No")},
            {"save", editortext::save()},
            {"discard", tr("Discard")},
            {"cancel", editortext::cancel()},
            {"close", tr("Close")}};
}

json backupTexts() {
    return {{"title", tr("Backups of the ZKT")},
            {"intro", tr("Before every write the page reads what the ZKT holds and keeps it here, in this browser. "
                         "Restore one to open it as the configuration; \"Write Program Data to ZKT\" then puts it "
                         "back on the organ.")},
            {"tableName", tr("Backups")},
            {"columns", {tr("Taken"), tr("Manuals"), tr("Backup")}},
            {"unreadable", tr("The backups cannot be read from this browser's storage: %1")},
            {"none", tr("No backup has been taken in this browser yet.")},
            {"download", tr("Download")},
            {"restore", tr("Restore")},
            {"notKept", tr("This browser would not keep the backup (%1); it was downloaded instead as %2.")}};
}

json chartTexts() {
    return {{"title", tr("Print Piston Chart")},
            {"frameName", tr("Piston chart")},
            {"print", withoutMnemonic(tr("&Print…"))}};
}

json monitorTexts() {
    return {{"title", monitortext::title()},
            {"filterName", tr("Filter the messages")},
            {"filterPlaceholder", monitortext::filterPlaceholder()},
            {"tableName", tr("MIDI messages")},
            {"columns", monitortext::columns()},
            {"pause", withoutMnemonic(monitortext::pauseCaption(false))},
            {"resume", withoutMnemonic(monitortext::pauseCaption(true))},
            {"clear", withoutMnemonic(monitortext::clearCaption())},
            {"save", withoutMnemonic(monitortext::saveCaption())}};
}

json midiSetupTexts() {
    return {{"title", midisetuptext::title()},
            {"prompt", midisetuptext::prompt()},
            {"input", withoutMnemonic(midisetuptext::inputCaption())},
            {"output", withoutMnemonic(midisetuptext::outputCaption())},
            {"chooseInput", midisetuptext::choosePlaceholder(true)},
            {"chooseOutput", midisetuptext::choosePlaceholder(false)}};
}

// What browsers refuse when the page asks for MIDI, each with what to do about it.
json refusalTexts() {
    const std::string simulatorStays = tr("The ZKT simulator in the MIDI setup works in any browser.");
    return {
        {"insecure",
         {tr("Browsers give MIDI only to pages served over https (or from this computer itself), and this page came "
             "over plain http."),
          tr("Open the page at its https address.")}},
        {"unsupported",
         {tr("This browser cannot reach MIDI devices: it has no Web MIDI. Safari has none, and on iPhone and iPad no "
             "browser has it."),
          formatText(tr("To reach the organ, %1. %2"), useAnotherBrowser(), simulatorStays)}},
        {"deniedFirefox",
         {tr("Firefox did not let this page use MIDI devices. Firefox grants MIDI through a small add-on that it makes "
             "for this site itself (a \"site permission add-on\"); it installs nothing else."),
          tr("Reload the page and, when Firefox asks, choose \"Continue to Installation\" and then \"Add\". If Firefox "
             "no longer asks, open Add-ons and Themes (Ctrl+Shift+A), remove this site's add-on under Site "
             "Permissions, and reload.")}},
        {"denied",
         {tr("The browser did not let this page control MIDI devices, which it needs to read and write the ZKT (with "
             "system exclusive messages)."),
          tr("Allow it: click the icon at the left of the address bar, set \"MIDI device control & reprogram\" (or "
             "\"MIDI devices\") to Allow, and reload the page.")}},
        {"failed", tr("The browser could not start its MIDI system.")},
        {"failedWith", tr("The browser could not start its MIDI system (%1).")},
        {"failedAdvice", formatText(tr("Check that the MIDI interface is plugged in and its driver installed, then "
                                       "close the browser completely and open it again; or %1."),
                                    useAnotherBrowser())},
        {"inputInUse", tr("The MIDI input \"%1\" cannot be opened: another program is using it.")},
        {"outputInUse", tr("The MIDI output \"%1\" cannot be opened: another program is using it.")},
        {"inUseAdvice", tr("Close the program that holds it (a music program, the desktop ZKTConfig, or another "
                           "browser tab with a MIDI page) and try again.")},
        {"noDevices", tr("No MIDI device is connected (or the browser sees none). Connect the MIDI interface your ZKT "
                         "is wired to: the lists follow as soon as it is there.")},
        {"firefoxAsks", tr("Firefox is about to ask whether to add a \"site permission add-on\" for this page: it is "
                           "how Firefox lets a page use MIDI devices. Choose \"Continue to Installation\" and then "
                           "\"Add\".")}};
}

// The browser's MIDI ports, as the page tells the core why one failed.
json portTexts() {
    return {{"noInput", tr("There is no MIDI input number %1")},
            {"noOutput", tr("There is no MIDI output number %1")},
            {"inputNotOpened", tr("The browser did not open the MIDI input \"%1\": %2")},
            {"outputNotOpened", tr("The browser did not open the MIDI output \"%1\": %2")},
            {"outputNotOpen", tr("The MIDI output is not open")},
            {"notSent", tr("The browser did not send to the MIDI output \"%1\": %2")}};
}

json organTexts() {
    return {{"linkCheckTitle", linkchecktext::title()},
            {"transferRunning", tr("A transfer is running. Test the connection once it has finished.")},
            {"noDevicesChosen", tr("No MIDI input and output are chosen.")},
            {"notAsWritten", tr("The ZKT does not hold what was written:")},
            {"noBackup", tr("The ZKT could not be read, so no backup of what it holds was taken:")},
            {"writeWithoutBackup", tr("Write without a backup? Every manual of the configuration is then written.")}};
}

// Why the browser's storage kept nothing, as the warnings about backups and unsaved changes say.
json storageTexts() {
    return {{"failed", tr("the browser's storage failed")},
            {"none", tr("this browser keeps no data for pages")},
            {"noLocks", tr("this browser cannot tell whether the page is open in another tab")},
            {"lockRefused", tr("the browser refused the page a lock of its own")},
            {"closed", tr("the browser's storage is closed")}};
}

json writeTexts() {
    const WriteDialogTexts texts = writeDialogTexts();
    return {{"title", texts.title},
            {"planHeading", texts.planHeading},
            {"backup", withoutMnemonic(texts.backup)},
            {"everyManual", withoutMnemonic(texts.everyManual)},
            {"verify", withoutMnemonic(texts.verify)},
            {"verifyAll", withoutMnemonic(texts.verifyAll)},
            {"write", withoutMnemonic(texts.write)},
            {"cancel", withoutMnemonic(texts.cancel)},
            {"notReadFirst", texts.notReadFirst}};
}

} // namespace

json pageTexts() {
    return {{"toolbar", toolbarTexts()},   {"start", startTexts()},     {"main", mainTexts()},
            {"menus", menuTexts()},        {"files", fileTexts()},      {"answers", answerTexts()},
            {"backups", backupTexts()},    {"chart", chartTexts()},     {"monitor", monitorTexts()},
            {"midiSetup", midiSetupTexts()}, {"refusals", refusalTexts()}, {"ports", portTexts()},
            {"organ", organTexts()},       {"storage", storageTexts()}, {"write", writeTexts()}};
}

json chooseLanguage(const std::string& kept, const std::vector<std::string>& browserLanguages) {
    if (kept.empty() || !setLanguage(kept))
        setLanguage(languageFromPreferences(browserLanguages));
    return languageChoiceView();
}

json languageChoiceView() {
    json languages = json::array();
    for (const std::string_view code : shippedLanguages())
        languages.push_back({{"code", code}, {"name", languageName(code)}});
    return {{"current", currentLanguage()}, {"languages", std::move(languages)}};
}

std::string backupsCountedText(int count) {
    return formatText(trn("%1 backup, the newest first.", "%1 backups, the newest first.",
                          static_cast<unsigned long>(count < 0 ? 0 : count)),
                      count);
}

} // namespace zkt::web
