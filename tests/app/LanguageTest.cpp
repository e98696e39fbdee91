// The language the desktop program speaks: the system's preferred languages
// choose it, the player's choice under "Sprache / Language" wins and is
// remembered, and the main window, the core and the next conversion follow at
// once, back and forth.

#include "AppTestSupport.h"
#include "app/BatchConvert.h"
#include "app/CMainFrame.h"
#include "app/CVoxlanApp.h"
#include "app/CVoxlanView.h"
#include "app/FileDialogs.h"
#include "app/Translations.h"
#include "text/Catalog.h"
#include "writers/BatchConversion.h"

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>

namespace skarnwald::testing {
namespace {

class LanguageTest : public GuiTest {
protected:
    void TearDown() override {
        InstallTranslations(QStringLiteral("de"));
        GuiTest::TearDown();
    }
};

TEST_F(LanguageTest, TheSystemsLanguagesChooseUnlessThePlayerChoseOne) {
    const struct {
        QStringList system;
        QString chosen, spoken;
    } cases[] = {
        {QLocale("de_DE").uiLanguages(), "", "de"},
        {QLocale("de_AT").uiLanguages(), "", "de"},
        {QLocale("en_US").uiLanguages(), "", "en"},
        {QLocale("fr_FR").uiLanguages(), "", "en"},
        {QLocale::c().uiLanguages(), "", "en"},
        {{"fr-FR", "de-DE"}, "", "de"}, // the first with a catalog
        {QLocale("de_DE").uiLanguages(), "en", "en"},
        {QLocale("fr_FR").uiLanguages(), "de", "de"},
        {QLocale("de_DE").uiLanguages(), "xx", "de"}, // a choice without a catalog follows the system
    };
    for (const auto& c : cases) {
        ChooseLanguage(c.chosen);
        EXPECT_EQ(LanguageInEffect(c.system), c.spoken)
            << c.system.join(',').toStdString() << " " << c.chosen.toStdString();
    }
}

// Counts of one take the singular, which German used to miss in these.
TEST_F(LanguageTest, OneReportIsSingularInEveryLanguage) {
    BatchResult converted;
    converted.items.emplace_back(); // a report converted
    BatchResult cancelled;
    cancelled.cancelled = true;
    const struct {
        QString language, converted, cancelled;
    } cases[] = {
        {"de", "1 von 1 Bericht umgewandelt.",
         "0 von 1 Bericht umgewandelt.\nAbgebrochen: 1 Bericht wurde nicht bearbeitet."},
        {"en", "1 of 1 report converted.",
         "0 of 1 report converted.\nCancelled: 1 report was not processed."},
    };
    for (const auto& c : cases) {
        InstallTranslations(c.language);
        EXPECT_EQ(BatchSummary(converted, 1), c.converted);
        EXPECT_EQ(BatchSummary(cancelled, 1), c.cancelled);
    }
}

TEST_F(LanguageTest, TheMenuSwitchesTheWindowAndTheNextConversionAtOnceAndIsRemembered) {
    auto app = std::make_unique<CVoxlanApp>();
    ASSERT_TRUE(app->InitInstance("Data.dat"));
    // A folder chosen in German is offered again in English.
    FileDialogs::SetNextFileName(QString::fromStdString(Here("kampf.json").string()));
    FileDialogs::SaveFileName(nullptr, FileKind::Json, "kampf.json");
    const auto choose = [&](const QString& name) {
        for (QAction* action : app->MainFrame()->LanguageMenu()->actions())
            if (action->text() == name)
                action->trigger();
        QCoreApplication::processEvents(); // the widgets retranslate on a posted event
    };
    const auto shown = [&] {
        CMainFrame& frame = *app->MainFrame();
        QStringList texts;
        for (QAction* menu : frame.menuBar()->actions())
            texts << menu->text();
        texts << frame.statusBar()->currentMessage()
              << frame.View()->findChild<QLineEdit*>("fileEdit")->text()
              << frame.View()->findChild<QPushButton*>("openPageButton")->text();
        return texts;
    };
    const auto convert = [&] {
        app->MainFrame()
            ->View()
            ->findChild<QPlainTextEdit*>("reportEdit")
            ->setPlainText(QString::fromStdString(SampleReport("one-battle.txt")));
        FileDialogs::SetNextFileName(QString());
        app->MainFrame()->View()->OnStart();
        return app->MainFrame()->statusBar()->currentMessage();
    };

    choose("English");
    EXPECT_EQ(shown(), (QStringList{"&File", "&View", "&Share", "S&tatistics", "Sprache / Language", "&?",
                                    "Ready", "- No file chosen -", "Open in browser"}));
    EXPECT_EQ(CoreTexts().Language(), "en");
    EXPECT_EQ(convert(), "Text from the field: 1 battle converted, no page written");
    EXPECT_TRUE(FileDialogs::LastSuggestion().contains("Battle 4.7.2 2026-03-14.htm"));
    FileDialogs::SetNextFileName(QString());
    FileDialogs::SaveFileName(nullptr, FileKind::Json, "next.json");
    EXPECT_EQ(FileDialogs::LastSuggestion().toStdString(), Here("next.json").string());

    // Remembered: a window opened later speaks English and shows the choice.
    app->MainFrame()->close();
    app = std::make_unique<CVoxlanApp>();
    ASSERT_TRUE(app->InitInstance("Data.dat"));
    EXPECT_EQ(ChosenLanguage(), "en");
    for (QAction* action : app->MainFrame()->LanguageMenu()->actions())
        EXPECT_EQ(action->isChecked(), action->text() == "English") << action->text().toStdString();

    choose("Deutsch");
    EXPECT_EQ(shown(), (QStringList{"&Datei", "&Ansicht", "&Teilen", "&Statistik", "Sprache / Language", "&?",
                                    "Bereit", "- Keine Datei ausgewählt -", "Im Browser öffnen"}));
    EXPECT_EQ(CoreTexts().Language(), "de");
    EXPECT_EQ(convert(), "Text aus dem Feld: 1 Kampf umgewandelt, keine Seite geschrieben");

    choose("System");
    EXPECT_EQ(ChosenLanguage(), QString());
}

} // namespace
} // namespace skarnwald::testing
