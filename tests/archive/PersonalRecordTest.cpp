// The personal record as the statistics dialog and the command line show it.

#include "DbTestSupport.h"

#include "archive/PersonalRecord.h"

namespace skarnwald::testing {
namespace {

class PersonalRecordTest : public DatabaseFixture {
protected:
    PersonalRecordView Load() {
        const auto record = LoadPersonalRecord(*connection);
        EXPECT_TRUE(record);
        return record.value_or(PersonalRecordView{});
    }
};

TEST_F(PersonalRecordTest, ShowsKillsLossesTotalsAndRatios) {
    Run("UPDATE PersStat SET Shuttle = 3, Fighter = 5, Corvette = 10 WHERE Typ = 'destroyed'");
    Run("UPDATE PersStat SET Shuttle = 2, Corvette = 4 WHERE Typ = 'verlust'");
    Run("UPDATE PersStat SET Shuttle = 9 WHERE Typ = 'lamed'");
    Run("UPDATE PersStat SET Shuttle = 7 WHERE Typ = 'RoidGewinn'");
    Run("UPDATE PersStat SET Shuttle = 2 WHERE Typ = 'RoidVerlust'");
    const PersonalRecordView record = Load();
    EXPECT_EQ(record.kills, (PerClass<std::string>{"3", "5", "0", "10", "0", "0", "0"}));
    EXPECT_EQ(record.losses, (PerClass<std::string>{"2", "0", "0", "4", "0", "0", "0"}));
    EXPECT_EQ(record.ratios, (PerClass<std::string>{"1.50", "", "", "2.50", "", "", ""}));
    EXPECT_EQ(record.killsTotal, "18");
    EXPECT_EQ(record.lossesTotal, "6");
    EXPECT_EQ(record.totalRatio, "3.00");
    EXPECT_EQ(record.roidGain, "7");
    EXPECT_EQ(record.roidLoss, "2");
    EXPECT_EQ(record.roidRatio, "3.50");
}

TEST_F(PersonalRecordTest, MissingRowsLeaveTheirFieldsEmpty) {
    Run("DELETE FROM PersStat WHERE Typ IN ('RoidGewinn', 'verlust')");
    const PersonalRecordView record = Load();
    EXPECT_EQ(record.roidGain, "");
    EXPECT_EQ(record.roidLoss, "0");
    EXPECT_EQ(record.roidRatio, "");
    EXPECT_EQ(record.losses[0], "");
    EXPECT_EQ(record.lossesTotal, "");
    EXPECT_EQ(record.totalRatio, "");
    EXPECT_EQ(record.killsTotal, "0");
}

TEST_F(PersonalRecordTest, TextInACountIsShownAsItStandsAndCountsByItsDigits) {
    Run("UPDATE PersStat SET Shuttle = '7 Stk', Fighter = 'viele' WHERE Typ = 'destroyed'");
    Run("UPDATE PersStat SET Shuttle = 2, Fighter = 'x' WHERE Typ = 'verlust'");
    const PersonalRecordView record = Load();
    EXPECT_EQ(record.kills[0], "7 Stk");
    EXPECT_EQ(record.killsTotal, "7");
    EXPECT_EQ(record.ratios[0], "3.50");
    EXPECT_EQ(record.ratios[1], "");
}

TEST_F(PersonalRecordTest, ResetZeroesEveryRowTheLamedRowIncluded) {
    Run("UPDATE PersStat SET Shuttle = 4, Doomstar = 1, Battleship = 2");
    ASSERT_TRUE(ResetPersonalRecord(*connection));
    EXPECT_EQ(
        Text("SELECT SUM(Shuttle + Fighter + Fregatte + Corvette + Starcruiser + Battleship + Doomstar) AS S "
             "FROM PersStat",
             "S"),
        "0");
    const PersonalRecordView zeroed = ZeroedPersonalRecord();
    EXPECT_EQ(zeroed.ratios[6], "0");
    EXPECT_EQ(zeroed.roidRatio, "0");
    EXPECT_EQ(Load().kills, zeroed.kills);
}

TEST_F(PersonalRecordTest, FailuresAreReported) {
    Run("DROP TABLE PersStat");
    EXPECT_FALSE(LoadPersonalRecord(*connection));
    EXPECT_FALSE(ResetPersonalRecord(*connection));
    EXPECT_EQ(errors.messages.size(), 2u);
    Run("CREATE TABLE PersStat (Typ TEXT PRIMARY KEY, Shuttle INTEGER)");
}

} // namespace
} // namespace skarnwald::testing
