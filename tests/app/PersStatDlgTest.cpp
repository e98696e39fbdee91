// The personal statistics dialog: figures, totals and ratios of the record,
// and its reset.

#include "AppTestSupport.h"
#include "app/stats/CPersStatDlg.h"

#include <QLabel>
#include <QTest>

namespace skarnwald::testing {
namespace {

class PersStatDlgTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        RunSql(*connection_,
               "UPDATE PersStat SET Shuttle = 3, Fighter = 5, Fregatte = 10 WHERE Typ = 'destroyed';"
               "UPDATE PersStat SET Fregatte = 4 WHERE Typ = 'verlust';"
               "UPDATE PersStat SET Shuttle = 7 WHERE Typ = 'RoidGewinn';"
               "UPDATE PersStat SET Doomstar = 2 WHERE Typ = 'lamed'");
    }
    static QString Field(CPersStatDlg& dialog, const char* name) {
        return dialog.findChild<QLabel*>(name)->text();
    }
};

TEST_F(PersStatDlgTest, ShowsFiguresTotalsAndRatiosEmptyForAZeroDivisor) {
    CPersStatDlg dialog(connection_);
    EXPECT_EQ(Field(dialog, "kill0"), "3");
    EXPECT_EQ(Field(dialog, "kill2"), "10");
    EXPECT_EQ(Field(dialog, "killsTotal"), "18");
    EXPECT_EQ(Field(dialog, "lossesTotal"), "4");
    EXPECT_EQ(Field(dialog, "ratio2"), "2.50");
    EXPECT_EQ(Field(dialog, "ratio0"), "");
    EXPECT_EQ(Field(dialog, "totalRatio"), "4.50");
    EXPECT_EQ(Field(dialog, "roidGain"), "7");
    EXPECT_EQ(Field(dialog, "roidLoss"), "0");
    EXPECT_EQ(Field(dialog, "roidRatio"), "");
}

TEST_F(PersStatDlgTest, EnterClosesWithoutAskingAndTheTotalsColumnHasAHeading) {
    CPersStatDlg dialog(connection_);
    EXPECT_EQ(Field(dialog, "heading7"), "Gesamt");
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(MessageBoxes::TakeShownTexts().isEmpty());
}

TEST_F(PersStatDlgTest, ResetAsksFirstThenZeroesEveryFieldAndRow) {
    CPersStatDlg dialog(connection_);
    MessageBoxes::SetNextAnswer(false);
    dialog.OnReset();
    EXPECT_EQ(Field(dialog, "killsTotal"), "18");

    MessageBoxes::SetNextAnswer(true);
    dialog.OnReset();
    EXPECT_EQ(MessageBoxes::TakeShownTexts().size(), 2);
    for (QLabel* field : dialog.findChildren<QLabel*>()) {
        if (!field->objectName().endsWith("Label") && !field->objectName().startsWith("heading")) {
            EXPECT_EQ(field->text(), "0") << field->objectName().toStdString();
        }
    }

    EXPECT_EQ(QueryInt(*connection_,
                       "SELECT SUM(Shuttle+Fighter+Fregatte+Corvette+Starcruiser+Battleship+Doomstar)"
                       " FROM PersStat"),
              0);
}

} // namespace
} // namespace skarnwald::testing
