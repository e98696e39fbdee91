// The built command line finds the same archive as the desktop program, and
// `settings` names it.

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

class CliArchive : public testing::Test {
protected:
    // `settings` in the folder "work" with HOME "home"; its first line and stderr.
    std::pair<std::string, std::string> Settings(const std::string& environment) {
        const std::string command =
            "cd '" + (folder / "work").string() + "' && HOME='" + (folder / "home").string() +
            "' XDG_DATA_HOME= SKARNWALD_DB=" + environment + " '" SKARNWALD_CLI "' settings > '" +
            (folder / "out").string() + "' 2> '" + (folder / "err").string() + "'";
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

} // namespace
} // namespace skarnwald::test
