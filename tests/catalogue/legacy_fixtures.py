#!/usr/bin/env python3
"""Builds the Access (Jet 4) fixtures of the import tests from the bundled
catalogue: the catalogue itself with the column types of the original
platform, one with long memos and other column types, and a password-protected
and an encoded copy. Usage: legacy_fixtures.py CATALOGUE.db OUTDIR"""
import os
import sqlite3
import sys
from decimal import Decimal

sys.dont_write_bytecode = True  # leave no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import jet4_writer  # noqa: E402

JET_TYPES = {"VARCHAR(200)": ("text", 200), "TEXT": ("memo", None), "SMALLINT": ("int", None),
             "DECIMAL(19,4)": ("currency", None), "DECIMAL(3,2)": ("numeric", [3, 2]),
             "DECIMAL(3,1)": ("numeric", [3, 1]), "DECIMAL(4,1)": ("numeric", [4, 1])}


def cell(kind, value):
    if value is None:
        return None
    if kind in ("currency", "numeric"):
        return str(Decimal(repr(value)) if isinstance(value, float) else value)
    return value


def bundled(path):
    db = sqlite3.connect(path)
    info = db.execute('PRAGMA table_info("Критерии")').fetchall()
    columns = [[name, *JET_TYPES[decl]] for _, name, decl, *_ in info]
    rows = [[cell(c[1], v) for c, v in zip(columns, row)]
            for row in db.execute('SELECT * FROM "Критерии"')]
    return columns, rows


def main(catalogue, out):
    columns, rows = bundled(catalogue)
    plan = {"table": "Критерии", "columns": columns, "rows": rows, "compress": True}
    jet4_writer.write(plan, os.path.join(out, "bundled.mdb"))
    jet4_writer.write(dict(plan, password="vortu"), os.path.join(out, "password.mdb"))
    jet4_writer.write(dict(plan, encode=0x5A17C3E1), os.path.join(out, "encoded.mdb"))

    # Long memos (compressed and plain, Latin and Cyrillic), other number
    # types and empty cells in columns the search does not read.
    extra = [["Заметка", "memo"], ["Пояснение", "memo"], ["Сжатая", "memo"], ["Код", "long"],
             ["Вес", "double"], ["Доля", "single"], ["Байт", "byte"], ["Цена", "currency"],
             ["Точная", "numeric", [18, 6]], ["Метка", "bool"]]
    wide_rows = []
    for i, row in enumerate(rows[:3]):
        wide_rows.append(row + [
            "roof " * 4000 if i == 0 else None,            # 20 000 characters
            "кровля " * 1300 if i == 0 else "коротко",      # 9 100 characters
            "Latin only, compressed" * 40 if i < 2 else "",  # 880 characters
            -2147483648 if i == 0 else 7,
            0.1 if i == 0 else None,
            0.5,
            255 if i == 0 else None,
            "-922337203685477.5808" if i == 0 else "0.0001",
            "-123456789012.345678" if i == 0 else None,
            i == 1])
    jet4_writer.write({"table": "Критерии", "columns": columns + extra, "rows": wide_rows,
                       "compress": True}, os.path.join(out, "wide.mdb"))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
