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

TEST(OutgoingLine, CutsFieldsAtTheirFixedPlaces) {
    const OutgoingFleet fleet = ParseOutgoingLine("1000+200 Ships attacking 1.2.3 ETA 5h from 14.5.6");
    EXPECT_EQ(fleet.ships, "1200");
    EXPECT_EQ(fleet.target, "1.2.3");
    EXPECT_EQ(fleet.eta, "5");
    EXPECT_EQ(fleet.origin, "14.5.6");

    EXPECT_EQ(ParseOutgoingLine("9 Ships attacking 1.2.3 ETA 5h from 104.  5.  6").origin, "104.5.6");
    EXPECT_EQ(ParseOutgoingLine("9 Ships attacking 1 . 2 . 3 ETA 5h from 1.2.3").target, "1.2.3");
    // Only the first two parts of a sum count; digits past three per part are cut.
    EXPECT_EQ(ParseOutgoingLine("1+2+3 Ships attacking 1.2.3 ETA 5h from 1.2.3").ships, "3");
    EXPECT_EQ(ParseOutgoingLine("9 Ships attacking 1.2.3 ETA 5h from 1.2.34567").origin, "1.2.345");
    EXPECT_EQ(ParseOutgoingLine("9 Ships attacking 1.2.3 ETA 5h from 1.2.3").origin, "1.2.3");
}

TEST(OutgoingLine, ShipSumsDoNotWrapAround) {
    EXPECT_EQ(ParseOutgoingLine("2147483647+2147483647 Ships attacking 1.2.3 ETA 5h from 1.2.3").ships,
              "4294967294");
}

TEST(OutgoingLine, MissingPartsGiveEmptyFields) {
    const OutgoingFleet fleet = ParseOutgoingLine("x attacking from");
    EXPECT_EQ(fleet.ships, "");
    EXPECT_EQ(fleet.eta, "");
    EXPECT_EQ(fleet.origin, "");
    EXPECT_EQ(fleet.target, "");
}

TEST(Outgoings, ReadsOnlyLinesWithAttackingAfterTheirStart) {
    const auto fleets = ParseOutgoings("\r\n  \n1 Ships attacking 1.1.1 ETA 2h from 3.3.3\r\n"
                                       "attacking 2.2.2 ETA 2h from 3.3.3\n"
                                       "note\n2 Ships attacking 4.4.4 ETA 1h from 5.5.5");
    ASSERT_EQ(fleets.size(), 2u);
    EXPECT_EQ(fleets[0].origin, "3.3.3");
    EXPECT_EQ(fleets[1].target, "4.4.4");
    EXPECT_TRUE(ParseOutgoings(" \n \r\n\t").empty());
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
    for (const char* eta : {"30", "0", "soon"}) {
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

TEST_F(Sums, TargetRowClassesAreTheDefenders) {
    SetClasses(Target(), {"0", "7", "", "", "", "", "1"});
    plan.computeSums();
    EXPECT_EQ(Target().cells[kColTotal], "8");
    EXPECT_EQ(NameAndClasses(4), Row("DEFF", {"0", "7", "0", "0", "0", "0", "1"}));
    EXPECT_EQ(Child(4).cells[kColTotal], "8");
}

} // namespace
