#include "log.h"

#include <charconv>
#include <iterator>

#include "blanks.h"


namespace zemka {
namespace {

std::string_view trim(std::string_view s) {
    auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// The rulers and prompts that start with "|----" (not complaints): what they ask for.
bool isRuler(std::string_view line) {
    return line.starts_with("|---- Enter") || line.starts_with("|----Enter") || line.starts_with("|-----7");
}

// The words of a ruler: what lies between its leading "|- 7" and its trailing "|- " characters.
std::string_view rulerText(std::string_view line) {
    auto rule = [](char c) { return c == '|' || c == '-' || c == ' '; };
    std::size_t first = 0, end = line.size();
    while (first < end && (rule(line[first]) || line[first] == '7')) ++first;
    while (end > first && rule(line[end - 1])) --end;
    return line.substr(first, end - first);
}

// Appends a number right-aligned in at least width columns, as %4zu or %3d would give it.
void appendRightAligned(std::string& line, long long number, std::size_t width) {
    char digits[24];
    auto size = static_cast<std::size_t>(std::to_chars(digits, std::end(digits), number).ptr - digits);
    if (size < width) line.append(width - size, ' ');
    line.append(digits, size);
}

}  // namespace

void DialogLog::write(std::string_view line) {
    if (!quiet_) file_.writeLine(line);
}

void DialogLog::message(int n) {
    messageText_ = "  msg ";
    appendRightAligned(messageText_, n, 3);
    messageText_ += "  ";
    prompt_.clear();
    rulerSaid_ = false;
    promptSinceAnswer_ = false;
}

bool DialogLog::said(std::string_view line) {
    if (line.starts_with("|----")) {
        if (line.starts_with("|-----7")) {
            prompt_ = "FORTRAN block line";
            promptSinceAnswer_ = true;
        } else if (isRuler(line)) {
            // The same ruler comes before every answer of a kind: its words are found once.
            if (line != rulerLine_) {
                rulerLine_ = line;
                rulerWords_ = rulerText(line);
            }
            rulerSaid_ = true;
        } else {
            write("      " + std::string(trim(line)));  // a complaint
            return true;
        }
        return false;
    }
    std::string_view text = trim(line);
    if (text.empty()) return false;
    // "NAME =   (Press [RETURN] to default)" and the like: what follows "=" says how to
    // answer, not what is asked.
    if (auto equals = text.find(" ="); equals != std::string_view::npos) {
        std::string_view rest = trim(text.substr(equals + 2));
        if (rest.starts_with('(')) text = text.substr(0, equals + 2);
    }
    prompt_ = text;
    promptSinceAnswer_ = true;
    return false;
}

void DialogLog::answer(std::size_t echoLine, std::string_view text) {
    if (!promptSinceAnswer_ && rulerSaid_ && !rulerWords_.empty()) prompt_ = rulerWords_;
    line_.clear();
    if (echoLine) appendRightAligned(line_, echoLine, 4);
    else line_ = "   -";
    line_.append(messageText_).append(prompt_).append("  ").append(withoutTrailingBlanks(text));
    line_.resize(withoutTrailingBlanks(line_).size());
    write(line_);
    rulerSaid_ = false;
    promptSinceAnswer_ = false;
}

void DialogLog::note(std::string_view text) { write("      " + std::string(trim(text))); }

}  // namespace zemka
