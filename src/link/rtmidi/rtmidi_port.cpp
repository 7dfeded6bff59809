#include "link/rtmidi/rtmidi_port.h"

#include "link/channel_message.h"
#include "link/midi_reassembler.h"

#include <RtMidi.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <mutex>
#include <thread>

namespace zkt {

namespace {

constexpr std::uint8_t sysExStart = 0xF0;
constexpr std::uint8_t sysExEnd = 0xF7;
constexpr const char* alsaSequencerDevice = "/dev/snd/seq";

RtMidi::Api rtMidiApi(MidiApi api) {
    return api == MidiApi::jack ? RtMidi::UNIX_JACK : RtMidi::LINUX_ALSA;
}

std::string apiLabel(MidiApi api) {
    return api == MidiApi::jack ? "JACK" : "ALSA";
}

} // namespace

struct RtMidiPort::Impl {
    MidiApi api = MidiApi::alsa;
    ErrorHandler onError;
    // Our own client's ports appear in the lists too; they are never the device.
    std::string clientName;

    // Errors RtMidi raises during one of our own calls become that call's MidiError; the
    // rest go to onError. Guarded by errorMutex. While sending, a warning is a failure too:
    // the ALSA sequencer reports a message it could not deliver only as a warning.
    std::mutex errorMutex;
    std::thread::id collectingThread;
    bool warningsFail = false;
    std::string collected;

    // Filled on RtMidi's thread, drained on the owner's. Guarded by receiveMutex.
    std::mutex receiveMutex;
    MidiReassembler reassembler;
    std::deque<Bytes> received;
    // Called on RtMidi's thread; notifyMutex keeps it from running while it is replaced or the
    // port is destroyed.
    std::mutex notifyMutex;
    std::function<void()> notify;

    bool inputOpen = false;
    bool outputOpen = false;

    // Last, so that they are destroyed first: their threads may still call back into the
    // members above until they are gone.
    std::unique_ptr<RtMidiIn> in;
    std::unique_ptr<RtMidiOut> out;

    static void onRtMidiError(RtMidiError::Type type, const std::string& text, void* self);
    static void onRtMidiInput(double, std::vector<unsigned char>* bytes, void* self);

    void beginCollecting(bool failOnWarnings = false);
    std::string endCollecting();
    // Positions in RtMidi's list of the devices that are not ours.
    template <typename Api> std::vector<unsigned> foreignPorts(Api& api) const;
    template <typename Api> std::vector<std::string> foreignNames(Api& api) const;
    template <typename Api> unsigned rtMidiPosition(Api& api, int device, const char* direction) const;
    void report(const std::string& text) const;
};

void RtMidiPort::Impl::onRtMidiError(RtMidiError::Type type, const std::string& text, void* self) {
    if (type == RtMidiError::DEBUG_WARNING) {
        return;
    }
    auto& impl = *static_cast<Impl*>(self);
    {
        std::lock_guard lock(impl.errorMutex);
        if (impl.collectingThread == std::this_thread::get_id()) {
            if (type != RtMidiError::WARNING || impl.warningsFail) {
                impl.collected += (impl.collected.empty() ? "" : "; ") + text;
            }
            return;
        }
    }
    impl.report((type == RtMidiError::WARNING ? "MIDI warning: " : "MIDI error: ") + text);
}

void RtMidiPort::Impl::onRtMidiInput(double, std::vector<unsigned char>* bytes, void* self) {
    if (bytes == nullptr) {
        return;
    }
    auto& impl = *static_cast<Impl*>(self);
    {
        std::lock_guard lock(impl.receiveMutex);
        std::vector<Bytes> complete = impl.reassembler.feed(*bytes);
        if (complete.empty()) {
            return;
        }
        for (Bytes& message : complete) {
            impl.received.push_back(std::move(message));
        }
    }
    // Outside the receive lock: the notifier may well drain the queue at once.
    std::lock_guard lock(impl.notifyMutex);
    if (impl.notify) {
        impl.notify();
    }
}

void RtMidiPort::Impl::beginCollecting(bool failOnWarnings) {
    std::lock_guard lock(errorMutex);
    collectingThread = std::this_thread::get_id();
    warningsFail = failOnWarnings;
    collected.clear();
}

std::string RtMidiPort::Impl::endCollecting() {
    std::lock_guard lock(errorMutex);
    collectingThread = std::thread::id();
    return std::move(collected);
}

void RtMidiPort::Impl::report(const std::string& text) const {
    if (onError) {
        onError(text);
    }
}

namespace {

// Opens both directions on one API, or throws RtMidiError.
void createOn(RtMidiPort::Impl& impl, MidiApi api, const std::string& clientName) {
    impl.in = std::make_unique<RtMidiIn>(rtMidiApi(api), clientName + " in");
    impl.out = std::make_unique<RtMidiOut>(rtMidiApi(api), clientName + " out");
    impl.api = api;
}

} // namespace

RtMidiPort::RtMidiPort(MidiApi api, const std::string& clientName, ErrorHandler onError)
    : m_impl(std::make_unique<Impl>()) {
    m_impl->onError = std::move(onError);
    const std::string uniqueName = clientName + "-" + std::to_string(::getpid());
    m_impl->clientName = uniqueName;
    try {
        if (api == MidiApi::automatic && !std::filesystem::exists(alsaSequencerDevice)) {
            // Containers and CI machines: asking ALSA anyway only fills stderr with its complaints.
            createOn(*m_impl, MidiApi::jack, uniqueName);
        } else if (api == MidiApi::automatic) {
            try {
                createOn(*m_impl, MidiApi::alsa, uniqueName);
            } catch (const RtMidiError& alsaError) {
                m_impl->report("ALSA sequencer not available (" + alsaError.getMessage() + "), using JACK");
                createOn(*m_impl, MidiApi::jack, uniqueName);
            }
        } else {
            createOn(*m_impl, api, uniqueName);
        }
    } catch (const RtMidiError& error) {
        throw MidiError(apiLabel(api == MidiApi::automatic ? MidiApi::jack : api) +
                        " MIDI is not available: " + error.getMessage());
    }
    m_impl->in->setErrorCallback(&Impl::onRtMidiError, m_impl.get());
    m_impl->out->setErrorCallback(&Impl::onRtMidiError, m_impl.get());
    // SysEx is the whole point, and the console's channel messages (which RtMidi never filters)
    // are checked and monitored; timing clock and active sensing are noise to us.
    m_impl->in->ignoreTypes(false, true, true);
    m_impl->in->setCallback(&Impl::onRtMidiInput, m_impl.get());
}

RtMidiPort::~RtMidiPort() {
    setReceiveNotifier({});
    closeInput();
    closeOutput();
}

template <typename Api> std::vector<unsigned> RtMidiPort::Impl::foreignPorts(Api& api) const {
    std::vector<unsigned> ports;
    const unsigned count = api.getPortCount();
    for (unsigned port = 0; port < count; ++port) {
        if (api.getPortName(port).rfind(clientName, 0) != 0)
            ports.push_back(port);
    }
    return ports;
}

template <typename Api> std::vector<std::string> RtMidiPort::Impl::foreignNames(Api& api) const {
    std::vector<std::string> names;
    for (unsigned port : foreignPorts(api))
        names.push_back(api.getPortName(port));
    return names;
}

std::vector<std::string> RtMidiPort::inputNames() const {
    return m_impl->foreignNames(*m_impl->in);
}

std::vector<std::string> RtMidiPort::outputNames() const {
    return m_impl->foreignNames(*m_impl->out);
}

namespace {

std::string deviceLabel(const std::vector<std::string>& names, int device) {
    if (device < 0 || device >= static_cast<int>(names.size())) {
        return std::to_string(device);
    }
    return std::to_string(device) + " (\"" + names[static_cast<std::size_t>(device)] + "\")";
}

void checkDevice(const std::vector<std::string>& names, int device, const std::string& direction) {
    if (device < 0 || device >= static_cast<int>(names.size())) {
        throw MidiError("MIDI " + direction + " " + std::to_string(device) + " does not exist (there are " +
                        std::to_string(names.size()) + ")");
    }
}

} // namespace

template <typename Api>
unsigned RtMidiPort::Impl::rtMidiPosition(Api& api, int device, const char* direction) const {
    const std::vector<unsigned> ports = foreignPorts(api);
    std::vector<std::string> names;
    for (unsigned port : ports)
        names.push_back(api.getPortName(port));
    checkDevice(names, device, direction);
    return ports[static_cast<std::size_t>(device)];
}

void RtMidiPort::openInput(int device) {
    const std::vector<std::string> names = inputNames();
    const unsigned position = m_impl->rtMidiPosition(*m_impl->in, device, "input");
    closeInput();
    m_impl->beginCollecting();
    m_impl->in->openPort(position, "input");
    const std::string failure = m_impl->endCollecting();
    if (!m_impl->in->isPortOpen() || !failure.empty()) {
        m_impl->in->closePort();
        throw MidiError("cannot open MIDI input " + deviceLabel(names, device) + ": " +
                        (failure.empty() ? "the port did not open" : failure));
    }
    m_impl->inputOpen = true;
}

void RtMidiPort::openOutput(int device) {
    const std::vector<std::string> names = outputNames();
    const unsigned position = m_impl->rtMidiPosition(*m_impl->out, device, "output");
    closeOutput();
    m_impl->beginCollecting();
    m_impl->out->openPort(position, "output");
    const std::string failure = m_impl->endCollecting();
    if (!m_impl->out->isPortOpen() || !failure.empty()) {
        m_impl->out->closePort();
        throw MidiError("cannot open MIDI output " + deviceLabel(names, device) + ": " +
                        (failure.empty() ? "the port did not open" : failure));
    }
    m_impl->outputOpen = true;
}

void RtMidiPort::openVirtualInput(const std::string& portName) {
    closeInput();
    m_impl->beginCollecting();
    m_impl->in->openVirtualPort(portName);
    const std::string failure = m_impl->endCollecting();
    if (!failure.empty()) {
        m_impl->in->closePort();
        throw MidiError("cannot create MIDI input \"" + portName + "\": " + failure);
    }
    m_impl->inputOpen = true;
}

void RtMidiPort::openVirtualOutput(const std::string& portName) {
    closeOutput();
    m_impl->beginCollecting();
    m_impl->out->openVirtualPort(portName);
    const std::string failure = m_impl->endCollecting();
    if (!failure.empty()) {
        m_impl->out->closePort();
        throw MidiError("cannot create MIDI output \"" + portName + "\": " + failure);
    }
    m_impl->outputOpen = true;
}

void RtMidiPort::closeInput() {
    if (m_impl->inputOpen) {
        m_impl->in->closePort();
        m_impl->inputOpen = false;
    }
    // A message cut off by the close must not be completed by bytes from the next opening.
    std::lock_guard lock(m_impl->receiveMutex);
    m_impl->reassembler.reset();
}

void RtMidiPort::closeOutput() {
    if (m_impl->outputOpen) {
        m_impl->out->closePort();
        m_impl->outputOpen = false;
    }
}

bool RtMidiPort::isInputOpen() const {
    return m_impl->inputOpen;
}
bool RtMidiPort::isOutputOpen() const {
    return m_impl->outputOpen;
}

void RtMidiPort::sendSysEx(std::span<const std::uint8_t> message) {
    if (!m_impl->outputOpen) {
        throw MidiError("cannot send: the MIDI output is not open");
    }
    if (message.size() < 2 || message.front() != sysExStart || message.back() != sysExEnd) {
        throw MidiError("cannot send: not one SysEx message (F0 .. F7), " + std::to_string(message.size()) +
                        " bytes");
    }
    m_impl->beginCollecting(true);
    m_impl->out->sendMessage(message.data(), message.size());
    const std::string failure = m_impl->endCollecting();
    if (!failure.empty()) {
        throw MidiError("sending a " + std::to_string(message.size()) +
                        "-byte SysEx message failed: " + failure);
    }
}

void RtMidiPort::sendChannelMessage(std::span<const std::uint8_t> message) {
    if (!m_impl->outputOpen) {
        throw MidiError("cannot send: the MIDI output is not open");
    }
    if (!channelMessageOf(message)) {
        throw MidiError("cannot send: not one channel message, " + std::to_string(message.size()) + " bytes");
    }
    m_impl->beginCollecting(true);
    m_impl->out->sendMessage(message.data(), message.size());
    const std::string failure = m_impl->endCollecting();
    if (!failure.empty()) {
        throw MidiError("sending a channel message failed: " + failure);
    }
}

std::optional<std::vector<std::uint8_t>> RtMidiPort::takeReceived() {
    std::lock_guard lock(m_impl->receiveMutex);
    if (m_impl->received.empty()) {
        return std::nullopt;
    }
    Bytes message = std::move(m_impl->received.front());
    m_impl->received.pop_front();
    return message;
}

void RtMidiPort::setReceiveNotifier(std::function<void()> notify) {
    std::lock_guard lock(m_impl->notifyMutex);
    m_impl->notify = std::move(notify);
}

MidiApi RtMidiPort::api() const {
    return m_impl->api;
}

} // namespace zkt
