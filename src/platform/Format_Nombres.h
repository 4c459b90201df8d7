// Numbers written as text, as the recap grid shows its totals.
#pragma once

#include <string>

namespace plateforme {

// General format with 15 significant digits.
std::string Format_General(long double valeur, char32_t separateur_decimal);

}  // namespace plateforme
