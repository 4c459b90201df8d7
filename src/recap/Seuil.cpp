#include "recap/Seuil.h"

#include <algorithm>
#include <limits>

#include "platform/Caracteres.h"
#include "platform/Erreurs.h"
#include "platform/Format_Nombres.h"
#include "platform/Montants.h"
#include "platform/Separateurs.h"
#include "recap/Recap.h"

namespace recap {

namespace {

using TNaturel = unsigned __int128;

TNaturel Grandeur(TSomme_Exacte v) { return v < 0 ? 0 - static_cast<TNaturel>(v) : static_cast<TNaturel>(v); }

TSomme_Exacte Puissance_Dix(int n) {
  TSomme_Exacte p = 1;
  while (n-- > 0) p *= 10;
  return p;
}

// A count of units of 10^-decimales written with that many decimals.
std::string Texte_Decimal(TSomme_Exacte valeur, int decimales, char32_t separateur) {
  std::string chiffres = plateforme::Texte_Entier(plateforme::Valeur_Absolue(valeur));
  if (decimales == 0) return (valeur < 0 ? "-" : "") + chiffres;
  if (static_cast<int>(chiffres.size()) <= decimales) chiffres.insert(0, static_cast<size_t>(decimales) + 1 - chiffres.size(), '0');
  std::string texte = valeur < 0 ? "-" : "";
  texte += chiffres.substr(0, chiffres.size() - static_cast<size_t>(decimales));
  plateforme::Ajouter_Utf8(texte, separateur);
  return texte + chiffres.substr(chiffres.size() - static_cast<size_t>(decimales));
}

}  // namespace

std::optional<TSeuil> Lire_Seuil(std::string_view Texte) {
  std::string t(Sans_Blancs(std::string(Texte)));
  if (!t.empty() && t.back() == '%') t = Sans_Blancs(t.substr(0, t.size() - 1));
  if (t.find_first_of("0123456789") == std::string::npos) return std::nullopt;
  // Either separator, whatever the user's settings: a threshold is never written with thousands.
  std::replace(t.begin(), t.end(), '.', ',');
  try {
    const int64_t dix_milliemes = plateforme::Texte_Vers_Montant(t, U',');
    if (dix_milliemes < 0) return std::nullopt;
    const size_t virgule = t.find(',');
    const int tapees = virgule == std::string::npos ? 0 : static_cast<int>(t.size() - virgule - 1);
    return TSeuil{dix_milliemes, std::min(tapees, 4)};
  } catch (const plateforme::EKorvex&) {
    return std::nullopt;
  }
}

std::string Texte_Seuil(const TSeuil& Seuil, char32_t Separateur) {
  return Texte_Decimal(Seuil.Dix_Milliemes / Puissance_Dix(4 - Seuil.Decimales), Seuil.Decimales, Separateur);
}

double Valeur_Seuil(const TSeuil& Seuil) { return static_cast<double>(Seuil.Dix_Milliemes) / 10000; }

bool Atteint_Seuil(TSomme_Exacte Avant, TSomme_Exacte Apres, const TSeuil& Seuil) {
  if (Apres == Avant) return false;
  if (Avant == 0) return true;
  // |move| x 100 x 10^4 against threshold x |Avant|: the left stays below 2^127 for any two
  // exact sums; the right is compared without being formed when it would not fit.
  const TNaturel ecart = Grandeur(Apres - Avant) * 1000000u, reference = Grandeur(Avant);
  const auto seuil = static_cast<TNaturel>(Seuil.Dix_Milliemes);
  if (seuil != 0 && reference > std::numeric_limits<TNaturel>::max() / seuil) return false;
  return ecart >= seuil * reference;
}

TCellule Cellule_Variation(TSomme_Exacte Avant, TSomme_Exacte Apres, const TSeuil& Seuil) {
  if (Avant == 0) return {TGenre_Cellule::Pourcentage, "", 0};
  const int decimales = std::max(1, Seuil.Decimales);
  // Cut toward zero: |move| x 100 x 10^decimales / |Avant|, exact.
  const TNaturel unites = Grandeur(Apres - Avant) * 100u * static_cast<TNaturel>(Puissance_Dix(decimales)) / Grandeur(Avant);
  const TSomme_Exacte signee = Apres < Avant ? -static_cast<TSomme_Exacte>(unites) : static_cast<TSomme_Exacte>(unites);
  const long double valeur = static_cast<long double>(signee) / static_cast<long double>(Puissance_Dix(decimales));
  return {TGenre_Cellule::Pourcentage, Texte_Decimal(signee, decimales, plateforme::DecimalSeparator()), valeur};
}

TSomme_Exacte Dix_Milliemes_Affiches(long double Total) {
  // "-1234.5", "1.5E20", "1E-5": digits, a point, an exponent.
  const std::string texte = plateforme::Format_General(Total, U'.');
  TSomme_Exacte chiffres = 0;
  int apres_point = 0, exposant = 0;
  bool point = false, negatif = false;
  size_t i = 0;
  if (i < texte.size() && texte[i] == '-') negatif = true, ++i;
  for (; i < texte.size() && texte[i] != 'E'; ++i) {
    if (texte[i] == '.') {
      point = true;
    } else {
      chiffres = chiffres * 10 + (texte[i] - '0');
      apres_point += point ? 1 : 0;
    }
  }
  if (i < texte.size()) {
    const bool exposant_negatif = i + 1 < texte.size() && texte[i + 1] == '-';
    for (size_t j = i + 1 + (exposant_negatif ? 1 : 0); j < texte.size(); ++j) exposant = exposant * 10 + (texte[j] - '0');
    if (exposant_negatif) exposant = -exposant;
  }
  // Scaled to ten-thousandths; more decimals than four are rounded half away from zero.
  int echelle = 4 + exposant - apres_point;
  if (echelle >= 0) {
    chiffres *= Puissance_Dix(std::min(echelle, 30));
  } else {
    const TSomme_Exacte diviseur = Puissance_Dix(std::min(-echelle, 38));
    chiffres = (chiffres + diviseur / 2) / diviseur;
  }
  return negatif ? -chiffres : chiffres;
}

}  // namespace recap
