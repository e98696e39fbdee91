#pragma once
// The fleet movement overview: pasted fleet lines grouped by target, each
// group closed by the sums of attacking and defending ships.

#include "planning/AttackPlan.h"

#include <array>
#include <span>
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

struct FleetMoves {
    std::vector<MoveRow> rows;
    std::vector<std::string> refused; // lines that are no fleet line, as pasted
};

// The rows one press of "Eintragen" appends: one group per target in the
// order the targets first come, its fleets in input order. Movement lines
// and lines of the outgoing-fleet list are read. Shading alternates per group
// and starts unshaded on every call; text without a fleet line gives no rows.
FleetMoves GroupFleetMoves(std::string_view text);

// What the programs say about refused movement lines; empty for none.
std::string RefusedMovesMessage(std::span<const std::string> refused);

} // namespace skarnwald
