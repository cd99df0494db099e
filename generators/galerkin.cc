#include "galerkin.h"

#include <string>

namespace zemka {
namespace {

constexpr std::string_view functionNames[] = {"F", "A", "B"};
constexpr Derivative derivatives[] = {{"", 1}, {"x", 2}, {"y", 3}};

}  // namespace

UnknownLines GalerkinSteps::unknownValues() const {
    UnknownLines lines{{"(6X,A,'  = uu8z(1,',I2,')')", "NI"}, {"(6X,A,'x = uu8z(2,',I2,')')", "NI"},
                       {"(6X,A,'y = uu8z(3,',I2,')')", "NI"}};
    lines.resize(static_cast<std::size_t>(dimensions + 1));
    return lines;
}

void GalerkinSteps::galerkinUnknowns(int message, const NameTables& names, std::vector<std::string> taken) {
    // The lines of an unknown in pdes8z, gb8z and pmod8z must not set a variable of those
    // routines, such as pmod8z's fluxes a1, a2, ... (b1, ...).
    for (char f : std::string_view("ab").substr(0, static_cast<std::size_t>(dimensions)))
        for (int i = 1; i <= problem.neqn; ++i) taken.push_back(f + std::to_string(i));
    unknowns(message, names,
             dimensions == 1 ? std::vector<std::string>{"x"} : std::vector<std::string>{"x", "y", "norm"},
             std::move(taken));
}

void GalerkinSteps::askSymmetry(const PerType& message) {
    mess(0, messageFor(message));
    logicalAnswer("SYMM");
}

void GalerkinSteps::galerkinEquations(const GalerkinEquations& e) {
    openSubprogram(e.head);
    UnknownLines lines = unknownValues();
    // The derivative along the normal of a boundary, for the boundary integrals.
    if (dimensions == 2) lines.push_back({"(6X,A,'norm = ',A,'x*normx + ',A,'y*normy')", "NNN"});
    everyUnknown(lines);
    texts({"                    if (i8z.eq.0) then", "yd8z = 0.0"});
    integrals(e.integralsMessage, false);
    boundaryIntegrals(e.boundaryIntegralsMessage);
    deltaFunctions(e);
    auto functions = std::vector<std::string_view>(functionNames, functionNames + dimensions + 1);
    equations({.message = e.coefficients,
               .functions = functions,
               .mode = 2,
               .markFunctions = false,
               .eigenvalueCall = dimensions == 1 ? "call dkvrza (yd8z,i8z,uu8z,un8z,rho,2,neqn)"
                                                 : "call dkvrza (yd8z,i8z,uu8z,un8z,rho,3,neqn)",
               .jacobian = {.functions = functions,
                            .derivatives = std::vector<Derivative>(derivatives, derivatives + dimensions + 1),
                            .unknownStride = dimensions + 1,
                            .lhs = "yd8z"}});
}

void GalerkinSteps::deltaFunctions(const GalerkinEquations& e) {
    use(Stream::body);
    bool wanted = false;
    if (problem.type != eigenvalue) {
        mess(1, e.deltaQuestion);
        wanted = ifyes();
    }
    if (!wanted) {
        text("ndel = 0");
        use(Stream::subprograms);
        return;
    }
    mess(0, e.deltaPlaces);
    int ndel = iread("NDEL", 1, 20);
    static constexpr std::string_view coordinates[] = {"XD0", "YD0"};
    for (int k = 1; k <= ndel; ++k) {
        // The two coordinates of a point are set apart from those of the next.
        if (dimensions > 1) spacer();
        for (int c = 0; c < dimensions; ++c) invec(coordinates[c], k, k, 1);
    }
    use(Stream::subprograms);
    text("          if (kint8z.eq.0) then");
    mess(0, e.deltaAmplitudes);
    iadd(3, "the Delta function amplitudes");
    inmat("DELAMP", 1, ndel, 1, problem.neqn, 1);
    texts({"yd8z = delamp(idel8z,jdel8z)", "          endif"});
}

void GalerkinSteps::fixedValuesOpening(std::string_view header) {
    openSubprogram({header, {parameterCommonLine, statement("fb8z = 0.0")}});
}

void GalerkinSteps::fixedValues(bool given) {
    for (int i = 1; i <= problem.neqn; ++i) vecfun("FB", i, problem.neqn, i, "fb8z", given ? 2 : 3, "i8z");
}

void GalerkinSteps::freeConditionsOpening(const SubprogramHead& head, const UnknownLines& values) {
    openSubprogram(head);
    everyUnknown(values);
    text("if (j8z.eq.0) gd8z = 0.0");
}

// GB of equation i is selected by i8z = i with j8z = 0; its derivative with respect to
// unknown j by j8z = j, to Ux by 100+j, to Uy by 200+j.
void GalerkinSteps::freeConditions(bool given) {
    static constexpr Derivative byNumber[] = {{"", 1}, {"x", 101}, {"y", 201}};
    selectorBlock(
        "j8z", 20,
        [&] {
            for (int i = 1; i <= problem.neqn; ++i) vecfun("GB", i, problem.neqn, i, "gd8z", given ? 2 : 3, "i8z");
        },
        [&] {
            if (problem.jacobianAsked())
                jacobian({.functions = {"GB"},
                          .derivatives = std::vector<Derivative>(byNumber, byNumber + dimensions + 1),
                          .unknownStride = 1,
                          .lhs = "gd8z"},
                         given ? 0 : 1);
        });
}

void GalerkinSteps::galerkinReplacements(const SubprogramHead& head, int message) {
    // a1, b1, ... hold A and B of each equation.
    static constexpr std::string_view fluxLines[2][2] = {
        {"(6X,'a',I1,' = upr8z(2,',I2,')')", "(6X,'a',I2,' = upr8z(2,',I2,')')"},
        {"(6X,'b',I1,' = upr8z(3,',I2,')')", "(6X,'b',I2,' = upr8z(3,',I2,')')"}};
    openSubprogram(head);
    for (int j = 1; j <= problem.neqn; ++j) {
        unknownLines(j, unknownValues());
        for (int f = 0; f < dimensions; ++f) write(fluxLines[f][j > 9 ? 1 : 0], j, j);
    }
    std::vector<Replacement> fluxes{{.array = "A", .byEquation = true}, {.array = "B", .byEquation = true}};
    fluxes.resize(static_cast<std::size_t>(dimensions));
    printReplacements(message, fluxes);
    texts({"return", "end"});
}

}  // namespace zemka
