// What a calculation could not count, as the user reads it: each text begins "Attention : ", and
// the count of the payslips they leave out heads them on screen. Beside the texts, what each
// leaves out as far as the damage lets it be known, for the views about people: they must not
// state as a fact what the damage made unknown.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace recap {

// A character field of a payslip other than MOIS: its name and its value as stored, trimmed.
using TChamps_Bulletin = std::vector<std::pair<std::string, std::string>>;

// Records a scan left out: a payslip whose memo could not be read keeps its record, month and
// fields; records a damaged table kept from being read keep nothing but their numbers.
struct TOmission {
  int64_t Premier = 0, Dernier = 0;  // its records, from 1; both 0 when the warning names none
  int64_t Nombre = 1;                // how many records
  std::optional<std::string> Mois;   // the month mm-aaaa its record holds, when that is known
  std::optional<TChamps_Bulletin> Champs;  // its fields, when its record could be read
  size_t Avertissement = 0;          // the warning that says so, in the list
};

// The texts, in the order met, and how many payslips they leave out: a damage that leaves none
// out (the payslips changed since the grid's calculation) adds a text and no count.
struct TAvertissements : std::vector<std::string> {
  using std::vector<std::string>::vector;
  int64_t Non_Comptes = 0;
  std::vector<TOmission> Omissions;

  // What the last warning added leaves out.
  void Noter(TOmission Omission) {
    Omission.Avertissement = size() - 1;
    Omissions.push_back(std::move(Omission));
  }
  // Another scan's, after these.
  void Ajouter(const TAvertissements& Autres) {
    const size_t decalage = size();
    insert(end(), Autres.begin(), Autres.end());
    Non_Comptes += Autres.Non_Comptes;
    for (TOmission o : Autres.Omissions) {
      o.Avertissement += decalage;
      Omissions.push_back(std::move(o));
    }
  }
};

// The warnings area's text: "6 bulletins ne sont pas comptés :" when some are left out, then one
// warning a line; empty when there is none.
std::string Texte_Avertissements(const TAvertissements& Avertissements);

// Whether a payslip of that month may be among what the warnings leave out: an omission of that
// month, or one whose month is not known.
bool Mois_Incertain(const TAvertissements& Avertissements, const std::string& Mois);

}  // namespace recap
