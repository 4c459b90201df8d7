// What no scan may count as it stands, though every file is sound in its structure: records
// whose month field holds no month, which the month asked may have been, and records whose memo
// pointers name one block, deleted ones included, whose amounts no rule can give to one of them.
// The scan notes both as it meets every record; once it is over, this says what they are.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dbase/Table.h"
#include "platform/Fichiers.h"
#include "platform/Octets.h"
#include "recap/Bulletins.h"
#include "recap/Periode.h"

namespace recap {

namespace interne {

// Where a scan reads: the folder as typed, the renamed table as messages name it, and the I/O
// hook that each of its files takes, read once where the scan starts.
struct TSource {
  std::string Chemin, Nom;
  plateforme::TInjecteurPannes Injecteur;
};

}  // namespace interne

// The months of the records shown, as a scan meets them in the table's order: of the fields
// that hold no month, how many and the first ones with their bytes; of the others, the first
// and the last month in the calendar.
struct TMois_Vus {
  int64_t Nombre = 0;
  std::vector<std::pair<int64_t, std::string>> Premiers;  // record, bytes as Octets_Visibles shows them
  std::optional<TPeriode> Etendue;

  void Noter(int64_t Enregistrement, std::string_view Octets);
  // A month mm-aaaa, checked by Mois_Valide.
  void Noter_Valide(std::string_view Debut_Mois);
  // The notes of the records that come next.
  void Ajouter(const TMois_Vus& Suite);

private:
  void Etendre(const TPeriode& Mois);
};

// The memo blocks that a scan's records name: a bit per block of the memo file, and the blocks
// met twice. A scan on several threads has one a thread, joined at its end.
class TBlocs_Vus {
public:
  // A bitmap, unless the tests switched the fast paths off: then sorted pointers, read exactly.
  explicit TBlocs_Vus(uint64_t Blocs = 0);
  // The blocks of every record of a series shown or deleted (a deleted record keeps its memo:
  // no other may name it). A wrong flag may be taken for either: that costs a check, never a
  // block missed.
  void Noter_Serie(const dbase::TSerie& Serie, const dbase::TChamp_Serie& Pointeurs);
  void Noter(uint64_t Bloc) {
    if (Bloc == 0 || Bloc >= blocs_) return;  // no memo, or one that the reading finds beyond the file
    if (carte_.empty()) return tous_.push_back(Bloc);
    uint64_t& mot = carte_[static_cast<size_t>(Bloc / 64)];
    const uint64_t bit = uint64_t{1} << (Bloc % 64);
    if (mot & bit) doubles_.push_back(Bloc);
    mot |= bit;
  }
  void Joindre(TBlocs_Vus& Autre);
  // Each block met more than once, in increasing order.
  std::vector<uint64_t> Doubles();

private:
  uint64_t blocs_;
  bool rapides_;  // pointers read a word at a time
  std::vector<uint64_t> carte_, tous_, doubles_;
};

// The block a memo pointer names, 0 for none or a pointer that is not a number.
uint64_t Bloc_Memo_Exact(const dbase::TChamp_Serie& Montants, const char* Enregistrement);

// The block that a record's memo pointer names, in a few instructions: the usual spelling, at
// most eight digits right-aligned behind blanks or zeros, is read a word at a time, its bytes
// taken for digits unchecked; any other goes through Bloc_Memo. A damaged pointer of the usual
// form thus gives some number instead of none, never another number for a sound one: the
// blocks met twice are read again exactly, so a wrong number costs only that.
// Eight digits in a word, the first in its lowest byte, a blank or a NUL counting as 0: pairs,
// fours, then eights.
inline uint64_t Huit_Chiffres(uint64_t mot) {
  uint64_t valeur = mot & 0x0F0F0F0F0F0F0F0Full;
  valeur = (valeur * 2561) >> 8;
  valeur = ((valeur & 0x00FF00FF00FF00FFull) * 6553601) >> 16;
  return ((valeur & 0x0000FFFF0000FFFFull) * 42949672960001ull) >> 32;
}

inline uint64_t Bloc_Approche(const dbase::TChamp_Serie& Montants, const char* Enregistrement) {
  const std::string_view p = Montants.Octets(Enregistrement);
  // (c & 0xCF) == 0: a blank, a "0" or a NUL (and 0x10, whose pointer is damaged anyway).
  if (p.size() == 10 && (plateforme::Lire_16_Petit(p.data()) & 0xCFCF) == 0 &&
      static_cast<unsigned char>(p[9] - '0') <= 9)
    return Huit_Chiffres(plateforme::Lire_64_Petit(p.data() + 2));
  return Bloc_Memo_Exact(Montants, Enregistrement);
}

// What the reading leaves out and says, once every record has been met.
struct TControle_Paies {
  // In increasing order: the records shown whose memo another record names, when one of those
  // records is of the scan's choice.
  std::vector<int64_t> Exclus;
  TAvertissements Avertissements;
  // The first and the last month that the table's records hold, when one holds a month.
  std::optional<TPeriode> Mois_Table;

  bool Exclu(int64_t Enregistrement) const {
    return !Exclus.empty() && std::binary_search(Exclus.begin(), Exclus.end(), Enregistrement);
  }
};

// Names the records whose month is none, and finds exactly which records name the blocks met
// twice: those shown are excluded, and all named, when one of them is of Choix. Opens the
// renamed table only when there is something to name.
TControle_Paies Conclure_Controle(const interne::TSource& Source, const TChoix& Choix, const TMois_Vus& Mois,
                                  const std::vector<uint64_t>& Doubles);

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
