// The steps the Galerkin classes of one and two space variables share.
//
// Each equation i has a function F and one flux per space variable (A, and B in two
// dimensions); the equations routine selects them by i8z = s*i - d .. s*i, where d is the
// number of space variables and s = d + 1 the number of functions per equation. The same
// stride numbers the derivatives U, Ux (, Uy) of unknown j in the Jacobian and the saved
// quantities of the output.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "steps.h"

namespace zemka {

// The letters that may begin a name of two or more characters. The first 40 give a real by
// the implicit statement: names of unknowns and data-file functions must begin with one.
constexpr std::string_view galerkinLet2 = "ABCDEFGHOPQRSTUVWXYZabcdefghopqrstuvwxyzIJKLMNijklmn";

// The names both Galerkin programs use beside sharedReserved; a# are the fluxes a1, a2, ...
// that pmod8z gives the equations.
constexpr std::string_view galerkinReserved =
    "a# ahigh alow aprint delamp ideg iset1 iset2 isinc ixarc mod ndel ndelmx normx nxvals symm vlat vlon "
    "xcross xd0 xout zero";

// The equations routine pdes8z: its head, and the messages of its integrals, its point
// sources (delta functions) and its functions.
struct GalerkinEquations {
    SubprogramHead head;
    int integralsMessage;  // variant bases
    int boundaryIntegralsMessage;
    int deltaQuestion;
    int deltaPlaces;
    int deltaAmplitudes;
    PerType coefficients;
};

class GalerkinSteps : protected virtual GeneratorBase {
protected:
    GalerkinSteps(Session& session, int dimensions) : GeneratorBase(session, false), dimensions(dimensions) {}

    const int dimensions;  // 1 or 2

    static constexpr ProblemTypeStyle problemStyle{
        .linearLines = false, .linearQuestionMode = 1, .crankNicolsonMessage = 65};

    // The names of the unknowns, each of which also names its derivatives Ux (, Uy) and, in
    // 2D, Unorm; taken are variables of the routines with the unknowns' lines.
    void galerkinUnknowns(int message, const NameTables& names, std::vector<std::string> taken);
    // Whether the equations are symmetric, which the library can use.
    void askSymmetry(const PerType& message);
    void galerkinEquations(const GalerkinEquations& e);
    // The start of fb8z, up to its zero default.
    void fixedValuesOpening(std::string_view header);
    // FB of each equation: asked when given, else written as commented defaults, a model
    // for the user.
    void fixedValues(bool given);
    // The start of gb8z, up to its zero default; the values of the unknowns are laid out as
    // the lines say.
    void freeConditionsOpening(const SubprogramHead& head, const UnknownLines& values);
    // GB of each equation and, for a nonlinear problem without FDIFF, its derivatives: asked
    // when given, else commented defaults as a model.
    void freeConditions(bool given);
    // pmod8z: the values of each unknown and the fluxes of each equation, which the user may
    // replace for the output.
    void galerkinReplacements(const SubprogramHead& head, int message);

private:
    // U, Ux (, Uy) of each unknown as uu8z(d,j) holds them.
    UnknownLines unknownValues() const;
    void deltaFunctions(const GalerkinEquations& e);
};

}  // namespace zemka
