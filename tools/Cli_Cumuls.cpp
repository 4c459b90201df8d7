#include "Cli_Cumuls.h"


#include "Execution_Cli.h"
#include "platform/Textes.h"
#include "recap/Cumuls.h"
#include "recap/Json.h"

namespace cli {

int Executer_Cumuls(const TDemande_Cumuls& Demande) {
  return Executer_Calcul([&](const recap::TAfficherMessage& message) -> std::optional<TResultat> {
    const auto cumuls = recap::Cumuler(Demande.Dossier, Demande.Periode, message);
    if (!cumuls) return std::nullopt;
    const std::string json = Demande.Format == TFormat_Tableau::Json ? recap::Json_Cumuls(*cumuls) : "";
    return TResultat{Sortie_Tableau(Demande.Format, recap::Tableau_Cumuls(*cumuls), json, Demande.Fichier), cumuls->Avertissements};
  });
}

}  // namespace cli
