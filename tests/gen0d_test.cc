// 0D programs: every problem type, both precisions, and what each answer writes.
#include <gtest/gtest.h>

#include "scenario.h"

namespace zemka::test {
namespace {

// The answers of one 0D dialog. The defaults make a linear steady problem in one unknown u.
struct Dialog0d : DialogAnswers {
    Dialog0d() : DialogAnswers({"0"}) {}
    Lines problem = {"1", "y"};         // steady state, linear
    Lines unknowns = {"1", "u"};        // NEQN, names (and FDIFF)
    Lines integrals = {"0"};            // NINT (a block, the integrals)
    Lines coefficients = {"n", "u-1"};  // no block, F (and the rest of pdes8z)
    Lines initialValues;                // u8z and restart
    Lines replacements = {""};          // UPRINT
    Lines nsave;                        // NSAVE of a time-dependent problem
    Lines outputs = {"0"};
    Lines closing = {"n"};  // no user routines

    Lines answers() const {
        return withOpening({&problem, &unknowns, &integrals, &coefficients, &initialValues, &replacements, &nsave,
                            &outputs, &closing});
    }
};

const std::string guiMark = "C" + std::string(40, '-') + "-> INPUT FROM GUI <-" + std::string(18, '-');

TEST(Gen0d, LinearSteadyStateAsksNoIterationsJacobianOrInitialValues) {
    for (bool dp : {true, false}) {
        Dialog0d d;
        d.doublePrecision = dp;
        d.unknowns = {"2", "u", "v"};  // no FDIFF question
        d.coefficients = {"n", "u+v", "u-v"};
        d.replacements = {"", ""};  // UPRINT(1), UPRINT(2) kept
        d.outputs = {"1", "1", "My title", "0"};
        Scenario sc = runZemka(d.answers());
        ASSERT_TRUE(finished(sc));
        for (int silent : {24, 27, 46, 48}) EXPECT_FALSE(sc.said(msg(silent))) << silent;
        EXPECT_TRUE(follows(
            sc, {"      LINEAR = .TRUE.", "C        Number of Newton iterations", "      NSTEPS = 1",
                 "      FDIFF = .FALSE.", "MSG 28", "      NINT =          0", "      nbint = 0",
                 "      lsqfit = .false.", "      RESTRT = .FALSE.", "      gridid = .true.", "      iperdc = 0"}));
        EXPECT_TRUE(follows(sc, {"C        SOLUTION SAVED EVERY NOUT ITERATIONS", "      NOUT = NSTEPS"}));
        EXPECT_FALSE(sc.has("C        *******UNCOMMENT TO POSTPROCESS ONLY IF CONVERGED"));
        // No integrals: message 30 goes into the program only, with a commented definition.
        EXPECT_FALSE(sc.said(msg(30)));
        EXPECT_TRUE(follows(sc, {"      yd8z = 0.0", "MSG 30", marker("INTEGRAL1"),
                                 "C     if (kint8z.eq.1) yd8z =", defaulted, "                          else"}));
        EXPECT_TRUE(follows(sc, {marker("F2"), "      if (i8z.eq.    2) yd8z =", expr("u-v"), "                else",
                                 "                endif", "                          endif"}));
        EXPECT_TRUE(follows(sc, {"      u8z = 0.0", "      return", "      end"}));
        EXPECT_TRUE(follows(sc, {"C        DEFINE UPRINT(*) HERE:", "      return"}));
        EXPECT_TRUE(follows(sc, {"      TITLE = ' '", "      TITLE = 'My title                                '",
                                 spelled(dp, "      call dkvr1f(tout8z,uout(1,ivar,0),nsave,neqn,title)")}));

        EXPECT_TRUE(sc.has(dp ? "      implicit double precision (a-h,o-z)" : "      implicit real (a-h,o-z)"));
        EXPECT_TRUE(sc.has(dp ? "      double precision uu8z(3,neqnmx)" : "      real uu8z(3,neqnmx)"));
        EXPECT_TRUE(sc.has(dp ? "      common /dkvr4x/un8z(3,neqnmx)" : "      common / kvr4x/un8z(3,neqnmx)"));
        EXPECT_TRUE(
            sc.has(dp ? "      call dkvr1q(nxgrid,neqn,ii8z,ir8z)" : "      call  kvr1q(nxgrid,neqn,ii8z,ir8z)"));
        EXPECT_TRUE(sc.has(dp ? "      common/dkvr14/sint(20),bint(20),slim8z(20),blim8z(20)"
                              : "      common/ kvr14/sint(20),bint(20),slim8z(20),blim8z(20)"));
        EXPECT_TRUE(sc.has(dp ? "C!         if (tout(l).ne.dkvrlx(2)) nsave0 = l"
                              : "C!         if (tout(l).ne. kvrlx(2)) nsave0 = l"));
        EXPECT_TRUE(sc.has("C!      call mkvr0d(itype,lun)"));
    }
}

TEST(Gen0d, NonlinearSteadyStateJacobianAnsweredDefaultedOrApproximated) {
    for (bool dp : {true, false}) {
        Dialog0d exact;
        exact.doublePrecision = dp;
        exact.problem = {"1", "n", "20"};       // steady state, nonlinear, NSTEPS
        exact.unknowns = {"2", "u", "v", "n"};  // no finite differences
        exact.coefficients = {"n", "u*v-1", "u-v", "v", "", "", "-1"};  // F1, F2, F1.u F1.v F2.u F2.v
        exact.initialValues = {"1", "", "y"};   // u0, v0 left at 0, restart
        exact.replacements = {"", ""};
        Scenario sc = runZemka(exact.answers());
        ASSERT_TRUE(finished(sc));
        EXPECT_TRUE(follows(sc, {"      LINEAR = .FALSE.", "MSG 24", "      NSTEPS = 15", "      NSTEPS =", expr("20"),
                                 "MSG 27", "      FDIFF = .FALSE."}));
        EXPECT_TRUE(sc.said(msg(38)));  // the coefficients of a steady problem of two equations
        EXPECT_TRUE(sc.said(" F1.v =   (Press [RETURN] to default, if F1 is a linear function of v)"));
        EXPECT_TRUE(follows(
            sc, {"                else", marker("F1.u"), "      if (i8z.eq.    1.and.j8z.eq.    1) yd8z =", expr("v"),
                 marker("F1.v"), "C     if (i8z.eq.    1.and.j8z.eq.    4) yd8z =", defaulted, marker("F2.u"),
                 "C     if (i8z.eq.    2.and.j8z.eq.    1) yd8z =", defaulted, marker("F2.v"),
                 "      if (i8z.eq.    2.and.j8z.eq.    4) yd8z =", expr("-1"), "                endif"}));
        EXPECT_TRUE(sc.said(" u0 =         (Press [RETURN] to default to 0)"));
        EXPECT_TRUE(follows(sc, {"      u8z = 0.0", "MSG 46", marker("u0"), "      if (i8z.eq.    1) u8z =", expr("1"),
                                 marker("v0"), "C     if (i8z.eq.    2) u8z =", defaulted, "      return"}));
        EXPECT_TRUE(
            follows(sc, {"      lsqfit = .false.", "MSG 48", "      RESTRT = .TRUE.", "      gridid = .true."}));
        EXPECT_TRUE(follows(
            sc, {"      deallocate (iwrk8z,rwrk8z)", "C        *******UNCOMMENT TO POSTPROCESS ONLY IF CONVERGED",
                 "C      IF (.NOT.NCON8Z) GO TO 78755", "C        *******call user-written postprocessor",
                 "      call postpr(tout8z,nsave,uout,neqn)"}));
        EXPECT_FALSE(sc.has("      if (itype.eq.4) go to 78755"));

        Dialog0d approximated;
        approximated.doublePrecision = dp;
        approximated.problem = {"1", "n", ""};    // steady state, nonlinear, NSTEPS kept
        approximated.unknowns = {"1", "x", "y"};  // finite differences
        approximated.coefficients = {"n", "x**2-2"};
        approximated.initialValues = {"1", "n"};  // x0, no restart
        sc = runZemka(approximated.answers());
        ASSERT_TRUE(finished(sc));
        EXPECT_TRUE(follows(sc, {"      NSTEPS = 15", "MSG 27", "      FDIFF = .TRUE."}));
        EXPECT_FALSE(sc.has(marker("F.x")));
        EXPECT_TRUE(follows(sc, {"                else", "                endif"}));
        EXPECT_TRUE(follows(sc, {"      lsqfit = .false.", "MSG 48", "      RESTRT = .FALSE."}));
    }
}

TEST(Gen0d, TimeDependentLinearAdaptiveWithLinePlot) {
    for (bool dp : {true, false}) {
        Dialog0d d;
        d.doublePrecision = dp;
        // Time-dependent, T0, TF refused blank, TF; linear, adaptive, TOLER(1); NSTEPS, Crank-Nicolson.
        d.problem = {"2", "0", "", "10", "y", "y", "1.d-4", "50", "y"};
        d.coefficients = {"n", "2", "-u"};  // C, F
        d.initialValues = {"1", "n"};       // u0, no restart
        d.nsave = {"20000"};                // no upper bound
        d.outputs = {"2", "1", "-1", "", "Decay", "0"};
        Scenario sc = runZemka(d.answers());
        ASSERT_TRUE(finished(sc));
        EXPECT_EQ(acceptedGlobals(d.lead(), programNames(sc, {"u"})), Lines{});
        EXPECT_TRUE(follows(sc, {"C        *******TIME-DEPENDENT PROBLEM", "      itype = 2", "MSG 17",
                                 "      T0 = 0.0", "      T0 =", expr("0"), "      TF =", expr("10")}));
        EXPECT_TRUE(sc.said("|----Illegal blank line. Enter constant or FORTRAN expression---|"));
        // Adaptive and linear: message 20 is written but not shown, and NOUPDT is not asked.
        EXPECT_FALSE(sc.said(msg(20)));
        EXPECT_TRUE(
            follows(sc, {"MSG 19", "      ADAPT = .TRUE.", "      TOLER(1) = 0.01", "      TOLER(1) =", expr("1.d-4"),
                         "MSG 20", "      NOUPDT = .FALSE.", "MSG 21", "      NSTEPS =", expr("50"),
                         "      dt = (tf-t0)/max(nsteps,1)", "MSG 23", "      CRANKN = .TRUE."}));
        EXPECT_FALSE(sc.said(msg(27)));
        // One equation: the time coefficient is called C.
        EXPECT_TRUE(sc.said(" C =         (Press [RETURN] to default to 0)"));
        EXPECT_TRUE(follows(sc, {"MSG 41", "                if (j8z.eq.0) then", "      yd8z = 0.0", marker("C"),
                                 "      if (i8z.eq. -101) yd8z =", expr("2"), marker("F"),
                                 "      if (i8z.eq.    1) yd8z =", expr("-u"), "                else"}));
        EXPECT_TRUE(follows(sc, {"      u8z = 0.0", "MSG 47"}));
        EXPECT_TRUE(sc.said("|---- Enter an integer value in the range 1 to +INFINITY"));
        EXPECT_TRUE(follows(sc, {"MSG 53", "      PARAMETER (NSAVE = 20000)"}));
        EXPECT_FALSE(sc.has("      NOUT = NSTEPS"));
        EXPECT_FALSE(sc.has("C        *******UNCOMMENT TO POSTPROCESS ONLY IF CONVERGED"));
        EXPECT_TRUE(sc.said("|---- Enter an integer value in the range 0 to 2"));
        EXPECT_TRUE(follows(
            sc,
            {"C        *******LINE PLOTS", "MSG 55", "      IVAR =          1", "C        T IS VARIABLE",
             "      ics8z = 2", "MSG 60", "      UMIN = 0.0", "      UMAX = 0.0", "      UMIN =", expr("-1"), "MSG 59",
             "      TITLE = ' '", "      TITLE = 'Decay                                   '", "      is8z = 0",
             "      ix8z = 0", spelled(dp, "      call dkvrzp(ics8z,2*ivar-1,tout8z,nsave,xout8z,0,uout,neqn,title,u"),
             "     &min,umax,ix8z,is8z)", "78755 continue"}));
    }
}

TEST(Gen0d, TimeDependentFixedStepsWithFrontEndMarkers) {
    for (bool dp : {true, false}) {
        // "#@" with no zemka.in: the front-end mode is on, the answer comes from the keyboard.
        Dialog0d linear;
        linear.frontEnd = true;
        linear.doublePrecision = dp;
        linear.problem = {"2", "", "1", "y", "n", "y", "10", "n"};  // T0 kept; TF; linear; fixed steps; NOUPDT
        linear.unknowns = {"2", "u", "v"};
        linear.coefficients = {"n", "1", "", "-u", "", "", "u-v"};  // C(1,1) C(1,2) F1, C(2,1) C(2,2) F2
        linear.initialValues = {"", "1", "n"};
        linear.replacements = {"", ""};
        linear.nsave = {"5"};
        Scenario sc = runZemka(linear.answers());
        ASSERT_TRUE(finished(sc));
        EXPECT_EQ(sc.echo.front(), "n  ");  // the switch line is not an answer
        EXPECT_TRUE(follows(sc, {"      T0 = 0.0", guiMark, guiMark, "      TF =", expr("1")}));
        EXPECT_TRUE(sc.said(msg(20)));
        EXPECT_TRUE(follows(sc, {"MSG 19", guiMark, "      ADAPT = .FALSE.", "      TOLER(1) = 0.01", "MSG 20", guiMark,
                                 "      NOUPDT = .TRUE.", "MSG 22", guiMark, "      NSTEPS =", expr("10")}));
        EXPECT_TRUE(follows(sc, {"MSG 23", "      CRANKN = .FALSE.", "      FDIFF = .FALSE."}));
        EXPECT_TRUE(
            follows(sc, {"      yd8z = 0.0", guiMark, marker("C(1,1)"), "      if (i8z.eq. -101) yd8z =", expr("1"),
                         marker("C(1,2)"), "C     if (i8z.eq. -102) yd8z =", defaulted, guiMark, marker("F1")}));
        EXPECT_TRUE(follows(
            sc, {"MSG 47", guiMark, marker("u0"), "C     if (i8z.eq.    1) u8z =", defaulted, guiMark, marker("v0")}));
        EXPECT_TRUE(follows(sc, {"MSG 53", "      PARAMETER (NSAVE = 5)"}));

        Dialog0d nonlinear;
        nonlinear.doublePrecision = dp;
        nonlinear.problem = {"2", "", "1", "n", "n", "10", "y"};  // nonlinear, fixed steps: no NOUPDT question
        nonlinear.unknowns = {"1", "u", "y"};                      // FDIFF
        nonlinear.coefficients = {"n", "", "u**2"};
        nonlinear.initialValues = {"", "n"};
        nonlinear.nsave = {"5"};
        sc = runZemka(nonlinear.answers());
        ASSERT_TRUE(finished(sc));
        EXPECT_FALSE(sc.said(msg(20)));
        EXPECT_FALSE(sc.has(guiMark));
        EXPECT_TRUE(follows(sc, {"      TOLER(1) = 0.01", "      NOUPDT = .FALSE.", "MSG 22", "      NSTEPS ="}));
        EXPECT_TRUE(follows(sc, {"MSG 23", "      CRANKN = .TRUE.", "MSG 27", "      FDIFF = .TRUE."}));
        EXPECT_TRUE(follows(sc, {"                else", "                endif"}));
    }
}

TEST(Gen0d, EigenvalueRealAndComplex) {
    for (bool dp : {true, false}) {
        Dialog0d real;
        real.frontEnd = true;
        real.doublePrecision = dp;
        // Eigenvalue; the key that ends the pause after message 12; real, EV0R, NSTEPS kept.
        real.problem = {"3", "", "n", "1.5", ""};
        real.unknowns = {"1", "x"};
        real.coefficients = {"n", "-x", "2"};  // F, RHO
        real.initialValues = {"", "n"};        // x0 keeps the library start, no restart
        Scenario sc = runZemka(real.answers());
        ASSERT_TRUE(finished(sc));
        // The key line that ends the pause is not an answer: echo.out goes on with "n".
        EXPECT_EQ(std::vector<std::string>(sc.echo.begin() + 6, sc.echo.begin() + 9),
                  (std::vector<std::string>{"3" + std::string(71, ' '), "n  ", "1.5" + std::string(62, ' ')}));
        EXPECT_TRUE(follows(sc, {"C        *******EIGENVALUE PROBLEM", "MSG 12", "      ITYPE = 3", "C",
                                 "C      P8Z = 0.0", "      linear = .true.", "      t0 = 0.0", "      dt = 1.0",
                                 "      crankn = .false.", "      noupdt = .true.", "MSG 13", "      EVCMPX = .FALSE.",
                                 "MSG 14", "      EV0R = 0.0", guiMark, "      EV0R =", expr("1.5"), "MSG 16",
                                 "      NSTEPS = 25", "      FDIFF = .FALSE."}));
        EXPECT_FALSE(sc.said(msg(18)));
        EXPECT_FALSE(sc.said(msg(27)));
        EXPECT_TRUE(follows(sc, {"      parameter (neqnmx=  99)", "      parameter (NEQN=   1)"}));
        EXPECT_FALSE(sc.has("      dimension rho(neqn,neqn)"));
        EXPECT_TRUE(follows(sc, {"                          else", "MSG 33"}));
        EXPECT_TRUE(follows(sc, {"      yd8z = 0.0", guiMark, marker("F"), "      if (i8z.eq.    1) yd8z =", expr("-x"),
                                 guiMark, marker("RHO"), "      RHO =", expr("2"),
                                 spelled(dp, "      call dkvrsx (yd8z,i8z,uu8z,un8z,rho,3,neqn)"),
                                 "                else", "                endif"}));
        // The start vector is not a front-end input: no marker before it.
        EXPECT_TRUE(sc.said(" x0 =         (Press [RETURN] to default)"));
        EXPECT_TRUE(follows(sc, {dp ? "      u8z = dkvrxx()" : "      u8z =  kvrxx()", "MSG 45", marker("x0"),
                                 "C     if (i8z.eq.    1) u8z =", defaulted}));
        EXPECT_TRUE(follows(
            sc, {"      deallocate (iwrk8z,rwrk8z)", "      if (itype.eq.4) go to 78755",
                 "C        *******UNCOMMENT TO POSTPROCESS ONLY IF CONVERGED", "C      IF (.NOT.ECON8Z) GO TO 78755"}));
        EXPECT_TRUE(follows(sc, {"      PARAMETER (NSAVE = 1)", "      common/parm8z/ pi"}));

        Dialog0d complex;
        complex.doublePrecision = dp;
        complex.problem = {"3", "", "y", "1", "-1", "40"};  // complex, EV0R, EV0I, NSTEPS
        complex.unknowns = {"3", "x", "y", "z"};
        complex.coefficients = {"n", "y", "1", "0", "0", "z", "0", "2", "0", "x", "0", "0", "3"};  // F and row of RHO
        complex.initialValues = repeated(3, "");
        complex.initialValues.push_back("n");
        complex.replacements = repeated(3, "");
        complex.outputs = {"2", "0"};  // no line plots for an eigenvalue problem
        sc = runZemka(complex.answers());
        ASSERT_TRUE(finished(sc));
        EXPECT_EQ(acceptedGlobals(complex.lead(), programNames(sc, {"x", "y", "z"})), Lines{});
        EXPECT_TRUE(follows(sc, {"MSG 13", "      EVCMPX = .TRUE.", "MSG 15", "      EV0R = 0.0", "      EV0I = 0.0",
                                 "      EV0R =", expr("1"), "      EV0I =", expr("-1"), "MSG 16"}));
        EXPECT_TRUE(follows(sc, {"      parameter (NEQN=   3)", "C        un8z(1,I) hold the (rarely used) values"}));
        EXPECT_TRUE(
            follows(sc, {dp ? "      double precision uu8z(3,neqnmx)" : "      real uu8z(3,neqnmx)",
                         "      dimension rho(neqn,neqn)", "      common/parm8z/ pi", "      x  = uu8z(1, 1)"}));
        EXPECT_TRUE(sc.said("  RHO(2,3) ="));
        EXPECT_TRUE(follows(sc, {marker("F2"), "      if (i8z.eq.    2) yd8z =", expr("z"),
                                 marker("RHO"), "      RHO(2,1) =", expr("0"),
                                 "      RHO(2,2) =", expr("2"), "      RHO(2,3) =", expr("0"), marker("F3")}));
        EXPECT_TRUE(follows(sc, {"                          else", "MSG 35"}));
        EXPECT_TRUE(sc.said("|---- Illegal input.  Re-enter integer in the range 0 to 1"));
        EXPECT_FALSE(sc.has("C        *******LINE PLOTS"));
    }
}

TEST(Gen0d, TwelveEquationsUseTwoDigitNames) {
    Dialog0d d;
    d.problem = {"2", "", "1", "n", "n", "10", "n"};  // time-dependent, nonlinear, fixed steps
    d.unknowns = {"100", "12"};                        // NEQN 100 refused
    for (int k = 1; k <= 12; ++k) d.unknowns.push_back("u" + std::to_string(k));
    d.unknowns.push_back("n");  // exact Jacobian
    // Equation i: C(i,1) .. C(i,12) with 1 on the diagonal only, then F = u(i); every
    // Jacobian entry at its default.
    d.coefficients = {"n"};
    for (int i = 1; i <= 12; ++i) {
        for (int k = 1; k <= 12; ++k) d.coefficients.push_back(k == i ? "1" : "");
        d.coefficients.push_back("u" + std::to_string(i));
    }
    d.coefficients.insert(d.coefficients.end(), 12 * 12, "");
    d.initialValues = repeated(12, "");
    d.initialValues.push_back("n");
    d.replacements = repeated(12, "");
    d.nsave = {"3"};
    d.outputs = {"1", "13", "12", "", "0"};  // a table of IVAR 13 (refused) then 12
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));
    EXPECT_TRUE(sc.said("|---- Illegal input.  Re-enter integer in the range 1 to 99"));
    EXPECT_TRUE(sc.has("      PARAMETER (NEQN = 12)"));
    EXPECT_TRUE(sc.said(" U12 ="));
    EXPECT_TRUE(sc.has("      u12  = uu8z(1,12)"));
    // The fourth variant of every numbered message.
    for (int variant : {32, 44, 52, 58}) EXPECT_TRUE(follows(sc, {"MSG " + std::to_string(variant)})) << variant;
    EXPECT_TRUE(follows(sc, {"      yd8z = 0.0", marker("C( 1, 1)"), "      if (i8z.eq. -101) yd8z =", expr("1")}));
    EXPECT_TRUE(follows(sc, {marker("C( 2, 3)"), "C     if (i8z.eq. -203) yd8z =", defaulted}));
    EXPECT_TRUE(follows(sc, {marker("C(12,12)"), "      if (i8z.eq.-1212) yd8z =", expr("1"), marker("F12"),
                             "      if (i8z.eq.   12) yd8z =", expr("u12"), "                else"}));
    EXPECT_TRUE(sc.said(" F12.u12 =   (Press [RETURN] to default, if F12 is a linear function of u12)"));
    EXPECT_TRUE(follows(sc, {marker("F12.u12"), "C     if (i8z.eq.   12.and.j8z.eq.   34) yd8z =", defaulted,
                             "                endif"}));
    EXPECT_TRUE(sc.said("|---- Illegal input.  Re-enter integer in the range 1 to 12"));
    EXPECT_TRUE(follows(sc, {"MSG 58", "      IVAR =         12"}));
}

TEST(Gen0d, IntegralsAndOptionalFortranBlocks) {
    Dialog0d d;
    d.blocks = true;
    d.problem = {"1", "n", ""};
    d.unknowns = {"2", "u", "v", "y"};
    d.integrals = {"21", "2", "y", "      s = u+v", "", "s**2", "u*v"};  // NINT above 20 refused; block, INTEGRAL1, 2
    d.coefficients = {"y", "      c = 2.0", "", "c*u-1", "v-u"};
    d.initialValues = {"n", "", "", "n"};  // no block, u0, v0, no restart
    d.replacements = {"y", "      w = u*u", "", "w", ""};  // block, UPRINT(1), UPRINT(2)
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));
    EXPECT_TRUE(sc.said("|---- Illegal input.  Re-enter integer in the range 0 to 20"));
    EXPECT_TRUE(sc.said("   used in the definition of the integrals?"));
    EXPECT_TRUE(follows(sc, {"      NINT =          2", "      nbint = 0"}));
    EXPECT_TRUE(follows(sc, {"      yd8z = 0.0", "MSG 30", "      s = u+v", marker("INTEGRAL1"),
                             "      if (kint8z.eq.    1) yd8z =", expr("s**2"), marker("INTEGRAL2"),
                             "      if (kint8z.eq.    2) yd8z =", expr("u*v"), "                          else"}));
    EXPECT_TRUE(follows(sc, {"MSG 38", "      c = 2.0", "                if (j8z.eq.0) then"}));
    EXPECT_TRUE(sc.said("   used in the definition of the initial values?"));
    EXPECT_TRUE(follows(sc, {"MSG 46", marker("u0")}));
    EXPECT_TRUE(sc.said("      Replace u for postprocessing?"));
    EXPECT_TRUE(sc.said("  UPRINT(2) =             (Press [RETURN] to default)"));
    EXPECT_TRUE(follows(sc, {"MSG 50", "      w = u*u",
                             "C        DEFINE UPRINT(*) HERE:", "      UPRINT(1) =", expr("w"), "      return"}));
}

TEST(Gen0d, GlobalParametersInEveryCommonLine) {
    // Refused first: T alone, dt, a name of seven letters, and in any case two names of the
    // program's own: the title of its tables and the library's tolerances.
    Dialog0d six;
    six.doublePrecision = false;
    six.globals = {"t", "dt", "abcdefg", "TITLE", "toler", "alpha", "1.5", "n1", "3",
                   "b", "2", "c", "3", "d", "4", "e", "5"};
    six.coefficients = {"n", "alpha*u-n1"};
    Scenario sc = runZemka(six.answers());
    ASSERT_TRUE(finished(sc));
    EXPECT_EQ(timesSaid(sc, "|---- Illegal parameter name, re-enter in columns 1-6"), 3);
    EXPECT_EQ(timesSaid(sc, "|---- Name used by the program itself, re-enter in columns 1-6"), 2);
    EXPECT_FALSE(sc.has("      t      ="));
    EXPECT_TRUE(sc.said(" Note: n1     must be an integer."));
    EXPECT_FALSE(sc.said(" Note: alpha  must be an integer."));
    EXPECT_TRUE(follows(sc, {"MSG 9", "      alpha  =", expr("1.5"), "C      Note: n1     must be an integer.",
                             "      n1     =", expr("3"), "      b      ="}));
    // Six names fill the first line, and the format's next group still writes its "&".
    std::vector<std::string> sixNames{"      common/parm8z/ pi,alpha ,n1    ,b     ,c     ,d     ,e", "     &"};
    EXPECT_TRUE(follows(sc, {"      PARAMETER (NSAVE = 1)", sixNames[0], sixNames[1],
                             "      dimension xgrid(nxgrid),xout8z(0:0),tout8z(0:nsave),uout(2,neqn,0:"}));
    int lines = 0;
    for (int at = sc.find(sixNames[0]); at >= 0; at = sc.find(sixNames[0], at + 1)) ++lines;
    EXPECT_EQ(lines, 5);  // main program, pdes8z, u8z, pmod8z, postpr
    EXPECT_TRUE(follows(sc, {"      function u8z(i8z,x8z,t0)", "      implicit real (a-h,o-z)",
                             "      real kvrxx,kvrlx,kvrgr2,kvr1e,kvrt,kvrex", sixNames[0], sixNames[1], "      u8z = 0.0"}));

    Dialog0d seven;
    seven.globals = {"a", "1", "b", "2", "c", "3", "d", "4", "e", "5", "f", "6", "gamma", "7"};
    seven.coefficients = {"n", "u-gamma"};
    sc = runZemka(seven.answers());
    ASSERT_TRUE(finished(sc));
    EXPECT_TRUE(follows(sc, {"      common/parm8z/ pi,a     ,b     ,c     ,d     ,e     ,f", "     &,gamma",
                             "      dimension xgrid(nxgrid),xout8z(0:0),tout8z(0:nsave),uout(2,neqn,0:"}));
    EXPECT_FALSE(sc.said(" Note: gamma  must be an integer."));
}

TEST(Gen0d, OutputChoicesUserBlockAndAssembledOrder) {
    Dialog0d d;
    d.outputs = {"2", "1", "2", "1", "First", "1", "1", "", "0"};  // line plot refused, two tables
    d.closing = {"y", "      subroutine extra", "      end", ""};
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));
    EXPECT_TRUE(sc.said("|---- Illegal input.  Re-enter integer in the range 0 to 1"));
    EXPECT_TRUE(sc.said("|---- Illegal input.  Re-enter integer in the range 1 to 1"));
    EXPECT_TRUE(follows(sc, {"      call postpr(tout8z,nsave,uout,neqn)", "C        *******TABULAR OUTPUT", "MSG 55",
                             "      IVAR =          1", "MSG 59", "      TITLE = ' '",
                             "      TITLE = 'First                                   '",
                             "      call dkvr1f(tout8z,uout(1,ivar,0),nsave,neqn,title)",
                             "C        *******TABULAR OUTPUT", "MSG 55", "      IVAR =          1", "MSG 59",
                             "      TITLE = ' '",
                             "      call dkvr1f(tout8z,uout(1,ivar,0),nsave,neqn,title)", "78755 continue",
                             "      call endgks", "      stop", "      end", "", "",
                             "      subroutine pdes8z(yd8z,i8z,j8z,kint8z,x8z,t,uu8z)"}));
    EXPECT_TRUE(sc.said(msg(411)));
    EXPECT_FALSE(follows(sc, {"MSG 411"}));

    // The banner, then the header stream ending with its parameter common line, the body,
    // and the subprograms with the user's block last. Body and subprograms come back as
    // records of 79 columns.
    std::vector<std::string> p = sc.program();
    ASSERT_GT(p.size(), 10u);
    EXPECT_EQ(p[1], "C     * ZEMKA 9.6 MAIN PROGRAM *");
    EXPECT_EQ(p[3], "C     *** 0D PROBLEM SOLVED ***");
    EXPECT_EQ(p[7], "      implicit double precision (a-h,o-z)");
    int header = sc.find("      common/parm8z/ pi");
    ASSERT_GT(header, 0);
    EXPECT_TRUE(
        follows(sc, {"      parameter (neqnmx=  99)", "MSG 25", "      PARAMETER (NEQN = 1)",
                     "      parameter (nxgrid = 1)", "C        DIMENSIONS OF WORK ARRAYS",
                     "C        SET TO 1 FOR AUTOMATIC ALLOCATION", "      PARAMETER (IRWK8Z=           1)",
                     "      PARAMETER (IIWK8Z=           1)", "      PARAMETER (NSAVE = 1)", "      common/parm8z/ pi",
                     "      dimension xgrid(nxgrid),xout8z(0:0),tout8z(0:nsave),uout(2,neqn,0:"}));
    EXPECT_EQ(sc.mainf[header].size(), std::string("      common/parm8z/ pi").size());
    for (std::size_t i = header + 1; i < sc.mainf.size(); ++i) ASSERT_EQ(sc.mainf[i].size(), 79u) << i;
    EXPECT_TRUE(follows(
        sc, {"C!      call mkvr0d(itype,lun)", "      return", "      end", "      subroutine extra", "      end"}));
    EXPECT_EQ(p.back(), "      end");
    EXPECT_EQ(sc.find("      subroutine extra"), static_cast<int>(p.size()) - 2);

    // echo.out holds every answer taken, refused ones too, each at its question's width.
    auto w = [](const std::string& s, std::size_t width) { return s + std::string(width - s.size(), ' '); };
    EXPECT_EQ(sc.echo, (std::vector<std::string>{"n  ",
                                                 w("0", 72),
                                                 "y  ",
                                                 w("", 65),
                                                 w("", 7),
                                                 "n  ",
                                                 w("1", 72),
                                                 "y  ",
                                                 w("1", 72),
                                                 "u   ",
                                                 w("0", 72),
                                                 "n  ",
                                                 w("u-1", 65),
                                                 w("", 65),
                                                 w("2", 72),
                                                 w("1", 72),
                                                 w("2", 72),
                                                 w("1", 72),
                                                 w("First", 40),
                                                 w("1", 72),
                                                 w("1", 72),
                                                 w("", 40),
                                                 w("0", 72),
                                                 "y  ",
                                                 w("      subroutine extra", 72),
                                                 w("      end", 72),
                                                 w("", 72)}));
}

}  // namespace
}  // namespace zemka::test
