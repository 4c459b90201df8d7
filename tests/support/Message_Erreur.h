// What an action raises, as the user would read it.
#pragma once

#include <functional>
#include <string>

#include "platform/Erreurs.h"

namespace test {

// The message of the error the action raises; empty when it raises none.
inline std::string Message_Erreur(const std::function<void()>& action) {
  try {
    action();
  } catch (const plateforme::EKorvex& e) {
    return e.what();
  }
  return "";
}

}  // namespace test
