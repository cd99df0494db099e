// A dialog session on a scripted keyboard, in a directory of its own, with the dialog
// routines opened up so that tests can call them one by one.
#pragma once

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "dialog.h"

namespace zemka::test {

struct Probe : Dialog {
    using Dialog::Dialog;
    using Dialog::com, Dialog::delblk, Dialog::globp, Dialog::gui, Dialog::iadd, Dialog::ifyes, Dialog::inmat,
        Dialog::inparm, Dialog::instr, Dialog::invar, Dialog::invec, Dialog::iread, Dialog::matfun, Dialog::mess,
        Dialog::parameterCommon, Dialog::paws, Dialog::prec, Dialog::readex, Dialog::readin, Dialog::readln,
        Dialog::text, Dialog::varnam, Dialog::vecfun;
};

// A fresh directory under the system's temporary directory, removed with its content.
struct TempDir {
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::filesystem::path path;
};

using Lines = std::vector<std::string>;

Lines readLines(const std::filesystem::path& path);
// The lines as a text file holds them, each followed by a newline.
std::string joinedLines(const Lines& lines);
// The message file text as zemka.seq would give it.
Catalogue catalogueOf(const std::string& text);
void writeFile(const std::filesystem::path& path, const std::string& content);

struct DialogRun {
    // keyboard: the lines typed, each ended by a newline; catalogue: the text of zemka.seq.
    explicit DialogRun(const Lines& keyboard, const std::string& catalogue = "9999\n");

    TempDir dir;
    std::istringstream keyboard;
    std::ostringstream terminal;
    Run dialogRun;
    Session session{dialogRun};
    Probe dialog{session};

    void answerFile(const std::string& content) { writeFile(dir.path / "zemka.in", content); }
    // Assembles main.f (once) and reads main.f and echo.out back, trailing blanks kept.
    Lines program();
    Lines echo();
    Lines said() const;  // the terminal lines so far
    bool saidLine(const std::string& line) const;

private:
    void finish();
    bool finished_ = false;
};

std::string pad(std::string s, std::size_t width);

}  // namespace zemka::test
