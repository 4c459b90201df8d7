// The save and print dialogs behind one small interface, so that tests answer them instead of
// blocking on a modal dialog.
#pragma once

#include <functional>

#include "recap/Export.h"

class QPrinter;

struct TDialoguesFichiers {
  // Asks where to save, as the core's request says: the chosen path (native separators), or
  // nothing when the user cancelled.
  recap::TDemander_Chemin Enregistrer;
  // Lets the user choose the printer, the paper and the pages; false when cancelled.
  std::function<bool(QPrinter& imprimante)> Imprimer;
};

// The system's save and print dialogs, modal.
TDialoguesFichiers Dialogues_Qt();
