// Programs for one space variable solved by the Galerkin method: the region is the interval
// covered by the grid XGRID, and its two endpoints are the boundary. Each endpoint is fixed
// (a value FB, in fb8z on arc -1 or -2) or free (a condition GB, in gb8z on arc 1 or 2), as
// the flags FIXL and FIXR choose. Each equation has the functions F and A.
#include <string>

#include "galerkin.h"
#include "generators.h"
#include "output1d.h"

namespace zemka {
namespace {

// The first 34 letters may name an unknown (not A, T or X: a is an argument of pmod8z, t and
// x of every routine); all 46 may name a global parameter.
constexpr std::string_view let1 = "BCDEFGHOPQRSUVWYZbcdefghopqrsuvwyzIJKLMNijklmn";
// Unknowns are kept from the first 22, global parameters from all.
constexpr std::string_view forb =
    "A1 A2 A3 A4 A5 A6 A7 A8 A9 PI pI a1 a2 a3 a4 a5 a6 a7 a8 a9 Pi pi "
    "NX DT TF XA XB T0 Nx Dt Tf Xa Xb t0 nX dT tF xA xB nx dt tf xa xb ";
const NameTables names{let1, galerkinLet2, forb, {sharedReserved, galerkinReserved, "fixl fixr"}};

const ProgramSkeleton skeleton{
    .heading = "*** 1D PROBLEM SOLVED (GALERKIN METHOD) ***",
    .headerParameters = {"parameter (ndelmx=  20)"},
    .arrays = "dimension xgrid(nxgrid),ixarc(2),xout8z(0:nx),xcross(100),tout8z(0:nsave)",
    .restartArrays = {" dimension xres8z(nxp8z),ures8z(neqn,nxp8z)"},
    .logicals = "logical plot,symm,fdiff,evcmpx,crankn,fixl,fixr,noupdt,adapt,econ8z,ncon8z,restrt,gridid",
    .commons = {"common/dkvr20/ xd0(ndelmx),ndel,idel8z,jdel8z", "common/dkvr30/ econ8z,ncon8z",
                "common/dkvr42/ nxa8z,kd8z", "common/dkvr43/ work8z(nxp8z+3)",
                "common/dkvr46/ eps8z,cgtl8z,npmx8z,itype,near8z", "common/dkvr62/ amin8z(2*neqnmx),amax8z(2*neqnmx)",
                "common/dkvr75/ nx18z,xa,xb,uout(0:nx,2,neqn,0:nsave)"},
    .start = {"pi = 4.0*atan(1.d0)", "nxa8z = nxp8z", "nx18z = nx+1", "kd8z = kdeg8z"},
};

// U and Ux of each unknown, now and at the previous iteration or time step.
constexpr HeadLine valuesCommon = statement("common/dkvr48/un8z(2,neqnmx),uu8z(2,neqnmx)");
constexpr HeadLine previousValues = comment("   un8z(1,I),un8z(2,I) hold the (rarely used) values");

const GalerkinEquations equations1d{
    .head = {"subroutine pdes8z (yd8z,i8z,j8z,kint8z,x,t)",
             {neqnmx, eigenvalueNeqn, statement("parameter (ndelmx=  20)"), previousValues,
              comment("   of UI,UIx from the previous iteration or time step"), valuesCommon,
              statement("common/dkvr11/normx"), statement("common/dkvr20/xd0(ndelmx),ndel,idel8z,jdel8z"),
              realsDeclaration("normx,delamp(ndelmx,neqnmx)"), eigenvalueRho, parameterCommonLine}},
    .integralsMessage = 70,
    .boundaryIntegralsMessage = 75,
    .deltaQuestion = 79,
    .deltaPlaces = 80,
    .deltaAmplitudes = 81,
    .coefficients = {.steady = 86, .timeDependent = 90, .eigenvalue = 82, .byUnknowns = true},
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

class Gen1dg : GalerkinSteps, Output1dSteps {
public:
    explicit Gen1dg(Session& session)
        : GeneratorBase(session, false), OutputSteps(session, false, {{"X"}, 2, 2}), GalerkinSteps(session, 1),
          Output1dSteps(session, false, 119) {}

    void run() {
        openProgram(skeleton);
        problem.loopLabel = openProblemLoop();
        problem.globals = globalParameters(62, names, false);
        askBlockLevel();
        use(Stream::body);
        mess(0, 63);
        grids({"X"}, 3);
        mess(0, 64);
        iread("IDEG", 1, 4);
        problemType(problemStyle);
        problem.neqn = askNeqn();
        galerkinUnknowns(66, names.leading(34, 40, 22), {"xd0"});  // xd0: the places of the delta functions
        askSymmetry({.steady = 68, .timeDependent = 69, .eigenvalue = 67});
        problem.fdiff = askFdiff();
        workArrayParameters();
        text("PARAMETER (NXP8Z=1001,KDEG8Z=1)");
        galerkinEquations(equations1d);
        initialValuesRoutine({.head = {"function u8z(i8z,x,t0)", {parameterCommonLine}},
                              .message = {.steady = 95, .timeDependent = 96, .eigenvalue = 94},
                              .lsqfit = InitialValues::noLsqfit,
                              .gridIdentityMessage = 97});
        endpointConditions();
        galerkinReplacements({"subroutine pmod8z(x,t,a)",
                              {neqnmx, valuesCommon, statement("common/dkvr68/upr8z(2,neqnmx),uab8z(2,neqnmx)"),
                               statement("common/dkvr9/uprint(neqnmx),aprint(neqnmx),bpr8z(neqnmx)"),
                               statement("common/dkvr14/sint(20),bint(20),slim8z(20),blim8z(20)"), parameterCommonLine}},
                             111);
        outputPoints1d();
        savedSolutions();
        callSolver({.sizes = "call dkvrzg(nxgrid,ideg,symm,neqn,ii8z,ir8z)",
                    .plotComments = {"   *******DRAW GRID POINTS?"},
                    .plot = "PLOT = .TRUE.",
                    .call = "call dkvrgx(xgrid, nxgrid, ixarc, restrt, gridid, neqn, ideg, nsteps, nout, t0, dt, "
                            "plot, symm, fdiff, itype, nint, nbint, crankn, noupdt, xout8z, uout, npts8z, tout8z, "
                            "nsave, iwrk8z, ii8z, rwrk8z, ir8z)"});
        afterSolver("call postpr(tout8z,nsave,xout8z,nx,uout,neqn)", "dkvrr1", "xres8z,nxp8z,ures8z,neqn");
        outputRequests1d();
        dummyRoutines({"function axis8z(i8z,x,y,z,ical8z)", "subroutine tran8z(p,q,x,y)",
                       "subroutine xy8z(i8z,iarc8z,s,x,y,s0,sf)", "subroutine dis8z(x,y,ktri,triden,shape)"});
        postpr(postprocessor1d({"UOUT(I,IDER,IEQ,L) = U_IEQ, if IDER=1", "                     A_IEQ, if IDER=2"},
                               "mkvr1dg"));
        userSubprograms();
        dataFileFunctions(dataFunctions1d);
        finishProgram();
    }

private:
    // FIXL and FIXR, then fb8z and gb8z with the conditions of each endpoint.
    void endpointConditions() {
        use(Stream::body);
        bool fixed[2];
        for (int e = 0; e < 2; ++e) fixed[e] = chooseEndpoint(endpoints[e]);
        fixedValuesOpening("function fb8z(i8z,iarc8z,x,t)");
        if (problem.type == eigenvalue) {
            mess(0, 100);
            paws();
        } else {
            for (int e = 0; e < 2; ++e) endpointConditions(endpoints[e], fixed[e], true);
        }
        texts({"return", "end"});
        freeConditionsOpening({"subroutine gb8z(gd8z,i8z,j8z,iarc8z,x,t)",
                               {neqnmx, previousValues, comment("   of UI,UIx from the previous iteration or time step."),
                                valuesCommon, statement("common/dkvr49/bign8z"), parameterCommonLine,
                                statement("zero(f8z) = bign8z*f8z")}},
                              {{"(6X,A,'  = uu8z(1,',I2,')')", "NI"}, {"(6X,A,'x = uu8z(2,',I2,')')", "NI"}});
        for (int e = 0; e < 2; ++e) endpointConditions(endpoints[e], fixed[e], false);
        texts({"return", "end"});
    }

    // FIXL (or FIXR), and the arc number it gives the endpoint; returns whether it is fixed.
    bool chooseEndpoint(const Endpoint& end) {
        mess(0, end.question);
        bool isFixed = logicalAnswer(end.flag);
        com(2, " ");
        std::string arc = "ixarc(" + std::to_string(end.arc) + ")", number = std::to_string(end.arc);
        texts({arc + " = " + number, "if (" + lowerCase(end.flag) + ") " + arc + " = -" + number});
        return isFixed;
    }

    // The conditions of an endpoint in fb8z (inFb8z) or gb8z. Those of its kind are asked; the
    // others are written as commented defaults, the model for a later change of the flag.
    void endpointConditions(const Endpoint& end, bool isFixed, bool inFb8z) {
        bool given = isFixed == inFb8z;
        int arc = inFb8z ? -end.arc : end.arc;
        text("          if (iarc8z.eq." + std::to_string(arc) + ") then");
        int conditions = problem.variant(inFb8z ? 102 : 107);
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
};

}  // namespace

void gen1dg(Session& session) { Gen1dg(session).run(); }

}  // namespace zemka
