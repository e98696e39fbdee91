// Archives from someone else in the desktop program: a file with foreign
// objects is told and left alone, and the dialogs over the stored battles show
// what they can of rows the program never writes.

#include "AppTestSupport.h"
#include "HostileArchives.h"
#include "app/CMainFrame.h"
#include "app/CVoxlanApp.h"
#include "app/db/CDatabaseDlg.h"
#include "app/stats/CPersStatDlg.h"
#include "app/stats/CTimelineDlg.h"

#include <QTreeWidget>

namespace skarnwald::testing {
namespace {

using ForeignArchiveDlgTest = GuiTest;

// The program keeps running either way: on "Nein" without an archive and
// with the file untouched, on "Ja" on a new archive of the file's battles in
// its place, the file kept beside it.
TEST_F(ForeignArchiveDlgTest, ForeignObjectsAreToldAndTheBattlesTakenOverOrLeftAlone) {
    for (const bool takeOver : {false, true})
        for (const auto& [sql, named] : kForeignSchemas) {
            SCOPED_TRACE(named);
            std::filesystem::remove(Here("Data.dat"));
            MakeStoredArchive(Here("Data.dat"));
            ChangeBehindTheProgramsBack(Here("Data.dat"), sql);
            const std::string before = FileBytes(Here("Data.dat"));
            MessageBoxes::SetNextAnswer(takeOver);
            CVoxlanApp app;
            ASSERT_TRUE(app.InitInstance("Data.dat"));
            ASSERT_NE(app.MainFrame(), nullptr);
            const QStringList shown = MessageBoxes::TakeShownTexts();
            ASSERT_EQ(shown.size(), takeOver ? 2 : 1);
            EXPECT_TRUE(shown.front().contains(QString::fromUtf8("enthält fremde Objekte: ") +
                                               QString::fromUtf8(named.data(), named.size())))
                << shown.front().toStdString();
            EXPECT_EQ(app.MainFrame()->windowTitle().endsWith(QString::fromUtf8(" – ohne Datenbank")),
                      !takeOver);
            const std::string kept = FileBytes(Here(takeOver ? "Data.dat.bak" : "Data.dat"));
            EXPECT_EQ(kept, before);
            if (takeOver) {
                EXPECT_TRUE(shown.back().startsWith(QString::fromUtf8("1 Kampf übernommen nach Data.dat.")))
                    << shown.back().toStdString();
                OpenResult opened = CConnection::Open(Here("Data.dat"));
                ASSERT_TRUE(opened.connection) << opened.error;
                EXPECT_EQ(QueryInt(*opened.connection, "SELECT COUNT(*) FROM Battles"), 1);
                std::filesystem::remove(Here("Data.dat.bak"));
            }
        }
}

TEST_F(ForeignArchiveDlgTest, HostileRowsOpenInTheBrowserAndTheStatistics) {
    for (const HostileRowsCase& hostile : HostileRowsCases()) {
        SCOPED_TRACE(hostile.name);
        std::filesystem::remove(Here("Data.dat"));
        MakeStoredArchive(Here("Data.dat"));
        ChangeBehindTheProgramsBack(Here("Data.dat"), hostile.sql);
        OpenResult opened = CConnection::Open(Here("Data.dat"));
        ASSERT_TRUE(opened.connection) << opened.error;
        {
            CDatabaseDlg browser(opened.connection);
            QTreeWidget& list = *browser.findChild<QTreeWidget*>("battleList");
            EXPECT_GE(list.topLevelItemCount(), 1);
            for (int b = 0; b < list.topLevelItemCount(); ++b)
                list.expandItem(list.topLevelItem(b));
            CPersStatDlg record(opened.connection);
            CTimelineDlg timeline(opened.connection);
        }
        EXPECT_TRUE(MessageBoxes::TakeShownTexts().isEmpty());
    }
}

} // namespace
} // namespace skarnwald::testing
