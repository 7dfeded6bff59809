// Whether the console check keeps up with a MIDI input at full speed, and how soon a key lights.
//
// In process: a console's stream of bytes (notes, shoes, pistons) goes through the port's
// reassembler into the check as fast as it will take it; printed are the messages a second it
// takes and the time from a Note On's bytes to its key lit (the KeyChanged event there to draw).
// Over JACK (when a server runs): a client of our own sends 1,000 messages a second to another
// that feeds the check as zktcli does; printed are the messages sent and taken (none may be
// lost) and the time from each Note On sent to its key lit.
//
//   check_bench [SECONDS]   (bench/check_bench.sh starts a private JACK server around it)

#include "check/console_check.h"
#include "link/channel_message.h"
#include "link/midi_reassembler.h"
#include "link/rtmidi/midi_systems.h"
#include "link/rtmidi/rtmidi_port.h"
#include "model/example_organ.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using namespace zkt;
using namespace std::chrono_literals;

// The messages of a console being played: every key of the three manuals down and up in turn
// on the main channel, a shoe moving with every tenth message, a piston with every hundredth.
class ConsoleStream {
public:
    Bytes next() {
        const int n = m_count++;
        if (n % 100 == 99)
            return channelMessageBytes(
                {ChannelKind::programChange, 1 + n / 100 % 3, 10 * (1 + n / 100 % 3), 0});
        if (n % 10 == 9)
            return channelMessageBytes({ChannelKind::controlChange, 1, controller::expression, n / 10 % 128});
        const int step = m_notes++;
        const int manual = 1 + step / 2 / 61 % 3;
        const int key = 1 + step / 2 % 61;
        const bool down = step % 2 == 0;
        return channelMessageBytes(
            {down ? ChannelKind::noteOn : ChannelKind::noteOff, manual, 35 + key, 100});
    }

private:
    int m_count = 0;
    int m_notes = 0;
};

struct Spread {
    double median = 0;
    double p99 = 0;
    double max = 0;
};

Spread spreadOf(std::vector<double> values) {
    if (values.empty())
        return {};
    std::sort(values.begin(), values.end());
    const auto at = [&](double share) {
        return values[std::min(values.size() - 1,
                               static_cast<std::size_t>(share * static_cast<double>(values.size())))];
    };
    return {at(0.5), at(0.99), values.back()};
}

bool keyLit(const std::vector<CheckEvent>& events, const ConsoleCheck& check) {
    for (const CheckEvent& event : events) {
        if (const auto* key = std::get_if<KeyChanged>(&event);
            key && check.progress(key->manual).keys[static_cast<std::size_t>(key->key - 1)].sounding > 0)
            return true;
    }
    return false;
}

void inProcess() {
    SteadyClock clock;
    ConsoleCheck check(exampleOrgan(3), clock);
    MidiReassembler reassembler;
    ConsoleStream stream;
    constexpr int messages = 300'000;
    std::vector<double> litMicros;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < messages; ++i) {
        const Bytes bytes = stream.next();
        const auto before = std::chrono::steady_clock::now();
        for (const Bytes& message : reassembler.feed(bytes))
            check.take(message);
        if (i % 1000 == 0)
            check.tick();
        if (keyLit(check.takeEvents(), check))
            litMicros.push_back(
                std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - before).count());
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const Spread lit = spreadOf(litMicros);
    std::printf("In process: %d messages in %.2f s, %.0f messages a second (%.0f times 1,000)\n", messages,
                seconds, messages / seconds, messages / seconds / 1000);
    std::printf("  from a Note On's bytes to its key lit: median %.1f us, 99%% %.1f us, longest %.1f us\n",
                lit.median, lit.p99, lit.max);
}

int findInput(const MidiPort& port, const std::string& name) {
    const std::vector<std::string> names = port.inputNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i].find(name) != std::string::npos)
            return static_cast<int>(i);
    }
    return -1;
}

void overJack(double seconds) {
    RtMidiPort sender(MidiApi::jack, "check-bench-send");
    RtMidiPort receiver(MidiApi::jack, "check-bench-take");
    sender.openVirtualOutput("check-bench-out");
    std::this_thread::sleep_for(200ms);
    const int input = findInput(receiver, "check-bench-out");
    if (input < 0) {
        std::printf("Over JACK: the sender's port was not found\n");
        return;
    }
    receiver.openInput(input);
    std::this_thread::sleep_for(200ms);

    SteadyClock clock;
    ConsoleCheck check(exampleOrgan(3), clock);
    std::mutex mutex;
    std::condition_variable arrived;
    bool pending = false;
    receiver.setReceiveNotifier([&] {
        {
            std::lock_guard lock(mutex);
            pending = true;
        }
        arrived.notify_one();
    });

    // Send times of each Note On, by its status and note; read on the receiving side.
    std::mutex sentMutex;
    std::map<std::pair<int, int>, std::chrono::steady_clock::time_point> sentAt;
    std::atomic<int> sent{0};
    std::atomic<bool> sending{true};
    const int total = static_cast<int>(seconds * 1000);
    std::thread sendThread([&] {
        ConsoleStream stream;
        auto due = std::chrono::steady_clock::now();
        for (int i = 0; i < total; ++i) {
            due += 1ms;
            std::this_thread::sleep_until(due);
            const Bytes message = stream.next();
            if (const auto m = channelMessageOf(message); m && startsNote(*m)) {
                std::lock_guard lock(sentMutex);
                sentAt[{m->channel, m->data1}] = std::chrono::steady_clock::now();
            }
            sender.sendChannelMessage(message);
            ++sent;
        }
        sending = false;
    });

    std::vector<double> litMillis;
    std::size_t taken = 0;
    const auto lastChance = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds + 2);
    while (std::chrono::steady_clock::now() < lastChance &&
           (sending || taken < static_cast<std::size_t>(sent))) {
        {
            std::unique_lock lock(mutex);
            arrived.wait_for(lock, 100ms, [&] { return pending; });
            pending = false;
        }
        while (const auto message = receiver.takeReceived()) {
            ++taken;
            check.take(*message);
            const auto m = channelMessageOf(*message);
            if (m && startsNote(*m) && keyLit(check.takeEvents(), check)) {
                std::lock_guard lock(sentMutex);
                litMillis.push_back(std::chrono::duration<double, std::milli>(
                                        std::chrono::steady_clock::now() - sentAt[{m->channel, m->data1}])
                                        .count());
            }
        }
        check.tick();
        check.takeEvents();
    }
    sendThread.join();
    const Spread lit = spreadOf(litMillis);
    std::printf("Over JACK, %.0f s at 1,000 messages a second: %d sent, %zu taken, %d lost\n", seconds,
                sent.load(), taken, sent.load() - static_cast<int>(taken));
    std::printf("  from a Note On sent to its key lit: median %.2f ms, 99%% %.2f ms, longest %.2f ms\n",
                lit.median, lit.p99, lit.max);
}

} // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10;
    inProcess();
    if (!jackServerRunning()) {
        std::printf("Over JACK: no JACK server is running (bench/check_bench.sh starts one)\n");
        return 0;
    }
    try {
        overJack(seconds > 0 ? seconds : 10);
    } catch (const MidiError& error) {
        std::printf("Over JACK: %s\n", error.what());
        return 1;
    }
    return 0;
}
