#include "planning/FleetMoves.h"

#include "planning/FleetLines.h"
#include "planning/PastedLines.h"
#include "text/Catalog.h"
#include "text/TextRules.h"

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <utility>

namespace skarnwald {

namespace {

constexpr std::string_view kDashes = "------------------------------------------";

std::optional<FleetLine> ReadFleetLine(std::string_view line) {
    std::optional<FleetLine> fleet = ReadMovementLine(line);
    return fleet ? fleet : ReadOutgoingLine(line);
}

class Grouping {
public:
    void AddGroup(const std::string& target, std::span<const FleetLine> fleets) {
        AddLabel(target);
        AddLabel(kDashes);
        std::int64_t attacking = 0;
        std::int64_t defending = 0;
        for (const FleetLine& fleet : fleets) {
            (fleet.defending ? defending : attacking) += fleet.ships;
            rows_.push_back({{IntText(fleet.ships), fleet.origin, fleet.arrival},
                             fleet.defending ? kSlotGreen : kSlotRed,
                             shading_});
        }
        AddLabel(kDashes);
        AddLabel(CoreTexts().Format("moves.sums",
                                    {{"attacking", IntText(attacking)}, {"defending", IntText(defending)}}));
        AddLabel(kDashes);
        shading_ = shading_ == kNoSlot ? kSlotLightGrey : kNoSlot;
    }

    std::vector<MoveRow> TakeRows() { return std::move(rows_); }

private:
    void AddLabel(std::string_view text) {
        rows_.push_back({{std::string(text), {}, {}}, kNoSlot, shading_});
    }

    std::vector<MoveRow> rows_;
    int shading_ = kNoSlot;
};

} // namespace

FleetMoves GroupFleetMoves(std::string_view text) {
    FleetMoves moves;
    // Targets in the order they first come, each with its fleets.
    std::vector<std::pair<std::string, std::vector<FleetLine>>> groups;
    std::unordered_map<std::string, std::size_t> groupOf;
    ForEachPastedLine(text, [&](std::string_view line) {
        std::optional<FleetLine> fleet = ReadFleetLine(line);
        if (!fleet) {
            moves.refused.emplace_back(Trim(line));
            return;
        }
        const auto [group, isNew] = groupOf.emplace(fleet->target, groups.size());
        if (isNew)
            groups.emplace_back(fleet->target, std::vector<FleetLine>());
        groups[group->second].second.push_back(std::move(*fleet));
    });
    Grouping grouping;
    for (const auto& [target, fleets] : groups)
        grouping.AddGroup(target, fleets);
    moves.rows = grouping.TakeRows();
    return moves;
}

std::string RefusedMovesMessage(std::span<const std::string> refused) {
    const std::string_view forms[] = {kMovementExample, kOutgoingExample};
    return RefusedLinesMessage(refused, forms);
}

} // namespace skarnwald
