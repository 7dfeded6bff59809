#pragma once
// The keyboard settings dialog (frmMIDIChannels): everything of one manual that is not a
// piston, its name included, drawn from the model's keyboard form (keyboard_form.h), which holds
// every rule: what each input holds and enables, and what "Save" stores or refuses. Every opening
// starts a new form on the model; only the chosen page carries over.

#include "editors/keyboard_pages.h"
#include "model/config_model.h"
#include "model/keyboard_form.h"

#include <QDialog>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;

namespace zkt {

class KeyboardEditor : public QDialog {
    Q_OBJECT
public:
    static constexpr int rightOfCentreTwips = 1200;
    static constexpr int belowCentreTwips = 200;

    explicit KeyboardEditor(ConfigModel& model, QWidget* parent = nullptr);

    // Shows the dialog modally on manualIndex (0..4) and returns once "Save" or "Cancel" has
    // hidden it. Other indices are ignored.
    void editKeyboard(int manualIndex);

    // The opening steps without the modal loop. Returns false, changing nothing, for an
    // index outside 0..4.
    bool prepare(int manualIndex);

    int manualIndex() const { return m_form ? m_form->manualIndex() : 0; }
    int chosenPage() const { return m_chosenPage; }

private:
    void connectInputs();
    // Hands a change of the user's to the form and draws what it leaves.
    void change(const std::function<void(KeyboardForm&)>& edit);
    void draw();
    void drawChannelRow(int c);
    void choosePage(int page);
    void save();

    ConfigModel& m_model;
    KeyboardPages m_pages;
    QLabel* m_lblMIDIChannels = nullptr;
    QLineEdit* m_txtManualName = nullptr;
    QLabel* m_lblSaveRefused = nullptr;
    std::optional<KeyboardForm> m_form;
    bool m_drawing = false;
    int m_chosenPage = channelSettingsPage;
};

} // namespace zkt
