#include "common.h"

#include <algorithm>
#include <cctype>

namespace zemka {

UnknownNaming GeneratorBase::unknownNaming(std::vector<std::string> suffixes,
                                           std::vector<std::string> programNames) const {
    UnknownNaming naming{std::move(suffixes), std::move(programNames)};
    for (const std::string& item : globals) naming.taken.push_back(item.substr(1));
    if (type == eigenvalue) naming.taken.push_back("rho");
    return naming;
}

void GeneratorBase::texts(std::initializer_list<std::string_view> lines) {
    for (std::string_view l : lines) text(l);
}

void GeneratorBase::texts(const std::vector<std::string_view>& lines) {
    for (std::string_view l : lines) text(l);
}

void GeneratorBase::comments(std::initializer_list<std::string_view> lines) {
    for (std::string_view l : lines) com(2, l);
}

void GeneratorBase::comments(const std::vector<std::string_view>& lines) {
    for (std::string_view l : lines) com(2, l);
}

void GeneratorBase::logical(std::string_view name, bool value) {
    text(std::string(name) + (value ? " = .TRUE." : " = .FALSE."));
}

bool GeneratorBase::logicalAnswer(std::string_view name) {
    bool yes = ifyes();
    logical(name, yes);
    return yes;
}

void GeneratorBase::reals(std::string_view names) {
    text(std::string(byPrecision("double precision ", "real ")) + std::string(names));
}

void GeneratorBase::subprogram(std::string_view header) {
    use(Stream::subprograms);
    texts({" ", " ", header});
    prec();
}

void GeneratorBase::dummyRoutines(const std::vector<std::string_view>& headers) {
    com(2, "   dummy routines");
    constexpr std::string_view function = "function ";
    for (std::string_view header : headers) {
        text(header);
        prec();
        if (header.starts_with(function)) {
            std::string_view name = header.substr(function.size(), header.find('(') - function.size());
            text(std::string(name) + " = 0");
        }
        texts({"return", "end"});
    }
}

void GeneratorBase::askPrecision() {
    mess(0, 7);
    session.exmp.doublePrecision = ifyes();
    prec();
}

void GeneratorBase::openProblemLoop() {
    mess(0, 8);
    text("NPROB = 1");
    invar("NPROB", 0);
    loopLabel = state();
    write("(6X,'do ',I5,' iprob=1,nprob')", loopLabel);
}

void GeneratorBase::askBlockLevel() {
    mess(1, 10);
    session.exmp.blockLevel = ifyes() ? 3 : 2;
}

void GeneratorBase::resultCommons() {
    texts({"common/dkvr14/ sint8z(20),bint8z(20),slim8z(20),blim8z(20)",
           "common/dkvr15/ evlr8z,ev0r,evli8z,ev0i,evcmpx", "common/dkvr16/ p8z,evr8z(50),evi8z(50)",
           "common/dkvr19/ toler(neqnmx),adapt"});
}

void GeneratorBase::allocatableWorkArrays() {
    text("allocatable iwrk8z(:),rwrk8z(:)");
    com(2, " dimension iwrk8z(iiwk8z),rwrk8z(irwk8z)");
}

void GeneratorBase::problemType(const ProblemTypeStyle& style) {
    mess(1, 11);
    type = iread("", 1, 3);
    if (type == eigenvalue) eigenvalueSettings(style);
    else if (type == timeDependent) timeSteppingSettings(style);
    else newtonSettings(style);
}

void GeneratorBase::eigenvalueSettings(const ProblemTypeStyle& style) {
    com(2, "   *******EIGENVALUE PROBLEM");
    mess(0, 12);
    paws();
    text("ITYPE = 3");
    comments({" ", " P8Z = 0.0"});
    linear = true;
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
        if (linear) mess(2, 20);
        text("NOUPDT = .FALSE.");
        mess(0, 21);
    } else {
        if (linear) {
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
    if (linear) {
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
    linear = ifyes();
    if (style.linearLines) logical("LINEAR", linear);
}

void GeneratorBase::askNeqn() {
    use(Stream::header);
    mess(0, 25);
    neqn = inparm("NEQN", 1, 99);
}

void GeneratorBase::askFdiff() {
    if (!linear) {
        mess(0, 27);
        fdiff = ifyes();
    }
    logical("FDIFF", fdiff);
}

void GeneratorBase::workArrayParameters() {
    use(Stream::header);
    comments({"   DIMENSIONS OF WORK ARRAYS", "   SET TO 1 FOR AUTOMATIC ALLOCATION"});
    write("(6X,'PARAMETER (IRWK8Z=',I12,')',/, 6X,'PARAMETER (IIWK8Z=',I12,')')", 1, 1);
}

void GeneratorBase::savedSolutions() {
    use(Stream::header);
    if (type == timeDependent) {
        mess(0, 53);
        inparm("NSAVE", 1, noUpperBound);
    } else {
        text("PARAMETER (NSAVE = 1)");
        use(Stream::body);
        com(2, "   SOLUTION SAVED EVERY NOUT ITERATIONS");
        text("NOUT = NSTEPS");
    }
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

int GeneratorBase::integrals(int explainBase) {
    static constexpr IntegralKind volume{
        28, "NINT", "the integrals", "INTEGRAL", 1,
        "('C',50X,'INTEGRAL1 DEFINED',/,                            "
        "'C     if (kint8z.eq.1) yd8z =',/,                                "
        "'C    & [DEFAULT SELECTED, DEFINITION COMMENTED OUT]')"};
    return integralDefinitions(volume, explainBase);
}

int GeneratorBase::boundaryIntegrals(int explainBase) {
    static constexpr IntegralKind boundary{
        74, "NBINT", "the boundary integrals", "BND. INTEGRAL", -1,
        "('C',50X,'BND. INTEGRAL1 DEFINED',/,                       "
        "'C     if (kint8z.eq.-1) yd8z =',/,                               "
        "'C    & [DEFAULT SELECTED, DEFINITION COMMENTED OUT]')"};
    return integralDefinitions(boundary, explainBase);
}

int GeneratorBase::integralDefinitions(const IntegralKind& kind, int explainBase) {
    use(Stream::body);
    mess(0, kind.countMessage);
    int count = iread(kind.count, 0, 20);
    use(Stream::subprograms);
    if (count >= 1) {
        mess(0, variant(explainBase));
        iadd(3, kind.what);
        for (int k = 1; k <= count; ++k) vecfun(kind.name, k, count, kind.sign * k, "yd8z", 0, "kint8z");
    } else {
        mess(2, variant(explainBase));
        write(kind.model);
    }
    return count;
}

void GeneratorBase::openFunctionBranch(const PerType& message) {
    text("                    else");
    mess(0, messageFor(message));
    iadd(2, "these coefficients");
    texts({"          if (j8z.eq.0) then", "yd8z = 0.0"});
}

void GeneratorBase::timeCoefficients(int i) {
    mark();
    for (int k = 1; k <= neqn; ++k) {
        std::string name = neqn == 1   ? "C"
                           : neqn <= 9 ? internalWrite(6, "('C(',I1,',',I1,')')", {i, k})
                                       : internalWrite(8, "('C(',I2,',',I2,')')", {i, k});
        vecfun(name, 1, 1, -(100 * i + k), "yd8z", 2, "i8z");
    }
}

void GeneratorBase::rhoRow(int i) {
    mark();
    com(2, std::string(45, ' ') + "RHO DEFINED");
    if (neqn == 1) invar("RHO", 1);
    else inmat("RHO", i, i, 1, neqn, 1);
}

void GeneratorBase::unknownLines(int j, int derivatives, Layout layout) {
    static constexpr std::string_view derivativeFirst[] = {
        "(6X,A,'  = uu8z(1,',I2,')')", "(6X,A,'x = uu8z(2,',I2,')')", "(6X,A,'y = uu8z(3,',I2,')')"};
    static constexpr std::string_view unknownFirst[] = {
        "(6X,A,'  = uu8z(',I2,',1)')", "(6X,A,'x = uu8z(',I2,',2)')", "(6X,A,'y = uu8z(',I2,',3)')"};
    for (int d = 0; d <= derivatives; ++d)
        write(layout == Layout::derivativeFirst ? derivativeFirst[d] : unknownFirst[d], unknownName(j), j);
}

void GeneratorBase::initialValues(const PerType& message) {
    mess(0, messageFor(message));
    iadd(3, "the initial values");
    for (int i = 1; i <= neqn; ++i) {
        if (type != eigenvalue) mark();
        vecfun(unknownName(i) + "0", 0, 1, i, "u8z", type == eigenvalue ? 1 : 2, "i8z");
    }
}

void GeneratorBase::printReplacements(int message, std::string_view fluxes) {
    mess(0, variant(message));
    iadd(3, "these variables");
    std::string define = "   DEFINE UPRINT(*)";
    for (char f : fluxes) define += std::string(",") + f + "PRINT(*)";
    com(2, define + " HERE:");
    for (int i = 1; i <= neqn; ++i) {
        say("('      Replace ',A,' for postprocessing?')", unknownName(i));
        invec("UPRINT", i, i, 0);
        for (char f : fluxes) {
            say("('      Replace ',A,' for postprocessing?')", neqn == 1 ? std::string(1, f) : f + std::to_string(i));
            invec(std::string(1, f) + "PRINT", i, i, 0);
        }
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
                                std::string_view restartArguments) {
    if (type == eigenvalue) {
        write("(6X,'if (itype.eq.4) go to ',I5)", loopLabel);
        com(2, "   *******UNCOMMENT TO POSTPROCESS ONLY IF CONVERGED");
        write("('C',6X,'IF (.NOT.ECON8Z) GO TO ',I5)", loopLabel);
    } else if (type == steady && !linear) {
        com(2, "   *******UNCOMMENT TO POSTPROCESS ONLY IF CONVERGED");
        write("('C',6X,'IF (.NOT.NCON8Z) GO TO ',I5)", loopLabel);
    }
    if (!restartRoutine.empty()) {
        std::string call = " call " + std::string(restartRoutine);
        std::string arguments = "," + std::string(restartArguments) + ")";
        comments({"   *******read from restart file to array ures8z", call + "(1" + arguments,
                  "   *******write array ures8z back to restart file", call + "(2" + arguments});
    }
    com(2, "   *******call user-written postprocessor");
    text(postprCall);
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

void GeneratorBase::postpr(const Postprocessor& p) {
    subprogram(p.header);
    texts(p.dimensions);
    parameterCommon(globals);
    texts({"common /dkvr27/ itask,npes,icomm", "common /dkvr46/ eps8z,cgtl8z,npmx8z,itype,near8z",
           "data lun,lud/0,47/", "if (itask.gt.0) return"});
    comments(p.comments);
    comments({"  ******* ADD POSTPROCESSING CODE HERE:", "  IN THE EXAMPLE BELOW, MATLAB PLOTFILES zemka.m,",
              " zemka.rdm CREATED (REMOVE C! COMMENTS TO ACTIVATE)"});
    std::string lastTime = "    if (tout(l).ne.dkvrlx(2)) nsave0 = l";
    deactivated({{3, " if (lun.eq.0) then"},
                 {3, "    lun = 46"},
                 {3, "    open (lun,file='zemka.m')"},
                 {3, "    open (lud,file='zemka.rdm')"},
                 {3, "    write (lun,*) 'fid = fopen(''zemka.rdm'');'"},
                 {3, " endif"},
                 {3, " do 78753 l=0,nsave"},
                 {3, lastTime},
                 {4, "78753 continue"},
                 {3, " write (lud,78754) nsave0"},
                 {3, " write (lud,78754) neqn"}});
    deactivated(p.exampleRest);
    com(2, "  ******* WRITE zemka.m ");
    com(3, " call " + std::string(p.matlabWriter) + "(itype,lun)");
    texts({"return", "end"});
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

// A name in columns 1-6 that starts with one of the allowed letters. Beyond that first
// letter, a name with other characters than letters and digits, or one that is already a
// program unit of main.f, would keep the program from compiling, so it is asked again too.
std::string GeneratorBase::functionName(const DataFileFunctions& f, const std::vector<std::string>& taken) {
    static constexpr std::string_view generated[] = {"tran8z", "xy8z",   "dis8z",  "pdes8z", "u8z",
                                                     "fb8z",   "gb8z",   "pmod8z", "axis8z", "postpr"};
    for (;;) {
        say("(' Function name =')");
        int blank;
        std::string name = readln(6, blank);
        std::string word = lowerCase(name.substr(0, name.find(' ')));
        bool legal = !blank && f.firstLetters.find(name[0]) != std::string_view::npos &&
                     name.find_first_not_of(' ', word.size()) == std::string::npos &&
                     std::all_of(word.begin(), word.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
        for (std::string_view g : generated) legal = legal && word != g;
        for (const std::string& t : taken) legal = legal && word != lowerCase(t.substr(0, t.find(' ')));
        if (legal) return name;
        say("('|---- Illegal function name, re-enter in columns 1-6')");
    }
}

void GeneratorBase::finishProgram() {
    mess(1, 411);
    use(Stream::body);
    closeLoop(loopLabel);
    texts({"call endgks", "stop", "end"});
    use(Stream::header);
    parameterCommon(globals);
    session.assemble();
}

void GeneratorBase::deactivated(std::initializer_list<DeactivatedLine> lines) {
    for (const DeactivatedLine& l : lines) com(l.mode, l.text);
}

void GeneratorBase::deactivated(const std::vector<DeactivatedLine>& lines) {
    for (const DeactivatedLine& l : lines) com(l.mode, l.text);
}

int GeneratorBase::messageFor(const PerType& m) const {
    int base = type == eigenvalue ? m.eigenvalue : type == steady ? m.steady : m.timeDependent;
    return m.byUnknowns ? variant(base) : base;
}

}  // namespace zemka
