#include "support/Dossier_Temporaire.h"

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>

namespace test {

TDossierTemporaire::TDossierTemporaire() {
  static std::atomic<unsigned> compteur{0};
  std::random_device alea;
  chemin_ = std::filesystem::temp_directory_path() /
            ("korvex-test-" + std::to_string(alea()) + "-" + std::to_string(compteur++));
  std::filesystem::create_directories(chemin_);
}

TDossierTemporaire::~TDossierTemporaire() {
  std::error_code ignore;
  std::filesystem::permissions(chemin_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignore);
  std::filesystem::remove_all(chemin_, ignore);
}

std::string Contenu(const std::filesystem::path& fichier) {
  std::ifstream f(fichier, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

}  // namespace test
