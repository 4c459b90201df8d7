#include "recap/Vues_Salaries.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "platform/Textes.h"
#include "recap/Periode.h"
#include "recap/Recap.h"

namespace recap {

namespace {

// An amount not known (a payslip damage left out) is an empty cell, never a 0.
TLigne_Tableau Ligne_Pied(const char* texte, std::optional<TSomme_Exacte> montant, size_t colonnes) {
  TLigne_Tableau ligne;
  ligne.Cellules.push_back(Cellule_Texte(""));
  ligne.Cellules.push_back(Cellule_Texte(texte));
  ligne.Cellules.resize(colonnes - 1);
  ligne.Cellules.push_back(montant ? Cellule_Montant(plateforme::Montant_Exact(*montant)) : TCellule{TGenre_Cellule::Montant, "", 0});
  ligne.Pied = true;
  return ligne;
}

}  // namespace

std::optional<TVue_Bulletin> Lire_Bulletin(const std::string& Chemin, int64_t Enregistrement, const TAfficherMessage& Message) {
  // Every month's totals, for the net of the payslip's month: its recap's rows.
  std::map<int, TTAB_VALEURS> totaux;
  std::optional<TVue_Bulletin> vue;
  const auto choix = [](std::string_view debut_mois) { return Rang_Mois(debut_mois); };
  const auto garder = [&](int mois, const TBulletin& bulletin) {
    TTAB_VALEURS& siens = totaux[mois];
    for (const int r : bulletin.Rubriques()) siens[r] += Montant_De(bulletin.Compte(r));
    if (bulletin.Enregistrement != Enregistrement) return;
    vue.emplace();
    vue->Paie = Paie_Decodee(mois, bulletin);
  };
  auto avertissements = Lire_Bulletins(Chemin, choix, garder, Message);
  if (!avertissements) return std::nullopt;
  if (!vue) {
    // Left out by damage: shown with what is known of it and the warning that says why.
    const auto omis = std::find_if(avertissements->Omissions.begin(), avertissements->Omissions.end(), [&](const TOmission& o) {
      return o.Premier != 0 && o.Premier <= Enregistrement && Enregistrement <= o.Dernier;
    });
    if (omis == avertissements->Omissions.end()) {
      Message(textes::Bulletin_Introuvable(Enregistrement));
      return std::nullopt;
    }
    vue.emplace();
    vue->Dossier = Chemin;
    vue->Non_Compte = true;
    vue->Paie.Enregistrement = Enregistrement;
    vue->Paie.Champs = omis->Champs.value_or(TChamps_Bulletin{});
    vue->Mois = omis->Mois.value_or(textes::Mois_Illisible);
    vue->Avertissements = std::move(*avertissements);
    vue->Date_Heure = std::time(nullptr);
    return vue;
  }
  vue->Dossier = Chemin;
  vue->Mois = Texte_Mois(vue->Paie.Choix);
  const TClasses classes(Chemin);
  for (const auto& [r, compte] : vue->Paie.Comptes) {
    const auto k = static_cast<size_t>(r);
    vue->Lignes.push_back({r, classes.Libelle[k], classes.Colonne[k], Montant_De(compte)});
  }
  vue->Montants = Gains_Retenues(vue->Paie, classes, totaux[vue->Paie.Choix]);
  vue->Avertissements = std::move(*avertissements);
  vue->Date_Heure = std::time(nullptr);
  return vue;
}

TTableau Tableau_Bulletin(const TVue_Bulletin& Vue) {
  TTableau t;
  const long long n = Vue.Paie.Enregistrement;
  t.Titre = textes::Titre_Bulletin(n, Texte_Identite(Vue.Paie.Champs), Vue.Mois);
  t.Designation = textes::Designation_Bulletin;
  t.Nom_Feuille = textes::Nom_Feuille_Bulletin(n);
  t.Nom_Fichier = textes::Nom_Fichier_Bulletin(n);
  t.Nom_Document = t.Titre;
  t.Dossier = Vue.Dossier;
  t.Date_Heure = Vue.Date_Heure;
  t.Nom_Rangee = textes::Nom_Rangee_Rubrique;
  t.Colonnes_Nom = 2;
  t.Colonnes = {{textes::Entetes_Grille[0], 64, 0.12},
                {textes::Entetes_Grille[1], 250, 0.48},
                {textes::Entete_Colonne, 90, 0.18},
                {textes::Entete_Montant, 110, 0.22}};
  for (const TLigne_Bulletin& l : Vue.Lignes) {
    TLigne_Tableau ligne;
    ligne.Cellules = {Cellule_Entier(l.Rubrique), Cellule_Texte(l.Libelle), Cellule_Texte(textes::Entetes_Grille[l.Colonne]),
                      Cellule_Montant(l.Montant)};
    t.Lignes.push_back(std::move(ligne));
  }
  const std::optional<TGains_Retenues> montants = Vue.Non_Compte ? std::nullopt : std::optional(Vue.Montants);
  t.Lignes.push_back(Ligne_Pied(textes::Ligne_Gains, montants ? std::optional(montants->Gains) : std::nullopt, t.Colonnes.size()));
  t.Lignes.push_back(Ligne_Pied(textes::Ligne_Retenues, montants ? std::optional(montants->Retenues) : std::nullopt, t.Colonnes.size()));
  t.Lignes.push_back(Ligne_Pied(textes::Ligne_Net, montants ? std::optional(montants->Net()) : std::nullopt, t.Colonnes.size()));
  t.Avertissements = Vue.Avertissements;
  return t;
}

std::optional<TEcarts> Ecarts_Par_Salarie(const std::string& Chemin, const std::string& Mois, const std::string& Reference,
                                          int Rubrique, const TAfficherMessage& Message) {
  auto deux = Lire_Deux_Mois(Chemin, Mois, Reference, Message);
  if (!deux) return std::nullopt;
  TEcarts e;
  e.Dossier = Chemin;
  e.Mois = deux->Mois;
  e.Reference = deux->Reference;
  e.Rubrique = Rubrique;
  e.Noms_Champs = deux->Lues.Noms_Champs;
  std::map<std::string, size_t> lignes;
  std::map<size_t, bool> mois_vu;  // by row: a payslip of the month was met
  for (const TPaie& p : deux->Lues.Paies) {
    const auto compte = p.Compte(Rubrique);
    if (!compte) continue;
    (p.Choix == Choix_Mois ? e.Total : e.Total_Reference) += Montant_De(*compte);
    // A payslip that cannot be told apart has a row of its own.
    const auto cle = Cle_Salarie(p.Champs);
    const auto [place, nouvelle] = lignes.emplace(cle ? "=" + *cle : "#" + std::to_string(p.Enregistrement), e.Lignes.size());
    if (nouvelle) e.Lignes.push_back({p.Enregistrement, p.Champs, 0, 0});
    TLigne_Ecart& l = e.Lignes[place->second];
    // The month's first payslip stands for the employee, as the controls name them.
    if (p.Choix == Choix_Mois && !std::exchange(mois_vu[place->second], true)) l.Enregistrement = p.Enregistrement;
    (p.Choix == Choix_Mois ? l.Compte_Mois : l.Compte_Reference) += *compte;
  }
  for (long double* total : {&e.Total, &e.Total_Reference})
    if (std::fabs(*total) <= Seuil_Negligeable) *total = 0;
  std::stable_sort(e.Lignes.begin(), e.Lignes.end(), [](const TLigne_Ecart& a, const TLigne_Ecart& b) {
    return plateforme::Valeur_Absolue(a.Compte_Mois - a.Compte_Reference) >
           plateforme::Valeur_Absolue(b.Compte_Mois - b.Compte_Reference);
  });
  TRubriques rubriques(Chemin);
  if (rubriques.Aller(Rubrique)) e.Libelle = rubriques.Libelle();
  e.Avertissements = std::move(deux->Lues.Avertissements);
  e.Date_Heure = std::time(nullptr);
  return e;
}

TTableau Tableau_Ecarts(const TEcarts& E) {
  TTableau t;
  t.Titre = textes::Titre_Ecarts(E.Rubrique, E.Libelle, E.Mois, E.Reference);
  t.Designation = textes::Designation_Ecarts;
  t.Nom_Feuille = textes::Nom_Feuille_Ecarts(E.Rubrique);
  t.Nom_Fichier = textes::Nom_Fichier_Ecarts(E.Rubrique, E.Mois);
  t.Nom_Document = t.Titre;
  t.Dossier = E.Dossier;
  t.Date_Heure = E.Date_Heure;
  t.Nom_Rangee = textes::Nom_Rangee_Enregistrement;
  t.Colonnes_Nom = 1 + static_cast<int>(E.Noms_Champs.size());
  const double part = E.Noms_Champs.empty() ? 0 : 0.40 / static_cast<double>(E.Noms_Champs.size());
  t.Colonnes = {{textes::Entete_Enregistrement, 70, 0.12}};
  for (const std::string& nom : E.Noms_Champs) t.Colonnes.push_back({nom, 150, part});
  t.Colonnes.push_back({E.Reference, 110, 0.16});
  t.Colonnes.push_back({E.Mois, 110, 0.16});
  t.Colonnes.push_back({textes::Entete_Ecart, 110, 0.16});
  for (const TLigne_Ecart& l : E.Lignes) {
    TLigne_Tableau ligne;
    ligne.Cellules.push_back(Cellule_Entier(l.Enregistrement));
    for (size_t i = 0; i < E.Noms_Champs.size(); ++i)
      ligne.Cellules.push_back(Cellule_Texte(i < l.Identite.size() ? l.Identite[i].second : ""));
    ligne.Cellules.push_back(Cellule_Montant(plateforme::Montant_Exact(l.Compte_Reference)));
    ligne.Cellules.push_back(Cellule_Montant(plateforme::Montant_Exact(l.Compte_Mois)));
    ligne.Cellules.push_back(Cellule_Montant(plateforme::Montant_Exact(l.Compte_Mois - l.Compte_Reference)));
    t.Lignes.push_back(std::move(ligne));
  }
  TLigne_Tableau total;
  total.Cellules.push_back(Cellule_Texte(textes::Ligne_Total));
  total.Cellules.resize(E.Noms_Champs.size() + 1);
  total.Cellules.push_back(Cellule_Montant(E.Total_Reference));
  total.Cellules.push_back(Cellule_Montant(E.Total));
  total.Cellules.push_back(Cellule_Montant(E.Total - E.Total_Reference));
  total.Pied = true;
  t.Lignes.push_back(std::move(total));
  t.Resume = {textes::Compte_Salaries(E.Lignes.size())};
  t.Avertissements = E.Avertissements;
  return t;
}

}  // namespace recap
