// The GKS Fortran binding as gfortran calls it: lower-case names with a trailing underscore,
// every argument by reference, INTEGER as 32-bit and REAL as float, and a CHARACTER argument's
// length passed as a hidden size_t after the other arguments.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {

void gopks_(const int32_t* errfil, const int32_t* bufa);
void gclks_();
void gopwk_(const int32_t* wkid, const int32_t* conid, const int32_t* wtype);
void gclwk_(const int32_t* wkid);
void gacwk_(const int32_t* wkid);
void gdawk_(const int32_t* wkid);
void gclrwk_(const int32_t* wkid, const int32_t* cofl);
void guwk_(const int32_t* wkid, const int32_t* regfl);
void gswn_(const int32_t* tnr, const float* xmin, const float* xmax, const float* ymin,
           const float* ymax);
void gsvp_(const int32_t* tnr, const float* xmin, const float* xmax, const float* ymin,
           const float* ymax);
void gselnt_(const int32_t* tnr);
void gscr_(const int32_t* wkid, const int32_t* ci, const float* cr, const float* cg,
           const float* cb);
void gsasf_(const int32_t* lasf);
void gstxfp_(const int32_t* font, const int32_t* prec);

void gpl_(const int32_t* n, const float* px, const float* py);
void gpm_(const int32_t* n, const float* px, const float* py);
void gfa_(const int32_t* n, const float* px, const float* py);
void gtx_(const float* px, const float* py, const char* chars, std::size_t len);

void gsln_(const int32_t* ltype);
void gslwsc_(const float* lwidth);
void gsplci_(const int32_t* coli);
void gsmk_(const int32_t* mtype);
void gsmksc_(const float* mszsf);
void gspmci_(const int32_t* coli);
void gschh_(const float* chh);
void gschup_(const float* chux, const float* chuy);
void gschxp_(const float* chxp);
void gschsp_(const float* chsp);
void gstxal_(const int32_t* txalh, const int32_t* txalv);
void gstxp_(const int32_t* txp);
void gstxci_(const int32_t* coli);
void gsfais_(const int32_t* ints);
void gsfasi_(const int32_t* styli);
void gsfaci_(const int32_t* coli);
}
