// A table as text for other programs (the clipboard, a CSV file, the command line), and what a
// window's save dialog is asked for its exports.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "recap/Tableau.h"

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

// The header row, then every row that holds some text, each row ended by fin_ligne.
std::string Texte_Tableau(const TTableau& tableau, TFormat_Texte format, std::string_view fin_ligne = "\n");

// A rectangle of cells in grid coordinates (column, row), both corners included.
struct TZone {
  int Gauche = 1, Haut = 1, Droite = 1, Bas = 1;
  bool operator==(const TZone&) const = default;
  bool Contient(int col, int ligne) const { return col >= Gauche && col <= Droite && ligne >= Haut && ligne <= Bas; }
};

// Every data cell: the columns after the fixed first one, the rows after the header.
TZone Zone_Donnees(const TTableau& tableau);

// Whether the table has its header: before a first calculation there is nothing to copy.
bool Copie_Possible(const TTableau& tableau);

// The text copied for a selection of data cells: cells separated by a tab, each row ended by
// fin_ligne. A selection of every data cell copies the whole table, as the command line prints
// it. Empty when there is nothing to copy.
std::string Texte_Copie(const TTableau& tableau, const TZone& zone, std::string_view fin_ligne = Fin_Ligne_Systeme);

// The bytes of the CSV file: a UTF-8 byte-order mark and CR LF line ends, so that a French
// Excel reads the accents and the numbers right.
std::string Contenu_Csv(const TTableau& tableau);

// A text cell as a spreadsheet must get it: one that begins with "=", "+", "-", "@", a tab or a
// carriage return would run as a formula, so it gets an apostrophe first.
std::string Protege_Formule(const std::string& texte);

// ---- The save dialog ----

enum class TFormat_Fichier { Csv, Pdf, Excel };

// What a window's save dialog is asked.
struct TDemande_Enregistrement {
  std::string Titre;
  std::string Chemin_Propose;
  std::array<const char*, 2> Types;  // "Nom (*.ext)", the first one chosen
  std::string Extension;             // "csv": given to a name typed without one
};

// The request to export the table in that format: the table's file name, with the format's
// extension, proposed in the user's Documents.
TDemande_Enregistrement Demande_Enregistrement(const TTableau& tableau, TFormat_Fichier format);


// The window's save dialog: the chosen path, or nothing when the user cancelled.
using TDemander_Chemin = std::function<std::optional<std::string>(const TDemande_Enregistrement&)>;

// "Exporter en CSV…": the file chosen in the dialog is replaced whole; nothing after a cancel.
// Raises plateforme::EKorvex when it cannot be written.
void Exporter_Csv(const TTableau& tableau, const TDemander_Chemin& Demander);

}  // namespace recap
