#include "recap/Paies.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "platform/Caracteres.h"
#include "platform/Invariant.h"
#include "platform/Separateurs.h"
#include "platform/Textes.h"
#include "recap/Comparaison.h"
#include "recap/Periode.h"
#include "recap/Recap.h"

namespace recap {

std::optional<TPaies_Lues> Lire_Paies(const std::string& Chemin, const TChoix& Choix, int Choix_Nombre,
                                      const TAfficherMessage& Message) {
  TPaies_Lues lues;
  lues.Totaux.resize(static_cast<size_t>(Choix_Nombre));
  TTotaux_Choix totaux;
  for (TTAB_VALEURS& t : lues.Totaux) totaux.push_back({&t});
  TOptions_Lecture options;
  options.Garder = true;
  auto lu = Totaliser_Bulletins(Chemin, Choix, totaux, Message, options);
  if (!lu) return std::nullopt;
  lues.Paies = std::move(lu->Paies);
  if (!lues.Paies.empty())
    for (const auto& champ : lues.Paies.front().Champs) lues.Noms_Champs.push_back(champ.first);
  lues.Avertissements = std::move(lu->Avertissements);
  return lues;
}

std::optional<TDeux_Mois> Lire_Deux_Mois(const std::string& Chemin, const std::string& Mois, const std::string& Reference,
                                        const TAfficherMessage& Message) {
  TDeux_Mois d;
  d.Mois = Sans_Blancs(Mois);
  if (!Rang_Mois(d.Mois)) {
    Message(textes::Mois_Incorrect);
    return std::nullopt;
  }
  const std::string typee = Sans_Blancs(Reference);
  const int rang = *Rang_Mois(d.Mois);
  const TReference_Lue lue = Lire_Reference({rang, rang}, typee.empty() ? Mois_Precedent(d.Mois).value_or("") : typee);
  if (!lue.Reference) {
    Message(lue.Message);
    return std::nullopt;
  }
  d.Reference = Texte_Mois(lue.Reference->Debut);
  const auto choix = [&d](std::string_view debut_mois) -> std::optional<int> {
    if (debut_mois == d.Mois) return Choix_Mois;
    if (debut_mois == d.Reference) return Choix_Reference;
    return std::nullopt;
  };
  auto lues = Lire_Paies(Chemin, choix, 2, Message);
  if (!lues) return std::nullopt;
  d.Lues = std::move(*lues);
  return d;
}

bool A_Matricule(const TChamps_Bulletin& Champs) {
  return std::any_of(Champs.begin(), Champs.end(), [](const auto& champ) { return champ.first == "MATRICULE"; });
}

std::optional<std::string> Cle_Salarie(const TChamps_Bulletin& Champs) {
  // Values are stored trimmed: a blank one is empty.
  for (const auto& [nom, valeur] : Champs)
    if (nom == "MATRICULE") return valeur.empty() ? std::nullopt : std::optional<std::string>(valeur);
  std::string cle;
  bool renseignee = false;
  for (const auto& champ : Champs) {
    cle += champ.second + '\x1F';
    renseignee = renseignee || !champ.second.empty();
  }
  return renseignee ? std::optional<std::string>(cle) : std::nullopt;
}

std::string Nom_Paie(const TPaie& Paie) {
  if (!Cle_Salarie(Paie.Champs)) return textes::Enregistrement_Sans_Identite(Paie.Enregistrement);
  return Texte_Identite(Paie.Champs);
}

std::string Texte_Identite(const TChamps_Bulletin& Champs) {
  std::string texte;
  for (const auto& champ : Champs)
    if (!champ.second.empty()) texte += (texte.empty() ? "" : " ") + champ.second;
  return texte;
}

TClasses::TClasses(const std::string& Chemin) {
  TRubriques rubriques(Chemin);
  for (int i = TTAB_VALEURS::Premier; i <= TTAB_VALEURS::Dernier; ++i) {
    const auto k = static_cast<size_t>(i);
    Colonne[k] = Colonne_Bases;
    Libelle_Vide[k] = true;
    if (!rubriques.Aller(i)) continue;
    Colonne[k] = rubriques.Colonne();
    Libelle[k] = rubriques.Libelle();
    Libelle_Vide[k] = std::all_of(Libelle[k].begin(), Libelle[k].end(), [](char c) { return c == ' '; });
  }
}

TGains_Retenues Gains_Retenues(const TPaie& Paie, const TClasses& Classes, const TTAB_VALEURS& Totaux) {
  TGains_Retenues g;
  for (const auto& [r, compte] : Paie.Comptes) {
    if (std::fabs(Totaux[r]) <= Seuil_Negligeable) continue;
    const int colonne = Classes.Colonne[static_cast<size_t>(r)];
    if (colonne == Colonne_Gains) g.Gains += compte;
    if (colonne == Colonne_Retenues) g.Retenues += compte;
  }
  // 899 counts of at most 2^63 each: far from the sum's own bounds.
  KORVEX_INVARIANT(plateforme::Valeur_Absolue(g.Gains) <= (TSomme_Exacte{1} << 73) &&
                   plateforme::Valeur_Absolue(g.Retenues) <= (TSomme_Exacte{1} << 73));
  return g;
}

std::string Montant_Texte(TSomme_Exacte Dix_Milliemes) {
  // Rounded to the cent from the exact ten-thousandths, half away from zero, as a payroll rounds.
  const TSomme_Exacte centimes = (plateforme::Valeur_Absolue(Dix_Milliemes) + 50) / 100;
  const std::string entier = plateforme::Texte_Entier(centimes / 100);
  std::string milliers, texte = Dix_Milliemes < 0 && centimes != 0 ? "-" : "";
  plateforme::Ajouter_Utf8(milliers, plateforme::ThousandSeparator());
  for (size_t i = 0; i < entier.size(); ++i) {
    if (i > 0 && (entier.size() - i) % 3 == 0) texte += milliers;
    texte += entier[i];
  }
  plateforme::Ajouter_Utf8(texte, plateforme::DecimalSeparator());
  const int reste = static_cast<int>(centimes % 100);
  return texte + (reste < 10 ? "0" : "") + std::to_string(reste);
}

}  // namespace recap
