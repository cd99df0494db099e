// Programs for two space variables solved by the Galerkin method on triangles: the region is
// a rectangle with grid lines in x and y, a grid in p and q mapped by X(p,q), Y(p,q), or an
// initial triangulation typed by the user, with curved boundary arcs. Arcs with negative
// numbers carry fixed values FB, arcs with positive numbers the conditions GB.
#include <climits>
#include <string>

#include "galerkin.h"
#include "generators.h"
#include "output.h"

namespace zemka {
namespace {

// The first 28 letters may name an unknown, the last 36 a global parameter; I..N and i..n
// (integer by the implicit statement) come last, so that names of reals stop before them.
constexpr std::string_view let1 = "PQpqCDEFGHORUVWZcdefghoruvwzIJKLMNijklmn";
constexpr std::string_view let2 = galerkinLet2;
// Unknowns are kept from the first 40, global parameters from all.
constexpr std::string_view forb =
    "A1 A2 A3 A4 A5 A6 A7 A8 A9 PI a1 a2 a3 a4 a5 a6 a7 a8 a9 Pi "
    "B1 B2 B3 B4 B5 B6 B7 B8 B9 pI b1 b2 b3 b4 b5 b6 b7 b8 b9 pi "
    "NX NY DT TF XA XB YA YB SF T0 Nx Ny Dt Tf Xa Xb Ya Yb Sf t0 "
    "nX nY dT tF xA xB yA yB sF S0 nx ny dt tf xa xb ya yb sf s0 ";

// The names of the 2D program's own beside galerkinReserved; b# are pmod8z's fluxes b1, b2, ...
constexpr std::string_view reserved2d =
    "a1mag a2mag abs astrmx b# bprint exag fillin iabc iarc inrg intri iotri iparc iqarc isolve ivar11 ivar12 "
    "ivar22 ivarx ivary iyarc ktri nodist normy npgrid npts nqgrid nt0 ntf nv0 nygrid nyvals pgrid pxy qgrid "
    "shape strmax triden vr1mag vr2mag vxy ycross yd0 ygrid yout";

// The postprocessor's example writes the output grid and, per saved solution, every value,
// with NaN for the points outside the region.
const Postprocessor postprocessor2d{
    .header = "subroutine postpr(tout,nsave,xout,yout,inrg,nx,ny,uout,neqn)",
    .dimensions = {"dimension xout(0:nx,0:ny),yout(0:nx,0:ny),tout(0:nsave)",
                   "dimension inrg(0:nx,0:ny),uout(0:nx,0:ny,3,neqn,0:nsave)"},
    .comments = {"UOUT(I,J,IDER,IEQ,L) = U_IEQ, if IDER=1", "                       A_IEQ, if IDER=2",
                 "                       B_IEQ, if IDER=3", "  (possibly as modified by UPRINT,..)",
                 "  at the point (XOUT(I,J) , YOUT(I,J))", "  at time/iteration TOUT(L).",
                 "INRG(I,J) = 1 if this point is in R", "          = 0 otherwise"},
    .exampleRest = {{3, " write (lud,78754) nx"},
                    {3, " write (lud,78754) ny"},
                    {4, "78754 format (i8)"},
                    {3, " do 78756 i=0,nx"},
                    {3, " do 78755 j=0,ny"},
                    {3, "    write (lud,78762) xout(i,j),yout(i,j)"},
                    {4, "78755 continue"},
                    {4, "78756 continue"},
                    {3, " do 78761 l=0,nsave0"},
                    {3, "    write (lud,78762) tout(l)"},
                    {3, "    do 78760 ieq=1,neqn"},
                    {3, "    do 78759 ider=1,3"},
                    {3, "    do 78758 i=0,nx"},
                    {3, "    do 78757 j=0,ny"},
                    {3, "       if (inrg(i,j).eq.1) then"},
                    {3, "          write (lud,78762) uout(i,j,ider,ieq,l)"},
                    {3, "       else"},
                    {3, "          write (lud,78763)"},
                    {3, "       endif"},
                    {4, "78757    continue"},
                    {4, "78758    continue"},
                    {4, "78759    continue"},
                    {4, "78760    continue"},
                    {4, "78761 continue"},
                    {4, "78762 format (e16.8)"},
                    {4, "78763 format ('NaN')"}},
    .matlabWriter = "mkvr2dg"};

constexpr DataFileFunctions dataFunctions2d{.nameMessage = 276,
                                            .nworkMessage = 277,
                                            .nworkLeast = 10,
                                            .fileMessage = 278,
                                            .arguments = "x,y",
                                            .interpolation = "dkvrt",
                                            .firstLetters = let2.substr(0, 40)};

// Global parameters may not begin with P, Q, p or q, the coordinates of a mapped grid.
const NameTables globalNames{let1.substr(4, 36), let2, forb, {sharedReserved, galerkinReserved, reserved2d}};

const ProgramSkeleton skeleton{
    .heading = "*** 2D PROBLEM SOLVED (GALERKIN METHOD) ***",
    .headerParameters = {"parameter (ndelmx=  20)"},
    .arrays = "dimension vxy(2,nv0+1),iabc(3,nt0+1),iarc(nt0+1),xgrid(nxgrid+1),ygrid(nygrid+1),ixarc(2),"
              "iyarc(2),pgrid(npgrid+1),qgrid(nqgrid+1),iparc(2),iqarc(2),xbd8z(nbpt8z,nt0+4),"
              "ybd8z(nbpt8z,nt0+4),xout8z(0:nx,0:ny),yout8z(0:nx,0:ny),inrg8z(0:nx,0:ny),xcross(100),"
              "ycross(100),tout8z(0:nsave),xd0(ndelmx),yd0(ndelmx)",
    .restartArrays = {" dimension xres8z(nxp8z),yres8z(nyp8z),ures8z(neqn,nxp8z,nyp8z)"},
    .logicals = "logical plot,symm,fdiff,evcmpx,crankn,noupdt,adapt,nodist,fillin,econ8z,ncon8z,restrt,gridid",
    .commons = {"common/dkvr22/ nxa8z,nya8z,ifgr8z,kd8z,nbp8z", "common/dkvr23/ work8z(nxp8z*nyp8z+6)",
                "common/dkvr30/ econ8z,ncon8z", "common/dkvr46/ eps8z,cgtl8z,npmx8z,itype,near8z",
                "common/dkvr63/ amin8z(3*neqnmx),amax8z(3*neqnmx)", "common/dkvr65/ intri,iotri",
                "common/dkvr76/ mdim8z,nx18z,ny18z,xa,xb,ya,yb,uout(0:nx,0:ny,3,neqn,0:nsave)"},
    .start = {"pi = 4.0*atan(1.d0)", "nxa8z = nxp8z", "nya8z = nyp8z", "nx18z = nx+1", "ny18z = ny+1",
              "mdim8z = 3", "kd8z = kdeg8z", "nbp8z = nbpt8z"},
};

const GalerkinEquations equations2d{
    .head = {"subroutine pdes8z(yd8z,i8z,j8z,kint8z,idel8z,jdel8z,x,y,ktri,t)",
             {neqnmx, eigenvalueNeqn, statement("parameter (ndelmx=  20)"),
              comment("   un8z(1,I),un8z(2,I),un8z(3,I) hold the (rarely used) values"),
              comment("   of UI,UIx,UIy from the previous iteration or time step"),
              statement("common/dkvr4/un8z(3,neqnmx),uu8z(3,neqnmx)"), statement("common/dkvr17/normx,normy,iarc"),
              realsDeclaration("normx,normy,delamp(ndelmx,neqnmx)"), eigenvalueRho, parameterCommonLine}},
    .integralsMessage = 208,
    .boundaryIntegralsMessage = 212,
    .deltaQuestion = 216,
    .deltaPlaces = 217,
    .deltaAmplitudes = 218,
    .coefficients = {.steady = 223, .timeDependent = 227, .eigenvalue = 219, .byUnknowns = true},
};

// The boundary arcs of one sign and the conditions given on them.
struct ArcConditions {
    int question;    // whether any such arc has conditions
    int arcMessage;  // the arc number
    int least, most;
    int conditions;  // variant base, explains the conditions
    int another;
    std::string_view sign;  // "NEGATIVE" or "POSITIVE"
};

enum Region { xyGrid = 1, pqGrid = 2, userTriangulation = 3 };

class Gen2dg : GalerkinSteps, OutputSteps {
public:
    explicit Gen2dg(Session& session)
        : GeneratorBase(session, false), GalerkinSteps(session, 2), OutputSteps(session, false, {{"X", "Y"}, 3, 3}) {}

    void run() {
        openProgram(skeleton);
        problem.loopLabel = openProblemLoop();
        problem.globals = globalParameters(174, globalNames, false);
        askBlockLevel();
        region();
        triangulationAndSolver();
        problemType(problemStyle);
        problem.neqn = askNeqn();
        galerkinUnknowns(195, NameTables{let1, let2, forb}.leading(28, 40, 40), {});
        askSymmetry({.steady = 200, .timeDependent = 204, .eigenvalue = 196, .byUnknowns = true});
        problem.fdiff = askFdiff();
        workArrayParameters();
        text("PARAMETER (NXP8Z=101,NYP8Z=101,KDEG8Z=1,NBPT8Z=51)");
        galerkinEquations(equations2d);
        initialValuesRoutine({.head = {"function u8z(i8z,x,y,ktri,t0)", {parameterCommonLine}},
                              .message = {.steady = 232, .timeDependent = 233, .eigenvalue = 231},
                              .lsqfit = InitialValues::noLsqfit,
                              .gridIdentityMessage = 97});
        fb8z();
        gb8z();
        galerkinReplacements({"subroutine pmod8z(x,y,ktri,t,a,b)",
                              {neqnmx, statement("common/dkvr4/un8z(3,neqnmx),uu8z(3,neqnmx)"),
                               statement("common/dkvr6/upr8z(3,neqnmx),uab8z(3,neqnmx)"),
                               statement("common/dkvr9/uprint(neqnmx),aprint(neqnmx),bprint(neqnmx)"),
                               statement("common/dkvr14/sint(20),bint(20),slim8z(20),blim8z(20)"), parameterCommonLine}},
                             248);
        outputGrid();
        savedSolutions();
        solve();
        outputRequests();
        dummyRoutines({"function axis8z(i8z,x,y,z,ical8z)"});
        postpr(postprocessor2d);
        userSubprograms();
        dataFileFunctions(dataFunctions2d);
        finishProgram();
    }

private:
    int intri = xyGrid;
    int ntfLeast = 0;  // NTF must cover the initial triangulation
    int ny = 0;

    // The region, its initial triangulation, and the boundary arcs that conditions refer to.
    // Arrays of the modes not chosen get the size 0.
    void region() {
        use(Stream::body);
        com(2, "   *******INITIAL TRIANGULATION OPTION");
        mess(1, 175);
        intri = iread("INTRI", 1, 3);
        com(2, "   *******SET IOTRI = 1 TO DUMP FINAL TRIANGULATION TO FILE zemka.tri");
        text("IOTRI = 0");
        use(Stream::header);
        if (intri == xyGrid) {
            text("parameter (nv0=0,nt0=0,npgrid=0,nqgrid=0)");
            identityTransformation();
            subprogram("subroutine xy8z(i8z,iarc8z,s,x,y,s0,sf)");
            texts({"x = 0.0", "y = 0.0", "return", "end"});
            rectangle("X", "Y", 176, 177);
        } else if (intri == pqGrid) {
            text("parameter (nv0=0,nt0=0,nxgrid=0,nygrid=0)");
            mappedTransformation();
            rectangle("P", "Q", 179, 180);
        } else {
            text("parameter (nxgrid=0,nygrid=0,npgrid=0,nqgrid=0)");
            triangulation();
        }
    }

    void identityTransformation() {
        subprogram("subroutine tran8z(p,q,x,y)");
        texts({"x = p", "y = q", "return", "end"});
    }

    // x = X(p,q), y = Y(p,q); the four sides of the (p,q) rectangle are its arcs.
    void mappedTransformation() {
        subprogram("subroutine tran8z(p,q,x,y)");
        parameterCommon(problem.globals);
        texts({"x = p", "y = q"});
        mess(0, 178);
        iadd(3, "X and Y");
        invar("X", 0);
        invar("Y", 0);
        texts({"return", "end"});
        subprogram("subroutine xy8z(i8z,iarc8z,s,x,y,s0,sf)");
        texts({"common /dkvr66/ p1,pn,q1,qn,ip1,ip2,iq1,iq2", "x = 0.0", "y = 0.0",
               "if (iarc8z.eq.ip1) call tran8z(p1,s,x,y)", "if (iarc8z.eq.ip2) call tran8z(pn,s,x,y)",
               "if (iarc8z.eq.iq1) call tran8z(s,q1,x,y)", "if (iarc8z.eq.iq2) call tran8z(s,qn,x,y)", "return",
               "end"});
    }

    // Grid lines in two directions, the library's check around them, and the arc numbers of
    // the rectangle's sides.
    void rectangle(std::string_view first, std::string_view second, int gridMessage, int arcMessage) {
        use(Stream::body);
        mess(0, gridMessage);
        std::vector<int> lines = grids({first, second}, 2);
        // Four triangles to a grid cell; kept within the integers a bound can hold.
        long long cells = static_cast<long long>(lines[0] - 1) * (lines[1] - 1);
        ntfLeast = cells > INT_MAX / 4 ? INT_MAX : static_cast<int>(4 * cells);
        mess(0, arcMessage);
        invec("I" + std::string(first) + "ARC", 1, 2, 1);
        invec("I" + std::string(second) + "ARC", 1, 2, 1);
    }

    // Vertices, triangles with their arc numbers, and the curved arcs of xy8z.
    void triangulation() {
        use(Stream::body);
        mess(0, 181);
        text("call dkvrwx(vxy,2*nv0,0)");
        int nv0 = sizeParameter("NV0", "number of vertices in initial triangulation", 4);
        inmat("VXY", 1, 2, 1, nv0, 0);
        mess(0, 182);
        int nt0 = sizeParameter("NT0", "number of triangles in initial triangulation", 3);
        for (int k = 1; k <= nt0; ++k) {
            inmat("IABC", 1, 3, k, k, 0);
            invec("IARC", k, k, 0);
        }
        text("call dkvru(vxy,nv0,iabc,iarc,nt0)");
        identityTransformation();
        subprogram("subroutine xy8z(i8z,iarc8z,s,x,y,s0,sf)");
        text("dimension pxy(2,1000)");
        parameterCommon(problem.globals);
        texts({"x = 0.0", "y = 0.0"});
        curvedArcs();
        texts({"return", "end"});
        ntfLeast = nt0;
    }

    // A curved arc is given by X(S), Y(S) over S0..SF, or by points it passes through.
    void curvedArcs() {
        mess(1, 183);
        for (bool another = ifyes(); another; another = ifyes()) {
            mess(0, 184);
            iread("IARC", noLowerBound, noUpperBound);
            text("          if (iarc8z.eq.iarc) then");
            mess(1, 185);
            if (ifyes()) {
                mess(0, 186);
                iadd(3, "S0,SF,X(S) and Y(S) (on this arc only)");
                text("     if (i8z.eq.0) then");
                invar("S0", 0);
                invar("SF", 0);
                text("     else");
                invar("X", 1);
                invar("Y", 1);
                text("     endif");
            } else {
                mess(0, 187);
                iadd(3, "PXY (on this arc only)");
                text("     if (i8z.eq.1) then");
                int npts = iread("NPTS", 2, 1000);
                inmat("PXY", 1, 2, 1, npts, 1);
                texts({"call dkvrw(npts, pxy, s, x, y)", "     endif"});
            }
            text("          endif");
            mess(1, 188);
        }
    }

    // NTF, the triangle density dis8z, ISOLVE and IDEG.
    void triangulationAndSolver() {
        use(Stream::body);
        mess(0, 189);
        iread("NTF", ntfLeast, noUpperBound);
        subprogram("subroutine dis8z(x,y,ktri,triden,shape)");
        text("logical adapt");
        parameterCommon(problem.globals);
        mess(0, 190);
        text("TRIDEN = 1.0");
        iadd(3, "TRIDEN and SHAPE");
        invar("TRIDEN", 0);
        mess(0, 191);
        logicalAnswer("ADAPT");
        com(2, " ");
        texts({"EXAG = 1.5", "if (adapt) triden = dkvrgr2(x,y,triden**(1.0/exag))**exag"});
        mess(0, 192);
        text("SHAPE = 1.0");
        invar("SHAPE", 0);
        texts({"return", "end"});
        use(Stream::body);
        mess(0, 193);
        iread("ISOLVE", 1, session.parms.largestIsolveGalerkin);
        mess(0, 194);
        // The rejected 0 stays written; the accepted degree written after it overrides it.
        while (iread("IDEG", -4, 4) == 0) say("('|---- Illegal input')");
    }

    void fb8z() {
        fixedValuesOpening("function fb8z(i8z,iarc8z,ktri,s,x,y,t)");
        if (problem.type == eigenvalue) {
            mess(0, 100);
        } else {
            arcConditions({.question = 234, .arcMessage = 235, .least = noLowerBound, .most = -1,
                           .conditions = 236, .another = 240, .sign = "NEGATIVE"},
                          [this](bool asked) { fixedValues(asked); });
        }
        texts({"return", "end"});
    }

    void gb8z() {
        freeConditionsOpening({"subroutine gb8z(gd8z,i8z,j8z,iarc8z,ktri,s,x,y,t)",
                               {neqnmx, comment("   un8z(1,I),un8z(2,I),un8z(3,I) hold the (rarely used) values"),
                                comment("   of UI,UIx,UIy from the previous iteration or time step."),
                                comment("   (normx,normy) is the (rarely used) unit outward normal vector"),
                                statement("common/dkvr4/un8z(3,neqnmx),uu8z(neqnmx,3)"),
                                statement("common/dkvr17/normx,normy,ibarc8z"), statement("common/dkvr49/bign8z"),
                                realsDeclaration("normx,normy"), parameterCommonLine, statement("zero(f8z) = bign8z*f8z")}},
                              {{"(6X,A,'  = uu8z(',I2,',1)')", "NI"},
                               {"(6X,A,'x = uu8z(',I2,',2)')", "NI"},
                               {"(6X,A,'y = uu8z(',I2,',3)')", "NI"}});
        arcConditions({.question = 241, .arcMessage = 242, .least = 1, .most = 999, .conditions = 243,
                       .another = 247, .sign = "POSITIVE"},
                      [this](bool asked) { freeConditions(asked); });
        texts({"return", "end"});
    }

    // The conditions of each arc the user names, or, when there are none, the block of an
    // arc 0 with every definition commented out, as a model.
    template <class Conditions> void arcConditions(const ArcConditions& arcs, Conditions conditions) {
        mess(1, arcs.question);
        if (ifyes()) {
            do {
                mess(0, arcs.arcMessage);
                iread("IARC", arcs.least, arcs.most);
                text("          if (iarc8z.eq.iarc) then");
                mess(0, problem.variant(arcs.conditions));
                iadd(3, "the boundary conditions (on this arc only)");
                conditions(true);
                text("          endif");
                mess(1, arcs.another);
            } while (ifyes());
        } else {
            std::string sign(arcs.sign);
            comments({"   NO BOUNDARY CONDITIONS DEFINED ON " + sign + " ARCS.",
                      "   TO ADD BCs FOR " + sign + " ARCS, USE BLOCK BELOW AS MODEL"});
            texts({"IARC = 0", "          if (iarc8z.eq.iarc) then"});
            mess(2, problem.variant(arcs.conditions));
            conditions(false);
            text("          endif");
        }
    }

    // The rectangular output grid; NY = 0 leaves NX+1 points to a block of the user's.
    void outputGrid() {
        use(Stream::header);
        mess(0, 252);
        inparm("NX", 1, noUpperBound);
        ny = inparm("NY", 0, noUpperBound);
        use(Stream::body);
        if (ny != 0) {
            evenOutputPoints(254,
                             {intri == pqGrid ? "call dkvrv   (pgrid,npgrid,qgrid,nqgrid,vxy,nv0,iarc,nt0,xa,xb,ya,yb)"
                                              : "call dkvrv   (xgrid,nxgrid,ygrid,nygrid,vxy,nv0,iarc,nt0,xa,xb,ya,yb)"},
                             "call dkvrx2(nx,ny,xa,xb,ya,yb,hx8z,hy8z,xout8z,yout8z,npts8z)");
        } else {
            userOutputPoints(253, "nx");
        }
    }

    void solve() {
        std::string call = std::string("call dkvr2x(") +
                           (intri == pqGrid ? "pgrid, npgrid, qgrid, nqgrid, iparc, iqarc"
                                            : "xgrid, nxgrid, ygrid, nygrid, ixarc, iyarc") +
                           ", vxy, nv0, iabc, nt0, iarc, restrt, gridid, neqn, ntf, ideg, isolve, nsteps, "
                           "nout, t0, dt, plot, symm, fdiff, itype, nint, nbint, ndel, xd0, yd0, crankn, "
                           "noupdt, xbd8z, ybd8z, nbd8z, xout8z, yout8z, uout, inrg8z, npts8z, ny, tout8z, "
                           "nsave, iwrk8z, ii8z, rwrk8z, ir8z)";
        callSolver({.sizes = "call dkvrzz(ntf,ideg,isolve,symm,neqn,ii8z,ir8z)",
                    .plotComments = {"   *******DRAW TRIANGULATION PLOTS (OVER", "   *******RECTANGLE (XA,XB) x (YA,YB))?"},
                    .plot = "PLOT = .TRUE.",
                    .call = call});
        afterSolver("call postpr(tout8z,nsave,xout8z,yout8z,inrg8z,nx,ny,uout,neqn)", "dkvrr2",
                    "xres8z,nxp8z,yres8z,nyp8z,ures8z,neqn");
    }

    // Tables and plots, each a loop over the saved solutions. Without an output grid (NY = 0)
    // only tables; the stress plot needs two unknowns.
    void outputRequests() {
        std::vector<std::function<void()>> requests{
            [&] {
                table(256, "call dkvrr(xout8z,yout8z,uout(0,0,ivara8z,ivarb8z,is8z),npts8z,inrg8z,title,tout8z(is8z))");
            },
            [&] {
                surfacePlot({"   *******SURFACE PLOT", 256,
                             "call dkvrld(xout8z,yout8z,uout(0,0,ivara8z,ivarb8z,is8z),nx,ny,inrg8z,title,vlon,vlat,"
                             "umin,umax,tout8z(is8z))"});
            },
            [&] {
                contourPlot({"   *******CONTOUR PLOT", 256,
                             "call dkvrlg(uout(0,0,ivara8z,ivarb8z,is8z),nx,ny,xa,ya,hx8z,hy8z,inrg8z,xbd8z,ybd8z,"
                             "nbd8z,title,umin,umax,nodist,fillin,tout8z(is8z))"});
            },
            [&] {
                vectorPlot({"   *******VECTOR FIELD PLOT", 263, "IVARX", "IVARY", false,
                            "call dkvrla(uout(0,0,ivarxa8z,ivarxb8z,is8z),uout(0,0,ivarya8z,ivaryb8z,is8z),nx,ny,xa,"
                            "ya,hx8z,hy8z,inrg8z,xbd8z,ybd8z,nbd8z,title,vr1mag,vr2mag,nodist,tout8z(is8z))"});
            },
            // Curves along x or y at given y or x values, or the values at given points against t.
            [&] {
                crossSectionCurves({256, false, 268, 3,
                                    "call dkvrlp(ics8z,ivar,tout8z,nsave,xout8z,yout8z,inrg8z,nx,ny,uout,neqn,title,umin,"
                                    "umax,ix8z,jy8z,is8z)"});
            },
            [&] { stressPlot(); }};
        requests.resize(ny == 0 ? 1 : problem.neqn == 1 ? 5 : 6);
        GeneratorBase::outputRequests(255, requests);
    }

    void stressPlot() {
        com(2, "   *******STRESS FIELD PLOT");
        mess(0, problem.variant(271));
        for (std::string_view component : {"IVAR11", "IVAR22", "IVAR12"}) outputVariable(component, true);
        savedStepRange();
        askNodist();
        com(2, " ");
        texts({"a11m8z = max(abs(amin8z(ivar11)),abs(amax8z(ivar11)))",
               "a22m8z = max(abs(amin8z(ivar22)),abs(amax8z(ivar22)))",
               "a12m8z = max(abs(amin8z(ivar12)),abs(amax8z(ivar12)))", "astrmx = max(a11m8z,a22m8z)+a12m8z"});
        mess(0, 275);
        text("STRMAX = 0.0");
        invar("STRMAX", 0);
        askTitle();
        savedStepLoop("call dkvrlb(uout(0,0,ivar11a8z,ivar11b8z,is8z),uout(0,0,ivar22a8z,ivar22b8z,is8z),"
                      "uout(0,0,ivar12a8z,ivar12b8z,is8z),nx,ny,xa,ya,hx8z,hy8z,inrg8z,xbd8z,ybd8z,nbd8z,title,"
                      "nodist,strmax,tout8z(is8z))");
    }
};

}  // namespace

void gen2dg(Session& session) { Gen2dg(session).run(); }

}  // namespace zemka
