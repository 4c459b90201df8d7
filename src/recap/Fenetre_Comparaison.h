// What the comparison window decides, whatever draws it: it is opened from the main window's
// calculation and compares that month with the reference month its field holds.
#pragma once

#include <optional>
#include <string>

#include "recap/Commandes.h"
#include "recap/Comparaison.h"
#include "recap/Fenetre.h"
#include "recap/Resume.h"

namespace recap {

struct TFenetre_Comparaison {
  TCalcul Calcul;             // the main window's, which it was opened from
  std::string Dossier, Mois;  // of that calculation
  std::string Mois_Reference; // the field as typed
  std::string Seuil;          // the field as typed, in %
  // The last comparison made; nothing before the first click or after one that failed, so that
  // the grid never shows a comparison the fields no longer describe.
  std::optional<TComparaison> Comparaison;
  bool Echec = false;
};

// The window opened from a calculation: the month before and the default threshold prefilled.
TFenetre_Comparaison Ouvrir_Comparaison(const TCalcul& Calcul);

// A click on "Comparer" (made once when the window opens): the fields read, the comparison
// made under the wait cursor, every message and error in the boxes. A reference that is no
// month mm-aaaa gets its message and no comparison; one whose month no longer reads as the
// calculation read it gets the warning that the payslips changed.
void Clic_Comparer(TFenetre_Comparaison& Fenetre, const TBoitesMessages& Boites, const TCurseur& Curseur);

// The table the grid shows: the comparison's, or its headers alone; its title, "Comparaison —
// mois <mois> / <référence>", is the window's, and says so when nothing was compared.
TTableau Tableau_Affiche(const TFenetre_Comparaison& Fenetre);

// The summary label: the two summaries and their differences, or why there are none.
std::string Texte_Resume(const TFenetre_Comparaison& Fenetre);

TEtat_Commandes Etat_Commandes(const TFenetre_Comparaison& Fenetre);

}  // namespace recap
