#include "win32/Etiquette_Defilante_Win32.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace win32 {

namespace {

constexpr UINT_PTR Id_Sous_Classe = 1;
constexpr int Marge_X = 4, Marge_Y = 2;  // the text from the label's edges, as the Qt window has it

struct TEtat {
  COLORREF couleur;
  int position = 0;  // pixels scrolled
};

std::wstring Texte(HWND h) {
  std::wstring texte(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
  texte.resize(static_cast<size_t>(GetWindowTextW(h, texte.data(), static_cast<int>(texte.size()))));
  return texte;
}

constexpr UINT Format_Texte = DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL;

// The text's rectangle in the client area, before scrolling.
RECT Zone_Texte(HWND h) {
  RECT r;
  GetClientRect(h, &r);
  InflateRect(&r, -Marge_X, -Marge_Y);
  return r;
}

// Height of the text wrapped at the text's width in the label (that of its client area when
// negative), and of one line, in the label's font.
std::pair<int, int> Hauteurs(HWND h, int largeur = -1) {
  HDC dc = GetDC(h);
  const HGDIOBJ ancienne = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)));
  RECT r = Zone_Texte(h);
  if (largeur >= 0) r.right = r.left + std::max(1, largeur - 2 * Marge_X);
  const std::wstring texte = Texte(h);
  DrawTextW(dc, texte.c_str(), static_cast<int>(texte.size()), &r, Format_Texte | DT_CALCRECT);
  TEXTMETRICW mesures{};
  GetTextMetricsW(dc, &mesures);
  SelectObject(dc, ancienne);
  ReleaseDC(h, dc);
  return {r.bottom - r.top, std::max(1L, mesures.tmHeight)};
}

void Mettre_A_Jour(HWND h, TEtat& e) {
  // Showing the bar narrows the text, which may then need more lines: twice settles it.
  for (int passe = 0; passe < 2; ++passe) {
    RECT client;
    GetClientRect(h, &client);
    const int hauteur = Hauteurs(h).first + 2 * Marge_Y;
    e.position = std::clamp(e.position, 0, std::max(0, hauteur - static_cast<int>(client.bottom)));
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, hauteur - 1, static_cast<UINT>(client.bottom), e.position, 0};
    SetScrollInfo(h, SB_VERT, &si, TRUE);
  }
  InvalidateRect(h, nullptr, TRUE);
}

void Defiler(HWND h, TEtat& e, int code, int pouce) {
  RECT client;
  GetClientRect(h, &client);
  const int ligne = Hauteurs(h).second;
  switch (code) {
    case SB_LINEUP: e.position -= ligne; break;
    case SB_LINEDOWN: e.position += ligne; break;
    case SB_PAGEUP: e.position -= client.bottom; break;
    case SB_PAGEDOWN: e.position += client.bottom; break;
    case SB_TOP: e.position = 0; break;
    case SB_BOTTOM: e.position = INT_MAX / 2; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: e.position = pouce; break;
    default: return;
  }
  Mettre_A_Jour(h, e);
}

void Dessiner(HWND h, const TEtat& e, HDC dc) {
  RECT client;
  GetClientRect(h, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  const HGDIOBJ ancienne = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, e.couleur);
  RECT r = Zone_Texte(h);
  r.top -= e.position;
  r.bottom = client.bottom;  // the lines that show, the last one perhaps in part
  const std::wstring texte = Texte(h);
  DrawTextW(dc, texte.c_str(), static_cast<int>(texte.size()), &r, Format_Texte);
  SelectObject(dc, ancienne);
}

LRESULT CALLBACK Procedure(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR donnees) {
  auto& e = *reinterpret_cast<TEtat*>(donnees);
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      Dessiner(h, e, BeginPaint(h, &ps));
      EndPaint(h, &ps);
      return 0;
    }
    case WM_PRINTCLIENT: Dessiner(h, e, reinterpret_cast<HDC>(wp)); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETTEXT:
    case WM_SETFONT:
    case WM_SIZE: {
      const LRESULT r = DefSubclassProc(h, msg, wp, lp);
      if (msg == WM_SETTEXT) e.position = 0;  // new warnings show from their first line
      Mettre_A_Jour(h, e);
      return r;
    }
    case WM_VSCROLL: {
      SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
      GetScrollInfo(h, SB_VERT, &si);
      Defiler(h, e, LOWORD(wp), si.nTrackPos);
      return 0;
    }
    case WM_MOUSEWHEEL:
      e.position -= GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA * 3 * Hauteurs(h).second;
      Mettre_A_Jour(h, e);
      return 0;
    case WM_NCDESTROY:
      RemoveWindowSubclass(h, Procedure, Id_Sous_Classe);
      delete &e;
      break;
    default: break;
  }
  return DefSubclassProc(h, msg, wp, lp);
}

}  // namespace

int Hauteur_Voulue(HWND etiquette, int largeur) { return Hauteurs(etiquette, largeur).first + 2 * Marge_Y; }

int Hauteur_Ligne(HWND etiquette) { return Hauteurs(etiquette).second; }

int Marges_Verticales() { return 2 * Marge_Y; }

void Rendre_Defilante(HWND etiquette, COLORREF couleur) {
  auto* etat = new TEtat{couleur};
  if (!SetWindowSubclass(etiquette, Procedure, Id_Sous_Classe, reinterpret_cast<DWORD_PTR>(etat))) delete etat;
}

}  // namespace win32
