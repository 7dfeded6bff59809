// Every kind of message the console sends, attributed to what the configuration says sends it.

#include "check_rig.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

using test::CheckRig;

TEST(Attribution, AKeysNotesOnEachEnabledChannelPlayItAndLightItWhileHeld) {
    CheckRig rig;
    rig.send({0x91, 61, 100}); // key 14 on channel 2, an octave up
    EXPECT_TRUE(rig.key(1, 14).played);
    EXPECT_EQ(rig.key(1, 14).sounding, 1);
    rig.send({0x90, 49, 77}); // and on channel 1, as played
    EXPECT_EQ(rig.key(1, 14).sounding, 2);
    rig.send({0x80, 49, 0});
    rig.send({0x91, 61, 0}); // a release as a Note On with velocity 0
    EXPECT_EQ(rig.key(1, 14).sounding, 0);
    rig.send({0x92, 36, 64}); // the pedal's lowest key
    EXPECT_TRUE(rig.key(2, 1).played);
    EXPECT_FALSE(rig.key(1, 1).played);
    EXPECT_TRUE(rig.faults().empty()) << rig.faults().front();
    const auto events = rig.check.takeEvents();
    EXPECT_EQ(std::count_if(events.begin(), events.end(),
                            [](const CheckEvent& e) { return std::holds_alternative<KeyChanged>(e); }),
              5);
}

TEST(Attribution, PistonsOfTheStandardGroupsByTypeChannelAndNumber) {
    struct Case {
        const char* name;
        std::vector<std::vector<int>> messages;
        int manual;
        int piston;
    };
    const std::vector<Case> cases{
        {"Program Change", {{0xC0, 4}}, 1, 1},
        {"Program Change on the pedal's channel", {{0xC2, 5}}, 2, 1},
        {"Bank Select, its three messages one press", {{0xB0, 0, 3}, {0xB0, 32, 5}, {0xC0, 8}}, 1, 2},
        {"Note On/Off", {{0x90, 100, 127}, {0x80, 100, 0}}, 1, 3},
        {"All Notes Off on one channel", {{0xB0, 123, 0}}, 1, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CheckRig rig;
        for (const auto& message : c.messages) {
            std::vector<std::uint8_t> bytes(message.begin(), message.end());
            rig.check.take(bytes);
        }
        rig.wait(100); // a press that may still grow is taken once its time has passed
        for (int manual = 1; manual <= 2; ++manual) {
            for (int piston = 1; piston <= 5; ++piston)
                EXPECT_EQ(rig.presses(manual, piston), manual == c.manual && piston == c.piston ? 1 : 0)
                    << manual << " " << piston;
        }
        EXPECT_TRUE(rig.faults().empty()) << rig.faults().front();
    }
}

TEST(Attribution, AllNotesOffOnEveryChannelIsOnePressAndSilencesTheNotes) {
    CheckRig rig;
    rig.send({0x91, 61, 100});
    for (int channel = 0; channel < 16; ++channel)
        rig.send({0xB0 | channel, 123, 0});
    EXPECT_EQ(rig.presses(1, 5), 1);
    EXPECT_EQ(rig.presses(1, 4), 0);
    EXPECT_EQ(rig.key(1, 14).sounding, 0);
    rig.check.finish();
    const std::vector<std::string> faults = rig.faults();
    EXPECT_EQ(
        std::count(faults.begin(), faults.end(),
                   "Manual 1 (Great), key 14 (C#2), note 61 on MIDI Channel 2: still sounding at the end"),
        0);
}

TEST(Attribution, MessagesApartAreSeparatePresses) {
    CheckRig rig;
    rig.send({0xB0, 0, 3});
    rig.wait(60);
    rig.send({0xB0, 32, 5});
    rig.send({0xC0, 8});
    EXPECT_EQ(rig.presses(1, 2), 0);
    EXPECT_EQ(rig.faults(), (std::vector<std::string>{
                                "not sent by this configuration: Bank Select MSB 3 on MIDI Channel 1",
                                "not sent by this configuration: Bank Select LSB 5 on MIDI Channel 1",
                                "not sent by this configuration: Program Change #9 on MIDI Channel 1"}));
}

TEST(Attribution, ShoesByTheirControllerOnTheChannelTheyDrive) {
    CheckRig rig;
    for (const int value : {40, 0, 127, 90})
        rig.send({0xB0, 11, value});
    rig.send({0xB2, 7, 10});
    const ShoeProgress& swell = rig.check.progress(1).shoes.at(0);
    EXPECT_EQ(swell.value, 90);
    EXPECT_EQ(swell.lowest, 0);
    EXPECT_EQ(swell.highest, 127);
    EXPECT_EQ(rig.check.progress(2).shoes.at(0).value, 10);
    EXPECT_TRUE(rig.faults().empty()) << rig.faults().front();
}

TEST(Attribution, WhatNothingSendsIsSaidAsWhatItIs) {
    CheckRig rig;
    rig.send({0xC3, 8});
    rig.send({0xC3, 8});
    rig.send({0x95, 20, 64});
    rig.send({0xB0, 7, 64});   // volume on a channel its shoe drives with expression
    rig.send({0xB0, 64, 127}); // sustain
    rig.send({0xE0, 0, 64});
    rig.send({0x90, 100, 0}); // the note piston's note, "released" while not sounding
    rig.send({0xF0, 0x43, 0x10, 0xF7});
    rig.send({0xF0, 0x00, 0x2F, 0x71, 0x7F, 0x04, 0x02, 0x04, 0xF7}); // the chain's own tag: no console's
    rig.send({});
    EXPECT_EQ(
        rig.faults(),
        (std::vector<std::string>{
            "not sent by this configuration: Program Change #9 on MIDI Channel 4 (2 times)",
            "not sent by this configuration: Note On, note 20 on MIDI Channel 6",
            "not sent by this configuration: Volume (7) on MIDI Channel 1",
            "not sent by this configuration: Control Change 64 on MIDI Channel 1",
            "not sent by this configuration: Pitch Bend on MIDI Channel 1",
            "Manual 1 (Great), piston 3, note 100 on MIDI Channel 1: a Note On with velocity 0 while the "
            "note was not sounding",
            "not sent by this configuration: a message of 4 bytes (f0 43 10 f7)",
            "not sent by this configuration: a message without bytes"}));
    for (const CheckFault& fault : rig.check.faults())
        EXPECT_EQ(fault.sources.empty(), fault.kind == CheckFaultKind::notSent);
}

} // namespace
} // namespace zkt
