// 0D programs: every problem type, both precisions, and what each answer writes.
#include <gtest/gtest.h>

#include "scenario.h"

namespace zemka::test {
namespace {

// The opening answers: no example, 0D, precision, NPROB default, no globals, no blocks.
std::vector<std::string> opening(bool doublePrecision) {
    return {"n", "0", doublePrecision ? "y" : "n", "", "", "n"};
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(Gen0d, LinearSteadyStateCompilesInBothPrecisions) {
    for (bool dp : {true, false}) {
        auto sc = runZemka(opening(dp) + std::vector<std::string>{
                               "1", "y", "2", "u", "v", "0", "n", "u+v", "u-v", "", "", "1", "1", "My title", "0", "n"});
        ASSERT_EQ(sc.status, 0) << sc.errors;
        EXPECT_EQ(sc.compileErrors(), "");
        EXPECT_TRUE(sc.has(dp ? "      call dkvr1q(nxgrid,neqn,ii8z,ir8z)" : "      call  kvr1q(nxgrid,neqn,ii8z,ir8z)"));
        EXPECT_TRUE(sc.has(dp ? "      implicit double precision (a-h,o-z)" : "      implicit real (a-h,o-z)"));
        EXPECT_TRUE(sc.hasBlock({"C        Number of Newton iterations", "      NSTEPS = 1"}));
        EXPECT_TRUE(sc.has("      TITLE = 'My title                                '"));
    }
}

}  // namespace
}  // namespace zemka::test
