// The main window Form1: the folder and month fields, the button and the recap grid.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "KORVEX_procs.h"
#include "qt/Boites_Messages.h"
#include "qt/Dialogues_Fichiers.h"
#include "recap/Resume.h"

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class TLabeledEdit;
class TStringGridRecap;

class TForm1 : public QWidget {
  Q_OBJECT

public:
  // Boites shows the program's messages and errors, Dialogues asks where to save; tests give
  // recording ones.
  explicit TForm1(TBoitesMessages Boites = Boites_Qt(), TDialoguesFichiers Dialogues = Dialogues_Qt(),
                  QWidget* parent = nullptr);

  TStringGridRecap* StringGridRecap;
  QFrame* Panel1;
  QLineEdit* EditChemin_Dossier;
  QLabel* LabelFichierTrouve;
  TLabeledEdit* LabeledEdit_Mois;
  QPushButton* Button_Calc_Recap;
  QLabel* Label1;
  QLabel* LabelResume;
  TTAB_VALEURS TOT_RUB;

  // The grid's context menu and its shortcuts; every entry is one of these actions.
  QAction* Action_Copier;
  QAction* Action_Copier_Tout;
  QAction* Action_Tout_Selectionner;
  QAction* Action_Exporter_Csv;
  QAction* Action_Exporter_Pdf;
  QAction* Action_Imprimer;  // Ctrl+P
  QMenu* Menu_Grille;
  // What the window keeps of its last calculation (summary, export name, printed header).
  recap::TDernier_Calcul Dernier_Calcul;

  // Totals the month's payslips into TOT_RUB; false, after its message, when PAIES.DTA is
  // missing. Raises plateforme::EKorvex.
  bool Calc_Total_Paies(const QString& Chemin, const QString& Mois);

public slots:
  void Button_Calc_RecapClick();
  void EditChemin_DossierChange();
  void FormCreate();
  void Copier();
  void Copier_Tout();
  void Exporter_Csv();
  void Exporter_Pdf();
  void Imprimer();

private:
  void Creer_Actions();
  // The summary label and the actions' enabled states, after every calculation.
  void Rafraichir_Resultats();
  void Montrer_Menu_Grille(const QPoint& position);
  void Afficher_Message(const std::string& texte);

  TBoitesMessages Boites_;
  TDialoguesFichiers Dialogues_;
};
