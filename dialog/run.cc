#include "run.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace zemka {

Run::Run(std::istream& keyboard, std::ostream& terminal, const std::filesystem::path& d, Catalogue c)
    : dir(d), catalogue(std::move(c)), keyboard_(keyboard), terminal_(terminal), echo_(d / "echo.out"),
      log_(d / "zemka.log") {}

bool Run::replayed(Source source, std::string& line, bool& ok) {
    if (!replaying_) return false;
    History::Read r;
    if (!history_.nextRead(r)) return false;
    // The dialog asks the same questions in the same order again, so it reads from the same
    // places; anything else is a fault of the program, not of the user.
    if (r.source != source) throw std::logic_error("the replay of the dialog is out of step");
    if (source == Source::answerFile) answerFileAt_ = r.offset;
    line = std::move(r.line);
    ok = r.ok;
    return true;
}

void Run::addRead(Source source, bool ok, const std::string& line, std::int64_t offset) {
    history_.addRead(source, ok, line, offset);
    if (source == Source::answerFile) answerFileAt_ = offset;
}

bool Run::keyboardLine(std::string& line) {
    bool ok = true;
    if (replayed(Source::keyboard, line, ok)) return ok;
    takeOver();
    // Before the run may wait for the user, the files and the terminal are up to date. Typed
    // ahead (or a file as the keyboard), the next line is already there.
    if (keyboard_.rdbuf()->in_avail() <= 0) flush();
    if (!std::getline(keyboard_, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    addRead(Source::keyboard, true, line, 0);
    return true;
}

bool Run::answerFileLine(std::string& line, std::string& why) {
    bool ok = true;
    if (replayed(Source::answerFile, line, ok)) {
        if (!ok) why = std::move(line);
        return ok;
    }
    if (!answersTried_) {
        answersTried_ = true;
        answers_.reset(openRegularForReading(dir / "zemka.in", answersMissing_));
        if (answersMissing_ == std::strerror(ENOENT)) answersMissing_ = "there is no zemka.in here";
        else if (!answersMissing_.empty()) answersMissing_ = "cannot open zemka.in: " + answersMissing_;
    }
    ok = false;
    if (!answers_) {
        why = answersMissing_;
    } else {
        char* buf = nullptr;
        std::size_t cap = 0;
        ssize_t n = ::getline(&buf, &cap, answers_.get());
        if (n >= 0) line.assign(buf, static_cast<std::size_t>(n));
        std::free(buf);
        ok = n >= 0;
        if (!ok)
            why = std::ferror(answers_.get()) ? "cannot read zemka.in: " + std::string(std::strerror(errno))
                                              : "zemka.in has no more lines";
        if (ok && !line.empty() && line.back() == '\n') line.pop_back();
        if (ok && !line.empty() && line.back() == '\r') line.pop_back();
    }
    addRead(Source::answerFile, ok, ok ? line : why, answers_ ? std::ftell(answers_.get()) : 0);
    return ok;
}

void Run::show(std::string_view line) {
    if (replaying_) {
        heldOutput_.append(line) += '\n';
        return;
    }
    // Straight into the stream's buffer: a line is written in one piece or the stream fails.
    std::streambuf* out = terminal_.rdbuf();
    auto size = static_cast<std::streamsize>(line.size());
    if (!out || out->sputn(line.data(), size) != size || out->sputc('\n') == std::char_traits<char>::eof())
        terminal_.setstate(std::ios::badbit);
    checkTerminal();
}

void Run::checkTerminal() {
    if (!terminal_)
        throw FatalError(std::string("cannot write the terminal (standard output)") +
                         (errno ? std::string(": ") + std::strerror(errno) : std::string()));
}

void Run::say(std::string_view line) {
    show(line);
    if (log_.said(line)) history_.refuseLast();
}

void Run::notice(std::string_view line) {
    show(line);
    log_.note(line);
}

void Run::flush() {
    echo_.flush();
    log_.file().flush();
    flushTerminal();
}

void Run::flushTerminal() {
    if (replaying_) return;
    terminal_.flush();
    checkTerminal();
}

void Run::recordAnswer(std::string_view line) {
    ++echoLines_;
    echoBytes_ += line.size() + 1;
    if (!replaying_) {
        echo_.writeLine(line);
        noteAnswerRecorded();
    }
    log_.answer(echoLines_, line);
    answerTaken();
}

void Run::unrecordedAnswer(std::string_view line) {
    log_.answer(0, line);
    answerTaken();
}

void Run::answerTaken() {
    history_.addAnswer({history_.given(), history_.givenEnd(), echoLines_, echoBytes_, answerFileAt_.value_or(0),
                        answerFileAt_.has_value()});
    heldOutput_.clear();
}

bool Run::takeOver() {
    if (!replaying_ || history_.given() < history_.reads()) return false;
    replaying_ = false;
    log_.setQuiet(false);
    std::string held = std::move(heldOutput_);
    heldOutput_.clear();
    // A question may have no prompt of its own (the next line of a Fortran block).
    terminal_ << "|---- Back at an earlier question; answer it again (< steps back further)\n" << held;
    checkTerminal();
    return true;
}

bool Run::stepBack() {
    // The question before the one asked now is the one of the last answer taken; the replay
    // goes up to the answer taken before that one. Refused answers are no questions of their
    // own: the replay stops before them.
    std::vector<History::Answer> accepted = history_.lastAccepted(2);
    if (accepted.empty()) return false;
    std::optional<History::Answer> before;
    if (accepted.size() == 2) before = accepted[1];
    std::uint64_t echoLines = before ? before->echoLines : 0;
    log_.note("<  back to the question of echo.out line " + std::to_string(echoLines + 1) +
              "; the answers from there on are undone");
    echo_.cutTo(before ? before->echoBytes : 0);
    echoLines_ = 0;  // the replay counts them again
    echoBytes_ = 0;
    rewindAnswerFile(before);
    history_.cutBefore(before);
    answerFileAt_.reset();
    replaying_ = true;
    heldOutput_.clear();
    log_.setQuiet(true);
    return true;
}

void Run::rewindAnswerFile(const std::optional<History::Answer>& answer) {
    if (answer && answer->answerFileRead) {
        if (answers_ && std::fseek(answers_.get(), answer->answerFileOffset, SEEK_SET) != 0)
            throw FatalError("cannot read zemka.in: " + std::string(std::strerror(errno)));
        return;
    }
    // Not read before that question: opened afresh on the next #, as the first time.
    answers_.reset();
    answersTried_ = false;
}

void Run::finish() {
    echo_.close();
    log_.file().close();
}

}  // namespace zemka
