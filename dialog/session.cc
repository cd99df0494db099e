#include "session.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace zemka {

ReplacedFile::ReplacedFile(const std::filesystem::path& path) : name_(path.filename().string()) {
    // No O_TRUNC: an older file stays as it was until the first line of this run.
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0644);
    if (fd < 0 || !(file_ = ::fdopen(fd, "w"))) {
        int err = errno;
        if (fd >= 0) ::close(fd);
        throw FatalError("cannot create " + name_ + ": " + std::strerror(err));
    }
}

ReplacedFile::~ReplacedFile() {
    if (file_) std::fclose(file_);
}

void ReplacedFile::writeLine(const std::string& line) {
    if (!started_) {
        started_ = true;
        if (::ftruncate(::fileno(file_), 0) != 0)
            throw FatalError("cannot write " + name_ + ": " + std::strerror(errno));
    }
    // fwrite, not fputs: an answer may hold a NUL byte, and echo.out must keep all of it.
    std::fwrite(line.data(), 1, line.size(), file_);
    std::fputc('\n', file_);
}

void ReplacedFile::finish() {
    if (std::fflush(file_) != 0 || std::ferror(file_))
        throw FatalError("cannot write " + name_ + ": " + std::strerror(errno));
}

ScratchFile::ScratchFile() : file_(std::tmpfile()) {
    if (!file_) throw FatalError(std::string("cannot create a scratch file: ") + std::strerror(errno));
}

ScratchFile::~ScratchFile() {
    if (file_) std::fclose(file_);
}

void ScratchFile::writeLine(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), file_);
    if (std::fputc('\n', file_) == EOF)
        throw FatalError(std::string("cannot write a scratch file: ") + std::strerror(errno));
}

Session::Session(std::istream& kb, std::ostream& term, const std::filesystem::path& d, Catalogue cat)
    : catalogue(std::move(cat)), keyboard(kb), terminal(term), dir(d),
      echo_(d / "echo.out"), program_(d / "main.f") {
}

void Session::use(Stream s) {
    switch (s) {
    case Stream::header: lunits.current = lunits.header; break;
    case Stream::body: lunits.current = lunits.body; break;
    case Stream::subprograms: lunits.current = lunits.subprograms; break;
    }
}

void Session::record(int channel, const std::string& line) {
    if (channel == lunits.terminal) terminal << line << '\n';
    else if (channel == lunits.header) program_.writeLine(line);
    else if (channel == lunits.body) body_.writeLine(line);
    else if (channel == lunits.subprograms) subprograms_.writeLine(line);
    else if (channel == lunits.echo) echo_.writeLine(line);
    else throw std::logic_error("write to channel " + std::to_string(channel));
}

bool Session::keyboardLine(std::string& line) {
    terminal.flush();
    if (!std::getline(keyboard, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

bool Session::answerFileLine(std::string& line) {
    if (!ifopen) {
        ifopen = 1;
        answers_.open(dir / "zemka.in");
    }
    if (!answers_.is_open() || !std::getline(answers_, line)) return false;
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
    program_.finish();
    echo_.finish();
    terminal.flush();
}

}  // namespace zemka
