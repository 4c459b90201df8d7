// What a screen reader gets of a table's grid through Active Accessibility: the grid, named, and
// its cells as children, each named by its column and rubric, its text as the value, a row to
// be checked said so in its cells' description.
#pragma once

#include <windows.h>

#include <string>

#include "recap/Export.h"
#include "recap/Tableau.h"

namespace win32 {

// What the accessible object reads of a grid, asked again at every query of a screen reader.
class TGrille_Lisible {
public:
  virtual const recap::TTableau& Tableau_Lu() const = 0;
  // The grid's own name: the main window's, or its window's title.
  virtual const std::string& Nom_Lu() const = 0;
  virtual recap::TZone Selection() const = 0;
  virtual recap::TZone Cellule_Courante() const = 0;
  // The cell's rectangle in the control's client area, empty when not in view.
  virtual RECT Rectangle_Cellule(int col, int ligne) const = 0;

protected:
  ~TGrille_Lisible() = default;
};

// The message that a grid's window answers with its TGrille_Lisible: the accessible object may
// outlive the grid, and asks for it at each query.
inline constexpr UINT Message_Grille_Lisible = WM_USER + 1;

// The child identifier of a cell of a table of so many columns: 1 for (0, 0), then row by row.
LONG Identifiant_Cellule(int colonnes, int col, int ligne);

// The answer to WM_GETOBJECT for the grid's client area.
LRESULT Repondre_Accessibilite(HWND grille, WPARAM wp);

// Tells screen readers that the grid's current cell is now the one of that identifier.
void Annoncer_Cellule_Courante(HWND grille, LONG identifiant);

}  // namespace win32
