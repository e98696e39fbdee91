// Database files whose text is Windows-1252, as earlier versions and other
// programs wrote them: read as UTF-8 everywhere, and mended by the repair.

#include "DbTestSupport.h"

#include "archive/BattleBrowser.h"
#include "archive/SettingsStore.h"
#include "archive/TextRepair.h"

namespace skarnwald::testing {
namespace {

class OldTextTest : public DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        const std::string letters(testfiles::kWindows1252Letters);
        // SQL text carries the bytes as they are; bound values would be UTF-8.
        Run("INSERT INTO Battles VALUES (1, '2004-03-12 14:07:09', '1.2.3', 'Sch\xF6n')");
        Run("INSERT INTO Agility VALUES (1, 1, 'Agility 5', '[50/50]', '(W\xE4spe)', ' Corvette ', '1.2.3', "
            "' " +
            letters + "', 1)");
        Run("INSERT INTO Battle_Details VALUES (1, 1, 'L\xE4ser', 'lamed', '3', ' Corvette ', '(Tank)', "
            "'4.5.6', ' M\x9Fller')");
        Run("INSERT INTO Einstellungen VALUES ('Koords', '1.\xB2.3')");
    }
};

TEST_F(OldTextTest, IsShownAndRenderedAsUtf8) {
    const auto battles = FindBattles(*connection, {});
    ASSERT_TRUE(battles);
    ASSERT_EQ(battles->size(), 1u);
    EXPECT_NE(BattleItemOf(battles->front()).text.find("Sch\xC3\xB6n"), std::string::npos);
    const auto fleetLines = LoadFleetLines(*connection, battles->front().id);
    ASSERT_TRUE(fleetLines);
    ASSERT_EQ(fleetLines->size(), 1u);
    EXPECT_NE(fleetLines->front().text.find(testfiles::kWindows1252LettersUtf8), std::string::npos);
    EXPECT_EQ(ReadSetting(*connection, kOwnCoordsSetting), "1.\xC2\xB2.3");

    std::ostringstream page;
    ASSERT_TRUE(RenderStoredBattle(*connection, page, 1));
    EXPECT_TRUE(IsValidUtf8(page.str()));
    for (std::string_view text : {"Sch\xC3\xB6n", "(W\xC3\xA4spe)", "L\xC3\xA4ser", "M\xC5\xB8ller"})
        EXPECT_NE(page.str().find(text), std::string::npos) << text;

    // Mended, the page stays the same, and a second run finds nothing.
    EXPECT_EQ(RepairStoredText(*connection), 6);
    EXPECT_EQ(RepairStoredText(*connection), 0);
    std::ostringstream after;
    ASSERT_TRUE(RenderStoredBattle(*connection, after, 1));
    EXPECT_EQ(after.str(), page.str());
    EXPECT_TRUE(errors.messages.empty());
}

TEST_F(OldTextTest, RepairThatFailsChangesNothing) {
    // The mended key would collide with a row already spelt in UTF-8.
    Run("INSERT INTO Einstellungen VALUES ('K\xF6', 'a'), ('K\xC3\xB6', 'b')");
    EXPECT_EQ(RepairStoredText(*connection), std::nullopt);
    EXPECT_EQ(errors.messages.size(), 1u);
    EXPECT_EQ(Text("SELECT COUNT(*) AS N FROM Battles WHERE Name = 'Sch\xF6n'", "N"), "1");
    // Mended by hand, it goes through.
    Run("DELETE FROM Einstellungen WHERE Wert = 'a'");
    EXPECT_EQ(RepairStoredText(*connection), 6);
}

} // namespace
} // namespace skarnwald::testing
