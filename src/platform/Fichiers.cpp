#include "platform/Fichiers.h"

#include <utility>

#include "platform/Fichiers_Interne.h"

namespace plateforme {

namespace {

TInjecteurPannes& Injecteur() {
  static TInjecteurPannes injecteur;
  return injecteur;
}

}  // namespace

void Installer_Injecteur_Pannes(TInjecteurPannes injecteur) { Injecteur() = std::move(injecteur); }

namespace interne {

std::optional<std::string> Panne_Injectee(TOperationFichier operation, const std::string& chemin) {
  const auto& injecteur = Injecteur();
  if (!injecteur) return std::nullopt;
  return injecteur(operation, chemin);
}

}  // namespace interne

}  // namespace plateforme
