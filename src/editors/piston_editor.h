#pragma once
// The piston assignment dialog (frmPiston): edits one pistonInfo of the model. It is made
// once and then only shown and hidden; choosing a group starts its inputs from the piston being
// edited (startingAssignment), never from the piston edited before. A stored value that a list
// has no entry for shows as no selection and is stored back as it was. "Save" refuses, saying
// why, a piston its program image could not carry as shown. The piston's label is edited here
// too.

#include "editors/piston_panels.h"
#include "model/config_model.h"
#include "model/function_group_rules.h"

#include <QDialog>
#include <QRect>
#include <functional>

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

    // Shows the dialog modally on pistonIndex (0..99) and returns once "Save" or "Cancel"
    // has hidden it. Other indices have no piston button and are ignored.
    void editPiston(int pistonIndex);

    // The opening steps without the modal loop: location line, note, placement and the
    // inputs of the piston's group. Returns false, changing nothing, for an index outside 0..99.
    bool prepare(int pistonIndex);

    int pistonIndex() const { return m_pistonIndex; }

private:
    pistonInfo& record();
    void showRecord();
    void chooseGroup(int group);
    void loadInputs(const pistonInfo& piston);
    void loadBankSelectRows(const pistonInfo& piston);
    void loadNumSelection(const pistonInfo& piston);
    void showGroupPanel(int group);
    // Shows the NUM list of the CASE; false when the CASE has none.
    bool fillNumList(int caseIndex);
    void placeOverManualRow(int manualIndex);
    void save();
    void storeTypeAndChannel(const FunctionGroupRule& rule, int group, bool regrouped,
                             pistonInfo& piston) const;
    void storeGroupValues(const FunctionGroupRule& rule, int group, pistonInfo& piston) const;

    ConfigModel& m_model;
    SavedHandler m_onSaved;
    ManualRowLocator m_locateManualRow;
    PistonPanels m_panels;
    QLabel* m_lblPiston = nullptr;
    QLineEdit* m_txtNote = nullptr;
    QLineEdit* m_txtLabel = nullptr;
    QLabel* m_lblSaveRefused = nullptr;
    int m_pistonIndex = 0;
    int m_numListShown; // index into the NUM lists; lives as long as the dialog
};

} // namespace zkt
