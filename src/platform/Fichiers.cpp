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

std::string Chemin_Dans(const std::string& Dossier, const std::string& Nom, char Separateur) {
  if (Dossier.empty()) return Nom;
  const char fin = Dossier.back();
#ifdef _WIN32
  const bool termine = fin == '\\' || fin == Separateur;
#else
  const bool termine = fin == '\\' || fin == '/';
#endif
  return termine ? Dossier + Nom : Dossier + Separateur + Nom;
}

std::string Fichier_Du_Dossier(const std::string& Dossier, const std::string& Nom) { return Dossier + "\\" + Nom; }

void Installer_Injecteur_Pannes(TInjecteurPannes injecteur) { Injecteur() = std::move(injecteur); }

TInjecteurPannes Injecteur_Installe() { return Injecteur(); }

namespace interne {

std::optional<std::string> Panne_Injectee(TOperationFichier operation, const std::string& chemin) {
  return Panne_Injectee(Injecteur(), operation, chemin);
}

std::optional<std::string> Panne_Injectee(const TInjecteurPannes& injecteur, TOperationFichier operation,
                                          const std::string& chemin) {
  if (!injecteur) return std::nullopt;
  return injecteur(operation, chemin);
}

}  // namespace interne

}  // namespace plateforme
