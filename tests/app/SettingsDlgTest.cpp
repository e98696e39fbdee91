// The settings dialog writes nothing before OK, however else it is closed,
// reads the own coordinates in the forms the game writes and refuses others,
// and hands its values to the form only when confirmed.

#include "AppTestSupport.h"
#include "app/CMainFrame.h"
#include "app/CVoxlanApp.h"
#include "app/CVoxlanView.h"
#include "app/FileDialogs.h"
#include "app/PageFiles.h"
#include "app/db/CSettingsDlg.h"
#include "archive/SettingsStore.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace skarnwald::testing {
namespace {

class SettingsDlgTest : public DatabaseTest {
protected:
    template <typename W> static W* Child(QWidget& dialog, const char* name) {
        return dialog.findChild<W*>(name);
    }
    static QLineEdit* Box(QWidget& dialog, int index) {
        static const char* const names[] = {"firstCoord", "secondCoord", "thirdCoord"};
        return Child<QLineEdit>(dialog, names[index]);
    }
    static QStringList Boxes(QWidget& dialog) {
        return {Box(dialog, 0)->text(), Box(dialog, 1)->text(), Box(dialog, 2)->text()};
    }
    static void Press(QWidget& dialog, QDialogButtonBox::StandardButton button) {
        Child<QDialogButtonBox>(dialog, "buttons")->button(button)->click();
    }
};

TEST_F(SettingsDlgTest, OpeningCreatesTheMissingRowsWithoutChangingOthers) {
    RunSql(*connection_, "INSERT INTO Einstellungen (Einstellung,Wert) VALUES ('PersStat','1')");
    CSettingsDlg dialog(connection_);
    EXPECT_EQ(ReadStoringSettings(*connection_).storeInDb, 0);
    EXPECT_EQ(ReadStoringSettings(*connection_).personalStats, 1);
    EXPECT_EQ(ReadStoringSettings(*connection_).ownCoords, "0");
}

TEST_F(SettingsDlgTest, NothingIsWrittenBeforeOkAndEveryOtherWayOutDiscardsTheChanges) {
    const std::pair<const char*, std::function<void(CSettingsDlg&)>> closings[] = {
        {"Escape", [](CSettingsDlg& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); }},
        {"Abbrechen", [](CSettingsDlg& dialog) { Press(dialog, QDialogButtonBox::Cancel); }},
        {"close box", [](CSettingsDlg& dialog) { dialog.close(); }},
        {"OK", [](CSettingsDlg& dialog) { Press(dialog, QDialogButtonBox::Ok); }},
    };
    for (const auto& [closing, close] : closings) {
        CSettingsDlg dialog(connection_);
        dialog.SetValues(0, 0, "0");
        dialog.show();
        for (const char* check : {"storeCheck", "statsCheck", "hideOwnCheck", "hideNamesCheck"})
            Child<QCheckBox>(dialog, check)->click();
        QGuiApplication::clipboard()->setText("4.7.2");
        Box(dialog, 0)->paste();
        FileDialogs::SetNextFileName("/seiten");
        Child<QCheckBox>(dialog, "autoSaveCheck")->click();
        EXPECT_EQ(ReadStoringSettings(*connection_).storeInDb, 0) << closing << ": written before closing";

        close(dialog);
        const bool kept = std::string_view(closing) == "OK";
        EXPECT_FALSE(dialog.isVisible()) << closing;
        EXPECT_EQ(ReadStoringSettings(*connection_).storeInDb, kept ? 1 : 0) << closing;
        EXPECT_EQ(ReadStoringSettings(*connection_).personalStats, kept ? 1 : 0) << closing;
        EXPECT_EQ(ReadStoringSettings(*connection_).ownCoords, kept ? "4.7.2" : "0") << closing;
        EXPECT_EQ(ReadRedaction(*connection_).hideNames, kept) << closing;
        EXPECT_EQ(AutoSaveFolder(), kept ? "/seiten" : "") << closing;
    }
}

TEST_F(SettingsDlgTest, OwnCoordinatesAreReadInTheGamesFormsWhereverTypedOrPasted) {
    enum class How { Type, Paste };
    const struct {
        int box;
        How how;
        const char* input;
        QStringList boxes;
        const char* stored; // nullptr: refused with a message, the dialog stays open
    } cases[] = {
        {0, How::Paste, "7.2.5", {"7", "2", "5"}, "7.2.5"},
        {0, How::Type, "7.2.5", {"7", "2", "5"}, "7.2.5"},
        {1, How::Paste, "7. 2. 5", {"7", "2", "5"}, "7.2.5"},
        {2, How::Paste, "[11.7.8]", {"11", "7", "8"}, "11.7.8"},
        {0, How::Type, "[ 11.7.8 ]", {"11", "7", "8"}, "11.7.8"},
        {0, How::Paste, "7.2", {"7.2", "", ""}, nullptr},
        {0, How::Type, "7.2", {"7", "2", ""}, nullptr},
        {1, How::Type, "x", {"", "x", ""}, nullptr},
        {0, How::Paste, "12345.1.1", {"12345.1.1", "", ""}, nullptr},
        {2, How::Type, "1'2", {"", "", "1'2"}, nullptr},
    };
    for (const auto& test : cases) {
        const std::string label = std::string(test.input) + " into box " + std::to_string(test.box);
        WriteOwnCoords(*connection_, "1.1.1");
        CSettingsDlg dialog(connection_);
        dialog.SetValues(0, 0, "");
        dialog.show();
        QLineEdit* box = Box(dialog, test.box);
        box->setFocus();
        if (test.how == How::Type) {
            // Key by key into whichever box has the focus, as a player types.
            for (const char key : std::string_view(test.input))
                QTest::keyClicks(dialog.focusWidget(), QString(QLatin1Char(key)));
        } else {
            QGuiApplication::clipboard()->setText(test.input);
            box->paste();
        }
        EXPECT_EQ(Boxes(dialog), test.boxes) << label;
        Press(dialog, QDialogButtonBox::Ok);
        EXPECT_EQ(Child<QLabel>(dialog, "coordsMessage")->isVisible(), !test.stored) << label;
        EXPECT_EQ(dialog.isVisible(), !test.stored) << label;
        EXPECT_EQ(ReadStoringSettings(*connection_).ownCoords, test.stored ? test.stored : "1.1.1") << label;
    }
}

TEST_F(SettingsDlgTest, UntouchedCoordinatesStayAsStoredAndEmptiedOnesAreNone) {
    CSettingsDlg dialog(connection_);
    dialog.SetValues(0, 0, "0"); // as the dialog's rows are created
    EXPECT_EQ(Boxes(dialog), (QStringList{"", "", "0"}));
    dialog.accept();
    EXPECT_EQ(ReadStoringSettings(*connection_).ownCoords, "0");

    CSettingsDlg again(connection_);
    again.SetValues(0, 0, "4.7.2");
    again.show();
    for (int index = 0; index < 3; ++index) {
        Box(again, index)->selectAll();
        QTest::keyClick(Box(again, index), Qt::Key_Backspace);
    }
    again.accept();
    EXPECT_EQ(ReadStoringSettings(*connection_).ownCoords, "");
}

TEST_F(SettingsDlgTest, FormTakesTheValuesOnlyWhenConfirmed) {
    CVoxlanApp app;
    ASSERT_TRUE(app.InitInstance("Data.dat"));
    CVoxlanView* view = app.MainFrame()->View();
    for (const bool confirm : {false, true}) {
        OnNextModal([confirm](QWidget* dialog) {
            Child<QCheckBox>(*dialog, "storeCheck")->click();
            QGuiApplication::clipboard()->setText("9.8.7");
            Box(*dialog, 0)->paste();
            Press(*dialog, confirm ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
        });
        view->OnSettings();
        EXPECT_EQ(view->Session().Storing().storeInDb, confirm ? 1 : 0);
        EXPECT_EQ(view->Session().Storing().personalStats, 0);
        EXPECT_EQ(view->Session().OwnCoords(), confirm ? "9.8.7" : "");
    }
    EXPECT_EQ(ReadStoringSettings(*connection_).ownCoords, "9.8.7");
}

} // namespace
} // namespace skarnwald::testing
