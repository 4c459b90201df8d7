#include "platform/Montants.h"

#include "platform/Caracteres.h"
#include "platform/Erreurs.h"
#include "platform/Separateurs.h"
#include "platform/Textes.h"

namespace plateforme {

// The value is worked out on the decimal text itself, so that the count of ten-thousandths is
// exact whatever the length of the text.

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

}  // namespace plateforme
