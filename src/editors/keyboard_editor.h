#pragma once
// The keyboard settings dialog (frmMIDIChannels): everything of one manual that is not a
// piston, its name included, drawn from a keyboard form (keyboard_form.h), which holds every
// rule: what each input holds and enables, and what "Save" stores or refuses. Every opening draws
// a new form; only the chosen page carries over.

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

    // Stores what the form saves; false when it refuses, which leaves the refusal in the form.
    using Store = std::function<bool()>;

    // Shows the dialog modally on a form someone else holds (the document's open editor) and
    // returns once "Save", which asks store, or "Cancel" has hidden it.
    void edit(KeyboardForm& form, Store store);

    // The opening steps without the modal loop, on a form of the dialog's own over the model's
    // manual, which "Save" stores into the model. Returns false, changing nothing, for an index
    // outside 0..4.
    bool prepare(int manualIndex);

    int manualIndex() const { return m_form->manualIndex(); }
    int chosenPage() const { return m_chosenPage; }

private:
    void showForm(KeyboardForm& form, Store store);
    bool storeIntoModel();
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
    std::optional<KeyboardForm> m_ownForm;
    KeyboardForm* m_form = nullptr;
    Store m_store;
    bool m_drawing = false;
    int m_chosenPage = channelSettingsPage;
};

} // namespace zkt
