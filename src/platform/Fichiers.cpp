#include "platform/Fichiers.h"

#include <utility>

#include "platform/Erreurs.h"
#include "platform/Fichiers_Interne.h"
#include "platform/Textes.h"

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

namespace {

const char* Nom_Genre(TGenre_Entree genre) {
  switch (genre) {
    case TGenre_Entree::Dossier: return textes::Genre_Dossier;
    case TGenre_Entree::Peripherique: return textes::Genre_Peripherique;
    case TGenre_Entree::Tube: return textes::Genre_Tube;
    case TGenre_Entree::Socket: break;
  }
  return textes::Genre_Socket;
}

}  // namespace

void Refuser_Enregistrement(const std::string& chemin, const std::string& cible, TGenre_Entree genre) {
  const char* nom = Nom_Genre(genre);
  const std::string raison = cible == chemin ? textes::Raison_Pas_Fichier_Ordinaire(nom)
                                             : textes::Raison_Lien_Pas_Fichier_Ordinaire(cible, nom);
  throw EKorvex(textes::Enregistrement_Impossible(chemin, raison));
}

}  // namespace interne

}  // namespace plateforme
