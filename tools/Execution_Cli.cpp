#include "Execution_Cli.h"

#include <cstdio>

#include "platform/Console.h"
#include "platform/Erreurs.h"
#include "platform/Textes.h"

namespace cli {

int Executer_Calcul(const TCalcul_Cli& Calcul) {
  bool message_montre = false;
  const auto message = [&](const std::string& texte) {
    message_montre = true;
    plateforme::Ecrire_Console(stderr, texte + "\n");
  };
  const auto erreur = [](const std::string& texte) { plateforme::Ecrire_Console(stderr, texte + "\n"); };
  std::optional<TResultat> resultat;
  const bool reussi = plateforme::Executer_Sous_Garde(erreur, [&] { resultat = Calcul(message); });
  if (!reussi) return Sortie_Erreur;
  if (message_montre || !resultat) return Sortie_Message;
  if (!plateforme::Ecrire_Console(stdout, resultat->Sortie)) {
    erreur(textes::Cli_Ecriture_Impossible);
    return Sortie_Erreur;
  }
  // After the output, so that a script reading both streams sees the figures they qualify.
  for (const std::string& a : resultat->Avertissements) erreur(a);
  if (!resultat->Avertissements.empty()) return Sortie_Avertissements;
  return resultat->Anomalies ? Sortie_Anomalies : Sortie_Succes;
}

}  // namespace cli
