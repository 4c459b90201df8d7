// The program's two message boxes on Windows: system message boxes, modal, captioned with the
// application title.
#pragma once

#include "recap/Fenetre.h"

namespace win32 {

// The application title, from this executable's own file name.
std::string Titre_Application();

// The plain box has no icon, the error box the stop icon; both have one OK button, which Enter
// and Escape press, and are centred on the screen.
recap::TBoitesMessages Boites_Win32();

}  // namespace win32
