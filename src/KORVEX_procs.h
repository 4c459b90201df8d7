// Plain procedures shared by the recap: the per-rubric amount table and the memo decoder.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Erreurs.h"

static_assert(std::numeric_limits<long double>::digits == 64,
              "Les montants exigent la précision étendue : un long double à mantisse de 64 bits "
              "(x86 avec GCC, Clang ou MinGW). MSVC n'a qu'un long double de 53 bits.");

// Amounts indexed by rubric number 1 to 899, in 80-bit extended precision.
class TTAB_VALEURS {
public:
  static constexpr int Premier = 1;
  static constexpr int Dernier = 899;

  long double& operator[](int rubrique) { return valeurs_[rubrique - Premier]; }
  long double operator[](int rubrique) const { return valeurs_[rubrique - Premier]; }
  void Effacer() { valeurs_.fill(0.0L); }

private:
  std::array<long double, Dernier - Premier + 1> valeurs_{};
};

// Amounts whose magnitude is below this are negligible: the extended value nearest 0.009.
inline constexpr long double Seuil_Negligeable = 0.009L;

// Counts of ten-thousandths by rubric, each rubric's in the order of the decodings that stored it.
using TComptes_Rubriques = std::array<std::vector<int64_t>, TTAB_VALEURS::Dernier + 1>;

// A decoder's state, owned by its caller: each decoding touches this and nothing else. Into a
// table (Valeurs), a decoding lists in Rubriques what it stores, each rubric once, in the order of
// its first line, and puts their amounts into the table and their counts into Derniers; into
// counts (Comptes set), it appends each one's last count to (*Comptes)[rubrique], lists them too
// when Lister is set, and Stockee tells which it appended to.
struct TDecodage {
  explicit TDecodage(TTAB_VALEURS* Table = nullptr) : Valeurs(Table) {}
  TTAB_VALEURS* Valeurs;
  TComptes_Rubriques* Comptes = nullptr;
  bool Lister = false;
  std::vector<int> Rubriques;
  std::array<int64_t, TTAB_VALEURS::Dernier + 1> Derniers{};
  // The decoding that last stored each rubric: a rubric is known as stored without clearing a
  // table of 899 flags for every memo, nor listing it.
  std::array<uint32_t, TTAB_VALEURS::Dernier + 1> Numeros{};
  uint32_t Numero = 0;

  // Whether the last decoding stored this rubric (1 to 899).
  bool Stockee(int rubrique) const { return Numeros[static_cast<size_t>(rubrique)] == Numero; }
};

// A memo whose body holds a line too short for an amount with a byte that no text of amounts
// has: a scrambled block whose first line happens to be printable, not a payslip.
class EPas_Texte : public plateforme::EKorvex {
public:
  using EKorvex::EKorvex;
};

// The amount of a count of ten-thousandths, as the decoder stores it.
constexpr long double Montant_De(int64_t dix_milliemes) { return static_cast<long double>(dix_milliemes) / 10000.0L; }

// Decodes the text of one MONTANTS memo (UTF-8) into the caller's state: its table cleared and
// filled (every entry but the listed ones is zero, so a total need only add those: a payslip
// fills some forty of the 899), or its counts appended. Amounts are read with a point; the
// user's separators are never set aside, so that several threads may decode at once.
// Raises plateforme::EKorvex with the conversion error of the first bad line, or the rubric
// error for a number outside 1 to 899 with an amount that is not negligible, or EPas_Texte for
// a line of one to three characters that holds a control byte (the tab and 0x1A aside) or a
// character beyond ASCII. Into a table, the lines before it stay stored; into counts, a
// decoding that raises appends nothing.
void Memo_Montants_Decoder(std::string_view texte, TDecodage& Decodage);
