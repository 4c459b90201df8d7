#!/usr/bin/env python3
"""What a screen reader gets of the Linux window, read on the AT-SPI accessibility bus.

Run inside a D-Bus session with an X display (tests/fenetre/accessibilite_atspi.sh does both).
Starts the window, lists every control with its role and name, checks the names the window
must give (the window itself a frame named by its title), types the sample folder into the
folder field and waits for the check label, an alert, to announce its new text; then calculates
February 2024, reads the grid's header cells, and opens the comparison (Ctrl+M), a frame too,
whose cells say their column, their rubric and their value.
Exit 0 when all holds; 1 with the reason otherwise.
"""
import os
import re
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

ATTENTE = 20  # seconds for any step

NOMS_ATTENDUS = [
    ("frame", "Calcul d'une récap sous KORVEX"),
    ("text", "Chemin du dossier KORVEX:"),
    ("text", "Mois mm-aaaa"),
    ("push button", "Calculer Récap"),
    ("table", "Récap du mois"),
]


def attendre(condition, quoi):
    fin = time.monotonic() + ATTENTE
    while time.monotonic() < fin:
        GLib.MainContext.default().iteration(False)
        resultat = condition()
        if resultat:
            return resultat
        time.sleep(0.1)
    raise SystemExit(f"ÉCHEC : {quoi} (après {ATTENTE} s)")


def application(nom):
    bureau = Atspi.get_desktop(0)
    for i in range(bureau.get_child_count()):
        app = bureau.get_child_at_index(i)
        if app is not None and app.get_name().lower() == nom.lower():
            return app
    return None


def parcourir(objet, profondeur=0):
    objet.clear_cache()
    yield objet, profondeur
    for i in range(objet.get_child_count()):
        enfant = objet.get_child_at_index(i)
        if enfant is not None and enfant.get_role_name() != "table cell":
            yield from parcourir(enfant, profondeur + 1)


def main():
    programme = os.path.abspath(sys.argv[1])
    exemple = os.path.abspath(sys.argv[2])
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    fenetre = subprocess.Popen([programme], env=env)
    try:
        app = attendre(lambda: application(os.path.basename(programme)), "la fenêtre sur le bus AT-SPI")
        controles = attendre(lambda: [(o, p) for o, p in parcourir(app)][1:] if app.get_child_count() else None,
                             "les contrôles de la fenêtre")
        fenetre_principale = controles[0][0]
        trouves = []
        for objet, profondeur in controles:
            role, nom = objet.get_role_name(), objet.get_name()
            trouves.append((role, nom))
            print(f"{'  ' * profondeur}{role} : « {nom} »")
        manquants = [n for n in NOMS_ATTENDUS if n not in trouves]
        if manquants:
            raise SystemExit(f"ÉCHEC : contrôles sans le nom attendu : {manquants}")
        annonces, alertes = [], []
        ecoute = Atspi.EventListener.new(
            lambda e: annonces.append(e.source.get_name()) if e.source.get_role_name() == "alert" else None)
        ecoute.register("object:property-change:accessible-name")
        montre = Atspi.EventListener.new(
            lambda e: alertes.append(e.source.get_name()) if e.source.get_role_name() == "alert" and e.detail1 else None)
        montre.register("object:state-changed:showing")
        champ = next(o for o, _ in controles
                     if (o.get_role_name(), o.get_name()) == ("text", "Chemin du dossier KORVEX:"))
        Atspi.EditableText.set_text_contents(champ, exemple)
        attendre(lambda: "Dossier KORVEX OK" in annonces and "Dossier KORVEX OK" in alertes,
                 "l'annonce « Dossier KORVEX OK »")
        print(f"annonce de l'étiquette de contrôle (alert) : « {annonces[-1]} »")

        # A calculation of the sample's February: the header cells then name the columns and rows.
        mois = next(o for o, _ in controles if (o.get_role_name(), o.get_name()) == ("text", "Mois mm-aaaa"))
        Atspi.EditableText.set_text_contents(mois, "02-2024")
        bouton = next(o for o, _ in controles if o.get_role_name() == "push button")
        Atspi.Action.do_action(bouton, 0)
        table = next(o for o, _ in controles if o.get_role_name() == "table")

        def entetes(role):
            table.clear_cache()
            return [table.get_child_at_index(i).get_name() for i in range(table.get_child_count())
                    if table.get_child_at_index(i).get_role_name() == role]

        colonnes = attendre(lambda: entetes("table column header") if "GAINS" in entetes("table column header")
                            else None, "les titres de colonnes après le calcul")
        lignes = entetes("table row header")
        print(f"titres des colonnes : {colonnes}")
        print(f"titres des lignes : {lignes[:5]}… ({len(lignes)})")
        if colonnes != ["LIBELLES", "BASES", "GAINS", "RETENUES"] or \
                lignes[:2] != ["N° RUB, rubrique Salaire de base : 1", "N° RUB, rubrique Heures supplémentaires 25 % : 2"]:
            raise SystemExit("ÉCHEC : titres de la grille inattendus")
        attendre(lambda: any(a.startswith("12 bulletins") for a in alertes), "l'annonce du résumé")

        # The comparison, from the grid: a frame named by its title, its cells named.
        Atspi.Component.grab_focus(table)
        subprocess.run(["xdotool", "search", "--name", "^Calcul d'une récap sous KORVEX$", "windowfocus", "--sync",
                        "key", "--clearmodifiers", "ctrl+m"], check=True)
        titre = "Comparaison — mois 02-2024 / 01-2024"
        comparaison = attendre(lambda: next((app.get_child_at_index(i) for i in range(app.get_child_count())
                                              if app.get_child_at_index(i).get_name() == titre), None),
                               "la fenêtre de comparaison sur le bus")
        if comparaison.get_role_name() != "frame" or fenetre_principale.get_role_name() != "frame":
            raise SystemExit(f"ÉCHEC : fenêtres de rôle {fenetre_principale.get_role_name()}, "
                             f"{comparaison.get_role_name()}")
        grille = next(o for o, _ in parcourir(comparaison) if o.get_role_name() == "table")
        cellule = Atspi.Table.get_accessible_at(grille, 0, 3).get_name()
        print(f"comparaison : « {comparaison.get_name()} » (frame), cellule : « {cellule} »")
        if not re.fullmatch(r"TOTAL 02-2024, rubrique 1 Salaire de base : 33149[.,]34", cellule):
            raise SystemExit("ÉCHEC : nom de cellule inattendu dans la comparaison")
        print("OK : les fenêtres sont des cadres nommés par leur titre, le contrôle du dossier et le résumé "
              "sont annoncés, les cellules disent leur colonne, leur rubrique et leur valeur")
    finally:
        fenetre.terminate()
        try:
            fenetre.wait(timeout=ATTENTE)
        except subprocess.TimeoutExpired:
            fenetre.kill()


if __name__ == "__main__":
    main()
