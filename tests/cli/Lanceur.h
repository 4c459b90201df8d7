// Runs a program as a shell would and collects what it wrote and its exit status.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace test {

struct TExecution {
  int code = -1;       // exit status; 128 + signal number when a signal ended it (POSIX)
  std::string sortie;  // standard output, bytes as written
  std::string erreur;  // standard error
};

struct TLancement {
  std::string programme;
  std::vector<std::string> arguments;  // UTF-8, passed exactly (no shell in between)
  // Variables set for the child. On POSIX the child sees no other locale variable (LANG,
  // LANGUAGE, LC_*) than these, whatever the test runner's environment.
  std::vector<std::pair<std::string, std::string>> environnement;
  std::string sortie_vers;  // when not empty, standard output goes to this file instead
};

TExecution Lancer(const TLancement& lancement);

}  // namespace test
