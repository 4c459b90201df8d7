#include "recap/Resume.h"

#include <algorithm>
#include <charconv>

#include "platform/Format_Nombres.h"
#include "platform/Separateurs.h"
#include "forms/Description_Form1.h"
#include "platform/Textes.h"
#include "recap/Rubriques.h"

namespace recap {

namespace {

std::optional<int> Numero(const std::string& texte) {
  int n = 0;
  const auto [fin, erreur] = std::from_chars(texte.data(), texte.data() + texte.size(), n);
  if (erreur != std::errc() || fin != texte.data() + texte.size()) return std::nullopt;
  if (n < TTAB_VALEURS::Premier || n > TTAB_VALEURS::Dernier) return std::nullopt;
  return n;
}

}  // namespace

// The grid tells which column each total went to; TOT_RUB keeps the total unrounded.
std::vector<TLigne_Recap> Lignes_Recap(const TGrille& Grille, const TTAB_VALEURS& TOT_RUB) {
  std::vector<TLigne_Recap> lignes;
  for (int r = 1; r < Grille.RowCount(); ++r) {
    const auto rubrique = Numero(Grille.Cells(0, r));
    if (!rubrique) continue;
    for (int c = 2; c < TGrille::ColCount; ++c) {
      if (Grille.Cells(c, r).empty()) continue;
      lignes.push_back({*rubrique, Grille.Cells(1, r), c, TOT_RUB[*rubrique]});
      break;
    }
  }
  return lignes;
}

TResume Resumer(int Bulletins, const std::vector<TLigne_Recap>& Lignes) {
  TResume resume;
  resume.Bulletins = Bulletins;
  for (const auto& l : Lignes) {
    if (l.Colonne == Colonne_Gains) resume.Gains += l.Total;
    if (l.Colonne == Colonne_Retenues) resume.Retenues += l.Total;
  }
  return resume;
}

std::array<std::string, 3> Lignes_Resume(const TResume& Resume, char32_t separateur_decimal) {
  const auto texte = [&](long double v) { return plateforme::Format_General(v, separateur_decimal); };
  return {textes::Resume_Bulletins(Resume.Bulletins),
          textes::Resume_Gains_Retenues(texte(Resume.Gains), texte(Resume.Retenues)),
          textes::Resume_Net(texte(Resume.Net()))};
}

std::vector<std::string> Lignes_Resume(const TCalcul& Calcul) {
  const TResume& r = Calcul.Resume;
  if (r.Bulletins == 0 && r.Dire_Mois_Table)
    return {(Mois_Incertain(Calcul.Avertissements, Calcul.Mois) ? textes::Aucun_Bulletin_Lu_Mois(Calcul.Mois)
                                                                 : textes::Aucun_Bulletin_Mois(Calcul.Mois)) +
            " " +
            (r.Mois_Table ? textes::Mois_Table(Texte_Mois(r.Mois_Table->Debut), Texte_Mois(r.Mois_Table->Fin))
                          : std::string(textes::Aucun_Mois_Table))};
  const auto lignes = Lignes_Resume(r, plateforme::DecimalSeparator());
  return {lignes.begin(), lignes.end()};
}

TCalcul Calcul_Fait(const std::string& Dossier, const TGrille& Grille, const TTAB_VALEURS& TOT_RUB, TBilan_Recap& Bilan,
                    const std::optional<TPeriode>& Periode) {
  TCalcul calcul;
  calcul.Dossier = Dossier;
  calcul.Mois = Periode ? Texte_Mois(Periode->Debut) : Bilan.Mois;
  if (Periode) calcul.Mois_Fin = Texte_Mois(Periode->Fin);
  calcul.Date_Heure = std::time(nullptr);
  calcul.Resume = Resumer(Bilan.Bulletins, Lignes_Recap(Grille, TOT_RUB));
  // A month typed as 02/2024 finds no payslip: the summary then gives the months there are.
  calcul.Resume.Dire_Mois_Table = true;
  calcul.Resume.Mois_Table = Bilan.Mois_Table;
  calcul.Avertissements = std::move(Bilan.Avertissements);
  calcul.Totaux = std::make_shared<const TTAB_VALEURS>(TOT_RUB);
  if (Bilan.Empreintes) calcul.Empreintes = std::make_shared<const TEmpreintes>(*Bilan.Empreintes);
  return calcul;
}

TTableau Tableau_Recap(const TGrille& Grille, const TTAB_VALEURS& TOT_RUB, const TCalcul* Calcul) {
  // Share of the printed width of each column: the labels take the room.
  constexpr std::array<double, TGrille::ColCount> Parts{0.10, 0.42, 0.16, 0.16, 0.16};
  TTableau t;
  t.Designation = textes::Designation_Recap;
  t.Nombres_A_Droite = false;  // the recap grid writes every cell at its left, as designed
  t.Nom_Rangee = textes::Nom_Rangee_Rubrique;
  t.Colonnes_Nom = 2;
  for (int c = 0; c < TGrille::ColCount; ++c)
    t.Colonnes.push_back({Grille.Cells(c, 0), description::Grille.Largeurs[static_cast<size_t>(c)], Parts[static_cast<size_t>(c)]});
  for (int r = 1; r < Grille.RowCount(); ++r) {
    TLigne_Tableau ligne;
    const auto rubrique = Numero(Grille.Cells(0, r));
    ligne.Cellules.push_back(rubrique ? Cellule_Entier(*rubrique) : Cellule_Texte(Grille.Cells(0, r)));
    ligne.Cellules.push_back(Cellule_Texte(Grille.Cells(1, r)));
    for (int c = 2; c < TGrille::ColCount; ++c)
      ligne.Cellules.push_back({TGenre_Cellule::Montant, Grille.Cells(c, r), rubrique && !Grille.Cells(c, r).empty() ? TOT_RUB[*rubrique] : 0});
    ligne.Cellules[0].Texte = Grille.Cells(0, r);  // as written, whatever it is
    t.Lignes.push_back(std::move(ligne));
  }
  if (Calcul == nullptr) return t;
  t.Titre = Calcul->Mois_Fin.empty() ? textes::Titre_Impression(Calcul->Mois) : textes::Titre_Periode(Calcul->Mois, Calcul->Mois_Fin);
  t.Nom_Feuille = Calcul->Mois_Fin.empty() ? textes::Nom_Feuille_Recap(Calcul->Mois)
                                           : textes::Nom_Feuille_Periode(Calcul->Mois, Calcul->Mois_Fin);
  t.Nom_Fichier = Nom_Fichier_Sur(textes::Prefixe_Fichier_Recap + Calcul->Mois);
  t.Nom_Document = textes::Document_Imprime(Calcul->Mois);
  t.Dossier = Calcul->Dossier;
  t.Date_Heure = Calcul->Date_Heure;
  t.Resume = Lignes_Resume(*Calcul);
  t.Avertissements = Calcul->Avertissements;
  return t;
}

bool Meme_Lecture(const TCalcul& Calcul, int Bulletins, const TTAB_VALEURS& Totaux, const TEmpreintes& Empreintes) {
  if (!Calcul.Totaux || !Calcul.Empreintes) return true;
  if (Bulletins != Calcul.Resume.Bulletins || Empreintes != *Calcul.Empreintes) return false;
  for (int r = TTAB_VALEURS::Premier; r <= TTAB_VALEURS::Dernier; ++r)
    if (!Memes_Bits(Totaux[r], (*Calcul.Totaux)[r])) return false;
  return true;
}

void Avertir_Bulletins_Changes(TAvertissements& Avertissements) {
  const std::string avertissement = textes::Attention + std::string(textes::Bulletins_Changes);
  if (std::find(Avertissements.begin(), Avertissements.end(), avertissement) == Avertissements.end())
    Avertissements.push_back(avertissement);
}

}  // namespace recap
