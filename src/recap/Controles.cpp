#include "recap/Controles.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "platform/Textes.h"
#include "recap/Periode.h"
#include "recap/Recap.h"

namespace recap {

namespace {

// The payslips of one side by employee, in the order of their first payslip.
struct TSalaries {
  std::vector<std::string> Ordre;
  std::map<std::string, std::vector<const TPaie*>> Paies;
  void Ajouter(const TPaie& p) {
    auto& siennes = Paies[Cle_Salarie(p)];
    if (siennes.empty()) Ordre.push_back(Cle_Salarie(p));
    siennes.push_back(&p);
  }
  const std::vector<const TPaie*>* Trouver(const std::string& cle) const {
    const auto trouve = Paies.find(cle);
    return trouve == Paies.end() ? nullptr : &trouve->second;
  }
};

struct TLecture {
  TControles& C;
  TPaies_Lues Lues;
  TClasses Classes;
  std::array<TTAB_VALEURS, 2> Totaux;
  std::array<TSalaries, 2> Salaries;
  std::map<int64_t, int64_t> Nets;  // by record, both sides

  void Constater(TControle controle, TNiveau niveau, const TPaie& p, std::string texte,
                 std::optional<long double> montant = std::nullopt) {
    C.Constats.push_back({controle, niveau, p.Enregistrement, p.Champs, std::move(texte), montant});
  }
  int64_t Net_Salarie(const std::vector<const TPaie*>& paies) const {
    int64_t net = 0;
    for (const TPaie* p : paies) net += Nets.at(p->Enregistrement);
    return net;
  }

  void Par_Salarie();
  void Par_Bulletin();
};

// "+20,9 %": the percentage cell's text, signed.
std::string Pourcent_Texte(long double pourcent) {
  const std::string texte = Cellule_Pourcentage(pourcent).Texte;
  return (texte.front() == '-' || texte == Cellule_Pourcentage(0).Texte ? "" : "+") + texte + " %";
}

// Entries, leavers, several payslips, nets that moved: by employee.
void TLecture::Par_Salarie() {
  const TSalaries& mois = Salaries[Choix_Mois];
  const TSalaries& reference = Salaries[Choix_Reference];
  for (const std::string& cle : mois.Ordre)
    if (!reference.Trouver(cle))
      Constater(TControle::Entree, TNiveau::A_Verifier, *mois.Paies.at(cle).front(), textes::Constat_Entree(C.Reference));
  for (const std::string& cle : reference.Ordre)
    if (!mois.Trouver(cle))
      Constater(TControle::Sortie, TNiveau::A_Verifier, *reference.Paies.at(cle).front(),
                textes::Constat_Sortie(C.Reference, C.Mois));
  for (const std::string& cle : mois.Ordre) {
    const auto& paies = mois.Paies.at(cle);
    if (paies.size() < 2) continue;
    std::vector<std::string> enregistrements;
    for (const TPaie* p : paies) enregistrements.push_back(std::to_string(p->Enregistrement));
    Constater(TControle::Doublon, TNiveau::Anomalie, *paies.front(), textes::Constat_Doublon(enregistrements));
  }
  for (const std::string& cle : mois.Ordre) {
    const auto* avant = reference.Trouver(cle);
    if (!avant) continue;
    const int64_t net = Net_Salarie(mois.Paies.at(cle)), net_avant = Net_Salarie(*avant);
    const long double ecart = Montant_De(net - net_avant);
    std::string pourcent;
    if (net_avant != 0) {
      const long double p = 100.0L * static_cast<long double>(net - net_avant) / std::fabs(static_cast<long double>(net_avant));
      if (std::fabs(p) < C.Seuil) continue;
      pourcent = Pourcent_Texte(p);
    } else if (net == 0) {
      continue;
    }
    Constater(TControle::Ecart_Net, TNiveau::A_Verifier, *mois.Paies.at(cle).front(),
              textes::Constat_Ecart_Net(Montant_Texte(Montant_De(net_avant)), Montant_Texte(Montant_De(net)), pourcent), ecart);
  }
}

// Nets, amounts and labels: payslip by payslip of the month.
void TLecture::Par_Bulletin() {
  std::array<std::vector<const TPaie*>, 3> par_controle;  // negative, nil, without amount
  for (const TPaie& p : Lues.Paies) {
    if (p.Choix != Choix_Mois) continue;
    const int64_t net = Nets.at(p.Enregistrement);
    const bool montants = std::any_of(p.Comptes.begin(), p.Comptes.end(), [](const auto& c) { return c.second != 0; });
    if (!montants)
      par_controle[2].push_back(&p);
    else if (std::fabs(Montant_De(net)) <= Seuil_Negligeable)
      par_controle[1].push_back(&p);
    else if (net < 0)
      par_controle[0].push_back(&p);
  }
  for (const TPaie* p : par_controle[0]) {
    const long double net = Montant_De(Nets.at(p->Enregistrement));
    Constater(TControle::Net_Negatif, TNiveau::Anomalie, *p, textes::Constat_Net_Negatif(Montant_Texte(net)), net);
  }
  for (const TPaie* p : par_controle[1])
    Constater(TControle::Net_Nul, TNiveau::A_Verifier, *p, textes::Constat_Net_Nul, Montant_De(Nets.at(p->Enregistrement)));
  for (const TPaie* p : par_controle[2]) Constater(TControle::Sans_Montant, TNiveau::A_Verifier, *p, textes::Constat_Sans_Montant);
  for (const TPaie& p : Lues.Paies) {
    if (p.Choix != Choix_Mois) continue;
    for (const auto& [r, compte] : p.Comptes)
      if (Classes.Libelle_Vide[static_cast<size_t>(r)])
        Constater(TControle::Sans_Libelle, TNiveau::Anomalie, p, textes::Constat_Sans_Libelle(r, Montant_Texte(Montant_De(compte))),
                  Montant_De(compte));
  }
}

}  // namespace

std::optional<TControles> Controler(const TDemande_Controles& Demande, const TAfficherMessage& Message) {
  auto deux = Lire_Deux_Mois(Demande.Chemin, Demande.Mois, Demande.Mois_Reference, Message);
  if (!deux) return std::nullopt;
  TControles c;
  c.Dossier = Demande.Chemin;
  c.Mois = deux->Mois;
  c.Reference = deux->Reference;
  c.Seuil = Demande.Seuil;
  TLecture l{c, std::move(deux->Lues), TClasses(Demande.Chemin), {}, {}, {}};
  c.Noms_Champs = l.Lues.Noms_Champs;
  c.Identite = !c.Noms_Champs.empty() || l.Lues.Paies.empty();
  for (const int cote : {Choix_Mois, Choix_Reference}) l.Totaux[static_cast<size_t>(cote)] = Totaux_Paies(l.Lues.Paies, cote);
  for (const TPaie& p : l.Lues.Paies) {
    const int64_t net = Gains_Retenues(p, l.Classes, l.Totaux[static_cast<size_t>(p.Choix)]).Net();
    l.Nets[p.Enregistrement] = net;
    l.Salaries[static_cast<size_t>(p.Choix)].Ajouter(p);
    (p.Choix == Choix_Mois ? c.Bulletins : c.Bulletins_Reference)++;
    if (p.Choix == Choix_Mois) c.Nets.emplace_back(p.Enregistrement, net);
  }
  if (c.Identite) l.Par_Salarie();
  l.Par_Bulletin();
  std::stable_sort(c.Constats.begin(), c.Constats.end(), [](const TConstat& a, const TConstat& b) {
    return a.Controle != b.Controle ? a.Controle < b.Controle : a.Enregistrement < b.Enregistrement;
  });
  for (const TConstat& k : c.Constats) (k.Niveau == TNiveau::Anomalie ? c.Anomalies : c.A_Verifier)++;
  c.Avertissements = std::move(l.Lues.Avertissements);
  c.Date_Heure = std::time(nullptr);
  return c;
}

const char* Nom_Controle(TControle Controle) {
  constexpr const char* noms[] = {textes::Controle_Entree,      textes::Controle_Sortie,  textes::Controle_Doublon,
                                  textes::Controle_Net_Negatif, textes::Controle_Net_Nul, textes::Controle_Sans_Montant,
                                  textes::Controle_Sans_Libelle, textes::Controle_Ecart_Net};
  return noms[static_cast<int>(Controle)];
}

const char* Code_Controle(TControle Controle) {
  constexpr const char* codes[] = {"entree",  "sortie",       "bulletins_multiples",   "net_negatif",
                                   "net_nul", "sans_montant", "rubrique_sans_libelle", "ecart_net"};
  return codes[static_cast<int>(Controle)];
}

const char* Nom_Niveau(TNiveau Niveau) { return Niveau == TNiveau::Anomalie ? textes::Niveau_Anomalie : textes::A_Verifier; }

TTableau Tableau_Controles(const TControles& C) {
  TTableau t;
  t.Titre = textes::Titre_Controles(C.Mois, C.Reference);
  t.Designation = textes::Designation_Controles;
  t.Nom_Feuille = textes::Nom_Feuille_Controles(C.Mois);
  t.Nom_Fichier = textes::Prefixe_Fichier_Controles + C.Mois;
  t.Nom_Document = t.Titre;
  t.Dossier = C.Dossier;
  t.Date_Heure = C.Date_Heure;
  t.Nom_Rangee = textes::Nom_Rangee_Constat;
  t.Colonnes_Nom = 1;
  const double part = C.Noms_Champs.empty() ? 0 : 0.24 / static_cast<double>(C.Noms_Champs.size());
  t.Colonnes = {{textes::Entete_Controle, 150, 0.16}, {textes::Entete_Niveau, 80, 0.10}, {textes::Entete_Enregistrement, 60, 0.08}};
  for (const std::string& nom : C.Noms_Champs) t.Colonnes.push_back({nom, 120, part});
  t.Colonnes.push_back({textes::Entete_Constat, 330, 0.30});
  t.Colonnes.push_back({textes::Entete_Montant, 100, 0.12});
  for (const TConstat& k : C.Constats) {
    TLigne_Tableau ligne;
    ligne.Cellules = {Cellule_Texte(Nom_Controle(k.Controle)), Cellule_Texte(Nom_Niveau(k.Niveau)), Cellule_Entier(k.Enregistrement)};
    for (size_t i = 0; i < C.Noms_Champs.size(); ++i)
      ligne.Cellules.push_back(Cellule_Texte(i < k.Identite.size() ? k.Identite[i].second : ""));
    ligne.Cellules.push_back(Cellule_Texte(k.Texte));
    ligne.Cellules.push_back(k.Montant ? Cellule_Montant(*k.Montant) : TCellule{TGenre_Cellule::Montant, "", 0});
    ligne.A_Signaler = k.Niveau == TNiveau::Anomalie;
    t.Lignes.push_back(std::move(ligne));
  }
  t.Resume = Lignes_Resume_Controles(C);
  t.Avertissements = C.Avertissements;
  return t;
}

std::vector<std::string> Lignes_Resume_Controles(const TControles& C) {
  std::vector<std::string> lignes{textes::Compte_Constats(C.Anomalies, C.A_Verifier)};
  if (!C.Identite) lignes.push_back(textes::Sans_Identite);
  return lignes;
}

}  // namespace recap
