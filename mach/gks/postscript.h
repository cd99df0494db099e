// The PostScript workstation (type 62): turns primitives given in normalized device coordinates
// into a DSC-conforming PostScript file, one page per picture.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "geometry.h"

namespace zemka::gks {

// The body of a PostScript string literal: parentheses and backslashes escaped, and every byte
// outside printable ASCII written as an octal escape, so the file stays 7-bit clean.
std::string psString(std::string_view text);

// A4 in points.
inline constexpr double kPageWidth = 595;
inline constexpr double kPageHeight = 842;

// The NDC unit square goes onto the largest square that fits the page, centred.
class PageMapping {
public:
    PageMapping(double width, double height);
    Point toPage(const Point& ndc) const;
    double scale() const { return side_; }

private:
    double side_;
    double x0_;
    double y0_;
};

struct LineStyle {
    int type = 1;  // 1 solid, 2 dashed, 3 dotted, 4 dash-dotted; others draw solid
    double widthScale = 1;
    Rgb colour;
};

struct MarkerStyle {
    int type = 3;  // 1 dot, 2 plus, 3 asterisk, 4 circle, 5 cross; others draw an asterisk
    double sizeScale = 1;
    Rgb colour;
};

struct FillStyle {
    int interior = 0;  // 0 hollow, 1 solid, 2 pattern (none defined: hollow), 3 hatch
    int styleIndex = 1;
    Rgb colour;
};

struct TextStyle {
    int font = 1;
    double height = 0.01;   // cap height, world units
    double expansion = 1;   // width factor of the glyphs
    double spacing = 0;     // extra space between characters, as a fraction of the height
    int path = 0;           // 0 right, 1 left, 2 up, 3 down
    int alignH = 0;         // 0 normal, 1 left, 2 centre, 3 right
    int alignV = 0;         // 0 normal, 1 top, 2 cap, 3 half, 4 base, 5 bottom
    Rgb colour;
};

// Where a string goes: its reference point and the images of one world unit along the text's
// base and up directions, all in NDC.
struct TextFrame {
    Point origin;
    Point base;
    Point up;
};

class PostScriptWriter {
public:
    // Takes ownership of out and writes the document header at once. name is used in reports.
    PostScriptWriter(std::FILE* out, std::string name);
    // A writer that was never closed still completes its file, so a program that stops without
    // closing GKS keeps every page it drew.
    ~PostScriptWriter();
    PostScriptWriter(const PostScriptWriter&) = delete;
    PostScriptWriter& operator=(const PostScriptWriter&) = delete;

    // Colour painted under every page started from now on; white is left unpainted.
    void setBackground(const Rgb& colour) { background_ = colour; }

    void polyline(const std::vector<std::vector<Point>>& runs, const LineStyle& style);
    void polymarker(const std::vector<Point>& points, const MarkerStyle& style);
    void fillArea(const std::vector<Point>& polygon, const FillStyle& style);
    void text(const TextFrame& frame, std::string_view chars, const TextStyle& style,
              const Rect& clip);

    // Ends the current page if anything was drawn on it; the next primitive starts a new one.
    void clear();
    void flush();
    // Ends the document (trailer with the page count) and closes the file.
    void close();

    int pages() const { return pages_; }
    const std::string& name() const { return name_; }

private:
    void ensurePage();
    void endPage();
    // Whether the program is still running or already exiting (a program that stops without
    // endgks has its file completed by the destructor): a failed write ends it either way
    // with a non-zero status.
    enum class Phase { running, exiting };
    void finish(Phase phase);
    void checkWritten(Phase phase);
    [[noreturn]] void cannotWrite(Phase phase);
    void setColour(const Rgb& c);
    void setLine(double width, int type);
    void emit(std::string_view s);
    void point(const Point& ndc);

    std::FILE* out_;
    std::string name_;
    PageMapping page_{kPageWidth, kPageHeight};
    Rgb background_{1, 1, 1};
    int pages_ = 0;
    bool pageOpen_ = false;
    // Graphics state already set on the current page, so repeated attributes are not rewritten.
    std::optional<Rgb> colour_;
    std::optional<double> width_;
    std::optional<int> dash_;
};

}  // namespace zemka::gks
