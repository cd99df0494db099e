// Runs that do not finish: full disks, interrupts, closed standard descriptors, FIFOs and a
// closed pipe. Each leaves an earlier main.f as it was and no temporary file behind, keeps
// echo.out to the last answer taken, reports one line and ends with a non-zero status.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "scenario.h"

namespace zemka::test {
namespace {
namespace fs = std::filesystem;

const std::string oldMain = "      program old\n      end\n";
const std::string oldEcho = "old answer\n";

// A whole 0D dialog: no example, double precision, one linear steady equation u = 0.
const std::vector<std::string> dialog0d = {"n", "0", "y", "", "", "n", "1", "y", "1", "u",
                                           "0", "n", "u", "", "1", "1", "t", "0", "n"};

ScenarioOptions withOldFiles(ScenarioOptions o = {}) {
    o.files = {{"main.f", oldMain}, {"echo.out", oldEcho}};
    return o;
}

// The files a run left in its directory beside the ones the test wrote.
std::vector<std::string> leftBehind(const Scenario& sc) {
    static const std::set<std::string> expected{"zemka.seq", "keys.txt", "terminal.txt", "errors.txt",
                                                "main.f",    "echo.out", "zemka.in",     "scratch",   "zemka.log"};
    std::vector<std::string> left;
    for (const auto& e : fs::recursive_directory_iterator(sc.dir))
        if (!expected.contains(e.path().filename().string())) left.push_back(e.path().filename().string());
    return left;
}

// The run ended with one report that starts with start, and left main.f as it was.
void failedCleanly(const Scenario& sc, const std::string& start) {
    EXPECT_NE(sc.status, 0);
    EXPECT_EQ(sc.errors.rfind("zemka: " + start, 0), 0u) << sc.errors;
    EXPECT_EQ(std::count(sc.errors.begin(), sc.errors.end(), '\n'), 1) << sc.errors;
    EXPECT_EQ(readText(sc.dir / "main.f"), oldMain);
    EXPECT_EQ(leftBehind(sc), std::vector<std::string>{});
}

// The launcher that runs zemka on the file-system shim with these settings; the scratch
// space is scratch/ in the run's directory.
std::string onShim(const std::string& settings) {
    return "mkdir scratch && TMPDIR=\"$PWD/scratch\" LD_PRELOAD='" ZEMKA_FULLFS "' " + settings;
}

// The launcher that fills the disk after some bytes for the files whose paths start with
// prefix (relative to the run's directory).
std::string fullDisk(const std::string& prefix, long bytes) {
    return onShim("ZEMKA_FULL_DIR=\"$PWD/" + prefix + "\" ZEMKA_FULL_AFTER=" + std::to_string(bytes));
}

TEST(Faults, FullScratchSpaceOrWorkingDirectory) {
    Scenario clean = runZemka(dialog0d);
    ASSERT_EQ(clean.status, 0) << clean.errors;

    // Scratch space full: the body stream cannot be written when it is copied into main.f.
    Scenario scratch = runZemka(dialog0d, withOldFiles({.launcher = fullDisk("scratch", 100)}));
    failedCleanly(scratch, "cannot write a scratch file in " + (scratch.dir / "scratch").string() +
                               ": No space left on device");
    EXPECT_EQ(scratch.echo, clean.echo);

    // The working directory fills up while main.f is written: its head, and the streams
    // copied in behind it by the kernel.
    auto mainSize = static_cast<long>(fs::file_size(clean.dir / "main.f"));
    for (long room : {1000L, mainSize - 100}) {
        Scenario program = runZemka(dialog0d, withOldFiles({.launcher = fullDisk("main.f", room)}));
        failedCleanly(program, "cannot write main.f: No space left on device");
        EXPECT_EQ(program.echo, clean.echo);
    }

    // It fills up after two and a half answers: echo.out keeps the two whole ones.
    long twoAndAHalf = static_cast<long>(clean.echo[0].size() + clean.echo[1].size() + 2 + clean.echo[2].size() / 2);
    Scenario echo = runZemka(dialog0d, withOldFiles({.launcher = fullDisk("echo.out", twoAndAHalf)}));
    failedCleanly(echo, "cannot write echo.out: No space left on device");
    EXPECT_EQ(echo.echo, (std::vector<std::string>(clean.echo.begin(), clean.echo.begin() + 2)));
}

// Where the kernel cannot copy between the scratch space and the working directory, the
// streams are copied in blocks, to the same main.f.
TEST(Faults, ScratchSpaceTheKernelCannotCopyFrom) {
    Scenario clean = runZemka(dialog0d);
    Scenario blocks = runZemka(dialog0d, {.launcher = onShim("ZEMKA_NO_KERNEL_COPY=1")});
    ASSERT_EQ(blocks.status, 0) << blocks.errors;
    EXPECT_EQ(blocks.mainf, clean.mainf);
}

// Starts zemka in dir on these standard input and output descriptors, with standard error
// in errors.txt.
pid_t start(const fs::path& dir, int in, int out) {
    pid_t pid = ::fork();
    if (pid == 0) {
        int err = ::open((dir / "errors.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(in, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        if (::chdir(dir.c_str()) != 0) ::_exit(126);
        ::execl(ZEMKA_BINARY, "zemka", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return pid;
}

// The status of a child that ended; the signal that ended it, if one did.
int finish(pid_t pid, Scenario& sc, int& signal) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    sc.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    sc.errors = readText(sc.dir / "errors.txt");
    sc.echo = readLines(sc.dir / "echo.out");
    return status;
}

// zemka on a keyboard the test types into, interrupted once it has taken every typed answer
// (or, with none typed, once it asks the first question).
struct Interrupted {
    Scenario sc;
    int signal = 0;
};

Interrupted interrupt(int sig, const std::vector<std::string>& typed) {
    Interrupted run;
    run.sc = runZemka({}, withOldFiles({.streams = "--version > /dev/null"}));
    const fs::path& dir = run.sc.dir;
    int keys[2];
    if (::pipe(keys) != 0) throw std::runtime_error("pipe");
    int terminal = ::open((dir / "terminal.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = start(dir, keys[0], terminal);
    ::close(keys[0]);
    ::close(terminal);
    for (const std::string& line : typed) (void)!::write(keys[1], (line + "\n").data(), line.size() + 1);
    for (int waited = 0; waited < 2000; ++waited) {
        bool ready = typed.empty() ? readText(dir / "terminal.txt").find("|---- Enter yes or no") != std::string::npos
                                   : readLines(dir / "echo.out").size() == typed.size();
        if (ready) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ::kill(pid, sig);
    finish(pid, run.sc, run.signal);
    ::close(keys[1]);
    return run;
}

TEST(Faults, InterruptsKeepTheOldProgramAndEveryAnswer) {
    Interrupted first = interrupt(SIGINT, {});
    EXPECT_EQ(first.signal, SIGINT);
    EXPECT_EQ(first.sc.errors,
              "zemka: interrupted before the first answer; main.f and echo.out are unchanged\n");
    EXPECT_EQ(readText(first.sc.dir / "main.f"), oldMain);
    EXPECT_EQ(readText(first.sc.dir / "echo.out"), oldEcho);

    const std::vector<std::string> typed(dialog0d.begin(), dialog0d.begin() + 5);
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
        Interrupted later = interrupt(sig, typed);
        SCOPED_TRACE(sig);
        EXPECT_EQ(later.signal, sig);
        EXPECT_EQ(later.sc.errors, "zemka: interrupted; main.f is unchanged; to resume, cp echo.out zemka.in, "
                                   "start zemka and type # at the first question\n");
        EXPECT_EQ(readText(later.sc.dir / "main.f"), oldMain);
        EXPECT_EQ(leftBehind(later.sc), std::vector<std::string>{});
        ASSERT_EQ(later.sc.echo.size(), typed.size());
        for (std::size_t i = 0; i < typed.size(); ++i) EXPECT_EQ(rtrim(later.sc.echo[i]), typed[i]);
    }
}

TEST(Faults, ClosedStandardDescriptors) {
    Scenario clean = runZemka(dialog0d);
    // Without standard output the answers still go to echo.out alone.
    Scenario noOutput = runZemka(dialog0d, {.streams = "< keys.txt >&- 2> errors.txt"});
    EXPECT_EQ(noOutput.status, 0) << noOutput.errors;
    EXPECT_EQ(noOutput.echo, clean.echo);
    EXPECT_EQ(noOutput.mainf, clean.mainf);
    // Without standard input there is no answer to be had.
    Scenario noInput = runZemka({}, withOldFiles({.streams = "<&- > terminal.txt 2> errors.txt"}));
    failedCleanly(noInput, "end of keyboard input");
    EXPECT_EQ(readText(noInput.dir / "echo.out"), oldEcho);
}

TEST(Faults, FifosAreRefusedNotWaitedOn) {
    for (std::string name : {"zemka.seq", "main.f", "echo.out"}) {
        ScenarioOptions o = withOldFiles();
        std::erase_if(o.files, [&](const auto& f) { return f.first == name; });
        o.launcher = "rm -f " + name + " && mkfifo " + name + " && timeout 20";
        Scenario sc = runZemka(dialog0d, o);
        SCOPED_TRACE(name);
        EXPECT_EQ(sc.status, 1);
        EXPECT_NE(sc.errors.find(name), std::string::npos) << sc.errors;
        EXPECT_NE(sc.errors.find(": not a regular file\n"), std::string::npos) << sc.errors;
    }
    // A FIFO as zemka.in: the answer stays at the keyboard, and says why.
    std::vector<std::string> keys{"#"};
    keys.insert(keys.end(), dialog0d.begin(), dialog0d.end());
    Scenario sc = runZemka(keys, {.launcher = "mkfifo zemka.in && timeout 20"});
    EXPECT_EQ(sc.status, 0) << sc.errors;
    EXPECT_TRUE(sc.said("|---- cannot open zemka.in: not a regular file; the questions stay at the keyboard"));
}

TEST(Faults, ClosedPipeIsAFailedWrite) {
    // Standard output is a pipe whose reader is gone before zemka writes its first line.
    Scenario sc = runZemka(dialog0d, withOldFiles({.streams = "--version > /dev/null"}));
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    ::close(pipeEnds[0]);
    int keys = ::open((sc.dir / "keys.txt").c_str(), O_RDONLY);
    pid_t pid = start(sc.dir, keys, pipeEnds[1]);
    ::close(keys);
    ::close(pipeEnds[1]);
    int signal = 0;
    finish(pid, sc, signal);
    EXPECT_EQ(signal, 0);
    failedCleanly(sc, "cannot write the terminal (standard output): Broken pipe");
}

}  // namespace
}  // namespace zemka::test
