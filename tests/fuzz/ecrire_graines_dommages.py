#!/usr/bin/python3
"""Writes damaged seeds for fuzz_recap and fuzz_table: payslip tables of tests/dbase/fixtures (their
03-2011 payslips are the ones fuzz_recap totals) cut short, with records beyond the announced
count, an end mark where a record starts, a header that disagrees with the file, a wrong deletion
flag, or a memo zeroed, pointed past its file or cut. Each corpus keeps its own input format (see
fuzz_recap.cpp and fuzz_table.cpp). Run from anywhere: /usr/bin/python3 tests/fuzz/ecrire_graines_dommages.py"""
import pathlib
import struct

ICI = pathlib.Path(__file__).resolve().parent
FIXTURES = ICI.parent / "dbase" / "fixtures"


class Table:
    def __init__(self, nom):
        self.octets = bytearray((FIXTURES / (nom + ".dbf")).read_bytes())
        memo = next(p for p in FIXTURES.iterdir() if p.stem == nom and p.suffix in (".dbt", ".fpt"))
        self.fpt = memo.suffix == ".fpt"
        self.memo = bytearray(memo.read_bytes())
        self.nombre, self.entete, self.longueur = struct.unpack_from("<IHH", self.octets, 4)

    def debut(self, numero):
        return self.entete + (numero - 1) * self.longueur

    def bloc_memo(self):
        if self.fpt:
            return struct.unpack_from(">H", self.memo, 6)[0]
        return 512 if self.octets[0] == 0x83 else struct.unpack_from("<H", self.memo, 20)[0]

    def montants(self, numero):
        """Where record numero's memo starts in the memo file."""
        decalage, position = 1, 32
        while self.octets[position] != 0x0D:
            taille = self.octets[position + 16]
            if self.octets[position:position + 8] == b"MONTANTS":
                pointeur = bytes(self.octets[self.debut(numero) + decalage:][:taille])
                bloc = struct.unpack("<I", pointeur)[0] if taille == 4 else int(pointeur)
                return bloc * self.bloc_memo()
            decalage += taille
            position += 32
        raise ValueError("pas de champ MONTANTS")


def coupee(t):
    del t.octets[t.debut(3) + 7:]


def surplus(t):
    struct.pack_into("<I", t.octets, 4, t.nombre - 2)


def marque_fin(t):
    t.octets[t.debut(2)] = 0x1A


def entete_longue(t):
    struct.pack_into("<H", t.octets, 8, t.entete + 1)


def enregistrement_long(t):
    struct.pack_into("<H", t.octets, 10, t.longueur + 1)


def indicateur(t):
    t.octets[t.debut(1)] = ord("X")


def memo_zero(t):
    debut = t.montants(1)
    t.memo[debut:debut + t.bloc_memo()] = bytes(t.bloc_memo())


def memo_fin_zero(t):
    """The block that holds the end of the first payslip's text, which spans several."""
    debut = t.montants(1)
    if t.fpt:
        debut += 8 + struct.unpack_from(">I", t.memo, debut + 4)[0] - 1
    else:
        debut += struct.unpack_from("<I", t.memo, debut + 4)[0] - 1
    debut -= debut % t.bloc_memo()
    t.memo[debut:debut + t.bloc_memo()] = bytes(t.bloc_memo())


def memo_coupe(t):
    del t.memo[t.montants(1) + 300:]


DOMMAGES = {
    "coupee": (coupee, ["db3_850", "fp_1252"]),
    "surplus": (surplus, ["tdbf_4", "vfp_1252"]),
    "marque_fin": (marque_fin, ["db3_850", "tdbf_30"]),
    "entete_longue": (entete_longue, ["db3_850", "vfp_1252"]),
    "enregistrement_long": (enregistrement_long, ["fp_1252"]),
    "indicateur": (indicateur, ["db3_850", "fp_1252"]),
    "memo_zero": (memo_zero, ["db3_850", "fp_1252", "tdbf_4"]),
    "memo_fin_zero": (memo_fin_zero, ["fp_1252", "tdbf_4"]),
    "memo_coupe": (memo_coupe, ["db3_850", "vfp_1252"]),
}


def main():
    for classe, (dommage, tables) in DOMMAGES.items():
        for nom in tables:
            t = Table(nom)
            dommage(t)
            table, memo = bytes(t.octets), bytes(t.memo)
            graine = "dommage-%s-%s" % (classe, nom)
            (ICI / "corpus" / "fuzz_recap" / graine).write_bytes(struct.pack("<H", len(table)) + table + memo)
            (ICI / "corpus" / "fuzz_table" / graine).write_bytes(
                bytes([1 if t.fpt else 0]) + struct.pack("<I", len(table)) + table + memo)


if __name__ == "__main__":
    main()
