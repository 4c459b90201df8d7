#include "platform/Format_Nombres.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/Caracteres.h"

namespace plateforme {

// The exact decimal expansion of the 80-bit value is made with a big
// integer, so that the digits owe nothing to the C library or its locale.

namespace {

// An 80-bit value as sign, 64-bit mantissa and binary exponent: valeur = mantisse x 2^exposant.
struct Binaire_Etendu {
  bool negatif = false;
  bool infini = false;
  bool nan = false;
  uint64_t mantisse = 0;
  int exposant = 0;
};

Binaire_Etendu Decomposer_Etendu(long double valeur) {
  unsigned char octets[sizeof(long double)];
  std::memcpy(octets, &valeur, sizeof valeur);
  Binaire_Etendu b;
  std::memcpy(&b.mantisse, octets, 8);
  const unsigned champ = static_cast<unsigned>(octets[8]) | (static_cast<unsigned>(octets[9]) << 8);
  b.negatif = (champ & 0x8000) != 0;
  const int exposant = static_cast<int>(champ & 0x7FFF);
  if (exposant == 0x7FFF) {
    b.nan = (b.mantisse << 1) != 0;
    b.infini = !b.nan;
  }
  b.exposant = (exposant == 0 ? 1 : exposant) - 16383 - 63;
  return b;
}

using Grand_Entier = std::vector<uint32_t>;  // base 2^32, least significant word first

void Multiplier(Grand_Entier& n, uint32_t facteur) {
  uint64_t retenue = 0;
  for (uint32_t& mot : n) {
    const uint64_t p = uint64_t{mot} * facteur + retenue;
    mot = static_cast<uint32_t>(p);
    retenue = p >> 32;
  }
  if (retenue != 0) n.push_back(static_cast<uint32_t>(retenue));
}

// Divides by 10^9 in place and returns the remainder.
uint32_t Diviser_Milliard(Grand_Entier& n) {
  uint64_t reste = 0;
  for (size_t k = n.size(); k-- > 0;) {
    const uint64_t courant = (reste << 32) | n[k];
    n[k] = static_cast<uint32_t>(courant / 1000000000u);
    reste = courant % 1000000000u;
  }
  while (!n.empty() && n.back() == 0) n.pop_back();
  return static_cast<uint32_t>(reste);
}

std::string Chiffres_Decimaux(Grand_Entier n) {
  std::string chiffres;
  while (!n.empty()) {
    uint32_t bloc = Diviser_Milliard(n);
    for (int k = 0; k < 9; ++k, bloc /= 10) chiffres += static_cast<char>('0' + bloc % 10);
  }
  while (chiffres.size() > 1 && chiffres.back() == '0') chiffres.pop_back();
  std::reverse(chiffres.begin(), chiffres.end());
  return chiffres;
}

// Exact decimal digits of m x 2^e: valeur = 0.chiffres x 10^exposant_decimal.
struct Decimal_Exact {
  std::string chiffres;
  int exposant_decimal = 0;
};

Decimal_Exact Developper(uint64_t m, int e) {
  while ((m & 1) == 0 && e < 0) {
    m >>= 1;
    ++e;
  }
  Grand_Entier n{static_cast<uint32_t>(m), static_cast<uint32_t>(m >> 32)};
  int puissance_dix = 0;
  if (e >= 0) {
    n.insert(n.begin(), static_cast<size_t>(e / 32), 0u);
    for (int k = 0; k < e % 32; ++k) Multiplier(n, 2);
  } else {
    // m / 2^k = m x 5^k / 10^k
    puissance_dix = e;
    int k = -e;
    for (; k >= 13; k -= 13) Multiplier(n, 1220703125u);  // 5^13
    for (; k > 0; --k) Multiplier(n, 5);
  }
  while (!n.empty() && n.back() == 0) n.pop_back();
  Decimal_Exact d;
  d.chiffres = Chiffres_Decimaux(std::move(n));
  d.exposant_decimal = static_cast<int>(d.chiffres.size()) + puissance_dix;
  return d;
}

// Adds one unit at the last digit; a carry out of the first digit shifts the exponent.
void Incrementer(Decimal_Exact& d) {
  for (size_t k = d.chiffres.size(); k-- > 0;) {
    if (d.chiffres[k] != '9') {
      ++d.chiffres[k];
      return;
    }
    d.chiffres[k] = '0';
  }
  d.chiffres.insert(d.chiffres.begin(), '1');
  d.chiffres.pop_back();
  ++d.exposant_decimal;
}

// 18 digits rounded to nearest (ties to even), as the coprocessor's decimal store gives them.
void Arrondir_18(Decimal_Exact& d) {
  if (d.chiffres.size() <= 18) return;
  const char suivant = d.chiffres[18];
  const bool reste = d.chiffres.find_first_not_of('0', 19) != std::string::npos;
  const bool impair = ((d.chiffres[17] - '0') & 1) != 0;
  d.chiffres.resize(18);
  if (suivant > '5' || (suivant == '5' && (reste || impair))) Incrementer(d);
}

// Then 15 digits, half up on the sixteenth, trailing zeros dropped.
void Arrondir_15(Decimal_Exact& d) {
  if (d.chiffres.size() > 15) {
    const bool haut = d.chiffres[15] >= '5';
    d.chiffres.resize(15);
    if (haut) Incrementer(d);
  }
  const size_t fin = d.chiffres.find_last_not_of('0');
  d.chiffres.resize(fin == std::string::npos ? 1 : fin + 1);
}

void Ecrire_Plain(std::string& r, const Decimal_Exact& d, const std::string& separateur) {
  const std::string& c = d.chiffres;
  const int x = d.exposant_decimal;
  if (x <= 0) {
    r += '0';
    r += separateur;
    r.append(static_cast<size_t>(-x), '0');
    r += c;
    return;
  }
  const size_t entiers = static_cast<size_t>(x);
  r.append(c, 0, std::min(entiers, c.size()));
  if (entiers > c.size()) r.append(entiers - c.size(), '0');
  if (entiers < c.size()) {
    r += separateur;
    r.append(c, entiers, std::string::npos);
  }
}

void Ecrire_Scientifique(std::string& r, const Decimal_Exact& d, const std::string& separateur) {
  r += d.chiffres[0];
  if (d.chiffres.size() > 1) {
    r += separateur;
    r.append(d.chiffres, 1, std::string::npos);
  }
  r += 'E';
  const int exposant = d.exposant_decimal - 1;
  if (exposant < 0) r += '-';
  r += std::to_string(exposant < 0 ? -exposant : exposant);
}

}  // namespace

std::string Format_General(long double valeur, char32_t separateur_decimal) {
  const Binaire_Etendu b = Decomposer_Etendu(valeur);
  std::string r;
  if (b.nan) return "NAN";
  if (b.negatif && b.mantisse != 0) r += '-';
  if (b.infini) return r + "INF";
  if (b.mantisse == 0) return "0";
  Decimal_Exact d = Developper(b.mantisse, b.exposant);
  Arrondir_18(d);
  Arrondir_15(d);
  std::string separateur;
  Ajouter_Utf8(separateur, separateur_decimal);
  // 0.0001 <= value < 1E15 is plain: 0.1E-3 up to 0.999...E15.
  if (d.exposant_decimal >= -3 && d.exposant_decimal <= 15)
    Ecrire_Plain(r, d, separateur);
  else
    Ecrire_Scientifique(r, d, separateur);
  return r;
}

}  // namespace plateforme
