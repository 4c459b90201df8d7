// What a table window decides, whatever draws it: the comparison, a rubric's detail and the
// windows to come are each a model of this kind. A shell builds the window from its kind's
// description (forms/Description_Tableaux.h), passes it the panel's fields, the clicks and the
// view, and draws what Contenu returns.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "forms/Description_Tableaux.h"
#include "recap/Commandes.h"
#include "recap/Detail.h"
#include "recap/Fenetre.h"
#include "recap/Resume.h"
#include "recap/Tableau.h"
#include "recap/Vues_Salaries.h"

namespace recap {

// What the window shows after a click.
struct TContenu_Fenetre {
  TTableau Tableau;    // as the view shows it: the grid, its copies, exports and printouts take it
  std::string Resume;  // the summary label
  TEtat_Commandes Etat;
};

class TModele_Fenetre {
public:
  virtual ~TModele_Fenetre() = default;

  virtual TGenre_Fenetre Genre() const = 0;
  const description::TFenetre_Tableau& Description() const;

  // The panel's fields as typed, one per field of the description, in its order; a window with
  // a panel is validated once as it opens, with the fields its model prefilled.
  std::vector<std::string> Champs;
  // Which rows show, and in which order: the check box and the clicks on the headers.
  TVue Vue;

  // The panel's button, or Enter in a field: the fields read, the result made under the wait
  // cursor, every message and error in the boxes.
  virtual void Valider(const TBoitesMessages& Boites, const TCurseur& Curseur);

  TContenu_Fenetre Contenu() const;

  // A double click or Enter on a cell of the table shown (row 0 the header): the window it
  // opens, if any.
  virtual std::unique_ptr<TModele_Fenetre> Activer(const TTableau& Affiche, int Colonne, int Rangee,
                                                   const TBoitesMessages& Boites, const TCurseur& Curseur);

protected:
  virtual TTableau Tableau() const = 0;
  virtual std::string Resume() const = 0;
  virtual TEtat_Commandes Etat() const = 0;
};

// The description of the window of that kind.
const description::TFenetre_Tableau& Description_Fenetre(TGenre_Fenetre Genre);

// The comparison of a calculation's month with the month before it, at the default threshold.
std::unique_ptr<TModele_Fenetre> Modele_Comparaison(const TCalcul& Calcul);
// A rubric's detail, read.
std::unique_ptr<TModele_Fenetre> Modele_Detail(TDetail Detail);
// The cumuls of the folder Dossier, from January of the month field's year to its month (both
// empty when the field holds no month), computed as the window opens.
std::unique_ptr<TModele_Fenetre> Modele_Cumuls(const std::string& Dossier, const std::string& Mois);
// The controls of a calculation's month against the month before, at the default threshold,
// made as the window opens.
std::unique_ptr<TModele_Fenetre> Modele_Controles(const TCalcul& Calcul);
// A payslip, read; the gaps of a rubric by employee, read.
std::unique_ptr<TModele_Fenetre> Modele_Bulletin(TVue_Bulletin Vue);
std::unique_ptr<TModele_Fenetre> Modele_Ecarts(TEcarts Ecarts);

}  // namespace recap
