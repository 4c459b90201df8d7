#!/usr/bin/python3
"""Writes the python3-dbf fixtures of tests/dbase/fixtures (Debian's python3-dbf, /usr/bin/python3).
Run from anywhere: /usr/bin/python3 tests/dbase/ecrire_fixtures.py"""
import datetime
import os
import pathlib
import shutil
import tempfile

import dbf

ICI = pathlib.Path(__file__).resolve().parent / "fixtures"

# A payslip memo: a header line, then one amount line per rubric; long enough to span blocks.
LIGNES = ["Bulletin de mars 2011"] + ["%03d%.2f" % (r, r * 10.25) for r in range(1, 61)]
MEMO_LONG = "\r\n".join(LIGNES) + "\r\n"
MEMO_ACCENTS = "Prime d'été\r\n0011520.00\r\n"

RECORDS = [
    # NOM, MOIS, CLASSE, TAUX, ACTIF, NAISSANCE, MONTANTS
    ("Élève Noël", "03-2011", 1, 1.5, True, datetime.date(2011, 3, 15), MEMO_LONG),
    ("Sans mémo", "03-2011/2", 2, 2.5, False, None, ""),
    ("Supprimé", "03-2011", 3, 0.5, True, datetime.date(1999, 12, 31), "Entête\r\n002100.00\r\n"),
    ("Façade", "04-2011", 0, -3.5, None, datetime.date(2000, 1, 1), MEMO_ACCENTS),
]


def ecrire(nom, genre, page, champs, lignes, supprimer=(2,)):
    chemin = ICI / nom
    table = dbf.Table(str(chemin), champs, dbf_type=genre, codepage=page)
    table.open(mode=dbf.READ_WRITE)
    for ligne in lignes:
        table.append(ligne)
    for i in supprimer:
        dbf.delete(table[i])
    table.close()


def main():
    ICI.mkdir(exist_ok=True)
    base = "NOM C(20); MOIS C(10); CLASSE N(3,0); TAUX N(8,2); ACTIF L; NAISSANCE D; MONTANTS M"
    ecrire("db3_850", "db3", "cp850", base, RECORDS)
    ecrire("fp_1252", "fp", "cp1252", base.replace("TAUX N(8,2)", "TAUX F(10,3)"), RECORDS)
    # The nullable field comes first: python3-dbf numbers null bits by field position, Visual
    # FoxPro among nullable fields only; for the first field both give bit 0.
    vfp = "NUL C(5) null; " + base + "; ENTIER I; MONNAIE Y; REEL B; QUAND T"
    lignes = [(None if i == 1 else "ok",) + r + (-7 * (i + 1), 12.5 * (i + 1) + 0.25, 2.5 * (i + 1),
                                                 datetime.datetime(2011, 3, 15, 8, 30, 5))
              for i, r in enumerate(RECORDS)]
    ecrire("vfp_1252", "vfp", "cp1252", vfp, lignes)
    # The program opens RUBRIQUE.DTA and PAIES.DBF: a table whose extension says nothing of its
    # format, whose memo file's name differs from the table's in letter case.
    with tempfile.TemporaryDirectory() as tmp:
        table = dbf.Table(os.path.join(tmp, "paies"), "MOIS C(10); MONTANTS M", dbf_type="db3",
                          codepage="cp1252")
        table.open(mode=dbf.READ_WRITE)
        table.append(("03-2011", "Entête\r\n0011520.00\r\n"))
        table.append(("03-2011", "Entête\r\n002-35.50\r\n"))
        table.close()
        shutil.copy(os.path.join(tmp, "paies.dbf"), ICI / "PAIES.DTA")
        shutil.copy(os.path.join(tmp, "paies.dbt"), ICI / "paies.dbt")


if __name__ == "__main__":
    main()
