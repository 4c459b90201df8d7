// Whole calculations driven as a user: type the folder and the month, click, read the grid.
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>

#include "Boites_Factices.h"
#include "support/Dossier_Temporaire.h"
#include "support/Ecrivain_Dbase.h"
#include "platform/Fichiers.h"
#include "KORVEX_Calcul_Recap.h"
#include "Suites.h"
#include "Utilisateur.h"
#include "qt/Edit_Etiquete.h"
#include "qt/Grille_Recap.h"

namespace {

std::string Memo(const std::vector<std::string>& lignes) {
  std::string texte = "EN-TETE\r\n";
  for (const auto& l : lignes) texte += l + "\r\n";
  return texte;
}

// Rubrics 1 to 12: 2 a gain, 5 and 12 deductions, the others bases without a label.
std::vector<test::TRubrique> Rubriques() {
  std::vector<test::TRubrique> r(12, {"", "0"});
  r[1] = {"SALAIRE DE BASE", "1"};
  r[4] = {"ACOMPTE", "2"};
  r[11] = {"COTISATION VIEILLESSE", "2"};
  return r;
}

void Ecrire_Paies_De_Mars(const std::filesystem::path& dossier) {
  test::Ecrire_Paies(dossier, {{"03-2011", Memo({"0021520.00", "012100.10"})},
                               {"03-2011", Memo({"012200.20", "005-87.25"})},
                               {"04-2011", Memo({"0029999.00"})}});
}

// A row of the grid as it shows: row 0 is the header row, corner included.
QStringList Rangee(TStringGridRecap& g, int row) {
  const QAbstractItemModel& m = *g.model();
  QStringList cellules;
  if (row == 0) {
    cellules << g.Texte_Coin();
    for (int c = 0; c < m.columnCount(); ++c) cellules << m.headerData(c, Qt::Horizontal).toString();
  } else {
    cellules << m.headerData(row - 1, Qt::Vertical).toString();
    for (int c = 0; c < m.columnCount(); ++c) cellules << m.data(m.index(row - 1, c)).toString();
  }
  return cellules;
}

int Lignes(TStringGridRecap& g) { return g.model()->rowCount() + 1; }

const QStringList Entetes = {"N° RUB", "LIBELLES", "BASES", "GAINS", "RETENUES"};

bool Paies_A_Sa_Place(const std::filesystem::path& dossier) {
  return std::filesystem::exists(dossier / "PAIES.DTA") && !std::filesystem::exists(dossier / "PAIES.DBF");
}

}  // namespace

class TestsCalcul : public QObject {
  Q_OBJECT

private slots:
  void un_mois_comme_un_utilisateur();
  void nouveau_separateur_sans_redemarrer();
  void une_erreur_laisse_les_lignes_ecrites_a_l_ecran();
  void messages_du_calcul_data();
  void messages_du_calcul();
  void curseur_occupe_pendant_le_calcul();
};

void TestsCalcul::un_mois_comme_un_utilisateur() {
  const TLocale locale("C");
  test::TDossierTemporaire dossier;
  Ecrire_Paies_De_Mars(dossier.Chemin());
  test::Ecrire_Rubriques(dossier.Chemin(), Rubriques());
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  f.show();
  Calculer(f, QString::fromStdString(dossier.Texte()), "03-2011");
  QVERIFY(boites.Messages.empty());
  QVERIFY(boites.Erreurs.empty());
  TStringGridRecap& g = *f.StringGridRecap;
  QCOMPARE(Lignes(g), 4);
  QCOMPARE(Rangee(g, 0), Entetes);
  QCOMPARE(Rangee(g, 1), (QStringList{"2", "SALAIRE DE BASE", "", "1520", ""}));
  QCOMPARE(Rangee(g, 2), (QStringList{"5", "ACOMPTE", "", "", "-87.25"}));
  QCOMPARE(Rangee(g, 3), (QStringList{"12", "COTISATION VIEILLESSE", "", "", "300.3"}));
  QVERIFY(Paies_A_Sa_Place(dossier.Chemin()));
  QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
  QCOMPARE(f.TOT_RUB[2], 1520.0L);  // the click totals into the window's own TOT_RUB

  // Another month in the same window: the rows of March are gone.
  Calculer(f, QString::fromStdString(dossier.Texte()), "04-2011");
  QCOMPARE(Lignes(g), 2);
  QCOMPARE(Rangee(g, 1), (QStringList{"2", "SALAIRE DE BASE", "", "9999", ""}));
}

void TestsCalcul::nouveau_separateur_sans_redemarrer() {
  const TLocale locale("C");
  test::TDossierTemporaire dossier;
  Ecrire_Paies_De_Mars(dossier.Chemin());
  test::Ecrire_Rubriques(dossier.Chemin(), Rubriques());
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  Calculer(f, QString::fromStdString(dossier.Texte()), "03-2011");
  QCOMPARE(Rangee(*f.StringGridRecap, 3).at(4), QStringLiteral("300.3"));
  TLocale::Changer("fr_FR.UTF-8");
  QTest::mouseClick(f.Button_Calc_Recap, Qt::LeftButton);
  QCOMPARE(Rangee(*f.StringGridRecap, 2).at(4), QStringLiteral("-87,25"));
  QCOMPARE(Rangee(*f.StringGridRecap, 3).at(4), QStringLiteral("300,3"));
  QVERIFY(boites.Erreurs.empty());
}

// CLASSE of rubric 12 does not read as an integer: row 1 is complete, row 2 holds its number
// and label, and the grid shows them when the error box comes up.
void TestsCalcul::une_erreur_laisse_les_lignes_ecrites_a_l_ecran() {
  const TLocale locale("C");
  test::TDossierTemporaire dossier;
  Ecrire_Paies_De_Mars(dossier.Chemin());
  std::vector<test::TEnregistrementEcrit> rubriques(12, {{"", "0"}});
  rubriques[1] = {{"SALAIRE DE BASE", "1"}};
  rubriques[11] = {{"COTISATION VIEILLESSE", "x"}};
  test::Ecrire_Table(dossier.Chemin() / "RUBRIQUE.DTA", {{"LIBELLE", 'C', 40}, {"CLASSE", 'C', 3}}, rubriques);
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  TStringGridRecap& g = *f.StringGridRecap;
  QList<QStringList> a_l_ecran;
  boites.Pendant_Erreur = [&](const std::string&) {
    for (int r = 0; r < Lignes(g); ++r) a_l_ecran << Rangee(g, r);
  };
  Calculer(f, QString::fromStdString(dossier.Texte()), "03-2011");
  QCOMPARE(boites.Erreurs, std::vector<std::string>{"'x' n'est pas une valeur entière correcte."});
  const QList<QStringList> attendu = {Entetes,
                                      {"2", "SALAIRE DE BASE", "", "1520", ""},
                                      {"5", "", "-87.25", "", ""},
                                      {"12", "COTISATION VIEILLESSE", "", "", ""}};
  QCOMPARE(a_l_ecran, attendu);
  QVERIFY(Paies_A_Sa_Place(dossier.Chemin()));
  QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

void TestsCalcul::messages_du_calcul_data() {
  QTest::addColumn<bool>("avec_paies");
  QTest::addColumn<QString>("mois");
  QTest::addColumn<QString>("message");  // %1: the folder as typed
  QTest::newRow("mois de six caractères") << true << "3-2011"
      << "Mois non précisé correctement. Il doit être sous la forme (mm-aaaa)";
  QTest::newRow("mois vide") << true << ""
      << "Mois non précisé correctement. Il doit être sous la forme (mm-aaaa)";
  QTest::newRow("PAIES.DTA absent") << false << "03-2011" << "Fichier %1\\PAIES.DTA Non trouvé";
}

void TestsCalcul::messages_du_calcul() {
  QFETCH(bool, avec_paies);
  QFETCH(QString, mois);
  QFETCH(QString, message);
  test::TDossierTemporaire dossier;
  if (avec_paies) Ecrire_Paies_De_Mars(dossier.Chemin());
  test::Ecrire_Rubriques(dossier.Chemin(), Rubriques());
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  const QString texte = QString::fromStdString(dossier.Texte());
  Calculer(f, texte, mois);
  QCOMPARE(boites.Messages, std::vector<std::string>{QString(message).replace("%1", texte).toStdString()});
  QCOMPARE(boites.Curseurs_Messages, std::vector<int>{Qt::ArrowCursor});
  QVERIFY(boites.Erreurs.empty());
  // The grid is left as it was: five empty rows.
  QCOMPARE(Lignes(*f.StringGridRecap), 5);
  QCOMPARE(Rangee(*f.StringGridRecap, 0), QStringList(5, QString()));
}

void TestsCalcul::curseur_occupe_pendant_le_calcul() {
  test::TDossierTemporaire dossier;
  Ecrire_Paies_De_Mars(dossier.Chemin());
  test::Ecrire_Rubriques(dossier.Chemin(), Rubriques());
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  Saisir(f.EditChemin_Dossier, QString::fromStdString(dossier.Texte()));
  Saisir(f.LabeledEdit_Mois, "03-2011");
  std::vector<int> curseurs;
  plateforme::Installer_Injecteur_Pannes([&](plateforme::TOperationFichier, const std::string&) {
    const QCursor* c = QGuiApplication::overrideCursor();
    curseurs.push_back(c ? int(c->shape()) : -1);
    return std::optional<std::string>();
  });
  QTest::mouseClick(f.Button_Calc_Recap, Qt::LeftButton);
  plateforme::Installer_Injecteur_Pannes({});
  QVERIFY(curseurs.size() >= 4);  // file test, renames, opens
  QCOMPARE(curseurs, std::vector<int>(curseurs.size(), Qt::WaitCursor));
  QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
  QCOMPARE(Lignes(*f.StringGridRecap), 4);
}

KORVEX_SUITE(TestsCalcul);

#include "test_calcul.moc"
