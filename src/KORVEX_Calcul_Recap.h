// The main window Form1: the folder and month fields, the button and the recap grid.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "KORVEX_procs.h"
#include "gui/Boites_Messages.h"
#include "gui/Dialogues_Fichiers.h"
#include "recap/Impression.h"

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
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
  TTAB_VALEURS TOT_RUB;
  // "Imprimer…" (Ctrl+P) and "Exporter en PDF…": greyed until a calculation has filled the grid.
  QAction* Action_Imprimer;
  QAction* Action_Exporter_Pdf;

  // Totals the month's payslips into TOT_RUB; false, after its message, when PAIES.DTA is
  // missing. Raises plateforme::EKorvex.
  bool Calc_Total_Paies(const QString& Chemin, const QString& Mois);

public slots:
  void Button_Calc_RecapClick();
  void EditChemin_DossierChange();
  void FormCreate();
  void Action_ImprimerExecute();
  void Action_Exporter_PdfExecute();

private:
  // Runs a handler's work; whatever it raises ends in the error box and goes no further.
  void Sous_Garde(const std::function<void()>& travail);
  // Greys printing while no calculation fills the grid.
  void Actions_Impression();
  void Afficher_Message(const std::string& texte);

  TBoitesMessages Boites_;
  TDialoguesFichiers Dialogues_;
  // What the printed pages say of the calculation the grid shows; nothing before a first one.
  std::optional<recap::TEntete_Impression> Calcul_Affiche_;
};
