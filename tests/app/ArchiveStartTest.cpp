// The desktop program's archive from any folder: the user's data folder,
// shared with the command line, and moving one an earlier version left in
// the home folder.

#include "AppTestSupport.h"
#include "app/ArchiveChoice.h"
#include "app/CMainFrame.h"
#include "app/CVoxlanApp.h"
#include "app/CVoxlanView.h"
#include "app/FileDialogs.h"
#include "app/db/CDatabaseDlg.h"
#include "app/db/CSettingsDlg.h"
#include "archive/SettingsStore.h"

#include <QLabel>
#include <QPlainTextEdit>

#include <cstdlib>
#include <optional>

namespace skarnwald::testing {
namespace {

namespace fs = std::filesystem;

// Sets environment variables for one test and restores them after it.
class ScopedEnvironment {
public:
    void Set(const char* name, const std::optional<std::string>& value) {
        const char* before = std::getenv(name);
        saved_.emplace_back(name, before ? std::optional<std::string>(before) : std::nullopt);
        Apply(name, value);
    }
    ~ScopedEnvironment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
            Apply(it->first, it->second);
    }

private:
    static void Apply(const char* name, const std::optional<std::string>& value) {
        value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    }
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

class ArchiveStartTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        environment_.Set("HOME", Home().string());
        environment_.Set("XDG_DATA_HOME", std::nullopt);
        environment_.Set("SKARNWALD_DB", std::nullopt);
    }
    fs::path Home() const { return outside / "home"; }
    fs::path UserArchive() const { return Home() / ".local/share/skarnwald/Data.dat"; }

    ScopedEnvironment environment_;
    testfiles::TempFolder outside; // the home folder and another working folder
};

TEST_F(ArchiveStartTest, StoredBattlesLandInTheDataFolderWhereTheCommandLineFindsThem) {
    for (const bool xdgDataHome : {false, true}) {
        SCOPED_TRACE(xdgDataHome);
        const fs::path expected = xdgDataHome ? outside / "data/skarnwald/Data.dat" : UserArchive();
        if (xdgDataHome)
            environment_.Set("XDG_DATA_HOME", (outside / "data").string());
        const std::optional<fs::path> archive = ChooseArchive(ProcessArchiveSearch({}));
        ASSERT_EQ(archive, expected);
        {
            OpenResult opened = CConnection::Open(*archive);
            ASSERT_TRUE(opened.connection) << opened.error;
            EnsureSettingsRows(*opened.connection);
            WriteStoreSetting(*opened.connection, 1);
        }
        {
            CVoxlanApp app;
            ASSERT_TRUE(app.InitInstance(*archive));
            CVoxlanView* view = app.MainFrame()->View();
            view->findChild<QPlainTextEdit*>("reportEdit")
                ->setPlainText(QString::fromStdString(SampleReport("one-battle.txt")));
            FileDialogs::SetNextFileName(QString::fromStdString(Here("page").string()));
            view->OnStart();

            OpenResult opened = CConnection::Open(*archive);
            const QString shown = QString::fromStdString(archive->string());
            EXPECT_EQ(CSettingsDlg(opened.connection).findChild<QLabel*>("databaseLabel")->text(),
                      "Datenbank: " + shown);
            EXPECT_EQ(CDatabaseDlg(opened.connection).windowTitle(), "Datenbank – " + shown);
        }
        EXPECT_FALSE(fs::exists(Here("Data.dat")));

        fs::create_directories(outside / "elsewhere");
        const std::string listed = (outside / "listed.txt").string();
        ASSERT_EQ(std::system(("cd '" + (outside / "elsewhere").string() +
                               "' && '" SKARNWALD_CLI "' battles > '" + listed + "'")
                                  .c_str()),
                  0);
        EXPECT_NE(FileBytes(listed).find("Eisnebel"), std::string::npos) << FileBytes(listed);
        fs::remove(Here("page.htm"));
    }
}

TEST_F(ArchiveStartTest, AnArchiveInTheHomeFolderIsOfferedToMoveAndStaysInUseWhenDeclined) {
    for (const bool move : {true, false}) {
        SCOPED_TRACE(move);
        fs::remove_all(Home());
        fs::create_directories(Home());
        ASSERT_TRUE(CConnection::Open(Home() / "Data.dat").connection);
        MessageBoxes::SetNextAnswer(move);

        const std::optional<fs::path> archive = ChooseArchive(ProcessArchiveSearch({}));
        const QStringList asked = MessageBoxes::TakeShownTexts();
        ASSERT_EQ(asked.size(), 1);
        EXPECT_TRUE(
            asked.front().startsWith("Im persönlichen Ordner liegt die Datenbank einer früheren Version:\n" +
                                     QString::fromStdString((Home() / "Data.dat").string())));
        EXPECT_TRUE(asked.front().contains(QString::fromStdString(UserArchive().string())));
        EXPECT_EQ(archive, move ? UserArchive() : Home() / "Data.dat");
        EXPECT_EQ(fs::exists(UserArchive()), move);
        EXPECT_EQ(fs::exists(Home() / "Data.dat"), !move);
    }
}

} // namespace
} // namespace skarnwald::testing
