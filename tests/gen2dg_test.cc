// 2D Galerkin programs: the three region modes, every problem type and output kind, both
// precisions, and what the answers write. Each scenario is one long dialog.
#include <gtest/gtest.h>

#include "scenario.h"

namespace zemka::test {
namespace {

// The answers of one 2D dialog. The defaults make a linear steady problem in one unknown u
// on a rectangle of two grid lines each way, every side on arc 1.
struct Dialog2d : DialogAnswers {
    Dialog2d() : DialogAnswers({"2", "1"}) {}
    Lines region = {"1", "2", "0", "1", "2", "0", "1", "1", "1", "1", "1"};  // INTRI, the grid lines, the arcs
    Lines triangulation = {"4", "", "n", "", "1", "1"};  // NTF, dis8z (TRIDEN, ADAPT, SHAPE), ISOLVE, IDEG
    Lines problem = {"1", "y"};                          // steady state, linear
    Lines unknowns = {"1", "u", "n"};                    // NEQN, names, SYMM (and FDIFF)
    Lines integrals = {"0", "0", "n"};                   // NINT, NBINT, delta functions
    Lines coefficients = {"n", "1.0", "ux", "uy"};       // no block, F, A, B (and the rest of pdes8z)
    Lines initialValues;                                 // u8z and restart
    Lines fb8z = {"n"};                                  // conditions on negative arcs
    Lines gb8z = {"n"};                                  // and on positive ones
    Lines replacements = repeated(3, "");                // UPRINT, APRINT, BPRINT
    Lines outputGrid = {"2", "2", "", "", "", ""};       // NX, NY, XA..YB (NSAVE)
    Lines outputs = {"0"};
    Lines closing = {"n", "n"};  // no user routines, no data-file functions

    Lines answers() const {
        return withOpening({&region, &triangulation, &problem, &unknowns, &integrals, &coefficients, &initialValues,
                            &fb8z, &gb8z, &replacements, &outputGrid, &outputs, &closing});
    }
};

// Of the names of the program's own, those a global parameter may take after the lead. The
// user chose the given names (global parameters, variables of a block) and the unknowns, in
// lower case, which name their derivatives Ux, Uy and Unorm too.
Lines acceptedProgramNames(const Scenario& sc, const Dialog2d& d, std::set<std::string> chosen, const Lines& unknowns) {
    for (const std::string& u : unknowns) chosen.insert({u, u + "x", u + "y", u + "norm"});
    return acceptedGlobals(d.lead(), programNames(sc, chosen));
}

// A rectangle, a nonlinear steady problem in two unknowns with its Jacobian, integrals,
// delta functions, conditions on two negative and one positive arc, and every output kind.
TEST(Gen2dg, RectangleNonlinearSteadyStateWithEveryOutputKind) {
    Dialog2d d;
    d.nprob = "2";
    d.globals = {"alpha", "0.5"};
    d.blocks = true;
    d.region = {"1", "3", "0.0", "0.5", "1.0", "2", "0.0", "alpha", "-1", "2", "3", "-4"};  // grid lines, IXARC, IYARC
    // NTF (7 < 8 refused), dis8z; ISOLVE, IDEG 0 and 5 refused.
    d.triangulation = {"7", "100", "n", "1.0+x", "y", "", "7", "3", "0", "5", "-2"};
    d.problem = {"1", "n", "20"};
    d.unknowns = {"2", "u", "vel", "n", "n"};
    d.integrals = {"1", "y", "      w8 = u*u", "", "w8", "1", "n", "unorm"};
    d.integrals.insert(d.integrals.end(), {"y", "2", "0.25", "0.5", "0.75", "0.5", "n", "1.0", "2.0", "0.0", "0.0"});
    d.coefficients = {"n", "-u*vel", "ux", "uy", "1.0", "", ""};  // F, A, B, then the Jacobian
    d.coefficients.insert(d.coefficients.end(), {"-vel", "", "", "", "1.0", "", "", "", "1.0", "-u"});
    d.coefficients.insert(d.coefficients.end(), 8 + 18, "");
    d.initialValues = {"n", "1.0", "", "y", "n"};
    d.fb8z = {"y", "5", "-1", "n", "0.0", "alpha", "y", "-4", "n", "", "", "n"};
    d.gb8z = {"y", "1000", "2", "n", "1.0", "", "2.0"};
    d.gb8z.insert(d.gb8z.end(), 11, "");
    d.gb8z.push_back("n");
    d.replacements = {"n", "u*2"};
    d.replacements.insert(d.replacements.end(), 5, "");
    d.outputGrid = {"20", "10", "", "", "0.0", ""};
    d.outputs = {"1", "7", "4", "Table of vel"};  // K = 1
    d.outputs.insert(d.outputs.end(), {"2", "1", "30.0", "", "", "", ""});  // K = 2
    d.outputs.insert(d.outputs.end(), {"3", "1", "y", "alow", "ahigh", "n", ""});  // K = 3
    d.outputs.insert(d.outputs.end(), {"4", "2", "3", "n", "", "", ""});  // K = 4
    // K = 5, x varies (3 refused), then y varies.
    d.outputs.insert(d.outputs.end(), {"5", "1", "3", "1", "2", "0.25", "0.75", "", "", ""});
    d.outputs.insert(d.outputs.end(), {"5", "4", "2", "1", "0.5", "", "", ""});
    d.outputs.insert(d.outputs.end(), {"6", "2", "3", "5", "n", "", "", "0"});  // K = 6, end
    d.closing = {"y", "      subroutine extra(x)", "      x = 1.0", "      end", ""};
    d.closing.insert(d.closing.end(), {"y", "inum", "f-g", "depth", "5", "100", "bathy.dat", "", "2", "y"});
    d.closing.insert(d.closing.end(), {"depth", "f", "10", "f.dat", "2", "1", "n"});
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));
    EXPECT_EQ(acceptedProgramNames(sc, d, {"alpha", "w8"}, {"u", "vel"}), Lines{});

    // Skeleton: header parameters before the body, the global parameter everywhere.
    EXPECT_TRUE(sc.hasBlock({"      parameter (neqnmx=  99)", "      parameter (ndelmx=  20)",
                             "      parameter (nv0=0,nt0=0,npgrid=0,nqgrid=0)"}));
    EXPECT_TRUE(sc.hasBlock({"      PARAMETER (NX = 20)", "      PARAMETER (NY = 10)", "      PARAMETER (NSAVE = 1)",
                             "      common/parm8z/ pi,alpha"}));
    // The main program, dis8z, pdes8z, u8z, fb8z, gb8z, pmod8z and postpr; with this region
    // tran8z and xy8z need no parameters.
    EXPECT_EQ(countContaining(sc, "common/parm8z/ pi,alpha"), 8);
    EXPECT_TRUE(sc.hasBlock({"      NPROB =", expr("2")}));
    EXPECT_TRUE(sc.has("      do 78755 iprob=1,nprob"));
    EXPECT_TRUE(sc.hasBlock({"78755 continue", "      call endgks", "      stop", "      end"}));

    // Region: grid lines, arcs, NTF bound, density routine, the refused IDEG.
    EXPECT_TRUE(sc.hasBlock({"      call dkvrwx(xgrid,nxgrid,0)", "      call dkvrwx(ygrid,nygrid,0)", "C        XGRID DEFINED",
                             "      XGRID(1) =", expr("0.0"), "      XGRID(2) =", expr("0.5"), "      XGRID(NXGRID) =",
                             expr("1.0")}));
    EXPECT_TRUE(sc.hasBlock({"      IYARC(2) =", expr("-4")}));
    EXPECT_TRUE(sc.said("|---- Illegal input.  Re-enter integer in the range 8 to +INFINITY"));
    EXPECT_TRUE(sc.has("      NTF =        100"));
    EXPECT_TRUE(sc.hasBlock({"      ADAPT = .TRUE.", "C", "      EXAG = 1.5",
                             "      if (adapt) triden = dkvrgr2(x,y,triden**(1.0/exag))**exag"}));
    EXPECT_TRUE(sc.said("|---- Illegal input"));
    EXPECT_TRUE(sc.hasBlock({"      IDEG =          0", "      IDEG =         -2"}));
    EXPECT_TRUE(sc.has("      ISOLVE =          3"));

    // Equations: unknown names, integrals, delta functions and the Jacobian by selector.
    EXPECT_TRUE(sc.hasBlock({"      vel  = uu8z(1, 2)", "      velx = uu8z(2, 2)", "      vely = uu8z(3, 2)",
                             "      velnorm = velx*normx + vely*normy"}));
    EXPECT_TRUE(sc.hasBlock({"      w8 = u*u", marker("INTEGRAL"), "      if (kint8z.eq.    1) yd8z =", expr("w8")}));
    EXPECT_TRUE(sc.hasBlock({"      if (kint8z.eq.   -1) yd8z =", expr("unorm")}));
    EXPECT_TRUE(sc.hasBlock({"      YD0(2) =", expr("0.5")}));
    EXPECT_TRUE(sc.hasBlock({"      DELAMP(2,1) =", expr("2.0")}));
    EXPECT_TRUE(sc.hasBlock({"      yd8z = delamp(idel8z,jdel8z)", "                endif", "                          else"}));
    EXPECT_TRUE(sc.hasBlock({"      if (i8z.eq.    2) yd8z =", expr("ux")}));
    EXPECT_TRUE(sc.hasBlock({marker("A2"), "C     if (i8z.eq.    5) yd8z =", defaulted}));
    EXPECT_TRUE(sc.hasBlock({marker("F1.u"), "      if (i8z.eq.    1.and.j8z.eq.    1) yd8z =", expr("-vel")}));
    EXPECT_TRUE(sc.hasBlock({"      if (i8z.eq.    2.and.j8z.eq.    2) yd8z =", expr("1.0")}));
    EXPECT_TRUE(sc.hasBlock({"      if (i8z.eq.    1.and.j8z.eq.    4) yd8z =", expr("-u")}));
    EXPECT_TRUE(sc.has("C     if (i8z.eq.    6.and.j8z.eq.    6) yd8z ="));
    EXPECT_TRUE(sc.has("C      IF (.NOT.NCON8Z) GO TO 78755"));

    // Initial values and restart, then conditions on the arcs by their numbers.
    EXPECT_TRUE(sc.hasBlock({"      if (i8z.eq.    1) u8z =", expr("1.0")}));
    EXPECT_TRUE(sc.hasBlock({"      RESTRT = .TRUE.", rule,
                             boxed("MSG 97")}));
    EXPECT_TRUE(sc.has("      GRIDID = .FALSE."));
    EXPECT_TRUE(sc.hasBlock({"      IARC =         -1", "                if (iarc8z.eq.iarc) then"}));
    EXPECT_TRUE(sc.hasBlock({"      if (i8z.eq.    2) fb8z =", expr("alpha"), "                endif",
                             rule,
                             boxed("MSG 235")}));
    EXPECT_TRUE(sc.has("      IARC =         -4"));
    EXPECT_TRUE(sc.hasBlock({"      vel  = uu8z( 2,1)", "      velx = uu8z( 2,2)", "      vely = uu8z( 2,3)",
                             "      if (j8z.eq.0) gd8z = 0.0"}));
    EXPECT_TRUE(sc.hasBlock({marker("GB1.u"), "      if (i8z.eq.    1.and.j8z.eq.    1) gd8z =", expr("2.0")}));
    EXPECT_TRUE(sc.has("C     if (i8z.eq.    2.and.j8z.eq.  202) gd8z ="));
    EXPECT_TRUE(sc.hasBlock({"      a2 = upr8z(2, 2)", "      b2 = upr8z(3, 2)"}));
    EXPECT_TRUE(sc.hasBlock({"C        DEFINE UPRINT(*),APRINT(*),BPRINT(*) HERE:", "      UPRINT(1) =", expr("u*2")}));
    EXPECT_TRUE(sc.said("      Replace B2 for postprocessing?"));

    // Output grid, the solver and each output kind with its loop.
    EXPECT_TRUE(sc.hasBlock({"C        DEFINE XA,XB,YA,YB IMMEDIATELY BELOW:", "      YA =", expr("0.0"),
                             "      call dkvrx2(nx,ny,xa,xb,ya,yb,hx8z,hy8z,xout8z,yout8z,npts8z)"}));
    EXPECT_TRUE(sc.has("      call dkvr2x(xgrid, nxgrid, ygrid, nygrid, ixarc, iyarc, vxy, nv0,"));
    EXPECT_TRUE(sc.hasBlock({"      IVAR =          4", "      ivara8z = mod(ivar-1,3)+1", "      ivarb8z = (ivar-1)/3+1",
                             "      ISET1 = 1", "      ISET2 = NSAVE", "      ISINC = 1"}));
    EXPECT_TRUE(sc.hasBlock({"      TITLE = 'Table of vel                            '",
                             "      call dkvrrx(tout8z,nsave,iset1,iset2,isinc)", "      do 78756 is8z=iset1,iset2,isinc"}));
    EXPECT_TRUE(sc.hasBlock({"      VLAT =", expr("30.0")}));
    EXPECT_TRUE(sc.hasBlock({"      NODIST = .TRUE.", "C", "      alow = amin8z(ivar)", "      ahigh = amax8z(ivar)"}));
    EXPECT_TRUE(sc.hasBlock({"      FILLIN = .FALSE.", rule}));
    EXPECT_TRUE(sc.hasBlock({"      ivaryb8z = (ivary-1)/3+1", "      ISET1 = 1"}));
    EXPECT_TRUE(sc.hasBlock({"      a1mag = max(abs(amin8z(ivarx)),abs(amax8z(ivarx)))",
                             "      a2mag = max(abs(amin8z(ivary)),abs(amax8z(ivary)))"}));
    EXPECT_TRUE(sc.said("|---- Illegal input.  Re-enter integer in the range 1 to 2"));
    EXPECT_TRUE(sc.hasBlock({"      call dkvrrx(tout8z,nsave,iset1,iset2,isinc)", "      do 78761 is8z=iset1,iset2,isinc",
                             "      do 78760 jyv8z=1,nyvals", "      call dkvrzx(ycross(jyv8z),ya,yb,ny,jy8z)"}));
    EXPECT_TRUE(sc.hasBlock({"78760 continue", "78761 continue"}));
    EXPECT_TRUE(sc.hasBlock({"      do 78763 is8z=iset1,iset2,isinc", "      do 78762 ixv8z=1,nxvals",
                             "      call dkvrzx(xcross(ixv8z),xa,xb,nx,ix8z)"}));
    EXPECT_TRUE(sc.hasBlock({"      IVAR12 =          5", "      ivar12a8z = mod(ivar12-1,3)+1", "      ivar12b8z = (ivar12-1)/3+1"}));
    EXPECT_TRUE(sc.has("      astrmx = max(a11m8z,a22m8z)+a12m8z"));
    EXPECT_TRUE(sc.has("78764 continue"));

    // After the output: axis8z, postpr, the user's routine and the data-file functions.
    EXPECT_TRUE(sc.hasBlock({"C        dummy routines", "      function axis8z(i8z,x,y,z,ical8z)",
                             "      implicit double precision (a-h,o-z)", "      axis8z = 0"}));
    EXPECT_TRUE(sc.has("C!      call mkvr2dg(itype,lun)"));
    EXPECT_TRUE(sc.hasBlock({"      subroutine extra(x)", "      x = 1.0", "      end", "", "", "      function depth (x,y)"}));
    // inum and f-g; depth a second time
    EXPECT_EQ(timesSaid(sc, "|---- Illegal function name, re-enter in columns 1-6"), 2);
    EXPECT_TRUE(sc.said("|---- depth is the function depth defined before, re-enter in columns 1-6"));
    EXPECT_TRUE(sc.hasBlock({"      PARAMETER (NWORK = 100)", "      dimension work(nwork)", "      character*40 fname",
                             "      data work(1) /0.0d0/"}));
    EXPECT_TRUE(sc.has("      FNAME = 'bathy.dat                               '"));
    EXPECT_TRUE(sc.has("      depth  = dkvrt(fname,iset,work,nwork,kdeg,x,y)"));
    EXPECT_TRUE(sc.hasBlock({"      function f     (x,y)", "      implicit double precision (a-h,o-z)"}));
    EXPECT_EQ(sc.program().back(), "      end");
}

// A mapped p/q grid in single precision: a linear time-dependent problem in one unknown,
// the model block for negative arcs, the cross-sections against time and a data-file function.
TEST(Gen2dg, MappedGridTimeDependentInSinglePrecision) {
    Dialog2d d;
    d.doublePrecision = false;
    d.region = {"2", "p*cos(q)", "p*sin(q)"};  // X(p,q), Y(p,q), then the grid lines and arcs
    d.region.insert(d.region.end(), {"2", "1.0", "2.0", "4", "0.0", "", "", "pi/2", "1", "2", "-3", "-4"});
    d.triangulation[0] = "12";
    d.problem = {"2", "", "1.0", "y", "y", "1.d-3", "100", "y"};  // time-dependent, linear, adaptive
    d.unknowns = {"1", "w", "y"};
    d.coefficients = {"y", "      rk = 2.0", "", "1.0", "rk*w", "wx", "wy"};  // C, F, A, B
    d.initialValues = {"exp(-x*x)", "n"};
    d.gb8z = {"y", "1", "0.0", "y", "2", "", "n"};
    d.outputGrid = {"10", "5", "", "", "", "", "4"};
    d.outputs = {"6", "5", "3", "3", "2", "1.0", "1.5", "1", "0.5", "", "", ""};  // K = 6 refused, K = 5 along t
    d.outputs.insert(d.outputs.end(), {"1", "1", "", "", "2", "w", "0"});  // K = 1
    d.closing = {"n", "y", "h", "10", "h.dat", "", "3", "n"};
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));
    EXPECT_EQ(acceptedProgramNames(sc, d, {"rk"}, {"w"}), Lines{});
    // Every library name is spelt with a blank for the d; the example line too.
    EXPECT_EQ(countContaining(sc, "dkvr"), 0);
    EXPECT_EQ(countContaining(sc, "implicit real (a-h,o-z)"), 12);  // main program and 11 routines
    EXPECT_TRUE(sc.hasBlock({"      common/ kvr76/ mdim8z,nx18z,ny18z,xa,xb,ya,yb,uout(0:nx,0:ny,3,neq",
                             "     &n,0:nsave)"}));
    EXPECT_TRUE(sc.has("      real normx,normy,delamp(ndelmx,neqnmx)"));
    EXPECT_TRUE(sc.has("      real normx,normy"));
    EXPECT_TRUE(sc.has("      if (adapt) triden =  kvrgr2(x,y,triden**(1.0/exag))**exag"));
    EXPECT_TRUE(sc.has("C!         if (tout(l).ne. kvrlx(2)) nsave0 = l"));
    EXPECT_TRUE(sc.has("C      call  kvrr2(2,xres8z,nxp8z,yres8z,nyp8z,ures8z,neqn)"));

    // The mapping: tran8z gets the global parameters, xy8z maps the sides of the rectangle.
    EXPECT_TRUE(sc.hasBlock({"      parameter (nv0=0,nt0=0,nxgrid=0,nygrid=0)",
                             rule,
                             boxed("NPGRID = number of P-grid lines")}));
    EXPECT_TRUE(sc.hasBlock({"      subroutine tran8z(p,q,x,y)", "      implicit real (a-h,o-z)",
                             "      real kvrxx,kvrlx,kvrgr2,kvr1e,kvrt,kvrex", "      common/parm8z/ pi",
                             "      x = p", "      y = q"}));
    EXPECT_TRUE(sc.hasBlock({"      X =", expr("p*cos(q)"), "      Y =", expr("p*sin(q)"), "      return"}));
    EXPECT_TRUE(sc.hasBlock({"      common / kvr66/ p1,pn,q1,qn,ip1,ip2,iq1,iq2", "      x = 0.0", "      y = 0.0",
                             "      if (iarc8z.eq.ip1) call tran8z(p1,s,x,y)"}));
    EXPECT_TRUE(sc.hasBlock({"      call  kvrwx(pgrid,npgrid,1)", "      call  kvrwx(qgrid,nqgrid,1)"}));
    EXPECT_TRUE(sc.hasBlock({"      QGRID(NQGRID) =", expr("pi/2")}));
    EXPECT_TRUE(sc.hasBlock({"      IQARC(1) =", expr("-3")}));
    EXPECT_TRUE(sc.has("      call  kvr2x(pgrid, npgrid, qgrid, nqgrid, iparc, iqarc, vxy, nv0,"));
    EXPECT_TRUE(sc.has("      call  kvrv   (pgrid,npgrid,qgrid,nqgrid,vxy,nv0,iarc,nt0,xa,xb,ya,"));

    // Time stepping: adaptive and linear, so message 20 goes only into the program.
    EXPECT_TRUE(sc.hasBlock({"      ADAPT = .TRUE.", "      TOLER(1) = 0.01", "      TOLER(1) =", expr("1.d-3")}));
    EXPECT_TRUE(sc.has(boxed("MSG 20")));
    EXPECT_FALSE(sc.said("   MSG 20"));
    EXPECT_TRUE(sc.hasBlock({"      NSTEPS =", expr("100"), "      dt = (tf-t0)/max(nsteps,1)"}));
    EXPECT_TRUE(sc.has("      CRANKN = .TRUE."));
    EXPECT_TRUE(sc.has("      FDIFF = .FALSE."));
    EXPECT_TRUE(sc.has(boxed("MSG 204")));
    EXPECT_TRUE(sc.has(boxed("MSG 227")));

    // One unknown: no index on the prompts, C by its selector, no Jacobian.
    EXPECT_TRUE(sc.hasBlock({"      rk = 2.0", "                if (j8z.eq.0) then", "      yd8z = 0.0",
                             marker("C"), "      if (i8z.eq. -101) yd8z =", expr("1.0"), marker("F")}));
    EXPECT_EQ(countContaining(sc, ".and.j8z.eq."), 0);
    EXPECT_TRUE(sc.hasBlock({"      if (i8z.eq.    1) u8z =", expr("exp(-x*x)")}));
    EXPECT_TRUE(sc.hasBlock({"      RESTRT = .FALSE.",
                             "C     GRIDID = .FALSE. IF FINITE ELEMENT GRID CHANGES BETWEEN DUMP, RESTART",
                             "      GRIDID = .TRUE."}));
    EXPECT_TRUE(sc.hasBlock({"C        NO BOUNDARY CONDITIONS DEFINED ON NEGATIVE ARCS.",
                             "C        TO ADD BCs FOR NEGATIVE ARCS, USE BLOCK BELOW AS MODEL", "      IARC = 0",
                             "                if (iarc8z.eq.iarc) then",
                             rule,
                             boxed("MSG 236")}));
    EXPECT_TRUE(sc.hasBlock({marker("FB"), "C     if (i8z.eq.    1) fb8z =",
                             defaulted, "                endif", "      return"}));
    EXPECT_TRUE(sc.hasBlock({"      IARC =          2", "                if (iarc8z.eq.iarc) then"}));
    EXPECT_TRUE(sc.hasBlock({"C     if (i8z.eq.    1) gd8z =", defaulted,
                             "                          else", "                          endif"}));
    EXPECT_TRUE(sc.said("      Replace A for postprocessing?"));

    // NSAVE asked, no convergence comment; K = 6 needs two unknowns.
    EXPECT_TRUE(sc.has("      PARAMETER (NSAVE = 4)"));
    EXPECT_EQ(countContaining(sc, "CON8Z) GO TO"), 0);
    EXPECT_TRUE(sc.said("|---- Illegal input.  Re-enter integer in the range 0 to 5"));
    EXPECT_TRUE(sc.hasBlock({"C        T IS VARIABLE", "      ics8z = 3"}));
    EXPECT_TRUE(sc.hasBlock({"      YCROSS(1) =", expr("0.5"), "C", "      alow = amin8z(ivar)"}));
    EXPECT_TRUE(sc.hasBlock({"      is8z = 0", "      do 78757 ixv8z=1,nxvals", "      do 78756 jyv8z=1,nyvals",
                             "      call  kvrzx(xcross(ixv8z),xa,xb,nx,ix8z)", "      call  kvrzx(ycross(jyv8z),ya,yb,ny,jy8z)"}));
    EXPECT_TRUE(sc.hasBlock({"78756 continue", "78757 continue"}));
    EXPECT_TRUE(sc.hasBlock({"      ISET1 = 0", "      ISET2 = NSAVE", "      ISINC = 1", "      ISINC =", expr("2")}));
    EXPECT_TRUE(sc.hasBlock({"      function h     (x,y)", "      implicit real (a-h,o-z)"}));
    EXPECT_TRUE(sc.hasBlock({"      data work(1) /0.0/", rule}));
    EXPECT_TRUE(sc.has("      h      =  kvrt(fname,iset,work,nwork,kdeg,x,y)"));
}

// A typed triangulation with a parametric and a point-defined curved arc; ten unknowns of a
// nonlinear time-dependent problem whose Jacobian comes from finite differences.
TEST(Gen2dg, UserTriangulationWithTenUnknowns) {
    Dialog2d d;
    d.region = {"3", "3", "4", "0", "0", "1", "0", "1", "1", "0", "1"};  // NV0 (3 refused), VXY
    d.region.insert(d.region.end(), {"3", "1", "2", "3", "-7", "1", "3", "4", "9", "", "", "", ""});  // NT0, IABC, IARC
    d.region.insert(d.region.end(), {"y", "-7", "y", "0.0", "pi", "cos(s)", "sin(s)"});  // a parametric arc
    d.region.insert(d.region.end(), {"y", "9", "n", "1", "2", "0", "0", "1", "1", "n"});  // an arc through points
    d.triangulation = {"2", "3", "", "n", "", "2", "3"};  // NTF (2 < 3 refused)
    d.problem = {"2", "0.5", "2.0", "n", "n", "10", "n"};  // nonlinear, fixed steps
    d.unknowns = {"10", "P", "Q", "C", "D", "E", "G", "H", "O", "R", "Uab", "n", "y"};  // names, SYMM, FDIFF
    d.integrals = {"2", "P", "Q", "0", "n"};
    d.coefficients = {"n"};
    for (int i = 1; i <= 10; ++i) {
        for (int k = 1; k <= 10; ++k) d.coefficients.push_back(k == i ? "1.0" : "");     // C(i,k)
        d.coefficients.insert(d.coefficients.end(), {i == 1 ? "-P*Q" : "", "", ""});    // F, A, B
    }
    d.initialValues = repeated(10, "");
    d.initialValues[0] = "1.0";
    d.initialValues.push_back("n");
    d.fb8z = {"y", "-7"};
    d.fb8z.insert(d.fb8z.end(), 9, "");
    d.fb8z.insert(d.fb8z.end(), {"0.0", "n"});
    d.replacements = repeated(29, "");
    d.replacements.push_back("Uabx");
    d.outputGrid = {"4", "4", "", "", "", "", "2"};
    d.outputs = {"4", "1", "2", "", "", "", "y", "1.0", "", "", "0"};  // K = 4
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));
    EXPECT_EQ(acceptedProgramNames(sc, d, {}, {"p", "q", "c", "d", "e", "g", "h", "o", "r", "uab"}), Lines{});

    // The triangulation: sizes, vertices, triangles with their arcs.
    EXPECT_TRUE(sc.hasBlock({"      parameter (nxgrid=0,nygrid=0,npgrid=0,nqgrid=0)",
                             rule,
                             boxed("NV0 = number of vertices in initial triangulation"),
                             rule,
                             "      PARAMETER (NV0 = 4)"}));
    EXPECT_TRUE(sc.said("|---- Illegal input.  Re-enter integer in the range 4 to +INFINITY"));
    EXPECT_TRUE(sc.has("      PARAMETER (NT0 = 3)"));
    EXPECT_TRUE(sc.hasBlock({"      call dkvrwx(vxy,2*nv0,0)", "C", "      VXY(1,1) ="}));
    EXPECT_TRUE(sc.hasBlock({"      VXY(1,3) =", expr("1"), "      VXY(2,3) =", expr("1")}));
    EXPECT_TRUE(sc.hasBlock({"      IABC(3,2) =", expr("4"), "      IARC(2) =", expr("9"), "C",
                             "      call dkvru(vxy,nv0,iabc,iarc,nt0)"}));

    // xy8z: the global parameters, then one block per curved arc.
    EXPECT_TRUE(sc.hasBlock({"      subroutine xy8z(i8z,iarc8z,s,x,y,s0,sf)", "      implicit double precision (a-h,o-z)",
                             "      dimension pxy(2,1000)", "      common/parm8z/ pi", "      x = 0.0", "      y = 0.0",
                             rule,
                             boxed("MSG 184")}));
    EXPECT_TRUE(sc.hasBlock({"      IARC =         -7", "                if (iarc8z.eq.iarc) then"}));
    EXPECT_TRUE(sc.hasBlock({"           if (i8z.eq.0) then", "      S0 =", expr("0.0"), "      SF =", expr("pi"),
                             "           else", "      X =", expr("cos(s)"), "      Y =", expr("sin(s)"),
                             "           endif", "                endif"}));
    EXPECT_TRUE(sc.said("|---- Illegal input.  Re-enter integer in the range 2 to 1000"));
    EXPECT_TRUE(sc.hasBlock({"           if (i8z.eq.1) then", "      NPTS =          2"}));
    EXPECT_TRUE(sc.hasBlock({"      PXY(2,2) =", expr("1"), "      call dkvrw(npts, pxy, s, x, y)", "           endif",
                             "                endif", "      return"}));
    EXPECT_TRUE(sc.said("|---- Illegal input.  Re-enter integer in the range 3 to +INFINITY"));
    EXPECT_TRUE(sc.has("      call dkvr2x(xgrid, nxgrid, ygrid, nygrid, ixarc, iyarc, vxy, nv0,"));

    // Ten unknowns: the fourth message variants, two-digit C names and the I2 lines.
    for (int m : {207, 211, 215, 230, 239, 246, 251, 266})
        EXPECT_TRUE(sc.has(boxed("MSG " + std::to_string(m)))) << m;
    EXPECT_TRUE(sc.hasBlock({marker("C( 1, 1)"), "      if (i8z.eq. -101) yd8z =",
                             expr("1.0"), marker("C( 1, 2)"), "C     if (i8z.eq. -102) yd8z ="}));
    EXPECT_TRUE(sc.hasBlock({marker("C(10,10)"), "      if (i8z.eq.-1010) yd8z ="}));
    EXPECT_TRUE(sc.hasBlock({marker("B10"), "C     if (i8z.eq.   30) yd8z ="}));
    EXPECT_TRUE(sc.hasBlock({"      Uab  = uu8z(1,10)", "      Uabx = uu8z(2,10)", "      Uaby = uu8z(3,10)",
                             "      Uabnorm = Uabx*normx + Uaby*normy"}));
    EXPECT_TRUE(sc.hasBlock({"      if (kint8z.eq.    2) yd8z =", expr("Q")}));
    EXPECT_TRUE(sc.has("      FDIFF = .TRUE."));
    EXPECT_EQ(countContaining(sc, ".and.j8z.eq."), 0);
    EXPECT_TRUE(sc.hasBlock({"      ADAPT = .FALSE.", "      TOLER(1) = 0.01", "      NOUPDT = .FALSE."}));
    EXPECT_TRUE(sc.hasBlock({"      IARC =         -7", "                if (iarc8z.eq.iarc) then",
                             rule,
                             boxed("MSG 239")}));
    EXPECT_TRUE(sc.hasBlock({marker("FB10"), "      if (i8z.eq.   10) fb8z =",
                             expr("0.0")}));
    EXPECT_TRUE(sc.hasBlock({"      Uab  = uu8z(10,1)", "      Uabx = uu8z(10,2)", "      Uaby = uu8z(10,3)"}));
    EXPECT_TRUE(sc.hasBlock({"      a9 = upr8z(2, 9)", "      b9 = upr8z(3, 9)"}));
    EXPECT_TRUE(sc.hasBlock({"      a10 = upr8z(2,10)", "      b10 = upr8z(3,10)",
                             rule}));
    EXPECT_TRUE(sc.said("      Replace A10 for postprocessing?"));
    EXPECT_TRUE(sc.hasBlock({"      BPRINT(10) =", expr("Uabx"), "      return"}));
    EXPECT_TRUE(sc.hasBlock({"      NODIST = .TRUE.", "C", "      a1mag = max(abs(amin8z(ivarx)),abs(amax8z(ivarx)))"}));
    EXPECT_TRUE(sc.hasBlock({"      VR1MAG =", expr("1.0")}));
}

// An eigenvalue problem in two unknowns without an output grid: the user places the output
// points, tables are the only output, and fb8z has nothing to ask.
TEST(Gen2dg, EigenvalueProblemWithoutOutputGrid) {
    Dialog2d d;
    d.problem = {"3", "", "y", "1.0", "", ""};  // eigenvalue, complex shift
    d.unknowns = {"2", "u", "v", "y"};
    d.integrals = {"0", "0"};  // no question about delta functions
    d.coefficients = {"n", "u", "ux", "uy", "1.0", "0.0", "v", "vx", "vy", "0.0", "2.0"};  // F, A, B, RHO
    d.initialValues = {"", "", "n"};  // the start vector, no restart
    d.fb8z.clear();
    d.replacements = repeated(6, "");
    d.outputGrid = {"5", "0", "      do 10 i=0,nx", "      xout8z(i,0) = 0.1*i", "      yout8z(i,0) = 0.5",
                    "   10 continue", ""};
    d.outputs = {"2", "1", "1", "", "0"};  // K = 2 refused, K = 1
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));

    EXPECT_TRUE(sc.hasBlock({"      ITYPE = 3", "C", "C      P8Z = 0.0", "      t0 = 0.0"}));
    EXPECT_EQ(countContaining(sc, "linear"), 0);
    EXPECT_TRUE(sc.hasBlock({"      EVCMPX = .TRUE.", rule,
                             boxed("MSG 15")}));
    EXPECT_TRUE(sc.hasBlock({"      EV0R =", expr("1.0"), rule}));
    EXPECT_TRUE(sc.has(boxed("MSG 197")));
    EXPECT_FALSE(sc.said("   MSG 216"));
    EXPECT_TRUE(sc.hasBlock({"      NBINT =          0", "      ndel = 0"}));
    EXPECT_TRUE(sc.hasBlock({"      parameter (neqnmx=  99)", "      parameter (NEQN=   2)", "      parameter (ndelmx=  20)"}));
    EXPECT_TRUE(sc.hasBlock({"      double precision normx,normy,delamp(ndelmx,neqnmx)", "      dimension rho(neqn,neqn)"}));
    EXPECT_TRUE(sc.hasBlock({marker("RHO"), "      RHO(2,1) =", expr("0.0"),
                             "      RHO(2,2) =", expr("2.0"), "      call dkvrza (yd8z,i8z,uu8z,un8z,rho,3,neqn)",
                             "                else", "                endif"}));
    EXPECT_TRUE(sc.hasBlock({"      u8z = dkvrxx()", rule,
                             boxed("MSG 231")}));
    EXPECT_TRUE(sc.hasBlock({marker("v0"), "C     if (i8z.eq.    2) u8z ="}));
    EXPECT_TRUE(sc.hasBlock({"      fb8z = 0.0", rule,
                             boxed("MSG 100"),
                             rule, "      return"}));
    EXPECT_TRUE(sc.has("C     if (i8z.eq.    2) gd8z ="));
    EXPECT_EQ(countContaining(sc, ".and.j8z.eq."), 0);

    EXPECT_TRUE(sc.hasBlock({"      npts8z = nx+1", rule,
                             boxed("MSG 253"),
                             rule, "      do 10 i=0,nx",
                             "      xout8z(i,0) = 0.1*i"}));
    EXPECT_EQ(countContaining(sc, "dkvrx2"), 0);
    EXPECT_EQ(countContaining(sc, "dkvrv "), 0);
    EXPECT_TRUE(sc.hasBlock({"      deallocate (iwrk8z,rwrk8z)", "      if (itype.eq.4) go to 78755",
                             "C        *******UNCOMMENT TO POSTPROCESS ONLY IF CONVERGED", "C      IF (.NOT.ECON8Z) GO TO 78755"}));
    EXPECT_TRUE(sc.said("|---- Illegal input.  Re-enter integer in the range 0 to 1"));
    EXPECT_TRUE(sc.hasBlock({"      ISET1 = 1", "      ISET2 = NSAVE", "      ISINC = 1"}));
    EXPECT_TRUE(sc.has("      call dkvrr(xout8z,yout8z,uout(0,0,ivara8z,ivarb8z,is8z),npts8z,inr"));
}

// A linear steady problem asks neither initial values nor a restart.
TEST(Gen2dg, LinearSteadyStateAsksNoInitialValues) {
    Dialog2d d;
    d.doublePrecision = false;
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));
    EXPECT_FALSE(sc.said("   MSG 232"));
    EXPECT_FALSE(sc.said("   MSG 48"));
    EXPECT_TRUE(sc.hasBlock({"      ndel = 0", "      RESTRT = .FALSE.", "      GRIDID = .TRUE."}));
    EXPECT_TRUE(sc.hasBlock({"      u8z = 0.0", "      return"}));
    EXPECT_TRUE(sc.hasBlock({"C        Number of Newton iterations", "      NSTEPS = 1"}));
    EXPECT_TRUE(sc.hasBlock({"C        SOLUTION SAVED EVERY NOUT ITERATIONS", "      NOUT = NSTEPS",
                             "      call  kvrzz(ntf,ideg,isolve,symm,neqn,ii8z,ir8z)"}));
    EXPECT_EQ(countContaining(sc, "GO TO"), 0);
}

}  // namespace
}  // namespace zemka::test
