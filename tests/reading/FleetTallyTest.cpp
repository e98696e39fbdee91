// The per-fleet tallies: stack slots, the fold between battles, the tree's key
// order and shape.

#include "reading/FleetTally.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace skarnwald {
namespace {

constexpr int kFighter = static_cast<int>(ShipClass::Fighter);
constexpr int kCorvette = static_cast<int>(ShipClass::Corvette);

class TallyTest : public testing::Test {
protected:
    void Update(std::int32_t count, std::int32_t stackSize, TallyEvent event,
                std::string_view word = "Fighter") {
        tree.update("Halvard", "3.3.3", count, stackSize, word, event);
    }
    const FleetTally& Record() const { return *tree.find("Halvard"); }
    std::array<std::int32_t, 3> Slots(const std::array<FleetTally::Counts, kStackSlots>& counts,
                                      int k = kFighter) const {
        return {counts[0][k], counts[1][k], counts[2][k]};
    }
    using Slots3 = std::array<std::int32_t, 3>;

    FleetTallyTree tree;
};

TEST_F(TallyTest, FleetLinesFillOneSlotPerDistinctStackSize) {
    Update(0, 40, TallyEvent::FleetLine);
    Update(0, 40, TallyEvent::FleetLine); // the same stack again
    Update(0, 25, TallyEvent::FleetLine);
    Update(0, 10, TallyEvent::FleetLine);
    Update(0, 7, TallyEvent::FleetLine); // a fourth size has no slot left
    EXPECT_EQ(Slots(Record().battleStart), (Slots3{40, 25, 10}));
}

TEST_F(TallyTest, UnknownClassWordCreatesTheRecordButCountsNothing) {
    for (const char* word : {"Fregatte", "StarCruiser", "Fighter ", "fighter", ""})
        tree.update("Brisa", "7.2.5", 5, 50, word, TallyEvent::FleetLine);
    tree.update("Brisa", "9.9.9", 5, 50, "Corvette", TallyEvent::FleetLine);
    const FleetTally* brisa = tree.find("Brisa");
    ASSERT_NE(brisa, nullptr);
    EXPECT_EQ(brisa->coords, "7.2.5"); // the first update's coordinates stay
    EXPECT_EQ(brisa->battleStart[0][kCorvette], 50);
    for (int k = 0; k < kShipClassCount; ++k) {
        if (k != kCorvette) {
            EXPECT_EQ(brisa->battleStart[0][k], 0) << k;
        }
    }
}

TEST_F(TallyTest, DestroyedShipsFindTheirStackBySizeBeforeTheHit) {
    Update(0, 100, TallyEvent::FleetLine);
    Update(0, 60, TallyEvent::FleetLine);
    Update(30, 100, TallyEvent::ShipsDestroyed); // stack of 100
    Update(5, 60, TallyEvent::ShipsDestroyed);   // stack of 60
    Update(10, 70, TallyEvent::ShipsDestroyed);  // what is left of the 100
    Update(4, 9, TallyEvent::ShipsDestroyed);    // matches nothing: slot 2 takes its size
    Update(1, 3, TallyEvent::ShipsDestroyed);    // a fourth stack lands in slot 2 as well
    EXPECT_EQ(Slots(Record().battleStart), (Slots3{100, 60, 9}));
    EXPECT_EQ(Slots(Record().battleDestroyed), (Slots3{40, 5, 5}));
}

TEST_F(TallyTest, HitWithoutFleetLineTakesTheStackSizeAsStart) {
    tree.update("Ulla", "6.6.6", 3, 12, "Corvette", TallyEvent::ShipsDestroyed);
    EXPECT_EQ(tree.find("Ulla")->battleStart[0][kCorvette], 12);
    EXPECT_EQ(tree.find("Ulla")->battleDestroyed[0][kCorvette], 3);
}

TEST_F(TallyTest, LamedShipsPickSlotsByLamedCountsAndDoNotShrinkTheStack) {
    Update(0, 100, TallyEvent::FleetLine);
    Update(0, 50, TallyEvent::FleetLine);
    Update(2, 50, TallyEvent::ShipsLamed);  // first lamed event: slot 0 whatever the size
    Update(3, 100, TallyEvent::ShipsLamed); // slot 0 holds 100 ships: still slot 0
    Update(4, 50, TallyEvent::ShipsLamed);  // slot 1 has no lamed ships yet
    Update(5, 7, TallyEvent::ShipsLamed);   // slot 1 taken by another size: slot 2
    Update(6, 50, TallyEvent::ShipsLamed);  // slot 1 matches again
    EXPECT_EQ(Slots(Record().battleLamed), (Slots3{5, 10, 5}));
    EXPECT_EQ(Slots(Record().battleStart), (Slots3{100, 50, 7}));
    EXPECT_EQ(Slots(Record().battleDestroyed), (Slots3{0, 0, 0}));
}

TEST_F(TallyTest, KillsAreCreditedPerClassOverTheWholeReport) {
    Update(12, 999, TallyEvent::EnemyDestroyed, "Corvette");
    Update(5, 999, TallyEvent::EnemyLamed, "Corvette");
    tree.foldBattle();
    Update(3, 1, TallyEvent::EnemyDestroyed, "Corvette");
    EXPECT_EQ(Record().destroyedByFleet[kCorvette], 15);
    EXPECT_EQ(Record().lamedByFleet[kCorvette], 5);
    EXPECT_EQ(Record().battleStart[0][kCorvette], 0); // stack sizes play no part in kills
}

TEST_F(TallyTest, FoldCountsAReturningStackOnceAndAddsItsNewLosses) {
    Update(0, 100, TallyEvent::FleetLine);
    Update(30, 100, TallyEvent::ShipsDestroyed);
    tree.foldBattle();
    Update(0, 70, TallyEvent::FleetLine); // the same ships, 70 left
    Update(20, 70, TallyEvent::ShipsDestroyed);
    tree.foldBattle();
    EXPECT_EQ(Record().Ships(kFighter), 100);
    EXPECT_EQ(Record().Losses(kFighter), 50);
    EXPECT_EQ(Slots(Record().battleStart), (Slots3{0, 0, 0}));
    EXPECT_EQ(Slots(Record().battleLamed), (Slots3{0, 0, 0}));

    tree.foldBattle(); // nothing in between: nothing changes
    EXPECT_EQ(Record().Ships(kFighter), 100);
    EXPECT_EQ(Record().Losses(kFighter), 50);
}

TEST_F(TallyTest, FoldComparesWithWhatThisFoldAlreadyAdded) {
    // Slot 0 (80 ships, 30 lost) is counted first; slot 1's 50 then equal its
    // remainder and look like the same ships continuing.
    Update(0, 80, TallyEvent::FleetLine);
    Update(0, 50, TallyEvent::FleetLine);
    Update(30, 80, TallyEvent::ShipsDestroyed);
    tree.update("Brisa", "7.2.5", 0, 50, "Fighter", TallyEvent::FleetLine);
    tree.update("Brisa", "7.2.5", 0, 8, "Fighter", TallyEvent::FleetLine);
    tree.foldBattle();
    EXPECT_EQ(Record().Ships(kFighter), 80);
    EXPECT_EQ(Record().Losses(kFighter), 30);
    EXPECT_EQ(tree.find("Brisa")->Ships(kFighter), 58);
}

TEST_F(TallyTest, CountersWrapAroundInsteadOfOverflowing) {
    Update(INT32_MAX, 1, TallyEvent::EnemyDestroyed);
    Update(1, 1, TallyEvent::EnemyDestroyed);
    EXPECT_EQ(Record().destroyedByFleet[kFighter], INT32_MIN);

    Update(0, INT32_MIN, TallyEvent::FleetLine);
    Update(1, INT32_MIN, TallyEvent::ShipsDestroyed); // remaining size wraps too
    Update(1, INT32_MAX, TallyEvent::ShipsDestroyed);
    EXPECT_EQ(Record().battleDestroyed[0][kFighter], 2);
    tree.foldBattle();
    EXPECT_EQ(Record().Ships(kFighter), INT32_MIN);
    EXPECT_EQ(Record().Losses(kFighter), 2);
}

std::vector<std::string> InOrderNames(const FleetTallyTree& tree) {
    std::vector<std::string> names;
    tree.visitInOrder([&](const FleetTally& tally) { names.push_back(tally.name); });
    return names;
}

std::vector<std::string> PreOrderNames(const FleetTallyTree& tree) {
    std::vector<std::string> names;
    tree.visitPreOrder([&](const FleetTally& tally) {
        names.push_back(tally.name);
        return false;
    });
    return names;
}

TEST(FleetTallyTree, VisitsNamesInUnsignedByteOrder) {
    FleetTallyTree tree;
    for (const char* name : {"alpha", "Zoe", "\xC4rvid", "Alpha", "Alpha ", "Alph", "beta",
                             "\xD6"
                             "d\xF6n",
                             "42"})
        tree.update(name, "1.1.1", 1, 1, "Fighter", TallyEvent::FleetLine);
    EXPECT_EQ(InOrderNames(tree),
              (std::vector<std::string>{"42", "Alph", "Alpha", "Alpha ", "Zoe", "alpha", "beta", "\xC4rvid",
                                        "\xD6"
                                        "d\xF6n"}));
}

// A plain search tree built by insertion, as a reference for the shape.
struct ModelNode {
    std::string name;
    std::unique_ptr<ModelNode> left, right;
};

bool UnsignedLess(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

void ModelInsert(std::unique_ptr<ModelNode>& slot, const std::string& name) {
    std::unique_ptr<ModelNode>* at = &slot;
    while (*at && (*at)->name != name)
        at = UnsignedLess(name, (*at)->name) ? &(*at)->left : &(*at)->right;
    if (!*at)
        *at = std::make_unique<ModelNode>(ModelNode{name, nullptr, nullptr});
}

void ModelPreOrder(const ModelNode* node, std::vector<std::string>& out) {
    if (!node)
        return;
    out.push_back(node->name);
    ModelPreOrder(node->left.get(), out);
    ModelPreOrder(node->right.get(), out);
}

TEST(FleetTallyTree, PreOrderFollowsTheOrderNamesFirstAppeared) {
    std::mt19937 random(7);
    for (int round = 0; round < 50; ++round) {
        FleetTallyTree tree;
        std::unique_ptr<ModelNode> model;
        for (int i = 0; i < 60; ++i) {
            const int byte = random() % 4 ? 'A' + random() % 40 : 0xC0 + random() % 8;
            const std::string name(1 + random() % 3, static_cast<char>(byte));
            tree.update(name, "1.1.1", 0, 0, "none", TallyEvent::FleetLine);
            ModelInsert(model, name);
        }
        std::vector<std::string> expected;
        ModelPreOrder(model.get(), expected);
        ASSERT_EQ(PreOrderNames(tree), expected) << "round " << round;
    }
}

TEST(FleetTallyTree, PreOrderVisitStopsAtTheFirstMatch) {
    FleetTallyTree tree;
    for (const char* name : {"M", "C", "T", "A", "E"})
        tree.update(name, "1.1.1", 0, 0, "none", TallyEvent::FleetLine);
    std::vector<std::string> seen;
    tree.visitPreOrder([&](const FleetTally& tally) {
        seen.push_back(tally.name);
        return tally.name == "A";
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"M", "C", "A"}));
}

TEST(FleetTallyTree, DegenerateInsertionOrderNeitherRecursesNorSlowsDown) {
    FleetTallyTree tree;
    constexpr int kNames = 200000;
    for (int i = 0; i < kNames; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "%08d", i);
        tree.update(name, "1.1.1", 1, 1, "Fighter", TallyEvent::FleetLine);
    }
    std::size_t visited = 0;
    tree.visitPreOrder([&](const FleetTally&) { return ++visited, false; });
    EXPECT_EQ(visited, kNames);
    tree.clear();
    EXPECT_TRUE(tree.empty());
}

} // namespace
} // namespace skarnwald
