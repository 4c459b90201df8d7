// The value of one field of a record: its text and its integer, memo pointers aside.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dbase/Pages_Code.h"
#include "dbase/Structure.h"

namespace dbase::interne {

// Visual FoxPro: the field's bit of _NullFlags says it holds no value.
bool Est_Nul(const TStructure& s, const TChamp& c, const char* enregistrement);

// The text of a field that is not a memo.
std::string Texte_Valeur(const TStructure& s, const TChamp& c, const char* enregistrement,
                         const TPageCode& page);

// A character field's stored bytes as its text takes them: up to the first NUL, without the
// trailing blanks; in the table's page.
std::string_view Octets_Texte(const TChamp& c, const char* enregistrement);

// The block a memo pointer names (0: no memo). False when the bytes are not a block number.
bool Bloc_Memo(const TChamp& c, const char* enregistrement, uint64_t& bloc);
// The same from a pointer's n bytes: 4 binary (Visual FoxPro), else a number in text.
bool Lire_Bloc_Memo(const char* pointeur, size_t n, uint64_t& bloc);

enum class TLecture { Correcte, Incorrecte, Debordement };

// A numeric field's text rounded to the nearest integer, ties to even, from its decimal digits;
// blank is 0.
TLecture Entier_De_Numerique(std::string_view texte, int32_t& valeur);

// The integer of a binary number field (I, B, O, Y), rounded to nearest, ties to even.
TLecture Entier_De_Binaire(const TChamp& c, const char* enregistrement, int32_t& valeur);

// The field's bytes with blanks (and NULs) trimmed at both ends: a numeric field's text.
std::string_view Texte_Numerique(const TChamp& c, const char* enregistrement);

}  // namespace dbase::interne
