// A table as the user sees it, whatever produced it (the recap, the comparison of two months,
// the detail of a rubric): its header, its rows of typed cells and what stands around it. The
// grids, the copy, the CSV, the workbook and the printed pages consume it without knowing which
// table it is.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "recap/Avertissements.h"

namespace recap {

// What a cell holds, which gives its alignment and how a spreadsheet receives it.
enum class TGenre_Cellule {
  Texte,        // left-aligned; protected from running as a formula in a spreadsheet
  Entier,       // a rubric or record number: a whole number, right-aligned
  Montant,      // an amount: Valeur is the extended total, the text its 15-digit form
  Pourcentage,  // a percentage with one decimal (Valeur 12.5 for "12,5")
};

enum class TAlignement { Gauche, Droite, Centre };

// Texts left, numbers right, as accountants write them on paper.
TAlignement Alignement_De(TGenre_Cellule genre);

struct TCellule {
  TGenre_Cellule Genre = TGenre_Cellule::Texte;
  std::string Texte;     // as the grid shows it, numbers with the user's decimal separator
  long double Valeur = 0;  // numbers only; an empty cell has no value
  bool Vide() const { return Texte.empty(); }
};

struct TColonne {
  std::string Entete;
  int Largeur = 100;   // on screen, in pixels at 96 dots per inch
  double Part = 1;     // share of the printed width, against the other columns' shares
};

struct TLigne_Tableau {
  std::vector<TCellule> Cellules;  // one per column
  bool A_Signaler = false;         // to be checked: drawn highlighted, and its text says why
  bool Pied = false;               // a total under the rows: it stays last, sorted or filtered
  // A row whose cells are a series of the table's chart (TSerie), or none.
  int Serie = -1;
};

// The series of a chart: gains and retenues as bars, the net as a line.
enum TSerie { Serie_Gains = 0, Serie_Retenues = 1, Serie_Net = 2 };

struct TTableau {
  std::string Titre;        // "Récap KORVEX — mois 02-2024", at the top of pages and workbooks
  std::string Designation = "le tableau";  // "la récap": what dialogs and messages call it
  std::string Nom_Feuille;  // "Récap 02-2024": a workbook's sheet
  std::string Nom_Fichier;  // "recap-KORVEX-02-2024": the name proposed for its exports
  std::string Nom_Document;  // "Récap KORVEX 02-2024": its print job, its PDF's title
  std::string Dossier;      // the data folder it was read from
  std::time_t Date_Heure = 0;  // when it was calculated
  std::vector<TColonne> Colonnes;
  std::vector<TLigne_Tableau> Lignes;
  std::vector<std::string> Resume;          // lines under the title of the first page
  TAvertissements Avertissements;           // "Attention : ...", what it leaves out
  // On screen, numbers right-aligned as on paper; the recap grid keeps every cell at the left.
  bool Nombres_A_Droite = true;
  // How a row is named to a screen reader: this word, then its first cells ("rubrique 1 Salaire
  // de base").
  std::string Nom_Rangee = "ligne";
  int Colonnes_Nom = 1;
  // Rows left from before a click that made no result: drawn grey, as no longer the figures.
  bool Perime = false;
  // The first columns, which stay in view when the grid scrolls sideways.
  int Colonnes_Fixes = 1;
  // A column whose number cells are the sums of those of the columns Premiere to Derniere: a
  // workbook writes them as formulas, the table's figure as their value.
  struct TSomme {
    int Colonne = -1, Premiere = 0, Derniere = -1;
  } Somme;
  // A chart of the rows marked as series: its categories are the headers of the columns
  // Premiere to Derniere, its values their cells.
  struct TGraphique {
    int Premiere = 0, Derniere = -1;
  };
  std::optional<TGraphique> Graphique;
  // The column its rows are sorted by on screen (-1: the table's own order), and which way.
  int Colonne_Triee = -1;
  bool Tri_Croissant = true;

  int Nombre_Colonnes() const { return static_cast<int>(Colonnes.size()); }
  // Rows counted as a string grid counts them: the header row 0, then the data rows.
  int Nombre_Rangees() const { return static_cast<int>(Lignes.size()) + 1; }
  // The text of a cell in grid coordinates (column, row), row 0 the header; empty outside.
  const std::string& Texte(int colonne, int rangee) const;
  // The cell of a data row (rangee >= 1), or nullptr outside.
  const TCellule* Cellule(int colonne, int rangee) const;
};

// The alignment of a cell on screen.
TAlignement Alignement_Ecran(const TTableau& Tableau, int Colonne, int Rangee);

// A header as the grid shows it: a sorted column's says which way.
std::string Texte_Entete_Ecran(const TTableau& Tableau, int Colonne);

// What a screen reader says of a cell: its column and its row (the row's naming cells but this
// one), then its text or "vide"
// ("GAINS, rubrique 1 Salaire de base : 33149,34"); a header, its text and how it sorts the rows.
std::string Nom_Accessible(const TTableau& Tableau, int Colonne, int Rangee);

// How the rows are shown: only those to check, and sorted by a column. The copies, exports and
// printouts take the rows as shown.
struct TVue {
  bool Seulement_A_Signaler = false;
  int Colonne_Tri = -1;  // -1: the table's own order
  bool Croissant = true;
};
// The table as the view shows it: the rows filtered and sorted (numbers by value, texts
// alphabetically, the table's order between equals), the totals under them kept last; a filtered
// table says so in its title.
TTableau Appliquer_Vue(const TTableau& Tableau, const TVue& Vue);
// A click on a column's header: sorted by it, the other way on a second click.
TVue Cliquer_Entete(TVue Vue, int Colonne);

// The value a number cell gives other programs (JSON, workbooks): its 15-digit text read back,
// so that they show the grid's figure.
double Valeur_Affichee(const TCellule& cellule);

// The name with "_" for what a file name cannot hold (control characters, < > : " / \ | ? *).
std::string Nom_Fichier_Sur(const std::string& nom);

// Cells, made with the grid's number format and the user's decimal separator.
TCellule Cellule_Texte(std::string texte);
TCellule Cellule_Entier(long long valeur);
TCellule Cellule_Montant(long double valeur);
TCellule Cellule_Pourcentage(long double valeur);  // one decimal

}  // namespace recap
