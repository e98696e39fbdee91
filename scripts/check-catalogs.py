#!/usr/bin/env python3
"""Checks that every catalog of texts fits the source that uses it.

Each part of the program (the core, later the command line, the web page and
the desktop) is one entry of PARTS below: where its catalogs lie, which source
files use their ids and how a use looks. For a JSON part it checks that

- every catalog is a JSON object of texts without an id given twice;
- every id the source uses has a text in every catalog of the part;
- a plural id (one used as plural) has its texts per plural category,
  "id_one", "id_other", ...: "other" in every language and the categories
  CLDR gives the language;
- no catalog holds an id the source no longer uses;
- a text names the same "{placeholders}" in every language ("{count}" may
  be left out of a plural form, "one battle");
- the languages a part must have are there.

The convention the source follows, so that its ids can be found: an id is
always written out as a string literal, never put together at run time.
Comments are not read.

- C++ (the core): the first argument of a catalog's Text, Format or Plural,
  e.g. CoreTexts().Text("summary.sum"), texts.Plural("share.fleets", count);
  Plural marks a plural id.
- C++ (the command line's own texts): the first argument of CliText,
  CliFormat or CliPlural (src/cli/CliTexts.h).
- The web page's scripts and markup: the first argument of t, plural or
  textId (t('convert.running'), plural('battles', count)), or the value of a
  data-i18n attribute (data-i18n="tabs.archive", data-i18n-title="...");
  plural marks a plural id.

A Qt part (kind "qt-ts") checks that no .ts file holds a translation marked
"unfinished", "obsolete" or "vanished": lupdate keeps the ids in step there.

Run from anywhere; exits with 1 and names every fault when there is one.
Python 3 standard library only.
"""

import functools
import glob
import json
import os
import re
import sys
import xml.etree.ElementTree as ElementTree

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

CLDR_CATEGORIES = ("zero", "one", "two", "few", "many", "other")

# Categories a language's plural texts must have besides "other": CLDR's, as
# Debian's python3-babel knows them for every language, so a new catalog is
# checked without touching this script; the languages shipped today are named
# for a Python without babel.
KNOWN_PLURAL_CATEGORIES = {"de": ("one",), "en": ("one",)}


@functools.lru_cache(maxsize=None)
def plural_categories(language):
    try:
        from babel import Locale
        from babel.core import UnknownLocaleError
    except ImportError:
        return KNOWN_PLURAL_CATEGORIES.get(language, ())
    try:
        return tuple(sorted(Locale.parse(language.replace("-", "_")).plural_form.tags))
    except (UnknownLocaleError, ValueError):
        return ()

# A use in C++: the first argument, a literal, of a catalog's Text, Format or Plural.
CPP_CATALOG_CALL = re.compile(r'(?:\.|->)\s*(?:Text|Format|(?P<plural>Plural))\s*\(\s*"(?P<id>[^"\\]*)"')
# The command line's own texts, through the functions of src/cli/CliTexts.h.
CPP_CLI_CALL = re.compile(r'\bCli(?:Text|Format|(?P<plural>Plural))\s*\(\s*"(?P<id>[^"\\]*)"')

# A use in the web page: the first argument, a literal, of t, plural or
# textId, or a data-i18n attribute's value. Markup that code builds from a
# table names its ids there with textId: data-i18n="${name}" is no id.
WEB_TEXT_USE = re.compile(
    r"""(?:\b(?:t|textId|(?P<plural>plural))\(\s*|\bdata-i18n(?:-[a-z-]+)?=)(?P<quote>['"])(?P<id>[A-Za-z][\w.-]*)(?P=quote)"""
)

PARTS = [
    {
        "name": "core",
        "kind": "json",
        "catalogs": "i18n/core/*.json",
        "sources": ["src/**/*.cpp", "src/**/*.h", "web/*.cpp", "web/*.h"],
        "uses": CPP_CATALOG_CALL,
        "languages": ("de", "en"),
    },
    {
        "name": "web",
        "kind": "json",
        "catalogs": "i18n/web/*.json",
        "sources": ["web/site/*.js", "web/site/*.html"],
        "uses": WEB_TEXT_USE,
        "languages": ("de", "en"),
    },
    {
        "name": "cli",
        "kind": "json",
        "catalogs": "i18n/cli/*.json",
        "sources": ["src/cli/*.cpp", "src/cli/*.h"],
        "uses": CPP_CLI_CALL,
        "languages": ("de", "en"),
    },
    # The desktop's Qt catalogs: a file's language is its name after "prefix".
    {"name": "desktop", "kind": "qt-ts", "catalogs": "i18n/desktop/*.ts", "prefix": "skarnwald_",
     "languages": ("de", "en")},
]

# Per kind of source file: its string literals (kept) and comments (dropped),
# found in one pass so that a quote inside a comment, or a comment's mark
# inside a literal, misleads neither. C++'s raw strings come first, as they
# may hold quotes; a JavaScript template literal is kept whole.
CPP_LITERAL_OR_COMMENT = re.compile(
    r'R"(?P<delim>[^(\s]*)\(.*?\)(?P=delim)"|"(?:\\.|[^"\\\n])*"|(?P<comment>//[^\n]*|/\*.*?\*/)', re.S
)
JS_LITERAL_OR_COMMENT = re.compile(
    r"""'(?:\\.|[^'\\\n])*'|"(?:\\.|[^"\\\n])*"|`(?:\\.|[^`\\])*`|(?P<comment>//[^\n]*|/\*.*?\*/)""", re.S
)
HTML_COMMENT = re.compile(r"(?P<comment><!--.*?-->)", re.S)
LITERALS_AND_COMMENTS = {".js": JS_LITERAL_OR_COMMENT, ".html": HTML_COMMENT}

PLACEHOLDER = re.compile(r"\{([A-Za-z_][A-Za-z0-9_]*)\}")


def without_comments(path, source):
    pattern = LITERALS_AND_COMMENTS.get(os.path.splitext(path)[1], CPP_LITERAL_OR_COMMENT)
    return pattern.sub(lambda m: " " if m["comment"] else m[0], source)


def language_of(path, part):
    return os.path.splitext(os.path.basename(path))[0].removeprefix(part.get("prefix", ""))


def catalog_files(part):
    return sorted(glob.glob(os.path.join(ROOT, part["catalogs"])))


def missing_languages(part, files):
    present = {language_of(path, part) for path in files}
    return [f"{part['name']}: no catalog for '{language}' ({part['catalogs']})"
            for language in part["languages"] if language not in present]


def read_uses(part):
    """Ids the source uses: id -> (is plural, first place used)."""
    uses = {}
    for pattern in part["sources"]:
        for path in sorted(glob.glob(os.path.join(ROOT, pattern), recursive=True)):
            with open(path, encoding="utf-8") as source:
                text = without_comments(path, source.read())
            for match in part["uses"].finditer(text):
                place = f"{os.path.relpath(path, ROOT)}:{text.count(chr(10), 0, match.start()) + 1}"
                plural, first = uses.get(match["id"], (False, place))
                uses[match["id"]] = (plural or bool(match["plural"]), first)
    return uses


def read_catalog(path, faults):
    def refuse_twice(pairs):
        seen = {}
        for key, value in pairs:
            if key in seen:
                faults.append(f"{rel(path)}: '{key}' given twice")
            seen[key] = value
        return seen

    try:
        with open(path, encoding="utf-8") as catalog:
            texts = json.load(catalog, object_pairs_hook=refuse_twice)
    except (ValueError, UnicodeDecodeError) as error:
        faults.append(f"{rel(path)}: not JSON ({error})")
        return {}
    if not isinstance(texts, dict):
        faults.append(f"{rel(path)}: not a JSON object")
        return {}
    for key, value in texts.items():
        if not isinstance(value, str):
            faults.append(f"{rel(path)}: '{key}' is not a text")
    return {key: value for key, value in texts.items() if isinstance(value, str)}


def rel(path):
    return os.path.relpath(path, ROOT)


def placeholders(texts):
    return {name for text in texts for name in PLACEHOLDER.findall(text)}


def check_json_part(part):
    files = catalog_files(part)
    faults = missing_languages(part, files)
    uses = read_uses(part)
    catalogs = {language_of(path, part): (path, read_catalog(path, faults)) for path in files}
    reference = {}  # id -> placeholders in the first catalog that has it
    for language, (path, texts) in catalogs.items():
        wanted = {}  # catalog id -> id used
        for used, (plural, place) in sorted(uses.items()):
            if not plural:
                wanted[used] = used
                if used not in texts:
                    faults.append(f"{rel(path)}: lacks '{used}' (used at {place})")
                continue
            for category in CLDR_CATEGORIES:
                wanted[f"{used}_{category}"] = used
            for category in ("other",) + plural_categories(language):
                if f"{used}_{category}" not in texts:
                    faults.append(f"{rel(path)}: lacks '{used}_{category}' (used at {place})")
        for key in sorted(texts):
            if key not in wanted:
                faults.append(f"{rel(path)}: holds '{key}', which no source uses")
        forms = {}
        for key, text in texts.items():
            if key in wanted:
                forms.setdefault(wanted[key], []).append(text)
        for used, texts_of_id in sorted(forms.items()):
            names = placeholders(texts_of_id) - ({"count"} if uses[used][0] else set())
            first = reference.setdefault(used, (language, names))
            if names != first[1]:
                faults.append(f"{rel(path)}: '{used}' names {sorted(names)}, "
                              f"the '{first[0]}' catalog {sorted(first[1])}")
    return faults


def check_qt_part(part):
    files = catalog_files(part)
    faults = missing_languages(part, files)
    for path in files:
        for message in ElementTree.parse(path).getroot().iter("message"):
            translation = message.find("translation")
            state = translation.get("type") if translation is not None else "unfinished"
            if state in ("unfinished", "obsolete", "vanished"):
                source = message.findtext("source", default="")
                faults.append(f"{rel(path)}: {state} translation of '{source}'")
    return faults


CHECKS = {"json": check_json_part, "qt-ts": check_qt_part}


def main():
    faults = [fault for part in PARTS for fault in CHECKS[part["kind"]](part)]
    for fault in faults:
        print(fault, file=sys.stderr)
    if faults:
        print(f"{len(faults)} catalog fault(s).", file=sys.stderr)
        return 1
    print("Catalogs complete: " + ", ".join(part["name"] for part in PARTS))
    return 0


if __name__ == "__main__":
    sys.exit(main())
