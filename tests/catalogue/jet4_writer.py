#!/usr/bin/env python3
"""Writes a small Jet 4 (Access 2000-2003) file holding one table, for the
tests of the Access import: page 0, the system catalogue on page 2, the
table definition, data pages with their usage maps, and long-value pages for
memo texts. No Jet writer exists in Debian, hence this one.

Usage: jet4_writer.py PLAN.json OUT.mdb
PLAN: {"table": NAME, "columns": [[name, type, extra]...], "rows": [[...]...],
       "compress": bool, "password": text, "encode": database key (0: plain)}
types: text (extra = length in characters), memo, byte, int, long, double,
       single, currency, numeric (extra = [precision, scale]), bool.
Cells: null, numbers (currency and numeric as decimal strings), texts.
"""
import json
import struct
import sys
from decimal import Decimal

PAGE = 4096
TYPES = {"bool": (1, 0), "byte": (2, 1), "int": (3, 2), "long": (4, 4), "currency": (5, 8),
         "single": (6, 4), "double": (7, 8), "text": (10, None), "ole": (11, None), "memo": (12, None),
         "numeric": (16, 17)}


def rc4(key, data):
    state, j = list(range(256)), 0
    for i in range(256):
        j = (j + state[i] + key[i % len(key)]) % 256
        state[i], state[j] = state[j], state[i]
    out, i, j = bytearray(), 0, 0
    for byte in data:
        i = (i + 1) % 256
        j = (j + state[i]) % 256
        state[i], state[j] = state[j], state[i]
        out.append(byte ^ state[(state[i] + state[j]) % 256])
    return bytes(out)


def ucs2(text, compress):
    """Jet 4 text: UCS-2, or the compressed form when every character fits one
    byte (Access compresses texts of at most 1024 characters only)."""
    if compress and text and len(text) <= 1024 and all(0 < ord(c) < 256 for c in text):
        return b"\xff\xfe" + text.encode("latin-1")
    return text.encode("utf-16-le")


def fixed_bytes(kind, value, extra):
    if kind == "byte":
        return struct.pack("<B", value)
    if kind == "int":
        return struct.pack("<h", value)
    if kind == "long":
        return struct.pack("<i", value)
    if kind == "double":
        return struct.pack("<d", value)
    if kind == "single":
        return struct.pack("<f", value)
    if kind == "currency":
        return struct.pack("<q", int(Decimal(value) * 10000))
    if kind == "numeric":
        units = int(abs(Decimal(value)) * (10 ** extra[1]))
        words = [(units >> (32 * i)) & 0xFFFFFFFF for i in (3, 2, 1, 0)]
        return bytes([0x80 if Decimal(value) < 0 else 0]) + b"".join(struct.pack("<I", w) for w in words)
    raise ValueError(kind)


class Database:
    def __init__(self):
        self.pages = []

    def new_page(self, data=b""):
        self.pages.append(bytearray(data.ljust(PAGE, b"\0")))
        return len(self.pages) - 1

    def data_page(self, owner, rows, lval=False):
        """A data page (or long-value page) with rows stored from the end."""
        page = bytearray(PAGE)
        page[0:2] = b"\x01\x01"
        page[4:8] = b"LVAL" if lval else struct.pack("<I", owner)
        struct.pack_into("<H", page, 12, len(rows))
        end = PAGE
        for i, row in enumerate(rows):
            start = end - len(row)
            page[start:end] = row
            struct.pack_into("<H", page, 14 + 2 * i, start)
            end = start
        free = end - (14 + 2 * len(rows))
        if free < 0:
            raise ValueError("page overflow")
        struct.pack_into("<H", page, 2, free)
        self.pages.append(page)
        return len(self.pages) - 1


def usage_map(pages):
    bitmap = bytearray(max(64, max(pages, default=0) // 8 + 1))
    for p in pages:
        bitmap[p // 8] |= 1 << (p % 8)
    return b"\x00" + struct.pack("<I", 0) + bytes(bitmap)


def tdef(columns, num_rows, usage_pointer, system):
    """columns: list of (name, kind, extra); returns the page bytes and the layout."""
    fixed_offset, var_index, layout = 0, 0, []
    for number, (name, kind, extra) in enumerate(columns):
        code, size = TYPES[kind]
        if size is None:
            layout.append((number, code, False, 0, var_index, extra))
            var_index += 1
        else:
            layout.append((number, code, True, fixed_offset, 0, extra))
            fixed_offset += size
    body = bytearray()
    body += struct.pack("<IIIIB3sI8sB", 0, 0, num_rows, 0, 1, b"", 0, b"", 0x53 if system else 0x4E)
    body += struct.pack("<HHHIIII", len(columns), var_index, len(columns), 0, 0, usage_pointer, usage_pointer)
    for (number, code, fixed, f_off, v_idx, extra), (name, kind, _) in zip(layout, columns):
        length = {"text": 2 * (extra or 50), "memo": 0, "ole": 0}.get(kind, TYPES[kind][1])
        misc = bytes([extra[0], extra[1]]) if kind == "numeric" else struct.pack("<H", 0x409)
        flags = (0x01 if fixed else 0) | 0x02
        body += struct.pack("<BIHHH2sHBBIHH", code, 0, number, v_idx, number, misc, 0, flags,
                            1 if kind in ("text", "memo") else 0, 0, f_off, length)
    for name, _, _ in columns:
        encoded = name.encode("utf-16-le")
        body += struct.pack("<H", len(encoded)) + encoded
    body += b"\xff\xff"
    page = bytearray(PAGE)
    page[0:2] = b"\x02\x01"
    page[8:8 + len(body)] = body
    struct.pack_into("<I", page, 8, len(body))
    struct.pack_into("<H", page, 2, PAGE - 8 - len(body) - 8)
    return page, layout


def encode_row(db, columns, layout, cells, compress):
    fixed = bytearray(sum(TYPES[k][1] for _, k, _ in columns if TYPES[k][1] is not None))
    null_mask = bytearray((len(columns) + 7) // 8)
    var_values = {}
    for (number, code, is_fixed, f_off, v_idx, extra), (name, kind, _), cell in zip(layout, columns, cells):
        present = cell is not None
        if kind == "bool":
            present = bool(cell)
        elif is_fixed and present:
            value = fixed_bytes(kind, cell, extra)
            fixed[f_off:f_off + len(value)] = value
        elif present and kind == "text":
            var_values[v_idx] = ucs2(cell, compress)
        elif present and kind == "memo":
            var_values[v_idx] = memo_field(db, ucs2(cell, compress))
        if present:
            null_mask[number // 8] |= 1 << (number % 8)
    var_count = sum(1 for _, k, _ in columns if TYPES[k][1] is None)
    row = bytearray(struct.pack("<H", len(columns))) + fixed
    offsets = []
    for i in range(var_count):
        offsets.append(len(row))
        row += var_values.get(i, b"")
    eod = len(row)
    row += struct.pack("<H", eod)
    for off in reversed(offsets):
        row += struct.pack("<H", off)
    row += struct.pack("<H", var_count) + null_mask
    return bytes(row)


def memo_field(db, data):
    """Short memos inline; longer ones on a chain of long-value pages."""
    if len(data) <= 64:
        return struct.pack("<I", len(data) | 0x80000000) + b"\0" * 8 + data
    chunk = PAGE - 14 - 2 - 4
    pieces = [data[i:i + chunk] for i in range(0, len(data), chunk)]
    first = len(db.pages)
    for i, piece in enumerate(pieces):
        following = ((first + i + 1) << 8) if i + 1 < len(pieces) else 0
        db.data_page(0, [struct.pack("<I", following) + piece], lval=True)
    return struct.pack("<I", len(data)) + struct.pack("<I", first << 8) + b"\0" * 4


def write(plan, path):
    columns = [(c[0], c[1], c[2] if len(c) > 2 else None) for c in plan["columns"]]
    compress = plan.get("compress", False)
    db = Database()
    header = bytearray(PAGE)
    header[0:20] = b"\x00\x01\x00\x00Standard Jet DB\x00"
    header[0x14] = 1
    # Bytes 0x18 to 0x97 are masked with a fixed RC4 key; their clear text
    # (database key 0: the pages are not encoded; no password) is zeros but
    # for the code page.
    clear = bytearray(128)
    struct.pack_into("<H", clear, 0x3C - 0x18, 1252)
    struct.pack_into("<I", clear, 0x3E - 0x18, plan.get("encode", 0))
    password = plan.get("password", "").encode("utf-16-le")[:40]
    clear[0x42 - 0x18:0x42 - 0x18 + len(password)] = password
    header[0x18:0x98] = rc4(struct.pack("<I", 0x6B39DAC7), bytes(clear))
    db.new_page(bytes(header))
    db.new_page(b"\x05\x01" + b"\xff" * 64)  # global page map: every page in use
    db.new_page()  # page 2: the system catalogue's definition, filled below
    db.new_page()  # page 3: its data page
    db.new_page()  # page 4: the usage maps
    table_page = db.new_page()

    # Rows go on as many data pages as they need; memo pages come in between.
    row_pages, pending, used = [], [], 14
    _, layout = tdef(columns, 0, 0, False)
    for cells in plan["rows"]:
        row = encode_row(db, columns, layout, cells, compress)
        if used + len(row) + 2 > PAGE:
            row_pages.append(db.data_page(table_page, pending))
            pending, used = [], 14
        pending.append(row)
        used += len(row) + 2
    if pending or not row_pages:
        row_pages.append(db.data_page(table_page, pending))

    maps = [usage_map([3]), usage_map(row_pages)]
    db.pages[4] = db.pages[db.data_page(0, maps)]
    db.pages.pop()
    db.pages[4][4:8] = struct.pack("<I", 0)

    system_columns = [("Id", "long", None), ("ParentId", "long", None), ("Flags", "long", None),
                      ("Type", "int", None), ("Name", "text", 128), ("LvProp", "ole", None)]
    db.pages[2], system_layout = tdef(system_columns, 1, (4 << 8) | 0, True)
    entry = encode_row(db, system_columns, system_layout, [table_page, 0, 0, 1, plan["table"], None], False)
    catalogue = db.data_page(2, [entry])
    db.pages[3] = db.pages[catalogue]
    db.pages.pop()
    db.pages[table_page], _ = tdef(columns, len(plan["rows"]), (4 << 8) | 1, False)
    key = plan.get("encode", 0)
    with open(path, "wb") as out:
        for number, page in enumerate(db.pages):
            # An encoded file masks every page but the first with RC4 keyed
            # by the database key combined with the page number.
            if key and number > 0:
                page = rc4(struct.pack("<I", key ^ number), bytes(page))
            out.write(page)


if __name__ == "__main__":
    with open(sys.argv[1], encoding="utf-8") as f:
        write(json.load(f), sys.argv[2])
