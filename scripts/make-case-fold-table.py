#!/usr/bin/env python3
"""Writes src/text/CaseFoldTable.inc: how every letter of the Basic
Multilingual Plane beyond ASCII folds its case, from the Unicode data of
Debian's Python. A letter folds to the single letter Unicode's case folding
gives it; where that is more than one letter (German ß folds to "ss") it
folds to its lower case when that is one letter, and otherwise stays.

Letters that fold alike lie in runs: from `first` to `last`, every `step`-th
one folds to itself plus `delta`. Run again after Python's Unicode version
changes: python3 scripts/make-case-fold-table.py > src/text/CaseFoldTable.inc
"""
import unicodedata


def folded(code):
    letter = chr(code)
    for candidate in (letter.casefold(), letter.lower()):
        if len(candidate) == 1:
            return ord(candidate)
    return code


def runs():
    found = []
    for code in range(0x80, 0x10000):
        if 0xD800 <= code < 0xE000 or folded(code) == code:
            continue
        delta = folded(code) - code
        if found:
            first, last, last_delta, step = found[-1]
            gap = code - last
            if last_delta == delta and (gap == step or (step == 0 and gap in (1, 2))):
                found[-1] = (first, code, delta, gap)
                continue
        found.append((code, code, delta, 0))
    return [(first, last, delta, step or 1) for first, last, delta, step in found]


print(f"// Made by scripts/make-case-fold-table.py from Unicode {unicodedata.unidata_version}; do not edit.")
print("// {first, last, delta, step}, sorted by first.")
for first, last, delta, step in runs():
    print(f"{{0x{first:04X}, 0x{last:04X}, {delta}, {step}}},")
