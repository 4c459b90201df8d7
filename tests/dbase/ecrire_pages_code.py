#!/usr/bin/python3
"""Writes the code page fixtures of tests/dbase/fixtures: one rubric table per code page, written
and marked by Debian's python3-dbf (/usr/bin/python3), each label in letters of its page.
Run from anywhere: /usr/bin/python3 tests/dbase/ecrire_pages_code.py"""
import os
import pathlib
import shutil
import tempfile

import dbf

ICI = pathlib.Path(__file__).resolve().parent / "fixtures"

# Python's name of the page, the file's name, and the labels; tests/dbase/test_valeurs.cpp
# expects the same texts.
PAGES = [
    ("cp852", "page_852", ["Příplatek za přesčas", "Składka zdrowotna żółć"]),
    ("cp866", "page_866", ["Заработная плата", "Премия ёЁ"]),
    ("cp865", "page_865", ["Lønn og feriepenger", "Øre Åse æ"]),
    ("cp857", "page_857", ["Fazla mesai ücreti", "ğĞ şŞ ıİ"]),
    ("cp1254", "page_1254", ["Kıdem tazminatı", "Ğ Ş İ ç ö"]),
    ("cp1250", "page_1250", ["Mzda – příplatek", "őű Ł ś"]),
    ("cp737", "page_737", ["Μισθός υπαλλήλου", "Επίδομα άδειας"]),
    ("cp1253", "page_1253", ["Επίδομα γάμου", "Ώρες ΆΈΉ"]),
    ("cp874", "page_874", ["เงินเดือน", "ค่าล่วงเวลา"]),
    ("mac_roman", "page_10000", ["Prime d'ancienneté", "Œuvre € ß"]),
    ("mac_cyrillic", "page_10007", ["Оклад", "Надбавка №"]),
    ("cp932", "page_932", ["給与明細", "ｶﾀｶﾅ 残業手当"]),
    ("cp936", "page_936", ["工资", "加班费"]),
    ("cp949", "page_949", ["급여", "상여금"]),
    ("cp950", "page_950", ["薪資", "加班費"]),
]


def main():
    ICI.mkdir(exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        for page, nom, libelles in PAGES:
            table = dbf.Table(os.path.join(tmp, nom), "LIBELLE C(40); CLASSE N(1,0)", dbf_type="db3",
                              codepage=page)
            table.open(mode=dbf.READ_WRITE)
            for i, libelle in enumerate(libelles):
                table.append((libelle, i + 1))
            table.close()
            shutil.copy(os.path.join(tmp, nom + ".dbf"), ICI / (nom + ".dbf"))


if __name__ == "__main__":
    main()
