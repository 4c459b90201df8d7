#include "recap/Periode.h"

namespace recap {

namespace {

bool Chiffre(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<int> Rang_Mois(std::string_view texte) {
  if (texte.size() != 7 || texte[2] != '-') return std::nullopt;
  int mois = 0, annee = 0;
  for (size_t i = 0; i < 7; ++i) {
    if (i == 2) continue;
    if (!Chiffre(texte[i])) return std::nullopt;
    int& partie = i < 2 ? mois : annee;
    partie = partie * 10 + (texte[i] - '0');
  }
  if (mois < 1 || mois > 12) return std::nullopt;
  return annee * 12 + mois - 1;
}

std::string Texte_Mois(int rang) {
  const int mois = rang % 12 + 1, annee = rang / 12;
  return std::to_string(mois + 100).substr(1) + "-" + std::to_string(annee + 10000).substr(1);
}

std::optional<TPeriode> Lire_Periode(std::string_view debut, std::string_view fin) {
  const auto d = Rang_Mois(debut), f = Rang_Mois(fin);
  if (!d || !f || *f < *d) return std::nullopt;
  return TPeriode{*d, *f};
}

bool Dans_Periode(const TPeriode& periode, std::string_view debut_mois) {
  const auto rang = Rang_Mois(debut_mois);
  return rang && *rang >= periode.Debut && *rang <= periode.Fin;
}

}  // namespace recap
