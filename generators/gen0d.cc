// Programs for systems of equations without a space variable: steady state, time-dependent
// or a linear eigenvalue problem, solved on a grid of one point.
#include "common.h"
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
    explicit Gen0d(Session& session) : GeneratorBase(session) { marksInput = true; }

    void run() {
        opening();
        declarations();
        openProblemLoop();
        mess(0, 9);
        gui();
        globals = globp(names0d);
        askBlockLevel();
        com(2, " ");
        text("xgrid(1) = 0.0");
        problemType({.linearLines = true, .linearQuestionMode = 0, .crankNicolsonMessage = 23});
        equationsAndUnknowns();
        pdes8z();
        u8z();
        pmod8z();
        workArraysAndSaving();
        callSolver({.sizes = "call dkvr1q(nxgrid,neqn,ii8z,ir8z)",
                    .plotComments = {},
                    .plot = "plot = .false.",
                    .call = "call dkvr1x(xgrid, -1, neqn, nint, nbint, xout8z, uout, tout8z, iperdc, plot, "
                            "lsqfit, fdiff, npts8z, t0, dt, nsteps, nout, nsave, crankn, noupdt, itype, "
                            "linear, rwrk8z, ir8z, iwrk8z, ii8z, restrt, gridid)"});
        afterSolver("call postpr(tout8z,nsave,uout,neqn)");
        outputChoices();
        use(Stream::subprograms);
        dummyRoutines({"subroutine gb8z(gd8z,ifac8z,i8z,j8z,x,t,uu8z)", "subroutine xy8z(i8z,iarc8z,s,x,y,s0,sf)",
                       "subroutine dis8z(x,y,ktri,triden,shape)", "function fb8z(i8z,iarc8z,ktri,s,x,y,t)",
                       "function axis8z(i8z,x,y,z,ical8z)", "subroutine tran8z(itrans,x,y,z)"});
        postpr(postprocessor0d);
        userSubprograms();
        finishProgram();
    }

private:
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

    void opening() {
        use(Stream::header);
        com(2, "*** 0D PROBLEM SOLVED ***");
        askPrecision();
        neqnmxParameter();
    }

    void declarations() {
        use(Stream::body);
        text("dimension xgrid(nxgrid),xout8z(0:0),tout8z(0:nsave),uout(2,neqn,0:nsave)");
        allocatableWorkArrays();
        texts({"character*40 title",
               "logical linear,crankn,noupdt,nodist,fillin,evcmpx,adapt,plot,lsqfit,fdiff,econ8z,"
               "ncon8z,restrt,gridid"});
        resultCommons();
        texts({"common/dkvr30/ econ8z,ncon8z",
               "common/dkvr46/ eps8z,cgtl8z,npmx8z,itype,near8z",
               "pi = 4.0*atan(1.d0)"});
    }

    void equationsAndUnknowns() {
        askNeqn();
        use(Stream::body);
        mess(1, 26);
        // x8z, the point of pdes8z and pmod8z, is an argument the unknowns' lines there must not set.
        varnam(names0d.leading(38, 40, 4), neqn, unknownNaming({}, {"x8z"}));
        askFdiff();
    }

    // The equations F, the time coefficients C, the eigenvalue matrix RHO, the integrals
    // and the Jacobian, selected by i8z, j8z and kint8z.
    void pdes8z() {
        subprogram("subroutine pdes8z(yd8z,i8z,j8z,kint8z,x8z,t,uu8z)");
        neqnmxParameter();
        if (type == eigenvalue) write("(6X,'parameter (NEQN=',I4,')')", neqn);
        comments({"   un8z(1,I) hold the (rarely used) values", "   of UI from the previous iteration or time step"});
        text("common /dkvr4x/un8z(3,neqnmx)");
        reals("uu8z(3,neqnmx)");
        if (type == eigenvalue && neqn > 1) text("dimension rho(neqn,neqn)");
        parameterCommon(globals);
        for (int j = 1; j <= neqn; ++j) unknownLines(j, 0);
        openIntegralBranch();
        integrals(29);
        use(Stream::body);
        text("nbint = 0");
        use(Stream::subprograms);
        openFunctionBranch({.steady = 37, .timeDependent = 41, .eigenvalue = 33, .byUnknowns = true});
        for (int i = 1; i <= neqn; ++i) {
            if (type == timeDependent) timeCoefficients(i);
            gui();
            vecfun("F", i, neqn, i, "yd8z", 0, "i8z");
            if (type == eigenvalue) rhoRow(i);
        }
        if (type == eigenvalue) text("call dkvrsx (yd8z,i8z,uu8z,un8z,rho,3,neqn)");
        text("          else");
        if (!linear && !fdiff)
            for (int i = 1; i <= neqn; ++i)
                for (int k = 1; k <= neqn; ++k) matfun("F", i, neqn, unknownName(k), i, 3 * k - 2, "yd8z", 0);
        closeEquationsRoutine();
    }

    // Initial values (or the eigenvalue start) and, in the main program, the restart flags.
    void u8z() {
        subprogram("function u8z(i8z,x8z,t0)");
        parameterCommon(globals);
        text(type == eigenvalue ? "u8z = dkvrxx()" : "u8z = 0.0");
        bool linearSteady = type == steady && linear;
        if (!linearSteady) initialValues({.steady = 46, .timeDependent = 47, .eigenvalue = 45});
        use(Stream::body);
        text("lsqfit = .false.");
        if (linearSteady) {
            text("RESTRT = .FALSE.");
        } else {
            mess(0, 48);
            logicalAnswer("RESTRT");
        }
        text("gridid = .true.");
        use(Stream::subprograms);
        texts({"return", "end"});
        use(Stream::body);
        text("iperdc = 0");
    }

    // The values printed for each unknown, which the user may replace.
    void pmod8z() {
        subprogram("subroutine pmod8z(x8z,t,uu8z,uprint,uxp8z)");
        texts({"dimension uu8z(3,*),uprint(*),uxp8z(*)",
               "common/dkvr14/sint(20),bint(20),slim8z(20),blim8z(20)"});
        parameterCommon(globals);
        for (int j = 1; j <= neqn; ++j) unknownLines(j, 0);
        printReplacements(49, "");
        texts({"return", "end"});
    }

    void workArraysAndSaving() {
        use(Stream::header);
        text("parameter (nxgrid = 1)");
        workArrayParameters();
        use(Stream::body);
        texts({"npts8z = 1", "xout8z(0) = 0.0"});
        savedSolutions();
    }

    void outputChoices() {
        use(Stream::body);
        for (;;) {
            mess(1, 54);
            int choice = iread("", 0, type == timeDependent ? 2 : 1);
            if (choice == 0) return;
            if (choice == 1) {
                com(2, "   *******TABULAR OUTPUT");
                mess(0, variant(55));
                iread("IVAR", 1, neqn);
                askTitle();
                text("call dkvr1f(tout8z,uout(1,ivar,0),nsave,neqn,title)");
            } else {
                com(2, "   *******LINE PLOTS");
                mess(0, variant(55));
                iread("IVAR", 1, neqn);
                com(2, "   T IS VARIABLE");
                text("ics8z = 2");
                plotRange(60);
                askTitle();
                texts({"is8z = 0", "ix8z = 0",
                       "call dkvrzp(ics8z,2*ivar-1,tout8z,nsave,xout8z,0,uout,neqn,title,umin,umax,"
                           "ix8z,is8z)"});
            }
        }
    }
};

}  // namespace

void gen0d(Session& session) { Gen0d(session).run(); }

}  // namespace zemka
