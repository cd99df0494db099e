// The steps every class of generated program shares, written once and parameterised by what
// differs: the data of program.h, message numbers, and the Problem the dialog has set up.
//
// A generator derives from GeneratorBase (directly, or through the step families of one
// method or one dimension, which derive from it virtually so that they combine), and states
// its whole dialog in its own run(): one step a line, in the order the user meets them.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "dialog/dialog.h"
#include "problem.h"
#include "program.h"

namespace zemka {

// Integer bounds that the readers take as "none on this side".
constexpr int noLowerBound = -10000;
constexpr int noUpperBound = 10000;

// The names that every class's program gives variables, routines or intrinsic functions
// of its own in the units that carry the parameter common line; a global parameter may not
// take them (see NameTables::reserved). Each class adds those of its own program.
constexpr std::string_view sharedReserved =
    "adapt atan bint crankn endgks ev0i ev0r evcmpx fdiff gridid icomm iprob itask itype ivar lud lun max "
    "nbint neqn neqnmx nint noupdt npes nout nprob nsave nsteps nxgrid plot postpr restrt rho sint title "
    "toler tout umax umin uout uprint xgrid";

// The initial values u8z and, in the main program, the least-squares and restart settings.
struct InitialValues {
    SubprogramHead head;
    PerType message;
    enum Lsqfit { noLsqfit, lsqfitFalse, lsqfitAsked } lsqfit;  // asked of time-dependent problems
    int gridIdentityMessage;  // 0: GRIDID is always true, and no question follows a restart
};

// A value put out instead of a quantity of each unknown, in the array NAMEPRINT: for an
// unknown U the quantity shown is U followed by suffix, or for a flux the function named
// by the array with the equation's number (A1, A2, ...; A alone for one equation).
struct Replacement {
    std::string_view array;
    std::string_view suffix = {};
    bool byEquation = false;
};

// The functions of the equations in pdes8z, selected by j8z = 0 and i8z, and their derivatives.
struct Equations {
    PerType message;                          // explains the functions
    std::vector<std::string_view> functions;  // "F"; "F", "A" (, "B")
    int mode;                                 // vecfun mode of each function
    bool markFunctions;                       // a front-end marker before each F
    std::string_view eigenvalueCall;          // RHO's call, in an eigenvalue problem
    JacobianTerms jacobian;
};

// How the program of an eigenvalue problem goes on after the solver: the commented test that
// would skip the postprocessing of an eigenvalue that did not converge, and whether the jump
// out of the problem loop that the library asks for with itype 4 comes first or after the
// postprocessor's call.
struct EigenvalueEnd {
    std::string_view convergenceTest = "('C',6X,'IF (.NOT.ECON8Z) GO TO ',I5)";
    bool leaveAfterPostprocessor = false;
};

class GeneratorBase : protected Dialog {
public:
    explicit GeneratorBase(Session& session, bool marksInput) : Dialog(session), marksInput(marksInput) {}

protected:
    Problem problem;

    // Whether this class marks in the program where the front end gave an answer.
    const bool marksInput;
    void mark() {
        if (marksInput) gui();
    }

    // Writers. "Writes a, b, ...": one statement each, from column 7.
    void texts(std::initializer_list<std::string_view> lines);
    void texts(const std::vector<std::string_view>& lines);
    // "Comment a, b, ...": one comment line each.
    void comments(std::initializer_list<std::string_view> lines);
    void comments(const std::vector<std::string_view>& lines);
    // The statement NAME = .TRUE. or .FALSE.
    void logical(std::string_view name, bool value);
    // A logical NAME = .TRUE. or .FALSE. chosen by a yes or no; returns the answer.
    bool logicalAnswer(std::string_view name);
    // A declaration of reals in the program's precision: "double precision names" or "real names".
    void reals(std::string_view names);
    // Lines written with com modes 3 and 4, switched on by deleting their "C!".
    void deactivated(const std::vector<DeactivatedLine>& lines);
    // "if (sel.eq.0) then", the first branch, "else", the second, "endif", indented by blanks.
    template <class Then, class Else> void selectorBlock(std::string_view sel, int indent, Then then, Else otherwise) {
        std::string pad(static_cast<std::size_t>(indent), ' ');
        text(pad + "if (" + std::string(sel) + ".eq.0) then");
        then();
        text(pad + "else");
        otherwise();
        text(pad + "endif");
    }

    // The program and its routines.
    // The main program's opening, the precision question among it; the body stream is
    // current afterwards.
    void openProgram(const ProgramSkeleton& skeleton);
    // A generated routine's header, implicit statement and head, in the subprogram stream.
    void openSubprogram(const SubprogramHead& head);
    // Lines of a head (or any such lines) in the current stream.
    void headLines(const std::vector<HeadLine>& lines);
    // The start of a generated subprogram, in the subprogram stream: two empty lines, its
    // header, the implicit line.
    void subprogram(std::string_view header);
    // Stub subprograms, each only its header, the implicit line and, for a function, a zero result.
    void dummyRoutines(const std::vector<std::string_view>& headers);
    // A routine at a point: its head, the unknowns' values and what locates the point.
    void openPointRoutine(const PointRoutine& r);
    // The lines of unknown k; the same for every unknown in turn.
    void unknownLines(int k, const UnknownLines& lines);
    void everyUnknown(const UnknownLines& lines);
    // The partial derivatives of each function of each equation with respect to each unknown
    // and its derivatives; asked unless skip, else written as commented defaults.
    void jacobian(const JacobianTerms& terms, int skip);
    // The statement that ends the DO loop of this label.
    void closeLoop(int label) { write("(I5,' continue')", label); }

    // The opening dialog.
    // NPROB and the problem loop that encloses the main program's work; returns its label.
    int openProblemLoop();
    // The global parameters, explained by a message.
    GlobalList globalParameters(int message, const NameTables& names, bool marked);
    // Whether the optional Fortran blocks are to be offered later on.
    void askBlockLevel();

    // The region's grids.
    // A size of the main program's arrays: a PARAMETER under a boxed comment that explains it,
    // read with no upper bound. The body stream is current afterwards.
    int sizeParameter(const std::string& name, const std::string& meaning, int least);
    // Grid lines in each direction of axes ("X"; "X", "Y"; "P1", "P2"), at least `least` of
    // them, with the library's check around their values. Returns the lines per direction.
    std::vector<int> grids(const std::vector<std::string_view>& axes, int least);
    // "call dkvrwx(xgrid,nxgrid,0)" for each axis: flag 0 before the grid values, 1 after.
    void gridChecks(const std::vector<std::string_view>& axes, int flag);
    // NXGRID and the values XGRID(1) .. XGRID(NXGRID), of which the inner ones may be left
    // to the library.
    int gridLines(std::string_view axis, int least);

    // The problem.
    // Steady-state, time-dependent or eigenvalue, with the time-stepping or iteration
    // settings: sets the type and linearity of the problem.
    void problemType(const ProblemTypeStyle& style);
    // NEQN, as a PARAMETER of the main program.
    int askNeqn();
    // The names of the unknowns, after a message. Each unknown U also names U followed by
    // each suffix (its derivatives), and no such name may be one of the global parameters,
    // RHO in an eigenvalue problem, or a variable the routines with the unknowns' lines set.
    void unknowns(int message, const NameTables& names, std::vector<std::string> suffixes,
                  std::vector<std::string> programNames);
    // Whether the Jacobian is approximated by finite differences: never when linear, always
    // when forced, else asked.
    bool askFdiff(bool forced = false);

    // The equations routine pdes8z.
    // In the equations routine: the reported integrals (volume and boundary) and their
    // integrands, selected by kint8z; each returns its count.
    int integrals(int explainBase, bool marked);
    int boundaryIntegrals(int explainBase);
    // The functions of the equations and their Jacobian, then the end of pdes8z.
    void equations(const Equations& e);

    // u8z, and the least-squares and restart settings of the main program.
    void initialValuesRoutine(const InitialValues& iv);
    // The values put out instead of each unknown (UPRINT) and of its other quantities.
    void printReplacements(int message, const std::vector<Replacement>& replacements);
    // pmod8z: a routine at a point whose values the user may replace for the output.
    void outputValues(const PointRoutine& r, int message, const std::vector<Replacement>& replacements);

    // The main program's end.
    // The PARAMETER lines that size the work arrays (1: allocated at run time).
    void workArrayParameters();
    // NSAVE for a time-dependent problem; otherwise one saved solution every NSTEPS.
    void savedSolutions();
    void callSolver(const SolverCall& solver);
    // After the solver: the convergence jumps, the restart hints (calls of the library's
    // restart-file routine, commented, when the class has one) and the postprocessor call.
    void afterSolver(std::string_view postprCall, std::string_view restartRoutine = {},
                     std::string_view restartArguments = {}, const EigenvalueEnd& eigenvalueEnd = {});
    // Output requests until the answer 0: message lists the kinds, and request k (1, 2, ...)
    // writes the block of kind k.
    void outputRequests(int message, const std::vector<std::function<void()>>& requests);
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

    int messageFor(const PerType& m) const;

private:
    void askPrecision();
    void eigenvalueSettings(const ProblemTypeStyle& style);
    void timeSteppingSettings(const ProblemTypeStyle& style);
    void newtonSettings(const ProblemTypeStyle& style);
    void askLinear(const ProblemTypeStyle& style);
    void timeCoefficients(int i);
    void rhoRow(int i);
    void initialValues(const PerType& message);
    void restartSettings(int gridIdentityMessage);
    struct IntegralKind;
    int integralDefinitions(const IntegralKind& kind, int explainBase, bool marked);
    std::string functionName(const DataFileFunctions& f, const std::vector<std::string>& defined);
    std::string functionNameClash(const std::string& word, const DataFileFunctions& f,
                                  const std::vector<std::string>& defined) const;
};

}  // namespace zemka
