#pragma once
// The fleet movement overview: pasted lines "<count> Ships from <origin>
// attacking|defending <target> ... ETA ..." grouped by consecutive target,
// each group closed by the sums of attacking and defending ships.

#include "planning/AttackPlan.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace skarnwald {

enum MoveColumn : std::size_t { kColCount = 0, kColFrom = 1, kColMoveEta = 2, kMoveColumnCount = 3 };

struct MoveRow {
    std::array<std::string, kMoveColumnCount> cells;
    int textSlot = kNoSlot; // colour of every cell: red attacking, green defending
    int backgroundSlot = kNoSlot;
};

// The rows one press of "Eintragen" appends. Shading alternates per group and
// starts unshaded on every call; even empty text yields a closing sum group.
std::vector<MoveRow> GroupFleetMoves(std::string_view text);

} // namespace skarnwald
