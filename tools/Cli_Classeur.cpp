#include "Cli_Classeur.h"

#include <ctime>

#include "platform/Fichiers.h"
#include "platform/Textes.h"
#include "recap/Classeur.h"
#include "recap/Resume.h"

namespace cli {

void Ecrire_Classeur(const TDemande_Classeur& Demande, const recap::TGrille& Grille, const TTAB_VALEURS& TOT_RUB,
                     const recap::TBilan_Recap& Bilan) {
  const recap::TCalcul calcul{Demande.Dossier, recap::Sans_Blancs(Demande.Mois), std::time(nullptr),
                              recap::Resumer(Bilan.Bulletins, recap::Lignes_Recap(Grille, TOT_RUB)), Bilan.Avertissements,
                              nullptr, nullptr};
  recap::TTableau tableau = recap::Tableau_Recap(Grille, TOT_RUB, &calcul);
  if (!Demande.Mois_Fin.empty()) {
    tableau.Titre = textes::Titre_Periode(calcul.Mois, Demande.Mois_Fin);
    tableau.Nom_Feuille = textes::Nom_Feuille_Periode(calcul.Mois, Demande.Mois_Fin);
  }
  plateforme::Enregistrer_Fichier(Demande.Fichier, recap::Contenu_Classeur(tableau));
}

}  // namespace cli
