#include "Cli_Controles.h"

#include <charconv>

#include "Execution_Cli.h"
#include "platform/Textes.h"
#include "recap/Json.h"
#include "recap/Vues_Salaries.h"

namespace cli {

int Executer_Controles(const TDemande_Personnes& Demande, const recap::TDemande_Controles& Controles) {
  return Executer_Calcul([&](const recap::TAfficherMessage& message) -> std::optional<TResultat> {
    const auto c = recap::Controler(Controles, message);
    if (!c) return std::nullopt;
    const std::string json = Demande.Format == TFormat_Tableau::Json ? recap::Json_Controles(*c) : "";
    return TResultat{Sortie_Tableau(Demande.Format, recap::Tableau_Controles(*c), json, Demande.Fichier), c->Avertissements, c->Anomalies > 0};
  });
}

int Executer_Bulletin(const TDemande_Personnes& Demande, int64_t Enregistrement) {
  return Executer_Calcul([&](const recap::TAfficherMessage& message) -> std::optional<TResultat> {
    const auto v = recap::Lire_Bulletin(Demande.Dossier, Enregistrement, message);
    if (!v) return std::nullopt;
    const std::string json = Demande.Format == TFormat_Tableau::Json ? recap::Json_Bulletin(*v) : "";
    return TResultat{Sortie_Tableau(Demande.Format, recap::Tableau_Bulletin(*v), json, Demande.Fichier), v->Avertissements};
  });
}

int Executer_Ecarts(const TDemande_Personnes& Demande, const std::string& Mois, const std::string& Reference, int Rubrique) {
  return Executer_Calcul([&](const recap::TAfficherMessage& message) -> std::optional<TResultat> {
    const auto e = recap::Ecarts_Par_Salarie(Demande.Dossier, Mois, Reference, Rubrique, message);
    if (!e) return std::nullopt;
    const std::string json = Demande.Format == TFormat_Tableau::Json ? recap::Json_Ecarts(*e) : "";
    return TResultat{Sortie_Tableau(Demande.Format, recap::Tableau_Ecarts(*e), json, Demande.Fichier), e->Avertissements};
  });
}

std::optional<int64_t> Lire_Enregistrement(const std::string& texte) {
  int64_t n = 0;
  const auto [fin, erreur] = std::from_chars(texte.data(), texte.data() + texte.size(), n);
  if (erreur != std::errc() || fin != texte.data() + texte.size() || n < 1) return std::nullopt;
  return n;
}

}  // namespace cli
