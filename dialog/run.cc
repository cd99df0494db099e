#include "run.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace zemka {

Run::Run(std::istream& keyboard, std::ostream& terminal, const std::filesystem::path& d, Catalogue c)
    : dir(d), catalogue(std::move(c)), keyboard_(keyboard), terminal_(terminal), echo_(d / "echo.out"),
      log_(d / "zemka.log") {}

bool Run::replayed(Source source, std::string& line, bool& ok) {
    if (!replaying_ || replayAt_ >= reads_.size()) return false;
    const Read& r = reads_[replayAt_++];
    // The dialog asks the same questions in the same order again, so it reads from the same
    // places; anything else is a fault of the program, not of the user.
    if (r.source != source) throw std::logic_error("the replay of the dialog is out of step");
    line = r.line;
    ok = r.ok;
    return true;
}

bool Run::keyboardLine(std::string& line) {
    bool ok = true;
    if (replayed(Source::keyboard, line, ok)) return ok;
    takeOver();
    flushTerminal();
    if (!std::getline(keyboard_, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    reads_.push_back({Source::keyboard, true, line, 0});
    replayAt_ = reads_.size();
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
    reads_.push_back({Source::answerFile, ok, ok ? line : why, answers_ ? std::ftell(answers_.get()) : 0});
    replayAt_ = reads_.size();
    return ok;
}

void Run::show(const std::string& line) {
    if (replaying_) {
        heldOutput_ += line + '\n';
        return;
    }
    terminal_ << line << '\n';
    checkTerminal();
}

void Run::checkTerminal() {
    if (!terminal_)
        throw FatalError(std::string("cannot write the terminal (standard output)") +
                         (errno ? std::string(": ") + std::strerror(errno) : std::string()));
}

void Run::say(const std::string& line) {
    show(line);
    log_.said(line);
    if (isComplaint(line) && !taken_.empty()) taken_.back().refused = true;
}

void Run::notice(const std::string& line) {
    show(line);
    log_.note(line);
}

void Run::flushTerminal() {
    if (replaying_) return;
    terminal_.flush();
    checkTerminal();
}

void Run::recordAnswer(const std::string& line) {
    ++echoLines_;
    if (!replaying_) {
        echo_.writeLine(line);
        noteAnswerRecorded();
    }
    log_.answer(echoLines_, line);
    answerTaken();
}

void Run::unrecordedAnswer(const std::string& line) {
    log_.answer(0, line);
    answerTaken();
}

void Run::answerTaken() {
    taken_.push_back({replayAt_, echoLines_});
    heldOutput_.clear();
}

bool Run::takeOver() {
    if (!replaying_ || replayAt_ < reads_.size()) return false;
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
    auto accepted = [](const Answer& a) { return !a.refused; };
    auto last = std::find_if(taken_.rbegin(), taken_.rend(), accepted);
    if (last == taken_.rend()) return false;
    auto before = std::find_if(last + 1, taken_.rend(), accepted);
    std::size_t reads = before == taken_.rend() ? 0 : before->reads;
    std::size_t echoLines = before == taken_.rend() ? 0 : before->echoLines;
    log_.note("<  back to the question of echo.out line " + std::to_string(echoLines + 1) +
              "; the answers from there on are undone");
    echo_.keepLines(echoLines);
    echoLines_ = 0;  // the replay counts them again
    reads_.resize(reads);
    rewindAnswerFile(reads);
    taken_.clear();
    replayAt_ = 0;
    replaying_ = true;
    heldOutput_.clear();
    log_.setQuiet(true);
    return true;
}

void Run::rewindAnswerFile(std::size_t reads) {
    for (std::size_t k = reads; k-- > 0;)
        if (reads_[k].source == Source::answerFile) {
            if (answers_ && std::fseek(answers_.get(), reads_[k].offset, SEEK_SET) != 0)
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
