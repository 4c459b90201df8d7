// What a user does in the window: type in a field, run a calculation, change the locale.
#pragma once

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "KORVEX_Calcul_Recap.h"
#include "qt/Edit_Etiquete.h"

inline void Saisir(QLineEdit* champ, const QString& texte) {
  champ->setFocus();
  QTest::keyClick(champ, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(champ, texte);
}

inline void Calculer(TForm1& f, const QString& dossier, const QString& mois) {
  Saisir(f.EditChemin_Dossier, dossier);
  Saisir(f.LabeledEdit_Mois, mois);
  QTest::mouseClick(f.Button_Calc_Recap, Qt::LeftButton);
}

// LC_ALL for the life of the object, announced to the application as the system would.
struct TLocale {
  QByteArray lc_all = qgetenv("LC_ALL");
  explicit TLocale(const char* nom) { Changer(nom); }
  ~TLocale() {
    if (lc_all.isNull()) qunsetenv("LC_ALL"); else qputenv("LC_ALL", lc_all);
    Annoncer();
  }
  static void Changer(const char* nom) {
    qputenv("LC_ALL", nom);
    Annoncer();
  }
  static void Annoncer() {
    QEvent e(QEvent::LocaleChange);
    QCoreApplication::sendEvent(qApp, &e);
  }
};
