// Every FORMAT that the generators and the dialog routines spell out as a literal parses, so
// that a typo in a branch no scenario reaches fails here at once. Formats put together at
// run time from pieces are not seen.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "format.h"

namespace zemka {
namespace {

namespace fs = std::filesystem;

// tests/ sits beside the directories scanned.
const fs::path sourceRoot = fs::path(__FILE__).parent_path().parent_path();

// The string literals of a C++ source, adjacent ones joined as the compiler joins them.
// Comments and character literals are passed over; an escape keeps the character it escapes.
// (Raw strings are read as plain ones, which differs only where they hold '"' or '\'.)
std::vector<std::string> stringLiterals(const std::string& src) {
    std::vector<std::string> out;
    bool adjacent = false;  // nothing but blanks and comments since the last string literal
    std::size_t i = 0;
    while (i < src.size()) {
        if (src.compare(i, 2, "//") == 0) {
            i = src.find('\n', i);
        } else if (src.compare(i, 2, "/*") == 0) {
            i = src.find("*/", i);
            if (i != std::string::npos) i += 2;
        } else if (src[i] == '"' || src[i] == '\'') {
            char quote = src[i++];
            std::string text;
            for (; i < src.size() && src[i] != quote; ++i) text += src[i] == '\\' ? src[++i] : src[i];
            ++i;
            if (quote == '"' && adjacent) out.back() += text;
            else if (quote == '"') out.push_back(text);
            adjacent = quote == '"';
        } else {
            adjacent = adjacent && std::isspace(static_cast<unsigned char>(src[i]));
            ++i;
        }
    }
    return out;
}

// A FORMAT is in parentheses and holds a quoted literal or, as an item of its own, an edit
// descriptor written in capitals as the code writes them (nX, A, Aw, Iw, /); the argument
// lists "(p1,p2)" and "(itype,lun)" are none.
bool isFormat(const std::string& s) {
    static const std::regex descriptor(R"([(,/]\s*(\d*(X|A\d*|I\d+)|/)\s*[,/)])");
    return s.size() >= 2 && s.front() == '(' && s.back() == ')' &&
           (s.find('\'') != std::string::npos || std::regex_search(s, descriptor));
}

TEST(FormatLiterals, EveryFormatInTheSourcesParses) {
    ASSERT_NE(formatFault("(6X,J2)"), "");
    int found = 0;
    for (const char* dir : {"generators", "dialog"})
        for (const auto& entry : fs::recursive_directory_iterator(sourceRoot / dir)) {
            if (entry.path().extension() != ".cc" && entry.path().extension() != ".h") continue;
            std::stringstream source;
            source << std::ifstream(entry.path()).rdbuf();
            for (const std::string& literal : stringLiterals(source.str()))
                if (isFormat(literal)) {
                    ++found;
                    EXPECT_EQ(formatFault(literal), "") << entry.path();
                }
        }
    std::cout << found << " FORMAT literals parsed\n";
    EXPECT_GT(found, 0);
}

}  // namespace
}  // namespace zemka
