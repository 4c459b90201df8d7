#include "recap/Impression.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "platform/Caracteres.h"
#include "platform/Erreurs.h"
#include "platform/Separateurs.h"
#include "platform/Textes.h"
#include "recap/Graphique.h"

namespace recap {

namespace {

// ---- The page's measures, in points ----
constexpr double Ligne_Titre = 16;     // from the top margin to the title's baseline
constexpr double Ligne_Entete = 14;    // folder and date line, and each summary line
constexpr double Avant_Tableau = 10;
constexpr double Hauteur_Colonnes = 16;
constexpr double Hauteur_Ligne = 14;
constexpr double Sous_Ligne = 4;       // from a row's baseline to its bottom rule
constexpr double Retrait = 3;          // a cell's text from its edges
constexpr double Place_Pied = 16;      // kept above the bottom margin for "Page n / N"
constexpr double Trait_Fort = 0.8, Trait_Fin = 0.25;

// A cell is drawn on one line: control characters become blanks.
std::string Sur_Une_Ligne(std::string texte) {
  for (char& c : texte)
    if (static_cast<unsigned char>(c) < ' ' || c == '\x7f') c = ' ';
  return texte;
}

// The text whole when it fits the width, else its longest start followed by "…".
std::string Ajuster(const std::string& texte, double largeur, TRole role, const TMesure& Mesure) {
  if (Mesure(role, texte) <= largeur) return texte;
  const auto debut = [&](size_t n) { return texte.substr(0, plateforme::Octets_Des_Caracteres(texte, n)); };
  size_t bas = 0, haut = plateforme::Nombre_Caracteres(texte);  // bas characters fit (none always counts)
  while (haut - bas > 1) {
    const size_t milieu = (bas + haut) / 2;
    if (Mesure(role, debut(milieu) + textes::Points_Suspension) <= largeur)
      bas = milieu;
    else
      haut = milieu;
  }
  return debut(bas) + textes::Points_Suspension;
}

// Where a column lies on the paper, and how its texts align there.
struct TPlace_Colonne {
  int Colonne;
  double Gauche, Droite;
  TAlignement Alignement;
};
using TGroupe = std::vector<TPlace_Colonne>;

// A column aligns as its first cell that holds something, or else as its first cell: a column
// of amounts ends at its right edge, header included.
TAlignement Alignement_Colonne(const TTableau& t, int colonne) {
  const TCellule* premiere = nullptr;
  for (int r = 1; r < t.Nombre_Rangees(); ++r) {
    const TCellule* c = t.Cellule(colonne, r);
    if (c != nullptr && !c->Vide()) return Alignement_De(c->Genre);
    if (premiere == nullptr) premiere = c;
  }
  return premiere != nullptr ? Alignement_De(premiere->Genre) : TAlignement::Gauche;
}

double Largeur_Utile(const TFormat_Page& f) { return f.Largeur - 2 * f.Marge; }

// These columns side by side across the printable width, each by its share.
TGroupe Placer_Colonnes(const TTableau& t, const TFormat_Page& format, const std::vector<int>& colonnes) {
  double parts = 0;
  for (int c : colonnes) parts += std::max(0.0, t.Colonnes[static_cast<size_t>(c)].Part);
  TGroupe places;
  double x = format.Marge;
  for (int c : colonnes) {
    const double part = std::max(0.0, t.Colonnes[static_cast<size_t>(c)].Part);
    const double l = parts > 0 ? Largeur_Utile(format) * part / parts : 0;
    places.push_back({c, x, x + l, Alignement_Colonne(t, c)});
    x += l;
  }
  return places;
}

std::vector<int> Toutes(const TTableau& t) {
  std::vector<int> c(static_cast<size_t>(t.Nombre_Colonnes()));
  std::iota(c.begin(), c.end(), 0);
  return c;
}

// The width a column needs: its header and its figures whole.
double Largeur_Voulue(const TTableau& t, int c, const TMesure& mesure) {
  double voulue = mesure(TRole::Colonne, Sur_Une_Ligne(t.Texte(c, 0)));
  for (int r = 1; r < t.Nombre_Rangees(); ++r) {
    const TCellule* cellule = t.Cellule(c, r);
    if (cellule != nullptr && cellule->Genre != TGenre_Cellule::Texte)
      voulue = std::max(voulue, mesure(TRole::Corps, cellule->Texte));
  }
  return voulue + 2 * Retrait;
}

// Whether every column of the group holds its header and its figures whole.
bool Groupe_Tient(const TTableau& t, const TGroupe& groupe, const TMesure& mesure) {
  for (const TPlace_Colonne& p : groupe)
    if (Largeur_Voulue(t, p.Colonne, mesure) > p.Droite - p.Gauche) return false;
  return true;
}

// The table's columns in groups that each fit the paper: all together when they can, else the
// columns that name a row (N° RUB, LIBELLES) on every page, with as many of the others as fit.
std::vector<TGroupe> Grouper_Colonnes(const TTableau& t, const TFormat_Page& format, const TMesure& mesure) {
  TGroupe tout = Placer_Colonnes(t, format, Toutes(t));
  if (Groupe_Tient(t, tout, mesure)) return {tout};
  std::vector<int> noms;
  for (int c = 0; c < std::min(t.Colonnes_Nom, t.Nombre_Colonnes()); ++c) noms.push_back(c);
  std::vector<TGroupe> groupes;
  std::vector<int> courant = noms;
  for (int c = static_cast<int>(noms.size()); c < t.Nombre_Colonnes(); ++c) {
    std::vector<int> essai = courant;
    essai.push_back(c);
    if (courant.size() > noms.size() && !Groupe_Tient(t, Placer_Colonnes(t, format, essai), mesure)) {
      groupes.push_back(Placer_Colonnes(t, format, courant));
      essai = noms;
      essai.push_back(c);
    }
    courant = std::move(essai);
  }
  groupes.push_back(Placer_Colonnes(t, format, courant));
  return groupes;
}

class TMise_En_Page {
public:
  TMise_En_Page(const TTableau& tableau, const TFormat_Page& format, const TMesure& mesure)
      : tableau_(tableau), format_(format), mesure_(mesure), groupes_(Grouper_Colonnes(tableau, format, mesure)) {}

  // The rows in bands of a page each; each band on as many pages as there are groups of
  // columns, side by side; the chart, if any, on a last page.
  std::vector<TPage_Imprimee> Pages() {
    Verifier_Papier();
    const double bas = format_.Hauteur - format_.Marge - Place_Pied;
    colonnes_ = groupes_.front();
    double y = Nouvelle_Page();
    for (const std::string& ligne : Lignes_Avertissements()) {
      if (y + Ligne_Entete > bas) y = Nouvelle_Page();
      y += Ligne_Entete;
      Texte(ligne, format_.Marge, y, TAlignement::Gauche, TRole::Avertissement);
    }
    // The column headers never stand alone at the foot of a page.
    if (y + Sous_Ligne + Avant_Tableau + Hauteur_Colonnes + Hauteur_Ligne > bas) y = Nouvelle_Page();
    int rangee = 1;
    for (;;) {
      const int debut = rangee;
      for (size_t g = 0; g < groupes_.size(); ++g) {
        colonnes_ = groupes_[g];
        if (g > 0) y = Nouvelle_Page();
        y = Colonnes(y + Sous_Ligne + Avant_Tableau);
        // The first group's page sets the band; the others take the same rows.
        const int fin = g == 0 ? tableau_.Nombre_Rangees() : rangee;
        for (rangee = debut; rangee < fin && y + Hauteur_Ligne <= bas;) y = Rangee(rangee++, y);
      }
      if (rangee >= tableau_.Nombre_Rangees()) break;
      colonnes_ = groupes_.front();
      y = Nouvelle_Page();
    }
    Page_Graphique(bas);
    Pieds();
    return std::move(pages_);
  }

private:
  double Largeur_Utile() const { return recap::Largeur_Utile(format_); }
  TPage_Imprimee& Page() { return pages_.back(); }

  void Texte(std::string texte, double x, double y, TAlignement a, TRole r) {
    Page().Textes.push_back({std::move(texte), x, y, a, r});
  }
  void Trait(double y, double epaisseur) {
    Page().Traits.push_back({format_.Marge, y, format_.Largeur - format_.Marge, y, epaisseur});
  }

  // The first page is the tallest header: it must leave room for one row.
  void Verifier_Papier() {
    const double haut = format_.Marge + Ligne_Titre + Ligne_Entete * static_cast<double>(1 + tableau_.Resume.size()) +
                        Avant_Tableau + Hauteur_Colonnes + Hauteur_Ligne;
    if (Largeur_Utile() < 72 || haut > format_.Hauteur - format_.Marge - Place_Pied)
      throw plateforme::EKorvex(textes::Papier_Trop_Petit);
  }

  // A new page with its header: title, folder and date; the summary on the first page. Returns
  // the baseline of its last line.
  double Nouvelle_Page() {
    pages_.emplace_back();
    const double g = format_.Marge, d = format_.Largeur - format_.Marge;
    double y = format_.Marge + Ligne_Titre;
    Texte(Ajuster(Sur_Une_Ligne(tableau_.Titre), Largeur_Utile(), TRole::Titre, mesure_), g, y, TAlignement::Gauche,
          TRole::Titre);
    y += Ligne_Entete;
    const std::string date = Sur_Une_Ligne(textes::Date_Calcul_Imprimee(Texte_Date_Heure(tableau_.Date_Heure)));
    const double place_dossier = Largeur_Utile() - mesure_(TRole::Entete, date) - 4 * Retrait;
    Texte(Ajuster(Sur_Une_Ligne(textes::Dossier_Imprime(tableau_.Dossier)), place_dossier, TRole::Entete, mesure_),
          g, y, TAlignement::Gauche, TRole::Entete);
    Texte(date, d, y, TAlignement::Droite, TRole::Entete);
    if (pages_.size() == 1) {
      for (const auto& ligne : tableau_.Resume) {
        y += Ligne_Entete;
        Texte(Ajuster(Sur_Une_Ligne(ligne), Largeur_Utile(), TRole::Resume, mesure_), g, y, TAlignement::Gauche,
              TRole::Resume);
      }
    }
    return y;
  }

  // The warnings cut into lines that fit the page, at blanks; a word longer than a line is cut.
  std::vector<std::string> Lignes_Avertissements() const {
    std::vector<std::string> lignes;
    for (const std::string& avertissement : tableau_.Avertissements) {
      std::string ligne;
      size_t debut = 0;
      const std::string texte = Sur_Une_Ligne(avertissement);
      while (debut < texte.size()) {
        size_t fin = texte.find(' ', debut);
        if (fin == std::string::npos) fin = texte.size();
        const std::string mot = texte.substr(debut, fin - debut);
        const std::string essai = ligne.empty() ? mot : ligne + " " + mot;
        if (!ligne.empty() && mesure_(TRole::Avertissement, essai) > Largeur_Utile()) {
          lignes.push_back(Ajuster(ligne, Largeur_Utile(), TRole::Avertissement, mesure_));
          ligne = mot;
        } else {
          ligne = essai;
        }
        debut = fin + 1;
      }
      lignes.push_back(Ajuster(ligne, Largeur_Utile(), TRole::Avertissement, mesure_));
    }
    return lignes;
  }

  // The chart under its page's header, in the rest of the page.
  void Page_Graphique(double bas) {
    const auto donnees = Donnees_Graphique(tableau_);
    if (!donnees) return;
    const double y = Nouvelle_Page() + Avant_Tableau;
    TPage_Imprimee graphique = Dessiner_Graphique(*donnees, format_.Marge, y, Largeur_Utile(), bas - y, mesure_,
                                                  Police_De(TRole::Corps).Taille, plateforme::DecimalSeparator());
    TPage_Imprimee& p = Page();
    p.Barres = std::move(graphique.Barres);
    p.Segments = std::move(graphique.Segments);
    p.Textes.insert(p.Textes.end(), graphique.Textes.begin(), graphique.Textes.end());
  }

  // The texts of one grid row (0: the headers), each in its column.
  void Cellules(int rangee, double base, TRole role) {
    for (const TPlace_Colonne& col : colonnes_) {
      const int c = col.Colonne;
      const std::string texte =
          Ajuster(Sur_Une_Ligne(tableau_.Texte(c, rangee)), col.Droite - col.Gauche - 2 * Retrait, role, mesure_);
      if (texte.empty()) continue;
      const TCellule* cellule = tableau_.Cellule(c, rangee);
      const TAlignement a = cellule != nullptr ? Alignement_De(cellule->Genre) : col.Alignement;
      Texte(texte, a == TAlignement::Droite ? col.Droite - Retrait : col.Gauche + Retrait, base, a, role);
    }
  }

  // The column headers between two strong rules; returns the y below them.
  double Colonnes(double y) {
    Trait(y, Trait_Fort);
    Cellules(0, y + Hauteur_Colonnes - Sous_Ligne - 1, TRole::Colonne);
    Trait(y + Hauteur_Colonnes, Trait_Fort);
    return y + Hauteur_Colonnes;
  }

  double Rangee(int rangee, double y) {
    if (tableau_.Lignes[static_cast<size_t>(rangee - 1)].A_Signaler)
      Page().Fonds.push_back({format_.Marge, y, Largeur_Utile(), Hauteur_Ligne});
    Cellules(rangee, y + Hauteur_Ligne - Sous_Ligne, TRole::Corps);
    Trait(y + Hauteur_Ligne, Trait_Fin);
    return y + Hauteur_Ligne;
  }

  void Pieds() {
    const int total = static_cast<int>(pages_.size());
    for (int n = 1; n <= total; ++n)
      pages_[static_cast<size_t>(n - 1)].Textes.push_back(
          {textes::Pied_Page(n, total), format_.Largeur / 2, format_.Hauteur - format_.Marge, TAlignement::Centre,
           TRole::Pied});
  }

  const TTableau& tableau_;
  const TFormat_Page& format_;
  const TMesure& mesure_;
  std::vector<TGroupe> groupes_;
  TGroupe colonnes_;  // those of the page being laid out
  std::vector<TPage_Imprimee> pages_;
};

// Whether every column holds its header and its numbers whole at this paper's width.
bool Colonnes_Tiennent(const TTableau& t, const TFormat_Page& format, const TMesure& mesure) {
  return Groupe_Tient(t, Placer_Colonnes(t, format, Toutes(t)), mesure);
}

}  // namespace

TPolice Police_De(TRole role) {
  switch (role) {
    case TRole::Titre: return {14, true};
    case TRole::Colonne:
    case TRole::Avertissement: return {9, true};
    case TRole::Pied: return {8, false};
    default: return {9, false};
  }
}

std::vector<TPage_Imprimee> Mettre_En_Pages(const TTableau& Tableau, const TFormat_Page& Format,
                                            const TMesure& Mesure) {
  return TMise_En_Page(Tableau, Format, Mesure).Pages();
}

TFormat_Page Format_Tableau(const TTableau& Tableau, const TMesure& Mesure) {
  const TFormat_Page portrait;
  if (Colonnes_Tiennent(Tableau, portrait, Mesure)) return portrait;
  TFormat_Page paysage = portrait;
  std::swap(paysage.Largeur, paysage.Hauteur);
  return paysage;
}

TDemande_Impression Demande_Impression(const TTableau& Tableau, const TMesure& Mesure) {
  return {Format_Tableau(Tableau, Mesure), Tableau.Nom_Document};
}

std::string Texte_Date_Heure(std::time_t instant) {
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &instant);
#else
  localtime_r(&instant, &local);
#endif
  char texte[32];
  std::strftime(texte, sizeof texte, "%d/%m/%Y %H:%M", &local);
  return texte;
}

}  // namespace recap
