// The chart of a table that has one (the cumuls): for each category, a month, the gains and the
// retenues as bars and the net as a line, with the values' axis in the user's number format.
// Laid out once for a given place, as the printed pages are, which each window and the printout
// only draw.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "recap/Impression.h"
#include "recap/Tableau.h"

namespace recap {

inline constexpr TCouleur Couleur_Gains{0x2E, 0x75, 0xB6}, Couleur_Retenues{0xC0, 0x50, 0x4D}, Couleur_Net{0x20, 0x20, 0x20},
                          Couleur_Grille{0xC8, 0xC8, 0xC8};

// A table's chart as data: the categories, and a value of each series (TSerie) per category.
struct TDonnees_Graphique {
  std::vector<std::string> Categories;
  std::array<std::vector<long double>, 3> Series;
};
// Nothing when the table has no chart, or none of its rows is a series.
std::optional<TDonnees_Graphique> Donnees_Graphique(const TTableau& Tableau);

// The chart laid out in the rectangle (X, Y, Largeur, Hauteur), y downwards, texts measured by
// Mesure and Hauteur_Texte high: the legend above, the axis on the left with its values, the
// categories under the bars.
TPage_Imprimee Dessiner_Graphique(const TDonnees_Graphique& Donnees, double X, double Y, double Largeur,
                                  double Hauteur, const TMesure& Mesure, double Hauteur_Texte,
                                  char32_t Separateur_Decimal);

// The values of the axis: round steps covering every value and zero.
std::vector<long double> Graduations(long double Minimum, long double Maximum);

}  // namespace recap
