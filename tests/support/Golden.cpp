#include "support/Golden.h"

#include <filesystem>
#include <stdexcept>

#include "support/Dossier_Temporaire.h"

namespace test {

std::string Golden(const std::string& cas, const std::string& format) {
  const std::filesystem::path fichier = std::filesystem::path(KORVEX_GOLDEN) / (cas + "." + format);
  if (!std::filesystem::is_regular_file(fichier))
    throw std::runtime_error("pas de sortie de référence " + fichier.string());
  return Contenu(fichier);
}

std::vector<std::string> Mois_Du_Cas(const std::string& cas) {
  const size_t separateur = cas.find('_');
  if (separateur == std::string::npos) return {cas};
  return {cas.substr(0, separateur), cas.substr(separateur + 1)};
}

}  // namespace test
