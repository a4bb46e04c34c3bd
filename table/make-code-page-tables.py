#!/usr/bin/env python3
"""Writes the byte tables of the code pages a table may be written in, from Python's own
codecs, as C++ source: make-code-page-tables.py OUTPUT.cpp

Every code page is a tree of rows of 256 entries: row 0 holds the character of each first
byte, or that no character begins with it, or that a further byte follows (a lead byte of
the double-byte pages, the 0x8F of EUC-JP); such an entry names the row of the byte that
follows. Windows-1252 and the German DOS rule are not here: the program keeps their tables
as it always had them.
"""

import codecs
import sys

NO_CHARACTER = 0xFFFF
CONTINUES = 0xFFFE

# Windows code page number: Python codec.
CODE_PAGES = {
    437: "cp437", 737: "cp737", 775: "cp775", 850: "cp850", 852: "cp852", 855: "cp855",
    857: "cp857", 860: "cp860", 861: "cp861", 862: "cp862", 863: "cp863", 864: "cp864",
    865: "cp865", 866: "cp866", 869: "cp869", 874: "cp874",
    932: "cp932", 936: "gbk", 949: "cp949", 950: "cp950",
    1250: "cp1250", 1251: "cp1251", 1253: "cp1253", 1254: "cp1254", 1255: "cp1255",
    1256: "cp1256", 1257: "cp1257", 1258: "cp1258",
    10000: "mac_roman", 10006: "mac_greek", 10007: "mac_cyrillic", 10029: "mac_latin2",
    20866: "koi8_r", 21866: "koi8_u", 20932: "euc_jp",
}
for n in list(range(1, 12)) + list(range(13, 17)):
    CODE_PAGES[28590 + n] = "iso8859_%d" % n

MAX_BYTES = 3


def decode(codec, data):
    """The one character `data` is, None when it is none, CONTINUES when it is the start
    of one."""
    decoder = codecs.getincrementaldecoder(codec)("strict")
    try:
        text = decoder.decode(data, final=False)
    except UnicodeDecodeError:
        return None
    if text == "":
        return CONTINUES
    if len(text) != 1:
        return None
    try:
        decoder.decode(b"", final=True)  # nothing may be left over
    except UnicodeDecodeError:
        return None
    code = ord(text)
    if code >= CONTINUES:
        raise SystemExit("%s: U+%04X does not fit a table entry" % (codec, code))
    return code


def rows_of(codec):
    """The rows of a code page and, for each row, the rows that its continuing entries
    name (None for a row without such entries). A byte that only seems to begin a
    character, with no byte after it that ends one, begins none."""

    def node(prefix):
        row = [NO_CHARACTER] * 256
        children = {}
        for byte in range(256):
            code = decode(codec, prefix + bytes([byte]))
            if code == CONTINUES:
                child = node(prefix + bytes([byte])) if len(prefix) + 2 <= MAX_BYTES else None
                if child is None:
                    continue
                children[byte] = child
            if code is not None:
                row[byte] = code
        if prefix and not children and all(code == NO_CHARACTER for code in row):
            return None
        return row, children

    rows, nexts = [], []

    def place(tree):
        row, children = tree
        index = len(rows)
        rows.append(row)
        nexts.append(None)
        if children:
            nexts[index] = [0] * 256
            for byte, child in sorted(children.items()):
                nexts[index][byte] = place(child)
        return index

    place(node(b""))
    return rows, nexts


def numbers(values, per_line=16):
    values = list(values)
    lines = []
    for start in range(0, len(values), per_line):
        lines.append("    " + ", ".join("0x%04X" % v for v in values[start:start + per_line]) + ",")
    return "\n".join(lines)


def main():
    if len(sys.argv) != 2:
        raise SystemExit("Aufruf: make-code-page-tables.py AUSGABE.cpp")
    out = ["// Made by table/make-code-page-tables.py from Python's codecs (Python %s): do not edit."
           % sys.version.split()[0],
           '#include "table/CodePageTables.h"', "",
           "namespace tessaro::codepages {", "", "namespace {", ""]
    entries = []
    for number, codec in sorted(CODE_PAGES.items()):
        rows, nexts = rows_of(codec)
        out.append("// %s" % codec)
        out.append("constexpr std::uint16_t kCodes%d[] = {" % number)
        out.append(numbers(v for row in rows for v in row))
        out.append("};")
        next_at, next_rows = [], []
        for children in nexts:
            if children is None:
                next_at.append(-1)
            else:
                next_at.append(len(next_rows))
                next_rows.extend(children)
        if next_rows:
            out.append("constexpr std::int32_t kNextAt%d[] = {%s};" %
                       (number, ", ".join(str(v) for v in next_at)))
            out.append("constexpr std::uint16_t kNext%d[] = {" % number)
            out.append(numbers(next_rows))
            out.append("};")
            entries.append("    {%d, %d, kCodes%d, kNextAt%d, kNext%d}," %
                           (number, len(rows), number, number, number))
        else:
            entries.append("    {%d, 1, kCodes%d, nullptr, nullptr}," % (number, number))
        out.append("")
    out.append("constexpr ByteTable kTables[] = {")
    out.extend(entries)
    out.append("};")
    out.append("")
    out.append("}  // namespace")
    out.append("")
    out.append("const ByteTable* FindByteTable(int number) {")
    out.append("    for (const ByteTable& table : kTables) {")
    out.append("        if (table.number == number) {")
    out.append("            return &table;")
    out.append("        }")
    out.append("    }")
    out.append("    return nullptr;")
    out.append("}")
    out.append("")
    out.append("}  // namespace tessaro::codepages")
    text = "\n".join(out) + "\n"
    try:
        with open(sys.argv[1], encoding="utf-8") as old:
            if old.read() == text:
                return  # unchanged: nothing to rebuild
    except OSError:
        pass
    with open(sys.argv[1], "w", encoding="utf-8") as new:
        new.write(text)


if __name__ == "__main__":
    main()
