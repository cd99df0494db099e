#include "dialog_harness.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace zemka::test {
std::string joinedLines(const Lines& lines) {
    std::string s;
    for (const std::string& l : lines) s += l + '\n';
    return s;
}

Catalogue catalogueOf(const std::string& text) {
    std::istringstream in(text);
    return Catalogue::load(in, "zemka.seq");
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zemka-unit-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary directory");
    path = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

Lines readLines(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    Lines lines;
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
}

void writeFile(const std::filesystem::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

DialogRun::DialogRun(const Lines& keys, const std::string& catalogue)
    : keyboard(joinedLines(keys)), dialogRun(keyboard, terminal, dir.path, catalogueOf(catalogue)) {}

void DialogRun::finish() {
    if (!finished_) session.assemble();
    finished_ = true;
}

Lines DialogRun::program() {
    finish();
    return readLines(dir.path / "main.f");
}

Lines DialogRun::echo() {
    finish();
    return readLines(dir.path / "echo.out");
}

Lines DialogRun::said() const {
    Lines lines;
    std::istringstream in(terminal.str());
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
}

bool DialogRun::saidLine(const std::string& line) const {
    Lines lines = said();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::string pad(std::string s, std::size_t width) {
    s.resize(std::max(width, s.size()), ' ');
    return s;
}

}  // namespace zemka::test
