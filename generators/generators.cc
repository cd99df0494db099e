#include "generators.h"

#include <string>

namespace zemka {
namespace {

[[noreturn]] void notAvailable(const std::string& what) {
    throw FatalError(what + " programs are not available yet in this version of zemka");
}

void gen3dMissing(Session&) { notAvailable("3D"); }

}  // namespace

Generator generatorFor(int dimension, int method) {
    switch (dimension) {
    case 0: return gen0d;
    case 1: return method == 1 ? gen1dg : gen1dc;
    case 2: return method == 1 ? gen2dg : gen2dc;
    default: return gen3dMissing;
    }
}

}  // namespace zemka
