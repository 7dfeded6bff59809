#pragma once
// How an undoable step is named in the Edit menu ("Undo " + name), in the current language:
// where it happened and, for a piston, what the piston does afterwards.

#include "model/config_model.h"

#include <string>

namespace zkt {

// "Manual 2, piston 5: Program Change #12 on MIDI Channel 1" (pistonIndex 24).
std::string pistonEditStep(int pistonIndex, const pistonInfo& piston);
// "Paste onto Manual 2, piston 5: ..." with what the piston does now.
std::string pistonPasteStep(int pistonIndex, const pistonInfo& piston);
// "Label of Manual 2, piston 5: General 5", or ": (none)" for a label taken away.
std::string pistonLabelStep(int pistonIndex, const std::string& label);
// "Clear Manual 2, piston 5".
std::string pistonClearStep(int pistonIndex);
// "Manual 2 keyboard settings".
std::string keyboardEditStep(int manualIndex);
// "Paste Manual Settings of Manual 1 onto Manual 3".
std::string manualSettingsPasteStep(int fromManualIndex, int toManualIndex);
// "Paste Manual 1 onto Manual 3".
std::string manualPasteStep(int fromManualIndex, int toManualIndex);
// "Open organ.zkt".
std::string fileOpenStep(const std::string& fileName);

// The configuration read from the ZKT.
std::string deviceLoadStep();

} // namespace zkt
