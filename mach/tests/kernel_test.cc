#include "gks/kernel.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace zemka::gks {
namespace {

namespace fs = std::filesystem;

// A kernel whose reports and picture file can be read back.
class KernelTest : public testing::Test {
protected:
    KernelTest() : errors_(std::tmpfile()), kernel_(errors_) {
        path_ = fs::temp_directory_path() /
                ("zemka-kernel-test-" + std::to_string(::getpid()) + ".ps");
    }
    ~KernelTest() override {
        std::fclose(errors_);
        fs::remove(path_);
    }

    // Opens GKS with workstation 1 active on the file.
    void openActive() {
        ASSERT_TRUE(kernel_.connectFile(40, path_));
        kernel_.openGks();
        kernel_.openWorkstation(1, 40, kPostScriptType);
        kernel_.activateWorkstation(1);
    }

    void closeAll() {
        kernel_.deactivateWorkstation(1);
        kernel_.closeWorkstation(1);
        kernel_.closeGks();
    }

    std::string reports() {
        std::rewind(errors_);
        std::string s;
        for (int c; (c = std::fgetc(errors_)) != EOF;) s += static_cast<char>(c);
        return s;
    }

    std::string picture() {
        std::ifstream in(path_);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    void line(float x0, float y0, float x1, float y1) {
        const std::vector<float> x{x0, x1};
        const std::vector<float> y{y0, y1};
        kernel_.polyline(x, y);
    }

    std::FILE* errors_;
    Kernel kernel_;
    fs::path path_;
};

TEST_F(KernelTest, OutOfStateCallsAreReportedAndIgnored) {
    line(0, 0, 1, 1);
    EXPECT_EQ(reports(), "GKS error in GPL: GKS is in state GKCL, needs WSAC or later; call ignored\n");

    openActive();
    kernel_.closeGks();  // a workstation is still open
    kernel_.closeWorkstation(1);  // and still active
    EXPECT_EQ(kernel_.state(), State::WorkstationActive);
    line(0, 0, 1, 1);  // so drawing still works
    closeAll();
    EXPECT_EQ(kernel_.state(), State::Closed);
    const std::string r = reports();
    EXPECT_NE(r.find("GKS error in GCLKS:"), std::string::npos);
    EXPECT_NE(r.find("GKS error in GCLWK: workstation 1 is still active"), std::string::npos);
    EXPECT_NE(picture().find("%%Pages: 1\n"), std::string::npos);
}

TEST_F(KernelTest, WorkstationNeedsABoundConnectionAndTypePostScript) {
    ASSERT_TRUE(kernel_.connectFile(40, path_));
    kernel_.openGks();
    kernel_.openWorkstation(1, 41, kPostScriptType);
    kernel_.openWorkstation(1, 40, 61);
    EXPECT_EQ(kernel_.state(), State::Open);
    EXPECT_NE(reports().find("connection 41 is not bound"), std::string::npos);
    EXPECT_NE(reports().find("workstation type 61 is not available"), std::string::npos);
    kernel_.openWorkstation(1, 40, kPostScriptType);
    EXPECT_EQ(kernel_.state(), State::WorkstationOpen);
}

TEST_F(KernelTest, WorldCoordinatesGoThroughWindowAndViewportOntoThePage) {
    openActive();
    kernel_.setWindow(1, {0, 10, 0, 10});
    kernel_.setViewport(1, {0, 0.5, 0, 0.5});
    kernel_.selectTransformation(1);
    // (10, 10) is the viewport's corner (0.5, 0.5): the middle of the 595 point square that
    // starts 123.5 points up an A4 page.
    line(0, 0, 10, 10);
    // Beyond the viewport the line is clipped, not drawn into the rest of the page.
    line(5, 5, 20, 5);
    closeAll();
    const std::string ps = picture();
    EXPECT_NE(ps.find("0 123.5 M\n297.5 421 L\n"), std::string::npos);
    EXPECT_NE(ps.find("148.75 272.25 M\n297.5 272.25 L\n"), std::string::npos);
    EXPECT_EQ(reports(), "");
}

TEST_F(KernelTest, InvalidTransformationsAreRefused) {
    openActive();
    kernel_.setWindow(0, {0, 2, 0, 2});      // 0 is the fixed identity
    kernel_.setWindow(1, {2, 0, 0, 1});      // not increasing
    kernel_.setViewport(1, {0, 1.5, 0, 1});  // beyond the NDC square
    kernel_.selectTransformation(21);
    EXPECT_EQ(kernel_.transformation(0).window, (Rect{0, 1, 0, 1}));
    EXPECT_EQ(kernel_.transformation(1).window, (Rect{0, 1, 0, 1}));
    EXPECT_EQ(kernel_.transformation(1).viewport, (Rect{0, 1, 0, 1}));
    EXPECT_EQ(kernel_.selectedTransformation(), 0);
    EXPECT_NE(reports().find("GKS error in GSELNT: transformation number 21"), std::string::npos);
}

TEST_F(KernelTest, ColoursComeFromTheWorkstationTableAndBundledFlagsUseBundleOne) {
    openActive();
    kernel_.setColour(1, 1, {0.2, 0.4, 0.6});
    kernel_.setColour(1, 7, {1, 0.5, 0});
    kernel_.attributes().lineColour = 7;
    line(0, 0, 1, 1);
    kernel_.attributes().lineColour = 50;  // never defined: drawn in colour 1
    line(0, 1, 1, 0);
    kernel_.attributes().lineColour = 7;
    std::array<int, 13> flags;
    flags.fill(1);
    flags[2] = 0;  // polyline colour index from the bundle, which has colour 1
    kernel_.setAspectSourceFlags(flags);
    kernel_.attributes().linetype = 2;
    line(0.5, 0, 0.5, 1);
    closeAll();
    const std::string ps = picture();
    const auto orange = ps.find("1 0.5 0 C\n1 W\n[] D\n0 123.5 M");
    const auto blue = ps.find("0.2 0.4 0.6 C\n0 718.5 M");
    ASSERT_NE(orange, std::string::npos);
    ASSERT_NE(blue, std::string::npos);
    // The dashed line follows without a colour change: it is still in colour 1.
    EXPECT_NE(ps.find("[6 4] D\n297.5 123.5 M", blue), std::string::npos);
    EXPECT_EQ(reports(), "");
}

}  // namespace
}  // namespace zemka::gks
