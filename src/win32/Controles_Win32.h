// What the windows of ours share about their controls: texts in and out of UTF-16, labels sized
// to their text, the raised panel, the font of the description and the wait cursor.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "recap/Fenetre.h"

namespace win32 {

std::wstring Large(const char* utf8);

// The control's text, in UTF-8.
std::string Texte(HWND controle);

// A static control breaks its lines at CR LF.
std::wstring Lignes_Win32(const std::string& texte);

// The warnings in the label, one a line, the label shown only when there are some. True when it
// appeared or went: the window then lays out its controls again.
bool Montrer_Avertissements(HWND etiquette, const std::vector<std::string>& avertissements);

// Shown, whether its parents are yet or not.
bool Montre(HWND controle);

// The monitor's screen without its taskbar.
RECT Zone_Travail(HMONITOR moniteur);

// A frame of that size with its corner at coin, moved and if need be shrunk into the zone.
RECT Dans_La_Zone(const RECT& zone, POINT coin, SIZE taille);

// The label as wide and high as its text in that font, no smaller than minimum.
void Ajuster_A_Son_Texte(HWND etiquette, HFONT police, SIZE minimum = {0, 0});

// The description's font at dpi; the caller deletes it.
HFONT Creer_Police(int dpi);

// The class of a raised panel in the button-face colour that passes its controls' notifications
// to its parent (Panel1, PanelComparaison); registered on the first call.
const wchar_t* Classe_Panneau();

// The wait cursor while occupe is set, the arrow while a box waits for the user; occupe is the
// window's, which shows the wait cursor over itself while it is set.
recap::TCurseur Curseur_Fenetre(bool& occupe);

}  // namespace win32
