// Programs for one space variable solved by the Galerkin method: the region is the interval
// covered by the grid XGRID, and its two endpoints are the boundary. Each endpoint is fixed
// (a value FB, in fb8z on arc -1 or -2) or free (a condition GB, in gb8z on arc 1 or 2), as
// the flags FIXL and FIXR choose. Each equation has the functions F and A.
#include <string>

#include "galerkin.h"
#include "generators.h"

namespace zemka {
namespace {

// The first 34 letters may name an unknown (not A, T or X: a is an argument of pmod8z, t and
// x of every routine); all 46 may name a global parameter.
constexpr std::string_view let1 = "BCDEFGHOPQRSUVWYZbcdefghopqrsuvwyzIJKLMNijklmn";
constexpr std::string_view let2 = galerkinLet2;
// Unknowns are kept from the first 22, global parameters from all.
constexpr std::string_view forb =
    "A1 A2 A3 A4 A5 A6 A7 A8 A9 PI pI a1 a2 a3 a4 a5 a6 a7 a8 a9 Pi pi "
    "NX DT TF XA XB T0 Nx Dt Tf Xa Xb t0 nX dT tF xA xB nx dt tf xa xb ";

// The example writes the output points and, per saved solution, every value of U and A.
const Postprocessor postprocessor1d{
    .header = "subroutine postpr(tout,nsave,xout,nx,uout,neqn)",
    .dimensions = {"dimension xout(0:nx),tout(0:nsave)", "dimension uout(0:nx,2,neqn,0:nsave)"},
    .comments = {"UOUT(I,IDER,IEQ,L) = U_IEQ, if IDER=1", "                     A_IEQ, if IDER=2",
                 "  (possibly as modified by UPRINT,..)", "  at the point XOUT(I)", "  at time/iteration TOUT(L)."},
    .exampleRest = {{3, " write (lud,78754) nx"},
                    {4, "78754 format (i8)"},
                    {3, " do 78755 i=0,nx"},
                    {3, "    write (lud,78760) xout(i)"},
                    {4, "78755 continue"},
                    {3, " do 78759 l=0,nsave0"},
                    {3, "    write (lud,78760) tout(l)"},
                    {3, "    do 78758 ieq=1,neqn"},
                    {3, "    do 78757 ider=1,2"},
                    {3, "    do 78756 i=0,nx"},
                    {3, "       write (lud,78760) uout(i,ider,ieq,l)"},
                    {4, "78756    continue"},
                    {4, "78757    continue"},
                    {4, "78758    continue"},
                    {4, "78759 continue"},
                    {4, "78760 format (e16.8)"}},
    .matlabWriter = "mkvr1dg"};

// U and Ux of each unknown, now and at the previous iteration or time step.
constexpr std::string_view unknownValues = "common/dkvr48/un8z(2,neqnmx),uu8z(2,neqnmx)";
constexpr std::string_view previousValues = "   un8z(1,I),un8z(2,I) hold the (rarely used) values";

const GalerkinShape shape1d{
    .dimensions = 1,
    .heading = "*** 1D PROBLEM SOLVED (GALERKIN METHOD) ***",
    .arrays = "dimension xgrid(nxgrid),ixarc(2),xout8z(0:nx),xcross(100),tout8z(0:nsave)",
    .restartArrays = " dimension xres8z(nxp8z),ures8z(neqn,nxp8z)",
    .logicals = "logical plot,symm,fdiff,evcmpx,crankn,fixl,fixr,noupdt,adapt,econ8z,ncon8z,restrt,gridid",
    .commons = {"common/dkvr20/ xd0(ndelmx),ndel,idel8z,jdel8z", "common/dkvr30/ econ8z,ncon8z",
                "common/dkvr42/ nxa8z,kd8z", "common/dkvr43/ work8z(nxp8z+3)",
                "common/dkvr46/ eps8z,cgtl8z,npmx8z,itype,near8z", "common/dkvr62/ amin8z(2*neqnmx),amax8z(2*neqnmx)",
                "common/dkvr75/ nx18z,xa,xb,uout(0:nx,2,neqn,0:nsave)"},
    .start = {"pi = 4.0*atan(1.d0)", "nxa8z = nxp8z", "nx18z = nx+1", "kd8z = kdeg8z"},
    .globalsMessage = 62,
    .globalNames = {let1, let2, forb, {sharedReserved, galerkinReserved, "fixl fixr"}},
    .unknownsMessage = 66,
    .unknownNames = NameTables{let1, let2, forb}.leading(34, 40, 22),
    .unknownsTaken = {"xd0"},  // the places of the delta functions, in pdes8z
    .symmetry = {.steady = 68, .timeDependent = 69, .eigenvalue = 67},
    .libraryLimits = "PARAMETER (NXP8Z=1001,KDEG8Z=1)",
    .pdesHeader = "subroutine pdes8z (yd8z,i8z,j8z,kint8z,x,t)",
    .pdesComments = {previousValues, "   of UI,UIx from the previous iteration or time step"},
    .pdesCommons = {unknownValues, "common/dkvr11/normx", "common/dkvr20/xd0(ndelmx),ndel,idel8z,jdel8z"},
    .pdesReals = "normx,delamp(ndelmx,neqnmx)",
    .integralsMessage = 70,
    .boundaryIntegralsMessage = 75,
    .deltaQuestion = 79,
    .deltaPlaces = 80,
    .deltaAmplitudes = 81,
    .coefficients = {.steady = 86, .timeDependent = 90, .eigenvalue = 82, .byUnknowns = true},
    .u8zHeader = "function u8z(i8z,x,t0)",
    .initialValues = {.steady = 95, .timeDependent = 96, .eigenvalue = 94},
    .fb8zHeader = "function fb8z(i8z,iarc8z,x,t)",
    .gb8zHeader = "subroutine gb8z(gd8z,i8z,j8z,iarc8z,x,t)",
    .gb8zComments = {previousValues, "   of UI,UIx from the previous iteration or time step."},
    .gb8zCommons = {unknownValues, "common/dkvr49/bign8z"},
    .gb8zReals = "",
    .gb8zLayout = Layout::derivativeFirst,
    .pmodHeader = "subroutine pmod8z(x,t,a)",
    .pmodCommons = {unknownValues, "common/dkvr68/upr8z(2,neqnmx),uab8z(2,neqnmx)",
                    "common/dkvr9/uprint(neqnmx),aprint(neqnmx),bpr8z(neqnmx)",
                    "common/dkvr14/sint(20),bint(20),slim8z(20),blim8z(20)"},
    .replacementsMessage = 111,
    .outputKindsMessage = 118,
    .outputVariablesMessage = 119,
    .tableCall = "call dkvr1d(xout8z,uout(0,ivara8z,ivarb8z,is8z),npts8z,title,tout8z(is8z))",
    .dummies = {"function axis8z(i8z,x,y,z,ical8z)", "subroutine tran8z(p,q,x,y)",
                "subroutine xy8z(i8z,iarc8z,s,x,y,s0,sf)", "subroutine dis8z(x,y,ktri,triden,shape)"},
    .postprocessor = postprocessor1d,
    .dataFunctions = {.nameMessage = 129,
                      .nworkMessage = 130,
                      .nworkLeast = 5,
                      .fileMessage = 131,
                      .arguments = "x",
                      .interpolation = "dkvr1e",
                      .firstLetters = let2.substr(0, 40)},
};

// An endpoint of the interval: its flag, its arc number (negated when it is fixed), the
// question that sets the flag and the message that explains its conditions.
struct Endpoint {
    std::string_view flag;
    std::string_view side;
    int arc;
    int question;
    int explanation;
};

constexpr Endpoint endpoints[] = {{"FIXL", "LEFT", 1, 98, 101}, {"FIXR", "RIGHT", 2, 99, 106}};

class Gen1dg : GalerkinGenerator {
public:
    explicit Gen1dg(Session& session) : GalerkinGenerator(session, shape1d) {}

    using GalerkinGenerator::run;

private:
    // The grid, whose first and last lines are the endpoints, and the element degree.
    void domain() override {
        use(Stream::body);
        mess(0, 63);
        grids("X", 3);
        mess(0, 64);
        iread("IDEG", 1, 4);
    }

    void boundaryConditions() override {
        use(Stream::body);
        bool fixed[2];  // FIXL, FIXR
        for (int e = 0; e < 2; ++e) fixed[e] = chooseEndpoint(endpoints[e]);
        fb8zOpening();
        if (type == eigenvalue) {
            mess(0, 100);
            paws();
        } else {
            for (int e = 0; e < 2; ++e) endpointConditions(endpoints[e], fixed[e], true);
        }
        texts({"return", "end"});
        gb8zOpening();
        for (int e = 0; e < 2; ++e) endpointConditions(endpoints[e], fixed[e], false);
        texts({"return", "end"});
    }

    // FIXL (or FIXR), and the arc number it gives the endpoint; returns whether it is fixed.
    bool chooseEndpoint(const Endpoint& end) {
        mess(0, end.question);
        bool isFixed = logicalAnswer(end.flag);
        com(2, " ");
        std::string arc = "ixarc(" + std::to_string(end.arc) + ")", number = std::to_string(end.arc);
        texts({arc + " = " + number, "if (" + lowerCase(std::string(end.flag)) + ") " + arc + " = -" + number});
        return isFixed;
    }

    // The conditions of an endpoint in fb8z (inFb8z) or gb8z. Those of its kind are asked; the
    // others are written as commented defaults, the model for a later change of the flag.
    void endpointConditions(const Endpoint& end, bool isFixed, bool inFb8z) {
        bool given = isFixed == inFb8z;
        int arc = inFb8z ? -end.arc : end.arc;
        text("          if (iarc8z.eq." + std::to_string(arc) + ") then");
        int conditions = variant(inFb8z ? 102 : 107);
        std::string flag(end.flag), side(end.side);
        if (given) {
            mess(0, end.explanation);
            if (!inFb8z) paws();
            mess(0, conditions);
            iadd(3, "the boundary conditions (" + lowerCase(side) + " endpoint only)");
        } else {
            comments({"   " + flag + (inFb8z ? "=.FALSE., SO NO FIXED" : "=.TRUE., SO NO FREE") + " BCs AT " + side +
                          " ENDPOINT.",
                      "   IF " + flag + " CHANGED TO " + (inFb8z ? ".TRUE." : ".FALSE.") +
                          ", USE MODEL BELOW TO DEFINE BCs"});
            mess(2, conditions);
        }
        if (inFb8z) fixedValues(given);
        else freeConditions(given);
        text("          endif");
    }

    // NX intervals of output spread over XA..XB, or for NX <= 0, -NX intervals whose points
    // a Fortran block of the user's sets.
    void outputGrid() override {
        use(Stream::header);
        mess(0, 115);
        int nx = iread("", noLowerBound, noUpperBound);
        write("(6X,'PARAMETER (NX = ',I10,')')", nx > 0 ? nx : -nx);
        use(Stream::body);
        if (nx > 0)
            evenOutputPoints(117, {"xa = xgrid(1)", "xb = xgrid(nxgrid)"}, "call dkvrx1(nx,xa,xb,hx8z,xout8z,npts8z)");
        else
            userOutputPoints(116);
    }

    void solve() override {
        callSolver({.sizes = "call dkvrzg(nxgrid,ideg,symm,neqn,ii8z,ir8z)",
                    .plotComments = {"   *******DRAW GRID POINTS?"},
                    .plot = "PLOT = .TRUE.",
                    .call = "call dkvrgx(xgrid, nxgrid, ixarc, restrt, gridid, neqn, ideg, nsteps, nout, t0, dt, "
                            "plot, symm, fdiff, itype, nint, nbint, crankn, noupdt, xout8z, uout, npts8z, tout8z, "
                            "nsave, iwrk8z, ii8z, rwrk8z, ir8z)"});
        afterSolver("call postpr(tout8z,nsave,xout8z,nx,uout,neqn)", "dkvrr1", "xres8z,nxp8z,ures8z,neqn");
    }

    // A surface over x and t needs a time-dependent problem.
    int largestOutputKind() const override { return type == timeDependent ? 3 : 2; }

    void plot(int kind) override {
        if (kind == 2) linePlots();
        else surfacePlot();
    }

    // Curves along x at the chosen saved solutions, or against t at given x values.
    void linePlots() {
        com(2, "   *******LINE PLOTS");
        mess(0, variant(119));
        outputVariable("IVAR", false);
        mess(1, 124);
        bool alongX = iread("", 1, type == timeDependent ? 2 : 1) == 1;
        curveVariable(alongX ? 'X' : 'T', alongX ? 1 : 2);
        if (alongX) {
            savedStepRange();
        } else {
            mess(0, 125);
            crossSections("NXVALS", "XCROSS");
        }
        valueRange(126);
        askTitle();
        int label = state();
        if (alongX) {
            openSavedStepLoop(label);
        } else {
            text("is8z = 0");
            openCrossSectionLoop('X', label);
            text("call dkvrzy(xcross(ixv8z),xout8z,nx,ix8z)");
        }
        text("call dkvrzp(ics8z,ivar,tout8z,nsave,xout8z,nx,uout,neqn,title,umin,umax,ix8z,is8z)");
        closeLoop(label);
    }

    void surfacePlot() {
        com(2, "   *******SURFACE PLOT");
        mess(0, variant(119));
        outputVariable("IVAR", false);
        viewAngles();
        plotRange(60);
        askTitle();
        text("call dkvrzd(xout8z,tout8z,uout,nx,nsave,title,neqn,ivar,vlon,vlat,umin,umax)");
    }
};

}  // namespace

void gen1dg(Session& session) { Gen1dg(session).run(); }

}  // namespace zemka
