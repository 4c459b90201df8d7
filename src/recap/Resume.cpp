#include "recap/Resume.h"

#include <charconv>

#include "platform/Nombres.h"
#include "platform/Separateurs.h"
#include "platform/Textes.h"

namespace recap {

namespace {

constexpr int Colonne_Gains = 3, Colonne_Retenues = 4;

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
  TResume resume{Bulletins};
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

void Calculer_Pour_Fenetre(const std::string& Chemin, const std::string& Mois, TTAB_VALEURS& TOT_RUB,
                           TGrille& Grille, const TAfficherMessage& Message, TDernier_Calcul& Dernier) {
  TBilan_Recap bilan;
  try {
    Calculer_Recap(Chemin, Mois, TOT_RUB, Grille, Message, bilan);
  } catch (...) {
    if (bilan.Grille_Commencee)
      Dernier = {Chemin, Sans_Blancs(Mois), std::time(nullptr), std::nullopt, Dernier.Numero + 1};
    throw;
  }
  if (bilan.Grille_Remplie)
    Dernier = {Chemin, Sans_Blancs(Mois), std::time(nullptr), Resumer(bilan.Bulletins, Lignes_Recap(Grille, TOT_RUB)),
               Dernier.Numero + 1};
}

std::string Texte_Resume(const TDernier_Calcul& Dernier) {
  if (!Dernier.Resume) return {};
  const auto lignes = Lignes_Resume(*Dernier.Resume, plateforme::DecimalSeparator());
  return lignes[0] + "\n" + lignes[1] + "\n" + lignes[2];
}

}  // namespace recap
