#pragma once

#include <string>
#include <utility>
#include <vector>

#include "levels/Reachability.h"

// The rock as the pilot knows it: what the `rock` command last showed, with
// the enemy's beam always counted as rock while the enemy lives (the game
// draws it only on every other mission tick), and how far every world point
// lies from rock.
namespace autopilot {

class Cave {
  public:
    static constexpr int kSize = 1282;  // world points 0 .. 1281 each way

    Cave();

    // Reads a `rock` answer into the map.
    void take(const std::string& rockLine);
    // The enemy's beam lines as the game draws them; an empty list once it is gone.
    void setBeam(int enemyX, int enemyY, int beamLength, bool standing);
    // Works the distances out again after take() or setBeam().
    void refresh();

    const assetgen::levels::SolidMap& rock() const { return rock_; }
    bool beamAt(int x, int y) const;
    // Chessboard distance from (x, y) to the nearest rock, 0 on rock.
    float distance(int x, int y) const;

  private:
    assetgen::levels::SolidMap seen_;  // as the game showed it
    assetgen::levels::SolidMap rock_;  // with the beam
    std::vector<std::pair<int, int>> beam_;
    std::vector<float> distance_;
};

}  // namespace autopilot
