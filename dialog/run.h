// What one run of zemka keeps while its dialog is started again: the keyboard and the
// terminal, the message catalogue, echo.out and zemka.log, zemka.in with its position, and
// the history of every line read so far.
//
// Stepping back to an earlier question starts the dialog again with a fresh Session (a new
// temporary main.f, new scratch streams, labels and flags) and replays, silently and from the
// history on disk, every line read before that question. The generators write main.f in one
// pass and keep their state in their own objects, so none of them needs to know about it.
#pragma once

#include <cstdio>
#include <filesystem>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "catalogue.h"
#include "files.h"
#include "history.h"
#include "log.h"

namespace zemka {

// Thrown out of the dialog when the user steps back; the run is then started again.
struct StepBack {};

class Run {
public:
    Run(std::istream& keyboard, std::ostream& terminal, const std::filesystem::path& dir, Catalogue catalogue);

    const std::filesystem::path dir;
    const Catalogue catalogue;

    // A keyboard line with its trailing carriage return dropped; false at end of input.
    bool keyboardLine(std::string& line);
    // The next line of zemka.in, opening it on first use; false when none can be had, with
    // why saying so in the user's terms.
    bool answerFileLine(std::string& line, std::string& why);

    // Terminal output: say may be a prompt or a complaint (for zemka.log and for telling
    // refused answers apart); show is neither (message lines, answers read from zemka.in).
    void say(std::string_view line);
    void show(std::string_view line);
    // A line about the dialog rather than about an answer: on the terminal and in zemka.log.
    void notice(std::string_view line);
    void flushTerminal();
    // echo.out, zemka.log and the terminal get every line written so far.
    void flush();
    void messageShown(int n) { log_.message(n); }

    // An answer: recorded in echo.out (and zemka.log), or refused before (too long).
    void recordAnswer(std::string_view line);
    void unrecordedAnswer(std::string_view line);

    // Ends a replay whose lines are all given: the question now asked goes to the keyboard
    // and the terminal shows it as the dialog has just reached it. True if a replay ended.
    bool takeOver();
    // Prepares the run to start again at the question before the one asked now; false when
    // there is none.
    bool stepBack();

    // echo.out and zemka.log are complete: closes them, checked.
    void finish();

private:
    using Source = History::Source;
    bool replayed(Source source, std::string& line, bool& ok);
    void checkTerminal();
    void answerTaken();
    void addRead(Source source, bool ok, const std::string& line, std::int64_t offset);
    // zemka.in positioned as it was after the reads of that answer (all reads without one).
    void rewindAnswerFile(const std::optional<History::Answer>& answer);

    std::istream& keyboard_;
    std::ostream& terminal_;
    ThroughFile echo_;
    DialogLog log_;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> answers_{nullptr, std::fclose};
    bool answersTried_ = false;
    std::string answersMissing_;  // why zemka.in could not be opened

    History history_;
    bool replaying_ = false;
    std::string heldOutput_;  // the terminal lines of the replay since its last answer
    std::uint64_t echoLines_ = 0;  // answers in echo.out, also those a replay does not write again
    std::uint64_t echoBytes_ = 0;  // and their length
    std::optional<std::int64_t> answerFileAt_;  // zemka.in's position after its last read
};

}  // namespace zemka
