#include "fault_soak.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zkt {
namespace {

// A short run of the fault soak (bench/fault_soak.sh runs the long one): random faults on the
// answers and on the way to the MCUs never make a load or write report success over wrong data.
TEST(FaultSoak, NoTransferReportsSuccessOverWrongData) {
    std::vector<std::string> findings;
    const auto counts =
        soak::runFaultSoak(20261208, 50, [&](const std::string& what) { findings.push_back(what); });
    EXPECT_EQ(counts.runs, 50);
    EXPECT_EQ(counts.silentFailures, 0);
    EXPECT_EQ(counts.exceptions, 0);
    EXPECT_TRUE(findings.empty()) << findings.front();
    // The runs must have exercised both endings, or the check above proves nothing.
    EXPECT_GT(counts.faultsInjected, counts.runs);
    EXPECT_GT(counts.successes, 0);
    EXPECT_GT(counts.reportedFailures, 0);
    EXPECT_EQ(counts.successes + counts.reportedFailures, counts.runs);
}

} // namespace
} // namespace zkt
