// What the POSIX and Windows halves of the file calls share: the fault injector of the tests and
// the temporary file of a save.
#pragma once

#include <optional>
#include <string>

#include "platform/Fichiers.h"

namespace plateforme::interne {

// The reason the installed injector gives for making this operation fail, if any; for a handle,
// the reason its own gives.
std::optional<std::string> Panne_Injectee(TOperationFichier operation, const std::string& chemin);
std::optional<std::string> Panne_Injectee(const TInjecteurPannes& injecteur, TOperationFichier operation,
                                          const std::string& chemin);

// The temporary file of a save, removed unless the save went through.
template <class TChemin>
struct TTemporaire {
  TChemin Chemin;
  void (*Supprimer)(const TChemin&);
  bool Garder = false;
  ~TTemporaire() {
    if (!Garder) Supprimer(Chemin);
  }
};

}  // namespace plateforme::interne
