#include "recap/Controles.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "platform/Textes.h"
#include "recap/Periode.h"
#include "recap/Recap.h"

namespace recap {

namespace {

// One side's employees: their payslips read, and what damage left out that may be theirs.
struct TCote {
  std::string Mois;
  std::set<std::string> Salaries;  // with a payslip read, or one left out whose month and record are known
  std::map<std::string, std::vector<const TPaie*>> Paies;
  std::map<std::string, std::vector<const TOmission*>> Omis;  // left out, of this month
  std::map<std::string, const TOmission*> Sans_Mois;          // left out, their month unknown
  std::vector<const TOmission*> Inconnues;  // left out, nobody known: may be anyone's of this month

  bool Present(const std::string& cle) const { return Salaries.count(cle) != 0; }
  // What may be a payslip of this employee that nothing read shows.
  const TOmission* Peut_Etre(const std::string& cle) const {
    const auto trouve = Sans_Mois.find(cle);
    if (trouve != Sans_Mois.end()) return trouve->second;
    return Inconnues.empty() ? nullptr : Inconnues.front();
  }
  const TOmission* Omission(const std::string& cle) const {
    const auto trouve = Omis.find(cle);
    return trouve == Omis.end() ? nullptr : trouve->second.front();
  }
};

struct TLecture {
  TControles& C;
  TPaies_Lues Lues;
  TClasses Classes;
  std::array<TCote, 2> Cotes;
  std::map<int64_t, TSomme_Exacte> Nets;  // by record, both sides

  void Constater(TControle controle, TNiveau niveau, int64_t enregistrement, TChamps_Bulletin identite, std::string texte,
                 std::optional<long double> montant = std::nullopt) {
    C.Constats.push_back({controle, niveau, enregistrement, std::move(identite), std::move(texte), montant});
  }
  void Constater(TControle controle, TNiveau niveau, const TPaie& p, std::string texte,
                 std::optional<long double> montant = std::nullopt) {
    Constater(controle, niveau, p.Enregistrement, p.Champs, std::move(texte), montant);
  }
  // An employee is named by their first payslip read on that side, else by the first left out.
  void Constater(TControle controle, TNiveau niveau, const TCote& cote, const std::string& cle, std::string texte,
                 std::optional<long double> montant = std::nullopt) {
    const auto paies = cote.Paies.find(cle);
    if (paies != cote.Paies.end()) return Constater(controle, niveau, *paies->second.front(), std::move(texte), montant);
    const TOmission& o = *cote.Omission(cle);
    Constater(controle, niveau, o.Premier, *o.Champs, std::move(texte), montant);
  }
  std::string Raison(const std::string& constat, const TOmission& o) const {
    return textes::Raison_Non_Verifiable(constat, Lues.Avertissements[o.Avertissement], 0);
  }
  std::string Raison(const std::string& constat, const std::vector<const TOmission*>& omissions) const {
    std::set<size_t> avertissements;
    for (const TOmission* o : omissions) avertissements.insert(o->Avertissement);
    return textes::Raison_Non_Verifiable(constat, Lues.Avertissements[omissions.front()->Avertissement],
                                         avertissements.size() - 1);
  }
  TSomme_Exacte Net_Salarie(const std::vector<const TPaie*>& paies) const {
    TSomme_Exacte net = 0;
    for (const TPaie* p : paies) net += Nets.at(p->Enregistrement);
    return net;
  }

  void Repartir();
  void Entrees_Sorties();
  void Doublons();
  void Ecarts();
  void Par_Bulletin();
};

// "+20,9 %": the rule's percentage, signed.
std::string Pourcent_Texte(const TCellule& pourcent) {
  const bool positif = pourcent.Texte.front() != '-' && pourcent.Valeur != 0;
  return (positif ? "+" : "") + pourcent.Texte + " %";
}

// Each payslip read, and each one left out, to its side and employee. A payslip whose identity
// is blank is nobody's: it is in none.
void TLecture::Repartir() {
  for (const TPaie& p : Lues.Paies)
    if (const auto cle = Cle_Salarie(p.Champs)) {
      TCote& cote = Cotes[static_cast<size_t>(p.Choix)];
      cote.Paies[*cle].push_back(&p);
      cote.Salaries.insert(*cle);
    }
  for (const TOmission& o : Lues.Avertissements.Omissions) {
    for (TCote& cote : Cotes) {
      if (o.Mois && *o.Mois != cote.Mois) continue;
      if (!o.Champs) {
        cote.Inconnues.push_back(&o);
        continue;
      }
      const auto cle = Cle_Salarie(*o.Champs);
      if (!cle) continue;
      if (!o.Mois) {
        cote.Sans_Mois.emplace(*cle, &o);
        continue;
      }
      cote.Omis[*cle].push_back(&o);
      cote.Salaries.insert(*cle);
    }
  }
}

// An employee of one month and not of the other entered, or left; when damage left out one of
// their payslips, or what may be their payslip of the other month, that is not known.
void TLecture::Entrees_Sorties() {
  const TCote &mois = Cotes[Choix_Mois], &reference = Cotes[Choix_Reference];
  for (const std::string& cle : mois.Salaries) {
    if (reference.Present(cle)) continue;
    const TOmission* o = mois.Omission(cle);
    if (!o) o = reference.Peut_Etre(cle);
    if (o)
      Constater(TControle::Entree, TNiveau::Non_Verifiable, mois, cle,
                Raison(textes::Constat_Entree_Non_Verifiable(C.Reference), *o));
    else
      Constater(TControle::Entree, TNiveau::A_Verifier, mois, cle, textes::Constat_Entree(C.Reference));
  }
  for (const std::string& cle : reference.Salaries) {
    if (mois.Present(cle)) continue;
    const TOmission* o = reference.Omission(cle);
    if (!o) o = mois.Peut_Etre(cle);
    if (o)
      Constater(TControle::Sortie, TNiveau::Non_Verifiable, reference, cle,
                Raison(textes::Constat_Sortie_Non_Verifiable(C.Reference, C.Mois), *o));
    else
      Constater(TControle::Sortie, TNiveau::A_Verifier, reference, cle, textes::Constat_Sortie(C.Reference, C.Mois));
  }
}

// Several records of one employee in the month: an anomaly when each was read; when damage
// left one out, what it is cannot be told. One alone is no proof of none other when damage left
// records out.
void TLecture::Doublons() {
  const TCote& mois = Cotes[Choix_Mois];
  for (const std::string& cle : mois.Salaries) {
    std::vector<int64_t> numeros;
    if (const auto paies = mois.Paies.find(cle); paies != mois.Paies.end())
      for (const TPaie* p : paies->second) numeros.push_back(p->Enregistrement);
    const TOmission* omis = mois.Omission(cle);
    if (const auto tous = mois.Omis.find(cle); tous != mois.Omis.end())
      for (const TOmission* o : tous->second) numeros.push_back(o->Premier);
    std::sort(numeros.begin(), numeros.end());
    if (numeros.size() >= 2) {
      std::vector<std::string> enregistrements;
      for (const int64_t n : numeros) enregistrements.push_back(std::to_string(n));
      const std::string texte = textes::Constat_Doublon(enregistrements);
      if (omis)
        Constater(TControle::Doublon, TNiveau::Non_Verifiable, mois, cle, Raison(texte + ".", *omis));
      else
        Constater(TControle::Doublon, TNiveau::Anomalie, mois, cle, texte);
    } else if (const auto sans_mois = mois.Sans_Mois.find(cle); sans_mois != mois.Sans_Mois.end()) {
      Constater(TControle::Doublon, TNiveau::Non_Verifiable, mois, cle,
                Raison(textes::Constat_Doublon_Non_Verifiable, *sans_mois->second));
    }
  }
  if (!mois.Inconnues.empty())
    Constater(TControle::Doublon, TNiveau::Non_Verifiable, 0, {}, Raison(textes::Constat_Doublons_Non_Verifiables, mois.Inconnues));
}

// Nets of an employee of both months that moved by the threshold: measured only on nets whose
// every payslip was read.
void TLecture::Ecarts() {
  const TCote &mois = Cotes[Choix_Mois], &reference = Cotes[Choix_Reference];
  std::vector<const TOmission*> inconnues = mois.Inconnues;
  inconnues.insert(inconnues.end(), reference.Inconnues.begin(), reference.Inconnues.end());
  for (const std::string& cle : mois.Salaries) {
    if (!reference.Present(cle)) continue;
    const TOmission* o = mois.Omission(cle);
    if (!o) o = reference.Omission(cle);
    if (!o && mois.Sans_Mois.count(cle)) o = mois.Sans_Mois.at(cle);
    if (o) {
      Constater(TControle::Ecart_Net, TNiveau::Non_Verifiable, mois, cle, Raison(textes::Constat_Ecart_Non_Verifiable, *o));
      continue;
    }
    const TSomme_Exacte net = Net_Salarie(mois.Paies.at(cle)), net_avant = Net_Salarie(reference.Paies.at(cle));
    if (!Atteint_Seuil(net_avant, net, C.Seuil)) continue;
    const TCellule pourcent = Cellule_Variation(net_avant, net, C.Seuil);
    const std::string texte = textes::Constat_Ecart_Net(Montant_Texte(net_avant), Montant_Texte(net),
                                                        pourcent.Vide() ? "" : Pourcent_Texte(pourcent));
    const long double ecart = plateforme::Montant_Exact(net - net_avant);
    if (inconnues.empty())
      Constater(TControle::Ecart_Net, TNiveau::A_Verifier, mois, cle, texte, ecart);
    else
      Constater(TControle::Ecart_Net, TNiveau::Non_Verifiable, mois, cle, Raison(textes::Constat_Ecart_Lus(texte), inconnues), ecart);
  }
  if (!inconnues.empty())
    Constater(TControle::Ecart_Net, TNiveau::Non_Verifiable, 0, {}, Raison(textes::Constat_Ecarts_Non_Verifiables, inconnues));
}

// Nets, amounts, labels and identities: payslip by payslip of the month.
void TLecture::Par_Bulletin() {
  std::array<std::vector<const TPaie*>, 3> par_controle;  // negative, nil, without amount
  for (const TPaie& p : Lues.Paies) {
    if (p.Choix != Choix_Mois) continue;
    if (C.Identite && !Cle_Salarie(p.Champs))
      Constater(TControle::Sans_Matricule, TNiveau::A_Verifier, p, textes::Constat_Sans_Matricule(A_Matricule(p.Champs)));
    const TSomme_Exacte net = Nets.at(p.Enregistrement);
    const bool montants = std::any_of(p.Comptes.begin(), p.Comptes.end(), [](const auto& c) { return c.second != 0; });
    if (!montants)
      par_controle[2].push_back(&p);
    else if (std::fabs(plateforme::Montant_Exact(net)) <= Seuil_Negligeable)
      par_controle[1].push_back(&p);
    else if (net < 0)
      par_controle[0].push_back(&p);
  }
  for (const TPaie* p : par_controle[0]) {
    const TSomme_Exacte net = Nets.at(p->Enregistrement);
    Constater(TControle::Net_Negatif, TNiveau::Anomalie, *p, textes::Constat_Net_Negatif(Montant_Texte(net)),
              plateforme::Montant_Exact(net));
  }
  for (const TPaie* p : par_controle[1])
    Constater(TControle::Net_Nul, TNiveau::A_Verifier, *p, textes::Constat_Net_Nul, plateforme::Montant_Exact(Nets.at(p->Enregistrement)));
  for (const TPaie* p : par_controle[2]) Constater(TControle::Sans_Montant, TNiveau::A_Verifier, *p, textes::Constat_Sans_Montant);
  for (const TPaie& p : Lues.Paies) {
    if (p.Choix != Choix_Mois) continue;
    for (const auto& [r, compte] : p.Comptes)
      if (Classes.Libelle_Vide[static_cast<size_t>(r)])
        Constater(TControle::Sans_Libelle, TNiveau::Anomalie, p, textes::Constat_Sans_Libelle(r, Montant_Texte(compte)),
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
  TLecture l{c, std::move(deux->Lues), TClasses(Demande.Chemin), {}, {}};
  l.Cotes[Choix_Mois].Mois = c.Mois;
  l.Cotes[Choix_Reference].Mois = c.Reference;
  c.Noms_Champs = l.Lues.Noms_Champs;
  c.Identite = !c.Noms_Champs.empty() || l.Lues.Paies.empty();
  for (const TPaie& p : l.Lues.Paies) {
    const TSomme_Exacte net = Gains_Retenues(p, l.Classes, l.Lues.Totaux[static_cast<size_t>(p.Choix)]).Net();
    l.Nets[p.Enregistrement] = net;
    (p.Choix == Choix_Mois ? c.Bulletins : c.Bulletins_Reference)++;
    if (p.Choix == Choix_Mois) c.Nets.emplace_back(p.Enregistrement, net);
  }
  if (c.Identite) {
    l.Repartir();
    l.Entrees_Sorties();
    l.Doublons();
    l.Ecarts();
  }
  l.Par_Bulletin();
  std::stable_sort(c.Constats.begin(), c.Constats.end(), [](const TConstat& a, const TConstat& b) {
    return a.Controle != b.Controle ? a.Controle < b.Controle : a.Enregistrement < b.Enregistrement;
  });
  for (const TConstat& k : c.Constats)
    (k.Niveau == TNiveau::Anomalie ? c.Anomalies : k.Niveau == TNiveau::A_Verifier ? c.A_Verifier : c.Non_Verifiables)++;
  c.Avertissements = std::move(l.Lues.Avertissements);
  c.Date_Heure = std::time(nullptr);
  return c;
}

const char* Nom_Controle(TControle Controle) {
  constexpr const char* noms[] = {textes::Controle_Entree,        textes::Controle_Sortie,     textes::Controle_Doublon,
                                  textes::Controle_Sans_Matricule, textes::Controle_Net_Negatif, textes::Controle_Net_Nul,
                                  textes::Controle_Sans_Montant,   textes::Controle_Sans_Libelle, textes::Controle_Ecart_Net};
  return noms[static_cast<int>(Controle)];
}

const char* Code_Controle(TControle Controle) {
  constexpr const char* codes[] = {"entree",  "sortie",       "bulletins_multiples",   "sans_matricule", "net_negatif",
                                   "net_nul", "sans_montant", "rubrique_sans_libelle", "ecart_net"};
  return codes[static_cast<int>(Controle)];
}

const char* Nom_Niveau(TNiveau Niveau) {
  switch (Niveau) {
    case TNiveau::Anomalie: return textes::Niveau_Anomalie;
    case TNiveau::Non_Verifiable: return textes::Niveau_Non_Verifiable;
    case TNiveau::A_Verifier: break;
  }
  return textes::A_Verifier;
}

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
    // A check damage kept from being made for all names no record.
    ligne.Cellules = {Cellule_Texte(Nom_Controle(k.Controle)), Cellule_Texte(Nom_Niveau(k.Niveau)),
                      k.Enregistrement != 0 ? Cellule_Entier(k.Enregistrement) : TCellule{TGenre_Cellule::Entier, "", 0}};
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
  std::vector<std::string> lignes{textes::Compte_Constats(C.Anomalies, C.A_Verifier, C.Non_Verifiables)};
  if (!C.Identite) lignes.push_back(textes::Sans_Identite);
  return lignes;
}

}  // namespace recap
