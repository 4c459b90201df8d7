#include "recap/Avertissements.h"

#include "platform/Textes.h"

namespace recap {

std::string Texte_Avertissements(const TAvertissements& Avertissements) {
  std::string texte = Avertissements.Non_Comptes > 0 ? textes::Bulletins_Non_Comptes(Avertissements.Non_Comptes) : "";
  for (const std::string& a : Avertissements) texte += (texte.empty() ? "" : "\n") + a;
  return texte;
}

bool Mois_Incertain(const TAvertissements& Avertissements, const std::string& Mois) {
  for (const TOmission& o : Avertissements.Omissions)
    if (!o.Mois || *o.Mois == Mois) return true;
  return false;
}

}  // namespace recap
