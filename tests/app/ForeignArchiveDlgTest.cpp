// Archives from someone else in the desktop program: a file with foreign
// objects is told and left alone, and the dialogs over the stored battles show
// what they can of rows the program never writes.

#include "AppTestSupport.h"
#include "HostileArchives.h"
#include "app/CVoxlanApp.h"
#include "app/db/CDatabaseDlg.h"
#include "app/stats/CPersStatDlg.h"
#include "app/stats/CTimelineDlg.h"

#include <QTreeWidget>

namespace skarnwald::testing {
namespace {

using ForeignArchiveDlgTest = GuiTest;

TEST_F(ForeignArchiveDlgTest, ForeignObjectsAreToldAndTheFileIsLeftAlone) {
    for (const auto& [sql, named] : kForeignSchemas) {
        SCOPED_TRACE(named);
        std::filesystem::remove(Here("Data.dat"));
        MakeStoredArchive(Here("Data.dat"));
        ChangeBehindTheProgramsBack(Here("Data.dat"), sql);
        const std::string before = FileBytes(Here("Data.dat"));
        CVoxlanApp app;
        EXPECT_FALSE(app.InitInstance("Data.dat"));
        const QStringList shown = MessageBoxes::TakeShownTexts();
        ASSERT_EQ(shown.size(), 1);
        EXPECT_TRUE(shown.front().contains(QString::fromUtf8("enthält fremde Objekte: ") +
                                           QString::fromUtf8(named.data(), named.size())))
            << shown.front().toStdString();
        EXPECT_EQ(FileBytes(Here("Data.dat")), before);
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
