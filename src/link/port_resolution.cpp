#include "link/port_resolution.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"
#include "link/port_names.h"

namespace zkt {

namespace {

std::string present(const std::vector<std::string>& labels) {
    if (labels.empty())
        return tr("none is connected");
    std::string quoted;
    for (std::size_t i = 0; i < labels.size(); ++i)
        quoted += (i == 0 ? "\"" : ", \"") + labels[i] + "\"";
    return formatText(tr("connected: %1"), quoted);
}

ResolvedPort byLabel(const std::string& label, const std::vector<std::string>& names, bool input) {
    const auto device = findPort(names, label);
    if (!device) {
        throw MidiError(formatText(input ? tr("The MIDI input \"%1\" is not connected (%2).")
                                         : tr("The MIDI output \"%1\" is not connected (%2)."),
                                   label, present(portLabels(names))));
    }
    return {*device, label, {}};
}

ResolvedPort byPosition(int device, const std::vector<std::string>& names, bool input) {
    if (names.empty())
        throw MidiError(input ? tr("There is no MIDI input device.") : tr("There is no MIDI output device."));
    const std::vector<std::string> labels = portLabels(names);
    if (device >= 0 && device < static_cast<int>(names.size()))
        return {device, labels[static_cast<std::size_t>(device)], {}};
    return {0, labels.front(),
            formatText(input ? tr("MIDI input #%1 is not there; using \"%2\" instead.")
                             : tr("MIDI output #%1 is not there; using \"%2\" instead."),
                       device + 1, labels.front())};
}

} // namespace

ResolvedPort resolveInput(const MidiSelection& selection, const std::vector<std::string>& names) {
    if (!selection.inputName.empty())
        return byLabel(selection.inputName, names, true);
    return byPosition(selection.midiInSelection - 1, names, true);
}

ResolvedPort resolveOutput(const MidiSelection& selection, const std::vector<std::string>& names) {
    if (!selection.outputName.empty())
        return byLabel(selection.outputName, names, false);
    if (selection.midiOutSelection == defaultOutputSelection) {
        ResolvedPort port = byPosition(0, names, false);
        port.label = defaultOutputLabel(names);
        return port;
    }
    return byPosition(selection.midiOutSelection - 2, names, false);
}

std::string defaultOutputLabel(const std::vector<std::string>& names) {
    if (names.empty())
        return "Default MIDI output (no device)";
    return "Default MIDI output (the first device, \"" + portLabels(names).front() + "\")";
}

} // namespace zkt
