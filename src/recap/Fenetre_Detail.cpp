#include "recap/Fenetre_Detail.h"

#include "platform/Textes.h"

namespace recap {

std::optional<TDetail> Clic_Detail(const TDernier_Calcul& Dernier, int Rubrique, const TBoitesMessages& Boites,
                                   const TCurseur& Curseur) {
  if (!Grille_A_Jour(Dernier)) return std::nullopt;
  std::optional<TDetail> detail;
  const TBoitesMessages boites = Boites_Curseur_Normal(Boites, Curseur);
  Sous_Garde(boites, [&] {
    const auto attente = Curseur(true);
    detail = Detailler(Dernier.Calcul->Dossier, Dernier.Calcul->Mois, Rubrique, boites.Message);
    const TCalcul& calcul = *Dernier.Calcul;
    if (detail && calcul.Totaux && calcul.Empreintes)
      Verifier_Calcul(*detail, (*calcul.Totaux)[Rubrique], (*calcul.Empreintes)[static_cast<size_t>(Rubrique)]);
  });
  return detail;
}

std::string Texte_Resume(const TDetail& Detail) {
  return textes::Resume_Bulletins(static_cast<int>(Detail.Bulletins.size()));
}

TEtat_Commandes Etat_Commandes(const TDetail&) { return {true, false}; }

}  // namespace recap
