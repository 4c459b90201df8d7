#include "win32/Controles_Win32.h"

#include <oleacc.h>

#include <algorithm>
#include <memory>

#include "forms/Description_Form1.h"
#include "platform/Caracteres.h"

namespace win32 {

namespace {

constexpr wchar_t Propriete_Vivante[] = L"KorvexVivante";
// UI Automation's LiveSetting property, which the headers of MinGW lack.
constexpr GUID LiveSetting_Property_GUID{0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};

LRESULT CALLBACK Procedure_Panneau(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND: return SendMessageW(GetParent(hwnd), msg, wp, lp);
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT r;
      GetClientRect(hwnd, &r);
      DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
      EndPaint(hwnd, &ps);
      return 0;
    }
    default: return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

// Sets occupe for its life, and the cursor that goes with it.
class TAttente {
public:
  TAttente(bool& occupe, bool attente) : occupe_(occupe), avant_(occupe) {
    occupe_ = attente;
    ancien_ = SetCursor(LoadCursorW(nullptr, attente ? IDC_WAIT : IDC_ARROW));
  }
  ~TAttente() {
    occupe_ = avant_;
    SetCursor(ancien_);
  }
  TAttente(const TAttente&) = delete;
  TAttente& operator=(const TAttente&) = delete;

private:
  bool& occupe_;
  bool avant_;
  HCURSOR ancien_;
};

}  // namespace

std::wstring Large(const char* utf8) { return plateforme::Vers_Utf16(utf8); }

std::string Texte(HWND controle) {
  std::wstring texte(static_cast<size_t>(GetWindowTextLengthW(controle)) + 1, L'\0');
  texte.resize(static_cast<size_t>(GetWindowTextW(controle, texte.data(), static_cast<int>(texte.size()))));
  return plateforme::Vers_Utf8(texte);
}

std::wstring Lignes_Win32(const std::string& texte) {
  std::string crlf;
  for (char c : texte) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return plateforme::Vers_Utf16(crlf);
}

void Rendre_Vivante(HWND etiquette) {
  SetPropW(etiquette, Propriete_Vivante, reinterpret_cast<HANDLE>(1));
  // For UI Automation clients (Narrator): the label is a polite live region. Systems without the
  // service still get the event.
  IAccPropServices* services = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                 reinterpret_cast<void**>(&services)))) {
    VARIANT poli;
    VariantInit(&poli);
    poli.vt = VT_I4;
    poli.lVal = 1;  // Polite
    services->SetHwndProp(etiquette, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, LiveSetting_Property_GUID, poli);
    services->Release();
  }
}

void Changer_Texte(HWND controle, const std::string& texte) {
  const std::wstring large = Lignes_Win32(texte);
  if (plateforme::Vers_Utf16(Texte(controle)) == large) return;
  SetWindowTextW(controle, large.c_str());
  if (!texte.empty() && GetPropW(controle, Propriete_Vivante) != nullptr)
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, controle, OBJID_CLIENT, CHILDID_SELF);
}

void Montrer_Avertissements(HWND etiquette, const std::string& texte) {
  Changer_Texte(etiquette, texte);
  if (Montre(etiquette) != !texte.empty()) ShowWindow(etiquette, texte.empty() ? SW_HIDE : SW_SHOWNA);
}

int Hauteur_Lignes(HWND controle, int largeur) {
  const std::wstring texte = plateforme::Vers_Utf16(Texte(controle));
  HDC dc = GetDC(controle);
  const HGDIOBJ ancienne = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(controle, WM_GETFONT, 0, 0)));
  RECT r{0, 0, std::max(1, largeur), 0};
  const int hauteur = texte.empty() ? 0
                                    : DrawTextW(dc, texte.c_str(), static_cast<int>(texte.size()), &r,
                                                DT_LEFT | DT_TOP | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_CALCRECT);
  SelectObject(dc, ancienne);
  ReleaseDC(controle, dc);
  return hauteur;
}

bool Montre(HWND controle) { return (GetWindowLongW(controle, GWL_STYLE) & WS_VISIBLE) != 0; }

RECT Zone_Travail(HMONITOR moniteur) {
  MONITORINFO infos{sizeof infos, {}, {}, 0};
  if (!GetMonitorInfoW(moniteur, &infos)) return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return infos.rcWork;
}

RECT Dans_La_Zone(const RECT& zone, POINT coin, SIZE taille) {
  const LONG largeur = std::min(taille.cx, zone.right - zone.left);
  const LONG hauteur = std::min(taille.cy, zone.bottom - zone.top);
  const LONG gauche = std::clamp<LONG>(coin.x, zone.left, zone.right - largeur);
  const LONG haut = std::clamp<LONG>(coin.y, zone.top, zone.bottom - hauteur);
  return {gauche, haut, gauche + largeur, haut + hauteur};
}

void Ajuster_A_Son_Texte(HWND etiquette, HFONT police, SIZE minimum) {
  const std::wstring texte = plateforme::Vers_Utf16(Texte(etiquette));
  HDC dc = GetDC(etiquette);
  const HGDIOBJ ancienne = SelectObject(dc, police);
  SIZE taille{0, 0};
  GetTextExtentPoint32W(dc, texte.c_str(), static_cast<int>(texte.size()), &taille);
  TEXTMETRICW mesures{};
  GetTextMetricsW(dc, &mesures);
  SelectObject(dc, ancienne);
  ReleaseDC(etiquette, dc);
  SetWindowPos(etiquette, nullptr, 0, 0, std::max(taille.cx, minimum.cx), std::max(mesures.tmHeight, minimum.cy),
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
  InvalidateRect(etiquette, nullptr, TRUE);
}

HFONT Creer_Police(int dpi) {
  const auto& d = description::Form1;
  return CreateFontW(-MulDiv(d.Points, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                     Large(d.Police).c_str());
}

void Enregistrer_Classe_Fenetre(const wchar_t* nom, WNDPROC procedure) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW c{};
  if (GetClassInfoExW(instance, nom, &c)) return;
  c.cbSize = sizeof c;
  c.lpfnWndProc = procedure;
  c.hInstance = instance;
  c.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  c.lpszClassName = nom;
  RegisterClassExW(&c);
}

const wchar_t* Classe_Panneau() {
  static constexpr wchar_t classe[] = L"KorvexPanel1";
  static const bool fait = [] {
    WNDCLASSEXW panneau{};
    panneau.cbSize = sizeof panneau;
    panneau.style = CS_HREDRAW | CS_VREDRAW;  // its edge is drawn again where the new size puts it
    panneau.lpfnWndProc = Procedure_Panneau;
    panneau.hInstance = GetModuleHandleW(nullptr);
    panneau.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    panneau.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    panneau.lpszClassName = classe;
    return RegisterClassExW(&panneau) != 0;
  }();
  (void)fait;
  return classe;
}

void Controle_Suivant(HWND fenetre, WPARAM controle, LPARAM est_controle) {
  if (LOWORD(est_controle) != 0) {
    SetFocus(reinterpret_cast<HWND>(controle));
    return;
  }
  if (const HWND suivant = GetNextDlgTabItem(fenetre, GetFocus(), controle != 0)) SetFocus(suivant);
}

bool Montrer_Attente(bool occupe) {
  if (occupe) SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  return occupe;
}

void Garder_Focus(HWND fenetre, WPARAM activation, HWND& focus, HWND defaut) {
  if (LOWORD(activation) == WA_INACTIVE) {
    focus = GetFocus();
  } else {
    SetFocus(focus != nullptr && IsChild(fenetre, focus) ? focus : defaut);
  }
}

void Prendre_Cadre_Propose(HWND fenetre, LPARAM propose) {
  const RECT* r = reinterpret_cast<const RECT*>(propose);
  SetWindowPos(fenetre, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

recap::TCurseur Curseur_Fenetre(bool& occupe) {
  return [&occupe](bool attente) { return std::make_shared<TAttente>(occupe, attente); };
}

}  // namespace win32
