// The runtime module linked into every generated program: machine constants for the solver
// library, and the start and end of PostScript graphics in zemka.ps.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "gks/binding.h"
#include "gks/kernel.h"

// Common blocks shared by name with the solver library; static storage makes them zero at start.
// gfortran aligns common blocks to 16 bytes and the linker warns about anything less.
extern "C" {
// 1 once inigks has opened GKS and the workstation.
alignas(16) int32_t kvrgks_ = 0;
// Set to 1.0 by every inigks; read by the library.
alignas(16) float kvrfac_ = 0;
// 1 once inigks has loaded the colour table.
alignas(16) int32_t kvrcol_ = 0;
// Reserved for the library; not used here.
alignas(16) unsigned char clogks_[8] = {};

int32_t i2mach_(const int32_t* i);
float r1mach_(const int32_t* i);
double d1mach_(const int32_t* i);
void inigks_();
void endgks_();
}

namespace {

constexpr int32_t kWorkstation = 1;
// Connection identifier of zemka.ps; inigks binds it, so unit 40 stays free for the program.
constexpr int32_t kConnection = 40;
constexpr int32_t kPostScript = 62;
constexpr const char* kPictureFile = "zemka.ps";

struct ColourEntry {
    int32_t index;
    float r, g, b;
};

constexpr ColourEntry kColours[] = {
    {2, 1.0f, 0.0f, 0.0f}, {3, 0.0f, 1.0f, 0.0f}, {4, 0.0f, 0.0f, 1.0f}, {5, 1.0f, 0.5f, 0.0f},
    {6, 1.0f, 0.0f, 0.5f}, {7, 0.5f, 1.0f, 0.0f}, {8, 0.0f, 1.0f, 0.5f}, {9, 0.5f, 0.0f, 1.0f},
    {10, 0.0f, 0.5f, 1.0f}, {11, 0.5f, 0.5f, 0.5f},
};

// Repeated multiplication by 1/64, exact in binary, so the result is an exact power of two.
template <class Real>
Real powerOf64th(int32_t n) {
    Real v = 1;
    for (int32_t k = 0; k < n; ++k) v *= Real(0.015625);
    return v;
}

}  // namespace

extern "C" {

// 1: the standard output unit; 4 and 5: the powers of 1/64 that give the relative precisions
// r1mach(4) and d1mach(4); 6: a large count. The library asks for nothing else; other arguments
// give 0.
int32_t i2mach_(const int32_t* i) {
    switch (*i) {
        case 1: return 6;
        case 4: return 4;
        case 5: return 8;
        case 6: return 9999999;
        default: return 0;
    }
}

// Deliberately moderate bounds (1e-35, 1e35) rather than the hardware extremes, and
// r1mach(4) = 2^-24 as the relative precision of a real.
float r1mach_(const int32_t* i) {
    switch (*i) {
        case 1: return 1.0e-35f;
        case 2: return 1.0e+35f;
        case 4: {
            const int32_t four = 4;
            return powerOf64th<float>(i2mach_(&four));
        }
        default: return 0;
    }
}

// The double precision counterparts: 1e-99, 1e99 and d1mach(4) = 2^-48.
double d1mach_(const int32_t* i) {
    switch (*i) {
        case 1: return 1.0e-99;
        case 2: return 1.0e+99;
        case 4: {
            const int32_t five = 5;
            return powerOf64th<double>(i2mach_(&five));
        }
        default: return 0;
    }
}

// Opens graphics on the first call; every call starts a new, cleared picture with the window
// -2..13 in x and y.
void inigks_() {
    kvrfac_ = 1.0f;
    if (kvrgks_ == 0) {
        const int32_t one = 1;
        const int32_t errfil = i2mach_(&one);
        if (!zemka::gks::kernel().connectFile(kConnection, kPictureFile)) {
            std::fprintf(stderr, "mach: cannot create %s: %s\n", kPictureFile,
                         std::strerror(errno));
            std::exit(2);
        }
        const int32_t bufa = -1;
        gopks_(&errfil, &bufa);
        gopwk_(&kWorkstation, &kConnection, &kPostScript);
        gacwk_(&kWorkstation);
        const int32_t font = 1;
        const int32_t precision = 2;
        gstxfp_(&font, &precision);
        // Every attribute individually, none from bundles.
        static const int32_t lasf[13] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
        gsasf_(lasf);
        kvrcol_ = 1;
        for (const ColourEntry& c : kColours) gscr_(&kWorkstation, &c.index, &c.r, &c.g, &c.b);
        kvrgks_ = 1;
    }
    const int32_t always = 1;
    gclrwk_(&kWorkstation, &always);
    const int32_t tnr = 1;
    const float lo = -2.0f;
    const float hi = 13.0f;
    gswn_(&tnr, &lo, &hi, &lo, &hi);
    gselnt_(&tnr);
}

// The flag stays set: a later inigks would find the workstation closed, and GKS reports the
// calls it then makes.
void endgks_() {
    if (kvrgks_ != 1) return;
    gdawk_(&kWorkstation);
    gclwk_(&kWorkstation);
    gclks_();
}
}
