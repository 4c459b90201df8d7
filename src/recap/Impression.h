// A table printed: laid out once as pages of placed texts, rules and shaded rows, which each
// window only draws (QPainter, GDI). Every length is in points (1/72 inch), from the top-left
// corner of the paper; y grows downwards.
#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <vector>

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

// A rectangle filled in light grey under a row to be checked, drawn before the texts.
struct TFond {
  double X = 0, Y = 0, Largeur = 0, Hauteur = 0;
};
inline constexpr double Gris_Fond = 0.85;  // of white: dark enough on a laser printer, light enough to read

// The shapes of a chart, in colour.
struct TCouleur {
  int Rouge = 0, Vert = 0, Bleu = 0;
};
struct TBarre {
  double X = 0, Y = 0, Largeur = 0, Hauteur = 0;
  TCouleur Couleur;
};
struct TSegment {
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  double Epaisseur = 0;
  TCouleur Couleur;
  bool Sous_Barres = false;  // a grid line, under the bars
};

// Drawn in this order: the shaded rows, the segments under the bars, the bars, the rules, the
// other segments, the texts.
struct TPage_Imprimee {
  std::vector<TFond> Fonds;
  std::vector<TTexte_Imprime> Textes;
  std::vector<TTrait> Traits;
  std::vector<TBarre> Barres;
  std::vector<TSegment> Segments;
};

inline constexpr double Points_Par_Millimetre = 72.0 / 25.4;

// The paper: A4 portrait with margins of 15 mm unless it says otherwise.
struct TFormat_Page {
  double Largeur = 210 * Points_Par_Millimetre;
  double Hauteur = 297 * Points_Par_Millimetre;
  double Marge = 15 * Points_Par_Millimetre;
  bool Paysage() const { return Largeur > Hauteur; }
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

// The paper a table is printed on: A4, in portrait when every column holds its header and its
// numbers whole there, else in landscape, where the columns are wider by half. A text cut with
// "…" never turns the page: a number cut would be a wrong figure.
TFormat_Page Format_Tableau(const TTableau& Tableau, const TMesure& Mesure);

// The pages of the table's rows, never a row across two pages, the column headers at the top of
// every page; each column's share of the width is its Part, each cell aligned as its kind
// wants. Title, folder and date head every page, the summary and the warnings the first.
// Raises plateforme::EKorvex when the paper cannot hold the page header and one row.
std::vector<TPage_Imprimee> Mettre_En_Pages(const TTableau& Tableau, const TFormat_Page& Format,
                                            const TMesure& Mesure);

// The date and time of a calculation as the pages give it, in local time: 29/02/2024 14:05.
std::string Texte_Date_Heure(std::time_t instant);

// What the print dialog is asked, and what a PDF is made with: the paper and the document's name.
struct TDemande_Impression {
  TFormat_Page Format;
  std::string Document;  // the job's name for the spooler, the PDF's title
};
TDemande_Impression Demande_Impression(const TTableau& Tableau, const TMesure& Mesure);

}  // namespace recap
