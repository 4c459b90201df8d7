// The grid of the Win32 windows' tables: a control of our own, drawn with GDI from a
// recap::TTableau, whatever table it is. Row 0 and column 0 are fixed; column 0 stays in view when
// the grid scrolls sideways; a row to be checked is drawn highlighted.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/Textes.h"
#include "recap/Export.h"
#include "recap/Tableau.h"
#include "win32/Accessibilite_Win32.h"
#include "win32/Fenetre_Base.h"

namespace win32 {

// A rectangle of data cells, both corners included, addressed (column, row).
using TPlage = recap::TZone;

// What a double click on a data cell tells the grid's parent: WM_COMMAND with this code in its
// high word, the cell clicked current.
inline constexpr WORD Notification_Double_Clic = 0x8001;
// A click on a column's header, once Permettre_Tri has been called: Entete_Clique says which.
inline constexpr WORD Notification_Entete = 0x8002;

class TGrilleWin32 : public TFenetre_Base<TGrilleWin32>, public TGrille_Lisible {
public:
  // Creates the control as a child of parent; dpi scales the description's pixels.
  TGrilleWin32(HWND parent, int id, const RECT& zone, int dpi);
  ~TGrilleWin32();

  // Shows the table. The columns take the table's widths when their number changes; otherwise
  // they keep the widths the user gave them.
  void Afficher(recap::TTableau tableau);
  const recap::TTableau& Tableau() const { return tableau_; }
  const recap::TTableau& Tableau_Lu() const override { return tableau_; }
  // What a screen reader calls the grid.
  void Nommer(std::string nom) { nom_ = std::move(nom); }
  const std::string& Nom_Lu() const override { return nom_; }
  // A new recap: shown from its first row and column, its first cell current.
  void Revenir_Au_Debut();
  // A click on row 0 tells the parent (the main grid's fixed cells stay still, as designed).
  void Permettre_Tri() { tri_ = true; }
  int Entete_Clique() const { return entete_clique_; }

  // The selection: the anchor and the current cell span it.
  TPlage Selection() const override;
  TPlage Cellule_Courante() const override { return {col_, ligne_, col_, ligne_}; }
  void Selectionner(TPlage plage);
  void Tout_Selectionner();

  int Largeur_Colonne(int col) const;
  int Hauteur_Ligne() const { return hauteur_; }
  int Premiere_Ligne_Visible() const { return haut_; }
  int Premiere_Colonne_Visible() const { return gauche_; }
  // Scrolling rows wholly in view: the step of Page Up and Page Down.
  int Lignes_Visibles() const;
  // The cell's rectangle in the control's client area (lines excluded), empty when not in view.
  RECT Rectangle_Cellule(int col, int ligne) const override;
  void Changer_Dpi(int dpi);

  // Draws the whole client area into dc (WM_PAINT and WM_PRINTCLIENT).
  void Dessiner(HDC dc) const;

private:
  friend class TFenetre_Base<TGrilleWin32>;
  LRESULT Traiter(UINT msg, WPARAM wp, LPARAM lp);

  int Echelle(int pixels) const { return win32::Echelle(pixels, dpi_); }
  int Lignes() const { return tableau_.Nombre_Rangees(); }
  int Colonnes() const { return tableau_.Nombre_Colonnes(); }
  // The columns that stay in view when the grid scrolls sideways: the first at least.
  int Fixes() const { return std::clamp(tableau_.Colonnes_Fixes, 1, std::max(1, Colonnes() - 1)); }
  // The last column a cell can be selected in: the first scrolling column at least.
  int Derniere_Colonne() const { return std::max(Fixes(), Colonnes() - 1); }
  void Rafraichir();
  int X_Colonne(int col) const;  // left edge, -1 when scrolled out
  int Y_Ligne(int ligne) const;
  bool Cellule_En(POINT p, int& col, int& ligne) const;
  // The column whose right edge is under p in row 0, or -1. Beside an edge shared with a column
  // dragged to nothing, the right side of it takes that column, so that it can be widened again.
  int Bord_Colonne_En(POINT p) const;
  int Colonnes_Visibles_Depuis(int gauche) const;
  void Mettre_A_Jour_Defilement();
  void Defiler(int barre, int code, int position);
  void Aller(int col, int ligne, bool etendre);
  void Rendre_Visible(int col, int ligne);
  void Touche(WPARAM touche);
  void Souris(UINT msg, POINT p, WPARAM etat);

  HFONT police_ = nullptr;  // the window's, not owned
  int dpi_;
  recap::TTableau tableau_;
  std::string nom_ = textes::Nom_Grille_Accessible;
  std::vector<int> largeurs_;
  int hauteur_;
  int haut_ = 1, gauche_ = 1;          // first scrolling row and column in view (gauche_ >= Fixes())
  int col_ = 1, ligne_ = 1;            // current cell
  int ancre_col_ = 1, ancre_ligne_ = 1;
  bool selection_souris_ = false;
  int colonne_tiree_ = -1, depart_tirage_ = 0, largeur_depart_ = 0;
  bool tri_ = false;
  int entete_clique_ = -1;
};

}  // namespace win32
