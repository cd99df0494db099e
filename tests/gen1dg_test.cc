// 1D Galerkin programs: the grid, every problem type, the four endpoint choices, the output
// grids and kinds, names, delta functions, the Jacobian, data-file functions, both
// precisions, and a program linked and run.
#include <gtest/gtest.h>

#include <fstream>

#include "scenario.h"

namespace zemka::test {
namespace {

// The answers of one 1D dialog. The defaults make a linear steady problem in one unknown u
// with the left endpoint fixed.
struct Dialog1d : DialogAnswers {
    Dialog1d() : DialogAnswers({"1", "1"}) {}
    Lines grid = {"3", "0.0", "", "1.0"};  // NXGRID, XGRID(1), XGRID(2), XGRID(NXGRID)
    Lines ideg = {"2"};
    Lines problem = {"1", "y"};               // steady state, linear
    Lines unknowns = {"1", "u", "y"};         // NEQN, names, SYMM (and FDIFF)
    Lines integrals = {"0", "0", "n"};        // NINT, NBINT, delta functions
    Lines coefficients = {"n", "1.0", "ux"};  // no block, F, A (and the rest of pdes8z)
    Lines initialValues;                      // u8z and restart
    Lines endpoints = {"y", "n"};             // FIXL, FIXR
    Lines conditions = {"0.0", "", "1.0"};    // fb8z, gb8z (the key that ends gb8z's pause first)
    Lines replacements = {"", ""};            // UPRINT, APRINT
    Lines outputGrid = {"10", "", ""};        // NX, XA, XB (NSAVE)
    Lines outputs = {"0"};
    Lines closing = {"n", "n"};  // no user routines, no data-file functions

    Lines answers() const {
        return withOpening({&grid, &ideg, &problem, &unknowns, &integrals, &coefficients, &initialValues, &endpoints,
                            &conditions, &replacements, &outputGrid, &outputs, &closing});
    }
};

TEST(Gen1dg, LinearSteadyStateOnThreeGridLines) {
    Dialog1d d;
    d.grid = {"2", "3", "0.0", "", "1.0"};  // two lines refused
    d.ideg = {"0", "5", "4"};
    d.outputs = {"1", "2", "Table", "2", "1", "2", "1", "", "", "", "0"};  // kind 2: only x may vary
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));

    EXPECT_TRUE(follows(
        sc, {"C     *** 1D PROBLEM SOLVED (GALERKIN METHOD) ***", "MSG 7", "      implicit double precision (a-h,o-z)",
             "      parameter (neqnmx=  99)", "      parameter (ndelmx=  20)"}));
    EXPECT_TRUE(sc.hasBlock({"      dimension xgrid(nxgrid),ixarc(2),xout8z(0:nx),xcross(100),tout8z(0",
                             "     &:nsave)", "C      dimension xres8z(nxp8z),ures8z(neqn,nxp8z)"}));
    EXPECT_TRUE(follows(sc, {"      common/dkvr75/ nx18z,xa,xb,uout(0:nx,2,neqn,0:nsave)", "      pi = 4.0*atan(1.d0)",
                             "      nxa8z = nxp8z", "      nx18z = nx+1", "      kd8z = kdeg8z", "MSG 8",
                             "      NPROB = 1", "      do 78755 iprob=1,nprob", "MSG 62", "MSG 63"}));
    EXPECT_TRUE(follows(sc, {"      PARAMETER (NXP8Z=1001,KDEG8Z=1)", "MSG 115", "      PARAMETER (NX =         10)",
                             "      PARAMETER (NSAVE = 1)", "      common/parm8z/ pi"}));

    // Three grid lines: XGRID(2) is asked and may be left to the library.
    EXPECT_TRUE(sc.said(rangeRefused + "3 to +INFINITY"));
    EXPECT_TRUE(sc.said("  XGRID(2) =" + std::string(11, ' ') + "   (Press [RETURN] to default)"));
    EXPECT_TRUE(follows(
        sc, {"MSG 63", "      call dkvrwx(xgrid,nxgrid,0)", "C        XGRID DEFINED", "      XGRID(1) =", expr("0.0"),
             "      XGRID(NXGRID) =", expr("1.0"), "      call dkvrwx(xgrid,nxgrid,1)", "MSG 64",
             "      IDEG =          4", "C        *******STEADY-STATE PROBLEM"}));
    EXPECT_TRUE(sc.hasBlock({boxed("NXGRID = number of X-grid lines"), rule, "      PARAMETER (NXGRID = 3)"}));
    // IDEG 0 and 5 are refused by the range alone.
    EXPECT_EQ(timesSaid(sc, rangeRefused + "1 to 4"), 2);
    EXPECT_FALSE(sc.said("|---- Illegal input"));

    // F and A by their selectors 1 and 2; nothing to start from, no restart.
    EXPECT_TRUE(follows(sc, {"MSG 68", "      SYMM = .TRUE.", "      FDIFF = .FALSE.", "MSG 28"}));
    EXPECT_TRUE(sc.has("      subroutine pdes8z (yd8z,i8z,j8z,kint8z,x,t)"));
    EXPECT_TRUE(sc.hasBlock({"      double precision normx,delamp(ndelmx,neqnmx)", "      common/parm8z/ pi",
                             "      u  = uu8z(1, 1)", "      ux = uu8z(2, 1)",
                             "                          if (i8z.eq.0) then"}));
    EXPECT_TRUE(
        follows(sc, {"MSG 86", "                if (j8z.eq.0) then", "      yd8z = 0.0", marker("F"),
                     "      if (i8z.eq.    1) yd8z =", expr("1.0"), marker("A"),
                     "      if (i8z.eq.    2) yd8z =", expr("ux"), "                else", "                endif"}));
    EXPECT_FALSE(sc.said(msg(95)));
    EXPECT_TRUE(follows(sc, {"      RESTRT = .FALSE.", "      GRIDID = .TRUE.", "MSG 98"}));
    EXPECT_TRUE(follows(
        sc, {"      a1 = upr8z(2, 1)", "MSG 111", "C        DEFINE UPRINT(*),APRINT(*) HERE:", "      return"}));
    EXPECT_TRUE(sc.said("      Replace A for postprocessing?"));

    // Output points over the grid, the solver, and the two kinds of a steady problem.
    EXPECT_TRUE(
        follows(sc, {"MSG 117", "C        defaults for xa,xb", "      xa = xgrid(1)", "      xb = xgrid(nxgrid)",
                     "C        DEFINE XA,XB IMMEDIATELY BELOW:", "      call dkvrx1(nx,xa,xb,hx8z,xout8z,npts8z)",
                     "C        SOLUTION SAVED EVERY NOUT ITERATIONS", "      NOUT = NSTEPS",
                     "      call dkvrzg(nxgrid,ideg,symm,neqn,ii8z,ir8z)"}));
    EXPECT_TRUE(
        sc.hasBlock({"C        *******DRAW GRID POINTS?", "      PLOT = .TRUE.", "C        *******call pde solver",
                     "      call dkvrgx(xgrid, nxgrid, ixarc, restrt, gridid, neqn, ideg, nste"}));
    EXPECT_TRUE(sc.hasBlock({"C      call dkvrr1(2,xres8z,nxp8z,ures8z,neqn)",
                             "C        *******call user-written postprocessor",
                             "      call postpr(tout8z,nsave,xout8z,nx,uout,neqn)"}));
    EXPECT_EQ(countContaining(sc, "CON8Z) GO TO"), 0);
    EXPECT_TRUE(sc.said("|---- Enter an integer value in the range 0 to 2"));
    EXPECT_TRUE(follows(sc, {"C        *******TABULAR OUTPUT", "MSG 119", "      IVAR =          2",
                             "      ivara8z = mod(ivar-1,2)+1", "      ivarb8z = (ivar-1)/2+1", "      ISET1 = 1"}));
    EXPECT_TRUE(sc.hasBlock({"      do 78756 is8z=iset1,iset2,isinc",
                             "      call dkvr1d(xout8z,uout(0,ivara8z,ivarb8z,is8z),npts8z,title,tout8",
                             "     &z(is8z))", "78756 continue", "C        *******LINE PLOTS"}));
    EXPECT_TRUE(sc.said(rangeRefused + "1 to 1"));
    EXPECT_TRUE(follows(sc, {"      IVAR =          1", "C        X IS VARIABLE", "      ics8z = 1", "      ISET1 = 1",
                             "      ISET2 = NSAVE", "      ISINC = 1", "C", "      alow = amin8z(ivar)"}));
    EXPECT_TRUE(
        sc.hasBlock({"      call dkvrrx(tout8z,nsave,iset1,iset2,isinc)", "      do 78757 is8z=iset1,iset2,isinc",
                     "      call dkvrzp(ics8z,ivar,tout8z,nsave,xout8z,nx,uout,neqn,title,umin",
                     "     &,umax,ix8z,is8z)", "78757 continue", "78755 continue", "      call endgks"}));

    // Routines of other classes as stubs, and the postprocessor with its MATLAB example
    // (which the linked scenario switches on and compiles).
    EXPECT_TRUE(sc.hasBlock({"      axis8z = 0", "      return", "      end", "      subroutine tran8z(p,q,x,y)",
                             "      implicit double precision (a-h,o-z)", "      return"}));
    EXPECT_TRUE(sc.has("      subroutine dis8z(x,y,ktri,triden,shape)"));
    EXPECT_TRUE(sc.has("      subroutine postpr(tout,nsave,xout,nx,uout,neqn)"));
    EXPECT_TRUE(
        sc.hasBlock({"C       ******* WRITE zemka.m", "C!      call mkvr1dg(itype,lun)", "      return", "      end"}));
}

// Each endpoint's conditions are asked in the routine of its kind (fb8z when fixed, gb8z
// when free); the other routine gets a commented model for it.
TEST(Gen1dg, FourEndpointChoices) {
    for (bool fixl : {true, false})
        for (bool fixr : {true, false}) {
            Dialog1d d;
            d.endpoints = {fixl ? "y" : "n", fixr ? "y" : "n"};
            d.conditions.clear();
            for (bool fixedEnd : {fixl, fixr})
                if (fixedEnd) d.conditions.push_back("0.5");
            for (bool fixedEnd : {fixl, fixr})
                if (!fixedEnd) d.conditions.insert(d.conditions.end(), {"", "-2.0"});
            Scenario sc = runZemka(d.answers());
            ASSERT_TRUE(finished(sc)) << fixl << fixr;
            for (int e = 1; e <= 2; ++e) {
                bool fixedEnd = e == 1 ? fixl : fixr;
                std::string flag = e == 1 ? "FIXL" : "FIXR", side = e == 1 ? "LEFT" : "RIGHT", n = std::to_string(e);
                std::string question = "MSG " + std::to_string(e == 1 ? 98 : 99);
                std::string explained = "MSG " + std::to_string(e == 1 ? 101 : 106);
                EXPECT_TRUE(follows(
                    sc, {question, "      " + flag + (fixedEnd ? " = .TRUE." : " = .FALSE."), "C",
                         "      ixarc(" + n + ") = " + n,
                         "      if (" + (e == 1 ? std::string("fixl") : "fixr") + ") ixarc(" + n + ") = -" + n}));
                std::string fixedHead = "                if (iarc8z.eq.-" + n + ") then";
                std::string freeHead = "                if (iarc8z.eq." + n + ") then";
                if (fixedEnd) {
                    EXPECT_TRUE(follows(sc, {fixedHead, explained, "MSG 102", marker("FB"),
                                             "      if (i8z.eq.    1) fb8z =", expr("0.5"), "                endif"}));
                    EXPECT_TRUE(
                        follows(sc, {freeHead, "C        " + flag + "=.TRUE., SO NO FREE BCs AT " + side + " ENDPOINT.",
                                     "C        IF " + flag + " CHANGED TO .FALSE., USE MODEL BELOW TO DEFINE BCs",
                                     "MSG 107", "                          if (j8z.eq.0) then", marker("GB"),
                                     "C     if (i8z.eq.    1) gd8z =", defaulted}));
                } else {
                    EXPECT_TRUE(follows(
                        sc, {fixedHead, "C        " + flag + "=.FALSE., SO NO FIXED BCs AT " + side + " ENDPOINT.",
                             "C        IF " + flag + " CHANGED TO .TRUE., USE MODEL BELOW TO DEFINE BCs", "MSG 102",
                             marker("FB"), "C     if (i8z.eq.    1) fb8z =", defaulted, "                endif"}));
                    EXPECT_TRUE(
                        follows(sc, {freeHead, explained, "MSG 107", "                          if (j8z.eq.0) then",
                                     marker("GB"), "      if (i8z.eq.    1) gd8z =", expr("-2.0")}));
                }
            }
            // Message 102 goes to the terminal only for fixed ends, 107 only for free ones.
            EXPECT_EQ(timesSaid(sc, msg(102)), fixl + fixr);
            EXPECT_EQ(timesSaid(sc, msg(107)), 2 - fixl - fixr);
        }
}

// Nonlinear, two unknowns, the derivatives of F, A and GB asked one by one; single precision.
TEST(Gen1dg, NonlinearJacobianInSinglePrecision) {
    Dialog1d d;
    d.doublePrecision = false;
    d.problem = {"1", "n", "30"};              // steady, nonlinear, NSTEPS
    d.unknowns = {"2", "u", "vel", "n", "n"};  // no symmetry, no finite differences
    d.coefficients = {"n", "u*vel", "ux", "", "velx"};
    // F1 and A1 by u and ux, then by vel and velx; then those of equation 2.
    d.coefficients.insert(d.coefficients.end(), {"vel", "", "", "1.0", "u", "", "", ""});
    d.coefficients.insert(d.coefficients.end(), 8, "");
    d.initialValues = {"1.0", "", "n"};
    d.endpoints = {"n", "y"};
    d.conditions = {"", "0.0", "", "u-1.0", ""};                   // FB1, FB2 right; left free: the pause, GB1, GB2
    d.conditions.insert(d.conditions.end(), {"2.0", "", "", ""});  // GB1 by u, ux, vel, velx
    d.conditions.insert(d.conditions.end(), 4, "");                // GB2
    d.replacements = repeated(4, "");
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));

    EXPECT_EQ(countContaining(sc, "dkvr"), 0);
    EXPECT_TRUE(
        sc.hasBlock({"      common/ kvr48/un8z(2,neqnmx),uu8z(2,neqnmx)", "      common/ kvr11/normx",
                     "      common/ kvr20/xd0(ndelmx),ndel,idel8z,jdel8z", "      real normx,delamp(ndelmx,neqnmx)"}));
    EXPECT_TRUE(follows(sc, {"MSG 24", "      NSTEPS = 15", "      NSTEPS =", expr("30"), "MSG 68",
                             "      SYMM = .FALSE.", "MSG 27", "      FDIFF = .FALSE."}));
    EXPECT_TRUE(sc.hasBlock({"      vel  = uu8z(1, 2)", "      velx = uu8z(2, 2)"}));
    EXPECT_TRUE(follows(sc, {marker("A2"), "      if (i8z.eq.    4) yd8z =", expr("velx"), "                else",
                             marker("F1.u"), "      if (i8z.eq.    1.and.j8z.eq.    1) yd8z =", expr("vel"),
                             marker("F1.ux"), "C     if (i8z.eq.    1.and.j8z.eq.    2) yd8z =", defaulted}));
    EXPECT_TRUE(follows(sc, {marker("A1.u"), "C     if (i8z.eq.    2.and.j8z.eq.    1) yd8z =", defaulted,
                             marker("A1.ux"), "      if (i8z.eq.    2.and.j8z.eq.    2) yd8z =", expr("1.0"),
                             marker("F1.vel"), "      if (i8z.eq.    1.and.j8z.eq.    3) yd8z =", expr("u")}));
    EXPECT_TRUE(follows(sc, {marker("A2.velx"), "C     if (i8z.eq.    4.and.j8z.eq.    4) yd8z =", defaulted,
                             "                endif"}));
    EXPECT_TRUE(sc.said(" A1.ux =   (Press [RETURN] to default, if A1 is a linear function of ux)"));
    EXPECT_TRUE(follows(sc, {"MSG 95", marker("u0"), "      if (i8z.eq.    1) u8z =", expr("1.0")}));
    EXPECT_TRUE(follows(sc, {"                if (iarc8z.eq.-2) then", "MSG 106", "MSG 103", marker("FB1"),
                             "C     if (i8z.eq.    1) fb8z =", defaulted, marker("FB2"),
                             "      if (i8z.eq.    2) fb8z =", expr("0.0")}));
    // The free left end asks GB and its derivatives by U (j8z = j) and Ux (100+j).
    EXPECT_TRUE(follows(sc, {"      if (i8z.eq.    1) gd8z =", expr("u-1.0")}));
    EXPECT_TRUE(follows(sc, {"                          else", marker("GB1.u"),
                             "      if (i8z.eq.    1.and.j8z.eq.    1) gd8z =", expr("2.0"), marker("GB1.ux"),
                             "C     if (i8z.eq.    1.and.j8z.eq.  101) gd8z =", defaulted}));
    EXPECT_TRUE(follows(sc, {marker("GB1.vel"), "C     if (i8z.eq.    1.and.j8z.eq.    2) gd8z =", defaulted,
                             marker("GB1.velx"), "C     if (i8z.eq.    1.and.j8z.eq.  102) gd8z ="}));
    // The fixed right end's model of free conditions: its derivatives commented, not asked.
    EXPECT_EQ(timesSaid(sc, " GB1.u =   (Press [RETURN] to default, if GB1 is a linear function of u)"), 1);
    EXPECT_EQ(countContaining(sc, "C     if (i8z.eq.    2.and.j8z.eq.  102) gd8z ="), 2);
    EXPECT_TRUE(follows(sc, {"      a2 = upr8z(2, 2)", "MSG 112"}));
    EXPECT_TRUE(sc.has("C      IF (.NOT.NCON8Z) GO TO 78755"));
}

// Time-dependent, with the three output kinds and output points set by the user (NX = 0).
TEST(Gen1dg, TimeDependentWithEveryOutputKind) {
    Dialog1d d;
    d.problem = {"2", "", "2.0", "y", "n", "y", "40", "n"};  // T0, TF, linear, fixed steps, NOUPDT
    d.unknowns = {"1", "P", "n"};
    d.coefficients = {"n", "1.0", "", "Px"};  // C, F, A
    d.initialValues = {"sin(pi*x)", "y", "n"};
    d.conditions = {"0.0", "", ""};
    d.outputGrid = {"0", "      xout8z(0) = 0.5", "", "4"};  // NX, the block, NSAVE
    // Kind 4 and line-plot choice 3 refused; kind 2 along x, kind 2 against t, kind 3, kind 1.
    d.outputs = {"4", "2", "1", "3", "1", "", "", "", "", "", "Profiles"};
    d.outputs.insert(d.outputs.end(), {"2", "2", "2", "2", "0.25", "0.75", "", "", ""});
    d.outputs.insert(d.outputs.end(), {"3", "2", "30.0", "", "", "1.0", ""});
    d.outputs.insert(d.outputs.end(), {"1", "2", "", "", "2", "", "0"});
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));
    EXPECT_EQ(acceptedGlobals(d.lead(), programNames(sc, {"p", "px"})), Lines{});

    EXPECT_TRUE(follows(sc, {"MSG 69", "      SYMM = .FALSE.", "      FDIFF = .FALSE."}));
    EXPECT_TRUE(follows(sc, {"MSG 90", "                if (j8z.eq.0) then", "      yd8z = 0.0", marker("C"),
                             "      if (i8z.eq. -101) yd8z =", expr("1.0"), marker("F")}));
    EXPECT_TRUE(sc.hasBlock({"      P  = uu8z(1, 1)", "      Px = uu8z(2, 1)"}));
    EXPECT_TRUE(
        follows(sc, {"      u8z = 0.0", "MSG 96", marker("P0"), "      if (i8z.eq.    1) u8z =", expr("sin(pi*x)")}));
    EXPECT_TRUE(follows(sc, {"MSG 48", "      RESTRT = .TRUE.", "MSG 97", "      GRIDID = .FALSE."}));
    // NX = 0: one output point, set by the user's block.
    EXPECT_TRUE(follows(sc, {"      PARAMETER (NX =          0)", "MSG 53", "      PARAMETER (NSAVE = 4)"}));
    EXPECT_TRUE(follows(sc, {"      npts8z = nx+1", "MSG 116", "      xout8z(0) = 0.5",
                             "      call dkvrzg(nxgrid,ideg,symm,neqn,ii8z,ir8z)"}));
    EXPECT_FALSE(sc.has("      xa = xgrid(1)"));

    EXPECT_TRUE(sc.said(rangeRefused + "0 to 3"));
    EXPECT_TRUE(sc.said(rangeRefused + "1 to 2"));
    EXPECT_TRUE(
        follows(sc, {"C        X IS VARIABLE", "      ics8z = 1", "MSG 123", "      ISET1 = 0", "      ISET2 = NSAVE",
                     "      ISINC = 1", "C", "      alow = amin8z(ivar)", "      ahigh = amax8z(ivar)", "MSG 126"}));
    EXPECT_TRUE(follows(sc, {"      IVAR =          2", "C        T IS VARIABLE", "      ics8z = 2", "MSG 125",
                             "      NXVALS =          2", "      XCROSS(1) =", expr("0.25"),
                             "      XCROSS(2) =", expr("0.75"), "C", "      alow = amin8z(ivar)"}));
    EXPECT_TRUE(
        sc.hasBlock({"      TITLE = 'Profiles                                '",
                     "      call dkvrrx(tout8z,nsave,iset1,iset2,isinc)", "      do 78756 is8z=iset1,iset2,isinc"}));
    EXPECT_TRUE(sc.hasBlock({"      is8z = 0", "      do 78757 ixv8z=1,nxvals",
                             "      call dkvrzy(xcross(ixv8z),xout8z,nx,ix8z)",
                             "      call dkvrzp(ics8z,ivar,tout8z,nsave,xout8z,nx,uout,neqn,title,umin",
                             "     &,umax,ix8z,is8z)", "78757 continue", "C        *******SURFACE PLOT"}));
    EXPECT_TRUE(follows(sc, {"      IVAR =          2", "MSG 127", "      VLON = 45.0", "      VLAT = 45.0",
                             "      VLAT =", expr("30.0"), "MSG 60", "      UMIN = 0.0", "      UMAX = 0.0",
                             "      UMAX =", expr("1.0"), "MSG 59", "      TITLE = ' '",
                             "      call dkvrzd(xout8z,tout8z,uout,nx,nsave,title,neqn,ivar,vlon,vlat,",
                             "     &umin,umax)", "C        *******TABULAR OUTPUT"}));
    EXPECT_TRUE(follows(sc, {"      ivarb8z = (ivar-1)/2+1", "MSG 123", "      ISET1 = 0", "      ISET2 = NSAVE",
                             "      ISINC = 1", "      ISINC =", expr("2"), "MSG 59"}));
    EXPECT_TRUE(sc.hasBlock({"      do 78758 is8z=iset1,iset2,isinc",
                             "      call dkvr1d(xout8z,uout(0,ivara8z,ivarb8z,is8z),npts8z,title,tout8",
                             "     &z(is8z))", "78758 continue", "78755 continue"}));
}

// An eigenvalue problem of ten equations: two-digit names, the fourth message variants,
// fb8z reduced to its default, and output points from the user (NX < 0).
TEST(Gen1dg, EigenvalueProblemOfTenEquations) {
    Dialog1d d;
    d.problem = {"3", "", "n", "", ""};  // the key after message 12; real; EV0R, NSTEPS kept
    d.unknowns = {"10", "a10"};  // refused: pmod8z's name of the tenth flux
    for (int i = 1; i <= 10; ++i) d.unknowns.push_back("w" + std::to_string(i));
    d.unknowns.push_back("y");
    d.integrals = {"0", "0"};  // no question about delta functions
    d.coefficients = {"n"};
    for (int i = 1; i <= 10; ++i) {
        d.coefficients.insert(d.coefficients.end(), {"", "w" + std::to_string(i) + "x"});
        for (int k = 1; k <= 10; ++k) d.coefficients.push_back(i == k ? "1.0" : "0.0");
    }
    d.initialValues = repeated(10, "");
    d.initialValues.push_back("n");
    d.endpoints = {"n", "n"};
    d.conditions = {""};  // the key after message 100
    for (int e = 0; e < 2; ++e) {
        d.conditions.push_back("");  // the key after message 101 or 106
        d.conditions.insert(d.conditions.end(), 10, "");
    }
    d.replacements = repeated(20, "");
    d.outputGrid = {"-20", "      call grid(xout8z,nx)", ""};
    d.outputs = {"3", "2", "21", "20", "1", "", "", "", "0"};  // kind 3 and IVAR 21 refused
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));
    std::set<std::string> userNames{"grid"};
    for (int i = 1; i <= 10; ++i) userNames.insert({"w" + std::to_string(i), "w" + std::to_string(i) + "x"});
    EXPECT_EQ(acceptedGlobals(d.lead(), programNames(sc, userNames)), Lines{});

    EXPECT_TRUE(follows(sc, {"C        *******EIGENVALUE PROBLEM", "MSG 12", "      ITYPE = 3"}));
    EXPECT_TRUE(sc.said("|---- a10 would clash with the program's own a10, re-enter in columns 1-3"));
    EXPECT_TRUE(follows(sc, {"      NSTEPS = 25", "MSG 67", "      SYMM = .TRUE.", "      FDIFF = .FALSE."}));
    EXPECT_FALSE(sc.said(msg(79)));
    EXPECT_TRUE(sc.has("      ndel = 0"));
    EXPECT_TRUE(
        sc.hasBlock({"      subroutine pdes8z (yd8z,i8z,j8z,kint8z,x,t)", "      implicit double precision (a-h,o-z)",
                     "      parameter (neqnmx=  99)", "      parameter (NEQN=  10)", "      parameter (ndelmx=  20)"}));
    EXPECT_TRUE(sc.has("      dimension rho(neqn,neqn)"));
    EXPECT_TRUE(sc.hasBlock({"      w10  = uu8z(1,10)", "      w10x = uu8z(2,10)"}));
    EXPECT_TRUE(follows(sc, {"      yd8z = 0.0", "MSG 73", marker("INTEGRAL1")}));
    EXPECT_TRUE(follows(sc, {"MSG 85", "                if (j8z.eq.0) then"}));
    EXPECT_TRUE(follows(sc, {marker("A10"), "      if (i8z.eq.   20) yd8z =", expr("w10x"), marker("RHO"),
                             "      RHO(10,1) =", expr("0.0")}));
    EXPECT_TRUE(sc.hasBlock({"      RHO(10,10) =", expr("1.0"), "      call dkvrza (yd8z,i8z,uu8z,un8z,rho,2,neqn)",
                             "                else", "                endif"}));
    // The start value of w1 is called w10 (the name and 0) and may be left to the library.
    EXPECT_TRUE(follows(sc, {"      u8z = dkvrxx()", "MSG 94", marker("w10"), "C     if (i8z.eq.    1) u8z ="}));
    EXPECT_TRUE(sc.said(" w10 =         (Press [RETURN] to default)"));
    EXPECT_TRUE(follows(sc, {"      fb8z = 0.0", "MSG 100", "      return"}));
    EXPECT_TRUE(follows(sc, {"                if (iarc8z.eq.1) then", "MSG 101", "MSG 110"}));
    EXPECT_TRUE(follows(sc, {"                if (iarc8z.eq.2) then", "MSG 106", "MSG 110"}));
    EXPECT_TRUE(follows(sc, {"      a10 = upr8z(2,10)", "MSG 114", "C        DEFINE UPRINT(*),APRINT(*) HERE:"}));
    EXPECT_TRUE(sc.said("      Replace A10 for postprocessing?"));
    // NX = -20: 20 intervals whose points the block sets.
    EXPECT_TRUE(sc.has("      PARAMETER (NX =         20)"));
    EXPECT_TRUE(follows(sc, {"      npts8z = nx+1", "MSG 116", "      call grid(xout8z,nx)"}));
    EXPECT_TRUE(sc.hasBlock({"      deallocate (iwrk8z,rwrk8z)", "      if (itype.eq.4) go to 78755",
                             "C        *******UNCOMMENT TO POSTPROCESS ONLY IF CONVERGED",
                             "C      IF (.NOT.ECON8Z) GO TO 78755"}));
    EXPECT_TRUE(sc.said(rangeRefused + "0 to 2"));
    EXPECT_TRUE(
        follows(sc, {"C        *******LINE PLOTS", "MSG 122", "      IVAR =         20", "C        X IS VARIABLE"}));
    EXPECT_TRUE(sc.said(rangeRefused + "1 to 20"));
}

// Names of unknowns and global parameters, integrals, delta functions and optional blocks.
TEST(Gen1dg, NamesIntegralsAndDeltaFunctions) {
    Dialog1d d;
    d.globals = {"A", "x", "T", "xa", "dt", "B", "2.0", "nu", "3"};  // A, x, T, xa, dt refused
    d.blocks = true;
    d.unknowns = {"3", "T", "X", "A", "t", "x", "a", "PI", "P", "Q", "S", "y"};
    // NINT with the integral; NBINT with a block; two delta functions and their amplitudes.
    d.integrals = {"1", "n", "P*S"};
    d.integrals.insert(d.integrals.end(), {"1", "y", "      b1 = 2.0", "", "b1*Q"});
    d.integrals.insert(d.integrals.end(), {"y", "2", "0.25", "0.75", "n", "1.0", "2.0", "3.0", "4.0", "5.0", "6.0"});
    d.coefficients = {"n", "", "Px", "", "Qx", "", "Sx"};
    d.conditions = {"n", "0.0", "", "", "", "n", "", "", ""};  // fb8z: no block, FB1..3; gb8z: the pause, no block, GB
    d.replacements = {"n"};
    d.replacements.insert(d.replacements.end(), 6, "");
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));

    EXPECT_EQ(timesSaid(sc, "|---- Illegal parameter name, re-enter in columns 1-6"), 5);
    EXPECT_TRUE(follows(sc, {"MSG 62", "      B      =", expr("2.0")}));
    EXPECT_TRUE(sc.said(" Note: nu     must be an integer."));
    // The main program, pdes8z, u8z, fb8z, gb8z, pmod8z and postpr see the globals.
    EXPECT_EQ(countContaining(sc, "      common/parm8z/ pi,B     ,nu"), 7);
    EXPECT_EQ(timesSaid(sc, "|---- Illegal variable name, re-enter in columns 1-3"), 7);
    EXPECT_TRUE(sc.hasBlock({"      P  = uu8z(1, 1)", "      Px = uu8z(2, 1)", "      Q  = uu8z(1, 2)",
                             "      Qx = uu8z(2, 2)", "      S  = uu8z(1, 3)", "      Sx = uu8z(2, 3)"}));

    // Integrals: messages of three unknowns, the block offered before the boundary integrals.
    EXPECT_TRUE(follows(sc, {"MSG 72", marker("INTEGRAL"), "      if (kint8z.eq.    1) yd8z =", expr("P*S")}));
    EXPECT_TRUE(follows(
        sc, {"MSG 77", "      b1 = 2.0", marker("BND. INTEGRAL"), "      if (kint8z.eq.   -1) yd8z =", expr("b1*Q")}));
    // Delta functions: one coordinate each, no spacer, and an amplitude per equation.
    EXPECT_TRUE(follows(sc, {"MSG 80", "      NDEL =          2", "      XD0(1) =", expr("0.25"),
                             "      XD0(2) =", expr("0.75"), "      RESTRT = .FALSE."}));
    EXPECT_FALSE(sc.has("      YD0(1) ="));
    EXPECT_TRUE(follows(sc, {"                if (kint8z.eq.0) then", "MSG 81", "C", "      DELAMP(1,1) =", expr("1.0"),
                             "      DELAMP(2,1) =", expr("2.0"), "C", "      DELAMP(1,2) ="}));
    EXPECT_TRUE(sc.hasBlock({"      DELAMP(2,3) =", expr("6.0"), "      yd8z = delamp(idel8z,jdel8z)",
                             "                endif", "                          else"}));
    EXPECT_TRUE(follows(sc, {"MSG 88", "                if (j8z.eq.0) then"}));
    EXPECT_TRUE(sc.said(" A3 =         (Press [RETURN] to default to 0)"));
    EXPECT_TRUE(follows(sc, {"MSG 104", marker("FB1"), "      if (i8z.eq.    1) fb8z =", expr("0.0"), marker("FB2")}));
    EXPECT_TRUE(follows(sc, {"MSG 109", "                          if (j8z.eq.0) then"}));
    EXPECT_TRUE(follows(sc, {"MSG 113", "C        DEFINE UPRINT(*),APRINT(*) HERE:"}));
}

// Functions of x read from data files, in both precisions, and the user's own routines.
TEST(Gen1dg, DataFileFunctionsInBothPrecisions) {
    for (bool dp : {true, false}) {
        Dialog1d d;
        d.doublePrecision = dp;
        d.closing = {"y", "      subroutine extra(x)", "      x = 1.0", "      end", ""};  // the user's routine
        // kappa would be an integer; NWORK 4 is too small; then a second function.
        d.closing.insert(d.closing.end(), {"y", "kappa", "cond", "4", "100", "k.dat", "", "2", "y"});
        d.closing.insert(d.closing.end(), {"f", "5", "f.dat", "3", "1", "n"});
        Scenario sc = runZemka(d.answers());
        ASSERT_TRUE(finished(sc)) << dp;
        EXPECT_TRUE(
            follows(sc, {"      subroutine extra(x)", "      x = 1.0", "      end", "", "", "      function cond  (x)",
                         dp ? "      implicit double precision (a-h,o-z)" : "      implicit real (a-h,o-z)"}));
        EXPECT_TRUE(sc.said(msg(129)));
        EXPECT_TRUE(sc.said(rangeRefused + "5 to +INFINITY"));
        EXPECT_TRUE(
            follows(sc, {"MSG 130", "      PARAMETER (NWORK = 100)", "      dimension work(nwork)",
                         "      character*40 fname", dp ? "      data work(1) /0.0d0/" : "      data work(1) /0.0/",
                         "MSG 131", "      FNAME = 'k.dat                                   '", "MSG 132",
                         "      ISET = 1", "MSG 133", "      KDEG =          2",
                         spelled(dp, "      cond   = dkvr1e(fname,iset,work,nwork,kdeg,x)"), "      return"}));
        EXPECT_EQ(timesSaid(sc, "|---- Illegal function name, re-enter in columns 1-6"), 1);
        EXPECT_TRUE(sc.has("      function f     (x)"));
        EXPECT_TRUE(sc.has(spelled(dp, "      f      = dkvr1e(fname,iset,work,nwork,kdeg,x)")));
        EXPECT_EQ(countContaining(sc, "dkvr") == 0, !dp);
    }
}

// A program linked with the runtime library and the stand-in of the solver library, and run;
// its MATLAB example, switched on, still compiles.
TEST(Gen1dgLink, TimeDependentProgramLinksAndRuns) {
    Dialog1d d;
    d.problem = {"2", "", "1.0", "n", "y", "", "10", "y"};  // nonlinear, adaptive, Crank-Nicolson
    d.unknowns = {"1", "u", "n", "y"};                      // FDIFF: no Jacobian
    d.coefficients = {"n", "1.0", "u*u", "ux"};
    d.initialValues = {"x", "n"};
    d.outputGrid = {"8", "", "", "3"};
    d.outputs = {"1", "1", "", "", "", "", "3", "1", "", "", "", "", "", "0"};
    d.closing = {"n", "y", "g", "10", "g.dat", "", "1", "n"};
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));
    EXPECT_EQ(sc.linkAndRunErrors(), "");

    std::ofstream activated(sc.dir / "main.f");
    for (const std::string& line : sc.mainf) activated << (line.starts_with("C!") ? line.substr(2) : line) << '\n';
    activated.close();
    EXPECT_EQ(sc.compileErrors(), "");
}

}  // namespace
}  // namespace zemka::test
