// What a rubric's detail window decides, whatever draws it: the payslips behind the total of
// the main window's current row, read again from the folder.
#pragma once

#include <optional>

#include "recap/Commandes.h"
#include "recap/Detail.h"
#include "recap/Fenetre.h"

namespace recap {

// A double click, Enter or "Détail de la rubrique…" on the row of that rubric: the detail read
// under the wait cursor and checked against what the grid's calculation read, every message
// and error in the boxes. Nothing when the grid is not the last click's recap, or after a
// message or an error.
std::optional<TDetail> Clic_Detail(const TDernier_Calcul& Dernier, int Rubrique, const TBoitesMessages& Boites,
                                   const TCurseur& Curseur);

// The summary label: "N bulletins".
std::string Texte_Resume(const TDetail& Detail);

TEtat_Commandes Etat_Commandes(const TDetail& Detail);

}  // namespace recap
