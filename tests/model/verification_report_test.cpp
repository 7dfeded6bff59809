#include "model/example_organ.h"
#include "model/program_image.h"
#include "model/verification_report.h"
#include "support/organs.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

using test::organOf;

// What a load of a chain holding exactly `written` gives.
ConfigModel readBackOf(const ConfigModel& written) {
    ConfigModel readBack;
    readBack.numberOfManuals = written.numberOfManuals;
    readBack.hardwareType = written.hardwareType;
    for (int manual = 1; manual <= written.numberOfManuals; ++manual)
        decodeProgramImage(readBack, manual, encodedManual(written, manual));
    return readBack;
}

std::size_t pistonAt(int manual, int pistonInManual) {
    return static_cast<std::size_t>(pistonIndexOf(manual - 1, pistonInManual - 1));
}

TEST(WriteVerification, NamesOnlyTheManualsAndFieldsThatDiffer) {
    const ConfigModel written = organOf(3);
    EXPECT_TRUE(verificationReport(written, readBackOf(written)).empty());

    ConfigModel readBack = readBackOf(written);
    readBack.pistons[pistonAt(2, 11)].programNumber = 99;
    const auto report = verificationReport(written, readBack);
    ASSERT_EQ(report.size(), 2u);
    EXPECT_EQ(report[0], "Manual 2: the chain differs from the file in 1 setting (file \u2192 chain):");
    EXPECT_EQ(report[1], "  Manual 2, piston 11: Program Change #21 on MIDI Channel 2 \u2192 Program Change "
                         "#99 on MIDI Channel 2");

    // More manuals in the chain than written is no difference; fewer names each missing one.
    ConfigModel longer = readBackOf(organOf(5));
    EXPECT_TRUE(verificationReport(organOf(2), longer).empty());
    ConfigModel shorter = readBackOf(organOf(1));
    EXPECT_EQ(verificationReport(organOf(3), shorter),
              (std::vector<std::string>{"Manual 2: not in the chain (1 manuals detected)",
                                        "Manual 3: not in the chain (1 manuals detected)"}));
}

// An MCU may hold what the encoder would refuse (a half-written image, say): it is reported as a
// difference, not thrown.
TEST(WriteVerification, AReadBackTheEncoderWouldRefuseIsReported) {
    const ConfigModel written = organOf(1);
    ConfigModel readBack = readBackOf(written);
    pistonInfo& bankSelect = readBack.pistons[pistonAt(1, 13)];
    ASSERT_EQ(bankSelect.functionGroup, static_cast<std::int16_t>(FunctionGroup::bankSelect));
    bankSelect.programNumber = 0;
    ASSERT_THROW(encodedManual(readBack, 1), EncodeOverflow);
    const auto report = verificationReport(written, readBack);
    ASSERT_EQ(report.size(), 2u);
    EXPECT_EQ(report[1],
              "  Manual 1, piston 13: Bank Select on MIDI Channel 6 (MSB 0, LSB 1, program 6) \u2192 "
              "Bank Select on MIDI Channel 6 (MSB 0, LSB 1, program 0)");
}

// What the user saw is compared, not what the images made of it: a piston the encoder turns
// into another is named, while values not in use never count.
TEST(WriteVerification, APistonWhoseMeaningDiffersIsNamed) {
    ConfigModel written = organOf(1);
    pistonInfo& bankSelect = written.pistons[pistonAt(1, 13)];
    bankSelect.bankSelMSBFlag = false;
    bankSelect.bankSelLSBFlag = false;
    bankSelect.bankSelProgramFlag = false;
    written.pistons[pistonAt(1, 5)].functionType = 7; // stored by no image
    written.pistons[pistonAt(1, 5)].functionGroup = 0;
    written.pistons[pistonAt(1, 5)].midiChannel = 12;
    const auto report = verificationReport(written, readBackOf(written));
    EXPECT_EQ(report, (std::vector<std::string>{
                          "Manual 1: the chain differs from the file in 1 setting (file \u2192 chain):",
                          "  Manual 1, piston 13: Bank Select on MIDI Channel 6 \u2192 Unassigned"}));
}

} // namespace
} // namespace zkt
