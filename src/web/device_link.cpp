#include "web/device_link.h"

#include "document/write_start.h"
#include "link/port_names.h"
#include "link/port_resolution.h"
#include "model/backup_store.h"
#include "model/config_file.h"
#include "web/midi_setup_view.h"

#include <chrono>

namespace zkt::web {

namespace {

using nlohmann::json;

SimulationOptions simulation() {
    SimulationOptions options;
    options.mcuCount = DeviceLink::simulatedManuals;
    return options;
}

const char* outcomeName(SafeWrite::Outcome outcome) {
    switch (outcome) {
    case SafeWrite::Outcome::verified:
        return "verified";
    case SafeWrite::Outcome::written:
        return "written";
    case SafeWrite::Outcome::nothingToWrite:
        return "nothingToWrite";
    case SafeWrite::Outcome::differs:
        return "differs";
    case SafeWrite::Outcome::failed:
        return "failed";
    case SafeWrite::Outcome::cancelled:
        return "cancelled";
    case SafeWrite::Outcome::none:
        break;
    }
    return "none";
}

// Where the device with this label is in the list, -1 when it is not there.
int positionOf(const std::vector<std::string>& names, const std::string& label) {
    if (label.empty())
        return -1;
    return findPort(names, label).value_or(-1);
}

} // namespace

WriteOptions writeOptionsFrom(const json& options) {
    WriteOptions chosen;
    chosen.backup = options.value("backup", chosen.backup);
    chosen.onlyChanged = options.value("onlyChanged", chosen.onlyChanged);
    chosen.verify = options.value("verify", chosen.verify);
    chosen.verifyAll = options.value("verifyAll", chosen.verifyAll);
    return chosen;
}

json writeOptionsView(const WriteOptions& options) {
    return {{"backup", options.backup},
            {"onlyChanged", options.onlyChanged},
            {"verify", options.verify},
            {"verifyAll", options.verifyAll}};
}

DeviceLink::DeviceLink(WebSession& session, PageMidi page, const Clock& clock)
    : m_session(session), m_clock(clock), m_browser(std::make_shared<WebMidiPort>(std::move(page))),
      m_simulation(std::make_shared<SimulatedChain>(clock, simulation())),
      m_ports({{m_browser, {}}, {m_simulation, {}}}), m_observed(m_ports, clock),
      m_events([this](const TransferOutcome& outcome) { transferFinished(outcome); }),
      m_organ(m_model, m_model, m_observed, clock, m_events,
              LinkNotices{{}, [this](const std::string& text) { m_events.add({{"type", "message"}, {"text", text}}); }},
              [this](const std::vector<Bytes>& images) { return keepBackup(images); }),
      m_traffic(m_observed, clock), m_consoleCheck(m_organ, session, *m_simulation, clock) {
    m_organ.onWritePhase([this](SafeWrite::Phase phase) { writePhaseReached(phase); });
}

void DeviceLink::setDevices(std::vector<std::string> inputs, std::vector<std::string> outputs) {
    m_browser->setDevices(std::move(inputs), std::move(outputs));
}

void DeviceLink::received(std::span<const std::uint8_t> bytes) {
    m_browser->receive(bytes);
    drain();
}

json DeviceLink::setupView() const {
    return midiSetupView(m_organ.engine().selection(), m_observed);
}

void DeviceLink::chooseDevices(const std::string& input, const std::string& output) {
    web::chooseDevices(m_organ.engine().selection(), m_observed, input, output);
}

json DeviceLink::chosenDevices() const {
    const MidiSelection& selection = m_organ.engine().selection();
    return {{"input", positionOf(m_observed.inputNames(), selection.inputName)},
            {"output", positionOf(m_observed.outputNames(), selection.outputName)}};
}

bool DeviceLink::startLoad() {
    if (m_organ.busy())
        return false;
    // Fields an image does not mention keep what the configuration holds, as on the desktop.
    m_model = m_session.model();
    return m_organ.startLoad();
}

nlohmann::json DeviceLink::writeStart(const WriteOptions& options) const {
    const WriteStart begin = zkt::writeStart(m_session.model(), options);
    const char* first = begin.first == WriteStart::First::refuse ? "refuse"
                        : begin.first == WriteStart::First::ask  ? "ask"
                                                                 : "readFirst";
    return {{"first", first}, {"refusal", begin.refusal}};
}

bool DeviceLink::startWrite(WriteOptions options) {
    if (m_organ.busy() || !m_organ.engine().selection().midiConfigured())
        return false;
    m_model = m_session.model();
    options.confirmBeforeWriting = true;
    return m_organ.startWrite(options);
}

void DeviceLink::confirmWrite(const WriteOptions& chosen) {
    m_organ.confirmWrite(chosen);
}

void DeviceLink::writeWithoutBackup() {
    m_organ.writeWithoutBackup();
}

void DeviceLink::cancel() {
    m_organ.cancel();
}

bool DeviceLink::startLinkCheck() {
    if (m_organ.writeRunning())
        return false;
    if (const auto listening = m_organ.transferRefusal()) {
        m_checkRefusal = *listening;
        return false;
    }
    const auto refusal = m_organ.linkCheck().start();
    m_checkRefusal = refusal ? linkCheckRefusalText(*refusal, "the MIDI setup.") : std::string();
    return !refusal;
}

void DeviceLink::stopLinkCheck() {
    m_organ.linkCheck().stop();
}

json DeviceLink::linkCheckView() const {
    return web::linkCheckView(m_organ.linkCheck(), describeChosenPorts(m_organ.engine().selection(), m_observed),
                              m_checkRefusal);
}

Micros DeviceLink::tick() {
    if (const auto hold = m_organ.holdTick())
        return *hold;
    advanceSimulation();
    return m_organ.tick();
}

std::optional<Micros> DeviceLink::simulationDue() const {
    const auto next = m_simulation->nextEventTime();
    if (!next)
        return std::nullopt;
    return std::max(Micros{0}, *next - m_clock.now());
}

void DeviceLink::advanceSimulation() {
    m_simulation->advance();
    drain();
}

void DeviceLink::drain() {
    m_organ.drainReceived();
}

void DeviceLink::writePhaseReached(SafeWrite::Phase phase) {
    const SafeWrite& write = m_organ.write();
    switch (phase) {
    case SafeWrite::Phase::awaitingConfirmation:
        m_events.add({{"type", "confirmWrite"},
                      {"lines", write.plan().describe()},
                      {"options", writeOptionsView(write.options())}});
        break;
    case SafeWrite::Phase::readFailed:
        m_events.add({{"type", "readFailed"}, {"reason", write.report().front()}});
        break;
    case SafeWrite::Phase::finished:
        // What the organ holds is no file: the document stays as it is, unsaved changes and all.
        m_events.add(
            {{"type", "writeFinished"}, {"outcome", outcomeName(write.outcome())}, {"report", write.report()}});
        break;
    default:
        break;
    }
}

void DeviceLink::transferFinished(const TransferOutcome& outcome) {
    if (outcome.result == TransferOutcome::Result::succeeded && outcome.kind == TransferKind::load &&
        outcome.purpose == LoadPurpose::edit) {
        m_session.document().takeFromOrgan(m_model);
        m_events.add({{"type", "configurationLoaded"}});
    }
}

KeptBackup DeviceLink::keepBackup(const std::vector<Bytes>& images) {
    const std::string name = backupStamp(std::chrono::system_clock::now()) + ".zkt";
    m_events.add({{"type", "backup"},
                  {"name", name},
                  {"takenAt", readableBackupStamp(name)},
                  {"manuals", images.size()},
                  {"text", imagesText(images, name)}});
    return {name + " (kept in this browser)", false};
}

json DeviceLink::takeEvents() {
    return m_events.take();
}

json DeviceLink::state() const {
    return {{"busy", m_organ.busy()},
            {"devicesChosen", m_organ.engine().selection().midiConfigured()},
            {"writing", m_organ.writeRunning()}};
}

} // namespace zkt::web
