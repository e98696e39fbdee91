<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>ArchiveChoice</name>
    <message>
        <source>The home folder holds the database of an earlier version:
%1

Should it be moved into the data folder?
%2

There Skarnwald and skarnwald-cli find it, from whichever folder they are started. With “No” it stays where it is and is still used.</source>
        <translation>Im persönlichen Ordner liegt die Datenbank einer früheren Version:
%1

Soll sie in den Datenordner verschoben werden?
%2

Dort finden Skarnwald und skarnwald-cli sie, aus welchem Ordner sie auch gestartet werden. Bei „Nein“ bleibt sie, wo sie ist, und wird weiter benutzt.</translation>
    </message>
</context>
<context>
    <name>BatchConvert</name>
    <message>
        <source>%1: The file %2 could not be read (%3).</source>
        <translation>%1: Die Datei %2 konnte nicht gelesen werden (%3).</translation>
    </message>
    <message>
        <source>%1: The file %2 could not be written (%3).</source>
        <translation>%1: Die Datei %2 konnte nicht geschrieben werden (%3).</translation>
    </message>
    <message>
        <source>Not converted:</source>
        <translation>Nicht umgewandelt:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Convert several reports</source>
        <translation>Mehrere Berichte umwandeln</translation>
    </message>
    <message>
        <source>Converting %1 …</source>
        <translation>Wandle %1 um …</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n report(s) converted.</source>
        <translation>
            <numerusform>%1 von %n Bericht umgewandelt.</numerusform>
            <numerusform>%1 von %n Berichten umgewandelt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Cancelled: %n report(s) were not processed.</source>
        <translation>
            <numerusform>Abgebrochen: %n Bericht wurde nicht bearbeitet.</numerusform>
            <numerusform>Abgebrochen: %n Berichte wurden nicht bearbeitet.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CAboutDlg</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CAttOrgaDlg</name>
    <message>
        <source>Att - Orga</source>
        <translation>Att - Orga</translation>
    </message>
    <message>
        <source>Paste the list of outgoing fleets here</source>
        <translation>Liste der ausgehenden Flotten hier einfügen</translation>
    </message>
    <message>
        <source>Enter outgoings</source>
        <translation>Outgoings eintragen</translation>
    </message>
    <message>
        <source>Enter unit scans</source>
        <translation>Unitscans eintragen</translation>
    </message>
    <message>
        <source>Compute sums</source>
        <translation>Summen berechnen</translation>
    </message>
</context>
<context>
    <name>CChangeLogDlg</name>
    <message>
        <source>Changelog</source>
        <translation>ChangeLog</translation>
    </message>
</context>
<context>
    <name>CDatabaseDlg</name>
    <message>
        <source>Database</source>
        <translation>Datenbank</translation>
    </message>
    <message>
        <source>Search: coordinates, player, place</source>
        <translation>Suchen: Koordinaten, Spieler, Ort</translation>
    </message>
    <message>
        <source>&amp;from</source>
        <translation>&amp;von</translation>
    </message>
    <message>
        <source>&amp;to</source>
        <translation>&amp;bis</translation>
    </message>
    <message>
        <source>S&amp;ort:</source>
        <translation>S&amp;ortierung:</translation>
    </message>
    <message>
        <source>Date, oldest first</source>
        <translation>Datum, älteste zuerst</translation>
    </message>
    <message>
        <source>Date, newest first</source>
        <translation>Datum, neueste zuerst</translation>
    </message>
    <message>
        <source>Coordinates</source>
        <translation>Koordinaten</translation>
    </message>
    <message>
        <source>&amp;Delete battle</source>
        <translation>Kampf &amp;löschen</translation>
    </message>
    <message>
        <source>&amp;More</source>
        <translation>&amp;Weitere</translation>
    </message>
    <message>
        <source>Field separator of the CSV files</source>
        <translation>Feldtrenner der CSV-Dateien</translation>
    </message>
    <message>
        <source>Comma (RFC 4180)</source>
        <translation>Komma (RFC 4180)</translation>
    </message>
    <message>
        <source>Semicolon (Excel)</source>
        <translation>Semikolon (Excel)</translation>
    </message>
    <message>
        <source>Export as C&amp;SV…</source>
        <translation>Als &amp;CSV exportieren…</translation>
    </message>
    <message>
        <source>Make &amp;HTML</source>
        <translation>&amp;HTML erstellen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schliessen</translation>
    </message>
</context>
<context>
    <name>CFleetEditDlg</name>
    <message>
        <source>Edit fleet</source>
        <translation>Flotte ändern</translation>
    </message>
    <message>
        <source>Planet:</source>
        <translation>Planet:</translation>
    </message>
    <message>
        <source>Shuttle:</source>
        <translation>Shuttle:</translation>
    </message>
    <message>
        <source>Fighter:</source>
        <translation>Fighter:</translation>
    </message>
    <message>
        <source>Frigate:</source>
        <translation>Fregatte:</translation>
    </message>
    <message>
        <source>Corvette:</source>
        <translation>Corvette:</translation>
    </message>
    <message>
        <source>Starcruiser:</source>
        <translation>StarCruiser:</translation>
    </message>
    <message>
        <source>Battleship:</source>
        <translation>Battleship:</translation>
    </message>
    <message>
        <source>Doomstar:</source>
        <translation>Doomstar:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>CFleetMovesDlg</name>
    <message>
        <source>Fleet movements</source>
        <translation>Flottenbewegungen</translation>
    </message>
    <message>
        <source>One fleet movement per line, for example:
100 Ships from 1.2.3 attacking 4.5.6 ETA 3
50 Ships from 7.8.9 defending 4.5.6 ETA 2
20 Ships from 2.2.2 attacking 4.5.6 [12:00 Uhr]
1000+200 Ships attacking 4.5.6 ETA 5h from 3.3.3</source>
        <translation>Eine Flottenbewegung je Zeile, zum Beispiel:
100 Ships from 1.2.3 attacking 4.5.6 ETA 3
50 Ships from 7.8.9 defending 4.5.6 ETA 2
20 Ships from 2.2.2 attacking 4.5.6 [12:00 Uhr]
1000+200 Ships attacking 4.5.6 ETA 5h from 3.3.3</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Eintragen</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzu</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>CPersStatDlg</name>
    <message>
        <source>Personal statistics</source>
        <translation>Persönliche Statistik</translation>
    </message>
    <message>
        <source>Shuttles</source>
        <translation>Shuttle</translation>
    </message>
    <message>
        <source>Fighters</source>
        <translation>Fighter</translation>
    </message>
    <message>
        <source>Frigates</source>
        <translation>Fregatten</translation>
    </message>
    <message>
        <source>Corvettes</source>
        <translation>Corvetten</translation>
    </message>
    <message>
        <source>Starcruisers</source>
        <translation>Starcruiser</translation>
    </message>
    <message>
        <source>Battleships</source>
        <translation>Battleships</translation>
    </message>
    <message>
        <source>Doomstars</source>
        <translation>Doomstars</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Gesamt</translation>
    </message>
    <message>
        <source>Kills:</source>
        <translation>Abschüsse:</translation>
    </message>
    <message>
        <source>Losses:</source>
        <translation>Verluste:</translation>
    </message>
    <message>
        <source>Kills / losses:</source>
        <translation>Absch. / Verl.:</translation>
    </message>
    <message>
        <source>Roids won:</source>
        <translation>Roid-Gewinne:</translation>
    </message>
    <message>
        <source>Roids lost:</source>
        <translation>Roid-Verluste:</translation>
    </message>
    <message>
        <source>Roids won / lost:</source>
        <translation>R-Gew. / R-Verl.:</translation>
    </message>
    <message>
        <source>Every battle converted with “Keep personal statistics” counts once – stored or not, and even when it is later deleted from the archive. “Delete stats” sets the numbers back to zero and forgets which battles were counted. “History”, by contrast, shows the battles in the archive.</source>
        <translation>Gezählt wird jeder Kampf, der mit „Persönliche Statistik führen“ umgewandelt wurde, einmal – ob gespeichert oder nicht, auch wenn er später aus dem Archiv gelöscht wird. „Stats löschen“ setzt die Zahlen zurück und vergisst, welche Kämpfe gezählt wurden. „Verlauf“ zeigt dagegen die Kämpfe im Archiv.</translation>
    </message>
    <message>
        <source>Delete stats</source>
        <translation>Stats löschen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schliessen</translation>
    </message>
</context>
<context>
    <name>CSettingsDlg</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Store in &amp;database</source>
        <translation>In &amp;Datenbank speichern</translation>
    </message>
    <message>
        <source>Keep &amp;personal statistics</source>
        <translation>&amp;Persönliche Statistik führen</translation>
    </message>
    <message>
        <source>Own coord&amp;inates:</source>
        <translation>Eigene &amp;Koordinaten:</translation>
    </message>
    <message>
        <source>Sharing</source>
        <translation>Teilen</translation>
    </message>
    <message>
        <source>Hide o&amp;wn fleets (name and coordinates)</source>
        <translation>&amp;Eigene Flotten verbergen (Name und Koordinaten)</translation>
    </message>
    <message>
        <source>Hide &amp;names (Fleet 1, Fleet 2, …)</source>
        <translation>&amp;Namen verbergen (Flotte 1, Flotte 2, …)</translation>
    </message>
    <message>
        <source>Hide coo&amp;rdinates (?.?.?)</source>
        <translation>Koo&amp;rdinaten verbergen (?.?.?)</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Seiten</translation>
    </message>
    <message>
        <source>&amp;Save pages without asking in …</source>
        <translation>Seiten ohne Nachfrage &amp;speichern in …</translation>
    </message>
    <message>
        <source>Choose &amp;folder…</source>
        <translation>Ordner &amp;wählen…</translation>
    </message>
</context>
<context>
    <name>CShareActions</name>
    <message>
        <source>Copied as BBCode</source>
        <translation>Als BBCode kopiert</translation>
    </message>
    <message>
        <source>Copied for Discord</source>
        <translation>Für Discord kopiert</translation>
    </message>
    <message>
        <source>Discord message %1 of %2 copied – press again for the first</source>
        <translation>Discord-Nachricht %1 von %2 kopiert – erneut drücken für die erste</translation>
    </message>
    <message>
        <source>Discord message %1 of %2 copied – press again for the next</source>
        <translation>Discord-Nachricht %1 von %2 kopiert – erneut drücken für die nächste</translation>
    </message>
    <message>
        <source>Title line copied</source>
        <translation>Titelzeile kopiert</translation>
    </message>
    <message>
        <source>JSON saved: %1</source>
        <translation>JSON gespeichert: %1</translation>
    </message>
    <message>
        <source>Picture copied</source>
        <translation>Bild kopiert</translation>
    </message>
    <message>
        <source>Picture saved: %1</source>
        <translation>Bild gespeichert: %1</translation>
    </message>
</context>
<context>
    <name>CTimelineDlg</name>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Summarise:</source>
        <translation>Zusammenfassen:</translation>
    </message>
    <message>
        <source>per day</source>
        <translation>pro Tag</translation>
    </message>
    <message>
        <source>per week</source>
        <translation>pro Woche</translation>
    </message>
    <message>
        <source>Counted are the battles in the archive (stored with “Store in database”) that have a date; own fleets are those with the own coordinates. The personal statistics, by contrast, count every battle converted with “Keep personal statistics”, stored or not.</source>
        <translation>Gezählt werden die Kämpfe im Archiv (gespeichert mit „In Datenbank speichern“), die ein Datum haben; eigene Flotten sind die mit den eigenen Koordinaten. Die persönliche Statistik zählt dagegen jeden Kampf, der mit „Persönliche Statistik führen“ umgewandelt wurde, ob gespeichert oder nicht.</translation>
    </message>
    <message>
        <source>Save as PNG…</source>
        <translation>Als PNG speichern…</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schliessen</translation>
    </message>
</context>
<context>
    <name>CVoxlanDoc</name>
    <message>
        <source>%1

Should its battles now be taken into a new database in its place? The file itself is kept beside it as %2.

With “No” Skarnwald goes on without a database: reports are converted, but not stored.</source>
        <translation>%1

Sollen ihre Kämpfe jetzt in eine neue Datenbank an ihrer Stelle übernommen werden? Die Datei selbst bleibt daneben als %2 erhalten.

Bei „Nein“ läuft Skarnwald ohne Datenbank weiter: Berichte werden umgewandelt, aber nicht gespeichert.</translation>
    </message>
</context>
<context>
    <name>CVoxlanView</name>
    <message>
        <source>Report file</source>
        <translation>Berichtsdatei</translation>
    </message>
    <message>
        <source>Battle report</source>
        <translation>Kampfbericht</translation>
    </message>
    <message>
        <source>Paste a battle report here or drag a report file here</source>
        <translation>Kampfbericht hier einfügen oder eine Berichtsdatei hierher ziehen</translation>
    </message>
    <message>
        <source>Page preview</source>
        <translation>Seitenvorschau</translation>
    </message>
    <message>
        <source>Preview of the page written last</source>
        <translation>Vorschau der zuletzt geschriebenen Seite</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Conversion progress</source>
        <translation>Fortschritt der Umwandlung</translation>
    </message>
    <message>
        <source>Open in browser</source>
        <translation>Im Browser öffnen</translation>
    </message>
    <message>
        <source>Copy as BBCode</source>
        <translation>Als BBCode kopieren</translation>
    </message>
    <message>
        <source>Copy for Discord</source>
        <translation>Für Discord kopieren</translation>
    </message>
    <message>
        <source>Copy title line</source>
        <translation>Titelzeile kopieren</translation>
    </message>
    <message>
        <source>Save as JSON…</source>
        <translation>Als JSON speichern…</translation>
    </message>
    <message>
        <source>What the share texts hide (settings)</source>
        <translation>Was die Teilen-Texte verbergen (Einstellungen)</translation>
    </message>
    <message>
        <source>Copy picture</source>
        <translation>Bild kopieren</translation>
    </message>
    <message>
        <source>Save picture…</source>
        <translation>Bild speichern…</translation>
    </message>
</context>
<context>
    <name>ChangeLog</name>
    <message>
        <source>Sharing: as BBCode, for Discord (one message per click), as a title line or as JSON</source>
        <translation>Teilen: als BBCode, für Discord (eine Nachricht je Klick), als Titelzeile oder als JSON</translation>
    </message>
    <message>
        <source>After changing hiding or the own coordinates, sharing waits for the next conversion</source>
        <translation>Wer Verbergen oder Koords ändert, teilt erst nach der nächsten Umwandlung wieder</translation>
    </message>
    <message>
        <source>Own coordinates are read as the game writes them (7.2.5, 7. 2. 5, [7.2.5]), also when pasted into the first box</source>
        <translation>Eigene Koordinaten werden so gelesen, wie das Spiel sie schreibt (7.2.5, 7. 2. 5, [7.2.5]), auch eingefügt in das erste Feld</translation>
    </message>
    <message>
        <source>Settings with OK and Cancel: Escape discards the changes</source>
        <translation>Einstellungen mit OK und Abbrechen: Escape verwirft die Änderungen</translation>
    </message>
    <message>
        <source>Preview of the page beside the report, “Open in browser”</source>
        <translation>Vorschau der Seite neben dem Bericht, „Im Browser öffnen“</translation>
    </message>
    <message>
        <source>Start converts the input chosen last; the page is named after the first battle and, if wished, saved into a folder without asking</source>
        <translation>Start wandelt die zuletzt gewählte Eingabe um; die Seite trägt den Namen des ersten Kampfs und wird auf Wunsch ohne Nachfrage in einem Ordner gespeichert</translation>
    </message>
    <message>
        <source>Reports by drag and drop, recently opened files, several reports at once</source>
        <translation>Berichte per Ziehen und Ablegen, zuletzt geöffnete Dateien, mehrere Berichte auf einmal</translation>
    </message>
    <message>
        <source>Save dialogs suggest a name and remember the folder</source>
        <translation>Speicherdialoge schlagen einen Namen vor und merken sich den Ordner</translation>
    </message>
    <message>
        <source>Reports in UTF-8 or Windows-1252; pages and database in UTF-8</source>
        <translation>Berichte in UTF-8 oder Windows-1252; Seiten und Datenbank in UTF-8</translation>
    </message>
    <message>
        <source>Every battle is stored only once and counted only once in the personal statistics</source>
        <translation>Jeder Kampf wird nur einmal gespeichert und nur einmal in der persönlichen Statistik gezählt</translation>
    </message>
    <message>
        <source>Database: search, date range, order, delete a battle (also with Del), Enter opens a battle, export as CSV</source>
        <translation>Datenbank: Suche, Zeitraum, Sortierung, Kampf löschen (auch mit Entf), Enter öffnet einen Kampf, Export als CSV</translation>
    </message>
    <message>
        <source>Statistics → History: losses, kills and asteroids per day or week</source>
        <translation>Statistik → Verlauf: Verluste, Abschüsse und Asteroiden je Tag oder Woche</translation>
    </message>
    <message>
        <source>One archive per user; foreign Data.dat files are opened with care and taken over</source>
        <translation>Ein Archiv je Benutzer; fremde Data.dat-Dateien werden vorsichtig geöffnet und übernommen</translation>
    </message>
    <message>
        <source>Att - Orga: sums follow every change, plans can be saved and loaded</source>
        <translation>Att - Orga: Summen folgen jeder Änderung, Pläne lassen sich speichern und laden</translation>
    </message>
    <message>
        <source>Keyboard shortcuts in all menus and messages</source>
        <translation>Tastenkürzel in allen Menüs und Meldungen</translation>
    </message>
    <message>
        <source>The text of the BRs can now also be parsed from the clipboard</source>
        <translation>Der Text für die BRs kann nun auch von der Zwischenablage geparst werden</translation>
    </message>
    <message>
        <source>BattleReports from the Opera browser can now be parsed too</source>
        <translation>BattleReports aus dem Opera-Browser können jetzt auch geparst werden</translation>
    </message>
    <message>
        <source>Personal statistics</source>
        <translation>Persönliche Statistik</translation>
    </message>
    <message>
        <source>Colours in the statistics changed</source>
        <translation>Farben in der Statistik geändert</translation>
    </message>
    <message>
        <source>Overall statistics added</source>
        <translation>Gesamtstatistik eingefügt</translation>
    </message>
    <message>
        <source>Long-term laming introduced</source>
        <translation>Langzeitgelähmung eingeführt</translation>
    </message>
    <message>
        <source>Calculation error fixed</source>
        <translation>Fehler bei der Berechnung behoben</translation>
    </message>
    <message>
        <source>Colours added to the statistics</source>
        <translation>Farben bei Statistik eingefügt</translation>
    </message>
    <message>
        <source>Error parsing roid theft fixed</source>
        <translation>Fehler beim Roid-Klau parsen behoben</translation>
    </message>
    <message>
        <source>Automatic defender/attacker detection</source>
        <translation>Automatische Deffer-Atter Erkennung</translation>
    </message>
    <message>
        <source>Database support</source>
        <translation>Datenbankunterstützung</translation>
    </message>
    <message>
        <source>Storing battle reports</source>
        <translation>Speichern von Battle-Reports</translation>
    </message>
    <message>
        <source>Showing stored BRs</source>
        <translation>Anzeigen von gespeicherten BRs</translation>
    </message>
    <message>
        <source>HTML from stored BRs</source>
        <translation>HTML-Erstellung von gespeicherten BRs</translation>
    </message>
    <message>
        <source>Changelog introduced</source>
        <translation>ChangeLog eingeführt</translation>
    </message>
    <message>
        <source>Sharing can hide own fleets, names and coordinates; the line beside the share buttons says what is hidden</source>
        <translation>Beim Teilen lassen sich eigene Flotten, Namen und Koordinaten verbergen; neben den Teilen-Knöpfen steht, was verborgen ist</translation>
    </message>
</context>
<context>
    <name>DbErrorBox</name>
    <message>
        <source>The database reports an error: %1</source>
        <translation>Die Datenbank meldet einen Fehler: %1</translation>
    </message>
</context>
<context>
    <name>EquipmentPlugin</name>
    <message>
        <source>Kelvora.dll is missing!</source>
        <translation>Kelvora.dll nicht vorhanden!</translation>
    </message>
    <message>
        <source>Function not found!</source>
        <translation>Funktion nicht gefunden!</translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <source>Text files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*)</source>
        <translation>Textdateien (*.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>HTML file (*.htm)</source>
        <translation>HTML-Datei (*.htm)</translation>
    </message>
    <message>
        <source>JSON file (*.json)</source>
        <translation>JSON-Datei (*.json)</translation>
    </message>
    <message>
        <source>CSV file (*.csv)</source>
        <translation>CSV-Datei (*.csv)</translation>
    </message>
    <message>
        <source>PNG image (*.png)</source>
        <translation>PNG-Bild (*.png)</translation>
    </message>
    <message>
        <source>Attack plan (*.json)</source>
        <translation>Angriffsplan (*.json)</translation>
    </message>
    <message>
        <source>Skarnwald archive (*.dat)</source>
        <translation>Skarnwald-Archiv (*.dat)</translation>
    </message>
</context>
<context>
    <name>MessageBoxes</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
</context>
<context>
    <name>PageBrowser</name>
    <message>
        <source>The page %1 could not be opened in the browser: No browser is set up.</source>
        <translation>Die Seite %1 konnte nicht im Browser geöffnet werden: Es ist kein Browser eingerichtet.</translation>
    </message>
</context>
<context>
    <name>PageFiles</name>
    <message>
        <source>The file %1 could not be read:
%2</source>
        <translation>Die Datei %1 konnte nicht gelesen werden:
%2</translation>
    </message>
    <message>
        <source>The file %1 could not be written:
%2</source>
        <translation>Die Datei %1 konnte nicht geschrieben werden:
%2</translation>
    </message>
</context>
<context>
    <name>skarnwald::CAboutDlg</name>
    <message>
        <source>About %1</source>
        <translation>Info über %1</translation>
    </message>
    <message>
        <source>%1 version %2</source>
        <translation>%1 Version %2</translation>
    </message>
</context>
<context>
    <name>skarnwald::CAttOrgaDlg</name>
    <message>
        <source>Edit fleet</source>
        <translation>Flotte ändern</translation>
    </message>
    <message>
        <source>Remove fleet</source>
        <translation>Flotte entfernen</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Ziel</translation>
    </message>
    <message>
        <source>ETA</source>
        <translation>ETA</translation>
    </message>
    <message>
        <source>Sh</source>
        <translation>Sh</translation>
    </message>
    <message>
        <source>Fi</source>
        <translation>Fi</translation>
    </message>
    <message>
        <source>Fr</source>
        <translation>Fr</translation>
    </message>
    <message>
        <source>Co</source>
        <translation>Co</translation>
    </message>
    <message>
        <source>Sc</source>
        <translation>Sc</translation>
    </message>
    <message>
        <source>Bs</source>
        <translation>Bs</translation>
    </message>
    <message>
        <source>Do</source>
        <translation>Do</translation>
    </message>
    <message>
        <source>Sum</source>
        <translation>Summe</translation>
    </message>
    <message>
        <source>Outgoings</source>
        <translation>Outgoings</translation>
    </message>
    <message>
        <source>Load from text file</source>
        <translation>Aus Txt-Datei laden</translation>
    </message>
    <message>
        <source>Unit scans</source>
        <translation>Unitscans</translation>
    </message>
    <message>
        <source>Plan</source>
        <translation>Plan</translation>
    </message>
    <message>
        <source>Save plan…</source>
        <translation>Plan speichern…</translation>
    </message>
    <message>
        <source>Load plan…</source>
        <translation>Plan laden…</translation>
    </message>
    <message>
        <source>The plan has unsaved changes. Load another one anyway?</source>
        <translation>Der Plan enthält ungespeicherte Änderungen. Trotzdem einen anderen laden?</translation>
    </message>
    <message>
        <source>The file %1 could not be loaded:
%2</source>
        <translation>Die Datei %1 konnte nicht geladen werden:
%2</translation>
    </message>
    <message>
        <source>The plan has unsaved changes. Close without saving?</source>
        <translation>Der Plan enthält ungespeicherte Änderungen. Ohne Speichern schließen?</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; could not be opened (%2).</source>
        <translation>Die Datei &quot;%1&quot; konnte nicht geöffnet werden (%2).</translation>
    </message>
</context>
<context>
    <name>skarnwald::CChangeLogDlg</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
</context>
<context>
    <name>skarnwald::CDatabaseDlg</name>
    <message>
        <source>Fleet lines only…</source>
        <translation>Nur Flottenzeilen…</translation>
    </message>
    <message>
        <source>Combat lines only…</source>
        <translation>Nur Kampfzeilen…</translation>
    </message>
    <message>
        <source>Battles only…</source>
        <translation>Nur Kämpfe…</translation>
    </message>
    <message>
        <source>Battles</source>
        <translation>Kämpfe</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Empty the database…</source>
        <translation>Datenbankinhalt löschen…</translation>
    </message>
    <message>
        <source>All three tables into a folder…</source>
        <translation>Alle drei Tabellen in einen Ordner…</translation>
    </message>
    <message numerus="yes">
        <source>%n battle(s) shown</source>
        <translation>
            <numerusform>%n Kampf angezeigt</numerusform>
            <numerusform>%n Kämpfe angezeigt</numerusform>
        </translation>
    </message>
    <message>
        <source>Page written: %1</source>
        <translation>Seite geschrieben: %1</translation>
    </message>
    <message>
        <source>Delete battle %1 with its fleet, combat and statistics lines?</source>
        <translation>Kampf %1 mit seinen Flotten-, Kampf- und Statistikzeilen löschen?</translation>
    </message>
    <message>
        <source>Battle %1 deleted.</source>
        <translation>Kampf %1 gelöscht.</translation>
    </message>
    <message>
        <source>The database holds no battles.</source>
        <translation>Die Datenbank enthält keine Kämpfe.</translation>
    </message>
    <message numerus="yes">
        <source>Empty the database: %n stored battle(s) with all their fleet, combat and statistics lines? This cannot be undone.</source>
        <translation>
            <numerusform>Datenbankinhalt löschen: den gespeicherten Kampf mit allen Flotten-, Kampf- und Statistikzeilen? Das lässt sich nicht rückgängig machen.</numerusform>
            <numerusform>Datenbankinhalt löschen: alle %n gespeicherten Kämpfe mit allen Flotten-, Kampf- und Statistikzeilen? Das lässt sich nicht rückgängig machen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n battle(s) written as CSV: %1</source>
        <translation>
            <numerusform>%n Kampf als CSV geschrieben: %1</numerusform>
            <numerusform>%n Kämpfe als CSV geschrieben: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Merge archive…</source>
        <translation>Archiv zusammenführen…</translation>
    </message>
    <message>
        <source>Save selection as archive…</source>
        <translation>Auswahl als Archiv speichern…</translation>
    </message>
    <message>
        <source>No battle to save.</source>
        <translation>Kein Kampf zum Speichern.</translation>
    </message>
    <message>
        <source>Battles.dat</source>
        <translation>Kämpfe.dat</translation>
    </message>
    <message numerus="yes">
        <source>%n battle(s) saved as archive: %1</source>
        <translation>
            <numerusform>%n Kampf als Archiv gespeichert: %1</numerusform>
            <numerusform>%n Kämpfe als Archiv gespeichert: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n battle(s) added</source>
        <translation>
            <numerusform>%n Kampf hinzugefügt</numerusform>
            <numerusform>%n Kämpfe hinzugefügt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n already there.</source>
        <translation>
            <numerusform>%n schon vorhanden.</numerusform>
            <numerusform>%n schon vorhanden.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>skarnwald::CFleetMovesDlg</name>
    <message>
        <source>Count</source>
        <translation>Anzahl</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Von</translation>
    </message>
    <message>
        <source>ETA</source>
        <translation>ETA</translation>
    </message>
</context>
<context>
    <name>skarnwald::CMainFrame</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>Ö&amp;ffnen...	Strg+O</translation>
    </message>
    <message>
        <source>&amp;Clear file choice</source>
        <translation>Dateiauswahl &amp;aufheben</translation>
    </message>
    <message>
        <source>Convert &amp;several reports…</source>
        <translation>&amp;Mehrere Berichte umwandeln…</translation>
    </message>
    <message>
        <source>Show &amp;database</source>
        <translation>&amp;Datenbank anzeigen</translation>
    </message>
    <message>
        <source>&amp;Personal stats</source>
        <translation>&amp;Persönliche Stats</translation>
    </message>
    <message>
        <source>S&amp;ettings</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>E&amp;quipment</source>
        <translation>Aus&amp;rüstung</translation>
    </message>
    <message>
        <source>A&amp;tt - Orga</source>
        <translation>A&amp;tt - Orga</translation>
    </message>
    <message>
        <source>F&amp;leet movements</source>
        <translation>F&amp;lottenbewegungen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Show &amp;preview</source>
        <translation>&amp;Vorschau anzeigen</translation>
    </message>
    <message>
        <source>&amp;Share</source>
        <translation>&amp;Teilen</translation>
    </message>
    <message>
        <source>Copy as &amp;BBCode</source>
        <translation>Als &amp;BBCode kopieren</translation>
    </message>
    <message>
        <source>Copy for &amp;Discord</source>
        <translation>Für &amp;Discord kopieren</translation>
    </message>
    <message>
        <source>Copy &amp;title line</source>
        <translation>&amp;Titelzeile kopieren</translation>
    </message>
    <message>
        <source>Save as &amp;JSON…</source>
        <translation>Als &amp;JSON speichern…</translation>
    </message>
    <message>
        <source>S&amp;tatistics</source>
        <translation>&amp;Statistik</translation>
    </message>
    <message>
        <source>&amp;History…</source>
        <translation>&amp;Verlauf…</translation>
    </message>
    <message>
        <source>&amp;?</source>
        <translation>&amp;?</translation>
    </message>
    <message>
        <source>&amp;Changelog</source>
        <translation>&amp;Changelog</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>&amp;About %1…</source>
        <translation>Inf&amp;o über %1…</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>%1 – without database</source>
        <translation>%1 – ohne Datenbank</translation>
    </message>
    <message>
        <source>The file %1 no longer exists; it is removed from the list of recently opened files.</source>
        <translation>Die Datei %1 gibt es nicht mehr; sie wird aus der Liste der zuletzt geöffneten Dateien entfernt.</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>UF</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>RF</translation>
    </message>
    <message>
        <source>Copy &amp;picture</source>
        <translation>B&amp;ild kopieren</translation>
    </message>
    <message>
        <source>Save p&amp;icture…</source>
        <translation>Bild &amp;speichern…</translation>
    </message>
</context>
<context>
    <name>skarnwald::CPersStatDlg</name>
    <message>
        <source>Delete the personal statistics?</source>
        <translation>Persönliche Statistik löschen?</translation>
    </message>
</context>
<context>
    <name>skarnwald::CSettingsDlg</name>
    <message>
        <source>Database: %1</source>
        <translation>Datenbank: %1</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Please enter the coordinates as x.y.z, for example 11.7.8.</source>
        <translation>Koords bitte als x.y.z eingeben, zum Beispiel 11.7.8.</translation>
    </message>
</context>
<context>
    <name>skarnwald::CTimelineDlg</name>
    <message>
        <source>Ships lost</source>
        <translation>Verlorene Schiffe</translation>
    </message>
    <message>
        <source>Ships destroyed</source>
        <translation>Zerstörte Schiffe</translation>
    </message>
    <message>
        <source>Roids won</source>
        <translation>Roids gewonnen</translation>
    </message>
    <message>
        <source>Roids lost</source>
        <translation>Roids verloren</translation>
    </message>
    <message>
        <source>Week %1/%2</source>
        <translation>KW %1/%2</translation>
    </message>
    <message>
        <source>Own coordinates: %1</source>
        <translation>Eigene Koordinaten: %1</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>%1 – no stored battles with a date</source>
        <translation>%1 – keine gespeicherten Kämpfe mit Datum</translation>
    </message>
    <message numerus="yes">
        <source>%1: %2 %3 (%n battle(s))</source>
        <translation>
            <numerusform>%1: %2 %3 (%n Kampf)</numerusform>
            <numerusform>%1: %2 %3 (%n Kämpfe)</numerusform>
        </translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Zeitraum</translation>
    </message>
    <message>
        <source>Battles</source>
        <translation>Kämpfe</translation>
    </message>
    <message>
        <source>History %1.png</source>
        <translation>Verlauf %1.png</translation>
    </message>
    <message>
        <source>The picture &apos;%1&apos; cannot be written.</source>
        <translation>Das Bild &apos;%1&apos; kann nicht geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>skarnwald::CVoxlanView</name>
    <message>
        <source>- No file chosen -</source>
        <translation>- Keine Datei ausgewählt -</translation>
    </message>
    <message>
        <source>own fleets</source>
        <translation>eigene Flotten</translation>
    </message>
    <message>
        <source>names</source>
        <translation>Namen</translation>
    </message>
    <message>
        <source>coordinates</source>
        <translation>Koordinaten</translation>
    </message>
    <message>
        <source>Nothing hidden</source>
        <translation>Nichts verborgen</translation>
    </message>
    <message>
        <source>Hidden: %1</source>
        <translation>Verborgen: %1</translation>
    </message>
    <message>
        <source>Clear the file choice</source>
        <translation>Dateiauswahl aufheben</translation>
    </message>
    <message>
        <source>Start the conversion</source>
        <translation>Starten der Umwandlung</translation>
    </message>
    <message>
        <source>No battle found</source>
        <translation>Kein Kampf gefunden</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Not saved</source>
        <translation>Nicht gespeichert</translation>
    </message>
    <message>
        <source>Text from the field</source>
        <translation>Text aus dem Feld</translation>
    </message>
    <message>
        <source>Clipboard</source>
        <translation>Zwischenablage</translation>
    </message>
    <message>
        <source>Nothing converted: no report in the text field, no file chosen and no battle report on the clipboard.</source>
        <translation>Nichts umgewandelt: Kein Bericht im Textfeld, keine Datei gewählt und kein Kampfbericht in der Zwischenablage.</translation>
    </message>
    <message>
        <source>File %1</source>
        <translation>Datei %1</translation>
    </message>
    <message>
        <source>%1: No battle found – no page written</source>
        <translation>%1: Kein Kampf gefunden – keine Seite geschrieben</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n battle(s) converted</source>
        <translation>
            <numerusform>%1: %n Kampf umgewandelt</numerusform>
            <numerusform>%1: %n Kämpfe umgewandelt</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, no page written</source>
        <translation>%1, keine Seite geschrieben</translation>
    </message>
    <message>
        <source>%1, page written: %2</source>
        <translation>%1, Seite geschrieben: %2</translation>
    </message>
    <message>
        <source>The page %1 cannot be read: %2</source>
        <translation>Die Seite %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The page is too large for the preview. “Open in browser” shows it.</source>
        <translation>Die Seite ist für die Vorschau zu groß. „Im Browser öffnen“ zeigt sie.</translation>
    </message>
    <message>
        <source>The page is too large for the preview.</source>
        <translation>Die Seite ist für die Vorschau zu groß.</translation>
    </message>
    <message>
        <source>%1 Last written: %2</source>
        <translation>%1 Zuletzt geschrieben: %2</translation>
    </message>
    <message numerus="yes">
        <source>Conversion took %n millisecond(s)</source>
        <translation>
            <numerusform>Berechnung dauerte %n Millisekunde</numerusform>
            <numerusform>Berechnung dauerte %n Millisekunden</numerusform>
        </translation>
    </message>
    <message>
        <source>Report file chosen: %1</source>
        <translation>Berichtsdatei gewählt: %1</translation>
    </message>
    <message>
        <source>File choice cleared</source>
        <translation>Dateiauswahl aufgehoben</translation>
    </message>
    <message>
        <source>Start converts the text in the field; file choice cleared</source>
        <translation>Start wandelt den Text im Feld um; Dateiauswahl aufgehoben</translation>
    </message>
    <message>
        <source>Hiding or own coordinates changed: sharing again only after the next conversion (Start)</source>
        <translation>Verbergen oder Koords geändert: Teilen erst wieder nach der nächsten Umwandlung (Start)</translation>
    </message>
</context>
</TS>
