#!/usr/bin/env python3
"""Generate the built-in caption looks from the look tables.

Usage:
    python3 tools/gen_presets.py LOOK_TABLES.md [OUTPUT_DIR]

LOOK_TABLES.md is the Markdown text that holds the look tables: the catalogue
section (common values, curated id lists, palettes) and one section per list
("Core looks", "Trending looks", "More looks", "Lockup looks"), each with a
table of looks and, for two of them, a table of sample texts and blurbs.
OUTPUT_DIR defaults to the repository's src/captions/presets.

The script is run by hand; its output is checked in and the build never runs
it. It refuses to write anything when the tables do not read cleanly: an
unknown field, a field out of record order, a value of the wrong kind, a
setting that repeats its common value, a sample-text row that does not match
its look, a repeated id or name, a curated id that names no look or another
position than its table says, per-category counts that disagree with the
looks.

Python 3 standard library only.
"""

import math
import os
import re
import sys

# ---------------------------------------------------------------------------
# The look record: its 66 fields in record order, with the kind of value each
# holds. "?" marks an optional field (absent unless a row names it).

FIELDS = [
    ("id", "text"), ("name", "text"), ("category", "category"), ("font", "text"),
    ("emphasisFont", "text?"), ("fontSize", "number"), ("emphasisScale", "number"),
    ("textColor", "colour"), ("activeColor", "colour?"), ("emphasisColor", "colour?"),
    ("strokeColor", "colour?"), ("strokeWidth", "number"), ("shadowColor", "colour?"),
    ("shadowRadius", "number"), ("shadowOffset", "number"), ("glowColor", "colour?"),
    ("glowRadius", "number"), ("barColor", "colour?"), ("cornerRadius", "number"),
    ("highlight", "HighlightMode"), ("highlightColor", "colour?"),
    ("animation", "EntranceAnimation"), ("uppercase", "flag"), ("italic", "flag"),
    ("dimUnspoken", "flag"), ("heroWord", "flag"), ("maxWordsPerGroup", "whole"),
    ("maxWordsPerLine", "whole"), ("verticalPosition", "number"),
    ("behindSubject", "flag"), ("letterSpacing", "number"), ("lineSpacing", "number"),
    ("rotation", "number"), ("gradientColor", "colour?"), ("palette", "colours?"),
    ("wordBoxColor", "colour?"), ("hollowUnspoken", "flag?"), ("lineScales", "numbers?"),
    ("lockup", "flag?"), ("lineBoxColor", "colour?"), ("emphasisBoxColor", "colour?"),
    ("emphasisUppercase", "flag?"), ("sampleText", "text?"), ("blurb", "text?"),
    ("fill", "TextFill?"), ("fillAngle", "number?"), ("fillHeroOnly", "flag?"),
    ("shineSweep", "colour?"), ("knockout", "colour?"), ("blendDarkColor", "colour?"),
    ("pauseBreak", "number?"), ("exitAnimation", "ExitAnimation?"),
    ("textAlign", "TextAlign?"), ("layouts", "layouts?"),
    ("freeform", "FreeformLayout?"), ("container", "CaptionContainer?"),
    ("chatThread", "flag?"), ("notificationApp", "NotificationApp?"),
    ("notificationTitle", "text?"), ("sticker", "colour?"), ("stickerRim", "colour?"),
    ("tornPaper", "colour?"), ("ransom", "flag?"), ("ransomLive", "flag?"),
    ("neonFrame", "colour?"), ("wipeColor", "colour?"),
]
assert len(FIELDS) == 66
FIELD_INDEX = {name: i for i, (name, _) in enumerate(FIELDS)}
KIND = dict(FIELDS)

# Fields every row gives in columns of its own (or in the sample-text table).
COLUMN_FIELDS = ("id", "name", "category", "font", "fontSize")
TEXT_TABLE_FIELDS = ("sampleText", "blurb")

ENUMS = {
    "category": ["popular", "trending", "social", "bold", "karaoke", "dynamic", "motion",
                 "layouts", "multiline", "creators", "script", "minimal", "editorial",
                 "behind", "knockout", "neon", "paper", "chat", "retro", "playful",
                 "speakers", "desi", "mine"],
    "HighlightMode": ["none", "color", "box", "scale", "underline", "slide"],
    "EntranceAnimation": ["none", "pop", "fade", "slideUp", "slideDown", "bounce",
                          "typewriter", "slam", "slideIn", "flyIn"],
    "ExitAnimation": ["cut", "fade", "shrink", "drop", "scatter"],
    "TextFill": ["solid", "gradient", "peak", "shine", "chrome"],
    "TextAlign": ["center", "left", "right"],
    "CaptionLayout": ["line", "stack", "bigSmall", "smallBig", "hero", "heroLeft",
                      "leftBlock", "tilt", "spotlight", "sideLeft", "sideRight", "stagger"],
    "FreeformLayout": ["spotlight", "sideLeft", "sideRight", "stagger"],
    "CaptionContainer": ["chatRight", "chatLeft", "notification"],
    "NotificationApp": ["messages", "chat", "social", "direct", "mail", "phone", "reminder"],
}

# The four lists in catalogue order: section title, C++ function, file name.
LISTS = [
    ("Core looks", "core", "CoreLooks.cpp"),
    ("Trending looks", "trending", "TrendingLooks.cpp"),
    ("More looks", "more", "MoreLooks.cpp"),
    ("Lockup looks", "lockups", "LockupLooks.cpp"),
]
CATALOGUE_TITLE = "Built-in look catalogue"
PALETTES = ("candy", "punchy")


class TableError(Exception):
    pass


# ---------------------------------------------------------------------------
# Values. Each parsed value is a tuple (kind, payload) that the writer turns
# into C++ and the checks can compare.

HEX_COLOUR = re.compile(r"^([0-9A-Fa-f]{6})(?:/([0-9.]+))?$")
FRACTION_COLOUR = re.compile(r"^([0-9.]+),([0-9.]+),([0-9.]+)(?:/([0-9.]+))?$")
NUMBER = re.compile(r"^-?[0-9]+(?:\.[0-9]+)?$")


def parse_number(text, where):
    if not NUMBER.match(text):
        raise TableError(f"{where}: {text!r} is not a number")
    value = float(text)
    if not math.isfinite(value):
        raise TableError(f"{where}: {text!r} is not finite")
    return ("number", text)


def parse_colour(text, where):
    m = HEX_COLOUR.match(text)
    if m:
        alpha = m.group(2) or "1"
        parse_number(alpha, where)
        return ("hex", (m.group(1).upper(), alpha))
    m = FRACTION_COLOUR.match(text)
    if m:
        parts = [m.group(1), m.group(2), m.group(3), m.group(4) or "1"]
        for p in parts:
            parse_number(p, where)
        return ("rgba", tuple(parts))
    raise TableError(f"{where}: {text!r} is not a colour")


def parse_string(text, where):
    if len(text) < 2 or text[0] != '"' or text[-1] != '"' or '"' in text[1:-1]:
        raise TableError(f"{where}: {text!r} is not a quoted string")
    return ("text", text[1:-1])


def parse_case(text, enum, where, ticked=True):
    if ticked:
        if not (len(text) > 2 and text[0] == "`" and text[-1] == "`"):
            raise TableError(f"{where}: {text!r} is not an enumeration case in backticks")
        text = text[1:-1]
    if text not in ENUMS[enum]:
        raise TableError(f"{where}: {text!r} is not a case of {enum}")
    return ("case", (enum, text))


def parse_array(text, where):
    if not (text.startswith("[") and text.endswith("]")):
        raise TableError(f"{where}: {text!r} is not an array")
    return text[1:-1].split()


def parse_value(field, text, where):
    kind = KIND[field].rstrip("?")
    if kind == "text":
        return parse_string(text, where)
    if kind == "number":
        return parse_number(text, where)
    if kind == "whole":
        if not re.match(r"^-?[0-9]+$", text):
            raise TableError(f"{where}: {text!r} is not a whole number")
        return ("whole", text)
    if kind == "flag":
        if text not in ("true", "false"):
            raise TableError(f"{where}: {text!r} is not true or false")
        return ("flag", text)
    if kind == "colour":
        return parse_colour(text, where)
    if kind == "colours":
        named = re.match(r"^`(\w+)`( darkened)?$", text)
        if named:
            if named.group(1) not in PALETTES:
                raise TableError(f"{where}: no palette named {named.group(1)!r}")
            return ("palette", (named.group(1), bool(named.group(2))))
        return ("colours", [parse_colour(c, where) for c in parse_array(text, where)])
    if kind == "numbers":
        return ("numbers", [parse_number(n, where)[1] for n in parse_array(text, where)])
    if kind == "layouts":
        return ("layouts", [parse_case(c, "CaptionLayout", where, ticked=False)[1][1]
                            for c in parse_array(text, where)])
    if kind in ENUMS:
        return parse_case(text, kind, where)
    raise TableError(f"{where}: no reader for the kind {kind}")


def split_settings(text):
    """Split "`a` 1; `b` "x; y"; ..." at semicolons outside quotes and brackets."""
    parts, depth, quoted, current = [], 0, False, []
    for ch in text:
        if ch == '"':
            quoted = not quoted
        elif not quoted and ch == "[":
            depth += 1
        elif not quoted and ch == "]":
            depth -= 1
        if ch == ";" and not quoted and depth == 0:
            parts.append("".join(current).strip())
            current = []
        else:
            current.append(ch)
    if quoted or depth:
        raise TableError(f"unbalanced quotes or brackets in {text!r}")
    tail = "".join(current).strip()
    if tail:
        parts.append(tail)
    return parts


# ---------------------------------------------------------------------------
# Markdown sections and tables.

def sections(markdown):
    """Top-level headings "# <number>: <title>" mapped to their body lines."""
    result, title, body = {}, None, []
    for line in markdown.splitlines():
        m = re.match(r"^# [^:]*: (.+?)\s*$", line)
        if m:
            if title is not None:
                result[title] = body
            title, body = m.group(1), []
        elif title is not None:
            body.append(line)
    if title is not None:
        result[title] = body
    return result


def cells(line):
    line = line.strip()
    if not (line.startswith("|") and line.endswith("|")):
        raise TableError(f"not a table row: {line!r}")
    return [c.strip() for c in line[1:-1].split("|")]


def tables(lines):
    """Every table in the lines as (header cells, list of row cells)."""
    found, i = [], 0
    while i < len(lines):
        if lines[i].startswith("|") and i + 1 < len(lines) and re.match(r"^\|[-| ]+\|$", lines[i + 1]):
            header = cells(lines[i])
            rows, i = [], i + 2
            while i < len(lines) and lines[i].startswith("|"):
                row = cells(lines[i])
                if len(row) != len(header):
                    raise TableError(f"row has {len(row)} cells, header {len(header)}: {lines[i]!r}")
                rows.append(row)
                i += 1
            found.append((header, rows))
        else:
            i += 1
    return found


def table_with(found, header, what):
    matches = [rows for h, rows in found if h == header]
    if len(matches) != 1:
        raise TableError(f"expected one {what} table with columns {header}, found {len(matches)}")
    return matches[0]


LOOK_HEADER = ["#", "id", "name", "category", "font", "size", "other settings"]
TEXT_HEADER = ["#", "id", "sample text", "blurb"]


# ---------------------------------------------------------------------------
# Reading the tables.

def read_common(lines):
    rows = table_with(tables(lines), ["field", "common value"], "common value")
    common = {}
    for field_cell, value in rows:
        names = re.findall(r"`(\w+)`", field_cell)
        if len(names) > 1:  # "the 31 further fields ...: `a`, `b`, ..." all none
            if value != "none (each)":
                raise TableError(f"grouped common value {value!r} is not none")
            values = [None] * len(names)
        else:
            values = [None if value == "none" else parse_value(names[0], value, f"common {names[0]}")]
        for name, v in zip(names, values):
            if name not in KIND:
                raise TableError(f"common value of unknown field {name!r}")
            if v is None and not KIND[name].endswith("?"):
                raise TableError(f"required field {name} has no common value")
            common[name] = v
    expected = [n for n, _ in FIELDS if n not in COLUMN_FIELDS + TEXT_TABLE_FIELDS]
    if sorted(common) != sorted(expected):
        missing = set(expected) - set(common)
        extra = set(common) - set(expected)
        raise TableError(f"common values: missing {sorted(missing)}, unexpected {sorted(extra)}")
    return common


def read_curated(lines, header_text):
    """The id column of the curated table that follows the paragraph naming it."""
    start = next((i for i, l in enumerate(lines) if header_text in l), None)
    if start is None:
        raise TableError(f"no paragraph mentioning {header_text!r}")
    found = tables(lines[start:])
    header, rows = found[0]
    if header != ["#", "id", "look", "list and index", "position in `all`"]:
        raise TableError(f"unexpected curated table columns {header}")
    result = []
    for i, row in enumerate(rows):
        if row[0] != str(i):
            raise TableError(f"curated row {row} out of order")
        m = re.match(r"^`(\w+)` (\d+)$", row[3])
        if not m:
            raise TableError(f"curated row {row}: bad list and index")
        result.append({"id": parse_string(row[1], "curated id")[1],
                       "name": parse_string(row[2], "curated name")[1],
                       "list": m.group(1), "index": int(m.group(2)), "position": int(row[4])})
    return result


def read_palettes(lines):
    palettes = {}
    for line in lines:
        m = re.match(r"^- `(\w+)`: \[([0-9A-Fa-f ]+)\]\s*$", line)
        if m and m.group(1) in PALETTES:
            palettes[m.group(1)] = [parse_colour(c, m.group(1)) for c in m.group(2).split()]
    if sorted(palettes) != sorted(PALETTES):
        raise TableError(f"palettes found: {sorted(palettes)}")
    return palettes


def read_category_counts(lines):
    header = ["category", "`core`", "`trending`", "`more`", "`lockups`", "`all`"]
    rows = table_with(tables(lines), header, "category count")
    counts = {}
    for row in rows:
        case = parse_case(row[0], "category", "category count")[1][1]
        counts[case] = [int(n) for n in row[1:]]
    return counts


def read_looks(list_name, lines, common):
    found = tables(lines)
    rows = table_with(found, LOOK_HEADER, f"{list_name} look")
    looks = []
    for expected_index, row in enumerate(rows):
        where = f"{list_name} {row[0]}"
        if row[0] != str(expected_index):
            raise TableError(f"{where}: expected position {expected_index}")
        look = {
            "id": parse_string(row[1], where)[1],
            "name": parse_string(row[2], where)[1],
            "category": parse_case(row[3], "category", where),
            "font": parse_string(row[4], where),
            "fontSize": parse_number(row[5], where),
            "set": {},   # fields named under other settings, in record order
        }
        last = -1
        for setting in split_settings(row[6]):
            m = re.match(r"^`(\w+)` (.+)$", setting)
            if not m:
                raise TableError(f"{where}: cannot read setting {setting!r}")
            field, text = m.group(1), m.group(2)
            if field not in KIND or field in COLUMN_FIELDS + TEXT_TABLE_FIELDS:
                raise TableError(f"{where}: {field!r} cannot be set here")
            if FIELD_INDEX[field] <= last:
                raise TableError(f"{where}: {field} is out of record order")
            last = FIELD_INDEX[field]
            value = parse_value(field, text, f"{where} {field}")
            if value == common[field]:
                raise TableError(f"{where}: {field} repeats its common value")
            look["set"][field] = value
        looks.append(look)

    texts = [rows for h, rows in found if h == TEXT_HEADER]
    if texts:
        text_rows = texts[0]
        if len(text_rows) != len(looks):
            raise TableError(f"{list_name}: {len(text_rows)} sample texts for {len(looks)} looks")
        for look, row in zip(looks, text_rows):
            where = f"{list_name} {row[0]} text"
            if parse_string(row[1], where)[1] != look["id"]:
                raise TableError(f"{where}: id {row[1]} does not match look {look['id']!r}")
            look["set"]["sampleText"] = parse_string(row[2], where)
            look["set"]["blurb"] = parse_string(row[3], where)
    return looks


def read_all(markdown):
    secs = sections(markdown)
    for title in [CATALOGUE_TITLE] + [t for t, _, _ in LISTS]:
        if title not in secs:
            raise TableError(f"no section titled {title!r}")
    catalogue = secs[CATALOGUE_TITLE]
    data = {
        "common": read_common(catalogue),
        "popular": read_curated(catalogue, "The curated popular list"),
        "trending": read_curated(catalogue, "The curated trending list"),
        "palettes": read_palettes(catalogue),
        "categoryCounts": read_category_counts(catalogue),
        "lists": {},
    }
    for title, fn, _ in LISTS:
        data["lists"][fn] = read_looks(fn, secs[title], data["common"])
    return data


# ---------------------------------------------------------------------------
# Cross-checks of the catalogue as a whole. These guard against a slip in the
# tables (a repeated id, a curated id pointing at the wrong look); anything
# found stops the generation.

def check(data):
    problems = []
    everything = [look for _, fn, _ in LISTS for look in data["lists"][fn]]
    for key in ("id", "name"):
        seen = {}
        for look in everything:
            if look[key] in seen:
                problems.append(f"{key} {look[key]!r} appears twice")
            seen[look[key]] = True
    for look in everything:
        if not re.match(r"^[a-z0-9]+(-[a-z0-9]+)*$", look["id"]) or look["id"].startswith("custom-"):
            problems.append(f"id {look['id']!r} is not a built-in id (lower-case words joined by hyphens)")
        if look["category"][1][1] not in data["categoryCounts"]:
            problems.append(f"{look['id']}: category {look['category'][1][1]} is not in the count table")
    position = {look["id"]: i for i, look in enumerate(everything)}
    offsets, total = {}, 0
    for _, fn, _ in LISTS:
        offsets[fn] = total
        total += len(data["lists"][fn])
    for curated in ("popular", "trending"):
        for entry in data[curated]:
            i = position.get(entry["id"])
            if i is None:
                problems.append(f"{curated} id {entry['id']!r} names no look")
                continue
            look = everything[i]
            if (look["name"] != entry["name"] or i != entry["position"]
                    or offsets.get(entry["list"], -1) + entry["index"] != i):
                problems.append(f"{curated} entry {entry} does not match look {i} {look['name']!r}")
    for category, counts in data["categoryCounts"].items():
        got = [sum(1 for l in data["lists"][fn] if l["category"][1][1] == category)
               for _, fn, _ in LISTS]
        got.append(sum(got))
        if got != counts:
            problems.append(f"category {category}: the looks give {got}, the count table {counts}")
    if problems:
        raise TableError("\n".join(problems))
    return total


# ---------------------------------------------------------------------------
# C++ output.

BANNER = ("// Generated by tools/gen_presets.py from the look tables; do not edit by hand.\n"
          "// To change a look, change its table and run the script again.\n")
INCLUDES = ['#include "captions/presets/PresetBuilding.h"', '#include "captions/presets/StylePresets.h"']


def cpp_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def cpp_colour(value):
    kind, payload = value
    if kind == "hex":
        hex_text, alpha = payload
        return f'RGBA::fromHex("{hex_text}")' if alpha == "1" else f'RGBA::fromHex("{hex_text}", {alpha})'
    r, g, b, a = payload
    return f"RGBA{{{r}, {g}, {b}, {a}}}"


LINE_LIMIT = 120


def wrap(head, items, tail, indent):
    """head + items joined by ", " + tail, broken after commas to stay within
    the line limit, continuation lines aligned under the first item."""
    one_line = head + ", ".join(items) + tail
    if len(indent) + len(one_line) <= LINE_LIMIT:
        return [indent + one_line]
    lines, current = [], indent + head
    align = " " * len(current)
    for i, item in enumerate(items):
        piece = item + (tail if i == len(items) - 1 else ",")
        if current.strip() and not current.endswith(("(", "{")) and len(current) + 1 + len(piece) > LINE_LIMIT:
            lines.append(current)
            current = align + piece
        else:
            current += ("" if current.endswith(("(", "{")) else " ") + piece
    lines.append(current)
    return lines


def cpp_value(value):
    """The C++ for a value: (head, items, tail) for lists, else a string."""
    kind, payload = value
    if kind == "text":
        return cpp_string(payload)
    if kind in ("number", "whole", "flag"):
        return payload
    if kind in ("hex", "rgba"):
        return cpp_colour(value)
    if kind == "case":
        enum, case = payload
        return f"{'StyleCategory' if enum == 'category' else enum}::{case}"
    if kind == "colours":
        return ("std::vector<RGBA>{", [cpp_colour(c) for c in payload], "}")
    if kind == "numbers":
        return ("std::vector<double>{", list(payload), "}")
    if kind == "layouts":
        return ("std::vector<CaptionLayout>{", [f"CaptionLayout::{c}" for c in payload], "}")
    if kind == "palette":
        name, darkened = payload
        return f"darkened({name})" if darkened else name
    raise TableError(f"cannot write {value!r}")


def cpp_assignment(field, value, indent):
    v = cpp_value(value)
    if isinstance(v, tuple):
        head, items, tail = v
        return wrap(f"s.{field} = {head}", items, tail + ";", indent)
    return [f"{indent}s.{field} = {v};"]


def cpp_look(index, look):
    args = [cpp_string(look["id"]), cpp_string(look["name"]), cpp_value(look["category"]),
            cpp_value(look["font"]), look["fontSize"][1]]
    lines = [f"    {{  // {index}"] + wrap("auto s = commonLook(", args, ");", " " * 8)
    for field, value in look["set"].items():
        lines += cpp_assignment(field, value, " " * 8)
    lines += ["        looks.push_back(std::move(s));", "    }"]
    return lines


def write_list(fn, looks):
    builder = "build" + fn[0].upper() + fn[1:]
    uses_palettes = any(v[0] == "palette" for look in looks for v in look["set"].values())
    params = "const std::vector<RGBA>& candy, const std::vector<RGBA>& punchy" if uses_palettes else ""
    out = [BANNER] + INCLUDES + ["", "namespace vt {", "namespace {", "",
           f"std::vector<CaptionStyle> {builder}({params})", "{",
           "    std::vector<CaptionStyle> looks;",
           f"    looks.reserve({len(looks)});"]
    for i, look in enumerate(looks):
        out += cpp_look(i, look)
    out += ["    return looks;", "}", "", "}  // namespace", "",
            f"const std::vector<CaptionStyle>& StylePresets::{fn}()", "{",
            f"    static const std::vector<CaptionStyle> list = {builder}({'candy(), punchy()' if uses_palettes else ''});",
            "    return list;", "}", "", "}  // namespace vt", ""]
    return "\n".join(out)


def write_common(common):
    out = [BANNER] + INCLUDES + ["", "namespace vt {", ""]
    out += wrap("CaptionStyle commonLook(", ["std::string id", "std::string name", "StyleCategory category",
                                             "std::string font", "double fontSize"], ")", "")
    out += ["{",
            "    CaptionStyle s;",
            "    s.id = std::move(id);",
            "    s.name = std::move(name);",
            "    s.category = category;",
            "    s.font = std::move(font);",
            "    s.fontSize = fontSize;"]
    for field, _ in FIELDS:
        value = common.get(field)
        if value is not None:
            out += cpp_assignment(field, value, "    ")
    out += ["    return s;  // every optional field absent", "}", "", "}  // namespace vt", ""]
    return "\n".join(out)


def write_curated(palettes, popular, trending):
    out = [BANNER] + INCLUDES + ["", "#include <array>", "", "namespace vt {", ""]
    for name, entries in (("popularIDs", popular), ("trendingIDs", trending)):
        out += [f"std::span<const std::string_view> StylePresets::{name}()", "{",
                f"    static constexpr std::array<std::string_view, {len(entries)}> ids{{"]
        out += [f"        {cpp_string(e['id'])}," for e in entries]
        out += ["    };", "    return ids;", "}", ""]
    for name in PALETTES:
        out += [f"const std::vector<RGBA>& StylePresets::{name}()", "{"]
        out += wrap("static const std::vector<RGBA> colours{", [cpp_colour(c) for c in palettes[name]], "};", "    ")
        out += ["    return colours;", "}", ""]
    out += ["}  // namespace vt", ""]
    return "\n".join(out)


def main(argv):
    if len(argv) not in (2, 3):
        print("usage: python3 tools/gen_presets.py LOOK_TABLES.md [OUTPUT_DIR]", file=sys.stderr)
        return 2
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = os.path.normpath(argv[2] if len(argv) == 3 else os.path.join(here, "..", "src", "captions", "presets"))
    try:
        with open(argv[1], encoding="utf-8") as f:
            markdown = f.read()
    except OSError as e:
        print(f"gen_presets: cannot read the look tables: {e}", file=sys.stderr)
        return 1
    try:
        data = read_all(markdown)
        total = check(data)
    except TableError as e:
        print(f"gen_presets: {e}", file=sys.stderr)
        return 1
    files = {"CommonLook.cpp": write_common(data["common"]),
             "CuratedLooks.cpp": write_curated(data["palettes"], data["popular"], data["trending"])}
    for _, fn, name in LISTS:
        files[name] = write_list(fn, data["lists"][fn])
    for name, text in files.items():
        with open(os.path.join(out_dir, name), "w", encoding="utf-8") as f:
            f.write(text)
    counts = ", ".join(f"{fn} {len(data['lists'][fn])}" for _, fn, _ in LISTS)
    print(f"gen_presets: {total} looks ({counts}); wrote {len(files)} files to {out_dir}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
