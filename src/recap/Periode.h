// A period of months "mm-aaaa", for a recap over several months.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace recap {

// Months counted from year 0, so that calendar order is the order of the counts.
struct TPeriode {
  int Debut = 0;
  int Fin = 0;
};

// The count of a month written exactly "mm-aaaa" (01 to 12, four-digit year); nothing otherwise.
std::optional<int> Rang_Mois(std::string_view texte);

// The month of a count, written "mm-aaaa".
std::string Texte_Mois(int rang);

// The months from debut to fin, both included; nothing when either is not a month or fin comes
// before debut.
std::optional<TPeriode> Lire_Periode(std::string_view debut, std::string_view fin);

// Whether the first seven characters of a payslip's MOIS are a month of the period.
bool Dans_Periode(const TPeriode& periode, std::string_view debut_mois);

}  // namespace recap
