#include "platform/Erreurs.h"

#include <new>

#include "platform/Textes.h"

namespace plateforme {

std::string Texte_Boite_Erreur(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

namespace {

// Made at start-up: when memory has run out there may be no room left to make it.
const std::string Texte_Memoire_Insuffisante = Texte_Boite_Erreur(textes::Memoire_Insuffisante);

// Shows the error from within its catch block, while what() is still alive; allocates nothing
// itself when memory has run out (message is then null).
void Montrer(const std::function<void(const std::string&)>& Afficher_Erreur, const char* message) noexcept {
  try {
    if (message == nullptr) Afficher_Erreur(Texte_Memoire_Insuffisante);
    else Afficher_Erreur(Texte_Boite_Erreur(message));
  } catch (const std::bad_alloc&) {
    if (message != nullptr) Montrer(Afficher_Erreur, nullptr);
  } catch (...) {
    // Showing the error failed too; the event loop must still carry on.
  }
}

}  // namespace

bool Executer_Sous_Garde(const std::function<void(const std::string&)>& Afficher_Erreur,
                         const std::function<void()>& Travail) noexcept {
  try {
    Travail();
    return true;
  } catch (const std::bad_alloc&) {
    Montrer(Afficher_Erreur, nullptr);
  } catch (const std::exception& e) {
    Montrer(Afficher_Erreur, e.what());
  } catch (...) {
    Montrer(Afficher_Erreur, textes::Erreur_Inattendue);
  }
  return false;
}

}  // namespace plateforme
