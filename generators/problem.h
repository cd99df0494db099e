// The problem a generator's dialog describes, as its steps establish it one answer at a time.
#pragma once

#include "dialog/dialog.h"

namespace zemka {

enum ProblemType { steady = 1, timeDependent = 2, eigenvalue = 3 };

struct Problem {
    int type = steady;
    bool linear = false;  // an eigenvalue problem is linear without a question
    bool fdiff = false;   // the Jacobian approximated by finite differences
    int neqn = 0;         // the number of unknowns (and of equations)
    GlobalList globals;   // the global parameters, for every parameter common line
    int loopLabel = 0;    // the label of the problem loop

    // Whether the partial derivatives of the equations and conditions are asked.
    bool jacobianAsked() const { return !linear && !fdiff; }
    // Message base + the variant for the number of unknowns: 0, 1, 2, 3 for 1, 2, 3, 4+.
    int variant(int base) const { return base + (neqn < 4 ? neqn - 1 : 3); }
};

}  // namespace zemka
