// Attack plans kept in files: what is saved comes back the same, and text
// that is no plan of this version is refused with a reason, never half read.

#include "planning/PlanFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace skarnwald;

void ExpectSameRows(const std::vector<PlanRow>& expected, const std::vector<PlanRow>& actual) {
    ASSERT_EQ(expected.size(), actual.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].cells, actual[i].cells);
        EXPECT_EQ(expected[i].textSlot, actual[i].textSlot);
        EXPECT_EQ(expected[i].backgroundSlot, actual[i].backgroundSlot);
        EXPECT_EQ(expected[i].expanded, actual[i].expanded);
        ExpectSameRows(expected[i].children, actual[i].children);
    }
}

TEST(PlanFile, SavedPlanComesBackAsItWasAndGoesOnWorking) {
    AttackPlan plan;
    plan.importOutgoings("10 Ships attacking 1.2.3 ETA 4h from 4.4.4\n"
                         "20 Ships attacking 1.2.3 ETA 2h from 2.2.2\n"
                         "5 Ships attacking 7.7.7 ETA 9h from 3.3.3\n");
    plan.planTable[0].children[0].cells[kColFirstClass] = "12 \"Zerstörer\"\n\\";
    plan.planTable[1].expanded = false;
    plan.computeSums();

    const PlanLoadResult loaded = LoadPlanText(SavePlanText(plan));
    ASSERT_TRUE(loaded.plan) << loaded.error;
    ExpectSameRows(plan.planTable, loaded.plan->planTable);
    ASSERT_EQ(loaded.plan->outgoingFleets.size(), 3u);
    EXPECT_EQ(loaded.plan->outgoingFleets[2].origin, "3.3.3");

    // A loaded plan takes further fleets under the targets it already has.
    AttackPlan continued = *loaded.plan;
    continued.importOutgoings("1 Ships attacking 7.7.7 ETA 1h from 8.8.8");
    ASSERT_EQ(continued.planTable.size(), 2u);
    EXPECT_EQ(continued.planTable[1].children.back().cells[kColName], "8.8.8");
}

TEST(PlanFile, TextThatIsNoPlanOfThisVersionIsRefused) {
    const std::string saved = SavePlanText(AttackPlan());
    ASSERT_TRUE(LoadPlanText(saved).plan);
    EXPECT_NE(saved.find("\"version\": 1"), std::string::npos);

    for (const char* text :
         {"", "not json", "[]", "{\"format\":\"other\",\"version\":1}",
          "{\"format\":\"skarnwald-angriffsplan\",\"version\":2,\"rows\":[],\"outgoings\":[]}",
          "{\"format\":\"skarnwald-angriffsplan\",\"version\":1}",
          "{\"format\":\"skarnwald-angriffsplan\",\"version\":1,\"rows\":[{\"cells\":7}],"
          "\"outgoings\":[]}",
          "{\"format\":\"skarnwald-angriffsplan\",\"version\":1,\"rows\":[1],\"outgoings\":[]}",
          "{\"format\":\"skarnwald-angriffsplan\",\"version\":1,\"rows\":[],\"outgoings\":[{}]}"}) {
        const PlanLoadResult loaded = LoadPlanText(text);
        EXPECT_FALSE(loaded.plan) << text;
        EXPECT_FALSE(loaded.error.empty()) << text;
    }
    EXPECT_NE(LoadPlanText("{\"format\":\"skarnwald-angriffsplan\",\"version\":2}").error.find("Version 2"),
              std::string::npos);
}

TEST(PlanFile, RowsNestedDeeperThanAnyPlanAreRefused) {
    std::string rows = "{\"cells\":[]}";
    for (int depth = 0; depth < 10000; ++depth)
        rows = "{\"cells\":[],\"children\":[" + rows + "]}";
    const std::string text =
        "{\"format\":\"skarnwald-angriffsplan\",\"version\":1,\"rows\":[" + rows + "],\"outgoings\":[]}";
    EXPECT_FALSE(LoadPlanText(text).plan);
}

TEST(PlanFile, BytesThatAreNoUtf8DoNotStopTheSaving) {
    AttackPlan plan;
    plan.planTable.emplace_back().cells[kColName] = "1.2.3 \xff";
    const PlanLoadResult loaded = LoadPlanText(SavePlanText(plan));
    ASSERT_TRUE(loaded.plan);
    EXPECT_EQ(loaded.plan->planTable[0].cells[kColName].substr(0, 6), "1.2.3 ");
}

} // namespace
