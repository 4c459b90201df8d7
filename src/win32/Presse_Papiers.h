// The Windows clipboard, as Unicode text.
#pragma once

#include <windows.h>

#include <string>

namespace win32 {

// Replaces the clipboard's contents with the text (UTF-8 in, CF_UNICODETEXT out). Raises
// plateforme::EKorvex when another program keeps the clipboard open.
void Ecrire_Presse_Papiers(HWND proprietaire, const std::string& texte);

// The clipboard's Unicode text, empty when it holds none.
std::string Lire_Presse_Papiers(HWND proprietaire);

}  // namespace win32
