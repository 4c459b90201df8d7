// What the main window decides, whatever draws it: the Qt window on Linux and the Win32 one on
// Windows call these and only create controls, wire events and draw.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "KORVEX_procs.h"
#include "recap/Recap.h"
#include "recap/Resume.h"

namespace recap {

// What a window keeps of its calculations, for its summary, its warnings, its copies, exports
// and printouts.
struct TDernier_Calcul {
  // The calculation the grid shows: nothing before the first, nor once a failed one has begun
  // writing the grid.
  std::optional<TCalcul> Calcul;
  bool Echec = false;             // the last click made no recap
  bool Grille_Incomplete = false; // a failed calculation left some of its rows in the grid
  int Numero = 0;                 // of the calculations that rewrote the grid: a new one shows
                                  // from its first row
};

// A click on "Calculer Récap" in a window: the calculation, then what the window keeps of it.
// Errors go on to the caller once Dernier is right.
void Calculer_Pour_Fenetre(const std::string& Chemin, const std::string& Mois, TTAB_VALEURS& TOT_RUB,
                           TGrille& Grille, const TAfficherMessage& Message, TDernier_Calcul& Dernier);

// Whether the grid holds the last click's recap: only then may it be copied, exported or printed.
bool Grille_A_Jour(const TDernier_Calcul& Dernier);

// The text of the summary label: its three lines with the user's decimal separator; after a
// click that made no recap, that none was made and what the grid still shows; else empty.
std::string Texte_Resume(const TDernier_Calcul& Dernier);

// The warnings of the calculation the grid shows, while it is the last click's: after a failure
// the summary says what the grid still shows, and warnings of another folder would read as the
// failure's.
const TAvertissements& Avertissements_Affiches(const TDernier_Calcul& Dernier);

// The table the grid shows: its cells, typed; the title, summary and warnings of the
// calculation they come from, while the grid holds it; after a click that made no recap, stale.
TTableau Tableau_Affiche(const TGrille& Grille, const TTAB_VALEURS& TOT_RUB, const TDernier_Calcul& Dernier);

// The program's two message boxes, replaceable so that tests record them instead of blocking.
struct TBoitesMessages {
  // The plain message box of the program's own messages.
  std::function<void(const std::string&)> Message;
  // The error box; the text already carries the "." rule.
  std::function<void(const std::string&)> Erreur;
};

// The application title, caption of every box: the executable's file name without its folder,
// cut at its first ".", every character after the first in lower case.
std::string Titre_Application(const std::string& Fichier_Executable);

// The folder check: the text of LabelFichierTrouve for the folder field's text as typed. When
// PAIES.DTA is not there but PAIES.DBF is, a calculation was interrupted: it says so, and how
// to give the payroll application its payslips back.
std::string Texte_Controle_Dossier(const std::string& Chemin);
// The same, and whether it finds the folder a KORVEX one (PAIES.DTA there), which the cumuls' entry
// follows: the window keeps both from one look at the folder.
struct TControle_Dossier {
  std::string Texte;
  bool KORVEX = false;
};
TControle_Dossier Controler_Dossier(const std::string& Chemin);

// A month field of our windows, the main window's aside (the recap has its own rule): the month
// it holds, blanks trimmed, when it is a month mm-aaaa (01 to 12, four digits); else nothing.
std::optional<std::string> Mois_Champ(const std::string& Texte);

// The system announced a change of its regional settings: the separators are read again. Never
// fails: on any error the previous separators stay in force.
void Relire_Separateurs() noexcept;

// A handler's work; whatever it raises ends in the error box, and the window carries on.
void Sous_Garde(const TBoitesMessages& Boites, const std::function<void()>& Travail);

// The mouse cursor as a window shows it: Curseur(true) puts up the wait cursor, Curseur(false)
// the normal one, each for as long as the returned object lives.
using TCurseur = std::function<std::shared_ptr<void>(bool attente)>;

// The boxes with the normal cursor while they wait for the user, under a wait cursor.
TBoitesMessages Boites_Curseur_Normal(const TBoitesMessages& Boites, const TCurseur& Curseur);

// A click on "Calculer Récap", whole: the calculation under the guard, and what the window keeps
// of it in Dernier. Afficher puts the grid's contents and the summary on screen; it runs before
// every box, so that the rows written so far are seen when a message or an error appears, and
// when the calculation ends. The wait cursor shows throughout, the normal one while a box waits
// for the user.
void Clic_Calculer_Recap(const std::string& Chemin, const std::string& Mois, TTAB_VALEURS& TOT_RUB,
                         TGrille& Grille, TDernier_Calcul& Dernier, const TBoitesMessages& Boites,
                         const std::function<void()>& Afficher, const TCurseur& Curseur);

}  // namespace recap
