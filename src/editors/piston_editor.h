#pragma once
// The piston assignment dialog (frmPiston): edits one piston and its label by drawing a piston
// form (piston_form.h), which holds every rule: what each input offers, holds and enables, what
// choosing changes and what "Save" stores or refuses. The dialog is made once and then only shown
// and hidden; each opening draws a new form, with the focus on the function list.

#include "editors/piston_panels.h"
#include "model/config_model.h"
#include "model/piston_form.h"

#include <QDialog>
#include <QRect>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;

namespace zkt {

class PistonEditor : public QDialog {
    Q_OBJECT
public:
    // Called with the piston index after every "Save", to refresh that piston's button.
    using SavedHandler = std::function<void(int pistonIndex)>;
    // The screen rectangle of a manual's row in the main window, by manualIndex.
    using ManualRowLocator = std::function<QRect(int manualIndex)>;

    static constexpr int designWidthTwips = 7320;
    static constexpr int belowManualRowTwips = 800;

    PistonEditor(ConfigModel& model, SavedHandler onSaved, QWidget* parent = nullptr);

    void setManualRowLocator(ManualRowLocator locator) { m_locateManualRow = std::move(locator); }

    // Stores what the form saves; false when it refuses, which leaves the refusal in the form.
    using Store = std::function<bool()>;

    // Shows the dialog modally on a form someone else holds (the document's open editor) and
    // returns once "Save", which asks store, or "Cancel" has hidden it.
    void edit(PistonForm& form, Store store);

    // The opening steps without the modal loop, on a form of the dialog's own over the model's
    // piston, which "Save" stores into the model: location line, note, label, placement and the
    // inputs of the piston's group. Returns false, changing nothing, for an index outside 0..99.
    bool prepare(int pistonIndex);

    int pistonIndex() const { return m_form->pistonIndex(); }

private:
    void showForm(PistonForm& form, Store store);
    bool storeIntoModel();
    void connectInputs();
    // Hands a change of the user's to the form and draws what it leaves.
    void change(const std::function<void(PistonForm&)>& edit);
    // Forwards a change of group g's panel while g is the group chosen.
    void changeOfGroup(int g, const std::function<void(PistonForm&)>& edit);
    void draw();
    void drawPanel(int group);
    void placeOverManualRow(int manualIndex);
    void save();

    ConfigModel& m_model;
    SavedHandler m_onSaved;
    ManualRowLocator m_locateManualRow;
    PistonPanels m_panels;
    QLabel* m_lblPiston = nullptr;
    QLineEdit* m_txtNote = nullptr;
    QLineEdit* m_txtLabel = nullptr;
    QLabel* m_lblSaveRefused = nullptr;
    std::optional<PistonForm> m_ownForm;
    PistonForm* m_form = nullptr;
    Store m_store;
    bool m_drawing = false;
};

} // namespace zkt
