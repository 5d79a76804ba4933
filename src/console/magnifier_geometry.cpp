#include "console/magnifier_geometry.h"

int effectiveMagnifyFactor(int factor) { return factor < 1 ? 1 : factor; }

MagnifierSource magnifierSource(int x, int y, int windowWidth, int windowHeight, int factor) {
    const int f = effectiveMagnifyFactor(factor);
    int sx = x - x / f;
    int sy = y - y / f;
    if (sx < 0) sx = 0;
    if (sy < 0) sy = 0;
    return {sx, sy, windowWidth / f, windowHeight / f};
}
