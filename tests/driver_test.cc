// The start of a run: banner, example and dimension questions, files, fatal reports.
#include <gtest/gtest.h>

#include <fstream>

#include "scenario.h"

namespace zemka::test {
namespace {

TEST(Driver, BannerExampleAndDimensionQuestions) {
    // yes to the example question, 16 refused, 15 taken; dimension 4 refused; then the
    // 2D collocation choice, which is not built yet, ends the run, leaving no main.f.
    auto sc = runZemka({"y", "16", "15", "", "4", "2", "2"});
    EXPECT_TRUE(sc.mainf.empty());
    EXPECT_TRUE(sc.said("   MSG 2"));
    EXPECT_TRUE(sc.said("|---- Illegal input.  Re-enter integer in the range 0 to 15"));
    EXPECT_TRUE(sc.said("|---- Illegal input.  Re-enter integer in the range 0 to 3"));
    EXPECT_TRUE(sc.said("   MSG 6"));
    EXPECT_FALSE(sc.said("   MSG 5"));
    EXPECT_NE(sc.status, 0);
    EXPECT_NE(sc.errors.find("not available yet"), std::string::npos);
    EXPECT_EQ(sc.echo, (std::vector<std::string>{"y  ", "16" + std::string(70, ' '), "15" + std::string(70, ' '),
                                                  "4" + std::string(71, ' '), "2" + std::string(71, ' '),
                                                  "2" + std::string(71, ' ')}));
    // A finished run with example 15 keeps message 3 boxed after the banner.
    auto example = runZemka({"y", "15", "", "0", "y", "", "", "n", "1", "y", "1", "u", "0", "n", "u", "", "1", "1",
                             "t", "0", "n"});
    ASSERT_TRUE(finished(example));
    EXPECT_TRUE(follows(example, {"C     **************************", "C     * ZEMKA 9.6 MAIN PROGRAM *",
                                  "C     **************************", "MSG 3"}));
}

TEST(Driver, MissingOrBrokenCatalogueLeavesOldFilesAlone) {
    for (std::string catalogue : {std::string(), std::string("   1 hello\n   2 x$$x\n9999\n"),
                                  std::string("   1 hello\n")}) {
        ScenarioOptions o;
        o.writeCatalogue = !catalogue.empty();
        o.catalogue = catalogue;
        auto sc = runZemka({"n", "0"}, o);
        EXPECT_EQ(sc.status, 1);
        EXPECT_NE(sc.errors.find("zemka.seq"), std::string::npos) << sc.errors;
        EXPECT_TRUE(sc.terminal.empty());
    }
    // An older main.f survives a failed start.
    auto first = runZemka({}, {.catalogue = "", .answerFile = "", .writeCatalogue = false});
    std::ofstream(first.dir / "main.f") << "old\n";
    std::string cmd = "cd '" + first.dir.string() + "' && '" ZEMKA_BINARY "' </dev/null >/dev/null 2>&1";
    EXPECT_NE(std::system(cmd.c_str()), 0);
    EXPECT_EQ(readLines(first.dir / "main.f"), std::vector<std::string>{"old"});
}

TEST(Driver, UncreatableOutputFilesAreReported) {
    for (std::string file : {"main.f", "echo.out"}) {
        auto first = runZemka({}, {.catalogue = "", .answerFile = "", .writeCatalogue = false});
        std::filesystem::create_directory(first.dir / file);
        std::ofstream(first.dir / "zemka.seq") << testCatalogue();
        std::string cmd = "cd '" + first.dir.string() + "' && '" ZEMKA_BINARY "' </dev/null >out.txt 2>err.txt";
        EXPECT_EQ(WEXITSTATUS(std::system(cmd.c_str())), 1);
        auto err = readLines(first.dir / "err.txt");
        ASSERT_EQ(err.size(), 1u);
        EXPECT_EQ(err[0].rfind("zemka: cannot create " + file, 0), 0u) << err[0];
        EXPECT_TRUE(readLines(first.dir / "out.txt").empty());
    }
}

TEST(Driver, HelpAndVersionAreTheOnlyArguments) {
    auto sc = runZemka({});
    auto run = [&](const std::string& args) {
        std::string cmd = "cd '" + sc.dir.string() + "' && '" ZEMKA_BINARY "' " + args + " </dev/null >out.txt 2>&1";
        return WEXITSTATUS(std::system(cmd.c_str()));
    };
    EXPECT_EQ(run("--version"), 0);
    EXPECT_EQ(readLines(sc.dir / "out.txt"), std::vector<std::string>{"zemka 9.6"});
    EXPECT_EQ(run("--help"), 0);
    EXPECT_EQ(readLines(sc.dir / "out.txt")[0], "usage: zemka");
    EXPECT_EQ(run("main.f"), 2);
}

TEST(Driver, EndOfKeyboardInputIsReported) {
    auto sc = runZemka({"n"});
    EXPECT_EQ(sc.status, 1);
    EXPECT_NE(sc.errors.find("end of keyboard input"), std::string::npos);
}

}  // namespace
}  // namespace zemka::test
