// Every text of the start choice, the main window, both editors and the write dialog fits its control in every
// shipped language: German words are long, and a fixed layout clips them without a word.

#include "app/device/write_dialog.h"
#include "app/mainwindow/main_window.h"
#include "app/shell/start_choice_window.h"
#include "app/shell/window_language.h"
#include "app_test_support.h"
#include "editors/keyboard_editor.h"
#include "editors/piston_editor.h"
#include "i18n/language.h"
#include "model/example_organ.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace zkt {
namespace {

// "cmdOK \"Speichern\" needs 96 px, has 80": every shown label and button whose text its
// control cannot show whole.
std::vector<std::string> clippedTexts(const QWidget& top) {
    std::vector<std::string> clipped;
    const auto report = [&](const QWidget& widget, const QString& text, int needs, int has) {
        clipped.push_back(widget.objectName().toStdString() + " \"" + text.toStdString() + "\" needs " +
                          std::to_string(needs) + " px, has " + std::to_string(has));
    };
    for (const QWidget* widget : top.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&top))
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(widget); label != nullptr && !label->text().isEmpty()) {
            if (label->wordWrap()) {
                if (label->heightForWidth(label->width()) > label->height())
                    report(*label, label->text(), label->heightForWidth(label->width()), label->height());
            } else if (label->sizeHint().width() > label->width()) {
                report(*label, label->text(), label->sizeHint().width(), label->width());
            }
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget);
                   button != nullptr && !button->text().isEmpty() && button->sizeHint().width() > button->width()) {
            report(*button, button->text(), button->sizeHint().width(), button->width());
        }
    }
    return clipped;
}

class LayoutInEveryLanguage : public testing::TestWithParam<std::string_view> {
protected:
    LayoutInEveryLanguage() : language(GetParam()) {}
    ~LayoutInEveryLanguage() override { language.choose(englishLanguage); }

    void expectNothingClipped(QWidget& top, const std::string& where) {
        top.show();
        test::processEvents();
        const std::vector<std::string> clipped = clippedTexts(top);
        EXPECT_TRUE(clipped.empty()) << where << " in " << GetParam() << ":\n"
                                     << testing::PrintToString(clipped);
    }

    WindowLanguage language;
    ConfigModel model = exampleOrgan(3);
};

TEST_P(LayoutInEveryLanguage, TheMainWindowAtItsSmallestAndAt1280x720) {
    MainWindow window(model);
    window.refreshManualPanels();
    window.enableAllCommands();
    window.resize(window.minimumSize());
    expectNothingClipped(window, "the main window at its smallest");
    window.resize(1280, 720);
    expectNothingClipped(window, "the main window at 1280 x 720");
}

TEST_P(LayoutInEveryLanguage, TheStartChoice) {
    StartChoiceWindow choice;
    expectNothingClipped(choice, "the start choice");
}

TEST_P(LayoutInEveryLanguage, ThePistonEditorOnEveryFunction) {
    PistonEditor editor(model, [](int) {});
    // One piston of each group of the example: its panel, prompts and captions.
    for (int pistonIndex = 0; pistonIndex < 20; ++pistonIndex) {
        ASSERT_TRUE(editor.prepare(pistonIndex));
        expectNothingClipped(editor, "the piston editor on piston " + std::to_string(pistonIndex + 1));
    }
}

TEST_P(LayoutInEveryLanguage, BothPagesOfTheKeyboardEditor) {
    KeyboardEditor editor(model);
    ASSERT_TRUE(editor.prepare(0));
    expectNothingClipped(editor, "the keyboard editor's channels");
    auto* general = editor.findChild<QPushButton*>(QStringLiteral("tabMidiChannels_1"));
    ASSERT_NE(general, nullptr);
    general->click();
    expectNothingClipped(editor, "the keyboard editor's general settings");
}

TEST_P(LayoutInEveryLanguage, TheWriteDialog) {
    WriteDialog dialog(nullptr);
    test::onNextModal<WriteDialog>([&](WriteDialog* shown) {
        expectNothingClipped(*shown, "the write dialog");
        shown->reject();
    });
    dialog.ask({}, {"Manual 2 is written (1 of 4 chunks): 1 setting changes:"});
}

INSTANTIATE_TEST_SUITE_P(, LayoutInEveryLanguage, testing::ValuesIn(shippedLanguages()),
                         [](const testing::TestParamInfo<std::string_view>& info) { return std::string(info.param); });

} // namespace
} // namespace zkt
