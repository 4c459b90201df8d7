#include "KORVEX_procs.h"

#include "platform/Textes.h"
#include "platform/Caracteres.h"
#include "platform/Erreurs.h"
#include "platform/Invariant.h"
#include "platform/Entiers.h"
#include "platform/Montants.h"
#include "platform/Raccourcis.h"
#include "platform/Separateurs.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <optional>
#include <string_view>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <cpuid.h>
#include <immintrin.h>
#endif

namespace {

// A new decoding: nothing it stores is listed yet. Clearing the table: only the rubrics the last
// decoding stored can be non-zero (the decoder is the only writer of its table), so zeroing those
// few leaves the same 899 zeros as zeroing all of them, at a fraction of the cost: a payslip
// stores some forty. +0.0L is all zero bits: plain stores write it without the slow 80-bit store
// of the floating-point unit.
template <bool Montants>
void Effacer_Valeurs(TDecodage& d) {
  if constexpr (Montants)
    for (int r : d.Rubriques) std::memset(&(*d.Valeurs)[r], 0, sizeof(long double));
  d.Rubriques.clear();
  if (++d.Numero == 0) {  // after 2^32 decodings, numbers start again
    d.Numeros.fill(0);
    d.Numero = 1;
  }
}

// Inlined into the readers of the usual line, where a call costs as much as the store: GCC and
// Clang, the only compilers with the 80-bit long double, both take the attribute.
// Montants: the amounts go to the table, else their counts are appended; a decoding is one or
// the other from its first line to its last, and neither pays for the other. A rubric's later
// line replaces its amount.
template <bool Montants>
[[gnu::always_inline]] inline void Stocker(TDecodage& d, int rubrique, int64_t dix_milliemes) {
  const auto r = static_cast<size_t>(rubrique);
  const bool nouvelle = d.Numeros[r] != d.Numero;
  if (nouvelle) {
    d.Numeros[r] = d.Numero;
    if (Montants || d.Lister) d.Rubriques.push_back(rubrique);
  }
  if constexpr (Montants) {
    (*d.Valeurs)[rubrique] = Montant_De(dix_milliemes);
    d.Derniers[r] = dix_milliemes;
  } else {
    std::vector<int64_t>& comptes = (*d.Comptes)[r];
    if (nouvelle)
      comptes.push_back(dix_milliemes);
    else
      comptes.back() = dix_milliemes;
  }
}

constexpr char CR = 13;
constexpr char LF = 10;
constexpr char Fin_De_Fichier = 26;

[[noreturn]] void Erreur_Rubrique(std::string_view texte) {
  throw plateforme::EKorvex(textes::Rubrique_Incorrecte(texte));
}

constexpr unsigned Chiffre(char c) { return static_cast<unsigned>(static_cast<unsigned char>(c) - '0'); }

// The division rounds correctly, so it keeps the order of counts: an amount is negligible
// exactly when its count of ten-thousandths is, and the test needs no division.
constexpr int64_t Negligeable = 90;
static_assert(Montant_De(Negligeable) == Seuil_Negligeable && Montant_De(Negligeable - 1) < Seuil_Negligeable);

// The amount of a line whose rubric text and count are known, the count as its sign and
// magnitude: rubric 0 and a negligible amount store nothing, a rubric outside the table is an
// error.
template <bool Montants>
[[gnu::always_inline]] inline void Stocker_Ligne(TDecodage& d, std::string_view texte_rubrique, int32_t rubrique,
                                                bool negatif, uint64_t grandeur) {
  if (grandeur < static_cast<uint64_t>(Negligeable)) return;
  if (static_cast<uint32_t>(rubrique - TTAB_VALEURS::Premier) >= TTAB_VALEURS::Dernier) {
    if (rubrique == 0) return;
    Erreur_Rubrique(texte_rubrique);
  }
  Stocker<Montants>(d, rubrique, static_cast<int64_t>(negatif ? 0 - grandeur : grandeur));
}

template <bool Montants>
[[gnu::always_inline]] inline void Stocker_Ligne(TDecodage& d, std::string_view texte_rubrique, int32_t rubrique,
                                                int64_t dix_milliemes) {
  Stocker_Ligne<Montants>(d, texte_rubrique, rubrique, dix_milliemes < 0,
                          dix_milliemes < 0 ? 0 - static_cast<uint64_t>(dix_milliemes) : static_cast<uint64_t>(dix_milliemes));
}

// The line that starts at p[debut] when it is as the payroll application writes it: three
// digits, then an optional sign, digits and at most four decimals after a point, up to a CR, an
// LF or the body's end. Read and stored in the same pass that finds its end (set in fin); any
// other line takes the general rules, which would give this one the same rubric and count.
template <bool Montants>
bool Ligne_Courante(TDecodage& d, const char* p, size_t n, size_t debut, size_t& fin) {
  constexpr size_t Chiffres_Entiers_Max = 14;  // with four decimals, well within 64 bits
  if (n - debut < 4) return false;
  const unsigned c0 = Chiffre(p[debut]), c1 = Chiffre(p[debut + 1]), c2 = Chiffre(p[debut + 2]);
  if (c0 > 9 || c1 > 9 || c2 > 9) return false;
  size_t i = debut + 3;
  const bool negatif = p[i] == '-';
  if (negatif || p[i] == '+') ++i;
  uint64_t valeur = 0;
  const size_t premier = i;
  for (unsigned c; i < n && (c = Chiffre(p[i])) <= 9; ++i) valeur = valeur * 10 + c;
  const size_t entiers = i - premier;
  size_t decimales = 0;
  if (i < n && p[i] == '.') {
    ++i;
    const size_t virgule = i;
    for (unsigned c; i < n && (c = Chiffre(p[i])) <= 9 && i - virgule < 5; ++i) valeur = valeur * 10 + c;
    decimales = i - virgule;
  } else if (entiers == 0) {
    return false;
  }
  if ((i < n && p[i] != CR && p[i] != LF) || entiers > Chiffres_Entiers_Max || decimales > 4) return false;
  static constexpr uint64_t Puissances[5] = {10000, 1000, 100, 10, 1};
  valeur *= Puissances[decimales];
  fin = i;
  Stocker_Ligne<Montants>(d, std::string_view(p + debut, 3), static_cast<int32_t>(c0 * 100 + c1 * 10 + c2), negatif,
                          valeur);
  return true;
}

// Past the break at fin: CR LF, CR or LF.
size_t Apres_Retour(const char* p, size_t n, size_t fin) {
  if (fin < n && p[fin] == CR) ++fin;
  if (fin < n && p[fin] == LF) ++fin;
  return fin;
}

// A line too short for an amount is ignored when it is text: printable ASCII, a tab or an end
// mark, as a payroll application may leave; anything else is binary.
bool Ligne_Courte_Texte(std::string_view ligne) {
  for (const char c : ligne) {
    const auto o = static_cast<unsigned char>(c);
    if ((o < 32 && c != '\t' && c != Fin_De_Fichier) || o >= 0x7F) return false;
  }
  return true;
}

template <bool Montants>
void Decoder_Ligne(TDecodage& d, std::string_view ligne) {
  const size_t fin_rubrique = plateforme::Octets_Des_Caracteres(ligne, 3);
  if (fin_rubrique >= ligne.size()) {  // fewer than four characters
    if (!Ligne_Courte_Texte(ligne)) throw EPas_Texte(textes::Memo_Pas_Texte);
    return;
  }
  const std::string_view texte_rubrique = ligne.substr(0, fin_rubrique);
  const int32_t rubrique = plateforme::Texte_Vers_Entier(texte_rubrique);
  Stocker_Ligne<Montants>(d, texte_rubrique, rubrique, plateforme::Texte_Vers_Montant(ligne.substr(fin_rubrique), U'.'));
}

// The body: after the first line and the run of breaks behind it, without the memo's last
// character when that is a control character. False when there is nothing after the first line.
bool Trouver_Corps(std::string_view texte, std::string_view& corps) {
  size_t i = std::min(texte.find(CR), texte.size());
  while (i < texte.size() && (texte[i] == LF || texte[i] == CR || texte[i] == Fin_De_Fichier)) ++i;
  if (i >= texte.size()) return false;
  // A final printable character belongs to the last amount; only a terminator is dropped.
  const bool dernier_controle = static_cast<unsigned char>(texte.back()) < 32;
  corps = texte.substr(i, texte.size() - i - (dernier_controle ? 1 : 0));
  return true;
}

// The line at debut, whatever it holds; returns the next line's start. Amounts are read with a
// point whatever the user's separators, which are never set aside: a decoding touches nothing
// but its caller's state, so that several may run beside a window that formats numbers.
template <bool Montants>
size_t Lire_Ligne(TDecodage& d, const char* p, size_t n, size_t debut, bool courante) {
  size_t fin = debut;
  if (!courante || !Ligne_Courante<Montants>(d, p, n, debut, fin)) {
    while (fin < n && p[fin] != CR && p[fin] != LF) ++fin;
    Decoder_Ligne<Montants>(d, std::string_view(p + debut, fin - debut));
  }
  return Apres_Retour(p, n, fin);
}

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define KORVEX_LIGNES_SSE41 1

// ---- The usual line, read with SSE4.1 ----
// Nearly every line is three digits, perhaps a minus, one to eight digits, a point, two
// decimals and CR LF. Its 16 bytes, digits made '0', are compared at once to the form its point
// and minus call for, and its digits are put in place by one shuffle and summed by two
// multiply-adds.
//
// A worked example: rubric 004, 1520.00, then the next line's first bytes.
//   bytes        0  0  4  1  5  2  0  .  0  0  CR LF 0  0  5  1
//   position     0  1  2  3  4  5  6  7  8  9  10 11 12 13 14 15
//   digits mask  1  1  1  1  1  1  1  .  1  1  .  .  1  1  1  1      (value - '0' <= 9)
//   form         0  0  0  0  0  0  0  .  0  0  CR LF 0  0  0  0      (digits made '0')
// The first point is at 7 and byte 3 is no minus: Formes[0][7] holds "0000000.00" CR LF, which
// bytes 0 to 11 match (compares = 0xFFF; bytes 12 to 15 belong to the next line). Its places
// gather the digit values as
//   lanes        0  0  0  4 | 0  0  0  0  1  5  2  0 | 0  0  0  0
//                rubric     | integer, against point | cents, then 0
// one multiply-add of pairs (x 10, + 1) and one of pairs of pairs (x 100, + 1) give the fours
// 4, 0, 1520 and 0: the rubric 4, and (0 x 10000 + 1520) x 10000 + 0 = 15200000 ten-thousandths.
// The line is point + 5 = 12 bytes long: the next one starts at byte 12.

// By minus and point: the line's form ('0' for a digit) and the bytes it must match (bit 16 for
// no usual line), and where its digit values go: bytes 0-3 take 0 and the rubric's digits, 4-11
// the integer digits against the point, 12-15 the two decimals and zeros (0x80 gives a zero).
struct alignas(64) TForme {  // a cache line: its place in the table is two shifts
  char octets[16];
  uint8_t places[16];
  uint32_t compares;
};
constexpr std::array<std::array<TForme, 16>, 2> Formes = [] {
  std::array<std::array<TForme, 16>, 2> t{};
  for (int moins = 0; moins < 2; ++moins) {
    for (int point = 0; point < 16; ++point) {
      TForme& f = t[static_cast<size_t>(moins)][static_cast<size_t>(point)];
      for (int k = 0; k < 16; ++k) f.octets[k] = '0', f.places[k] = 0x80;
      f.places[1] = 0, f.places[2] = 1, f.places[3] = 2;
      for (int k = 11, source = point - 1; k >= 4 && source >= 3 + moins; --k, --source)
        f.places[k] = static_cast<uint8_t>(source);
      if (point < 3 + moins || point > 11) {  // no room for the rubric, or for CR LF
        f.compares = 0x10000;
        continue;
      }
      if (moins) f.octets[3] = '-';
      f.octets[point] = '.', f.octets[point + 3] = CR, f.octets[point + 4] = LF;
      f.places[12] = static_cast<uint8_t>(point + 1), f.places[13] = static_cast<uint8_t>(point + 2);
      f.compares = (1u << (point + 5)) - 1;
    }
  }
  return t;
}();

// The usual line at ligne, 16 bytes of which can be read: stored, with its length up to the
// next line set, or false for any other line, which nothing has touched.
template <bool Montants>
[[gnu::target("sse4.1")]] inline bool Ligne_Usuelle(TDecodage& d, const char* ligne, size_t& longueur) {
  const __m128i octets = _mm_loadu_si128(reinterpret_cast<const __m128i*>(ligne));
  const __m128i valeurs = _mm_sub_epi8(octets, _mm_set1_epi8('0'));
  const __m128i chiffres = _mm_cmpeq_epi8(_mm_min_epu8(valeurs, _mm_set1_epi8(9)), valeurs);
  const __m128i forme = _mm_blendv_epi8(octets, _mm_set1_epi8('0'), chiffres);
  const auto point = static_cast<unsigned>(
      std::countr_zero(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(octets, _mm_set1_epi8('.')))) | 0x8000u));
  const bool moins = ligne[3] == '-';
  const TForme& f = Formes[moins][point & 15];
  const auto egaux = static_cast<unsigned>(
      _mm_movemask_epi8(_mm_cmpeq_epi8(forme, _mm_load_si128(reinterpret_cast<const __m128i*>(f.octets)))));
  if ((egaux & f.compares) != f.compares) return false;
  const __m128i places = _mm_shuffle_epi8(valeurs, _mm_load_si128(reinterpret_cast<const __m128i*>(f.places)));
  // Pairs of digits, then fours: the rubric, the integer's high and low four digits, cents x 100.
  const __m128i quatre = _mm_madd_epi16(_mm_maddubs_epi16(places, _mm_set1_epi16(0x010A)), _mm_set1_epi32(0x00010064));
  const auto bas = static_cast<uint64_t>(_mm_cvtsi128_si64(quatre));
  const auto haut = static_cast<uint64_t>(_mm_extract_epi64(quatre, 1));
  const uint64_t valeur = ((bas >> 32) * 10000 + (haut & 0xFFFFFFFF)) * 10000 + (haut >> 32);
  longueur = point + 5;
  Stocker_Ligne<Montants>(d, std::string_view(ligne, 3), static_cast<int32_t>(bas & 0xFFFFFFFF), moins, valeur);
  return true;
}

// The lines of a body up to its first NUL, usual ones read above, the others as Lire_Ligne
// reads them. A usual line holds no NUL: the body is searched for one only from the first line
// that is not. The last lines are read from a copy with room behind them, an LF standing for the
// body's end: a line ends at its CR either way.
template <bool Montants>
[[gnu::target("sse4.1")]] void Decoder_Lignes_Sse41(TDecodage& d, const char* p, size_t n, bool courante) {
  size_t debut = 0, longueur = 0;
  while (n - debut >= 16 && Ligne_Usuelle<Montants>(d, p + debut, longueur)) debut += longueur;
  n = debut + std::min(n - debut, std::string_view(p + debut, n - debut).find('\0'));
  while (n - debut >= 16) {
    if (Ligne_Usuelle<Montants>(d, p + debut, longueur))
      debut += longueur;
    else
      debut = Lire_Ligne<Montants>(d, p, n, debut, courante);
  }
  while (debut < n) {
    alignas(16) char copie[32] = {};
    // Fewer than 16 bytes are left: with the LF behind them, the usual line reads 16 of the 32.
    KORVEX_INVARIANT(n - debut < 16);
    std::memcpy(copie, p + debut, n - debut);
    copie[n - debut] = LF;
    if (Ligne_Usuelle<Montants>(d, copie, longueur))
      debut = std::min(n, debut + longueur);
    else
      debut = Lire_Ligne<Montants>(d, p, n, debut, courante);
  }
}

// One CPUID leaf tells it (ECX of leaf 1): no reading of every CPU feature at each start, which
// costs tens of microseconds in a virtual machine.
bool Sse41_Present() {
  unsigned a = 0, b = 0, c = 0, d = 0;
  return __get_cpuid(1, &a, &b, &c, &d) != 0 && (c & bit_SSE4_1) != 0;
}
const bool Sse41 = Sse41_Present();
#endif

// Lines end at CR, LF or CR LF; a NUL ends the body. Amounts are read with a point.
template <bool Montants>
void Decoder_Lignes(TDecodage& d, std::string_view corps) {
  const plateforme::TRaccourcis raccourcis = plateforme::Raccourcis();
#ifdef KORVEX_LIGNES_SSE41
  if (Sse41 && raccourcis.Simd)
    return Decoder_Lignes_Sse41<Montants>(d, corps.data(), corps.size(), raccourcis.Ligne_Courante);
#endif
  corps = corps.substr(0, corps.find('\0'));
  for (size_t debut = 0; debut < corps.size();)
    debut = Lire_Ligne<Montants>(d, corps.data(), corps.size(), debut, raccourcis.Ligne_Courante);
}

template <bool Montants>
void Decoder(TDecodage& d, std::string_view texte) {
  Effacer_Valeurs<Montants>(d);
  std::string_view corps;
  if (Trouver_Corps(texte, corps)) Decoder_Lignes<Montants>(d, corps);
}

}  // namespace

void Memo_Montants_Decoder(std::string_view texte, TDecodage& Decodage) {
  if (!Decodage.Comptes) {
    KORVEX_INVARIANT(Decodage.Valeurs != nullptr);
    return Decoder<true>(Decodage, texte);
  }
  try {
    Decoder<false>(Decodage, texte);
  } catch (...) {
    for (int r = TTAB_VALEURS::Premier; r <= TTAB_VALEURS::Dernier; ++r)
      if (Decodage.Stockee(r)) (*Decodage.Comptes)[static_cast<size_t>(r)].pop_back();
    Effacer_Valeurs<false>(Decodage);  // nothing stored
    throw;
  }
}
