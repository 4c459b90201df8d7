// korvex-recap run as a user runs it, under the C locale unless a test gives another, with the
// locales compiled for the tests.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "Lanceur.h"

namespace test {

using TEnvironnement = std::vector<std::pair<std::string, std::string>>;

// Whether the French locale was compiled for the tests (not under Windows, which has its own).
inline bool Locale_Francaise_Compilee() {
  return std::filesystem::exists(std::filesystem::path(KORVEX_LOCPATH) / "fr_FR.UTF-8" / "LC_NUMERIC");
}

inline TExecution Recap(std::vector<std::string> arguments, TEnvironnement environnement = {{"LC_ALL", "C"}}) {
  environnement.emplace_back("LOCPATH", KORVEX_LOCPATH);
  return Lancer({KORVEX_RECAP_EXE, std::move(arguments), std::move(environnement), ""});
}

}  // namespace test
