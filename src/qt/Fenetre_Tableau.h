// The windows opened from the main window's recap: a comparison with another month, a rubric's
// detail. Each shows one recap::TTableau in the grid widget, its summary and its warnings under
// it, and has the context menu and shortcuts of its kind from the core's command table. The
// core decides what they show; these only draw it and pass the user's clicks on.
#pragma once

#include <QWidget>
#include <string>

#include "forms/Description_Tableaux.h"
#include "qt/Boites_Messages.h"
#include "qt/Commandes_Qt.h"
#include "qt/Dialogues_Fichiers.h"
#include "recap/Fenetre_Detail.h"
#include "recap/Fenetre_Comparaison.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class TEtiquetteDefilante;
class TStringGridRecap;

// The size of a window of that kind, and how far from the previous one it opens.
const description::TFenetre_Tableau& Description_Fenetre(recap::TGenre_Fenetre Genre);

class TFenetreTableau : public QWidget {
  Q_OBJECT

public:
  // A window of its own (modeless), owned by Proprietaire, whose font it takes; messages and
  // errors go to Boites, as the main window's do.
  TFenetreTableau(recap::TGenre_Fenetre Genre, TBoitesMessages Boites, TDialoguesFichiers Dialogues,
                  QWidget* Proprietaire);

  const recap::TGenre_Fenetre Genre;
  TStringGridRecap* GrilleTableau;
  QLabel* LabelResumeTableau;
  TEtiquetteDefilante* LabelAvertissementsTableau;
  TActions_Commandes Commandes;

protected:
  // The table in the grid, its title on the window, its warnings under the summary; the
  // entries greyed as the state says.
  void Afficher(const recap::TTableau& Tableau, const std::string& Resume, const recap::TEtat_Commandes& Etat);

  QVBoxLayout* Disposition;
  const TBoitesMessages Boites_;

private:
  void Executer(recap::TCommande Commande);

  const TDialoguesFichiers Dialogues_;
  recap::TEtat_Commandes Etat_;
};

// A rubric's detail: the payslips behind a total. Several may be open at once.
class TFenetreDetail : public TFenetreTableau {
  Q_OBJECT

public:
  TFenetreDetail(const recap::TDetail& Detail, TBoitesMessages Boites, TDialoguesFichiers Dialogues,
                 QWidget* Proprietaire);
};

// The comparison of the main window's month with a reference month, one per main window.
class TFenetreComparaison : public TFenetreTableau {
  Q_OBJECT

public:
  TFenetreComparaison(TBoitesMessages Boites, TDialoguesFichiers Dialogues, QWidget* Proprietaire);

  QFrame* PanelComparaison;
  QLineEdit* EditMoisReference;
  QLineEdit* EditSeuil;
  QPushButton* ButtonComparer;

  // Starts again from this calculation: the fields prefilled, the comparison made at once.
  void Initialiser(const recap::TCalcul& Calcul);

public slots:
  void ButtonComparerClick();

private:
  void Afficher_Comparaison();

  recap::TFenetre_Comparaison Etat_Comparaison_;
};
