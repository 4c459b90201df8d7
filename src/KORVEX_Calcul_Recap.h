// The main window Form1: the folder and month fields, the button, the warnings and the recap grid.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "KORVEX_procs.h"
#include "qt/Boites_Messages.h"
#include "qt/Commandes_Qt.h"
#include "qt/Dialogues_Fichiers.h"
#include "recap/Fenetre.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class TEtiquetteDefilante;
class TFenetreTableau;
class TLabeledEdit;
namespace recap {
class TModele_Fenetre;
}
class TStringGridRecap;

class TForm1 : public QWidget {
  Q_OBJECT

public:
  // Boites shows the program's messages and errors, Dialogues asks where to save and prints;
  // tests give recording ones.
  explicit TForm1(TBoitesMessages Boites = Boites_Qt(), TDialoguesFichiers Dialogues = Dialogues_Qt(),
                  QWidget* parent = nullptr);

  TStringGridRecap* StringGridRecap;
  QFrame* Panel1;
  QLineEdit* EditChemin_Dossier;
  QLabel* LabelFichierTrouve;
  TLabeledEdit* LabeledEdit_Mois;
  QPushButton* Button_Calc_Recap;
  QLabel* Label1;
  QLabel* LabelResume = nullptr;
  TEtiquetteDefilante* LabelAvertissements = nullptr;
  TTAB_VALEURS TOT_RUB;
  // The cells a calculation writes, as the string grid holds them; StringGridRecap shows them
  // as a table after every step.
  recap::TGrille Cellules_Recap;
  // What the window keeps of its last calculation (summary, warnings, greying, names).
  recap::TDernier_Calcul Dernier_Calcul;
  // The grid's context menu and the shortcuts, one action per entry of the command table.
  TActions_Commandes Commandes;

public slots:
  void Button_Calc_RecapClick();
  void EditChemin_DossierChange();
  void FormCreate();

public:
  // Runs an entry of the command table on the table the grid shows.
  void Executer(recap::TCommande Commande);

  // The comparison window, while it is open: one per main window.
  TFenetreTableau* Fenetre_Comparaison() const;

protected:
  void resizeEvent(QResizeEvent* evenement) override;
  // Tab goes round this window's controls, never into a window it opened.
  bool focusNextPrevChild(bool suivant) override;

private:
  // The grid, the summary, the warnings and the entries' greying, after every step of a
  // calculation.
  void Afficher_Calcul();
  // The entries' state, as the grid and its current row are.
  recap::TEtat_Commandes Etat_Commandes() const;
  // Opens the comparison from the calculation the grid shows, or brings the open one to the
  // front started again from it.
  void Ouvrir_Comparaison();
  // Opens a new window on the detail of that rubric of the grid's calculation.
  void Ouvrir_Detail(int Rubrique);
  // Opens the cumuls of the folder field's folder, from January to the month field's month, or
  // brings the open window to the front started again from them.
  void Ouvrir_Cumuls();
  // Opens the controls of the grid's calculation against the month before, or brings the open
  // window to the front started again from it.
  void Ouvrir_Controles();
  // A window of which there is one at most: started again from Modele, or opened; to the front.
  void Ouvrir_Unique(QPointer<TFenetreTableau>& Fenetre, std::unique_ptr<recap::TModele_Fenetre> Modele);
  // The folder check and the summary as high as their lines, and the panel with them.
  void Placer_Textes();

  TBoitesMessages Boites_;
  TDialoguesFichiers Dialogues_;
  QPointer<TFenetreTableau> Comparaison_;
  QPointer<TFenetreTableau> Cumuls_;
  QPointer<TFenetreTableau> Controles_;
  bool Dossier_KORVEX_ = false;  // what the last folder check found
};
