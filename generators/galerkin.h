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

struct GalerkinShape {
    int dimensions;  // 1 or 2

    int globalsMessage;
    NameTables globalNames;
    int unknownsMessage;
    NameTables unknownNames;
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
};

class GalerkinGenerator : protected GeneratorBase {
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
    // X-grid lines (or Y, P, Q): their number as a PARAMETER, the first and last compulsory,
    // the interior ones optional. Returns the number.
    int gridLines(char axis, int least);
    // "call dkvrwx(xgrid,nxgrid,0)": the library's check around the grid values (flag 0
    // before them, 1 after).
    void gridCheck(char axis, int flag);
    // NEQN, the names of the unknowns, SYMM, FDIFF and the work-array parameters.
    void equationsAndUnknowns();

    void pdes8z();
    // u8z, and the restart settings of the main program.
    void u8z();
    // The start of fb8z, up to its zero default.
    void fb8zOpening();
    // FB of each equation, asked in vecfun's mode.
    void fixedValues(int mode);
    // The start of gb8z, up to its zero default.
    void gb8zOpening();
    // GB of each equation and, for a nonlinear problem without FDIFF, its derivatives; mode
    // is vecfun's, skip matfun's.
    void freeConditions(int mode, int skip);
    void pmod8z();

    // Output requests. An output variable IVAR numbers the quantities of every unknown;
    // the split lines give its quantity (ivara8z) and its unknown (ivarb8z).
    void outputVariable(std::string_view name, bool split);
    // Which saved solutions are put out.
    void savedStepRange();
    // The value range of a plot, with the smallest and largest values at hand.
    void valueRange(int message);
    // The viewing angles of a surface plot.
    void viewAngles();
    // The count and the coordinates of cross-sections: NXVALS and XCROSS, ...
    void crossSections(std::string_view count, std::string_view values);
    // "do L is8z=iset1,iset2,isinc" over the chosen saved solutions, with its set-up call.
    void openSavedStepLoop(int label);
    // The loop over the saved solutions around one library call.
    void savedStepLoop(std::string_view call);
    void closeLoop(int label) { write("(I5,' continue')", label); }

private:
    void deltaFunctions();
    void jacobian();
};

}  // namespace zemka
