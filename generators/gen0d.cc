// Programs for systems of equations without a space variable: steady state, time-dependent
// or a linear eigenvalue problem, solved on a grid of one point.
#include "steps.h"
#include "generators.h"

namespace zemka {
namespace {

// A name of one letter is never T or t, the time. Unknowns are reals: they do not begin with I..N,
// and are not pi; global parameters may begin with any letter and are kept from pi, dt, tf,
// t0 and the program's own names.
const NameTables names0d{
    "ABCDEFGHOPQRSUVWXYZabcdefghopqrsuvwxyzIJKLMNijklmn",
    "ABCDEFGHOPQRSTUVWXYZabcdefghopqrstuvwxyzIJKLMNijklmn",
    "PI Pi pI pi DT Dt dT dt TF Tf tF tf T0 t0 ",
    {sharedReserved, "fillin iperdc linear lsqfit nodist"}};

class Gen0d : GeneratorBase {
public:
    explicit Gen0d(Session& session) : GeneratorBase(session, true) {}

    void run() {
        openProgram(skeleton);
        problem.loopLabel = openProblemLoop();
        problem.globals = globalParameters(9, names0d, true);
        askBlockLevel();
        com(2, " ");
        text("xgrid(1) = 0.0");
        problemType({.linearLines = true, .linearQuestionMode = 0, .crankNicolsonMessage = 23});
        problem.neqn = askNeqn();
        // x8z, the point of pdes8z and pmod8z, is an argument the unknowns' lines there must not set.
        unknowns(26, names0d.leading(38, 40, 4), {}, {"x8z"});
        problem.fdiff = askFdiff();
        pdes8z();
        initialValuesRoutine({.head = {"function u8z(i8z,x8z,t0)", {parameterCommonLine}},
                              .message = {.steady = 46, .timeDependent = 47, .eigenvalue = 45},
                              .lsqfit = InitialValues::lsqfitFalse,
                              .gridIdentityMessage = 0});
        use(Stream::body);
        text("iperdc = 0");
        outputValues({.head = {"subroutine pmod8z(x8z,t,uu8z,uprint,uxp8z)",
                               {statement("dimension uu8z(3,*),uprint(*),uxp8z(*)"),
                                statement("common/dkvr14/sint(20),bint(20),slim8z(20),blim8z(20)"), parameterCommonLine}},
                      .values = values},
                     49, {});
        workArraysAndSaving();
        callSolver({.sizes = "call dkvr1q(nxgrid,neqn,ii8z,ir8z)",
                    .plotComments = {},
                    .plot = "plot = .false.",
                    .call = "call dkvr1x(xgrid, -1, neqn, nint, nbint, xout8z, uout, tout8z, iperdc, plot, "
                            "lsqfit, fdiff, npts8z, t0, dt, nsteps, nout, nsave, crankn, noupdt, itype, "
                            "linear, rwrk8z, ir8z, iwrk8z, ii8z, restrt, gridid)"});
        afterSolver("call postpr(tout8z,nsave,uout,neqn)");
        outputChoices();
        dummyRoutines({"subroutine gb8z(gd8z,ifac8z,i8z,j8z,x,t,uu8z)", "subroutine xy8z(i8z,iarc8z,s,x,y,s0,sf)",
                       "subroutine dis8z(x,y,ktri,triden,shape)", "function fb8z(i8z,iarc8z,ktri,s,x,y,t)",
                       "function axis8z(i8z,x,y,z,ical8z)", "subroutine tran8z(itrans,x,y,z)"});
        postpr(postprocessor0d);
        userSubprograms();
        finishProgram();
    }

private:
    inline static const ProgramSkeleton skeleton{
        .heading = "*** 0D PROBLEM SOLVED ***",
        .arrays = "dimension xgrid(nxgrid),xout8z(0:0),tout8z(0:nsave),uout(2,neqn,0:nsave)",
        .logicals = "logical linear,crankn,noupdt,nodist,fillin,evcmpx,adapt,plot,lsqfit,fdiff,econ8z,ncon8z,"
                    "restrt,gridid",
        .commons = {"common/dkvr30/ econ8z,ncon8z", "common/dkvr46/ eps8z,cgtl8z,npmx8z,itype,near8z"},
        .start = {"pi = 4.0*atan(1.d0)"}};

    // The value of each unknown, as uu8z(1,j) holds it.
    inline static const UnknownLines values{{"(6X,A,'  = uu8z(1,',I2,')')", "NI"}};

    // The user's postprocessor, with a MATLAB export that is switched on by removing "C!".
    inline static const Postprocessor postprocessor0d{
        .header = "subroutine postpr(tout,nsave,uout,neqn)",
        .dimensions = {"dimension tout(0:nsave)", "dimension uout(2,neqn,0:nsave)"},
        .comments = {"UOUT(1,IEQ,L) = U_IEQ", "  (possibly as modified by UPRINT,..)", "  at time/iteration TOUT(L)."},
        .exampleRest = {{4, "78754 format (i8)"},
                        {3, " do 78756 l=0,nsave0"},
                        {3, "    write (lud,78757) tout(l)"},
                        {3, "    do 78755 ieq=1,neqn"},
                        {3, "       write (lud,78757) uout(1,ieq,l)"},
                        {4, "78755    continue"},
                        {4, "78756 continue"},
                        {4, "78757 format (e16.8)"}},
        .matlabWriter = "mkvr0d"};

    // The equations F, the time coefficients C, the eigenvalue matrix RHO, the integrals
    // and the Jacobian, selected by i8z, j8z and kint8z.
    void pdes8z() {
        openSubprogram({"subroutine pdes8z(yd8z,i8z,j8z,kint8z,x8z,t,uu8z)",
                        {neqnmx, eigenvalueNeqn, comment("   un8z(1,I) hold the (rarely used) values"),
                         comment("   of UI from the previous iteration or time step"),
                         statement("common /dkvr4x/un8z(3,neqnmx)"), realsDeclaration("uu8z(3,neqnmx)"), eigenvalueRho,
                         parameterCommonLine}});
        everyUnknown(values);
        texts({"                    if (i8z.eq.0) then", "yd8z = 0.0"});
        integrals(29, false);
        use(Stream::body);
        text("nbint = 0");
        use(Stream::subprograms);
        equations({.message = {.steady = 37, .timeDependent = 41, .eigenvalue = 33, .byUnknowns = true},
                   .functions = {"F"},
                   .mode = 0,
                   .markFunctions = true,
                   .eigenvalueCall = "call dkvrsx (yd8z,i8z,uu8z,un8z,rho,3,neqn)",
                   .jacobian = {.functions = {"F"}, .derivatives = {{"", 1}}, .unknownStride = 3, .lhs = "yd8z"}});
    }

    void workArraysAndSaving() {
        use(Stream::header);
        text("parameter (nxgrid = 1)");
        workArrayParameters();
        use(Stream::body);
        texts({"npts8z = 1", "xout8z(0) = 0.0"});
        savedSolutions();
    }

    // A table of one unknown at every saved time, or its curve against t.
    void outputChoices() {
        std::vector<std::function<void()>> requests{[&] {
                                                        com(2, "   *******TABULAR OUTPUT");
                                                        mess(0, problem.variant(55));
                                                        iread("IVAR", 1, problem.neqn);
                                                        askTitle();
                                                        text("call dkvr1f(tout8z,uout(1,ivar,0),nsave,neqn,title)");
                                                    },
                                                    [&] {
                                                        com(2, "   *******LINE PLOTS");
                                                        mess(0, problem.variant(55));
                                                        iread("IVAR", 1, problem.neqn);
                                                        com(2, "   T IS VARIABLE");
                                                        text("ics8z = 2");
                                                        plotRange(60);
                                                        askTitle();
                                                        texts({"is8z = 0", "ix8z = 0",
                                                               "call dkvrzp(ics8z,2*ivar-1,tout8z,nsave,xout8z,0,uout,"
                                                               "neqn,title,umin,umax,ix8z,is8z)"});
                                                    }};
        if (problem.type != timeDependent) requests.resize(1);
        outputRequests(54, requests);
    }
};

}  // namespace

void gen0d(Session& session) { Gen0d(session).run(); }

}  // namespace zemka
