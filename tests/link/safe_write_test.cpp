// The write with a backup first, only the changed manuals and a read-back after, against the
// simulated chain in virtual time: what reaches each MCU's flash, what the backup keeps, and
// what the user is told when a step cannot be done.

#include "link/protocol.h"
#include "link/safe_write.h"
#include "model/backup_store.h"
#include "model/example_organ.h"
#include "model/hex_text.h"
#include "support/temp_folder.h"
#include "support/transfer_rig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <optional>
#include <set>

namespace zkt {
namespace {

using test::chainOf;
using test::TransferRig;
using Phase = SafeWrite::Phase;
using Outcome = SafeWrite::Outcome;

// The example organ the simulated MCUs hold, as a configuration to edit; with more manuals
// than the chain has, as a file made for a larger organ.
ConfigModel organHeldBy(const SimulatedChain& chain, int manuals) {
    ConfigModel organ = exampleOrgan(std::max(manuals, 1));
    organ.numberOfManuals = static_cast<std::int16_t>(manuals);
    if (chain.mcuCount() > 0)
        organ.hardwareType = chain.identity(1).hardwareType;
    return organ;
}

constexpr int changedPiston = 11;
constexpr std::int16_t changedProgramNumber = 99;

void changePiston(ConfigModel& organ, int manual) {
    organ.pistons[static_cast<std::size_t>(pistonIndexOf(manual - 1, changedPiston - 1))].programNumber =
        changedProgramNumber;
}

std::vector<Bytes> imagesOf(const SimulatedChain& chain) {
    std::vector<Bytes> images;
    for (int manual = 1; manual <= chain.mcuCount(); ++manual) {
        const auto image = chain.image(manual);
        images.emplace_back(image.begin(), image.end());
    }
    return images;
}

// A transfer rig with a safe write over its engine, keeping its backups in a folder of its own.
struct SafeWriteRig {
    explicit SafeWriteRig(SimulationOptions options = chainOf(3), std::optional<int> manuals = {})
        : rig(std::move(options)) {
        rig.model = organHeldBy(rig.chain, manuals.value_or(rig.chain.mcuCount()));
    }

    // Ticks until the write waits for the user or has ended; false when it did not in time.
    bool run(int limit = 2000) {
        for (int i = 0; i < limit && !waiting(); ++i) {
            rig.tick();
            write.onTick();
        }
        return waiting();
    }

    bool waiting() const {
        const Phase phase = write.phase();
        return phase == Phase::finished || phase == Phase::readFailed || phase == Phase::awaitingConfirmation;
    }

    // The manuals that program updates were sent to, once per update.
    std::vector<int> updatedManuals() const {
        std::vector<int> manuals;
        for (const auto& sent : rig.sentOfKind(ReceivedKind::programUpdateEcho))
            manuals.push_back(protocol::byteAtPosition(sent.message, protocol::pos::device));
        return manuals;
    }

    TransferRig rig;
    test::TempFolder backups;
    bool backupFails = false;
    SafeWrite write{rig.engine, rig.model, rig.status, [this](const std::vector<Bytes>& images) {
                        if (backupFails)
                            throw std::runtime_error("the disk is full");
                        return saveBackup(backups.path(), images, std::chrono::system_clock::now());
                    }};
};

// The chunks of a manual's image that differ between the chain and the configuration.
int chunksToUpdate(const SimulatedChain& chain, const ConfigModel& organ, int manual) {
    const auto held = chain.image(manual);
    const ImageBuffer edited = encodedManual(organ, manual);
    int chunks = 0;
    for (std::size_t first = 0; first < programImageSize; first += protocol::chunkSize)
        chunks += !std::equal(held.begin() + static_cast<std::ptrdiff_t>(first),
                              held.begin() + static_cast<std::ptrdiff_t>(first + protocol::chunkSize),
                              edited.begin() + static_cast<std::ptrdiff_t>(first));
    return chunks;
}

// Four updates to each manual, in manual order.
std::vector<int> updatesTo(const std::vector<int>& manuals) {
    std::vector<int> expected;
    for (int manual : manuals)
        expected.insert(expected.end(), protocol::chunksPerImage, manual);
    return expected;
}

struct ChangedManuals {
    const char* name;
    int mcus;
    int manuals; // of the configuration
    std::vector<int> changed;
    Outcome outcome;
    const char* reported = nullptr;
};

class ChangedOnly : public ::testing::TestWithParam<ChangedManuals> {};

TEST_P(ChangedOnly, UpdatesReachTheChangedManualsAndNoOtherFlash) {
    SafeWriteRig safe(chainOf(GetParam().mcus), GetParam().manuals);
    for (int manual : GetParam().changed)
        changePiston(safe.rig.model, manual);
    const std::vector<Bytes> before = imagesOf(safe.rig.chain);
    // Only the chunks that differ travel, one update each.
    std::vector<int> updates;
    for (int manual : GetParam().changed)
        updates.insert(updates.end(), chunksToUpdate(safe.rig.chain, safe.rig.model, manual), manual);

    safe.write.start({});
    ASSERT_TRUE(safe.run());
    EXPECT_EQ(safe.write.outcome(), GetParam().outcome) << safe.rig.status.content();
    if (GetParam().reported) {
        EXPECT_EQ(safe.write.report(), std::vector<std::string>{GetParam().reported});
    }
    EXPECT_EQ(safe.updatedManuals(), updates);
    EXPECT_EQ(safe.rig.chain.counters().updatesStored, static_cast<int>(updates.size()));
    for (int manual = 1; manual <= GetParam().mcus; ++manual) {
        const bool changed = std::count(GetParam().changed.begin(), GetParam().changed.end(), manual) > 0;
        const auto stored = safe.rig.chain.image(manual);
        const ImageBuffer edited = encodedManual(safe.rig.model, manual);
        EXPECT_TRUE(changed ? std::equal(stored.begin(), stored.end(), edited.begin())
                            : std::equal(stored.begin(), stored.end(), before[manual - 1].begin()))
            << "manual " << manual;
    }
}

INSTANTIATE_TEST_SUITE_P(Organs, ChangedOnly,
                         ::testing::Values(ChangedManuals{"OneOfThree", 3, 3, {2}, Outcome::verified},
                                           ChangedManuals{
                                               "FirstAndLastOfFive", 5, 5, {1, 5}, Outcome::verified},
                                           ChangedManuals{"NoneOfTwo", 2, 2, {}, Outcome::nothingToWrite},
                                           // The chain does not hold the file even though nothing
                                           // it has would change.
                                           ChangedManuals{"NoneOfAThreeManualFileOnTwo",
                                                          2,
                                                          3,
                                                          {},
                                                          Outcome::differs,
                                                          "Manual 3: not in the chain (2 manuals detected)"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct UnreadableChain {
    const char* name;
    int mcus;
    int silentManual; // never answers a program request; 0: none
    bool backupFails;
    const char* reason;
};

class FailedBackup : public ::testing::TestWithParam<UnreadableChain> {};

TEST_P(FailedBackup, WritesNothingUntilTheUserSaysWriteWithoutIt) {
    SafeWriteRig safe(chainOf(GetParam().mcus));
    if (GetParam().silentManual != 0)
        safe.rig.chain.setIgnoresProgramRequests(GetParam().silentManual, true);
    safe.backupFails = GetParam().backupFails;
    changePiston(safe.rig.model, 1);

    safe.write.start({});
    // A minute of virtual time: the user must not wait longer to be asked.
    ASSERT_TRUE(safe.run(600)) << safe.rig.status.content();
    ASSERT_EQ(safe.write.phase(), Phase::readFailed);
    ASSERT_FALSE(safe.write.report().empty());
    EXPECT_NE(safe.write.report().front().find(GetParam().reason), std::string::npos)
        << safe.write.report().front();
    EXPECT_TRUE(safe.rig.sentOfKind(ReceivedKind::programUpdateEcho).empty());
    EXPECT_EQ(safe.backups.entryCount(), 0u);
    if (GetParam().mcus == 0)
        return; // nothing there to write to

    // The MCU has come to its senses, or the user has accepted a write without a backup.
    if (GetParam().silentManual != 0)
        safe.rig.chain.setIgnoresProgramRequests(GetParam().silentManual, false);
    safe.write.writeWithoutBackup();
    ASSERT_TRUE(safe.run());
    EXPECT_EQ(safe.write.outcome(), Outcome::verified) << safe.rig.status.content();
    EXPECT_EQ(safe.updatedManuals(), updatesTo({1, 2, 3}));
    EXPECT_FALSE(safe.write.backupPath());
}

INSTANTIATE_TEST_SUITE_P(
    Reads, FailedBackup,
    ::testing::Values(UnreadableChain{"NoMcus", 0, 0, false, "no valid count of manuals"},
                      UnreadableChain{"SilentManual", 3, 2, false, "manual 2 sent nothing"},
                      UnreadableChain{"BackupNotKept", 3, 0, true, "the disk is full"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadBack, AnUpdateLostOnTheWayIsCaughtAndNamed) {
    SafeWriteRig safe;
    changePiston(safe.rig.model, 2);
    // The first update is the first chunk that changes.
    MessageFault lost{.kind = FaultKind::drop, .matches = isProgramUpdate, .input = 1};
    lost.occurrence = 1;
    safe.rig.chain.injectFault(lost);

    safe.write.start({});
    ASSERT_TRUE(safe.run());
    EXPECT_EQ(safe.write.outcome(), Outcome::differs);
    const std::vector<std::string>& report = safe.write.report();
    ASSERT_EQ(report.size(), 2u) << safe.rig.status.content();
    EXPECT_EQ(report[0].rfind("Manual 2:", 0), 0u) << report[0];
    EXPECT_EQ(report[1], "  Manual 2, piston 11: Program Change #99 on MIDI Channel 2 \u2192 Program Change "
                         "#21 on MIDI Channel 2");
}

// The backup file's lines: each an image buffer whose first bytes are the program image.
std::vector<Bytes> programImagesIn(const std::filesystem::path& file) {
    std::vector<Bytes> images;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        const Bytes buffer = hexToBytes(line.substr(0, line.find_last_not_of("\r ") + 1));
        images.emplace_back(buffer.begin(), buffer.begin() + programImageSize);
    }
    return images;
}

TEST(Backup, HoldsExactlyWhatTheChainHeldBeforeTheWrite) {
    SafeWriteRig safe(chainOf(5));
    for (int manual = 1; manual <= 5; ++manual)
        changePiston(safe.rig.model, manual);
    const std::vector<Bytes> before = imagesOf(safe.rig.chain);

    safe.write.start({});
    ASSERT_TRUE(safe.run());
    ASSERT_EQ(safe.write.outcome(), Outcome::verified);
    ASSERT_TRUE(safe.write.backupPath());
    EXPECT_EQ(programImagesIn(*safe.write.backupPath()), before);
    EXPECT_NE(imagesOf(safe.rig.chain), before);
}

TEST(AllStepsOff, SendsWhatThePlainWriteSendsMessageForMessage) {
    SafeWriteRig safe;
    TransferRig plain(chainOf(3));
    changePiston(safe.rig.model, 2);
    plain.model = safe.rig.model;

    plain.engine.startWrite();
    ASSERT_TRUE(plain.runToEnd());
    safe.write.start({.backup = false, .onlyChanged = false, .verify = false});
    ASSERT_TRUE(safe.run());
    EXPECT_EQ(safe.write.outcome(), Outcome::written);

    const auto& expected = plain.port.sent;
    const auto& sent = safe.rig.port.sent;
    ASSERT_EQ(sent.size(), expected.size());
    for (std::size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(sent[i].message, expected[i].message) << "message " << i;
        EXPECT_EQ(sent[i].at, expected[i].at) << "message " << i;
    }
}

class Confirmation : public ::testing::TestWithParam<bool> {};

TEST_P(Confirmation, WaitsWithNothingWrittenThenWritesWhatWasConfirmed) {
    const bool everyManual = GetParam();
    SafeWriteRig safe;
    changePiston(safe.rig.model, 2);
    const std::vector<int> onlyTheChangedChunks(
        static_cast<std::size_t>(chunksToUpdate(safe.rig.chain, safe.rig.model, 2)), 2);

    safe.write.start({.confirmBeforeWriting = true});
    ASSERT_TRUE(safe.run());
    ASSERT_EQ(safe.write.phase(), Phase::awaitingConfirmation);
    EXPECT_EQ(safe.write.plan().toWrite, std::vector<int>{2});
    EXPECT_TRUE(safe.rig.sentOfKind(ReceivedKind::programUpdateEcho).empty());

    safe.write.confirm({.onlyChanged = !everyManual, .verify = true});
    ASSERT_TRUE(safe.run());
    EXPECT_EQ(safe.write.outcome(), Outcome::verified);
    EXPECT_EQ(safe.updatedManuals(), everyManual ? updatesTo({1, 2, 3}) : onlyTheChangedChunks);
}

INSTANTIATE_TEST_SUITE_P(Choices, Confirmation, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "EveryManual" : "OnlyChanged"; });

// Boards that hold velocity bytes the editors show otherwise (00 reads as 127, 80 as 255): a load
// and a one-piston change of manual 3 flash manual 3 alone and say what the others hold, unless
// every manual is to be written.
class HiddenBytes : public ::testing::TestWithParam<bool> {};

TEST_P(HiddenBytes, AreSaidAndWrittenOnlyWhenEveryManualIs) {
    const bool everyManual = GetParam();
    SimulationOptions options = chainOf(3);
    ConfigModel organ = exampleOrgan(3);
    organ.hardwareType = options.identity.hardwareType;
    for (int manual = 1; manual <= 3; ++manual) {
        const ImageBuffer image = encodedManual(organ, manual);
        options.images.emplace_back(image.begin(), image.begin() + programImageSize);
    }
    const int velocityOfChannel1 = 193 - 1;
    options.images[0][velocityOfChannel1] = 0x00;
    options.images[1][velocityOfChannel1 + 4] = 0x80;
    SafeWriteRig safe(options);
    const std::vector<Bytes> before = imagesOf(safe.rig.chain);
    ASSERT_TRUE(safe.rig.engine.startLoad());
    ASSERT_TRUE(safe.rig.runToEnd());
    changePiston(safe.rig.model, 3);

    safe.write.start({.confirmBeforeWriting = true});
    ASSERT_TRUE(safe.run());
    ASSERT_EQ(safe.write.phase(), Phase::awaitingConfirmation);
    EXPECT_EQ(safe.write.plan().toWrite, std::vector<int>{3});
    const std::vector<std::string> lines = safe.write.plan().describe();
    for (const char* said : {"    Manual 1: the ZKT holds a fixed velocity of 0 on channel 1, shown as 127.",
                             "    Manual 2: channel 5 senses velocity with a stored value 0, shown as 127."})
        EXPECT_NE(std::find(lines.begin(), lines.end(), said), lines.end()) << said;

    safe.write.confirm({.onlyChanged = !everyManual, .verify = true});
    ASSERT_TRUE(safe.run());
    EXPECT_EQ(safe.write.outcome(), Outcome::verified) << safe.rig.status.content();
    const std::vector<Bytes> after = imagesOf(safe.rig.chain);
    if (everyManual) {
        EXPECT_EQ(safe.updatedManuals(), updatesTo({1, 2, 3}));
        EXPECT_EQ(after[0][velocityOfChannel1], 0x7F);
        EXPECT_EQ(after[1][velocityOfChannel1 + 4], 0xFF);
    } else {
        const std::vector<int> updated = safe.updatedManuals();
        EXPECT_EQ(std::set<int>(updated.begin(), updated.end()), std::set<int>{3});
        EXPECT_EQ(after[0], before[0]);
        EXPECT_EQ(after[1], before[1]);
    }
}

INSTANTIATE_TEST_SUITE_P(Choices, HiddenBytes, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "EveryManual" : "OnlyChanged"; });

} // namespace
} // namespace zkt
