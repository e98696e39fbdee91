#include "planning/FleetMoves.h"

#include "planning/PastedLines.h"
#include "text/TextRules.h"

#include <cstdint>

namespace skarnwald {

namespace {

constexpr std::string_view kDashes = "------------------------------------------";

// Position of `word` when it stands after the line's first byte, else -1.
Pos KeywordAt(std::string_view line, std::string_view word) {
    const Pos at = Find(line, word);
    return at > 0 ? at : -1;
}

// The target follows the keyword and its blank and runs to the first blank
// after its second dot.
std::string TargetAfter(std::string_view line, Pos keyword) {
    const Pos dot1 = Find(line, ".", keyword + 1);
    const Pos dot2 = Find(line, ".", dot1 + 1);
    const Pos end = Find(line, " ", dot2 + 2);
    return RemoveBlanks(Take(line, keyword + 10, end - keyword - 10));
}

std::string_view EtaCell(std::string_view line) {
    if (const Pos eta = KeywordAt(line, "ETA"); eta > 0)
        return TakeFrom(line, eta);
    if (const Pos bracket = KeywordAt(line, "["); bracket > 0)
        return TakeFrom(line, bracket);
    return {};
}

class Grouping {
public:
    void AddLine(std::string_view line) {
        const Pos defending = KeywordAt(line, "defending");
        const Pos attacking = KeywordAt(line, "attacking");
        const Pos keyword = defending > 0 ? defending : attacking;
        const std::string target = keyword > 0 ? TargetAfter(line, keyword) : previousTarget_;
        if (target != previousTarget_) {
            if (!previousTarget_.empty())
                CloseGroup();
            AddLabel(target);
            AddLabel(kDashes);
        }

        const std::string_view count = Take(line, 0, Find(line, "Ships") - 1);
        std::string_view from;
        int slot = kNoSlot;
        if (keyword > 0) {
            (defending > 0 ? defendingSum_ : attackingSum_) += Atoi(count);
            const Pos fromAt = Find(line, "from");
            from = Take(line, fromAt + 5, keyword - fromAt - 6);
            slot = defending > 0 ? kSlotGreen : kSlotRed;
        }
        rows_.push_back(
            {{std::string(count), std::string(from), std::string(EtaCell(line))}, slot, shading_});
        previousTarget_ = target;
    }

    void CloseGroup() {
        AddLabel(kDashes);
        AddLabel("Atter " + IntText(attackingSum_) + " - " + IntText(defendingSum_) + " Deffer");
        AddLabel(kDashes);
        attackingSum_ = defendingSum_ = 0;
        shading_ = shading_ == kNoSlot ? kSlotLightGrey : kNoSlot;
    }

    std::vector<MoveRow> TakeRows() { return std::move(rows_); }

private:
    void AddLabel(std::string_view text) {
        rows_.push_back({{std::string(text), {}, {}}, kNoSlot, shading_});
    }

    std::vector<MoveRow> rows_;
    std::string previousTarget_;
    std::int64_t attackingSum_ = 0;
    std::int64_t defendingSum_ = 0;
    int shading_ = kNoSlot;
};

} // namespace

std::vector<MoveRow> GroupFleetMoves(std::string_view text) {
    Grouping grouping;
    ForEachPastedLine(text, [&](std::string_view line) { grouping.AddLine(Trim(line)); });
    grouping.CloseGroup();
    return grouping.TakeRows();
}

} // namespace skarnwald
