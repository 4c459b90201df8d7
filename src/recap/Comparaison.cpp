#include "recap/Comparaison.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "KORVEX_procs.h"
#include "platform/Caracteres.h"
#include "platform/Erreurs.h"
#include "platform/Format_Nombres.h"
#include "platform/Montants.h"
#include "platform/Separateurs.h"
#include "platform/Textes.h"
#include "recap/Recap.h"
#include "recap/Rubriques.h"

namespace recap {

namespace {

// What the scan's choice answers for a payslip; a month of two overlapping periods counts in both.
enum TCote : int { Cote_Mois = 0, Cote_Reference = 1, Cote_Les_Deux = 2 };

// The side's payslips: a month as the recap compares it, or the months of a period.
struct TSelection {
  std::string Mois;
  std::optional<TPeriode> Periode;
  bool Contient(std::string_view debut_mois) const {
    return Periode ? Dans_Periode(*Periode, debut_mois) : debut_mois == Mois;
  }
  TMois_Compare Nom() const {
    if (!Periode) return {Mois, ""};
    return {Texte_Mois(Periode->Debut), Texte_Mois(Periode->Fin)};
  }
};

struct TTotaux {
  TTAB_VALEURS Rubriques;
  int Bulletins = 0;
  // The recap's rule for a row.
  bool A_Une_Ligne(int rubrique) const { return std::fabs(Rubriques[rubrique]) > Seuil_Negligeable; }
};

// Both sides' selections, or the message that refuses them.
std::optional<std::array<TSelection, 2>> Selections(const TDemande_Comparaison& D, const TAfficherMessage& Message) {
  // The month that was checked is the month that is used: trimmed.
  const std::string mois = Sans_Blancs(D.Mois), reference = Sans_Blancs(D.Mois_Reference);
  if (plateforme::Nombre_Caracteres(mois) != 7) {
    Message(textes::Mois_Incorrect);
    return std::nullopt;
  }
  if (plateforme::Nombre_Caracteres(reference) != 7) {
    Message(textes::Mois_Reference_Incorrect);
    return std::nullopt;
  }
  const auto refuser = [&](const std::string& texte) {
    Message(texte);
    return std::nullopt;
  };
  const auto debut = Rang_Mois(reference);
  if (!D.Periode) {
    // Months of seven characters that are none select what they spell, as the recap does.
    if (mois == reference) return refuser(textes::Reference_Egale(mois));
    return std::array<TSelection, 2>{TSelection{mois, {}}, TSelection{reference, {}}};
  }
  if (!debut) return refuser(textes::Mois_Reference_Incorrect);
  const TReference_Lue lue = Lire_Reference(*D.Periode, reference);
  if (!lue.Reference) return refuser(lue.Message);
  return std::array<TSelection, 2>{TSelection{mois, D.Periode}, TSelection{reference, *lue.Reference}};
}

// Each side totalled as Calc_Total_Paies totals a recap, in the same scan.
std::optional<TTotalisation> Totaliser(const std::string& Chemin, const std::array<TSelection, 2>& cotes,
                                       std::array<TTotaux, 2>& totaux, const TAfficherMessage& Message,
                                       bool empreintes) {
  const auto choix = [&](std::string_view debut_mois) -> std::optional<int> {
    const bool mois = cotes[Cote_Mois].Contient(debut_mois), reference = cotes[Cote_Reference].Contient(debut_mois);
    if (mois && reference) return Cote_Les_Deux;
    if (mois || reference) return mois ? Cote_Mois : Cote_Reference;
    return std::nullopt;
  };
  TTAB_VALEURS* const m = &totaux[Cote_Mois].Rubriques;
  TTAB_VALEURS* const r = &totaux[Cote_Reference].Rubriques;
  TOptions_Lecture options;
  options.Empreintes = empreintes;
  auto totalisation = Totaliser_Bulletins(Chemin, choix, {{m}, {r}, {m, r}}, Message, options);
  if (!totalisation) return std::nullopt;
  const std::vector<int>& n = totalisation->Bulletins;
  totaux[Cote_Mois].Bulletins = n[Cote_Mois] + n[Cote_Les_Deux];
  totaux[Cote_Reference].Bulletins = n[Cote_Reference] + n[Cote_Les_Deux];
  return totalisation;
}

// The month's digests: those of its payslips alone and of those it shares with the reference.
TEmpreintes Empreintes_Mois(const TTotalisation& t) {
  TEmpreintes e = t.Empreintes[Cote_Mois];
  for (size_t r = 0; r < e.size(); ++r) e[r] += t.Empreintes[Cote_Les_Deux][r];
  return e;
}

TLigne_Comparaison Ligne(TRubriques& rubriques, int i, const std::array<TTotaux, 2>& totaux, const TSeuil& seuil) {
  TLigne_Comparaison l;
  l.Rubrique = i;
  if (rubriques.Aller(i)) {
    l.Libelle = rubriques.Libelle();
    l.Colonne = rubriques.Colonne();
  }
  const bool dans_mois = totaux[Cote_Mois].A_Une_Ligne(i), dans_reference = totaux[Cote_Reference].A_Une_Ligne(i);
  if (dans_mois) l.Total = totaux[Cote_Mois].Rubriques[i];
  if (dans_reference) l.Total_Reference = totaux[Cote_Reference].Rubriques[i];
  l.Ecart = l.Total - l.Total_Reference;
  // Measured on the totals as the user reads them.
  l.Affiche_Reference = Dix_Milliemes_Affiches(l.Total_Reference);
  l.Affiche = Dix_Milliemes_Affiches(l.Total);
  if (!dans_reference) l.Verification = TVerification::Nouvelle;
  else if (!dans_mois) l.Verification = TVerification::Disparue;
  else if (Atteint_Seuil(l.Affiche_Reference, l.Affiche, seuil)) l.Verification = TVerification::Ecart;
  return l;
}

// A side's summary from its own rows only, as its recap makes it.
TResume Resume_Du_Cote(const std::vector<TLigne_Comparaison>& lignes, const TTotaux& totaux) {
  std::vector<TLigne_Recap> siennes;
  for (const auto& l : lignes) {
    if (totaux.A_Une_Ligne(l.Rubrique)) siennes.push_back({l.Rubrique, l.Libelle, l.Colonne, totaux.Rubriques[l.Rubrique]});
  }
  return Resumer(totaux.Bulletins, siennes);
}

}  // namespace

TCellule TLigne_Comparaison::Variation(const TSeuil& Seuil) const {
  // A rubric without a row in the reference has a total of 0 there: no percentage.
  return Cellule_Variation(Affiche_Reference, Affiche, Seuil);
}

std::optional<std::string> Mois_Precedent(std::string_view mois) {
  const auto rang = Rang_Mois(mois);
  if (!rang || *rang == 0) return std::nullopt;
  return Texte_Mois(*rang - 1);
}

std::optional<TPeriode> Periode_Precedente(const TPeriode& periode) {
  const int duree = periode.Fin - periode.Debut + 1;
  if (periode.Debut - duree < 0) return std::nullopt;
  return TPeriode{periode.Debut - duree, periode.Fin - duree};
}

std::string TMois_Compare::Libelle() const { return Fin.empty() ? Debut : textes::Periode_Affichee(Debut, Fin); }

std::optional<TComparaison> Comparer(const TDemande_Comparaison& Demande, const TAfficherMessage& Message) {
  const auto cotes = Selections(Demande, Message);
  if (!cotes) return std::nullopt;
  std::array<TTotaux, 2> totaux;
  auto totalisation = Totaliser(Demande.Chemin, *cotes, totaux, Message, Demande.Empreintes);
  if (!totalisation) return std::nullopt;
  TComparaison c;
  c.Dossier = Demande.Chemin;
  c.Mois = (*cotes)[Cote_Mois].Nom();
  c.Reference = (*cotes)[Cote_Reference].Nom();
  c.Seuil = Demande.Seuil;
  TRubriques rubriques(Demande.Chemin);
  for (int i = TTAB_VALEURS::Premier; i <= TTAB_VALEURS::Dernier; ++i) {
    if (totaux[Cote_Mois].A_Une_Ligne(i) || totaux[Cote_Reference].A_Une_Ligne(i))
      c.Lignes.push_back(Ligne(rubriques, i, totaux, Demande.Seuil));
  }
  c.Resume = Resume_Du_Cote(c.Lignes, totaux[Cote_Mois]);
  c.Resume_Reference = Resume_Du_Cote(c.Lignes, totaux[Cote_Reference]);
  c.Avertissements = std::move(totalisation->Avertissements);
  if (Demande.Empreintes) {
    c.Totaux_Mois = std::make_shared<const TTAB_VALEURS>(totaux[Cote_Mois].Rubriques);
    c.Empreintes_Mois = std::make_shared<const TEmpreintes>(Empreintes_Mois(*totalisation));
  }
  c.Date_Heure = std::time(nullptr);
  return c;
}

// ---- The table ----

namespace {

std::string Texte_Verification(TVerification v) {
  switch (v) {
    case TVerification::Nouvelle: return textes::A_Verifier_Nouvelle;
    case TVerification::Disparue: return textes::A_Verifier_Disparue;
    case TVerification::Ecart: return textes::A_Verifier;
    case TVerification::Aucune: break;
  }
  return {};
}

TLigne_Tableau Ligne_Tableau(const TLigne_Comparaison& l, const TSeuil& seuil) {
  TLigne_Tableau ligne;
  ligne.Cellules = {Cellule_Entier(l.Rubrique),
                    Cellule_Texte(l.Libelle),
                    Cellule_Texte(textes::Entetes_Grille[l.Colonne]),
                    Cellule_Montant(l.Total_Reference),
                    Cellule_Montant(l.Total),
                    Cellule_Montant(l.Ecart),
                    l.Variation(seuil),
                    Cellule_Texte(Texte_Verification(l.Verification))};
  ligne.A_Signaler = l.Verification != TVerification::Aucune;
  return ligne;
}

std::vector<std::string> Lignes_Resume_Comparaison(const TComparaison& c) {
  const char32_t separateur = plateforme::DecimalSeparator();
  const auto texte = [&](long double v) { return plateforme::Format_General(v, separateur); };
  const std::string mois = c.Mois.Libelle(), reference = c.Reference.Libelle();
  const auto ligne = [&](const char* quoi, long double valeur_reference, long double valeur) {
    return textes::Resume_Compare(quoi, reference, texte(valeur_reference), mois, texte(valeur),
                                  texte(valeur - valeur_reference));
  };
  const TResume &m = c.Resume, &r = c.Resume_Reference;
  return {ligne(textes::Quoi_Bulletins, r.Bulletins, m.Bulletins), ligne(textes::Quoi_Gains, r.Gains, m.Gains),
          ligne(textes::Quoi_Retenues, r.Retenues, m.Retenues), ligne(textes::Quoi_Net, r.Net(), m.Net()),
          textes::Regle_Controle(Texte_Seuil(c.Seuil, separateur))};
}

}  // namespace

TTableau Tableau_Comparaison(const TComparaison& c) {
  const std::string mois = c.Mois.Libelle(), reference = c.Reference.Libelle();
  TTableau t;
  t.Designation = textes::Designation_Comparaison;
  t.Nom_Rangee = textes::Nom_Rangee_Rubrique;
  t.Colonnes_Nom = 2;
  t.Titre = textes::Titre_Comparaison(mois, reference);
  t.Nom_Feuille = textes::Nom_Feuille_Comparaison(mois);
  const auto nom = [](const TMois_Compare& m) { return m.Fin.empty() ? m.Debut : m.Debut + "_" + m.Fin; };
  t.Nom_Fichier = Nom_Fichier_Sur(textes::Prefixe_Fichier_Comparaison + nom(c.Mois) + "-" + nom(c.Reference));
  t.Dossier = c.Dossier;
  t.Date_Heure = c.Date_Heure;
  // Widths at 96 dots per inch and printed shares: the labels take the room, then the figures.
  t.Colonnes = {{textes::Entetes_Grille[0], 64, 0.06},
                {textes::Entetes_Grille[1], 250, 0.25},
                {textes::Entete_Colonne, 90, 0.09},
                {textes::Entete_Total(reference), 130, 0.12},
                {textes::Entete_Total(mois), 130, 0.12},
                {textes::Entete_Ecart, 120, 0.11},
                {textes::Entete_Ecart_Pourcent, 80, 0.08},
                {textes::Entete_Controle, 150, 0.17}};
  for (const auto& l : c.Lignes) t.Lignes.push_back(Ligne_Tableau(l, c.Seuil));
  t.Resume = Lignes_Resume_Comparaison(c);
  t.Avertissements = c.Avertissements;
  return t;
}

}  // namespace recap
