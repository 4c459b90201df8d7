#include "platform/Caracteres.h"

#include "platform/Nombres.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cwctype>
#include <locale.h>
#endif

namespace plateforme {

size_t Octets_Des_Caracteres(std::string_view texte, size_t n) {
  size_t position = 0;
  for (; n > 0 && position < texte.size(); --n) position += Taille_Caractere_Utf8(texte, position);
  return position;
}

size_t Nombre_Caracteres(std::string_view texte) {
  size_t n = 0;
  for (size_t position = 0; position < texte.size(); ++n) position += Taille_Caractere_Utf8(texte, position);
  return n;
}

bool Egal_Sans_Casse(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

#ifdef _WIN32

std::wstring Vers_Utf16(std::string_view texte) {
  if (texte.empty()) return {};
  const int taille = static_cast<int>(texte.size());
  const int n = MultiByteToWideChar(CP_UTF8, 0, texte.data(), taille, nullptr, 0);
  std::wstring sortie(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, texte.data(), taille, sortie.data(), n);
  return sortie;
}

std::string Vers_Utf8(std::wstring_view texte) {
  if (texte.empty()) return {};
  const int taille = static_cast<int>(texte.size());
  const int n = WideCharToMultiByte(CP_UTF8, 0, texte.data(), taille, nullptr, 0, nullptr, nullptr);
  std::string sortie(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, texte.data(), taille, sortie.data(), n, nullptr, nullptr);
  return sortie;
}

std::string Minuscules(const std::string& texte) {
  std::wstring large = Vers_Utf16(texte);
  if (!large.empty()) CharLowerBuffW(large.data(), static_cast<DWORD>(large.size()));
  return Vers_Utf8(large);
}

#else

namespace {

// Case rules of Unicode whatever the process locale: C.UTF-8 has them all.
locale_t Locale_Unicode() {
  static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
  return locale;
}

char32_t Decoder(const std::string& texte, size_t position, size_t taille) {
  const auto octet = [&](size_t i) { return static_cast<unsigned char>(texte[position + i]); };
  if (taille == 1) return octet(0);
  char32_t c = octet(0) & (0x7F >> taille);
  for (size_t i = 1; i < taille; ++i) c = (c << 6) | (octet(i) & 0x3F);
  return c;
}

}  // namespace

std::string Minuscules(const std::string& texte) {
  const locale_t locale = Locale_Unicode();
  std::string sortie;
  for (size_t i = 0; i < texte.size();) {
    const size_t taille = Taille_Caractere_Utf8(texte, i);
    const bool mal_forme = taille == 1 && static_cast<unsigned char>(texte[i]) >= 0x80;
    if (mal_forme || locale == static_cast<locale_t>(0)) {
      sortie.append(texte, i, taille);
    } else {
      Ajouter_Utf8(sortie, static_cast<char32_t>(towlower_l(static_cast<wint_t>(Decoder(texte, i, taille)), locale)));
    }
    i += taille;
  }
  return sortie;
}

#endif

}  // namespace plateforme
