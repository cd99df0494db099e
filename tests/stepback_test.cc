// Stepping back with "<" at the keyboard: the files come out as if the mistakes had never
// been typed; "<" at the first question and "<" in zemka.in.
#include <gtest/gtest.h>

#include "scenario.h"

namespace zemka::test {
namespace {

// A 0D dialog with a Fortran block before the equation: F = u*a with a = 1.
const std::vector<std::string> clean = {"n", "0", "y", "", "", "n", "1", "y", "1", "u", "0",
                                        "y", "      a = 1", "", "u*a", "", "1", "1", "t", "0", "n"};

TEST(StepBack, TypedMistakesLeaveNoTrace) {
    Scenario reference = runZemka(clean);
    ASSERT_TRUE(finished(reference));
    // Single precision chosen, then undone; a = 2 and a refused F, then back over the
    // refusal and both lines of the block.
    std::vector<std::string> typed = {"n", "0", "n", "<", "y", "", "", "n", "1", "y", "1", "u", "0",
                                      "y", "      a = 2", "", "(u*a", "<", "<", "      a = 1", "", "u*a",
                                      "", "1", "1", "t", "0", "n"};
    Scenario sc = runZemka(typed);
    ASSERT_TRUE(finished(sc));
    EXPECT_EQ(sc.mainf, reference.mainf);
    EXPECT_EQ(sc.echo, reference.echo);
    EXPECT_EQ(timesSaid(sc, "|---- Back at an earlier question; answer it again (< steps back further)"), 3);
    // Back at the precision question, its message shows again.
    EXPECT_EQ(timesSaid(sc, msg(7)), 2);
    auto log = readLines(sc.dir / "zemka.log");
    EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::string& l) { return l.starts_with("      <  "); }),
              3);
    EXPECT_EQ(log.back(), "  21  msg  61  Enter yes or no  n");
}

TEST(StepBack, NothingBeforeTheFirstQuestionAndAnOrdinaryLineInZemkaIn) {
    std::vector<std::string> typed = clean;
    typed.insert(typed.begin(), "<");
    Scenario first = runZemka(typed);
    ASSERT_TRUE(finished(first));
    EXPECT_TRUE(first.said("|---- This is the first question: there is nothing to step back to"));
    EXPECT_EQ(first.echo, runZemka(clean).echo);

    // From zemka.in, "<" is an answer like any other: here the title.
    std::string answers;
    for (const std::string& a : clean) answers += (a == "t" ? "<" : a) + "\n";
    Scenario replay = runZemka({"#"}, {.answerFile = answers});
    ASSERT_TRUE(finished(replay));
    EXPECT_TRUE(replay.has("      TITLE = '<                                       '"));
}

// In every generator's dialog (the example answer files): an answer taken back at once and
// given again leaves the same program, wherever it happens. A worked example is typed without
// its guidance ("n" instead of "y" and its number), which asks the same questions without the
// pause after the introduction. An example whose dialog still pauses cannot be typed as it
// stands (the pause takes a line) and is left out.
TEST(StepBack, AnywhereInEveryGenerator) {
    int typedExamples = 0;
    for (const auto& e : std::filesystem::directory_iterator(ZEMKA_SOURCE_DIR "/examples")) {
        auto answers = readLines(e.path());
        SCOPED_TRACE(e.path().filename().string());
        if (answers.size() > 2 && answers[0] == "y") {
            answers.erase(answers.begin());
            answers[0] = "n";
        }
        std::string answerFile;
        for (const std::string& a : answers) answerFile += a + "\n";
        ScenarioOptions shipped{.catalogue = shippedCatalogue()};
        Scenario replayed = runZemka({"#"}, {.catalogue = shipped.catalogue, .answerFile = answerFile});
        if (replayed.said(pausePrompt)) continue;
        Scenario reference = runZemka(answers, shipped);
        ASSERT_TRUE(finished(reference));
        ++typedExamples;
        std::vector<std::string> typed = answers;
        for (std::size_t i : {answers.size() - 1, answers.size() * 2 / 3, answers.size() / 3})
            typed.insert(typed.begin() + static_cast<long>(i) + 1, {"<", answers[i]});
        Scenario sc = runZemka(typed, shipped);
        EXPECT_EQ(sc.status, 0) << sc.errors;
        EXPECT_EQ(sc.mainf, reference.mainf);
        EXPECT_EQ(sc.echo, reference.echo);
    }
    EXPECT_GE(typedExamples, 3);
}

}  // namespace
}  // namespace zemka::test
