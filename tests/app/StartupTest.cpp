// Start-up: the database in the working directory decides whether the
// program starts; the settings are read into the form's converter.

#include "AppTestSupport.h"
#include "app/CMainFrame.h"
#include "app/CVoxlanApp.h"
#include "app/CVoxlanView.h"
#include "app/RecentFiles.h"

#include <QMenuBar>
#include <QSet>
#include <QSettings>
#include <QStatusBar>

#include <memory>

namespace skarnwald::testing {
namespace {

using StartupTest = GuiTest;

TEST_F(StartupTest, MissingOrEmptyDatabaseIsCreatedAndTheWindowShows) {
    for (const bool emptyFileFirst : {false, true}) {
        if (emptyFileFirst)
            WriteBytes(Here("Data.dat"), "");
        CVoxlanApp app;
        ASSERT_TRUE(app.InitInstance("Data.dat"));
        EXPECT_GT(std::filesystem::file_size(Here("Data.dat")), 0u);
        EXPECT_EQ(app.MainFrame()->windowTitle(), "Skarnwald v1.2.3");
        EXPECT_EQ(app.MainFrame()->statusBar()->currentMessage(), "Bereit");
        EXPECT_TRUE(MessageBoxes::TakeShownTexts().isEmpty());
        std::filesystem::remove(Here("Data.dat"));
    }
}

TEST_F(StartupTest, BrokenDatabaseIsToldAndLeftAloneAndTheProgramDoesNotStart) {
    const std::string garbage(4096, '\x5a');
    WriteBytes(Here("Data.dat"), garbage);
    CVoxlanApp app;
    EXPECT_FALSE(app.InitInstance("Data.dat"));
    EXPECT_EQ(app.MainFrame(), nullptr);
    const QStringList shown = MessageBoxes::TakeShownTexts();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_FALSE(shown.front().isEmpty());
    EXPECT_EQ(FileBytes(Here("Data.dat")), garbage);
}

TEST_F(StartupTest, SettingsAreReadIntoTheConverterAsStored) {
    {
        OpenResult opened = CConnection::Open("Data.dat");
        ASSERT_TRUE(opened.connection);
        RunSql(*opened.connection, "INSERT INTO Einstellungen (Einstellung,Wert) VALUES ('DBSpeichern','1'),"
                                   "('PersStat','2'),('Koords','4.7.2')");
    }
    CVoxlanApp app;
    ASSERT_TRUE(app.InitInstance("Data.dat"));
    const StoringSettings& storing = app.MainFrame()->View()->Session().Storing();
    EXPECT_EQ(storing.storeInDb, 1);
    EXPECT_EQ(storing.personalStats, 2); // kept as stored; only 1 counts as on
    EXPECT_EQ(storing.ownCoords, "4.7.2");
    EXPECT_EQ(app.MainFrame()->View()->Session().OwnCoords(), "4.7.2");
}

TEST_F(StartupTest, MenusOfferEveryCommand) {
    CVoxlanApp app;
    ASSERT_TRUE(app.InitInstance("Data.dat"));
    QStringList texts;
    for (QAction* menu : app.MainFrame()->menuBar()->actions())
        for (QAction* item : menu->menu()->actions())
            if (!item->isSeparator())
                texts << menu->text() + " > " + item->text();
    EXPECT_EQ(texts, QStringList({"&Datei > Ö&ffnen...\tStrg+O",
                                  "&Datei > Dateiauswahl &aufheben",
                                  "&Datei > &Mehrere Berichte umwandeln…",
                                  "&Datei > &Datenbank anzeigen",
                                  "&Datei > &Persönliche Stats",
                                  "&Datei > &Einstellungen",
                                  "&Datei > Aus&rüstung",
                                  "&Datei > A&tt - Orga",
                                  "&Datei > F&lottenbewegungen",
                                  "&Datei > &Beenden",
                                  "&Ansicht > &Vorschau anzeigen",
                                  "&Teilen > Als &BBCode kopieren",
                                  "&Teilen > Für &Discord kopieren",
                                  "&Teilen > &Titelzeile kopieren",
                                  "&Teilen > Als &JSON speichern…",
                                  "&Teilen > B&ild kopieren",
                                  "&Teilen > Bild &speichern…",
                                  "&Statistik > &Verlauf…",
                                  "Sprache / Language > System",
                                  "Sprache / Language > Deutsch",
                                  "Sprache / Language > English",
                                  "&? > &Changelog",
                                  "&? > Inf&o über Skarnwald…"}));
    // Within a menu no two entries share a key.
    for (QAction* menu : app.MainFrame()->menuBar()->actions()) {
        QList<QChar> keys;
        for (QAction* item : menu->menu()->actions())
            if (const qsizetype amp = item->text().indexOf('&'); amp >= 0)
                keys << item->text().at(amp + 1).toLower();
        EXPECT_EQ(QSet<QChar>(keys.begin(), keys.end()).size(), keys.size()) << menu->text().toStdString();
    }
}

TEST_F(StartupTest, ProfileIsKeptUnderSkarnwaldAndTheOldOneTakenOverOnce) {
    const auto oldProfile = [] {
        return std::make_unique<QSettings>(QStringLiteral("Local AppWizard-Generated Applications"),
                                           QStringLiteral("Voxlan"));
    };
    oldProfile()->setValue("Recent File List/File1", "/alt/kampf.txt");
    {
        CVoxlanApp app;
        ASSERT_TRUE(app.InitInstance("Data.dat"));
        EXPECT_EQ(RecentFiles::List(), QStringList{"/alt/kampf.txt"});
    }
    EXPECT_EQ(QSettings().fileName().toStdString(), Here("Skarnwald/Skarnwald.conf").string());
    EXPECT_TRUE(std::filesystem::exists(Here("Skarnwald/Skarnwald.conf")));

    oldProfile()->setValue("Recent File List/File1", "/alt/später.txt");
    CVoxlanApp again;
    ASSERT_TRUE(again.InitInstance("Data.dat"));
    EXPECT_EQ(RecentFiles::List(), QStringList{"/alt/kampf.txt"});
}

} // namespace
} // namespace skarnwald::testing
