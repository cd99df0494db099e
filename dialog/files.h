// The files a run reads and writes, each checked on every write, flush and close: a failure
// ends the run with one line naming the file and the reason (FatalError).
//
// main.f is written under a temporary name beside it and renamed over it only when the
// program is complete, so an earlier main.f survives every failure and interrupt. echo.out
// has every answer taken whenever the run waits for the keyboard, fails or is interrupted, so
// that an interrupted dialog can be resumed from it.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

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

class ScratchFile;

// A file written through a descriptor of its own, with its own buffer, so that every write
// and flush is seen and checked.
class OutputFile {
public:
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Appends the line and a newline; with a width, the line is first padded with blanks to it.
    void writeLine(std::string_view line, std::size_t width = 0);
    // Appends every line of a scratch file.
    void append(ScratchFile& from);
    void flush();
    const std::string& name() const { return name_; }
    std::size_t linesWritten() const { return lines_; }
    std::uintmax_t bytesWritten() const { return bytes_; }

protected:
    OutputFile(int fd, std::string name) : fd_(fd), name_(std::move(name)) {}
    ~OutputFile();
    [[noreturn]] void failed(int err) const;
    // Writes data at the descriptor's offset; returns how much went out before a failure,
    // whose errno it leaves set.
    std::size_t writeOut(const char* data, std::size_t size) const;
    // Closes the descriptor, checked; the destructor closes unchecked after a failure.
    void close();
    // Ends the file after its first size bytes and writes on from there, checked.
    void endAt(std::uintmax_t size);
    // The two ways append copies: false when the kernel cannot copy between the two files
    // and nothing was copied.
    bool copyInKernel(ScratchFile& from);
    void copyInBlocks(ScratchFile& from);

    int fd_;
    std::string name_;
    std::string buffer_;
    std::size_t lines_ = 0;
    std::uintmax_t bytes_ = 0;
};

// echo.out, zemka.log: created at the start of the run but keeping an older content until
// this run writes its first line. Lines are held only while the run goes on without waiting:
// they reach the file before every wait for the keyboard (flush), when the run fails, and
// when it is interrupted, so that the file always has every line the user could resume from.
class ThroughFile : public OutputFile {
public:
    explicit ThroughFile(const std::filesystem::path& path);
    // Writes the held lines, unchecked: the run is failing.
    ~ThroughFile();

    void writeLine(std::string_view line);
    // Writes the held lines; a failure leaves the file with the whole lines that fit.
    void flush();
    void close();
    // How long the lines written by this run are so far.
    std::uintmax_t size() const { return heldAt_ + held_; }
    // Drops every line after the first size bytes of this run.
    void cutTo(std::uintmax_t size);
    // The interrupt handler's part: writes the held lines where they belong, unchecked.
    // Async-signal-safe.
    void writeHeldOnInterrupt() const noexcept;

private:
    // Ends the file at the last whole line of the held lines after a write that stopped
    // after written bytes of them.
    void keepWholeLines(std::size_t written);

    bool started_ = false;
    // The held lines: only this run writes them, the interrupt handler reads them.
    std::unique_ptr<char[]> heldBuffer_;
    std::size_t capacity_ = 0;
    std::atomic<char*> heldData_{nullptr};    // heldBuffer_, as the handler reads it
    std::atomic<std::size_t> held_{0};        // bytes held
    std::atomic<std::uintmax_t> heldAt_{0};   // where they go in the file
};

// main.f, written under a temporary name in the same directory.
class ProgramFile : public OutputFile {
public:
    explicit ProgramFile(const std::filesystem::path& path);
    // An unfinished program is removed; the old main.f stays as it was.
    ~ProgramFile();

    // The program is complete: its bytes start on their way to the disk while the run
    // finishes its other files, so that commit waits less.
    void startWriteback();
    // Flushes, syncs, closes and renames the temporary file over main.f.
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

    // Appends bytes as they are.
    void write(std::string_view bytes);
    // Reads size bytes from offset at into out; false if the file ends before.
    bool read(std::uintmax_t at, std::size_t size, char* out);
    // Drops everything after the first size bytes.
    void cutTo(std::uintmax_t size);
    // Closes the file, which is no longer needed: its pages are freed now.
    void discard();
};

// On SIGINT, SIGTERM and SIGHUP: remove the temporary main.f, say in one line how to resume
// from echo.out, and end with the signal's status. A closed pipe no longer kills the run; the
// failed write to the terminal is reported instead.
void installInterruptHandlers();
// Whether an answer has been written to echo.out in this process (for the resume hint).
void noteAnswerRecorded();

}  // namespace zemka
