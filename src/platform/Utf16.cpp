#include "platform/Utf16.h"

#ifdef _WIN32
#include <windows.h>

namespace plateforme {

std::wstring Vers_Utf16(const std::string& texte) {
  if (texte.empty()) return {};
  const int taille = static_cast<int>(texte.size());
  const int n = MultiByteToWideChar(CP_UTF8, 0, texte.data(), taille, nullptr, 0);
  std::wstring sortie(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, texte.data(), taille, sortie.data(), n);
  return sortie;
}

std::string Vers_Utf8(const wchar_t* texte) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, texte, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return {};
  std::string sortie(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, texte, -1, sortie.data(), n, nullptr, nullptr);
  sortie.resize(static_cast<size_t>(n) - 1);  // the terminating NUL
  return sortie;
}

}  // namespace plateforme
#endif
