#pragma once

#include <cstdint>
#include <vector>

namespace assetgen::levels {

// Distance of every pixel of a width x height grid, rows top-down, to the
// nearest seed pixel (a non-zero entry of `seeds`), by two chamfer passes
// over the 8 neighbours: a diagonal step costs diagonalCost (1 for the
// chessboard distance, about 1.414 for a close approximation of the
// straight-line distance). Seeds are 0; with no seed at all every pixel gets
// `cap`. Values never exceed cap.
std::vector<float> distanceField(int width, int height, const std::vector<uint8_t>& seeds,
                                 float diagonalCost, float cap);

}  // namespace assetgen::levels
