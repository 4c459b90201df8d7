// The commands of the windows' tables, as data: each entry's French text, its shortcut, where
// the shortcut works and the rule that enables it. Each window only turns the list into its
// menu items and accelerators (QAction, AppendMenuW) and hands what it can do to
// Executer_Commande; no shell keeps an entry, an order, a shortcut or a greying rule of its own.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "recap/Export.h"
#include "recap/Fenetre.h"
#include "recap/Impression.h"
#include "recap/Tableau.h"

namespace recap {

enum class TCommande {
  Copier,
  Copier_Tout,
  Tout_Selectionner,
  Exporter_Csv,
  Exporter_Excel,
  Imprimer,
  Exporter_Pdf,
  Comparer,  // the main window only: the comparison with another month
  Detail,    // the main window only: the payslips behind the current row's total
  Cumuls,    // the main window only: the cumuls of several months
  Controles, // the main window only: the month's payslips checked before they are paid
};

// Where a shortcut works: in the grid only (the fields keep their own Ctrl+C, Ctrl+A), or
// anywhere in the window.
enum class TPortee { Grille, Fenetre };

// Which window the table is in.
enum class TGenre_Fenetre { Recap, Comparaison, Detail, Cumuls, Controles, Bulletin, Ecarts };

// What a shell can do that another cannot (the Win32 window makes no PDF: Windows prints to
// Microsoft Print to PDF).
struct TCapacites {
  bool Pdf = false;
};

// What the rules read: the window's state.
struct TEtat_Commandes {
  bool Tableau_A_Jour = false;     // the grid holds the last calculation, whole
  bool Rubrique_Courante = false;  // the grid's current row is a rubric's
  bool Dossier_KORVEX = false;     // the folder check finds PAIES.DTA
};

// The rubric of a row of the recap's table (row 0 the header): its first cell's number.
std::optional<int> Rubrique_De_Rangee(const TTableau& Tableau, int Rangee);

// The main window's state as the rules read it, its grid's current row at Rangee, its folder
// check finding a KORVEX folder or not.
TEtat_Commandes Etat_Commandes(const TDernier_Calcul& Dernier, const TTableau& Tableau, int Rangee, bool Dossier_KORVEX);

struct TEntree_Commande {
  TCommande Commande;
  const char* Texte;      // "Copier"
  char Touche = 0;        // with Ctrl: 'C'; 0 when the entry has no shortcut
  TPortee Portee = TPortee::Fenetre;
  bool Separateur_Avant = false;  // a separator line before it in the menu
};

// The entries of a window's context menu, in their order.
std::vector<TEntree_Commande> Commandes(TGenre_Fenetre Fenetre, const TCapacites& Capacites);

// The entry's shortcut as the menu shows it beside its text ("Ctrl+C"), empty when none.
std::string Texte_Raccourci(const TEntree_Commande& Entree);

// The command of a double click or Enter on a data row, if the window has one.
std::optional<TCommande> Commande_Activation(TGenre_Fenetre Fenetre);

// Whether the entry is enabled in this state.
bool Commande_Active(TCommande Commande, const TEtat_Commandes& Etat);

// The entry with this shortcut letter (Ctrl + letter), if any; the caller checks where it works.
std::optional<TEntree_Commande> Commande_De_Touche(TGenre_Fenetre Fenetre, const TCapacites& Capacites, char Touche);

// ---- Running a command ----

// Draws the table on the printer the dialog chose.
using TImprimante = std::function<void(const TTableau&)>;

// What a window gives the commands to work with; every modal step is one of these, so that
// tests answer them.
struct TServices_Fenetre {
  std::function<TZone()> Selection;                        // the grid's selected cells
  std::function<int()> Rangee_Courante;                    // the grid's current row, 0 the header
  std::function<void(const std::string&)> Presse_Papiers;  // puts a text on the clipboard
  std::function<void()> Tout_Selectionner;                 // selects every data cell
  TDemander_Chemin Demander_Chemin;                        // the save dialog
  // The print dialog, given the paper and the document's name: what prints on the printer
  // chosen, empty when the user cancelled.
  std::function<TImprimante(const TDemande_Impression&)> Choisir_Imprimante;
  // The bytes of the table as a PDF (the shells that have Capacites.Pdf).
  std::function<std::string(const TTableau&, const TDemande_Impression&)> Pdf;
  TMesure Mesure;    // texts in the printed fonts, for the choice of the paper
  TCurseur Curseur;  // the wait cursor while a printout or a PDF is made
  // The main window only: opens its comparison window, or a detail window for that rubric.
  std::function<void()> Ouvrir_Comparaison;
  std::function<void(int Rubrique)> Ouvrir_Detail;
  std::function<void()> Ouvrir_Cumuls;
  std::function<void()> Ouvrir_Controles;
};

// Runs the command on the table: nothing when its rule disables it. Raises plateforme::EKorvex.
void Executer_Commande(TCommande Commande, const TTableau& Tableau, const TEtat_Commandes& Etat,
                       const TServices_Fenetre& Services);

}  // namespace recap
