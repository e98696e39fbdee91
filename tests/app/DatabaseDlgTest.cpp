// The database browser: the tree of stored battles, selecting a battle by any
// of its rows, writing its page and emptying the battle tables.

#include "AppTestSupport.h"
#include "app/FileDialogs.h"
#include "app/db/CDatabaseDlg.h"
#include "convert/ReportConverter.h"
#include "db/BattleDatabase.h"

#include <QTreeWidget>

namespace skarnwald::testing {
namespace {

class DatabaseDlgTest : public DatabaseTest {
protected:
    void Store(const std::string& report) {
        CReportConverter converter;
        converter.storeInDb = 1;
        converter.SetStore(&database_);
        std::ostringstream page;
        converter.ConvertReport(report, page);
    }

    int Count(const char* table) {
        return QueryInt(*connection_, std::string("SELECT COUNT(*) FROM ") + table);
    }

    static QTreeWidget& List(CDatabaseDlg& dialog) { return *dialog.findChild<QTreeWidget*>("battleList"); }
};

TEST_F(DatabaseDlgTest, TreeShowsBattlesFleetLinesInSideColoursAndCombatLines) {
    Store(SampleReport("several-battles.txt"));
    Store(SampleReport("one-battle.txt"));
    CDatabaseDlg dialog(connection_);
    QTreeWidget& list = List(dialog);
    ASSERT_EQ(list.topLevelItemCount(), Count("Battles"));
    EXPECT_EQ(list.headerItem()->text(0), "Battles");
    EXPECT_EQ(list.headerItem()->text(1), "ID");

    int fleetLines = 0, combatLines = 0;
    for (int b = 0; b < list.topLevelItemCount(); ++b) {
        const QTreeWidgetItem* battle = list.topLevelItem(b);
        EXPECT_EQ(battle->text(1), QString::number(b + 1));
        EXPECT_FALSE(battle->foreground(0).style() != Qt::NoBrush) << "battles keep the default colour";
        for (int f = 0; f < battle->childCount(); ++f, ++fleetLines) {
            const QTreeWidgetItem* fleet = battle->child(f);
            EXPECT_EQ(fleet->text(1), battle->text(1));
            const QColor colour = fleet->foreground(0).color();
            EXPECT_TRUE(colour == QColor(0, 128, 0) || colour == QColor(255, 0, 0) ||
                        colour == QColor(0, 0, 255))
                << fleet->text(0).toStdString();
            for (int c = 0; c < fleet->childCount(); ++c, ++combatLines)
                EXPECT_EQ(fleet->child(c)->text(1), battle->text(1));
        }
    }
    EXPECT_EQ(fleetLines, Count("Agility"));
    EXPECT_EQ(combatLines, Count("Battle_Details"));
    // Stored report bytes that are not UTF-8 show as Windows-1252.
    EXPECT_TRUE(
        list.topLevelItem(list.topLevelItemCount() - 1)->text(0).contains(QStringLiteral("Eisnebel Süd")));
}

TEST_F(DatabaseDlgTest, AnyRowSelectsItsBattleAndTheExportWritesThatBattlesPage) {
    Store(SampleReport("several-battles.txt"));
    CDatabaseDlg dialog(connection_);
    QTreeWidget& list = List(dialog);
    ASSERT_GE(list.topLevelItemCount(), 2);
    list.setCurrentItem(list.topLevelItem(1)->child(0)->child(0));
    EXPECT_EQ(dialog.SelectedBattleId(), 2);
    list.setCurrentItem(list.topLevelItem(0));
    EXPECT_EQ(dialog.SelectedBattleId(), 1);

    FileDialogs::SetNextFileName(QString::fromStdString(Here("battle").string()));
    dialog.OnExport();
    std::ostringstream expected;
    database_.RenderBattle(expected, 1);
    EXPECT_EQ(FileBytes(Here("battle.htm")), expected.str());

    WriteBytes(Here(".htm"), "untouched");
    FileDialogs::SetNextFileName(QString());
    dialog.OnExport();
    EXPECT_EQ(FileBytes(Here(".htm")), "untouched");
}

TEST_F(DatabaseDlgTest, DeletingAsksFirstAndEmptiesOnlyTheBattleTables) {
    Store(SampleReport("several-battles.txt"));
    RunSql(*connection_, "INSERT INTO Einstellungen (Einstellung,Wert) VALUES ('DBSpeichern','1')");
    CDatabaseDlg dialog(connection_);
    const int battles = List(dialog).topLevelItemCount();

    MessageBoxes::SetNextAnswer(false);
    dialog.OnDeleteAll();
    EXPECT_EQ(MessageBoxes::TakeShownTexts().size(), 1);
    EXPECT_EQ(List(dialog).topLevelItemCount(), battles);
    EXPECT_EQ(Count("Battles"), battles);

    MessageBoxes::SetNextAnswer(true);
    dialog.OnDeleteAll();
    EXPECT_EQ(List(dialog).topLevelItemCount(), 0);
    for (const char* table : {"Battles", "Agility", "Battle_Details", "Statistik"})
        EXPECT_EQ(Count(table), 0) << table;
    EXPECT_EQ(Count("Einstellungen"), 1);
    EXPECT_EQ(Count("PersStat"), 5);
}

} // namespace
} // namespace skarnwald::testing
