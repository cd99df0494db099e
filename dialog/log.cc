#include "log.h"

#include <cstdio>

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

std::string rulerText(std::string_view line) {
    auto first = line.find_first_not_of("|- 7");
    auto last = line.find_last_not_of("|- ");
    return first == std::string_view::npos ? std::string() : std::string(line.substr(first, last - first + 1));
}

}  // namespace

bool isComplaint(std::string_view line) { return line.starts_with("|----") && !isRuler(line); }

void DialogLog::write(const std::string& line) {
    if (!quiet_) file_.writeLine(line);
}

void DialogLog::message(int n) {
    message_ = n;
    prompt_.clear();
    ruler_.clear();
    promptSinceAnswer_ = false;
}

void DialogLog::said(std::string_view line) {
    if (isComplaint(line)) {
        write("      " + std::string(trim(line)));
        return;
    }
    if (line.starts_with("|-----7")) {
        prompt_ = "FORTRAN block line";
        promptSinceAnswer_ = true;
        return;
    }
    if (isRuler(line)) {
        ruler_ = rulerText(line);
        return;
    }
    std::string_view text = trim(line);
    if (text.empty()) return;
    // "NAME =   (Press [RETURN] to default)" and the like: what follows "=" says how to
    // answer, not what is asked.
    if (auto equals = text.find(" ="); equals != std::string_view::npos) {
        std::string_view rest = trim(text.substr(equals + 2));
        if (rest.starts_with('(')) text = text.substr(0, equals + 2);
    }
    prompt_ = text;
    promptSinceAnswer_ = true;
}

void DialogLog::answer(std::size_t echoLine, std::string_view text) {
    if (!promptSinceAnswer_ && !ruler_.empty()) prompt_ = ruler_;
    char head[32];
    if (echoLine) std::snprintf(head, sizeof head, "%4zu  msg %3d  ", echoLine, message_);
    else std::snprintf(head, sizeof head, "   -  msg %3d  ", message_);
    std::string line = head + prompt_ + "  " + std::string(text);
    write(line.substr(0, line.find_last_not_of(' ') + 1));
    ruler_.clear();
    promptSinceAnswer_ = false;
}

void DialogLog::note(std::string_view text) { write("      " + std::string(trim(text))); }

}  // namespace zemka
