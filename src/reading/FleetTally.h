#pragma once
// Per-fleet counts of one conversion, kept in a search tree keyed by fleet name.

#include "text/ShipClass.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace skarnwald {

enum class TallyEvent { FleetLine, EnemyDestroyed, EnemyLamed, ShipsDestroyed, ShipsLamed };

inline constexpr int kStackSlots = 3;

struct FleetTally {
    using Counts = PerClass<std::int32_t>;

    std::string name;
    std::string coords;
    std::array<Counts, kStackSlots> battleStart{};
    std::array<Counts, kStackSlots> battleDestroyed{};
    std::array<Counts, kStackSlots> battleLamed{};
    std::array<Counts, kStackSlots> totalShips{};
    std::array<Counts, kStackSlots> totalDestroyed{};
    Counts destroyedByFleet{};
    Counts lamedByFleet{};

    // Sums over the three stack slots.
    std::int32_t Ships(int k) const;
    std::int32_t Losses(int k) const;
    std::int32_t BattleShips(int k) const;
    std::int32_t BattleLosses(int k) const;

    void Apply(int k, std::int32_t count, std::int32_t stackSize, TallyEvent event);
    void FoldBattle();
};

// An unbalanced binary search tree whose shape follows the order in which names
// first appear. Nodes live in one vector and link by index, so neither a deep
// tree nor its destruction recurses; a balanced index finds a name and the
// parent of a new one in logarithmic time, which keeps adversarial name orders
// from turning every update into a walk down a degenerate tree.
class FleetTallyTree {
public:
    void update(std::string_view name, std::string_view coords, std::int32_t count, std::int32_t stackSize,
                std::string_view shipClass, TallyEvent event);
    void foldBattle();
    void clear();
    bool empty() const { return records_.empty(); }
    std::size_t size() const { return records_.size(); }

    // Ascending byte order of the names (the tree's in-order walk).
    void visitInOrder(const std::function<void(const FleetTally&)>& visit) const;
    // A record, then its left subtree, then its right subtree.
    void visitPreOrder(const std::function<bool(const FleetTally&)>& visitUntilTrue) const;

    const FleetTally* find(std::string_view name) const;

private:
    struct Node {
        FleetTally tally;
        int left = -1;
        int right = -1;
        bool inBattle = false; // updated since the last fold
    };
    int findOrCreate(std::string_view name, std::string_view coords);

    std::vector<Node> records_;
    std::map<std::string, int, std::less<>> index_; // name -> node; std::string compares bytes unsigned
    int root_ = -1;
    // Folding a record the battle left alone changes nothing, so only these are folded.
    std::vector<int> inBattle_;
};

} // namespace skarnwald
