// The share commands of the main window: they copy the texts of the last
// conversion (never converting again), one Discord message per press, save
// the JSON through the file dialog, and hide what the settings say.

#include "AppTestSupport.h"
#include "app/CMainFrame.h"
#include "app/CVoxlanApp.h"
#include "app/CVoxlanView.h"
#include "app/FileDialogs.h"
#include "archive/SettingsStore.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTextBrowser>

#include <functional>

namespace skarnwald::testing {
namespace {

constexpr const char* kReport = "2026-03-14 21:07:55 Uhr Battle at [4.7.2] Eisnebel\n"
                                "Agility 40 Speed 3 [120/120] Fighter (Falke) from 4.7.2 Mirela\n"
                                "Fighter (Falke) destroyed [12/60] Corvette (Vogel) from 9.1.13 Torvik\n"
                                "Agility 25 Speed 5 [60/60] Corvette (Vogel) from 9.1.13 Torvik\n";

constexpr const char* kShareButtons[] = {"bbcodeButton", "discordButton",  "titleButton",
                                         "jsonButton",   "cardCopyButton", "cardSaveButton"};

class ShareTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        ASSERT_TRUE(app_.InitInstance("Data.dat"));
        view_ = app_.MainFrame()->View();
        QGuiApplication::clipboard()->clear();
    }
    void Convert(const std::string& report) {
        view_->findChild<QPlainTextEdit*>("reportEdit")->setPlainText(QString::fromStdString(report));
        FileDialogs::SetNextFileName(QString::fromStdString(Here("page").string()));
        view_->OnStart();
        MessageBoxes::TakeShownTexts();
    }
    void Press(const char* button) { view_->findChild<QPushButton*>(button)->click(); }
    // Changes the settings dialog's fields with `change` and confirms.
    void ChangeSettings(std::function<void(QWidget*)> change) {
        OnNextModal([change = std::move(change)](QWidget* dialog) {
            change(dialog);
            dialog->findChild<QDialogButtonBox*>("buttons")->button(QDialogButtonBox::Ok)->click();
        });
        view_->OnSettings();
    }
    // Every share output as a player can reach it: the buttons, the commands
    // behind the menu entries, and the JSON file.
    QStringList SharedTexts() {
        QStringList shared;
        for (const auto command :
             {&CVoxlanView::OnCopyBBCode, &CVoxlanView::OnCopyDiscord, &CVoxlanView::OnCopyTitle}) {
            QGuiApplication::clipboard()->clear();
            (view_->*command)();
            shared << Clipboard();
        }
        for (const char* button : {"bbcodeButton", "discordButton", "titleButton"}) {
            QGuiApplication::clipboard()->clear();
            Press(button);
            shared << Clipboard();
        }
        std::filesystem::remove(Here("shared.json"));
        FileDialogs::SetNextFileName(QString::fromStdString(Here("shared.json").string()));
        view_->OnSaveJson();
        FileDialogs::SetNextFileName(QString::fromStdString(Here("shared.json").string()));
        Press("jsonButton");
        if (std::filesystem::exists(Here("shared.json")))
            shared << QString::fromStdString(FileBytes(Here("shared.json")));
        return shared;
    }
    bool ShareOffered() {
        bool offered = false;
        for (QAction* action : app_.MainFrame()->ShareMenu()->actions())
            offered |= action->isEnabled();
        for (const char* button : kShareButtons)
            offered |= view_->findChild<QPushButton*>(button)->isEnabled();
        return offered;
    }
    QString Clipboard() { return QGuiApplication::clipboard()->text(); }
    QString Status() { return app_.MainFrame()->statusBar()->currentMessage(); }

    CVoxlanApp app_;
    CVoxlanView* view_ = nullptr;
};

TEST_F(ShareTest, CommandsWaitForAConversionAndThenCopyItsTexts) {
    for (const char* button : kShareButtons)
        EXPECT_FALSE(view_->findChild<QPushButton*>(button)->isEnabled()) << button;
    for (QAction* action : app_.MainFrame()->ShareMenu()->actions())
        EXPECT_FALSE(action->isEnabled());

    Convert(kReport);
    for (QAction* action : app_.MainFrame()->ShareMenu()->actions())
        EXPECT_TRUE(action->isEnabled());
    // A changed report field is not converted again by a copy.
    view_->findChild<QPlainTextEdit*>("reportEdit")->setPlainText("Battle at [1.1.1] Anders");

    Press("bbcodeButton");
    EXPECT_TRUE(Clipboard().startsWith("[b]Kampf bei [\u200B4.7.2] Eisnebel — 14.03.2026 21:07[/b]"));
    EXPECT_TRUE(Clipboard().contains(QStringLiteral("gelähmt"))); // Unicode, not bytes
    EXPECT_EQ(Status(), "Als BBCode kopiert");

    Press("titleButton");
    EXPECT_EQ(Clipboard(),
              QStringLiteral("Kampf bei [4.7.2] Eisnebel, 14.03.2026 21:07 — Angreifer: 1 Flotte, 60 "
                             "Schiffe, 12 verloren · Verteidiger: 1 Flotte, 120 Schiffe, 0 verloren"));
    EXPECT_TRUE(MessageBoxes::TakeShownTexts().isEmpty());

    FileDialogs::SetNextFileName(QString::fromStdString(Here("kampf").string()));
    Press("jsonButton");
    EXPECT_TRUE(FileBytes(Here("kampf.json")).starts_with("{\"schema\":\"skarnwald-battles/1\""));
    EXPECT_TRUE(Status().startsWith("JSON gespeichert"));
    FileDialogs::SetNextFileName(QString()); // cancelled: nothing written, nothing said
    Press("jsonButton");
    EXPECT_TRUE(Status().startsWith("JSON gespeichert"));
    // The summary card as a picture, drawn at twice its width.
    Press("cardCopyButton");
    EXPECT_EQ(QGuiApplication::clipboard()->image().width(), 1100);
    EXPECT_EQ(Status(), "Bild kopiert");
    FileDialogs::SetNextFileName(QString::fromStdString(Here("karte").string()));
    Press("cardSaveButton");
    EXPECT_EQ(QImage(QString::fromStdString(Here("karte.png").string())).width(), 1100);
}

TEST_F(ShareTest, DiscordCopiesOneMessagePerPressAndSaysWhichOne) {
    std::string report = "2026-03-14 21:07:55 Uhr Battle at [4.7.2] Eisnebel\n";
    for (int i = 0; i < 200; ++i)
        report += "Agility 1 [5/5] Fighter (a) from 1." + std::to_string(i) + ".1 Kapitaen" +
                  std::to_string(i) + "\n";
    Convert(report);

    Press("discordButton");
    const QString first = Clipboard();
    EXPECT_TRUE(first.startsWith("**Kampf bei"));
    EXPECT_LE(first.size(), 2000);
    const QString status = Status();
    ASSERT_TRUE(status.startsWith("Discord-Nachricht 1 von ")) << status.toStdString();
    const int count = status.section(' ', 3, 3).toInt();
    ASSERT_GT(count, 1);

    Press("discordButton");
    EXPECT_NE(Clipboard(), first);
    EXPECT_TRUE(Clipboard().contains("(Forts.)"));
    EXPECT_TRUE(Status().startsWith("Discord-Nachricht 2 von"));
    for (int press = 2; press < count; ++press)
        Press("discordButton");
    Press("discordButton"); // after the last, round again
    EXPECT_EQ(Clipboard(), first);
}

TEST_F(ShareTest, SettingsSwitchesHideNamesAndKeepTheConversionOutOfTheDatabase) {
    EnsureSettingsRows(*connection_);
    WriteStoreSetting(*connection_, 1);
    ChangeSettings([](QWidget* dialog) { dialog->findChild<QCheckBox*>("hideNamesCheck")->click(); });
    view_->OnInitialUpdate(); // reads the store switch written above
    EXPECT_TRUE(ReadRedaction(*connection_).hideNames);
    EXPECT_TRUE(view_->Session().Hiding().hideNames);

    Convert(kReport);
    Press("bbcodeButton");
    EXPECT_FALSE(Clipboard().contains("Mirela"));
    EXPECT_TRUE(Clipboard().contains("Flotte 1 (4.7.2)"));
    EXPECT_EQ(FileBytes(Here("page.htm")).find("Torvik"), std::string::npos);
    EXPECT_EQ(QueryInt(*connection_, "SELECT COUNT(*) FROM Battles"), 0);
}

// Whatever is offered for sharing after a switch or the Koords change holds
// nothing the settings now hide: the outputs are withdrawn until Start, and
// the next conversion hides it.
TEST_F(ShareTest, NoOutputOfferedAfterASettingsChangeShowsWhatItNowHides) {
    const auto check = [](const char* name, bool on) {
        return [name, on](QWidget* dialog) {
            if (dialog->findChild<QCheckBox*>(name)->isChecked() != on)
                dialog->findChild<QCheckBox*>(name)->click();
        };
    };
    const auto coords = [](const char* text) {
        return [text](QWidget* dialog) {
            QGuiApplication::clipboard()->setText(text);
            dialog->findChild<QLineEdit*>("firstCoord")->clear();
            dialog->findChild<QLineEdit*>("firstCoord")->paste();
        };
    };
    const struct {
        const char* change;
        std::function<void(QWidget*)> before, after;
        QStringList hidden;
        const char* label;
    } cases[] = {
        {"hide own", coords("4.7.2"), check("hideOwnCheck", true), {"Mirela", "4.7.2"}, "eigene Flotten"},
        {"hide names", {}, check("hideNamesCheck", true), {"Mirela", "Torvik"}, "Namen"},
        {"hide coords", {}, check("hideCoordsCheck", true), {"4.7.2", "9.1.13"}, "Koordinaten"},
        {"Koords", check("hideOwnCheck", true), coords("4.7.2"), {"Mirela", "4.7.2"}, "eigene Flotten"},
    };
    for (const auto& test : cases) {
        ChangeSettings([&](QWidget* dialog) {
            for (const char* name : {"hideOwnCheck", "hideNamesCheck", "hideCoordsCheck"})
                check(name, false)(dialog);
            coords("1.1.1")(dialog);
            if (test.before)
                test.before(dialog);
        });
        Convert(kReport);
        ASSERT_TRUE(SharedTexts().join("").contains(test.hidden[0])) << test.change << ": shown before";

        ChangeSettings(test.after);
        EXPECT_FALSE(ShareOffered()) << test.change;
        EXPECT_TRUE(Status().contains("Start")) << test.change;
        EXPECT_TRUE(view_->findChild<QLabel*>("hiddenLabel")->text().contains(test.label)) << test.change;
        for (const QString& hidden : test.hidden)
            EXPECT_FALSE(SharedTexts().join("").contains(hidden))
                << test.change << ": " << hidden.toStdString();

        Convert(kReport);
        EXPECT_TRUE(ShareOffered()) << test.change;
        const QString shared = SharedTexts().join("");
        EXPECT_TRUE(shared.contains("Eisnebel") || shared.contains("?.?.?")) << test.change;
        for (const QString& hidden : test.hidden)
            EXPECT_FALSE(shared.contains(hidden)) << test.change << " converted: " << hidden.toStdString();
    }
}

// Saved or not, the preview and the share outputs show the conversion just
// made, from memory: neither the page before it nor the written page changed
// on the disk afterwards.
TEST_F(ShareTest, PreviewAndSharesShowTheLastConversionWhetherSavedOrNot) {
    auto* preview = view_->findChild<QTextBrowser*>("previewBrowser");
    std::string other = kReport;
    other.replace(other.find("Eisnebel"), 8, "Glutfeld");
    for (const bool saved : {false, true}) {
        Convert(kReport);
        ASSERT_TRUE(preview->toPlainText().contains("Eisnebel"));

        view_->findChild<QPlainTextEdit*>("reportEdit")->setPlainText(QString::fromStdString(other));
        FileDialogs::SetNextFileName(saved ? QString::fromStdString(Here("other").string()) : QString());
        view_->OnStart();
        for (const char* page : {"page.htm", "other.htm"})
            WriteBytes(Here(page), "<html><body>Eisnebel</body></html>");
        view_->SetPreviewVisible(false);
        view_->SetPreviewVisible(true); // shown afresh
        EXPECT_TRUE(preview->toPlainText().contains("Glutfeld")) << saved;
        EXPECT_FALSE(preview->toPlainText().contains("Eisnebel")) << saved;
        EXPECT_EQ(view_->findChild<QPushButton*>("openPageButton")->isEnabled(), saved);
        for (const QString& shared : SharedTexts()) {
            EXPECT_TRUE(shared.contains("Glutfeld")) << saved << shared.left(80).toStdString();
            EXPECT_FALSE(shared.contains("Eisnebel")) << saved << shared.left(80).toStdString();
        }
    }
}

} // namespace
} // namespace skarnwald::testing
