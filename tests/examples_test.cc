// Every answer file in examples/ replays to the end with the shipped message file, records
// the same answers in echo.out, and yields a program that compiles, links and runs.
#include <gtest/gtest.h>

#include <filesystem>

#include "scenario.h"

namespace zemka::test {
namespace {

std::vector<std::filesystem::path> exampleFiles() {
    std::vector<std::filesystem::path> out;
    for (const auto& e : std::filesystem::directory_iterator(ZEMKA_SOURCE_DIR "/examples"))
        if (e.path().extension() == ".in") out.push_back(e.path());
    std::sort(out.begin(), out.end());
    return out;
}

TEST(Examples, ReplayCompileLinkAndRun) {
    auto files = exampleFiles();
    ASSERT_FALSE(files.empty());
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        // "#" hands every question to zemka.in, as a user replays a file.
        auto sc = runZemka({"#"}, {.catalogue = shippedCatalogue(), .answerFile = readText(file)});
        ASSERT_EQ(sc.status, 0) << sc.errors;
        auto expected = readLines(file);
        ASSERT_EQ(sc.echo.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(rtrim(sc.echo[i]), rtrim(expected[i]));
        EXPECT_EQ(sc.linkAndRunErrors(), "");
    }
}

}  // namespace
}  // namespace zemka::test
