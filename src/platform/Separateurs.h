// The process-wide decimal and thousands separators, as the user's regional settings give them.
#pragma once

namespace plateforme {

char32_t DecimalSeparator();
char32_t ThousandSeparator();
void Fixer_Separateurs(char32_t decimal, char32_t milliers);

// Reads both separators again from the user's locale: the first character of each,
// "." and "," when the locale gives none. On POSIX the locale comes from LC_ALL, LC_NUMERIC
// and LANG; on Windows from the user's regional settings.
void Lire_Separateurs_Utilisateur();

}  // namespace plateforme
