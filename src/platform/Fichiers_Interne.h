// What the POSIX and Windows halves of the file calls share: the fault injector of the tests and
// the temporary file of a save.
#pragma once

#include <optional>
#include <string>

#include "platform/Fichiers.h"

namespace plateforme::interne {

// The reason a test's injector gives for making this operation fail, if any.
std::optional<std::string> Panne_Injectee(TOperationFichier operation, const std::string& chemin);

// FAT dates cover 1980 to 2107: a last-write time outside them makes the file unusable here.
inline bool Annee_Date_Fat(int annee) { return annee >= 1980 && annee <= 2107; }

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
