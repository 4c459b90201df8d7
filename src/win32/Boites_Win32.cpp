#include "win32/Boites_Win32.h"

#include <windows.h>

#include "platform/Unicode.h"

namespace win32 {

namespace {

void Boite(const std::string& texte, UINT icone) {
  // No owner and task-modal: centred on the screen, every window of the program disabled.
  MessageBoxW(nullptr, plateforme::Vers_Utf16(texte).c_str(), plateforme::Vers_Utf16(Titre_Application()).c_str(),
              MB_OK | MB_TASKMODAL | MB_SETFOREGROUND | icone);
}

}  // namespace

std::string Titre_Application() {
  std::wstring chemin(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, chemin.data(), static_cast<DWORD>(chemin.size()));
    if (n < chemin.size()) {
      chemin.resize(n);
      break;
    }
    chemin.resize(chemin.size() * 2);  // a long path: the name was cut
  }
  return recap::Titre_Application(plateforme::Vers_Utf8(chemin));
}

recap::TBoitesMessages Boites_Win32() {
  return {[](const std::string& texte) { Boite(texte, 0); },
          [](const std::string& texte) { Boite(texte, MB_ICONERROR); }};
}

}  // namespace win32
