// Steps that several generators share, written once and parameterised by what differs.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "dialog/dialog.h"

namespace zemka {

enum ProblemType { steady = 1, timeDependent = 2, eigenvalue = 3 };

// Integer bounds that the readers take as "none on this side".
constexpr int noLowerBound = -10000;
constexpr int noUpperBound = 10000;

// How a generated routine indexes the values of the unknowns: uu8z(d,j) or uu8z(j,d) for
// derivative d of unknown j.
enum class Layout { derivativeFirst, unknownFirst };

// Fortran names are compared without regard to case.
inline std::string lowerCase(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// The names that every class's program gives variables, routines or intrinsic functions
// of its own in the units that carry the parameter common line; a global parameter may not
// take them (see NameTables::reserved). Each class adds those of its own program.
constexpr std::string_view sharedReserved =
    "adapt atan bint crankn endgks ev0i ev0r evcmpx fdiff gridid icomm iprob itask itype ivar lud lun max "
    "nbint neqn neqnmx nint noupdt npes nout nprob nsave nsteps nxgrid plot postpr restrt rho sint title "
    "toler tout umax umin uout uprint xgrid";

// A line of a deactivated example: com mode 3 for a statement, 4 for a labelled line.
struct DeactivatedLine {
    int mode;
    std::string_view text;
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
    int linearQuestionMode;                 // mess mode of the linearity question
    int crankNicolsonMessage;
};

// The solver call with the work space around it.
struct SolverCall {
    std::string_view sizes;                 // the call that returns ii8z and ir8z
    std::vector<std::string_view> plotComments;
    std::string_view plot;                  // the statement that sets PLOT
    std::string_view call;                  // the solver itself
};

// The user's postprocessor with its deactivated MATLAB example. The example's opening
// (files, the last saved step, nsave0 and neqn) is the same in every class; what follows
// it is the class's own.
struct Postprocessor {
    std::string_view header;
    std::vector<std::string_view> dimensions;
    std::vector<std::string_view> comments;  // what uout holds; the hint on the example follows
    std::vector<DeactivatedLine> exampleRest;
    std::string_view matlabWriter;          // "mkvr0d", ...
};

// Functions whose values the library interpolates from a data file.
struct DataFileFunctions {
    int nameMessage;
    int nworkMessage;
    int nworkLeast;
    int fileMessage;
    std::string_view arguments;             // "x,y"
    std::string_view interpolation;         // "dkvrt", the library function
    std::string_view firstLetters;          // letters a function name may begin with
};

class GeneratorBase : protected Dialog {
public:
    using Dialog::Dialog;

protected:
    int loopLabel = 0;     // the label of the problem loop
    GlobalList globals;    // the global parameters, for every parameter common line
    int neqn = 0;
    int type = steady;
    bool linear = false;
    bool fdiff = false;
    // Whether this class marks in the program where the front end gave an answer.
    bool marksInput = false;
    void mark() {
        if (marksInput) gui();
    }

    // "Writes a, b, ...": one statement each, from column 7.
    void texts(std::initializer_list<std::string_view> lines);
    void texts(const std::vector<std::string_view>& lines);
    // "Comment a, b, ...": one comment line each.
    void comments(std::initializer_list<std::string_view> lines);
    void comments(const std::vector<std::string_view>& lines);
    // What an unknown's name must not clash with: its derived names are it followed by each
    // suffix; the global parameters, RHO in an eigenvalue problem, and the variables of its
    // own that the class writes in the routines with the unknowns' lines are taken.
    UnknownNaming unknownNaming(std::vector<std::string> suffixes, std::vector<std::string> programNames) const;
    // The statement NAME = .TRUE. or .FALSE.
    void logical(std::string_view name, bool value);
    // A logical NAME = .TRUE. or .FALSE. chosen by a yes or no; returns the answer.
    bool logicalAnswer(std::string_view name);
    // A declaration of reals in the program's precision: "double precision names" or "real names".
    void reals(std::string_view names);
    // The start of a generated subprogram, in the subprogram stream: two empty lines, its
    // header, the implicit line.
    void subprogram(std::string_view header);
    // Stub subprograms, each only its header, the implicit line and, for a function, a zero result.
    void dummyRoutines(const std::vector<std::string_view>& headers);

    // The precision question and the implicit statement of the main program.
    void askPrecision();
    // NPROB and the problem loop that encloses the main program's work.
    void openProblemLoop();
    // The statement that ends the DO loop of this label.
    void closeLoop(int label) { write("(I5,' continue')", label); }
    // The largest number of equations the arrays of a routine are dimensioned for.
    void neqnmxParameter() { write("(6X,'parameter (neqnmx=',I4,')')", 99); }
    // Whether the optional Fortran blocks are to be offered later on.
    void askBlockLevel();
    // The common blocks of the integrals, the eigenvalues and the time-step tolerance.
    void resultCommons();
    // The work arrays allocated at run time, and the static alternative as a comment.
    void allocatableWorkArrays();

    // Steady-state, time-dependent or eigenvalue, with the time-stepping or iteration settings.
    void problemType(const ProblemTypeStyle& style);
    // NEQN, as a PARAMETER of the main program.
    void askNeqn();
    // Whether the Jacobian is approximated by finite differences (never asked when linear).
    void askFdiff();
    // The PARAMETER lines that size the work arrays (1: allocated at run time).
    void workArrayParameters();
    // NSAVE for a time-dependent problem; otherwise one saved solution every NSTEPS.
    void savedSolutions();

    // The branches of the equations routine: i8z = 0 selects the integrals, otherwise j8z = 0
    // the functions of the equations (explained by a message per problem type) and any other
    // j8z their derivatives.
    void openIntegralBranch() { texts({"                    if (i8z.eq.0) then", "yd8z = 0.0"}); }
    void openFunctionBranch(const PerType& message);
    void closeEquationsRoutine() { texts({"          endif", "                    endif", "return", "end"}); }
    // In the equations routine: the reported integrals (volume and boundary) and their
    // integrands, selected by kint8z; each returns its count.
    int integrals(int explainBase);
    int boundaryIntegrals(int explainBase);
    // The time-derivative coefficients C(i,k) of equation i, selected by -(100i+k).
    void timeCoefficients(int i);
    // Row i of the eigenvalue matrix RHO.
    void rhoRow(int i);
    // The value of unknown j and its first derivatives in x (and y), as local variables
    // under the user's names: U, Ux, Uy.
    void unknownLines(int j, int derivatives, Layout layout = Layout::derivativeFirst);
    // The initial values (or the start of an eigenvalue iteration) in u8z.
    void initialValues(const PerType& message);
    // The values put out instead of each unknown and of its functions (fluxes, e.g. "AB").
    void printReplacements(int message, std::string_view fluxes);

    void callSolver(const SolverCall& solver);
    // After the solver: the convergence jumps, the restart hints (calls of the library's
    // restart-file routine, commented, when the class has one) and the postprocessor call.
    void afterSolver(std::string_view postprCall, std::string_view restartRoutine = {},
                     std::string_view restartArguments = {});
    // TITLE of a table or plot.
    void askTitle();
    // UMIN and UMAX of a plot.
    void plotRange(int message);

    void postpr(const Postprocessor& p);
    // Extra subprograms typed by the user, appended to the subprogram stream.
    void userSubprograms();
    void dataFileFunctions(const DataFileFunctions& f);
    // Closes the problem loop and the main program, writes the header's parameter common
    // line and assembles main.f.
    void finishProgram();

    // Lines written with com modes 3 and 4, switched on by deleting their "C!".
    void deactivated(std::initializer_list<DeactivatedLine> lines);
    void deactivated(const std::vector<DeactivatedLine>& lines);

    // Message base + the variant for the number of unknowns: 0, 1, 2, 3 for 1, 2, 3, 4+.
    int variant(int base) const { return base + (neqn < 4 ? neqn - 1 : 3); }
    int messageFor(const PerType& m) const;

private:
    void eigenvalueSettings(const ProblemTypeStyle& style);
    void timeSteppingSettings(const ProblemTypeStyle& style);
    void newtonSettings(const ProblemTypeStyle& style);
    void askLinear(const ProblemTypeStyle& style);
    struct IntegralKind;
    int integralDefinitions(const IntegralKind& kind, int explainBase);
    std::string functionName(const DataFileFunctions& f, const std::vector<std::string>& taken);
};

}  // namespace zemka
