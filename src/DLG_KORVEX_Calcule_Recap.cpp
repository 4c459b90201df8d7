#include "DLG_KORVEX_Calcule_Recap.h"

#include <QApplication>
#include <algorithm>

#include "KORVEX_Calcul_Recap.h"
#include "platform/Separateurs.h"
#include "gui/Suivi_Locale.h"

QString Titre_Application(const QString& Fichier_Executable) {
  const qsizetype dossier = std::max(Fichier_Executable.lastIndexOf(u'/'), Fichier_Executable.lastIndexOf(u'\\'));
  QString nom = Fichier_Executable.mid(dossier + 1);
  const qsizetype point = nom.indexOf(u'.');
  if (point >= 0) nom.truncate(point);
  if (nom.size() > 1) nom = nom.left(1) + nom.mid(1).toLower();
  return nom;
}

int DLG_KORVEX_Calcule_Recap(int argc, char* argv[]) {
  QApplication application(argc, argv);
  // The caption of every message box.
  QCoreApplication::setApplicationName(Titre_Application(QCoreApplication::applicationFilePath()));
  plateforme::Lire_Separateurs_Utilisateur();
  Suivre_Changements_Locale(application);

  TForm1 Form1;
  Form1.show();
  return application.exec();
}
