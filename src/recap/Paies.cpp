#include "recap/Paies.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "platform/Caracteres.h"
#include "platform/Separateurs.h"
#include "platform/Textes.h"
#include "recap/Comparaison.h"
#include "recap/Periode.h"
#include "recap/Recap.h"

namespace recap {

std::optional<int64_t> TPaie::Compte(int rubrique) const {
  const auto trouve = std::lower_bound(Comptes.begin(), Comptes.end(), std::make_pair(rubrique, INT64_MIN));
  if (trouve == Comptes.end() || trouve->first != rubrique) return std::nullopt;
  return trouve->second;
}

TPaie Paie_Decodee(int Choix, const TBulletin& Bulletin) {
  TPaie paie;
  paie.Enregistrement = Bulletin.Enregistrement;
  paie.Choix = Choix;
  paie.Champs = Bulletin.Champs();
  for (const int r : Rubriques_Decodees()) paie.Comptes.emplace_back(r, Compte_Decode(r));
  std::sort(paie.Comptes.begin(), paie.Comptes.end());
  return paie;
}

std::optional<TPaies_Lues> Lire_Paies(const std::string& Chemin, const TChoix& Choix, const TAfficherMessage& Message) {
  TPaies_Lues lues;
  bool noms_lus = false;
  const auto garder = [&](int choix, const TBulletin& bulletin) {
    const TPaie& paie = lues.Paies.emplace_back(Paie_Decodee(choix, bulletin));
    if (!std::exchange(noms_lus, true))
      for (const auto& champ : paie.Champs) lues.Noms_Champs.push_back(champ.first);
  };
  auto avertissements = Lire_Bulletins(Chemin, Choix, garder, Message);
  if (!avertissements) return std::nullopt;
  lues.Avertissements = std::move(*avertissements);
  return lues;
}

std::optional<TDeux_Mois> Lire_Deux_Mois(const std::string& Chemin, const std::string& Mois, const std::string& Reference,
                                        const TAfficherMessage& Message) {
  TDeux_Mois d;
  d.Mois = Sans_Blancs(Mois);
  if (!Rang_Mois(d.Mois) || d.Mois.size() != 7) {
    Message(textes::Mois_Incorrect);
    return std::nullopt;
  }
  const std::string typee = Sans_Blancs(Reference);
  d.Reference = typee.empty() ? Mois_Precedent(d.Mois).value_or("") : typee;
  if (!Rang_Mois(d.Reference) || d.Reference.size() != 7) {
    Message(textes::Mois_Reference_Pas_Un_Mois);
    return std::nullopt;
  }
  const auto choix = [&d](std::string_view debut_mois) -> std::optional<int> {
    if (debut_mois == d.Mois) return Choix_Mois;
    if (debut_mois == d.Reference) return Choix_Reference;
    return std::nullopt;
  };
  auto lues = Lire_Paies(Chemin, choix, Message);
  if (!lues) return std::nullopt;
  d.Lues = std::move(*lues);
  return d;
}

TTAB_VALEURS Totaux_Paies(const std::vector<TPaie>& Paies, int Choix) {
  TTAB_VALEURS totaux;
  for (const TPaie& p : Paies)
    if (p.Choix == Choix)
      for (const auto& [r, compte] : p.Comptes) totaux[r] += Montant_De(compte);
  return totaux;
}

std::string Cle_Salarie(const TPaie& Paie) {
  if (Paie.Champs.empty()) return "#" + std::to_string(Paie.Enregistrement);
  for (const auto& [nom, valeur] : Paie.Champs)
    if (nom == "MATRICULE") return valeur;
  std::string cle;
  for (const auto& champ : Paie.Champs) cle += champ.second + '\x1F';
  return cle;
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
  return g;
}

std::string Montant_Texte(long double Montant) {
  // Amounts are whole ten-thousandths: rounded to the cent from there, half away from zero, as
  // a payroll rounds, not from the binary value just under a half.
  const long long dix_milliemes = std::llroundl(Montant * 10000.0L);
  const long long centimes = (std::llabs(dix_milliemes) + 50) / 100;
  const std::string entier = std::to_string(centimes / 100);
  std::string milliers, texte = dix_milliemes < 0 && centimes != 0 ? "-" : "";
  plateforme::Ajouter_Utf8(milliers, plateforme::ThousandSeparator());
  for (size_t i = 0; i < entier.size(); ++i) {
    if (i > 0 && (entier.size() - i) % 3 == 0) texte += milliers;
    texte += entier[i];
  }
  plateforme::Ajouter_Utf8(texte, plateforme::DecimalSeparator());
  const long long reste = centimes % 100;
  return texte + (reste < 10 ? "0" : "") + std::to_string(reste);
}

}  // namespace recap
