#include "common.h"

namespace zemka {

void GeneratorBase::texts(std::initializer_list<std::string_view> lines) {
    for (std::string_view l : lines) text(l);
}

void GeneratorBase::comments(std::initializer_list<std::string_view> lines) {
    for (std::string_view l : lines) com(2, l);
}

void GeneratorBase::subprogram(std::string_view header) {
    texts({" ", " ", header});
    prec();
}

void GeneratorBase::askPrecision() {
    mess(0, 7);
    session.exmp[3] = ifyes();
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
    session.exmp[1] = ifyes() ? 3 : 2;
}

void GeneratorBase::unknownAssignments() {
    for (int j = 1; j <= neqn; ++j) write("(6X,A,'  = uu8z(1,',I2,')')", unknownName(j), j);
}

void GeneratorBase::deactivated(std::initializer_list<DeactivatedLine> lines) {
    for (const DeactivatedLine& l : lines) com(l.mode, l.text);
}

void GeneratorBase::userSubprograms() {
    mess(1, 61);
    if (ifyes()) iadd(0, " ");
}

void GeneratorBase::finishProgram() {
    use(Stream::body);
    write("(I5,' continue')", loopLabel);
    texts({"call endgks", "stop", "end"});
    use(Stream::header);
    parameterCommon(globals);
    session.assemble();
}

}  // namespace zemka
