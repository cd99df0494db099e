// Programs for two space variables solved by collocation: the region is the image of a
// rectangle of the computational coordinates P1, P2, cut by grid lines, under a
// transformation to x, y. Conditions G are given on the rectangle's four faces; a direction
// may be periodic instead.
#include "collocation.h"
#include "generators.h"
#include "output.h"

namespace zemka {
namespace {

// The first 32 letters may name an unknown (not I..N, P, T, X or Y: integers, the
// coordinates and the time); all 46 may name a global parameter.
constexpr std::string_view let1 = "ABCDEFGHOQRSUVWZabcdefghoqrsuvwzIJKLMNPijklmnp";
// Unknowns are kept from the first 8, global parameters from all.
constexpr std::string_view forb = "P1 p1 P2 p2 PI Pi pI pi DT TF Dt Tf dT tF dt tf T0 t0 X1 x1 X2 x2 Y1 y1 Y2 y2 ";

// The names of the 2D collocation program's own beside sharedReserved: the main program's,
// the transformation's derivatives, and the variables of pdes8z, gb8z and pmod8z.
constexpr std::string_view reserved2dc =
    "a1mag a2mag abs ahigh alow darea dvol fillin iperdc isinc iset1 iset2 isolve itrans ivar1 ivar2 linear "
    "lsqfit mod nodist none norm1 norm2 normx normy np1 np1grid np1vals np2 np2grid np2vals np3grid p1a p1b "
    "p1cross p1grid p1out p2a p2b p2cross p2grid p2out p3grid perdc solid uxprint uyprint vlat vlon vr1mag "
    "vr2mag x11 x12 x21 x22 x13 x23 x31 x32 x33 y11 y12 y21 y22 y13 y23 y31 y32 y33 z11 z12 z13 z21 z22 z23 "
    "z31 z32 z33";

const NameTables names{let1, collocationLet2, forb, {sharedReserved, reserved2dc}};

const ProgramSkeleton skeleton = boxSkeleton(
    "*** 2D PROBLEM SOLVED (COLLOCATION METHOD) ***",
    "dimension p1grid(np1grid),p2grid(np2grid),p3grid(np3grid),p1out8z(0:np1,0:np2),p2out8z(0:np1,0:np2),"
    "p3out8z(0:np1,0:np2),p1cross(100),p2cross(100),tout8z(0:nsave)",
    "common/dkvr76/ mdim8z,nx18z,ny18z,p1a,p1b,p2a,p2b,uout(0:np1,0:np2,4,neqn,0:nsave)",
    {"pi = 4.0*atan(1.d0)", "zr8z = 0.0", "nxa8z = nxp8z", "nya8z = nyp8z", "nza8z = nzp8z", "nx18z = np1+1",
     "ny18z = np2+1", "mdim8z = 4", "kd8z = kdeg8z"});

const Transformation transformation2d{
    .head = {"subroutine tran8z(itrans,p1,p2,p38z)",
             {statement("common /dkvr41/x,y,z8z,x1,x2,x38z,y1,y2,y38z,z18z,z28z,z38z,x11,x21,x31,x12,x22,x32,x13,"
                        "x23,x33,y11,y21,y31,y12,y22,y32,y13,y23,y33,z11,z21,z31,z12,z22,z32,z13,z23,z33"),
              parameterCommonLine}},
    .message = 280,
    .refuseTwo = true,
    // The third coordinate of the library's transformation is a dummy one.
    .closing = {comment(" "), statement("z8z = p38z"), statement("z38z = 1")},
};

// U, U1, U2, U11, U22, U12 and U21 of each unknown; gb8z binds the first three.
const UnknownLines values{{"(6X,A,'  = uu8z(1,',I2,')')", "NI"}, {"(6X,A,'1 = uu8z(2,',I2,')')", "NI"},
                          {"(6X,A,'2 = uu8z(3,',I2,')')", "NI"}, {"(6X,A,'11= uu8z(5,',I2,')')", "NI"},
                          {"(6X,A,'22= uu8z(6,',I2,')')", "NI"}, {"(6X,A,'12= uu8z(8,',I2,')')", "NI"},
                          {"(6X,A,'21= uu8z(8,',I2,')')", "NI"}};
const UnknownLines boundaryValues(values.begin(), values.begin() + 3);

constexpr std::string_view locate = "call dkvrcb(p1,p2,p38z,norm1,norm2,n38z,x,y,z8z,normx,normy,nz8z,3)";
constexpr UnknownLine normal{"(6X,A,'norm = ',A,'x*normx + ',A,'y*normy')", "NNN"};
// The derivatives in x and y of U from those in P1 and P2, with the volume and area
// elements of the point (named dvol8z, dare8z where they are not used).
constexpr std::string_view transformedDerivatives =
    "(5X,'&          ',A,'1,',A,'2,zr8z,',A,'11,',          A,'22,zr8z,',A,'12,zr8z,zr8z,',/,5X,'& x,y,z8z,',"
    "                 A,'x,',A,'y,uz8z,',A,'xx,',A,'yy,uzz8z,',A,'xy,',                 'uxz8z,uyz8z,',/,5X,'& ',A,"
    "'yx,uzx8z,uzy8z,dvol,darea)')";
constexpr std::string_view transformedDerivativesHere =
    "(5X,'&          ',A,'1,',A,'2,zr8z,',A,'11,',          A,'22,zr8z,',A,'12,zr8z,zr8z,',/,5X,'& x,y,z8z,',"
    "                 A,'x,',A,'y,uz8z,',A,'xx,',A,'yy,uzz8z,',A,'xy,',                 'uxz8z,uyz8z,',/,5X,'& ',A,"
    "'yx,uzx8z,uzy8z,dvol8z,dare8z)')";

// The normal of the library's /dkvr18/, with a dummy third component.
constexpr std::string_view normalCommon = "common /dkvr18/norm1,norm2,n38z";

const CollocationEquations equations2dc = boxEquations(
    {.head = boxEquationsHead("subroutine pdes8z(yd8z,i8z,j8z,kint8z,p1,p2,p38z,t,uu8z)", normalCommon,
                              "norm1,norm2,n38z,normx,normy,nz8z", {statement("zr8z = 0.0")}),
     .values = values,
     .locate = {"call dkvrcd(p1,p2,p38z)", locate},
     .derivatives = {{"call dkvrcc(p1,p2,p38z,"}, {transformedDerivatives, "NNNNNNNNNNN"}, normal}},
    284);

const Faces faces2dc{
    .routine = {.head = boxConditionsHead("subroutine gb8z(gd8z,ifac8z,i8z,j8z,p1,p2,p38z,t,uu8z)", normalCommon,
                                          "none,norm1,norm2,n38z,normx,normy,nz8z", {statement("zr8z = 0.0")}),
                .values = boundaryValues,
                .locate = {"call dkvrcd(p1,p2,p38z)", locate},
                .derivatives = {{"call dkvrcb("},
                                {"(5X,'& p1,p2,p38z,',A,'1,',A,'2,','zr8z,',                 'x,y,z8z,',A,'x,',A,"
                                 "'y,','uz8z,2)')",
                                 "NNNN"},
                                normal}},
    .message = 309,
    .count = 4,
    .faceMessage = 312,
    .what = "the boundary conditions (on this face only)",
};

const PointRoutine replacements2dc{
    .head = {"subroutine pmod8z(p1,p2,p38z,t,uu8z,uprint,uxprint,uyprint,uzp8z)",
             {statement("dimension uu8z(10,*),uprint(*),uxprint(*),uyprint(*),uzp8z(*)"),
              statement("common/dkvr14/sint(20),bint(20),slim8z(20),blim8z(20)"), parameterCommonLine,
              statement("zr8z = 0.0")}},
    .values = values,
    .locate = {"call dkvrcd(p1,p2,p38z)"},
    .derivatives = {{"call dkvrcc(p1,p2,p38z,"},
                    {transformedDerivativesHere, "NNNNNNNNNNN"},
                    {"(6X,'uxprint(',i2,') = ',A,'x',/,                                  6X,'uyprint(',i2,') = ',A,'y')",
                     "ININ"}},
};

// The example writes the output points with their x and y and, per saved solution, every
// saved value.
const Postprocessor postprocessor2dc{
    .header = "subroutine postpr(tout,nsave,p1out,p2out,np1,np2,uout,neqn)",
    .dimensions = {"dimension p1out(0:np1,0:np2),p2out(0:np1,0:np2),tout(0:nsave)",
                   "dimension uout(0:np1,0:np2,4,neqn,0:nsave)"},
    .comments = {"UOUT(I,J,IDER,IEQ,L) = U_IEQ,  if IDER=1", "                       Ux_IEQ, if IDER=2",
                 "                       Uy_IEQ, if IDER=3", "  (possibly as modified by UPRINT,..)",
                 "  at the point (P1OUT(I,J) , P2OUT(I,J))", "  at time/iteration TOUT(L)."},
    .exampleRest = {{3, " write (lud,78754) np1"},
                    {3, " write (lud,78754) np2"},
                    {4, "78754 format (i8)"},
                    {3, " do 78756 i=0,np1"},
                    {3, " do 78755 j=0,np2"},
                    {3, "    p1 = p1out(i,j)"},
                    {3, "    p2 = p2out(i,j)"},
                    {3, "    p38z = 0.0"},
                    {3, "    call dkvrcd(p1,p2,p38z)"},
                    {3, "    call dkvrcb(p1,p2,p38z,z18z,z28z,z38z,x,y,z8z,"},
                    {3, "&   d18z,d28z,d38z,1)"},
                    {3, "    write (lud,78762) p1,p2,x,y"},
                    {4, "78755 continue"},
                    {4, "78756 continue"},
                    {3, " do 78761 l=0,nsave0"},
                    {3, "    write (lud,78762) tout(l)"},
                    {3, "    do 78760 ieq=1,neqn"},
                    {3, "    do 78759 ider=1,3"},
                    {3, "    do 78758 i=0,np1"},
                    {3, "    do 78757 j=0,np2"},
                    {3, "       write (lud,78762) uout(i,j,ider,ieq,l)"},
                    {4, "78757    continue"},
                    {4, "78758    continue"},
                    {4, "78759    continue"},
                    {4, "78760    continue"},
                    {4, "78761 continue"},
                    {4, "78762 format (e16.8)"}},
    .matlabWriter = "mkvr2dc"};

class Gen2dc : CollocationSteps, OutputSteps {
public:
    explicit Gen2dc(Session& session)
        : GeneratorBase(session, true),
          CollocationSteps(session, 10, {{"", 1}, {"x", 2}, {"y", 3}, {"xx", 5}, {"yy", 6}, {"xy", 8}}, 3),
          OutputSteps(session, true, {{"P1", "P2"}, 3, 4}) {}

    void run() {
        int itrans = openBoxProgram(skeleton, 279, names, transformation2d, 2);
        std::vector<int> gridLines = grids();
        boxProblem(itrans, 283, names.leading(32, 40, 8),
                   {"1", "2", "11", "22", "12", "21", "x", "y", "xx", "yy", "xy", "yx", "norm"}, {});
        collocationEquations(equations2dc);
        boxInitialValues({"function u8z(i8z,p1,p2,p38z,t0)",
                          {parameterCommonLine, statement("call dkvrcd(p1,p2,p38z)"),
                           statement("call dkvrcb(p1,p2,p38z,z18z,z28z,z38z,x,y,z8z,d18z,d28z,d38z,1)")}},
                         {.steady = 305, .timeDependent = 306, .eigenvalue = 304});
        faceConditions(faces2dc, periodicity(308, 4, 3), gridLines);
        outputValues(replacements2dc, 319, {{"UX", "x"}, {"UY", "y"}});
        int np2 = outputPoints();
        savedSolutions();
        boxSolver("call dkvr3x(p1grid, p2grid, p3grid, np1grid,np2grid, -1, neqn, p1out8z, p2out8z, p3out8z, uout, "
                  "tout8z, npts8z, t0, dt, nsteps, nout, nsave, crankn, noupdt, itype, linear, isolve, rwrk8z, ir8z, "
                  "iwrk8z, ii8z, iperdc, plot, lsqfit, fdiff, nint, nbint, restrt, gridid)",
                  "call postpr(tout8z,nsave,p1out8z,p2out8z,np1,np2,uout,neqn)");
        openSubprogram({"function axis8z(i8z,p1,p2,p38z,ical8z)",
                        {statement("call dkvrcd(p1,p2,p38z)"),
                         statement("call dkvrcb(p1,p2,p38z,z18z,z28z,z38z,x,y,z8z,d18z,d28z,d38z,1)"),
                         statement("if (i8z.eq.1) axis8z = x"), statement("if (i8z.eq.2) axis8z = y"),
                         statement("return"), statement("end")}});
        outputRequests(np2);
        closeBoxProgram(postprocessor2dc, 339, 10, "p1,p2", "dkvrt");
    }

private:
    // The P1 and P2 grids, with the library's check around their values; the third
    // direction has a single line.
    std::vector<int> grids() {
        use(Stream::body);
        mess(0, 281);
        gridChecks({"P1", "P2"}, 0);
        std::vector<int> lines{gridLines("P1", 1), gridLines("P2", 1)};
        com(2, " ");
        text("p3grid(1) = 0");
        gridChecks({"P1", "P2"}, 1);
        return lines;
    }

    // The work-array sizes, and NP1 by NP2 output points over the rectangle P1A..P1B by
    // P2A..P2B; NP2 = 0 leaves NP1+1 points to a block of the user's. Returns NP2.
    int outputPoints() {
        use(Stream::header);
        text("parameter (np3grid = 1)");
        workArrayParameters();
        text("PARAMETER (NXP8Z=101,NYP8Z=101,KDEG8Z=1,NZP8Z=KDEG8Z+1)");
        mess(0, 323);
        inparm("NP1", 1, noUpperBound);
        int np2 = inparm("NP2", 0, noUpperBound);
        use(Stream::body);
        if (np2 > 0) {
            evenOutputPoints(325, {"p1a = p1grid(1)", "p1b = p1grid(np1grid)", "p2a = p2grid(1)", "p2b = p2grid(np2grid)"},
                             "call dkvrx3(np1,np2,0,p1a,p1b,p2a,p2b,zr8z,zr8z,hp18z,hp28z,hp38z,p1out8z,p2out8z,"
                             "p3out8z,npts8z)");
        } else {
            userOutputPoints(324, "np1");
            int label = state();
            write("(6X,'do ',I5,' i8z=0,np1')", label);
            text("   p3out8z(i8z,0) = 0");
            closeLoop(label);
        }
        return np2;
    }

    // Tables and plots, each a loop over the saved solutions; without an array of output
    // points (NP2 = 0) only tables.
    void outputRequests(int np2) {
        std::vector<std::function<void()>> requests{
            [&] {
                table(327, "call dkvrrc(p1out8z,p2out8z,uout(0,0,ivara8z,ivarb8z,is8z),npts8z,title,tout8z(is8z))");
            },
            [&] {
                surfacePlot({"   *******SURFACE PLOTS", 327,
                             "call dkvrlo(p1out8z,p2out8z,p3out8z,uout(0,0,ivara8z,ivarb8z,is8z),np1,np2,0,3,ix8z,"
                             "jy8z,0,title,vlon,vlat,umin,umax,tout8z(is8z))"});
            },
            [&] {
                contourPlot({"   *******CONTOUR PLOTS", 327,
                             "call dkvrln(uout(0,0,ivara8z,ivarb8z,is8z),np1,np2,0,p1a,p1b,p2a,p2b,zr8z,zr8z,3,ix8z,"
                             "jy8z,0,title,umin,umax,nodist,fillin,tout8z(is8z),zr8z,zr8z,zr8z,zr8z,2,ical8z)"});
            },
            [&] {
                vectorPlot({"   *******VECTOR PLOTS", 331, "IVAR1", "IVAR2", true,
                            "call dkvrlq(uout(0,0,ivar1a8z,ivar1b8z,is8z),uout(0,0,ivar2a8z,ivar2b8z,is8z),"
                            "uout(0,0,4,1,is8z),np1,np2,0,p1a,p1b,p2a,p2b,zr8z,zr8z,3,ix8z,jy8z,0,title,vr1mag,"
                            "vr2mag,zr8z,zr8z,nodist,tout8z(is8z),zr8z,zr8z,zr8z,zr8z,2,ical8z)"});
            },
            [&] {
                crossSectionCurves({327, true, 335, 4,
                                    "call dkvrpx(ics8z,ivar8z,tout8z,nsave,p1out8z,p2out8z,p3out8z,np1,np2,0,uout,"
                                    "neqn,title,umin,umax,ix8z,jy8z,0,is8z)"});
            }};
        if (np2 == 0) requests.resize(1);
        GeneratorBase::outputRequests(326, requests);
    }
};

}  // namespace

void gen2dc(Session& session) { Gen2dc(session).run(); }

}  // namespace zemka
