// The integer and amount text rules against a slow reference that works on decimal strings:
// every text gets the same value or the same refusal, with the same message.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Erreurs.h"
#include "platform/Caracteres.h"
#include "platform/Entiers.h"
#include "platform/Montants.h"
#include "platform/Separateurs.h"

namespace {

using Entier128 = __int128;

[[noreturn]] void Echec(const char* quoi, std::string_view texte, const std::string& detail) {
  std::fprintf(stderr, "%s sur '%.*s' : %s\n", quoi, static_cast<int>(texte.size()), texte.data(),
               detail.c_str());
  std::abort();
}

bool Chiffre(char c) { return c >= '0' && c <= '9'; }

int Hexa(char c) {
  if (Chiffre(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool Commence_Par(std::string_view t, std::string_view debut) { return t.substr(0, debut.size()) == debut; }

// ---- Integer rules, read literally ----

std::optional<int32_t> Entier_Reference(std::string_view t) {
  while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
  for (std::string_view prefixe : {"0x", "0X", "$", "x", "X"}) {
    if (!Commence_Par(t, prefixe)) continue;
    const std::string_view chiffres = t.substr(prefixe.size());
    if (chiffres.empty() || chiffres.size() > 8) return std::nullopt;
    uint64_t valeur = 0;
    for (char c : chiffres) {
      if (Hexa(c) < 0) return std::nullopt;
      valeur = valeur * 16 + static_cast<uint64_t>(Hexa(c));
    }
    return static_cast<int32_t>(static_cast<uint32_t>(valeur));
  }
  bool negatif = false;
  if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
    negatif = t.front() == '-';
    t.remove_prefix(1);
  }
  if (t.empty()) return std::nullopt;
  for (char c : t)
    if (!Chiffre(c)) return std::nullopt;
  while (t.size() > 1 && t.front() == '0') t.remove_prefix(1);
  if (t.size() > 10) return std::nullopt;
  int64_t valeur = std::stoll(std::string(t));
  if (negatif) valeur = -valeur;
  if (valeur < INT32_MIN || valeur > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(valeur);
}

// ---- Amount rules: the value is worked out on digit strings ----

struct Texte_Montant {
  bool negatif = false;
  std::string entier, fraction;
  int64_t exposant = 0;
};

std::optional<Texte_Montant> Lire_Montant(std::string_view t, std::string_view separateur) {
  Texte_Montant m;
  size_t i = 0;
  while (i < t.size() && t[i] == ' ') ++i;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) m.negatif = t[i++] == '-';
  while (i < t.size() && Chiffre(t[i])) m.entier += t[i++];
  bool separateur_vu = false;
  if (Commence_Par(t.substr(i), separateur)) {
    separateur_vu = true;
    i += separateur.size();
    while (i < t.size() && Chiffre(t[i])) m.fraction += t[i++];
  }
  if (m.entier.empty() && m.fraction.empty() && !separateur_vu) return std::nullopt;
  if (i < t.size() && (t[i] == 'E' || t[i] == 'e')) {
    ++i;
    bool exposant_negatif = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) exposant_negatif = t[i++] == '-';
    for (; i < t.size() && Chiffre(t[i]); ++i) {
      if (m.exposant >= 500) return std::nullopt;
      m.exposant = m.exposant * 10 + (t[i] - '0');
    }
    if (exposant_negatif) m.exposant = -m.exposant;
  }
  while (i < t.size() && t[i] == ' ') ++i;
  if (i != t.size()) return std::nullopt;
  return m;
}

std::string Sans_Zeros_De_Tete(std::string s) {
  const size_t premier = s.find_first_not_of('0');
  return premier == std::string::npos ? "" : s.substr(premier);
}

// A decimal string of at most 20 digits as a 128-bit integer.
std::optional<Entier128> Petit_Entier(const std::string& chiffres) {
  const std::string s = Sans_Zeros_De_Tete(chiffres);
  if (s.size() > 20) return std::nullopt;
  Entier128 v = 0;
  for (char c : s) v = v * 10 + (c - '0');
  return v;
}

// Ten-thousandths: digits x 10^echelle rounded half to even, within 64 signed bits.
std::optional<int64_t> Montant_Reference(std::string_view texte, std::string_view separateur) {
  const auto m = Lire_Montant(texte, separateur);
  if (!m) return std::nullopt;
  const std::string chiffres = m->entier + m->fraction;
  if (Sans_Zeros_De_Tete(chiffres).empty()) return 0;
  const int64_t echelle = m->exposant - static_cast<int64_t>(m->fraction.size()) + 4;
  std::optional<Entier128> grandeur;
  if (echelle >= 0) {
    if (Sans_Zeros_De_Tete(chiffres).size() + static_cast<uint64_t>(echelle) > 20) return std::nullopt;
    grandeur = Petit_Entier(chiffres + std::string(static_cast<size_t>(echelle), '0'));
  } else {
    const size_t coupe = static_cast<size_t>(-echelle);
    const std::string complet = std::string(coupe, '0') + chiffres;  // at least coupe + 1 digits
    const std::string entier = complet.substr(0, complet.size() - coupe);
    const std::string reste = complet.substr(complet.size() - coupe);
    grandeur = Petit_Entier(entier);
    if (!grandeur) return std::nullopt;
    const std::string moitie = "5" + std::string(coupe - 1, '0');
    if (reste > moitie || (reste == moitie && (*grandeur % 2) == 1)) ++*grandeur;
  }
  if (!grandeur) return std::nullopt;
  const Entier128 valeur = m->negatif ? -*grandeur : *grandeur;
  if (valeur < INT64_MIN || valeur > INT64_MAX) return std::nullopt;
  return static_cast<int64_t>(valeur);
}

// ---- What the rules under test give ----

template <typename T, typename F>
void Comparer(const char* regle, std::string_view texte, const std::optional<T>& attendu,
              const std::string& message_refus, F&& convertir) {
  try {
    const T obtenu = convertir();
    if (!attendu) Echec(regle, texte, "accepté (" + std::to_string(obtenu) + ") au lieu d'être refusé");
    if (obtenu != *attendu)
      Echec(regle, texte, std::to_string(obtenu) + " au lieu de " + std::to_string(*attendu));
  } catch (const plateforme::EKorvex& e) {
    if (attendu) Echec(regle, texte, "refusé au lieu de " + std::to_string(*attendu));
    // what() is a C string: a NUL in the text ends the message there (no real text holds one).
    if (e.what() != std::string(message_refus.c_str()))
      Echec(regle, texte, std::string("message ") + e.what());
  }
}

// Decimal separators a user may have: the first byte of the input picks one.
const char32_t Separateurs[] = {U'.', U',', U'\u066B', U'\u2396'};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
  if (taille == 0) return 0;
  const char32_t separateur = Separateurs[donnees[0] % std::size(Separateurs)];
  const std::string_view texte(reinterpret_cast<const char*>(donnees) + 1, taille - 1);
  std::string separateur_utf8;
  plateforme::Ajouter_Utf8(separateur_utf8, separateur);

  const std::string t(texte);
  Comparer<int32_t>("Entier", texte, Entier_Reference(texte),
                    "'" + t + "' n'est pas une valeur entière correcte",
                    [&] { return plateforme::Texte_Vers_Entier(texte); });

  const auto montant = Montant_Reference(texte, separateur_utf8);
  const std::string refus_montant = "'" + t + "' n'est pas une valeur en virgule flottante correcte";
  Comparer<int64_t>("Montant", texte, montant, refus_montant,
                    [&] { return plateforme::Texte_Vers_Montant(texte, separateur); });
  // Without a separator given, the current one is used.
  plateforme::Fixer_Separateurs(separateur, U' ');
  Comparer<int64_t>("Montant (séparateur courant)", texte, montant, refus_montant,
                    [&] { return plateforme::Texte_Vers_Montant(texte); });
  return 0;
}
