// zemka.log: a readable record of the dialog beside echo.out. For each line of echo.out it
// gives the line number, the message the answer belongs to and the prompt it answered
// ("  57  msg 188  F1 =  -uxx-uyy"); complaints follow the answer they refuse, and an answer
// refused before it reached echo.out (longer than its question reads) is marked "-".
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "files.h"

namespace zemka {

class DialogLog {
public:
    explicit DialogLog(const std::filesystem::path& path) : file_(path) {}

    // Message n has been shown on the terminal.
    void message(int n);
    // A terminal line other than a message line: a prompt, a ruler or a complaint. True for
    // a complaint ("|----" but not a ruler or a prompt of that form), which refuses the
    // answer before it.
    bool said(std::string_view line);
    // An answer: its line in echo.out (0 when it is not there) and its text.
    void answer(std::size_t echoLine, std::string_view text);
    // A line of its own (a step back, for example).
    void note(std::string_view text);

    ThroughFile& file() { return file_; }
    // While quiet (during a replay) the log follows the dialog but writes nothing.
    void setQuiet(bool quiet) { quiet_ = quiet; }

private:
    ThroughFile file_;
    std::string messageText_ = "  msg   0  ";  // the message shown last, as an answer's line has it
    std::string prompt_;       // what the answer is given to
    std::string rulerLine_;    // the last "Enter ..." ruler line seen
    std::string rulerWords_;   // and its words
    bool rulerSaid_ = false;   // whether it was said since the last answer
    bool promptSinceAnswer_ = false;
    bool quiet_ = false;
    std::string line_;         // the line being written, kept for its buffer
    void write(std::string_view line);
};

}  // namespace zemka
