// Any bytes as a wall's shadow shape file: reading it and building the hull's
// normals must not fault, whatever numbers (or none) it holds.
#include "effects/lighting/ConvexHull.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    ltbl::ConvexHull hull;
    hull.setVertices(ltbl::ConvexHull::readShape(in));
    hull.centerHull();
    hull.calculateNormals();
    hull.generateAABB();
    return 0;
}
