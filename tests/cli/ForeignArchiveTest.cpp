// Archives from someone else on the command line: refused when their schema
// holds what the program never makes, taken in by import-archive, and read
// soundly by every command whatever their rows hold.

#include "DbTestSupport.h"
#include "HostileArchives.h"

#include "cli/Cli.h"

namespace skarnwald::testing {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kOtherReport = "13.03.2004 10:00:00 Uhr Battle at [ 1.2.3 ] Home\n"
                                          "Agility 7 [70/70] Fighter (Wasp) from 7.8.9 Other\n"
                                          "Agility 5 [50/50] Corvette (Tank) from 1.2.3 Keeper\n";

struct Outcome {
    int code;
    std::string out, err;
};

class ForeignArchiveTest : public ::testing::Test {
protected:
    void SetUp() override { MakeStoredArchive(Own()); }

    Outcome Cli(const std::vector<std::string>& args) {
        std::istringstream in;
        std::ostringstream out, err;
        const int code = cli::Run(args, {in, out, err});
        return {code, out.str(), err.str()};
    }
    fs::path Own() const { return folder / "own.dat"; }
    // A copy of the own archive, changed by `sql`.
    fs::path Foreign(std::string_view sql) {
        const fs::path file = folder / "foreign.dat";
        fs::copy_file(Own(), file, fs::copy_options::overwrite_existing);
        ChangeBehindTheProgramsBack(file, sql);
        return file;
    }
    std::string OtherReport() {
        WriteBytes(folder / "other.txt", kOtherReport);
        return (folder / "other.txt").string();
    }
    int Rows(const fs::path& file, std::string_view table) {
        OpenResult opened = CConnection::Open(file);
        EXPECT_TRUE(opened.connection) << opened.error;
        return opened.connection ? CountRows(*opened.connection, table) : -1;
    }

    TempFolder folder;
};

TEST_F(ForeignArchiveTest, ForeignObjectsAreRefusedUntouchedAndImportTakesTheRowsIn) {
    for (const auto& [sql, named] : kForeignSchemas) {
        SCOPED_TRACE(named);
        const fs::path foreign = Foreign(sql);
        const std::string before = FileBytes(foreign);
        const Outcome refused = Cli({"convert", OtherReport(), "--db", foreign.string()});
        EXPECT_EQ(refused.code, 1);
        EXPECT_NE(refused.err.find("enthält fremde Objekte: " + std::string(named) + "."), std::string::npos)
            << refused.err;
        EXPECT_EQ(FileBytes(foreign), before);

        const fs::path mine = folder / "mine.dat";
        fs::remove(mine);
        const Outcome imported = Cli({"import-archive", foreign.string(), "--db", mine.string()});
        EXPECT_EQ(imported.code, 0) << imported.err;
        EXPECT_EQ(imported.out, "1 Kampf übernommen nach " + mine.string() +
                                    ".\nNicht übernommen: " + std::string(named) + ".\n");
        EXPECT_EQ(FileBytes(foreign), before);
        // The new archive stores the next battle beside the old one, whose
        // rows and settings stay.
        EXPECT_EQ(Cli({"convert", OtherReport(), "--db", mine.string()}).code, 0);
        EXPECT_EQ(Rows(mine, "Battles"), 2);
        EXPECT_EQ(Rows(mine, "Agility"), 4);
        EXPECT_NE(Cli({"settings", "--db", mine.string()}).out.find("PersStat: 1\n"), std::string::npos);

        const Outcome merged = Cli({"import-archive", foreign.string(), "--merge", "--db", Own().string()});
        EXPECT_EQ(merged.code, 0) << merged.err;
        EXPECT_NE(merged.out.find("0 Kämpfe übernommen"), std::string::npos) << merged.out;
        EXPECT_NE(merged.out.find("1 Kampf war schon gespeichert"), std::string::npos) << merged.out;
    }
}

TEST_F(ForeignArchiveTest, ReplacingKeepsThePreviousArchiveAndMergingAddsOnlyNewBattles) {
    const fs::path other = folder / "other.dat";
    MakeStoredArchive(other);
    ASSERT_EQ(Cli({"convert", OtherReport(), "--db", other.string()}).code, 0);
    const Outcome merged = Cli({"import-archive", other.string(), "--merge", "--db", Own().string()});
    EXPECT_EQ(merged.code, 0) << merged.err;
    EXPECT_NE(merged.out.find("1 Kampf übernommen"), std::string::npos) << merged.out;
    EXPECT_EQ(Rows(Own(), "Battles"), 2);
    EXPECT_EQ(Rows(Own(), "BattleDigest"), 2);
    const Outcome again = Cli({"import-archive", other.string(), "--merge", "--db", Own().string()});
    EXPECT_NE(again.out.find("2 Kämpfe waren schon gespeichert"), std::string::npos) << again.out;

    ChangeBehindTheProgramsBack(other, "INSERT INTO Agility (ID, BattleID) VALUES (50, 999)");
    const Outcome replaced = Cli({"import-archive", other.string(), "--db", Own().string()});
    EXPECT_EQ(replaced.code, 0) << replaced.err;
    EXPECT_NE(replaced.out.find("1 Zeile ohne ihren Kampf wurde ausgelassen"), std::string::npos);
    EXPECT_NE(replaced.out.find("own.dat.bak"), std::string::npos) << replaced.out;
    EXPECT_EQ(Rows(Own(), "Agility"), 4);
    EXPECT_EQ(Rows(fs::path(Own()) += ".bak", "Battles"), 2);

    EXPECT_EQ(Cli({"import-archive", Own().string(), "--db", Own().string()}).code, 1);
    EXPECT_EQ(Cli({"import-archive", (folder / "none.dat").string(), "--db", Own().string()}).code, 1);
}

// Every command over every kind of row the program never writes: each ends
// with what it can show or with a message, never a crash or a hang.
TEST_F(ForeignArchiveTest, HostileRowsAreReadSoundlyByEveryCommand) {
    const auto cases = HostileRowsCases();
    ASSERT_GE(cases.size(), 6u);
    for (const HostileRowsCase& hostile : cases) {
        SCOPED_TRACE(hostile.name);
        const std::string file = Foreign(hostile.sql).string();
        const std::vector<std::vector<std::string>> commands = {
            {"battles"},
            {"battles", "--search", "1.2", "--sort", "koords"},
            {"export", "1"},
            {"export", "--csv", (folder / "csv").string()},
            {"stats"},
            {"stats", "--by", "week"},
            {"stats", "--by", "day"},
            {"convert", OtherReport(), "-o", (folder / "page.htm").string()},
            {"import-archive", file},
        };
        for (std::vector<std::string> command : commands) {
            // import-archive reads the file and writes another.
            command.insert(command.end(),
                           {"--db", command[0] == "import-archive" ? (folder / "taken.dat").string() : file});
            const Outcome outcome = Cli(command);
            // The archive opens; a reader may then meet a row it cannot use.
            if (command[0] == "battles") {
                EXPECT_EQ(outcome.code, 0) << outcome.err;
            }
            EXPECT_TRUE(outcome.code == 0 || (outcome.code == 1 && !outcome.err.empty()))
                << command[0] << " " << command[1] << ": " << outcome.code << " " << outcome.err;
            EXPECT_TRUE(IsValidUtf8(outcome.out) && IsValidUtf8(outcome.err)) << command[0];
        }
    }
}

} // namespace
} // namespace skarnwald::testing
