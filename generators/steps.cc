// The dialog steps every class shares: the opening, the problem, the equations routine's
// integrals and functions, the initial values, the solver call and the program's end.
#include "steps.h"

#include <algorithm>
#include <cctype>

namespace zemka {

int GeneratorBase::openProblemLoop() {
    mess(0, 8);
    text("NPROB = 1");
    invar("NPROB", 0);
    int label = state();
    write("(6X,'do ',I5,' iprob=1,nprob')", label);
    return label;
}

GlobalList GeneratorBase::globalParameters(int message, const NameTables& names, bool marked) {
    mess(0, message);
    if (marked) gui();
    return globp(names);
}

void GeneratorBase::askBlockLevel() {
    mess(1, 10);
    session.exmp.blockLevel = ifyes() ? 3 : 2;
}

int GeneratorBase::sizeParameter(const std::string& name, const std::string& meaning, int least) {
    use(Stream::header);
    com(1, name + " = " + meaning);
    mark();
    int n = inparm(name, least, noUpperBound);
    use(Stream::body);
    return n;
}

std::vector<int> GeneratorBase::grids(const std::vector<std::string_view>& axes, int least) {
    std::vector<int> lines;
    gridChecks(axes, 0);
    for (std::string_view axis : axes) lines.push_back(gridLines(axis, least));
    gridChecks(axes, 1);
    return lines;
}

void GeneratorBase::gridChecks(const std::vector<std::string_view>& axes, int flag) {
    for (std::string_view axis : axes) {
        std::string grid = lowerCase(axis) + "grid";
        text("call dkvrwx(" + grid + ",n" + grid + "," + std::to_string(flag) + ")");
    }
}

int GeneratorBase::gridLines(std::string_view axis, int least) {
    std::string grid = std::string(axis) + "GRID";
    std::string count = "N" + grid;
    int n = sizeParameter(count, "number of " + std::string(axis) + "-grid lines", least);
    com(2, "   " + grid + " DEFINED");
    mark();
    invar(grid + "(1)", 1);
    invec(grid, 2, n - 1, 0);
    mark();
    if (n > 1) invar(grid + "(" + count + ")", 1);
    return n;
}

void GeneratorBase::askPrecision() {
    mess(0, 7);
    session.exmp.doublePrecision = ifyes();
    prec();
}

void GeneratorBase::problemType(const ProblemTypeStyle& style) {
    mess(1, 11);
    problem.type = iread("", 1, 3);
    if (problem.type == eigenvalue) eigenvalueSettings(style);
    else if (problem.type == timeDependent) timeSteppingSettings(style);
    else newtonSettings(style);
}

void GeneratorBase::eigenvalueSettings(const ProblemTypeStyle& style) {
    com(2, "   *******EIGENVALUE PROBLEM");
    mess(0, 12);
    paws();
    text("ITYPE = 3");
    comments({" ", " P8Z = 0.0"});
    problem.linear = true;
    if (style.linearLines) text("linear = .true.");
    texts({"t0 = 0.0", "dt = 1.0", "crankn = .false.", "noupdt = .true."});
    mess(0, 13);
    if (logicalAnswer("EVCMPX")) {
        mess(0, 15);
        texts({"EV0R = 0.0", "EV0I = 0.0"});
        invar("EV0R", 0);
        invar("EV0I", 0);
    } else {
        mess(0, 14);
        text("EV0R = 0.0");
        mark();
        invar("EV0R", 0);
    }
    mess(0, 16);
    text("NSTEPS = 25");
    invar("NSTEPS", 0);
}

void GeneratorBase::timeSteppingSettings(const ProblemTypeStyle& style) {
    com(2, "   *******TIME-DEPENDENT PROBLEM");
    text("itype = 2");
    mess(0, 17);
    text("T0 = 0.0");
    mark();
    invar("T0", 0);
    mark();
    invar("TF", 1);
    askLinear(style);
    mess(0, 19);
    bool adaptive = ifyes();
    mark();
    logical("ADAPT", adaptive);
    text("TOLER(1) = 0.01");
    if (adaptive) {
        invar("TOLER(1)", 0);
        if (problem.linear) mess(2, 20);
        text("NOUPDT = .FALSE.");
        mess(0, 21);
    } else {
        if (problem.linear) {
            mess(0, 20);
            bool noUpdate = ifyes();
            mark();
            logical("NOUPDT", noUpdate);
        } else {
            text("NOUPDT = .FALSE.");
        }
        mess(0, 22);
    }
    mark();
    invar("NSTEPS", 1);
    text("dt = (tf-t0)/max(nsteps,1)");
    mess(0, style.crankNicolsonMessage);
    logicalAnswer("CRANKN");
}

void GeneratorBase::newtonSettings(const ProblemTypeStyle& style) {
    com(2, "   *******STEADY-STATE PROBLEM");
    texts({"itype = 1", "t0 = 0.0", "dt = 1.0", "crankn = .false.", "noupdt = .false."});
    askLinear(style);
    if (problem.linear) {
        com(2, "   Number of Newton iterations");
        text("NSTEPS = 1");
    } else {
        mess(0, 24);
        text("NSTEPS = 15");
        invar("NSTEPS", 0);
    }
}

void GeneratorBase::askLinear(const ProblemTypeStyle& style) {
    mess(style.linearQuestionMode, 18);
    problem.linear = ifyes();
    if (style.linearLines) logical("LINEAR", problem.linear);
}

int GeneratorBase::askNeqn() {
    use(Stream::header);
    mess(0, 25);
    return inparm("NEQN", 1, 99);
}

void GeneratorBase::unknowns(int message, const NameTables& names, std::vector<std::string> suffixes,
                             std::vector<std::string> programNames) {
    use(Stream::body);
    mess(1, message);
    UnknownNaming naming{std::move(suffixes), std::move(programNames)};
    for (const std::string& item : problem.globals) naming.globals.push_back(item.substr(1));
    if (problem.type == eigenvalue) naming.taken.push_back("rho");
    varnam(names, problem.neqn, naming);
}

bool GeneratorBase::askFdiff(bool forced) {
    bool fdiff = forced;
    if (!problem.linear && !forced) {
        mess(0, 27);
        fdiff = ifyes();
    }
    logical("FDIFF", fdiff && !problem.linear);
    return fdiff && !problem.linear;
}

// Volume integrals are selected by kint8z = k, boundary integrals by kint8z = -k; with none
// asked for, a commented model of the first one shows the user how to add one.
struct GeneratorBase::IntegralKind {
    int countMessage;
    std::string_view count;
    std::string_view what;
    std::string_view name;
    int sign;
    std::string_view model;
};

int GeneratorBase::integrals(int explainBase, bool marked) {
    static constexpr IntegralKind volume{
        28, "NINT", "the integrals", "INTEGRAL", 1,
        "('C',50X,'INTEGRAL1 DEFINED',/,                            "
        "'C     if (kint8z.eq.1) yd8z =',/,                                "
        "'C    & [DEFAULT SELECTED, DEFINITION COMMENTED OUT]')"};
    return integralDefinitions(volume, explainBase, marked);
}

int GeneratorBase::boundaryIntegrals(int explainBase) {
    static constexpr IntegralKind boundary{
        74, "NBINT", "the boundary integrals", "BND. INTEGRAL", -1,
        "('C',50X,'BND. INTEGRAL1 DEFINED',/,                       "
        "'C     if (kint8z.eq.-1) yd8z =',/,                               "
        "'C    & [DEFAULT SELECTED, DEFINITION COMMENTED OUT]')"};
    return integralDefinitions(boundary, explainBase, false);
}

int GeneratorBase::integralDefinitions(const IntegralKind& kind, int explainBase, bool marked) {
    use(Stream::body);
    mess(0, kind.countMessage);
    if (marked) mark();
    int count = iread(kind.count, 0, 20);
    use(Stream::subprograms);
    if (count >= 1) {
        mess(0, problem.variant(explainBase));
        iadd(3, kind.what);
        for (int k = 1; k <= count; ++k) {
            if (marked) mark();
            vecfun(kind.name, k, count, kind.sign * k, "yd8z", 0, "kint8z");
        }
    } else {
        mess(2, problem.variant(explainBase));
        write(kind.model);
    }
    return count;
}

void GeneratorBase::equations(const Equations& e) {
    text("                    else");
    mess(0, messageFor(e.message));
    iadd(2, "these coefficients");
    int n = problem.neqn, functions = static_cast<int>(e.functions.size());
    selectorBlock(
        "j8z", 10,
        [&] {
            text("yd8z = 0.0");
            for (int i = 1; i <= n; ++i) {
                if (problem.type == timeDependent) timeCoefficients(i);
                for (int f = 0; f < functions; ++f) {
                    if (e.markFunctions) mark();
                    vecfun(e.functions[f], i, n, functions * (i - 1) + 1 + f, "yd8z", e.mode, "i8z");
                }
                if (problem.type == eigenvalue) rhoRow(i);
            }
            if (problem.type == eigenvalue) text(e.eigenvalueCall);
        },
        [&] {
            if (problem.jacobianAsked()) jacobian(e.jacobian, 0);
        });
    texts({"                    endif", "return", "end"});
}

void GeneratorBase::timeCoefficients(int i) {
    mark();
    int n = problem.neqn;
    for (int k = 1; k <= n; ++k) {
        std::string name = n == 1   ? "C"
                           : n <= 9 ? internalWrite(6, "('C(',I1,',',I1,')')", {i, k})
                                    : internalWrite(8, "('C(',I2,',',I2,')')", {i, k});
        vecfun(name, 1, 1, -(100 * i + k), "yd8z", 2, "i8z");
    }
}

void GeneratorBase::rhoRow(int i) {
    mark();
    com(2, std::string(45, ' ') + "RHO DEFINED");
    if (problem.neqn == 1) invar("RHO", 1);
    else inmat("RHO", i, i, 1, problem.neqn, 1);
}

void GeneratorBase::initialValuesRoutine(const InitialValues& iv) {
    openSubprogram(iv.head);
    text(problem.type == eigenvalue ? "u8z = dkvrxx()" : "u8z = 0.0");
    bool linearSteady = problem.type == steady && problem.linear;
    if (!linearSteady) initialValues(iv.message);
    use(Stream::body);
    if (iv.lsqfit == InitialValues::lsqfitAsked && problem.type == timeDependent) {
        mess(0, 158);
        logicalAnswer("LSQFIT");
    } else if (iv.lsqfit != InitialValues::noLsqfit) {
        text("lsqfit = .false.");
    }
    if (linearSteady) {
        text("RESTRT = .FALSE.");
        if (iv.gridIdentityMessage) text("GRIDID = .TRUE.");
    } else {
        restartSettings(iv.gridIdentityMessage);
    }
    if (!iv.gridIdentityMessage) text("gridid = .true.");
    use(Stream::subprograms);
    texts({"return", "end"});
}

void GeneratorBase::initialValues(const PerType& message) {
    mess(0, messageFor(message));
    iadd(3, "the initial values");
    for (int i = 1; i <= problem.neqn; ++i) {
        if (problem.type != eigenvalue) mark();
        vecfun(unknownName(i) + "0", 0, 1, i, "u8z", problem.type == eigenvalue ? 1 : 2, "i8z");
    }
}

// With a restart, whether the grid is the one of the dump.
void GeneratorBase::restartSettings(int gridIdentityMessage) {
    mess(0, 48);
    bool restart = logicalAnswer("RESTRT");
    if (!gridIdentityMessage) return;
    if (restart) {
        mess(0, gridIdentityMessage);
        logicalAnswer("GRIDID");
    } else {
        com(2, "GRIDID = .FALSE. IF FINITE ELEMENT GRID CHANGES BETWEEN DUMP, RESTART");
        text("GRIDID = .TRUE.");
    }
}

void GeneratorBase::printReplacements(int message, const std::vector<Replacement>& replacements) {
    mess(0, problem.variant(message));
    iadd(3, "these variables");
    std::string define = "   DEFINE UPRINT(*)";
    for (const Replacement& r : replacements) define += "," + std::string(r.array) + "PRINT(*)";
    com(2, define + " HERE:");
    int n = problem.neqn;
    for (int i = 1; i <= n; ++i) {
        say("('      Replace ',A,' for postprocessing?')", unknownName(i));
        invec("UPRINT", i, i, 0);
        for (const Replacement& r : replacements) {
            std::string shown = !r.byEquation ? unknownName(i) + std::string(r.suffix)
                                : n == 1      ? std::string(r.array)
                                              : std::string(r.array) + std::to_string(i);
            say("('      Replace ',A,' for postprocessing?')", shown);
            invec(std::string(r.array) + "PRINT", i, i, 0);
        }
    }
}

void GeneratorBase::outputValues(const PointRoutine& r, int message, const std::vector<Replacement>& replacements) {
    openPointRoutine(r);
    printReplacements(message, replacements);
    texts({"return", "end"});
}

void GeneratorBase::workArrayParameters() {
    use(Stream::header);
    comments({"   DIMENSIONS OF WORK ARRAYS", "   SET TO 1 FOR AUTOMATIC ALLOCATION"});
    write("(6X,'PARAMETER (IRWK8Z=',I12,')',/, 6X,'PARAMETER (IIWK8Z=',I12,')')", 1, 1);
}

void GeneratorBase::savedSolutions() {
    use(Stream::header);
    if (problem.type == timeDependent) {
        mess(0, 53);
        inparm("NSAVE", 1, noUpperBound);
    } else {
        text("PARAMETER (NSAVE = 1)");
        use(Stream::body);
        com(2, "   SOLUTION SAVED EVERY NOUT ITERATIONS");
        text("NOUT = NSTEPS");
    }
}

void GeneratorBase::callSolver(const SolverCall& solver) {
    use(Stream::body);
    texts({solver.sizes, "if (iiwk8z.gt.1) ii8z = iiwk8z", "if (irwk8z.gt.1) ir8z = irwk8z"});
    com(2, "   *******allocate workspace");
    text("allocate (iwrk8z(ii8z),rwrk8z(ir8z))");
    comments(solver.plotComments);
    text(solver.plot);
    com(2, "   *******call pde solver");
    texts({solver.call, "deallocate (iwrk8z,rwrk8z)"});
}

void GeneratorBase::afterSolver(std::string_view postprCall, std::string_view restartRoutine,
                                std::string_view restartArguments, const EigenvalueEnd& eigenvalueEnd) {
    bool eigen = problem.type == eigenvalue;
    auto leaveProblemLoop = [&] { write("(6X,'if (itype.eq.4) go to ',I5)", problem.loopLabel); };
    if (eigen) {
        if (!eigenvalueEnd.leaveAfterPostprocessor) leaveProblemLoop();
        com(2, "   *******UNCOMMENT TO POSTPROCESS ONLY IF CONVERGED");
        write(eigenvalueEnd.convergenceTest, problem.loopLabel);
    } else if (problem.type == steady && !problem.linear) {
        com(2, "   *******UNCOMMENT TO POSTPROCESS ONLY IF CONVERGED");
        write("('C',6X,'IF (.NOT.NCON8Z) GO TO ',I5)", problem.loopLabel);
    }
    if (!restartRoutine.empty()) {
        std::string call = " call " + std::string(restartRoutine);
        std::string arguments = "," + std::string(restartArguments) + ")";
        comments({"   *******read from restart file to array ures8z", call + "(1" + arguments,
                  "   *******write array ures8z back to restart file", call + "(2" + arguments});
    }
    com(2, "   *******call user-written postprocessor");
    text(postprCall);
    if (eigen && eigenvalueEnd.leaveAfterPostprocessor) leaveProblemLoop();
}

void GeneratorBase::outputRequests(int message, const std::vector<std::function<void()>>& requests) {
    use(Stream::body);
    for (;;) {
        mess(1, message);
        int kind = iread("", 0, static_cast<int>(requests.size()));
        if (kind == 0) return;
        requests[static_cast<std::size_t>(kind - 1)]();
    }
}

void GeneratorBase::askTitle() {
    mess(0, 59);
    text("TITLE = ' ' ");
    instr("TITLE", 0);
}

void GeneratorBase::plotRange(int message) {
    mess(0, message);
    texts({"UMIN = 0.0", "UMAX = 0.0"});
    invar("UMIN", 0);
    invar("UMAX", 0);
}

void GeneratorBase::userSubprograms() {
    mess(1, 61);
    if (ifyes()) iadd(0, " ");
}

void GeneratorBase::dataFileFunctions(const DataFileFunctions& f) {
    mess(1, 128);
    std::vector<std::string> defined;
    for (bool another = ifyes(); another; another = ifyes()) {
        mess(1, f.nameMessage);
        std::string name = functionName(f, defined);
        defined.push_back(name);
        Items nameChars;
        appendChars(nameChars, name);
        writeItems("(//,6X,'function ',6A1,'(" + std::string(f.arguments) + ")')", nameChars);
        prec();
        mess(0, f.nworkMessage);
        inparm("NWORK", f.nworkLeast, noUpperBound);
        texts({"dimension work(nwork)", "character*40 fname", byPrecision("data work(1) /0.0d0/", "data work(1) /0.0/")});
        mess(0, f.fileMessage);
        instr("FNAME", 1);
        mess(0, 132);
        text("ISET = 1");
        invar("ISET", 0);
        mess(0, 133);
        iread("KDEG", 1, 3);
        writeItems("(6X,6A1,' = " + std::string(f.interpolation) + "(fname,iset,work,nwork,kdeg," +
                       std::string(f.arguments) + ")')",
                   nameChars);
        texts({"return", "end"});
        mess(1, 134);
    }
}

// Why a data-file function may not take this name (lower case, letters and digits); empty
// when it may. A program unit of main.f, the function's own arguments and variables, a global
// parameter or an unknown (variables of the routines that would call it) would keep the
// program from compiling or the function from being called; a routine or common block of
// the solver library (dkvr.., kvr.., mkvr..) or of the runtime module would be replaced by
// the function, or called by it in its own place, when the program is linked.
std::string GeneratorBase::functionNameClash(const std::string& word, const DataFileFunctions& f,
                                             const std::vector<std::string>& defined) const {
    static constexpr std::string_view units[] = {"tran8z", "xy8z", "dis8z", "pdes8z", "u8z", "fb8z", "gb8z", "pmod8z",
                                                 "axis8z", "postpr"};
    static constexpr std::string_view runtime[] = {"d1mach", "r1mach", "i2mach", "inigks", "endgks", "clogks"};
    static constexpr std::string_view libraryPrefixes[] = {"dkvr", "kvr", "mkvr"};
    auto among = [&word](auto&& names) {
        return std::any_of(std::begin(names), std::end(names), [&word](const auto& n) { return word == lowerCase(n); });
    };
    if (among(units)) return "a routine of the program";
    if (among(runtime) || std::any_of(std::begin(libraryPrefixes), std::end(libraryPrefixes),
                                      [&word](std::string_view p) { return word.starts_with(p); }))
        return "a name of the solver or runtime library";
    std::string arguments = "," + std::string(f.arguments) + ",";
    if (word == "work" || word == "fname" || arguments.find("," + word + ",") != std::string::npos)
        return "a variable of the function itself";
    for (const std::string& item : problem.globals)
        if (word == lowerCase(item.substr(1, item.find_last_not_of(' ')))) return "the global parameter " + word;
    for (int k = 1; k <= problem.neqn; ++k)
        if (word == lowerCase(unknownName(k))) return "the unknown " + unknownName(k);
    for (const std::string& d : defined)
        if (word == lowerCase(d.substr(0, d.find(' ')))) return "the function " + word + " defined before";
    return {};
}

// A name in columns 1-6 that starts with one of the allowed letters, goes on with letters and
// digits only, and clashes with no other name of the program.
std::string GeneratorBase::functionName(const DataFileFunctions& f, const std::vector<std::string>& defined) {
    for (;;) {
        say("(' Function name =')");
        int blank;
        std::string name = readln(6, blank);
        std::string word = lowerCase(name.substr(0, name.find(' ')));
        bool legal = !blank && f.firstLetters.find(name[0]) != std::string_view::npos &&
                     name.find_first_not_of(' ', word.size()) == std::string::npos &&
                     std::all_of(word.begin(), word.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
        if (!legal) {
            say("('|---- Illegal function name, re-enter in columns 1-6')");
            continue;
        }
        std::string clash = functionNameClash(word, f, defined);
        if (clash.empty()) return name;
        say("(A)", "|---- " + word + " is " + clash + ", re-enter in columns 1-6");
    }
}

void GeneratorBase::finishProgram() {
    mess(1, 411);
    use(Stream::body);
    closeLoop(problem.loopLabel);
    texts({"call endgks", "stop", "end"});
    use(Stream::header);
    parameterCommon(problem.globals);
    session.assemble();
}

int GeneratorBase::messageFor(const PerType& m) const {
    int base = problem.type == eigenvalue ? m.eigenvalue : problem.type == steady ? m.steady : m.timeDependent;
    return m.byUnknowns ? problem.variant(base) : base;
}

}  // namespace zemka
