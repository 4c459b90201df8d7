#include "win32/Dialogues_Win32.h"

#include <commdlg.h>
#include <winspool.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
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
  const std::wstring extension = plateforme::Vers_Utf16(d.Extension);
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
  ofn.lpstrDefExt = extension.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  if (GetSaveFileNameW(&ofn)) return plateforme::Vers_Utf8(chemin.c_str());
  if (const DWORD code = CommDlgExtendedError(); code != 0)
    throw plateforme::EKorvex(textes::Dialogue_Enregistrement_Impossible(code));
  return std::nullopt;  // cancelled
}

// The request's paper, unless the user chooses another: a standard size by its code, any other
// by its measures.
HGLOBAL Papier_Demande(const recap::TFormat_Page& format) {
  const HGLOBAL memoire = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEW));
  if (memoire == nullptr) return nullptr;
  auto* mode = static_cast<DEVMODEW*>(GlobalLock(memoire));
  mode->dmSize = sizeof(DEVMODEW);
  mode->dmSpecVersion = DM_SPECVERSION;
  mode->dmFields = DM_ORIENTATION;
  mode->dmOrientation = format.Paysage() ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
  // In tenths of a millimetre, the short side first.
  const auto dixiemes = [](double points) { return static_cast<short>(std::lround(points / recap::Points_Par_Millimetre * 10)); };
  const short largeur = dixiemes(std::min(format.Largeur, format.Hauteur)), hauteur = dixiemes(std::max(format.Largeur, format.Hauteur));
  if (std::abs(largeur - 2100) <= 10 && std::abs(hauteur - 2970) <= 10) {
    mode->dmFields |= DM_PAPERSIZE;
    mode->dmPaperSize = DMPAPER_A4;
  } else {
    mode->dmFields |= DM_PAPERWIDTH | DM_PAPERLENGTH;
    mode->dmPaperWidth = largeur;
    mode->dmPaperLength = hauteur;
  }
  GlobalUnlock(memoire);
  return memoire;
}

// Whether Windows knows a printer, its own or one shared on the network.
bool Imprimante_Installee() {
  DWORD taille = 0, nombre = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &taille, &nombre);
  return taille > 0 || nombre > 0;
}

TContexte_Impression Imprimer(HWND proprietaire, const recap::TDemande_Impression& demande) {
  // With no printer the system's dialog says so in a box of its own and gives nothing back; the
  // user is told what to do instead.
  if (!Imprimante_Installee()) throw plateforme::EKorvex(textes::Aucune_Imprimante);
  PRINTDLGEXW choix{};
  choix.lStructSize = sizeof choix;
  choix.hwndOwner = proprietaire;
  choix.hDevMode = Papier_Demande(demande.Format);
  choix.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_NOCURRENTPAGE | PD_USEDEVMODECOPIESANDCOLLATE;
  choix.nStartPage = START_PAGE_GENERAL;
  const HRESULT hr = PrintDlgExW(&choix);
  const DWORD erreur_etendue = FAILED(hr) ? CommDlgExtendedError() : 0;
  for (HGLOBAL h : {choix.hDevMode, choix.hDevNames})
    if (h != nullptr) GlobalFree(h);
  TContexte_Impression dc(choix.hDC, [](HDC h) { DeleteDC(h); });
  if (FAILED(hr)) throw plateforme::EKorvex(Texte_Echec_Impression(hr, erreur_etendue));
  if (choix.dwResultAction != PD_RESULT_PRINT) dc.reset();
  return dc;
}

UINT Menu(HMENU menu, POINT ecran, HWND proprietaire) {
  return static_cast<UINT>(
      TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, ecran.x, ecran.y, proprietaire, nullptr));
}

}  // namespace

std::string Texte_Echec_Impression(HRESULT hr, DWORD erreur_etendue) {
  // The last printer may have gone while the dialog was opening.
  if (erreur_etendue == PDERR_NODEFAULTPRN || erreur_etendue == PDERR_NODEVICES) return textes::Aucune_Imprimante;
  return textes::Dialogue_Impression_Impossible(static_cast<unsigned long>(hr));
}

TDialogues Dialogues_Win32() { return {Enregistrer, Menu, Imprimer}; }

}  // namespace win32
