// Number texts: the integer and amount rules, and the general number format.
#pragma once

#include <cstddef>
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

// The same with a given decimal separator, for callers that read it once for many texts.
int64_t Texte_Vers_Montant(std::string_view texte, char32_t separateur_decimal);

// General format with 15 significant digits, as the recap grid shows totals.
std::string Format_General(long double valeur, char32_t separateur_decimal);

// Appends one code point to a UTF-8 string.
void Ajouter_Utf8(std::string& texte, char32_t caractere);

// Writes one code point as UTF-8 into four bytes and returns how many it took;
// a value that is no code point is written as U+FFFD.
size_t Encoder_Utf8(char32_t caractere, char (&octets)[4]);

// Bytes taken by the UTF-8 character at a position (1 to 4); a byte that does not start a
// well-formed character counts as one character of its own.
size_t Taille_Caractere_Utf8(std::string_view texte, size_t position);

}  // namespace plateforme
