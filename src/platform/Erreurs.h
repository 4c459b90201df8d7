// Errors of the program: exceptions carrying the exact French text the user sees.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

namespace plateforme {

// Every error raised beneath an event handler; what() is the UTF-8 French message.
class EKorvex : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The text of the error box: the message, with a "." appended when its last byte sorts above ".".
std::string Texte_Boite_Erreur(const std::string& message);

// Runs an event handler's work; any exception is caught here and handed to Afficher_Erreur
// with the error box's text. Returns false when an error was shown.
bool Executer_Sous_Garde(const std::function<void(const std::string&)>& Afficher_Erreur,
                         const std::function<void()>& Travail) noexcept;

}  // namespace plateforme
