// The built command line finds the same archive as the desktop program,
// `settings` names it and `import-archive` takes battles into it.

#include "DbTestSupport.h"
#include "GermanCli.h"
#include "HostileArchives.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>

namespace skarnwald::test {
namespace {

namespace fs = std::filesystem;
using testfiles::FileBytes;

struct LocateCase {
    const char* what;
    bool portable;       // a Data.dat in the working folder
    bool environment;    // SKARNWALD_DB set
    bool earlierVersion; // a Data.dat in the home folder
    const char* expected;
};

class CliArchive : public ::testing::Test {
protected:
    // `settings` in the folder "work" with HOME "home"; its first line and stderr.
    std::pair<std::string, std::string> Settings(const std::string& environment) {
        const std::string command = "cd '" + (folder / "work").string() + "' && " + kGermanCli + "HOME='" +
                                    (folder / "home").string() +
                                    "' XDG_DATA_HOME= SKARNWALD_DB=" + environment +
                                    " '" SKARNWALD_CLI "' settings > '" + (folder / "out").string() +
                                    "' 2> '" + (folder / "err").string() + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << FileBytes(folder / "err");
        const std::string out = FileBytes(folder / "out");
        return {out.substr(0, out.find('\n')), FileBytes(folder / "err")};
    }

    testfiles::TempFolder folder;
};

// The full order is the core's (archive_tests); here the command line's use of it.
TEST_F(CliArchive, SettingsNameTheArchiveAndAnEarlierVersionsOneIsPointedOut) {
    const LocateCase cases[] = {
        {"portable", true, false, false, "work/Data.dat"},
        {"environment", true, true, false, "env.dat"},
        {"earlier version", false, false, true, "home/Data.dat"},
    };
    for (const LocateCase& test : cases) {
        SCOPED_TRACE(test.what);
        fs::remove_all(folder.Path());
        fs::create_directories(folder / "work");
        fs::create_directories(folder / "home");
        if (test.portable)
            testfiles::WriteBytes(folder / "work/Data.dat", "");
        if (test.earlierVersion)
            testfiles::WriteBytes(folder / "home/Data.dat", "");

        const auto [shown, err] = Settings(test.environment ? (folder / "env.dat").string() : "");
        EXPECT_EQ(shown, "Datenbank: " + (folder / test.expected).string());
        EXPECT_TRUE(fs::exists(folder / test.expected));
        // The earlier version's archive is named and left where it is.
        EXPECT_EQ(err.find("skarnwald bietet beim Start an") != std::string::npos, test.earlierVersion)
            << err;
    }
}

// Replacing or merging, without --db as with it: the battles go into the
// archive every other command uses, the command says where, and nothing is
// left beside it but the backup of the one replaced.
TEST_F(CliArchive, ImportArchiveTakesTheBattlesIntoTheArchiveInUse) {
    struct Way {
        const char* what;
        bool commandLine, environment, portable;
        const char* archive;
    };
    const Way ways[] = {
        {"--db", true, false, false, "chosen.dat"},
        {"SKARNWALD_DB", false, true, false, "env.dat"},
        {"working folder", false, false, true, "work/Data.dat"},
        {"data folder", false, false, false, "home/.local/share/skarnwald/Data.dat"},
    };
    const auto& foreignObjects = skarnwald::testing::kForeignSchemas[0];
    for (const Way& way : ways)
        for (const bool merge : {false, true}) {
            SCOPED_TRACE(std::string(way.what) + (merge ? " --merge" : ""));
            fs::remove_all(folder.Path());
            fs::create_directories(folder / "work");
            fs::create_directories(folder / "home");
            const fs::path foreign = folder / "Fremd.dat";
            skarnwald::testing::MakeStoredArchive(foreign);
            skarnwald::testing::ChangeBehindTheProgramsBack(foreign, foreignObjects.sql);
            if (way.portable)
                testfiles::WriteBytes(folder / "work/Data.dat", "");
            const fs::path archive = folder / way.archive;

            const std::string command =
                "cd '" + (folder / "work").string() + "' && " + kGermanCli + "HOME='" +
                (folder / "home").string() + "' XDG_DATA_HOME= SKARNWALD_DB='" +
                (way.environment ? archive.string() : "") +
                "' '" SKARNWALD_CLI "' import-archive ../Fremd.dat" + (merge ? " --merge" : "") +
                (way.commandLine ? " --db '" + archive.string() + "'" : "") + " > '" +
                (folder / "out").string() + "' 2> '" + (folder / "err").string() + "'";
            ASSERT_EQ(std::system(command.c_str()), 0) << FileBytes(folder / "err");
            EXPECT_EQ(FileBytes(folder / "out"),
                      "1 Kampf übernommen nach " + archive.string() +
                          ".\nNicht übernommen: " + std::string(foreignObjects.named) + ".\n");
            OpenResult opened = CConnection::Open(archive);
            ASSERT_TRUE(opened.connection) << opened.error;
            EXPECT_EQ(skarnwald::testing::CountRows(*opened.connection, "Battles"), 1);
            for (const auto& entry : fs::recursive_directory_iterator(folder.Path()))
                EXPECT_FALSE(entry.path().string().ends_with(".import")) << entry.path();
        }
}

} // namespace
} // namespace skarnwald::test
