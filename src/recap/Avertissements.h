// What a calculation could not count, as the user reads it: each text begins "Attention : ", and
// the count of the payslips they leave out heads them on screen.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace recap {

// The texts, in the order met, and how many payslips they leave out: a damage that leaves none
// out (the payslips changed since the grid's calculation) adds a text and no count.
struct TAvertissements : std::vector<std::string> {
  using std::vector<std::string>::vector;
  int64_t Non_Comptes = 0;

  // Another scan's, after these.
  void Ajouter(const TAvertissements& Autres) {
    insert(end(), Autres.begin(), Autres.end());
    Non_Comptes += Autres.Non_Comptes;
  }
};

// The warnings area's text: "6 bulletins ne sont pas comptés :" when some are left out, then one
// warning a line; empty when there is none.
std::string Texte_Avertissements(const TAvertissements& Avertissements);

}  // namespace recap
