// Recap grids written from rows of texts, as a calculation leaves them, and the tables the
// windows show of them.
#pragma once

#include <string>
#include <vector>

#include "recap/Resume.h"

namespace test {

// Row 0 is the header; a row may stop before the last column.
inline recap::TGrille Grille(const std::vector<std::vector<std::string>>& rangees) {
  recap::TGrille g;
  g.SetRowCount(static_cast<int>(rangees.size()));
  for (size_t r = 0; r < rangees.size(); ++r)
    for (size_t c = 0; c < rangees[r].size(); ++c) g.SetCells(static_cast<int>(c), static_cast<int>(r), rangees[r][c]);
  return g;
}

// The table of such a grid, with no calculation behind it (no title, no summary).
inline recap::TTableau Tableau_Grille(const std::vector<std::vector<std::string>>& rangees) {
  TTAB_VALEURS totaux;
  return recap::Tableau_Recap(Grille(rangees), totaux, nullptr);
}

}  // namespace test
