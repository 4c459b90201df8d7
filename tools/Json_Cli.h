// The JSON documents of korvex-recap: figures as the grid shows them, text that never costs the
// whole document.
#pragma once

#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

#include "recap/Tableau.h"

namespace cli {

// A figure as a JSON number; a whole one stays whole (2250, not 2250.0).
inline nlohmann::ordered_json Nombre_Json(double valeur) {
  if (valeur == std::trunc(valeur) && std::fabs(valeur) < 0x1p53) return static_cast<int64_t>(valeur);
  return valeur;
}

// An extended total as the grid shows it: its 15 significant digits.
inline nlohmann::ordered_json Montant_Json(long double total) {
  return Nombre_Json(recap::Valeur_Affichee(recap::Cellule_Montant(total)));
}

// A label or a field that is not UTF-8 is replaced, not thrown on.
inline std::string Texte_Json(const nlohmann::ordered_json& document) {
  return document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace cli
