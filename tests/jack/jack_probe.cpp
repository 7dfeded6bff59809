// Talks to a running zktsim (3 manuals, one-message responses) over JACK and checks that SysEx
// makes the round trip whole: the tag comes back counted, an identity request is answered, and
// a 305-byte program response arrives in one piece and unpacks to a full image.
//
//   jack_probe TO_SIMULATOR FROM_SIMULATOR     (parts of the simulator's port names)

#include "link/rtmidi/rtmidi_port.h"
#include "link/sysex_codec.h"
#include "model/hex_text.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <iostream>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

using namespace std::chrono_literals;
using zkt::Bytes;

// A bound on waiting for the server, not a measure of speed: answers take a few ms.
constexpr auto patience = 10s;
constexpr auto retryInterval = 1s;

// The simulator's ports may still be on their way into the server's graph.
int deviceContaining(const std::function<std::vector<std::string>()>& list, const std::string& part) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    std::vector<std::string> names;
    while (std::chrono::steady_clock::now() < deadline) {
        names = list();
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (names[i].find(part) != std::string::npos) {
                return static_cast<int>(i);
            }
        }
        std::this_thread::sleep_for(100ms);
    }
    std::string seen;
    for (const std::string& name : names) {
        seen += " \"" + name + "\"";
    }
    throw std::runtime_error("no MIDI port named like \"" + part + "\"; there are:" + seen);
}

class Probe {
public:
    Probe(const std::string& toSimulator, const std::string& fromSimulator)
        : m_port(zkt::MidiApi::jack, "zkt-probe", [](const std::string& e) { std::cerr << e << '\n'; }) {
        m_port.setReceiveNotifier([this] {
            std::lock_guard lock(m_mutex);
            m_arrived = true;
            m_condition.notify_all();
        });
        m_port.openOutput(deviceContaining([this] { return m_port.outputNames(); }, toSimulator));
        m_port.openInput(deviceContaining([this] { return m_port.inputNames(); }, fromSimulator));
    }

    // Sends request and returns the first message that satisfies wanted; others are skipped.
    // The request is repeated now and then, as the program itself does: a JACK client that
    // misses its cycle on a loaded machine loses the events of that cycle.
    Bytes ask(const Bytes& request, const std::function<bool(const Bytes&)>& wanted,
              const std::string& what) {
        const auto deadline = std::chrono::steady_clock::now() + patience;
        while (std::chrono::steady_clock::now() < deadline) {
            m_port.sendSysEx(request);
            const auto retryAt = std::min(deadline, std::chrono::steady_clock::now() + retryInterval);
            while (true) {
                while (auto message = m_port.takeReceived()) {
                    if (wanted(*message)) {
                        return *message;
                    }
                }
                std::unique_lock lock(m_mutex);
                if (!m_condition.wait_until(lock, retryAt, [this] { return m_arrived; })) {
                    break;
                }
                m_arrived = false;
            }
        }
        throw std::runtime_error("no " + what + " within " + std::to_string(patience.count()) + " s");
    }

private:
    zkt::RtMidiPort m_port;
    std::mutex m_mutex;
    std::condition_variable m_condition;
    bool m_arrived = false;
};

void expect(bool condition, const std::string& failure) {
    if (!condition) {
        throw std::runtime_error(failure);
    }
}

void run(const std::string& toSimulator, const std::string& fromSimulator) {
    Probe probe(toSimulator, fromSimulator);

    const Bytes tag{0xF0, 0x00, 0x2F, 0x71, 0x7F, 0x04, 0x02, 0x01, 0xF7};
    const Bytes counted = probe.ask(
        tag, [](const Bytes& m) { return m.size() == 9 && m[6] == 0x02; }, "returned tag");
    expect(counted[7] == 0x04, "tag came back with count " + std::to_string(counted[7]) + ", expected 4");

    const Bytes identity = probe.ask(
        {0xF0, 0x7E, 0x02, 0x06, 0x01, 0xF7}, [](const Bytes& m) { return m.size() > 4 && m[4] == 0x02; },
        "identity reply");
    expect(identity.size() == 23 && identity[2] == 0x02 && identity.back() == 0xF7,
           "identity reply malformed: " + zkt::bytesToHex(identity));

    const Bytes response = probe.ask(
        {0xF0, 0x00, 0x2F, 0x71, 0x03, 0x04, 0x01, 0x03, 0x00, 0x00, 0x00, 0x00, 0x02, 0xF7},
        [](const Bytes& m) { return m.size() > 8 && m[7] == 0x04; }, "program response");
    expect(response.size() == 305, "program response arrived with " + std::to_string(response.size()) +
                                       " bytes, expected 305 in one piece");
    std::string unpackError;
    const Bytes image = zkt::unpack7(std::span(response).subspan(11, response.size() - 12),
                                     [&](const std::string& e) { unpackError = e; });
    expect(unpackError.empty() && image.size() == 256, "program response did not unpack to 256 bytes");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: jack_probe TO_SIMULATOR FROM_SIMULATOR\n";
        return 2;
    }
    try {
        run(argv[1], argv[2]);
    } catch (const std::exception& e) {
        std::cerr << "jack_probe: " << e.what() << '\n';
        return 1;
    }
    std::cout << "jack_probe: tag, identity and 305-byte response made the round trip\n";
    return 0;
}
