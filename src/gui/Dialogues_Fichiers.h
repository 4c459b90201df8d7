// The save dialog behind one small interface, so that tests answer it instead of blocking on
// a modal dialog.
#pragma once

#include <QString>
#include <functional>
#include <optional>

struct TDialoguesFichiers {
  // Asks where to save: the chosen path, or nothing when the user cancelled.
  std::function<std::optional<QString>(const QString& titre, const QString& chemin_propose,
                                       const QString& filtre)>
      Enregistrer;
};

// The system's save dialog, modal.
TDialoguesFichiers Dialogues_Qt();
