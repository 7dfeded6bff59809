// One table of edits made in both front ends as their users make them: in the window, through
// its dialogs, menus and overview offscreen; in the page, through the very calls the page makes
// on its session, choosing entries by the texts its views show. Both must end with the same
// configuration, the same refusals and the same step names.

#include "app/mainwindow/piston_overview.h"
#include "app/mainwindow/piston_overview_model.h"
#include "app_fixture.h"
#include "editors/keyboard_editor.h"
#include "editors/piston_editor.h"
#include "editors/widget_lookup.h"
#include "model/config_file.h"
#include "model/example_organ.h"
#include "model/vocabulary.h"
#include "web/session_calls.h"
#include "web/web_views.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>

namespace zkt {
namespace {

struct Step {
    enum class Do {
        openPiston,
        openKeyboard,
        choose,
        check,
        type,
        save,
        cancel,
        menu,
        overviewLabel,
        undo,
        redo
    };
    Do what;
    std::string input = {}; // an input's object name, or a menu entry's ("mnuPistonCopy")
    std::string text = {};  // the entry chosen as it reads, or the text typed
    bool on = false;
    int index = 0; // the piston or manual a dialog or menu is opened on
};

Step openPiston(int index) {
    return {Step::Do::openPiston, {}, {}, false, index};
}
Step openKeyboard(int index) {
    return {Step::Do::openKeyboard, {}, {}, false, index};
}
Step choose(std::string input, std::string text) {
    return {Step::Do::choose, std::move(input), std::move(text)};
}
Step check(std::string input, bool on) {
    return {Step::Do::check, std::move(input), {}, on};
}
Step type(std::string input, std::string text) {
    return {Step::Do::type, std::move(input), std::move(text)};
}
Step menu(std::string entry, int index) {
    return {Step::Do::menu, std::move(entry), {}, false, index};
}
const Step save{Step::Do::save};
const Step cancel{Step::Do::cancel};
const Step undo{Step::Do::undo};
const Step redo{Step::Do::redo};

struct EditCase {
    std::string name;
    std::vector<Step> steps;
    std::size_t refusals = 0; // how many of its saves are refused
};

std::string indexed(const char* base, int index) {
    return std::string(base) + "_" + std::to_string(index);
}

// Each function group chosen on Manual 2, piston 6 with a type, a value and a channel its lists
// offer; what the group has no list for is left as the piston gives it.
EditCase everyGroup(int group) {
    const Vocabulary& words = vocabulary();
    const auto g = static_cast<std::size_t>(group);
    std::vector<Step> steps{openPiston(25), choose("cboFunction", words.functionGroupNames[g])};
    const PistonPanelShape shape = *pistonPanelShape(group);
    const auto& types = words.functionLists[g];
    if (shape.typeShown && types.size() > 1)
        steps.push_back(choose(indexed("cboType", group), types[types.size() / 2]));
    if (shape.values) {
        const char* value = group == static_cast<int>(FunctionGroup::noteOnOff) ? "60 (C3)" : "12";
        steps.push_back(choose(indexed("cboProgramChange", group), value));
    }
    if (shape.channel == ChannelInput::midiChannel)
        steps.push_back(choose(indexed("cboMidiChannel", group), "3"));
    if (shape.bankRows)
        steps.insert(steps.end(), {check("chkBankSel_0", true), choose("cboBankSel_0", "5"),
                                   check("chkBankSel_1", true), choose("cboBankSel_1", "127")});
    if (shape.allChannelsBox)
        steps.push_back(check("chkAllChannels", true));
    steps.push_back(save);
    return {"group " + std::to_string(group), steps, 0};
}

std::vector<EditCase> sharedCases() {
    std::vector<EditCase> cases;
    for (int group = 0; group < functionGroupCount; ++group)
        cases.push_back(everyGroup(group));
    const std::vector<EditCase> more{
        {"a Program Change becomes a Bank Select that keeps its program",
         {openPiston(25), choose("cboFunction", "Program Change"), choose("cboProgramChange_7", "40"),
          choose("cboFunction", "Bank Select"), check("chkBankSel_1", true), choose("cboBankSel_1", "9"),
          save}},
        {"a Bank Select sending nothing, then only its program, is refused",
         {openPiston(3), choose("cboFunction", "Bank Select"), check("chkBankSel_0", false),
          check("chkBankSel_1", false), check("chkBankSel_2", false), save, check("chkBankSel_2", true), save,
          check("chkBankSel_0", true), save},
         2},
        {"another CASE brings its NUM list",
         {openPiston(44), choose("cboFunction", "LARKMOOR Piston"),
          choose("cboType_14", vocabulary().functionLists[14][16]), choose("cboMidiChannel_14", "0 - #1"),
          save}},
        {"the label typed with the piston, and in the overview",
         {openPiston(7),
          type("txtLabel", "  General 5  "),
          choose("cboFunction", "HX-90 Cancel"),
          save,
          {Step::Do::overviewLabel, {}, "Sw to Gt", false, 8}}},
        {"every keyboard input, the name with them",
         {openKeyboard(1), type("txtManualName", "Swell"), check("chkChannel_5", true),
          choose("cboTransposeInput_5", "+12"), check("chkVelocity_5", false), choose("cboVelocity_5", "100"),
          choose("cboAnalogInput_5", "Input 2"), choose("cboMidiController_5", "Expression (11)"),
          check("chkChannel_0", false), check("chkKeyboardConfig_3", true),
          check("chkKeyboardConfig_0", false), choose("cboArchiveAnalogInput_0", "Input 3"),
          choose("cboArchiveAnalogInput_1", "1"), save}},
        {"a fixed velocity of 0 is refused, then mended",
         {openKeyboard(0), check("chkChannel_2", true), check("chkVelocity_2", false),
          choose("cboVelocity_2", "0"), save, choose("cboVelocity_2", "1"), save},
         1},
        {"what is cancelled is not stored",
         {openPiston(10), choose("cboFunction", "Note On/Off"), cancel, openKeyboard(2),
          check("chkChannel_7", true), cancel}},
        {"copy, paste and clear, undone and done again",
         {menu("mnuPistonCopy", 2), menu("mnuPistonPaste", 45), menu("mnuPistonClear", 0),
          menu("mnuManualSettingsCopy", 2), menu("mnuManualSettingsPaste", 0), menu("mnuManualCopy", 1),
          menu("mnuManualPaste", 2), undo, undo, undo, redo}},
    };
    cases.insert(cases.end(), more.begin(), more.end());
    return cases;
}

// What an edit sequence leaves.
struct Outcome {
    ConfigModel model;
    std::vector<std::string> refusals;
    std::optional<std::string> undoName, redoName;
};

std::string organText() {
    ConfigModel organ = exampleOrgan(3);
    organ.numberOfManuals = 3;
    return configurationText(organ);
}

// ---- The page: its session, and the calls the page makes with the positions its views show.

class PageEdits {
public:
    Outcome run(const EditCase& edits) {
        m_session.open("organ.zkt", organText());
        for (const Step& step : edits.steps)
            take(step);
        return {m_session.model(), m_refusals, m_session.document().history().undoName(),
                m_session.document().history().redoName()};
    }

private:
    // The list an input's entries come from in the view the page last drew, and the call and
    // row that choosing in it makes.
    struct Target {
        std::string call;
        int row = 0;
        nlohmann::json items;
    };

    Target targetOf(const std::string& input) const {
        const std::size_t cut = input.rfind('_');
        const std::string base = input.substr(0, cut);
        const int row = cut == std::string::npos ? 0 : std::stoi(input.substr(cut + 1));
        const nlohmann::json& v = m_view;
        static const std::map<std::string, std::pair<std::string, const char*>> keyboard{
            {"chkChannel", {"on", nullptr}},
            {"cboTransposeInput", {"keyOffset", "keyOffsets"}},
            {"chkVelocity", {"velocityOn", nullptr}},
            {"cboVelocity", {"velocity", "velocities"}},
            {"cboAnalogInput", {"analogInput", "analogInputs"}},
            {"cboMidiController", {"controller", "controllers"}},
            {"chkKeyboardConfig", {"option", nullptr}}};
        if (m_inKeyboard) {
            if (input == "cboArchiveAnalogInput_0")
                return {"archiveInput", 0, m_lists["analogInputs"]};
            if (input == "cboArchiveAnalogInput_1")
                return {"archiveChannel", 0, m_lists["archiveChannels"]};
            const auto& [call, list] = keyboard.at(base);
            return {call, row, list ? m_lists[list] : nlohmann::json()};
        }
        if (input == "cboFunction")
            return {"function", 0, v["functions"]["items"]};
        if (input == "chkAllChannels")
            return {"all", 0, {}};
        if (base == "chkBankSel")
            return {"bankCheck", row, {}};
        if (base == "cboBankSel")
            return {"bankValue", row, v["panel"]["bankRows"][row]["values"]["items"]};
        static const std::map<std::string, std::pair<std::string, const char*>> piston{
            {"cboType", {"type", "types"}},
            {"cboMidiChannel", {"channel", "channels"}},
            {"cboProgramChange", {"value", "values"}}};
        const auto& [call, list] = piston.at(base);
        return {call, 0, v["panel"][list]["items"]};
    }

    void call(const Target& target, int value) {
        if (m_inKeyboard)
            web::setKeyboardInput(m_session, target.call, target.row, value);
        else
            m_view = web::choosePistonInput(m_session, target.call, target.row, value);
    }

    void take(const Step& step) {
        switch (step.what) {
        case Step::Do::openPiston:
            m_session.openPistonEditor(step.index);
            m_view = web::pistonEditorView(*m_session.document().pistonEditor());
            m_inKeyboard = false;
            m_typed.reset();
            break;
        case Step::Do::openKeyboard:
            m_session.openKeyboardEditor(step.index);
            m_lists = web::keyboardEditorView(*m_session.document().keyboardEditor(), true)["lists"];
            m_inKeyboard = true;
            m_typed.reset();
            break;
        case Step::Do::choose: {
            const Target target = targetOf(step.input);
            const auto& items = target.items;
            const auto found = std::find(items.begin(), items.end(), step.text);
            ASSERT_NE(found, items.end()) << "no entry " << step.text << " in " << step.input;
            call(target, static_cast<int>(found - items.begin()));
            break;
        }
        case Step::Do::check:
            call(targetOf(step.input), step.on ? 1 : 0);
            break;
        case Step::Do::type:
            m_typed = step.text;
            break;
        case Step::Do::save: {
            // The page hands over what its input shows, which is what the editor opened with
            // until something is typed.
            const auto refusal = m_inKeyboard ? m_session.saveKeyboardEditor(m_typed.value_or(shownName()))
                                              : m_session.savePistonEditor(m_typed.value_or(shownName()));
            if (refusal)
                m_refusals.push_back(*refusal);
            break;
        }
        case Step::Do::cancel:
            m_session.document().closeEditors();
            break;
        case Step::Do::menu:
            runMenu(step.input, step.index);
            break;
        case Step::Do::overviewLabel:
            m_session.document().setPistonLabel(step.index, step.text);
            break;
        case Step::Do::undo:
            m_session.document().history().undo();
            break;
        case Step::Do::redo:
            m_session.document().history().redo();
            break;
        }
    }

    std::string shownName() {
        Document& document = m_session.document();
        if (m_inKeyboard)
            return document.keyboardEditor() ? document.keyboardEditor()->nameShown() : "";
        return document.pistonEditor() ? document.pistonEditor()->labelShown() : "";
    }

    void runMenu(const std::string& entry, int index) {
        Document& d = m_session.document();
        static const std::map<std::string, void (Document::*)(int)> entries{
            {"mnuPistonCopy", &Document::copyPiston},
            {"mnuPistonPaste", &Document::pastePiston},
            {"mnuPistonClear", &Document::clearPiston},
            {"mnuManualSettingsCopy", &Document::copyManualSettings},
            {"mnuManualSettingsPaste", &Document::pasteManualSettings},
            {"mnuManualCopy", &Document::copyManual},
            {"mnuManualPaste", &Document::pasteManual}};
        (d.*entries.at(entry))(index);
    }

    web::WebSession m_session;
    nlohmann::json m_view;
    nlohmann::json m_lists;
    bool m_inKeyboard = false;
    std::optional<std::string> m_typed;
    std::vector<std::string> m_refusals;
};

// ---- The window: its buttons, dialogs, menus and overview, offscreen.

class SharedEdits : public test::AppFixture, public ::testing::WithParamInterface<EditCase> {
protected:
    Outcome runInTheWindow(const EditCase& edits) {
        const QString file = folders.paths.documentsFolder + QStringLiteral("/organ.zkt");
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(QByteArray::fromStdString(organText()));
        out.close();
        app.document().open(file);
        const std::vector<Step>& steps = edits.steps;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const Step& step = steps[i];
            if (step.what == Step::Do::openPiston || step.what == Step::Do::openKeyboard) {
                // The dialog's own steps, up to the one that closes it, are taken inside its loop.
                std::size_t end = i + 1;
                while (end < steps.size() && steps[end].what != Step::Do::openPiston &&
                       steps[end].what != Step::Do::openKeyboard && steps[end].what != Step::Do::menu &&
                       steps[end].what != Step::Do::overviewLabel && steps[end].what != Step::Do::undo &&
                       steps[end].what != Step::Do::redo)
                    ++end;
                const std::vector<Step> inside(steps.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                               steps.begin() + static_cast<std::ptrdiff_t>(end));
                if (step.what == Step::Do::openPiston) {
                    test::onNextModal<PistonEditor>(
                        [&](PistonEditor* dialog) { playInDialog(*dialog, inside); });
                    button(test::nameOf("cmdPiston", step.index)).click();
                } else {
                    test::onNextModal<KeyboardEditor>(
                        [&](KeyboardEditor* dialog) { playInDialog(*dialog, inside); });
                    entry(test::nameOf("picKeyboard", step.index), "mnuManualEdit").trigger();
                }
                i = end - 1;
                continue;
            }
            takeInTheWindow(step);
        }
        return {app.model(), m_refusals, app.configuration().history().undoName(),
                app.configuration().history().redoName()};
    }

private:
    QPushButton& button(const QString& name) {
        return test::widgetNamed<QPushButton>(app.mainWindow(), name);
    }
    QAction& entry(const QString& widget, const char* name) {
        return test::widgetNamed<QAction>(test::widgetNamed<QWidget>(app.mainWindow(), widget),
                                          QLatin1String(name));
    }

    void playInDialog(QDialog& dialog, const std::vector<Step>& steps) {
        for (const Step& step : steps) {
            const QString name = QString::fromStdString(step.input);
            switch (step.what) {
            case Step::Do::choose:
                test::chooseText(test::widgetNamed<QComboBox>(dialog, name),
                                 QString::fromStdString(step.text));
                break;
            case Step::Do::check:
                test::widgetNamed<QCheckBox>(dialog, name).setChecked(step.on);
                break;
            case Step::Do::type:
                test::widgetNamed<QLineEdit>(dialog, name).setText(QString::fromStdString(step.text));
                break;
            case Step::Do::save: {
                test::clickButton(dialog, "cmdOK");
                const auto& why = test::widgetNamed<QLabel>(dialog, QStringLiteral("lblSaveRefused"));
                if (dialog.isVisible() && why.isVisibleTo(&dialog))
                    m_refusals.push_back(why.text().toStdString());
                break;
            }
            default:
                test::clickButton(dialog, "cmdCancel");
                break;
            }
        }
        // A dialog whose last Save was refused is closed as its user would close it.
        if (dialog.isVisible())
            test::clickButton(dialog, "cmdCancel");
    }

    void takeInTheWindow(const Step& step) {
        switch (step.what) {
        case Step::Do::menu: {
            const bool piston = step.input.rfind("mnuPiston", 0) == 0;
            entry(test::nameOf(piston ? "cmdPiston" : "picKeyboard", step.index), step.input.c_str())
                .trigger();
            break;
        }
        case Step::Do::overviewLabel: {
            PistonOverviewModel& rows = app.mainWindow().pistonOverview().rows();
            rows.setData(rows.index(rows.rowOf(step.index), PistonOverviewModel::labelColumn),
                         QString::fromStdString(step.text), Qt::EditRole);
            break;
        }
        case Step::Do::undo:
            test::widgetNamed<QAction>(app.mainWindow(), QStringLiteral("mnuUndo")).trigger();
            break;
        default:
            test::widgetNamed<QAction>(app.mainWindow(), QStringLiteral("mnuRedo")).trigger();
            break;
        }
    }

    std::vector<std::string> m_refusals;
};

TEST_P(SharedEdits, BothFrontEndsStoreTheSameAndRefuseInTheSameWords) {
    ASSERT_NO_FATAL_FAILURE(startWithNothingToOpen());
    const Outcome window = runInTheWindow(GetParam());
    PageEdits page;
    const Outcome browser = page.run(GetParam());
    EXPECT_TRUE(sameConfiguration(window.model, browser.model));
    EXPECT_EQ(window.model.names, browser.model.names);
    EXPECT_EQ(window.refusals, browser.refusals);
    EXPECT_EQ(window.refusals.size(), GetParam().refusals);
    EXPECT_EQ(window.undoName, browser.undoName);
    EXPECT_EQ(window.redoName, browser.redoName);
    // And the edits were made: the configuration is not the file any more, save for a cancel.
    ConfigModel opened;
    ConfigFileCheck ignored;
    readConfigurationText(organText(), "organ.zkt", opened, ignored);
    EXPECT_EQ(sameConfiguration(window.model, opened) && window.model.names == opened.names,
              GetParam().name == "what is cancelled is not stored")
        << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Table, SharedEdits, ::testing::ValuesIn(sharedCases()), [](const auto& info) {
    std::string name;
    for (const char c : info.param.name)
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
});

} // namespace
} // namespace zkt
