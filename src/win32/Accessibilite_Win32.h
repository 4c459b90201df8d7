// What a screen reader gets of the recap grid through Active Accessibility: the grid, named, and
// its cells as children, each named by its column and rubric, its text as the value.
#pragma once

#include <windows.h>

namespace win32 {

class TGrilleWin32;

// The child identifier of a cell: 1 for (0, 0), then row by row.
LONG Identifiant_Cellule(int col, int ligne);

// The answer to WM_GETOBJECT for the grid's client area.
LRESULT Repondre_Accessibilite(HWND grille, WPARAM wp);

// Tells screen readers that the current cell changed.
void Annoncer_Cellule_Courante(const TGrilleWin32& grille);

}  // namespace win32
