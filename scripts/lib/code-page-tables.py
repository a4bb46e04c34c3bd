#!/usr/bin/env python3
"""Writes the tables on which scripts/compare-windows-dump holds the Linux and the Windows
tessaro-dump against each other in every code page: code-page-tables.py OUTDIR

  every-byte.dbf/.dbt  names and values with every byte but NUL, a memo with every byte
                       and soft line ends, read in each code page by --codepage
  pairs.dbf/.dbt       every lead byte of the double-byte code pages before every byte that
                       may follow it, and a lead byte cut off by the end of its field
  triples.dbf          EUC-JP's three-byte characters (0x8F, then two bytes)
  utf8.dbf, utf8-invalid.dbf, gbk.dbf/.cpg, junk-cpg.dbf/.cpg
                       tables that name their code page by their data or a .cpg file
  driver-XX.dbf        a table of Windows-1252 text with the language driver byte XX
"""

import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent))
from dbfbuild import memo_file, table  # noqa: E402

DRIVERS = [0x00, 0x01, 0x02, 0x03, 0x04, 0x08, 0x13, 0x1F, 0x26, 0x4D, 0x4E, 0x4F, 0x50,
           0x57, 0x58, 0x59, 0x65, 0x6A, 0x7D, 0x7E, 0x96, 0x97, 0x98, 0xC8, 0xC9, 0xCA,
           0xCB, 0xCC, 0x05, 0xFF]


def chunks(data, size):
    return [data[i:i + size] for i in range(0, len(data), size)]


def write(folder, name, data):
    (folder / name).write_bytes(data)


def main():
    folder = pathlib.Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    every = bytes(range(1, 256))
    write(folder, "every-byte.dbf", table(
        [(bytes(range(0x80, 0x8B)), "C", 255), (bytes(range(0xF4, 0xFF)), "C", 255),
         ("NOTIZ", "M", 10)],
        [[every, every[::-1], "         1"]]))
    memo = bytes(range(256)) + b"\x8d\x0a" + b"Zeile\x8d\x0a\x8d" + every
    write(folder, "every-byte.dbt", memo_file(512, [(1, memo)]))

    pairs = b"".join(bytes([lead, trail]) for lead in range(0x81, 0xFF)
                     for trail in list(range(0x30, 0x80)) + list(range(0x80, 0x100)))
    # 253 bytes a field: each record's value ends inside a character.
    write(folder, "pairs.dbf", table([("PAARE", "C", 253), ("NOTIZ", "M", 10)],
                                     [[part, "         1" if i == 0 else ""]
                                      for i, part in enumerate(chunks(pairs, 253))]))
    write(folder, "pairs.dbt", memo_file(512, [(1, pairs + b"\x82")]))
    triples = b"".join(bytes([0x8F, second, third]) for second in range(0xA1, 0xFF)
                       for third in range(0xA1, 0xFF))
    write(folder, "triples.dbf", table([("DREI", "C", 254)],
                                       [[part] for part in chunks(triples, 254)]))

    utf8 = "Grüße, Мышь, Jihočeský kraj, 北京市, 😀".encode("utf-8")
    # The end of a field may cut a character short, as writers of shapefiles do.
    write(folder, "utf8.dbf", table([("ORT\u00c4".encode("utf-8"), "C", 60), ("CUT", "C", 5)],
                                    [[utf8, b"abc" + "ä".encode()],
                                     [b"ASCII", b"abc" + "北".encode()[:2]]]))
    write(folder, "utf8-invalid.dbf", table([("ORT", "C", 60)], [[utf8], [b"M\x81ller"]],
                                            language_driver_byte=0xC9))
    write(folder, "gbk.dbf", table([("NAME", "C", 20)], [["北京市".encode("gbk")]]))
    write(folder, "gbk.cpg", b"GBK\r\n")
    write(folder, "junk-cpg.dbf", table([("NAME", "C", 20)], [["Hern\xe1ndez".encode("latin-1")]],
                                        language_driver_byte=0x57))
    write(folder, "junk-cpg.cpg", b"<html><body>1251</body></html>")
    latin = "Hernández, Grüße".encode("cp1252")
    for driver in DRIVERS:
        write(folder, "driver-%02x.dbf" % driver,
              table([("NAME", "C", 40)], [[latin], [b"M\x81ller"]] if driver == 0x58 else [[latin]],
                    language_driver_byte=driver))


if __name__ == "__main__":
    main()
