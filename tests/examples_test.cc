// Every answer file in examples/ replays to the end with the shipped message file, records
// the same answers in echo.out, and yields a program that compiles, links and runs. The worked
// examples among them (NN-name.in, NN the example's number) guide the user at every question.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <sstream>

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

// Messages that a worked example's path may show without a line of its own: the number and why.
const std::map<int, std::string> unguided = {
    {1, "asks whether to follow an example, before one is chosen"},
    {2, "lists the examples, before one is chosen"},
};

// The shipped message file with every ordinary line of message n turned into "@n" and every
// line lettered for an example into "@n!", letters kept, so that the terminal of a run tells
// which messages were shown and which of them showed a line of the example followed.
std::string taggedCatalogue() {
    std::istringstream in(shippedCatalogue());
    std::string out;
    for (std::string line; std::getline(in, line);) {
        std::string number = line.substr(0, 4);
        if (number == "9999" || line.size() <= 4) {
            out += line + "\n";
            continue;
        }
        bool lettered = line[4] != ' ';
        out += number + line[4] + "@" + std::to_string(std::stoi(number)) + (lettered ? "!" : "") + "\n";
    }
    return out;
}

TEST(Examples, EveryMessageOnAWorkedExamplesPathGuidesTheUser) {
    const std::regex worked(R"((\d\d)-.*\.in)");
    const std::string catalogue = taggedCatalogue();
    int examples = 0;
    for (const auto& file : exampleFiles()) {
        std::smatch m;
        std::string name = file.filename().string();
        if (!std::regex_match(name, m, worked)) continue;
        SCOPED_TRACE(name);
        ++examples;
        auto sc = runZemka({"#"}, {.catalogue = catalogue, .answerFile = readText(file)});
        ASSERT_EQ(sc.status, 0) << sc.errors;
        std::set<int> shown, guided;
        for (const std::string& l : sc.terminal) {
            std::string t = rtrim(l);
            t.erase(0, t.find_first_not_of(' '));
            if (t.size() < 2 || t[0] != '@' || !std::isdigit(static_cast<unsigned char>(t[1]))) continue;
            (t.back() == '!' ? guided : shown).insert(std::stoi(t.substr(1)));
        }
        EXPECT_TRUE(guided.contains(3)) << "message 3 introduces the example";
        for (int n : shown)
            if (!guided.contains(n) && !unguided.contains(n)) ADD_FAILURE() << "message " << n << " has no line for it";
    }
    EXPECT_EQ(examples, 15);
}

}  // namespace
}  // namespace zemka::test
