// 1D collocation programs: the grid, every problem type, one, two and four unknowns, the
// Jacobian of the equations and of the end-point conditions, periodic problems, the output
// points and every output kind, names, data-file functions, both precisions, and programs
// linked and run.
#include <gtest/gtest.h>

#include "scenario.h"

namespace zemka::test {
namespace {

using Lines = std::vector<std::string>;

// The answers of one 1D collocation dialog, step by step. The defaults make a linear steady
// problem in one unknown u on two grid points; a scenario replaces the steps it is about.
struct Dialog1dc : DialogAnswers {
    Dialog1dc() : DialogAnswers({"1", "2"}) {}
    Lines grid = {"2", "0.0", "1.0"};        // NXGRID, XGRID(1), XGRID(NXGRID)
    Lines problem = {"1", "y"};              // steady state, linear
    Lines unknowns = {"1", "u"};             // NEQN, names (and FDIFF)
    Lines integrals = {"0", "0"};            // NINT, NBINT
    Lines coefficients = {"n", "uxx+1.0"};   // no block, F (and the rest of pdes8z)
    Lines initialValues;                     // u8z, LSQFIT and restart
    Lines periodicity = {"0"};               // IPERDC
    Lines conditions = {"u", "u-1.0"};       // G at end points 1 and 2
    Lines replacements = {"", ""};           // UPRINT, UXPRINT
    Lines outputGrid = {"10", "", ""};       // NX, XA, XB (NSAVE)
    Lines outputs = {"0"};
    Lines closing = {"n", "n"};  // no user routines, no data-file functions

    Lines answers() const {
        return withOpening({&grid, &problem, &unknowns, &integrals, &coefficients, &initialValues, &periodicity,
                            &conditions, &replacements, &outputGrid, &outputs, &closing});
    }
};

const std::string implicitDouble = "      implicit double precision (a-h,o-z)";

// The guard on the reserved names: no identifier of the units that see the global parameters
// may become one.
Lines acceptedProgramNames(const Dialog1dc& d, const Scenario& sc, std::set<std::string> userNames,
                           const Lines& unknowns) {
    for (const std::string& u : unknowns) userNames.insert({u, u + "x", u + "xx"});
    return acceptedGlobals(d.lead(), programNames(sc, userNames));
}

TEST(Gen1dc, LinearSteadyStateOnTwoGridPoints) {
    Dialog1dc d;
    d.grid = {"1", "2", "0.0", "1.0"};  // a single grid point refused
    // Kind 3 refused; a table of ux (IVAR 3 refused), a line plot along x (only x may vary).
    d.outputs = {"3", "1", "3", "2", "Slope", "2", "1", "2", "1", "", "", "", "0"};
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));
    EXPECT_EQ(acceptedProgramNames(d, sc, {}, {"u"}), Lines{});

    // Header stream: the heading, the sizes and the parameter common line last.
    EXPECT_TRUE(follows(sc, {"C     *** 1D PROBLEM SOLVED (COLLOCATION METHOD) ***", "MSG 7", implicitDouble,
                             "      parameter (neqnmx=  99)", rule, boxed("NXGRID = number of X-grid lines"), rule,
                             "      PARAMETER (NXGRID = 2)", "MSG 25", "      PARAMETER (NEQN = 1)",
                             "C        DIMENSIONS OF WORK ARRAYS", "C        SET TO 1 FOR AUTOMATIC ALLOCATION",
                             "      PARAMETER (IRWK8Z=           1)", "      PARAMETER (IIWK8Z=           1)",
                             "      PARAMETER (NXP8Z=1001,KDEG8Z=1)", "MSG 115", "      PARAMETER (NX =         10)",
                             "      PARAMETER (NSAVE = 1)", "      common/parm8z/ pi",
                             "      dimension xgrid(nxgrid),xout8z(0:nx),xcross(100),tout8z(0:nsave)",
                             "C      dimension xres8z(nxp8z),ures8z(neqn,nxp8z)"}));
    EXPECT_TRUE(sc.hasBlock(
        {"      logical linear,crankn,noupdt,nodist,fillin,evcmpx,adapt,plot,lsqfi",
         "     &t,fdiff,econ8z,ncon8z,restrt,gridid"}));
    EXPECT_TRUE(sc.hasBlock(
        {"      common/dkvr19/ toler(neqnmx),adapt", "      common/dkvr30/ econ8z,ncon8z", "      common/dkvr42/ nxa8z,kd8z",
         "      common/dkvr43/ work8z(nxp8z+3)", "      common/dkvr45/ perdc(neqnmx)",
         "      common/dkvr46/ eps8z,cgtl8z,npmx8z,itype,near8z",
         "      common/dkvr62/ amin8z(2*neqnmx),amax8z(2*neqnmx)",
         "      common/dkvr75/ nx18z,xa,xb,uout(0:nx,2,neqn,0:nsave)", "      pi = 4.0*atan(1.d0)",
         "      nxa8z = nxp8z", "      nx18z = nx+1", "      kd8z = kdeg8z"}));

    // Two grid points: both end points asked, nothing between them.
    EXPECT_TRUE(sc.said(rangeRefused + "2 to +INFINITY"));
    EXPECT_TRUE(follows(sc, {"      do 78755 iprob=1,nprob", "MSG 135", "MSG 136", "      call dkvrwx(xgrid,nxgrid,0)",
                             "C        XGRID DEFINED", "      XGRID(1) =", expr("0.0"), "      XGRID(NXGRID) =",
                             expr("1.0"), "      call dkvrwx(xgrid,nxgrid,1)", "C        *******STEADY-STATE PROBLEM"}));
    // Linear: no FDIFF question, nothing to start from, no restart question.
    EXPECT_TRUE(follows(sc, {"      LINEAR = .TRUE.", "C        Number of Newton iterations", "      NSTEPS = 1",
                             "      FDIFF = .FALSE.", "MSG 28", "      NINT =          0", "MSG 74",
                             "      NBINT =          0", "      lsqfit = .false.", "      RESTRT = .FALSE.",
                             "      GRIDID = .TRUE.", "MSG 159", "      IPERDC =          0", "MSG 117"}));
    EXPECT_FALSE(sc.said(msg(27)));
    EXPECT_FALSE(sc.said(msg(48)));
    // The names are explained on the terminal only.
    EXPECT_TRUE(sc.said(msg(137)));
    EXPECT_FALSE(sc.has(boxed("MSG 137")));

    // pdes8z: U, Ux and Uxx; no integrals, so the models only, and no weighting by volume.
    EXPECT_TRUE(follows(
        sc, {"", "", "      subroutine pdes8z(yd8z,i8z,j8z,kint8z,x,t,uu8z)", implicitDouble, "      parameter (neqnmx=  99)",
             "C        un8z(1,I),un8z(2,I),un8z(3,I) hold the (rarely used) values",
             "C        of UI,UIx,UIxx from the previous iteration or time step", "      common /dkvr4x/un8z(3,neqnmx)",
             "      common /dkvr11/normx", "      double precision normx,uu8z(3,neqnmx)", "      common/parm8z/ pi",
             "      u  = uu8z(1, 1)", "      ux = uu8z(2, 1)", "      uxx= uu8z(3, 1)",
             "                          if (i8z.eq.0) then", "      yd8z = 0.0", "MSG 138", marker("INTEGRAL1"),
             "C     if (kint8z.eq.1) yd8z =", defaulted, "MSG 142", marker("BND. INTEGRAL1"),
             "C     if (kint8z.eq.-1) yd8z =", defaulted, "                          else", "MSG 150",
             "                if (j8z.eq.0) then", "      yd8z = 0.0", marker("F"), "      if (i8z.eq.    1) yd8z =",
             expr("uxx+1.0"), "                else", "                endif", "                          endif",
             "      return", "      end", "", "", "      function u8z(i8z,x,t0)", implicitDouble,
             "      common/parm8z/ pi", "      u8z = 0.0", "      return", "      end"}));
    EXPECT_FALSE(sc.said(msg(138)));
    EXPECT_FALSE(sc.said(msg(142)));

    // gb8z: a condition at each end point.
    EXPECT_TRUE(follows(
        sc, {"      subroutine gb8z(gd8z,ifac8z,i8z,j8z,x,t,uu8z)", implicitDouble, "      parameter (neqnmx=  99)",
             "      dimension uu8z(3,neqnmx)", "C        un8z(1,I),un8z(2,I) hold the (rarely used) values",
             "C        of UI,UIx from the previous iteration or time step", "      common /dkvr4x/ un8z(3,neqnmx)",
             "      double precision none", "      common/parm8z/ pi", "      none = dkvrlx(2)", "      u  = uu8z(1, 1)",
             "      ux = uu8z(2, 1)", "      if (j8z.eq.0) gd8z = 0.0", "MSG 160", "            if (ifac8z.eq. 1) then",
             "MSG 164", "                          if (j8z.eq.0) then", marker("G"), "      if (i8z.eq.    1) gd8z =",
             expr("u"), "                          else", "                          endif", "            endif",
             "            if (ifac8z.eq. 2) then", "MSG 165", "                          if (j8z.eq.0) then", marker("G"),
             "      if (i8z.eq.    1) gd8z =", expr("u-1.0"), "                          else",
             "                          endif", "            endif", "      return", "      end"}));
    // pmod8z: the values put out may be replaced.
    EXPECT_TRUE(follows(sc, {"      subroutine pmod8z(x,t,uu8z,uprint,uxprint)", implicitDouble,
                             "      dimension uu8z(3,*),uprint(*),uxprint(*)",
                             "      common/dkvr14/sint(20),bint(20),slim8z(20),blim8z(20)", "      common/parm8z/ pi",
                             "      u  = uu8z(1, 1)", "      ux = uu8z(2, 1)", "      uxx= uu8z(3, 1)", "MSG 166",
                             "C        DEFINE UPRINT(*),UXPRINT(*) HERE:", "      return", "      end",
                             "C        dummy routines"}));
    EXPECT_TRUE(sc.said("      Replace u for postprocessing?"));
    EXPECT_TRUE(sc.said("      Replace ux for postprocessing?"));

    // Output points over the grid, the solver, and no convergence test for a linear problem.
    EXPECT_TRUE(follows(
        sc, {"MSG 117", "C        defaults for xa,xb", "      xa = xgrid(1)", "      xb = xgrid(nxgrid)",
             "C        DEFINE XA,XB IMMEDIATELY BELOW:", "      call dkvrx1(nx,xa,xb,hx8z,xout8z,npts8z)",
             "C        SOLUTION SAVED EVERY NOUT ITERATIONS", "      NOUT = NSTEPS", "      call dkvr1q(nxgrid,neqn,ii8z,ir8z)"}));
    EXPECT_TRUE(sc.hasBlock({"C        *******DRAW GRID POINTS?", "      PLOT = .TRUE.", "C        *******call pde solver",
                             "      call dkvr1x(xgrid, nxgrid, neqn, nint, nbint, xout8z, uout, tout8z",
                             "     &, iperdc, plot, lsqfit, fdiff, npts8z, t0, dt, nsteps, nout, nsave",
                             "     &, crankn, noupdt, itype, linear, rwrk8z, ir8z, iwrk8z, ii8z, restr", "     &t, gridid)",
                             "      deallocate (iwrk8z,rwrk8z)", "C        *******read from restart file to array ures8z",
                             "C      call dkvrr1(1,xres8z,nxp8z,ures8z,neqn)"}));
    EXPECT_TRUE(sc.hasBlock({"C        *******call user-written postprocessor",
                             "      call postpr(tout8z,nsave,xout8z,nx,uout,neqn)", "C        *******TABULAR OUTPUT"}));

    // A steady problem: kinds 1 and 2, no step questions, curves along x only.
    EXPECT_TRUE(sc.said(rangeRefused + "0 to 2"));
    EXPECT_TRUE(sc.said(rangeRefused + "1 to 2"));
    EXPECT_TRUE(sc.said(rangeRefused + "1 to 1"));
    EXPECT_TRUE(follows(sc, {"C        *******TABULAR OUTPUT", "MSG 170", "      IVAR =          2",
                             "      ivara8z = mod(ivar-1,2)+1", "      ivarb8z = (ivar-1)/2+1", "      ISET1 = 1"}));
    EXPECT_TRUE(follows(sc, {"      call dkvr1d(xout8z,uout(0,ivara8z,ivarb8z,is8z),npts8z,title,tout8", "     &z(is8z))",
                             "78756 continue", "C        *******LINE PLOTS", "MSG 170", "      IVAR =          1",
                             "C        X IS VARIABLE", "      ics8z = 1", "      ISET1 = 1"}));
    EXPECT_TRUE(sc.hasBlock({"      call dkvrzp(ics8z,ivar,tout8z,nsave,xout8z,nx,uout,neqn,title,umin",
                             "     &,umax,ix8z,is8z)", "78757 continue", "78755 continue", "      call endgks"}));
    EXPECT_FALSE(sc.said(msg(123)));

    // The other classes' routines as stubs, then the postprocessor with its MATLAB example.
    EXPECT_TRUE(follows(
        sc, {"C        dummy routines", "      subroutine xy8z(i8z,iarc8z,s,x,y,s0,sf)", implicitDouble, "      return",
             "      end", "      subroutine dis8z(x,y,ktri,triden,shape)", implicitDouble, "      return", "      end",
             "      function fb8z(i8z,iarc8z,ktri,s,x,y,t)", implicitDouble, "      fb8z = 0", "      return", "      end",
             "      function axis8z(i8z,x,y,z,ical8z)", implicitDouble, "      axis8z = 0", "      return", "      end",
             "      subroutine tran8z(itrans,x,y,z)", implicitDouble, "      return", "      end", "", "",
             "      subroutine postpr(tout,nsave,xout,nx,uout,neqn)"}));
    EXPECT_TRUE(sc.hasBlock({"C     UOUT(I,IDER,IEQ,L) = U_IEQ,  if IDER=1", "C                          Ux_IEQ, if IDER=2",
                             "C       (possibly as modified by UPRINT,..)", "C       at the point XOUT(I)"}));
    // postpr is the last unit.
    EXPECT_TRUE(sc.hasBlock({"C       ******* WRITE zemka.m", "C!      call mkvr1dc(itype,lun)", "      return", "      end"}));
    EXPECT_EQ(sc.find("      end", sc.find("C!      call mkvr1dc(itype,lun)")), static_cast<int>(sc.program().size()) - 1);
}


// Time-dependent and nonlinear in two unknowns: the time coefficients, the Jacobian of F and of
// both end-point conditions, integrals, restart, output points from the user (NX = 0) and
// every output kind.
Dialog1dc nonlinearPair() {
    Dialog1dc d;
    d.problem = {"2", "", "1.0", "n", "n", "20", "y"};  // T0, TF, nonlinear, fixed steps, NSTEPS, CRANKN
    d.unknowns = {"2", "u", "v", "n"};                  // no finite differences
    d.integrals = {"1", "u*v", "1", "ux*normx"};
    // C(1,1), C(1,2), F1, C(2,1), C(2,2), F2; then F1 and F2 by u, ux, uxx, v, vx, vxx.
    d.coefficients = {"n", "1.0", "", "uxx-u*v", "", "1.0", "vxx+u*v"};
    d.coefficients.insert(d.coefficients.end(), {"-v", "", "1.0", "-u", "", "", "v", "", "", "u", "", "1.0"});
    d.initialValues = {"x", "1.0-x", "y", "y", "n"};  // u0, v0, LSQFIT, RESTRT, GRIDID
    // G1, G2 at end point 1, then G1 and G2 by u, ux, v, vx; the same at end point 2.
    d.conditions = {"u", "vx", "1.0", "", "", "", "", "", "", "1.0"};
    d.conditions.insert(d.conditions.end(), {"ux", "v-1.0", "", "1.0", "", "", "", "", "1.0", ""});
    d.replacements = {"u*v", "", "", ""};
    d.outputGrid = {"0", "      xout8z(0) = 0.5", "", "5"};  // NX, the block, NSAVE
    // Kind 4 refused; a table of vx; curves along x; curves against t; the surface over x and t.
    d.outputs = {"4", "1", "4", "", "", "2", "Values of vx"};
    d.outputs.insert(d.outputs.end(), {"2", "3", "1", "", "", "", "", "", ""});
    d.outputs.insert(d.outputs.end(), {"2", "1", "3", "2", "1", "0.5", "", "", ""});
    d.outputs.insert(d.outputs.end(), {"3", "2", "30.0", "", "", "", "", "0"});
    return d;
}

TEST(Gen1dc, TimeDependentNonlinearPairWithEveryOutputKind) {
    Dialog1dc d = nonlinearPair();
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));
    EXPECT_EQ(acceptedProgramNames(d, sc, {}, {"u", "v"}), Lines{});

    EXPECT_TRUE(follows(sc, {"      CRANKN = .TRUE.", "MSG 27", "      FDIFF = .FALSE.", "MSG 28", "      NINT =          1",
                             "MSG 74", "      NBINT =          1", "MSG 158", "      LSQFIT = .TRUE.", "MSG 48",
                             "      RESTRT = .TRUE.", "MSG 97", "      GRIDID = .FALSE.", "MSG 159"}));
    EXPECT_TRUE(sc.hasBlock({"      v  = uu8z(1, 2)", "      vx = uu8z(2, 2)", "      vxx= uu8z(3, 2)",
                             "                          if (i8z.eq.0) then"}));
    // The variants of two unknowns; integrals straight after their models' place, unweighted.
    EXPECT_TRUE(follows(sc, {"      yd8z = 0.0", "MSG 139", marker("INTEGRAL"), "      if (kint8z.eq.    1) yd8z =",
                             expr("u*v"), "MSG 143", marker("BND. INTEGRAL"), "      if (kint8z.eq.   -1) yd8z =",
                             expr("ux*normx"), "                          else", "MSG 155"}));
    EXPECT_EQ(countContaining(sc, "dvol"), 0);
    EXPECT_TRUE(follows(sc, {"MSG 155", "                if (j8z.eq.0) then", "      yd8z = 0.0", marker("C(1,1)"),
                             "      if (i8z.eq. -101) yd8z =", expr("1.0"), marker("C(1,2)"),
                             "C     if (i8z.eq. -102) yd8z =", defaulted, marker("F1"), "      if (i8z.eq.    1) yd8z =",
                             expr("uxx-u*v"), marker("C(2,1)")}));
    // The Jacobian codes of U, Ux and Uxx: 1, 2, 3 for u and 4, 5, 6 for v.
    EXPECT_TRUE(follows(sc, {"                else", marker("F1.u"), "      if (i8z.eq.    1.and.j8z.eq.    1) yd8z =",
                             expr("-v"), marker("F1.ux"), "C     if (i8z.eq.    1.and.j8z.eq.    2) yd8z =", defaulted,
                             marker("F1.uxx"), "      if (i8z.eq.    1.and.j8z.eq.    3) yd8z =", expr("1.0"),
                             marker("F1.v"), "      if (i8z.eq.    1.and.j8z.eq.    4) yd8z =", expr("-u")}));
    EXPECT_TRUE(follows(sc, {marker("F2.vxx"), "      if (i8z.eq.    2.and.j8z.eq.    6) yd8z =", expr("1.0"),
                             "                endif", "                          endif"}));
    EXPECT_TRUE(follows(sc, {"      u8z = 0.0", "MSG 96", marker("u0"), "      if (i8z.eq.    1) u8z =", expr("x"),
                             marker("v0"), "      if (i8z.eq.    2) u8z =", expr("1.0-x"), "      return"}));

    // Conditions at each end point, and their derivatives by U and Ux only: 1, 2 and 4, 5.
    EXPECT_TRUE(follows(sc, {"      vx = uu8z(2, 2)", "      if (j8z.eq.0) gd8z = 0.0", "MSG 161",
                             "            if (ifac8z.eq. 1) then", "MSG 164", "                          if (j8z.eq.0) then",
                             marker("G1"), "      if (i8z.eq.    1) gd8z =", expr("u"), marker("G2"),
                             "      if (i8z.eq.    2) gd8z =", expr("vx"), "                          else", marker("G1.u"),
                             "      if (i8z.eq.    1.and.j8z.eq.    1) gd8z =", expr("1.0"), marker("G1.ux"),
                             "C     if (i8z.eq.    1.and.j8z.eq.    2) gd8z =", defaulted, marker("G1.v"),
                             "C     if (i8z.eq.    1.and.j8z.eq.    4) gd8z =", defaulted}));
    EXPECT_TRUE(follows(sc, {marker("G2.vx"), "      if (i8z.eq.    2.and.j8z.eq.    5) gd8z =", expr("1.0"),
                             "                          endif", "            endif", "            if (ifac8z.eq. 2) then",
                             "MSG 165"}));
    EXPECT_EQ(countContaining(sc, "G1.uxx"), 0);
    EXPECT_TRUE(follows(sc, {"MSG 167", "C        DEFINE UPRINT(*),UXPRINT(*) HERE:", "      UPRINT(1) =", expr("u*v"),
                             "      return"}));
    EXPECT_TRUE(sc.said("      Replace vx for postprocessing?"));

    // NX = 0: a single output point, set by the user's block; no convergence test in time.
    EXPECT_TRUE(follows(sc, {"MSG 115", "      PARAMETER (NX =          0)", "MSG 53", "      PARAMETER (NSAVE = 5)"}));
    EXPECT_TRUE(follows(sc, {"      IPERDC =          0", "      npts8z = nx+1", "MSG 116", "      xout8z(0) = 0.5",
                             "      call dkvr1q(nxgrid,neqn,ii8z,ir8z)"}));
    EXPECT_FALSE(sc.has("      xa = xgrid(1)"));
    EXPECT_EQ(countContaining(sc, "CON8Z) GO TO"), 0);

    // Every kind, each with the variable of two unknowns: the saved steps to choose, curves
    // along x or against t, and the surface, one statement without a loop or a label.
    EXPECT_TRUE(sc.said(rangeRefused + "0 to 3"));
    EXPECT_TRUE(follows(sc, {"C        *******TABULAR OUTPUT", "MSG 171", "      IVAR =          4",
                             "      ivara8z = mod(ivar-1,2)+1", "      ivarb8z = (ivar-1)/2+1", "MSG 123", "      ISET1 = 0"}));
    EXPECT_TRUE(follows(sc, {"C        *******LINE PLOTS", "MSG 171", "      IVAR =          3", "C        X IS VARIABLE",
                             "      ics8z = 1", "MSG 123"}));
    EXPECT_TRUE(sc.said(rangeRefused + "1 to 2"));
    EXPECT_TRUE(follows(sc, {"C        *******LINE PLOTS", "MSG 171", "      IVAR =          1", "C        T IS VARIABLE",
                             "      ics8z = 2", "MSG 125", "      NXVALS =          1"}));
    EXPECT_TRUE(sc.hasBlock({"      is8z = 0", "      do 78758 ixv8z=1,nxvals", "      call dkvrzy(xcross(ixv8z),xout8z,nx,ix8z)"}));
    EXPECT_TRUE(follows(sc, {"C        *******SURFACE PLOT", "MSG 171", "      IVAR =          2", "MSG 127"}));
    EXPECT_TRUE(sc.hasBlock({"      call dkvrzd(xout8z,tout8z,uout,nx,nsave,title,neqn,ivar,vlon,vlat,", "     &umin,umax)",
                             "78755 continue"}));
}

// Eigenvalue problems on a periodic interval, of one and of four unknowns (the first and the
// last message variants), with output points from the user (NX < 0).
Dialog1dc periodicEigenvalueProblem(int neqn) {
    const Lines names = {"w", "a", "b", "c"};
    Dialog1dc d;
    d.problem = {"3", "", "n", "", ""};  // the key after message 12; real; EV0R, NSTEPS kept
    d.unknowns = {std::to_string(neqn)};
    d.coefficients = {"n"};
    for (int i = 0; i < neqn; ++i) {
        d.unknowns.push_back(names[static_cast<std::size_t>(i)]);
        d.coefficients.push_back("-" + names[static_cast<std::size_t>(i)] + "xx");
        for (int k = 0; k < neqn; ++k) d.coefficients.push_back(i == k ? "1.0" : "0.0");
    }
    d.initialValues = repeated(neqn, "");
    d.initialValues.push_back("n");
    d.periodicity = {"2", "1"};    // 2 refused
    d.conditions = {"", ""};       // the key after each end point's notice
    d.replacements = repeated(2 * neqn, "");
    d.outputGrid = {"-20", "      do 78700 i=0,nx", "      xout8z(i) = i/20.0", "78700 continue", ""};
    // Kind 3 refused; IVAR beyond 2*NEQN refused; curves along x.
    d.outputs = {"3", "2", std::to_string(2 * neqn + 1), std::to_string(2 * neqn), "1", "", "", "", "0"};
    return d;
}

TEST(Gen1dc, PeriodicEigenvalueProblemsOfOneAndFourUnknowns) {
    for (int neqn : {1, 4}) {
        SCOPED_TRACE(neqn);
        Dialog1dc d = periodicEigenvalueProblem(neqn);
        Scenario sc = runZemka(d.answers());
        ASSERT_TRUE(finished(sc));
        EXPECT_EQ(acceptedProgramNames(d, sc, {"i"}, Lines(d.unknowns.begin() + 1, d.unknowns.end())), Lines{});
        int v = neqn == 1 ? 0 : 3;
        auto variant = [v](int base) { return "MSG " + std::to_string(base + v); };

        EXPECT_TRUE(follows(sc, {"      NSTEPS = 25", "      FDIFF = .FALSE.", "MSG 28"}));
        EXPECT_FALSE(sc.said(msg(27)));
        // NEQN dimensions RHO; a matrix of several unknowns, a plain variable of one.
        EXPECT_TRUE(sc.hasBlock({"      subroutine pdes8z(yd8z,i8z,j8z,kint8z,x,t,uu8z)", implicitDouble,
                                 "      parameter (neqnmx=  99)", "      parameter (NEQN=   " + std::to_string(neqn) + ")"}));
        EXPECT_EQ(sc.has("      dimension rho(neqn,neqn)"), neqn > 1);
        EXPECT_TRUE(follows(sc, {"      yd8z = 0.0", variant(138), marker("INTEGRAL1")}));
        EXPECT_TRUE(follows(sc, {"C     if (kint8z.eq.-1) yd8z =", defaulted, "                          else", variant(146)}));
        if (neqn == 1)
            EXPECT_TRUE(follows(sc, {marker("F"), "      if (i8z.eq.    1) yd8z =", expr("-wxx"), marker("RHO"),
                                     "      RHO =", expr("1.0"), "      call dkvrsx (yd8z,i8z,uu8z,un8z,rho,3,neqn)",
                                     "                else", "                endif"}));
        else
            EXPECT_TRUE(follows(sc, {marker("F4"), "      if (i8z.eq.    4) yd8z =", expr("-cxx"), marker("RHO"),
                                     "      RHO(4,1) =", expr("0.0"), "      RHO(4,2) =", expr("0.0"), "      RHO(4,3) =",
                                     expr("0.0"), "      RHO(4,4) =", expr("1.0"),
                                     "      call dkvrsx (yd8z,i8z,uu8z,un8z,rho,3,neqn)", "                else",
                                     "                endif"}));
        // The start vector: the library's own unless given.
        EXPECT_TRUE(follows(sc, {"      u8z = dkvrxx()", "MSG 94", marker("w0"), "C     if (i8z.eq.    1) u8z =", defaulted}));
        EXPECT_TRUE(follows(sc, {"      lsqfit = .false.", "MSG 48", "      RESTRT = .FALSE."}));

        // Periodic: both end points say so, pause, and keep their conditions as models.
        EXPECT_TRUE(sc.said(rangeRefused + "0 to 1"));
        EXPECT_TRUE(follows(sc, {"MSG 159", "      IPERDC =          1"}));
        EXPECT_EQ(timesSaid(sc, "   IPERDC = 1, so periodic boundary conditions set automatically"), 2);
        for (int end : {1, 2})
            EXPECT_TRUE(follows(sc, {"            if (ifac8z.eq. " + std::to_string(end) + ") then",
                                     "MSG " + std::to_string(163 + end), "                          if (j8z.eq.0) then",
                                     "C        PERIODIC BOUNDARY CONDITIONS SET (SEE IPERDC)",
                                     marker(neqn == 1 ? "G" : "G1"), "C     if (i8z.eq.    1) gd8z =", defaulted}));
        EXPECT_TRUE(follows(sc, {"      if (j8z.eq.0) gd8z = 0.0", variant(160)}));
        EXPECT_TRUE(follows(sc, {variant(166), "C        DEFINE UPRINT(*),UXPRINT(*) HERE:"}));

        // NX = -20: 20 intervals whose points the block sets.
        EXPECT_TRUE(sc.has("      PARAMETER (NX =         20)"));
        EXPECT_TRUE(follows(sc, {"      npts8z = nx+1", "MSG 116", "      do 78700 i=0,nx"}));
        EXPECT_EQ(countContaining(sc, "dkvrx1"), 0);
        EXPECT_TRUE(sc.hasBlock({"      deallocate (iwrk8z,rwrk8z)", "      if (itype.eq.4) go to 78755",
                                 "C        *******UNCOMMENT TO POSTPROCESS ONLY IF CONVERGED",
                                 "C      IF (.NOT.ECON8Z) GO TO 78755"}));
        EXPECT_TRUE(sc.said(rangeRefused + "0 to 2"));
        EXPECT_TRUE(sc.said(rangeRefused + "1 to " + std::to_string(2 * neqn)));
        EXPECT_TRUE(follows(sc, {"C        *******LINE PLOTS", variant(170),
                                 "      IVAR =" + std::string(neqn == 1 ? "          2" : "          8"),
                                 "C        X IS VARIABLE"}));
        if (neqn == 4) {
            EXPECT_EQ(sc.linkAndRunErrors(), "");
        }
    }
}

// Bratu's equation on a periodic interval in single precision: the Jacobian of F asked, that of
// the end-point conditions written as models; a function of x read from a data file.
Dialog1dc periodicNonlinearSinglePrecision() {
    Dialog1dc d;
    d.doublePrecision = false;
    d.problem = {"1", "n", "30"};                                   // steady, nonlinear, NSTEPS
    d.unknowns = {"1", "u", "n"};                                   // no finite differences
    d.coefficients = {"n", "uxx+exp(u)", "exp(u)", "", "1.0"};     // F; F by u, ux, uxx
    d.initialValues = {"x*(1.0-x)", "n"};
    d.periodicity = {"1"};
    d.conditions = {"", ""};
    // kappa would be an integer, x is the argument, work and fname the function's variables,
    // dkvrx1 and r1mach routines of the libraries; NWORK 4 is too small.
    d.closing = {"n", "y", "kappa", "x", "work", "fname", "dkvrx1", "r1mach", "cond", "4", "100", "k.dat", "", "2", "n"};
    return d;
}

TEST(Gen1dc, PeriodicNonlinearInSinglePrecision) {
    Dialog1dc d = periodicNonlinearSinglePrecision();
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));
    EXPECT_EQ(acceptedProgramNames(d, sc, {}, {"u"}), Lines{});

    EXPECT_TRUE(follows(sc, {"MSG 24", "      NSTEPS = 15", "      NSTEPS =", expr("30"), "MSG 27", "      FDIFF = .FALSE."}));
    EXPECT_TRUE(sc.hasBlock({"      common / kvr4x/un8z(3,neqnmx)", "      common / kvr11/normx",
                             "      real normx,uu8z(3,neqnmx)"}));
    EXPECT_TRUE(follows(sc, {marker("F.u"), "      if (i8z.eq.    1.and.j8z.eq.    1) yd8z =", expr("exp(u)"),
                             marker("F.ux"), "C     if (i8z.eq.    1.and.j8z.eq.    2) yd8z =", defaulted, marker("F.uxx"),
                             "      if (i8z.eq.    1.and.j8z.eq.    3) yd8z =", expr("1.0"), "                endif"}));
    EXPECT_TRUE(follows(sc, {"      u8z = 0.0", "MSG 95", marker("u0"), "      if (i8z.eq.    1) u8z =", expr("x*(1.0-x)")}));
    EXPECT_TRUE(sc.hasBlock({"      common / kvr4x/ un8z(3,neqnmx)", "      real none", "      common/parm8z/ pi",
                             "      none =  kvrlx(2)"}));
    // Periodic: no condition and no derivative of one is asked; both stay as models.
    for (int end : {1, 2})
        EXPECT_TRUE(follows(sc, {"            if (ifac8z.eq. " + std::to_string(end) + ") then",
                                 "MSG " + std::to_string(163 + end), "                          if (j8z.eq.0) then",
                                 "C        PERIODIC BOUNDARY CONDITIONS SET (SEE IPERDC)", marker("G"),
                                 "C     if (i8z.eq.    1) gd8z =", defaulted, "                          else",
                                 marker("G.u"), "C     if (i8z.eq.    1.and.j8z.eq.    1) gd8z =", defaulted,
                                 marker("G.ux"), "C     if (i8z.eq.    1.and.j8z.eq.    2) gd8z =", defaulted,
                                 "                          endif", "            endif"}));
    EXPECT_TRUE(sc.has("      common/ kvr14/sint(20),bint(20),slim8z(20),blim8z(20)"));
    EXPECT_TRUE(sc.hasBlock({"C        *******UNCOMMENT TO POSTPROCESS ONLY IF CONVERGED", "C      IF (.NOT.NCON8Z) GO TO 78755",
                             "C        *******read from restart file to array ures8z",
                             "C      call  kvrr1(1,xres8z,nxp8z,ures8z,neqn)"}));
    EXPECT_FALSE(sc.has("      if (itype.eq.4) go to 78755"));

    // The data-file function of x, after postpr, with at least 5 words of work space.
    // kappa would be an integer; x, work and fname are the function's own; dkvrx1 and r1mach
    // the libraries'.
    EXPECT_EQ(timesSaid(sc, "|---- Illegal function name, re-enter in columns 1-6"), 1);
    for (std::string refusal : {"x is a variable of the function itself",
                                "work is a variable of the function itself", "fname is a variable of the function itself",
                                "dkvrx1 is a name of the solver or runtime library",
                                "r1mach is a name of the solver or runtime library"})
        EXPECT_TRUE(sc.said("|---- " + refusal + ", re-enter in columns 1-6")) << refusal;
    EXPECT_TRUE(follows(sc, {"C!      call mkvr1dc(itype,lun)", "      return", "      end", "", "", "      function cond  (x)",
                             "      implicit real (a-h,o-z)"}));
    EXPECT_TRUE(follows(sc, {"MSG 130", "      PARAMETER (NWORK = 100)"}));
    EXPECT_TRUE(sc.said(rangeRefused + "5 to +INFINITY"));
    EXPECT_TRUE(follows(sc, {"MSG 131", "      FNAME = 'k.dat                                   '"}));
    EXPECT_TRUE(sc.has("      cond   =  kvr1e(fname,iset,work,nwork,kdeg,x)"));
}

TEST(Gen1dcLink, PeriodicNonlinearInSinglePrecisionLinksAndRuns) {
    Scenario sc = runZemka(periodicNonlinearSinglePrecision().answers());
    ASSERT_TRUE(finished(sc));
    EXPECT_EQ(sc.linkAndRunErrors(), "");
}

// Names of global parameters and unknowns, the optional blocks wherever they are offered, the
// Jacobian left to finite differences, interior grid points and the output interval.
TEST(Gen1dc, NamesBlocksAndFiniteDifferences) {
    Dialog1dc d;
    // T and x are no one-letter names, xa, Nx and dt are reserved, perdc and none the program's.
    d.globals = {"T", "x", "xa", "Nx", "dt", "perdc", "none", "D", "0.5", "alpha", "2.0D0", "kappa", "3"};
    d.blocks = true;
    d.grid = {"4", "0.0", "", "0.6", "1.0"};
    d.problem = {"1", "n", ""};
    // I, T, X and PI are no names of unknowns; D is a global parameter, ux the derivative of u.
    d.unknowns = {"2", "I", "T", "X", "PI", "D", "u", "ux", "w", "y"};
    d.integrals = {"1", "y", "      s1 = u*u", "", "s1", "1", "n", "ux"};
    d.coefficients = {"y", "      e1 = exp(u)", "", "uxx+D*e1", "wxx-u"};
    d.initialValues = {"n", "", "1.0", "n"};
    d.conditions = {"n", "u", "w", "y", "      b2 = alpha", "", "u-b2", "wx"};
    d.replacements = {"n", "", "", "w*kappa", ""};
    d.outputGrid = {"10", "0.25", ""};
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));

    EXPECT_EQ(timesSaid(sc, "|---- Illegal parameter name, re-enter in columns 1-6"), 5);
    EXPECT_EQ(timesSaid(sc, "|---- Name used by the program itself, re-enter in columns 1-6"), 2);
    EXPECT_TRUE(sc.said(" Note: kappa  must be an integer."));
    // The main program, pdes8z, u8z, gb8z, pmod8z and postpr see them.
    EXPECT_EQ(countContaining(sc, "      common/parm8z/ pi,D     ,alpha ,kappa"), 6);
    EXPECT_EQ(timesSaid(sc, "|---- Illegal variable name, re-enter in columns 1-3"), 4);
    EXPECT_TRUE(sc.said("|---- D would clash with the global parameter D, re-enter in columns 1-3"));
    EXPECT_TRUE(sc.said("|---- ux would clash with ux of the unknown u, re-enter in columns 1-3"));
    EXPECT_TRUE(sc.hasBlock({"      u  = uu8z(1, 1)", "      ux = uu8z(2, 1)", "      uxx= uu8z(3, 1)",
                             "      w  = uu8z(1, 2)", "      wx = uu8z(2, 2)", "      wxx= uu8z(3, 2)"}));

    // Interior grid points may be left to the library.
    EXPECT_TRUE(sc.hasBlock({"C        XGRID DEFINED", "      XGRID(1) =", expr("0.0"), "      XGRID(3) =", expr("0.6"),
                             "      XGRID(NXGRID) =", expr("1.0")}));
    EXPECT_TRUE(follows(sc, {"MSG 27", "      FDIFF = .TRUE."}));
    EXPECT_TRUE(follows(sc, {"MSG 139", "      s1 = u*u", marker("INTEGRAL"), "      if (kint8z.eq.    1) yd8z =",
                             expr("s1"), "MSG 143", marker("BND. INTEGRAL")}));
    EXPECT_TRUE(follows(sc, {"MSG 151", "      e1 = exp(u)", "                if (j8z.eq.0) then"}));
    // Finite differences: the Jacobian branches stay empty.
    EXPECT_TRUE(follows(sc, {expr("wxx-u"), "                else", "                endif"}));
    EXPECT_EQ(countContaining(sc, "                          else"), 3);
    EXPECT_TRUE(sc.hasBlock({"                          else", "                          endif", "            endif",
                             "            if (ifac8z.eq. 2) then"}));
    EXPECT_TRUE(follows(sc, {"MSG 165", "      b2 = alpha", "                          if (j8z.eq.0) then", marker("G1"),
                             "      if (i8z.eq.    1) gd8z =", expr("u-b2")}));
    EXPECT_TRUE(follows(sc, {"      u8z = 0.0", "MSG 95", marker("u0"), "C     if (i8z.eq.    1) u8z =", defaulted,
                             marker("w0"), "      if (i8z.eq.    2) u8z =", expr("1.0")}));
    EXPECT_TRUE(follows(sc, {"C        DEFINE UPRINT(*),UXPRINT(*) HERE:", "      UPRINT(2) =", expr("w*kappa"),
                             "      return"}));
    EXPECT_TRUE(follows(sc, {"C        DEFINE XA,XB IMMEDIATELY BELOW:", "      XA =", expr("0.25"),
                             "      call dkvrx1(nx,xa,xb,hx8z,xout8z,npts8z)"}));
}

TEST(Gen1dcLink, TimeDependentNonlinearPairLinksAndRuns) {
    Dialog1dc d = nonlinearPair();
    d.outputGrid = {"-4", "      do 78700 i=0,nx", "      xout8z(i) = 0.25*i", "78700 continue", "", "5"};
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));
    EXPECT_EQ(sc.linkAndRunErrors(), "");
    // The MATLAB example, switched on, still compiles.
    EXPECT_EQ(sc.activatedCompileErrors(), "");
}

}  // namespace
}  // namespace zemka::test
