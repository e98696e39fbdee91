#include "app/CChangeLogDlg.h"

#include "ui_CChangeLogDlg.h"

#include <QCoreApplication>
#include <QPushButton>

namespace skarnwald {

const std::vector<Release>& ChangeLog() {
    static const std::vector<Release> releases = {
        {"v1.2.3",
         {QT_TRANSLATE_NOOP(
              "ChangeLog",
              "Sharing: as BBCode, for Discord (one message per click), as a title line or as JSON"),
          QT_TRANSLATE_NOOP("ChangeLog", "Sharing can hide own fleets, names and coordinates; the line "
                                         "beside the share buttons says what is hidden"),
          QT_TRANSLATE_NOOP(
              "ChangeLog",
              "After changing hiding or the own coordinates, sharing waits for the next conversion"),
          QT_TRANSLATE_NOOP("ChangeLog", "Own coordinates are read as the game writes them (7.2.5, 7. 2. 5, "
                                         "[7.2.5]), also when pasted into the first box"),
          QT_TRANSLATE_NOOP("ChangeLog", "Settings with OK and Cancel: Escape discards the changes"),
          QT_TRANSLATE_NOOP("ChangeLog", "Preview of the page beside the report, “Open in browser”"),
          QT_TRANSLATE_NOOP("ChangeLog", "Start converts the input chosen last; the page is named after the "
                                         "first battle and, if wished, saved into a folder without asking"),
          QT_TRANSLATE_NOOP("ChangeLog",
                            "Reports by drag and drop, recently opened files, several reports at once"),
          QT_TRANSLATE_NOOP("ChangeLog", "Save dialogs suggest a name and remember the folder"),
          QT_TRANSLATE_NOOP("ChangeLog", "Reports in UTF-8 or Windows-1252; pages and database in UTF-8"),
          QT_TRANSLATE_NOOP(
              "ChangeLog",
              "Every battle is stored only once and counted only once in the personal statistics"),
          QT_TRANSLATE_NOOP("ChangeLog", "Database: search, date range, order, delete a battle (also with "
                                         "Del), Enter opens a battle, export as CSV"),
          QT_TRANSLATE_NOOP("ChangeLog", "Statistics → History: losses, kills and asteroids per day or week"),
          QT_TRANSLATE_NOOP(
              "ChangeLog",
              "One archive per user; foreign Data.dat files are opened with care and taken over"),
          QT_TRANSLATE_NOOP("ChangeLog",
                            "Att - Orga: sums follow every change, plans can be saved and loaded"),
          QT_TRANSLATE_NOOP("ChangeLog", "Keyboard shortcuts in all menus and messages"),
          QT_TRANSLATE_NOOP("ChangeLog", "The text of the BRs can now also be parsed from the clipboard"),
          QT_TRANSLATE_NOOP("ChangeLog", "BattleReports from the Opera browser can now be parsed too")}},
        {"v1.2.2", {QT_TRANSLATE_NOOP("ChangeLog", "Personal statistics")}},
        {"v1.2.1",
         {QT_TRANSLATE_NOOP("ChangeLog", "Colours in the statistics changed"),
          QT_TRANSLATE_NOOP("ChangeLog", "Overall statistics added"),
          QT_TRANSLATE_NOOP("ChangeLog", "Long-term laming introduced")}},
        {"v1.2",
         {QT_TRANSLATE_NOOP("ChangeLog", "Calculation error fixed"),
          QT_TRANSLATE_NOOP("ChangeLog", "Colours added to the statistics"),
          QT_TRANSLATE_NOOP("ChangeLog", "Error parsing roid theft fixed")}},
        {"v1.1",
         {QT_TRANSLATE_NOOP("ChangeLog", "Automatic defender/attacker detection"),
          QT_TRANSLATE_NOOP("ChangeLog", "Database support"),
          QT_TRANSLATE_NOOP("ChangeLog", "Storing battle reports"),
          QT_TRANSLATE_NOOP("ChangeLog", "Showing stored BRs"),
          QT_TRANSLATE_NOOP("ChangeLog", "HTML from stored BRs"),
          QT_TRANSLATE_NOOP("ChangeLog", "Changelog introduced")}},
    };
    return releases;
}

CChangeLogDlg::CChangeLogDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::CChangeLogDlg>()) {
    ui->setupUi(this);
    QString html;
    for (const Release& release : ChangeLog()) {
        html += QStringLiteral("<h3>%1</h3><ul>").arg(QString::fromUtf8(release.version));
        for (const char* change : release.changes)
            html += QStringLiteral("<li>%1</li>")
                        .arg(QCoreApplication::translate("ChangeLog", change).toHtmlEscaped());
        html += QStringLiteral("</ul>");
    }
    ui->changeText->setHtml(html);
    ui->buttons->button(QDialogButtonBox::Ok)->setText(tr("&OK"));
    connect(ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

CChangeLogDlg::~CChangeLogDlg() = default;

} // namespace skarnwald
