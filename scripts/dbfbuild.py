"""The one builder of dBASE tables and memo files for the Python generators (the sample
tables, the fuzz seeds); the C++ one is tests/builder/TableBuilder. It writes the format
from its own knowledge, not from the reader's constants, so that it stays a second opinion.
Standard library only.
"""

import struct

LEVEL7_VERSIONS = (0x04, 0x8C)


def header(fields, version=0x03, record_count=0, header_length=None, record_length=None,
           terminator=True, last_update=(2024, 12, 7), language_driver=None,
           language_driver_byte=0):
    """The header of a table. fields: (name, type, length[, decimals[, flags]]), names and
    types as str (Latin-1) or bytes; flags is the Visual FoxPro flags byte of a level 5
    descriptor; language_driver_byte names the code page (offset 29), language_driver is the
    driver's name of level 7. A character field longer than 255 bytes keeps the high byte of its length
    in its decimals, as Clipper and FoxPro write it. The lengths default to what the fields
    make."""
    level7 = version in LEVEL7_VERSIONS
    first, size, name_width = (68, 48, 32) if level7 else (32, 32, 11)
    natural = first + len(fields) * size + (1 if terminator else 0)
    head = bytearray(natural)
    year, month, day = last_update
    head[0:4] = bytes([version, year - 1900, month, day])
    struct.pack_into("<iHH", head, 4, record_count,
                     natural if header_length is None else header_length,
                     (1 + sum(f[2] for f in fields)) if record_length is None else record_length)
    head[29] = language_driver_byte
    if level7 and language_driver:
        head[32:32 + len(language_driver[:32])] = language_driver[:32]
    for i, field in enumerate(fields):
        name, kind, length = _bytes(field[0]), _bytes(field[1]), field[2]
        at = first + i * size
        name = name[:name_width]
        head[at:at + len(name)] = name
        head[at + name_width] = kind[0]
        decimals = field[3] if len(field) > 3 else 0
        if kind == b"C" and length > 255:
            length, decimals = length & 0xFF, length >> 8
        head[at + (33 if level7 else 16)] = length
        head[at + (34 if level7 else 17)] = decimals
        if not level7 and len(field) > 4:
            head[at + 18] = field[4]
    if terminator:
        head[natural - 1] = 0x0D
    return bytes(head)


def table(fields, records=(), version=0x03, record_count=None, header_length=None,
          record_length=None, terminator=True, end_marker=True, **header_options):
    """The bytes of a table. records: lists of values, padded with blanks, or the bytes of
    a record after its deletion flag, taken as they are."""
    count = len(records) if record_count is None else record_count
    out = bytearray(header(fields, version, count, header_length, record_length, terminator,
                           **header_options))
    for record in records:
        if isinstance(record, (bytes, bytearray)):
            out += b" " + record
            continue
        out += b" "
        for field, value in zip(fields, record):
            value = _bytes(value)
            out += value[:field[2]].ljust(field[2], b" ")
    return bytes(out) + (b"\x1a" if end_marker else b"")


def memo_block(text, stored_length=None):
    """A memo block of dBASE IV and later: the signature, the length counting the 8 header
    bytes, the text."""
    length = len(text) + 8 if stored_length is None else stored_length
    return b"\xff\xff\x08\x00" + struct.pack("<i", length) + text


def memo_file_header(block_length, next_free=1):
    """The 32-byte header of a memo file."""
    head = bytearray(32)
    struct.pack_into("<I", head, 0, next_free)
    struct.pack_into("<H", head, 20, block_length & 0xFFFF)
    return bytes(head)


def _with_blocks(header, block_length, blocks, size):
    """A memo file: its header, then each (block number, bytes) at its place."""
    data = bytearray(header)
    for number, block in blocks:
        at = number * block_length
        if len(data) < at + len(block):
            data += bytes(at + len(block) - len(data))
        data[at:at + len(block)] = block
    if size is not None:
        data = data[:size].ljust(size, b"\0")
    return bytes(data)


def memo_file(block_length=512, memos=(), size=None):
    """A memo file: memos are (block, text[, stored length])."""
    blocks = [(memo[0], memo_block(memo[1], memo[2] if len(memo) > 2 else None))
              for memo in memos]
    return _with_blocks(memo_file_header(block_length), block_length, blocks, size)


def fpt_file(block_size=64, memos=(), size=None):
    """A FoxPro memo file: a 512-byte header with the block size big-endian at offset 6;
    memos are (block, text[, stored length[, type]]), each with its type and length
    big-endian before the text."""
    header = bytearray(512)
    struct.pack_into(">H", header, 6, block_size & 0xFFFF)
    blocks = []
    for memo in memos:
        length = len(memo[1]) if len(memo) < 3 or memo[2] is None else memo[2]
        kind = memo[3] if len(memo) > 3 else 1
        blocks.append((memo[0], struct.pack(">II", kind, length & 0xFFFFFFFF) + memo[1]))
    return _with_blocks(header, block_size, blocks, size)


def level7_integer(value):
    """I and +: big-endian with the sign bit flipped (value + 2^31)."""
    return struct.pack(">I", (value + 2**31) & 0xFFFFFFFF)


def level7_double(value):
    """O: big-endian IEEE double; a positive one with its sign bit flipped, a negative one
    with every bit inverted."""
    bits = struct.unpack(">Q", struct.pack(">d", value))[0]
    bits = bits ^ (1 << 63) if value >= 0 else ~bits & 0xFFFFFFFFFFFFFFFF
    return struct.pack(">Q", bits)


def level7_timestamp(ms):
    """@: big-endian IEEE double of milliseconds, 1900-01-01 being 59926694400000."""
    return struct.pack(">d", ms)


def _bytes(value):
    return value if isinstance(value, (bytes, bytearray)) else value.encode("latin-1")
