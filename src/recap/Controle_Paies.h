// What no scan may count as it stands, found in one pass over the whole of PAIES.DTA before a
// payslip is read: records whose month field holds no month, which the month asked may have
// been, and records whose memo pointers name one block, deleted ones included, whose amounts
// cannot be told apart.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "recap/Bulletins.h"

namespace dbase {
class TTable;
}

namespace recap {

struct TControle_Paies {
  // In increasing order: the records shown whose memo another record names, when one of those
  // records is of the scan's choice.
  std::vector<int64_t> Exclus;
  TAvertissements Avertissements;

  bool Exclu(int64_t Enregistrement) const {
    return !Exclus.empty() && std::binary_search(Exclus.begin(), Exclus.end(), Enregistrement);
  }
};

// Goes through every record shown of the table, opened for this alone: Choix tells which
// payslips the scan reads, so that only memos shared with one of them are excluded and named.
// Raises the table's errors; a table without MOIS or MONTANTS gets its error from the scan.
TControle_Paies Controler_Paies(dbase::TTable& Table, const TChoix& Choix);

// Whether the first seven characters of a MOIS are a month mm-aaaa (01 to 12, four digits):
// a record of any other is damaged, and counted in no month.
bool Mois_Valide(std::string_view Debut_Mois);

// The bytes of a field as a warning shows them: printable ASCII as it is, every other byte as
// \xNN, trailing blanks and NULs left out.
std::string Octets_Visibles(std::string_view Octets);

// "MATRICULE 00001, NOM DURAND Élodie": the character fields other than MOIS of the current
// record, how the user finds the payslip in the payroll application.
TChamps_Bulletin Champs_Bulletin(const dbase::TTable& Table);
std::string Identite(const TChamps_Bulletin& Champs);

}  // namespace recap
