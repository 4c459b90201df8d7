#include "platform/Caracteres.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cwctype>
#include <locale.h>
#endif

namespace plateforme {

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

TCaractere_Utf8 Decoder_Utf8(std::string_view texte, size_t position) {
  const auto octet = [&](size_t i) { return static_cast<unsigned char>(texte[position + i]); };
  const size_t taille = Taille_Caractere_Utf8(texte, position);
  if (taille == 1) return {octet(0), 1};
  char32_t c = octet(0) & (0x7F >> taille);
  for (size_t i = 1; i < taille; ++i) c = (c << 6) | (octet(i) & 0x3F);
  return {c, taille};
}

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

}  // namespace

std::string Minuscules(const std::string& texte) {
  const locale_t locale = Locale_Unicode();
  std::string sortie;
  for (size_t i = 0; i < texte.size();) {
    const TCaractere_Utf8 c = Decoder_Utf8(texte, i);
    if (c.Mal_Forme() || locale == static_cast<locale_t>(0))
      sortie.append(texte, i, c.taille);
    else
      Ajouter_Utf8(sortie, static_cast<char32_t>(towlower_l(static_cast<wint_t>(c.code), locale)));
    i += c.taille;
  }
  return sortie;
}

#endif

}  // namespace plateforme
