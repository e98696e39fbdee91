// The pre-passes against their literal definition, on random lines: after
// every pass the side table must be exactly what walking the rest of the lines
// gives. The passes switch between following single coordinates, walking all
// lines and settling along chains of hits by how much work they have done;
// each tuning below forces other switches, down to settling at once.

#include "reading/PrescanPasses.h"

#include "LiteralPrescan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace skarnwald::test {
namespace {

using CoordId = SideList::CoordId;

class RandomLines {
public:
    explicit RandomLines(std::uint32_t seed) : random_(seed) {}

    int Pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

    // Battles over `coords` coordinates; some hits come before any fleet line
    // of their battle, and some lines stand before the first header.
    std::vector<PrescanOp> Report(int coords, int battles) {
        std::vector<PrescanOp> ops;
        const auto add = [&](PrescanOp::Kind kind) { ops.push_back({kind, Pick(coords), ops.size()}); };
        for (int i = Pick(3); i > 0; --i)
            add(Pick(2) ? PrescanOp::Kind::Fleet : PrescanOp::Kind::Hit);
        for (int battle = 0; battle < battles; ++battle) {
            add(PrescanOp::Kind::Header);
            if (Pick(5) == 0)
                add(PrescanOp::Kind::Hit);
            for (int i = Pick(10); i > 0; --i)
                add(Pick(3) ? PrescanOp::Kind::Hit : PrescanOp::Kind::Fleet);
        }
        return ops;
    }

private:
    std::mt19937 random_;
};

void LiteralPass(const std::vector<PrescanOp>& ops, std::size_t from, CoordId shooter, SideList& sides) {
    for (std::size_t i = from; i < ops.size(); ++i) {
        if (ops[i].kind == PrescanOp::Kind::Header)
            sides.AddSide(ops[i].coords, kDefendingSide);
        else if (ops[i].kind == PrescanOp::Kind::Fleet)
            shooter = ops[i].coords;
        else
            sides.GiveOppositeSides(shooter, ops[i].coords);
    }
}

// Runs every pass of one random report both ways; `coords` of the report's own
// plus a few that only ever come in as seeds.
void ExpectLiteralSides(RandomLines& random, PrescanTuning tuning, int coords, int battles) {
    const std::vector<PrescanOp> ops = random.Report(coords, battles);
    SideList fast, slow;
    for (int id = 0; id < coords + 3; ++id) {
        fast.Intern("c" + std::to_string(id));
        slow.Intern("c" + std::to_string(id));
    }
    for (int i = random.Pick(3); i > 0; --i) {
        const CoordId id = random.Pick(coords + 3);
        const int side = random.Pick(2);
        fast.AddSide(id, side);
        slow.AddSide(id, side);
    }
    PrescanPasses passes(tuning);
    passes.Reset(&ops);
    CoordId lastFleet = 0;
    std::size_t battle = 0;
    for (std::size_t i = 0; i < ops.size(); ++i) {
        if (ops[i].kind == PrescanOp::Kind::Fleet)
            lastFleet = ops[i].coords;
        if (ops[i].kind != PrescanOp::Kind::Header)
            continue;
        bool seedsAdded = false;
        if (random.Pick(10) == 0) {
            const CoordId seed = random.Pick(coords + 3);
            seedsAdded = !fast.FindSide(seed);
            fast.AddSide(seed, kAttackingSide);
            slow.AddSide(seed, kAttackingSide);
        }
        // The walk's fleet, or another one as after lines the pre-pass skips.
        const CoordId shooter = random.Pick(4) ? lastFleet : random.Pick(coords);
        passes.Run(battle, shooter, seedsAdded, fast);
        LiteralPass(ops, i, shooter, slow);
        ASSERT_EQ(SideTableText(fast), SideTableText(slow)) << "battle " << battle;
        // The walk then converts the header line itself.
        fast.AddSide(ops[i].coords, kDefendingSide);
        slow.AddSide(ops[i].coords, kDefendingSide);
        ++battle;
    }
}

TEST(PrescanPasses, EveryWayOfCarryingTheDifferenceGivesTheLiteralSides) {
    const PrescanTuning tunings[] = {
        {},                        // as the converter runs
        {0, 1, 0, 0},              // settle along the chains at once
        {2, 1, 1, 3},              // switch often between all three
        {1000, 4, 1000, 1u << 30}, // follow single coordinates only
        {0, 1, 1000, 1u << 30},    // walk all lines only
    };
    for (std::size_t t = 0; t < std::size(tunings); ++t) {
        RandomLines random(20261208 + static_cast<std::uint32_t>(t));
        for (int round = 0; round < 300; ++round) {
            SCOPED_TRACE("tuning " + std::to_string(t) + ", round " + std::to_string(round));
            ExpectLiteralSides(random, tunings[t], 2 + random.Pick(10), 1 + random.Pick(40));
            if (HasFatalFailure())
                return;
        }
        // Long reports make long chains for the jump pointers.
        for (int round = 0; round < 10; ++round) {
            SCOPED_TRACE("tuning " + std::to_string(t) + ", long round " + std::to_string(round));
            ExpectLiteralSides(random, tunings[t], 4 + random.Pick(40), 300);
            if (HasFatalFailure())
                return;
        }
    }
}

} // namespace
} // namespace skarnwald::test
