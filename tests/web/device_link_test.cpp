// The page's link to the organ in virtual time: a load from the simulated chain the page offers
// becomes one undo step; the safe write through the browser's devices asks before writing,
// keeps the backup, writes only what changed and reads it back; a device unplugged during a
// write ends it as gone; SysEx in any pieces reaches the engine whole; the timer keeps step
// with the write pauses; the MIDI setup shows the browser's names and keeps the choice by label.

#include "web/device_link.h"
#include "web/link_check_view.h"
#include "web/midi_setup_view.h"

#include "link/port_names.h"
#include "model/config_file.h"
#include "model/program_image.h"
#include "sim/simulated_chain.h"
#include "support/organs.h"
#include "support/page_boundary.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zkt::web {
namespace {

using nlohmann::json;
using test::organOf;

const test::PageBoundary boundary;

std::vector<std::string> texts(const json& events, const std::string& type) {
    std::vector<std::string> found;
    for (const json& event : events) {
        if (event["type"] == type)
            found.push_back(event.contains("text") ? event["text"].get<std::string>() : event.dump());
    }
    return found;
}

const json* firstOf(const json& events, const std::string& type) {
    const auto found =
        std::find_if(events.begin(), events.end(), [&](const json& e) { return e["type"] == type; });
    return found == events.end() ? nullptr : &*found;
}

// The page around a DeviceLink: its timer, the simulated chain's own timer, and a browser whose
// one MIDI device ("USB MIDI") is cabled to a chain of the test's own, all in virtual time.
class PageRig {
public:
    explicit PageRig(int browserManuals = 2)
        : browserChain(clock, chainOf(browserManuals)), link(session, pageMidi(), clock) {
        link.setDevices({"USB MIDI"}, {"USB MIDI"});
    }

    PageMidi pageMidi() {
        PageMidi page;
        page.open = [this](PortSide side, int) {
            if (side == PortSide::input)
                browserChain.openInput(0);
            else
                browserChain.openOutput(0);
            return std::string();
        };
        page.close = [this](PortSide side) {
            if (side == PortSide::input)
                browserChain.closeInput();
        };
        page.send = [this](std::span<const std::uint8_t> message) {
            if (unplugged)
                ADD_FAILURE() << "a message sent to a device no longer connected";
            browserChain.sendSysEx(message);
            return std::string();
        };
        return page;
    }

    // Runs the page's timers until the condition holds; false when it did not within the time.
    template <typename Condition> bool runUntil(Condition condition, Micros limit = Micros{120'000'000}) {
        const Micros end = clock.now() + limit;
        while (!condition()) {
            Micros next = nextTick;
            if (const auto due = link.simulationDue())
                next = std::min(next, clock.now() + *due);
            if (const auto due = browserChain.nextEventTime())
                next = std::min(next, *due);
            if (next > end)
                return false;
            if (next > clock.now())
                clock.advance(next - clock.now());
            browserChain.advance();
            while (const auto message = browserChain.takeReceived()) {
                // The browser may hand a message over in pieces.
                const std::size_t half = message->size() / 2;
                link.received(std::span(*message).first(half));
                link.received(std::span(*message).subspan(half));
            }
            link.advanceSimulation();
            if (clock.now() >= nextTick)
                nextTick = clock.now() + link.tick();
            collect();
        }
        return true;
    }

    bool runUntilEvent(const std::string& type) {
        return runUntil([&] { return firstOf(events, type) != nullptr; });
    }

    // Every event of every test is held to what the page's types say an event is.
    void collect() {
        const json taken = link.takeEvents();
        EXPECT_EQ(boundary.linkAnswerMismatch("takeEvents", taken), "");
        for (const json& event : taken)
            events.push_back(event);
    }

    static SimulationOptions chainOf(int manuals) {
        SimulationOptions options;
        options.mcuCount = manuals;
        return options;
    }

    ManualClock clock;
    SimulatedChain browserChain;
    WebSession session;
    DeviceLink link;
    Micros nextTick{0};
    json events = json::array();
    bool unplugged = false;
};

TEST(DeviceLink, LoadFromTheSimulatorBecomesOneStepOfTheSession) {
    PageRig rig;
    const json setup = rig.link.setupView();
    EXPECT_EQ(setup["inputs"][0], json({{"name", "USB MIDI"}, {"label", "USB MIDI"}}));
    EXPECT_EQ(setup["inputs"][1]["name"], "ZKT simulator (3 manuals)");
    EXPECT_FALSE(rig.link.startLoad()) << "no devices chosen yet";

    rig.link.chooseDevices("ZKT simulator (3 manuals)", "ZKT simulator (3 manuals)");
    EXPECT_EQ(rig.link.chosenDevices(), json({{"input", 1}, {"output", 1}}));
    ASSERT_TRUE(rig.link.startLoad());
    ASSERT_TRUE(rig.runUntilEvent("closingDone"));

    EXPECT_NE(firstOf(rig.events, "configurationLoaded"), nullptr);
    const std::vector<std::string> lines = texts(rig.events, "line");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "ZKT Configuration data loaded!"), lines.end());
    EXPECT_TRUE(sameConfiguration(rig.session.model(), organOf(3)));
    EXPECT_EQ(rig.session.document().history().undoName(), "Load Current Settings from the ZKT");
    EXPECT_TRUE(rig.session.document().history().isClean());
    EXPECT_EQ(rig.session.document().name(), "Settings from the ZKT");
    EXPECT_EQ(rig.link.state()["busy"], false);
}

TEST(DeviceLink, SafeWriteThroughTheBrowsersDeviceAsksKeepsTheBackupAndWritesOnlyTheChange) {
    PageRig rig;
    ConfigModel edited = organOf(2);
    edited.pistons[pistonIndexOf(1, 10)].programNumber = 99;
    rig.session.open("organ.zkt", configurationText(edited));
    const Bytes before(rig.browserChain.image(1).begin(), rig.browserChain.image(1).end());

    rig.link.chooseDevices("USB MIDI", "USB MIDI");
    ASSERT_TRUE(rig.link.startWrite({}));
    ASSERT_TRUE(rig.runUntilEvent("confirmWrite"));
    const json& confirm = *firstOf(rig.events, "confirmWrite");
    EXPECT_EQ(confirm["lines"][0], "Manual 1 is unchanged and will not be written.");
    EXPECT_EQ(confirm["lines"][1], "Manual 2 will be written (1 of 4 chunks): 1 setting changes:");

    // The backup holds what the chain held, as a .zkt file's text.
    const json* backup = firstOf(rig.events, "backup");
    ASSERT_NE(backup, nullptr);
    EXPECT_EQ((*backup)["manuals"], 2);
    ConfigModel kept;
    ConfigFileCheck check;
    EXPECT_EQ(readConfigurationText((*backup)["text"].get<std::string>(), "backup", kept, check), 2);
    EXPECT_TRUE(sameConfiguration(kept, organOf(2)));

    // Edits made while the dialog is open are not what is written.
    rig.session.document().clearPiston(0);
    rig.link.confirmWrite(writeOptionsFrom(confirm["options"]));
    ASSERT_TRUE(rig.runUntilEvent("writeFinished"));
    EXPECT_EQ((*firstOf(rig.events, "writeFinished"))["outcome"], "verified");

    ConfigModel chain;
    decodeProgramImage(chain, 1, rig.browserChain.image(1));
    decodeProgramImage(chain, 2, rig.browserChain.image(2));
    chain.numberOfManuals = 2;
    EXPECT_TRUE(sameConfiguration(chain, edited));
    EXPECT_TRUE(std::equal(before.begin(), before.end(), rig.browserChain.image(1).begin()));
    EXPECT_EQ(rig.browserChain.counters().updatesStored, 1) << "one 64-byte chunk changed";
    EXPECT_FALSE(rig.session.document().history().isClean())
        << "the piston cleared meanwhile is not on the organ";
}

// What the organ holds is no file: after a write the document keeps its name and its unsaved
// changes, so closing the page still asks.
TEST(DeviceLink, AWriteLeavesTheDocumentAsItWas) {
    PageRig rig;
    rig.session.open("organ.zkt", configurationText(organOf(2)));
    rig.session.document().clearPiston(0);
    rig.link.chooseDevices("USB MIDI", "USB MIDI");
    WriteOptions plain;
    plain.backup = plain.onlyChanged = plain.verify = false;
    ASSERT_TRUE(rig.link.startWrite(plain));
    ASSERT_TRUE(rig.runUntilEvent("writeFinished"));
    EXPECT_EQ((*firstOf(rig.events, "writeFinished"))["outcome"], "written");
    EXPECT_TRUE(rig.session.document().hasUnsavedChanges());
    EXPECT_EQ(rig.session.document().name(), "organ.zkt");
}

TEST(DeviceLink, DeviceUnpluggedDuringTheWriteEndsItAsGone) {
    PageRig rig;
    rig.session.open("organ.zkt", configurationText(organOf(2)));
    rig.link.chooseDevices("USB MIDI", "USB MIDI");
    WriteOptions plain;
    plain.backup = plain.onlyChanged = plain.verify = false;
    ASSERT_TRUE(rig.link.startWrite(plain));
    ASSERT_TRUE(rig.runUntil([&] { return rig.browserChain.counters().updatesStored == 2; }));
    rig.link.setDevices({}, {});
    rig.unplugged = true;
    ASSERT_TRUE(rig.runUntilEvent("writeFinished"));

    const json& finished = *firstOf(rig.events, "finished");
    EXPECT_EQ(finished["result"], "failed");
    EXPECT_EQ(finished["cause"], "deviceGone");
    EXPECT_NE(finished["reason"].get<std::string>().find("The MIDI output \"USB MIDI\" is gone"),
              std::string::npos)
        << finished["reason"];
    EXPECT_EQ((*firstOf(rig.events, "writeFinished"))["outcome"], "failed");
    EXPECT_FALSE(rig.link.setupView()["missing"].empty());
}

// The link's answers, held to the declaration the page's types are made from: the MIDI setup
// with a device missing, the chosen devices, what a write begins with, the connection test while
// it runs and after, the monitor's batch and the state.
TEST(DeviceLink, ItsAnswersAreAsThePageDeclaresThem) {
    PageRig rig;
    const auto expectAnswer = [](const std::string& call, const json& value) {
        EXPECT_EQ(boundary.linkAnswerMismatch(call, value), "");
    };
    rig.link.chooseDevices("Gone", "USB MIDI");
    expectAnswer("setupView", rig.link.setupView());
    expectAnswer("chosenDevices", rig.link.chosenDevices());
    expectAnswer("writeStart", rig.link.writeStart({}));
    rig.session.open("organ.zkt", configurationText(organOf(2)));
    rig.link.chooseDevices("ZKT simulator (3 manuals)", "ZKT simulator (3 manuals)");
    expectAnswer("writeStart", rig.link.writeStart({}));
    expectAnswer("linkCheckView", rig.link.linkCheckView());
    expectAnswer("linkCheckTexts", linkCheckTexts());

    rig.link.traffic().watch(true);
    ASSERT_TRUE(rig.link.startLinkCheck());
    ASSERT_TRUE(rig.runUntil([&] { return rig.link.linkCheckView()["sent"] > 3; }));
    expectAnswer("linkCheckView", rig.link.linkCheckView());
    expectAnswer("state", rig.link.state());
    ASSERT_TRUE(rig.runUntil([&] { return !rig.link.linkCheckView()["running"].get<bool>(); }));
    expectAnswer("linkCheckView", rig.link.linkCheckView());
    const json traffic = rig.link.traffic().take();
    EXPECT_FALSE(traffic["entries"].empty());
    expectAnswer("takeTraffic", traffic);
    expectAnswer("state", rig.link.state());
}

TEST(WebMidiPort, WholeMessagesFromAnyPiecesOnlyWhileTheInputIsOpen) {
    std::string openFailure;
    PageMidi page;
    page.open = [&](PortSide, int) { return openFailure; };
    WebMidiPort port(page);
    port.setDevices({"In"}, {"Out"});
    const Bytes tag = {0xF0, 0x00, 0x2F, 0x71, 0x7F, 0x04, 0x02, 0x04, 0xF7};

    port.receive(tag);
    EXPECT_FALSE(port.takeReceived()) << "the input is closed";
    port.openInput(0);
    for (const std::uint8_t byte : tag)
        port.receive(std::span(&byte, 1));
    Bytes twice = tag;
    twice.insert(twice.end(), tag.begin(), tag.end());
    port.receive(twice);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(port.takeReceived(), tag);
    EXPECT_FALSE(port.takeReceived());

    openFailure = "The MIDI output \"Out\" is in use by another program.";
    EXPECT_THROW(port.openOutput(0), MidiError);
    EXPECT_FALSE(port.isOutputOpen());
    EXPECT_THROW(port.openInput(3), MidiError);
    EXPECT_THROW(port.sendSysEx(tag), MidiError);
}

TEST(MidiSetupView, ShowsTheBrowsersNamesAndKeepsTheChoiceByLabel) {
    WebMidiPort port({});
    port.setDevices({"Interface 20:0", "Interface 21:0", "Interface 21:0"}, {"Out"});
    MidiSelection selection;
    chooseDevices(selection, port, "Interface (2)", "Gone");
    EXPECT_EQ(selection.inputName, "Interface (2)");
    EXPECT_TRUE(selection.midiConfigured());

    const json view = midiSetupView(selection, port);
    const json inputs = json::array({{{"name", "Interface 20:0"}, {"label", "Interface"}},
                                     {{"name", "Interface 21:0"}, {"label", "Interface (2)"}},
                                     {{"name", "Interface 21:0 (2)"}, {"label", "Interface (3)"}}});
    EXPECT_EQ(view["inputs"], inputs);
    EXPECT_EQ(view["input"], "Interface (2)");
    EXPECT_EQ(view["output"], "") << "the remembered output is not connected";
    EXPECT_EQ(view["missing"][0], "The MIDI output you chose before, \"Gone\", is not connected.");
}

} // namespace
} // namespace zkt::web
