// RUBRIQUE.DTA as every calculation reads it: rubric n is its n-th record, deleted ones
// included; its label, and its class, which gives the column of its total.
#pragma once

#include <string>

#include "dbase/Table.h"

namespace recap {

// The grid's columns of a total: BASES, GAINS, RETENUES.
inline constexpr int Colonne_Bases = 2, Colonne_Gains = 3, Colonne_Retenues = 4;

class TRubriques {
public:
  // Opens the folder's rubric table and checks it whole: rubrics are found by position, so a
  // record lost to damage would give a rubric the label and the class of another, and any
  // damage is an error. Raises plateforme::EKorvex.
  explicit TRubriques(const std::string& Chemin);

  // Moves to the rubric; false when the table holds no record for it: it then has no label
  // and counts as a base.
  bool Aller(int rubrique);
  // The current rubric's LIBELLE, and the column its CLASSE gives (1 gains, 2 retenues, any
  // other value bases).
  std::string Libelle() const;
  int Colonne() const;

private:
  dbase::TTable table_;
};

}  // namespace recap
