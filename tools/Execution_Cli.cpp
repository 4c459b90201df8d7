#include "Execution_Cli.h"

#include <cstdio>

#include "platform/Console.h"
#include "platform/Erreurs.h"
#include "platform/Fichiers.h"
#include "platform/Textes.h"
#include "recap/Classeur.h"
#include "recap/Export.h"

namespace cli {

std::string Sortie_Tableau(TFormat_Tableau Format, const recap::TTableau& Tableau, const std::string& Json,
                           const std::string& Fichier) {
  switch (Format) {
    case TFormat_Tableau::Json: return Json;
    case TFormat_Tableau::Classeur: plateforme::Enregistrer_Fichier(Fichier, recap::Contenu_Classeur(Tableau)); return "";
    case TFormat_Tableau::Csv: return recap::Texte_Tableau(Tableau, recap::TFormat_Texte::Csv);
    case TFormat_Tableau::Tabulations: break;
  }
  return recap::Texte_Tableau(Tableau, recap::TFormat_Texte::Tabulations);
}

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
