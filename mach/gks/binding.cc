#include "binding.h"

#include <cmath>
#include <span>
#include <string_view>

#include "kernel.h"

using zemka::gks::kernel;
using zemka::gks::Rect;
using zemka::gks::State;

namespace {

std::size_t count(const int32_t* n) { return *n > 0 ? static_cast<std::size_t>(*n) : 0; }

// Attribute setters work in every state but GKCL; a false result means the call was reported.
bool settable(std::string_view routine, bool valid, std::string_view problem) {
    if (!kernel().require(routine, State::Open)) return false;
    if (!valid) kernel().report(routine, problem);
    return valid;
}

bool colourIndex(std::string_view routine, int32_t ci) {
    return settable(routine, ci >= 0, "colour index is negative");
}

}  // namespace

extern "C" {

// The error file is not used: reports go to standard error (see Kernel::report), and the
// buffer size means nothing to a file workstation.
void gopks_(const int32_t*, const int32_t*) { kernel().openGks(); }

void gclks_() { kernel().closeGks(); }

void gopwk_(const int32_t* wkid, const int32_t* conid, const int32_t* wtype) {
    kernel().openWorkstation(*wkid, *conid, *wtype);
}

void gclwk_(const int32_t* wkid) { kernel().closeWorkstation(*wkid); }

void gacwk_(const int32_t* wkid) { kernel().activateWorkstation(*wkid); }

void gdawk_(const int32_t* wkid) { kernel().deactivateWorkstation(*wkid); }

// A file cannot be cleared conditionally or otherwise: either way the page ends.
void gclrwk_(const int32_t* wkid, const int32_t*) { kernel().clearWorkstation(*wkid); }

void guwk_(const int32_t* wkid, const int32_t*) { kernel().updateWorkstation(*wkid); }

void gswn_(const int32_t* tnr, const float* xmin, const float* xmax, const float* ymin,
           const float* ymax) {
    kernel().setWindow(*tnr, Rect{*xmin, *xmax, *ymin, *ymax});
}

void gsvp_(const int32_t* tnr, const float* xmin, const float* xmax, const float* ymin,
           const float* ymax) {
    kernel().setViewport(*tnr, Rect{*xmin, *xmax, *ymin, *ymax});
}

void gselnt_(const int32_t* tnr) { kernel().selectTransformation(*tnr); }

void gscr_(const int32_t* wkid, const int32_t* ci, const float* cr, const float* cg,
           const float* cb) {
    kernel().setColour(*wkid, *ci, {*cr, *cg, *cb});
}

void gsasf_(const int32_t* lasf) {
    int flags[13];
    for (int i = 0; i < 13; ++i) flags[i] = lasf[i];
    kernel().setAspectSourceFlags(std::span<const int, 13>(flags));
}

void gstxfp_(const int32_t* font, const int32_t* prec) {
    if (!settable("GSTXFP", *font != 0, "text font is zero")) return;
    if (!settable("GSTXFP", *prec >= 0 && *prec <= 2, "text precision is not 0, 1 or 2")) return;
    // Every precision is drawn as STROKE would be: all text attributes are honoured.
    kernel().attributes().font = *font;
    kernel().attributes().precision = *prec;
}

void gpl_(const int32_t* n, const float* px, const float* py) {
    kernel().polyline({px, count(n)}, {py, count(n)});
}

void gpm_(const int32_t* n, const float* px, const float* py) {
    kernel().polymarker({px, count(n)}, {py, count(n)});
}

void gfa_(const int32_t* n, const float* px, const float* py) {
    kernel().fillArea({px, count(n)}, {py, count(n)});
}

void gtx_(const float* px, const float* py, const char* chars, std::size_t len) {
    kernel().text(*px, *py, std::string_view(chars, len));
}

void gsln_(const int32_t* ltype) {
    if (settable("GSLN", *ltype != 0, "linetype is zero")) kernel().attributes().linetype = *ltype;
}

void gslwsc_(const float* lwidth) {
    if (settable("GSLWSC", *lwidth >= 0 && std::isfinite(*lwidth),
                 "linewidth scale factor is negative or not finite")) {
        kernel().attributes().linewidth = *lwidth;
    }
}

void gsplci_(const int32_t* coli) {
    if (colourIndex("GSPLCI", *coli)) kernel().attributes().lineColour = *coli;
}

void gsmk_(const int32_t* mtype) {
    if (settable("GSMK", *mtype != 0, "marker type is zero")) kernel().attributes().markerType = *mtype;
}

void gsmksc_(const float* mszsf) {
    if (settable("GSMKSC", *mszsf >= 0 && std::isfinite(*mszsf),
                 "marker size scale factor is negative or not finite")) {
        kernel().attributes().markerSize = *mszsf;
    }
}

void gspmci_(const int32_t* coli) {
    if (colourIndex("GSPMCI", *coli)) kernel().attributes().markerColour = *coli;
}

void gschh_(const float* chh) {
    if (settable("GSCHH", *chh > 0 && std::isfinite(*chh),
                 "character height is not positive and finite")) {
        kernel().attributes().charHeight = *chh;
    }
}

void gschup_(const float* chux, const float* chuy) {
    const bool valid = std::isfinite(*chux) && std::isfinite(*chuy) && (*chux != 0 || *chuy != 0);
    if (settable("GSCHUP", valid, "character up vector has length zero or is not finite")) {
        kernel().attributes().charUp = {*chux, *chuy};
    }
}

void gschxp_(const float* chxp) {
    if (settable("GSCHXP", *chxp > 0 && std::isfinite(*chxp),
                 "character expansion factor is not positive and finite")) {
        kernel().attributes().expansion = *chxp;
    }
}

void gschsp_(const float* chsp) {
    if (settable("GSCHSP", std::isfinite(*chsp), "character spacing is not finite")) {
        kernel().attributes().spacing = *chsp;
    }
}

void gstxal_(const int32_t* txalh, const int32_t* txalv) {
    const bool valid = *txalh >= 0 && *txalh <= 3 && *txalv >= 0 && *txalv <= 5;
    if (settable("GSTXAL", valid, "text alignment is outside 0..3, 0..5")) {
        kernel().attributes().alignH = *txalh;
        kernel().attributes().alignV = *txalv;
    }
}

void gstxp_(const int32_t* txp) {
    if (settable("GSTXP", *txp >= 0 && *txp <= 3, "text path is outside 0..3")) {
        kernel().attributes().path = *txp;
    }
}

void gstxci_(const int32_t* coli) {
    if (colourIndex("GSTXCI", *coli)) kernel().attributes().textColour = *coli;
}

void gsfais_(const int32_t* ints) {
    if (settable("GSFAIS", *ints >= 0 && *ints <= 3, "fill area interior style is outside 0..3")) {
        kernel().attributes().interior = *ints;
    }
}

void gsfasi_(const int32_t* styli) {
    if (settable("GSFASI", *styli != 0, "fill area style index is zero")) {
        kernel().attributes().styleIndex = *styli;
    }
}

void gsfaci_(const int32_t* coli) {
    if (colourIndex("GSFACI", *coli)) kernel().attributes().fillColour = *coli;
}

}  // extern "C"
