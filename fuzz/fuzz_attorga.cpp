// Feeds arbitrary bytes to both pasted-list readers: the outgoings import of
// the attack plan (twice, as a user pasting the same list again would, then
// the sums twice) and the fleet movement grouping. Traps when a plan or an
// overview comes out malformed, or a line is neither read nor refused.

#include "planning/AttackPlan.h"
#include "planning/FleetMoves.h"
#include "planning/PastedLines.h"
#include "text/TextRules.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

using namespace skarnwald;

void Check(bool ok) {
    if (!ok)
        __builtin_trap();
}

std::size_t LineCount(std::string_view text) {
    std::size_t lines = 0;
    ForEachPastedLine(text, [&](std::string_view) { ++lines; });
    return lines;
}

bool EarlierEta(const PlanRow& a, const PlanRow& b) {
    return Atoi(a.cells[kColEta]) < Atoi(b.cells[kColEta]);
}

void CheckPlan(std::string_view text) {
    AttackPlan plan;
    const std::size_t refused = plan.importOutgoings(text).size();
    Check(refused + plan.outgoingFleets.size() == LineCount(text));
    const std::size_t targets = plan.planTable.size();
    const std::size_t fleetsOnce = plan.outgoingFleets.size();
    for (const PlanRow& target : plan.planTable)
        Check(std::is_sorted(target.children.begin(), target.children.end(), EarlierEta));
    // Pasting the same list again finds every fleet planned already.
    plan.importOutgoings(text);
    Check(plan.planTable.size() == targets);
    Check(plan.outgoingFleets.size() == fleetsOnce);

    plan.computeSums();
    plan.computeSums();
    for (const PlanRow& target : plan.planTable) {
        const auto sumRows = std::count_if(target.children.begin(), target.children.end(),
                                           [](const PlanRow& row) { return row.cells[kColIsSum] == "SUM"; });
        Check(sumRows == 3 && target.children.size() >= 3);
        Check(target.children.back().cells[kColName] == "DEFF");
    }
}

void CheckOverview(std::string_view text) {
    const FleetMoves moves = GroupFleetMoves(text);
    const std::vector<MoveRow>& rows = moves.rows;
    const auto fleets =
        std::count_if(rows.begin(), rows.end(), [](const MoveRow& row) { return row.textSlot != kNoSlot; });
    Check(static_cast<std::size_t>(fleets) + moves.refused.size() == LineCount(text));
    if (rows.empty())
        return;
    Check(rows.size() >= 6);
    Check(rows.back().cells[kColCount] == rows[rows.size() - 3].cells[kColCount]);
    Check(rows[rows.size() - 2].cells[kColCount].starts_with("Atter "));
    for (const MoveRow& row : rows)
        Check(row.backgroundSlot == kNoSlot || row.backgroundSlot == kSlotLightGrey);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckPlan(text);
    CheckOverview(text);
    return 0;
}
