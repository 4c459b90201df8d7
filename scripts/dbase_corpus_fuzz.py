#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_table from the table layer's test fixtures: one options byte
(bit 0: .FPT memo, bit 1: deleted records shown), the table's length (4 bytes, little-endian),
the table, the memo file. Run from the repository root: python3 scripts/dbase_corpus_fuzz.py"""
import pathlib
import struct

RACINE = pathlib.Path(__file__).resolve().parent.parent
FIXTURES = RACINE / "tests/dbase/fixtures"
CORPUS = RACINE / "tests/fuzz/corpus/fuzz_table"


def main():
    CORPUS.mkdir(parents=True, exist_ok=True)
    paires = []
    for table in sorted(FIXTURES.glob("*.dbf")):
        for extension, fpt in ((".dbt", 0), (".fpt", 1)):
            memo = table.with_suffix(extension)
            if memo.exists():
                paires.append((table.stem, table.read_bytes(), memo.read_bytes(), fpt))
    paires.append(("paies", (FIXTURES / "PAIES.DTA").read_bytes(), (FIXTURES / "paies.dbt").read_bytes(), 0))
    for nom, table, memo, fpt in paires:
        for supprimes in (0, 2):
            octets = bytes([fpt | supprimes]) + struct.pack("<I", len(table)) + table + memo
            (CORPUS / ("%s-%d" % (nom, supprimes))).write_bytes(octets)


if __name__ == "__main__":
    main()
