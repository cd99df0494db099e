// The start of a run: banner, example and dimension questions, files, fatal reports.
#include <gtest/gtest.h>

#include <fstream>

#include "scenario.h"

namespace zemka::test {
namespace {

TEST(Driver, BannerExampleAndDimensionQuestions) {
    // yes to the example question, 16 refused, 15 taken; dimension 4 refused, 2 taken; then
    // the input ends at the method question, leaving no main.f.
    auto sc = runZemka({"y", "16", "15", "", "4", "2"});
    EXPECT_TRUE(sc.mainf.empty());
    EXPECT_TRUE(sc.said("   MSG 2"));
    EXPECT_TRUE(sc.said("|---- Illegal input.  Re-enter integer in the range 0 to 15"));
    EXPECT_TRUE(sc.said("|---- Illegal input.  Re-enter integer in the range 0 to 3"));
    EXPECT_TRUE(sc.said("   MSG 6"));
    EXPECT_FALSE(sc.said("   MSG 5"));
    EXPECT_NE(sc.status, 0);
    EXPECT_NE(sc.errors.find("end of keyboard input"), std::string::npos);
    EXPECT_EQ(sc.echo, (std::vector<std::string>{"y  ", "16" + std::string(70, ' '), "15" + std::string(70, ' '),
                                                  "4" + std::string(71, ' '), "2" + std::string(71, ' ')}));
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

// An installed zemka runs from any directory: the working directory's zemka.seq wins, the
// installed copy serves where there is none, and without either the report names both.
TEST(Driver, MessageFileFromTheWorkingDirectoryElseTheInstalledOne) {
    Scenario sc = runZemka({}, {.writeCatalogue = false, .streams = "--version > /dev/null"});
    const std::filesystem::path prefix = sc.dir / "prefix", work = sc.dir / "work";
    std::string install = "'" ZEMKA_CMAKE "' --install '" ZEMKA_BUILD_DIR "' --component Unspecified --prefix '" +
                          prefix.string() + "' > install.txt";
    ASSERT_EQ(std::system(("cd '" + sc.dir.string() + "' && " + install).c_str()), 0);
    std::filesystem::create_directory(work);
    auto run = [&] {
        std::string cmd = "cd '" + work.string() + "' && echo n | '" + (prefix / "bin" / "zemka").string() +
                          "' > out.txt 2> err.txt";
        std::system(cmd.c_str());
        return std::pair{readLines(work / "out.txt"), readText(work / "err.txt")};
    };
    std::string firstShipped = shippedCatalogue().substr(5, shippedCatalogue().find('\n') - 5);
    auto [installed, installedErrors] = run();
    ASSERT_FALSE(installed.empty()) << installedErrors;
    EXPECT_EQ(rtrim(installed[0]), "   " + rtrim(firstShipped));

    std::ofstream(work / "zemka.seq") << testCatalogue();
    EXPECT_EQ(rtrim(run().first.at(0)), "   MSG 1");

    std::filesystem::remove(work / "zemka.seq");
    std::filesystem::remove(prefix / "share" / "zemka" / "zemka.seq");
    auto [none, errors] = run();
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(errors, "zemka: cannot open the message file: there is no zemka.seq in the working directory, nor " +
                          (prefix / "share" / "zemka" / "zemka.seq").string() + "\n");
}

// A # without zemka.in says so and stays at the keyboard; zemka.log numbers the answers of
// echo.out with their message and prompt, a refusal under the answer it refuses, and an
// answer too long for echo.out as "-".
TEST(Driver, AnswerFileNoticeAndDialogLog) {
    Scenario sc = runZemka({"#", "n", "0", "maybe", "y", "", "beta", std::string(66, '1'), "(1", "0.5", ""});
    EXPECT_TRUE(sc.said("|---- there is no zemka.in here; the questions stay at the keyboard"));
    EXPECT_EQ(readLines(sc.dir / "zemka.log"),
              (std::vector<std::string>{"      |---- there is no zemka.in here; the questions stay at the keyboard",
                                        "   1  msg   1  Enter yes or no  n",
                                        "   2  msg   4  Enter an integer value in the range 0 to 3  0",
                                        "   3  msg   7  Enter yes or no  may",
                                        "      |---- What?  yes or no, starting in first column please.",
                                        "   4  msg   7  Enter yes or no  y",
                                        "   5  msg   8  NPROB =",
                                        "   6  msg   9  Parameter name =  beta",
                                        "   -  msg   9  beta   =  " + std::string(66, '1'),
                                        "      |---- At most 65 characters here; re-enter",
                                        "   7  msg   9  beta   =  (1",
                                        "      |---- Unbalanced parentheses; re-enter",
                                        "   8  msg   9  beta   =  0.5",
                                        "   9  msg   9  Parameter name ="}));
}

TEST(Driver, EndOfKeyboardInputIsReported) {
    auto sc = runZemka({"n"});
    EXPECT_EQ(sc.status, 1);
    EXPECT_NE(sc.errors.find("end of keyboard input"), std::string::npos);
}

}  // namespace
}  // namespace zemka::test
