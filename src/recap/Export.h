// The recap grid as text for other programs: the clipboard, a CSV file, the command line.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "recap/Fenetre.h"
#include "recap/Recap.h"

namespace recap {

enum class TFormat_Texte {
  Tabulations,  // cells separated by a tab, as a spreadsheet pastes them
  Csv,          // ";" and quotes where needed, for a French spreadsheet
};

// The line end of the system's clipboard.
#ifdef _WIN32
inline constexpr std::string_view Fin_Ligne_Systeme = "\r\n";
#else
inline constexpr std::string_view Fin_Ligne_Systeme = "\n";
#endif

// The header row, then every data row that holds a rubric, each row ended by fin_ligne.
std::string Texte_Grille(const TGrille& grille, TFormat_Texte format, std::string_view fin_ligne = "\n");

// A rectangle of cells in grid coordinates (column, row), both corners included.
struct TZone {
  int Gauche = 1, Haut = 1, Droite = 1, Bas = 1;
  bool operator==(const TZone&) const = default;
  bool Contient(int col, int ligne) const { return col >= Gauche && col <= Droite && ligne >= Haut && ligne <= Bas; }
};

// Every data cell: columns 1 to 4, rows 1 to the last.
TZone Zone_Donnees(const TGrille& grille);

// Whether a calculation has filled the grid: before that there is nothing to copy.
bool Copie_Possible(const TGrille& grille);

// The text copied for a selection of data cells: cells separated by a tab, each row ended by
// fin_ligne. A selection of every data cell copies the whole table, as the command line prints
// it. Empty when there is nothing to copy.
std::string Texte_Copie(const TGrille& grille, const TZone& zone, std::string_view fin_ligne = Fin_Ligne_Systeme);

// The bytes of the CSV file: a UTF-8 byte-order mark and CR LF line ends, so that a French
// Excel reads the accents and the numbers right.
std::string Contenu_Csv(const TGrille& grille);

// recap-KORVEX-<mois><extension> (".csv", ".pdf"), with "_" for what a file name cannot hold.
std::string Nom_Fichier_Recap(const std::string& mois, std::string_view extension);

// The path the save dialog proposes: that name in the given folder (the user's Documents).
std::string Chemin_Recap_Propose(const std::string& dossier, const std::string& mois, std::string_view extension);

// What a window's save dialog is asked.
struct TDemande_Enregistrement {
  std::string Titre;
  std::string Chemin_Propose;
  std::array<const char*, 2> Types;  // "Nom (*.ext)", the first one chosen
};
// The window's save dialog: the chosen path, or nothing when the user cancelled.
using TDemander_Chemin = std::function<std::optional<std::string>(const TDemande_Enregistrement&)>;

// "Exporter en CSV…": nothing unless the grid holds the last click's recap, nor after a cancel;
// otherwise the file chosen in the dialog, which proposes the month's name in the user's
// Documents, is replaced whole. Raises plateforme::EKorvex when it cannot be written.
void Exporter_Csv(const TGrille& grille, const TDernier_Calcul& dernier, const TDemander_Chemin& Demander);

// A text cell as a spreadsheet must get it: one that begins with "=", "+", "-", "@", a tab or a
// carriage return would run as a formula, so it gets an apostrophe first.
std::string Protege_Formule(const std::string& texte);

}  // namespace recap
