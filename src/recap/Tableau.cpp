#include "recap/Tableau.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "platform/Caracteres.h"
#include "platform/Format_Nombres.h"
#include "platform/Separateurs.h"
#include "platform/Textes.h"

namespace recap {

namespace {

// A value written with a point, then with the user's separator.
std::string Avec_Separateur(std::string texte) {
  const size_t point = texte.find('.');
  if (point == std::string::npos) return texte;
  std::string separateur;
  plateforme::Ajouter_Utf8(separateur, plateforme::DecimalSeparator());
  return texte.replace(point, 1, separateur);
}

long double Au_Dixieme(long double valeur) { return std::round(valeur * 10) / 10; }

}  // namespace

TAlignement Alignement_De(TGenre_Cellule genre) {
  return genre == TGenre_Cellule::Texte ? TAlignement::Gauche : TAlignement::Droite;
}

const std::string& TTableau::Texte(int colonne, int rangee) const {
  static const std::string vide;
  if (colonne < 0 || colonne >= Nombre_Colonnes()) return vide;
  if (rangee == 0) return Colonnes[static_cast<size_t>(colonne)].Entete;
  const TCellule* c = Cellule(colonne, rangee);
  return c != nullptr ? c->Texte : vide;
}

const TCellule* TTableau::Cellule(int colonne, int rangee) const {
  if (rangee < 1 || rangee >= Nombre_Rangees() || colonne < 0) return nullptr;
  const auto& cellules = Lignes[static_cast<size_t>(rangee - 1)].Cellules;
  return colonne < static_cast<int>(cellules.size()) ? &cellules[static_cast<size_t>(colonne)] : nullptr;
}

double Valeur_Affichee(const TCellule& cellule) {
  switch (cellule.Genre) {
    case TGenre_Cellule::Montant: {
      const std::string texte = plateforme::Format_General(cellule.Valeur, U'.');
      double valeur = 0;
      std::from_chars(texte.data(), texte.data() + texte.size(), valeur);
      return valeur;
    }
    case TGenre_Cellule::Pourcentage: return static_cast<double>(Au_Dixieme(cellule.Valeur));
    case TGenre_Cellule::Entier: return static_cast<double>(cellule.Valeur);
    case TGenre_Cellule::Texte: break;
  }
  return 0;
}

std::string Nom_Fichier_Sur(const std::string& nom) {
  std::string sur;
  for (char c : nom) {
    const bool interdit = static_cast<unsigned char>(c) < ' ' || std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos;
    sur += interdit ? '_' : c;
  }
  return sur;
}

TCellule Cellule_Texte(std::string texte) { return {TGenre_Cellule::Texte, std::move(texte), 0}; }

TCellule Cellule_Entier(long long valeur) {
  return {TGenre_Cellule::Entier, std::to_string(valeur), static_cast<long double>(valeur)};
}

TCellule Cellule_Montant(long double valeur) {
  return {TGenre_Cellule::Montant, plateforme::Format_General(valeur, plateforme::DecimalSeparator()), valeur};
}

TCellule Cellule_Pourcentage(long double valeur) {
  // to_chars ignores the C library's locale; a rounded zero is never "-0.0".
  char texte[64];
  const double arrondi = static_cast<double>(Au_Dixieme(valeur));
  const auto fin = std::to_chars(texte, texte + sizeof texte, arrondi == 0 ? 0.0 : arrondi, std::chars_format::fixed, 1);
  return {TGenre_Cellule::Pourcentage, Avec_Separateur(std::string(texte, fin.ptr)), valeur};
}

TAlignement Alignement_Ecran(const TTableau& Tableau, int Colonne, int Rangee) {
  const TCellule* c = Tableau.Cellule(Colonne, Rangee);
  if (!Tableau.Nombres_A_Droite || c == nullptr) return TAlignement::Gauche;
  return Alignement_De(c->Genre);
}

std::string Texte_Entete_Ecran(const TTableau& Tableau, int Colonne) {
  const std::string& texte = Tableau.Texte(Colonne, 0);
  if (Colonne != Tableau.Colonne_Triee) return texte;
  return texte + (Tableau.Tri_Croissant ? textes::Tri_Croissant : textes::Tri_Decroissant);
}

std::string Nom_Accessible(const TTableau& Tableau, int Colonne, int Rangee) {
  const std::string& texte = Tableau.Texte(Colonne, Rangee);
  if (Rangee == 0) {
    if (Colonne != Tableau.Colonne_Triee) return texte;
    return texte + (Tableau.Tri_Croissant ? textes::Nom_Tri_Croissant : textes::Nom_Tri_Decroissant);
  }
  std::string rangee;
  for (int c = 0; c < Tableau.Colonnes_Nom; ++c) {
    if (c == Colonne) continue;  // the cell's own text comes after
    const std::string& t = Tableau.Texte(c, Rangee);
    if (!t.empty()) rangee += (rangee.empty() ? "" : " ") + t;
  }
  return textes::Nom_Cellule(Tableau.Texte(Colonne, 0), Tableau.Nom_Rangee, rangee, texte);
}

namespace {

// Numbers by value, texts alphabetically; an empty cell before any other.
int Comparer_Cellules(const TCellule* a, const TCellule* b) {
  const bool vide_a = a == nullptr || a->Vide(), vide_b = b == nullptr || b->Vide();
  if (vide_a || vide_b) return vide_a == vide_b ? 0 : vide_a ? -1 : 1;
  if (a->Genre != TGenre_Cellule::Texte && b->Genre != TGenre_Cellule::Texte)
    return a->Valeur < b->Valeur ? -1 : b->Valeur < a->Valeur ? 1 : 0;
  return a->Texte.compare(b->Texte);
}

}  // namespace

TTableau Appliquer_Vue(const TTableau& Tableau, const TVue& Vue) {
  TTableau t = Tableau;
  std::vector<TLigne_Tableau> lignes, pieds;
  for (const TLigne_Tableau& l : Tableau.Lignes) {
    if (l.Pied)
      pieds.push_back(l);
    else if (!Vue.Seulement_A_Signaler || l.A_Signaler)
      lignes.push_back(l);
  }
  if (Vue.Colonne_Tri >= 0 && Vue.Colonne_Tri < Tableau.Nombre_Colonnes()) {
    const size_t c = static_cast<size_t>(Vue.Colonne_Tri);
    std::stable_sort(lignes.begin(), lignes.end(), [&](const TLigne_Tableau& a, const TLigne_Tableau& b) {
      const int ordre = Comparer_Cellules(c < a.Cellules.size() ? &a.Cellules[c] : nullptr,
                                          c < b.Cellules.size() ? &b.Cellules[c] : nullptr);
      return Vue.Croissant ? ordre < 0 : ordre > 0;
    });
  }
  lignes.insert(lignes.end(), pieds.begin(), pieds.end());
  t.Lignes = std::move(lignes);
  if (Vue.Colonne_Tri >= 0 && Vue.Colonne_Tri < Tableau.Nombre_Colonnes()) {
    t.Colonne_Triee = Vue.Colonne_Tri;
    t.Tri_Croissant = Vue.Croissant;
  }
  if (Vue.Seulement_A_Signaler) t.Titre += textes::Titre_Filtre;
  return t;
}

TVue Cliquer_Entete(TVue Vue, int Colonne) {
  Vue.Croissant = Vue.Colonne_Tri == Colonne ? !Vue.Croissant : true;
  Vue.Colonne_Tri = Colonne;
  return Vue;
}

}  // namespace recap
