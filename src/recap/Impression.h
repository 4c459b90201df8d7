// The printed recap: the grid laid out once as pages of placed texts and rules, which each
// window only draws (QPainter, GDI). Every length is in points (1/72 inch), from the top-left
// corner of the paper; y grows downwards.
#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "recap/Recap.h"
#include "recap/Fenetre.h"
#include "recap/Resume.h"
#include "recap/Tableau.h"

namespace recap {

// What a text is, which gives its font (Police_De).
enum class TRole { Titre, Entete, Resume, Avertissement, Colonne, Corps, Pied };

struct TTexte_Imprime {
  std::string Texte;
  double X = 0, Y = 0;  // Y is the baseline
  TAlignement Alignement = TAlignement::Gauche;
  TRole Role = TRole::Corps;
};

struct TTrait {
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  double Epaisseur = 0;
};

struct TPage_Imprimee {
  std::vector<TTexte_Imprime> Textes;
  std::vector<TTrait> Traits;
};

inline constexpr double Points_Par_Millimetre = 72.0 / 25.4;

// The paper as the print dialog leaves it; A4 portrait with margins of 15 mm unless it says
// otherwise.
struct TFormat_Page {
  double Largeur = 210 * Points_Par_Millimetre;
  double Hauteur = 297 * Points_Par_Millimetre;
  double Marge = 15 * Points_Par_Millimetre;
};

// The calculation the grid comes from, as printed at the top of the pages.
struct TEntete_Impression {
  std::string Dossier, Mois, Date_Heure;
  std::vector<std::string> Resume;  // under the title of the first page
  std::vector<std::string> Avertissements;  // under the summary, wrapped, over as many pages as they need
};

// Fonts: one family (metric twins elsewhere: Liberation Sans), a size and a weight per role.
inline constexpr const char* Famille_Police = "Arial";
struct TPolice {
  double Taille = 9;  // points
  bool Gras = false;
};
TPolice Police_De(TRole role);

// Width in points of a text in the font of its role, as the device will draw it.
using TMesure = std::function<double(TRole, const std::string&)>;

// The pages of the grid's rows (1 to RowCount - 1), never a row across two pages, the column
// headers at the top of every page. Raises plateforme::EKorvex when the paper cannot hold the
// page header and one row.
std::vector<TPage_Imprimee> Mettre_En_Pages(const TGrille& Grille, const TEntete_Impression& Entete,
                                            const TFormat_Page& Format, const TMesure& Mesure);

// The header of the pages of the calculation the grid shows, its summary in the grid's number
// format, and its warnings.
TEntete_Impression Entete_Impression(const TDernier_Calcul& Dernier);

// The date and time of a calculation as the pages give it, in local time: 29/02/2024 14:05.
std::string Texte_Date_Heure(std::time_t instant);

}  // namespace recap
