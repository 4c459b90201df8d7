// A temporary folder for one test, removed with everything in it at the end.
#pragma once

#include <filesystem>
#include <string>

namespace test {

class TDossierTemporaire {
public:
  TDossierTemporaire();
  ~TDossierTemporaire();
  TDossierTemporaire(const TDossierTemporaire&) = delete;
  TDossierTemporaire& operator=(const TDossierTemporaire&) = delete;

  const std::filesystem::path& Chemin() const { return chemin_; }
  // The folder as a user types it in the folder field.
  std::string Texte() const { return chemin_.string(); }

private:
  std::filesystem::path chemin_;
};

// Every byte of a file, to check that nothing changed it.
std::string Contenu(const std::filesystem::path& fichier);

}  // namespace test
