#include "link/protocol.h"
#include "link/sysex_codec.h"
#include "model/config_file.h"
#include "model/example_organ.h"
#include "model/program_image.h"
#include "sim/simulated_chain.h"
#include "support/temp_folder.h"
#include "support/virtual_wire.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace zkt {
namespace {

using namespace std::chrono_literals;

Bytes patternImage(int manual) {
    Bytes image(programImageSize);
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>(i * 7 + static_cast<std::size_t>(manual) * 31);
    }
    return image;
}

SimulationOptions optionsFor(int mcus) {
    SimulationOptions options;
    options.mcuCount = mcus;
    for (int manual = 1; manual <= mcus; ++manual) {
        options.images.push_back(patternImage(manual));
    }
    return options;
}

Bytes tag(std::uint8_t count) {
    return {0xF0, 0x00, 0x2F, 0x71, 0x7F, 0x04, 0x02, count, 0xF7};
}
Bytes identityRequest(std::uint8_t device) {
    return {0xF0, 0x7E, device, 0x06, 0x01, 0xF7};
}
Bytes reboot(std::uint8_t device) {
    return {0xF0, 0x00, 0x2F, 0x71, device, 0x04, 0x01, 0x20, 0xF7};
}

Bytes programRequest(std::uint8_t device, std::uint32_t address = 0) {
    Bytes message{0xF0, 0x00, 0x2F, 0x71, device, 0x04, 0x01, 0x03};
    const Bytes a = encode7bitNumber(address, 3);
    message.insert(message.end(), a.begin(), a.end());
    message.insert(message.end(), {0x00, 0x02, 0xF7});
    return message;
}

Bytes programUpdate(std::uint8_t device, std::uint32_t address, std::uint8_t fill) {
    Bytes message{0xF0, 0x00, 0x2F, 0x71, device, 0x04, 0x01, 0x08, 0x00, 0x00};
    const Bytes a = encode7bitNumber(address, 3);
    message.insert(message.end(), a.begin(), a.end());
    message.push_back(0x4A);
    const Bytes packed = pack7(Bytes(64, fill));
    message.insert(message.end(), packed.begin(), packed.end());
    message.push_back(0xF7);
    return message;
}

// The computer's side of the loop, stepping virtual time from event to event.
class ChainTest : public ::testing::Test {
protected:
    void start(SimulationOptions options) {
        chain = std::make_unique<SimulatedChain>(clock, std::move(options));
        chain->openInput(0);
        chain->openOutput(0);
    }
    void start(int mcus) { start(optionsFor(mcus)); }

    // Runs the wire until nothing is pending and returns what reached the computer.
    std::vector<Bytes> settle() {
        test::runWire(clock, *chain, std::nullopt, [] {});
        return drain();
    }
    std::vector<Bytes> drain() {
        std::vector<Bytes> received;
        while (auto message = chain->takeReceived()) {
            received.push_back(std::move(*message));
        }
        return received;
    }
    std::vector<Bytes> exchange(const Bytes& message) {
        chain->sendSysEx(message);
        return settle();
    }
    static std::vector<Bytes> matching(const std::vector<Bytes>& messages,
                                       const MessagePredicate& predicate) {
        std::vector<Bytes> found;
        std::copy_if(messages.begin(), messages.end(), std::back_inserter(found),
                     [&](const Bytes& m) { return predicate(m); });
        return found;
    }
    Bytes readBack(int manual) {
        Bytes data;
        for (const Bytes& response :
             matching(exchange(programRequest(static_cast<std::uint8_t>(manual))), isProgramResponse)) {
            const Bytes part = unpack7(std::span(response).subspan(11, response.size() - 12),
                                       [](const std::string&) { FAIL(); });
            data.insert(data.end(), part.begin(), part.end());
        }
        return data;
    }

    ManualClock clock;
    std::unique_ptr<SimulatedChain> chain;
};

TEST_F(ChainTest, EveryMcuIncrementsTheTagAndPassesEverythingOn) {
    for (int mcus = 0; mcus <= maxSimulatedMcus; ++mcus) {
        SCOPED_TRACE(mcus);
        start(mcus);
        EXPECT_EQ(exchange(tag(1)), std::vector<Bytes>{tag(static_cast<std::uint8_t>(1 + mcus))});
        // Addressed to nobody: comes back unchanged, unanswered.
        EXPECT_EQ(exchange(identityRequest(6)), std::vector<Bytes>{identityRequest(6)});
        const Bytes loopback = protocol::loopbackTest(3, 512);
        EXPECT_EQ(exchange(loopback), std::vector<Bytes>{loopback});
        EXPECT_EQ(chain->portName(), "ZKT simulator (" + std::to_string(mcus) + " manuals)");
    }
}

TEST_F(ChainTest, AnInterfaceThatDropsLongMessagesLosesThemBothWays) {
    for (int mcus : {0, 3}) {
        SCOPED_TRACE(mcus);
        SimulationOptions options = optionsFor(mcus);
        options.interfaceDropsLongerThan = 200;
        options.responseMode = ResponseMode::singleMessage;
        start(options);
        const Bytes carried = protocol::loopbackTest(1, 200);
        EXPECT_EQ(exchange(carried), std::vector<Bytes>{carried});
        EXPECT_TRUE(exchange(protocol::loopbackTest(2, 201)).empty());
        if (mcus > 0) {
            // The request goes round; the 305-byte answer does not get back in.
            EXPECT_EQ(exchange(programRequest(2)), std::vector<Bytes>{programRequest(2)});
        }
    }
}

TEST_F(ChainTest, IdentityReplyCarriesTheBoardsFieldsAfterTheEcho) {
    start(3);
    McuIdentity identity;
    identity.firmwareMajor = 3;
    identity.firmwareMinor = 7;
    identity.year = 12;
    identity.dateFirst = 11;
    identity.dateSecond = 30;
    identity.dipProgramMinusOne = 130;
    identity.programSlots = 200;
    identity.hardwareType = 18;
    identity.trailingByte = 5;
    chain->setIdentity(2, identity);

    const std::vector<Bytes> received = exchange(identityRequest(2));
    const Bytes reply{0xF0, 0x7E, 0x02, 0x06, 0x02, 0x00, 0x2F, 0x71, 0x00, 0x01, 3,   7,
                      12,   11,   30,   0x00, 0x02, 0x01, 0x48, 0x01, 18,   5,    0xF7};
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0], identityRequest(2));
    EXPECT_EQ(received[1], reply);
}

TEST_F(ChainTest, WireTimeIsPerBytePerHopAndAnswersQueueBehindTheEcho) {
    start(3);
    chain->sendSysEx(identityRequest(2));
    // Echo: 4 hops of 6 bytes. Reply: leaves MCU 2 after the echo (2 hops of 6 bytes, then its
    // own 6 bytes on hop 3), takes 23 bytes x 320 us to reach MCU 3, and as long again to us.
    const Micros echoAt = 4 * 6 * 320us;
    const Micros replyAt = 3 * 6 * 320us + 2 * 23 * 320us;
    ASSERT_EQ(chain->nextEventTime(), 6 * 320us);
    clock.advance(echoAt - 1us);
    chain->advance();
    EXPECT_TRUE(drain().empty());
    clock.advance(1us);
    chain->advance();
    EXPECT_EQ(drain(), std::vector<Bytes>{identityRequest(2)});
    clock.advance(replyAt - echoAt - 1us);
    chain->advance();
    EXPECT_TRUE(drain().empty());
    clock.advance(1us);
    chain->advance();
    EXPECT_EQ(drain().size(), 1u);
    EXPECT_FALSE(chain->nextEventTime());
}

TEST_F(ChainTest, ProgramResponsesUnpackToTheStoredImageInEitherMode) {
    struct Case {
        ResponseMode mode;
        std::size_t messages;
        std::size_t messageSize;
    };
    for (const Case c : {Case{ResponseMode::fourChunks, 4, 86}, Case{ResponseMode::singleMessage, 1, 305}}) {
        SimulationOptions options = optionsFor(2);
        options.responseMode = c.mode;
        start(options);
        const std::vector<Bytes> responses = matching(exchange(programRequest(2)), isProgramResponse);
        ASSERT_EQ(responses.size(), c.messages);
        for (std::size_t i = 0; i < responses.size(); ++i) {
            EXPECT_EQ(responses[i].size(), c.messageSize);
            EXPECT_EQ(responses[i][4], 0x02);
            EXPECT_EQ(Bytes(responses[i].begin() + 8, responses[i].begin() + 11),
                      encode7bitNumber(static_cast<std::uint32_t>(i * 64), 3));
        }
        EXPECT_EQ(readBack(2), patternImage(2));
        EXPECT_EQ(readBack(1), patternImage(1));
    }
}

TEST_F(ChainTest, UpdateWhileWritingFlashIsLostAndCounted) {
    start(2);
    chain->sendSysEx(programUpdate(1, 0x40, 0xAA));
    chain->sendSysEx(programUpdate(1, 0x80, 0xBB)); // right behind: flash still busy
    settle();
    EXPECT_EQ(chain->counters().updatesStored, 1);
    EXPECT_EQ(chain->counters().updatesLostWhileBusy, 1);

    clock.advance(400ms);
    exchange(programUpdate(1, 0x80, 0xBB));
    EXPECT_EQ(chain->counters().updatesStored, 2);

    Bytes expected = patternImage(1);
    std::fill_n(expected.begin() + 0x40, 64, 0xAA);
    std::fill_n(expected.begin() + 0x80, 64, 0xBB);
    EXPECT_EQ(Bytes(chain->image(1).begin(), chain->image(1).end()), expected);
    EXPECT_EQ(Bytes(chain->image(2).begin(), chain->image(2).end()), patternImage(2));
}

TEST_F(ChainTest, RebootSilencesTheAddressedMcusForFiftyMilliseconds) {
    start(3);
    exchange(reboot(0x7F));
    EXPECT_TRUE(matching(exchange(identityRequest(3)), isIdentityReply).empty());
    EXPECT_TRUE(matching(exchange(programRequest(1)), isProgramResponse).empty());
    EXPECT_EQ(chain->counters().requestsIgnoredWhileRebooting, 2);

    clock.advance(50ms);
    EXPECT_EQ(matching(exchange(identityRequest(3)), isIdentityReply).size(), 1u);

    exchange(reboot(2));
    EXPECT_TRUE(matching(exchange(identityRequest(2)), isIdentityReply).empty());
    EXPECT_EQ(matching(exchange(identityRequest(1)), isIdentityReply).size(), 1u);
    // Passing on goes on while rebooting: the tag still counts every MCU.
    EXPECT_EQ(exchange(tag(1)), std::vector<Bytes>{tag(4)});
}

TEST_F(ChainTest, MessagesReachingAClosedInputAreLost) {
    start(1);
    chain->closeInput();
    EXPECT_TRUE(exchange(identityRequest(1)).empty());
    EXPECT_EQ(chain->counters().lostAtClosedInput, 2);
    chain->openInput(0);
    EXPECT_EQ(exchange(tag(1)).size(), 1u);
    EXPECT_EQ(chain->counters().messagesToComputer, 1);
}

TEST_F(ChainTest, MalformedRequestsAreIgnoredButPassedOn) {
    start(1);
    Bytes shortRequest = programRequest(1);
    shortRequest.erase(shortRequest.begin() + 9, shortRequest.begin() + 12);
    Bytes garbledUpdate = programUpdate(1, 0, 0x11);
    garbledUpdate[40] = 0x90;
    for (const Bytes& message : {shortRequest, garbledUpdate, programUpdate(1, 0xC1, 0x11)}) {
        EXPECT_EQ(exchange(message), std::vector<Bytes>{message});
    }
    EXPECT_EQ(chain->counters().malformedIgnored, 3);
    EXPECT_EQ(Bytes(chain->image(1).begin(), chain->image(1).end()), patternImage(1));
}

TEST_F(ChainTest, FaultsHitTheChosenMessageOnly) {
    start(2);
    MessageFault drop{.kind = FaultKind::drop, .matches = isProgramResponse, .occurrence = 2};
    chain->injectFault(drop);
    std::vector<Bytes> responses = matching(exchange(programRequest(1)), isProgramResponse);
    ASSERT_EQ(responses.size(), 3u);
    EXPECT_EQ(responses[1][8], 0x00); // the chunk at 0x80 went missing
    EXPECT_EQ(responses[1][9], 0x01);
    EXPECT_EQ(matching(exchange(programRequest(1)), isProgramResponse).size(), 4u);

    chain->injectFault({.kind = FaultKind::duplicate, .matches = isIdentityReply});
    const std::vector<Bytes> replies = matching(exchange(identityRequest(2)), isIdentityReply);
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(replies[0], replies[1]);

    chain->injectFault({.kind = FaultKind::corruptData, .matches = isIdentityReply});
    const Bytes corrupted = matching(exchange(identityRequest(1)), isIdentityReply).at(0);
    EXPECT_EQ(corrupted.size(), 23u);
    EXPECT_EQ(corrupted.back(), 0xF7);
    EXPECT_TRUE(std::any_of(corrupted.begin() + 1, corrupted.end() - 1, [](auto b) { return b >= 0x80; }));

    chain->injectFault({.kind = FaultKind::wrongLength, .matches = isIdentityReply, .length = 6});
    const Bytes shortened = matching(exchange(identityRequest(1)), isIdentityReply).at(0);
    EXPECT_EQ(shortened, (Bytes{0xF0, 0x7E, 0x01, 0x06, 0x02, 0xF7}));

    chain->injectFault({.kind = FaultKind::wrongLength, .matches = isIdentityReply, .length = 25});
    const Bytes lengthened = matching(exchange(identityRequest(1)), isIdentityReply).at(0);
    EXPECT_EQ(lengthened.size(), 25u);
    EXPECT_EQ(lengthened.back(), 0xF7);

    EXPECT_EQ(chain->counters().faultsApplied, 5);
}

TEST_F(ChainTest, FaultsOnAnMcusInputHitWhatThatMcuReceives) {
    start(3);
    chain->injectFault({.kind = FaultKind::drop, .matches = isProgramUpdate, .input = 2});
    // Lost before MCU 2, so neither it nor anything behind it sees the update.
    EXPECT_TRUE(matching(exchange(programUpdate(2, 0x40, 0xAA)), isProgramUpdate).empty());
    EXPECT_EQ(Bytes(chain->image(2).begin(), chain->image(2).end()), patternImage(2));
    clock.advance(400ms);
    // The fault hit its one occurrence: the next update arrives and is stored.
    EXPECT_EQ(matching(exchange(programUpdate(2, 0x40, 0xAA)), isProgramUpdate).size(), 1u);
    EXPECT_EQ(chain->image(2)[0x40], 0xAA);

    clock.advance(400ms);
    chain->injectFault({.kind = FaultKind::corruptData, .matches = isProgramUpdate, .input = 3});
    exchange(programUpdate(3, 0x00, 0xBB));
    EXPECT_EQ(chain->image(3)[0x00], patternImage(3)[0x00]);
    EXPECT_EQ(chain->counters().malformedIgnored, 1);

    // A duplicated tag at MCU 1 is counted by every MCU, twice.
    chain->injectFault({.kind = FaultKind::duplicate, .matches = isTagMessage, .input = 1});
    EXPECT_EQ(exchange(tag(1)), (std::vector<Bytes>{tag(4), tag(4)}));
    // Faults at the computer's input do not count messages arriving at the MCUs.
    chain->injectFault({.kind = FaultKind::drop, .matches = isTagMessage, .occurrence = 2});
    EXPECT_EQ(exchange(tag(1)), (std::vector<Bytes>{tag(4)}));
    EXPECT_TRUE(exchange(tag(1)).empty());
    EXPECT_EQ(chain->counters().faultsApplied, 4);

    EXPECT_THROW(chain->injectFault({.kind = FaultKind::drop, .matches = {}, .input = 4}), std::out_of_range);
}

TEST_F(ChainTest, DelayedAnswerArrivesLaterByExactlyTheDelay) {
    start(1);
    chain->sendSysEx(identityRequest(1));
    settle();
    const Micros undelayed = clock.now();

    ManualClock otherClock;
    SimulatedChain delayed(otherClock, optionsFor(1));
    delayed.openInput(0);
    delayed.openOutput(0);
    delayed.injectFault({.kind = FaultKind::delay, .matches = isIdentityReply, .delay = 2s});
    delayed.sendSysEx(identityRequest(1));
    std::vector<Micros> arrivals;
    test::runWire(otherClock, delayed, std::nullopt, [&] {
        while (delayed.takeReceived()) {
            arrivals.push_back(otherClock.now());
        }
    });
    ASSERT_EQ(arrivals.size(), 2u);
    EXPECT_EQ(arrivals[1], undelayed + 2s);
}

TEST_F(ChainTest, RepeatedTagCountFaultKeepsTheCountInvalid) {
    start(3);
    chain->injectFault({.kind = FaultKind::tagCount, .matches = isTagMessage, .repeat = true, .tagCount = 9});
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(exchange(tag(1)), std::vector<Bytes>{tag(9)});
    }
}

TEST_F(ChainTest, McuThatNeverAnswersProgramRequestsStillPassesThemOn) {
    start(3);
    chain->setIgnoresProgramRequests(2, true);
    EXPECT_EQ(exchange(programRequest(2)), std::vector<Bytes>{programRequest(2)});
    EXPECT_EQ(readBack(3), patternImage(3));
}

TEST_F(ChainTest, RefusesImpossibleSetupsAndSends) {
    EXPECT_THROW(SimulatedChain(clock, optionsFor(6)), std::invalid_argument);
    SimulationOptions wrongCount = optionsFor(2);
    wrongCount.mcuCount = 3;
    EXPECT_THROW(SimulatedChain(clock, wrongCount), std::invalid_argument);
    SimulationOptions wrongSize = optionsFor(1);
    wrongSize.images[0].pop_back();
    EXPECT_THROW(SimulatedChain(clock, wrongSize), std::invalid_argument);

    start(1);
    EXPECT_THROW(chain->image(2), std::out_of_range);
    EXPECT_THROW(chain->openInput(1), MidiError);
    EXPECT_THROW(chain->sendSysEx(Bytes{0xF0, 0x01}), MidiError);
    chain->closeOutput();
    EXPECT_THROW(chain->sendSysEx(tag(1)), MidiError);
}

TEST_F(ChainTest, DefaultImagesAreTheExampleOrganAndAFileCanReplaceThem) {
    SimulationOptions options;
    options.mcuCount = 3;
    start(options);
    const ConfigModel organ = exampleOrgan(3);
    for (int manual = 1; manual <= 3; ++manual) {
        SCOPED_TRACE(manual);
        ConfigModel decoded;
        decodeProgramImage(decoded, manual, chain->image(manual));
        const auto firstPiston = organ.pistons.begin() + pistonIndexOf(manual - 1, 0);
        EXPECT_TRUE(std::equal(firstPiston, firstPiston + pistonsPerManual,
                               decoded.pistons.begin() + pistonIndexOf(manual - 1, 0)));
        EXPECT_EQ(decoded.keyboards[static_cast<std::size_t>(manual - 1)],
                  organ.keyboards[static_cast<std::size_t>(manual - 1)]);
    }

    const test::TempFolder folder;
    const std::string file = folder.file("organ.zkt");
    // The MCUs hold the file's bytes as they are, also those a decode would read otherwise (a
    // velocity byte 00 reads as 127) and a format byte made for another hardware type.
    std::vector<Bytes> held = {Bytes(chain->image(1).begin(), chain->image(1).end()),
                               Bytes(chain->image(2).begin(), chain->image(2).end())};
    held[1][0] = 0x12;
    held[1][192] = 0x00;
    writeImagesFile(file, held);
    SimulationOptions fromFile;
    fromFile.configurationFile = file;
    SimulatedChain chainFromFile(clock, fromFile);
    std::filesystem::remove(file);
    ASSERT_EQ(chainFromFile.mcuCount(), 2);
    const auto fromFileImage = chainFromFile.image(2);
    EXPECT_TRUE(std::equal(fromFileImage.begin(), fromFileImage.end(), held[1].begin(), held[1].end()));

    EXPECT_THROW(SimulatedChain(clock, fromFile), ConfigFileError); // gone now
    {
        std::ofstream junk(file);
        junk << "not a configuration\r\n";
    }
    EXPECT_THROW(SimulatedChain(clock, fromFile), ConfigFileError);
}

} // namespace
} // namespace zkt
