// What a run keeps on disk: the history that a step back replays, and echo.out's held lines.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "dialog_harness.h"
#include "history.h"

namespace zemka::test {
namespace {

using Source = History::Source;

History::Answer answerAfter(const History& h, std::uint64_t echoLines, std::int64_t answerFileOffset = 0) {
    return {h.given(), h.givenEnd(), echoLines, 10 * echoLines, answerFileOffset, answerFileOffset > 0};
}

std::vector<History::Read> replay(History& h) {
    std::vector<History::Read> out;
    h.rewind();
    for (History::Read r; h.nextRead(r);) out.push_back(r);
    return out;
}

// Reads far beyond the replay's window of 64 KiB, lines of every length (one longer than the
// window, one empty), cut back to an answer in the middle and replayed again.
TEST(History, ReplaysEveryReadAndCutsBackToAnAnswer) {
    History h;
    std::vector<History::Read> written;
    std::optional<History::Answer> middle;
    for (int k = 0; k < 3000; ++k) {
        std::string line = k == 1000 ? std::string(70000, 'x') : k == 1500 ? "" : "line " + std::to_string(k);
        History::Read r{k % 3 ? Source::keyboard : Source::answerFile, k % 7 != 0, line, 3 * k};
        h.addRead(r.source, r.ok, r.line, r.offset);
        written.push_back(r);
        h.addAnswer(answerAfter(h, static_cast<std::uint64_t>(k + 1)));
        if (k == 1999) middle = answerAfter(h, 2000);
    }
    auto same = [](const std::vector<History::Read>& got, const std::vector<History::Read>& want) {
        ASSERT_EQ(got.size(), want.size());
        for (std::size_t k = 0; k < want.size(); ++k) {
            EXPECT_EQ(got[k].source, want[k].source) << k;
            EXPECT_EQ(got[k].ok, want[k].ok) << k;
            EXPECT_EQ(got[k].line, want[k].line) << k;
            EXPECT_EQ(got[k].offset, want[k].offset) << k;
        }
    };
    same(replay(h), written);

    h.cutBefore(middle);
    written.resize(2000);
    EXPECT_EQ(h.reads(), 2000u);
    same(replay(h), written);
    // New reads follow the kept ones, as if the cut ones had never been.
    h.addRead(Source::keyboard, true, "after", 0);
    written.push_back({Source::keyboard, true, "after", 0});
    same(replay(h), written);
    EXPECT_TRUE(h.lastAccepted(2).empty());
}

TEST(History, LastAcceptedAnswersPassOverRefusedOnes) {
    History h;
    EXPECT_TRUE(h.lastAccepted(2).empty());
    for (std::uint64_t k = 1; k <= 5; ++k) {
        h.addRead(Source::keyboard, true, "a", 0);
        h.addAnswer(answerAfter(h, k, static_cast<std::int64_t>(k)));
        if (k >= 3) h.refuseLast();  // answers 3, 4 and 5 were refused by a complaint
    }
    auto accepted = h.lastAccepted(2);
    ASSERT_EQ(accepted.size(), 2u);
    EXPECT_EQ(accepted[0].echoLines, 2u);
    EXPECT_EQ(accepted[1].echoLines, 1u);
    EXPECT_EQ(accepted[1].echoBytes, 10u);
    EXPECT_EQ(accepted[1].reads, 1u);
    EXPECT_TRUE(accepted[1].answerFileRead);
    EXPECT_EQ(accepted[1].answerFileOffset, 1);
    EXPECT_EQ(h.lastAccepted(5).size(), 2u);
}

// echo.out's lines wait while the run goes on without waiting; an interrupt writes them where
// they belong, and a later flush does not write them twice.
TEST(History, HeldAnswerLinesReachTheFileOnFlushAndInterrupt) {
    TempDir dir;
    auto path = dir.path / "echo.out";
    writeFile(path, "an older run's answers\n");
    ThroughFile echo(path);
    echo.writeLine("first");
    echo.flush();
    echo.writeLine("second");
    echo.writeLine("third");
    EXPECT_EQ(readLines(path), Lines{"first"});
    echo.writeHeldOnInterrupt();
    EXPECT_EQ(readLines(path), (Lines{"first", "second", "third"}));
    echo.flush();
    echo.writeLine(std::string(100000, 'L'));  // longer than the buffer held
    echo.flush();
    EXPECT_EQ(readLines(path), (Lines{"first", "second", "third", std::string(100000, 'L')}));
    EXPECT_EQ(echo.size(), 6 + 7 + 6 + 100001u);
    // A step back cuts the file back by length; what follows is written after the cut.
    echo.cutTo(6 + 7);
    echo.writeLine("again");
    echo.close();
    EXPECT_EQ(readLines(path), (Lines{"first", "second", "again"}));
}

// The interrupt handler writes every held line of every through file before the run ends.
TEST(History, AnInterruptWritesTheHeldLines) {
    TempDir dir;
    pid_t pid = ::fork();
    if (pid == 0) {
        int quiet = ::open("/dev/null", O_WRONLY);
        ::dup2(quiet, 2);
        installInterruptHandlers();
        ThroughFile echo(dir.path / "echo.out");
        ThroughFile log(dir.path / "zemka.log");
        echo.writeLine("taken");
        echo.flush();
        echo.writeLine("held");
        log.writeLine("logged");
        ::raise(SIGTERM);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    EXPECT_EQ(readLines(dir.path / "echo.out"), (Lines{"taken", "held"}));
    EXPECT_EQ(readLines(dir.path / "zemka.log"), Lines{"logged"});
}

}  // namespace
}  // namespace zemka::test
