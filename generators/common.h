// Steps that several generators share, written once and parameterised by what differs.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "dialog/dialog.h"

namespace zemka {

// A line of a deactivated example: com mode 3 for a statement, 4 for a labelled line.
struct DeactivatedLine {
    int mode;
    std::string_view text;
};

class GeneratorBase : protected Dialog {
public:
    using Dialog::Dialog;

protected:
    int loopLabel = 0;     // the label of the problem loop
    GlobalList globals;    // the global parameters, for every parameter common line
    int neqn = 0;

    // "Writes a, b, ...": one statement each, from column 7.
    void texts(std::initializer_list<std::string_view> lines);
    // "Comment a, b, ...": one comment line each.
    void comments(std::initializer_list<std::string_view> lines);
    // The start of a generated subprogram: two empty lines, its header, the implicit line.
    void subprogram(std::string_view header);

    // The precision question and the implicit statement of the main program.
    void askPrecision();
    // NPROB and the problem loop that encloses the main program's work.
    void openProblemLoop();
    // Whether the optional Fortran blocks are to be offered later on.
    void askBlockLevel();
    // One "name = uu8z(1, j)" line per unknown.
    void unknownAssignments();
    // Lines written with com modes 3 and 4, switched on by deleting their "C!".
    void deactivated(std::initializer_list<DeactivatedLine> lines);
    // Extra subprograms typed by the user, appended to the subprogram stream.
    void userSubprograms();
    // Closes the problem loop and the main program, writes the header's parameter common
    // line and assembles main.f.
    void finishProgram();

    // Message base + the variant for the number of unknowns: 0, 1, 2, 3 for 1, 2, 3, 4+.
    int variant(int base) const { return base + (neqn < 4 ? neqn - 1 : 3); }
};

}  // namespace zemka
