#include "generators.h"

namespace zemka {

Generator generatorFor(int dimension, int method) {
    switch (dimension) {
    case 0: return gen0d;
    case 1: return method == 1 ? gen1dg : gen1dc;
    case 2: return method == 1 ? gen2dg : gen2dc;
    default: return gen3d;
    }
}

}  // namespace zemka
