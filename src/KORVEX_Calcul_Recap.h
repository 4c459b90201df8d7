// The main window Form1: the folder and month fields, the button and the recap grid.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "KORVEX_procs.h"
#include "gui/Boites_Messages.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class TLabeledEdit;
class TStringGridRecap;

class TForm1 : public QWidget {
  Q_OBJECT

public:
  // Boites shows the program's messages and errors; tests give a recording one.
  explicit TForm1(TBoitesMessages Boites = Boites_Qt(), QWidget* parent = nullptr);

  TStringGridRecap* StringGridRecap;
  QFrame* Panel1;
  QLineEdit* EditChemin_Dossier;
  QLabel* LabelFichierTrouve;
  TLabeledEdit* LabeledEdit_Mois;
  QPushButton* Button_Calc_Recap;
  QLabel* Label1;
  TTAB_VALEURS TOT_RUB;

  // Totals the month's payslips into TOT_RUB; false, after its message, when PAIES.DTA is
  // missing. Raises plateforme::EKorvex.
  bool Calc_Total_Paies(const QString& Chemin, const QString& Mois);

public slots:
  void Button_Calc_RecapClick();
  void EditChemin_DossierChange();
  void FormCreate();

private:
  void Afficher_Message(const std::string& texte);

  TBoitesMessages Boites_;
};
