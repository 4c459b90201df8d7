// Exact sums of counts of ten-thousandths. A count the decoder accepts is below 2^63 in magnitude,
// a payslip adds at most 899 of them and a dBase table holds at most 2^32 records: their sum stays
// below 2^105, far inside this type, so no sum of amounts can wrap.
#pragma once

#include <cstdint>
#include <string>

namespace plateforme {

__extension__ typedef __int128 TSomme_Exacte;

inline TSomme_Exacte Valeur_Absolue(TSomme_Exacte Valeur) { return Valeur < 0 ? -Valeur : Valeur; }

// Its decimal digits, "-" before a negative one.
std::string Texte_Entier(TSomme_Exacte Valeur);

// The extended amount of an exact count of ten-thousandths, rounded once: for a count that fits
// in 64 bits, the decoder's own amount.
inline long double Montant_Exact(TSomme_Exacte Dix_Milliemes) {
  return static_cast<long double>(Dix_Milliemes) / 10000.0L;
}

}  // namespace plateforme
