// Amount texts: the signed count of ten-thousandths that a text of a payslip's memo stands for.
#pragma once

#include <cstdint>
#include <string_view>

namespace plateforme {

// With the current decimal separator: the signed count of ten-thousandths, rounded half to even
// from the exact decimal value.
// Raises EKorvex "'<texte>' n'est pas une valeur en virgule flottante correcte".
int64_t Texte_Vers_Montant(std::string_view texte);

// The same with a given decimal separator, for callers that read it once for many texts.
int64_t Texte_Vers_Montant(std::string_view texte, char32_t separateur_decimal);

}  // namespace plateforme
