#include "web/session_calls.h"

#include "web/web_views.h"

#include <functional>
#include <map>
#include <stdexcept>

namespace zkt::web {

namespace {

template <typename Form> using Change = std::function<void(Form&, int row, int value)>;

template <typename Form>
const Change<Form>& changeNamed(const std::map<std::string, Change<Form>>& changes,
                                const std::string& input) {
    const auto change = changes.find(input);
    if (change == changes.end())
        throw std::invalid_argument("the editor has no input \"" + input + "\"");
    return change->second;
}

const std::map<std::string, Change<PistonForm>>& pistonChanges() {
    static const std::map<std::string, Change<PistonForm>> changes{
        {"function", [](PistonForm& f, int, int v) { f.chooseGroup(v); }},
        {"type", [](PistonForm& f, int, int v) { f.chooseType(v); }},
        {"channel", [](PistonForm& f, int, int v) { f.chooseChannel(v); }},
        {"value", [](PistonForm& f, int, int v) { f.chooseValue(v); }},
        {"all", [](PistonForm& f, int, int v) { f.checkAllChannels(v != 0); }},
        {"bankCheck", [](PistonForm& f, int row, int v) { f.checkBankRow(row, v != 0); }},
        {"bankValue", [](PistonForm& f, int row, int v) { f.chooseBankValue(row, v); }},
    };
    return changes;
}

const std::map<std::string, Change<KeyboardForm>>& keyboardChanges() {
    static const std::map<std::string, Change<KeyboardForm>> changes{
        {"on", [](KeyboardForm& f, int row, int v) { f.setChannelOn(row, v != 0); }},
        {"keyOffset", [](KeyboardForm& f, int row, int v) { f.chooseKeyOffset(row, v); }},
        {"velocityOn", [](KeyboardForm& f, int row, int v) { f.setVelocityOn(row, v != 0); }},
        {"velocity", [](KeyboardForm& f, int row, int v) { f.chooseVelocity(row, v); }},
        {"analogInput", [](KeyboardForm& f, int row, int v) { f.chooseAnalogInput(row, v); }},
        {"controller", [](KeyboardForm& f, int row, int v) { f.chooseController(row, v); }},
        {"option", [](KeyboardForm& f, int row, int v) { f.setOption(row, v != 0); }},
        {"archiveInput", [](KeyboardForm& f, int, int v) { f.chooseArchiveInput(v); }},
        {"archiveChannel", [](KeyboardForm& f, int, int v) { f.chooseArchiveChannel(v); }},
    };
    return changes;
}

} // namespace

nlohmann::json choosePistonInput(WebSession& session, const std::string& input, int row, int value) {
    const Change<PistonForm>& change = changeNamed(pistonChanges(), input);
    PistonForm* form = session.document().pistonEditor();
    if (form == nullptr)
        return nullptr;
    change(*form, row, value);
    return pistonEditorView(*form);
}

nlohmann::json setKeyboardInput(WebSession& session, const std::string& input, int row, int value) {
    const Change<KeyboardForm>& change = changeNamed(keyboardChanges(), input);
    KeyboardForm* form = session.document().keyboardEditor();
    if (form == nullptr)
        return nullptr;
    change(*form, row, value);
    return keyboardEditorView(*form, false);
}

} // namespace zkt::web
