// The description of the comparison and detail windows, which both shells build from: a grid
// that shows a recap::TTableau, the summary and the warnings under it, and, in the comparison
// window only, a panel with the reference month, the threshold and "Comparer".
// Pixels at 96 dots per inch; positions inside PanelComparaison are relative to the panel.
#pragma once

#include <array>
#include <string_view>

#include "forms/Description_Form1.h"

namespace description {

struct TFenetre_Tableau {
  int Largeur_Client, Hauteur_Client;
  int Decalage;  // each new window opens this much lower and to the right of the previous one
};
// The comparison is as wide as its columns, so that the check column shows without scrolling.
inline constexpr TFenetre_Tableau Fenetre_Comparaison{1060, 560, 24};
inline constexpr TFenetre_Tableau Fenetre_Detail{640, 480, 24};

// Top to bottom: the panel (comparison only), the grid, which takes the height left, then the
// summary and the warnings. Heights of 0 are the grid's; a width of 0 is sized to the text.
inline constexpr std::array<TControle, 9> Controles_Tableau{{
    {"PanelComparaison", "Fenetre", 0, 0, 1060, 41, "", 0},
    {"LabelMoisReference", "PanelComparaison", 8, 12, 0, 0, textes::Libelle_Mois_Reference, -1},
    {"EditMoisReference", "PanelComparaison", 120, 8, 81, 21, "", 0},
    {"LabelSeuil", "PanelComparaison", 224, 12, 0, 0, textes::Libelle_Seuil, -1},
    {"EditSeuil", "PanelComparaison", 296, 8, 49, 21, "", 1},
    {"ButtonComparer", "PanelComparaison", 368, 6, 97, 25, textes::Bouton_Comparer, 2},
    {"GrilleTableau", "Fenetre", 0, 41, 1060, 0, "", 1},
    // The comparison's summary is four lines and a fifth on the threshold; the detail's one.
    {"LabelResumeTableau", "Fenetre", 8, 0, 1044, 75, "", -1},
    {"LabelAvertissementsTableau", "Fenetre", 0, 0, 1060, 45, "", -1, true},
}};

// The control of that name, looked up while compiling: a wrong name does not build.
consteval const TControle& Controle_Tableau(std::string_view nom) {
  for (const TControle& c : Controles_Tableau)
    if (nom == c.Nom) return c;
  throw "contrôle inconnu";
}

}  // namespace description
