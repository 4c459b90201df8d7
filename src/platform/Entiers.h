// Integer texts: the rules by which the text of a field or of a memo line reads as an integer.
#pragma once

#include <cstdint>
#include <string_view>

namespace plateforme {

// Leading blanks, then a signed decimal in 32 bits or an unsigned hexadecimal ($, x, X, 0x, 0X)
// of at most eight digits read as a 32-bit pattern.
// Raises EKorvex "'<texte>' n'est pas une valeur entière correcte".
int32_t Texte_Vers_Entier(std::string_view texte);

}  // namespace plateforme
