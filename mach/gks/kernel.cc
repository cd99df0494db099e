#include "kernel.h"

#include <cmath>
#include <string>
#include <vector>

#include "clip.h"

namespace zemka::gks {

namespace {

// The default colour table of the workstation; indices beyond it start undefined.
constexpr Rgb kDefaultColours[] = {
    {1, 1, 1}, {0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}, {0, 1, 1}, {1, 0, 1},
};

const char* stateName(State s) {
    switch (s) {
        case State::Closed: return "GKCL";
        case State::Open: return "GKOP";
        case State::WorkstationOpen: return "WSOP";
        case State::WorkstationActive: return "WSAC";
    }
    return "?";
}

}  // namespace

Rgb Workstation::colour(int index) const {
    if (index >= 0 && index < kColourTableSize && colours[index]) return *colours[index];
    return *colours[1];
}

Kernel::Kernel(std::FILE* errors) : errors_(errors) { individual_.fill(true); }

Kernel::~Kernel() {
    for (auto& [conid, c] : connections_) std::fclose(c.file);
}

bool Kernel::connectFile(int conid, const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "w");
    if (!f) return false;
    auto [it, fresh] = connections_.try_emplace(conid, Connection{f, path});
    if (!fresh) {
        std::fclose(it->second.file);
        it->second = Connection{f, path};
    }
    return true;
}

// Reports go to standard error rather than to the error file of GOPKS: the C++ layer cannot
// share the Fortran runtime's buffer of unit 6, so writing to standard output would interleave
// out of order with the program's own output.
void Kernel::report(std::string_view routine, std::string_view problem) {
    std::fprintf(errors_, "GKS error in %.*s: %.*s; call ignored\n",
                 static_cast<int>(routine.size()), routine.data(),
                 static_cast<int>(problem.size()), problem.data());
    std::fflush(errors_);
}

State Kernel::state() const {
    if (!open_) return State::Closed;
    if (workstations_.empty()) return State::Open;
    for (const auto& [id, ws] : workstations_) {
        if (ws.active) return State::WorkstationActive;
    }
    return State::WorkstationOpen;
}

bool Kernel::require(std::string_view routine, State least) {
    const State now = state();
    if (now >= least) return true;
    report(routine, std::string("GKS is in state ") + stateName(now) + ", needs " +
                        stateName(least) + " or later");
    return false;
}

Workstation* Kernel::openWorkstationOrReport(std::string_view routine, int wkid) {
    auto it = workstations_.find(wkid);
    if (it != workstations_.end()) return &it->second;
    report(routine, "workstation " + std::to_string(wkid) + " is not open");
    return nullptr;
}

const Workstation* Kernel::workstation(int wkid) const {
    auto it = workstations_.find(wkid);
    return it == workstations_.end() ? nullptr : &it->second;
}

void Kernel::openGks() {
    if (state() != State::Closed) return report("GOPKS", "GKS is already open");
    open_ = true;
    transformations_.fill(Transformation{});
    selected_ = 0;
    attributes_ = Attributes{};
    individual_.fill(true);
}

void Kernel::closeGks() {
    if (state() != State::Open) {
        return report("GCLKS", std::string("GKS is in state ") + stateName(state()) +
                                   ", needs GKOP (every workstation closed)");
    }
    open_ = false;
}

void Kernel::openWorkstation(int wkid, int conid, int type) {
    if (!require("GOPWK", State::Open)) return;
    if (workstations_.count(wkid)) {
        return report("GOPWK", "workstation " + std::to_string(wkid) + " is already open");
    }
    if (type != kPostScriptType) {
        return report("GOPWK", "workstation type " + std::to_string(type) +
                                   " is not available (only 62, PostScript)");
    }
    auto conn = connections_.find(conid);
    if (conn == connections_.end()) {
        return report("GOPWK", "connection " + std::to_string(conid) + " is not bound to a file");
    }
    Workstation ws;
    ws.out = std::make_unique<PostScriptWriter>(conn->second.file, conn->second.name);
    connections_.erase(conn);
    for (std::size_t i = 0; i < std::size(kDefaultColours); ++i) ws.colours[i] = kDefaultColours[i];
    workstations_.emplace(wkid, std::move(ws));
}

void Kernel::closeWorkstation(int wkid) {
    if (!require("GCLWK", State::WorkstationOpen)) return;
    Workstation* ws = openWorkstationOrReport("GCLWK", wkid);
    if (!ws) return;
    if (ws->active) {
        return report("GCLWK", "workstation " + std::to_string(wkid) + " is still active");
    }
    ws->out->close();
    workstations_.erase(wkid);
}

void Kernel::activateWorkstation(int wkid) {
    if (!require("GACWK", State::WorkstationOpen)) return;
    Workstation* ws = openWorkstationOrReport("GACWK", wkid);
    if (!ws) return;
    if (ws->active) {
        return report("GACWK", "workstation " + std::to_string(wkid) + " is already active");
    }
    ws->active = true;
}

void Kernel::deactivateWorkstation(int wkid) {
    if (!require("GDAWK", State::WorkstationActive)) return;
    Workstation* ws = openWorkstationOrReport("GDAWK", wkid);
    if (!ws) return;
    if (!ws->active) {
        return report("GDAWK", "workstation " + std::to_string(wkid) + " is not active");
    }
    ws->active = false;
}

void Kernel::clearWorkstation(int wkid) {
    if (!require("GCLRWK", State::WorkstationOpen)) return;
    if (Workstation* ws = openWorkstationOrReport("GCLRWK", wkid)) ws->out->clear();
}

void Kernel::updateWorkstation(int wkid) {
    if (!require("GUWK", State::WorkstationOpen)) return;
    if (Workstation* ws = openWorkstationOrReport("GUWK", wkid)) ws->out->flush();
}

void Kernel::setColour(int wkid, int index, const Rgb& c) {
    if (!require("GSCR", State::WorkstationOpen)) return;
    Workstation* ws = openWorkstationOrReport("GSCR", wkid);
    if (!ws) return;
    if (index < 0 || index >= kColourTableSize) {
        return report("GSCR", "colour index " + std::to_string(index) + " is outside 0.." +
                                  std::to_string(kColourTableSize - 1));
    }
    for (double v : {c.r, c.g, c.b}) {
        if (!(v >= 0 && v <= 1)) return report("GSCR", "colour intensity outside 0..1");
    }
    ws->colours[index] = c;
    if (index == 0) ws->out->setBackground(c);
}

namespace {

bool validTransformation(int tnr) { return tnr >= 0 && tnr <= kMaxTransformation; }

bool validRect(const Rect& r) {
    return std::isfinite(r.x0) && std::isfinite(r.x1) && std::isfinite(r.y0) &&
           std::isfinite(r.y1) && r.x0 < r.x1 && r.y0 < r.y1;
}

}  // namespace

void Kernel::setWindow(int tnr, const Rect& window) {
    if (!require("GSWN", State::Open)) return;
    // Transformation 0 is the fixed identity.
    if (tnr < 1 || tnr > kMaxTransformation) {
        return report("GSWN", "transformation number " + std::to_string(tnr) + " is invalid");
    }
    if (!validRect(window)) return report("GSWN", "window limits are not increasing");
    transformations_[tnr].window = window;
}

void Kernel::setViewport(int tnr, const Rect& viewport) {
    if (!require("GSVP", State::Open)) return;
    if (tnr < 1 || tnr > kMaxTransformation) {
        return report("GSVP", "transformation number " + std::to_string(tnr) + " is invalid");
    }
    if (!validRect(viewport)) return report("GSVP", "viewport limits are not increasing");
    if (viewport.x0 < 0 || viewport.x1 > 1 || viewport.y0 < 0 || viewport.y1 > 1) {
        return report("GSVP", "viewport is not inside the NDC unit square");
    }
    transformations_[tnr].viewport = viewport;
}

void Kernel::selectTransformation(int tnr) {
    if (!require("GSELNT", State::Open)) return;
    if (!validTransformation(tnr)) {
        return report("GSELNT", "transformation number " + std::to_string(tnr) + " is invalid");
    }
    selected_ = tnr;
}

void Kernel::setAspectSourceFlags(std::span<const int, 13> flags) {
    if (!require("GSASF", State::Open)) return;
    for (int f : flags) {
        if (f != 0 && f != 1) return report("GSASF", "aspect source flag is neither 0 nor 1");
    }
    for (std::size_t i = 0; i < 13; ++i) individual_[i] = flags[i] == 1;
}

Attributes Kernel::effective() const {
    // Aspect source flag order of the GKS standard.
    const Attributes bundle;
    Attributes a = attributes_;
    if (!individual_[0]) a.linetype = bundle.linetype;
    if (!individual_[1]) a.linewidth = bundle.linewidth;
    if (!individual_[2]) a.lineColour = bundle.lineColour;
    if (!individual_[3]) a.markerType = bundle.markerType;
    if (!individual_[4]) a.markerSize = bundle.markerSize;
    if (!individual_[5]) a.markerColour = bundle.markerColour;
    if (!individual_[6]) {
        a.font = bundle.font;
        a.precision = bundle.precision;
    }
    if (!individual_[7]) a.expansion = bundle.expansion;
    if (!individual_[8]) a.spacing = bundle.spacing;
    if (!individual_[9]) a.textColour = bundle.textColour;
    if (!individual_[10]) a.interior = bundle.interior;
    if (!individual_[11]) a.styleIndex = bundle.styleIndex;
    if (!individual_[12]) a.fillColour = bundle.fillColour;
    return a;
}

Point Kernel::toNdc(float x, float y) const {
    const Transformation& t = transformations_[selected_];
    const Rect& w = t.window;
    const Rect& v = t.viewport;
    return {v.x0 + (double{x} - w.x0) * (v.x1 - v.x0) / (w.x1 - w.x0),
            v.y0 + (double{y} - w.y0) * (v.y1 - v.y0) / (w.y1 - w.y0)};
}

template <class Draw>
void Kernel::forActive(Draw draw) {
    for (auto& [id, ws] : workstations_) {
        if (ws.active) draw(ws);
    }
}

namespace {

std::vector<Point> points(std::span<const float> x, std::span<const float> y, auto toNdc) {
    std::vector<Point> p;
    p.reserve(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) p.push_back(toNdc(x[i], y[i]));
    return p;
}

}  // namespace

void Kernel::polyline(std::span<const float> x, std::span<const float> y) {
    if (!require("GPL", State::WorkstationActive)) return;
    if (x.size() < 2) return report("GPL", "fewer than two points");
    const auto runs = clipPolyline(points(x, y, [&](float a, float b) { return toNdc(a, b); }),
                                   clipRect());
    const Attributes a = effective();
    forActive([&](Workstation& ws) {
        ws.out->polyline(runs, {a.linetype, a.linewidth, ws.colour(a.lineColour)});
    });
}

void Kernel::polymarker(std::span<const float> x, std::span<const float> y) {
    if (!require("GPM", State::WorkstationActive)) return;
    if (x.empty()) return report("GPM", "no points");
    // A marker is drawn whole if its position is inside the clip rectangle, else not at all.
    std::vector<Point> visible;
    for (const Point& p : points(x, y, [&](float a, float b) { return toNdc(a, b); })) {
        if (inside(p, clipRect())) visible.push_back(p);
    }
    const Attributes a = effective();
    forActive([&](Workstation& ws) {
        ws.out->polymarker(visible, {a.markerType, a.markerSize, ws.colour(a.markerColour)});
    });
}

void Kernel::fillArea(std::span<const float> x, std::span<const float> y) {
    if (!require("GFA", State::WorkstationActive)) return;
    if (x.size() < 3) return report("GFA", "fewer than three points");
    const auto polygon = clipPolygon(
        points(x, y, [&](float a, float b) { return toNdc(a, b); }), clipRect());
    const Attributes a = effective();
    forActive([&](Workstation& ws) {
        ws.out->fillArea(polygon, {a.interior, a.styleIndex, ws.colour(a.fillColour)});
    });
}

void Kernel::text(float x, float y, std::string_view chars) {
    if (!require("GTX", State::WorkstationActive)) return;
    TextFrame frame;
    frame.origin = toNdc(x, y);
    if (!std::isfinite(frame.origin.x) || !std::isfinite(frame.origin.y)) return;
    // The text is laid out in world coordinates along the up vector and the base vector at a
    // right angle to it, then carried to NDC by the scale of the transformation.
    const Attributes a = effective();
    const double len = std::hypot(a.charUp.x, a.charUp.y);
    const Point up{a.charUp.x / len, a.charUp.y / len};
    const Point base{up.y, -up.x};
    const Transformation& t = transformations_[selected_];
    const double sx = (t.viewport.x1 - t.viewport.x0) / (t.window.x1 - t.window.x0);
    const double sy = (t.viewport.y1 - t.viewport.y0) / (t.window.y1 - t.window.y0);
    frame.base = {base.x * sx, base.y * sy};
    frame.up = {up.x * sx, up.y * sy};
    forActive([&](Workstation& ws) {
        TextStyle style{a.font,   a.charHeight, a.expansion, a.spacing,
                        a.path,   a.alignH,     a.alignV,    ws.colour(a.textColour)};
        ws.out->text(frame, chars, style, clipRect());
    });
}

Kernel& kernel() {
    static Kernel k;
    return k;
}

}  // namespace zemka::gks
