#include "platform/Textes.h"
#include "platform/Nombres.h"

#include "platform/Erreurs.h"
#include "platform/Separateurs.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace plateforme {

namespace {

bool Chiffre_Decimal(char c) { return c >= '0' && c <= '9'; }

int Valeur_Hexa(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

[[noreturn]] void Erreur_Entier(std::string_view texte) { throw EKorvex(textes::Entier_Incorrect(texte)); }

// Length of the hexadecimal prefix at the start of the text: "$", "x", "X", "0x", "0X".
size_t Prefixe_Hexa(std::string_view t) {
  if (t.empty()) return 0;
  if (t[0] == '$' || t[0] == 'x' || t[0] == 'X') return 1;
  if (t.size() >= 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) return 2;
  return 0;
}

// One or more hexadecimal digits up to the end, at most eight: a 32-bit pattern.
bool Lire_Hexa(std::string_view chiffres, int32_t& resultat) {
  if (chiffres.empty() || chiffres.size() > 8) return false;
  uint32_t valeur = 0;
  for (char c : chiffres) {
    const int v = Valeur_Hexa(c);
    if (v < 0) return false;
    valeur = (valeur << 4) | static_cast<uint32_t>(v);
  }
  resultat = static_cast<int32_t>(valeur);
  return true;
}

// Optional sign, then one or more decimal digits up to the end, within 32 bits.
bool Lire_Decimal(std::string_view t, int32_t& resultat) {
  const bool negatif = !t.empty() && t[0] == '-';
  if (!t.empty() && (t[0] == '-' || t[0] == '+')) t.remove_prefix(1);
  if (t.empty()) return false;
  const int64_t limite = negatif ? 2147483648LL : 2147483647LL;
  int64_t valeur = 0;
  for (char c : t) {
    if (!Chiffre_Decimal(c)) return false;
    valeur = valeur * 10 + (c - '0');
    if (valeur > limite) return false;
  }
  resultat = static_cast<int32_t>(negatif ? -valeur : valeur);
  return true;
}

}  // namespace

int32_t Texte_Vers_Entier(std::string_view texte) {
  std::string_view t = texte;
  while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
  int32_t resultat = 0;
  const size_t prefixe = Prefixe_Hexa(t);
  const bool correct =
      prefixe > 0 ? Lire_Hexa(t.substr(prefixe), resultat) : Lire_Decimal(t, resultat);
  if (!correct) Erreur_Entier(texte);
  return resultat;
}


// ---------------------------------------------------------------------------------------------
// Amount rules. The value is worked out on the decimal text itself, so that the count of
// ten-thousandths is exact whatever the length of the text.

namespace {

[[noreturn]] void Erreur_Montant(std::string_view texte) { throw EKorvex(textes::Flottant_Incorrect(texte)); }

// The digits of an amount text: the integer part, the fraction part and the exponent.
struct Montant_Decompose {
  std::string_view entier;
  std::string_view fraction;
  int64_t exposant = 0;
  bool negatif = false;
};

size_t Fin_Chiffres(std::string_view t, size_t i) {
  while (i < t.size() && Chiffre_Decimal(t[i])) ++i;
  return i;
}

// Exponent digits are read while the exponent read so far is below 500.
bool Lire_Exposant(std::string_view t, size_t& i, int64_t& exposant) {
  bool negatif = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negatif = t[i++] == '-';
  int64_t valeur = 0;
  for (; i < t.size() && Chiffre_Decimal(t[i]); ++i) {
    if (valeur >= 500) return false;
    valeur = valeur * 10 + (t[i] - '0');
  }
  exposant = negatif ? -valeur : valeur;
  return true;
}

bool Decomposer_Montant(std::string_view t, std::string_view separateur, Montant_Decompose& m) {
  size_t i = 0;
  while (i < t.size() && t[i] == ' ') ++i;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) m.negatif = t[i++] == '-';
  size_t fin = Fin_Chiffres(t, i);
  m.entier = t.substr(i, fin - i);
  i = fin;
  bool separateur_vu = false;
  // First byte before the rest: this test runs for every amount.
  if (i < t.size() && !separateur.empty() && t[i] == separateur[0] &&
      (separateur.size() == 1 || t.substr(i, separateur.size()) == separateur)) {
    separateur_vu = true;
    i += separateur.size();
    fin = Fin_Chiffres(t, i);
    m.fraction = t.substr(i, fin - i);
    i = fin;
  }
  if (m.entier.empty() && m.fraction.empty() && !separateur_vu) return false;
  if (i < t.size() && (t[i] == 'E' || t[i] == 'e')) {
    ++i;
    if (!Lire_Exposant(t, i, m.exposant)) return false;
  }
  while (i < t.size() && t[i] == ' ') ++i;
  return i == t.size();
}

// The digits of the integer part followed by those of the fraction, as one sequence.
struct Suite_Chiffres {
  const Montant_Decompose& m;
  int operator[](size_t j) const {
    return j < m.entier.size() ? m.entier[j] - '0' : m.fraction[j - m.entier.size()] - '0';
  }
  size_t size() const { return m.entier.size() + m.fraction.size(); }
};

uint64_t Accumuler(const Suite_Chiffres& c, size_t debut, size_t fin) {
  uint64_t valeur = 0;
  for (size_t j = debut; j < fin; ++j) valeur = valeur * 10 + static_cast<uint64_t>(c[j]);
  return valeur;
}

// Magnitude times 10^4, rounded half to even; false when it has more than 19 digits.
bool Dix_Milliemes(const Montant_Decompose& m, uint64_t& resultat) {
  const Suite_Chiffres c{m};
  size_t debut = 0, fin = c.size();
  while (debut < fin && c[debut] == 0) ++debut;
  if (debut == fin) {
    resultat = 0;
    return true;
  }
  while (c[fin - 1] == 0) --fin;
  // Value = digits[debut, fin) x 10^echelle, in ten-thousandths.
  const int64_t echelle = m.exposant - static_cast<int64_t>(m.fraction.size()) + 4 +
                          static_cast<int64_t>(c.size() - fin);
  const int64_t significatifs = static_cast<int64_t>(fin - debut);
  const int64_t entiers = significatifs + echelle;
  if (entiers > 19) return false;
  if (echelle >= 0) {
    resultat = Accumuler(c, debut, fin);
    for (int64_t k = 0; k < echelle; ++k) resultat *= 10;
    return true;
  }
  if (entiers < 0) {
    resultat = 0;
    return true;
  }
  const size_t coupure = debut + static_cast<size_t>(entiers);
  resultat = Accumuler(c, debut, coupure);
  const int arrondi = c[coupure];
  const bool reste = coupure + 1 < fin;  // trailing zeros are gone: anything left is non-zero
  if (arrondi > 5 || (arrondi == 5 && (reste || (resultat & 1) != 0))) ++resultat;
  return true;
}

struct Separateur_Utf8 {
  char octets[4];
  size_t taille;
  std::string_view vue() const { return {octets, taille}; }
};

}  // namespace

// Writes a code point as UTF-8 into four bytes; returns how many it took.
size_t Encoder_Utf8(char32_t c, char (&octets)[4]) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
  const auto o = [](char32_t v) { return static_cast<char>(v); };
  if (c < 0x80) {
    octets[0] = o(c);
    return 1;
  }
  if (c < 0x800) {
    octets[0] = o(0xC0 | (c >> 6));
    octets[1] = o(0x80 | (c & 0x3F));
    return 2;
  }
  if (c < 0x10000) {
    octets[0] = o(0xE0 | (c >> 12));
    octets[1] = o(0x80 | ((c >> 6) & 0x3F));
    octets[2] = o(0x80 | (c & 0x3F));
    return 3;
  }
  octets[0] = o(0xF0 | (c >> 18));
  octets[1] = o(0x80 | ((c >> 12) & 0x3F));
  octets[2] = o(0x80 | ((c >> 6) & 0x3F));
  octets[3] = o(0x80 | (c & 0x3F));
  return 4;
}


int64_t Texte_Vers_Montant(std::string_view texte, char32_t separateur_decimal) {
  Separateur_Utf8 separateur{};
  separateur.taille = Encoder_Utf8(separateur_decimal, separateur.octets);
  Montant_Decompose m;
  uint64_t grandeur = 0;
  if (!Decomposer_Montant(texte, separateur.vue(), m) || !Dix_Milliemes(m, grandeur))
    Erreur_Montant(texte);
  const uint64_t limite = m.negatif ? (uint64_t{1} << 63) : (uint64_t{1} << 63) - 1;
  if (grandeur > limite) Erreur_Montant(texte);
  return m.negatif ? static_cast<int64_t>(0 - grandeur) : static_cast<int64_t>(grandeur);
}

int64_t Texte_Vers_Montant(std::string_view texte) {
  return Texte_Vers_Montant(texte, DecimalSeparator());
}

// ---------------------------------------------------------------------------------------------
// UTF-8

void Ajouter_Utf8(std::string& texte, char32_t caractere) {
  char octets[4];
  texte.append(octets, Encoder_Utf8(caractere, octets));
}

size_t Taille_Caractere_Utf8(std::string_view t, size_t i) {
  const auto octet = [&](size_t k) { return static_cast<unsigned char>(t[k]); };
  const unsigned char o = octet(i);
  if (o < 0x80) return 1;
  // Continuation count and the allowed range of the second byte: no overlong form,
  // no surrogate, nothing beyond U+10FFFF.
  size_t suite = 0;
  unsigned char min2 = 0x80, max2 = 0xBF;
  if (o >= 0xC2 && o <= 0xDF) {
    suite = 1;
  } else if (o >= 0xE0 && o <= 0xEF) {
    suite = 2;
    if (o == 0xE0) min2 = 0xA0;
    if (o == 0xED) max2 = 0x9F;
  } else if (o >= 0xF0 && o <= 0xF4) {
    suite = 3;
    if (o == 0xF0) min2 = 0x90;
    if (o == 0xF4) max2 = 0x8F;
  } else {
    return 1;
  }
  if (suite >= t.size() - i) return 1;
  if (octet(i + 1) < min2 || octet(i + 1) > max2) return 1;
  for (size_t k = 2; k <= suite; ++k)
    if ((octet(i + k) & 0xC0) != 0x80) return 1;
  return suite + 1;
}

// ---------------------------------------------------------------------------------------------
// General number format. The exact decimal expansion of the 80-bit value is made with a big
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
