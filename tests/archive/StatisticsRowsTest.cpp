// The statistics rows stored per fleet and battle, and finding the own fleet
// for the personal record.

#include "archive/StatisticsRows.h"
#include "archive/PersonalStats.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace skarnwald {
namespace {

constexpr int kFrigate = static_cast<int>(ShipClass::Frigate);
constexpr int kDoomstar = static_cast<int>(ShipClass::Doomstar);

ClassCounts Counts(int k, std::int32_t value) {
    ClassCounts counts{};
    counts[k] = value;
    return counts;
}

TEST(StatisticsRows, BattleFiguresAndReportTotalsInStorageOrder) {
    FleetTallyTree tree;
    tree.update("Bo", "2.2.2", 0, 50, "Frigate", TallyEvent::FleetLine);
    tree.update("Bo", "2.2.2", 0, 8, "Frigate", TallyEvent::FleetLine);
    tree.update("Bo", "2.2.2", 10, 50, "Frigate", TallyEvent::ShipsDestroyed);
    tree.update("Bo", "2.2.2", 3, 0, "Doomstar", TallyEvent::EnemyDestroyed);
    tree.foldBattle();
    tree.update("Bo", "2.2.2", 0, 40, "Frigate", TallyEvent::FleetLine);
    tree.update("Bo", "2.2.2", 5, 40, "Frigate", TallyEvent::ShipsDestroyed);
    tree.update("Bo", "2.2.2", 2, 0, "Doomstar", TallyEvent::EnemyLamed);
    tree.update("Bo", "2.2.2", 1, 0, "Doomstar", TallyEvent::EnemyDestroyed);
    const auto rows = StatisticsRowsOf(*tree.find("Bo"));
    std::vector<std::pair<std::string, int>> kinds;
    for (const StatisticsRow& row : rows)
        kinds.emplace_back(row.typ, row.sortId);
    EXPECT_EQ(kinds, (std::vector<std::pair<std::string, int>>{
                         {"Verlust", 4}, {"Gesamt", 1}, {"Rest", 5}, {"Lamed", 2}, {"Destroyed", 3}}));
    // This battle only, for the stacks; the whole report so far, for kills.
    EXPECT_EQ(rows[0].values, Counts(kFrigate, 5));
    EXPECT_EQ(rows[1].values, Counts(kFrigate, 40));
    EXPECT_EQ(rows[2].values, Counts(kFrigate, 35));
    EXPECT_EQ(rows[3].values, Counts(kDoomstar, 2));
    EXPECT_EQ(rows[4].values, Counts(kDoomstar, 4));

    tree.foldBattle(); // a fleet that sits out a battle still has its five rows
    const auto idle = StatisticsRowsOf(*tree.find("Bo"));
    EXPECT_EQ(idle[0].values, ClassCounts{});
    EXPECT_EQ(idle[1].values, ClassCounts{});
    EXPECT_EQ(idle[2].values, ClassCounts{});
    EXPECT_EQ(idle[4].values, Counts(kDoomstar, 4));
}

class RecordingPersonalStore : public IConversionStore {
public:
    std::vector<std::array<ClassCounts, 3>> added;
    void StoreBattle(const BattleToStore&) override {}
    void StoreFleetLine(const FleetLineToStore&) override {}
    void StoreCombatLine(const CombatLineToStore&) override {}
    std::int32_t GetCurrentBattleId() const override { return 0; }
    void StoreStatisticsRow(std::int32_t, const StatisticsRowToStore&) override {}
    void AddAsteroids(std::int32_t, std::int32_t) override {}
    void AddPersonalFleet(const ClassCounts& losses, const ClassCounts& destroyed,
                          const ClassCounts& lamed) override {
        added.push_back({losses, destroyed, lamed});
    }
};

TEST(PersonalStats, OwnFleetIsTheFirstInPreOrderNotInNameOrder) {
    FleetTallyTree tree;
    tree.update("Mara", "8.8.1", 0, 20, "Frigate", TallyEvent::FleetLine); // the root
    tree.update("Mara", "8.8.1", 6, 20, "Frigate", TallyEvent::ShipsDestroyed);
    tree.update("Mara", "8.8.1", 4, 0, "Doomstar", TallyEvent::EnemyLamed);
    tree.update("Arno", "8.8.1", 9, 0, "Doomstar", TallyEvent::EnemyDestroyed); // left of the root
    tree.update("Kai", "8.8.10", 1, 0, "Doomstar", TallyEvent::EnemyDestroyed);
    tree.foldBattle();
    EXPECT_EQ(FindOwnFleet(tree, "8.8.1")->name, "Mara");
    EXPECT_EQ(FindOwnFleet(tree, "8.8.10")->name, "Kai");
    EXPECT_EQ(FindOwnFleet(tree, "8.8"), nullptr);

    RecordingPersonalStore store;
    AddOwnFleetToPersonalRecord(tree, "8.8.1", store);
    AddOwnFleetToPersonalRecord(tree, "1.2.3", store); // not in the report: nothing
    ASSERT_EQ(store.added.size(), 1u);
    EXPECT_EQ(store.added[0][0], Counts(kFrigate, 6));
    EXPECT_EQ(store.added[0][1], ClassCounts{});
    EXPECT_EQ(store.added[0][2], Counts(kDoomstar, 4));
}

} // namespace
} // namespace skarnwald
