// The recap grid of the Win32 window: geometry, colours, selection, keyboard, scrolling and
// column sizing, driven with the messages the mouse and the keyboard send.
#include "Fenetre_Test.h"
#include "forms/Description_Form1.h"

namespace {

using test::FenetreWin32;
using win32::TPlage;

struct GrilleWin32 : FenetreWin32 {
  win32::TGrilleWin32& g() { return *f->StringGridRecap; }
  HWND h() { return g().Handle(); }

  POINT Centre(int col, int ligne) {
    const RECT r = g().Rectangle_Cellule(col, ligne);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  void Souris(UINT msg, POINT p, WPARAM etat = 0) { SendMessageW(h(), msg, etat, MAKELPARAM(p.x, p.y)); }
  void Tirer(POINT de, POINT vers) {
    Souris(WM_LBUTTONDOWN, de, MK_LBUTTON);
    Souris(WM_MOUSEMOVE, vers, MK_LBUTTON);
    Souris(WM_LBUTTONUP, vers);
  }
  void Remplir_Lignes(int n) {
    recap::TTableau t = g().Tableau();
    t.Lignes.resize(static_cast<size_t>(n), t.Lignes.front());
    for (int l = 1; l <= n; ++l) t.Lignes[static_cast<size_t>(l - 1)].Cellules[0] = recap::Cellule_Entier(l);
    g().Afficher(t);
  }

  // The grid drawn into a bitmap of our own, as WM_PRINTCLIENT asks it.
  COLORREF Pixel(int x, int y) {
    RECT client;
    GetClientRect(h(), &client);
    HDC ecran = GetDC(h());
    HDC dc = CreateCompatibleDC(ecran);
    HBITMAP image = CreateCompatibleBitmap(ecran, client.right, client.bottom);
    HGDIOBJ ancienne = SelectObject(dc, image);
    SendMessageW(h(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    const COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, ancienne);
    DeleteObject(image);
    DeleteDC(dc);
    ReleaseDC(h(), ecran);
    return c;
  }
};

TEST_F(GrilleWin32, StartsEmptyWithTheDescriptionsGeometry) {
  const auto& d = description::Grille;
  EXPECT_EQ(g().Tableau().Nombre_Rangees(), d.Lignes);
  EXPECT_EQ(g().Hauteur_Ligne(), d.Hauteur_Ligne);
  for (int c = 0; c < d.Colonnes; ++c) EXPECT_EQ(g().Largeur_Colonne(c), d.Largeurs[static_cast<size_t>(c)]);
  // One-pixel lines between the cells.
  EXPECT_EQ(g().Rectangle_Cellule(0, 0).right, 64);
  const RECT r = g().Rectangle_Cellule(1, 1);
  EXPECT_EQ(r.left, 65);
  EXPECT_EQ(r.top, 25);
  EXPECT_EQ(r.right, 65 + 290);
  EXPECT_EQ(r.bottom, 25 + 24);
  EXPECT_FALSE(GetWindowLongW(h(), GWL_STYLE) & WS_VSCROLL);  // five rows fit
  EXPECT_FALSE(GetWindowLongW(h(), GWL_STYLE) & WS_HSCROLL);
}

TEST_F(GrilleWin32, FixedCellsInButtonFaceOthersInWindowColour) {
  EXPECT_EQ(Pixel(30, 12), GetSysColor(COLOR_BTNFACE));        // row 0
  EXPECT_EQ(Pixel(30, 25 + 12), GetSysColor(COLOR_BTNFACE));   // column 0
  EXPECT_EQ(Pixel(200, 50 + 12), GetSysColor(COLOR_WINDOW));   // cell (1, 2)
  EXPECT_EQ(Pixel(64, 12), GetSysColor(COLOR_WINDOWFRAME));    // the line after column 0
  EXPECT_EQ(Pixel(30, 5 * 25 + 12), GetSysColor(COLOR_WINDOW));  // below the last row
  g().Selectionner({2, 2, 1, 1});  // the current cell is (1, 1), framed, not filled
  EXPECT_EQ(Pixel(500, 50 + 12), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(Pixel(200, 25 + 12), GetSysColor(COLOR_WINDOW));
}

TEST_F(GrilleWin32, RangeSelectionWithMouseAndShiftArrows) {
  Tirer(Centre(1, 1), Centre(3, 2));
  EXPECT_EQ(g().Selection(), (TPlage{1, 1, 3, 2}));
  EXPECT_EQ(GetFocus(), h());
  Souris(WM_LBUTTONDOWN, Centre(0, 3), MK_LBUTTON);  // fixed cells are not selectable
  Souris(WM_LBUTTONUP, Centre(0, 3));
  EXPECT_EQ(g().Selection(), (TPlage{1, 1, 3, 2}));

  Touche(h(), VK_DOWN);
  EXPECT_EQ(g().Selection(), (TPlage{3, 3, 3, 3}));
  Touche(h(), VK_LEFT, true);
  Touche(h(), VK_UP, true);
  EXPECT_EQ(g().Selection(), (TPlage{2, 2, 3, 3}));
  g().Tout_Selectionner();
  EXPECT_EQ(g().Selection(), (TPlage{1, 1, 4, 4}));
}

TEST_F(GrilleWin32, KeyboardNavigationAndScrolling) {
  Remplir_Lignes(100);
  EXPECT_TRUE(GetWindowLongW(h(), GWL_STYLE) & WS_VSCROLL);
  EXPECT_TRUE(GetWindowLongW(h(), GWL_STYLE) & WS_HSCROLL);  // the vertical bar leaves too little room
  const int page = g().Lignes_Visibles();
  EXPECT_GT(page, 10);
  const struct {
    WPARAM touche;
    bool ctrl;
    TPlage attendue;
  } cas[] = {
      {VK_END, true, {4, 100, 4, 100}},
      {VK_HOME, false, {1, 100, 1, 100}},
      {VK_PRIOR, false, {1, 100 - page, 1, 100 - page}},
      {VK_HOME, true, {1, 1, 1, 1}},
      {VK_NEXT, false, {1, 1 + page, 1, 1 + page}},
      {VK_END, false, {4, 1 + page, 4, 1 + page}},
      {VK_RIGHT, false, {4, 1 + page, 4, 1 + page}},
      {VK_UP, false, {4, page, 4, page}},
  };
  for (const auto& k : cas) {
    Touche(h(), k.touche, false, k.ctrl);
    EXPECT_EQ(g().Cellule_Courante(), k.attendue) << k.touche;
    // The current cell is in view, and column 0 stays put.
    const RECT r = g().Rectangle_Cellule(k.attendue.Gauche, k.attendue.Haut);
    EXPECT_GT(r.right, r.left) << k.touche;
    EXPECT_EQ(g().Rectangle_Cellule(0, k.attendue.Haut).left, 0);
  }
  EXPECT_GT(g().Premiere_Colonne_Visible(), 1);  // scrolled sideways to column 4
}

TEST_F(GrilleWin32, ColumnsSizedByDraggingTheirEdgeInRowZero) {
  Tirer({64, 10}, {94, 10});
  EXPECT_EQ(g().Largeur_Colonne(0), 94);
  EXPECT_EQ(g().Rectangle_Cellule(1, 1).left, 95);
  Tirer({95 + 290, 10}, {95 + 200, 10});
  EXPECT_EQ(g().Largeur_Colonne(1), 200);
  // A drag on a row's edge in column 0 sizes nothing.
  Tirer({10, 24}, {10, 60});
  EXPECT_EQ(g().Hauteur_Ligne(), 24);
}

// Whatever table it is given: its columns at its widths, a row to be checked highlighted and said
// so to screen readers.
TEST_F(GrilleWin32, ShowsAnyTableItsRowsToCheckHighlighted) {
  recap::TTableau t;
  t.Colonnes = {{"N°", 40}, {"Libellé", 120}, {"Contrôle", 90}};
  t.Lignes = {{{recap::Cellule_Entier(1), recap::Cellule_Texte("a"), recap::Cellule_Texte("")}},
              {{recap::Cellule_Entier(2), recap::Cellule_Texte("b"), recap::Cellule_Texte("hausse")}, true}};
  g().Afficher(t);
  EXPECT_EQ(g().Largeur_Colonne(0), 40);
  EXPECT_EQ(g().Largeur_Colonne(2), 90);
  g().Selectionner({2, 1, 2, 1});
  const auto& c = description::Couleur_A_Signaler;
  EXPECT_EQ(Pixel(40 + 1 + 120 + 1 + 80, 2 * 25 + 12), RGB(c.Rouge, c.Vert, c.Bleu));  // cell (2, 2)
  EXPECT_EQ(Pixel(40 + 1 + 60, 2 * 25 + 12), RGB(c.Rouge, c.Vert, c.Bleu));            // cell (1, 2)
  test::Accessible lu(h());
  ASSERT_NE(lu.a, nullptr);
  EXPECT_EQ(lu.Description(win32::Identifiant_Cellule(3, 2, 2)), "Ligne à vérifier");
  EXPECT_EQ(lu.Description(win32::Identifiant_Cellule(3, 2, 1)), "(rien)");
}

// A right click selects the cell under it before the menu opens, unless the cell is already in
// the selection; a fixed cell selects nothing.
TEST_F(GrilleWin32, ARightClickSelectsTheCellUnlessItIsSelected) {
  const struct {
    TPlage avant;
    int col, ligne;
    TPlage apres;
  } cas[] = {
      {{1, 1, 1, 1}, 3, 2, {3, 2, 3, 2}},
      {{1, 1, 3, 3}, 2, 2, {1, 1, 3, 3}},
      {{2, 2, 2, 2}, 0, 3, {2, 2, 2, 2}},
  };
  for (const auto& k : cas) {
    g().Selectionner(k.avant);
    Souris(WM_RBUTTONDOWN, Centre(k.col, k.ligne), MK_RBUTTON);
    Souris(WM_RBUTTONUP, Centre(k.col, k.ligne));
    EXPECT_EQ(g().Selection(), k.apres) << k.col << "," << k.ligne;
  }
  EXPECT_EQ(Menus.size(), 3u);
}

// A column dragged to nothing is grabbed again on the right side of the edge it shares with its
// neighbour; on the left side, the neighbour is.
TEST_F(GrilleWin32, AColumnDraggedToNothingIsGrabbedAgain) {
  const int bord = g().Rectangle_Cellule(1, 1).right;  // column 1's right edge, where column 2 now lies
  const struct {
    int x, colonne;  // the column that the drag widens, -1 for none
  } cas[] = {{bord - 3, 1}, {bord, 1}, {bord + 1, 2}, {bord + 4, 2}, {bord + 5, -1}};
  for (const auto& k : cas) {
    const int droite_2 = g().Rectangle_Cellule(2, 1).right;
    Tirer({droite_2, 10}, {droite_2 - 300, 10});
    ASSERT_EQ(g().Largeur_Colonne(2), 0);
    Tirer({k.x, 10}, {k.x + 40, 10});
    EXPECT_EQ(g().Largeur_Colonne(1), k.colonne == 1 ? 330 : 290) << k.x;
    EXPECT_EQ(g().Largeur_Colonne(2), k.colonne == 2 ? 40 : 0) << k.x;
    if (k.colonne == 1) Tirer({bord + 40, 10}, {bord, 10});
  }
}

}  // namespace
