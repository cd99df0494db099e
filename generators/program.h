// The pieces of a generated program that every class writes in its own shape, as data: the
// main program's opening, the head of a generated routine, the lines that bind an unknown and
// its derivatives to local names, the partial derivatives of a Jacobian, the postprocessor
// with its example. The generators pass them to the shared steps that write them.
//
// Every line is given in its double precision spelling; the writers turn "dkvr" into " kvr"
// for a single precision program.
#pragma once

#include <string_view>
#include <vector>

namespace zemka {

// The main program's opening: the heading comment and the header stream's parameters after
// the precision question, then in the body stream the arrays, the restart arrays (comments),
// the work arrays, the title, the logicals, the result commons and the class's own commons,
// and the first statements.
struct ProgramSkeleton {
    std::string_view heading;
    std::vector<std::string_view> headerParameters = {};  // after "parameter (neqnmx=  99)"
    std::string_view arrays;
    std::vector<std::string_view> restartArrays = {};
    std::string_view logicals;
    std::vector<std::string_view> commons;  // after those of the integrals and eigenvalues
    std::vector<std::string_view> start;
};

// One line of the head of a generated routine, after its header and implicit statement.
struct HeadLine {
    enum Kind {
        statement,
        comment,
        reals,            // "double precision text" or "real text"
        neqnmx,           // the largest number of equations the arrays are dimensioned for
        eigenvalueNeqn,   // NEQN, which dimensions RHO, in an eigenvalue problem
        eigenvalueRho,    // RHO's dimensions, in an eigenvalue problem of several equations
        parameterCommon,  // the global parameters
    } kind;
    std::string_view text = {};
};

constexpr HeadLine statement(std::string_view s) { return {HeadLine::statement, s}; }
constexpr HeadLine comment(std::string_view s) { return {HeadLine::comment, s}; }
constexpr HeadLine realsDeclaration(std::string_view names) { return {HeadLine::reals, names}; }
constexpr HeadLine neqnmx{HeadLine::neqnmx};
constexpr HeadLine eigenvalueNeqn{HeadLine::eigenvalueNeqn};
constexpr HeadLine eigenvalueRho{HeadLine::eigenvalueRho};
constexpr HeadLine parameterCommonLine{HeadLine::parameterCommon};

// A generated routine: two empty lines, its header, the implicit statement, then its head.
struct SubprogramHead {
    std::string_view header;
    std::vector<HeadLine> lines;
};

// A line written once for each unknown: a statement, or (when items is not empty) a FORMAT
// whose items are spelt by items, one letter each: N the unknown's name, I its number.
struct UnknownLine {
    std::string_view line;
    std::string_view items = {};
};
using UnknownLines = std::vector<UnknownLine>;

// A generated routine evaluated at one point of the region: its head, the values of each
// unknown and its derivatives as the library hands them over, the calls that locate the point
// (x, y, the normal; none in 0D and 1D), and, for each unknown, the lines that turn the
// derivatives in the computational coordinates into those in x, y (, z).
struct PointRoutine {
    SubprogramHead head;
    UnknownLines values;
    std::vector<std::string_view> locate = {};
    UnknownLines derivatives = {};
};

// A derivative the Jacobian is asked for: the suffix that names it after the unknown (Ux is
// "x"), and its code within the unknown's block of codes.
struct Derivative {
    std::string_view suffix;
    int code;
};

// The partial derivatives of functions (F, or F, A, B, or a boundary condition G) with
// respect to each unknown and its derivatives. Function f of equation i is selected by
// functions.size()*(i-1) + 1 + f, the derivative d of unknown j by unknownStride*(j-1) + d.code.
struct JacobianTerms {
    std::vector<std::string_view> functions;
    std::vector<Derivative> derivatives;
    int unknownStride;
    std::string_view lhs;  // the result: "yd8z", "gd8z"
};

// A line of a deactivated example: com mode 3 for a statement, 4 for a labelled line.
struct DeactivatedLine {
    int mode;
    std::string_view text;
};

// The user's postprocessor with its deactivated MATLAB example. The example's opening
// (files, the last saved step, nsave0 and neqn) is the same in every class but for its two
// labels; what follows it is the class's own.
struct Postprocessor {
    std::string_view header;
    std::vector<std::string_view> dimensions;
    std::vector<std::string_view> comments;  // what uout holds; the hint on the example follows
    std::vector<DeactivatedLine> exampleRest;
    std::string_view matlabWriter;  // "mkvr0d", ...
    int firstLabel = 78753;         // of the opening's loop; its format has the next
};

// Functions whose values the library interpolates from a data file.
struct DataFileFunctions {
    int nameMessage;
    int nworkMessage;
    int nworkLeast;
    int fileMessage;
    std::string_view arguments;      // "x,y"
    std::string_view interpolation;  // "dkvrt", the library function
    std::string_view firstLetters;   // letters a function name may begin with
};

// The solver call with the work space around it.
struct SolverCall {
    std::string_view sizes;  // the call that returns ii8z and ir8z
    std::vector<std::string_view> plotComments;
    std::string_view plot;  // the statement that sets PLOT
    std::string_view call;  // the solver itself
};

// A message that exists in one version per problem type; with byUnknowns each version is
// the first of four, for 1, 2, 3 and 4 or more unknowns.
struct PerType {
    int steady;
    int timeDependent;
    int eigenvalue;
    bool byUnknowns = false;
};

// How a class writes the problem-type step: some keep a LINEAR flag in the program, and
// they ask about Crank-Nicolson steps with different messages.
struct ProblemTypeStyle {
    bool linearLines;
    int linearQuestionMode;  // mess mode of the linearity question
    int crankNicolsonMessage;
};

}  // namespace zemka
