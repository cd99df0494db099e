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
    using Dialog::com;
    using Dialog::delblk;
    using Dialog::globp;
    using Dialog::gui;
    using Dialog::iadd;
    using Dialog::ifyes;
    using Dialog::inmat;
    using Dialog::inparm;
    using Dialog::instr;
    using Dialog::invar;
    using Dialog::invec;
    using Dialog::iread;
    using Dialog::matfun;
    using Dialog::mess;
    using Dialog::parameterCommon;
    using Dialog::paws;
    using Dialog::prec;
    using Dialog::readex;
    using Dialog::readin;
    using Dialog::readln;
    using Dialog::state;
    using Dialog::text;
    using Dialog::varnam;
    using Dialog::vecfun;
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
void writeFile(const std::filesystem::path& path, const std::string& content);

struct DialogRun {
    // keyboard: the lines typed, each ended by a newline; catalogue: the text of zemka.seq.
    explicit DialogRun(const Lines& keyboard, const std::string& catalogue = "9999\n");

    TempDir dir;
    std::istringstream keyboard;
    std::ostringstream terminal;
    Session session;
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
