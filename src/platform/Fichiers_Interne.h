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

// What a save's name may lead to besides a regular file; a save refuses them all.
enum class TGenre_Entree { Dossier, Peripherique, Tube, Socket };

// Raises the French refusal of a save of chemin, whose links lead to cible (chemin itself when
// it is no link).
[[noreturn]] void Refuser_Enregistrement(const std::string& chemin, const std::string& cible, TGenre_Entree genre);

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
