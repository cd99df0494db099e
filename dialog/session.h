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
#include <istream>
#include <memory>
#include <ostream>
#include <string>

#include "catalogue.h"
#include "files.h"
#include "log.h"

namespace zemka {

enum class Stream { header, body, subprograms };

struct Session {
    // Opens echo.out and main.f in dir (after the catalogue has been loaded), and the two
    // scratch streams. keyboard and terminal stand for channels 5 and 6.
    Session(std::istream& keyboard, std::ostream& terminal, const std::filesystem::path& dir,
            Catalogue catalogue);

    // lunits: the channel numbers by slot (1-based; slot 4 is the current stream).
    std::array<int, 10> lunits{};
    // parms: page length, largest ISOLVE of two generator families, form of com modes 3 and 4.
    std::array<int, 5> parms{};
    // exmp: Fortran-block level, example number, precision flag.
    std::array<int, 4> exmp{};
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
    // A line on the terminal that zemka.log may take as a prompt or a complaint.
    void say(const std::string& line);
    // A line on the terminal that is no prompt: a message line, a replayed answer, a pause.
    void show(const std::string& line);
    // Message n is being shown.
    void messageShown(int n) { log_.message(n); }
    // An answer refused before it reached echo.out.
    void unrecordedAnswer(const std::string& line) { log_.answer(0, line); }
    // One record to a channel: 6 the terminal, 11-13 the streams, 15 the echo file.
    void record(int channel, const std::string& line);
    void toCurrent(const std::string& line) { record(lunits[4], line); }

    // A keyboard line with its trailing carriage return dropped; false at end of input.
    bool keyboardLine(std::string& line);
    // The next line of zemka.in, opening it on first use; false when none can be had, with
    // why saying so in the user's terms.
    bool answerFileLine(std::string& line, std::string& why);

    // Copies the body and subprogram streams behind the header in main.f, each line 79
    // columns wide, and puts the finished main.f in place.
    void assemble();
    // What main.f holds once assembled.
    std::size_t programLines() const { return program_.linesWritten(); }
    std::uintmax_t programBytes() const { return program_.bytesWritten(); }

private:
    void checkTerminal();

    ThroughFile echo_;
    DialogLog log_;
    ProgramFile program_;
    ScratchFile body_;
    ScratchFile subprograms_;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> answers_{nullptr, std::fclose};
    std::string answersMissing_;  // why zemka.in could not be opened
};

}  // namespace zemka
