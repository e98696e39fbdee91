// The planning dialogs on the offscreen platform, driven through their
// widgets as a user would.

#include "AppTestSupport.h"
#include "app/FileDialogs.h"
#include "app/attorga/CAttOrgaDlg.h"
#include "app/attorga/CFleetEditDlg.h"
#include "app/attorga/CFleetMovesDlg.h"
#include "controls/ReportListCtrl.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <fstream>

namespace {

using namespace skarnwald;
using skarnwald::testing::GuiTest;
using skarnwald::testing::WriteBytes;

QStringList Texts(const QTreeWidgetItem& item) {
    QStringList texts;
    for (int c = 0; c < item.columnCount(); ++c)
        texts << item.text(c);
    return texts;
}

class AttOrgaDlgTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        dialog = std::make_unique<CAttOrgaDlg>();
        dialog->show();
        table = dialog->findChild<CReportListCtrl*>("planTable");
        Paste("10 Ships attacking 1.2.3 ETA 4h from 4.4.4\n20 Ships attacking 1.2.3 ETA 2h from 2.2.2");
        Click("importOutgoingsButton");
    }

    void Paste(const QString& text) { dialog->findChild<QPlainTextEdit*>("pasteEdit")->setPlainText(text); }
    void Click(const char* button) { dialog->findChild<QPushButton*>(button)->click(); }
    QTreeWidgetItem& Target() { return *table->topLevelItem(0); }

    // Double-clicks at `point` of the list; the fleet edit dialog that opens
    // gets `shuttles` typed in and is closed with `button`.
    QStringList DoubleClickAndEdit(QPoint point, const QString& shuttles, const char* button) {
        QStringList shown;
        QTimer::singleShot(0, [&] {
            auto* edit = qobject_cast<CFleetEditDlg*>(QApplication::activeModalWidget());
            if (edit == nullptr)
                return;
            shown = edit->Classes();
            edit->findChild<QLineEdit*>("shuttleEdit")->setText(shuttles);
            edit->findChild<QPushButton*>(button)->click();
        });
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, point);
        return shown;
    }
    QPoint CentreOf(QTreeWidgetItem* item) { return table->visualItemRect(item).center(); }

    std::unique_ptr<CAttOrgaDlg> dialog;
    CReportListCtrl* table = nullptr;
};

TEST_F(AttOrgaDlgTest, ImportShowsTargetsWithFleetsByEta) {
    ASSERT_EQ(table->topLevelItemCount(), 1);
    EXPECT_EQ(Texts(Target()), QStringList({"1.2.3", "", "", "", "", "", "", "", "", "", "", "DEFF"}));
    ASSERT_EQ(Target().childCount(), 2);
    EXPECT_TRUE(Target().isExpanded());
    EXPECT_EQ(Texts(*Target().child(0)),
              QStringList({"2.2.2", "2", "", "", "", "", "", "", "", "20", "", "ATT"}));
    EXPECT_EQ(Target().child(0)->foreground(0).color(), QColor(255, 0, 0));
    EXPECT_TRUE(dialog->findChild<QPlainTextEdit*>("pasteEdit")->toPlainText().isEmpty());
    EXPECT_TRUE(MessageBoxes::TakeShownTexts().isEmpty());

    // Lines it cannot read are named and add nothing.
    Paste("Ausgehende Flotten\n5 Ships attacking 1.2.3 ETA 1h from 5.5.5\n1000+ Ships attacking 7.7.7 ETA 1h "
          "from 5.5.5");
    Click("importOutgoingsButton");
    EXPECT_EQ(table->topLevelItemCount(), 1);
    EXPECT_EQ(Target().childCount(), 3);
    const QStringList shown = MessageBoxes::TakeShownTexts();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith("2 Zeilen wurden nicht übernommen:\nAusgehende Flotten\n1000+ Ships "
                                    "attacking 7.7.7 ETA 1h from 5.5.5\n\n"))
        << shown[0].toStdString();
}

TEST_F(AttOrgaDlgTest, EnterAndTheContextMenuEditTheFleetWhichTakesNoMoreShipsThanItHas) {
    QAction* edit = nullptr;
    for (QAction* action : table->actions())
        if (action->text() == "Flotte ändern")
            edit = action;
    ASSERT_NE(edit, nullptr);
    QApplication::setActiveWindow(dialog.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    QTreeWidgetItem* fleet = Target().child(1); // 4.4.4 with 10 ships
    table->setCurrentItem(fleet);
    table->setFocus();

    // Too many ships are told and the dialog stays open for a correction.
    QStringList told;
    bool stayedOpen = false;
    QTimer::singleShot(0, [&] {
        auto* fleetEdit = qobject_cast<CFleetEditDlg*>(QApplication::activeModalWidget());
        if (fleetEdit == nullptr)
            return;
        fleetEdit->findChild<QLineEdit*>("shuttleEdit")->setText("6");
        fleetEdit->findChild<QLineEdit*>("fighterEdit")->setText("5");
        fleetEdit->findChild<QPushButton*>("okButton")->click();
        told = MessageBoxes::TakeShownTexts();
        stayedOpen = fleetEdit->isVisible();
        fleetEdit->findChild<QLineEdit*>("fighterEdit")->setText("4");
        fleetEdit->findChild<QPushButton*>("okButton")->click();
    });
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(told, QStringList{"Die Flotte aus 4.4.4 hat 10 Schiffe, eingetragen sind 11."});
    EXPECT_EQ(Texts(*fleet).mid(2, 2), QStringList({"6", "4"}));

    QString planet;
    QTimer::singleShot(0, [&] {
        if (auto* fleetEdit = qobject_cast<CFleetEditDlg*>(QApplication::activeModalWidget())) {
            planet = fleetEdit->findChild<QLabel*>("coordsLabel")->text();
            fleetEdit->reject();
        }
    });
    edit->trigger(); // the context menu's entry opens the same edit
    EXPECT_EQ(planet, "4.4.4");
    EXPECT_EQ(fleet->text(2), "6");
}

TEST_F(AttOrgaDlgTest, OkWritesTheClassesBackAndCancelDoesNot) {
    QTreeWidgetItem* fleet = Target().child(1);
    table->setCurrentItem(fleet);
    EXPECT_EQ(DoubleClickAndEdit(CentreOf(fleet), "10", "okButton"), QStringList(7, QString()));
    EXPECT_EQ(Texts(*fleet).mid(2, 7), QStringList({"10", "", "", "", "", "", ""}));

    EXPECT_EQ(DoubleClickAndEdit(CentreOf(fleet), "99", "cancelButton").value(0), "10");
    EXPECT_EQ(fleet->text(2), "10");

    Click("computeSumsButton");
    ASSERT_EQ(Target().childCount(), 5);
    EXPECT_EQ(Target().child(1)->text(9), "10");
    EXPECT_EQ(Texts(*Target().child(3)).mid(0, 4), QStringList({"ATT", "", "10", "0"}));
}

TEST_F(AttOrgaDlgTest, SumsFollowEveryEditOnceShown) {
    Click("computeSumsButton");
    const auto attackers = [&] { return Target().child(Target().childCount() - 2)->text(kColTotal); };
    EXPECT_EQ(attackers(), "0");

    table->setCurrentItem(Target().child(0));
    DoubleClickAndEdit(CentreOf(Target().child(0)), "20", "okButton");
    EXPECT_EQ(attackers(), "20");

    // Entf and the context menu remove a fleet row, never a sum row.
    QAction* remove = table->actions().value(1);
    ASSERT_NE(remove, nullptr);
    EXPECT_EQ(remove->text(), "Flotte entfernen");
    EXPECT_EQ(table->contextMenuPolicy(), Qt::ActionsContextMenu);
    QApplication::setActiveWindow(dialog.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    table->setCurrentItem(Target().child(0));
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Delete);
    ASSERT_EQ(Target().childCount(), 4);
    EXPECT_EQ(attackers(), "0");
    table->setCurrentItem(Target().child(Target().childCount() - 1));
    remove->trigger();
    EXPECT_EQ(Target().childCount(), 4);
    EXPECT_TRUE(dialog->HasUnsavedChanges());
}

TEST_F(AttOrgaDlgTest, DoubleClickBelowTheRowsEditsTheSelectedRow) {
    table->setCurrentItem(&Target());
    DoubleClickAndEdit(QPoint(5, table->viewport()->height() - 5), "7", "okButton");
    EXPECT_EQ(Target().text(2), "7");

    table->clearSelection();
    EXPECT_TRUE(DoubleClickAndEdit(QPoint(5, table->viewport()->height() - 5), "8", "okButton").isEmpty());
    EXPECT_EQ(Target().text(2), "7");
}

TEST_F(AttOrgaDlgTest, LoadsAWholeLargeFileAndNamesOneThatCannotBeOpened) {
    const std::filesystem::path file = Here("outgoings.txt");
    {
        std::ofstream out(file, std::ios::binary);
        for (int i = 0; i < 8000; ++i) // about 400 kB
            out << "1 Ships attacking 9.9." << i << " ETA 3h from 1.1.1\r\n";
    }
    QAction* load = dialog->findChild<QMenuBar*>()->actions().value(0)->menu()->actions().value(0);
    ASSERT_NE(load, nullptr);
    FileDialogs::SetNextFileName(QString::fromStdString(file.string()));
    load->trigger();
    ASSERT_EQ(table->topLevelItemCount(), 8001);
    EXPECT_EQ(table->topLevelItem(8000)->text(0), "9.9.7999");

    const QString missing = QString::fromStdString(Here("missing.txt").string());
    FileDialogs::SetNextFileName(missing);
    load->trigger();
    const QStringList shown = MessageBoxes::TakeShownTexts();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains(missing)) << shown[0].toStdString();
    EXPECT_EQ(table->topLevelItemCount(), 8001);
}

TEST_F(AttOrgaDlgTest, PasteFieldHoldsAtMostOneHundredThousandCharacters) {
    auto* edit = dialog->findChild<QPlainTextEdit*>("pasteEdit");
    edit->setPlainText(QString(100005, 'x'));
    EXPECT_EQ(edit->toPlainText().size(), 100000);
}

TEST_F(AttOrgaDlgTest, TableTakesTheRoomShowsWholeCellsAndHidesItsMarkers) {
    dialog->resize(800, 700);
    QApplication::processEvents();
    EXPECT_GT(table->height(), 450);
    EXPECT_TRUE(table->isColumnHidden(kColSide));
    EXPECT_TRUE(table->isColumnHidden(kColIsSum));
    Paste("1 Ships attacking 1.2.3 ETA 4h from 199.299.399");
    Click("importOutgoingsButton");
    const int needed = table->fontMetrics().horizontalAdvance("199.299.399");
    EXPECT_GE(table->columnWidth(kColName), needed + table->indentation());
}

TEST_F(AttOrgaDlgTest, FleetEditShowsTheEditedRowsPlanet) {
    const auto planetShown = [&](QTreeWidgetItem* item) {
        QString planet;
        table->setCurrentItem(item);
        QTimer::singleShot(0, [&] {
            if (auto* edit = qobject_cast<CFleetEditDlg*>(QApplication::activeModalWidget())) {
                planet = edit->findChild<QLabel*>("coordsLabel")->text();
                edit->reject();
            }
        });
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, CentreOf(item));
        return planet;
    };
    EXPECT_EQ(planetShown(Target().child(0)), "2.2.2");
    EXPECT_EQ(planetShown(&Target()), "1.2.3");
    Click("computeSumsButton");
    EXPECT_EQ(planetShown(Target().child(3)), "1.2.3"); // the "ATT" sum row
}

TEST_F(AttOrgaDlgTest, UnsavedPlanAsksBeforeClosingAndComesBackFromItsFile) {
    MessageBoxes::SetNextAnswer(false);
    dialog->reject(); // Esc
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(MessageBoxes::TakeShownTexts().size(), 1);

    QAction* save = nullptr;
    QAction* load = nullptr;
    for (QAction* item : dialog->findChild<QMenuBar*>()->actions().value(2)->menu()->actions())
        (item->text().startsWith("Plan speichern") ? save : load) = item;
    ASSERT_TRUE(save && load);
    Click("computeSumsButton");
    const QString file = QString::fromStdString(Here("plan").string());
    FileDialogs::SetNextFileName(file);
    save->trigger();
    EXPECT_FALSE(dialog->HasUnsavedChanges());
    dialog->reject();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(MessageBoxes::TakeShownTexts().isEmpty());

    CAttOrgaDlg reopened;
    FileDialogs::SetNextFileName(file + ".json");
    for (QAction* item : reopened.findChild<QMenuBar*>()->actions().value(2)->menu()->actions())
        if (item->text().startsWith("Plan laden"))
            item->trigger();
    auto* loadedTable = reopened.findChild<CReportListCtrl*>("planTable");
    ASSERT_EQ(loadedTable->topLevelItemCount(), 1);
    ASSERT_EQ(loadedTable->topLevelItem(0)->childCount(), 5);
    EXPECT_EQ(Texts(*loadedTable->topLevelItem(0)->child(3)), Texts(*Target().child(3)));

    // A file that is no plan is told and changes nothing.
    WriteBytes(Here("broken.json"), "{\"rows\": ");
    EXPECT_FALSE(reopened.LoadPlanFile(QString::fromStdString(Here("broken.json").string())));
    EXPECT_EQ(MessageBoxes::TakeShownTexts().size(), 1);
    EXPECT_EQ(loadedTable->topLevelItemCount(), 1);
}

class FleetMovesDlgTest : public GuiTest {};

TEST_F(FleetMovesDlgTest, AppendsGroupsOnEveryPressUntilEmptied) {
    CFleetMovesDlg dialog;
    auto* list = dialog.findChild<CReportListCtrl*>("movesList");
    auto* edit = dialog.findChild<QPlainTextEdit*>("pasteEdit");
    edit->setPlainText(
        "100 Ships from 1.2.3 attacking 4.5.6 ETA 3\n50 Ships from 7.8.9 defending 4.5.6 ETA 2");
    dialog.findChild<QPushButton*>("enterButton")->click();
    ASSERT_EQ(list->topLevelItemCount(), 7);
    EXPECT_EQ(Texts(*list->topLevelItem(2)), QStringList({"100", "1.2.3", "ETA 3"}));
    EXPECT_EQ(list->topLevelItem(2)->foreground(2).color(), QColor(255, 0, 0));
    EXPECT_EQ(list->topLevelItem(3)->foreground(1).color(), QColor(0, 128, 0));
    EXPECT_EQ(list->topLevelItem(5)->text(0), "Atter 100 - 50 Deffer");
    EXPECT_TRUE(edit->toPlainText().isEmpty());

    // Nothing pasted adds nothing; "Leeren" empties the list.
    edit->setPlainText(" \n ");
    dialog.findChild<QPushButton*>("enterButton")->click();
    EXPECT_EQ(list->topLevelItemCount(), 7);
    EXPECT_EQ(dialog.windowTitle(), "Flottenbewegungen");
    dialog.findChild<QPushButton*>("clearButton")->click();
    EXPECT_EQ(list->topLevelItemCount(), 0);

    // The hint's examples are lines the dialog reads, the outgoing-fleet list's among them;
    // what it cannot read is named.
    const QStringList examples = dialog.findChild<QLabel*>("formatsLabel")->text().split('\n').mid(1);
    ASSERT_EQ(examples.size(), 4);
    edit->setPlainText(examples.join("\nFlottenbewegungen\n"));
    dialog.findChild<QPushButton*>("enterButton")->click();
    ASSERT_EQ(list->topLevelItemCount(), 9);
    EXPECT_EQ(Texts(*list->topLevelItem(5)), QStringList({"1200", "3.3.3", "ETA 5h"}));
    EXPECT_EQ(list->topLevelItem(7)->text(0), "Atter 1320 - 50 Deffer");
    const QStringList shown = MessageBoxes::TakeShownTexts();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith("3 Zeilen wurden nicht übernommen:\nFlottenbewegungen\n"))
        << shown[0].toStdString();
}

} // namespace
