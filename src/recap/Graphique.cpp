#include "recap/Graphique.h"

#include <algorithm>
#include <cmath>

#include "platform/Format_Nombres.h"
#include "platform/Textes.h"

namespace recap {

std::optional<TDonnees_Graphique> Donnees_Graphique(const TTableau& Tableau) {
  if (!Tableau.Graphique) return std::nullopt;
  TDonnees_Graphique d;
  const auto& g = *Tableau.Graphique;
  for (int c = g.Premiere; c <= g.Derniere && c < Tableau.Nombre_Colonnes(); ++c) d.Categories.push_back(Tableau.Texte(c, 0));
  bool serie = false;
  for (const TLigne_Tableau& l : Tableau.Lignes) {
    if (l.Serie < 0 || l.Serie > 2) continue;
    serie = true;
    auto& valeurs = d.Series[static_cast<size_t>(l.Serie)];
    valeurs.clear();
    for (int c = g.Premiere; c <= g.Derniere && static_cast<size_t>(c) < l.Cellules.size(); ++c)
      valeurs.push_back(l.Cellules[static_cast<size_t>(c)].Valeur);
  }
  if (!serie) return std::nullopt;
  for (auto& s : d.Series) s.resize(d.Categories.size());
  return d;
}

std::vector<long double> Graduations(long double Minimum, long double Maximum) {
  const long double bas = std::min<long double>(0, Minimum), haut = std::max<long double>(0, Maximum);
  if (haut - bas <= 0) return {0, 1};
  // A step of 1, 2, 2.5 or 5 times a power of ten, for about five intervals.
  const long double brut = (haut - bas) / 5, puissance = std::pow(10.0L, std::floor(std::log10(brut)));
  long double pas = puissance;
  for (const long double m : {1.0L, 2.0L, 2.5L, 5.0L, 10.0L}) {
    pas = m * puissance;
    if (pas >= brut) break;
  }
  std::vector<long double> g;
  for (long double v = std::floor(bas / pas) * pas; v <= haut + pas * 1e-9L; v += pas) g.push_back(std::fabs(v) < pas * 1e-9L ? 0 : v);
  if (g.back() < haut) g.push_back(g.back() + pas);
  return g;
}

TPage_Imprimee Dessiner_Graphique(const TDonnees_Graphique& Donnees, double X, double Y, double Largeur,
                                  double Hauteur, const TMesure& Mesure, double Hauteur_Texte,
                                  char32_t Separateur_Decimal) {
  TPage_Imprimee p;
  const double h = Hauteur_Texte, espace = h / 2;
  // The legend, on one line above the plot: a square of each colour and its name.
  double x = X;
  const std::array<std::pair<const char*, TCouleur>, 3> legende{
      {{textes::Legende_Gains, Couleur_Gains}, {textes::Legende_Retenues, Couleur_Retenues}, {textes::Legende_Net, Couleur_Net}}};
  for (const auto& [nom, couleur] : legende) {
    p.Barres.push_back({x, Y + h * 0.2, h * 0.8, h * 0.8, couleur});
    p.Textes.push_back({nom, x + h * 1.2, Y + h, TAlignement::Gauche, TRole::Corps});
    x += h * 1.2 + Mesure(TRole::Corps, nom) + 2 * h;
  }
  long double minimum = 0, maximum = 0;
  for (const auto& s : Donnees.Series)
    for (long double v : s) minimum = std::min(minimum, v), maximum = std::max(maximum, v);
  const std::vector<long double> g = Graduations(minimum, maximum);
  std::vector<std::string> valeurs;
  double axe = 0;
  for (long double v : g) {
    valeurs.push_back(plateforme::Format_General(v, Separateur_Decimal));
    axe = std::max(axe, Mesure(TRole::Corps, valeurs.back()));
  }
  // The plot, between the legend and the categories' line, right of the values.
  const double gauche = X + axe + espace, droite = X + Largeur, haut = Y + 2 * h, bas = Y + Hauteur - 1.5 * h;
  if (droite <= gauche || bas <= haut || Donnees.Categories.empty()) return p;
  const long double v0 = g.front(), v1 = g.back();
  const auto y_de = [&](long double v) { return bas - static_cast<double>((v - v0) / (v1 - v0)) * (bas - haut); };
  for (size_t i = 0; i < g.size(); ++i) {
    const double y = y_de(g[i]);
    p.Segments.push_back({gauche, y, droite, y, g[i] == 0 ? 1.0 : 0.5, g[i] == 0 ? Couleur_Net : Couleur_Grille, g[i] != 0});
    p.Textes.push_back({valeurs[i], X + axe, y + h * 0.35, TAlignement::Droite, TRole::Corps});
  }
  const double pas = (droite - gauche) / static_cast<double>(Donnees.Categories.size());
  const double zero = y_de(0), barre = pas * 0.32;
  // Categories too wide for their place are shown one in so many.
  double plus_large = 0;
  for (const std::string& c : Donnees.Categories) plus_large = std::max(plus_large, Mesure(TRole::Corps, c));
  const size_t saut = std::max<size_t>(1, static_cast<size_t>(std::ceil((plus_large + espace) / pas)));
  for (size_t k = 0; k < Donnees.Categories.size(); ++k) {
    const double centre = gauche + pas * (static_cast<double>(k) + 0.5);
    for (int s = 0; s < 2; ++s) {
      const double y = y_de(Donnees.Series[static_cast<size_t>(s)][k]);
      p.Barres.push_back({s == 0 ? centre - barre : centre, std::min(y, zero), barre, std::fabs(y - zero),
                          s == 0 ? Couleur_Gains : Couleur_Retenues});
    }
    if (k % saut == 0) p.Textes.push_back({Donnees.Categories[k], centre, bas + h * 1.2, TAlignement::Centre, TRole::Corps});
  }
  // The net, a line from month to month with a mark on each.
  const auto& net = Donnees.Series[Serie_Net];
  for (size_t k = 0; k < net.size(); ++k) {
    const double cx = gauche + pas * (static_cast<double>(k) + 0.5), cy = y_de(net[k]);
    p.Barres.push_back({cx - h * 0.2, cy - h * 0.2, h * 0.4, h * 0.4, Couleur_Net});
    if (k + 1 < net.size())
      p.Segments.push_back({cx, cy, cx + pas, y_de(net[k + 1]), 1.5, Couleur_Net, false});
  }
  return p;
}

}  // namespace recap
