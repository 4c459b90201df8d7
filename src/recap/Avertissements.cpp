#include "recap/Avertissements.h"

#include "platform/Textes.h"

namespace recap {

std::string Texte_Avertissements(const TAvertissements& Avertissements) {
  std::string texte = Avertissements.Non_Comptes > 0 ? textes::Bulletins_Non_Comptes(Avertissements.Non_Comptes) : "";
  for (const std::string& a : Avertissements) texte += (texte.empty() ? "" : "\n") + a;
  return texte;
}

}  // namespace recap
