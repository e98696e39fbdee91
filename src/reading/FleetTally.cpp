#include "reading/FleetTally.h"

#include "text/TextRules.h"

namespace skarnwald {

namespace {
std::int32_t SlotSum(const std::array<FleetTally::Counts, kStackSlots>& slots, int k) {
    std::int32_t sum = 0;
    for (const auto& slot : slots)
        sum = WrapAdd(sum, slot[k]);
    return sum;
}
} // namespace

std::int32_t FleetTally::Ships(int k) const {
    return SlotSum(totalShips, k);
}
std::int32_t FleetTally::Losses(int k) const {
    return SlotSum(totalDestroyed, k);
}
std::int32_t FleetTally::BattleShips(int k) const {
    return SlotSum(battleStart, k);
}
std::int32_t FleetTally::BattleLosses(int k) const {
    return SlotSum(battleDestroyed, k);
}

void FleetTally::Apply(int k, std::int32_t n, std::int32_t x, TallyEvent event) {
    // A stack is recognised by its size before the hit: start count minus the
    // ships of it already destroyed in this battle.
    const auto remaining = [&](int s) { return WrapSub(battleStart[s][k], battleDestroyed[s][k]); };
    const auto hitSlot = [&](int s, std::array<Counts, kStackSlots>& counter) {
        if (battleStart[s][k] == 0)
            battleStart[s][k] = x;
        counter[s][k] = WrapAdd(counter[s][k], n);
    };
    switch (event) {
    case TallyEvent::FleetLine:
        for (int s = 0; s < kStackSlots; ++s) {
            if (battleStart[s][k] == 0 || battleStart[s][k] == x) {
                battleStart[s][k] = x;
                return;
            }
        }
        return;
    case TallyEvent::EnemyDestroyed:
        destroyedByFleet[k] = WrapAdd(destroyedByFleet[k], n);
        return;
    case TallyEvent::EnemyLamed:
        lamedByFleet[k] = WrapAdd(lamedByFleet[k], n);
        return;
    case TallyEvent::ShipsDestroyed: {
        int s = 2;
        if (battleStart[0][k] == 0 || remaining(0) == x)
            s = 0;
        else if (battleStart[1][k] == 0 || remaining(1) == x)
            s = 1;
        hitSlot(s, battleDestroyed);
        return;
    }
    case TallyEvent::ShipsLamed: {
        // Slots count as free when they have no lamed ships yet, so the first
        // lamed event of a class in a battle always lands in slot 0.
        int s = 1;
        if (battleLamed[0][k] == 0 || remaining(0) == x)
            s = 0;
        else if (battleLamed[1][k] != 0 && remaining(1) != x)
            s = 2;
        hitSlot(s, battleLamed);
        return;
    }
    }
}

void FleetTally::FoldBattle() {
    for (int k = 0; k < kShipClassCount; ++k) {
        for (int s = 0; s < kStackSlots; ++s) {
            // A stack whose start equals what remains of a counted stack is the
            // same ships continuing from an earlier battle.
            const std::int32_t start = battleStart[s][k];
            bool continuing = false;
            for (int t = 0; t < kStackSlots; ++t)
                continuing = continuing || start == WrapSub(totalShips[t][k], totalDestroyed[t][k]);
            if (!continuing)
                totalShips[s][k] = WrapAdd(totalShips[s][k], start);
            totalDestroyed[s][k] = WrapAdd(totalDestroyed[s][k], battleDestroyed[s][k]);
        }
    }
    battleStart = {};
    battleDestroyed = {};
    battleLamed = {};
}

int FleetTallyTree::findOrCreate(std::string_view name, std::string_view coords) {
    auto next = index_.lower_bound(name);
    if (next != index_.end() && next->first == name)
        return next->second;

    const int id = static_cast<int>(records_.size());
    Node node;
    node.tally.name = std::string(name);
    node.tally.coords = std::string(coords);
    records_.push_back(std::move(node));

    // In a tree built by insertion the new name hangs below whichever of its
    // in-order neighbours was inserted later: as the predecessor's right child
    // or as the successor's left child.
    const int successor = next != index_.end() ? next->second : -1;
    const int predecessor = next != index_.begin() ? std::prev(next)->second : -1;
    if (root_ < 0)
        root_ = id;
    else if (predecessor > successor)
        records_[predecessor].right = id;
    else
        records_[successor].left = id;
    index_.emplace_hint(next, std::string(name), id);
    return id;
}

void FleetTallyTree::update(std::string_view name, std::string_view coords, std::int32_t count,
                            std::int32_t stackSize, std::string_view shipClass, TallyEvent event) {
    const int id = findOrCreate(name, coords);
    Node& node = records_[id];
    if (const auto k = MatchTallyWord(shipClass)) {
        node.tally.Apply(*k, count, stackSize, event);
        if (!node.inBattle) {
            node.inBattle = true;
            inBattle_.push_back(id);
        }
    }
}

void FleetTallyTree::foldBattle() {
    for (const int id : inBattle_) {
        records_[id].tally.FoldBattle();
        records_[id].inBattle = false;
    }
    inBattle_.clear();
}

void FleetTallyTree::clear() {
    records_.clear();
    index_.clear();
    root_ = -1;
    inBattle_.clear();
}

void FleetTallyTree::visitInOrder(const std::function<void(const FleetTally&)>& visit) const {
    for (const auto& [name, id] : index_)
        visit(records_[id].tally);
}

void FleetTallyTree::visitPreOrder(const std::function<bool(const FleetTally&)>& visitUntilTrue) const {
    std::vector<int> pending;
    if (root_ >= 0)
        pending.push_back(root_);
    while (!pending.empty()) {
        const Node& node = records_[pending.back()];
        pending.pop_back();
        if (visitUntilTrue(node.tally))
            return;
        if (node.right >= 0)
            pending.push_back(node.right);
        if (node.left >= 0)
            pending.push_back(node.left);
    }
}

const FleetTally* FleetTallyTree::find(std::string_view name) const {
    const auto it = index_.find(name);
    return it == index_.end() ? nullptr : &records_[it->second].tally;
}

} // namespace skarnwald
