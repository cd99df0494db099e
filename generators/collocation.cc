#include "collocation.h"

#include <cstdlib>
#include <string>

namespace zemka {
namespace {

constexpr std::string_view coordinates = "XYZ";

}  // namespace

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
    for (const HeadLine& l : t.closing) l.kind == HeadLine::comment ? com(2, l.text) : text(l.text);
    texts({"return", "end"});
    return itrans;
}

void CollocationSteps::openPointRoutine(const PointRoutine& r) {
    openSubprogram(r.head);
    everyUnknown(r.values);
    texts(r.locate);
    everyUnknown(r.derivatives);
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

}  // namespace zemka
