#include "web/midi_setup_view.h"

#include "link/midi_setup_texts.h"
#include "link/port_names.h"

#include <algorithm>
#include <map>

namespace zkt::web {

namespace {

using nlohmann::json;

// Where a device is in the desktop's lists, which number inputs from 1 and outputs from 2 (after
// the default output): only the label decides, but a choice must read as made.
std::int16_t listPosition(const std::vector<std::string>& labels, const std::string& label, int first) {
    if (label.empty())
        return 0;
    const auto found = std::find(labels.begin(), labels.end(), label);
    return static_cast<std::int16_t>(first + (found == labels.end() ? 0 : found - labels.begin()));
}

bool connected(const std::vector<std::string>& labels, const std::string& label) {
    return std::find(labels.begin(), labels.end(), label) != labels.end();
}

// What the browser calls each device, told apart where two have the same name.
json devicesView(const std::vector<std::string>& names, const std::vector<std::string>& labels) {
    json devices = json::array();
    std::map<std::string, int> seen;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const int occurrence = ++seen[names[i]];
        const std::string shown =
            occurrence == 1 ? names[i] : names[i] + " (" + std::to_string(occurrence) + ")";
        devices.push_back({{"name", shown}, {"label", labels[i]}});
    }
    return devices;
}

} // namespace

json midiSetupView(const MidiSelection& selection, const MidiPort& port) {
    const std::vector<std::string> inputNames = port.inputNames();
    const std::vector<std::string> outputNames = port.outputNames();
    const std::vector<std::string> inputs = portLabels(inputNames);
    const std::vector<std::string> outputs = portLabels(outputNames);
    const bool inputThere = connected(inputs, selection.inputName);
    const bool outputThere = connected(outputs, selection.outputName);
    const json missing = midisetuptext::missingDeviceLines(inputThere ? "" : selection.inputName,
                                                           outputThere ? "" : selection.outputName, true);
    return {{"inputs", devicesView(inputNames, inputs)},
            {"outputs", devicesView(outputNames, outputs)},
            {"input", inputThere ? selection.inputName : ""},
            {"output", outputThere ? selection.outputName : ""},
            {"missing", std::move(missing)}};
}

void chooseDevices(MidiSelection& selection, const MidiPort& port, const std::string& input,
                   const std::string& output) {
    selection.inputName = input;
    selection.outputName = output;
    selection.midiInSelection = listPosition(portLabels(port.inputNames()), input, 1);
    selection.midiOutSelection = listPosition(portLabels(port.outputNames()), output, 2);
    selection.savedMidiIn = selection.midiInSelection;
    selection.savedMidiOut = selection.midiOutSelection;
    selection.midiSetupCancelled = false;
    selection.portsOpen = false;
}

} // namespace zkt::web
