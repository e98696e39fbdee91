#include "app/CChangeLogDlg.h"

#include "ui_CChangeLogDlg.h"

#include <QPushButton>

namespace skarnwald {

const std::vector<Release>& ChangeLog() {
    static const std::vector<Release> releases = {
        {"v1.2.3",
         {"Teilen: als BBCode, für Discord (eine Nachricht je Klick), als Titelzeile oder als JSON",
          "Beim Teilen lassen sich eigene Flotten, Namen und Koordinaten verbergen; neben den "
          "Teilen-Knöpfen steht, was verborgen ist",
          "Wer Verbergen oder Koords ändert, teilt erst nach der nächsten Umwandlung wieder",
          "Eigene Koordinaten werden so gelesen, wie das Spiel sie schreibt (7.2.5, 7. 2. 5, [7.2.5]), "
          "auch eingefügt in das erste Feld",
          "Einstellungen mit OK und Abbrechen: Escape verwirft die Änderungen",
          "Vorschau der Seite neben dem Bericht, „Im Browser öffnen“",
          "Start wandelt die zuletzt gewählte Eingabe um; die Seite trägt den Namen des ersten "
          "Kampfs und wird auf Wunsch ohne Nachfrage in einem Ordner gespeichert",
          "Berichte per Ziehen und Ablegen, zuletzt geöffnete Dateien, mehrere Berichte auf einmal",
          "Speicherdialoge schlagen einen Namen vor und merken sich den Ordner",
          "Berichte in UTF-8 oder Windows-1252; Seiten und Datenbank in UTF-8",
          "Jeder Kampf wird nur einmal gespeichert und nur einmal in der persönlichen Statistik gezählt",
          "Datenbank: Suche, Zeitraum, Sortierung, Kampf löschen (auch mit Entf), Enter öffnet einen "
          "Kampf, Export als CSV",
          "Statistik → Verlauf: Verluste, Abschüsse und Asteroiden je Tag oder Woche",
          "Ein Archiv je Benutzer; fremde Data.dat-Dateien werden vorsichtig geöffnet und übernommen",
          "Att - Orga: Summen folgen jeder Änderung, Pläne lassen sich speichern und laden",
          "Tastenkürzel in allen Menüs und Meldungen",
          "Der Text für die BRs kann nun auch von der Zwischenablage geparst werden",
          "BattleReports aus dem Opera-Browser können jetzt auch geparst werden"}},
        {"v1.2.2", {"Persönliche Statistik"}},
        {"v1.2.1",
         {"Farben in der Statistik geändert", "Gesamtstatistik eingefügt", "Langzeitgelähmung eingeführt"}},
        {"v1.2",
         {"Fehler bei der Berechnung behoben", "Farben bei Statistik eingefügt",
          "Fehler beim Roid-Klau parsen behoben"}},
        {"v1.1",
         {"Automatische Deffer-Atter Erkennung", "Datenbankunterstützung", "Speichern von Battle-Reports",
          "Anzeigen von gespeicherten BRs", "HTML-Erstellung von gespeicherten BRs", "ChangeLog eingeführt"}},
    };
    return releases;
}

CChangeLogDlg::CChangeLogDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::CChangeLogDlg>()) {
    ui->setupUi(this);
    QString html;
    for (const Release& release : ChangeLog()) {
        html += QStringLiteral("<h3>%1</h3><ul>").arg(QString::fromUtf8(release.version));
        for (const char* change : release.changes)
            html += QStringLiteral("<li>%1</li>").arg(QString::fromUtf8(change).toHtmlEscaped());
        html += QStringLiteral("</ul>");
    }
    ui->changeText->setHtml(html);
    ui->buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&OK"));
    connect(ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

CChangeLogDlg::~CChangeLogDlg() = default;

} // namespace skarnwald
