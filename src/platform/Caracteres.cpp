#include "platform/Caracteres.h"

#include "platform/Nombres.h"

#ifdef _WIN32
#include <windows.h>
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

#endif

}  // namespace plateforme
