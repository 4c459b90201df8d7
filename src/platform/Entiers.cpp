#include "platform/Entiers.h"

#include "platform/Caracteres.h"
#include "platform/Erreurs.h"
#include "platform/Textes.h"

namespace plateforme {

namespace {

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

}  // namespace plateforme
