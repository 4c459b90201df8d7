#include "win32/Graphique_Win32.h"

#include <memory>
#include <optional>

#include "platform/Caracteres.h"
#include "platform/Separateurs.h"
#include "platform/Textes.h"
#include "recap/Graphique.h"
#include "win32/Controles_Win32.h"
#include "win32/Impression_Gdi.h"

namespace win32 {

namespace {

constexpr wchar_t Classe_Graphique[] = L"KorvexGraphique";
constexpr int Marge = 8;

struct TEtat {
  std::optional<recap::TDonnees_Graphique> Donnees;
  HFONT Police = nullptr;
};

TEtat* Etat(HWND h) { return reinterpret_cast<TEtat*>(GetWindowLongPtrW(h, GWLP_USERDATA)); }

void Dessiner(HWND h, HDC dc) {
  RECT client;
  GetClientRect(h, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  const TEtat* e = Etat(h);
  if (e == nullptr || !e->Donnees) return;
  const HGDIOBJ ancienne = SelectObject(dc, e->Police != nullptr ? e->Police : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW mesures{};
  GetTextMetricsW(dc, &mesures);
  const recap::TMesure mesure = [dc](recap::TRole, const std::string& texte) {
    const std::wstring large = plateforme::Vers_Utf16(texte);
    SIZE taille{};
    GetTextExtentPoint32W(dc, large.c_str(), static_cast<int>(large.size()), &taille);
    return static_cast<double>(taille.cx);
  };
  const recap::TPage_Imprimee dessin =
      recap::Dessiner_Graphique(*e->Donnees, Marge, Marge / 2.0, client.right - 2 * Marge, client.bottom - Marge, mesure,
                                mesures.tmHeight, plateforme::DecimalSeparator());
  SelectObject(dc, ancienne);
  Dessiner_Ecran_Gdi(dc, dessin, e->Police != nullptr ? e->Police : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
}

LRESULT CALLBACK Procedure(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_NCCREATE: SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new TEtat)); break;
    case WM_NCDESTROY: delete Etat(h); SetWindowLongPtrW(h, GWLP_USERDATA, 0); break;
    case WM_SETFONT:
      if (TEtat* e = Etat(h)) e->Police = reinterpret_cast<HFONT>(wp);
      if (LOWORD(lp)) InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return Etat(h) != nullptr ? reinterpret_cast<LRESULT>(Etat(h)->Police) : 0;
    case WM_SIZE: InvalidateRect(h, nullptr, TRUE); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      Dessiner(h, BeginPaint(h, &ps));
      EndPaint(h, &ps);
      return 0;
    }
    case WM_PRINTCLIENT: Dessiner(h, reinterpret_cast<HDC>(wp)); return 0;
    default: break;
  }
  return DefWindowProcW(h, msg, wp, lp);
}

}  // namespace

HWND Creer_Graphique(HWND parent, int id) {
  static const bool fait = [] {
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    c.lpfnWndProc = Procedure;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    c.lpszClassName = Classe_Graphique;
    return RegisterClassExW(&c) != 0;
  }();
  (void)fait;
  return CreateWindowExW(0, Classe_Graphique, Large(textes::Description_Graphique).c_str(), WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                         parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

void Montrer_Graphique(HWND graphique, const recap::TTableau& Tableau) {
  if (TEtat* e = Etat(graphique)) e->Donnees = recap::Donnees_Graphique(Tableau);
  InvalidateRect(graphique, nullptr, TRUE);
}

}  // namespace win32
