// The session record: every piece of run-wide state of one dialog, and its files.
//
// The logical channels keep their numbers in lunits (slot 4 names the current stream), so
// a generator switches streams with use() and every writer goes to whatever is current.
// The header stream is main.f itself; the body and subprogram streams are scratch files on
// disk, so memory does not grow with the size of the generated program.
#pragma once

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>
#include <stdexcept>
#include <string>

#include "catalogue.h"

namespace zemka {

// Ends the run: one line naming the file or input, and a non-zero exit status.
class FatalError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class Stream { header, body, subprograms };

// A file that is created at the start of the run but keeps an older content until this run
// writes its first line into it.
class ReplacedFile {
public:
    explicit ReplacedFile(const std::filesystem::path& path);
    ~ReplacedFile();
    ReplacedFile(const ReplacedFile&) = delete;
    ReplacedFile& operator=(const ReplacedFile&) = delete;

    void writeLine(const std::string& line);
    void finish();  // flushes; a failed write is reported here

private:
    std::string name_;
    std::FILE* file_ = nullptr;
    bool started_ = false;
};

// An anonymous scratch file that vanishes with the process.
class ScratchFile {
public:
    ScratchFile();
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    void writeLine(const std::string& line);
    // Hands each record back, as written, from the start.
    template <class F> void replay(F&& each);

private:
    std::FILE* file_ = nullptr;
};

struct Session {
    // Opens echo.out and main.f in dir (after the catalogue has been loaded), and the two
    // scratch streams. keyboard and terminal stand for channels 5 and 6.
    Session(std::istream& keyboard, std::ostream& terminal, const std::filesystem::path& dir,
            Catalogue catalogue);

    // lunits: the channel number of each slot. The current stream is a copy of the header,
    // body or subprogram slot, so every writer goes to whatever is current.
    struct Lunits {
        int keyboard = 5;
        int terminal = 6;
        int messages = 4;      // the message file's scratch copy
        int current = 11;      // header, body or subprograms
        int header = 11;       // main.f
        int body = 12;
        int subprograms = 13;
        int answers = 14;      // zemka.in
        int echo = 15;         // echo.out
    } lunits;
    // parms: fixed settings of the run.
    struct Parms {
        int pageLength = 22;              // mess pauses after this many terminal lines
        int largestIsolveGalerkin = 6;    // of the 2D Galerkin class
        int largestIsolveCollocation = 6; // of the 2D collocation and 3D classes
        int comForm = 0;                  // 0: com modes 3 and 4 write deactivated "C!" lines
    } parms;
    // exmp: the Fortran-block level, the example followed, the precision of the program.
    struct Exmp {
        int blockLevel = 0;       // iadd offers blocks of a level up to this one (2 or 3)
        int example = 0;          // 0: none; 1..15 selects the lettered lines of messages
        int doublePrecision = 0;  // 1: a double precision program, 0: single precision
    } exmp;
    int igui = 0;
    int iffile = 0;
    int ifopen = 0;
    int ist = 78754;  // the last statement label handed out
    Unknowns unknwn;
    Catalogue catalogue;

    std::istream& keyboard;
    std::ostream& terminal;
    std::filesystem::path dir;

    void use(Stream s);
    // One record to a channel: 6 the terminal, 11-13 the streams, 15 the echo file.
    void record(int channel, const std::string& line);
    void toCurrent(const std::string& line) { record(lunits.current, line); }

    // A keyboard line with its trailing carriage return dropped; false at end of input.
    bool keyboardLine(std::string& line);
    // The next line of zemka.in, opening it on first use; false when none can be had.
    bool answerFileLine(std::string& line);

    // Copies the body and subprogram streams behind the header in main.f, each line 79
    // columns wide, and finishes every file.
    void assemble();

private:
    ReplacedFile echo_;
    ReplacedFile program_;
    ScratchFile body_;
    ScratchFile subprograms_;
    std::ifstream answers_;
};

template <class F> void ScratchFile::replay(F&& each) {
    std::fflush(file_);
    std::rewind(file_);
    char* buf = nullptr;
    std::size_t cap = 0;
    ssize_t n;
    while ((n = ::getline(&buf, &cap, file_)) >= 0) {
        std::string line(buf, static_cast<std::size_t>(n));
        if (!line.empty() && line.back() == '\n') line.pop_back();
        each(line);
    }
    std::free(buf);
}

}  // namespace zemka
