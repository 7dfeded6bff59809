#include "web/web_views.h"

#include "document/document_texts.h"
#include "document/recovery_copy_text.h"
#include "model/console_names.h"
#include "model/editor_texts.h"
#include "model/keyboard_form.h"
#include "model/piston_description.h"
#include "model/piston_rail.h"
#include "model/vocabulary.h"

#include <map>
#include <stdexcept>

namespace zkt::web {

namespace {

using nlohmann::json;

json listView(const ListItems& list) {
    json items = json::array();
    for (const ListItem& item : list.items)
        items.push_back(item.text);
    return {{"items", std::move(items)}, {"selected", list.selected}};
}

json nameOrNull(const std::optional<std::string>& name) {
    return name ? json(*name) : json(nullptr);
}

const char* channelKind(ChannelInput input) {
    switch (input) {
    case ChannelInput::midiChannel:
        return "midi";
    case ChannelInput::num:
        return "num";
    case ChannelInput::hidden:
        break;
    }
    return "hidden";
}

std::string plain(std::string_view text) {
    return editortext::withoutMnemonic(text);
}

json panelView(const PistonForm& form) {
    const auto shape = pistonPanelShape(form.functions().selected);
    if (!shape)
        return nullptr;
    const PistonPanel& panel = form.panel();
    json bankRows = json::array();
    if (shape->bankRows) {
        for (std::size_t row = 0; row < panel.bankRows.size(); ++row) {
            bankRows.push_back({{"caption", bankSelectCaptions[row]},
                                {"checked", panel.bankRows[row].checked},
                                {"enabled", panel.bankRows[row].valuesEnabled()},
                                {"values", listView(panel.bankRows[row].values)}});
        }
    }
    const bool num = shape->channel == ChannelInput::num;
    return {{"prompt", shape->prompt},
            {"typeShown", shape->typeShown},
            {"types", listView(panel.types)},
            {"channelKind", channelKind(shape->channel)},
            {"channelCaption", num ? editortext::numCaption() : editortext::midiChannelCaption()},
            {"channels", listView(panel.channels)},
            {"channelEnabled", form.channelEnabled()},
            {"values", listView(panel.values)},
            {"bankRows", std::move(bankRows)},
            {"allChannelsBox", shape->allChannelsBox},
            {"allChannelsCaption", editortext::allChannelsCaption()},
            {"allChannels", panel.allChannels}};
}

json nameInputView(std::string_view caption, const std::string& placeholder,
                   const std::string& accessibleName, std::string shown) {
    return {{"caption", plain(caption)},
            {"placeholder", placeholder},
            {"accessibleName", accessibleName},
            {"longest", longestConsoleName},
            {"shown", std::move(shown)}};
}

json keyboardTexts() {
    json rows = json::array();
    for (int channel = 1; channel <= channelsPerManual; ++channel) {
        const editortext::ChannelRowNames names = editortext::channelRowNames(channel);
        rows.push_back({{"channel", names.channel},
                        {"keyOffset", names.keyOffset},
                        {"velocityOn", names.velocityOn},
                        {"velocity", names.velocity},
                        {"analogInput", names.analogInput},
                        {"controller", names.controller}});
    }
    return {{"title", editortext::keyboardTitle()},
            {"pages", editortext::pageCaptions()},
            {"channelPageHeading", editortext::channelPageHeading()},
            {"columns", editortext::channelColumnCaptions()},
            {"velocityOn", editortext::velocityOnCaption()},
            {"velocityOnToolTip", editortext::velocityOnToolTip()},
            {"rowNames", std::move(rows)},
            {"generalPageHeading", editortext::generalPageHeading()},
            {"optionsFrame", editortext::optionsFrame()},
            {"archiveFrame", editortext::archiveFrame()},
            {"archiveInputQuestion", editortext::archiveInputQuestion()},
            {"archiveChannelQuestion", editortext::archiveChannelQuestion()},
            {"save", editortext::save()},
            {"cancel", editortext::cancel()},
            {"openOn", KeyboardForm::openOn}};
}

} // namespace

json organView(const Document& session) {
    const ConfigModel& model = session.model();
    json pistons = json::array();
    for (int i = 0; i < session.manualsShown() * pistonsPerManual; ++i) {
        const pistonInfo& piston = model.pistons[static_cast<std::size_t>(i)];
        pistons.push_back({{"assigned", piston.functionGroup != 0},
                           {"label", oneLine(model.names.pistonLabels[static_cast<std::size_t>(i)])},
                           {"description", describePiston(piston)},
                           {"functionText", pistonFunctionText(piston)},
                           {"detail", describePistonDetail(piston)}});
    }
    json manualTitles = json::array();
    json keyboardNames = json::array();
    for (int m = 1; m <= session.manualsShown(); ++m) {
        manualTitles.push_back(manualTitle(model.names, m));
        keyboardNames.push_back(documenttext::keyboardAccessibleName(manualTitle(model.names, m)));
    }
    const auto stepText = [](const std::string& verb, const std::optional<std::string>& step) {
        return editortext::withoutMnemonic(documenttext::stepEntry(verb, step.value_or(std::string())));
    };
    const ConfigClipboard& clipboard = session.clipboard();
    return {{"manuals", session.manualsShown()},
            {"fileName", session.path()},
            {"documentName", session.name()},
            {"clean", session.history().isClean()},
            {"title", documenttext::windowTitle(session.name(), session.history().isClean() ? "" : "*")},
            {"undo", nameOrNull(session.history().undoName())},
            {"redo", nameOrNull(session.history().redoName())},
            {"undoText", stepText(documenttext::undoVerb(), session.history().undoName())},
            {"redoText", stepText(documenttext::redoVerb(), session.history().redoName())},
            {"paste",
             {{"piston", clipboard.holdsPiston()},
              {"settings", clipboard.holdsManualSettings()},
              {"manual", clipboard.holdsManual()}}},
            {"railLeftTwips", pistonRailLeftTwips},
            {"manualTitles", std::move(manualTitles)},
            {"keyboardNames", std::move(keyboardNames)},
            {"longestName", longestConsoleName},
            {"pistons", std::move(pistons)}};
}

json pistonEditorView(const PistonForm& form) {
    return {{"texts",
             {{"title", editortext::pistonTitle()},
              {"functionQuestion", editortext::functionQuestion()},
              {"save", editortext::save()},
              {"cancel", editortext::cancel()},
              {"openOn", PistonForm::openOn}}},
            {"location", form.location()},
            {"note", form.note()},
            {"label", nameInputView(editortext::labelCaption(), editortext::labelPlaceholder(),
                                    editortext::labelAccessibleName(), form.labelShown())},
            {"functions", listView(form.functions())},
            {"panel", panelView(form)},
            {"refusal", form.refusal()}};
}

json keyboardEditorView(const KeyboardForm& form, bool whole) {
    const KeyboardInputs& inputs = form.inputs();
    json rows = json::array();
    for (int c = 0; c < channelsPerManual; ++c) {
        const ChannelRowInputs& row = inputs.rows[static_cast<std::size_t>(c)];
        const ChannelRowEnabled enabled = form.enabled(c);
        rows.push_back({{"on", row.on},
                        {"keyOffset", row.keyOffset},
                        {"velocityOn", row.velocityOn},
                        {"velocity", row.velocity},
                        {"analogInput", row.analogInput},
                        {"controller", row.controller},
                        {"enabled",
                         {{"keyOffset", enabled.keyOffset},
                          {"velocityOn", enabled.velocityOn},
                          {"velocity", enabled.velocity},
                          {"controller", enabled.controller}}}});
    }
    json options = json::array();
    for (std::size_t bit = 0; bit < inputs.options.size(); ++bit)
        options.push_back(
            {{"caption", vocabulary().keyboardOptionNames[bit]}, {"checked", inputs.options[bit]}});
    json view = {{"location", form.location()},
                 {"rows", std::move(rows)},
                 {"options", std::move(options)},
                 {"archiveInput", inputs.archiveInput},
                 {"archiveChannel", inputs.archiveChannel},
                 {"refusal", form.refusal()}};
    if (whole) {
        view["texts"] = keyboardTexts();
        view["name"] = nameInputView(editortext::nameCaption(), editortext::namePlaceholder(),
                                     editortext::nameAccessibleName(), form.nameShown());
        view["lists"] = {{"keyOffsets", listView(keyOffsetList())["items"]},
                         {"velocities", listView(velocityList())["items"]},
                         {"analogInputs", listView(analogInputList())["items"]},
                         {"controllers", listView(controllerList())["items"]},
                         {"archiveChannels", listView(archiveChannelList())["items"]}};
    }
    return view;
}

json documentTextsView() {
    const documenttext::MenuTexts& menus = documenttext::menuTexts();
    const documenttext::OverviewTexts overview = documenttext::overviewTexts();
    std::string instructions;
    for (int sentence = 0; sentence < documenttext::instructionCount; ++sentence)
        instructions += (instructions.empty() ? "" : " ") + documenttext::instruction(sentence) + ".";
    return {{"fileLoadError", documenttext::fileLoadError()},
            {"fileSaveError", documenttext::fileSaveError()},
            {"savedTitle", documenttext::savedTitle()},
            {"instructions", instructions},
            {"menus",
             {{"edit", plain(menus.edit)},
              {"copyPiston", plain(menus.copyPiston)},
              {"pastePiston", plain(menus.pastePiston)},
              {"clearPiston", plain(menus.clearPiston)},
              {"copySettings", plain(menus.copySettings)},
              {"pasteSettings", plain(menus.pasteSettings)},
              {"copyManual", plain(menus.copyManual)},
              {"pasteManual", plain(menus.pasteManual)}}},
            {"overview",
             {{"title", overview.title},
              {"filterPlaceholder", overview.filterPlaceholder},
              {"filterName", overview.filterName},
              {"tableName", overview.tableName},
              {"columns", overview.columns}}}};
}

json unsavedChangesQuestionView(const Document& document, const std::string& what,
                                const std::string& otherFile) {
    using documenttext::SetAside;
    static const std::map<std::string, SetAside, std::less<>> asides = {
        {"openingAnother", SetAside::openingAnother},
        {"openingBackup", SetAside::openingBackup},
        {"openingFile", SetAside::openingFile},
        {"loadingFromOrgan", SetAside::loadingFromOrgan},
        {"closing", SetAside::closing}};
    const auto aside = asides.find(what);
    if (aside == asides.end())
        throw std::invalid_argument("the page has no command that sets changes aside by \"" + what + "\"");
    const documenttext::UnsavedChangesQuestion question =
        documenttext::unsavedChangesQuestion(document.fileName(), aside->second, otherFile);
    return {{"title", question.title}, {"question", question.question}, {"detail", question.detail}};
}

json recoveryWorkView(const std::vector<RecoveryWork>& work, std::chrono::milliseconds delay) {
    json view = json::array();
    for (const RecoveryWork& item : work) {
        switch (item.kind) {
        case RecoveryWork::Kind::startTimer:
            view.push_back({{"do", "startTimer"}, {"ms", delay.count()}});
            break;
        case RecoveryWork::Kind::stopTimer:
            view.push_back({{"do", "stopTimer"}});
            break;
        case RecoveryWork::Kind::keep:
            view.push_back({{"do", "keep"}, {"text", item.text}});
            break;
        case RecoveryWork::Kind::remove:
            view.push_back({{"do", "remove"}});
            break;
        case RecoveryWork::Kind::notKept:
            view.push_back({{"do", "notKept"}, {"error", item.text}});
            break;
        }
    }
    return view;
}

json recoveredChangesView(std::string_view copyText) {
    const std::optional<RecoveredChanges> changes = readRecoveryCopy(copyText);
    if (!changes)
        return nullptr;
    return {{"documentPath", changes->documentPath},
            {"documentName", changes->documentName},
            {"keptAt", changes->keptAt}};
}

json recoveryQuestionView(const std::string& documentPath, const std::string& documentName,
                          const std::string& time, const std::string& date) {
    const documenttext::RecoveryQuestion question =
        documenttext::recoveryQuestion(documentPath, documentName, documenttext::keptAtText(time, date));
    return {{"title", question.title},
            {"text", question.text},
            {"detail", question.detail},
            {"recover", editortext::withoutMnemonic(question.recover)},
            {"discard", editortext::withoutMnemonic(question.discard)}};
}

json openedView(const std::string& fileName, const ConfigFileCheck& check) {
    return {{"ok", true},
            {"caption", openingFileCaption(fileName)},
            {"heading", openedFileHeading(fileName, check)},
            {"warnings", check.warnings}};
}

json savedView(std::string text, const std::string& fileName) {
    return {{"ok", true}, {"text", std::move(text)}, {"message", documenttext::savedText(fileName)}};
}

json failureView(const std::string& error) {
    return {{"ok", false}, {"error", error}};
}

json editOutcomeView(const std::optional<std::string>& refusal) {
    return {{"saved", !refusal}, {"refusal", refusal.value_or("")}};
}

} // namespace zkt::web
