#!/usr/bin/python3
"""Every workbook korvex-recap writes, opened as a user opens it: LibreOffice Calc (headless)
recalculates every formula, and every figure it computes must be the one --json prints.

On the sample folder and on a folder whose rubric 3 is +0.10 and -0.092 each month (each month
negligible, so blank, the period not), korvex-recap writes each table with --xlsx and with --json.
One soffice run converts every workbook, with formulas recalculated on loading (set in a profile of
its own), then openpyxl reads what Calc computed. A copy of a workbook whose formula caches a wrong
value goes through the same check: it passes only if Calc really recalculated.

The check knows no table's shape: the rows under the header (the row above the frozen pane) are,
in order, the items of one of the JSON's lists of objects, then its footers; each row's numbers
must be among its item's numbers (a footer's among the document's top-level numbers), compared at
15 significant digits, as a spreadsheet shows and compares them. A cell that held a number or a
formula must still hold a number.

Usage: classeurs_tableur.py PROGRAMME EXEMPLE TRAVAIL
"""
import collections
import json
import os
import pathlib
import shutil
import subprocess
import sys
import zipfile

import openpyxl

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "examples"))
from ecrire_exemple import ecrire_dossier  # noqa: E402

import dbf  # noqa: E402

# Calc keeps an .xlsx file's cached results unless told to recalculate always on loading.
REGLAGES = """<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" \
xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="OOXMLRecalcMode" oor:op="fuse">\
<value>0</value></prop></item>
</oor:items>
"""


def ecrire_negligeable(travail):
    """Rubric 3 pays +0.10 and -0.092 each month: 0.008 a month, 0.024 over three. Rubric 4 pays 0.10,
    0.20 and 0.30, whose sum in binary is not 0.6 but shows as 0.6."""
    t = dbf.Table(os.path.join(travail, "RUBRIQUE.DBF"), "LIBELLE C(40); CLASSE N(1,0)", dbf_type="db3", codepage="cp1252")
    t.open(dbf.READ_WRITE)
    for libelle, classe in (("Salaire de base", 1), ("Cotisations", 2), ("Régularisation", 1), ("Arrondi", 1)):
        t.append((libelle, classe))
    t.close()
    t = dbf.Table(os.path.join(travail, "PAIES.DBF"), "MATRICULE C(5); NOM C(30); MOIS C(7); MONTANTS M",
                  dbf_type="db3", codepage="cp1252")
    t.open(dbf.READ_WRITE)
    for k, mois in enumerate(("01-2024", "02-2024", "03-2024")):
        for matricule, nom, lignes in (("00001", "DUPONT Anne", ["0012000.00", "002400.00", "0030.10", "004%.2f" % (0.1 * (k + 1))]),
                                       ("00002", "MARTIN Paul", ["0011500.%02d" % k, "002300.00", "003-0.092"])):
            t.append((matricule, nom, mois, "\r\n".join(["BULLETIN %s %s" % (mois, matricule)] + lignes) + "\r\n"))
    t.close()


def executer(programme, arguments):
    r = subprocess.run([programme, *arguments], env=dict(os.environ, LC_ALL="C"), capture_output=True, text=True)
    if r.returncode not in (0, 4):  # 4: the controls found an anomaly, and said so
        raise SystemExit(f"korvex-recap {' '.join(arguments)} : code {r.returncode}\n{r.stderr}")
    return r.stdout


def nombre(v):
    return isinstance(v, (int, float)) and not isinstance(v, bool)


def quinze(v):
    """A number as a spreadsheet shows and compares it: 15 significant digits."""
    return float("%.15g" % v)


def nombres(valeur):
    """The numbers of a JSON value, depth first, booleans and nulls left out."""
    if nombre(valeur):
        return [quinze(valeur)]
    if isinstance(valeur, dict):
        valeur = list(valeur.values())
    if isinstance(valeur, list):
        return [n for v in valeur for n in nombres(v)]
    return []


def fautes_lignes(rangees, document):
    """What the rows say that the JSON does not, for the list of objects that fits them best."""
    listes = [v for v in document.values() if isinstance(v, list) and v and all(isinstance(x, dict) for x in v)]
    haut = nombres({k: v for k, v in document.items() if not any(v is liste for liste in listes)})
    meilleures = None
    for liste in listes or [[]]:
        fautes = [] if len(rangees) >= len(liste) else [f"{len(rangees)} rangées pour {len(liste)} objets"]
        for i, (r, valeurs) in enumerate(rangees):
            attendus = collections.Counter(nombres(liste[i]) if i < len(liste) else haut)
            manque = collections.Counter(quinze(v) for v in valeurs) - attendus
            if manque:
                fautes.append(f"rangée {r} : {valeurs} ; {sorted(manque)} absent du JSON "
                              f"({nombres(liste[i]) if i < len(liste) else 'hors des lignes'})")
        if meilleures is None or len(fautes) < len(meilleures):
            meilleures = fautes
    return meilleures


def verifier(ecrit, calcule, document):
    """Calc's figures against the cells as written (a formula's cached value being the program's
    figure) and against the JSON."""
    feuille_e = openpyxl.load_workbook(ecrit).worksheets[0]
    caches = openpyxl.load_workbook(ecrit, data_only=True).worksheets[0]
    feuille = openpyxl.load_workbook(calcule, data_only=True).worksheets[0]
    entete = openpyxl.utils.cell.coordinate_to_tuple(feuille_e.freeze_panes)[0] - 1
    fautes, rangees, formules = [], [], 0
    for r in range(entete + 1, feuille_e.max_row + 1):
        valeurs = []
        for c in range(1, feuille_e.max_column + 1):
            e, v = feuille_e.cell(r, c), feuille.cell(r, c).value
            if e.data_type != "f" and not nombre(e.value):
                continue
            formules += e.data_type == "f"
            figure = caches.cell(r, c).value
            if not nombre(v) or quinze(v) != quinze(figure):
                fautes.append(f"{e.coordinate} : Calc calcule {v!r}, le programme a écrit {figure!r}"
                              + (f" ({e.value})" if e.data_type == "f" else ""))
            if nombre(v):
                valeurs.append(v)
        if valeurs:
            rangees.append((r, valeurs))
    return fautes + fautes_lignes(rangees, document), formules


def fausser(source, cible):
    """A copy whose first formula caches 1000 more than its figure."""
    with zipfile.ZipFile(source) as z_in, zipfile.ZipFile(cible, "w", zipfile.ZIP_DEFLATED) as z_out:
        for info in z_in.infolist():
            octets = z_in.read(info.filename)
            if info.filename == "xl/worksheets/sheet1.xml":
                texte = octets.decode()
                if "<f>" not in texte:
                    raise SystemExit(f"{source} : aucune formule à fausser")
                debut = texte.index("<v>", texte.index("<f>")) + 3
                fin = texte.index("</v>", debut)
                texte = texte[:debut] + repr(float(texte[debut:fin]) + 1000) + texte[fin:]
                octets = texte.encode()
            z_out.writestr(info, octets)


def main(programme, exemple, travail):
    travail = pathlib.Path(travail).resolve()
    shutil.rmtree(travail, ignore_errors=True)
    (travail / "classeurs").mkdir(parents=True)
    # The calculation renames PAIES.DTA for a moment: copies, not the committed folder.
    d = str(travail / "KORVEX")
    shutil.copytree(exemple, d)
    n = str(travail / "NEGLIGEABLE")
    ecrire_dossier(n, ecrire_negligeable, "korvex-negligeable-")
    cas = {
        "recap": [d, "02-2024"], "recap-periode": [d, "01-2024", "03-2024"],
        "comparaison": ["--comparer", "02-2024", d, "03-2024"], "cumuls": ["--cumuls", d, "01-2024", "03-2024"],
        "controles": ["--controles", d, "03-2024"], "bulletin": ["--bulletin", "31", d],
        "detail": ["--detail", "2", d, "01-2024", "03-2024"], "ecarts": ["--comparer", "02-2024", "--detail", "2", d, "03-2024"],
        "n-recap": [n, "01-2024", "03-2024"], "n-comparaison": ["--comparer", "01-2024", n, "02-2024"],
        "n-cumuls": ["--cumuls", n, "01-2024", "03-2024"], "n-cumuls-2": ["--cumuls", n, "01-2024", "02-2024"],
        "n-controles": ["--controles", n, "02-2024"], "n-detail": ["--detail", "3", n, "01-2024", "03-2024"],
    }
    documents = {}
    for nom, arguments in cas.items():
        documents[nom] = json.loads(executer(programme, ["--json", *arguments]))
        executer(programme, ["--xlsx", str(travail / "classeurs" / f"{nom}.xlsx"), *arguments])
    # The proof that Calc recalculates: a cached value it would otherwise keep.
    fausser(travail / "classeurs" / "cumuls.xlsx", travail / "classeurs" / "faux.xlsx")
    caches = [[c.value for ligne in openpyxl.load_workbook(travail / "classeurs" / f, data_only=True).worksheets[0].iter_rows()
               for c in ligne] for f in ("cumuls.xlsx", "faux.xlsx")]
    if sum(a != b for a, b in zip(*caches)) != 1:
        raise SystemExit("la copie faussée n'a pas une et une seule valeur fausse")
    documents["faux"] = documents["cumuls"]

    soffice = shutil.which("soffice")
    if soffice is None:
        raise SystemExit("soffice absent : installez LibreOffice Calc (scripts/installer-dependances.sh tableur)")
    profil = travail / "profil"
    (profil / "user").mkdir(parents=True)
    (profil / "user" / "registrymodifications.xcu").write_text(REGLAGES, encoding="utf-8")
    fichiers = [str(travail / "classeurs" / f"{nom}.xlsx") for nom in documents]
    r = subprocess.run([soffice, f"-env:UserInstallation={profil.as_uri()}", "--headless", "--norestore",
                        "--convert-to", "xlsx", "--outdir", str(travail / "calc"), *fichiers],
                       capture_output=True, text=True, timeout=240)
    if r.returncode != 0:
        raise SystemExit(f"soffice : code {r.returncode}\n{r.stdout}{r.stderr}")

    echecs, total = 0, 0
    for nom, document in documents.items():
        calcule = travail / "calc" / f"{nom}.xlsx"
        if not calcule.exists():
            print(f"{nom} : Calc n'a rien écrit\n{r.stdout}{r.stderr}")
            echecs += 1
            continue
        # The forged copy must come out of Calc as the workbook it was copied from.
        ecrit = travail / "classeurs" / f"{'cumuls' if nom == 'faux' else nom}.xlsx"
        fautes, formules = verifier(ecrit, calcule, document)
        total += formules
        for faute in fautes:
            print(f"{nom} : {faute}")
        echecs += bool(fautes)
    print(f"{len(documents)} classeurs relus par Calc, {total} formules, {echecs} en désaccord avec le JSON")
    return 1 if echecs else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]))
