// The description of Form1 that both windows are built from: the Win32 window reads it, and a
// test of the Qt window checks KORVEX_Calcul_Recap.ui against it field by field.
// Pixels at 96 dots per inch; positions inside Panel1 are relative to the panel.
#pragma once

#include <array>
#include <string_view>

#include "platform/Textes.h"

namespace description {

struct TControle {
  const char* Nom;
  const char* Parent;
  int Left, Top, Width, Height;  // width and height 0: sized to its text
  const char* Texte;             // caption or default text
  int Ordre_Tab;                 // -1: not a tab stop
  bool Cache = false;            // hidden until it has something to show
};

struct TForm1 {
  int Left, Top;
  int Largeur_Client, Hauteur_Client;  // the outer size, 859 x 540, comes from the frame
  const char* Titre;
  const char* Police;
  int Points;
};

inline constexpr TForm1 Form1{198, 114, 851, 506, textes::Titre_Form1, "MS Sans Serif", 8};

// In creation order: the grid, then the panel and what it holds, then the warnings.
// A label comes just before the edit it names: Windows names an edit after the static before it.
inline constexpr std::array<TControle, 9> Controles{{
    {"StringGridRecap", "Form1", 0, 97, 851, 409, "", 0},
    {"Panel1", "Form1", 0, 0, 851, 97, "", 1},
    {"LabelFichierTrouve", "Panel1", 536, 8, 0, 0, "", -1},
    {"LabelResume", "Panel1", 536, 32, 307, 57, "", -1},  // three lines, wrapped
    {"Label1", "Panel1", 32, 8, 0, 0, textes::Libelle_Chemin, -1},
    {"EditChemin_Dossier", "Panel1", 184, 8, 329, 21, textes::Dossier_Defaut, 0},
    {"LabeledEdit_Mois", "Panel1", 32, 56, 121, 21, "", 1},
    {"Button_Calc_Recap", "Panel1", 288, 48, 201, 25, textes::Bouton_Calculer, 2},
    // Between the panel and the grid, which gives up its height while it shows: three lines,
    // scrolling when there are more.
    {"LabelAvertissements", "Form1", 0, 97, 851, 45, "", -1, true},
}};

// Under the folder check's text, before the summary: its designed line of 13 pixels at 8, the
// summary at 32.
inline constexpr int Ecart_Sous_Controle = 11;

// The caption label of LabeledEdit_Mois, above the edit and left-aligned with it.
struct TEtiquette {
  const char* Texte;
  int Width, Height;
  int Espace;  // between the label's bottom and the edit's top
};
inline constexpr TEtiquette Etiquette_Mois{textes::Libelle_Mois, 68, 13, 3};

// The recap grid.
struct TGrille {
  int Colonnes, Lignes, Colonnes_Fixes, Lignes_Fixes;
  std::array<int, 5> Largeurs;
  int Hauteur_Ligne;
  int Epaisseur_Traits;
};
inline constexpr TGrille Grille{5, 5, 1, 1, {64, 290, 172, 175, 139}, 24, 1};

// Colours the window adds to the system's.
struct TCouleur {
  int Rouge, Vert, Bleu;
};
inline constexpr TCouleur Couleur_Erreur{0xC0, 0x00, 0x00};      // the warnings' text, on the button face
inline constexpr TCouleur Couleur_A_Signaler{0xFF, 0xF2, 0xCC};  // a grid row to be checked

// The control of that name, looked up while compiling: a wrong name does not build.
consteval const TControle& Controle(std::string_view nom) {
  for (const TControle& c : Controles)
    if (nom == c.Nom) return c;
  throw "contrôle inconnu";
}

}  // namespace description
