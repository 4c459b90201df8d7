#include "win32/Boites_Win32.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/Textes.h"
#include "platform/Caracteres.h"
#include "win32/Fenetre_Base.h"

namespace win32 {

namespace {

// ---- The plain box: a dialog of our own, since a system message box wraps its text at its own
// width, not at half the screen's ----

constexpr int Marge = 12, Ecart = 12, Largeur_Bouton = 75, Hauteur_Bouton = 23;  // pixels at 96 DPI
constexpr WORD Classe_Bouton = 0x0080, Classe_Statique = 0x0082, Id_Texte = 0xFFFF;

// An in-memory dialog template: words, items aligned on four bytes.
class TModele {
public:
  void Mot(WORD w) { mots_.push_back(w); }
  void Double(DWORD d) {
    Mot(LOWORD(d));
    Mot(HIWORD(d));
  }
  void Texte(const std::wstring& t) {
    for (wchar_t c : t) Mot(static_cast<WORD>(c));
    Mot(0);
  }
  void Aligner() {
    if (mots_.size() % 2 != 0) Mot(0);
  }
  void Element(DWORD style, WORD id, WORD classe, const std::wstring& texte) {
    Aligner();
    Double(style);
    Double(0);  // extended style
    for (int i = 0; i < 4; ++i) Mot(0);  // placed in pixels at WM_INITDIALOG
    Mot(id);
    Mot(0xFFFF);
    Mot(classe);
    Texte(texte);
    Mot(0);  // no creation data
  }
  const DLGTEMPLATE* Donnees() const { return reinterpret_cast<const DLGTEMPLATE*>(mots_.data()); }

private:
  std::vector<WORD> mots_;
};

// Lays the box out for its text: wrapped at half the monitor's width, the button centred below,
// the whole centred on the monitor.
void Disposer(HWND boite) {
  HWND texte = GetDlgItem(boite, Id_Texte), ok = GetDlgItem(boite, IDOK);
  const HMONITOR moniteur = MonitorFromWindow(boite, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO ecran{sizeof ecran, {}, {}, 0};
  GetMonitorInfoW(moniteur, &ecran);
  const int largeur_ecran = ecran.rcMonitor.right - ecran.rcMonitor.left;
  HDC dc = GetDC(boite);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  const auto px = [dpi](int n) { return Echelle(n, dpi); };

  std::wstring contenu(static_cast<size_t>(GetWindowTextLengthW(texte)) + 1, L'\0');
  contenu.resize(static_cast<size_t>(GetWindowTextW(texte, contenu.data(), static_cast<int>(contenu.size()))));
  const HGDIOBJ ancienne = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(boite, WM_GETFONT, 0, 0)));
  RECT zone{0, 0, largeur_ecran / 2, 0};
  DrawTextW(dc, contenu.c_str(), static_cast<int>(contenu.size()), &zone,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(dc, ancienne);
  ReleaseDC(boite, dc);

  const int largeur = std::max<int>(zone.right, px(Largeur_Bouton)) + 2 * px(Marge);
  const int hauteur = px(Marge) + zone.bottom + px(Ecart) + px(Hauteur_Bouton) + px(Marge);
  SetWindowPos(texte, nullptr, px(Marge), px(Marge), zone.right, zone.bottom, SWP_NOZORDER);
  SetWindowPos(ok, nullptr, (largeur - px(Largeur_Bouton)) / 2, px(Marge) + zone.bottom + px(Ecart), px(Largeur_Bouton),
               px(Hauteur_Bouton), SWP_NOZORDER);
  RECT cadre{0, 0, largeur, hauteur};
  AdjustWindowRectEx(&cadre, GetWindowLongW(boite, GWL_STYLE), FALSE, GetWindowLongW(boite, GWL_EXSTYLE));
  const int l = cadre.right - cadre.left, h = cadre.bottom - cadre.top;
  SetWindowPos(boite, nullptr, ecran.rcMonitor.left + (largeur_ecran - l) / 2,
               ecran.rcMonitor.top + (ecran.rcMonitor.bottom - ecran.rcMonitor.top - h) / 2, l, h, SWP_NOZORDER);
}

INT_PTR CALLBACK Procedure_Boite(HWND boite, UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG: Disposer(boite); return TRUE;  // the focus on OK, the default button
    case WM_COMMAND:
      // OK is both the default and the cancel button: Enter and Escape close the box.
      if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) EndDialog(boite, IDOK);
      return TRUE;
    default: return FALSE;
  }
}

void Boite_Message(const std::string& texte) {
  TModele m;
  m.Double(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_SETFOREGROUND);
  m.Double(0);
  m.Mot(2);  // the text and OK
  for (int i = 0; i < 4; ++i) m.Mot(0);
  m.Mot(0);  // no menu
  m.Mot(0);  // the dialog class
  m.Texte(plateforme::Vers_Utf16(Titre_Application()));
  m.Mot(8);
  m.Texte(L"MS Shell Dlg");
  m.Element(WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, Id_Texte, Classe_Statique, plateforme::Vers_Utf16(texte));
  m.Element(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, Classe_Bouton,
            plateforme::Vers_Utf16(textes::Bouton_OK));
  // Modal to the window the user was in.
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr), m.Donnees(), GetActiveWindow(), Procedure_Boite, 0);
}

// ---- The error box: the system's, with the stop icon ----

void Boite_Erreur(const std::string& texte) {
  MessageBoxW(GetActiveWindow(), plateforme::Vers_Utf16(texte).c_str(),
              plateforme::Vers_Utf16(Titre_Application()).c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
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

recap::TBoitesMessages Boites_Win32() { return {Boite_Message, Boite_Erreur}; }

}  // namespace win32
