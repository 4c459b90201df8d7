#include "recap/Recap.h"

#include <cmath>
#include <exception>
#include <functional>
#include <optional>
#include <utility>

#include "platform/Caracteres.h"
#include "platform/Erreurs.h"
#include "platform/Format_Nombres.h"
#include "platform/Separateurs.h"
#include "platform/Textes.h"
#include "dbase/Table.h"
#include "recap/Rubriques.h"

namespace recap {

using plateforme::EKorvex;

// ---- The grid ----

void TGrille::SetRowCount(int n) { rowCount_ = n < 1 ? 1 : n; }

const std::string& TGrille::Cells(int col, int row) const {
  static const std::string vide;
  if (col < 0 || col >= ColCount || row < 0 || row >= static_cast<int>(lignes_.size())) return vide;
  return lignes_[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

void TGrille::SetCells(int col, int row, std::string texte) {
  if (col < 0 || col >= ColCount || row < 0) return;
  if (row >= static_cast<int>(lignes_.size())) lignes_.resize(static_cast<size_t>(row) + 1);
  lignes_[static_cast<size_t>(row)][static_cast<size_t>(col)] = std::move(texte);
}

void TGrille::Effacer_Lignes_Donnees() {
  if (lignes_.size() > 1) lignes_.resize(1);
}

namespace {

// ---- The grid fill ----

// Writes row n for rubric i, cell by cell: an error leaves the row as far as it got.
void Ecrire_Ligne(TRubriques& rubriques, int i, long double total, int n, TGrille& Grille) {
  const bool trouvee = rubriques.Aller(i);
  Grille.SetRowCount(n + 1);
  Grille.SetCells(0, n, std::to_string(i));
  int colonne = Colonne_Bases;
  if (trouvee) {
    Grille.SetCells(1, n, rubriques.Libelle());
    colonne = rubriques.Colonne();
  }
  Grille.SetCells(colonne, n, plateforme::Format_General(total, plateforme::DecimalSeparator()));
}

void Remplir_Grille(const std::string& Chemin, const TTAB_VALEURS& TOT_RUB, TGrille& Grille, bool& Commencee) {
  TRubriques rubriques(Chemin);
  Commencee = true;
  Grille.SetRowCount(2);
  Grille.Effacer_Lignes_Donnees();
  for (int c = 0; c < TGrille::ColCount; ++c) Grille.SetCells(c, 0, textes::Entetes_Grille[c]);
  int n = 0;
  for (int i = TTAB_VALEURS::Premier; i <= TTAB_VALEURS::Dernier; ++i) {
    if (std::fabs(TOT_RUB[i]) > Seuil_Negligeable) Ecrire_Ligne(rubriques, i, TOT_RUB[i], ++n, Grille);
  }
}

}  // namespace

std::optional<TTotal_Paies> Calc_Total_Paies(const std::string& Chemin, const std::string& Mois,
                                             TTAB_VALEURS& TOT_RUB, const TAfficherMessage& Message,
                                             const std::optional<TPeriode>& Periode, bool Empreintes) {
  const auto choix = [&](std::string_view debut_mois) -> std::optional<int> {
    if (Periode ? Dans_Periode(*Periode, debut_mois) : debut_mois == Mois) return 0;
    return std::nullopt;
  };
  TOptions_Lecture options;
  options.Trouve = [&] { TOT_RUB.Effacer(); };
  options.Empreintes = Empreintes;
  auto totalisation = Totaliser_Bulletins(Chemin, choix, {{&TOT_RUB}}, Message, options);
  if (!totalisation) return std::nullopt;
  TTotal_Paies total{totalisation->Bulletins[0], std::move(totalisation->Avertissements), std::nullopt,
                     totalisation->Mois_Table};
  if (Empreintes) total.Empreintes = totalisation->Empreintes[0];
  return total;
}

void Calculer_Recap(const std::string& Chemin, const std::string& Mois, TTAB_VALEURS& TOT_RUB,
                    TGrille& Grille, const TAfficherMessage& Message) {
  TBilan_Recap bilan;
  Calculer_Recap(Chemin, Mois, TOT_RUB, Grille, Message, bilan);
}

void Calculer_Recap(const std::string& Chemin, const std::string& Mois, TTAB_VALEURS& TOT_RUB,
                    TGrille& Grille, const TAfficherMessage& Message, TBilan_Recap& Bilan,
                    const std::optional<TPeriode>& Periode, bool Empreintes) {
  Bilan = {};
  // The month that is checked is the month that is used: trimmed.
  Bilan.Mois = Sans_Blancs(Mois);
  if (plateforme::Nombre_Caracteres(Bilan.Mois) != 7) {
    Message(textes::Mois_Incorrect);
    return;
  }
  // The scan looks for PAIES.DTA itself, and gives the message when it is not there.
  auto total = Calc_Total_Paies(Chemin, Bilan.Mois, TOT_RUB, Message, Periode, Empreintes);
  if (!total) return;
  Bilan.Bulletins = total->Bulletins;
  Bilan.Avertissements = std::move(total->Avertissements);
  Bilan.Empreintes = std::move(total->Empreintes);
  Bilan.Mois_Table = total->Mois_Table;
  Remplir_Grille(Chemin, TOT_RUB, Grille, Bilan.Grille_Commencee);
  Bilan.Grille_Remplie = true;
}

}  // namespace recap
