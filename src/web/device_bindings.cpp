// The page's entry to the organ: a DeviceLink on the browser's clock, with the page's Web MIDI
// devices behind it. The page hands in an object that opens, closes and sends to its devices
// ({open(isInput, device), close(isInput), send(bytes)}, open and send returning why they failed
// or ""); results that are more than a number come back as JSON text.

#include "link/monitor_texts.h"
#include "web/device_link.h"
#include "web/link_check_view.h"
#include "web/json_text.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace zkt::web {

namespace {

using emscripten::val;

PageMidi pageMidiOf(val host) {
    PageMidi page;
    page.open = [host](PortSide side, int device) {
        return host.call<std::string>("open", side == PortSide::input, device);
    };
    page.close = [host](PortSide side) { host.call<void>("close", side == PortSide::input); };
    // The view lives only during the call; the page copies the bytes into the browser's send.
    page.send = [host](std::span<const std::uint8_t> message) {
        return host.call<std::string>("send",
                                      val(emscripten::typed_memory_view(message.size(), message.data())));
    };
    return page;
}

double milliseconds(Micros time) {
    return static_cast<double>(time.count()) / 1000.0;
}

// The link with the clock it runs on.
class PageLink {
public:
    PageLink(WebSession* session, val host) : m_link(*session, pageMidiOf(std::move(host)), m_clock) {}

    void setDevices(const val& inputs, const val& outputs) {
        m_link.setDevices(emscripten::vecFromJSArray<std::string>(inputs),
                          emscripten::vecFromJSArray<std::string>(outputs));
    }
    void received(const val& bytes) {
        const std::vector<std::uint8_t> data = emscripten::vecFromJSArray<std::uint8_t>(bytes);
        m_link.received(data);
    }
    std::string setupView() const { return jsonText(m_link.setupView()); }
    void chooseDevices(const std::string& input, const std::string& output) {
        m_link.chooseDevices(input, output);
    }
    std::string chosenDevices() const { return jsonText(m_link.chosenDevices()); }

    bool startLoad() { return m_link.startLoad(); }
    std::string writeStart(const std::string& options) const {
        return jsonText(m_link.writeStart(optionsFrom(options)));
    }
    bool startWrite(const std::string& options) { return m_link.startWrite(optionsFrom(options)); }
    void confirmWrite(const std::string& options) { m_link.confirmWrite(optionsFrom(options)); }
    void writeWithoutBackup() { m_link.writeWithoutBackup(); }
    void cancel() { m_link.cancel(); }

    bool startLinkCheck() { return m_link.startLinkCheck(); }
    void stopLinkCheck() { m_link.stopLinkCheck(); }
    std::string linkCheckView() const { return jsonText(m_link.linkCheckView()); }
    std::string linkCheckTexts() const { return jsonText(web::linkCheckTexts()); }

    void watchTraffic(bool on) { m_link.traffic().watch(on); }
    void pauseTraffic(bool paused) { m_link.traffic().pause(paused); }
    void restartTraffic() { m_link.traffic().restart(); }
    std::string takeTraffic() { return jsonText(m_link.traffic().take()); }
    // "120 messages (the 20 oldest were let go: ...); paused, 3 not recorded"
    std::string monitorCount(int shown, int dropped, int capacity, bool paused, int notRecorded) const {
        const auto count = [](int n) { return static_cast<std::size_t>(n < 0 ? 0 : n); };
        return monitortext::countText({count(shown), count(dropped), count(capacity), paused, count(notRecorded)});
    }

    std::string consoleCheckTexts() const { return jsonText(PageConsoleCheck::texts()); }
    bool startConsoleCheck(int year, int month, int day, int hour, int minute) {
        return m_link.consoleCheck().start({year, month, day, hour, minute});
    }
    void skipAskedPiston() { m_link.consoleCheck().skipAsked(); }
    void skipAllAskedPistons() { m_link.consoleCheck().skipAllAsked(); }
    // An action or a key the console does not have is a fault in the page: told, not thrown.
    std::string playConsole(const std::string& action, int manual, int number) {
        try {
            m_link.consoleCheck().play(action, manual, number);
            return jsonText({{"ok", true}});
        } catch (const std::invalid_argument& e) {
            return jsonText({{"error", e.what()}});
        }
    }
    std::string finishConsoleCheck() { return jsonText(m_link.consoleCheck().finish()); }
    void stopConsoleCheck() { m_link.consoleCheck().stop(); }
    std::string consoleCheckView() const { return jsonText(m_link.consoleCheck().view()); }

    double tick() { return milliseconds(m_link.tick()); }
    // -1: nothing pending.
    double simulationDue() const {
        const auto due = m_link.simulationDue();
        return due ? milliseconds(*due) : -1.0;
    }
    void advanceSimulation() { m_link.advanceSimulation(); }
    std::string takeEvents() { return jsonText(m_link.takeEvents()); }
    std::string state() const { return jsonText(m_link.state()); }

private:
    // Malformed options from the page keep the defaults rather than throw into it.
    static WriteOptions optionsFrom(const std::string& text) {
        const nlohmann::json options = nlohmann::json::parse(text, nullptr, false);
        return writeOptionsFrom(options.is_object() ? options : nlohmann::json::object());
    }

    SteadyClock m_clock;
    DeviceLink m_link;
};

} // namespace

EMSCRIPTEN_BINDINGS(zkt_device) {
    emscripten::class_<PageLink>("DeviceLink")
        .constructor<WebSession*, val>(emscripten::allow_raw_pointers())
        .function("setDevices", &PageLink::setDevices)
        .function("received", &PageLink::received)
        .function("setupView", &PageLink::setupView)
        .function("chooseDevices", &PageLink::chooseDevices)
        .function("chosenDevices", &PageLink::chosenDevices)
        .function("startLoad", &PageLink::startLoad)
        .function("writeStart", &PageLink::writeStart)
        .function("startWrite", &PageLink::startWrite)
        .function("confirmWrite", &PageLink::confirmWrite)
        .function("writeWithoutBackup", &PageLink::writeWithoutBackup)
        .function("cancel", &PageLink::cancel)
        .function("startLinkCheck", &PageLink::startLinkCheck)
        .function("stopLinkCheck", &PageLink::stopLinkCheck)
        .function("linkCheckView", &PageLink::linkCheckView)
        .function("linkCheckTexts", &PageLink::linkCheckTexts)
        .function("watchTraffic", &PageLink::watchTraffic)
        .function("pauseTraffic", &PageLink::pauseTraffic)
        .function("restartTraffic", &PageLink::restartTraffic)
        .function("takeTraffic", &PageLink::takeTraffic)
        .function("monitorCount", &PageLink::monitorCount)
        .function("consoleCheckTexts", &PageLink::consoleCheckTexts)
        .function("startConsoleCheck", &PageLink::startConsoleCheck)
        .function("skipAskedPiston", &PageLink::skipAskedPiston)
        .function("skipAllAskedPistons", &PageLink::skipAllAskedPistons)
        .function("playConsole", &PageLink::playConsole)
        .function("finishConsoleCheck", &PageLink::finishConsoleCheck)
        .function("stopConsoleCheck", &PageLink::stopConsoleCheck)
        .function("consoleCheckView", &PageLink::consoleCheckView)
        .function("tick", &PageLink::tick)
        .function("simulationDue", &PageLink::simulationDue)
        .function("advanceSimulation", &PageLink::advanceSimulation)
        .function("takeEvents", &PageLink::takeEvents)
        .function("state", &PageLink::state);
}

} // namespace zkt::web
