// The Win32 window's modal layers besides the message boxes: the save dialog and the grid's
// popup menu, replaceable so that tests answer them instead of blocking.
#pragma once

#include <windows.h>

#include <functional>

#include "recap/Export.h"

namespace win32 {

struct TDialogues {
  // The save dialog.
  recap::TDemander_Chemin Enregistrer;
  // The popup menu at a point of the screen: the chosen entry's identifier, 0 when none.
  std::function<UINT(HMENU menu, POINT ecran, HWND proprietaire)> Menu;
};

// GetSaveFileNameW and TrackPopupMenuEx, modal.
TDialogues Dialogues_Win32();

}  // namespace win32
