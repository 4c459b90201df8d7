#include "qt/Suivi_Locale.h"

#include <QCoreApplication>
#include <QEvent>

#include "recap/Fenetre.h"

namespace {

class TSuiviLocale : public QObject {
public:
  explicit TSuiviLocale(QCoreApplication& application) : QObject(&application) {
    application.installEventFilter(this);
  }

  bool eventFilter(QObject* objet, QEvent* evenement) override {
    if (evenement->type() == QEvent::LocaleChange && objet == parent()) recap::Relire_Separateurs();
    return false;
  }
};

}  // namespace

void Suivre_Changements_Locale(QCoreApplication& application) { new TSuiviLocale(application); }
