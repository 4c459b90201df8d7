#include "qt/Traduction_Qt.h"

#include <QCoreApplication>
#include <QTranslator>

QTranslator* Installer_Traduction_Qt(QCoreApplication& application, const QString& dossier) {
  auto* traduction = new QTranslator(&application);
  if (!traduction->load(QStringLiteral("qtbase_fr"), dossier) || !QCoreApplication::installTranslator(traduction)) {
    delete traduction;
    return nullptr;
  }
  return traduction;
}
