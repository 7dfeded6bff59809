// Renders both editors on the example organ into PNG files for the user guide:
//   zkt_editor_screenshots <output folder>
// Run it on a real display server (for example under xvfb-run) so that the pictures show the
// fonts and style the user sees.

#include "editors/keyboard_editor.h"
#include "editors/piston_editor.h"
#include "model/example_organ.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <cstdio>

namespace {

bool saveShot(QWidget& dialog, const QDir& folder, const char* fileName) {
    dialog.show();
    QApplication::processEvents();
    const QString path = folder.filePath(QLatin1String(fileName));
    if (!dialog.grab().save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "could not create %s\n", argv[1]);
        return 1;
    }

    zkt::ConfigModel model = zkt::exampleOrgan(2);
    constexpr int bankSelectPiston = zkt::pistonIndexOf(0, 6);
    constexpr int larkmoorPiston = zkt::pistonIndexOf(1, 3);
    model.pistons[bankSelectPiston] = {.functionGroup = 9,
                                       .midiChannel = 3,
                                       .programNumber = 12,
                                       .bankSelMSBFlag = true,
                                       .bankSelProgramFlag = true,
                                       .bankSelMSB = 5};
    model.pistons[larkmoorPiston] = {.functionGroup = 14, .functionType = 22, .midiChannel = 3};

    bool written = true;
    zkt::PistonEditor pistonEditor(model, {});
    pistonEditor.prepare(bankSelectPiston);
    written &= saveShot(pistonEditor, folder, "piston_editor_bank_select.png");
    pistonEditor.prepare(larkmoorPiston);
    written &= saveShot(pistonEditor, folder, "piston_editor_larkmoor.png");
    pistonEditor.hide();

    zkt::KeyboardEditor keyboardEditor(model);
    keyboardEditor.prepare(0);
    written &= saveShot(keyboardEditor, folder, "keyboard_editor_channels.png");
    keyboardEditor.findChild<QPushButton*>(QStringLiteral("tabMidiChannels_1"))->click();
    written &= saveShot(keyboardEditor, folder, "keyboard_editor_general.png");
    return written ? 0 : 1;
}
