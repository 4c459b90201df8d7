// The chart of a table window (the cumuls) on Windows: a child window that the core lays out for
// its size and GDI draws. Its name, for screen readers, says what it shows; its figures reach
// them through the grid's summary rows.
#pragma once

#include <windows.h>

#include "recap/Tableau.h"

namespace win32 {

// A hidden chart window, child of parent; WM_SETFONT gives it its texts' font.
HWND Creer_Graphique(HWND parent, int id);

// The table's chart in the window, or none.
void Montrer_Graphique(HWND graphique, const recap::TTableau& Tableau);

}  // namespace win32
