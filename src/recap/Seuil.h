// When a figure has moved enough to be checked: one rule for the comparison and the controls,
// on exact values, and the percentage shown so that it agrees with the rule.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Sommes.h"
#include "recap/Tableau.h"

namespace recap {

using plateforme::TSomme_Exacte;

// A threshold in % as typed: its value in ten-thousandths of a percent, and the decimals typed
// (up to four), which the percentages shown beside it take.
struct TSeuil {
  int64_t Dix_Milliemes = 100000;
  int Decimales = 0;
  bool operator==(const TSeuil&) const = default;
};
inline constexpr TSeuil Seuil_Defaut{100000, 0};

// A threshold as the user types it: "12,5", "12.5", "10 %"; nothing when it is not a number or
// below zero.
std::optional<TSeuil> Lire_Seuil(std::string_view Texte);
// As the user typed it, with the given decimal separator: "10", "12,5".
std::string Texte_Seuil(const TSeuil& Seuil, char32_t Separateur);
// Its value, for JSON.
double Valeur_Seuil(const TSeuil& Seuil);

// Whether a move from Avant to Apres, both in ten-thousandths, reaches the threshold: it is not
// nil and |Apres - Avant| x 100 >= Seuil x |Avant|, exactly. From nil, any move does.
bool Atteint_Seuil(TSomme_Exacte Avant, TSomme_Exacte Apres, const TSeuil& Seuil);

// The move in % of |Avant|, cut toward zero to the threshold's decimals (one at least), so that
// the figure shown reaches the threshold exactly when the move does; an empty cell from nil.
TCellule Cellule_Variation(TSomme_Exacte Avant, TSomme_Exacte Apres, const TSeuil& Seuil);

// A total as the grid shows it (15 significant digits), in exact ten-thousandths: what the user
// reads is what the comparison measures.
TSomme_Exacte Dix_Milliemes_Affiches(long double Total);

}  // namespace recap
