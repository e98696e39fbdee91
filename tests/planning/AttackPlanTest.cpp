#include "planning/AttackPlan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace skarnwald;

std::vector<std::string> Names(const std::vector<PlanRow>& rows) {
    std::vector<std::string> names;
    for (const PlanRow& row : rows)
        names.push_back(row.cells[kColName]);
    return names;
}

std::vector<std::string> Classes(const PlanRow& row) {
    return {row.cells.begin() + kColFirstClass, row.cells.begin() + kColLastClass + 1};
}

void SetClasses(PlanRow& row, const std::vector<std::string>& classes) {
    std::copy(classes.begin(), classes.end(), row.cells.begin() + kColFirstClass);
}

const std::vector<std::string> kZeros(kClassColumnCount, "0");

TEST(Outgoings, BlankLinesAreNeitherReadNorRefused) {
    const PastedOutgoings pasted = ParseOutgoings("\r\n  \n1 Ships attacking 1.1.1 ETA 2h from 3.3.3\r\n"
                                                  "\t\nnote\n2 Ships attacking 4.4.4 ETA 1h from 5.5.5");
    ASSERT_EQ(pasted.fleets.size(), 2u);
    EXPECT_EQ(pasted.fleets[1].target, "4.4.4");
    EXPECT_EQ(pasted.refused, std::vector<std::string>{"note"});
    EXPECT_TRUE(ParseOutgoings(" \n \r\n\t").refused.empty());
}

TEST(ImportOutgoings, AttachesFleetsByEtaThenInputOrder) {
    AttackPlan plan;
    plan.importOutgoings("1 Ships attacking 1.2.3 ETA 7h from 1.1.1\n"
                         "2 Ships attacking 4.5.6 ETA 2h from 2.2.2\n"
                         "3 Ships attacking 1.2.3 ETA 3h from 3.3.3\n"
                         "4 Ships attacking 1.2.3 ETA 7h from 4.4.4\n");
    ASSERT_EQ(Names(plan.planTable), (std::vector<std::string>{"1.2.3", "4.5.6"}));
    const PlanRow& target = plan.planTable[0];
    EXPECT_EQ(target.cells[kColSide], "DEFF");
    EXPECT_TRUE(target.expanded);
    EXPECT_EQ(Names(target.children), (std::vector<std::string>{"3.3.3", "1.1.1", "4.4.4"}));
    const PlanRow& fleet = target.children[0];
    EXPECT_EQ(fleet.cells[kColEta], "3");
    EXPECT_EQ(fleet.cells[kColTotal], "3");
    EXPECT_EQ(fleet.cells[kColSide], "ATT");
    EXPECT_EQ(fleet.textSlot, kSlotRed);
}

TEST(ImportOutgoings, EtaOutsideOneToTwentyNineGivesOnlyTheTarget) {
    for (const char* eta : {"30", "0"}) {
        AttackPlan plan;
        plan.importOutgoings(std::string("5 Ships attacking 1.2.3 ETA ") + eta + "h from 1.1.1");
        ASSERT_EQ(plan.planTable.size(), 1u) << eta;
        EXPECT_TRUE(plan.planTable[0].children.empty()) << eta;
        EXPECT_EQ(plan.outgoingFleets.size(), 1u) << eta;
    }
}

TEST(ImportOutgoings, RepeatedImportsAttachEachFleetOnce) {
    AttackPlan plan;
    plan.importOutgoings("1 Ships attacking 1.2.3 ETA 4h from 1.1.1");
    plan.importOutgoings(
        "2 Ships attacking 1.2.3 ETA 2h from 2.2.2\n3 Ships attacking 7.7.7 ETA 2h from 3.3.3");
    plan.importOutgoings("");
    EXPECT_EQ(Names(plan.planTable), (std::vector<std::string>{"1.2.3", "7.7.7"}));
    // A later import appends below what is there, sorted only among itself.
    EXPECT_EQ(Names(plan.planTable[0].children), (std::vector<std::string>{"1.1.1", "2.2.2"}));
    EXPECT_EQ(plan.outgoingFleets.size(), 3u);
}

TEST(ImportOutgoings, PastingAgainAddsOnlyTheNewFleetsAndARemovedFleetCanComeBack) {
    const std::string twice = "5 Ships attacking 1.2.3 ETA 4h from 1.1.1\n";
    AttackPlan plan;
    plan.importOutgoings(twice + twice);
    plan.importOutgoings(twice + twice + twice + "6 Ships attacking 1.2.3 ETA 4h from 1.1.1");
    EXPECT_EQ(Names(plan.planTable[0].children),
              (std::vector<std::string>{"1.1.1", "1.1.1", "1.1.1", "1.1.1"}));
    EXPECT_EQ(plan.outgoingFleets.size(), 4u);

    plan.computeSums();
    EXPECT_FALSE(plan.removeFleet(0, 5)) << "a sum row is no fleet";
    EXPECT_FALSE(plan.removeFleet(1, 0));
    ASSERT_TRUE(plan.removeFleet(0, 0));
    EXPECT_EQ(plan.outgoingFleets.size(), 3u);
    plan.importOutgoings(twice + twice + twice);
    EXPECT_EQ(plan.outgoingFleets.size(), 4u);
}

TEST(ImportOutgoings, RefusedLinesAddNothing) {
    AttackPlan plan;
    const std::vector<std::string> refused = plan.importOutgoings(
        "5 Ships attacking 1.2.3 ETA 4h from 1.1.1\n1000+ Ships attacking 7.7.7 ETA 4h from 1.1.1");
    EXPECT_EQ(refused, std::vector<std::string>{"1000+ Ships attacking 7.7.7 ETA 4h from 1.1.1"});
    EXPECT_EQ(Names(plan.planTable), std::vector<std::string>{"1.2.3"});
    EXPECT_EQ(plan.outgoingFleets.size(), 1u);
}

TEST(ImportOutgoings, FleetWhoseOriginIsATargetGetsNoChildren) {
    AttackPlan plan;
    plan.importOutgoings("1 Ships attacking 1.2.3 ETA 4h from 4.5.6");
    plan.importOutgoings("2 Ships attacking 4.5.6 ETA 2h from 7.8.9");
    ASSERT_EQ(Names(plan.planTable), (std::vector<std::string>{"1.2.3", "4.5.6"}));
    EXPECT_TRUE(plan.planTable[0].children[0].children.empty());
    EXPECT_EQ(Names(plan.planTable[1].children), (std::vector<std::string>{"7.8.9"}));
}

class Sums : public ::testing::Test {
protected:
    void SetUp() override {
        plan.importOutgoings(
            "15 Ships attacking 1.2.3 ETA 1h from 1.1.1\n40 Ships attacking 1.2.3 ETA 2h from 2.2.2");
    }
    PlanRow& Target() { return plan.planTable[0]; }
    PlanRow& Child(std::size_t i) { return Target().children.at(i); }
    std::vector<std::string> Row(const std::string& name, std::vector<std::string> classes) {
        classes.insert(classes.begin(), name);
        return classes;
    }
    std::vector<std::string> NameAndClasses(std::size_t i) {
        std::vector<std::string> row = Classes(Child(i));
        row.insert(row.begin(), Child(i).cells[kColName]);
        return row;
    }

    AttackPlan plan;
};

TEST_F(Sums, EmptyPlanStaysEmpty) {
    AttackPlan empty;
    empty.computeSums();
    EXPECT_TRUE(empty.planTable.empty());
}

TEST_F(Sums, AddsSeparatorAttackAndDefenceRows) {
    SetClasses(Child(0), {"10", "5"});
    SetClasses(Child(1), {"20"});
    plan.computeSums();

    ASSERT_EQ(Target().children.size(), 5u);
    EXPECT_EQ(Child(0).cells[kColTotal], "15");
    EXPECT_EQ(Child(1).cells[kColTotal], "20");
    EXPECT_EQ(Classes(Child(2)), std::vector<std::string>(kClassColumnCount, "_____"));
    EXPECT_EQ(Child(2).cells[kColTotal], "_______");
    EXPECT_EQ(NameAndClasses(3), Row("ATT", {"30", "5", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(Child(3).cells[kColTotal], "35");
    EXPECT_EQ(NameAndClasses(4), Row("DEFF", kZeros));
    for (std::size_t i = 2; i < 5; ++i)
        EXPECT_EQ(Child(i).cells[kColIsSum], "SUM");
    EXPECT_EQ(Target().cells[kColTotal], "");
}

TEST_F(Sums, EmptyOrNonNumericCellsCountAsNothing) {
    SetClasses(Child(0), {"", "4", "3", "abc"});
    plan.computeSums();
    EXPECT_EQ(Child(0).cells[kColTotal], "7");
    EXPECT_EQ(Child(1).cells[kColTotal], "40"); // no class cells: keeps its ship count
    EXPECT_EQ(NameAndClasses(3), Row("ATT", {"0", "4", "3", "0", "0", "0", "0"}));
}

TEST_F(Sums, EveryPressRefreshesTheOneSetOfSumRows) {
    SetClasses(Child(0), {"10"});
    plan.computeSums();
    plan.computeSums();
    ASSERT_EQ(Target().children.size(), 5u);
    EXPECT_EQ(Child(2).cells[kColTotal], "_______");

    // An edit and a later import both count at the next press; the sum rows
    // move below the new fleet.
    SetClasses(Child(1), {"1", "1"});
    plan.importOutgoings("9 Ships attacking 1.2.3 ETA 5h from 3.3.3");
    SetClasses(Target().children.back(), {"0", "0", "2"});
    plan.computeSums();
    ASSERT_EQ(Target().children.size(), 6u);
    EXPECT_EQ(Child(2).cells[kColName], "3.3.3");
    EXPECT_EQ(NameAndClasses(4), Row("ATT", {"11", "1", "2", "0", "0", "0", "0"}));
    EXPECT_EQ(Child(4).cells[kColTotal], "14");
}

TEST_F(Sums, AFleetTakesAtMostTheShipsItWasPastedWith) {
    plan.importOutgoings("25 Ships attacking 1.2.3 ETA 2h from 2.2.2"); // 2.2.2 twice: the larger counts
    plan.computeSums();
    const std::vector<std::size_t> fleet15{0, 0}, fleet40{0, 1}, target{0}, sumRow{0, 4};
    struct Edit {
        std::vector<std::size_t> path;
        std::vector<std::string> classes;
        std::string refusal;
    };
    for (const Edit& edit : std::vector<Edit>{
             {fleet15, {"10", "5"}, ""},
             {fleet15,
              {"10", "5", "", "", "", "", "1"},
              "Die Flotte aus 1.1.1 hat 15 Schiffe, eingetragen sind 16."},
             {fleet15, {"16abc"}, "Die Flotte aus 1.1.1 hat 15 Schiffe, eingetragen sind 16."},
             {fleet15, {"abc", "-3"}, ""},
             {fleet40, {"40"}, ""},
             {fleet40, {"41"}, "Die Flotte aus 2.2.2 hat 40 Schiffe, eingetragen sind 41."},
             {target, {"99999"}, ""},
             {sumRow, {"99999"}, ""},
         }) {
        SCOPED_TRACE(edit.classes.front());
        const PlanRow before = *plan.rowAt(edit.path);
        EXPECT_EQ(plan.setClasses(edit.path, edit.classes), edit.refusal);
        const PlanRow& after = *plan.rowAt(edit.path);
        EXPECT_EQ(Classes(after)[0], edit.refusal.empty() ? edit.classes[0] : Classes(before)[0]);
    }
    EXPECT_EQ(plan.rowAt(std::vector<std::size_t>{0, 9}), nullptr);
}

TEST_F(Sums, TargetRowClassesAreTheDefenders) {
    SetClasses(Target(), {"0", "7", "", "", "", "", "1"});
    plan.computeSums();
    EXPECT_EQ(Target().cells[kColTotal], "8");
    EXPECT_EQ(NameAndClasses(4), Row("DEFF", {"0", "7", "0", "0", "0", "0", "1"}));
    EXPECT_EQ(Child(4).cells[kColTotal], "8");
}

} // namespace
