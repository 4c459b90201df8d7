// Number texts: the integer and amount rules, and the general number format.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace plateforme {

// Integer rules: leading blanks, then a signed decimal in 32 bits or an unsigned hexadecimal
// ($, x, X, 0x, 0X) of at most eight digits read as a 32-bit pattern.
// Raises EKorvex "'<texte>' n'est pas une valeur entière correcte".
int32_t Texte_Vers_Entier(std::string_view texte);

// Amount rules with the current decimal separator: the signed count of ten-thousandths,
// rounded half to even from the exact decimal value.
// Raises EKorvex "'<texte>' n'est pas une valeur en virgule flottante correcte".
int64_t Texte_Vers_Montant(std::string_view texte);

// General format with 15 significant digits, as the recap grid shows totals.
std::string Format_General(long double valeur, char32_t separateur_decimal);

// Appends one code point to a UTF-8 string.
void Ajouter_Utf8(std::string& texte, char32_t caractere);

}  // namespace plateforme
