// The generators, one per class of problem, and the choice among them.
#pragma once

#include "dialog/session.h"

namespace zemka {

using Generator = void (*)(Session&);

// Each runs the rest of the dialog and leaves main.f assembled.
void gen0d(Session& session);
void gen1dg(Session& session);
void gen1dc(Session& session);
void gen2dg(Session& session);
void gen2dc(Session& session);
void gen3d(Session& session);

// The generator for a dimension (0..3) and, for one and two dimensions, a method (1 Galerkin,
// 2 collocation).
Generator generatorFor(int dimension, int method);

}  // namespace zemka
