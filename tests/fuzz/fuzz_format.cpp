// The general 15-digit format over any finite extended value: the text, read back under the
// format's own grammar, is the value's 15-digit decimal (18 digits rounded to nearest, then
// half up on the sixteenth), in the notation its size calls for.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/Caracteres.h"
#include "platform/Format_Nombres.h"

namespace {

[[noreturn]] void Echec(long double v, const std::string& texte, const std::string& detail) {
  std::fprintf(stderr, "%.21Lg -> '%s' : %s\n", v, texte.c_str(), detail.c_str());
  std::abort();
}

// A decimal d1.d2d3... x 10^exposant, no trailing zero.
struct Decimal {
  std::string chiffres;
  int exposant = 0;
  bool operator==(const Decimal&) const = default;
};

// Reference: glibc's exact conversion to 18 significant digits, then 15 by hand.
Decimal Reference(long double grandeur) {
  char tampon[64];
  std::snprintf(tampon, sizeof tampon, "%.17Le", grandeur);
  const std::string texte = tampon;
  const size_t e = texte.find('e');
  std::string chiffres;
  for (size_t k = 0; k < e; ++k)
    if (texte[k] != '.') chiffres += texte[k];
  Decimal d{chiffres.substr(0, 15), std::stoi(texte.substr(e + 1))};
  if (chiffres[15] >= '5') {
    int k = 14;
    for (; k >= 0 && d.chiffres[static_cast<size_t>(k)] == '9'; --k) d.chiffres[static_cast<size_t>(k)] = '0';
    if (k < 0) {
      d.chiffres.insert(d.chiffres.begin(), '1');
      d.chiffres.pop_back();
      ++d.exposant;
    } else {
      ++d.chiffres[static_cast<size_t>(k)];
    }
  }
  d.chiffres.erase(d.chiffres.find_last_not_of('0') + 1);
  return d;
}

bool Chiffres_Seuls(const std::string& s) {
  return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

// Reads the text back, refusing anything the format never writes. Empty digits: not readable.
Decimal Relire(long double v, const std::string& texte, const std::string& separateur, bool scientifique) {
  std::string corps = texte;
  const size_t e = corps.find('E');
  if (scientifique != (e != std::string::npos)) Echec(v, texte, "mauvaise notation");
  int exposant = 0;
  if (scientifique) {
    std::string puissance = corps.substr(e + 1);
    corps.erase(e);
    const bool negatif = !puissance.empty() && puissance[0] == '-';
    if (negatif) puissance.erase(0, 1);
    if (!Chiffres_Seuls(puissance) || puissance[0] == '0') Echec(v, texte, "exposant mal écrit");
    exposant = std::stoi(puissance) * (negatif ? -1 : 1);
  }
  std::string entier = corps, fraction;
  const size_t s = corps.find(separateur);
  if (s != std::string::npos) {
    entier = corps.substr(0, s);
    fraction = corps.substr(s + separateur.size());
    if (!Chiffres_Seuls(fraction) || fraction.back() == '0') Echec(v, texte, "décimales mal écrites");
  }
  if (!Chiffres_Seuls(entier)) Echec(v, texte, "partie entière mal écrite");
  if (scientifique ? (entier.size() != 1 || entier == "0") : (entier.size() > 1 && entier[0] == '0'))
    Echec(v, texte, "zéro de tête");
  const std::string tous = entier + fraction;
  const size_t premier = tous.find_first_not_of('0');
  if (premier == std::string::npos) Echec(v, texte, "aucun chiffre significatif");
  Decimal d{tous.substr(premier), exposant + static_cast<int>(entier.size()) - 1 - static_cast<int>(premier)};
  d.chiffres.erase(d.chiffres.find_last_not_of('0') + 1);
  if (d.chiffres.size() > 15) Echec(v, texte, "plus de 15 chiffres");
  return d;
}

const char32_t Separateurs[] = {U'.', U',', U'\u066B'};

}  // namespace

// Input: the ten bytes of an 80-bit value (little-endian), then one byte for the separator. The
// exact expansion of a value near the ends of the range takes hundreds of words: one input in
// 256, by a hash of all its bytes (which a mutation changes), keeps its exponent as it is; the
// others are brought within 2^+-256 of 1, where totals live and where the expansion is quick.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
  unsigned char octets[16] = {};
  std::memcpy(octets, donnees, taille < 10 ? taille : 10);
  const char32_t separateur = Separateurs[taille > 10 ? donnees[10] % std::size(Separateurs) : 0];
  uint32_t empreinte = 2166136261u;
  for (size_t k = 0; k < taille; ++k) empreinte = (empreinte ^ donnees[k]) * 16777619u;
  if ((empreinte & 0xFF) != 0) {
    const unsigned signe = octets[9] & 0x80, proche = 16383 - 256 + octets[8] + (octets[9] & 1) * 256;
    octets[8] = static_cast<unsigned char>(proche & 0xFF);
    octets[9] = static_cast<unsigned char>(signe | (proche >> 8));
  }
  const unsigned champ_exposant = (octets[8] | (octets[9] << 8)) & 0x7FFF;
  if (champ_exposant == 0x7FFF) return 0;  // infinities and NaNs
  // The explicit integer bit as the hardware writes it: set exactly when the exponent is not 0.
  octets[7] = static_cast<unsigned char>(champ_exposant != 0 ? octets[7] | 0x80 : octets[7] & 0x7F);
  long double v;
  std::memcpy(&v, octets, sizeof v);

  std::string separateur_utf8;
  plateforme::Ajouter_Utf8(separateur_utf8, separateur);
  const std::string texte = plateforme::Format_General(v, separateur);
  if (v == 0) {
    if (texte != "0") Echec(v, texte, "zéro mal écrit");
    return 0;
  }
  const bool negatif = v < 0;
  if (negatif != (texte[0] == '-')) Echec(v, texte, "signe");
  const Decimal attendu = Reference(negatif ? -v : v);
  const bool scientifique = attendu.exposant < -4 || attendu.exposant >= 15;
  const Decimal lu = Relire(v, texte.substr(negatif ? 1 : 0), separateur_utf8, scientifique);
  if (!(lu == attendu))
    Echec(v, texte, "attendu " + attendu.chiffres + "E" + std::to_string(attendu.exposant));
  return 0;
}
