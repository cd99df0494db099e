// The files a run reads and writes, each checked on every write, flush and close: a failure
// ends the run with one line naming the file and the reason (FatalError).
//
// main.f is written under a temporary name beside it and renamed over it only when the
// program is complete, so an earlier main.f survives every failure and interrupt. echo.out
// is written through, answer by answer, so that an interrupted dialog can be resumed from it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zemka {

// Ends the run: one line naming the file or input, and a non-zero exit status.
class FatalError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Opens an existing file for reading without waiting on it (a FIFO would block the run
// forever). Returns nullptr and sets why ("No such file or directory", "not a regular file",
// ...) when it cannot be had.
std::FILE* openRegularForReading(const std::filesystem::path& path, std::string& why);

// A file written through a descriptor of its own, with its own buffer, so that every write
// and flush is seen and checked.
class OutputFile {
public:
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void writeLine(std::string_view line);
    void flush();
    const std::string& name() const { return name_; }
    std::size_t linesWritten() const { return lines_; }
    std::uintmax_t bytesWritten() const { return bytes_; }

protected:
    OutputFile(int fd, std::string name) : fd_(fd), name_(std::move(name)) {}
    ~OutputFile();
    [[noreturn]] void failed(int err) const;
    // Closes the descriptor, checked; the destructor closes unchecked after a failure.
    void close();

    int fd_;
    std::string name_;
    std::string buffer_;
    std::size_t lines_ = 0;
    std::uintmax_t bytes_ = 0;
};

// echo.out, zemka.log: created at the start of the run but keeping an older content until
// this run writes its first line; every line then reaches the file at once.
class ThroughFile : public OutputFile {
public:
    explicit ThroughFile(const std::filesystem::path& path);
    ~ThroughFile() = default;

    void writeLine(std::string_view line);
    using OutputFile::close;
    // Lines written by this run so far.
    std::size_t lines() const { return ends_.size(); }
    // Drops every line after the first n of this run.
    void keepLines(std::size_t n);

private:
    bool started_ = false;
    std::vector<long long> ends_;  // the file offset after each line
};

// main.f, written under a temporary name in the same directory.
class ProgramFile : public OutputFile {
public:
    explicit ProgramFile(const std::filesystem::path& path);
    // An unfinished program is removed; the old main.f stays as it was.
    ~ProgramFile();

    // Flushes, closes and renames the temporary file over main.f.
    void commit();

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    bool committed_ = false;
};

// An anonymous scratch file in $TMPDIR (or /tmp) that vanishes with the process.
class ScratchFile : public OutputFile {
public:
    ScratchFile();
    ~ScratchFile() = default;

    // Hands each record back, as written, from the start.
    void replay(const std::function<void(const std::string&)>& each);
};

// On SIGINT, SIGTERM and SIGHUP: remove the temporary main.f, say in one line how to resume
// from echo.out, and end with the signal's status. A closed pipe no longer kills the run; the
// failed write to the terminal is reported instead.
void installInterruptHandlers();
// Whether an answer has been written to echo.out in this process (for the resume hint).
void noteAnswerRecorded();

}  // namespace zemka
