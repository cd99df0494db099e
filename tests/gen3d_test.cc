// 3D programs: the four kinds of transformation, every problem type, one, two and ten
// unknowns, periodic and single-line directions, every output request, the output points of
// the user's, data-file functions, both precisions, and programs linked and run.
#include <gtest/gtest.h>

#include <fstream>

#include "scenario.h"

namespace zemka::test {
namespace {

using Lines = std::vector<std::string>;

Lines repeated(int n, const std::string& answer) { return Lines(static_cast<std::size_t>(n), answer); }

// The answers of one 3D dialog, step by step. The defaults make a linear steady problem in one
// unknown u on the unit box, u = 0 on every face; a scenario replaces the steps it is about.
struct Dialog3d {
    bool doublePrecision = true;
    Lines globals;  // name, value, ...
    bool blocks = false;
    Lines transformation = {"0"};
    Lines grids = {"2", "0.0", "1.0", "2", "0.0", "1.0", "2", "0.0", "1.0"};
    Lines problem = {"1", "1", "y"};                  // ISOLVE, steady state, linear
    Lines unknowns = {"1", "u"};                      // NEQN, names (and FDIFF)
    Lines integrals = {"0", "0"};                     // NINT, NBINT (and the integrands)
    Lines equations = {"n", "uxx+uyy+uzz+1.0"};       // no block, F (C, RHO, the Jacobian)
    Lines initialValues;                              // u8z, LSQFIT, restart
    Lines faces = {"0", "u", "u", "u", "u", "u", "u"};  // IPERDC, then face by face
    Lines replacements = repeated(4, "");
    Lines outputGrid = {"2", "2", "2", "", "", "", "", "", ""};  // NP1, NP2, NP3, P1A..P3B (NSAVE)
    Lines outputs = {"0"};
    Lines closing = {"n", "n"};  // no user routines, no data-file functions

    // No example, 3D, the precision and NPROB left at 1: the answers before the first global.
    Lines lead() const { return {"n", "3", doublePrecision ? "y" : "n", ""}; }

    Lines answers() const {
        Lines a = lead();
        auto add = [&a](const Lines& part) { a.insert(a.end(), part.begin(), part.end()); };
        add(globals);
        add({"", blocks ? "y" : "n"});
        for (const Lines* part : {&transformation, &grids, &problem, &unknowns, &integrals, &equations, &initialValues,
                                  &faces, &replacements, &outputGrid, &outputs, &closing})
            add(*part);
        return a;
    }
};

const std::string rangeRefused = "|---- Illegal input.  Re-enter integer in the range ";

// The names the user chose: the given ones, and each unknown with the names of its
// derivatives, in lower case.
std::set<std::string> chosenNames(std::set<std::string> names, const Lines& unknowns) {
    for (const std::string& u : unknowns)
        for (const char* suffix : {"", "1", "2", "3", "11", "22", "33", "12", "21", "13", "31", "23", "32", "x", "y",
                                   "z", "xx", "yy", "zz", "xy", "xz", "yz", "yx", "zx", "zy", "norm"})
            names.insert(u + suffix);
    return names;
}

// The main.f with its MATLAB example switched on still compiles.
std::string activatedExampleErrors(const Scenario& sc) {
    std::ofstream activated(sc.dir / "main.f");
    for (const std::string& line : sc.mainf) activated << (line.starts_with("C!") ? line.substr(2) : line) << '\n';
    activated.close();
    return sc.compileErrors();
}

// A linear steady problem with ITRANS 2, a single P2 grid line, and each plot of one variable.
TEST(Gen3d, LinearSteadyStateWithThePlotsOfOneVariable) {
    Dialog3d d;
    d.globals = {"alpha", "2.0"};
    d.transformation = {"2"};
    d.grids = {"3", "0.0", "", "1.0", "1", "0.0", "2", "0.0", "alpha"};
    d.problem = {"7", "2", "1", "y"};
    d.integrals = {"1", "u**2", "0"};
    d.equations = {"n", "uxx+uyy+uzz+alpha"};
    d.faces = {"0", "u", "u-1.0", "", "", "unorm", "unorm"};  // faces 3 and 4 only pause
    d.replacements = {"u*2", "", "", ""};
    d.outputGrid = {"4", "2", "2", "", "", "", "", "", "0.5"};
    d.outputs = {"7", "1", "5", "2", "Ux table", "2", "1", "", "", "6", "y", "", "", ""};  // table, contour surfaces
    d.outputs.insert(d.outputs.end(), {"3", "1", "3", "2", "0.0", "0.5", "", "", "", "", ""});  // surfaces at P3
    d.outputs.insert(d.outputs.end(), {"6", "4", "4", "1", "1", "0.0", "1", "0.25", "", "", "", "0"});  // along P1
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));
    EXPECT_EQ(acceptedGlobals(d.lead(), programNames(sc, chosenNames({"alpha"}, {"u"}))), Lines{});

    EXPECT_TRUE(follows(sc, {"C     *** 3D PROBLEM SOLVED ***", "MSG 7", "      implicit double precision (a-h,o-z)",
                             "      parameter (neqnmx=  99)"}));
    EXPECT_TRUE(follows(sc, {"      PARAMETER (NXP8Z=41,NYP8Z=41,NZP8Z=41,KDEG8Z=1)", "MSG 377",
                             "      PARAMETER (NP1 = 4)", "      PARAMETER (NP2 = 2)", "      PARAMETER (NP3 = 2)",
                             "      PARAMETER (NSAVE = 1)", "      common/parm8z/ pi,alpha"}));
    EXPECT_TRUE(follows(sc, {"      nz18z = np3+1", "      kd8z = kdeg8z", "MSG 8", "      NPROB = 1", "      do 78755 iprob=1,nprob", "MSG 341"}));
    // The main program and tran8z, pdes8z, u8z, gb8z, pmod8z, axis8z and postpr see alpha.
    EXPECT_EQ(countContaining(sc, "      common/parm8z/ pi,alpha"), 8);
    EXPECT_TRUE(follows(sc, {"      common/parm8z/ pi,alpha", "MSG 342", "      ITRANS =          2", "      return"}));
    // A single P2 grid line: no last line asked, and no conditions on faces 3 and 4.
    EXPECT_TRUE(follows(sc, {"C        P2GRID DEFINED", "      P2GRID(1) =", expr("0.0"), "C        P3GRID DEFINED"}));
    EXPECT_TRUE(follows(sc, {"      call dkvrwx(p2grid,np2grid,1)", "      call dkvrwx(p3grid,np3grid,1)", "MSG 282"}));
    EXPECT_TRUE(sc.said(rangeRefused + "1 to 6"));

    // pdes8z: the names of u and its derivatives in P and in x, y, z; the integral.
    EXPECT_TRUE(sc.hasBlock({"      common/parm8z/ pi,alpha", "      u  = uu8z(1, 1)", "      u1 = uu8z(2, 1)",
                             "      u2 = uu8z(3, 1)", "      u3 = uu8z(4, 1)", "      u11= uu8z(5, 1)"}));
    EXPECT_TRUE(sc.hasBlock({"      u32= uu8z(10, 1)", "      call dkvrcd(p1,p2,p3)",
                             "      call dkvrcb(p1,p2,p3,norm1,norm2,norm3,x,y,z,normx,normy,normz,3)",
                             "      call dkvrcc(p1,p2,p3,", "     &          u1,u2,u3,u11,u22,u33,u12,u13,u23,",
                             "     & x,y,z,ux,uy,uz,uxx,uyy,uzz,uxy,uxz,uyz,", "     & uyx,uzx,uzy,dvol,darea)",
                             "      unorm = ux*normx + uy*normy + uz*normz"}));
    EXPECT_TRUE(follows(sc, {"MSG 345", marker("INTEGRAL"), "      if (kint8z.eq.    1) yd8z =", expr("u**2"),
                             "MSG 349"}));
    EXPECT_TRUE(follows(sc, {"MSG 357", "                if (j8z.eq.0) then", "      yd8z = 0.0", marker("F"),
                             "      if (i8z.eq.    1) yd8z =", expr("uxx+uyy+uzz+alpha"), "                else",
                             "                endif", "                          endif", "      return"}));
    EXPECT_TRUE(follows(sc, {"      u8z = 0.0", "      return"}));

    // gb8z: faces 3 and 4 need nothing; the others take their conditions.
    EXPECT_TRUE(sc.hasBlock({"      call dkvrcb(", "     & p1,p2,p3,u1,u2,u3,x,y,z,ux,uy,uz,2)",
                             "      unorm = ux*normx + uy*normy + uz*normz", "      if (j8z.eq.0) gd8z = 0.0"}));
    EXPECT_EQ(timesSaid(sc, "   No boundary conditions required on this face"), 2);
    EXPECT_TRUE(follows(sc, {"            if (ifac8z.eq. 4) then", "MSG 316", "                          if (j8z.eq.0) then",
                             "C        NO BOUNDARY CONDITIONS REQUIRED ON THIS FACE", marker("G"),
                             "C     if (i8z.eq.    1) gd8z =", defaulted, "                          else"}));
    EXPECT_TRUE(follows(sc, {"            if (ifac8z.eq. 6) then", "MSG 318", "                          if (j8z.eq.0) then",
                             marker("G"), "      if (i8z.eq.    1) gd8z =", expr("unorm")}));
    EXPECT_TRUE(sc.hasBlock({"     & uyx,uzx,uzy,dvol8z,dare8z)", "      uxprint( 1) = ux", "      uyprint( 1) = uy",
                             "      uzprint( 1) = uz"}));
    EXPECT_TRUE(follows(sc, {"MSG 373", "C        DEFINE UPRINT(*),UXPRINT(*),UYPRINT(*),UZPRINT(*) HERE:",
                             "      UPRINT(1) =", expr("u*2"), "      return"}));
    EXPECT_TRUE(sc.said("      Replace uz for postprocessing?"));

    // The output grid, the solver, and the requests with their loops.
    EXPECT_TRUE(follows(sc, {"MSG 379", "C        defaults for p1a,p1b,p2a,p2b,p3a,p3b", "      p1a = p1grid(1)"}));
    EXPECT_TRUE(sc.hasBlock({"      p3b = p3grid(np3grid)", "C        DEFINE P1A,P1B,P2A,P2B,P3A,P3B IMMEDIATELY BELOW:",
                             "      P3B =", expr("0.5"),
                             "      call dkvrx3(np1,np2,np3,p1a,p1b,p2a,p2b,p3a,p3b,hp18z,hp28z,hp38z,"}));
    EXPECT_EQ(countContaining(sc, "CON8Z) GO TO"), 0);
    EXPECT_TRUE(sc.said(rangeRefused + "0 to 6"));
    EXPECT_TRUE(sc.said(rangeRefused + "1 to 4"));
    EXPECT_TRUE(follows(sc, {"C        *******TABULAR OUTPUT", "MSG 381", "      IVAR =          2",
                             "      ivara8z = mod(ivar-1,4)+1", "      ivarb8z = (ivar-1)/4+1", "      ISET1 = 1"}));
    EXPECT_TRUE(sc.hasBlock({"      do 78756 is8z=iset1,iset2,isinc",
                             "      call dkvrdx(p1out8z,p2out8z,p3out8z,uout(0,0,0,ivara8z,ivarb8z,is8",
                             "     &z),npts8z,title,tout8z(is8z))", "78756 continue"}));
    EXPECT_TRUE(follows(sc, {"MSG 127", "      VLON = 45.0", "      VLAT = 45.0", "MSG 385", "      NC = 4", "      NC =",
                             expr("6"), "MSG 386", "      SOLID = .TRUE.", "C", "      alow = amin8z(ivar)",
                             "      ahigh = amax8z(ivar)", "MSG 387"}));
    EXPECT_TRUE(sc.hasBlock({"      do 78757 is8z=iset1,iset2,isinc", "      call dkvrax(uout(0,0,0,ivara8z,ivarb8z,is8z),np1,np2,np3,p1a,p1b,p"}));
    EXPECT_TRUE(follows(sc, {"C        *******CROSS-SECTION SURFACE PLOTS", "MSG 381", "      IVAR =          1",
                             "      ivara8z = mod(ivar-1,4)+1", "      ivarb8z = (ivar-1)/4+1",
                             "C        P3 = CONSTANT CROSS-SECTIONS", "      ics8z = 3", "MSG 391",
                             "      NP3VALS =          2", "      P3CROSS(1) =", expr("0.0")}));
    EXPECT_TRUE(sc.hasBlock({"      do 78759 is8z=iset1,iset2,isinc", "      do 78758 kzv8z=1,np3vals",
                             "      call dkvrzx(p3cross(kzv8z),p3a,p3b,np3,kz8z)",
                             "      call dkvrlo(p1out8z,p2out8z,p3out8z,uout(0,0,0,ivara8z,ivarb8z,is8"}));
    EXPECT_TRUE(sc.hasBlock({"78758 continue", "78759 continue", "C        *******1D CROSS-SECTION PLOTS"}));
    // Curves along P1 at the P2 and P3 values; t may not vary in a steady problem.
    EXPECT_TRUE(sc.said(rangeRefused + "1 to 3"));
    EXPECT_TRUE(follows(sc, {"      IVAR =          4", "C        P1 IS VARIABLE", "      ics8z = 1", "MSG 405",
                             "      NP2VALS =          1", "      P2CROSS(1) =", expr("0.0"), "      NP3VALS =          1",
                             "      P3CROSS(1) =", expr("0.25"), "      ISET1 = 1"}));
    EXPECT_TRUE(sc.hasBlock({"      do 78762 is8z=iset1,iset2,isinc", "      do 78761 jyv8z=1,np2vals",
                             "      do 78760 kzv8z=1,np3vals", "      call dkvrzx(p2cross(jyv8z),p2a,p2b,np2,jy8z)",
                             "      call dkvrzx(p3cross(kzv8z),p3a,p3b,np3,kz8z)",
                             "      call dkvrpx(ics8z,ivar,tout8z,nsave,p1out8z,p2out8z,p3out8z,np1,np",
                             "     &2,np3,uout,neqn,title,umin,umax,ix8z,jy8z,kz8z,is8z)", "78760 continue",
                             "78761 continue", "78762 continue", "78755 continue", "      call endgks"}));

    // axis8z closed at once; the postprocessor's example on its own labels.
    EXPECT_TRUE(sc.hasBlock({"      function axis8z(i8z,p1,p2,p3,ical8z)", "      implicit double precision (a-h,o-z)",
                             "      common/parm8z/ pi,alpha", "      call dkvrcd(p1,p2,p3)",
                             "      call dkvrcb(p1,p2,p3,zr18z,zr28z,zr38z,x,y,z,d18z,d28z,d38z,1)",
                             "      axis8z = 0.0", "      return", "      end", "C        dummy routines"}));
    EXPECT_TRUE(sc.hasBlock({"C!      do 78750 l=0,nsave", "C!         if (tout(l).ne.dkvrlx(2)) nsave0 = l",
                             "C!78750 continue", "C!      write (lud,78751) nsave0", "C!      write (lud,78751) neqn",
                             "C!      write (lud,78751) np1grid"}));
    EXPECT_TRUE(sc.hasBlock({"C       ******* WRITE zemka.m", "C!      call mkvr3d(itype,lun)", "      return", "      end"}));
    EXPECT_EQ(sc.program().back(), "      end");

    EXPECT_EQ(sc.linkAndRunErrors(), "");
    EXPECT_EQ(activatedExampleErrors(sc), "");
}

// Nonlinear in two unknowns with ITRANS 0: every Jacobian entry of F, and of G on the faces
// that are not periodic (IPERDC 5: P1 and P3); single precision, with a data-file function.
TEST(Gen3d, NonlinearJacobianAndFaceDerivativesInSinglePrecision) {
    Dialog3d d;
    d.doublePrecision = false;
    d.problem = {"1", "1", "n", ""};           // nonlinear, NSTEPS kept
    d.unknowns = {"2", "yd8", "u", "v", "n"};  // yd8 refused: its z derivative would be yd8z
    d.equations = {"n", "uxx+uyy+uzz-u*v", "vxx+vyy+vzz-u", "-v"};
    d.equations.insert(d.equations.end(), 9, "");
    d.equations.insert(d.equations.end(), {"-u"});  // F1 by v
    d.equations.insert(d.equations.end(), 9, "");
    d.equations.insert(d.equations.end(), {"-1.0"});  // F2 by u
    d.equations.insert(d.equations.end(), 19, "");
    d.initialValues = {"1.0", "", "n"};
    Lines askedFace = {"u", "v", "1.0"};
    askedFace.insert(askedFace.end(), 15, "");
    d.faces = {"5", "", ""};  // faces 1 and 2 periodic: their pauses
    for (int f = 3; f <= 4; ++f) d.faces.insert(d.faces.end(), askedFace.begin(), askedFace.end());
    d.faces.insert(d.faces.end(), {"", ""});
    d.replacements = repeated(8, "");
    d.closing = {"n", "y", "f", "20", "f.dat", "", "1", "n"};
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));

    EXPECT_TRUE(sc.said("|---- yd8 would clash with the program's own yd8z, re-enter in columns 1-3"));
    EXPECT_TRUE(follows(sc, {"      LINEAR = .FALSE.", "MSG 24", "      NSTEPS = 15"}));
    EXPECT_TRUE(follows(sc, {"MSG 27", "      FDIFF = .FALSE.", "MSG 28"}));
    EXPECT_TRUE(sc.hasBlock({"      common / kvr5x/un8z(10,neqnmx)", "      common / kvr18/norm1,norm2,norm3",
                             "      real norm1,norm2,norm3,normx,normy,normz"}));
    EXPECT_TRUE(follows(sc, {"MSG 358", "                if (j8z.eq.0) then"}));
    EXPECT_TRUE(follows(sc, {"                else", marker("F1.u"), "      if (i8z.eq.    1.and.j8z.eq.    1) yd8z =",
                             expr("-v"), marker("F1.ux"), "C     if (i8z.eq.    1.and.j8z.eq.    2) yd8z =", defaulted}));
    EXPECT_TRUE(follows(sc, {marker("F1.v"), "      if (i8z.eq.    1.and.j8z.eq.   11) yd8z =", expr("-u")}));
    EXPECT_TRUE(follows(sc, {marker("F2.vyz"), "C     if (i8z.eq.    2.and.j8z.eq.   20) yd8z =", defaulted,
                             "                endif"}));
    EXPECT_TRUE(sc.said(" F2.uxz =   (Press [RETURN] to default, if F2 is a linear function of uxz)"));
    EXPECT_TRUE(sc.has("C      IF (.NOT.NCON8Z) GO TO 78755"));

    // Faces 3 and 4 ask G and its derivatives by u, ux, uy, uz, v, ...; the periodic ones
    // write them commented.
    EXPECT_EQ(timesSaid(sc, "   IPERDC = 5, so periodic boundary conditions set automatically"), 4);
    EXPECT_TRUE(follows(sc, {"            if (ifac8z.eq. 3) then", "MSG 315", "                          if (j8z.eq.0) then",
                             marker("G1"), "      if (i8z.eq.    1) gd8z =", expr("u")}));
    EXPECT_TRUE(follows(sc, {marker("G1.u"), "      if (i8z.eq.    1.and.j8z.eq.    1) gd8z =", expr("1.0"),
                             marker("G1.ux"), "C     if (i8z.eq.    1.and.j8z.eq.    2) gd8z =", defaulted}));
    EXPECT_EQ(countContaining(sc, "C     if (i8z.eq.    2.and.j8z.eq.   14) gd8z ="), 6);
    EXPECT_EQ(timesSaid(sc, " G2.vz =   (Press [RETURN] to default, if G2 is a linear function of vz)"), 2);
    EXPECT_TRUE(follows(sc, {"            if (ifac8z.eq. 5) then", "MSG 317", "                          if (j8z.eq.0) then",
                             "C        PERIODIC BOUNDARY CONDITIONS SET (SEE IPERDC)"}));

    EXPECT_TRUE(sc.hasBlock({"      function f     (p1,p2,p3)", "      implicit real (a-h,o-z)"}));
    EXPECT_TRUE(follows(sc, {"MSG 410", "      PARAMETER (NWORK = 20)"}));
    EXPECT_TRUE(sc.has("      f      =  kvrex(fname,iset,work,nwork,kdeg,p1,p2,p3)"));
    EXPECT_TRUE(sc.has("      data work(1) /0.0/"));
    EXPECT_EQ(sc.linkAndRunErrors(), "");
}

// Time-dependent in ten unknowns on a mapped box periodic in every direction, with the plots
// on cross-sections (axes of the user's in axis8z), curves against t and a data-file function.
TEST(Gen3d, TimeDependentTenUnknownsOnCrossSections) {
    const Lines names{"a", "b", "c", "d", "e", "f", "g", "h", "o", "q"};
    Dialog3d d;
    d.blocks = true;
    d.transformation = {"-3", "n", "p1*cos(p2)", "p1*sin(p2)", "p3"};
    d.grids = {"2", "1.0", "2.0", "3", "0.0", "", "2*pi", "2", "0.0", "1.0"};
    d.problem = {"1", "2", "", "1.0", "n", "n", "10", "y"};  // T0, TF, nonlinear, fixed steps, CRANKN
    d.unknowns = {"10"};
    d.unknowns.insert(d.unknowns.end(), names.begin(), names.end());
    d.equations = {"n"};
    for (int i = 0; i < 10; ++i) {
        for (int j = 0; j < 10; ++j) d.equations.push_back(i == j ? "1.0" : "");
        d.equations.push_back(names[static_cast<std::size_t>(i)] + "xx");
    }
    d.initialValues = {"y", "      r2 = p1*p1", "", "r2"};
    d.initialValues.insert(d.initialValues.end(), 9, "");
    d.initialValues.insert(d.initialValues.end(), {"n", "y", "n"});  // LSQFIT, restart, GRIDID
    d.faces = {"7", "", "", "", "", "", ""};
    d.replacements = {"n"};
    d.replacements.insert(d.replacements.end(), 40, "");
    d.outputGrid = {"2", "2", "2", "", "", "", "", "", "", "5"};
    // Contours on P2 = 0 with the axes in axis8z, contours on P1 = 1.5 with the library's.
    d.outputs = {"4", "1", "2", "1", "0.0", "2", "n", "x", "z", "", "", "", "", "", "", "", "n", "", "", "y", ""};
    d.outputs.insert(d.outputs.end(), {"4", "2", "1", "1", "1.5", "0", "", "", "", "y", "", "", "n", ""});
    // Vectors on P3 = 0 and 1 (IVAR3 41 refused), then curves of q against t.
    d.outputs.insert(d.outputs.end(), {"5", "3", "2", "0.0", "1.0", "2", "n", "x", "y", "", "", "", "", "2", "3", "41",
                                       "4", "", "", "", "n", "", "", "", "", "Gradient"});
    d.outputs.insert(d.outputs.end(), {"6", "40", "4", "1", "1.5", "1", "0.0", "1", "0.5", "", "", "", "0"});
    d.closing = {"n", "y", "kappa", "tab", "16", "17", "tab.dat", "", "2", "n"};
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));
    EXPECT_EQ(acceptedGlobals(d.lead(), programNames(sc, chosenNames({"r2", "tab"}, names))), Lines{});

    EXPECT_TRUE(follows(sc, {"MSG 342", "      ITRANS =         -3", "      X =", expr("p1*cos(p2)"), "      Y =",
                             expr("p1*sin(p2)"), "      Z =", expr("p3"), "      return"}));
    EXPECT_TRUE(sc.said("   used in the definition of X,Y,Z?"));
    // Nonlinear with a transformation: finite differences without a question.
    EXPECT_FALSE(sc.said(msg(27)));
    EXPECT_TRUE(sc.hasBlock({"      CRANKN = .TRUE.", "      FDIFF = .TRUE."}));
    EXPECT_TRUE(sc.hasBlock({"      q  = uu8z(1,10)", "      q1 = uu8z(2,10)"}));
    EXPECT_TRUE(follows(sc, {"MSG 364", "                if (j8z.eq.0) then", "      yd8z = 0.0", marker("C( 1, 1)"),
                             "      if (i8z.eq. -101) yd8z =", expr("1.0"), marker("C( 1, 2)")}));
    EXPECT_TRUE(follows(sc, {marker("C(10,10)"), "      if (i8z.eq.-1010) yd8z =", expr("1.0"), marker("F10"),
                             "      if (i8z.eq.   10) yd8z =", expr("qxx"), "                else", "                endif"}));
    EXPECT_TRUE(follows(sc, {"      u8z = 0.0", "MSG 367", "      r2 = p1*p1", marker("a0"), "      if (i8z.eq.    1) u8z =",
                             expr("r2")}));
    EXPECT_TRUE(follows(sc, {"MSG 158", "      LSQFIT = .FALSE.", "MSG 48", "      RESTRT = .TRUE.", "MSG 307",
                             "      GRIDID = .FALSE."}));
    EXPECT_EQ(countContaining(sc, "C        PERIODIC BOUNDARY CONDITIONS SET (SEE IPERDC)"), 6);
    EXPECT_FALSE(sc.said(" G1 ="));
    EXPECT_TRUE(sc.hasBlock({"      uxprint(10) = qx", "      uyprint(10) = qy", "      uzprint(10) = qz"}));
    EXPECT_TRUE(follows(sc, {"MSG 53", "      PARAMETER (NSAVE = 5)", "      common/parm8z/ pi"}));
    EXPECT_FALSE(sc.has("      NOUT = NSTEPS"));

    // Two contour requests and a vector request count 1, 2, 3; the first and third put
    // their axes in axis8z.
    EXPECT_TRUE(follows(sc, {"C        P2 = CONSTANT CROSS-SECTIONS", "      ics8z = 2", "MSG 390",
                             "      NP2VALS =          1", "      P2CROSS(1) =", expr("0.0"), "MSG 393",
                             "      ITPLOT =          2", "      ical8z =    1", "MSG 398", "      A1MIN = 0.0"}));
    EXPECT_TRUE(follows(sc, {"      ITPLOT =          0", "      ical8z =    2", "      A1MIN = 0.0", "      A1MAX = 0.0",
                             "      A2MIN = 0.0", "      A2MAX = 0.0", "MSG 123"}));
    EXPECT_TRUE(follows(sc, {"      axis8z = 0.0", "                if (ical8z.eq.   1) then", "MSG 396", marker("A1"),
                             "      if (i8z.eq.    1) axis8z =", expr("x"), marker("A2"), "      if (i8z.eq.    2) axis8z =",
                             expr("z"), "                endif", "                if (ical8z.eq.   3) then", "MSG 397"}));
    EXPECT_TRUE(sc.hasBlock({expr("y"), "                endif", "      return", "      end", "C        dummy routines"}));
    EXPECT_TRUE(follows(sc, {"      FILLIN = .TRUE.", "MSG 59", "      TITLE = ' '", "      call dkvrrx(tout8z,nsave,iset1,iset2,isinc)",
                             "      do 78757 is8z=iset1,iset2,isinc", "      do 78756 jyv8z=1,np2vals",
                             "      call dkvrzx(p2cross(jyv8z),p2a,p2b,np2,jy8z)",
                             "      call dkvrln(uout(0,0,0,ivara8z,ivarb8z,is8z),np1,np2,np3,p1a,p1b,p"}));
    EXPECT_TRUE(sc.said(rangeRefused + "1 to 40"));
    EXPECT_TRUE(follows(sc, {"MSG 402", "      IVAR1 =          2", "      IVAR2 =          3", "      IVAR3 =          4",
                             "      ivar1a8z = mod(ivar1-1,4)+1", "      ivar1b8z = (ivar1-1)/4+1",
                             "      ivar2a8z = mod(ivar2-1,4)+1", "      ivar2b8z = (ivar2-1)/4+1",
                             "      ivar3a8z = mod(ivar3-1,4)+1", "      ivar3b8z = (ivar3-1)/4+1", "MSG 123"}));
    EXPECT_TRUE(follows(sc, {"      a1mag = max(abs(amin8z(ivar1)),abs(amax8z(ivar1)))",
                             "      a2mag = max(abs(amin8z(ivar2)),abs(amax8z(ivar2)))", "MSG 267", "      VR1MAG = 0.0",
                             "      VR2MAG = 0.0", "C", "      a3low = amin8z(ivar3)", "      a3high = amax8z(ivar3)",
                             "MSG 403", "      VR3MIN = 0.0", "      VR3MAX = 0.0", "MSG 59"}));
    EXPECT_TRUE(sc.hasBlock({"      do 78761 is8z=iset1,iset2,isinc", "      do 78760 kzv8z=1,np3vals",
                             "      call dkvrzx(p3cross(kzv8z),p3a,p3b,np3,kz8z)",
                             "      call dkvrlq(uout(0,0,0,ivar1a8z,ivar1b8z,is8z),uout(0,0,0,ivar2a8z"}));
    EXPECT_TRUE(follows(sc, {"      IVAR =         40", "C        T IS VARIABLE", "      ics8z = 4", "MSG 408"}));
    EXPECT_TRUE(sc.hasBlock({"      is8z = 0", "      do 78764 ixv8z=1,np1vals", "      do 78763 jyv8z=1,np2vals",
                             "      do 78762 kzv8z=1,np3vals", "      call dkvrzx(p1cross(ixv8z),p1a,p1b,np1,ix8z)",
                             "      call dkvrzx(p2cross(jyv8z),p2a,p2b,np2,jy8z)",
                             "      call dkvrzx(p3cross(kzv8z),p3a,p3b,np3,kz8z)"}));
    EXPECT_TRUE(sc.hasBlock({"78762 continue", "78763 continue", "78764 continue", "78755 continue"}));

    EXPECT_EQ(timesSaid(sc, "|---- Illegal function name, re-enter in columns 1-6"), 1);
    EXPECT_TRUE(sc.said(rangeRefused + "17 to +INFINITY"));
    EXPECT_TRUE(follows(sc, {"MSG 410", "      PARAMETER (NWORK = 17)", "      dimension work(nwork)", "      character*40 fname",
                             "      data work(1) /0.0d0/", "MSG 278"}));
    EXPECT_TRUE(sc.has("      tab    = dkvrex(fname,iset,work,nwork,kdeg,p1,p2,p3)"));
    EXPECT_EQ(sc.linkAndRunErrors(), "");
}

// An eigenvalue problem with the transformation and its 30 derivatives given, periodic in P3,
// and output points of the user's (NP2 = 0, so NP3 = 0 and tables only).
TEST(Gen3d, EigenvalueWithTheUsersTransformationAndPoints) {
    Dialog3d d;
    d.transformation = {"3", "p1", "p2", "p3", "1.0", "0.0", "0.0", "0.0", "1.0", "0.0", "0.0", "0.0", "1.0"};
    d.transformation.insert(d.transformation.end(), 18, "0.0");
    d.problem = {"1", "3", "", "n", "", ""};  // the key after message 12; real; EV0R, NSTEPS kept
    d.unknowns = {"1", "w"};
    d.equations = {"n", "-wxx-wyy-wzz", "1.0"};
    d.initialValues = {"", "n"};
    d.faces = {"3", "w", "w", "w", "w", "", ""};
    d.outputGrid = {"3", "0", "1", "0", "      do 1 i=0,np1", "         p1out8z(i,0,0) = i/3.0", "    1 continue", ""};
    d.outputs = {"2", "1", "1", "", "0"};
    Scenario sc = runZemka(d.answers());
    ASSERT_TRUE(finished(sc));

    // 30 required formulas in seven groups.
    EXPECT_TRUE(follows(sc, {"      ITRANS =          3", "      X =", expr("p1"), "      Y =", expr("p2"), "      Z =",
                             expr("p3"), "C", "      X1 =", expr("1.0"), "      X2 ="}));
    EXPECT_TRUE(follows(sc, {"      Z3 =", expr("1.0"), "C", "      X11 =", expr("0.0"), "      X12 =", expr("0.0"),
                             "      X13 =", expr("0.0"), "      X22 ="}));
    EXPECT_TRUE(follows(sc, {"      Z33 =", expr("0.0"), "      return"}));

    EXPECT_TRUE(sc.hasBlock({"      parameter (neqnmx=  99)", "      parameter (NEQN=   1)"}));
    EXPECT_FALSE(sc.has("      dimension rho(neqn,neqn)"));
    EXPECT_TRUE(follows(sc, {marker("RHO"), "      RHO =", expr("1.0"), "      call dkvrsx (yd8z,i8z,uu8z,un8z,rho,10,neqn)",
                             "                else"}));
    EXPECT_TRUE(follows(sc, {"      u8z = dkvrxx()", "MSG 365", marker("w0"), "C     if (i8z.eq.    1) u8z ="}));
    EXPECT_TRUE(follows(sc, {"      lsqfit = .false.", "MSG 48", "      RESTRT = .FALSE."}));
    EXPECT_EQ(timesSaid(sc, "   IPERDC = 3, so periodic boundary conditions set automatically"), 2);

    // NP3 must be 0 with NP2 = 0; the points come from the block, and only tables follow.
    EXPECT_TRUE(sc.said(rangeRefused + "0 to 0"));
    EXPECT_TRUE(follows(sc, {"      PARAMETER (NP2 = 0)", "      PARAMETER (NP3 = 0)", "      PARAMETER (NSAVE = 1)"}));
    EXPECT_TRUE(follows(sc, {"      npts8z = np1+1", "MSG 378", "      do 1 i=0,np1", "         p1out8z(i,0,0) = i/3.0",
                             "    1 continue", "C        SOLUTION SAVED EVERY NOUT ITERATIONS"}));
    EXPECT_FALSE(sc.has("      p1a = p1grid(1)"));
    EXPECT_TRUE(sc.said(rangeRefused + "0 to 1"));
    // The eigenvalue's tail: the convergence test, and the jump after the postprocessor.
    EXPECT_TRUE(sc.hasBlock({"      deallocate (iwrk8z,rwrk8z)", "C        *******UNCOMMENT TO POSTPROCESS ONLY IF CONVERGED",
                             "C      IF (ITYPE.EQ.3.AND.(.NOT.ECON8Z)) GO TO 78755",
                             "C        *******read from restart file to array ures8z"}));
    EXPECT_TRUE(sc.hasBlock({"     &neqn,p1grid,p2grid,p3grid,np1grid,np2grid,np3grid)", "      if (itype.eq.4) go to 78755",
                             "C        *******TABULAR OUTPUT"}));
    EXPECT_EQ(sc.linkAndRunErrors(), "");
}

}  // namespace
}  // namespace zemka::test
