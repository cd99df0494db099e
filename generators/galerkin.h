// The steps the Galerkin generators of one and two space variables share.
//
// Each equation i has a function F and one flux per space variable (A, and B in two
// dimensions); the equations routine selects them by i8z = s*i - d .. s*i, where d is the
// number of space variables and s = d + 1 the number of functions per equation. The same
// stride numbers the derivatives U, Ux (, Uy) of unknown j in the Jacobian and the saved
// quantities of the output. What else differs between the two classes (messages, the
// headers and declarations of the generated routines) is held in a GalerkinShape.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common.h"

namespace zemka {

// The letters that may begin a name of two or more characters. The first 40 give a real by
// the implicit statement: names of unknowns and data-file functions must begin with one.
constexpr std::string_view galerkinLet2 = "ABCDEFGHOPQRSTUVWXYZabcdefghopqrstuvwxyzIJKLMNijklmn";

// The names both Galerkin programs use beside sharedReserved; a# are the fluxes a1, a2, ...
// that pmod8z gives the equations.
constexpr std::string_view galerkinReserved =
    "a# ahigh alow aprint delamp ideg iset1 iset2 isinc ixarc mod ndel ndelmx normx nxvals symm vlat vlon "
    "xcross xd0 xout zero";

struct GalerkinShape {
    int dimensions;  // 1 or 2

    // The main program: its heading comment, declarations and first statements.
    std::string_view heading;
    std::string_view arrays;         // the dimension statement
    std::string_view restartArrays;  // the arrays of a restart, as a comment
    std::string_view logicals;
    std::vector<std::string_view> commons;  // after those of the results; "dkvr" spelling
    std::vector<std::string_view> start;

    int globalsMessage;
    NameTables globalNames;
    int unknownsMessage;
    NameTables unknownNames;
    // Variables of pdes8z, gb8z or pmod8z that the lines of an unknown so named would set.
    std::vector<std::string> unknownsTaken;
    PerType symmetry;
    std::string_view libraryLimits;  // the PARAMETER line after the work-array sizes

    // The equations routine pdes8z.
    std::string_view pdesHeader;
    std::vector<std::string_view> pdesComments;
    std::vector<std::string_view> pdesCommons;  // "dkvr" spelling
    std::string_view pdesReals;
    int integralsMessage;  // variant bases
    int boundaryIntegralsMessage;
    int deltaQuestion;
    int deltaPlaces;
    int deltaAmplitudes;
    PerType coefficients;

    // The initial values u8z.
    std::string_view u8zHeader;
    PerType initialValues;

    // The boundary-condition routines fb8z and gb8z.
    std::string_view fb8zHeader;
    std::string_view gb8zHeader;
    std::vector<std::string_view> gb8zComments;
    std::vector<std::string_view> gb8zCommons;
    std::string_view gb8zReals;  // empty when there is no normal vector
    Layout gb8zLayout;

    // The print replacements pmod8z.
    std::string_view pmodHeader;
    std::vector<std::string_view> pmodCommons;
    int replacementsMessage;  // variant base

    // The output requests and the routines written after them.
    int outputKindsMessage;
    int outputVariablesMessage;  // variant base
    std::string_view tableCall;
    std::vector<std::string_view> dummies;  // headers of the routines the class has no use for
    Postprocessor postprocessor;
    DataFileFunctions dataFunctions;
};

class GalerkinGenerator : protected GeneratorBase {
public:
    // The whole dialog, in the order the user meets it; main.f is assembled at its end.
    void run();

protected:
    GalerkinGenerator(Session& session, const GalerkinShape& shape) : GeneratorBase(session), shape(shape) {}

    const GalerkinShape& shape;

    // Functions per equation, and so quantities per unknown in the output: 3 in 2D, 2 in 1D.
    int stride() const { return shape.dimensions + 1; }

    static constexpr ProblemTypeStyle problemStyle{
        .linearLines = false, .linearQuestionMode = 1, .crankNicolsonMessage = 65};

    // neqnmx and ndelmx, the largest numbers of equations and delta functions, in the main
    // program or in the equations routine.
    void limitParameters(bool inEquations = false);
    void globalParameters();
    // A size of the main program's arrays: a PARAMETER under a boxed comment that explains it,
    // read with no upper bound. The body stream is current afterwards.
    int sizeParameter(const std::string& name, const std::string& meaning, int least);
    // Grid lines in each direction of axes ("X", "XY", "PQ"), at least `least` of them, with
    // the library's check around their values. Returns the number of lines per direction.
    std::vector<int> grids(std::string_view axes, int least);
    // NEQN, the names of the unknowns, SYMM, FDIFF and the work-array parameters.
    void equationsAndUnknowns();

    void pdes8z();
    // u8z, and the restart settings of the main program.
    void u8z();
    // The start of fb8z, up to its zero default.
    void fb8zOpening();
    // FB of each equation: asked when given, else written as commented defaults, a model
    // for the user.
    void fixedValues(bool given);
    // The start of gb8z, up to its zero default.
    void gb8zOpening();
    // GB of each equation and, for a nonlinear problem without FDIFF, its derivatives: asked
    // when given, else commented defaults as a model.
    void freeConditions(bool given);
    void pmod8z();

    // Output points spread evenly over XA..XB (and YA..YB), whose defaults the given lines
    // set; or NX+1 points that a Fortran block of the user's sets.
    void evenOutputPoints(int message, const std::vector<std::string_view>& defaults, std::string_view pointsCall);
    void userOutputPoints(int message);

    // Output requests. An output variable IVAR numbers the quantities of every unknown;
    // the split lines give its quantity (ivara8z) and its unknown (ivarb8z).
    void outputVariable(std::string_view name, bool split);
    // Which saved solutions are put out.
    void savedStepRange();
    // The value range of a plot, with the smallest and largest values at hand.
    void valueRange(int message);
    // The viewing angles of a surface plot.
    void viewAngles();
    // A table of one output variable at each chosen saved solution.
    void table();
    // Which variable runs along the curves of a plot: "   X IS VARIABLE", ics8z = 1, ...
    void curveVariable(char variable, int ics);
    // The count and the coordinates of cross-sections: NXVALS and XCROSS, ...
    void crossSections(std::string_view count, std::string_view values);
    // "do L ixv8z=1,nxvals" over the cross-sections at x values (axis 'X') or y values ('Y').
    void openCrossSectionLoop(char axis, int label);
    // "do L is8z=iset1,iset2,isinc" over the chosen saved solutions, with its set-up call.
    void openSavedStepLoop(int label);
    // The loop over the saved solutions around one library call.
    void savedStepLoop(std::string_view call);

private:
    // The steps in which the classes differ.
    virtual void domain() = 0;  // the grid or region, and the options asked with it
    virtual void boundaryConditions() = 0;  // fb8z and gb8z
    virtual void outputGrid() = 0;
    virtual void solve() = 0;
    // The largest kind of output request; kind 1 is a table, the others plots of the class.
    virtual int largestOutputKind() const = 0;
    virtual void plot(int kind) = 0;

    void opening();
    void outputOptions();
    int gridLines(char axis, int least);
    // "call dkvrwx(xgrid,nxgrid,0)": flag 0 before the grid values, 1 after.
    void gridCheck(char axis, int flag);
    void deltaFunctions();
    void jacobian();
};

}  // namespace zemka
