#include "platform/Erreurs.h"

#include <new>

#include "platform/Textes.h"

namespace plateforme {

std::string Texte_Boite_Erreur(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

bool Executer_Sous_Garde(const std::function<void(const std::string&)>& Afficher_Erreur,
                         const std::function<void()>& Travail) noexcept {
  std::string message;
  try {
    Travail();
    return true;
  } catch (const std::bad_alloc&) {
    message = textes::Memoire_Insuffisante;
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
    message = textes::Erreur_Inattendue;
  }
  try {
    Afficher_Erreur(Texte_Boite_Erreur(message));
  } catch (...) {
    // Showing the error failed too; the event loop must still carry on.
  }
  return false;
}

}  // namespace plateforme
