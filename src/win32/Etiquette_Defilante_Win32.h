// A static label that scrolls when its text needs more lines than its height holds: the
// window's warnings, one per payslip left out, can be many. It stays a static for screen
// readers (its name is its text, its changes the system's events), as the summary label is.
#pragma once

#include <windows.h>

namespace win32 {

// From now on the label draws its text itself, wrapped, in that colour on the button face, and
// scrolls it with its vertical bar and the mouse wheel, the bar showing only when needed.
void Rendre_Defilante(HWND etiquette, COLORREF couleur);

// The height that shows its whole text at that width, its margins included; and one line's.
int Hauteur_Voulue(HWND etiquette, int largeur);
int Hauteur_Ligne(HWND etiquette);
// Its margins, above and below the text together.
int Marges_Verticales();

}  // namespace win32
