#include "collocation.h"

#include <cstdlib>
#include <string>

namespace zemka {
namespace {

constexpr std::string_view coordinates = "XYZ";

constexpr HeadLine previousValues = comment("   un8z(1,I),un8z(2,I),... hold the (rarely used) values");
constexpr HeadLine previousValuesToo = comment("   of UI,UI1,... from the previous iteration or time step");

SubprogramHead withMore(SubprogramHead head, const std::vector<HeadLine>& more) {
    head.lines.insert(head.lines.end(), more.begin(), more.end());
    return head;
}

}  // namespace

ProgramSkeleton boxSkeleton(std::string_view heading, std::string_view arrays, std::string_view results,
                            std::vector<std::string_view> start) {
    return {.heading = heading,
            .arrays = arrays,
            .restartArrays = {" dimension xres8z(nxp8z),yres8z(nyp8z),zres8z(nzp8z),", "& ures8z(neqn,nxp8z,nyp8z,nzp8z)"},
            .logicals = "logical linear,crankn,noupdt,nodist,fillin,evcmpx,adapt,plot,lsqfit,fdiff,solid,econ8z,ncon8z,"
                        "restrt,gridid",
            .commons = {"common/dkvr30/ econ8z,ncon8z", "common/dkvr45/ perdc(neqnmx)",
                        "common/dkvr46/ eps8z,cgtl8z,npmx8z,itype,near8z", "common/dkvr52/ nxa8z,nya8z,nza8z,kd8z",
                        "common/dkvr53/ work8z(nxp8z*nyp8z*nzp8z+9)",
                        "common/dkvr64/ amin8z(4*neqnmx),amax8z(4*neqnmx)", results},
            .start = std::move(start)};
}

SubprogramHead boxEquationsHead(std::string_view header, std::string_view normal, std::string_view reals,
                                std::vector<HeadLine> more) {
    return withMore({header,
                     {neqnmx, eigenvalueNeqn, previousValues, previousValuesToo,
                      statement("common /dkvr5x/un8z(10,neqnmx)"), statement(normal), realsDeclaration(reals),
                      statement("dimension uu8z(10,neqnmx)"), eigenvalueRho, parameterCommonLine}},
                    more);
}

SubprogramHead boxConditionsHead(std::string_view header, std::string_view normal, std::string_view reals,
                                 std::vector<HeadLine> more) {
    return withMore({header,
                     {neqnmx, statement("dimension uu8z(10,neqnmx)"), previousValues, previousValuesToo,
                      statement("common /dkvr5x/ un8z(10,neqnmx)"), statement(normal), realsDeclaration(reals),
                      parameterCommonLine, statement("none = dkvrlx(2)")}},
                    more);
}

Faces boxFaces(PointRoutine routine, int message, int count) {
    return {.routine = std::move(routine),
            .message = message,
            .count = count,
            .faceMessage = 312,
            .what = "the boundary conditions (on this face only)"};
}

CollocationEquations boxEquations(PointRoutine routine, int first) {
    return {.routine = std::move(routine),
            .integralsMessage = first,
            .boundaryIntegralsMessage = first + 4,
            .weighted = true,
            .coefficients = {.steady = first + 12, .timeDependent = first + 16, .eigenvalue = first + 8, .byUnknowns = true},
            .eigenvalueCall = "call dkvrsx (yd8z,i8z,uu8z,un8z,rho,10,neqn)"};
}

// ITRANS 3: the user gives X, Y (, Z) and all their first and second derivatives in the
// computational coordinates; -3: X, Y (, Z) alone; any other value leaves them to the library.
int CollocationSteps::transformation(const Transformation& t, int dimensions) {
    openSubprogram(t.head);
    mess(0, t.message);
    int itrans;
    // A refused value stays written; the accepted one written after it overrides it.
    while (itrans = iread("ITRANS", -3, 3), t.refuseTwo && std::abs(itrans) == 2) say("('|---- Illegal input')");
    std::string_view names = coordinates.substr(0, static_cast<std::size_t>(dimensions));
    std::string list;
    for (char c : names) list += (list.empty() ? "" : ",") + std::string(1, c);
    if (itrans == 3) {
        iadd(3, list + ",X1,...");
        for (char c : names) invar(std::string(1, c), 1);
        for (char c : names) {
            spacer();
            for (int p = 1; p <= dimensions; ++p) invar(c + std::to_string(p), 1);
        }
        for (char c : names) {
            spacer();
            for (int p = 1; p <= dimensions; ++p)
                for (int q = p; q <= dimensions; ++q) invar(c + std::to_string(p) + std::to_string(q), 1);
        }
    } else if (itrans == -3) {
        iadd(3, list);
        for (char c : names) {
            gui();
            invar(std::string(1, c), 1);
        }
    }
    headLines(t.closing);
    texts({"return", "end"});
    return itrans;
}

void CollocationSteps::collocationEquations(const CollocationEquations& e) {
    openPointRoutine(e.routine);
    texts({"                    if (i8z.eq.0) then", "yd8z = 0.0"});
    integrals(e.integralsMessage, true);
    boundaryIntegrals(e.boundaryIntegralsMessage);
    if (e.weighted) texts({"if (kint8z.gt.0) yd8z = yd8z*dvol", "if (kint8z.lt.0) yd8z = yd8z*darea"});
    equations({.message = e.coefficients,
               .functions = {"F"},
               .mode = 0,
               .markFunctions = true,
               .eigenvalueCall = e.eigenvalueCall,
               .jacobian = {.functions = {"F"}, .derivatives = derivatives, .unknownStride = stride, .lhs = "yd8z"}});
}

int CollocationSteps::periodicity(int message, int largest, int refused) {
    use(Stream::body);
    mess(0, message);
    gui();
    int iperdc;
    // As for ITRANS, a refused value's assignment stays, overridden by the accepted one.
    while ((iperdc = iread("IPERDC", 0, largest)) == refused) say("('|---- Illegal input')");
    return iperdc;
}

bool CollocationSteps::periodicIn(int iperdc, int direction) {
    // The directions each IPERDC makes periodic, one bit a direction.
    static constexpr int directions[] = {0, 1, 2, 4, 3, 5, 6, 7};
    return (directions[iperdc] >> direction) & 1;
}

void CollocationSteps::faceConditions(const Faces& faces, int iperdc, const std::vector<int>& gridLines) {
    openPointRoutine(faces.routine);
    text("if (j8z.eq.0) gd8z = 0.0");
    mess(0, problem.variant(faces.message));
    int n = problem.neqn;
    std::vector<Derivative> conditionDerivatives(derivatives.begin(),
                                                 derivatives.begin() + static_cast<long>(this->conditionDerivatives));
    for (int f = 1; f <= faces.count; ++f) {
        write("(12X,'if (ifac8z.eq.',I2,') then')", f);
        mess(0, faces.faceMessage + f);
        int direction = (f - 1) / 2;
        bool periodic = periodicIn(iperdc, direction);
        bool asked = !periodic && gridLines[static_cast<std::size_t>(direction)] > 1;
        if (asked) {
            iadd(3, faces.what);
        } else {
            if (periodic)
                say("(/,'   IPERDC = ',I1,                                      "
                    "', so periodic boundary conditions set automatically')",
                    iperdc);
            else
                say("(/,'   No boundary conditions required on this face')");
            paws();
        }
        int mode = asked ? 0 : 3;
        selectorBlock(
            "j8z", 20,
            [&] {
                if (!asked)
                    com(2, periodic ? "   PERIODIC BOUNDARY CONDITIONS SET (SEE IPERDC)"
                                    : "   NO BOUNDARY CONDITIONS REQUIRED ON THIS FACE");
                for (int i = 1; i <= n; ++i) {
                    if (asked) gui();
                    vecfun("G", i, n, i, "gd8z", mode, "i8z");
                }
            },
            [&] {
                if (problem.jacobianAsked())
                    jacobian({.functions = {"G"}, .derivatives = conditionDerivatives, .unknownStride = stride, .lhs = "gd8z"},
                             mode);
            });
        text("      endif");
    }
    texts({"return", "end"});
}

int CollocationSteps::openBoxProgram(const ProgramSkeleton& skeleton, int globalsMessage, const NameTables& names,
                                     const Transformation& t, int dimensions) {
    openProgram(skeleton);
    problem.loopLabel = openProblemLoop();
    problem.globals = globalParameters(globalsMessage, names, true);
    askBlockLevel();
    return transformation(t, dimensions);
}

void CollocationSteps::boxProblem(int itrans, int namesMessage, const NameTables& unknownNames,
                                  std::vector<std::string> suffixes, std::vector<std::string> programNames) {
    mess(0, 282);
    iread("ISOLVE", 1, session.parms.largestIsolveCollocation);
    problemType(problemStyle);
    problem.neqn = askNeqn();
    unknowns(namesMessage, unknownNames, std::move(suffixes), std::move(programNames));
    problem.fdiff = askFdiff(itrans != 0);
}

void CollocationSteps::boxInitialValues(const SubprogramHead& head, const PerType& message) {
    initialValuesRoutine(
        {.head = head, .message = message, .lsqfit = InitialValues::lsqfitAsked, .gridIdentityMessage = 307});
}

void CollocationSteps::boxSolver(std::string_view call, std::string_view postprCall, const EigenvalueEnd& eigenvalueEnd) {
    callSolver({.sizes = "call dkvrqx(np1grid,np2grid,np3grid,isolve,neqn,ii8z,ir8z,iperdc)",
                .plotComments = {"   *******DRAW GRID LINES?"},
                .plot = "PLOT = .TRUE.",
                .call = call});
    afterSolver(postprCall, "dkvrr3", "xres8z,nxp8z,yres8z,nyp8z,zres8z,nzp8z,ures8z,neqn", eigenvalueEnd);
}

void CollocationSteps::closeBoxProgram(const Postprocessor& p, int functionMessage, int nworkLeast,
                                       std::string_view arguments, std::string_view interpolation) {
    dummyRoutines({"subroutine xy8z(i8z,iarc8z,s,x,y,s0,sf)", "subroutine dis8z(x,y,ktri,triden,shape)",
                   "function fb8z(i8z,iarc8z,ktri,s,x,y,t)"});
    postpr(p);
    userSubprograms();
    dataFileFunctions({.nameMessage = functionMessage,
                       .nworkMessage = functionMessage + 1,
                       .nworkLeast = nworkLeast,
                       .fileMessage = 278,
                       .arguments = arguments,
                       .interpolation = interpolation,
                       .firstLetters = collocationLet2.substr(0, 40)});
    finishProgram();
}

}  // namespace zemka
