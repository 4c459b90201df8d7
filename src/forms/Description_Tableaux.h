// The description of the table windows, which both shells build from: a panel of fields and a
// button above (for the kinds that have one), the grid that shows a recap::TTableau and takes
// the height left, then the summary and the warnings under it.
// Pixels at 96 dots per inch; positions of a panel's controls are relative to the panel.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/Textes.h"

namespace description {

enum class TGenre_Controle { Libelle, Champ, Bouton, Case };

// A control of a panel. A label names the control that follows it, and its Alt letter moves
// the focus there.
struct TControle_Panneau {
  const char* Nom;
  TGenre_Controle Genre;
  int Left, Top, Width, Height;  // a width of 0: sized to the text
  const char* Texte;             // "&" before the Alt letter
};

struct TFenetre_Tableau {
  int Largeur_Client, Hauteur_Client;
  // Below this, a field, the button or the grid's first rows would be cut.
  int Largeur_Min, Hauteur_Min;
  std::span<const TControle_Panneau> Panneau;  // empty: no panel
  int Hauteur_Panneau;
  // The summary keeps the room of so many lines from one click to the next, so that the grid
  // does not jump; 0: the room of its own lines.
  int Lignes_Resume;
  // The chart under the grid, for a table that has one: its height (0: none).
  int Hauteur_Graphique = 0;
};

// Tab order is this order: the fields, the button and the check box, then the grid. The check
// box shows only the rows to check.
inline constexpr TControle_Panneau Panneau_Comparaison[] = {
    {"LabelMoisReference", TGenre_Controle::Libelle, 8, 12, 0, 0, textes::Libelle_Mois_Reference},
    {"EditMoisReference", TGenre_Controle::Champ, 120, 8, 81, 21, ""},
    {"LabelSeuil", TGenre_Controle::Libelle, 224, 12, 0, 0, textes::Libelle_Seuil},
    {"EditSeuil", TGenre_Controle::Champ, 296, 8, 49, 21, ""},
    {"ButtonComparer", TGenre_Controle::Bouton, 368, 6, 97, 25, textes::Bouton_Comparer},
    {"CaseFiltre", TGenre_Controle::Case, 488, 8, 0, 21, textes::Case_Filtre},
};

// The months of the cumuls, the first prefilled from the main window's month: January of its
// year to that month.
inline constexpr TControle_Panneau Panneau_Cumuls[] = {
    {"LabelDu", TGenre_Controle::Libelle, 8, 12, 0, 0, textes::Libelle_Du},
    {"EditDu", TGenre_Controle::Champ, 44, 8, 81, 21, ""},
    {"LabelAu", TGenre_Controle::Libelle, 144, 12, 0, 0, textes::Libelle_Au},
    {"EditAu", TGenre_Controle::Champ, 180, 8, 81, 21, ""},
    {"ButtonCalculer", TGenre_Controle::Bouton, 284, 6, 97, 25, textes::Bouton_Calculer_Cumuls},
};

// The controls: the reference month prefilled with the month before, the threshold with 10.
inline constexpr TControle_Panneau Panneau_Controles[] = {
    {"LabelMoisReference", TGenre_Controle::Libelle, 8, 12, 0, 0, textes::Libelle_Mois_Reference},
    {"EditMoisReference", TGenre_Controle::Champ, 120, 8, 81, 21, ""},
    {"LabelSeuil", TGenre_Controle::Libelle, 224, 12, 0, 0, textes::Libelle_Seuil},
    {"EditSeuil", TGenre_Controle::Champ, 296, 8, 49, 21, ""},
    {"ButtonControler", TGenre_Controle::Bouton, 368, 6, 97, 25, textes::Bouton_Controler},
};

// The comparison is as wide as its columns, so that the check column shows without scrolling;
// its summary is four lines and a fifth on the threshold.
inline constexpr TFenetre_Tableau Fenetre_Comparaison{1060, 560, 720, 320, Panneau_Comparaison, 41, 5};
inline constexpr TFenetre_Tableau Fenetre_Detail{640, 480, 360, 200, {}, 0, 0};
// The cumuls: a year's twelve months in view beside the fixed columns, the chart under them.
inline constexpr TFenetre_Tableau Fenetre_Cumuls{1100, 720, 600, 480, Panneau_Cumuls, 41, 4, 220};
// The controls: the finding's text in view beside the identity; a count line and a second on
// the checks not made.
inline constexpr TFenetre_Tableau Fenetre_Controles{1020, 520, 600, 320, Panneau_Controles, 41, 2};
inline constexpr TFenetre_Tableau Fenetre_Bulletin{600, 560, 360, 240, {}, 0, 0};
inline constexpr TFenetre_Tableau Fenetre_Ecarts{760, 480, 360, 200, {}, 0, 0};

// The controls every table window has, by name.
inline constexpr const char* Nom_Panneau = "PanelTableau";
inline constexpr const char* Nom_Grille = "GrilleTableau";
inline constexpr const char* Nom_Resume = "LabelResumeTableau";
inline constexpr const char* Nom_Avertissements = "LabelAvertissementsTableau";
// The summary's margins: from the window's sides, and above and below its lines.
inline constexpr int Marge_Resume_X = 8, Marge_Resume_Y = 4;
// Each new window that cannot open beside the one it comes from is this much lower and to the right.
inline constexpr int Decalage_Fenetres = 24;

// The number of the panel's fields: the model's Champs holds as many.
constexpr int Nombre_Champs(const TFenetre_Tableau& f) {
  int n = 0;
  for (const TControle_Panneau& c : f.Panneau) n += c.Genre == TGenre_Controle::Champ ? 1 : 0;
  return n;
}

// A label's text without its "&" ("&&" is one "&"), as a screen reader or a test reads it.
inline std::string Sans_Esperluette(std::string_view texte) {
  std::string sans;
  for (size_t i = 0; i < texte.size(); ++i) {
    if (texte[i] == '&' && i + 1 < texte.size()) ++i;
    sans += texte[i];
  }
  return sans;
}

}  // namespace description
