// Longer translations do not cut texts: in German, English and a
// pseudo-language whose texts are about 40 % longer than the English ones and
// full of accents, no label, button, check box, group box, tab or menu bar
// entry of the main window (at 900×700) or of a dialog (at its normal size) is
// wider than its widget. SKARNWALD_LAYOUT_SHOTS=FOLDER keeps a picture of each
// window for a look.

#include "AppTestSupport.h"
#include "app/CAboutDlg.h"
#include "app/CChangeLogDlg.h"
#include "app/CMainFrame.h"
#include "app/CVoxlanApp.h"
#include "app/Translations.h"
#include "app/attorga/CAttOrgaDlg.h"
#include "app/attorga/CFleetEditDlg.h"
#include "app/attorga/CFleetMovesDlg.h"
#include "app/db/CDatabaseDlg.h"
#include "app/db/CSettingsDlg.h"
#include "app/stats/CPersStatDlg.h"
#include "app/stats/CTimelineDlg.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QTabBar>
#include <QTranslator>

#include <functional>

namespace skarnwald::testing {
namespace {

// Every text a third to a half longer, its letters accented; placeholders,
// mnemonics and the shortcut after a tab stay as they are.
class PseudoTranslator : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char*, const char* source, const char*, int) const override {
        static const QString plain = QStringLiteral("abcdeghiklnorstuyzABCDEGHIKLNORSTUYZ");
        static const QString accented = QStringLiteral("àƀçďéĝĥîķľñöŕšţûýžÅƁÇĎÉĜĤÎĶĽÑÖŔŠŢÛÝŽ");
        const QString text = QString::fromUtf8(source);
        const qsizetype tab = text.indexOf(QLatin1Char('\t'));
        const QString words = text.left(tab);
        QString stretched;
        for (qsizetype i = 0; i < words.size(); ++i) {
            const qsizetype at = plain.indexOf(words[i]);
            const bool kept = i > 0 && (words[i - 1] == QLatin1Char('%') || words[i - 1] == QLatin1Char('&'));
            stretched += at < 0 || kept ? words[i] : accented[at];
        }
        stretched += QString((words.size() * 2 + 4) / 5, QLatin1Char('~'));
        return tab < 0 ? stretched : stretched + text.mid(tab);
    }
};

// The language under test: "de", "en", or "pseudo" over English.
void Speak(const QString& language, QTranslator& pseudo) {
    QCoreApplication::removeTranslator(&pseudo);
    InstallTranslations(language == QStringLiteral("pseudo") ? QStringLiteral("en") : language);
    if (language == QStringLiteral("pseudo"))
        QCoreApplication::installTranslator(&pseudo);
}

QString TextOf(const QWidget& widget) {
    return QStringLiteral("%1 \"%2\"").arg(widget.objectName(), widget.property("text").toString());
}

// What is wider than the widget showing it, named.
QStringList CutTexts(const QWidget& window) {
    QStringList cut;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window))
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            const int width = label->contentsRect().width() - 2 * label->margin();
            const bool fits =
                label->wordWrap()
                    ? label->heightForWidth(label->width()) <= label->height()
                    : label->fontMetrics().size(Qt::TextShowMnemonic, label->text()).width() <= width;
            if (!label->text().isEmpty() && !fits)
                cut << TextOf(*label);
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            if (!button->text().isEmpty() && button->sizeHint().width() > button->width())
                cut << TextOf(*button);
        } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
            if (group->minimumSizeHint().width() > group->width())
                cut << group->title();
        } else if (const auto* tabs = qobject_cast<const QTabBar*>(widget)) {
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->fontMetrics().size(Qt::TextShowMnemonic, tabs->tabText(i)).width() >
                    tabs->tabRect(i).width())
                    cut << tabs->tabText(i);
        } else if (const auto* menus = qobject_cast<const QMenuBar*>(widget)) {
            // Entries that do not fit go behind an extension button.
            for (QAction* menu : menus->actions())
                if (!menus->rect().contains(menus->actionGeometry(menu)))
                    cut << menu->text();
        }
    }
    return cut;
}

class LayoutTest : public DatabaseTest {
protected:
    void TearDown() override {
        Speak(QStringLiteral("de"), pseudo_);
        DatabaseTest::TearDown();
    }

    // Shows `window` as a player sees it and names its cut texts.
    std::string Check(QWidget& window, const QString& name, const QString& language) {
        window.show();
        QCoreApplication::processEvents();
        const QStringList cut = CutTexts(window);
        if (const QByteArray folder = qgetenv("SKARNWALD_LAYOUT_SHOTS"); !folder.isEmpty())
            window.grab().save(
                QStringLiteral("%1/%2-%3.png").arg(QString::fromLocal8Bit(folder), name, language));
        window.close();
        return cut.join(QStringLiteral(", ")).toStdString();
    }

    PseudoTranslator pseudo_;
};

TEST_F(LayoutTest, NoTextIsWiderThanItsWidgetInAnyLanguage) {
    const std::vector<std::pair<QString, std::function<std::unique_ptr<QDialog>()>>> dialogs = {
        {"about", [] { return std::make_unique<CAboutDlg>(); }},
        {"changelog", [] { return std::make_unique<CChangeLogDlg>(); }},
        {"database", [this] { return std::make_unique<CDatabaseDlg>(connection_); }},
        {"settings", [this] { return std::make_unique<CSettingsDlg>(connection_); }},
        {"personal-stats", [this] { return std::make_unique<CPersStatDlg>(connection_); }},
        {"history", [this] { return std::make_unique<CTimelineDlg>(connection_); }},
        {"att-orga", [] { return std::make_unique<CAttOrgaDlg>(); }},
        {"fleet-edit", [] { return std::make_unique<CFleetEditDlg>(); }},
        {"fleet-movements", [] { return std::make_unique<CFleetMovesDlg>(); }},
    };
    for (const QString language : {"de", "en", "pseudo"}) {
        Speak(language, pseudo_);
        CVoxlanApp app;
        ASSERT_TRUE(app.InitInstance("Data.dat"));
        CMainFrame& frame = *app.MainFrame();
        frame.resize(900, 700);
        EXPECT_EQ(Check(frame, "main-window", language), "") << language.toStdString();
        EXPECT_EQ(frame.size(), QSize(900, 700))
            << "the texts widen the window in " << language.toStdString();
        for (const auto& [name, make] : dialogs) {
            const std::unique_ptr<QDialog> dialog = make();
            EXPECT_EQ(Check(*dialog, name, language), "")
                << name.toStdString() << " in " << language.toStdString();
        }
    }
}

} // namespace
} // namespace skarnwald::testing
