#include "win32/Grille_Win32.h"

#include <windowsx.h>

#include <algorithm>

#include "forms/Description_Form1.h"
#include "platform/Caracteres.h"

namespace win32 {

namespace {

constexpr wchar_t Classe[] = L"KorvexGrilleRecap";
constexpr int Trait = description::Grille.Epaisseur_Traits;
constexpr int Prise_Bord = 3;   // pixels either side of a column's edge where the mouse sizes it

// A device context drawn off screen and copied at once, so that the grid does not flicker.
class TDessinHorsEcran {
public:
  TDessinHorsEcran(HDC ecran, const RECT& zone)
      : ecran_(ecran), zone_(zone), dc_(CreateCompatibleDC(ecran)),
        image_(CreateCompatibleBitmap(ecran, std::max(1L, zone.right), std::max(1L, zone.bottom))),
        ancienne_(SelectObject(dc_, image_)) {}
  ~TDessinHorsEcran() {
    BitBlt(ecran_, 0, 0, zone_.right, zone_.bottom, dc_, 0, 0, SRCCOPY);
    SelectObject(dc_, ancienne_);
    DeleteObject(image_);
    DeleteDC(dc_);
  }
  TDessinHorsEcran(const TDessinHorsEcran&) = delete;
  TDessinHorsEcran& operator=(const TDessinHorsEcran&) = delete;
  HDC Dc() const { return dc_; }

private:
  HDC ecran_;
  RECT zone_;
  HDC dc_;
  HBITMAP image_;
  HGDIOBJ ancienne_;
};

void Enregistrer_Classe(WNDPROC Procedure) {
  static const bool fait = [Procedure] {
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    c.style = CS_DBLCLKS;
    c.lpfnWndProc = Procedure;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    c.lpszClassName = Classe;
    return RegisterClassExW(&c) != 0;
  }();
  (void)fait;
}

}  // namespace

TGrilleWin32::TGrilleWin32(HWND parent, int id, const RECT& zone, int dpi)
    : dpi_(dpi), hauteur_(Echelle(description::Grille.Hauteur_Ligne)) {
  Enregistrer_Classe(&TGrilleWin32::Procedure);
  CreateWindowExW(WS_EX_CLIENTEDGE, Classe, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL,
                  zone.left, zone.top, zone.right - zone.left, zone.bottom - zone.top, parent,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), this);
  Mettre_A_Jour_Defilement();
}

TGrilleWin32::~TGrilleWin32() { Detruire(); }

// ---- Geometry ----

int TGrilleWin32::Largeur_Colonne(int col) const {
  return col >= 0 && col < static_cast<int>(largeurs_.size()) ? largeurs_[static_cast<size_t>(col)] : 0;
}

int TGrilleWin32::X_Colonne(int col) const {
  int x = 0;
  for (int c = 0; c < std::min(col, Fixes()); ++c) x += Largeur_Colonne(c) + Trait;
  if (col < Fixes()) return x;
  if (col < gauche_) return -1;
  for (int c = gauche_; c < col; ++c) x += Largeur_Colonne(c) + Trait;
  return x;
}

int TGrilleWin32::Y_Ligne(int ligne) const {
  if (ligne == 0) return 0;
  if (ligne < haut_) return -1;
  return (ligne - haut_ + 1) * (hauteur_ + Trait);
}

RECT TGrilleWin32::Rectangle_Cellule(int col, int ligne) const {
  const int x = X_Colonne(col), y = Y_Ligne(ligne);
  if (x < 0 || y < 0 || col >= Colonnes() || ligne >= Lignes()) return {};
  return {x, y, x + Largeur_Colonne(col), y + hauteur_};
}

bool TGrilleWin32::Cellule_En(POINT p, int& col, int& ligne) const {
  col = -1;
  ligne = -1;
  for (int c = 0; c < Colonnes(); ++c) {
    const int x = X_Colonne(c);
    if (x >= 0 && p.x >= x && p.x < x + Largeur_Colonne(c) + Trait) col = c;
  }
  if (p.y >= 0) {
    ligne = p.y < hauteur_ + Trait ? 0 : haut_ + p.y / (hauteur_ + Trait) - 1;
    if (ligne >= Lignes()) ligne = -1;
  }
  return col >= 0 && ligne >= 0;
}

int TGrilleWin32::Bord_Colonne_En(POINT p) const {
  if (p.y < 0 || p.y >= hauteur_ + Trait) return -1;
  // The nearest edge; of two as near, the right one, a column of no width beside its neighbour.
  int trouvee = -1, ecart_trouve = Prise_Bord;
  for (int c = 0; c < Colonnes(); ++c) {
    const int x = X_Colonne(c);
    const int ecart = std::abs(static_cast<int>(p.x) - (x + Largeur_Colonne(c)));
    if (x >= 0 && ecart <= ecart_trouve) trouvee = c, ecart_trouve = ecart;
  }
  return trouvee;
}

int TGrilleWin32::Colonnes_Visibles_Depuis(int gauche) const {
  RECT client;
  GetClientRect(hwnd_, &client);
  int x = X_Colonne(Fixes() - 1) + Largeur_Colonne(Fixes() - 1) + Trait, n = 0;
  for (int c = gauche; c < Colonnes(); ++c) {
    x += Largeur_Colonne(c) + Trait;
    if (x - Trait > client.right) break;
    ++n;
  }
  return std::max(1, n);
}

int TGrilleWin32::Lignes_Visibles() const {
  RECT client;
  GetClientRect(hwnd_, &client);
  return std::max(1, static_cast<int>(client.bottom) / (hauteur_ + Trait) - 1);
}

// ---- Scrolling: by whole rows and columns ----

void TGrilleWin32::Mettre_A_Jour_Defilement() {
  const int derniere_col = Derniere_Colonne();
  // Showing one bar narrows the room of the other: twice is enough to settle.
  for (int passe = 0; passe < 2; ++passe) {
    int gauche_max = derniere_col;
    while (gauche_max > Fixes() && Colonnes_Visibles_Depuis(gauche_max - 1) >= derniere_col - gauche_max + 2) --gauche_max;
    gauche_ = std::clamp(gauche_, Fixes(), gauche_max);
    SCROLLINFO h{sizeof h, SIF_RANGE | SIF_PAGE | SIF_POS, Fixes(), derniere_col,
                 static_cast<UINT>(derniere_col - gauche_max + 1), gauche_, 0};
    SetScrollInfo(hwnd_, SB_HORZ, &h, TRUE);

    const int derniere_ligne = std::max(1, Lignes() - 1);
    const int haut_max = std::max(1, derniere_ligne - Lignes_Visibles() + 1);
    haut_ = std::clamp(haut_, 1, haut_max);
    SCROLLINFO v{sizeof v, SIF_RANGE | SIF_PAGE | SIF_POS, 1, derniere_ligne,
                 static_cast<UINT>(derniere_ligne - haut_max + 1), haut_, 0};
    SetScrollInfo(hwnd_, SB_VERT, &v, TRUE);
  }
}

void TGrilleWin32::Defiler(int barre, int code, int position) {
  int& debut = barre == SB_VERT ? haut_ : gauche_;
  const int page = barre == SB_VERT ? Lignes_Visibles() : Colonnes_Visibles_Depuis(gauche_);
  switch (code) {
    case SB_LINEUP: --debut; break;
    case SB_LINEDOWN: ++debut; break;
    case SB_PAGEUP: debut -= page; break;
    case SB_PAGEDOWN: debut += page; break;
    case SB_TOP: debut = 1; break;
    case SB_BOTTOM: debut = Lignes(); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: debut = position; break;
    default: return;
  }
  Mettre_A_Jour_Defilement();  // brings debut back within its range
  InvalidateRect(hwnd_, nullptr, FALSE);
}

// ---- Selection and keyboard ----

TPlage TGrilleWin32::Selection() const {
  return {std::min(col_, ancre_col_), std::min(ligne_, ancre_ligne_), std::max(col_, ancre_col_),
          std::max(ligne_, ancre_ligne_)};
}

void TGrilleWin32::Selectionner(TPlage plage) {
  const int derniere = std::max(1, Lignes() - 1);
  ancre_col_ = std::clamp(plage.Gauche, Fixes(), Derniere_Colonne());
  ancre_ligne_ = std::clamp(plage.Haut, 1, derniere);
  col_ = std::clamp(plage.Droite, Fixes(), Derniere_Colonne());
  ligne_ = std::clamp(plage.Bas, 1, derniere);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void TGrilleWin32::Tout_Selectionner() { Selectionner({Fixes(), 1, Derniere_Colonne(), Lignes() - 1}); }

void TGrilleWin32::Rendre_Visible(int col, int ligne) {
  if (ligne < haut_) haut_ = ligne;
  const int visibles = Lignes_Visibles();
  if (ligne >= haut_ + visibles) haut_ = ligne - visibles + 1;
  if (col < gauche_) gauche_ = col;
  while (gauche_ < col && col >= gauche_ + Colonnes_Visibles_Depuis(gauche_)) ++gauche_;
  Mettre_A_Jour_Defilement();
}

void TGrilleWin32::Aller(int col, int ligne, bool etendre) {
  col_ = std::clamp(col, Fixes(), Derniere_Colonne());
  ligne_ = std::clamp(ligne, 1, std::max(1, Lignes() - 1));
  if (!etendre) {
    ancre_col_ = col_;
    ancre_ligne_ = ligne_;
  }
  Rendre_Visible(col_, ligne_);
  InvalidateRect(hwnd_, nullptr, FALSE);
  Annoncer_Cellule_Courante(hwnd_, Identifiant_Cellule(Colonnes(), col_, ligne_));
}

void TGrilleWin32::Touche(WPARAM touche) {
  const bool maj = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
  const int derniere_col = Derniere_Colonne(), derniere_ligne = Lignes() - 1;
  const int page = Lignes_Visibles();
  switch (touche) {
    case VK_LEFT: Aller(col_ - 1, ligne_, maj); break;
    case VK_RIGHT: Aller(col_ + 1, ligne_, maj); break;
    case VK_UP: Aller(col_, ligne_ - 1, maj); break;
    case VK_DOWN: Aller(col_, ligne_ + 1, maj); break;
    case VK_PRIOR: Aller(col_, ligne_ - page, maj); break;
    case VK_NEXT: Aller(col_, ligne_ + page, maj); break;
    case VK_HOME: Aller(Fixes(), ctrl ? 1 : ligne_, maj); break;
    case VK_END: Aller(derniere_col, ctrl ? derniere_ligne : ligne_, maj); break;
    default: break;
  }
}

// ---- Mouse: range selection and column sizing ----

void TGrilleWin32::Souris(UINT msg, POINT p, WPARAM etat) {
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
    SetFocus(hwnd_);
    if (const int bord = Bord_Colonne_En(p); bord >= 0) {
      colonne_tiree_ = bord;
      depart_tirage_ = static_cast<int>(p.x);
      largeur_depart_ = Largeur_Colonne(bord);
      SetCapture(hwnd_);
      return;
    }
    int col, ligne;
    if (tri_ && Cellule_En(p, col, ligne) && ligne == 0) {  // a second click soon after is one too
      entete_clique_ = col;
      SendMessageW(GetParent(hwnd_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd_), Notification_Entete),
                   reinterpret_cast<LPARAM>(hwnd_));
      return;
    }
    if (Cellule_En(p, col, ligne) && col >= Fixes() && ligne > 0) {  // fixed cells are not selectable
      Aller(col, ligne, (etat & MK_SHIFT) != 0);
      if (msg == WM_LBUTTONDBLCLK) {
        SendMessageW(GetParent(hwnd_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd_), Notification_Double_Clic),
                     reinterpret_cast<LPARAM>(hwnd_));
        return;
      }
      selection_souris_ = true;
      SetCapture(hwnd_);
    }
  } else if (msg == WM_MOUSEMOVE) {
    if (colonne_tiree_ >= 0) {
      largeurs_[static_cast<size_t>(colonne_tiree_)] = std::max(0, largeur_depart_ + static_cast<int>(p.x) - depart_tirage_);
      Mettre_A_Jour_Defilement();
      InvalidateRect(hwnd_, nullptr, FALSE);
    } else if (selection_souris_) {
      int col, ligne;
      Cellule_En(p, col, ligne);
      if (col < 0) col = p.x < 0 ? gauche_ - 1 : Colonnes() - 1;
      if (ligne < 0) ligne = p.y < 0 ? haut_ - 1 : Lignes() - 1;
      if (col < Fixes()) col = gauche_ - 1;  // dragging over the fixed columns scrolls back
      if (ligne == 0) ligne = haut_ - 1;
      Aller(col, ligne, true);
    }
  } else if (msg == WM_LBUTTONUP) {
    ReleaseCapture();
  } else if (msg == WM_RBUTTONDOWN) {
    // The menu acts on the cell clicked, unless it lies in the selection, as a spreadsheet does.
    SetFocus(hwnd_);
    int col, ligne;
    if (Cellule_En(p, col, ligne) && col >= Fixes() && ligne > 0 && !Selection().Contient(col, ligne)) Aller(col, ligne, false);
  }
}

// ---- Messages ----

LRESULT TGrilleWin32::Traiter(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFONT:
      police_ = reinterpret_cast<HFONT>(wp);
      if (LOWORD(lp)) InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(police_);
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      RECT client;
      GetClientRect(hwnd_, &client);
      {
        const TDessinHorsEcran hors_ecran(dc, client);
        Dessiner(hors_ecran.Dc());
      }
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_PRINTCLIENT: Dessiner(reinterpret_cast<HDC>(wp)); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: Mettre_A_Jour_Defilement(); InvalidateRect(hwnd_, nullptr, FALSE); return 0;
    case WM_SETFOCUS:
      InvalidateRect(hwnd_, nullptr, FALSE);
      Annoncer_Cellule_Courante(hwnd_, Identifiant_Cellule(Colonnes(), col_, ligne_));
      return 0;
    case WM_KILLFOCUS: InvalidateRect(hwnd_, nullptr, FALSE); return 0;
    case Message_Grille_Lisible: return reinterpret_cast<LRESULT>(static_cast<const TGrille_Lisible*>(this));
    case WM_GETOBJECT:
      if (static_cast<LONG>(lp) == OBJID_CLIENT) return Repondre_Accessibilite(hwnd_, wp);
      break;
    case WM_VSCROLL:
    case WM_HSCROLL: {
      SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
      const int barre = msg == WM_VSCROLL ? SB_VERT : SB_HORZ;
      GetScrollInfo(hwnd_, barre, &si);
      Defiler(barre, LOWORD(wp), si.nTrackPos);
      return 0;
    }
    case WM_MOUSEWHEEL:
      Defiler(SB_VERT, SB_THUMBPOSITION, haut_ - GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA * 3);
      return 0;
    case WM_KEYDOWN: Touche(wp); return 0;
    case WM_KEYUP:
      // The menu key: not every system makes it a context menu by itself (Wine does not).
      if (wp == VK_APPS) {
        SendMessageW(hwnd_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd_), -1);
        return 0;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN: Souris(msg, {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}, wp); return 0;
    case WM_CAPTURECHANGED:
      selection_souris_ = false;
      colonne_tiree_ = -1;
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(hwnd_, &p);
        if (colonne_tiree_ >= 0 || Bord_Colonne_En(p) >= 0) {
          SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
          return TRUE;
        }
      }
      break;
    default: break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

void TGrilleWin32::Afficher(recap::TTableau tableau) {
  const bool nouvelles_colonnes = tableau.Nombre_Colonnes() != Colonnes();
  tableau_ = std::move(tableau);
  if (nouvelles_colonnes) {
    largeurs_.clear();
    for (const recap::TColonne& c : tableau_.Colonnes) largeurs_.push_back(Echelle(c.Largeur));
    gauche_ = Fixes();
    col_ = ancre_col_ = Fixes();
  }
  // The current cell and the anchor stay within the columns.
  col_ = std::min(col_, Derniere_Colonne());
  ancre_col_ = std::min(ancre_col_, Derniere_Colonne());
  Rafraichir();
}

void TGrilleWin32::Rafraichir() {
  // The current cell and the anchor stay within the rows.
  ligne_ = std::min(ligne_, std::max(1, Lignes() - 1));
  ancre_ligne_ = std::min(ancre_ligne_, std::max(1, Lignes() - 1));
  Mettre_A_Jour_Defilement();
  InvalidateRect(hwnd_, nullptr, FALSE);
  UpdateWindow(hwnd_);
}

void TGrilleWin32::Revenir_Au_Debut() {
  haut_ = 1;
  gauche_ = Fixes();
  Selectionner({Fixes(), 1, Fixes(), 1});
  Rafraichir();
}

void TGrilleWin32::Changer_Dpi(int dpi) {
  for (int& l : largeurs_) l = MulDiv(l, dpi, dpi_);
  dpi_ = dpi;
  hauteur_ = Echelle(description::Grille.Hauteur_Ligne);
  Mettre_A_Jour_Defilement();
  InvalidateRect(hwnd_, nullptr, FALSE);
}

}  // namespace win32
