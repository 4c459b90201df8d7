#include "recap/Paies.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "platform/Caracteres.h"
#include "platform/Separateurs.h"

namespace recap {

std::optional<int64_t> TPaie::Compte(int rubrique) const {
  const auto trouve = std::lower_bound(Comptes.begin(), Comptes.end(), std::make_pair(rubrique, INT64_MIN));
  if (trouve == Comptes.end() || trouve->first != rubrique) return std::nullopt;
  return trouve->second;
}

std::optional<TPaies_Lues> Lire_Paies(const std::string& Chemin, const TChoix& Choix, const TAfficherMessage& Message) {
  TPaies_Lues lues;
  bool noms_lus = false;
  const auto garder = [&](int choix, const TBulletin& bulletin) {
    TPaie paie;
    paie.Enregistrement = bulletin.Enregistrement;
    paie.Choix = choix;
    paie.Champs = bulletin.Champs();
    if (!noms_lus) {
      for (const auto& champ : paie.Champs) lues.Noms_Champs.push_back(champ.first);
      noms_lus = true;
    }
    for (const int r : Rubriques_Decodees()) paie.Comptes.emplace_back(r, Compte_Decode(r));
    std::sort(paie.Comptes.begin(), paie.Comptes.end());
    lues.Paies.push_back(std::move(paie));
  };
  auto avertissements = Lire_Bulletins(Chemin, Choix, garder, Message);
  if (!avertissements) return std::nullopt;
  lues.Avertissements = std::move(*avertissements);
  return lues;
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

int64_t Net_Paie(const TPaie& Paie, const TClasses& Classes, const TTAB_VALEURS& Totaux) {
  int64_t net = 0;
  for (const auto& [r, compte] : Paie.Comptes) {
    if (std::fabs(Totaux[r]) <= Seuil_Negligeable) continue;
    const int colonne = Classes.Colonne[static_cast<size_t>(r)];
    if (colonne == Colonne_Gains) net += compte;
    if (colonne == Colonne_Retenues) net -= compte;
  }
  return net;
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
