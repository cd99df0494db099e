#include "gks/postscript.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <cstdio>
#include <string>

namespace zemka::gks {
namespace {

// Runs f on a writer over a temporary file and returns everything written.
template <class F>
std::string written(F f) {
    std::FILE* file = std::tmpfile();
    std::FILE* reader = fdopen(dup(fileno(file)), "r");
    {
        PostScriptWriter w(file, "test.ps");
        f(w);
    }
    std::rewind(reader);
    std::string s;
    for (int c; (c = std::fgetc(reader)) != EOF;) s += static_cast<char>(c);
    std::fclose(reader);
    return s;
}

int count(const std::string& s, const std::string& what) {
    int n = 0;
    for (auto at = s.find(what); at != std::string::npos; at = s.find(what, at + 1)) ++n;
    return n;
}

const std::vector<std::vector<Point>> kLine{{{0, 0}, {1, 1}}};

TEST(PsString, EscapesDelimitersBackslashesAndNonAscii) {
    EXPECT_EQ(psString("f(x) = a\\b"), "f\\(x\\) = a\\\\b");
    EXPECT_EQ(psString("tab\there"), "tab\\011here");
    EXPECT_EQ(psString("\xe9t\xe9"), "\\351t\\351");
    EXPECT_EQ(psString(std::string("a\0b", 3)), "a\\000b");
}

TEST(PageMapping, UnitSquareIsTheLargestCentredSquare) {
    const PageMapping portrait(595, 842);
    EXPECT_EQ(portrait.toPage({0, 0}), (Point{0, 123.5}));
    EXPECT_EQ(portrait.toPage({1, 1}), (Point{595, 718.5}));
    const PageMapping landscape(842, 595);
    EXPECT_EQ(landscape.toPage({0, 0}), (Point{123.5, 0}));
    EXPECT_EQ(landscape.toPage({0.5, 1}), (Point{421, 595}));
}

TEST(PostScriptWriter, WritesOnePagePerNonEmptyPicture) {
    const std::string ps = written([](PostScriptWriter& w) {
        w.clear();  // nothing drawn yet: no page
        w.polyline(kLine, {});
        w.clear();
        w.clear();  // still empty: no blank page
        w.polyline(kLine, {});
        w.close();
    });
    EXPECT_EQ(ps.rfind("%!PS-Adobe-3.0\n", 0), 0u);
    EXPECT_EQ(count(ps, "showpage"), 2);
    EXPECT_EQ(count(ps, "%%Page: 1 1\n"), 1);
    EXPECT_EQ(count(ps, "%%Page: 2 2\n"), 1);
    EXPECT_NE(ps.find("%%Trailer\n%%Pages: 2\n"), std::string::npos);
    EXPECT_EQ(ps.substr(ps.size() - 6), "%%EOF\n");
}

TEST(PostScriptWriter, UnclosedWriterStillCompletesTheFile) {
    const std::string ps = written([](PostScriptWriter& w) { w.polyline(kLine, {}); });
    EXPECT_EQ(count(ps, "showpage"), 1);
    EXPECT_NE(ps.find("%%Pages: 1\n"), std::string::npos);
    EXPECT_EQ(ps.substr(ps.size() - 6), "%%EOF\n");
}

TEST(PostScriptWriter, TextIsEscapedAndPathLeftReversesIt) {
    const TextFrame frame{{0.5, 0.5}, {1, 0}, {0, 1}};
    const std::string ps = written([&](PostScriptWriter& w) {
        w.text(frame, "f(x)\\", TextStyle{}, Rect{});
        TextStyle left;
        left.path = 1;
        w.text(frame, "ab", left, Rect{});
    });
    EXPECT_NE(ps.find("(f\\(x\\)\\\\) 0 0 0 T"), std::string::npos);
    EXPECT_NE(ps.find("(ba) 1 0 0 T"), std::string::npos);
}

TEST(PostScriptWriter, NonWhiteBackgroundIsPaintedFirstOnEachPage) {
    const std::string ps = written([](PostScriptWriter& w) {
        w.setBackground({0, 0, 0.5});
        w.polyline(kLine, {});
    });
    const auto paint = ps.find("0 0 0.5 C\nnewpath 0 0 M 595 0 L 595 842 L 0 842 L FS\n");
    ASSERT_NE(paint, std::string::npos);
    EXPECT_LT(paint, ps.find("0 123.5 M\n"));
}

// Every number the page draws stays within what an interpreter accepts, however extreme the
// attributes; the most negative fill style index is still a hatch.
TEST(PostScriptWriter, ExtremeAttributesAreDrawnWithinBounds) {
    const TextFrame frame{{0.5, 0.5}, {1, 0}, {0, 1}};
    const std::string ps = written([&](PostScriptWriter& w) {
        w.polyline(kLine, {1, 3e38, {}});
        w.polymarker({{0.5, 0.5}}, {3, 1e38, {}});
        for (double height : {3e38, 0.01}) {
            TextStyle style;
            style.height = height;
            style.expansion = 1e6;
            style.spacing = 1e20;
            w.text(frame, "ab", style, Rect{0, 1, 0, 1});
            style.path = 2;
            w.text(frame, "ab", style, Rect{0, 1, 0, 1});
        }
        w.fillArea({{0, 0}, {1, 0}, {1, 1}}, {3, -2147483647 - 1, {}});
    });
    std::size_t numbers = 0;
    std::istringstream tokens(ps);
    for (std::string t; tokens >> t;) {
        std::erase_if(t, [](char c) { return c == '[' || c == ']'; });
        char* end = nullptr;
        double v = std::strtod(t.c_str(), &end);
        if (t.empty() || *end != '\0') continue;
        EXPECT_LE(std::abs(v), 1e5) << t;
        ++numbers;
    }
    EXPECT_GT(numbers, 40u);
    EXPECT_NE(ps.find("90 6 HT"), std::string::npos);
}

}  // namespace
}  // namespace zemka::gks
