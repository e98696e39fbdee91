// The settings dialog writes every change at once and hands its values back
// to the form however it is closed.

#include "AppTestSupport.h"
#include "app/CMainFrame.h"
#include "app/CVoxlanApp.h"
#include "app/CVoxlanView.h"
#include "app/FileDialogs.h"
#include "app/PageFiles.h"
#include "app/db/CSettingsDlg.h"
#include "archive/BattleDatabase.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace skarnwald::testing {
namespace {

using SettingsDlgTest = DatabaseTest;

TEST_F(SettingsDlgTest, OpeningCreatesTheMissingRowsWithoutChangingOthers) {
    RunSql(*connection_, "INSERT INTO Einstellungen (Einstellung,Wert) VALUES ('PersStat','1')");
    CSettingsDlg dialog(connection_);
    EXPECT_EQ(database_.ReadStoreSetting(), 0);
    EXPECT_EQ(database_.ReadPersStatSetting(), 1);
    EXPECT_EQ(database_.ReadOwnCoords(), "0");
}

TEST_F(SettingsDlgTest, ShowingValuesWritesNothingAndEveryChangeIsWrittenAtOnce) {
    CSettingsDlg dialog(connection_);
    dialog.SetValues(1, 0, {"", "", "0"});
    EXPECT_EQ(database_.ReadStoreSetting(), 0);

    auto* store = dialog.findChild<QCheckBox*>("storeCheck");
    store->click();
    EXPECT_EQ(database_.ReadStoreSetting(), 0);
    store->click();
    EXPECT_EQ(database_.ReadStoreSetting(), 1);
    dialog.findChild<QCheckBox*>("statsCheck")->click();
    EXPECT_EQ(database_.ReadPersStatSetting(), 1);

    QTest::keyClicks(dialog.findChild<QLineEdit*>("firstCoord"), "5");
    EXPECT_EQ(database_.ReadOwnCoords(), "5..0");
    QTest::keyClicks(dialog.findChild<QLineEdit*>("secondCoord"), "1'2");
    EXPECT_EQ(database_.ReadOwnCoords(), "5.1'2.0"); // stored as typed, quote included

    // The page folder: switching on asks for one, cancelling leaves it off.
    auto* autoSave = dialog.findChild<QCheckBox*>("autoSaveCheck");
    FileDialogs::SetNextFileName(QString());
    autoSave->click();
    EXPECT_FALSE(autoSave->isChecked());
    FileDialogs::SetNextFileName("/seiten");
    autoSave->click();
    EXPECT_EQ(AutoSaveFolder(), "/seiten");
    autoSave->click();
    EXPECT_EQ(AutoSaveFolder(), "");
}

TEST_F(SettingsDlgTest, FormTakesTheValuesBackHoweverTheDialogIsClosed) {
    CVoxlanApp app;
    ASSERT_TRUE(app.InitInstance("Data.dat"));
    CVoxlanView* view = app.MainFrame()->View();
    OnNextModal([](QWidget* dialog) {
        dialog->findChild<QCheckBox*>("storeCheck")->click();
        QTest::keyClicks(dialog->findChild<QLineEdit*>("thirdCoord"), "9");
        dialog->close(); // the window's close box
    });
    view->OnSettings();
    EXPECT_EQ(view->Storing().storeInDb, 1);
    EXPECT_EQ(view->Storing().personalStats, 0);
    EXPECT_EQ(view->Converter().ownCoords, "..9");
    EXPECT_EQ(database_.ReadOwnCoords(), "..9");

    OnNextModal([](QWidget* dialog) { dialog->findChild<QPushButton*>("closeButton")->click(); });
    view->OnSettings();
    EXPECT_EQ(view->Storing().storeInDb, 1);
    EXPECT_EQ(view->Converter().ownCoords, "..9");
}

} // namespace
} // namespace skarnwald::testing
