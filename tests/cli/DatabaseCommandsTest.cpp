// The command line over the database, end to end through Run.

#include "DbTestSupport.h"

#include "cli/Cli.h"

#include <unistd.h>

namespace skarnwald::testing {
namespace {

constexpr std::string_view kReport = "12.03.2004 14:07:09 Uhr Battle at [ 1.2.3 ] Home <Base>\n"
                                     "Agility 10 [100/100] Fighter (Wasp) from 4.5.6 O'Brien\n"
                                     "Laser destroyed [3/50] Corvette (Tank) from 1.2.3 Keeper\n"
                                     "Agility 5 [50/50] Corvette (Tank) from 1.2.3 Keeper\n"
                                     "Gun destroyed [4/100] Fighter (Wasp) from 4.5.6 O'Brien\n";

struct Outcome {
    int code;
    std::string out, err;
};

class CliTest : public ::testing::Test {
protected:
    Outcome Cli(std::vector<std::string> args, std::string_view input = {}) {
        args.push_back("--db");
        args.push_back(Db().string());
        return CliWithoutDb(args, input);
    }
    Outcome CliWithoutDb(const std::vector<std::string>& args, std::string_view input = {}) {
        std::istringstream in{std::string(input)};
        std::ostringstream out, err;
        const int code = cli::Run(args, {in, out, err});
        return {code, out.str(), err.str()};
    }
    std::filesystem::path Db() const { return folder / "Data.dat"; }
    std::string ReportFile() const {
        WriteBytes(folder / "report.txt", kReport);
        return (folder / "report.txt").string();
    }
    void TearDown() override {
        if (std::filesystem::exists(Db())) {
            OpenResult opened = CConnection::Open(Db());
            ASSERT_TRUE(opened.connection) << opened.error;
            ExpectConsistent(*opened.connection);
        }
    }

    // The page `convert` writes for the report file `input`.
    std::string ConvertToFile(const std::string& input) {
        const Outcome converted = Cli({"convert", input, "-o", (folder / "page.htm").string()});
        EXPECT_EQ(converted.code, 0) << converted.err;
        return FileBytes(folder / "page.htm");
    }

    TempFolder folder;
};

TEST_F(CliTest, SettingsCreateTheRowsAndApplyChanges) {
    const std::string database = "Datenbank: " + Db().string() + "\n";
    Outcome shown = Cli({"settings"});
    EXPECT_EQ(shown.code, 0) << shown.err;
    EXPECT_EQ(shown.out, database + "DBSpeichern: 0\nPersStat: 0\nKoords: 0\n");
    shown = Cli({"settings", "--store", "1", "--coords", "4.5.6"});
    EXPECT_EQ(shown.out, database + "DBSpeichern: 1\nPersStat: 0\nKoords: 4.5.6\n");
    shown = Cli({"settings", "--pers-stat", "1"});
    EXPECT_EQ(shown.out, database + "DBSpeichern: 1\nPersStat: 1\nKoords: 4.5.6\n");

    const Outcome wrong = Cli({"settings", "--store", "2"});
    EXPECT_EQ(wrong.code, 2);
    EXPECT_NE(wrong.err.find("0 oder 1"), std::string::npos);
}

TEST_F(CliTest, ConvertStoresWhenTheSettingSaysSoAndExportWritesThePageAgain) {
    Outcome converted = Cli({"convert", ReportFile(), "-o", (folder / "page").string()});
    EXPECT_EQ(converted.code, 0) << converted.err;
    EXPECT_TRUE(std::filesystem::exists(folder / "page.htm"));
    EXPECT_EQ(Cli({"battles"}).out, "Keine Kämpfe gespeichert.\n");

    Cli({"settings", "--store", "1", "--pers-stat", "1", "--coords", "4.5.6"});
    converted = Cli({"convert", ReportFile()});
    EXPECT_EQ(converted.code, 0) << converted.err;
    EXPECT_NE(converted.out.find("Home &lt;Base&gt;"), std::string::npos);
    // The same battle again: its page is written, but it is stored and counted once.
    const Outcome again = Cli({"convert", "-"}, kReport);
    EXPECT_EQ(again.code, 0) << again.err;
    EXPECT_TRUE(again.out.starts_with("<html>"));
    EXPECT_EQ(again.err, "1 Kampf war schon gespeichert und wurde nicht erneut gespeichert.\n");
    EXPECT_EQ(Cli({"battles"}).out, "1\t12.03.2004 14:07:09\t1.2.3\tHome <Base>\n");
    EXPECT_EQ(Cli({"battles", "--search", "Nirgends"}).out, "Kein Kampf passt.\n");

    const Outcome exported = Cli({"export", "1"});
    EXPECT_EQ(exported.code, 0) << exported.err;
    EXPECT_TRUE(exported.out.starts_with("<html>"));
    EXPECT_NE(
        exported.out.find("<font color='#cccccc' size='2'>12.03.2004 14:07:09</font></td><th bgColor='black' "
                          "colSpan='7'><font color='white' size='2'> 1.2.3 Home &lt;Base&gt;</font>"),
        std::string::npos);
    EXPECT_NE(exported.out.find("[ 4.5.6]</font></td><td align='middle' width='150'><font size='2'> "
                                "O'Brien</font></td></font></tr>"),
              std::string::npos);

    const Outcome toFile = Cli({"export", "1", "-o", (folder / "stored.html").string()});
    EXPECT_EQ(toFile.code, 0) << toFile.err;
    EXPECT_EQ(FileBytes(folder / "stored.html"), Cli({"export", "1"}).out);

    // The own fleet destroyed 3 corvettes and lost 4 fighters, counted once.
    const Outcome stats = Cli({"stats"});
    EXPECT_EQ(stats.code, 0);
    EXPECT_NE(stats.out.find("Abschüsse:                     0            0            0            3"),
              std::string::npos)
        << stats.out;
    EXPECT_NE(stats.out.find("Verluste:                      0            4"), std::string::npos)
        << stats.out;
}

// kReport with a player named with every Windows-1252 letter, in `letters`.
std::string ReportWithLetters(std::string_view letters) {
    std::string report(kReport);
    report.replace(report.find("O'Brien"), 7, letters);
    return report;
}

TEST_F(CliTest, SameReportInEitherEncodingGivesTheSamePageAndTheSameRows) {
    Cli({"settings", "--store", "1"});
    const std::string utf8 = ReportWithLetters(testfiles::kWindows1252LettersUtf8);
    WriteBytes(folder / "utf8.txt", utf8);
    WriteBytes(folder / "marked.txt", "\xEF\xBB\xBF" + utf8);
    WriteBytes(folder / "cp1252.txt", ReportWithLetters(testfiles::kWindows1252Letters));
    const std::string expected = ConvertToFile((folder / "utf8.txt").string());
    EXPECT_EQ(ConvertToFile((folder / "marked.txt").string()), expected);
    EXPECT_EQ(ConvertToFile((folder / "cp1252.txt").string()), expected);
    const Outcome piped = Cli({"convert"}, ReportWithLetters(testfiles::kWindows1252Letters));
    EXPECT_EQ(piped.out, expected);
    EXPECT_TRUE(IsValidUtf8(expected));
    const std::string letters(testfiles::kWindows1252LettersUtf8);
    EXPECT_NE(expected.find(" " + letters + "</font>"), std::string::npos);

    // Whatever the encoding, it is one battle: stored once, the other three
    // recognised as already stored.
    const std::string firstPage = Cli({"export", "1"}).out;
    EXPECT_NE(firstPage.find(testfiles::kWindows1252LettersUtf8), std::string::npos);
    EXPECT_EQ(piped.err, "1 Kampf war schon gespeichert und wurde nicht erneut gespeichert.\n");
    EXPECT_EQ(Cli({"export", "2"}).code, 1);
    OpenResult opened = CConnection::Open(Db());
    // The letters' player and the keeper, in every battle alike.
    EXPECT_EQ(QueryText(*opened.connection, "SELECT COUNT(DISTINCT Name) AS N FROM Agility", "N"), "2");
    EXPECT_EQ(QueryText(*opened.connection, "SELECT COUNT(DISTINCT Name) AS N FROM Battle_Details", "N"),
              "2");
}

TEST_F(CliTest, RepairTextRewritesOldWindows1252TextOnce) {
    Cli({"settings", "--store", "1"});
    Cli({"convert", ReportFile()});
    {
        // As a program writing Windows-1252 text left it.
        OpenResult opened = CConnection::Open(Db());
        const std::string old = std::string(testfiles::kWindows1252Letters);
        ASSERT_TRUE(RunStatement(*opened.connection, "UPDATE Battles SET Name = 'Sch\xF6ne " + old + "'"));
        ASSERT_TRUE(
            RunStatement(*opened.connection, "UPDATE Agility SET Name = ' " + old + "' WHERE ID = 1"));
        ASSERT_TRUE(RunStatement(*opened.connection, "UPDATE Battle_Details SET Waffe = 'L\xE4ser'"));
        ASSERT_TRUE(RunStatement(*opened.connection, "UPDATE Einstellungen SET Wert = '1.\xB2.3' WHERE "
                                                     "Einstellung = 'Koords'"));
    }
    const std::string letters(testfiles::kWindows1252LettersUtf8);
    // Shown and exported as UTF-8 before the repair.
    EXPECT_EQ(Cli({"battles"}).out, "1\t12.03.2004 14:07:09\t1.2.3\tSch\xC3\xB6ne " + letters + "\n");
    const std::string page = Cli({"export", "1"}).out;
    EXPECT_TRUE(IsValidUtf8(page));
    EXPECT_NE(page.find("<font size='2'> " + letters + "</font>"), std::string::npos);
    EXPECT_NE(page.find("L\xC3\xA4ser"), std::string::npos);
    EXPECT_NE(Cli({"settings"}).out.find("Koords: 1.\xC2\xB2.3\n"), std::string::npos);

    const Outcome repaired = Cli({"repair-text"});
    EXPECT_EQ(repaired.code, 0) << repaired.err;
    EXPECT_EQ(repaired.out, "Nach UTF-8 umgeschriebene Texte: 5\n"); // two combat rows
    EXPECT_EQ(Cli({"repair-text"}).out, "Nach UTF-8 umgeschriebene Texte: 0\n");
    EXPECT_EQ(Cli({"export", "1"}).out, page);
}

TEST_F(CliTest, StatsResetZeroesTheRecord) {
    Cli({"settings", "--pers-stat", "1", "--coords", "4.5.6"});
    Cli({"convert", ReportFile()});
    const Outcome reset = Cli({"stats", "--reset"});
    EXPECT_EQ(reset.code, 0);
    EXPECT_NE(reset.out.find("R-Gew. / R-Verl.:  0\n"), std::string::npos) << reset.out;
    EXPECT_EQ(Cli({"stats"}).out.find("8"), std::string::npos);
}

TEST_F(CliTest, ExportRefusesUnknownOrMalformedIds) {
    Outcome missing = Cli({"export", "5"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("kein gespeicherter Kampf mit der ID 5"), std::string::npos);
    EXPECT_EQ(missing.out, "");
    for (std::string_view id : {"x", "5x", ""}) {
        const Outcome malformed = Cli({"export", std::string(id)});
        EXPECT_EQ(malformed.code, 2) << id;
    }
    EXPECT_EQ(Cli({"export"}).code, 2);
}

TEST_F(CliTest, UnusableDatabaseFileStopsEveryCommandAndStaysUntouched) {
    WriteBytes(Db(), "not a database at all, just some text");
    for (std::vector<std::string> command : {std::vector<std::string>{"settings"},
                                             {"battles"},
                                             {"stats"},
                                             {"export", "1"},
                                             {"convert", ReportFile()}}) {
        const Outcome refused = Cli(command);
        EXPECT_EQ(refused.code, 1) << command[0];
        EXPECT_NE(refused.err.find("keine Skarnwald-Datenbank"), std::string::npos) << refused.err;
    }
    EXPECT_EQ(FileBytes(Db()), "not a database at all, just some text");
    std::filesystem::remove(Db());
}

TEST_F(CliTest, DatabaseErrorsGoToStderrWithANonZeroExit) {
    Cli({"settings", "--store", "1"});
    {
        OpenResult opened = CConnection::Open(Db());
        ASSERT_TRUE(RunStatement(*opened.connection, "DROP TABLE Battle_Details"));
        ASSERT_TRUE(RunStatement(*opened.connection,
                                 "CREATE TABLE Battle_Details (ID INTEGER PRIMARY KEY, AgilityID INTEGER)"));
    }
    const Outcome converted = Cli({"convert", ReportFile(), "-o", (folder / "page.htm").string()});
    EXPECT_EQ(converted.code, 1);
    EXPECT_NE(converted.err.find("skarnwald-cli convert: Datenbankfehler: table Battle_Details has no column "
                                 "named Waffe"),
              std::string::npos)
        << converted.err;
    EXPECT_TRUE(std::filesystem::exists(folder / "page.htm"));
}

TEST_F(CliTest, EveryCommandExplainsItself) {
    for (std::string_view command :
         {"convert", "settings", "battles", "delete", "export", "stats", "repair-text", "import-archive"}) {
        const Outcome help = CliWithoutDb({std::string(command), "--help"});
        EXPECT_EQ(help.code, 0);
        EXPECT_TRUE(help.out.starts_with("Aufruf: skarnwald-cli " + std::string(command))) << help.out;
        EXPECT_NE(help.out.find("--db DATEI"), std::string::npos) << command;
    }
    const Outcome overview = CliWithoutDb({"--help"});
    for (std::string_view command :
         {"settings", "battles", "delete", "export --csv", "stats", "--by", "repair-text", "import-archive"})
        EXPECT_NE(overview.out.find(command), std::string::npos) << command;
    EXPECT_EQ(Cli({"battles", "extra"}).code, 2);
    EXPECT_EQ(Cli({"settings", "--coords"}).code, 2);
    EXPECT_EQ(CliWithoutDb({"battles", "--db", ""}).code, 2);
}

TEST_F(CliTest, ArchiveCommandsFilterDeleteExportAndSumPerPeriod) {
    Cli({"settings", "--store", "1", "--coords", "4.5.6"});
    Cli({"convert", ReportFile()});
    std::string otherPlace(kReport);
    otherPlace.replace(0, 2, "14");
    otherPlace.replace(otherPlace.find("Home <Base>"), 11, "Nest");
    otherPlace.replace(otherPlace.find("[ 1.2.3 ]"), 9, "[ 10.2.3 ]");
    Cli({"convert", "-"}, otherPlace);

    EXPECT_EQ(Cli({"battles", "--search", "nest"}).out, "2\t14.03.2004 14:07:09\t10.2.3\tNest\n");
    EXPECT_EQ(Cli({"battles", "--from", "13.3.2004"}).out, "2\t14.03.2004 14:07:09\t10.2.3\tNest\n");
    EXPECT_EQ(Cli({"battles", "--to", "2004-03-13", "--sort", "neueste"}).out,
              "1\t12.03.2004 14:07:09\t1.2.3\tHome <Base>\n");
    EXPECT_EQ(Cli({"battles", "--search", "O'Brien", "--sort", "koords"}).out.substr(0, 2), "1\t");
    EXPECT_EQ(Cli({"battles", "--from", "gestern"}).code, 2);
    EXPECT_EQ(Cli({"battles", "--sort", "name"}).code, 2);

    // In each battle the own fleet 4.5.6 lost 4 fighters and destroyed 3 corvettes.
    const Outcome weeks = Cli({"stats", "--by", "week"});
    EXPECT_EQ(weeks.code, 0) << weeks.err;
    EXPECT_NE(weeks.out.find("\n2004-W11                2            8            6            0"),
              std::string::npos)
        << weeks.out;
    EXPECT_NE(Cli({"stats", "--by", "day"}).out.find("\n2004-03-14              1            4            3"),
              std::string::npos);
    EXPECT_EQ(Cli({"stats", "--by", "month"}).code, 2);

    const Outcome csv = Cli({"export", "--csv", (folder / "csv").string(), "--table", "kampfzeilen"});
    EXPECT_EQ(csv.code, 0) << csv.err;
    EXPECT_TRUE(std::filesystem::exists(folder / "csv" / "kampfzeilen.csv"));
    EXPECT_FALSE(std::filesystem::exists(folder / "csv" / "kaempfe.csv"));
    EXPECT_EQ(Cli({"export", "--csv", (folder / "csv").string(), "--table", "alles"}).code, 2);
    EXPECT_EQ(Cli({"export", "1", "--csv", (folder / "csv").string()}).code, 2);

    const Outcome deleted = Cli({"delete", "1"});
    EXPECT_EQ(deleted.code, 0) << deleted.err;
    EXPECT_EQ(Cli({"battles"}).out, "2\t14.03.2004 14:07:09\t10.2.3\tNest\n");
    const Outcome unknown = Cli({"delete", "1"});
    EXPECT_EQ(unknown.code, 1);
    EXPECT_NE(unknown.err.find("kein gespeicherter Kampf mit der ID 1"), std::string::npos);
    EXPECT_EQ(Cli({"delete", "eins"}).code, 2);
}

} // namespace
} // namespace skarnwald::testing
