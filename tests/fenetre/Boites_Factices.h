// The message-box layer of the tests: records every box instead of showing it.
#pragma once

#include <QCursor>
#include <QGuiApplication>
#include <functional>
#include <string>
#include <vector>

#include "qt/Boites_Messages.h"

struct TBoitesEnregistrees {
  std::vector<std::string> Messages, Erreurs;
  // The mouse cursor forced at the time of each plain message (-1: none).
  std::vector<int> Curseurs_Messages;
  // Runs inside the plain box, as if the user did something there (may throw).
  std::function<void(const std::string&)> Pendant_Message;
  // Runs inside the error box.
  std::function<void(const std::string&)> Pendant_Erreur;

  TBoitesMessages Boites() {
    return {[this](const std::string& texte) {
              Messages.push_back(texte);
              const QCursor* c = QGuiApplication::overrideCursor();
              Curseurs_Messages.push_back(c ? int(c->shape()) : -1);
              if (Pendant_Message) Pendant_Message(texte);
            },
            [this](const std::string& texte) {
              Erreurs.push_back(texte);
              if (Pendant_Erreur) Pendant_Erreur(texte);
            }};
  }
};
