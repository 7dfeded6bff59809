#include "model/edit_step_texts.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"
#include "model/console_names.h"
#include "model/piston_description.h"

namespace zkt {

namespace {

int manualNumber(int manualIndex) {
    return manualIndex + 1;
}

std::string pistonLocation(int pistonIndex) {
    return formatText(tr("Manual %1, piston %2"), manualNumber(pistonIndex / pistonsPerManual),
                      pistonIndex % pistonsPerManual + 1);
}

std::string whatItDoes(const pistonInfo& piston) {
    const std::string description = describePiston(piston);
    if (!description.empty())
        return description;
    return piston.functionGroup == 0 ? tr("vocabulary", "Unassigned")
                                     : formatText(tr("function group %1"), piston.functionGroup);
}

} // namespace

std::string pistonEditStep(int pistonIndex, const pistonInfo& piston) {
    return formatText(tr("%1: %2"), pistonLocation(pistonIndex), whatItDoes(piston));
}

std::string pistonPasteStep(int pistonIndex, const pistonInfo& piston) {
    return formatText(tr("Paste onto %1"), pistonEditStep(pistonIndex, piston));
}

std::string pistonLabelStep(int pistonIndex, const std::string& label) {
    return formatText(tr("Label of %1: %2"), pistonLocation(pistonIndex), label.empty() ? tr("(none)") : oneLine(label));
}

std::string pistonClearStep(int pistonIndex) {
    return formatText(tr("Clear %1"), pistonLocation(pistonIndex));
}

std::string keyboardEditStep(int manualIndex) {
    return formatText(tr("Manual %1 keyboard settings"), manualNumber(manualIndex));
}

std::string manualSettingsPasteStep(int fromManualIndex, int toManualIndex) {
    return formatText(tr("Paste Manual Settings of Manual %1 onto Manual %2"), manualNumber(fromManualIndex),
                      manualNumber(toManualIndex));
}

std::string manualPasteStep(int fromManualIndex, int toManualIndex) {
    return formatText(tr("Paste Manual %1 onto Manual %2"), manualNumber(fromManualIndex), manualNumber(toManualIndex));
}

std::string fileOpenStep(const std::string& fileName) {
    return formatText(tr("Open %1"), fileName);
}

std::string deviceLoadStep() {
    return tr("Load Current Settings from the ZKT");
}

} // namespace zkt
