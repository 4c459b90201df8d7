// The application title, the two message boxes, the error boundary, the locale wiring and Qt's
// own dialogs in French.
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTranslator>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <cstdlib>

#include "Boites_Factices.h"
#include "DLG_KORVEX_Calcule_Recap.h"
#include "platform/Erreurs.h"
#include "platform/Fichiers.h"
#include "KORVEX_Calcul_Recap.h"
#include "platform/Separateurs.h"
#include "qt/Traduction_Qt.h"
#include "Suites.h"

namespace {

const QString Titre = QStringLiteral("Dlg_korvex_calcule_recap");

// The locale environment of one test, put back afterwards with the separators it gives.
struct TEnvironnementLocale {
  QByteArray lc_all = qgetenv("LC_ALL"), lc_numeric = qgetenv("LC_NUMERIC"), lang = qgetenv("LANG");
  ~TEnvironnementLocale() {
    auto remettre = [](const char* v, const QByteArray& valeur) {
      if (valeur.isNull()) qunsetenv(v); else qputenv(v, valeur);
    };
    remettre("LC_ALL", lc_all);
    remettre("LC_NUMERIC", lc_numeric);
    remettre("LANG", lang);
    plateforme::Lire_Separateurs_Utilisateur();
  }
};

// Qt's translation for one test only: the other tests see Qt's texts as they were.
struct TTraductionInstallee {
  QTranslator* traduction;
  explicit TTraductionInstallee(const QString& dossier) : traduction(Installer_Traduction_Qt(*qApp, dossier)) {}
  ~TTraductionInstallee() {
    if (traduction != nullptr) QCoreApplication::removeTranslator(traduction);
    delete traduction;
  }
};

QStringList Textes_Boutons(const QWidget& w) {
  QStringList textes;
  for (const auto* bouton : w.findChildren<QPushButton*>()) textes << bouton->text();
  return textes;
}

void Annoncer_Changement_Locale() {
  QEvent e(QEvent::LocaleChange);
  QCoreApplication::sendEvent(qApp, &e);
}

}  // namespace

class TestsBoites : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { QCoreApplication::setApplicationName(Titre); }
  void boite_message();
  void boite_message_longue_replie_a_demi_ecran();
  void boite_erreur();
  void regle_du_point_dans_la_boite_erreur_data();
  void regle_du_point_dans_la_boite_erreur();
  void un_gestionnaire_qui_leve_n_arrete_pas_la_fenetre();
  void le_controle_du_dossier_est_garde();
  void separateurs_relus_au_changement_de_locale();
  void dialogues_de_qt_en_francais();
  void sans_traduction_les_dialogues_restent_utilisables();
};

void TestsBoites::boite_message() {
  for (const auto touche : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
    auto boite = Creer_Boite_Message("Fichier C:\\KORVEX\\PAIES.DTA Non trouvé");
    QCOMPARE(boite->windowTitle(), Titre);
    QVERIFY(boite->isModal());
    const auto boutons = boite->findChildren<QPushButton*>();
    QCOMPARE(boutons.size(), 1);
    QCOMPARE(boutons[0]->text(), QStringLiteral("OK"));
    const auto etiquettes = boite->findChildren<QLabel*>();
    QCOMPARE(etiquettes.size(), 1);  // the text, and no icon
    QCOMPARE(etiquettes[0]->text(), QStringLiteral("Fichier C:\\KORVEX\\PAIES.DTA Non trouvé"));
    QVERIFY(etiquettes[0]->pixmap().isNull());

    boite->show();
    QVERIFY(QTest::qWaitForWindowExposed(boite.get()));
    const QRect ecran = boite->screen()->geometry();
    // Centred frame included; before any frame is known Qt allows for a title bar (up to 50 px).
    QVERIFY((boite->frameGeometry().center() - ecran.center()).manhattanLength() <= 50);
    QTest::keyClick(boite.get(), touche);
    QVERIFY(!boite->isVisible());
  }
}

void TestsBoites::boite_message_longue_replie_a_demi_ecran() {
  QString longue;
  for (int i = 0; i < 60; ++i) longue += QStringLiteral("rubrique ");
  const QString courte = QStringLiteral("Fichier C:\\KORVEX\\PAIES.DTA Non trouvé");
  auto boite_longue = Creer_Boite_Message(longue);
  auto boite_courte = Creer_Boite_Message(courte);
  QLabel* l = boite_longue->findChild<QLabel*>();
  QLabel* c = boite_courte->findChild<QLabel*>();
  const int demi = QGuiApplication::primaryScreen()->geometry().width() / 2;
  const int ligne = l->fontMetrics().height();
  QVERIFY(l->width() <= demi);
  QVERIFY(l->width() > demi - l->fontMetrics().horizontalAdvance(QStringLiteral("rubrique ")));
  QVERIFY(l->height() >= 3 * ligne);
  QVERIFY(c->width() < demi);
  QVERIFY(c->height() < 2 * ligne);
}

void TestsBoites::boite_erreur() {
  for (const auto touche : {Qt::Key_Return, Qt::Key_Escape}) {
    auto boite = Creer_Boite_Erreur("Champ 'LIBELLE' non trouvé.");
    QCOMPARE(boite->windowTitle(), Titre);
    QCOMPARE(boite->icon(), QMessageBox::Critical);
    QCOMPARE(boite->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(boite->text(), QStringLiteral("Champ 'LIBELLE' non trouvé."));
    QCOMPARE(boite->textFormat(), Qt::PlainText);  // a path holding "<" shows as typed
    boite->show();
    QVERIFY(QTest::qWaitForWindowExposed(boite.get()));
    QTest::keyClick(boite.get(), touche);
    QVERIFY(!boite->isVisible());
  }
}

void TestsBoites::regle_du_point_dans_la_boite_erreur_data() {
  QTest::addColumn<QString>("message");
  QTest::addColumn<QString>("affiche");
  QTest::newRow("lettre") << "Champ 'LIBELLE' non trouvé" << "Champ 'LIBELLE' non trouvé.";
  QTest::newRow("chiffre") << "Total 12" << "Total 12.";
  QTest::newRow("point") << "Fin." << "Fin.";
  QTest::newRow("parenthèse") << "Sous la forme (mm-aaaa)" << "Sous la forme (mm-aaaa)";
  QTest::newRow("apostrophe") << "'12 ' n'est pas une valeur entière correcte'" << "'12 ' n'est pas une valeur entière correcte'";
}

// The plain box of the month check raises: the click's handler ends in the error box.
void TestsBoites::regle_du_point_dans_la_boite_erreur() {
  QFETCH(QString, message);
  QFETCH(QString, affiche);
  TBoitesEnregistrees boites;
  boites.Pendant_Message = [&](const std::string&) { throw plateforme::EKorvex(message.toStdString()); };
  TForm1 f(boites.Boites());
  QTest::mouseClick(f.Button_Calc_Recap, Qt::LeftButton);
  QCOMPARE(boites.Erreurs, std::vector<std::string>{affiche.toStdString()});
}

void TestsBoites::un_gestionnaire_qui_leve_n_arrete_pas_la_fenetre() {
  TBoitesEnregistrees boites;
  int leves = 0;
  boites.Pendant_Message = [&](const std::string&) {
    if (leves++ == 0) throw std::runtime_error("Panne");
  };
  TForm1 f(boites.Boites());
  f.show();
  QTest::mouseClick(f.Button_Calc_Recap, Qt::LeftButton);
  QCOMPARE(boites.Erreurs, std::vector<std::string>{"Panne."});
  QCOMPARE(QGuiApplication::overrideCursor(), nullptr);  // the busy cursor is gone
  // The message came with the normal cursor, over the busy one.
  QCOMPARE(boites.Curseurs_Messages, std::vector<int>{Qt::ArrowCursor});
  // The window goes on: typing checks the folder, a click runs again.
  QTest::keyClicks(f.EditChemin_Dossier, "2");
  QCOMPARE(f.EditChemin_Dossier->text(), QStringLiteral("C:\\KORVEX2"));
  QCOMPARE(f.LabelFichierTrouve->text(), QStringLiteral("Ce n'est pas un dossier KORVEX"));
  QTest::mouseClick(f.Button_Calc_Recap, Qt::LeftButton);
  QCOMPARE(boites.Messages.size(), size_t(2));
  QCOMPARE(boites.Erreurs.size(), size_t(1));
  QVERIFY(f.isVisible());
}

// A failing file test in the folder check ends in the error box, the label as it was.
void TestsBoites::le_controle_du_dossier_est_garde() {
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  const QString avant = f.LabelFichierTrouve->text();
  plateforme::Installer_Injecteur_Pannes([](plateforme::TOperationFichier, const std::string&) -> std::optional<std::string> {
    throw plateforme::EKorvex("Lecteur C: indisponible");
  });
  QTest::keyClicks(f.EditChemin_Dossier, "X");
  plateforme::Installer_Injecteur_Pannes({});
  QCOMPARE(boites.Erreurs, std::vector<std::string>{"Lecteur C: indisponible."});
  QCOMPARE(f.LabelFichierTrouve->text(), avant);
  QTest::keyClick(f.EditChemin_Dossier, Qt::Key_Backspace);
  QCOMPARE(boites.Erreurs.size(), size_t(1));
}

void TestsBoites::separateurs_relus_au_changement_de_locale() {
  TEnvironnementLocale environnement;
  qunsetenv("LC_NUMERIC");
  qunsetenv("LANG");
  qputenv("LC_ALL", "fr_FR.UTF-8");
  plateforme::Fixer_Separateurs(U'#', U'#');
  QCOMPARE(plateforme::DecimalSeparator(), U'#');  // nothing reads them unasked
  Annoncer_Changement_Locale();
  QCOMPARE(plateforme::DecimalSeparator(), U',');
  QCOMPARE(plateforme::ThousandSeparator(), U'\u202F');

  qputenv("LC_ALL", "C");
  Annoncer_Changement_Locale();
  QCOMPARE(plateforme::DecimalSeparator(), U'.');
  QCOMPARE(plateforme::ThousandSeparator(), U',');

  // The same event sent to a widget only is no announcement to the application.
  qputenv("LC_ALL", "fr_FR.UTF-8");
  QWidget w;
  QEvent e(QEvent::LocaleChange);
  QCoreApplication::sendEvent(&w, &e);
  QCOMPARE(plateforme::DecimalSeparator(), U'.');
}

void TestsBoites::dialogues_de_qt_en_francais() {
  TTraductionInstallee francais(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  QVERIFY2(francais.traduction != nullptr, "qtbase_fr.qm manque : paquet qt6-translations-l10n");
  QDialogButtonBox boutons(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
  QCOMPARE(boutons.button(QDialogButtonBox::Save)->text(), QStringLiteral("Enregistrer"));
  QCOMPARE(boutons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Annuler"));
  // Qt's own save dialog, the one Linux desktops without a portal get.
  QFileDialog enregistrer;
  enregistrer.setOption(QFileDialog::DontUseNativeDialog);
  enregistrer.setAcceptMode(QFileDialog::AcceptSave);
  const QStringList textes = Textes_Boutons(enregistrer);
  QVERIFY2(textes.contains(QStringLiteral("&Enregistrer")), qPrintable(textes.join(u'|')));
  QVERIFY2(textes.contains(QStringLiteral("Annuler")), qPrintable(textes.join(u'|')));
}

void TestsBoites::sans_traduction_les_dialogues_restent_utilisables() {
  QTemporaryDir vide;
  TTraductionInstallee absente(vide.path());
  QCOMPARE(absente.traduction, nullptr);
  QDialogButtonBox boutons(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
  QCOMPARE(boutons.button(QDialogButtonBox::Save)->text(), QStringLiteral("Save"));
}

KORVEX_SUITE(TestsBoites);

#include "test_boites.moc"
