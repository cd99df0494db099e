// Programs for three space variables: the region is the image of a box of the computational
// coordinates P1, P2, P3, cut by grid planes, under a transformation to x, y, z. Conditions G
// are given on the box's six faces; a direction may be periodic instead. The output is a
// grid of points in the box, shown in tables, contour surfaces, plots on cross-sections at
// constant P1, P2 or P3, and curves along lines of the box or against t.
#include "collocation.h"
#include "generators.h"
#include "output.h"

namespace zemka {
namespace {

// The first 30 letters may name an unknown (not I..N, P, T, X, Y or Z: integers, the
// coordinates and the time); all 44 may name a global parameter.
constexpr std::string_view let1 = "ABCDEFGHOQRSUVWabcdefghoqrsuvwIJKLMNPijklmnp";
// Unknowns are kept from the first 10, global parameters from all.
constexpr std::string_view forb =
    "P1 p1 P2 p2 P3 p3 PI Pi pI pi DT TF Dt Tf dT tF dt tf T0 t0 NC Nc nC nc X1 x1 X2 x2 X3 x3 Y1 y1 Y2 y2 Y3 "
    "y3 Z1 z1 Z2 z2 Z3 z3 ";

// The names of the 3D program's own beside sharedReserved: the main program's, the
// transformation's derivatives, and the variables of pdes8z, gb8z, pmod8z and axis8z.
constexpr std::string_view reserved3d =
    "a1mag a1max a1min a2mag a2max a2min a3high a3low abs ahigh alow darea dvol fillin iperdc isinc iset1 "
    "iset2 isolve itplot itrans ivar1 ivar2 ivar3 linear lsqfit mod nc nodist none norm1 norm2 norm3 normx "
    "normy normz np1 np1grid np1vals np2 np2grid np2vals np3 np3grid np3vals p1a p1b p1cross p1grid p1out p2a "
    "p2b p2cross p2grid p2out p3a p3b p3cross p3grid p3out perdc solid uxprint uyprint uzprint vlat vlon vr1mag "
    "vr2mag vr3max vr3min x11 x12 x13 x21 x22 x23 x31 x32 x33 y11 y12 y13 y21 y22 y23 y31 y32 y33 z11 z12 "
    "z13 z21 z22 z23 z31 z32 z33";

const NameTables names{let1, collocationLet2, forb, {sharedReserved, reserved3d}};

// The grids, the output points and the values of the cross-sections; the results: at each
// output point of each saved solution the value of every unknown and its three derivatives.
constexpr std::string_view arrays =
    "dimension p1grid(np1grid),p2grid(np2grid),p3grid(np3grid),p1out8z(0:np1,0:np2,0:np3),p2out8z(0:np1,0:np2,0:np3),"
    "p3out8z(0:np1,0:np2,0:np3),p1cross(100),p2cross(100),p3cross(100),tout8z(0:nsave)";
constexpr std::string_view results =
    "common/dkvr77/ nx18z,ny18z,nz18z,p1a,p1b,p2a,p2b,p3a,p3b,uout(0:np1,0:np2,0:np3,4,neqn,0:nsave)";
const ProgramSkeleton skeleton =
    boxSkeleton("*** 3D PROBLEM SOLVED ***", arrays, results,
                {"pi = 4.0*atan(1.d0)", "nxa8z = nxp8z", "nya8z = nyp8z", "nza8z = nzp8z", "nx18z = np1+1",
                 "ny18z = np2+1", "nz18z = np3+1", "kd8z = kdeg8z"});

// tran8z: ITRANS, and where the user gives them X, Y, Z and their first and second
// derivatives in the library's common; every ITRANS is accepted.
constexpr std::string_view transformationCommon =
    "common /dkvr41/x,y,z,x1,x2,x3,y1,y2,y3,z1,z2,z3,x11,x21,x31,x12,x22,x32,x13,x23,x33,y11,y21,y31,y12,y22,y32,"
    "y13,y23,y33,z11,z21,z31,z12,z22,z32,z13,z23,z33";
const Transformation transformation3d{
    {"subroutine tran8z(itrans,p1,p2,p3)", {statement(transformationCommon), parameterCommonLine}}, 342, false, {}};

// Each unknown U names its value, its derivatives U1, U2, U3 by P1, P2, P3 and its second
// derivatives U11 .. U32 (the mixed ones twice, both ways round); gb8z binds the first four.
const UnknownLines values{
    {"(6X,A,'  = uu8z(1,',I2,')')", "NI"},  {"(6X,A,'1 = uu8z(2,',I2,')')", "NI"},
    {"(6X,A,'2 = uu8z(3,',I2,')')", "NI"},  {"(6X,A,'3 = uu8z(4,',I2,')')", "NI"},
    {"(6X,A,'11= uu8z(5,',I2,')')", "NI"},  {"(6X,A,'22= uu8z(6,',I2,')')", "NI"},
    {"(6X,A,'33= uu8z(7,',I2,')')", "NI"},  {"(6X,A,'12= uu8z(8,',I2,')')", "NI"},
    {"(6X,A,'21= uu8z(8,',I2,')')", "NI"},  {"(6X,A,'13= uu8z(9,',I2,')')", "NI"},
    {"(6X,A,'31= uu8z(9,',I2,')')", "NI"},  {"(6X,A,'23= uu8z(10,',I2,')')", "NI"},
    {"(6X,A,'32= uu8z(10,',I2,')')", "NI"}};

// The derivatives of F in code order: of G, the first four.
const std::vector<Derivative> partialDerivatives{{"", 1},   {"x", 2},  {"y", 3},  {"z", 4},  {"xx", 5},
                                                 {"yy", 6}, {"zz", 7}, {"xy", 8}, {"xz", 9}, {"yz", 10}};

// The point, its x, y, z and the outward normal there.
constexpr std::string_view locatePoint = "call dkvrcd(p1,p2,p3)";
constexpr std::string_view locateNormal = "call dkvrcb(p1,p2,p3,norm1,norm2,norm3,x,y,z,normx,normy,normz,3)";
// x, y and z alone, in the routines that need no normal.
const std::vector<HeadLine> atPoint{parameterCommonLine, statement(locatePoint),
                                    statement("call dkvrcb(p1,p2,p3,zr18z,zr28z,zr38z,x,y,z,d18z,d28z,d38z,1)")};

constexpr UnknownLine normalDerivative{
    "(6X,                                                      A,'norm = ',A,'x*normx + ',A,'y*normy + ',A,"
    "'z*normz')",
    "NNNN"};
// The derivatives in x, y and z of U from those in P1, P2 and P3, with the volume and area
// elements of the point under the given names.
std::string transformedDerivatives(std::string_view elements) {
    return "(5X,'&          ',A,'1,',A,'2,',A,'3,',A,'11,',        A,'22,',A,'33,',A,'12,',A,'13,',A,'23,',/,"
           "5X,'& x,y,z,',          A,'x,',A,'y,',A,'z,',A,'xx,',A,'yy,',A,'zz,',A,'xy,'              ,A,'xz,',"
           "A,'yz,',/,5X,'& ',A,'yx,',A,'zx,',A,'zy," +
           std::string(elements) + ")')";
}
const std::string derivativesWithElements = transformedDerivatives("dvol,darea");
const std::string derivativesAlone = transformedDerivatives("dvol8z,dare8z");
constexpr std::string_view everyName = "NNNNNNNNNNNNNNNNNNNNN";

constexpr std::string_view normalCommon = "common /dkvr18/norm1,norm2,norm3";

// pdes8z turns each unknown's derivatives into those in x, y, z, with the volume and area
// elements the integrals are weighted by.
const CollocationEquations equations3d =
    boxEquations({boxEquationsHead("subroutine pdes8z(yd8z,i8z,j8z,kint8z,p1,p2,p3,t,uu8z)", normalCommon,
                                   "norm1,norm2,norm3,normx,normy,normz"),
                  values,
                  {locatePoint, locateNormal},
                  {{"call dkvrcc(p1,p2,p3,"}, {derivativesWithElements, everyName}, normalDerivative}},
                 345);

// gb8z: the value and P-derivatives of each unknown, and from the library its x, y, z
// derivatives at the point.
const PointRoutine conditionsRoutine{
    boxConditionsHead("subroutine gb8z(gd8z,ifac8z,i8z,j8z,p1,p2,p3,t,uu8z)", normalCommon,
                      "none,norm1,norm2,norm3,normx,normy,normz"),
    UnknownLines(values.begin(), values.begin() + 4),
    {locatePoint, locateNormal},
    {{"call dkvrcb("},
     {"(5X,'& p1,p2,p3,',A,'1,',A,'2,',A,'3,',                    'x,y,z,',A,'x,',A,'y,',A,'z,2)')", "NNNNNN"},
     normalDerivative}};
const Faces faces3d = boxFaces(conditionsRoutine, 369, 6);

// pmod8z: each unknown's values and derivatives, in P and in x, y, z, and the defaults of
// the derivatives put out.
const PointRoutine replacements3d{
    {"subroutine pmod8z(p1,p2,p3,t,uu8z,uprint,uxprint,uyprint,uzprint)",
     {statement("dimension uu8z(10,*),uprint(*),uxprint(*),uyprint(*),uzprint(*)"),
      statement("common/dkvr14/sint(20),bint(20),slim8z(20),blim8z(20)"), parameterCommonLine}},
    values,
    {locatePoint},
    {{"call dkvrcc(p1,p2,p3,"},
     {derivativesAlone, everyName},
     {"(6X,'uxprint(',i2,') = ',A,'x',/,                                  6X,'uyprint(',i2,') = ',A,'y',/,"
      "                                  6X,'uzprint(',i2,') = ',A,'z')",
      "INININ"}}};

// The example writes the grid with its x, y, z, the output points with theirs and, unless
// the library ended the problem (itype 4), every saved value of every saved solution.
const Postprocessor postprocessor3d{
    .header = "subroutine postpr(tout,nsave,p1out,p2out,p3out,np1,np2,np3,uout,neqn,p1grid,p2grid,p3grid,"
              "np1grid,np2grid,np3grid)",
    .dimensions = {"dimension p1out(0:np1,0:np2,0:np3),p2out(0:np1,0:np2,0:np3)",
                   "dimension p3out(0:np1,0:np2,0:np3),tout(0:nsave)",
                   "dimension uout(0:np1,0:np2,0:np3,4,neqn,0:nsave)",
                   "dimension p1grid(np1grid),p2grid(np2grid),p3grid(np3grid)"},
    .comments = {"UOUT(I,J,K,IDER,IEQ,L) = U_IEQ,  if IDER=1", "                         Ux_IEQ, if IDER=2",
                 "                         Uy_IEQ, if IDER=3", "                         Uz_IEQ, if IDER=4",
                 "  (possibly as modified by UPRINT,..)",
                 "  at the point (P1OUT(I,J,K) , P2OUT(I,J,K) , P3OUT(I,J,K))", "  at time/iteration TOUT(L)."},
    .exampleRest = {{3, " write (lud,78751) np1grid"},
                    {3, " write (lud,78751) np2grid"},
                    {3, " write (lud,78751) np3grid"},
                    {3, " write (lud,78751) np1"},
                    {3, " write (lud,78751) np2"},
                    {3, " write (lud,78751) np3"},
                    {4, "78751 format (i8)"},
                    {3, " do 78754 i=1,np1grid"},
                    {3, " do 78753 j=1,np2grid"},
                    {3, " do 78752 k=1,np3grid"},
                    {3, "    p1 = p1grid(i)"},
                    {3, "    p2 = p2grid(j)"},
                    {3, "    p3 = p3grid(k)"},
                    {3, "    call dkvrcd(p1,p2,p3)"},
                    {3, "    call dkvrcb(p1,p2,p3,z18z,z28z,z38z,x,y,z,d18z,d28z,d38z,1)"},
                    {3, "    write(lud,78764) x,y,z"},
                    {4, "78752 continue"},
                    {4, "78753 continue"},
                    {4, "78754 continue"},
                    {3, " do 78757 i=0,np1"},
                    {3, " do 78756 j=0,np2"},
                    {3, " do 78755 k=0,np3"},
                    {3, "    p1 = p1out(i,j,k)"},
                    {3, "    p2 = p2out(i,j,k)"},
                    {3, "    p3 = p3out(i,j,k)"},
                    {3, "    call dkvrcd(p1,p2,p3)"},
                    {3, "    call dkvrcb(p1,p2,p3,z18z,z28z,z38z,x,y,z,d18z,d28z,d38z,1)"},
                    {3, "    write(lud,78764) p1,p2,p3,x,y,z"},
                    {4, "78755 continue"},
                    {4, "78756 continue"},
                    {4, "78757 continue"},
                    {3, "       if (itype.ne.4) then"},
                    {3, " do 78763 l=0,nsave0"},
                    {3, "    write (lud,78764) tout(l)"},
                    {3, "    do 78762 ieq=1,neqn"},
                    {3, "    do 78761 ider=1,4"},
                    {3, "    do 78760 i=0,np1"},
                    {3, "    do 78759 j=0,np2"},
                    {3, "    do 78758 k=0,np3"},
                    {3, "       write (lud,78764) uout(i,j,k,ider,ieq,l)"},
                    {4, "78758    continue"},
                    {4, "78759    continue"},
                    {4, "78760    continue"},
                    {4, "78761    continue"},
                    {4, "78762    continue"},
                    {4, "78763 continue"},
                    {4, "78764 format (e16.8)"},
                    {3, "       endif"}},
    .matlabWriter = "mkvr3d",
    .firstLabel = 78750};

class Gen3d : CollocationSteps, OutputSteps {
public:
    explicit Gen3d(Session& session)
        : GeneratorBase(session, true), CollocationSteps(session, 10, partialDerivatives, 4),
          OutputSteps(session, true, {{"P1", "P2", "P3"}, 4, 4}) {}

    void run() {
        int itrans = openBoxProgram(skeleton, 341, names, transformation3d, 3);
        use(Stream::body);
        mess(0, 343);
        std::vector<int> gridLines = grids({"P1", "P2", "P3"}, 1);
        boxProblem(itrans, 344, names.leading(30, 40, 10),
                   {"1",  "2",  "3",  "11", "22", "33", "12", "21", "13", "31", "23", "32", "x",
                    "y",  "z",  "xx", "yy", "zz", "xy", "xz", "yz", "yx", "zx", "zy", "norm"},
                   // A z derivative could take the name of an argument of the routines.
                   {"yd8z", "gd8z", "uu8z", "un8z"});
        collocationEquations(equations3d);
        boxInitialValues({"function u8z(i8z,p1,p2,p3,t0)", atPoint},
                         {.steady = 366, .timeDependent = 367, .eigenvalue = 365});
        faceConditions(faces3d, periodicity(368, 7, -1), gridLines);
        outputValues(replacements3d, 373, {{"UX", "x"}, {"UY", "y"}, {"UZ", "z"}});
        int np2 = outputPoints();
        boxSolver("call dkvr3x(p1grid, p2grid, p3grid, np1grid, np2grid, np3grid, neqn, p1out8z, p2out8z, p3out8z, "
                  "uout, tout8z, npts8z, t0, dt, nsteps, nout, nsave, crankn, noupdt, itype, linear, isolve, rwrk8z, "
                  "ir8z, iwrk8z, ii8z, iperdc, plot, lsqfit, fdiff, nint, nbint, restrt, gridid)",
                  "call postpr(tout8z,nsave,p1out8z,p2out8z,p3out8z,np1,np2,np3,uout,neqn,p1grid,p2grid,p3grid,np1grid,"
                  "np2grid,np3grid)",
                  {.convergenceTest = "('C',6X,'IF (ITYPE.EQ.3.AND.(.NOT.ECON8Z)) GO TO ',I5)",
                   .leaveAfterPostprocessor = true});
        // axis8z stays open while the requests add the plot axes of the user's to it.
        openSubprogram({"function axis8z(i8z,p1,p2,p3,ical8z)", atPoint});
        text("axis8z = 0.0");
        outputRequests(np2);
        use(Stream::subprograms);
        texts({"return", "end"});
        closeBoxProgram(postprocessor3d, 409, 17, "p1,p2,p3", "dkvrex");
    }

private:
    // The cross-section contour and vector plots so far; axis8z tells their axes apart.
    int plots = 0;

    // The work-array sizes, NP1 by NP2 by NP3 output intervals over the box P1A..P1B by
    // P2A..P2B by P3A..P3B (NP2 = 0, and so NP3 = 0, leaves NP1+1 points to a block of the
    // user's), and the solutions saved. Returns NP2.
    int outputPoints() {
        workArrayParameters();
        text("PARAMETER (NXP8Z=41,NYP8Z=41,NZP8Z=41,KDEG8Z=1)");
        mess(0, 377);
        inparm("NP1", 1, noUpperBound);
        int np2 = inparm("NP2", 0, noUpperBound);
        if (np2 == 0) inparm("NP3", 0, 0);
        else inparm("NP3", 1, noUpperBound);
        use(Stream::body);
        if (np2 == 0)
            userOutputPoints(378, "np1");
        else
            evenOutputPoints(379,
                             {"p1a = p1grid(1)", "p1b = p1grid(np1grid)", "p2a = p2grid(1)", "p2b = p2grid(np2grid)",
                              "p3a = p3grid(1)", "p3b = p3grid(np3grid)"},
                             "call dkvrx3(np1,np2,np3,p1a,p1b,p2a,p2b,p3a,p3b,hp18z,hp28z,hp38z,p1out8z,p2out8z,"
                             "p3out8z,npts8z)");
        savedSolutions();
        return np2;
    }

    // Tables, contour surfaces, plots on cross-sections and curves, until the answer 0;
    // without a grid of output points (NP2 = 0) only tables.
    void outputRequests(int np2) {
        std::vector<std::function<void()>> requests{
            [&] {
                table(381, "call dkvrdx(p1out8z,p2out8z,p3out8z,uout(0,0,0,ivara8z,ivarb8z,is8z),npts8z,title,"
                           "tout8z(is8z))");
            },
            [&] { contourSurfaces(); }, [&] { crossSectionSurfaces(); }, [&] { crossSectionContours(); },
            [&] { crossSectionVectors(); },
            [&] {
                crossSectionCurves({381, false, 404, 4,
                                    "call dkvrpx(ics8z,ivar,tout8z,nsave,p1out8z,p2out8z,p3out8z,np1,np2,np3,uout,"
                                    "neqn,title,umin,umax,ix8z,jy8z,kz8z,is8z)"});
            }};
        if (np2 == 0) requests.resize(1);
        GeneratorBase::outputRequests(380, requests);
    }

    void contourSurfaces() {
        requestVariable("   *******CONTOUR SURFACE PLOT", 381);
        savedStepRange();
        viewAngles();
        mess(0, 385);
        text("NC = 4");
        invar("NC", 0);
        mess(0, 386);
        logicalAnswer("SOLID");
        valueRange(387);
        askTitle();
        savedStepLoop("call dkvrax(uout(0,0,0,ivara8z,ivarb8z,is8z),np1,np2,np3,p1a,p1b,p2a,p2b,p3a,p3b,vlon,vlat,"
                      "title,nc,umin,umax,solid,tout8z(is8z))");
    }

    void crossSectionSurfaces() {
        requestVariable("   *******CROSS-SECTION SURFACE PLOTS", 381);
        int axis = constantAxis(true);
        savedStepRange();
        viewAngles();
        valueRange(126);
        askTitle();
        loopsAround("call dkvrlo(p1out8z,p2out8z,p3out8z,uout(0,0,0,ivara8z,ivarb8z,is8z),np1,np2,np3,ics8z,ix8z,"
                    "jy8z,kz8z,title,vlon,vlat,umin,umax,tout8z(is8z))",
                    {axis});
    }

    void crossSectionContours() {
        requestVariable("   *******CROSS-SECTION CONTOUR PLOTS", 381);
        int axis = constantAxis(true);
        plotAxes(axis, true);
        savedStepRange();
        contourSettings();
        askTitle();
        loopsAround("call dkvrln(uout(0,0,0,ivara8z,ivarb8z,is8z),np1,np2,np3,p1a,p1b,p2a,p2b,p3a,p3b,ics8z,ix8z,"
                    "jy8z,kz8z,title,umin,umax,nodist,fillin,tout8z(is8z),a1min,a1max,a2min,a2max,itplot,ical8z)",
                    {axis});
    }

    void crossSectionVectors() {
        constexpr std::string_view call =
            "call dkvrlq(uout(0,0,0,ivar1a8z,ivar1b8z,is8z),uout(0,0,0,ivar2a8z,ivar2b8z,is8z),"
            "uout(0,0,0,ivar3a8z,ivar3b8z,is8z),np1,np2,np3,p1a,p1b,p2a,p2b,p3a,p3b,ics8z,ix8z,jy8z,kz8z,title,"
            "vr1mag,vr2mag,vr3min,vr3max,nodist,tout8z(is8z),a1min,a1max,a2min,a2max,itplot,ical8z)";
        com(2, "   *******CROSS-SECTION VECTOR PLOTS");
        int axis = constantAxis(false);
        plotAxes(axis, false);
        vectorSettings({.heading = {},
                        .variablesMessage = 399,
                        .first = "IVAR1",
                        .second = "IVAR2",
                        .splitAfterBoth = true,
                        .call = call,
                        .third = "IVAR3",
                        .thirdRangeMessage = 403});
        askTitle();
        loopsAround(call, {axis});
    }

    // Which of P1, P2, P3 is constant on the cross-sections, and at which values; returns
    // the axis (0, 1, 2).
    int constantAxis(bool marked) {
        mess(1, 388);
        int d = iread("", 1, 3);
        std::string p = "P" + std::to_string(d);
        com(2, "   " + p + " = CONSTANT CROSS-SECTIONS");
        text("ics8z = " + std::to_string(d));
        mess(0, 388 + d);
        if (marked) gui();
        crossSections(d - 1);
        return d - 1;
    }

    // The axes of the plots on the cross-sections at the axis: the library's choice, or
    // (ITPLOT 2) A1 and A2 of the user's in axis8z, under the plot's number.
    void plotAxes(int axis, bool marked) {
        int d = axis + 1;
        mess(0, 391 + d);
        int itplot = iread("ITPLOT", -1, 2);
        write("(6X,'ical8z = ',I4)", ++plots);
        if (itplot == 2) {
            use(Stream::subprograms);
            write("(16X,'if (ical8z.eq.',I4,') then')", plots);
            mess(0, 394 + d);
            iadd(3, "A1 and A2");
            for (int i = 1; i <= 2; ++i) {
                if (marked) gui();
                vecfun("A", i, 2, i, "axis8z", 0, "i8z");
            }
            text("          endif");
            use(Stream::body);
            mess(0, 398);
        }
        texts({"A1MIN = 0.0", "A1MAX = 0.0", "A2MIN = 0.0", "A2MAX = 0.0"});
        if (itplot == 2)
            for (std::string_view range : {"A1MIN", "A1MAX", "A2MIN", "A2MAX"}) invar(range, 0);
    }
};

}  // namespace

void gen3d(Session& session) { Gen3d(session).run(); }

}  // namespace zemka
