// How the Win32 grid draws its cells: the fixed ones raised in the button face, the others in
// the window colour, the rows to check tinted, the selection and the focus.
#include "win32/Grille_Win32.h"

#include <string>
#include <vector>

#include "forms/Description_Form1.h"
#include "platform/Caracteres.h"

namespace win32 {

namespace {

constexpr int Trait = description::Grille.Epaisseur_Traits;
constexpr int Marge_Texte = 2;  // the text sits this far in from the cell's left and top edges

void Remplir(HDC dc, const RECT& r, int couleur_systeme) { FillRect(dc, &r, GetSysColorBrush(couleur_systeme)); }

}  // namespace

void TGrilleWin32::Dessiner(HDC dc) const {
  RECT client;
  GetClientRect(hwnd_, &client);
  Remplir(dc, client, COLOR_WINDOW);
  const HGDIOBJ police = SelectObject(dc, police_ != nullptr ? police_ : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  const TPlage choix = Selection();
  const bool focus = GetFocus() == hwnd_;

  std::vector<int> colonnes, lignes{0};
  for (int c = 0; c < Fixes(); ++c) colonnes.push_back(c);
  for (int c = gauche_; c < Colonnes() && X_Colonne(c) < client.right; ++c) colonnes.push_back(c);
  for (int l = haut_; l < Lignes() && Y_Ligne(l) < client.bottom; ++l) lignes.push_back(l);

  for (int l : lignes) {
    for (int c : colonnes) {
      const RECT r = Rectangle_Cellule(c, l);
      const bool fixe = c < Fixes() || l == 0;
      const bool choisie = !fixe && choix.Contient(c, l) && !(focus && c == col_ && l == ligne_);
      // The lines to the right of and below the cell: dark around the fixed cells.
      const int trait = fixe ? COLOR_WINDOWFRAME : COLOR_BTNFACE;
      Remplir(dc, {r.right, r.top, r.right + Trait, r.bottom + Trait}, trait);
      Remplir(dc, {r.left, r.bottom, r.right + Trait, r.bottom + Trait}, trait);
      if (fixe) {
        Remplir(dc, r, COLOR_BTNFACE);
        RECT bord = r;
        DrawEdge(dc, &bord, BDR_RAISEDINNER, BF_RECT);
      } else {
        const bool a_signaler = tableau_.Lignes[static_cast<size_t>(l - 1)].A_Signaler;
        if (choisie || !a_signaler) {
          Remplir(dc, r, choisie ? COLOR_HIGHLIGHT : COLOR_WINDOW);
        } else {
          const auto& c_s = description::Couleur_A_Signaler;
          const HBRUSH fond = CreateSolidBrush(RGB(c_s.Rouge, c_s.Vert, c_s.Bleu));
          FillRect(dc, &r, fond);
          DeleteObject(fond);
        }
      }
      // Rows left from a click that made no result are grey: no longer the figures.
      const int couleur = fixe ? COLOR_BTNTEXT : choisie ? COLOR_HIGHLIGHTTEXT : tableau_.Perime ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT;
      SetTextColor(dc, GetSysColor(couleur));
      const std::wstring texte =
          plateforme::Vers_Utf16(l == 0 ? recap::Texte_Entete_Ecran(tableau_, c) : tableau_.Texte(c, l));
      const bool droite = recap::Alignement_Ecran(tableau_, c, l) == recap::TAlignement::Droite;
      RECT zone{r.left + Marge_Texte, r.top + Marge_Texte, droite ? r.right - Marge_Texte : r.right, r.bottom};
      const UINT cote = droite ? DT_RIGHT : DT_LEFT;
      DrawTextW(dc, texte.c_str(), static_cast<int>(texte.size()), &zone, cote | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
      if (!fixe && focus && c == col_ && l == ligne_) DrawFocusRect(dc, &r);
    }
  }
  SelectObject(dc, police);
}

}  // namespace win32
