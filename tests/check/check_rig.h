#pragma once
// A console check on a small organ of its own, stepped in virtual time.
//
// Manual 1 "Great": channel 1 (key offset 0, velocity sensed) and channel 2 (an octave up,
// fixed velocity 100); Input 1 sends Expression (11) on channel 1. Pistons: 1 Program Change #5,
// 2 Bank Select MSB 3 LSB 5 program 9, 3 Note On/Off note 100, 4 All Notes Off, 5 All Notes Off
// on every channel (all on channel 1), 6 an Ahlborn coupler and 7 a LARKMOOR piston.
// Manual 2 "Pedal", 32 keys: channel 3 (offset 0, fixed velocity 64); Input 2 sends Volume (7)
// on channel 3; piston 1 Program Change #6 on channel 3.

#include "check/check_texts.h"
#include "check/console_check.h"
#include "link/clock.h"
#include "model/config_model.h"

#include <chrono>
#include <initializer_list>
#include <string>
#include <vector>

namespace zkt::test {

inline pistonInfo pistonOf(FunctionGroup group, int channel, int value) {
    pistonInfo p;
    p.functionGroup = static_cast<std::int16_t>(group);
    p.midiChannel = static_cast<std::int16_t>(channel);
    p.programNumber = static_cast<std::int16_t>(value);
    return p;
}

inline ConfigModel checkOrgan() {
    ConfigModel model;
    model.numberOfManuals = 2;
    model.names.manualNames = {"Great", "Pedal"};
    model.names.compass[1] = 32;
    model.keyboards[0].channels = 0b11;
    model.channelVelocity[channelSlotOf(0, 1)] = 0x80 | 100;
    model.channelTranspose[channelSlotOf(0, 2)] = 48;
    model.channelVelocity[channelSlotOf(0, 2)] = 100;
    model.shoes[channelSlotOf(0, 1)] = {0, false, true};
    model.pistons[pistonIndexOf(0, 0)] = pistonOf(FunctionGroup::programChange, 1, 5);
    pistonInfo bank = pistonOf(FunctionGroup::bankSelect, 1, 9);
    bank.bankSelMSBFlag = bank.bankSelLSBFlag = bank.bankSelProgramFlag = true;
    bank.bankSelMSB = 3;
    bank.bankSelLSB = 5;
    model.pistons[pistonIndexOf(0, 1)] = bank;
    model.pistons[pistonIndexOf(0, 2)] = pistonOf(FunctionGroup::noteOnOff, 1, 101);
    model.pistons[pistonIndexOf(0, 3)] = pistonOf(FunctionGroup::allNotesOff, 1, 0);
    pistonInfo everyChannel = pistonOf(FunctionGroup::allNotesOff, 1, 0);
    everyChannel.bankSelProgramFlag = true;
    model.pistons[pistonIndexOf(0, 4)] = everyChannel;
    model.pistons[pistonIndexOf(0, 5)] = pistonOf(FunctionGroup::ahlbornCoupler, 1, 0);
    model.pistons[pistonIndexOf(0, 6)] = pistonOf(FunctionGroup::larkmoorPiston, 3, 0);
    model.keyboards[1].channels = 0b100;
    model.channelVelocity[channelSlotOf(1, 3)] = 64;
    model.shoes[channelSlotOf(1, 3)] = {1, true, true};
    model.pistons[pistonIndexOf(1, 0)] = pistonOf(FunctionGroup::programChange, 3, 6);
    return model;
}

struct CheckRig {
    explicit CheckRig(const ConfigModel& model = checkOrgan()) : check(model, clock) {}

    void send(std::initializer_list<int> bytes) {
        std::vector<std::uint8_t> message;
        for (const int b : bytes)
            message.push_back(static_cast<std::uint8_t>(b));
        check.take(message);
    }
    void wait(int ms) {
        clock.advance(std::chrono::milliseconds(ms));
        check.tick();
    }
    std::vector<std::string> faults() const {
        std::vector<std::string> texts;
        for (const CheckFault& fault : check.faults())
            texts.push_back(checktext::fault(fault));
        return texts;
    }
    int presses(int manual, int piston) const {
        return check.progress(manual).pistons.at(static_cast<std::size_t>(piston - 1)).presses;
    }
    const KeyProgress& key(int manual, int key) const {
        return check.progress(manual).keys.at(static_cast<std::size_t>(key - 1));
    }

    ManualClock clock;
    ConsoleCheck check;
};

} // namespace zkt::test
