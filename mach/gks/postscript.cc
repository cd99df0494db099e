#include "postscript.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

// Flushes every Fortran unit (all of them for a null argument); present when the program is
// linked by gfortran.
extern "C" void _gfortran_flush_i4(int* unit) __attribute__((weak));

namespace zemka::gks {

namespace {

// Line widths and marker sizes at scale factor 1, in points.
constexpr double kNominalLineWidth = 1.0;
constexpr double kNominalMarkerSize = 6.0;
constexpr double kHatchSpacing = 6.0;
// The largest size, in points, at which a line width, mark, character or gap is drawn: far
// beyond the page, and far within the numbers an interpreter accepts (a character height of
// 3e38 would make it reject the whole document).
constexpr double kMaxExtent = 1e4;

double bounded(double points) { return std::clamp(points, -kMaxExtent, kMaxExtent); }
// Points per path before a long polyline is stroked and continued, for interpreters with small
// path limits.
constexpr std::size_t kMaxPathPoints = 400;

// Shorthands and the marker, text and hatch procedures used by the pages.
constexpr const char* kProlog = R"(/zemkadict 40 dict def
zemkadict begin
/M /moveto load def
/L /lineto load def
/S /stroke load def
/C /setrgbcolor load def
/W /setlinewidth load def
/D { 0 setdash } bind def
/FS { closepath fill } bind def
/FH { closepath stroke } bind def
/CL { /y1 exch def /x1 exch def /y0 exch def /x0 exch def
  newpath x0 y0 M x1 y0 L x1 y1 L x0 y1 L closepath clip newpath } bind def
/RE { findfont dup length dict begin
  { 1 index /FID ne { def } { pop pop } ifelse } forall
  /Encoding ISOLatin1Encoding def currentdict end definefont pop } bind def
/MK1 { pop newpath 0.75 0 360 arc fill } bind def
/MK2 { /s exch 2 div def /y exch def /x exch def
  newpath x s sub y M x s add y L x y s sub M x y s add L S } bind def
/MK5 { /s exch 2 div def /y exch def /x exch def
  newpath x s sub y s sub M x s add y s add L x s sub y s add M x s add y s sub L S } bind def
/MK3 { 3 copy MK2 0.7071 mul MK5 } bind def
/MK4 { 2 div /s exch def newpath s 0 360 arc S } bind def
/T { /ax exch def /dy exch def /hf exch def /str exch def
  str stringwidth pop str length 1 sub ax mul add hf mul neg dy moveto
  ax 0 str ashow } bind def
/HT { /hs exch def /ha exch def
  gsave clip pathbbox /y1 exch def /x1 exch def /y0 exch def /x0 exch def
  x0 x1 add 2 div y0 y1 add 2 div translate ha rotate
  /r x1 x0 sub dup mul y1 y0 sub dup mul add sqrt 2 div def
  newpath r neg hs r { /yy exch def r neg yy M r yy L } for S grestore } bind def
end
)";

struct FontInfo {
    const char* name;  // the ISO Latin-1 copy defined in the setup
    const char* base;
    double cap;        // cap height, top and bottom of the body, per unit of font size
    double top;
    double bottom;
};

constexpr FontInfo kFonts[] = {
    {"Helvetica-L", "Helvetica", 0.718, 0.718, -0.207},
    {"Times-Roman-L", "Times-Roman", 0.662, 0.683, -0.217},
    {"Courier-L", "Courier", 0.562, 0.629, -0.157},
};

// Fonts the workstation lacks fall back to font 1, as GKS prescribes.
const FontInfo& font(int number) {
    if (number >= 1 && number <= static_cast<int>(std::size(kFonts))) return kFonts[number - 1];
    return kFonts[0];
}

// Fixed-point with trailing zeros removed; locale-independent.
std::string fixed(double v, int decimals) {
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    if (ec != std::errc()) return "0";
    std::string s(buf, end);
    if (s.find('.') != std::string::npos) {
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.') s.pop_back();
    }
    if (s == "-0") s = "0";
    return s;
}

// Six significant digits for scale factors that may be very large or small.
std::string general(double v) {
    if (v == 0) v = 0;  // no "-0"
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 6);
    if (ec != std::errc()) return "0";
    return {buf, end};
}

std::string rgb(const Rgb& c) {
    return fixed(c.r, 3) + ' ' + fixed(c.g, 3) + ' ' + fixed(c.b, 3);
}

}  // namespace

std::string psString(std::string_view text) {
    std::string out;
    for (unsigned char c : text) {
        if (c == '(' || c == ')' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c > 0x7e) {
            char buf[5];
            std::snprintf(buf, sizeof buf, "\\%03o", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

PageMapping::PageMapping(double width, double height)
    : side_(std::min(width, height)), x0_((width - side_) / 2), y0_((height - side_) / 2) {}

Point PageMapping::toPage(const Point& ndc) const {
    return {x0_ + side_ * ndc.x, y0_ + side_ * ndc.y};
}

PostScriptWriter::PostScriptWriter(std::FILE* out, std::string name)
    : out_(out), name_(std::move(name)) {
    const std::string w = fixed(kPageWidth, 0);
    const std::string h = fixed(kPageHeight, 0);
    emit("%!PS-Adobe-3.0\n%%Creator: zemka mach\n%%Title: " + name_ +
         "\n%%LanguageLevel: 2\n%%BoundingBox: 0 0 " + w + ' ' + h +
         "\n%%DocumentMedia: A4 " + w + ' ' + h + " 0 () ()\n%%Pages: (atend)\n%%EndComments\n");
    emit("%%BeginProlog\n");
    emit(kProlog);
    emit("%%EndProlog\n%%BeginSetup\nzemkadict begin\n%%BeginFeature: *PageSize A4\n<< /PageSize [" +
         w + ' ' + h + "] >> setpagedevice\n%%EndFeature\n");
    for (const FontInfo& f : kFonts) emit(std::string("/") + f.name + " /" + f.base + " RE\n");
    emit("%%EndSetup\n");
}

PostScriptWriter::~PostScriptWriter() { finish(Phase::exiting); }

void PostScriptWriter::emit(std::string_view s) {
    if (out_) std::fwrite(s.data(), 1, s.size(), out_);
}

void PostScriptWriter::point(const Point& ndc) {
    const Point p = page_.toPage(ndc);
    emit(fixed(p.x, 2) + ' ' + fixed(p.y, 2));
}

void PostScriptWriter::ensurePage() {
    if (pageOpen_) return;
    pageOpen_ = true;
    ++pages_;
    const std::string n = std::to_string(pages_);
    emit("%%Page: " + n + ' ' + n +
         "\n%%BeginPageSetup\n/pagesave save def\n%%EndPageSetup\n1 setlinejoin\n");
    colour_.reset();
    width_.reset();
    dash_.reset();
    if (!(background_ == Rgb{1, 1, 1})) {
        setColour(background_);
        emit("newpath 0 0 M " + fixed(kPageWidth, 2) + " 0 L " + fixed(kPageWidth, 2) + ' ' +
             fixed(kPageHeight, 2) + " L 0 " + fixed(kPageHeight, 2) + " L FS\n");
    }
}

void PostScriptWriter::endPage() {
    if (!pageOpen_) return;
    emit("pagesave restore\nshowpage\n%%PageTrailer\n");
    pageOpen_ = false;
}

void PostScriptWriter::setColour(const Rgb& c) {
    if (colour_ == c) return;
    colour_ = c;
    emit(rgb(c) + " C\n");
}

void PostScriptWriter::setLine(double width, int type) {
    width = bounded(width);
    if (width_ != width) {
        width_ = width;
        emit(fixed(width, 2) + " W\n");
    }
    if (type < 1 || type > 4) type = 1;  // unsupported line types draw solid
    if (dash_ == type) return;
    dash_ = type;
    // Dash lengths grow with thick lines so that the pattern stays visible.
    const double u = std::max(1.0, width / kNominalLineWidth);
    auto len = [&](double v) { return fixed(v * u, 2); };
    switch (type) {
        case 2: emit("[" + len(6) + ' ' + len(4) + "] D\n"); break;
        case 3: emit("[" + len(1) + ' ' + len(3) + "] D\n"); break;
        case 4: emit("[" + len(6) + ' ' + len(3) + ' ' + len(1) + ' ' + len(3) + "] D\n"); break;
        default: emit("[] D\n"); break;
    }
}

void PostScriptWriter::polyline(const std::vector<std::vector<Point>>& runs,
                                const LineStyle& style) {
    if (runs.empty()) return;
    ensurePage();
    setColour(style.colour);
    setLine(kNominalLineWidth * style.widthScale, style.type);
    for (const auto& run : runs) {
        for (std::size_t i = 0; i < run.size(); ++i) {
            point(run[i]);
            emit(i == 0 ? " M\n" : " L\n");
            if (i % kMaxPathPoints == 0 && i > 0 && i + 1 < run.size()) {
                // Stroke what is there and continue from the same point.
                emit("S\n");
                point(run[i]);
                emit(" M\n");
            }
        }
        emit("S\n");
    }
}

void PostScriptWriter::polymarker(const std::vector<Point>& points, const MarkerStyle& style) {
    if (points.empty()) return;
    ensurePage();
    setColour(style.colour);
    setLine(kNominalLineWidth, 1);
    const int type = style.type >= 1 && style.type <= 5 ? style.type : 3;
    const std::string size = fixed(bounded(kNominalMarkerSize * style.sizeScale), 2);
    const std::string op = " MK" + std::to_string(type) + '\n';
    for (const Point& p : points) {
        point(p);
        emit(' ' + size + op);
    }
}

void PostScriptWriter::fillArea(const std::vector<Point>& polygon, const FillStyle& style) {
    if (polygon.size() < 3) return;
    ensurePage();
    setColour(style.colour);
    const int interior = style.interior == 1 || style.interior == 3 ? style.interior : 0;
    if (interior != 1) setLine(interior == 3 ? kNominalLineWidth / 2 : kNominalLineWidth, 1);
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        point(polygon[i]);
        emit(i == 0 ? " M\n" : " L\n");
    }
    if (interior == 1) {
        emit("FS\n");
    } else if (interior == 0) {
        emit("FH\n");
    } else {
        // Hatch styles 1-6: horizontal, vertical, rising, falling, grid, diagonal grid.
        static constexpr int kAngles[6][2] = {{0, -1}, {90, -1}, {45, -1}, {-45, -1}, {0, 90},
                                              {45, -45}};
        const int index = static_cast<int>((std::abs(static_cast<long long>(style.styleIndex)) - 1) % 6);
        const std::string spacing = ' ' + fixed(kHatchSpacing, 2) + " HT";
        emit("closepath");
        for (int angle : kAngles[index]) {
            if (angle != -1) emit(' ' + std::to_string(angle) + spacing);
        }
        emit(" newpath\n");
    }
}

void PostScriptWriter::text(const TextFrame& frame, std::string_view chars,
                            const TextStyle& style, const Rect& clip) {
    if (chars.empty()) return;
    ensurePage();
    const FontInfo& f = font(style.font);
    // Sizes in world units, bounded as the page draws them.
    const double unit = page_.scale() * std::hypot(frame.up.x, frame.up.y);
    auto drawable = [unit](double world) { return unit > 0 ? bounded(world * unit) / unit : world; };
    const double height = drawable(style.height);
    const double size = height / f.cap;  // the cap height is the character height
    const double expansion = size > 0 ? drawable(size * style.expansion) / size : style.expansion;
    const double gap = drawable(style.spacing * height);
    const int path = style.path >= 0 && style.path <= 3 ? style.path : 0;
    const bool vertical = path >= 2;

    static constexpr double kHorizontal[] = {0, 0, 0.5, 1};
    double hfrac = kHorizontal[std::clamp(style.alignH, 0, 3)];
    if (style.alignH == 0) hfrac = vertical ? 0.5 : (path == 1 ? 1 : 0);
    int alignV = std::clamp(style.alignV, 0, 5);
    if (alignV == 0) alignV = path == 3 ? 1 : 4;

    // Baseline of the bottom character and the height of the text body above it.
    const double pitch = (f.top - f.bottom) * size + gap;
    const double above = vertical ? (chars.size() - 1) * pitch : 0;
    double ref = 0;
    switch (alignV) {
        case 1: ref = above + f.top * size; break;
        case 2: ref = above + height; break;
        // Half line: half the cap height, or the middle of a vertical column.
        case 3: ref = vertical ? (above + (f.top + f.bottom) * size) / 2 : height / 2; break;
        case 5: ref = f.bottom * size; break;
        default: ref = 0; break;
    }

    const double s = page_.scale();
    const Point lo = page_.toPage({clip.x0, clip.y0});
    const Point hi = page_.toPage({clip.x1, clip.y1});
    emit("gsave " + fixed(lo.x, 2) + ' ' + fixed(lo.y, 2) + ' ' + fixed(hi.x, 2) + ' ' +
         fixed(hi.y, 2) + " CL " + rgb(style.colour) + " C\n");
    point(frame.origin);
    emit(" translate [" + general(frame.base.x * s) + ' ' + general(frame.base.y * s) + ' ' +
         general(frame.up.x * s) + ' ' + general(frame.up.y * s) + " 0 0] concat\n/" + f.name +
         " findfont [" + general(size * expansion) + " 0 0 " + general(size) +
         " 0 0] makefont setfont\n");
    const std::string h = ' ' + fixed(hfrac, 2) + ' ';
    if (!vertical) {
        std::string ordered(chars);
        if (path == 1) std::reverse(ordered.begin(), ordered.end());
        emit('(' + psString(ordered) + ')' + h + general(0 - ref) + ' ' + general(gap) + " T\n");
    } else {
        for (std::size_t i = 0; i < chars.size(); ++i) {
            const std::size_t fromBottom = path == 2 ? i : chars.size() - 1 - i;
            emit('(' + psString(chars.substr(i, 1)) + ')' + h +
                 general(fromBottom * pitch - ref) + " 0 T\n");
        }
    }
    emit("grestore\n");
}

void PostScriptWriter::clear() {
    if (!pageOpen_) return;
    endPage();
    checkWritten(Phase::running);
}

void PostScriptWriter::flush() { checkWritten(Phase::running); }

void PostScriptWriter::close() { finish(Phase::running); }

void PostScriptWriter::checkWritten(Phase phase) {
    if (!out_) return;
    if (std::fflush(out_) == 0 && !std::ferror(out_)) return;
    cannotWrite(phase);
}

// A picture file that silently lost pages would pass for a good one: stop like a failed
// Fortran write would.
void PostScriptWriter::cannotWrite(Phase phase) {
    std::fprintf(stderr, "GKS: cannot write %s: %s\n", name_.c_str(), std::strerror(errno));
    if (out_) std::fclose(out_);
    out_ = nullptr;
    if (phase == Phase::running) std::exit(2);
    // exit() may not run again while the process exits, and _Exit skips the Fortran
    // runtime's own cleanup: its units are flushed here first.
    if (_gfortran_flush_i4) _gfortran_flush_i4(nullptr);
    std::fflush(nullptr);
    std::_Exit(2);
}

void PostScriptWriter::finish(Phase phase) {
    if (!out_) return;
    endPage();
    emit("%%Trailer\n%%Pages: " + std::to_string(pages_) + "\nend\n%%EOF\n");
    checkWritten(phase);
    std::FILE* out = out_;
    out_ = nullptr;
    if (std::fclose(out) != 0) cannotWrite(phase);
}

}  // namespace zemka::gks
