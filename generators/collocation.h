// The steps the collocation classes of one, two and three space variables share.
//
// The region is the image of an interval, rectangle or box of the computational coordinates
// (X; P1, P2; P1, P2, P3) cut by grid lines, mapped to x, y (, z) by a transformation ITRANS
// chooses. Each equation has one function F of the unknowns and their first and second
// derivatives; each end point or face of the box has one condition G per unknown. The
// derivative codes of unknown k are stride*(k-1) + d, with the offset d of each derivative.
#pragma once

#include <string_view>
#include <vector>

#include "steps.h"

namespace zemka {

// The letters that may begin a name of two or more characters; the first 40 give a real by
// the implicit statement: names of unknowns and data-file functions must begin with one.
constexpr std::string_view collocationLet2 = "ABCDEFGHOPQRSTUVWXYZabcdefghopqrstuvwxyzIJKLMNijklmn";

// The transformation from the computational coordinates to x, y (, z), in tran8z.
struct Transformation {
    SubprogramHead head;
    int message;
    bool refuseTwo;  // whether ITRANS = 2 and -2 are refused
    std::vector<HeadLine> closing;
};

// The equations routine pdes8z.
struct CollocationEquations {
    PointRoutine routine;
    int integralsMessage;  // variant bases
    int boundaryIntegralsMessage;
    bool weighted;  // integrals weighted by the volume and area elements dvol, darea
    PerType coefficients;
    std::string_view eigenvalueCall;
};

// The conditions on the end points or faces, in gb8z.
struct Faces {
    PointRoutine routine;
    int message;           // variant base, explains the conditions
    int count;             // 2, 4 or 6: faces 2d-1 and 2d lie at the ends of direction d
    int faceMessage;       // + face number: explains the face
    std::string_view what;  // the text of the optional block
};

// Over a rectangle or a box of computational coordinates (two and three space variables) the
// classes share more than with one variable: the pieces below, and the box steps of
// CollocationSteps.

// The main program's skeleton: the restart arrays, logicals and library commons the two
// declare alike, around the heading, the arrays, the common of the results and the first
// statements of each.
ProgramSkeleton boxSkeleton(std::string_view heading, std::string_view arrays, std::string_view results,
                            std::vector<std::string_view> start);
// The heads of pdes8z and gb8z: header with the point's coordinates; the library's common of
// the normal, and the declaration of its components (and in gb8z of none) in the program's
// precision; then more lines.
SubprogramHead boxEquationsHead(std::string_view header, std::string_view normal, std::string_view reals,
                                std::vector<HeadLine> more = {});
SubprogramHead boxConditionsHead(std::string_view header, std::string_view normal, std::string_view reals,
                                 std::vector<HeadLine> more = {});
// gb8z over the faces, count of them, with its explaining message (variant base).
Faces boxFaces(PointRoutine routine, int message, int count);
// pdes8z, whose messages come in groups of four versions from first on: the integrals, the
// boundary integrals, then the equations of an eigenvalue, a steady-state and a
// time-dependent problem.
CollocationEquations boxEquations(PointRoutine routine, int first);

class CollocationSteps : protected virtual GeneratorBase {
protected:
    // derivatives: those of F, in code order, with their offsets; conditionDerivatives the
    // first of them, those of G.
    CollocationSteps(Session& session, int stride, std::vector<Derivative> derivatives, std::size_t conditionDerivatives)
        : GeneratorBase(session, true), stride(stride), derivatives(std::move(derivatives)),
          conditionDerivatives(conditionDerivatives) {}

    static constexpr ProblemTypeStyle problemStyle{
        .linearLines = true, .linearQuestionMode = 0, .crankNicolsonMessage = 65};

    // tran8z and ITRANS; returns ITRANS.
    int transformation(const Transformation& t, int dimensions);
    void collocationEquations(const CollocationEquations& e);
    // Whether the problem is periodic in each direction: IPERDC 1, 2, 3 for one of the
    // directions, 4, 5, 6 for two, 7 for all three, up to the largest the class has; a
    // refused value (-1: none) is asked again. Returns IPERDC.
    int periodicity(int message, int largest, int refused);
    // The conditions on each face, asked where the face's direction is not periodic and has
    // more than one grid line.
    void faceConditions(const Faces& faces, int iperdc, const std::vector<int>& gridLines);

    // Steps over a rectangle or box.
    // The program's opening, the problem loop, the global parameters, the offer of blocks and
    // tran8z; returns ITRANS.
    int openBoxProgram(const ProgramSkeleton& skeleton, int globalsMessage, const NameTables& names,
                       const Transformation& t, int dimensions);
    // ISOLVE, the problem type, NEQN, the unknowns and FDIFF (forced where the library
    // differentiates a transformation it computes itself).
    void boxProblem(int itrans, int namesMessage, const NameTables& unknownNames, std::vector<std::string> suffixes,
                    std::vector<std::string> programNames);
    // u8z with the least-squares and restart settings.
    void boxInitialValues(const SubprogramHead& head, const PerType& message);
    // The work space around the solver call, then what follows the solver.
    void boxSolver(std::string_view call, std::string_view postprCall, const EigenvalueEnd& eigenvalueEnd = {});
    // Stubs of the routines of other classes, postpr, the user's routines and functions read
    // from data files (functionMessage asks the name, the next one NWORK), and the end.
    void closeBoxProgram(const Postprocessor& p, int functionMessage, int nworkLeast, std::string_view arguments,
                         std::string_view interpolation);

private:
    const int stride;
    const std::vector<Derivative> derivatives;
    const std::size_t conditionDerivatives;

    static bool periodicIn(int iperdc, int direction);
};

}  // namespace zemka
