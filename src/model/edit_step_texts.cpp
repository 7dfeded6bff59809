#include "model/edit_step_texts.h"

#include "model/console_names.h"
#include "model/piston_description.h"

namespace zkt {

namespace {

std::string manualName(int manualIndex) {
    return "Manual " + std::to_string(manualIndex + 1);
}

std::string pistonLocation(int pistonIndex) {
    return manualName(pistonIndex / pistonsPerManual) + ", piston " +
           std::to_string(pistonIndex % pistonsPerManual + 1);
}

std::string whatItDoes(const pistonInfo& piston) {
    const std::string description = describePiston(piston);
    if (!description.empty())
        return description;
    return piston.functionGroup == 0 ? "Unassigned"
                                     : "function group " + std::to_string(piston.functionGroup);
}

} // namespace

std::string pistonEditStep(int pistonIndex, const pistonInfo& piston) {
    return pistonLocation(pistonIndex) + ": " + whatItDoes(piston);
}

std::string pistonPasteStep(int pistonIndex, const pistonInfo& piston) {
    return "Paste onto " + pistonEditStep(pistonIndex, piston);
}

std::string pistonLabelStep(int pistonIndex, const std::string& label) {
    return "Label of " + pistonLocation(pistonIndex) + ": " + (label.empty() ? "(none)" : oneLine(label));
}

std::string pistonClearStep(int pistonIndex) {
    return "Clear " + pistonLocation(pistonIndex);
}

std::string keyboardEditStep(int manualIndex) {
    return manualName(manualIndex) + " keyboard settings";
}

std::string manualSettingsPasteStep(int fromManualIndex, int toManualIndex) {
    return "Paste Manual Settings of " + manualName(fromManualIndex) + " onto " + manualName(toManualIndex);
}

std::string manualPasteStep(int fromManualIndex, int toManualIndex) {
    return "Paste " + manualName(fromManualIndex) + " onto " + manualName(toManualIndex);
}

std::string fileOpenStep(const std::string& fileName) {
    return "Open " + fileName;
}

} // namespace zkt
