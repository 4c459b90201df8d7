#include "platform/Separateurs.h"

#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/Caracteres.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <langinfo.h>
#include <locale.h>
#endif

namespace plateforme {

namespace {

char32_t g_decimal = U'.';
char32_t g_milliers = U',';

#ifndef _WIN32

// The first character of a locale text: UTF-8 when it decodes, else the byte itself (Latin-1).
char32_t Premier_Caractere(const char* texte) {
  if (texte == nullptr || texte[0] == 0) return 0;
  return Decoder_Utf8(texte, 0).code;
}

// The user's numeric locale, as the C library would choose it from the environment.
std::string Nom_Locale_Numerique() {
  for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    const char* valeur = std::getenv(variable);
    if (valeur != nullptr && *valeur != '\0') return valeur;
  }
  return "C";
}

#endif

}  // namespace

char32_t DecimalSeparator() { return g_decimal; }
char32_t ThousandSeparator() { return g_milliers; }

void Fixer_Separateurs(char32_t decimal, char32_t milliers) {
  g_decimal = decimal;
  g_milliers = milliers;
}

#ifdef _WIN32

namespace {

// The first character of one of the user's settings, 0 when it is empty or unreadable.
char32_t Premier_Caractere_Reglage(LCTYPE reglage) {
  // The system allows up to four characters for a separator, plus the final NUL.
  wchar_t texte[8] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, reglage, texte, 8) <= 0) return 0;
  char32_t c = static_cast<char16_t>(texte[0]);
  char32_t suite = static_cast<char16_t>(texte[1]);
  if (c >= 0xD800 && c <= 0xDBFF && suite >= 0xDC00 && suite <= 0xDFFF)
    return 0x10000 + ((c - 0xD800) << 10) + (suite - 0xDC00);
  return c;
}

}  // namespace

void Lire_Separateurs_Utilisateur() {
  char32_t decimal = Premier_Caractere_Reglage(LOCALE_SDECIMAL);
  char32_t milliers = Premier_Caractere_Reglage(LOCALE_STHOUSAND);
  Fixer_Separateurs(decimal ? decimal : U'.', milliers ? milliers : U',');
}

#else

void Lire_Separateurs_Utilisateur() {
  char32_t decimal = 0, milliers = 0;
  // A private locale object: the process-wide C locale stays as it is.
  if (locale_t l = ::newlocale(LC_NUMERIC_MASK, Nom_Locale_Numerique().c_str(), locale_t(0))) {
    decimal = Premier_Caractere(::nl_langinfo_l(RADIXCHAR, l));
    milliers = Premier_Caractere(::nl_langinfo_l(THOUSEP, l));
    ::freelocale(l);
  }
  Fixer_Separateurs(decimal ? decimal : U'.', milliers ? milliers : U',');
}

#endif

}  // namespace plateforme
