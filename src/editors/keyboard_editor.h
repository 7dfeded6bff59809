#pragma once
// The keyboard settings dialog (frmMIDIChannels): everything of one manual that is not a
// piston, its name included. Every opening reloads all inputs from the model; only the chosen
// page carries over. A stored value that a list has no entry for shows as no selection and is stored back as
// it was. "Save" refuses, saying why, a fixed velocity the program image would give back as another.

#include "editors/keyboard_pages.h"
#include "model/config_model.h"

#include <QDialog>
#include <cstdint>
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

    int manualIndex() const { return m_manualIndex; }
    int chosenPage() const { return m_chosenPage; }

private:
    std::size_t slotOf(int channelInManual) const;
    void loadGeneralSettings();
    void loadChannelRow(int c);
    void setChannelRowEnabled(int c, bool enabled);
    void updateControllerEnabled(int c);
    void choosePage(int page);
    void save();
    std::optional<std::uint8_t> velocityToStore(int c) const;
    // The first enabled channel (1..16) whose velocity the image cannot carry; 0 for none.
    int channelWithUncarriedVelocity() const;
    void saveChannelRows();
    void saveGeneralSettings();

    ConfigModel& m_model;
    KeyboardPages m_pages;
    QLabel* m_lblMIDIChannels = nullptr;
    QLineEdit* m_txtManualName = nullptr;
    QLabel* m_lblSaveRefused = nullptr;
    int m_manualIndex = 0;
    int m_chosenPage = channelSettingsPage;
};

} // namespace zkt
