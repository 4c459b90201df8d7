#include "recap/Periode.h"

#include "platform/Invariant.h"
#include "platform/Textes.h"

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
  KORVEX_INVARIANT(rang >= 0 && rang <= Rang_Mois_Max);
  const int mois = rang % 12 + 1, annee = rang / 12;
  return std::to_string(mois + 100).substr(1) + "-" + std::to_string(annee + 10000).substr(1);
}

std::string Sans_Blancs(const std::string& texte) {
  size_t debut = 0, fin = texte.size();
  while (debut < fin && static_cast<unsigned char>(texte[debut]) <= ' ') ++debut;
  while (fin > debut && static_cast<unsigned char>(texte[fin - 1]) <= ' ') --fin;
  return texte.substr(debut, fin - debut);
}

std::optional<TPeriode> Lire_Periode(std::string_view debut, std::string_view fin) {
  const auto d = Rang_Mois(Sans_Blancs(std::string(debut))), f = Rang_Mois(Sans_Blancs(std::string(fin)));
  if (!d || !f || *f < *d) return std::nullopt;
  return TPeriode{*d, *f};
}

bool Dans_Periode(const TPeriode& periode, std::string_view debut_mois) {
  const auto rang = Rang_Mois(debut_mois);
  return rang && *rang >= periode.Debut && *rang <= periode.Fin;
}

std::optional<TPeriode> Periode_Depuis(const TPeriode& Periode, int Debut) {
  const int fin = Debut + Periode.Fin - Periode.Debut;
  if (Debut < 0 || fin > Rang_Mois_Max) return std::nullopt;
  return TPeriode{Debut, fin};
}

TReference_Lue Lire_Reference(const TPeriode& Mois, const std::string& Reference) {
  const auto debut = Rang_Mois(Sans_Blancs(Reference));
  if (!debut) return {std::nullopt, textes::Mois_Reference_Pas_Un_Mois};
  const auto reference = Periode_Depuis(Mois, *debut);
  if (!reference) return {std::nullopt, textes::Reference_Hors_Calendrier};
  if (auto refus = Refus_Reference(Mois, *reference)) return {std::nullopt, std::move(*refus)};
  return {reference, ""};
}

std::optional<std::string> Refus_Reference(const TPeriode& Mois, const TPeriode& Reference) {
  if (Mois.Debut != Reference.Debut || Mois.Fin != Reference.Fin) return std::nullopt;
  if (Mois.Debut == Mois.Fin) return textes::Reference_Egale(Texte_Mois(Mois.Debut));
  return textes::Reference_Egale_Periode(textes::Periode_Affichee(Texte_Mois(Mois.Debut), Texte_Mois(Mois.Fin)));
}

}  // namespace recap
