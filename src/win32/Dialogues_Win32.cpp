#include "win32/Dialogues_Win32.h"

#include <commdlg.h>

#include <string>

#include "platform/Caracteres.h"
#include "platform/Erreurs.h"
#include "platform/Textes.h"

namespace win32 {

namespace {

// "Nom (*.ext)" gives the filter pair "Nom (*.ext)", "*.ext"; each string ends with a NUL, the
// list with another.
std::wstring Filtre(const recap::TDemande_Enregistrement& d) {
  std::wstring filtre;
  for (const char* type : d.Types) {
    const std::wstring nom = plateforme::Vers_Utf16(type);
    const size_t ouverte = nom.rfind(L'('), fermee = nom.rfind(L')');
    const std::wstring motif =
        ouverte != std::wstring::npos && fermee > ouverte ? nom.substr(ouverte + 1, fermee - ouverte - 1) : L"*.*";
    filtre += nom + L'\0' + motif + L'\0';
  }
  return filtre + L'\0';
}

std::optional<std::string> Enregistrer(const recap::TDemande_Enregistrement& d) {
  const std::wstring titre = plateforme::Vers_Utf16(d.Titre), filtre = Filtre(d);
  std::wstring chemin = plateforme::Vers_Utf16(d.Chemin_Propose);
  chemin.resize(std::max<size_t>(chemin.size() + 1, 32768), L'\0');  // the longest path Windows knows
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = GetActiveWindow();
  ofn.lpstrFilter = filtre.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = chemin.data();
  ofn.nMaxFile = static_cast<DWORD>(chemin.size());
  ofn.lpstrTitle = titre.c_str();
  ofn.lpstrDefExt = L"csv";
  ofn.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  if (GetSaveFileNameW(&ofn)) return plateforme::Vers_Utf8(chemin.c_str());
  if (const DWORD code = CommDlgExtendedError(); code != 0)
    throw plateforme::EKorvex(textes::Dialogue_Enregistrement_Impossible(code));
  return std::nullopt;  // cancelled
}

UINT Menu(HMENU menu, POINT ecran, HWND proprietaire) {
  return static_cast<UINT>(
      TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, ecran.x, ecran.y, proprietaire, nullptr));
}

}  // namespace

TDialogues Dialogues_Win32() { return {Enregistrer, Menu}; }

}  // namespace win32
