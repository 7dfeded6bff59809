#include "link/port_resolution.h"

#include "link/port_names.h"

namespace zkt {

namespace {

std::string present(const std::vector<std::string>& labels) {
    if (labels.empty())
        return "none is connected";
    std::string text = "connected: ";
    for (std::size_t i = 0; i < labels.size(); ++i)
        text += (i == 0 ? "\"" : ", \"") + labels[i] + "\"";
    return text;
}

ResolvedPort byLabel(const std::string& label, const std::vector<std::string>& names, const char* direction) {
    const auto device = findPort(names, label);
    if (!device) {
        throw MidiError("The MIDI " + std::string(direction) + " \"" + label + "\" is not connected (" +
                        present(portLabels(names)) + ").");
    }
    return {*device, label, {}};
}

ResolvedPort byPosition(int device, const std::vector<std::string>& names, const char* direction) {
    if (names.empty())
        throw MidiError("There is no MIDI " + std::string(direction) + " device.");
    const std::vector<std::string> labels = portLabels(names);
    if (device >= 0 && device < static_cast<int>(names.size()))
        return {device, labels[static_cast<std::size_t>(device)], {}};
    return {0, labels.front(),
            "MIDI " + std::string(direction) + " #" + std::to_string(device + 1) + " is not there; using \"" +
                labels.front() + "\" instead."};
}

} // namespace

ResolvedPort resolveInput(const MidiSelection& selection, const std::vector<std::string>& names) {
    if (!selection.inputName.empty())
        return byLabel(selection.inputName, names, "input");
    return byPosition(selection.midiInSelection - 1, names, "input");
}

ResolvedPort resolveOutput(const MidiSelection& selection, const std::vector<std::string>& names) {
    if (!selection.outputName.empty())
        return byLabel(selection.outputName, names, "output");
    if (selection.midiOutSelection == defaultOutputSelection) {
        ResolvedPort port = byPosition(0, names, "output");
        port.label = defaultOutputLabel(names);
        return port;
    }
    return byPosition(selection.midiOutSelection - 2, names, "output");
}

std::string defaultOutputLabel(const std::vector<std::string>& names) {
    if (names.empty())
        return "Default MIDI output (no device)";
    return "Default MIDI output (the first device, \"" + portLabels(names).front() + "\")";
}

} // namespace zkt
