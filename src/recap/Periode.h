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

// The last month a text "mm-aaaa" can say: 12-9999.
inline constexpr int Rang_Mois_Max = 9999 * 12 + 11;

// The month of a count from 0 to Rang_Mois_Max, written "mm-aaaa".
std::string Texte_Mois(int rang);

// The months as long as Periode from the month Debut on; nothing past 12-9999.
std::optional<TPeriode> Periode_Depuis(const TPeriode& Periode, int Debut);

// Why a reference cannot be compared with the month or period it stands for: the message, when
// it is the same (a payslip then goes to one side only); nothing when it is another.
std::optional<std::string> Refus_Reference(const TPeriode& Mois, const TPeriode& Reference);

// Blanks and control characters removed at both ends: a month as a calculation takes it.
std::string Sans_Blancs(const std::string& texte);

// The months from debut to fin as typed, both included, blanks around them ignored; nothing when
// either is not a month or fin comes before debut.
std::optional<TPeriode> Lire_Periode(std::string_view debut, std::string_view fin);

// The reference typed beside a month or a period (trimmed), the months it stands for, or the
// message that refuses it: not a month mm-aaaa, the month itself, or a period past 12-9999.
struct TReference_Lue {
  std::optional<TPeriode> Reference;
  std::string Message;
};
TReference_Lue Lire_Reference(const TPeriode& Mois, const std::string& Reference);

// Whether the first seven characters of a payslip's MOIS are a month of the period.
bool Dans_Periode(const TPeriode& periode, std::string_view debut_mois);

}  // namespace recap
