// What inigks and endgks leave in the GKS state, seen from inside the process.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <filesystem>

#include "gks/binding.h"
#include "gks/kernel.h"

extern "C" {
void inigks_();
void endgks_();
}

namespace zemka::gks {
namespace {

const Rect kMachWindow{-2, 13, -2, 13};

TEST(Mach, SecondInigksResetsTheWindowButKeepsTheColourTable) {
    char dir[] = "/tmp/zemka-mach-test-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    ASSERT_EQ(chdir(dir), 0);

    inigks_();
    Kernel& k = kernel();
    EXPECT_EQ(k.state(), State::WorkstationActive);
    EXPECT_EQ(k.transformation(1).window, kMachWindow);
    EXPECT_EQ(k.selectedTransformation(), 1);
    const Workstation* ws = k.workstation(1);
    ASSERT_NE(ws, nullptr);
    EXPECT_EQ(ws->colour(2), (Rgb{1, 0, 0}));

    const int32_t one = 1, zero = 0, two = 2;
    const float lo = 0, hi = 1, black = 0;
    gswn_(&one, &lo, &hi, &lo, &hi);
    gselnt_(&zero);
    gscr_(&one, &two, &black, &black, &black);
    inigks_();
    EXPECT_EQ(k.transformation(1).window, kMachWindow);
    EXPECT_EQ(k.selectedTransformation(), 1);
    EXPECT_EQ(k.workstation(1)->colour(2), (Rgb{0, 0, 0}));

    endgks_();
    EXPECT_EQ(k.state(), State::Closed);
    EXPECT_EQ(k.workstation(1), nullptr);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace zemka::gks
