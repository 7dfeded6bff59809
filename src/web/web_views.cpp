#include "web/web_views.h"

#include "model/console_names.h"
#include "model/keyboard_form.h"
#include "model/piston_description.h"
#include "model/piston_rail.h"
#include "model/vocabulary.h"

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

json panelView(const PistonForm& form) {
    const auto rule = form.rule();
    if (!rule)
        return nullptr;
    const PistonPanel& panel = form.panel();
    json bankRows = json::array();
    if (rule->bankRows) {
        for (std::size_t row = 0; row < panel.bankRows.size(); ++row) {
            bankRows.push_back({{"caption", bankSelectCaptions[row]},
                                {"checked", panel.bankRows[row].checked},
                                {"values", listView(panel.bankRows[row].values)}});
        }
    }
    return {{"prompt", rule->prompt},
            {"typeShown", rule->typeListShown},
            {"types", listView(panel.types)},
            {"channelKind", channelKind(rule->channel)},
            {"channels", listView(panel.channels)},
            {"values", listView(panel.values)},
            {"bankRows", std::move(bankRows)},
            {"allChannelsBox", rule->allChannelsBox},
            {"allChannels", panel.allChannels}};
}

} // namespace

json organView(const WebSession& session) {
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
    for (int m = 1; m <= session.manualsShown(); ++m)
        manualTitles.push_back(manualTitle(model.names, m));
    const ConfigClipboard& clipboard = session.clipboard();
    return {{"manuals", session.manualsShown()},
            {"fileName", session.fileName()},
            {"documentName", session.documentName()},
            {"clean", session.history().isClean()},
            {"undo", nameOrNull(session.history().undoName())},
            {"redo", nameOrNull(session.history().redoName())},
            {"paste",
             {{"piston", clipboard.holdsPiston()},
              {"settings", clipboard.holdsManualSettings()},
              {"manual", clipboard.holdsManual()}}},
            {"railLeftTwips", pistonRailLeftTwips},
            {"manualTitles", std::move(manualTitles)},
            {"pistons", std::move(pistons)}};
}

json pistonEditorView(const PistonForm& form, const std::string& label) {
    return {{"location", form.location()},
            {"note", form.note()},
            {"label", label},
            {"labelOnOneLine", oneLine(label)},
            {"functions", listView(form.functions())},
            {"panel", panelView(form)}};
}

json keyboardEditorView(int manualIndex, const std::string& name, const KeyboardInputs& inputs) {
    json rows = json::array();
    for (const ChannelRowInputs& row : inputs.rows) {
        const ChannelRowEnabled enabled = enabledInputs(row);
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
    return {{"location", keyboardEditorLocation(manualIndex)},
            {"name", name},
            {"nameOnOneLine", oneLine(name)},
            {"lists",
             {{"keyOffsets", listView(keyOffsetList())["items"]},
              {"velocities", listView(velocityList())["items"]},
              {"analogInputs", listView(analogInputList())["items"]},
              {"controllers", listView(controllerList())["items"]},
              {"archiveChannels", listView(archiveChannelList())["items"]}}},
            {"rows", std::move(rows)},
            {"options", std::move(options)},
            {"archiveInput", inputs.archiveInput},
            {"archiveChannel", inputs.archiveChannel}};
}

} // namespace zkt::web
