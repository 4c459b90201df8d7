#include "recap/Tableau.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "platform/Caracteres.h"
#include "platform/Format_Nombres.h"
#include "platform/Separateurs.h"

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

}  // namespace recap
