// The program's two message boxes on Windows: system message boxes, modal, captioned with the
// application title.
#pragma once

#include "recap/Fenetre.h"

namespace win32 {

// The application title, from this executable's own file name.
std::string Titre_Application();

// The plain box: no icon, its text wrapped at half the screen's width, one OK button that Enter
// and Escape press, centred on the screen. The error box: the system's, with the stop icon.
// Both are modal.
recap::TBoitesMessages Boites_Win32();

}  // namespace win32
