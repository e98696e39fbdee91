// Which Data.dat the programs open, and moving one of an earlier version out
// of the home folder.

#include "DbTestSupport.h"

#include "archive/ArchiveLocation.h"

#include <map>
#include <utility>

namespace skarnwald::testing {
namespace {

namespace fs = std::filesystem;

enum class DataHome { Unset, Absolute, Relative };

struct LocateCase {
    const char* what;
    bool inWork = false, inHome = false, inUserData = false; // where a Data.dat lies already
    DataHome dataHome = DataHome::Unset;
    bool startedAtHome = false;
    const char* commandLine = "";
    const char* environment = "";
    bool withoutHome = false;
    ArchiveSource expected = ArchiveSource::UserData;
};

class ArchiveLocationTest : public ::testing::Test {
protected:
    fs::path Home() const { return folder / "home"; }
    fs::path Work() const { return folder / "work"; }

    static void Plant(const fs::path& file) {
        fs::create_directories(file.parent_path());
        WriteBytes(file, "");
    }

    TempFolder folder;
};

TEST_F(ArchiveLocationTest, CommandLineThenEnvironmentThenWorkingFolderThenUserDataOrTheHomeFolder) {
    using enum ArchiveSource;
    const LocateCase cases[] = {
        {.what = "nothing yet"},
        {.what = "XDG_DATA_HOME", .dataHome = DataHome::Absolute},
        {.what = "a relative XDG_DATA_HOME is ignored", .dataHome = DataHome::Relative},
        {.what = "portable", .inWork = true, .expected = WorkingFolder},
        {.what = "portable before the user's", .inWork = true, .inUserData = true, .expected = WorkingFolder},
        {.what = "environment", .inWork = true, .environment = "env.dat", .expected = Environment},
        {.what = "command line",
         .inWork = true,
         .commandLine = "cli.dat",
         .environment = "env.dat",
         .expected = CommandLine},
        {.what = "earlier version", .inHome = true, .expected = HomeFolder},
        {.what = "earlier version, started at home",
         .inHome = true,
         .startedAtHome = true,
         .expected = HomeFolder},
        {.what = "earlier version left behind", .inHome = true, .inUserData = true},
        {.what = "home is no portable folder", .inHome = true, .inUserData = true, .startedAtHome = true},
        {.what = "no home folder", .withoutHome = true, .expected = WorkingFolder},
    };
    for (const LocateCase& test : cases) {
        SCOPED_TRACE(test.what);
        fs::remove_all(folder.Path());
        fs::create_directories(Work());
        fs::create_directories(Home());
        ArchiveSearch search{test.commandLine, test.environment, "", test.withoutHome ? "" : Home().string(),
                             test.startedAtHome ? Home() : Work()};
        fs::path userData = Home() / ".local/share/skarnwald/Data.dat";
        if (test.dataHome == DataHome::Absolute) {
            search.xdgDataHome = (folder / "data").string();
            userData = folder / "data/skarnwald/Data.dat";
        } else if (test.dataHome == DataHome::Relative) {
            search.xdgDataHome = "data";
        }
        for (const auto& [planted, file] :
             {std::pair{test.inWork, Work() / "Data.dat"}, std::pair{test.inHome, Home() / "Data.dat"},
              std::pair{test.inUserData, userData}})
            if (planted)
                Plant(file);

        const ArchiveLocation location = LocateArchive(search);
        EXPECT_EQ(location.source, test.expected);
        const std::map<ArchiveSource, fs::path> expectedFile = {
            {CommandLine, "cli.dat"},
            {Environment, "env.dat"},
            {WorkingFolder, search.workingFolder / "Data.dat"},
            {UserData, userData},
            {HomeFolder, Home() / "Data.dat"}};
        EXPECT_EQ(location.file, expectedFile.at(test.expected));

        EXPECT_TRUE(MakeArchiveFolder(location).Succeeded());
        EXPECT_EQ(fs::exists(userData.parent_path()), test.expected == UserData || test.inUserData);
    }
}

TEST_F(ArchiveLocationTest, MovingTakesTheJournalAlongAndNeverOverwrites) {
    const fs::path earlier = folder / "Data.dat";
    const fs::path target = folder / "data/skarnwald/Data.dat";
    ASSERT_TRUE(CConnection::Open(earlier).connection);
    WriteBytes(folder / "Data.dat-journal", "");
    const std::string bytes = FileBytes(earlier);

    EXPECT_TRUE(MoveArchive(earlier, target).Succeeded());
    EXPECT_FALSE(fs::exists(earlier));
    EXPECT_FALSE(fs::exists(folder / "Data.dat-journal"));
    EXPECT_TRUE(fs::exists(folder / "data/skarnwald/Data.dat-journal"));
    EXPECT_EQ(FileBytes(target), bytes);
    fs::remove(folder / "data/skarnwald/Data.dat-journal");
    const OpenResult opened = CConnection::Open(target);
    ASSERT_TRUE(opened.connection) << opened.error;
    EXPECT_EQ(ArchiveFileOf(*opened.connection), target);

    WriteBytes(earlier, "older");
    const std::string refused = MoveArchive(earlier, target).error;
    EXPECT_NE(refused.find(target.string()), std::string::npos) << refused;
    EXPECT_EQ(FileBytes(earlier), "older");
    EXPECT_EQ(FileBytes(target), bytes);
}

} // namespace
} // namespace skarnwald::testing
