#include "DLG_KORVEX_Calcule_Recap.h"

#include <QApplication>

#include "KORVEX_Calcul_Recap.h"
#include "platform/Precision.h"
#include "platform/Separateurs.h"
#include "qt/Suivi_Locale.h"
#include "qt/Traduction_Qt.h"
#include "recap/Fenetre.h"

int DLG_KORVEX_Calcule_Recap(int argc, char* argv[]) {
  plateforme::Fixer_Precision_Etendue();
  QApplication application(argc, argv);
  // The caption of every message box.
  QCoreApplication::setApplicationName(QString::fromStdString(
      recap::Titre_Application(QCoreApplication::applicationFilePath().toStdString())));
  plateforme::Lire_Separateurs_Utilisateur();
  Suivre_Changements_Locale(application);
  // Without the file (package not installed) Qt's dialogs stay in English; the window still opens.
  Installer_Traduction_Qt(application);

  TForm1 Form1;
  Form1.show();
  return application.exec();
}
