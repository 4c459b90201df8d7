// The folder check, as the user types the folder.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <ctime>
#include <sys/time.h>

#include "Boites_Factices.h"
#include "platform/Fichiers.h"
#include "KORVEX_Calcul_Recap.h"
#include "Suites.h"

namespace {

const QString OK = QStringLiteral("Dossier KORVEX OK");
const QString KO = QStringLiteral("Ce n'est pas un dossier KORVEX");

enum class TContenu { Fichier, Rien, Dossier, Fichier_1979, Fichier_Minuscules };

void Creer_Fichier(const QString& chemin) {
  QFile f(chemin);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write("x");
}

void Dater(const QString& chemin, int annee) {
  std::tm t{};
  t.tm_year = annee - 1900;
  t.tm_mon = 5;
  t.tm_mday = 15;
  t.tm_hour = 12;
  t.tm_isdst = -1;
  const timeval temps[2] = {{std::mktime(&t), 0}, {std::mktime(&t), 0}};
  QCOMPARE(::utimes(QFile::encodeName(chemin).constData(), temps), 0);
}

// <dossier>/KORVEX holding what the case asks for.
void Preparer(const QString& dossier, TContenu contenu) {
  const QString korvex = dossier + "/KORVEX";
  QVERIFY(QDir().mkpath(korvex));
  switch (contenu) {
    case TContenu::Fichier: Creer_Fichier(korvex + "/PAIES.DTA"); break;
    case TContenu::Rien: break;
    case TContenu::Dossier: QVERIFY(QDir().mkpath(korvex + "/PAIES.DTA")); break;
    case TContenu::Fichier_1979:
      Creer_Fichier(korvex + "/PAIES.DTA");
      Dater(korvex + "/PAIES.DTA", 1979);
      break;
    case TContenu::Fichier_Minuscules: Creer_Fichier(korvex + "/paies.dta"); break;
  }
}

// Replaces the field's text by typing, one key per character.
void Taper(QLineEdit* champ, const QString& texte) {
  champ->setFocus();
  QTest::keyClick(champ, Qt::Key_A, Qt::ControlModifier);
  if (texte.isEmpty())
    QTest::keyClick(champ, Qt::Key_Backspace);
  else
    QTest::keyClicks(champ, texte);
  QCOMPARE(champ->text(), texte);
}

// Puts the current directory back when the test ends.
struct TRepertoireCourant {
  QString ancien = QDir::currentPath();
  ~TRepertoireCourant() { QDir::setCurrent(ancien); }
};

}  // namespace

class TestsDossier : public QObject {
  Q_OBJECT

private slots:
  void dossier_par_defaut_au_demarrage_data();
  void dossier_par_defaut_au_demarrage();
  void un_seul_controle_a_la_creation();
  void chaque_frappe_met_l_etiquette_a_jour();
  void cas_de_dossier_data();
  void cas_de_dossier();
  void un_changement_par_programme_est_controle();
};

Q_DECLARE_METATYPE(TContenu)

void TestsDossier::dossier_par_defaut_au_demarrage_data() {
  QTest::addColumn<bool>("present");
  QTest::addColumn<QString>("etiquette");
  QTest::newRow("C:\\KORVEX\\PAIES.DTA présent") << true << OK;
  QTest::newRow("C:\\KORVEX\\PAIES.DTA absent") << false << KO;
}

// On POSIX, C:\KORVEX is the relative path C:/KORVEX: a folder "C:" in the current directory.
void TestsDossier::dossier_par_defaut_au_demarrage() {
  QFETCH(bool, present);
  QFETCH(QString, etiquette);
  QTemporaryDir tmp;
  TRepertoireCourant courant;
  QVERIFY(QDir::setCurrent(tmp.path()));
  QVERIFY(QDir().mkpath("C:/KORVEX"));
  if (present) Creer_Fichier("C:/KORVEX/PAIES.DTA");
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  QCOMPARE(f.LabelFichierTrouve->text(), etiquette);
  QCOMPARE(f.LabelFichierTrouve->size(), f.LabelFichierTrouve->sizeHint());
}

// Loading the default text is no change: only FormCreate checks, once; then once per key.
void TestsDossier::un_seul_controle_a_la_creation() {
  std::vector<std::string> controles;
  plateforme::Installer_Injecteur_Pannes([&](plateforme::TOperationFichier op, const std::string& chemin) {
    if (op == plateforme::TOperationFichier::Existe) controles.push_back(chemin);
    return std::optional<std::string>();
  });
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  const std::vector<std::string> a_la_creation = controles;
  QTest::keyClick(f.EditChemin_Dossier, Qt::Key_End);
  QTest::keyClick(f.EditChemin_Dossier, Qt::Key_2);
  plateforme::Installer_Injecteur_Pannes({});
  // PAIES.DTA, then, not found, whether an interrupted calculation left PAIES.DBF.
  const std::vector<std::string> controle = {"C:\\KORVEX\\PAIES.DTA", "C:\\KORVEX\\PAIES.DTA", "C:\\KORVEX\\PAIES.DBF"};
  QCOMPARE(a_la_creation, controle);
  QCOMPARE(controles.size(), 2 * controle.size());
  QCOMPARE(controles[controle.size()], std::string("C:\\KORVEX2\\PAIES.DTA"));
}

void TestsDossier::chaque_frappe_met_l_etiquette_a_jour() {
  QTemporaryDir tmp;
  Preparer(tmp.path(), TContenu::Fichier);
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  QLineEdit* champ = f.EditChemin_Dossier;
  Taper(champ, tmp.path());
  QCOMPARE(f.LabelFichierTrouve->text(), KO);
  const QString suite = QStringLiteral("\\KORVEX");
  for (int i = 0; i < suite.size(); ++i) {
    QTest::keyClick(champ, suite[i].toLatin1());
    QCOMPARE(f.LabelFichierTrouve->text(), i + 1 == suite.size() ? OK : KO);
    QCOMPARE(f.LabelFichierTrouve->size(), f.LabelFichierTrouve->sizeHint());
  }
  QTest::keyClick(champ, 'X');
  QCOMPARE(f.LabelFichierTrouve->text(), KO);
  QTest::keyClick(champ, Qt::Key_Backspace);
  QCOMPARE(f.LabelFichierTrouve->text(), OK);
  QVERIFY(boites.Messages.empty() && boites.Erreurs.empty());
}

void TestsDossier::cas_de_dossier_data() {
  QTest::addColumn<TContenu>("contenu");
  QTest::addColumn<QString>("suite");  // typed after the temporary folder's path
  QTest::addColumn<QString>("etiquette");
  QTest::newRow("PAIES.DTA présent") << TContenu::Fichier << "\\KORVEX" << OK;
  QTest::newRow("PAIES.DTA absent") << TContenu::Rien << "\\KORVEX" << KO;
  QTest::newRow("un dossier nommé PAIES.DTA") << TContenu::Dossier << "\\KORVEX" << KO;
  QTest::newRow("PAIES.DTA écrit en 1979") << TContenu::Fichier_1979 << "\\KORVEX" << OK;
  QTest::newRow("barre oblique inverse finale") << TContenu::Fichier << "\\KORVEX\\" << OK;
  QTest::newRow("paies.dta en minuscules") << TContenu::Fichier_Minuscules << "\\KORVEX" << OK;
  QTest::newRow("champ vide") << TContenu::Fichier << QString() << KO;
}

void TestsDossier::cas_de_dossier() {
  QFETCH(TContenu, contenu);
  QFETCH(QString, suite);
  QFETCH(QString, etiquette);
  QTemporaryDir tmp, bon;
  Preparer(tmp.path(), contenu);
  Preparer(bon.path(), TContenu::Fichier);
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  // Start from the other answer, so that the label must change.
  f.EditChemin_Dossier->setText(etiquette == OK ? QString() : bon.path() + "\\KORVEX");
  QVERIFY(f.LabelFichierTrouve->text() != etiquette);
  Taper(f.EditChemin_Dossier, suite.isEmpty() ? QString() : tmp.path() + suite);
  QCOMPARE(f.LabelFichierTrouve->text(), etiquette);
  QVERIFY(boites.Erreurs.empty());
}

void TestsDossier::un_changement_par_programme_est_controle() {
  QTemporaryDir tmp;
  Preparer(tmp.path(), TContenu::Fichier);
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  f.EditChemin_Dossier->setText(tmp.path() + "\\KORVEX");
  QCOMPARE(f.LabelFichierTrouve->text(), OK);
  f.EditChemin_Dossier->setText(tmp.path());
  QCOMPARE(f.LabelFichierTrouve->text(), KO);
}

KORVEX_SUITE(TestsDossier);

#include "test_dossier.moc"
