// Programs for one space variable solved by collocation: the region is the interval covered
// by the grid XGRID, with conditions G at its two end points, or periodic. The collocation
// steps of two and three variables one dimension down (no transformation, no solver choice),
// and the output of the one-variable Galerkin class.
#include "collocation.h"
#include "generators.h"
#include "output1d.h"

namespace zemka {
namespace {

// The first 36 letters may name an unknown (not I..N, T or X: integers, the time and the
// coordinate); all 48 may name a global parameter.
constexpr std::string_view let1 = "ABCDEFGHOPQRSUVWYZabcdefghopqrsuvwyzIJKLMNijklmn";
// Unknowns are kept from the first 4, global parameters from all.
constexpr std::string_view forb = "PI Pi pI pi NX Nx nX nx DT Dt dT dt TF Tf tF tf XA Xa xA xa XB Xb xB xb T0 t0 ";

// The names of the 1D collocation program's own beside sharedReserved.
constexpr std::string_view reserved1dc =
    "ahigh alow fillin iperdc isinc iset1 iset2 linear lsqfit mod nodist none normx nxvals perdc uxprint vlat "
    "vlon xcross xout";

const NameTables names{let1, collocationLet2, forb, {sharedReserved, reserved1dc}};

const ProgramSkeleton skeleton{
    .heading = "*** 1D PROBLEM SOLVED (COLLOCATION METHOD) ***",
    .arrays = "dimension xgrid(nxgrid),xout8z(0:nx),xcross(100),tout8z(0:nsave)",
    .restartArrays = {" dimension xres8z(nxp8z),ures8z(neqn,nxp8z)"},
    .logicals = "logical linear,crankn,noupdt,nodist,fillin,evcmpx,adapt,plot,lsqfit,fdiff,econ8z,ncon8z,restrt,gridid",
    .commons = {"common/dkvr30/ econ8z,ncon8z", "common/dkvr42/ nxa8z,kd8z", "common/dkvr43/ work8z(nxp8z+3)",
                "common/dkvr45/ perdc(neqnmx)", "common/dkvr46/ eps8z,cgtl8z,npmx8z,itype,near8z",
                "common/dkvr62/ amin8z(2*neqnmx),amax8z(2*neqnmx)",
                "common/dkvr75/ nx18z,xa,xb,uout(0:nx,2,neqn,0:nsave)"},
    .start = {"pi = 4.0*atan(1.d0)", "nxa8z = nxp8z", "nx18z = nx+1", "kd8z = kdeg8z"},
};

// U, Ux and Uxx of each unknown; gb8z binds the first two.
const UnknownLines values{{"(6X,A,'  = uu8z(1,',I2,')')", "NI"},
                          {"(6X,A,'x = uu8z(2,',I2,')')", "NI"},
                          {"(6X,A,'xx= uu8z(3,',I2,')')", "NI"}};

const CollocationEquations equations1dc{
    .routine = {.head = {"subroutine pdes8z(yd8z,i8z,j8z,kint8z,x,t,uu8z)",
                         {neqnmx, eigenvalueNeqn, comment("   un8z(1,I),un8z(2,I),un8z(3,I) hold the (rarely used) values"),
                          comment("   of UI,UIx,UIxx from the previous iteration or time step"),
                          statement("common /dkvr4x/un8z(3,neqnmx)"), statement("common /dkvr11/normx"),
                          realsDeclaration("normx,uu8z(3,neqnmx)"), eigenvalueRho, parameterCommonLine}},
                .values = values},
    .integralsMessage = 138,
    .boundaryIntegralsMessage = 142,
    .weighted = false,
    .coefficients = {.steady = 150, .timeDependent = 154, .eigenvalue = 146, .byUnknowns = true},
    .eigenvalueCall = "call dkvrsx (yd8z,i8z,uu8z,un8z,rho,3,neqn)",
};

const Faces endpoints{
    .routine = {.head = {"subroutine gb8z(gd8z,ifac8z,i8z,j8z,x,t,uu8z)",
                         {neqnmx, statement("dimension uu8z(3,neqnmx)"),
                          comment("   un8z(1,I),un8z(2,I) hold the (rarely used) values"),
                          comment("   of UI,UIx from the previous iteration or time step"),
                          statement("common /dkvr4x/ un8z(3,neqnmx)"), realsDeclaration("none"), parameterCommonLine,
                          statement("none = dkvrlx(2)")}},
                .values = UnknownLines(values.begin(), values.begin() + 2)},
    .message = 160,
    .count = 2,
    .faceMessage = 163,
    .what = "the boundary conditions (at this endpoint only)",
};

class Gen1dc : CollocationSteps, Output1dSteps {
public:
    explicit Gen1dc(Session& session)
        : GeneratorBase(session, true), OutputSteps(session, true, {{"X"}, 2, 2}),
          CollocationSteps(session, 3, {{"", 1}, {"x", 2}, {"xx", 3}}, 2), Output1dSteps(session, true, 170) {}

    void run() {
        openProgram(skeleton);
        problem.loopLabel = openProblemLoop();
        problem.globals = globalParameters(135, names, true);
        askBlockLevel();
        use(Stream::body);
        mess(0, 136);
        std::vector<int> gridLines = grids({"X"}, 2);
        problemType(problemStyle);
        problem.neqn = askNeqn();
        unknowns(137, names.leading(36, 40, 4), {"x", "xx"}, {});
        problem.fdiff = askFdiff();
        collocationEquations(equations1dc);
        initialValuesRoutine({.head = {"function u8z(i8z,x,t0)", {parameterCommonLine}},
                              .message = {.steady = 95, .timeDependent = 96, .eigenvalue = 94},
                              .lsqfit = InitialValues::lsqfitAsked,
                              .gridIdentityMessage = 97});
        faceConditions(endpoints, periodicity(159, 1, -1), gridLines);
        outputValues({.head = {"subroutine pmod8z(x,t,uu8z,uprint,uxprint)",
                               {statement("dimension uu8z(3,*),uprint(*),uxprint(*)"),
                                statement("common/dkvr14/sint(20),bint(20),slim8z(20),blim8z(20)"), parameterCommonLine}},
                      .values = values},
                     166, {{"UX", "x"}});
        workArrayParameters();
        text("PARAMETER (NXP8Z=1001,KDEG8Z=1)");
        outputPoints1d();
        savedSolutions();
        callSolver({.sizes = "call dkvr1q(nxgrid,neqn,ii8z,ir8z)",
                    .plotComments = {"   *******DRAW GRID POINTS?"},
                    .plot = "PLOT = .TRUE.",
                    .call = "call dkvr1x(xgrid, nxgrid, neqn, nint, nbint, xout8z, uout, tout8z, iperdc, plot, "
                            "lsqfit, fdiff, npts8z, t0, dt, nsteps, nout, nsave, crankn, noupdt, itype, linear, "
                            "rwrk8z, ir8z, iwrk8z, ii8z, restrt, gridid)"});
        afterSolver("call postpr(tout8z,nsave,xout8z,nx,uout,neqn)", "dkvrr1", "xres8z,nxp8z,ures8z,neqn");
        outputRequests1d();
        dummyRoutines({"subroutine xy8z(i8z,iarc8z,s,x,y,s0,sf)", "subroutine dis8z(x,y,ktri,triden,shape)",
                       "function fb8z(i8z,iarc8z,ktri,s,x,y,t)", "function axis8z(i8z,x,y,z,ical8z)",
                       "subroutine tran8z(itrans,x,y,z)"});
        postpr(postprocessor1d({"UOUT(I,IDER,IEQ,L) = U_IEQ,  if IDER=1", "                     Ux_IEQ, if IDER=2"},
                               "mkvr1dc"));
        userSubprograms();
        dataFileFunctions(dataFunctions1d);
        finishProgram();
    }
};

}  // namespace

void gen1dc(Session& session) { Gen1dc(session).run(); }

}  // namespace zemka
