#!/usr/bin/env python3
"""Writes the seeds of fuzz_archive and fuzz_import: a small archive the
program made itself (two stored battles, personal record on), a copy with a
foreign trigger and view, one copy for each case of
tests/data/hostile-rows.sql, and an archive of the sample reports, each
shrunk to 512-byte pages so it stays below the fuzzers' input size.

    fuzz/make_archive_seeds.py build/release/src/cli/skarnwald-cli
"""

import pathlib
import re
import shutil
import sqlite3
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parent.parent
CORPORA = [ROOT / "fuzz" / "corpus" / target for target in ("fuzz_archive", "fuzz_import")]
REPORT = ("12.03.2004 14:07:09 Uhr Battle at [ 1.2.3 ] Home\n"
          "Agility 10 [100/100] Fighter (Wasp) from 4.5.6 Raider\n"
          "Laser destroyed [3/50] Corvette (Tank) from 1.2.3 Keeper\n"
          "Agility 5 [50/50] Corvette (Tank) from 1.2.3 Keeper\n"
          "Gun destroyed [4/100] Fighter (Wasp) from 4.5.6 Raider\n")
MAX_SIZE = 60000


def shrink(path):
    db = sqlite3.connect(path, isolation_level=None)
    db.execute("PRAGMA page_size = 512")
    db.execute("VACUUM")
    db.close()


def make_archive(cli, archive, reports):
    """An archive that stores battles and keeps the record for 1.2.3, holding `reports`."""
    subprocess.run([cli, "settings", "--store", "1", "--pers-stat", "1", "--coords", "1.2.3",
                    "--db", str(archive)], check=True, capture_output=True)
    for report in reports:
        subprocess.run([cli, "convert", str(report), "-o", str(archive.parent / "page.htm"), "--db", str(archive)],
                       check=True, capture_output=True)


def keep(seed, name):
    shrink(seed)
    size = seed.stat().st_size
    if size > MAX_SIZE:
        sys.exit(f"{name}: {size} bytes")
    for corpus in CORPORA:
        corpus.mkdir(parents=True, exist_ok=True)
        shutil.copy(seed, corpus / name)
    print(f"{name}: {size} bytes")


def main():
    cli = sys.argv[1]
    with tempfile.TemporaryDirectory() as folder:
        folder = pathlib.Path(folder)
        report = folder / "report.txt"
        report.write_text(REPORT)
        second = folder / "second.txt"
        second.write_text(REPORT.replace("12.03.2004", "19.03.2004").replace("Home", "Away"))
        base = folder / "base.dat"
        make_archive(cli, base, [report, second])
        seeds = {
            "made-by-the-program": "",
            "foreign-trigger-and-view": "CREATE TRIGGER wipe AFTER INSERT ON Battles BEGIN DELETE FROM Agility; "
                                        "END; CREATE VIEW v AS SELECT * FROM Battles;",
        }
        cases = re.split(r"^-- (.*)$", (ROOT / "tests" / "data" / "hostile-rows.sql").read_text(), flags=re.M)
        for name, sql in zip(cases[1::2], cases[2::2]):
            # Megabytes do not fit a fuzzer's input: kilobytes stand for them.
            seeds["hostile-" + name.replace(" ", "-")] = sql.replace("zeroblob(2000000)", "zeroblob(900)") \
                .replace("zeroblob(1000000)", "zeroblob(300)").replace("zeroblob(500000)", "zeroblob(200)")
        for name, sql in seeds.items():
            seed = folder / name
            shutil.copy(base, seed)
            with sqlite3.connect(seed) as db:
                db.executescript(sql)
            keep(seed, name)
        samples = folder / "samples.dat"
        reports = [text for text in sorted((ROOT / "samples").glob("*.txt")) if b"Battle at" in text.read_bytes()]
        make_archive(cli, samples, reports)
        keep(samples, "made-from-the-samples")


if __name__ == "__main__":
    main()
