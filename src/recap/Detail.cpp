#include "recap/Detail.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "KORVEX_procs.h"
#include "platform/Caracteres.h"
#include "platform/Erreurs.h"
#include "platform/Textes.h"
#include "recap/Recap.h"
#include "recap/Resume.h"

namespace recap {

namespace {

// The payslips of the month that store the rubric, added in the table's order as the recap adds
// them, so that the total is the recap's to the last bit.
std::optional<TAvertissements> Lire_Detail(TDetail& detail, const TAfficherMessage& Message) {
  const auto choix = [&](std::string_view debut_mois) -> std::optional<int> {
    if (detail.Periode ? Dans_Periode(*detail.Periode, debut_mois) : debut_mois == detail.Mois) return 0;
    return std::nullopt;
  };
  bool noms_lus = false;
  const auto garder = [&](int, const TBulletin& bulletin) {
    if (!noms_lus) {
      for (const auto& champ : bulletin.Champs()) detail.Noms_Champs.push_back(champ.first);
      noms_lus = true;
    }
    if (!bulletin.Stocke(detail.Rubrique)) return;
    const int64_t compte = bulletin.Compte(detail.Rubrique);
    const long double montant = Montant_De(compte);
    detail.Bulletins.push_back({bulletin.Enregistrement, bulletin.Champs(), montant});
    detail.Total += montant;
    detail.Empreinte += Empreinte_Montant(bulletin.Enregistrement, compte);
  };
  return Lire_Bulletins(detail.Dossier, choix, garder, Message);
}

void Lire_Rubrique(TDetail& detail) {
  TRubriques rubriques(detail.Dossier);
  if (!rubriques.Aller(detail.Rubrique)) return;
  detail.Libelle = rubriques.Libelle();
  detail.Colonne = rubriques.Colonne();
}

TLigne_Tableau Ligne_Bulletin(const TBulletin_Detail& bulletin, size_t champs) {
  TLigne_Tableau ligne;
  ligne.Cellules.push_back(Cellule_Entier(bulletin.Enregistrement));
  for (size_t i = 0; i < champs; ++i)
    ligne.Cellules.push_back(Cellule_Texte(i < bulletin.Champs.size() ? bulletin.Champs[i].second : ""));
  ligne.Cellules.push_back(Cellule_Montant(bulletin.Montant));
  return ligne;
}

TLigne_Tableau Ligne_Total(const TDetail& detail) {
  TLigne_Tableau ligne;
  ligne.Cellules.push_back(Cellule_Texte(textes::Ligne_Total));
  ligne.Cellules.resize(detail.Noms_Champs.size() + 1);
  ligne.Cellules.push_back(Cellule_Montant(detail.Total));
  ligne.Pied = true;
  return ligne;
}

std::vector<TColonne> Colonnes_Detail(const TDetail& detail) {
  // The identity of the payslips takes the room the record and the amount leave.
  const double part_champ = detail.Noms_Champs.empty() ? 0 : 0.68 / static_cast<double>(detail.Noms_Champs.size());
  std::vector<TColonne> colonnes{{textes::Entete_Enregistrement, 70, 0.12}};
  for (const std::string& nom : detail.Noms_Champs) colonnes.push_back({nom, 160, part_champ});
  colonnes.push_back({textes::Entete_Montant, 110, 0.20});
  return colonnes;
}

}  // namespace

std::optional<TDetail> Detailler(const std::string& Chemin, const std::string& Mois, int Rubrique,
                                 const TAfficherMessage& Message, const std::optional<TPeriode>& Periode) {
  if (Rubrique < TTAB_VALEURS::Premier || Rubrique > TTAB_VALEURS::Dernier)
    throw plateforme::EKorvex(textes::Rubrique_Incorrecte(std::to_string(Rubrique)));
  TDetail detail;
  detail.Dossier = Chemin;
  detail.Mois = Sans_Blancs(Mois);
  detail.Periode = Periode;
  detail.Rubrique = Rubrique;
  if (plateforme::Nombre_Caracteres(detail.Mois) != 7) {
    Message(textes::Mois_Incorrect);
    return std::nullopt;
  }
  auto avertissements = Lire_Detail(detail, Message);
  if (!avertissements) return std::nullopt;
  detail.Avertissements = std::move(*avertissements);
  Lire_Rubrique(detail);
  detail.Date_Heure = std::time(nullptr);
  return detail;
}

bool Verifier_Calcul(TDetail& Detail, long double Total, uint64_t Empreinte) {
  if (Memes_Bits(Detail.Total, Total) && Detail.Empreinte == Empreinte) return true;
  Avertir_Bulletins_Changes(Detail.Avertissements);
  return false;
}

std::string Mois_Affiche(const TDetail& Detail) {
  if (!Detail.Periode) return Detail.Mois;
  return textes::Periode_Affichee(Texte_Mois(Detail.Periode->Debut), Texte_Mois(Detail.Periode->Fin));
}

std::string Mois_Pour_Nom(const TDetail& Detail) {
  if (!Detail.Periode) return Detail.Mois;
  return Texte_Mois(Detail.Periode->Debut) + "_" + Texte_Mois(Detail.Periode->Fin);
}

TTableau Tableau_Detail(const TDetail& Detail) {
  TTableau t;
  t.Designation = textes::Designation_Detail;
  t.Nom_Rangee = textes::Nom_Rangee_Enregistrement;
  t.Colonnes_Nom = 1;
  t.Titre = textes::Titre_Detail(Detail.Rubrique, Detail.Libelle, Mois_Affiche(Detail));
  t.Nom_Feuille = textes::Nom_Feuille_Detail(Detail.Rubrique, Mois_Pour_Nom(Detail));
  t.Nom_Fichier = Nom_Fichier_Sur(textes::Nom_Fichier_Detail(Detail.Rubrique, Mois_Pour_Nom(Detail)));
  t.Dossier = Detail.Dossier;
  t.Date_Heure = Detail.Date_Heure;
  t.Colonnes = Colonnes_Detail(Detail);
  for (const auto& b : Detail.Bulletins) t.Lignes.push_back(Ligne_Bulletin(b, Detail.Noms_Champs.size()));
  t.Lignes.push_back(Ligne_Total(Detail));
  t.Resume = {textes::Resume_Bulletins(static_cast<int>(Detail.Bulletins.size()))};
  t.Avertissements = Detail.Avertissements;
  return t;
}

}  // namespace recap
