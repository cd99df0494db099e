#include "session.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace zemka {

Session::Session(std::istream& kb, std::ostream& term, const std::filesystem::path& d, Catalogue cat)
    : catalogue(std::move(cat)), keyboard(kb), terminal(term), dir(d),
      echo_(d / "echo.out"), log_(d / "zemka.log"), program_(d / "main.f") {
    lunits[1] = 5;
    lunits[2] = 6;
    lunits[3] = 4;
    lunits[5] = 11;
    lunits[6] = 12;
    lunits[7] = 13;
    lunits[8] = 14;
    lunits[9] = 15;
    lunits[4] = lunits[5];
    parms = {0, 22, 6, 6, 0};
}

void Session::use(Stream s) {
    switch (s) {
    case Stream::header: lunits[4] = lunits[5]; break;
    case Stream::body: lunits[4] = lunits[6]; break;
    case Stream::subprograms: lunits[4] = lunits[7]; break;
    }
}

void Session::say(const std::string& line) {
    show(line);
    log_.said(line);
}

void Session::show(const std::string& line) {
    terminal << line << '\n';
    checkTerminal();
}

void Session::record(int channel, const std::string& line) {
    if (channel == lunits[2]) {
        show(line);
    } else if (channel == lunits[5]) {
        program_.writeLine(line);
    } else if (channel == lunits[6]) {
        body_.writeLine(line);
    } else if (channel == lunits[7]) {
        subprograms_.writeLine(line);
    } else if (channel == lunits[9]) {
        echo_.writeLine(line);
        noteAnswerRecorded();
        log_.answer(echo_.lines(), line);
    } else {
        throw std::logic_error("write to channel " + std::to_string(channel));
    }
}

void Session::checkTerminal() {
    if (!terminal)
        throw FatalError(std::string("cannot write the terminal (standard output)") +
                         (errno ? std::string(": ") + std::strerror(errno) : std::string()));
}

bool Session::keyboardLine(std::string& line) {
    terminal.flush();
    checkTerminal();
    if (!std::getline(keyboard, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

bool Session::answerFileLine(std::string& line, std::string& why) {
    if (!ifopen) {
        ifopen = 1;
        answers_.reset(openRegularForReading(dir / "zemka.in", answersMissing_));
        if (answersMissing_ == std::strerror(ENOENT)) answersMissing_ = "there is no zemka.in here";
        else if (!answersMissing_.empty()) answersMissing_ = "cannot open zemka.in: " + answersMissing_;
    }
    if (!answers_) {
        why = answersMissing_;
        return false;
    }
    char* buf = nullptr;
    std::size_t cap = 0;
    ssize_t n = ::getline(&buf, &cap, answers_.get());
    if (n >= 0) line.assign(buf, static_cast<std::size_t>(n));
    std::free(buf);
    if (n < 0) {
        why = std::ferror(answers_.get()) ? "cannot read zemka.in: " + std::string(std::strerror(errno))
                                          : "zemka.in has no more lines";
        return false;
    }
    if (!line.empty() && line.back() == '\n') line.pop_back();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

void Session::assemble() {
    auto copy = [this](const std::string& line) {
        std::string l = line;
        l.resize(79, ' ');
        program_.writeLine(l);
    };
    body_.replay(copy);
    subprograms_.replay(copy);
    program_.commit();
    echo_.close();
    log_.file().close();
    terminal.flush();
    checkTerminal();
}

}  // namespace zemka
