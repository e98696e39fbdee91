// The database browser: battles found by search, date range and order, their
// rows read when opened, selecting a battle by any of its rows, writing its
// page, deleting it, the CSV export, emptying the battle tables and passing
// battles on as an archive.

#include "AppTestSupport.h"
#include "app/FileDialogs.h"
#include "app/db/CDatabaseDlg.h"
#include "archive/ArchiveImport.h"
#include "archive/BattleDatabase.h"
#include "archive/StoredBattlePage.h"
#include "archive/StoringWriter.h"
#include "reading/ReportConverter.h"
#include "writers/HtmlWriter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace skarnwald::testing {
namespace {

using Ids = std::vector<std::int32_t>;

class DatabaseDlgTest : public DatabaseTest {
protected:
    void Store(const std::string& report) {
        CReportConverter converter;
        CStoringWriter storing(database_, {1, 0, converter.ownCoords});
        converter.AddWriter(&storing);
        std::ostringstream page;
        ConvertToPage(converter, report, page);
    }
    // Battles 1 to 3 on 17 and 18 May, battle 4 on 14 March.
    void StoreSamples() {
        Store(SampleReport("several-battles.txt"));
        Store(SampleReport("one-battle.txt"));
    }

    int Count(const char* table) {
        return QueryInt(*connection_, std::string("SELECT COUNT(*) FROM ") + table);
    }

    template <class Widget> static Widget& Child(CDatabaseDlg& dialog, const char* name) {
        return *dialog.findChild<Widget*>(name);
    }
    static QTreeWidget& List(CDatabaseDlg& dialog) { return Child<QTreeWidget>(dialog, "battleList"); }
    static QTreeWidgetItem* Battle(CDatabaseDlg& dialog, std::int32_t id) {
        QTreeWidget& list = List(dialog);
        for (int i = 0; i < list.topLevelItemCount(); ++i)
            if (list.topLevelItem(i)->text(1).toInt() == id)
                return list.topLevelItem(i);
        return nullptr;
    }
};

TEST_F(DatabaseDlgTest, BattlesOpenToFleetLinesInSideColoursAndCombatLines) {
    StoreSamples();
    CDatabaseDlg dialog(connection_);
    QTreeWidget& list = List(dialog);
    ASSERT_EQ(list.topLevelItemCount(), Count("Battles"));
    EXPECT_EQ(dialog.ShownBattleIds(), (Ids{4, 1, 2, 3}));
    EXPECT_EQ(Child<QLabel>(dialog, "countLabel").text(), "4 Kämpfe angezeigt");
    EXPECT_EQ(list.headerItem()->text(0), QStringLiteral("Kämpfe"));
    EXPECT_EQ(list.headerItem()->text(1), "ID");

    int fleetLines = 0, combatLines = 0;
    for (int b = 0; b < list.topLevelItemCount(); ++b) {
        QTreeWidgetItem* battle = list.topLevelItem(b);
        EXPECT_EQ(battle->childCount(), 0) << "rows are read when a battle is opened";
        list.expandItem(battle);
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
        list.collapseItem(battle);
        list.expandItem(battle); // read once only
    }
    EXPECT_EQ(fleetLines, Count("Agility"));
    EXPECT_EQ(combatLines, Count("Battle_Details"));
    // Stored report bytes that are not UTF-8 show as Windows-1252.
    EXPECT_TRUE(Battle(dialog, 4)->text(0).contains(QStringLiteral("Eisnebel Süd")));
}

TEST_F(DatabaseDlgTest, SearchDateRangeAndOrderChooseTheBattlesShown) {
    StoreSamples();
    CDatabaseDlg dialog(connection_);
    auto& search = Child<QLineEdit>(dialog, "searchEdit");
    search.setText(QStringLiteral("3.3.3"));
    EXPECT_EQ(dialog.ShownBattleIds(), (Ids{1, 2}));
    EXPECT_EQ(Child<QLabel>(dialog, "countLabel").text(), "2 Kämpfe angezeigt");
    search.setText(QStringLiteral("Kalte Ebene"));
    EXPECT_EQ(dialog.ShownBattleIds(), (Ids{1, 2}));
    search.setText(QStringLiteral("nichts dergleichen"));
    EXPECT_EQ(List(dialog).topLevelItemCount(), 0);
    search.clear();

    Child<QDateEdit>(dialog, "fromDate").setDate(QDate(2026, 5, 18));
    EXPECT_EQ(dialog.ShownBattleIds().size(), 4u) << "the range counts only once switched on";
    Child<QCheckBox>(dialog, "fromCheck").setChecked(true);
    EXPECT_EQ(dialog.ShownBattleIds(), (Ids{3}));
    EXPECT_EQ(Child<QLabel>(dialog, "countLabel").text(), "1 Kampf angezeigt");
    Child<QCheckBox>(dialog, "fromCheck").setChecked(false);
    Child<QDateEdit>(dialog, "toDate").setDate(QDate(2026, 5, 17));
    Child<QCheckBox>(dialog, "toCheck").setChecked(true);
    EXPECT_EQ(dialog.ShownBattleIds(), (Ids{4, 1, 2}));
    Child<QCheckBox>(dialog, "toCheck").setChecked(false);

    auto& order = Child<QComboBox>(dialog, "sortCombo");
    order.setCurrentIndex(1);
    EXPECT_EQ(dialog.ShownBattleIds(), (Ids{3, 2, 1, 4}));
    order.setCurrentIndex(2);
    EXPECT_EQ(dialog.ShownBattleIds(), (Ids{1, 2, 4, 3}));
}

TEST_F(DatabaseDlgTest, ExportWaitsForASelectionAndWritesThatBattle) {
    StoreSamples();
    CDatabaseDlg dialog(connection_);
    auto& exportButton = Child<QPushButton>(dialog, "exportButton");
    EXPECT_FALSE(exportButton.isEnabled());
    EXPECT_FALSE(dialog.SelectedBattleId());
    dialog.OnExport(); // nothing selected: no dialog, no page
    EXPECT_FALSE(std::filesystem::exists(Here(".htm")));

    QTreeWidget& list = List(dialog);
    list.expandItem(Battle(dialog, 2));
    list.setCurrentItem(Battle(dialog, 2)->child(0)->child(0));
    EXPECT_EQ(dialog.SelectedBattleId(), 2);
    EXPECT_TRUE(exportButton.isEnabled());
    list.setCurrentItem(Battle(dialog, 1));
    EXPECT_EQ(dialog.SelectedBattleId(), 1);

    FileDialogs::SetNextFileName(QString::fromStdString(Here("battle").string()));
    dialog.OnExport();
    std::ostringstream expected;
    RenderStoredBattle(*connection_, expected, 1);
    EXPECT_EQ(FileBytes(Here("battle.htm")), expected.str());
    EXPECT_TRUE(Child<QLabel>(dialog, "statusLabel").text().endsWith(QStringLiteral("battle.htm")));

    WriteBytes(Here(".htm"), "untouched");
    FileDialogs::SetNextFileName(QString());
    dialog.OnExport();
    EXPECT_EQ(FileBytes(Here(".htm")), "untouched");

    // A new search drops the selection.
    Child<QLineEdit>(dialog, "searchEdit").setText(QStringLiteral("3"));
    EXPECT_FALSE(exportButton.isEnabled());
}

TEST_F(DatabaseDlgTest, EnterOpensTheSelectedBattleAndEntfDeletesItAfterAsking) {
    StoreSamples();
    CDatabaseDlg dialog(connection_);
    for (const char* name : {"closeButton", "moreButton", "deleteBattleButton", "exportButton", "csvButton"})
        EXPECT_FALSE(Child<QPushButton>(dialog, name).autoDefault()) << name;
    dialog.show();
    QTest::keyClick(&Child<QLineEdit>(dialog, "searchEdit"), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible()) << "Enter in the search field only searches";

    List(dialog).setCurrentItem(Battle(dialog, 1));
    const struct {
        Qt::Key key;
        bool yes;  // the answer to a question
        bool open; // whether battle 1 shows its fleet lines afterwards
        int asked; // questions asked
        Ids shown; // the battles listed afterwards
    } keys[] = {
        {Qt::Key_Return, true, true, 0, {4, 1, 2, 3}},
        {Qt::Key_Enter, true, false, 0, {4, 1, 2, 3}},
        {Qt::Key_Delete, false, false, 1, {4, 1, 2, 3}},
        {Qt::Key_Delete, true, false, 1, {4, 2, 3}},
    };
    for (const auto& test : keys) {
        MessageBoxes::SetNextAnswer(test.yes);
        QTest::keyClick(&List(dialog), test.key);
        EXPECT_TRUE(dialog.isVisible()) << test.key;
        EXPECT_EQ(MessageBoxes::TakeShownTexts().size(), test.asked) << test.key;
        EXPECT_EQ(dialog.ShownBattleIds(), test.shown) << test.key;
        if (QTreeWidgetItem* battle = Battle(dialog, 1)) {
            EXPECT_EQ(battle->isExpanded(), test.open) << test.key;
        }
    }
    QTest::keyClick(&List(dialog), Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(Count("Battles"), 3);
}

TEST_F(DatabaseDlgTest, DeletingABattleAsksFirstAndTakesItsRows) {
    StoreSamples();
    CDatabaseDlg dialog(connection_);
    List(dialog).setCurrentItem(Battle(dialog, 2));
    MessageBoxes::SetNextAnswer(false);
    dialog.OnDeleteBattle();
    EXPECT_EQ(MessageBoxes::TakeShownTexts().size(), 1);
    EXPECT_EQ(Count("Battles"), 4);

    MessageBoxes::SetNextAnswer(true);
    dialog.OnDeleteBattle();
    EXPECT_EQ(dialog.ShownBattleIds(), (Ids{4, 1, 3}));
    EXPECT_EQ(Child<QLabel>(dialog, "statusLabel").text(), "Kampf 2 gelöscht.");
    EXPECT_EQ(QueryInt(*connection_, "SELECT COUNT(*) FROM Agility WHERE BattleID = 2"), 0);
    EXPECT_EQ(QueryInt(*connection_, "SELECT COUNT(*) FROM Statistik WHERE BattleID = 2"), 0);
    EXPECT_FALSE(dialog.SelectedBattleId());
    EXPECT_FALSE(Child<QPushButton>(dialog, "deleteBattleButton").isEnabled());
}

TEST_F(DatabaseDlgTest, CsvExportWritesTheBattlesShown) {
    StoreSamples();
    CDatabaseDlg dialog(connection_);
    Child<QLineEdit>(dialog, "searchEdit").setText(QStringLiteral("Kalte"));
    FileDialogs::SetNextFileName(QString::fromStdString(Here("csv").string()));
    dialog.OnExportCsv(std::nullopt);
    const std::string battles = FileBytes(Here("csv") / "kaempfe.csv");
    EXPECT_EQ(std::count(battles.begin(), battles.end(), '\n'), 3) << battles;
    EXPECT_NE(battles.find("\"2026-05-17 09:40:02\""), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(Here("csv") / "kampfzeilen.csv"));
    EXPECT_TRUE(Child<QLabel>(dialog, "statusLabel").text().startsWith(QStringLiteral("2 Kämpfe als CSV")));

    FileDialogs::SetNextFileName(QString::fromStdString(Here("fleets").string()));
    dialog.OnExportCsv(CsvTable::FleetLines);
    EXPECT_TRUE(FileBytes(Here("fleets.csv")).starts_with("\"ID\",\"BattleID\",\"Agility\""));
    Child<QComboBox>(dialog, "csvSeparatorBox").setCurrentIndex(1); // Semikolon (Excel)
    FileDialogs::SetNextFileName(QString::fromStdString(Here("semicolon").string()));
    dialog.OnExportCsv(CsvTable::FleetLines);
    // Spreadsheets take a semicolon file as UTF-8 only after a byte-order mark.
    EXPECT_TRUE(FileBytes(Here("semicolon.csv")).starts_with("\xEF\xBB\xBF\"ID\";\"BattleID\";\"Agility\""));

    MessageBoxes::SetNextAnswer(true);
    WriteBytes(Here("blocked"), "a file, not a folder");
    FileDialogs::SetNextFileName(QString::fromStdString(Here("blocked").string()));
    dialog.OnExportCsv(std::nullopt);
    EXPECT_EQ(MessageBoxes::TakeShownTexts().size(), 1);
}

TEST_F(DatabaseDlgTest, DeletingAllAsksFirstAndEmptiesOnlyTheBattleTables) {
    Store(SampleReport("several-battles.txt"));
    RunSql(*connection_, "INSERT INTO Einstellungen (Einstellung,Wert) VALUES ('DBSpeichern','1')");
    CDatabaseDlg dialog(connection_);
    const int battles = List(dialog).topLevelItemCount();

    MessageBoxes::SetNextAnswer(false);
    dialog.OnDeleteAll();
    const QStringList asked = MessageBoxes::TakeShownTexts();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].contains(QStringLiteral("alle %1 gespeicherten Kämpfe").arg(battles)))
        << asked[0].toStdString();
    EXPECT_EQ(List(dialog).topLevelItemCount(), battles);
    EXPECT_EQ(Count("Battles"), battles);

    MessageBoxes::SetNextAnswer(true);
    dialog.OnDeleteAll();
    EXPECT_EQ(List(dialog).topLevelItemCount(), 0);
    for (const char* table : {"Battles", "Agility", "Battle_Details", "Statistik", "BattleDigest"})
        EXPECT_EQ(Count(table), 0) << table;
    EXPECT_EQ(Count("Einstellungen"), 1);
    EXPECT_EQ(Count("PersStat"), 5);
    // An empty archive asks nothing.
    MessageBoxes::TakeShownTexts();
    dialog.OnDeleteAll();
    EXPECT_TRUE(MessageBoxes::TakeShownTexts().isEmpty());
}

// The selected battles (or, without a selection, those shown) go into an
// archive of their own; merging it back adds only the battles missing.
TEST_F(DatabaseDlgTest, SavingASelectionAndMergingItTellWhatWentWhere) {
    StoreSamples();
    RunSql(*connection_, "INSERT INTO Einstellungen (Einstellung,Wert) VALUES ('Koords','3.3.3')");
    CDatabaseDlg dialog(connection_);
    QTreeWidget& list = List(dialog);
    Battle(dialog, 1)->setSelected(true);
    list.expandItem(Battle(dialog, 4));
    Battle(dialog, 4)->child(0)->setSelected(true); // a fleet line chooses its battle
    EXPECT_EQ(dialog.ChosenBattleIds(), (Ids{1, 4}));
    const QLabel& status = Child<QLabel>(dialog, "statusLabel");
    FileDialogs::SetNextFileName(QString::fromStdString(Here("chosen.dat").string()));
    dialog.OnSaveSelectionAsArchive();
    EXPECT_TRUE(status.text().startsWith(QStringLiteral("2 Kämpfe als Archiv gespeichert")))
        << status.text().toStdString();

    list.clearSelection();
    Child<QLineEdit>(dialog, "searchEdit").setText(QStringLiteral("Kalte"));
    EXPECT_EQ(dialog.ChosenBattleIds(), dialog.ShownBattleIds());

    ASSERT_EQ(DeleteBattle(*connection_, 4), DeleteOutcome::Deleted);
    MessageBoxes::SetNextAnswer(true);
    FileDialogs::SetNextFileName(QString::fromStdString(Here("chosen.dat").string()));
    dialog.OnMergeArchive();
    EXPECT_EQ(status.text(), QStringLiteral("1 Kampf hinzugefügt, 1 schon vorhanden."));
    EXPECT_EQ(MessageBoxes::TakeShownTexts().size(), 1);
    EXPECT_EQ(Count("Battles"), 4);
    EXPECT_EQ(Count("Einstellungen"), 1);

    // The archive in use is neither saved over nor merged into itself.
    for (auto act : {&CDatabaseDlg::OnSaveSelectionAsArchive, &CDatabaseDlg::OnMergeArchive}) {
        FileDialogs::SetNextFileName(QStringLiteral("Data.dat"));
        (dialog.*act)();
        EXPECT_EQ(MessageBoxes::TakeShownTexts().size(), 1);
    }
    EXPECT_EQ(Count("Battles"), 4);
}

} // namespace
} // namespace skarnwald::testing
