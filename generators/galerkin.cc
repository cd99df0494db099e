#include "galerkin.h"

#include <string>

namespace zemka {
namespace {

constexpr std::string_view functionNames[] = {"F", "A", "B"};
constexpr std::string_view derivativeSuffixes[] = {"", "x", "y"};
constexpr std::string_view fluxNames = "AB";

}  // namespace

void GalerkinGenerator::run() {
    opening();
    openProblemLoop();
    globalParameters();
    askBlockLevel();
    domain();
    problemType(problemStyle);
    equationsAndUnknowns();
    pdes8z();
    u8z();
    boundaryConditions();
    pmod8z();
    outputGrid();
    savedSolutions();
    solve();
    outputOptions();
    use(Stream::subprograms);
    dummyRoutines(shape.dummies);
    postpr(shape.postprocessor);
    userSubprograms();
    dataFileFunctions(shape.dataFunctions);
    finishProgram();
}

void GalerkinGenerator::opening() {
    use(Stream::header);
    com(2, shape.heading);
    askPrecision();
    limitParameters();
    use(Stream::body);
    text(shape.arrays);
    com(2, shape.restartArrays);
    allocatableWorkArrays();
    texts({"character*40 title", shape.logicals});
    resultCommons();
    texts(shape.commons);
    texts(shape.start);
}

void GalerkinGenerator::limitParameters(bool inEquations) {
    neqnmxParameter();
    // The eigenvalue matrix RHO of the equations routine is dimensioned by NEQN.
    if (inEquations && type == eigenvalue) write("(6X,'parameter (NEQN=',I4,')')", neqn);
    write("(6X,'parameter (ndelmx=',I4,')')", 20);
}

void GalerkinGenerator::globalParameters() {
    mess(0, shape.globalsMessage);
    globals = globp(shape.globalNames);
}

int GalerkinGenerator::sizeParameter(const std::string& name, const std::string& meaning, int least) {
    use(Stream::header);
    com(1, name + " = " + meaning);
    int n = inparm(name, least, noUpperBound);
    use(Stream::body);
    return n;
}

std::vector<int> GalerkinGenerator::grids(std::string_view axes, int least) {
    std::vector<int> lines;
    for (char axis : axes) gridCheck(axis, 0);
    for (char axis : axes) lines.push_back(gridLines(axis, least));
    for (char axis : axes) gridCheck(axis, 1);
    return lines;
}

int GalerkinGenerator::gridLines(char axis, int least) {
    std::string grid = std::string(1, axis) + "GRID";
    std::string count = "N" + grid;
    int n = sizeParameter(count, std::string("number of ") + axis + "-grid lines", least);
    com(2, "   " + grid + " DEFINED");
    invar(grid + "(1)", 1);
    invec(grid, 2, n - 1, 0);
    invar(grid + "(" + count + ")", 1);
    return n;
}

void GalerkinGenerator::gridCheck(char axis, int flag) {
    std::string grid = lowerCase(std::string(1, axis)) + "grid";
    text("call dkvrwx(" + grid + ",n" + grid + "," + std::to_string(flag) + ")");
}

void GalerkinGenerator::equationsAndUnknowns() {
    askNeqn();
    use(Stream::body);
    mess(1, shape.unknownsMessage);
    // Each unknown U also names its derivatives Ux (, Uy) and, in 2D, Unorm. Its lines in
    // pdes8z, gb8z and pmod8z must not set a variable of those routines, such as pmod8z's
    // fluxes a1, a2, ... (b1, ...).
    std::vector<std::string> programNames = shape.unknownsTaken;
    for (char f : fluxNames.substr(0, shape.dimensions))
        for (int i = 1; i <= neqn; ++i) programNames.push_back(f + std::to_string(i));
    varnam(shape.unknownNames, neqn,
           unknownNaming(shape.dimensions == 1 ? std::vector<std::string>{"x"}
                                               : std::vector<std::string>{"x", "y", "norm"},
                         std::move(programNames)));
    mess(0, messageFor(shape.symmetry));
    logicalAnswer("SYMM");
    askFdiff();
    workArrayParameters();
    text(shape.libraryLimits);
}

void GalerkinGenerator::pdes8z() {
    int d = shape.dimensions, s = stride();
    subprogram(shape.pdesHeader);
    limitParameters(true);
    comments(shape.pdesComments);
    texts(shape.pdesCommons);
    reals(shape.pdesReals);
    if (type == eigenvalue && neqn > 1) text("dimension rho(neqn,neqn)");
    parameterCommon(globals);
    for (int j = 1; j <= neqn; ++j) {
        unknownLines(j, d);
        // The derivative along the normal of a boundary, for the boundary integrals.
        if (d == 2) write("(6X,A,'norm = ',A,'x*normx + ',A,'y*normy')", unknownName(j), unknownName(j), unknownName(j));
    }
    openIntegralBranch();
    integrals(shape.integralsMessage);
    boundaryIntegrals(shape.boundaryIntegralsMessage);
    deltaFunctions();
    openFunctionBranch(shape.coefficients);
    for (int i = 1; i <= neqn; ++i) {
        if (type == timeDependent) timeCoefficients(i);
        for (int f = 0; f <= d; ++f) vecfun(functionNames[f], i, neqn, s * i - d + f, "yd8z", 2, "i8z");
        if (type == eigenvalue) rhoRow(i);
    }
    if (type == eigenvalue) text("call dkvrza (yd8z,i8z,uu8z,un8z,rho," + std::to_string(s) + ",neqn)");
    text("          else");
    if (!linear && !fdiff) jacobian();
    closeEquationsRoutine();
}

void GalerkinGenerator::deltaFunctions() {
    use(Stream::body);
    bool wanted = false;
    if (type != eigenvalue) {
        mess(1, shape.deltaQuestion);
        wanted = ifyes();
    }
    if (!wanted) {
        text("ndel = 0");
        use(Stream::subprograms);
        return;
    }
    mess(0, shape.deltaPlaces);
    int ndel = iread("NDEL", 1, 20);
    static constexpr std::string_view coordinates[] = {"XD0", "YD0"};
    for (int k = 1; k <= ndel; ++k) {
        // The two coordinates of a point are set apart from those of the next.
        if (shape.dimensions > 1) spacer();
        for (int c = 0; c < shape.dimensions; ++c) invec(coordinates[c], k, k, 1);
    }
    use(Stream::subprograms);
    text("          if (kint8z.eq.0) then");
    mess(0, shape.deltaAmplitudes);
    iadd(3, "the Delta function amplitudes");
    inmat("DELAMP", 1, ndel, 1, neqn, 1);
    texts({"yd8z = delamp(idel8z,jdel8z)", "          endif"});
}

// The derivative of each function of equation i with respect to U, Ux (, Uy) of each unknown j.
void GalerkinGenerator::jacobian() {
    int d = shape.dimensions, s = stride();
    for (int i = 1; i <= neqn; ++i)
        for (int j = 1; j <= neqn; ++j)
            for (int f = 0; f <= d; ++f)
                for (int v = 0; v <= d; ++v)
                    matfun(functionNames[f], i, neqn, unknownName(j) + std::string(derivativeSuffixes[v]),
                           s * i - d + f, s * j - d + v, "yd8z", 0);
}

void GalerkinGenerator::u8z() {
    subprogram(shape.u8zHeader);
    parameterCommon(globals);
    text(type == eigenvalue ? "u8z = dkvrxx()" : "u8z = 0.0");
    if (type == steady && linear) {
        use(Stream::body);
        texts({"RESTRT = .FALSE.", "GRIDID = .TRUE."});
    } else {
        initialValues(shape.initialValues);
        use(Stream::body);
        mess(0, 48);
        if (logicalAnswer("RESTRT")) {
            mess(0, 97);
            logicalAnswer("GRIDID");
        } else {
            com(2, "GRIDID = .FALSE. IF FINITE ELEMENT GRID CHANGES BETWEEN DUMP, RESTART");
            text("GRIDID = .TRUE.");
        }
    }
    use(Stream::subprograms);
    texts({"return", "end"});
}

void GalerkinGenerator::fb8zOpening() {
    subprogram(shape.fb8zHeader);
    parameterCommon(globals);
    text("fb8z = 0.0");
}

void GalerkinGenerator::fixedValues(bool given) {
    for (int i = 1; i <= neqn; ++i) vecfun("FB", i, neqn, i, "fb8z", given ? 2 : 3, "i8z");
}

void GalerkinGenerator::gb8zOpening() {
    subprogram(shape.gb8zHeader);
    neqnmxParameter();
    comments(shape.gb8zComments);
    texts(shape.gb8zCommons);
    if (!shape.gb8zReals.empty()) reals(shape.gb8zReals);
    parameterCommon(globals);
    text("zero(f8z) = bign8z*f8z");
    for (int j = 1; j <= neqn; ++j) unknownLines(j, shape.dimensions, shape.gb8zLayout);
    text("if (j8z.eq.0) gd8z = 0.0");
}

// GB of equation i is selected by i8z = i with j8z = 0; its derivative with respect to
// unknown j by j8z = j, to Ux by 100+j, to Uy by 200+j.
void GalerkinGenerator::freeConditions(bool given) {
    text("                    if (j8z.eq.0) then");
    for (int i = 1; i <= neqn; ++i) vecfun("GB", i, neqn, i, "gd8z", given ? 2 : 3, "i8z");
    text("                    else");
    if (!linear && !fdiff)
        for (int i = 1; i <= neqn; ++i)
            for (int j = 1; j <= neqn; ++j)
                for (int v = 0; v <= shape.dimensions; ++v)
                    matfun("GB", i, neqn, unknownName(j) + std::string(derivativeSuffixes[v]), i, 100 * v + j, "gd8z",
                           given ? 0 : 1);
    text("                    endif");
}

void GalerkinGenerator::pmod8z() {
    // a1, b1, ... hold A and B of each equation.
    static constexpr std::string_view fluxLines[2][2] = {
        {"(6X,'a',I1,' = upr8z(2,',I2,')')", "(6X,'a',I2,' = upr8z(2,',I2,')')"},
        {"(6X,'b',I1,' = upr8z(3,',I2,')')", "(6X,'b',I2,' = upr8z(3,',I2,')')"}};
    subprogram(shape.pmodHeader);
    neqnmxParameter();
    texts(shape.pmodCommons);
    parameterCommon(globals);
    for (int j = 1; j <= neqn; ++j) {
        unknownLines(j, shape.dimensions);
        for (int f = 0; f < shape.dimensions; ++f) write(fluxLines[f][j > 9 ? 1 : 0], j, j);
    }
    printReplacements(shape.replacementsMessage, fluxNames.substr(0, shape.dimensions));
    texts({"return", "end"});
}

void GalerkinGenerator::evenOutputPoints(int message, const std::vector<std::string_view>& defaults,
                                         std::string_view pointsCall) {
    static constexpr std::string_view ends[] = {"XA", "XB", "YA", "YB"};
    std::string names;
    for (int e = 0; e < 2 * shape.dimensions; ++e) names += (e ? "," : "") + std::string(ends[e]);
    mess(0, message);
    com(2, "   defaults for " + lowerCase(names));
    texts(defaults);
    com(2, "   DEFINE " + names + " IMMEDIATELY BELOW:");
    for (int e = 0; e < 2 * shape.dimensions; ++e) invar(ends[e], 0);
    text(pointsCall);
}

void GalerkinGenerator::userOutputPoints(int message) {
    text("npts8z = nx+1");
    mess(0, message);
    iadd(0, " ");
}

void GalerkinGenerator::outputVariable(std::string_view name, bool split) {
    iread(name, 1, stride() * neqn);
    if (!split) return;
    std::string v = lowerCase(std::string(name)), s = std::to_string(stride());
    texts({v + "a8z = mod(" + v + "-1," + s + ")+1", v + "b8z = (" + v + "-1)/" + s + "+1"});
}

void GalerkinGenerator::savedStepRange() {
    if (type == timeDependent) {
        mess(0, 123);
        texts({"ISET1 = 0", "ISET2 = NSAVE", "ISINC = 1"});
        invar("ISET1", 0);
        invar("ISET2", 0);
        invar("ISINC", 0);
    } else {
        texts({"ISET1 = 1", "ISET2 = NSAVE", "ISINC = 1"});
    }
}

void GalerkinGenerator::valueRange(int message) {
    com(2, " ");
    texts({"alow = amin8z(ivar)", "ahigh = amax8z(ivar)"});
    plotRange(message);
}

void GalerkinGenerator::viewAngles() {
    mess(0, 127);
    texts({"VLON = 45.0", "VLAT = 45.0"});
    invar("VLAT", 0);
    invar("VLON", 0);
}

// Tables and plots, each request complete in itself, until the answer 0.
void GalerkinGenerator::outputOptions() {
    use(Stream::body);
    int largest = largestOutputKind();
    for (;;) {
        mess(1, shape.outputKindsMessage);
        int kind = iread("", 0, largest);
        if (kind == 0) return;
        if (kind == 1) table();
        else plot(kind);
    }
}

void GalerkinGenerator::table() {
    com(2, "   *******TABULAR OUTPUT");
    mess(0, variant(shape.outputVariablesMessage));
    outputVariable("IVAR", true);
    savedStepRange();
    askTitle();
    savedStepLoop(shape.tableCall);
}

void GalerkinGenerator::curveVariable(char variable, int ics) {
    com(2, std::string("   ") + variable + " IS VARIABLE");
    text("ics8z = " + std::to_string(ics));
}

void GalerkinGenerator::openCrossSectionLoop(char axis, int label) {
    write(axis == 'X' ? "(6X,'do ',I5,' ixv8z=1,nxvals')" : "(6X,'do ',I5,' jyv8z=1,nyvals')", label);
}

void GalerkinGenerator::crossSections(std::string_view count, std::string_view values) {
    int n = iread(count, 1, 100);
    invec(values, 1, n, 1);
}

void GalerkinGenerator::openSavedStepLoop(int label) {
    text("call dkvrrx(tout8z,nsave,iset1,iset2,isinc)");
    write("(6X,'do ',I5,' is8z=iset1,iset2,isinc')", label);
}

void GalerkinGenerator::savedStepLoop(std::string_view call) {
    int label = state();
    openSavedStepLoop(label);
    text(call);
    closeLoop(label);
}

}  // namespace zemka
