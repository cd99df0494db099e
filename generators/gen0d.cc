// Programs for systems of equations without a space variable: steady state, time-dependent
// or a linear eigenvalue problem, solved on a grid of one point.
#include <algorithm>

#include "common.h"
#include "generators.h"

namespace zemka {
namespace {

enum ProblemType { steady = 1, timeDependent = 2, eigenvalue = 3 };

// Unknowns take any one-letter name but T and t; a longer name must not begin with I..N and
// must not be pi; global parameters may use every letter and are kept from pi, dt, tf, t0.
constexpr NameTables names0d{
    "ABCDEFGHOPQRSUVWXYZabcdefghopqrsuvwxyzIJKLMNijklmn",
    "ABCDEFGHOPQRSTUVWXYZabcdefghopqrstuvwxyzIJKLMNijklmn",
    "PI Pi pI pi DT Dt dT dt TF Tf tF tf T0 t0 "};

class Gen0d : GeneratorBase {
public:
    using GeneratorBase::GeneratorBase;

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
        problemType();
        equationsAndUnknowns();
        pdes8z();
        u8z();
        pmod8z();
        workArraysAndSaving();
        solverCall();
        outputChoices();
        use(Stream::subprograms);
        dummyRoutines();
        postpr();
        userSubprograms();
        mess(1, 411);
        finishProgram();
    }

private:
    int type = steady;
    bool linear = false;
    bool fdiff = false;

    void opening() {
        use(Stream::header);
        com(2, "*** 0D PROBLEM SOLVED ***");
        askPrecision();
        write("(6X,'parameter (neqnmx=',I4,')')", 99);
    }

    void declarations() {
        use(Stream::body);
        texts({"dimension xgrid(nxgrid),xout8z(0:0),tout8z(0:nsave),uout(2,neqn,0:nsave)",
               "allocatable iwrk8z(:),rwrk8z(:)"});
        com(2, " dimension iwrk8z(iiwk8z),rwrk8z(irwk8z)");
        texts({"character*40 title",
               "logical linear,crankn,noupdt,nodist,fillin,evcmpx,adapt,plot,lsqfit,fdiff,econ8z,"
               "ncon8z,restrt,gridid",
               kvr("common/dkvr14/ sint8z(20),bint8z(20),slim8z(20),blim8z(20)"),
               kvr("common/dkvr15/ evlr8z,ev0r,evli8z,ev0i,evcmpx"),
               kvr("common/dkvr16/ p8z,evr8z(50),evi8z(50)"),
               kvr("common/dkvr19/ toler(neqnmx),adapt"),
               kvr("common/dkvr30/ econ8z,ncon8z"),
               kvr("common/dkvr46/ eps8z,cgtl8z,npmx8z,itype,near8z"),
               "pi = 4.0*atan(1.d0)"});
    }

    void problemType() {
        mess(1, 11);
        type = iread("", 1, 3);
        if (type == eigenvalue) eigenvalueProblem();
        else if (type == timeDependent) timeDependentProblem();
        else steadyStateProblem();
    }

    void eigenvalueProblem() {
        com(2, "   *******EIGENVALUE PROBLEM");
        mess(0, 12);
        paws();
        text("ITYPE = 3");
        comments({" ", " P8Z = 0.0"});
        linear = true;
        texts({"linear = .true.", "t0 = 0.0", "dt = 1.0", "crankn = .false.", "noupdt = .true."});
        mess(0, 13);
        if (ifyes()) {
            text("EVCMPX = .TRUE.");
            mess(0, 15);
            texts({"EV0R = 0.0", "EV0I = 0.0"});
            invar("EV0R", 0);
            invar("EV0I", 0);
        } else {
            text("EVCMPX = .FALSE.");
            mess(0, 14);
            text("EV0R = 0.0");
            gui();
            invar("EV0R", 0);
        }
        mess(0, 16);
        text("NSTEPS = 25");
        invar("NSTEPS", 0);
    }

    void timeDependentProblem() {
        com(2, "   *******TIME-DEPENDENT PROBLEM");
        text("itype = 2");
        mess(0, 17);
        text("T0 = 0.0");
        gui();
        invar("T0", 0);
        gui();
        invar("TF", 1);
        askLinear();
        mess(0, 19);
        bool adaptive = ifyes();
        gui();
        if (adaptive) {
            texts({"ADAPT = .TRUE.", "TOLER(1) = 0.01"});
            invar("TOLER(1)", 0);
            if (linear) mess(2, 20);
            text("NOUPDT = .FALSE.");
            mess(0, 21);
        } else {
            texts({"ADAPT = .FALSE.", "TOLER(1) = 0.01"});
            if (linear) {
                mess(0, 20);
                bool noUpdate = ifyes();
                gui();
                text(noUpdate ? "NOUPDT = .TRUE." : "NOUPDT = .FALSE.");
            } else {
                text("NOUPDT = .FALSE.");
            }
            mess(0, 22);
        }
        gui();
        invar("NSTEPS", 1);
        text("dt = (tf-t0)/max(nsteps,1)");
        mess(0, 23);
        text(ifyes() ? "CRANKN = .TRUE." : "CRANKN = .FALSE.");
    }

    void steadyStateProblem() {
        com(2, "   *******STEADY-STATE PROBLEM");
        texts({"itype = 1", "t0 = 0.0", "dt = 1.0", "crankn = .false.", "noupdt = .false."});
        askLinear();
        if (linear) {
            com(2, "   Number of Newton iterations");
            text("NSTEPS = 1");
        } else {
            mess(0, 24);
            text("NSTEPS = 15");
            invar("NSTEPS", 0);
        }
    }

    void askLinear() {
        mess(0, 18);
        linear = ifyes();
        text(linear ? "LINEAR = .TRUE." : "LINEAR = .FALSE.");
    }

    void equationsAndUnknowns() {
        use(Stream::header);
        mess(0, 25);
        neqn = inparm("NEQN", 1, 99);
        use(Stream::body);
        mess(1, 26);
        varnam(names0d.leading(38, 40, 4), neqn);
        if (!linear) {
            mess(0, 27);
            fdiff = ifyes();
        }
        text(fdiff ? "FDIFF = .TRUE." : "FDIFF = .FALSE.");
    }

    // The equations F, the time coefficients C, the eigenvalue matrix RHO, the integrals
    // and the Jacobian, selected by i8z, j8z and kint8z.
    void pdes8z() {
        use(Stream::subprograms);
        subprogram("subroutine pdes8z(yd8z,i8z,j8z,kint8z,x8z,t,uu8z)");
        write("(6X,'parameter (neqnmx=',I4,')')", 99);
        if (type == eigenvalue) write("(6X,'parameter (NEQN=',I4,')')", neqn);
        comments({"   un8z(1,I) hold the (rarely used) values", "   of UI from the previous iteration or time step"});
        texts({kvr("common /dkvr4x/un8z(3,neqnmx)"),
               byPrecision("double precision uu8z(3,neqnmx)", "real uu8z(3,neqnmx)")});
        if (type == eigenvalue && neqn > 1) text("dimension rho(neqn,neqn)");
        parameterCommon(globals);
        unknownAssignments();
        texts({"                    if (i8z.eq.0) then", "yd8z = 0.0"});
        integrals();
        text("                    else");
        mess(0, variant(type == eigenvalue ? 33 : type == steady ? 37 : 41));
        iadd(2, "these coefficients");
        texts({"          if (j8z.eq.0) then", "yd8z = 0.0"});
        for (int i = 1; i <= neqn; ++i) equation(i);
        if (type == eigenvalue) text(kvr("call dkvrsx (yd8z,i8z,uu8z,un8z,rho,3,neqn)"));
        text("          else");
        if (!linear && !fdiff)
            for (int i = 1; i <= neqn; ++i)
                for (int k = 1; k <= neqn; ++k) matfun("F", i, neqn, unknownName(k), i, 3 * k - 2, "yd8z", 0);
        texts({"          endif", "                    endif", "return", "end"});
    }

    void integrals() {
        use(Stream::body);
        mess(0, 28);
        int nint = iread("NINT", 0, 20);
        use(Stream::subprograms);
        if (nint >= 1) {
            mess(0, variant(29));
            iadd(3, "the integrals");
            for (int i = 1; i <= nint; ++i) vecfun("INTEGRAL", i, nint, i, "yd8z", 0, "kint8z");
        } else {
            mess(2, variant(29));
            write("('C',50X,'INTEGRAL1 DEFINED',/,                            "
                  "'C     if (kint8z.eq.1) yd8z =',/,                                "
                  "'C    & [DEFAULT SELECTED, DEFINITION COMMENTED OUT]')");
        }
        use(Stream::body);
        text("nbint = 0");
        use(Stream::subprograms);
    }

    void equation(int i) {
        if (type == timeDependent) {
            gui();
            for (int k = 1; k <= neqn; ++k) {
                std::string name = neqn == 1 ? "C"
                                   : neqn <= 9 ? internalWrite(6, "('C(',I1,',',I1,')')", {i, k})
                                               : internalWrite(8, "('C(',I2,',',I2,')')", {i, k});
                vecfun(name, 1, 1, -(100 * i + k), "yd8z", 2, "i8z");
            }
        }
        gui();
        vecfun("F", i, neqn, i, "yd8z", 0, "i8z");
        if (type == eigenvalue) {
            gui();
            com(2, std::string(45, ' ') + "RHO DEFINED");
            if (neqn == 1) invar("RHO", 1);
            else inmat("RHO", i, i, 1, neqn, 1);
        }
    }

    // Initial values (or the eigenvalue start) and, in the main program, the restart flags.
    void u8z() {
        subprogram("function u8z(i8z,x8z,t0)");
        parameterCommon(globals);
        text(type == eigenvalue ? kvr("u8z = dkvrxx()") : "u8z = 0.0");
        bool linearSteady = type == steady && linear;
        if (!linearSteady) {
            mess(0, type == eigenvalue ? 45 : type == steady ? 46 : 47);
            iadd(3, "the initial values");
            for (int i = 1; i <= neqn; ++i) {
                if (type != eigenvalue) gui();
                vecfun(unknownName(i) + "0", 0, 1, i, "u8z", type == eigenvalue ? 1 : 2, "i8z");
            }
        }
        use(Stream::body);
        text("lsqfit = .false.");
        if (linearSteady) {
            text("RESTRT = .FALSE.");
        } else {
            mess(0, 48);
            text(ifyes() ? "RESTRT = .TRUE." : "RESTRT = .FALSE.");
        }
        text("gridid = .true.");
        use(Stream::subprograms);
        texts({"return", "end"});
        use(Stream::body);
        text("iperdc = 0");
    }

    // The values printed for each unknown, which the user may replace.
    void pmod8z() {
        use(Stream::subprograms);
        subprogram("subroutine pmod8z(x8z,t,uu8z,uprint,uxp8z)");
        texts({"dimension uu8z(3,*),uprint(*),uxp8z(*)",
               kvr("common/dkvr14/sint(20),bint(20),slim8z(20),blim8z(20)")});
        parameterCommon(globals);
        unknownAssignments();
        mess(0, variant(49));
        iadd(3, "these variables");
        com(2, "   DEFINE UPRINT(*) HERE:");
        for (int i = 1; i <= neqn; ++i) {
            say("('      Replace ',A,' for postprocessing?')", unknownName(i));
            invec("UPRINT", i, i, 0);
        }
        texts({"return", "end"});
    }

    void workArraysAndSaving() {
        use(Stream::header);
        text("parameter (nxgrid = 1)");
        comments({"   DIMENSIONS OF WORK ARRAYS", "   SET TO 1 FOR AUTOMATIC ALLOCATION"});
        write("(6X,'PARAMETER (IRWK8Z=',I12,')',/, 6X,'PARAMETER (IIWK8Z=',I12,')')", 1, 1);
        use(Stream::body);
        texts({"npts8z = 1", "xout8z(0) = 0.0"});
        use(Stream::header);
        if (type == timeDependent) {
            mess(0, 53);
            inparm("NSAVE", 1, 10000);
        } else {
            text("PARAMETER (NSAVE = 1)");
            use(Stream::body);
            com(2, "   SOLUTION SAVED EVERY NOUT ITERATIONS");
            text("NOUT = NSTEPS");
        }
    }

    void solverCall() {
        use(Stream::body);
        texts({kvr("call dkvr1q(nxgrid,neqn,ii8z,ir8z)"), "if (iiwk8z.gt.1) ii8z = iiwk8z",
               "if (irwk8z.gt.1) ir8z = irwk8z"});
        com(2, "   *******allocate workspace");
        texts({"allocate (iwrk8z(ii8z),rwrk8z(ir8z))", "plot = .false."});
        com(2, "   *******call pde solver");
        texts({kvr("call dkvr1x(xgrid, -1, neqn, nint, nbint, xout8z, uout, tout8z, iperdc, plot, "
                   "lsqfit, fdiff, npts8z, t0, dt, nsteps, nout, nsave, crankn, noupdt, itype, "
                   "linear, rwrk8z, ir8z, iwrk8z, ii8z, restrt, gridid)"),
               "deallocate (iwrk8z,rwrk8z)"});
        if (type == eigenvalue) {
            write("(6X,'if (itype.eq.4) go to ',I5)", loopLabel);
            com(2, "   *******UNCOMMENT TO POSTPROCESS ONLY IF CONVERGED");
            write("('C',6X,'IF (.NOT.ECON8Z) GO TO ',I5)", loopLabel);
        } else if (type == steady && !linear) {
            com(2, "   *******UNCOMMENT TO POSTPROCESS ONLY IF CONVERGED");
            write("('C',6X,'IF (.NOT.NCON8Z) GO TO ',I5)", loopLabel);
        }
        com(2, "   *******call user-written postprocessor");
        text("call postpr(tout8z,nsave,uout,neqn)");
    }

    void outputChoices() {
        for (;;) {
            mess(1, 54);
            int choice = iread("", 0, type == timeDependent ? 2 : 1);
            if (choice == 0) return;
            if (choice == 1) {
                com(2, "   *******TABULAR OUTPUT");
                mess(0, variant(55));
                iread("IVAR", 1, neqn);
                askTitle();
                text(kvr("call dkvr1f(tout8z,uout(1,ivar,0),nsave,neqn,title)"));
            } else {
                com(2, "   *******LINE PLOTS");
                mess(0, variant(55));
                iread("IVAR", 1, neqn);
                com(2, "   T IS VARIABLE");
                text("ics8z = 2");
                mess(0, 60);
                texts({"UMIN = 0.0", "UMAX = 0.0"});
                invar("UMIN", 0);
                invar("UMAX", 0);
                askTitle();
                texts({"is8z = 0", "ix8z = 0",
                       kvr("call dkvrzp(ics8z,2*ivar-1,tout8z,nsave,xout8z,0,uout,neqn,title,umin,umax,"
                           "ix8z,is8z)")});
            }
        }
    }

    void askTitle() {
        mess(0, 59);
        text("TITLE = ' ' ");
        instr("TITLE", 0);
    }

    void dummyRoutines() {
        com(2, "   dummy routines");
        for (std::string_view header : {"subroutine gb8z(gd8z,ifac8z,i8z,j8z,x,t,uu8z)",
                                        "subroutine xy8z(i8z,iarc8z,s,x,y,s0,sf)",
                                        "subroutine dis8z(x,y,ktri,triden,shape)"}) {
            text(header);
            prec();
            texts({"return", "end"});
        }
        text("function fb8z(i8z,iarc8z,ktri,s,x,y,t)");
        prec();
        texts({"fb8z = 0", "return", "end", "function axis8z(i8z,x,y,z,ical8z)"});
        prec();
        texts({"axis8z = 0", "return", "end", "subroutine tran8z(itrans,x,y,z)"});
        prec();
        texts({"return", "end"});
    }

    // The user's postprocessor, with a MATLAB export that is switched on by removing "C!".
    void postpr() {
        subprogram("subroutine postpr(tout,nsave,uout,neqn)");
        texts({"dimension tout(0:nsave)", "dimension uout(2,neqn,0:nsave)"});
        parameterCommon(globals);
        texts({kvr("common /dkvr27/ itask,npes,icomm"), kvr("common /dkvr46/ eps8z,cgtl8z,npmx8z,itype,near8z"),
               "data lun,lud/0,47/", "if (itask.gt.0) return"});
        comments({"UOUT(1,IEQ,L) = U_IEQ", "  (possibly as modified by UPRINT,..)", "  at time/iteration TOUT(L).",
                  "  ******* ADD POSTPROCESSING CODE HERE:", "  IN THE EXAMPLE BELOW, MATLAB PLOTFILES zemka.m,",
                  " zemka.rdm CREATED (REMOVE C! COMMENTS TO ACTIVATE)"});
        std::string lastTime = kvr("    if (tout(l).ne.dkvrlx(2)) nsave0 = l");
        deactivated({{3, " if (lun.eq.0) then"},
                     {3, "    lun = 46"},
                     {3, "    open (lun,file='zemka.m')"},
                     {3, "    open (lud,file='zemka.rdm')"},
                     {3, "    write (lun,*) 'fid = fopen(''zemka.rdm'');'"},
                     {3, " endif"},
                     {3, " do 78753 l=0,nsave"},
                     {3, lastTime},
                     {4, "78753 continue"},
                     {3, " write (lud,78754) nsave0"},
                     {3, " write (lud,78754) neqn"},
                     {4, "78754 format (i8)"},
                     {3, " do 78756 l=0,nsave0"},
                     {3, "    write (lud,78757) tout(l)"},
                     {3, "    do 78755 ieq=1,neqn"},
                     {3, "       write (lud,78757) uout(1,ieq,l)"},
                     {4, "78755    continue"},
                     {4, "78756 continue"},
                     {4, "78757 format (e16.8)"}});
        com(2, "  ******* WRITE zemka.m ");
        com(3, " call mkvr0d(itype,lun)");
        texts({"return", "end"});
    }
};

}  // namespace

void gen0d(Session& session) { Gen0d(session).run(); }

}  // namespace zemka
