#!/usr/bin/env python3
"""Writes the code-page tables of the posix platform layer, and the JIS X 0208 table of the core.

The tables come from the Windows code-page files (c_<code page>.nls) that Wine ships in
/usr/share/wine/nls, the data that MultiByteToWideChar and WideCharToMultiByte run on under Wine.
Each table keeps the byte-to-unit map, the double-byte maps of the lead bytes, and the units whose
byte sequence is not the first one that maps to them (best-fit and one-way mappings): the posix
layer rebuilds the unit-to-byte map from these at run time. A last file lists every table.

Code pages that have no code-page file there (54936 GB18030 and the ISO-2022 pages such as 50220,
which Windows implements in code rather than in a table) get no table: the posix layer answers for
them as Windows does for a code page that the system lacks.

The core reads ISO-2022-JP itself, on every Windows: its JIS X 0208 table is the double-byte part
of code page 20932 (EUC-JP), whose bytes are those of JIS X 0208 with the high bit set.

Usage: tools/codepages/generate_code_page_tables.py [NLS_DIRECTORY]
"""
import pathlib
import struct
import subprocess
import sys

CODE_PAGES = [
    866, 874, 932, 936, 949, 950, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258,
    10007, 20866, 20932, 21866, 28592, 28593, 28594, 28595, 28596, 28597, 28598, 28603, 28605,
]
ROOT = pathlib.Path(__file__).resolve().parents[2]
OUTPUT = ROOT / "platform/posix/codepages"


def load(directory, code_page):
    data = (directory / f"c_{code_page}.nls").read_bytes()
    words = struct.unpack(f"<{len(data) // 2}H", data[: len(data) // 2 * 2])
    header = words[0]
    table = {
        "max_size": words[2],
        "default_char": words[3],
        "unicode_default": words[4],
    }
    at = header
    wide_table_at = at + words[at]
    table["single"] = list(words[at + 1 : at + 257])
    at += 257
    if words[at]:
        at += 256  # glyph table, not used with flags 0
    at += 1
    leads = {}
    if words[at]:
        offsets = words[at + 1 : at + 257]
        for lead in range(256):
            if offsets[lead]:
                start = at + 1 + offsets[lead]
                leads[lead] = list(words[start : start + 256])
    table["leads"] = leads
    at = wide_table_at + 1
    if table["max_size"] == 1:
        table["wide"] = list(data[at * 2 : at * 2 + 65536])
    else:
        table["wide"] = list(words[at : at + 65536])
    return table


def derived_wide_map(table):
    """The unit-to-bytes map that the posix layer derives: the first byte sequence of each unit."""
    wide = [None] * 65536
    for byte in range(256):
        if byte in table["leads"]:
            for trail, unit in enumerate(table["leads"][byte]):
                if unit != table["unicode_default"] and wide[unit] is None:
                    wide[unit] = byte << 8 | trail
        elif wide[table["single"][byte]] is None:
            wide[table["single"][byte]] = byte
    return [table["default_char"] if code is None else code for code in wide]


def rows(values, per_row, width):
    text = [f"0x{value:0{width}X}," for value in values]
    return "\n".join("    " + " ".join(text[i : i + per_row]) for i in range(0, len(text), per_row))


def write(code_page, table):
    name = f"kCodePage{code_page}"
    lines = [
        f"// Code page {code_page}: written by tools/codepages/generate_code_page_tables.py from the",
        "// Windows code-page file that Wine ships. Do not edit.",
        '#include "platform/posix/CodePageTable.h"',
        "",
        "namespace ombrel::platform::posix {",
        "namespace {",
        "",
        "constexpr char16_t kSingleBytes[256] = {",
        rows(table["single"], 12, 4),
        "};",
        "",
    ]
    lead_entries = []
    for lead, units in sorted(table["leads"].items()):
        mapped = [t for t, unit in enumerate(units) if unit != table["unicode_default"]]
        if not mapped:  # a lead byte whose every pair reads as the default unit
            lead_entries.append(f"    {{0x{lead:02X}, 0x01, 0x00, nullptr}},")
            continue
        first, last = mapped[0], mapped[-1]
        lines += [f"constexpr char16_t kLead{lead:02X}[] = {{", rows(units[first : last + 1], 12, 4), "};"]
        lead_entries.append(f"    {{0x{lead:02X}, 0x{first:02X}, 0x{last:02X}, kLead{lead:02X}}},")
    if lead_entries:
        lines += ["", "constexpr LeadByteTable kLeadBytes[] = {", *lead_entries, "};", ""]
    derived = derived_wide_map(table)
    extra = [(unit, code) for unit, code in enumerate(table["wide"]) if code != derived[unit]]
    if extra:
        lines += ["constexpr OneWayMapping kOneWay[] = {"]
        lines += [f"    {{0x{unit:04X}, 0x{code:04X}}}," for unit, code in extra]
        lines += ["};", ""]
    lines += ["}  // namespace", ""]
    leads = "kLeadBytes" if lead_entries else "{}"
    one_way = "kOneWay" if extra else "{}"
    lines += [
        f"extern const CodePageTable {name};",
        f"const CodePageTable {name} = {{{code_page}, 0x{table['default_char']:04X}, "
        f"0x{table['unicode_default']:04X}, kSingleBytes, {leads}, {one_way}}};",
        "",
        "}  // namespace ombrel::platform::posix",
        "",
    ]
    path = OUTPUT / f"CodePage{code_page}.cpp"
    path.write_text("\n".join(lines))
    return path


def write_list(code_pages):
    names = [f"kCodePage{code_page}" for code_page in code_pages]
    lines = [
        "// The code pages of the posix layer: written by tools/codepages/generate_code_page_tables.py.",
        "// Do not edit.",
        '#include "platform/posix/CodePageTable.h"',
        "",
        "namespace ombrel::platform::posix {",
        "",
        *[f"extern const CodePageTable {name};" for name in names],
        "",
        "std::span<const CodePageTable* const> CodePageTables() {",
        f"    static const CodePageTable* const tables[] = {{{', '.join('&' + name for name in names)}}};",
        "    return tables;",
        "}",
        "",
        "}  // namespace ombrel::platform::posix",
        "",
    ]
    path = OUTPUT / "CodePageTables.cpp"
    path.write_text("\n".join(lines))
    return path


def write_jis_x0208(euc_jp):
    """The 94 x 94 characters of JIS X 0208, row by row; U+FFFD where a position has none."""
    units = []
    for lead in range(0xA1, 0xFF):
        row = euc_jp["leads"].get(lead, [euc_jp["unicode_default"]] * 256)
        for trail in range(0xA1, 0xFF):
            unit = row[trail]
            # The default unit is a character too where it maps back to this position.
            own = unit != euc_jp["unicode_default"] or euc_jp["wide"][unit] == lead << 8 | trail
            units.append(unit if own else 0xFFFD)
    lines = [
        "// JIS X 0208 by row and cell: written by tools/codepages/generate_code_page_tables.py from",
        "// the Windows code-page file of code page 20932 that Wine ships. Do not edit.",
        '#include "charsets/JisX0208Table.h"',
        "",
        "namespace ombrel {",
        "",
        "const char16_t kJisX0208[kJisX0208Rows * kJisX0208Rows] = {",
        rows(units, 12, 4),
        "};",
        "",
        "}  // namespace ombrel",
        "",
    ]
    path = ROOT / "charsets/JisX0208Table.cpp"
    path.write_text("\n".join(lines))
    return path


def main():
    directory = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "/usr/share/wine/nls")
    OUTPUT.mkdir(parents=True, exist_ok=True)
    written = [write(code_page, load(directory, code_page)) for code_page in CODE_PAGES]
    written.append(write_list(CODE_PAGES))
    written.append(write_jis_x0208(load(directory, 20932)))
    subprocess.run(["clang-format", "-i", *map(str, written)], check=True)


if __name__ == "__main__":
    main()
