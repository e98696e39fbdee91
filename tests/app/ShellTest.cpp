// The application shell: change log, About box, the equipment plug-in, the
// background picture and how byte texts are shown.

#include "AppTestSupport.h"
#include "app/CAboutDlg.h"
#include "app/CChangeLogDlg.h"
#include "app/CVoxlanDoc.h"
#include "app/CVoxlanView.h"
#include "app/DisplayText.h"
#include "app/EquipmentPlugin.h"
#include "app/ProgramName.h"

#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <QTextBrowser>

#include <cstdlib>

namespace skarnwald::testing {
namespace {

using ShellTest = GuiTest;

QStringList ChangeLogLines() {
    CChangeLogDlg dialog;
    return dialog.findChild<QTextBrowser*>("changeText")->toPlainText().split('\n', Qt::SkipEmptyParts);
}

TEST_F(ShellTest, ChangeLogListsEveryReleaseNewestFirstWithTheProgramsVersionOnTop) {
    const QStringList lines = ChangeLogLines();
    const QStringList versions = lines.filter(QRegularExpression("^v\\d"));
    EXPECT_EQ(versions, (QStringList{"v" + kProgramVersion, "v1.2.2", "v1.2.1", "v1.2", "v1.1"}));
    // The history of the earliest versions stays as it was written.
    for (const char* change :
         {"Persönliche Statistik", "Langzeitgelähmung eingeführt", "ChangeLog eingeführt"})
        EXPECT_TRUE(lines.contains(QString::fromUtf8(change))) << change;
    EXPECT_EQ(lines.last(), QStringLiteral("ChangeLog eingeführt"));
    EXPECT_EQ(ChangeLogLines(), lines);
}

TEST_F(ShellTest, AboutBoxNamesProgramAndVersion) {
    CAboutDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Info über Skarnwald"));
    EXPECT_EQ(dialog.findChild<QLabel*>("versionLabel")->text(), "Skarnwald Version 1.2.3");
}

TEST_F(ShellTest, EquipmentPluginIsCalledOrItsAbsenceTold) {
    unsetenv("SKARNWALD_KELVORA_SHOWN");
    CallEquipmentPlugin(nullptr, QString::fromStdString(Here("Kelvora").string()));
    EXPECT_EQ(MessageBoxes::TakeShownTexts(), QStringList{"Kelvora.dll nicht vorhanden!"});
    CallEquipmentPlugin(nullptr, KELVORA_WITHOUT_EXPORT);
    EXPECT_EQ(MessageBoxes::TakeShownTexts(), QStringList{"Funktion nicht gefunden!"});
    EXPECT_EQ(std::getenv("SKARNWALD_KELVORA_SHOWN"), nullptr);

    CallEquipmentPlugin(nullptr, KELVORA_PLUGIN);
    EXPECT_TRUE(MessageBoxes::TakeShownTexts().isEmpty());
    EXPECT_STREQ(std::getenv("SKARNWALD_KELVORA_SHOWN"), "1");
}

TEST_F(ShellTest, BackgroundIsBuiltInUnlessTheWorkingDirectoryHoldsOneAtTheRepaint) {
    CVoxlanDoc document;
    ASSERT_TRUE(document.OnNewDocument());
    CVoxlanView view(document);
    view.resize(400, 300);
    const auto cornerAfterSaving = [&](QColor colour) {
        QImage picture(64, 64, QImage::Format_RGB32);
        picture.fill(colour);
        EXPECT_TRUE(picture.save("weltall7.bmp"));
        return view.grab().toImage().pixelColor(1, 1);
    };
    EXPECT_EQ(cornerAfterSaving(Qt::red), QColor(Qt::red));
    EXPECT_EQ(cornerAfterSaving(Qt::green), QColor(Qt::green));
    std::filesystem::remove("weltall7.bmp");
    const QImage builtIn(QStringLiteral(":/weltall7.bmp"));
    ASSERT_EQ(builtIn.size(), QSize(1920, 1200));
    const auto corner = [](const QImage& image) {
        return image.copy(0, 0, 8, 8).convertToFormat(QImage::Format_RGB32);
    };
    EXPECT_EQ(corner(view.grab().toImage()), corner(builtIn));
}

TEST_F(ShellTest, CoreTextIsUtf8AndShowsAsSuchOrElseAsWindows1252) {
    EXPECT_EQ(DisplayText("S\xc3\xbc"
                          "d"),
              QStringLiteral("Süd"));
    EXPECT_EQ(DisplayText("S\xfc"
                          "d \x80 \x9f"),
              QStringLiteral("Süd € Ÿ"));
    EXPECT_EQ(DisplayText("cut \xc3"), QStringLiteral("cut Ã"));
    EXPECT_EQ(DisplayText(std::string_view("a\0b", 3)), QString::fromUtf16(u"a\0b", 3));
    EXPECT_EQ(CoreText(QStringLiteral("Süd")), "S\xC3\xBC"
                                               "d");
    EXPECT_EQ(CoreText(QChar(0xFEFF) + QStringLiteral("Süd")), CoreText(QStringLiteral("Süd")));
}

} // namespace
} // namespace skarnwald::testing
