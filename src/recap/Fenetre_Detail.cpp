#include "recap/Fenetre_Detail.h"

namespace recap {

std::optional<TDetail> Clic_Detail(const TDernier_Calcul& Dernier, const TTAB_VALEURS& TOT_RUB, int Rubrique,
                                   const TBoitesMessages& Boites, const TCurseur& Curseur) {
  if (!Grille_A_Jour(Dernier)) return std::nullopt;
  std::optional<TDetail> detail;
  const TBoitesMessages boites = Boites_Curseur_Normal(Boites, Curseur);
  Sous_Garde(boites, [&] {
    const auto attente = Curseur(true);
    detail = Detailler(Dernier.Calcul->Dossier, Dernier.Calcul->Mois, Rubrique, boites.Message);
    if (detail) Verifier_Total_Grille(*detail, TOT_RUB[Rubrique]);
  });
  return detail;
}

std::string Texte_Resume(const TDetail& Detail) {
  const auto resume = Tableau_Detail(Detail).Resume;
  return resume.empty() ? std::string() : resume.front();
}

TEtat_Commandes Etat_Commandes(const TDetail&) { return {true, false}; }

}  // namespace recap
