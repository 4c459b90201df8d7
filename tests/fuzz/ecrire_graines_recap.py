#!/usr/bin/python3
"""Writes the seed corpus of fuzz_recap: a PAIES table and its memo file in one input (two bytes
giving the table's length, the table, then the memo file). Tables come from Debian's python3-dbf
and from the dBase fixtures written by python3-dbf and Free Pascal's TDbf.
Run with Debian's Python: /usr/bin/python3 tests/fuzz/ecrire_graines_recap.py"""
import pathlib
import tempfile

import dbf

ICI = pathlib.Path(__file__).resolve().parent
SORTIE = ICI / "corpus" / "fuzz_recap"
FIXTURES = ICI.parent / "dbase" / "fixtures"

PAIES = [
    ("03-2011", "Bulletin\r\n0011520.00\r\n002-35.50\r\n0031E2\r\n"),
    ("03-2011 x", "Bulletin\r\n001100.10\r\n0070.009\r\n"),
    ("04-2011", "Bulletin\r\n001999.99\r\n"),
    ("03-2011", ""),
    ("03-2011", "Bulletin\r\n0400.50\r\n$1F2\r\n"),
    ("03-2011", "Été\r\n005-3\r\n006 1.5\r\n"),
]
ERREURS = [
    ("03-2011", "Bulletin\r\n001abc\r\n"),
    ("03-2011", "Bulletin\r\n9001.00\r\n"),
]


def graine(nom, table, memo):
    octets = pathlib.Path(table).read_bytes()
    memo_octets = pathlib.Path(memo).read_bytes() if memo else b""
    (SORTIE / nom).write_bytes(len(octets).to_bytes(2, "little") + octets + memo_octets)


def ecrire_dbf(dossier, genre, lignes):
    table = dbf.Table(str(dossier / "paies"), "MOIS C(10); MONTANTS M", dbf_type=genre, codepage="cp1252")
    table.open(mode=dbf.READ_WRITE)
    for ligne in lignes:
        table.append(ligne)
    dbf.delete(table[2])
    table.close()
    memo = next(p for p in dossier.iterdir() if p.suffix.lower() in (".dbt", ".fpt"))
    return dossier / "paies.dbf", memo


def main():
    SORTIE.mkdir(parents=True, exist_ok=True)
    for genre in ("db3", "fp", "vfp"):
        for nom, lignes in (("", PAIES), ("_erreur", PAIES[:2] + ERREURS)):
            with tempfile.TemporaryDirectory() as tmp:
                graine(f"{genre}{nom}", *ecrire_dbf(pathlib.Path(tmp), genre, lignes))
    for table in sorted(FIXTURES.glob("*.dbf")):
        memo = next((p for p in FIXTURES.iterdir() if p.stem == table.stem and p.suffix in (".dbt", ".fpt")), None)
        graine("fixture_" + table.stem, table, memo)
    graine("fixture_PAIES", FIXTURES / "PAIES.DTA", FIXTURES / "paies.dbt")


if __name__ == "__main__":
    main()
