// The query layer: report dates, stored dates by style, fields as text.

#include "DbTestSupport.h"

namespace skarnwald::testing {
namespace {

TEST(ReportDate, ReadsTheHeaderFormsAsIsoText) {
    EXPECT_EQ(ParseReportDate("5.3.2003 14:07:09"), "2003-03-05 14:07:09");
    EXPECT_EQ(ParseReportDate("05.03.2003 4:07"), "2003-03-05 04:07:00");
    EXPECT_EQ(ParseReportDate("2003-03-05 14:07:09"), "2003-03-05 14:07:09");
    EXPECT_EQ(ParseReportDate("2003-3-5 9:07"), "2003-03-05 09:07:00");
    EXPECT_EQ(ParseReportDate("05.03.2003"), "2003-03-05 00:00:00");
    EXPECT_EQ(ParseReportDate("2003-03-05"), "2003-03-05 00:00:00");
    EXPECT_EQ(ParseReportDate("  29.02.2004 23:59:59 \t"), "2004-02-29 23:59:59");
}

TEST(ReportDate, RefusesOtherTextsAndImpossibleDates) {
    for (std::string_view text :
         {"", "Battle", "31.02.2004 14:07:09", "29.02.2003", "29.02.1900", "0.1.2004", "1.13.2004",
          "12.03.04 14:07", "12.03.2004 24:00", "12.03.2004 14:60", "12.03.2004 14:07:60", "12.03.2004 14:7",
          "12.03.2004 14:07:09 x", "12.03.2004T14:07", "123.03.2004", "2004/03/12", "12.03.2004 014:07"})
        EXPECT_EQ(ParseReportDate(text), std::nullopt) << text;
    EXPECT_EQ(ParseReportDate("29.02.2000"), "2000-02-29 00:00:00");
}

TEST(StoredDate, IsWrittenInEveryStyle) {
    constexpr std::string_view iso = "2003-03-05 14:07:09";
    EXPECT_EQ(FormatStoredDate(iso, DateStyle::Date), "05.03.2003");
    EXPECT_EQ(FormatStoredDate(iso, DateStyle::Time), "14:07");
    EXPECT_EQ(FormatStoredDate(iso, DateStyle::Browser), "05.03.2003 - 14:07:09");
    EXPECT_EQ(FormatStoredDate(iso, DateStyle::DateTime), "05.03.2003 14:07:09");
    EXPECT_EQ(FormatStoredDate(iso, DateStyle::Compact), "20030305");
    EXPECT_EQ(FormatStoredDate(iso, DateStyle::TimeWithSeconds), "14:07:09");
    EXPECT_EQ(FormatStoredDate("gestern", DateStyle::Browser), "gestern");
}

using QueryLayerTest = DatabaseFixture;

TEST_F(QueryLayerTest, FieldsReadAsTextWhateverTheirType) {
    CStatement row(*connection, "SELECT NULL AS N, 42 AS I, 2.5 AS F, 'a''b' AS T, ? AS B, ? AS E");
    row.Bind({std::string_view("x\0y", 3), std::string_view()});
    ASSERT_TRUE(row.Step());
    EXPECT_EQ(row.ReadField("n"), "");
    EXPECT_EQ(row.ReadField("I"), "42");
    EXPECT_EQ(row.ReadField("F"), "2.50");
    EXPECT_EQ(row.ReadField("t"), "a'b");
    EXPECT_EQ(row.ReadField("B"), std::string("x\0y", 3));
    EXPECT_EQ(Text("SELECT typeof(?) AS T", "T"), "null"); // nothing bound
    EXPECT_FALSE(row.Step());
    EXPECT_FALSE(row.Failed());
    EXPECT_TRUE(errors.messages.empty());
}

TEST_F(QueryLayerTest, EmptyTextIsBoundAsTextNotNull) {
    Run("CREATE TABLE T (V TEXT)");
    ASSERT_TRUE(RunStatement(*connection, "INSERT INTO T VALUES (?)", {std::string_view()}));
    EXPECT_EQ(Text("SELECT typeof(V) AS T FROM T", "T"), "text");
}

TEST_F(QueryLayerTest, ErrorsAreReportedWithSqlitesMessage) {
    EXPECT_FALSE(RunStatement(*connection, "SELECT * FROM Nowhere"));
    EXPECT_FALSE(RunStatement(*connection, "INSERT INTO Einstellungen VALUES ('A', 1), ('A', 2)"));
    ASSERT_EQ(errors.messages.size(), 2u);
    EXPECT_EQ(errors.messages[0], "no such table: Nowhere");
    EXPECT_EQ(errors.messages[1], "UNIQUE constraint failed: Einstellungen.Einstellung");
    EXPECT_EQ(Count("Einstellungen"), 0);
}

TEST_F(QueryLayerTest, MaxIdIsZeroForAnEmptyTableAndNothingWhenItFails) {
    EXPECT_EQ(MaxId(*connection, "Battles", "ID"), 0);
    Run("INSERT INTO Battles (ID) VALUES (41)");
    EXPECT_EQ(MaxId(*connection, "Battles", "ID"), 41);
    EXPECT_EQ(MaxId(*connection, "Nowhere", "ID"), std::nullopt);
    EXPECT_EQ(errors.messages, std::vector<std::string>{"no such table: Nowhere"});
}

} // namespace
} // namespace skarnwald::testing
