// The save and print dialogs behind one small interface, so that tests answer them instead of
// blocking on a modal dialog.
#pragma once

#include <QString>
#include <functional>
#include <optional>

class QPrinter;

struct TDialoguesFichiers {
  // Asks where to save: the chosen path, or nothing when the user cancelled.
  std::function<std::optional<QString>(const QString& titre, const QString& chemin_propose,
                                       const QString& filtre)>
      Enregistrer;
  // Lets the user choose the printer, the paper and the pages; false when cancelled.
  std::function<bool(QPrinter& imprimante)> Imprimer;
};

// The system's save and print dialogs, modal.
TDialoguesFichiers Dialogues_Qt();
