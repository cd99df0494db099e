// 2D collocation programs: each transformation, the grids, every problem type, one to twelve
// unknowns, the Jacobian of F and of the face conditions, periodicity and faces with a single
// grid line, both kinds of output points, every output kind, data-file functions, both
// precisions, the front-end marks, and programs linked and run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>

#include "scenario.h"

namespace zemka::test {
namespace {

using Lines = std::vector<std::string>;

Lines operator+(Lines a, const Lines& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Lines repeated(int n, const std::string& answer) { return Lines(static_cast<std::size_t>(n), answer); }

// The answers of one 2D collocation dialog, step by step. The defaults make a linear steady
// problem in one unknown u on the unit square (ITRANS 0, three grid lines each way) with u = 0
// on every face; a scenario replaces the steps it is about.
struct Dialog2dc {
    bool doublePrecision = true;
    Lines globals;                                                  // name, value, ...
    bool blocks = false;                                            // optional Fortran blocks offered
    Lines transformation = {"0"};                                   // ITRANS (and X, Y, ...)
    Lines grids = {"3", "0.0", "", "1.0", "3", "0.0", "", "1.0"};  // NP1GRID, P1GRID(i); NP2GRID, ...
    Lines isolve = {"1"};
    Lines problem = {"1", "y"};                // steady state, linear
    Lines unknowns = {"1", "u"};               // NEQN, names (FDIFF)
    Lines integrals = {"0", "0"};              // NINT, NBINT (and the integrands)
    Lines equations = {"n", "uxx+uyy+1.0"};    // no block, F (C, RHO, the Jacobian)
    Lines initialValues;                       // u8z, LSQFIT, restart
    Lines periodicity = {"0"};                 // IPERDC
    Lines faces = {"u", "u", "u", "u"};        // G on faces 1 to 4 (the pauses, derivatives)
    Lines replacements = {"", "", ""};         // UPRINT, UXPRINT, UYPRINT
    Lines outputPoints = {"10", "10", "", "", "", ""};  // NP1, NP2, P1A, P1B, P2A, P2B (NSAVE)
    Lines outputs = {"0"};
    Lines closing = {"n", "n"};  // no user routines, no data-file functions

    // No example, 2D, collocation, the precision and NPROB left at 1: the answers before the
    // first global parameter's name.
    Lines lead() const { return {"n", "2", "2", doublePrecision ? "y" : "n", ""}; }

    Lines answers() const {
        Lines a = lead() + globals + Lines{"", blocks ? "y" : "n"};
        for (const Lines* part : {&transformation, &grids, &isolve, &problem, &unknowns, &integrals, &equations,
                                  &initialValues, &periodicity, &faces, &replacements, &outputPoints, &outputs,
                                  &closing})
            a = a + *part;
        return a;
    }
};

// Of the names of the program's own, those a global parameter may take. The dialog's global
// parameters and block variables, and the unknowns with all the names they give their
// derivatives, are the user's.
Lines acceptedProgramNames(const Scenario& sc, const Dialog2dc& d, std::set<std::string> chosen,
                           const Lines& unknowns) {
    for (const std::string& u : unknowns)
        for (const char* suffix : {"", "1", "2", "11", "22", "12", "21", "x", "y", "xx", "yy", "xy", "yx", "norm"})
            chosen.insert(u + suffix);
    return acceptedGlobals(d.lead(), programNames(sc, chosen));
}

const std::string rule = "C" + std::string(78, '#');
std::string boxed(const std::string& text) { return "C     " + text + std::string(72 - text.size(), ' ') + "#"; }

const std::string rangeRefused = "|---- Illegal input.  Re-enter integer in the range ";
const std::string illegal = "|---- Illegal input";
const std::string& pause = pausePrompt;

// The derivatives of unknown U (with the index k as I2) bound in pdes8z and pmod8z.
Lines bindings(const std::string& u, const std::string& k) {
    return {"      " + u + "  = uu8z(1," + k + ")", "      " + u + "1 = uu8z(2," + k + ")",
            "      " + u + "2 = uu8z(3," + k + ")", "      " + u + "11= uu8z(5," + k + ")",
            "      " + u + "22= uu8z(6," + k + ")", "      " + u + "12= uu8z(8," + k + ")",
            "      " + u + "21= uu8z(8," + k + ")"};
}

// The linear steady problem of the defaults, with a global parameter and a table: the whole
// program in the order its units are written.
TEST(Gen2dc, LinearSteadyStateOnTheUnitSquare) {
    Dialog2dc d;
    d.globals = {"alpha", "2.0", "perdc", "x13", "itrans", "beta", "1.0"};
    d.isolve = {"7", "1"};
    d.equations = {"n", "uxx+uyy+alpha"};
    d.outputs = {"1", "4", "3", "Table", "0"};  // IVAR 4 refused with one unknown
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));
    EXPECT_EQ(acceptedProgramNames(sc, d, {"alpha", "beta"}, {"u"}), Lines{});
    EXPECT_EQ(timesSaid(sc, "|---- Name used by the program itself, re-enter in columns 1-6"), 3);
    EXPECT_EQ(sc.linkAndRunErrors(), "");

    // The header stream: every PARAMETER of the main program, then its parameter common line.
    EXPECT_TRUE(follows(sc, {"C     *** 2D PROBLEM SOLVED (COLLOCATION METHOD) ***", "MSG 7",
                             "      implicit double precision (a-h,o-z)", "      parameter (neqnmx=  99)", rule,
                             boxed("NP1GRID = number of P1-grid lines"), rule, "      PARAMETER (NP1GRID = 3)", rule,
                             boxed("NP2GRID = number of P2-grid lines"), rule, "      PARAMETER (NP2GRID = 3)",
                             "MSG 25", "      PARAMETER (NEQN = 1)", "      parameter (np3grid = 1)",
                             "C        DIMENSIONS OF WORK ARRAYS", "C        SET TO 1 FOR AUTOMATIC ALLOCATION",
                             "      PARAMETER (IRWK8Z=           1)", "      PARAMETER (IIWK8Z=           1)",
                             "      PARAMETER (NXP8Z=101,NYP8Z=101,KDEG8Z=1,NZP8Z=KDEG8Z+1)", "MSG 323",
                             "      PARAMETER (NP1 = 10)", "      PARAMETER (NP2 = 10)", "      PARAMETER (NSAVE = 1)",
                             "      common/parm8z/ pi,alpha ,beta"}));
    // The main program's own arrays, commons and first statements.
    EXPECT_TRUE(sc.hasBlock({"      common/parm8z/ pi,alpha ,beta",
                             "      dimension p1grid(np1grid),p2grid(np2grid),p3grid(np3grid),p1out8z(",
                             "     &0:np1,0:np2),p2out8z(0:np1,0:np2),p3out8z(0:np1,0:np2),p1cross(100",
                             "     &),p2cross(100),tout8z(0:nsave)",
                             "C      dimension xres8z(nxp8z),yres8z(nyp8z),zres8z(nzp8z),",
                             "C     & ures8z(neqn,nxp8z,nyp8z,nzp8z)"}));
    EXPECT_TRUE(sc.hasBlock({"      common/dkvr19/ toler(neqnmx),adapt", "      common/dkvr30/ econ8z,ncon8z",
                             "      common/dkvr45/ perdc(neqnmx)", "      common/dkvr46/ eps8z,cgtl8z,npmx8z,itype,near8z",
                             "      common/dkvr52/ nxa8z,nya8z,nza8z,kd8z",
                             "      common/dkvr53/ work8z(nxp8z*nyp8z*nzp8z+9)",
                             "      common/dkvr64/ amin8z(4*neqnmx),amax8z(4*neqnmx)",
                             "      common/dkvr76/ mdim8z,nx18z,ny18z,p1a,p1b,p2a,p2b,uout(0:np1,0:np2",
                             "     &,4,neqn,0:nsave)", "      pi = 4.0*atan(1.d0)", "      zr8z = 0.0",
                             "      nxa8z = nxp8z", "      nya8z = nyp8z", "      nza8z = nzp8z", "      nx18z = np1+1",
                             "      ny18z = np2+1", "      mdim8z = 4", "      kd8z = kdeg8z"}));
    EXPECT_TRUE(follows(sc, {"      kd8z = kdeg8z", "MSG 8", "      NPROB = 1", "      do 78755 iprob=1,nprob",
                             "MSG 279", "      alpha  =", expr("2.0"), "      beta   =", expr("1.0"), "MSG 281",
                             "      call dkvrwx(p1grid,np1grid,0)", "      call dkvrwx(p2grid,np2grid,0)",
                             "C        P1GRID DEFINED", "      P1GRID(1) =", expr("0.0"), "      P1GRID(NP1GRID) =",
                             expr("1.0"), "C        P2GRID DEFINED", "      P2GRID(1) =", expr("0.0"),
                             "      P2GRID(NP2GRID) =", expr("1.0"), "C", "      p3grid(1) = 0",
                             "      call dkvrwx(p1grid,np1grid,1)", "      call dkvrwx(p2grid,np2grid,1)", "MSG 282",
                             "      ISOLVE =          1"}));
    EXPECT_TRUE(sc.said("  P1GRID(2) =" + std::string(10, ' ') + "   (Press [RETURN] to default)"));
    EXPECT_TRUE(sc.said(rangeRefused + "1 to 6"));
    // ITRANS 0: tran8z is its head, the assignment and the dummy third coordinate.
    EXPECT_TRUE(follows(sc, {"      subroutine tran8z(itrans,p1,p2,p38z)", "      implicit double precision (a-h,o-z)",
                             "      common /dkvr41/x,y,z8z,x1,x2,x38z,y1,y2,y38z,z18z,z28z,z38z,x11,x2",
                             "     &1,x31,x12,x22,x32,x13,x23,x33,y11,y21,y31,y12,y22,y32,y13,y23,y33,",
                             "     &z11,z21,z31,z12,z22,z32,z13,z23,z33", "      common/parm8z/ pi,alpha ,beta",
                             "MSG 280", "      ITRANS =          0", "C", "      z8z = p38z", "      z38z = 1",
                             "      return", "      end"}));

    // A linear steady problem: one Newton step, no FDIFF question, no start values, no restart.
    EXPECT_TRUE(follows(sc, {"      ISOLVE =          1", "C        *******STEADY-STATE PROBLEM", "      itype = 1",
                             "      t0 = 0.0", "      dt = 1.0", "      crankn = .false.", "      noupdt = .false.",
                             "MSG 18", "      LINEAR = .TRUE.", "C        Number of Newton iterations",
                             "      NSTEPS = 1", "      FDIFF = .FALSE.", "MSG 28", "      NINT =          0", "MSG 74",
                             "      NBINT =          0", "      lsqfit = .false.", "      RESTRT = .FALSE.",
                             "      GRIDID = .TRUE.", "MSG 308", "      IPERDC =          0", "MSG 325"}));
    for (int m : {24, 27, 48, 305}) EXPECT_FALSE(sc.said(msg(m))) << m;

    // pdes8z: the head, the unknown and its derivatives, the integrals' models, F.
    EXPECT_TRUE(
        follows(sc, {"      subroutine pdes8z(yd8z,i8z,j8z,kint8z,p1,p2,p38z,t,uu8z)",
                     "      implicit double precision (a-h,o-z)", "      parameter (neqnmx=  99)",
                     "C        un8z(1,I),un8z(2,I),... hold the (rarely used) values",
                     "C        of UI,UI1,... from the previous iteration or time step",
                     "      common /dkvr5x/un8z(10,neqnmx)", "      common /dkvr18/norm1,norm2,n38z",
                     "      double precision norm1,norm2,n38z,normx,normy,nz8z", "      dimension uu8z(10,neqnmx)",
                     "      common/parm8z/ pi,alpha ,beta", "      zr8z = 0.0"}));
    EXPECT_TRUE(sc.hasBlock(bindings("u", " 1") +
                            Lines{"      call dkvrcd(p1,p2,p38z)",
                                  "      call dkvrcb(p1,p2,p38z,norm1,norm2,n38z,x,y,z8z,normx,normy,nz8z,3",
                                  "     &)", "      call dkvrcc(p1,p2,p38z,",
                                  "     &          u1,u2,zr8z,u11,u22,zr8z,u12,zr8z,zr8z,",
                                  "     & x,y,z8z,ux,uy,uz8z,uxx,uyy,uzz8z,uxy,uxz8z,uyz8z,",
                                  "     & uyx,uzx8z,uzy8z,dvol,darea)", "      unorm = ux*normx + uy*normy",
                                  "                          if (i8z.eq.0) then", "      yd8z = 0.0"}));
    EXPECT_TRUE(follows(sc, {"      yd8z = 0.0", "MSG 284", marker("INTEGRAL1"), "C     if (kint8z.eq.1) yd8z =",
                             defaulted, "MSG 288", marker("BND. INTEGRAL1"), "C     if (kint8z.eq.-1) yd8z =",
                             defaulted, "      if (kint8z.gt.0) yd8z = yd8z*dvol",
                             "      if (kint8z.lt.0) yd8z = yd8z*darea", "                          else", "MSG 296",
                             "                if (j8z.eq.0) then", "      yd8z = 0.0", marker("F"),
                             "      if (i8z.eq.    1) yd8z =", expr("uxx+uyy+alpha"), "                else",
                             "                endif", "                          endif", "      return", "      end"}));
    EXPECT_FALSE(sc.said(msg(284)));
    EXPECT_TRUE(sc.said(msg(296)));
    EXPECT_TRUE(follows(sc, {"      function u8z(i8z,p1,p2,p38z,t0)", "      implicit double precision (a-h,o-z)",
                             "      common/parm8z/ pi,alpha ,beta", "      call dkvrcd(p1,p2,p38z)",
                             "      call dkvrcb(p1,p2,p38z,z18z,z28z,z38z,x,y,z8z,d18z,d28z,d38z,1)",
                             "      u8z = 0.0", "      return", "      end"}));

    // gb8z: G on each face, asked.
    EXPECT_TRUE(follows(
        sc, {"      subroutine gb8z(gd8z,ifac8z,i8z,j8z,p1,p2,p38z,t,uu8z)",
             "      implicit double precision (a-h,o-z)",
             "      parameter (neqnmx=  99)", "      dimension uu8z(10,neqnmx)",
             "C        un8z(1,I),un8z(2,I),... hold the (rarely used) values",
             "C        of UI,UI1,... from the previous iteration or time step", "      common /dkvr5x/ un8z(10,neqnmx)",
             "      common /dkvr18/norm1,norm2,n38z", "      double precision none,norm1,norm2,n38z,normx,normy,nz8z",
             "      common/parm8z/ pi,alpha ,beta", "      none = dkvrlx(2)", "      zr8z = 0.0",
             "      u  = uu8z(1, 1)", "      u1 = uu8z(2, 1)", "      u2 = uu8z(3, 1)", "      call dkvrcd(p1,p2,p38z)",
             "      call dkvrcb(p1,p2,p38z,norm1,norm2,n38z,x,y,z8z,normx,normy,nz8z,3", "     &)",
             "      call dkvrcb(", "     & p1,p2,p38z,u1,u2,zr8z,x,y,z8z,ux,uy,uz8z,2)",
             "      unorm = ux*normx + uy*normy", "      if (j8z.eq.0) gd8z = 0.0", "MSG 309"}));
    for (int f = 1; f <= 4; ++f)
        EXPECT_TRUE(follows(sc, {"            if (ifac8z.eq. " + std::to_string(f) + ") then",
                                 "MSG " + std::to_string(312 + f), "                          if (j8z.eq.0) then",
                                 marker("G"), "      if (i8z.eq.    1) gd8z =", expr("u"),
                                 "                          else", "                          endif",
                                 "            endif"}))
            << f;
    EXPECT_EQ(timesSaid(sc, pause), 0);

    // pmod8z: U, Ux and Uy offered for replacement.
    EXPECT_TRUE(follows(
        sc, {"            endif", "      return", "      end", "", "",
             "      subroutine pmod8z(p1,p2,p38z,t,uu8z,uprint,uxprint,uyprint,uzp8z)",
             "      implicit double precision (a-h,o-z)",
             "      dimension uu8z(10,*),uprint(*),uxprint(*),uyprint(*),uzp8z(*)",
             "      common/dkvr14/sint(20),bint(20),slim8z(20),blim8z(20)", "      common/parm8z/ pi,alpha ,beta",
             "      zr8z = 0.0"}));
    EXPECT_TRUE(sc.hasBlock(bindings("u", " 1") +
                            Lines{"      call dkvrcd(p1,p2,p38z)", "      call dkvrcc(p1,p2,p38z,",
                                  "     &          u1,u2,zr8z,u11,u22,zr8z,u12,zr8z,zr8z,",
                                  "     & x,y,z8z,ux,uy,uz8z,uxx,uyy,uzz8z,uxy,uxz8z,uyz8z,",
                                  "     & uyx,uzx8z,uzy8z,dvol8z,dare8z)", "      uxprint( 1) = ux",
                                  "      uyprint( 1) = uy"}));
    EXPECT_TRUE(follows(sc, {"      uyprint( 1) = uy", "MSG 319",
                             "C        DEFINE UPRINT(*),UXPRINT(*),UYPRINT(*) HERE:",
                             "      return", "      end"}));
    for (const char* q : {"u", "ux", "uy"})
        EXPECT_TRUE(sc.said("      Replace " + std::string(q) + " for postprocessing?")) << q;

    // Output points over the whole rectangle, the solver, the postprocessor.
    EXPECT_TRUE(follows(
        sc, {"MSG 325", "C        defaults for p1a,p1b,p2a,p2b", "      p1a = p1grid(1)", "      p1b = p1grid(np1grid)",
             "      p2a = p2grid(1)", "      p2b = p2grid(np2grid)",
             "C        DEFINE P1A,P1B,P2A,P2B IMMEDIATELY BELOW:",
             "      call dkvrx3(np1,np2,0,p1a,p1b,p2a,p2b,zr8z,zr8z,hp18z,hp28z,hp38z,",
             "     &p1out8z,p2out8z,p3out8z,npts8z)", "C        SOLUTION SAVED EVERY NOUT ITERATIONS",
             "      NOUT = NSTEPS", "      call dkvrqx(np1grid,np2grid,np3grid,isolve,neqn,ii8z,ir8z,iperdc)",
             "      if (iiwk8z.gt.1) ii8z = iiwk8z", "      if (irwk8z.gt.1) ir8z = irwk8z",
             "C        *******allocate workspace", "      allocate (iwrk8z(ii8z),rwrk8z(ir8z))",
             "C        *******DRAW GRID LINES?", "      PLOT = .TRUE.", "C        *******call pde solver",
             "      call dkvr3x(p1grid, p2grid, p3grid, np1grid,np2grid, -1, neqn, p1o",
             "     &ut8z, p2out8z, p3out8z, uout, tout8z, npts8z, t0, dt, nsteps, nout",
             "     &, nsave, crankn, noupdt, itype, linear, isolve, rwrk8z, ir8z, iwrk",
             "     &8z, ii8z, iperdc, plot, lsqfit, fdiff, nint, nbint, restrt, gridid", "     &)",
             "      deallocate (iwrk8z,rwrk8z)", "C        *******read from restart file to array ures8z",
             "C      call dkvrr3(1,xres8z,nxp8z,yres8z,nyp8z,zres8z,nzp8z,ures8z,neqn)",
             "C        *******write array ures8z back to restart file",
             "C      call dkvrr3(2,xres8z,nxp8z,yres8z,nyp8z,zres8z,nzp8z,ures8z,neqn)",
             "C        *******call user-written postprocessor",
             "      call postpr(tout8z,nsave,p1out8z,p2out8z,np1,np2,uout,neqn)"}));
    EXPECT_EQ(countContaining(sc, "CON8Z) GO TO"), 0);

    // A table of a steady problem asks no saved steps.
    EXPECT_TRUE(sc.said(rangeRefused + "1 to 3"));
    EXPECT_FALSE(sc.said(msg(123)));
    EXPECT_TRUE(follows(sc, {"      call postpr(tout8z,nsave,p1out8z,p2out8z,np1,np2,uout,neqn)",
                             "C        *******TABULAR OUTPUT", "MSG 327", "      IVAR =          3",
                             "      ivara8z = mod(ivar-1,3)+1", "      ivarb8z = (ivar-1)/3+1", "      ISET1 = 1",
                             "      ISET2 = NSAVE", "      ISINC = 1", "MSG 59", "      TITLE = ' '",
                             "      TITLE = 'Table                                   '",
                             "      call dkvrrx(tout8z,nsave,iset1,iset2,isinc)",
                             "      do 78756 is8z=iset1,iset2,isinc",
                             "      call dkvrrc(p1out8z,p2out8z,uout(0,0,ivara8z,ivarb8z,is8z),npts8z,",
                             "     &title,tout8z(is8z))", "78756 continue", "78755 continue", "      call endgks",
                             "      stop", "      end", "", "", "      subroutine tran8z(itrans,p1,p2,p38z)"}));

    // After pmod8z: axis8z, the dummy routines, postpr with its example, and nothing else.
    EXPECT_TRUE(sc.hasBlock(
        {"      function axis8z(i8z,p1,p2,p38z,ical8z)", "      implicit double precision (a-h,o-z)",
         "      call dkvrcd(p1,p2,p38z)", "      call dkvrcb(p1,p2,p38z,z18z,z28z,z38z,x,y,z8z,d18z,d28z,d38z,1)",
         "      if (i8z.eq.1) axis8z = x", "      if (i8z.eq.2) axis8z = y", "      return", "      end",
         "C        dummy routines", "      subroutine xy8z(i8z,iarc8z,s,x,y,s0,sf)",
         "      implicit double precision (a-h,o-z)", "      return", "      end",
         "      subroutine dis8z(x,y,ktri,triden,shape)", "      implicit double precision (a-h,o-z)", "      return",
         "      end", "      function fb8z(i8z,iarc8z,ktri,s,x,y,t)", "      implicit double precision (a-h,o-z)",
         "      fb8z = 0", "      return", "      end", "", "",
         "      subroutine postpr(tout,nsave,p1out,p2out,np1,np2,uout,neqn)",
         "      implicit double precision (a-h,o-z)",
         "      dimension p1out(0:np1,0:np2),p2out(0:np1,0:np2),tout(0:nsave)",
         "      dimension uout(0:np1,0:np2,4,neqn,0:nsave)", "      common/parm8z/ pi,alpha ,beta"}));
    EXPECT_TRUE(sc.hasBlock({"C       at the point (P1OUT(I,J) , P2OUT(I,J))", "C       at time/iteration TOUT(L)."}));
    EXPECT_TRUE(sc.hasBlock(
        {"C!      write (lud,78754) neqn", "C!      write (lud,78754) np1", "C!      write (lud,78754) np2",
         "C!78754 format (i8)", "C!      do 78756 i=0,np1", "C!      do 78755 j=0,np2", "C!         p1 = p1out(i,j)",
         "C!         p2 = p2out(i,j)", "C!         p38z = 0.0", "C!         call dkvrcd(p1,p2,p38z)",
         "C!         call dkvrcb(p1,p2,p38z,z18z,z28z,z38z,x,y,z8z,", "C!     &   d18z,d28z,d38z,1)",
         "C!         write (lud,78762) p1,p2,x,y", "C!78755 continue", "C!78756 continue",
         "C!      do 78761 l=0,nsave0", "C!         write (lud,78762) tout(l)", "C!         do 78760 ieq=1,neqn",
         "C!         do 78759 ider=1,3", "C!         do 78758 i=0,np1", "C!         do 78757 j=0,np2",
         "C!            write (lud,78762) uout(i,j,ider,ieq,l)", "C!78757    continue", "C!78758    continue",
         "C!78759    continue", "C!78760    continue", "C!78761 continue", "C!78762 format (e16.8)",
         "C       ******* WRITE zemka.m", "C!      call mkvr2dc(itype,lun)", "      return", "      end"}));
    EXPECT_EQ(rtrim(sc.mainf.back()), "      end");
    // The main program, tran8z, pdes8z, u8z, gb8z, pmod8z and postpr see the global parameters.
    EXPECT_EQ(countContaining(sc, "common/parm8z/ pi,alpha ,beta"), 7);
    EXPECT_TRUE(sc.said(msg(411)));
}

// A nonlinear steady problem on each kind of transformation: a nonzero ITRANS takes the
// Jacobian to finite differences without a question, ITRANS 0 asks.
Dialog2dc nonlinear(const Lines& transformation) {
    Dialog2dc d;
    d.transformation = transformation;
    d.problem = {"1", "n", ""};  // NSTEPS kept
    d.equations = {"n", "uxx+uyy+u*u"};
    d.initialValues = {"1.0", "n"};  // u0, no restart
    return d;
}

// Lines of tran8z from ITRANS to the dummy third coordinate.
Lines transformationLines(const Scenario& sc) {
    Lines out, program = sc.program();
    auto line = std::find(program.begin(), program.end(), "      subroutine tran8z(itrans,p1,p2,p38z)");
    for (; line != program.end() && *line != "      z8z = p38z"; ++line)
        if (!out.empty() || line->starts_with("      ITRANS")) out.push_back(*line);
    return out;
}

TEST(Gen2dc, EachTransformation) {
    // ITRANS 3 after 2 and -2: the mapping of a quarter ring and all its derivatives, with a
    // block of the user's before them.
    Dialog2dc d = nonlinear({"2", "-2", "3", "y", "      r = p1", "", "r*cos(p2)", "r*sin(p2)", "cos(p2)",
                             "-r*sin(p2)", "sin(p2)", "r*cos(p2)", "0.0", "-sin(p2)", "-r*cos(p2)", "0.0", "cos(p2)",
                             "-r*sin(p2)"});
    d.blocks = true;
    d.grids = {"3", "1.0", "", "2.0", "2", "0.0", "pi/2"};
    d.initialValues = {"n", "1.0", "n"};
    d.faces = {"n", "u-1.0", "n", "u", "n", "uy", "n", "uy"};
    d.replacements = {"n", "", "", ""};
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));
    EXPECT_EQ(timesSaid(sc, illegal), 2);
    EXPECT_TRUE(sc.said("   used in the definition of X,Y,X1,...?"));
    EXPECT_EQ(transformationLines(sc),
              (Lines{"      ITRANS =          2", "      ITRANS =         -2", "      ITRANS =          3",
                     "      r = p1", "      X =", expr("r*cos(p2)"), "      Y =", expr("r*sin(p2)"), "C",
                     "      X1 =", expr("cos(p2)"), "      X2 =", expr("-r*sin(p2)"), "C", "      Y1 =",
                     expr("sin(p2)"), "      Y2 =", expr("r*cos(p2)"), "C", "      X11 =", expr("0.0"),
                     "      X12 =", expr("-sin(p2)"), "      X22 =", expr("-r*cos(p2)"), "C", "      Y11 =",
                     expr("0.0"), "      Y12 =", expr("cos(p2)"), "      Y22 =", expr("-r*sin(p2)"), "C"}));
    // Two P2-grid lines: no interior line asked.
    EXPECT_TRUE(follows(sc, {"C        P2GRID DEFINED", "      P2GRID(1) =", expr("0.0"), "      P2GRID(NP2GRID) =",
                             expr("pi/2"), "C", "      p3grid(1) = 0"}));
    EXPECT_FALSE(sc.said("  P2GRID(2) =" + std::string(10, ' ') + "   (Press [RETURN] to default)"));
    // Nonlinear: Newton steps offered, FDIFF without its question, no Jacobian, a start value.
    EXPECT_TRUE(follows(sc, {"MSG 18", "      LINEAR = .FALSE.", "MSG 24", "      NSTEPS = 15", "      FDIFF = .TRUE.",
                             "MSG 28"}));
    EXPECT_FALSE(sc.said(msg(27)));
    EXPECT_TRUE(follows(sc, {expr("uxx+uyy+u*u"), "                else", "                endif"}));
    EXPECT_TRUE(sc.said("   used in the definition of the initial values?"));
    EXPECT_TRUE(follows(sc, {"      u8z = 0.0", "MSG 305", marker("u0"), "      if (i8z.eq.    1) u8z =", expr("1.0"),
                             "      return"}));
    EXPECT_TRUE(follows(sc, {"      lsqfit = .false.", "MSG 48", "      RESTRT = .FALSE.",
                             "C     GRIDID = .FALSE. IF FINITE ELEMENT GRID CHANGES BETWEEN DUMP, RESTART",
                             "      GRIDID = .TRUE.", "MSG 308"}));
    EXPECT_EQ(timesSaid(sc, "   used in the definition of the boundary conditions (on this face only)?"), 4);
    EXPECT_TRUE(sc.said("   used in the definition of these variables?"));
    EXPECT_TRUE(sc.hasBlock({"C        *******UNCOMMENT TO POSTPROCESS ONLY IF CONVERGED",
                             "C      IF (.NOT.NCON8Z) GO TO 78755",
                             "C        *******read from restart file to array ures8z"}));
    EXPECT_EQ(sc.linkAndRunErrors(), "");

    // ITRANS -3: X and Y alone.
    sc = runZemka(nonlinear({"-3", "p1*(1.0+p2)", "p2"}).answers());
    ASSERT_TRUE(finished(sc));
    EXPECT_EQ(transformationLines(sc),
              (Lines{"      ITRANS =         -3", "      X =", expr("p1*(1.0+p2)"), "      Y =", expr("p2"), "C"}));
    EXPECT_TRUE(sc.has("      FDIFF = .TRUE."));
    EXPECT_FALSE(sc.said(msg(27)));

    // ITRANS 1 and -1: the library's own mappings, nothing asked.
    for (const char* itrans : {"1", "-1"}) {
        sc = runZemka(nonlinear({itrans}).answers());
        ASSERT_TRUE(finished(sc)) << itrans;
        std::string assignment = "      ITRANS = " + std::string(10 - std::strlen(itrans), ' ') + itrans;
        EXPECT_EQ(transformationLines(sc), (Lines{assignment, "C"}));
        EXPECT_TRUE(sc.has("      FDIFF = .TRUE.")) << itrans;
    }

    // ITRANS 0: FDIFF is asked.
    d = nonlinear({"0"});
    d.unknowns = {"1", "u", "y"};
    sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));
    EXPECT_TRUE(follows(sc, {"      NSTEPS = 15", "MSG 27", "      FDIFF = .TRUE.", "MSG 28"}));
    EXPECT_TRUE(follows(sc, {expr("uxx+uyy+u*u"), "                else", "                endif"}));
}

// The partial derivatives of F by U, Ux, Uy, Uxx, Uyy and Uxy of each unknown, and those of G
// by U, Ux and Uy on the faces that are asked; the periodic faces write every entry commented.
TEST(Gen2dc, NonlinearJacobianWithPeriodicFaces) {
    Dialog2dc d;
    d.problem = {"1", "n", "30"};
    d.unknowns = {"2", "u", "w", "n"};  // no finite differences
    d.equations = {"n", "uxx+uyy+u*w", "wxx+wyy-u*u"};
    d.equations = d.equations + Lines{"w", "", "", "1.0", "1.0", ""} + Lines{"u", "", "", "", "", ""};  // F1
    d.equations = d.equations + Lines{"-2.0*u", "", "", "", "", ""} + Lines{"", "", "", "1.0", "1.0", ""};  // F2
    d.initialValues = {"1.0", "", "y", "n"};  // u0, w0; restart on another grid
    d.periodicity = {"3", "2"};
    // Faces 1 and 2: G1, G2 and their derivatives by u, ux, uy, w, wx, wy; 3 and 4 periodic.
    d.faces = {"u-1.0", "w", "1.0", "", "", "", "", "", "", "", "", "1.0", "", ""};
    d.faces = d.faces + Lines{"ux", "wx", "", "1.0", "", "", "", "", "", "", "", "", "1.0", ""} + Lines{"", ""};
    d.replacements = repeated(6, "");
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));
    EXPECT_EQ(acceptedProgramNames(sc, d, {}, {"u", "w"}), Lines{});
    EXPECT_EQ(sc.linkAndRunErrors(), "");

    EXPECT_TRUE(follows(sc, {"MSG 24", "      NSTEPS = 15", "      NSTEPS =", expr("30"), "MSG 27",
                             "      FDIFF = .FALSE."}));
    EXPECT_TRUE(sc.hasBlock(bindings("u", " 1") + bindings("w", " 2")));
    EXPECT_TRUE(follows(sc, {"MSG 297", "                if (j8z.eq.0) then", "      yd8z = 0.0", marker("F1"),
                             "      if (i8z.eq.    1) yd8z =", expr("uxx+uyy+u*w"), marker("F2"),
                             "      if (i8z.eq.    2) yd8z =", expr("wxx+wyy-u*u"), "                else",
                             marker("F1.u"), "      if (i8z.eq.    1.and.j8z.eq.    1) yd8z =", expr("w"),
                             marker("F1.ux"), "C     if (i8z.eq.    1.and.j8z.eq.    2) yd8z =", defaulted,
                             marker("F1.uy"), "C     if (i8z.eq.    1.and.j8z.eq.    3) yd8z =", defaulted,
                             marker("F1.uxx"), "      if (i8z.eq.    1.and.j8z.eq.    5) yd8z =", expr("1.0"),
                             marker("F1.uyy"), "      if (i8z.eq.    1.and.j8z.eq.    6) yd8z =", expr("1.0"),
                             marker("F1.uxy"), "C     if (i8z.eq.    1.and.j8z.eq.    8) yd8z =", defaulted,
                             marker("F1.w"), "      if (i8z.eq.    1.and.j8z.eq.   11) yd8z =", expr("u")}));
    EXPECT_TRUE(follows(sc, {marker("F2.wx"), "C     if (i8z.eq.    2.and.j8z.eq.   12) yd8z =", defaulted,
                             marker("F2.wy"), "C     if (i8z.eq.    2.and.j8z.eq.   13) yd8z =", defaulted,
                             marker("F2.wxx"), "      if (i8z.eq.    2.and.j8z.eq.   15) yd8z =", expr("1.0"),
                             marker("F2.wyy"), "      if (i8z.eq.    2.and.j8z.eq.   16) yd8z =", expr("1.0"),
                             marker("F2.wxy"), "C     if (i8z.eq.    2.and.j8z.eq.   18) yd8z =", defaulted,
                             "                endif", "                          endif", "      return"}));
    EXPECT_TRUE(follows(sc, {"      u8z = 0.0", "MSG 305", marker("u0"), "      if (i8z.eq.    1) u8z =", expr("1.0"),
                             marker("w0"), "C     if (i8z.eq.    2) u8z =", defaulted}));
    EXPECT_TRUE(follows(sc, {"MSG 48", "      RESTRT = .TRUE.", "MSG 307", "      GRIDID = .FALSE.", "MSG 308",
                             "      IPERDC =          3", "      IPERDC =          2"}));
    EXPECT_EQ(timesSaid(sc, illegal), 1);

    // Faces 1 and 2 (the ends of P1) asked, with the derivatives of G.
    EXPECT_TRUE(follows(sc, {"      if (j8z.eq.0) gd8z = 0.0", "MSG 310", "            if (ifac8z.eq. 1) then",
                             "MSG 313",
                             "                          if (j8z.eq.0) then", marker("G1"),
                             "      if (i8z.eq.    1) gd8z =", expr("u-1.0"), marker("G2"),
                             "      if (i8z.eq.    2) gd8z =", expr("w"), "                          else",
                             marker("G1.u"), "      if (i8z.eq.    1.and.j8z.eq.    1) gd8z =", expr("1.0"),
                             marker("G1.ux"), "C     if (i8z.eq.    1.and.j8z.eq.    2) gd8z =", defaulted,
                             marker("G1.uy"), "C     if (i8z.eq.    1.and.j8z.eq.    3) gd8z =", defaulted,
                             marker("G1.w"), "C     if (i8z.eq.    1.and.j8z.eq.   11) gd8z =", defaulted}));
    EXPECT_TRUE(follows(sc, {marker("G2.w"), "      if (i8z.eq.    2.and.j8z.eq.   11) gd8z =", expr("1.0"),
                             marker("G2.wx"), "C     if (i8z.eq.    2.and.j8z.eq.   12) gd8z =", defaulted,
                             marker("G2.wy"), "C     if (i8z.eq.    2.and.j8z.eq.   13) gd8z =", defaulted,
                             "                          endif", "            endif",
                             "            if (ifac8z.eq. 2) then"}));
    EXPECT_TRUE(sc.hasBlock({marker("G1.ux"), "      if (i8z.eq.    1.and.j8z.eq.    2) gd8z =", expr("1.0")}));
    EXPECT_TRUE(sc.hasBlock({marker("G2.wx"), "      if (i8z.eq.    2.and.j8z.eq.   12) gd8z =", expr("1.0")}));
    // Faces 3 and 4 (the ends of P2) periodic: a notice and a pause each, every entry commented.
    EXPECT_EQ(timesSaid(sc, "   IPERDC = 2, so periodic boundary conditions set automatically"), 2);
    EXPECT_EQ(timesSaid(sc, pause), 2);
    for (int f : {3, 4}) {
        int at = sc.find("            if (ifac8z.eq. " + std::to_string(f) + ") then");
        ASSERT_GE(at, 0) << f;
        EXPECT_TRUE(follows(sc, {"            if (ifac8z.eq. " + std::to_string(f) + ") then",
                                 "MSG " + std::to_string(312 + f), "                          if (j8z.eq.0) then",
                                 "C        PERIODIC BOUNDARY CONDITIONS SET (SEE IPERDC)", marker("G1"),
                                 "C     if (i8z.eq.    1) gd8z =", defaulted, marker("G2"),
                                 "C     if (i8z.eq.    2) gd8z =", defaulted, "                          else",
                                 marker("G1.u"), "C     if (i8z.eq.    1.and.j8z.eq.    1) gd8z =", defaulted}))
            << f;
        int end = sc.find("            endif", at);
        for (int l = at + 1; l < end; ++l) {
            const std::string& line = sc.mainf[static_cast<std::size_t>(l)];
            EXPECT_FALSE(line.starts_with("      if")) << line;
        }
    }
    EXPECT_TRUE(sc.has("C      IF (.NOT.NCON8Z) GO TO 78755"));
    EXPECT_TRUE(follows(sc, {"MSG 320", "C        DEFINE UPRINT(*),UXPRINT(*),UYPRINT(*) HERE:"}));
    EXPECT_TRUE(sc.said("      Replace wy for postprocessing?"));
}

// Which faces are asked: none of a periodic direction, none of a direction with a single grid
// line, each of the others.
TEST(Gen2dc, PeriodicDirectionsAndSingleGridLines) {
    const std::string periodic = "C        PERIODIC BOUNDARY CONDITIONS SET (SEE IPERDC)";
    const std::string single = "C        NO BOUNDARY CONDITIONS REQUIRED ON THIS FACE";
    struct Case {
        Lines grids;
        std::string iperdc;
        Lines faces;               // the answers on the four faces
        std::vector<std::string> note;  // per face: empty when asked, else the comment it gets
    };
    const Case cases[] = {
        {{"3", "0.0", "", "1.0", "3", "0.0", "", "1.0"}, "4", {"", "", "", ""}, {periodic, periodic, periodic,
                                                                                 periodic}},
        {{"3", "0.0", "", "1.0", "1", "0.0"}, "1", {"", "", "", ""}, {periodic, periodic, single, single}},
        {{"1", "0.5", "2", "0.0", "1.0"}, "0", {"", "", "u", "u"}, {single, single, "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("IPERDC " + c.iperdc);
        Dialog2dc d;
        d.grids = c.grids;
        d.periodicity = {c.iperdc};
        d.faces = c.faces;
        Scenario sc = runZemka(d.answers());
        ASSERT_TRUE(finished(sc));
        int notices = 0;
        for (int f = 1; f <= 4; ++f) {
            const std::string& note = c.note[static_cast<std::size_t>(f - 1)];
            std::string head = "            if (ifac8z.eq. " + std::to_string(f) + ") then";
            if (note.empty())
                EXPECT_TRUE(follows(sc, {head, "MSG " + std::to_string(312 + f),
                                         "                          if (j8z.eq.0) then",
                                         marker("G"), "      if (i8z.eq.    1) gd8z =", expr("u")}))
                    << f;
            else
                EXPECT_TRUE(follows(sc, {head, "MSG " + std::to_string(312 + f),
                                         "                          if (j8z.eq.0) then",
                                         note, marker("G"), "C     if (i8z.eq.    1) gd8z =", defaulted,
                                         "                          else", "                          endif"}))
                    << f;
            notices += !note.empty();
        }
        // A direction with a single grid line asks only its first.
        EXPECT_EQ(sc.has("      P1GRID(NP1GRID) ="), c.note[0] != single);
        EXPECT_EQ(sc.has("      P2GRID(NP2GRID) ="), c.note[2] != single);
        EXPECT_EQ(timesSaid(sc, pause), notices);
        EXPECT_EQ(timesSaid(sc, "   IPERDC = " + c.iperdc + ", so periodic boundary conditions set automatically"),
                  std::count(c.note.begin(), c.note.end(), periodic));
        EXPECT_EQ(timesSaid(sc, "   No boundary conditions required on this face"),
                  std::count(c.note.begin(), c.note.end(), single));
    }
}

// Twelve unknowns in time: two-digit indices in the names of C and in the bindings, the
// fourth variant of every message that counts the unknowns, saved steps to choose from.
TEST(Gen2dc, TimeDependentProblemOfTwelveUnknowns) {
    const Lines names = {"a", "b", "c", "d", "e", "f", "g", "h", "o", "q", "r", "s"};
    Dialog2dc d;
    d.problem = {"2", "", "1.0", "y", "n", "y", "20", "n"};  // T0, TF, linear, fixed steps, NOUPDT, NSTEPS, CRANKN
    d.unknowns = Lines{"12"} + names;
    d.equations = {"n"};
    for (int i = 0; i < 12; ++i) {
        for (int k = 0; k < 12; ++k) d.equations.push_back(i == k ? "1.0" : "");
        d.equations.push_back(names[static_cast<std::size_t>(i)] + "xx+" + names[static_cast<std::size_t>(i)] + "yy");
    }
    d.initialValues = Lines{"1.0"} + repeated(11, "") + Lines{"n", "n"};  // a0 .. s0, LSQFIT, restart
    d.faces = repeated(48, "0.0");
    d.replacements = repeated(36, "");
    d.outputPoints = {"4", "4", "", "", "", "", "5"};
    d.outputs = {"1", "37", "36", "", "", "2", "", "0"};  // IVAR 37 refused
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));
    EXPECT_EQ(acceptedProgramNames(sc, d, {}, names), Lines{});

    EXPECT_TRUE(follows(sc, {"      ISOLVE =          1", "C        *******TIME-DEPENDENT PROBLEM", "      itype = 2",
                             "MSG 17", "      T0 = 0.0", "      TF =", expr("1.0"), "MSG 18", "      LINEAR = .TRUE.",
                             "MSG 19", "      ADAPT = .FALSE.", "      TOLER(1) = 0.01", "MSG 20",
                             "      NOUPDT = .TRUE.",
                             "MSG 22", "      NSTEPS =", expr("20"), "      dt = (tf-t0)/max(nsteps,1)", "MSG 65",
                             "      CRANKN = .FALSE.", "      FDIFF = .FALSE.", "MSG 28"}));
    EXPECT_TRUE(sc.hasBlock(bindings("a", " 1")));
    EXPECT_TRUE(sc.hasBlock(bindings("s", "12")));
    EXPECT_TRUE(follows(sc, {"      yd8z = 0.0", "MSG 287", marker("INTEGRAL1")}));
    EXPECT_TRUE(follows(sc, {"C    & [DEFAULT SELECTED, DEFINITION COMMENTED OUT]", "MSG 291",
                             marker("BND. INTEGRAL1")}));
    EXPECT_FALSE(sc.said(msg(287)));
    EXPECT_TRUE(follows(sc, {"MSG 303", "                if (j8z.eq.0) then", "      yd8z = 0.0", marker("C( 1, 1)"),
                             "      if (i8z.eq. -101) yd8z =", expr("1.0"), marker("C( 1, 2)"),
                             "C     if (i8z.eq. -102) yd8z =", defaulted}));
    EXPECT_TRUE(follows(sc, {marker("C(12,11)"), "C     if (i8z.eq.-1211) yd8z =", defaulted, marker("C(12,12)"),
                             "      if (i8z.eq.-1212) yd8z =", expr("1.0"), marker("F12"),
                             "      if (i8z.eq.   12) yd8z =", expr("sxx+syy"), "                else",
                             "                endif"}));
    EXPECT_TRUE(follows(sc, {"      u8z = 0.0", "MSG 306", marker("a0"), "      if (i8z.eq.    1) u8z =", expr("1.0"),
                             marker("b0"), "C     if (i8z.eq.    2) u8z =", defaulted}));
    EXPECT_TRUE(sc.said(" b0 =         (Press [RETURN] to default to 0)"));
    EXPECT_TRUE(follows(sc, {"      NBINT =          0", "MSG 158", "      LSQFIT = .FALSE.", "MSG 48",
                             "      RESTRT = .FALSE."}));
    EXPECT_TRUE(follows(sc, {"      if (j8z.eq.0) gd8z = 0.0", "MSG 312", "            if (ifac8z.eq. 1) then",
                             "MSG 313"}));
    EXPECT_TRUE(sc.hasBlock({marker("G12"), "      if (i8z.eq.   12) gd8z =", expr("0.0"),
                             "                          else", "                          endif", "            endif",
                             "      return"}));
    EXPECT_TRUE(sc.hasBlock({"     & syx,uzx8z,uzy8z,dvol8z,dare8z)", "      uxprint(12) = sx",
                             "      uyprint(12) = sy"}));
    EXPECT_TRUE(follows(sc, {"MSG 322", "C        DEFINE UPRINT(*),UXPRINT(*),UYPRINT(*) HERE:"}));
    EXPECT_TRUE(sc.said("      Replace sy for postprocessing?"));

    // Saved steps: NSAVE instead of NOUT, and the range of a table is asked.
    EXPECT_TRUE(follows(sc, {"      PARAMETER (NP2 = 4)", "MSG 53", "      PARAMETER (NSAVE = 5)"}));
    EXPECT_FALSE(sc.has("      NOUT = NSTEPS"));
    EXPECT_EQ(countContaining(sc, "CON8Z) GO TO"), 0);
    EXPECT_TRUE(sc.said(rangeRefused + "1 to 36"));
    EXPECT_TRUE(follows(sc, {"MSG 330", "      IVAR =         36", "      ivara8z = mod(ivar-1,3)+1",
                             "      ivarb8z = (ivar-1)/3+1", "MSG 123", "      ISET1 = 0", "      ISET2 = NSAVE",
                             "      ISINC = 1", "      ISINC =", expr("2"), "MSG 59"}));
}

// Eigenvalue problems in single precision: RHO, the start values the library chooses, the
// jump past the output, and every library name with a blank for its d.
TEST(Gen2dc, EigenvalueProblemsInSinglePrecision) {
    for (int neqn : {1, 2}) {
        SCOPED_TRACE(neqn);
        Dialog2dc d;
        d.doublePrecision = false;
        if (neqn == 1) {
            d.problem = {"3", "", "y", "", "", ""};  // the pause, complex: EV0R, EV0I; NSTEPS
            d.equations = {"n", "-uxx-uyy", "1.0"};
            d.initialValues = {"", "n"};
        } else {
            d.problem = {"3", "", "n", "9.0", ""};
            d.unknowns = {"2", "a", "b"};
            d.equations = {"n", "-axx-ayy", "1.0", "0.0", "-bxx-byy", "0.0", "2.0"};
            d.initialValues = {"", "0.5", "n"};
            d.faces = {"a", "b", "a", "b", "a", "b", "a", "b"};
            d.replacements = repeated(6, "");
        }
        Scenario sc = runZemka(d.answers());
        ASSERT_TRUE(finished(sc));
        EXPECT_EQ(acceptedProgramNames(sc, d, {}, neqn == 1 ? Lines{"u"} : Lines{"a", "b"}), Lines{});
        EXPECT_EQ(sc.linkAndRunErrors(), "");

        EXPECT_TRUE(follows(sc, {"      ISOLVE =          1", "C        *******EIGENVALUE PROBLEM", "MSG 12",
                                 "      ITYPE = 3", "C", "C      P8Z = 0.0", "      linear = .true.", "      t0 = 0.0",
                                 "      dt = 1.0", "      crankn = .false.", "      noupdt = .true.", "MSG 13"}));
        if (neqn == 1)
            EXPECT_TRUE(follows(sc, {"      EVCMPX = .TRUE.", "MSG 15", "      EV0R = 0.0", "      EV0I = 0.0",
                                     "MSG 16",
                                     "      NSTEPS = 25", "      FDIFF = .FALSE."}));
        else
            EXPECT_TRUE(follows(sc, {"      EVCMPX = .FALSE.", "MSG 14", "      EV0R = 0.0", "      EV0R =",
                                     expr("9.0"),
                                     "MSG 16", "      NSTEPS = 25", "      FDIFF = .FALSE."}));
        for (int m : {18, 27}) EXPECT_FALSE(sc.said(msg(m))) << m;

        EXPECT_TRUE(follows(sc, {"      subroutine pdes8z(yd8z,i8z,j8z,kint8z,p1,p2,p38z,t,uu8z)",
                                 "      implicit real (a-h,o-z)", "      real kvrxx,kvrlx,kvrgr2,kvr1e,kvrt,kvrex",
                                 "      parameter (neqnmx=  99)",
                                 "      parameter (NEQN=   " + std::to_string(neqn) + ")"}));
        EXPECT_TRUE(sc.hasBlock({"      common / kvr5x/un8z(10,neqnmx)", "      common / kvr18/norm1,norm2,n38z",
                                 "      real norm1,norm2,n38z,normx,normy,nz8z", "      dimension uu8z(10,neqnmx)"}));
        EXPECT_EQ(sc.has("      dimension rho(neqn,neqn)"), neqn == 2);
        const std::string rho = "C" + std::string(50, ' ') + "RHO DEFINED";
        if (neqn == 1)
            EXPECT_TRUE(follows(sc, {"MSG 292", "                if (j8z.eq.0) then", "      yd8z = 0.0", marker("F"),
                                     "      if (i8z.eq.    1) yd8z =", expr("-uxx-uyy"), rho, "      RHO =",
                                     expr("1.0"),
                                     "      call  kvrsx (yd8z,i8z,uu8z,un8z,rho,10,neqn)", "                else",
                                     "                endif"}));
        else
            EXPECT_TRUE(follows(sc, {"MSG 293", "                if (j8z.eq.0) then", "      yd8z = 0.0", marker("F1"),
                                     "      if (i8z.eq.    1) yd8z =", expr("-axx-ayy"), rho, "      RHO(1,1) =",
                                     expr("1.0"), "      RHO(1,2) =", expr("0.0"), marker("F2"),
                                     "      if (i8z.eq.    2) yd8z =", expr("-bxx-byy"), rho, "      RHO(2,1) =",
                                     expr("0.0"), "      RHO(2,2) =", expr("2.0"),
                                     "      call  kvrsx (yd8z,i8z,uu8z,un8z,rho,10,neqn)", "                else",
                                     "                endif"}));
        // Start values kept by a blank answer, no least squares, no saved steps to choose.
        EXPECT_TRUE(follows(sc, {"      u8z =  kvrxx()", "MSG 304", marker(neqn == 1 ? "u0" : "a0"),
                                 "C     if (i8z.eq.    1) u8z =", defaulted}));
        EXPECT_TRUE(sc.said((neqn == 1 ? " u0" : " a0") + std::string(" =         (Press [RETURN] to default)")));
        EXPECT_FALSE(sc.said(msg(158)));
        EXPECT_TRUE(follows(sc, {"      lsqfit = .false.", "MSG 48", "      RESTRT = .FALSE."}));
        EXPECT_TRUE(sc.hasBlock({"      deallocate (iwrk8z,rwrk8z)", "      if (itype.eq.4) go to 78755",
                                 "C        *******UNCOMMENT TO POSTPROCESS ONLY IF CONVERGED",
                                 "C      IF (.NOT.ECON8Z) GO TO 78755"}));

        // Single precision throughout.
        EXPECT_EQ(countContaining(sc, "implicit real (a-h,o-z)"), 11);  // the main program and ten routines
        EXPECT_EQ(countContaining(sc, "      real kvrxx,kvrlx,kvrgr2,kvr1e,kvrt,kvrex"), 11);
        EXPECT_TRUE(sc.has("      common/ kvr14/ sint8z(20),bint8z(20),slim8z(20),blim8z(20)"));
        EXPECT_TRUE(sc.has("      common / kvr41/x,y,z8z,x1,x2,x38z,y1,y2,y38z,z18z,z28z,z38z,x11,x2"));
        EXPECT_TRUE(sc.hasBlock({"      real none,norm1,norm2,n38z,normx,normy,nz8z", "      common/parm8z/ pi",
                                 "      none =  kvrlx(2)"}));
        EXPECT_TRUE(sc.has("      common/ kvr14/sint(20),bint(20),slim8z(20),blim8z(20)"));
        EXPECT_TRUE(sc.has("      call  kvrwx(p1grid,np1grid,0)"));
        EXPECT_TRUE(sc.has("C      call  kvrr3(2,xres8z,nxp8z,yres8z,nyp8z,zres8z,nzp8z,ures8z,neqn)"));
        EXPECT_TRUE(sc.hasBlock({"      common / kvr27/ itask,npes,icomm",
                                 "      common / kvr46/ eps8z,cgtl8z,npmx8z,itype,near8z"}));
        EXPECT_TRUE(sc.has("C!         if (tout(l).ne. kvrlx(2)) nsave0 = l"));
        EXPECT_TRUE(sc.hasBlock({"C!         call  kvrcd(p1,p2,p38z)",
                                 "C!         call  kvrcb(p1,p2,p38z,z18z,z28z,z38z,x,y,z8z,"}));

        // The MATLAB example, switched on, still compiles.
        std::ofstream activated(sc.dir / "main.f");
        for (const std::string& line : sc.mainf) activated << (line.starts_with("C!") ? line.substr(2) : line) << '\n';
        activated.close();
        EXPECT_EQ(sc.compileErrors(), "");
    }
}

// A time-dependent problem with every output kind over an array of output points, each with
// its options, in loops over the saved steps (or, for curves against t, over the points).
TEST(Gen2dc, EveryOutputKind) {
    Dialog2dc d;
    d.problem = {"2", "0.5", "2.0", "n", "y", "0.001", "40", "y"};  // nonlinear, adaptive, Crank-Nicolson
    d.unknowns = {"2", "u", "v", "y"};                               // FDIFF
    d.equations = {"n", "1.0", "", "uxx+uyy-u*v", "", "1.0", "vxx+vyy"};
    d.initialValues = {"sin(pi*x)", "", "y", "n"};  // u0, v0, LSQFIT, no restart
    d.faces = {"u", "v", "u", "v", "u", "v", "u", "v"};
    d.replacements = repeated(6, "");
    d.outputPoints = {"8", "6", "", "", "0.25", "", "3"};  // NP1, NP2, P2A, NSAVE
    d.outputs = {"6", "1", "2", "", "", "", "Table of ux"};
    d.outputs = d.outputs + Lines{"2", "4", "", "", "", "30.0", "", "", "1.0", ""};
    d.outputs = d.outputs + Lines{"3", "1", "", "", "", "y", "alow", "ahigh", "y", "Contours"};
    d.outputs = d.outputs + Lines{"4", "7", "2", "3", "", "", "", "n", "", "", "Flux"};       // IVAR1 7 refused
    d.outputs = d.outputs + Lines{"5", "5", "4", "1", "2", "0.25", "0.75", "", "", "", "", "", ""};  // choice 4 refused
    d.outputs = d.outputs + Lines{"5", "1", "2", "1", "0.5", "", "", "", "", "", ""};
    d.outputs = d.outputs + Lines{"5", "6", "3", "2", "0.2", "0.8", "1", "0.5", "", "", "", "0"};
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));
    EXPECT_EQ(acceptedProgramNames(sc, d, {}, {"u", "v"}), Lines{});
    EXPECT_EQ(sc.linkAndRunErrors(), "");

    EXPECT_TRUE(follows(sc, {"MSG 19", "      ADAPT = .TRUE.", "      TOLER(1) = 0.01", "      TOLER(1) =",
                             expr("0.001"), "      NOUPDT = .FALSE.", "MSG 21", "      NSTEPS =", expr("40")}));
    EXPECT_TRUE(follows(sc, {"      CRANKN = .TRUE.", "MSG 27", "      FDIFF = .TRUE."}));
    EXPECT_TRUE(follows(sc, {"MSG 158", "      LSQFIT = .TRUE.", "MSG 48", "      RESTRT = .FALSE."}));
    EXPECT_TRUE(follows(sc, {"C        DEFINE P1A,P1B,P2A,P2B IMMEDIATELY BELOW:", "      P2A =", expr("0.25"),
                             "      call dkvrx3(np1,np2,0,p1a,p1b,p2a,p2b,zr8z,zr8z,hp18z,hp28z,hp38z,"}));
    EXPECT_TRUE(sc.said(rangeRefused + "0 to 5"));

    EXPECT_TRUE(sc.hasBlock({"C        *******TABULAR OUTPUT", rule, boxed("MSG 328")}));
    EXPECT_TRUE(follows(sc, {"      IVAR =          2", "      ivara8z = mod(ivar-1,3)+1",
                             "      ivarb8z = (ivar-1)/3+1",
                             "MSG 123", "      ISET1 = 0", "      ISET2 = NSAVE", "      ISINC = 1", "MSG 59",
                             "      TITLE = ' '", "      TITLE = 'Table of ux                             '",
                             "      call dkvrrx(tout8z,nsave,iset1,iset2,isinc)",
                             "      do 78756 is8z=iset1,iset2,isinc",
                             "      call dkvrrc(p1out8z,p2out8z,uout(0,0,ivara8z,ivarb8z,is8z),npts8z,",
                             "     &title,tout8z(is8z))", "78756 continue", "C        *******SURFACE PLOTS", "MSG 328",
                             "      IVAR =          4"}));
    EXPECT_TRUE(follows(sc, {"      ISINC = 1", "MSG 127", "      VLON = 45.0", "      VLAT = 45.0", "      VLAT =",
                             expr("30.0"), "C", "      ivar8z = 4*(ivarb8z-1)+ivara8z", "      alow = amin8z(ivar8z)",
                             "      ahigh = amax8z(ivar8z)", "MSG 126", "      UMIN = 0.0", "      UMAX = 0.0",
                             "      UMAX =", expr("1.0"), "MSG 59", "      TITLE = ' '",
                             "      call dkvrrx(tout8z,nsave,iset1,iset2,isinc)",
                             "      do 78757 is8z=iset1,iset2,isinc",
                             "      call dkvrlo(p1out8z,p2out8z,p3out8z,uout(0,0,ivara8z,ivarb8z,is8z)",
                             "     &,np1,np2,0,3,ix8z,jy8z,0,title,vlon,vlat,umin,umax,tout8z(is8z))",
                             "78757 continue", "C        *******CONTOUR PLOTS", "MSG 328", "      IVAR =          1"}));
    EXPECT_TRUE(follows(sc, {"      ISINC = 1", "MSG 260", "      NODIST = .TRUE.", "C",
                             "      ivar8z = 4*(ivarb8z-1)+ivara8z",
                             "      alow = amin8z(ivar8z)", "      ahigh = amax8z(ivar8z)", "MSG 261",
                             "      UMIN = 0.0",
                             "      UMAX = 0.0", "      UMIN =", expr("alow"), "      UMAX =", expr("ahigh"), "MSG 262",
                             "      FILLIN = .TRUE.", "MSG 59", "      TITLE = ' '",
                             "      TITLE = 'Contours                                '",
                             "      call dkvrrx(tout8z,nsave,iset1,iset2,isinc)",
                             "      do 78758 is8z=iset1,iset2,isinc",
                             "      call dkvrln(uout(0,0,ivara8z,ivarb8z,is8z),np1,np2,0,p1a,p1b,p2a,p",
                             "     &2b,zr8z,zr8z,3,ix8z,jy8z,0,title,umin,umax,nodist,fillin,tout8z(is",
                             "     &8z),zr8z,zr8z,zr8z,zr8z,2,ical8z)", "78758 continue",
                             "C        *******VECTOR PLOTS",
                             "MSG 332", "      IVAR1 =          2", "      IVAR2 =          3",
                             "      ivar1a8z = mod(ivar1-1,3)+1", "      ivar1b8z = (ivar1-1)/3+1",
                             "      ivar2a8z = mod(ivar2-1,3)+1", "      ivar2b8z = (ivar2-1)/3+1", "MSG 123"}));
    EXPECT_TRUE(sc.said(rangeRefused + "1 to 6"));
    EXPECT_TRUE(follows(sc, {"      ISINC = 1", "MSG 260", "      NODIST = .FALSE.", "C",
                             "      ivar18z = 4*(ivar1b8z-1)+ivar1a8z", "      ivar28z = 4*(ivar2b8z-1)+ivar2a8z",
                             "      a1mag = max(abs(amin8z(ivar18z)),abs(amax8z(ivar18z)))",
                             "      a2mag = max(abs(amin8z(ivar28z)),abs(amax8z(ivar28z)))", "MSG 267",
                             "      VR1MAG = 0.0", "      VR2MAG = 0.0", "MSG 59", "      TITLE = ' '",
                             "      TITLE = 'Flux                                    '",
                             "      call dkvrrx(tout8z,nsave,iset1,iset2,isinc)",
                             "      do 78759 is8z=iset1,iset2,isinc",
                             "      call dkvrlq(uout(0,0,ivar1a8z,ivar1b8z,is8z),uout(0,0,ivar2a8z,iva",
                             "     &r2b8z,is8z),uout(0,0,4,1,is8z),np1,np2,0,p1a,p1b,p2a,p2b,zr8z,zr8z",
                             "     &,3,ix8z,jy8z,0,title,vr1mag,vr2mag,zr8z,zr8z,nodist,tout8z(is8z),z",
                             "     &r8z,zr8z,zr8z,zr8z,2,ical8z)", "78759 continue"}));

    // Curves along P1 at values of P2, along P2 at values of P1, and against t at points.
    const Lines curves = {"      call dkvrpx(ics8z,ivar8z,tout8z,nsave,p1out8z,p2out8z,p3out8z,np1,",
                          "     &np2,0,uout,neqn,title,umin,umax,ix8z,jy8z,0,is8z)"};
    EXPECT_TRUE(sc.said(rangeRefused + "1 to 3"));
    EXPECT_TRUE(follows(sc, {"C        *******1D CROSS-SECTION PLOTS", "MSG 328", "      IVAR =          5",
                             "      ivara8z = mod(ivar-1,3)+1", "      ivarb8z = (ivar-1)/3+1",
                             "C        P1 IS VARIABLE",
                             "      ics8z = 1", "MSG 336", "      NP2VALS =          2", "      P2CROSS(1) =",
                             expr("0.25"), "      P2CROSS(2) =", expr("0.75"), "MSG 123", "      ISET1 = 0",
                             "      ISET2 = NSAVE", "      ISINC = 1", "C", "      ivar8z = 4*(ivarb8z-1)+ivara8z",
                             "      alow = amin8z(ivar8z)", "      ahigh = amax8z(ivar8z)", "MSG 126"}));
    EXPECT_TRUE(sc.hasBlock(Lines{"      call dkvrrx(tout8z,nsave,iset1,iset2,isinc)",
                                  "      do 78761 is8z=iset1,iset2,isinc",
                                  "      do 78760 jyv8z=1,np2vals",
                                  "      call dkvrzx(p2cross(jyv8z),p2a,p2b,np2,jy8z)"} +
                            curves + Lines{"78760 continue", "78761 continue",
                                           "C        *******1D CROSS-SECTION PLOTS"}));
    EXPECT_TRUE(follows(sc, {"C        P2 IS VARIABLE", "      ics8z = 2", "MSG 337", "      NP1VALS =          1",
                             "      P1CROSS(1) =", expr("0.5"), "MSG 123"}));
    EXPECT_TRUE(sc.hasBlock(Lines{"      call dkvrrx(tout8z,nsave,iset1,iset2,isinc)",
                                  "      do 78763 is8z=iset1,iset2,isinc",
                                  "      do 78762 ixv8z=1,np1vals",
                                  "      call dkvrzx(p1cross(ixv8z),p1a,p1b,np1,ix8z)"} +
                            curves + Lines{"78762 continue", "78763 continue"}));
    // Against t: both coordinates of the points, no saved steps to choose.
    EXPECT_TRUE(follows(sc, {"      IVAR =          6", "      ivara8z = mod(ivar-1,3)+1",
                             "      ivarb8z = (ivar-1)/3+1",
                             "C        T IS VARIABLE", "      ics8z = 4", "MSG 338", "      NP1VALS =          2",
                             "      P1CROSS(1) =", expr("0.2"), "      P1CROSS(2) =", expr("0.8"),
                             "      NP2VALS =          1", "      P2CROSS(1) =", expr("0.5"), "C",
                             "      ivar8z = 4*(ivarb8z-1)+ivara8z"}));
    EXPECT_TRUE(sc.hasBlock(Lines{"      is8z = 0", "      do 78765 ixv8z=1,np1vals", "      do 78764 jyv8z=1,np2vals",
                                  "      call dkvrzx(p1cross(ixv8z),p1a,p1b,np1,ix8z)",
                                  "      call dkvrzx(p2cross(jyv8z),p2a,p2b,np2,jy8z)"} +
                            curves + Lines{"78764 continue", "78765 continue", "78755 continue"}));
    EXPECT_EQ(countContaining(sc, "call dkvrrx("), 6);
}

// NP2 = 0: the output points come from a block of the user's, and only tables are offered.
TEST(Gen2dc, OutputPointsOfTheUser) {
    Dialog2dc d;
    d.outputPoints = {"4", "0", "      do 10 i=0,np1", "         p1out8z(i,0) = 0.25*i", "         p2out8z(i,0) = 0.5",
                      "   10 continue", ""};
    d.outputs = {"2", "1", "1", "", "0"};
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));
    EXPECT_EQ(sc.linkAndRunErrors(), "");
    EXPECT_TRUE(follows(sc, {"      PARAMETER (NP1 = 4)", "      PARAMETER (NP2 = 0)", "      PARAMETER (NSAVE = 1)"}));
    EXPECT_TRUE(follows(sc, {"      IPERDC =          0", "      npts8z = np1+1", "MSG 324", "      do 10 i=0,np1",
                             "         p1out8z(i,0) = 0.25*i", "         p2out8z(i,0) = 0.5", "   10 continue",
                             "      do 78756 i8z=0,np1", "         p3out8z(i8z,0) = 0", "78756 continue",
                             "C        SOLUTION SAVED EVERY NOUT ITERATIONS"}));
    EXPECT_FALSE(sc.said(msg(325)));
    EXPECT_EQ(countContaining(sc, "dkvrx3"), 0);
    EXPECT_TRUE(sc.said(rangeRefused + "0 to 1"));
    EXPECT_TRUE(sc.hasBlock({"      do 78757 is8z=iset1,iset2,isinc",
                             "      call dkvrrc(p1out8z,p2out8z,uout(0,0,ivara8z,ivarb8z,is8z),npts8z,",
                             "     &title,tout8z(is8z))", "78757 continue", "78755 continue"}));
}

// The user's routines, and functions of P1 and P2 read from data files, in both precisions.
TEST(Gen2dc, DataFileFunctionsInBothPrecisions) {
    for (bool dp : {true, false}) {
        SCOPED_TRACE(dp);
        Dialog2dc d;
        d.doublePrecision = dp;
        d.closing = {"y", "      subroutine extra(x)", "      x = 1.0", "      end", ""};
        // Refused: first letters K and 1, a library function, routines of the program and of mach.
        d.closing = d.closing + Lines{"y", "kfun", "1fun", "dkvrt", "pdes8z", "endgks", "cond", "5", "20", "k.dat", "",
                                      "4", "2"};
        d.closing = d.closing + Lines{"y", "cond", "f", "10", "f.dat", "3", "1", "n"};  // cond again refused
        Scenario sc = runZemka(d.answers());
        ASSERT_TRUE(finished(sc));
        EXPECT_EQ(sc.linkAndRunErrors(), "");
        EXPECT_EQ(timesSaid(sc, "|---- Illegal function name, re-enter in columns 1-6"), 2);
        for (std::string refusal : {"dkvrt is a name of the solver or runtime library", "pdes8z is a routine of the program",
                                    "endgks is a name of the solver or runtime library",
                                    "cond is the function cond defined before"})
            EXPECT_TRUE(sc.said("|---- " + refusal + ", re-enter in columns 1-6")) << refusal;
        EXPECT_TRUE(sc.said(msg(339)));
        EXPECT_TRUE(sc.said(rangeRefused + "10 to +INFINITY"));
        EXPECT_TRUE(follows(
            sc, {"C!      call mkvr2dc(itype,lun)", "      return", "      end", "      subroutine extra(x)",
                 "      x = 1.0",
                 "      end", "", "", "      function cond  (p1,p2)",
                 dp ? "      implicit double precision (a-h,o-z)" : "      implicit real (a-h,o-z)"}));
        EXPECT_TRUE(follows(sc, {"MSG 340", "      PARAMETER (NWORK = 20)", "      dimension work(nwork)",
                                 "      character*40 fname",
                                 dp ? "      data work(1) /0.0d0/" : "      data work(1) /0.0/",
                                 "MSG 278", "      FNAME = 'k.dat                                   '", "MSG 132",
                                 "      ISET = 1", "MSG 133", "      KDEG =          2",
                                 spelled(dp, "      cond   = dkvrt(fname,iset,work,nwork,kdeg,p1,p2)"), "      return",
                                 "      end", "", "", "      function f     (p1,p2)"}));
        EXPECT_TRUE(sc.said(rangeRefused + "1 to 3"));
        EXPECT_TRUE(follows(sc, {"      ISET = 1", "      ISET =", expr("3"), "MSG 133", "      KDEG =          1",
                                 spelled(dp, "      f      = dkvrt(fname,iset,work,nwork,kdeg,p1,p2)"), "      return",
                                 "      end"}));
        EXPECT_EQ(rtrim(sc.mainf.back()), "      end");
    }
}

// With the front end in use, the program marks each place where an answer entered it.
TEST(Gen2dc, FrontEndMarks) {
    const std::string mark = "C" + std::string(40, '-') + "-> INPUT FROM GUI <-" + std::string(18, '-');
    Dialog2dc d;
    d.globals = {"alpha", "1.0"};
    d.transformation = {"-3", "p1", "p2"};
    d.grids = {"1", "0.5", "2", "0.0", "1.0"};
    d.problem = {"2", "", "1.0", "y", "n", "n", "10", "n"};
    d.integrals = {"1", "u", "0"};
    d.equations = {"n", "", "uxx"};
    d.initialValues = {"", "n", "n"};
    d.faces = {"u", "u"};  // faces 3 and 4; the pauses of faces 1 and 2 take no line of the file
    d.outputPoints = {"10", "10", "", "", "", "", "2"};
    std::string file;
    for (const std::string& a : d.answers()) file += a + "\n";
    Scenario sc = runZemka({"#@"}, {.catalogue = "", .answerFile = file});
    ASSERT_TRUE(finished(sc));

    EXPECT_TRUE(follows(sc, {"MSG 279", mark, "      alpha  ="}));
    EXPECT_TRUE(follows(sc, {boxed("NP1GRID = number of P1-grid lines"), rule, mark,
                             "      PARAMETER (NP1GRID = 1)"}));
    EXPECT_TRUE(follows(sc, {"C        P1GRID DEFINED", mark, "      P1GRID(1) =", expr("0.5"), mark,
                             "C        P2GRID DEFINED", mark, "      P2GRID(1) =", expr("0.0"), mark,
                             "      P2GRID(NP2GRID) ="}));
    EXPECT_TRUE(follows(sc, {"      ITRANS =         -3", mark, "      X =", expr("p1"), mark, "      Y =",
                             expr("p2")}));
    EXPECT_TRUE(follows(sc, {"MSG 17", "      T0 = 0.0", mark, mark, "      TF =", expr("1.0"), "MSG 18",
                             "      LINEAR = .TRUE.", "MSG 19", mark, "      ADAPT = .FALSE.", "      TOLER(1) = 0.01",
                             "MSG 20", mark, "      NOUPDT = .FALSE.", "MSG 22", mark, "      NSTEPS ="}));
    EXPECT_TRUE(follows(sc, {"MSG 28", mark, "      NINT =          1", "MSG 74", "      NBINT =          0"}));
    EXPECT_TRUE(follows(sc, {"MSG 284", mark, marker("INTEGRAL")}));
    EXPECT_TRUE(follows(sc, {"      yd8z = 0.0", mark, marker("C")}));
    EXPECT_TRUE(follows(sc, {defaulted, mark, marker("F")}));
    EXPECT_TRUE(follows(sc, {"MSG 306", mark, marker("u0")}));
    EXPECT_TRUE(follows(sc, {"MSG 308", mark, "      IPERDC =          0"}));
    // Only the faces that are asked.
    EXPECT_TRUE(follows(sc, {"MSG 315", "                          if (j8z.eq.0) then", mark, marker("G")}));
    EXPECT_TRUE(follows(sc, {"MSG 313", "                          if (j8z.eq.0) then",
                             "C        NO BOUNDARY CONDITIONS REQUIRED ON THIS FACE", marker("G")}));
    // Seven in the opening and the grids, two in tran8z, five for the time steps, NINT and
    // the integral, C and F, the start value, IPERDC, and G on the two faces asked.
    EXPECT_EQ(countContaining(sc, "-> INPUT FROM GUI <-"), 22);
}

// The names of global parameters and unknowns this class accepts: no one-letter T, X or Y
// (nor, for unknowns, I to N or P), none of the coordinates, steps or pi, none of the
// program's own, and no unknown whose name or derivatives' names the program holds already.
TEST(Gen2dc, NamesOfParametersAndUnknowns) {
    Dialog2dc d;
    d.globals = {"x", "T", "P1", "dt", "x1", "neqn", "itrans", "ab", "1.0", "u21", "2.0"};
    d.unknowns = {"2", "i", "p", "x", "pi", "P2", "ab", "u", "c", "cx", "c1", "d"};
    d.equations = {"n", "cxx", "dyy"};
    d.faces = {"c", "d", "c", "d", "c", "d", "c", "d"};
    d.replacements = repeated(6, "");
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));
    EXPECT_EQ(timesSaid(sc, "|---- Illegal parameter name, re-enter in columns 1-6"), 5);
    EXPECT_EQ(timesSaid(sc, "|---- Name used by the program itself, re-enter in columns 1-6"), 2);
    // i, p, x, pi and P2 are no names of unknowns; ab is a parameter, u21 a derivative of u,
    // cx and c1 derivatives of c.
    EXPECT_EQ(timesSaid(sc, "|---- Illegal variable name, re-enter in columns 1-3"), 5);
    for (std::string refusal : {"ab would clash with the global parameter ab", "u would clash with the global parameter u21",
                                "cx would clash with cx of the unknown c", "c1 would clash with c1 of the unknown c"})
        EXPECT_TRUE(sc.said("|---- " + refusal + ", re-enter in columns 1-3")) << refusal;
    EXPECT_TRUE(sc.hasBlock(bindings("c", " 1") + bindings("d", " 2")));
    EXPECT_EQ(countContaining(sc, "      common/parm8z/ pi,ab    ,u21"), 7);
}

}  // namespace
}  // namespace zemka::test
