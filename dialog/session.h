// The session record: the state of one start of the dialog, and the files of its program.
// What outlives a step back (the answers, echo.out, zemka.in) belongs to its Run.
//
// The logical channels keep their numbers in lunits (slot 4 names the current stream), so
// a generator switches streams with use() and every writer goes to whatever is current.
// The header stream is main.f itself (under a temporary name until the program is
// complete); the body and subprogram streams are scratch files on disk, so memory does not
// grow with the size of the generated program.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "catalogue.h"
#include "files.h"
#include "run.h"

namespace zemka {

enum class Stream { header, body, subprograms };

struct Session {
    // A fresh start of the dialog of this run: a new temporary main.f, new scratch streams,
    // the banner still to write, every flag and counter at its start value.
    explicit Session(Run& run);

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
    int iffile = 0;  // 1 while answers come from zemka.in, which the run opens and keeps
    int ist = 78754;  // the last statement label handed out
    Unknowns unknwn;
    Run& run;
    const Catalogue& catalogue;

    void use(Stream s);
    // A line on the terminal that zemka.log may take as a prompt or a complaint.
    void say(std::string_view line) { run.say(line); }
    // A line on the terminal that is no prompt: a message line, a replayed answer, a pause.
    void show(std::string_view line) { run.show(line); }
    // Message n is being shown.
    void messageShown(int n) { run.messageShown(n); }
    // An answer refused before it reached echo.out.
    void unrecordedAnswer(std::string_view line) { run.unrecordedAnswer(line); }
    // One record to a channel: 6 the terminal, 11-13 the streams, 15 the echo file.
    void record(int channel, std::string_view line);
    void toCurrent(std::string_view line) { record(lunits.current, line); }

    // A keyboard line with its trailing carriage return dropped; false at end of input.
    bool keyboardLine(std::string& line) { return run.keyboardLine(line); }
    // The next line of zemka.in, opening it on first use; false when none can be had, with
    // why saying so in the user's terms.
    bool answerFileLine(std::string& line, std::string& why) { return run.answerFileLine(line, why); }

    // Copies the body and subprogram streams behind the header in main.f (their lines are
    // written 79 columns wide) and puts the finished main.f in place.
    void assemble();
    // What main.f holds once assembled.
    std::size_t programLines() const { return program_.linesWritten(); }
    std::uintmax_t programBytes() const { return program_.bytesWritten(); }

private:
    ProgramFile program_;
    ScratchFile body_;
    ScratchFile subprograms_;
};

}  // namespace zemka
