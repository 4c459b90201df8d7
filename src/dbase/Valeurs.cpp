#include "platform/Textes.h"
#include "dbase/Valeurs.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "dbase/Format.h"

namespace dbase::interne {

namespace {

constexpr int64_t Jour_Julien_1970 = 2440588;
constexpr int64_t Jours_0001_A_1970 = 719162;
constexpr int64_t Ms_Par_Jour = 86400000;

using format::Lire_32_Grand;
using format::Lire_32_Petit;
using format::Lire_64_Grand;
using format::Lire_64_Petit;

bool Tout_Zero(const char* p, size_t n) {
  for (size_t i = 0; i < n; ++i)
    if (p[i] != 0) return false;
  return true;
}

int32_t Entier_Binaire(const TChamp& c, const char* v) {
  if (c.gros_boutiste_signe) return static_cast<int32_t>(Lire_32_Grand(v) ^ 0x80000000u);
  return static_cast<int32_t>(Lire_32_Petit(v));
}

// dBase 7 stores doubles big-endian, positives with the sign bit set, negatives with every bit inverted.
double Double_Binaire(const TChamp& c, const char* v) {
  uint64_t bits = Lire_64_Petit(v);
  if (c.gros_boutiste_signe) {
    bits = Lire_64_Grand(v);
    bits = (bits >> 63) ? bits & ~(uint64_t{1} << 63) : ~bits;
  }
  double d;
  std::memcpy(&d, &bits, 8);
  return d;
}

// dBase 7 binary fields of zeros hold no value.
bool Binaire_Vide(const TChamp& c, const char* v) { return c.gros_boutiste_signe && Tout_Zero(v, c.longueur); }

void Ajouter_Chiffres(std::string& s, int64_t valeur, int largeur) {
  char tampon[24];
  auto r = std::to_chars(tampon, tampon + sizeof tampon, valeur);
  for (int n = static_cast<int>(r.ptr - tampon); n < largeur; ++n) s += '0';
  s.append(tampon, r.ptr);
}

// Days since 1970-01-01 to a civil date (proleptic Gregorian).
void Date_Civile(int64_t jours, int64_t& a, int& m, int& j) {
  jours += 719468;
  const int64_t ere = (jours >= 0 ? jours : jours - 146096) / 146097;
  const int64_t jde = jours - ere * 146097;
  const int64_t ade = (jde - jde / 1460 + jde / 36524 - jde / 146096) / 365;
  const int64_t jda = jde - (365 * ade + ade / 4 - ade / 100);
  const int64_t mp = (5 * jda + 2) / 153;
  j = static_cast<int>(jda - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  a = ade + ere * 400 + (m <= 2);
}

std::string Date_Heure(int64_t jours, int64_t ms) {
  int64_t a;
  int m, j;
  Date_Civile(jours, a, m, j);
  std::string s;
  Ajouter_Chiffres(s, j, 2);
  s += '/';
  Ajouter_Chiffres(s, m, 2);
  s += '/';
  Ajouter_Chiffres(s, a, 4);
  if (ms >= 0) {
    const int64_t secondes = ms / 1000;
    s += ' ';
    Ajouter_Chiffres(s, secondes / 3600 % 24, 2);
    s += ':';
    Ajouter_Chiffres(s, secondes / 60 % 60, 2);
    s += ':';
    Ajouter_Chiffres(s, secondes % 60, 2);
  }
  return s;
}

std::string Texte_Date(const char* v, const TPageCode& page) {
  int64_t valeur[3] = {0, 0, 0};
  const int tailles[3] = {4, 2, 2};
  const char* p = v;
  for (int k = 0; k < 3; ++k) {
    for (int i = 0; i < tailles[k]; ++i, ++p) {
      if (*p < '0' || *p > '9') {
        std::string brut;
        std::string_view t(v, 8);
        while (!t.empty() && (t.back() == ' ' || t.back() == '\0')) t.remove_suffix(1);
        while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
        Ajouter_Depuis_Page(brut, t.data(), t.size(), page);
        return brut;
      }
      valeur[k] = valeur[k] * 10 + (*p - '0');
    }
  }
  if (valeur[0] == 0 && valeur[1] == 0 && valeur[2] == 0) return {};
  std::string s;
  Ajouter_Chiffres(s, valeur[2], 2);
  s += '/';
  Ajouter_Chiffres(s, valeur[1], 2);
  s += '/';
  Ajouter_Chiffres(s, valeur[0], 4);
  return s;
}

std::string Texte_Monnaie(int64_t valeur) {
  std::string s;
  uint64_t a = valeur < 0 ? 0 - static_cast<uint64_t>(valeur) : static_cast<uint64_t>(valeur);
  if (valeur < 0) s += '-';
  char tampon[24];
  auto r = std::to_chars(tampon, tampon + sizeof tampon, a / 10000);
  s.append(tampon, r.ptr);
  uint64_t fraction = a % 10000;
  if (fraction != 0) {
    char f[4];
    for (int i = 3; i >= 0; --i, fraction /= 10) f[i] = static_cast<char>('0' + fraction % 10);
    int n = 4;
    while (f[n - 1] == '0') --n;
    s += '.';
    s.append(f, static_cast<size_t>(n));
  }
  return s;
}

std::string Texte_Double(double d) {
  char tampon[40];
  auto r = std::to_chars(tampon, tampon + sizeof tampon, d);
  return std::string(tampon, r.ptr);
}

size_t Longueur_Variable(const TStructure& s, const TChamp& c, const char* enregistrement) {
  if (c.bit_longueur < 0 || s.indicateurs < 0) return c.longueur;
  const char* drapeaux = enregistrement + s.champs[static_cast<size_t>(s.indicateurs)].decalage;
  if (!((drapeaux[c.bit_longueur >> 3] >> (c.bit_longueur & 7)) & 1)) return c.longueur;
  // A shorter value keeps its length in the field's last byte.
  const size_t n = c.longueur == 0 ? 0 : static_cast<unsigned char>(enregistrement[c.decalage + c.longueur - 1]);
  return n < c.longueur ? n : c.longueur;
}

// The bytes up to the first NUL, trailing blanks removed if asked.
std::string_view Octets_Jusqu_Au_Nul(const char* v, size_t n, bool couper_blancs) {
  const void* nul = std::memchr(v, 0, n);
  if (nul != nullptr) n = static_cast<size_t>(static_cast<const char*>(nul) - v);
  if (couper_blancs)
    while (n > 0 && v[n - 1] == ' ') --n;
  return {v, n};
}

std::string Texte_Brut(const char* v, size_t n, bool couper_blancs, const TPageCode& page) {
  const std::string_view octets = Octets_Jusqu_Au_Nul(v, n, couper_blancs);
  std::string s;
  Ajouter_Depuis_Page(s, octets.data(), octets.size(), page);
  return s;
}

std::string Texte_Horodatage(double ms) {
  if (!(std::fabs(ms) < 1e17)) return {};
  const int64_t total = static_cast<int64_t>(std::llround(ms));
  const int64_t jour = total / Ms_Par_Jour;  // Delphi's time stamps count 0001-01-01 as day 1
  return Date_Heure(jour - 1 - Jours_0001_A_1970, total % Ms_Par_Jour);
}

}  // namespace

bool Est_Nul(const TStructure& s, const TChamp& c, const char* enregistrement) {
  if (c.bit_nul < 0 || s.indicateurs < 0) return false;
  const char* drapeaux = enregistrement + s.champs[static_cast<size_t>(s.indicateurs)].decalage;
  return (drapeaux[c.bit_nul >> 3] >> (c.bit_nul & 7)) & 1;
}

std::string_view Texte_Numerique(const TChamp& c, const char* enregistrement) {
  std::string_view t(enregistrement + c.decalage, c.longueur);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\0')) t.remove_suffix(1);
  while (!t.empty() && (t.front() == ' ' || t.front() == '\0')) t.remove_prefix(1);
  return t;
}

std::string Texte_Valeur(const TStructure& s, const TChamp& c, const char* enregistrement,
                         const TPageCode& page) {
  const char* v = enregistrement + c.decalage;
  switch (c.genre) {
    case TGenre::Texte: return Texte_Brut(v, c.longueur, true, page);
    case TGenre::VarTexte: return Texte_Brut(v, Longueur_Variable(s, c, enregistrement), false, page);
    case TGenre::VarBinaire: return Texte_Brut(v, Longueur_Variable(s, c, enregistrement), false, page);
    case TGenre::Numerique: {
      std::string_view t = Texte_Numerique(c, enregistrement);
      std::string texte;
      Ajouter_Depuis_Page(texte, t.data(), t.size(), page);
      return texte;
    }
    case TGenre::Logique:
      if (c.longueur == 0) return {};
      switch (v[0]) {
        case 'T': case 't': case 'Y': case 'y': return textes::Vrai;
        case 'F': case 'f': case 'N': case 'n': return textes::Faux;
        default: return {};
      }
    case TGenre::Date: return Texte_Date(v, page);
    case TGenre::Entier: return Binaire_Vide(c, v) ? std::string() : std::to_string(Entier_Binaire(c, v));
    case TGenre::Double: return Binaire_Vide(c, v) ? std::string() : Texte_Double(Double_Binaire(c, v));
    case TGenre::Monnaie: return Texte_Monnaie(static_cast<int64_t>(Lire_64_Petit(v)));
    case TGenre::DateHeure:
      if (Tout_Zero(v, 8)) return {};
      return Date_Heure(static_cast<int32_t>(Lire_32_Petit(v)) - Jour_Julien_1970,
                        static_cast<int32_t>(Lire_32_Petit(v + 4)) < 0 ? 0 : static_cast<int32_t>(Lire_32_Petit(v + 4)));
    case TGenre::Horodatage: {
      if (Tout_Zero(v, 8)) return {};
      uint64_t bits = Lire_64_Grand(v) & ~(uint64_t{1} << 63);  // written with or without the flipped sign
      double ms;
      std::memcpy(&ms, &bits, 8);
      return Texte_Horodatage(ms);
    }
    default: return Texte_Brut(v, c.longueur, true, page);
  }
}

std::string_view Octets_Texte(const TChamp& c, const char* enregistrement) {
  return Octets_Jusqu_Au_Nul(enregistrement + c.decalage, c.longueur, true);
}

bool Bloc_Memo(const TChamp& c, const char* enregistrement, uint64_t& bloc) {
  return Lire_Bloc_Memo(enregistrement + c.decalage, c.longueur, bloc);
}

bool Lire_Bloc_Memo(const char* v, size_t n, uint64_t& bloc) {
  bloc = 0;
  if (n == 4) {
    bloc = Lire_32_Petit(v);
    return true;
  }
  size_t i = 0;
  while (i < n && (v[i] == ' ' || v[i] == '\0')) ++i;
  for (; i < n && v[i] >= '0' && v[i] <= '9'; ++i) {
    if (bloc > (UINT64_MAX - 9) / 10) return false;
    bloc = bloc * 10 + static_cast<uint64_t>(v[i] - '0');
  }
  while (i < n && (v[i] == ' ' || v[i] == '\0')) ++i;
  return i == n;
}

TLecture Entier_De_Numerique(std::string_view t, int32_t& valeur) {
  valeur = 0;
  if (t.empty()) return TLecture::Correcte;
  size_t i = 0;
  const size_t n = t.size();
  bool negatif = false;
  if (t[i] == '+' || t[i] == '-') negatif = t[i++] == '-';
  // The value is 0.d1d2d3... times ten to the power point; digits beyond the buffer only
  // matter as a sticky non-zero for the rounding.
  uint8_t chiffres[24];
  int nombre = 0;
  int64_t point = 0;
  bool reste = false, vu = false;
  auto Prendre = [&](int chiffre, bool entier) {
    vu = true;
    if (nombre == 0 && chiffre == 0) {
      if (!entier) --point;
      return;
    }
    if (entier) ++point;
    if (nombre < 24) chiffres[nombre++] = static_cast<uint8_t>(chiffre);
    else reste = reste || chiffre != 0;
  };
  for (; i < n && t[i] >= '0' && t[i] <= '9'; ++i) Prendre(t[i] - '0', true);
  if (i < n && t[i] == '.')
    for (++i; i < n && t[i] >= '0' && t[i] <= '9'; ++i) Prendre(t[i] - '0', false);
  if (!vu) return TLecture::Incorrecte;
  if (i < n && (t[i] == 'E' || t[i] == 'e')) {
    ++i;
    bool exposant_negatif = false;
    if (i < n && (t[i] == '+' || t[i] == '-')) exposant_negatif = t[i++] == '-';
    if (i == n) return TLecture::Incorrecte;
    int64_t exposant = 0;
    for (; i < n && t[i] >= '0' && t[i] <= '9'; ++i)
      if (exposant < 100000) exposant = exposant * 10 + (t[i] - '0');
    point += exposant_negatif ? -exposant : exposant;
  }
  if (i != n) return TLecture::Incorrecte;
  if (nombre == 0 || point < 0) return TLecture::Correcte;
  if (point > 10) return TLecture::Debordement;
  int64_t entier = 0;
  for (int64_t k = 0; k < point; ++k) entier = entier * 10 + (k < nombre ? chiffres[k] : 0);
  const int arrondi = point < nombre ? chiffres[point] : 0;
  for (int k = static_cast<int>(point) + 1; k < nombre; ++k) reste = reste || chiffres[k] != 0;
  if (arrondi > 5 || (arrondi == 5 && (reste || (entier & 1)))) ++entier;
  if (negatif) entier = -entier;
  if (entier < INT32_MIN || entier > INT32_MAX) return TLecture::Debordement;
  valeur = static_cast<int32_t>(entier);
  return TLecture::Correcte;
}

TLecture Entier_De_Binaire(const TChamp& c, const char* enregistrement, int32_t& valeur) {
  const char* v = enregistrement + c.decalage;
  valeur = 0;
  if (Binaire_Vide(c, v)) return TLecture::Correcte;
  switch (c.genre) {
    case TGenre::Entier: valeur = Entier_Binaire(c, v); return TLecture::Correcte;
    case TGenre::Double: {
      const double d = Double_Binaire(c, v);
      if (std::isnan(d)) return TLecture::Incorrecte;
      const double r = std::nearbyint(d);  // the default rounding: to nearest, ties to even
      if (!(r >= INT32_MIN && r <= INT32_MAX)) return TLecture::Debordement;
      valeur = static_cast<int32_t>(r);
      return TLecture::Correcte;
    }
    case TGenre::Monnaie: {
      const int64_t m = static_cast<int64_t>(Lire_64_Petit(v));
      int64_t q = m / 10000;
      const int64_t r = m % 10000;
      if (r > 5000 || (r == 5000 && (q & 1))) ++q;
      if (r < -5000 || (r == -5000 && (q & 1))) --q;
      if (q < INT32_MIN || q > INT32_MAX) return TLecture::Debordement;
      valeur = static_cast<int32_t>(q);
      return TLecture::Correcte;
    }
    default: return TLecture::Incorrecte;
  }
}

}  // namespace dbase::interne
