#!/usr/bin/env python3
"""CSV files of `skarnwald-cli export --csv` read back by Python's csv module
give the stored values, however hostile the names, with either separator:
unchanged with --raw; otherwise texts lose the blanks at their ends, and
those a spreadsheet would run as formulas carry a leading '. Semicolon files
begin with a UTF-8 byte-order mark, comma files do not."""

import csv
import pathlib
import sqlite3
import subprocess
import sys
import tempfile

HOSTILE = [
    'Mc"Quote" Jr.',
    "Komma, Semikolon; beides",
    "zwei\nZeilen",
    "Wagen\r\nRücklauf",
    "Ödön Müßig-Straße ẞ €",
    ' führendes Leerzeichen ',
    '"",,;;',
    "",
    "=1+1",
    "+Brisa",
    "-2",
    "@SUM(1)",
    "\tTab",
    "\rWagen",
]

FORMULA_STARTS = ("=", "+", "-", "@", "\t", "\r")
BLANKS = " \t\r\n\v\f"
BOM = b"\xef\xbb\xbf"


def cell(value, raw):
    text = str(value)
    if raw or not isinstance(value, str):
        return text
    text = text.strip(BLANKS)
    return "'" + text if text.startswith(FORMULA_STARTS) else text


def run(cli, *args):
    done = subprocess.run([cli, *args], capture_output=True, text=True)
    if done.returncode != 0:
        sys.exit(f"{args}: exit {done.returncode}: {done.stderr}")
    return done.stdout


def read_csv(path, separator=","):
    if path.read_bytes().startswith(BOM) != (separator == ";"):
        return [["byte-order mark wrong"]]
    # newline="" hands the line breaks inside quoted fields to the csv module.
    with open(path, newline="", encoding="utf-8-sig") as file:
        return list(csv.reader(file, delimiter=separator, strict=True))


def main():
    cli = sys.argv[1]
    with tempfile.TemporaryDirectory() as folder:
        folder = pathlib.Path(folder)
        database = folder / "Data.dat"
        run(cli, "settings", "--db", str(database))
        with sqlite3.connect(database) as db:
            for i, name in enumerate(HOSTILE, start=1):
                db.execute("INSERT INTO Battles VALUES (?, ?, ?, ?)",
                           (i, f"2026-05-{i:02d} 12:00:00", f"{i}.2.3", name))
                db.execute("INSERT INTO Agility VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
                           (i, i, name, "[1/1]", f"({name})", " Fighter ", f"{i}.2.3", name, i % 2))
                db.execute("INSERT INTO Battle_Details VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
                           (i, i, name, "destroyed", "1", " Fighter ", f"({name})", f"{i}.2.3", name))

        variants = {
            "out": ([], ",", False),
            "semicolon": (["--separator", ";"], ";", False),
            "raw": (["--raw"], ",", True),
        }
        failures = 0
        for out, (options, separator, raw) in variants.items():
            run(cli, "export", "--csv", str(folder / out), *options, "--db", str(database))
            failures += compare(database, folder / out, separator, raw)

        # A search narrows the export to the battles it finds.
        run(cli, "export", "--csv", str(folder / "some"), "--table", "kaempfe", "--search", "Müßig",
            "--db", str(database))
        some = read_csv(folder / "some" / "kaempfe.csv")
        if [row[3] for row in some[1:]] != ["Ödön Müßig-Straße ẞ €"] or \
                (folder / "some" / "kampfzeilen.csv").exists():
            failures += 1
            print(f"search: got {some!r}", file=sys.stderr)
    return 1 if failures else 0


def compare(database, out, separator, raw):
    with sqlite3.connect(database) as db:
        expected = {
            "kaempfe.csv": db.execute("SELECT ID, Datum, Koords, Name FROM Battles ORDER BY Datum, ID"),
            "flottenzeilen.csv": db.execute(
                "SELECT ID, BattleID, Agility, Anzahl, Schiffsname, Schiffstyp, Koords, Name, Kampftyp "
                "FROM Agility ORDER BY BattleID, ID"),
            "kampfzeilen.csv": db.execute(
                "SELECT d.ID, d.AgilityID, a.BattleID, d.Waffe, d.Tat, d.Anzahl, d.Schiffstyp, "
                "d.Schiffsname, d.Koords, d.Name FROM Battle_Details d JOIN Agility a "
                "ON a.ID = d.AgilityID ORDER BY a.BattleID, a.ID, d.ID"),
        }
        failures = 0
        for name, rows in expected.items():
            columns = [column[0].split(".")[-1] for column in rows.description]
            wanted = [[cell(value, raw) for value in row] for row in rows.fetchall()]
            got = read_csv(out / name, separator)
            if got[0] != columns or got[1:] != wanted:
                failures += 1
                print(f"{out.name}/{name}: expected {[columns] + wanted!r}\n got {got!r}", file=sys.stderr)
    return failures


if __name__ == "__main__":
    sys.exit(main())
