#include "platform/Sommes.h"

#include <algorithm>

namespace plateforme {

std::string Texte_Entier(TSomme_Exacte Valeur) {
  // Digit by digit from the magnitude, unsigned: the most negative value has no opposite.
  unsigned __int128 reste = Valeur < 0 ? 0 - static_cast<unsigned __int128>(Valeur) : static_cast<unsigned __int128>(Valeur);
  std::string texte;
  do {
    texte += static_cast<char>('0' + static_cast<int>(reste % 10));
    reste /= 10;
  } while (reste != 0);
  if (Valeur < 0) texte += '-';
  std::reverse(texte.begin(), texte.end());
  return texte;
}

}  // namespace plateforme
