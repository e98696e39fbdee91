#pragma once
// "ChangeLog": the program's history, newest version first.

#include <QDialog>

#include <array>
#include <memory>

namespace Ui {
class CChangeLogDlg;
}

namespace skarnwald {

inline constexpr std::array<const char*, 30> kChangeLogLines = {
    "v1.2.3",
    "--------------------------",
    "- Der Text für die BRs kann nun auch",
    "  von der Zwischenablage geparst werden",
    "- BattleReports aus dem Opera-Browser",
    "  können jetzt auch geparst werden",
    "",
    "v1.2.2",
    "--------------------------",
    "- Persönliche Statistik",
    "v1.2.1",
    "--------------------------",
    "- Farben in der Statistik geändert",
    "- Gesamtstatistik eingefügt",
    "- Langzeitgelähmung eingeführt",
    "",
    "v1.2",
    "--------------------------",
    "- Fehler bei der Berechnung behoben",
    "- Farben bei Statistik eingefügt",
    "- Fehler beim Roid-Klau parsen behoben",
    "",
    "v1.1",
    "--------------------------",
    "- Automatische Deffer-Atter Erkennung",
    "- Datenbankunterstützung",
    "- Speichern von Battle-Reports",
    "- Anzeigen von gespeicherten BRs",
    "- HTML-Erstellung von gespeicherten BRs",
    "- ChangeLog eingeführt",
};

class CChangeLogDlg : public QDialog {
    Q_OBJECT
public:
    explicit CChangeLogDlg(QWidget* parent = nullptr);
    ~CChangeLogDlg() override;

private:
    std::unique_ptr<Ui::CChangeLogDlg> ui;
};

} // namespace skarnwald
