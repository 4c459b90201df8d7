// What a screen reader reads of the window, through Qt's accessibility interfaces.
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "Boites_Factices.h"
#include "KORVEX_Calcul_Recap.h"
#include "Suites.h"
#include "qt/Edit_Etiquete.h"
#include "qt/Grille_Recap.h"
#include "support/Dossier_Temporaire.h"
#include "support/Ecrivain_Dbase.h"
#include "support/Grilles.h"

namespace {

QString Nom(QObject* objet) {
  QAccessibleInterface* i = QAccessible::queryAccessibleInterface(objet);
  return i != nullptr ? i->text(QAccessible::Name) : QStringLiteral("<aucune interface>");
}

}  // namespace

class TestsAccessibilite : public QObject {
  Q_OBJECT

private slots:
  void chaque_controle_a_un_nom();
  void les_entetes_de_la_grille_nomment_colonnes_et_lignes();
  void le_controle_du_dossier_est_annonce();
};

void TestsAccessibilite::chaque_controle_a_un_nom() {
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  const struct {
    QObject* controle;
    QString nom;
  } cas[] = {
      {f.EditChemin_Dossier, QStringLiteral("Chemin du dossier KORVEX:")},
      {f.LabeledEdit_Mois, QStringLiteral("Mois mm-aaaa")},
      {f.Button_Calc_Recap, QStringLiteral("Calculer Récap")},
      {f.StringGridRecap, QStringLiteral("Récap du mois")},
      {f.LabelFichierTrouve, f.LabelFichierTrouve->text()},
  };
  for (const auto& c : cas) QCOMPARE(Nom(c.controle), c.nom);
  QVERIFY(!f.LabelFichierTrouve->text().isEmpty());
  // The fields keep their texts as values: the name is the caption, not what is typed.
  QAccessibleInterface* dossier = QAccessible::queryAccessibleInterface(f.EditChemin_Dossier);
  QCOMPARE(dossier->text(QAccessible::Value), QStringLiteral("C:\\KORVEX"));
}

namespace {

// Qt makes a header cell for its caller and keeps no hold of it: registered, it can be deleted.
class TEnteteRendu {
public:
  explicit TEnteteRendu(QAccessibleInterface* entete) : id_(QAccessible::registerAccessibleInterface(entete)) {}
  ~TEnteteRendu() { QAccessible::deleteAccessibleInterface(id_); }
  TEnteteRendu(const TEnteteRendu&) = delete;
  TEnteteRendu& operator=(const TEnteteRendu&) = delete;

private:
  QAccessible::Id id_;
};

}  // namespace

void TestsAccessibilite::les_entetes_de_la_grille_nomment_colonnes_et_lignes() {
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  f.StringGridRecap->Afficher(test::Tableau_Grille({{"N° RUB", "LIBELLES", "BASES", "GAINS", "RETENUES"},
                                                    {"1", "Salaire de base", "", "1520"},
                                                    {"25", "", "", "", "350"}}));

  QAccessibleTableInterface* table =
      QAccessible::queryAccessibleInterface(f.StringGridRecap)->tableInterface();
  QVERIFY(table != nullptr);
  QCOMPARE(table->rowCount(), 2);
  QCOMPARE(table->columnCount(), 4);
  // Each cell says its column and its rubric, then its text; the fixed column's cells, the row
  // headers, are named the same way, "N° RUB" first.
  const struct {
    int ligne, colonne;
    QString nom, colonne_nom, ligne_nom;
  } cellules[] = {
      {0, 0, "LIBELLES, rubrique 1 : Salaire de base", "LIBELLES", "N° RUB, rubrique Salaire de base : 1"},
      {0, 2, "GAINS, rubrique 1 Salaire de base : 1520", "GAINS", "N° RUB, rubrique Salaire de base : 1"},
      {1, 3, "RETENUES, rubrique 25 : 350", "RETENUES", "N° RUB : 25"},
      {1, 1, "BASES, rubrique 25 : vide", "BASES", "N° RUB : 25"},
  };
  for (const auto& c : cellules) {
    QAccessibleInterface* cellule = table->cellAt(c.ligne, c.colonne);
    QVERIFY(cellule != nullptr);
    QCOMPARE(cellule->text(QAccessible::Name), c.nom);
    QAccessibleTableCellInterface* position = cellule->tableCellInterface();
    const auto colonne = position->columnHeaderCells();
    const auto ligne = position->rowHeaderCells();
    QCOMPARE(colonne.size(), 1);
    QCOMPARE(ligne.size(), 1);
    const TEnteteRendu colonne_entete(colonne[0]), ligne_entete(ligne[0]);
    QCOMPARE(colonne[0]->text(QAccessible::Name), c.colonne_nom);
    QCOMPARE(ligne[0]->text(QAccessible::Name), c.ligne_nom);
  }
}

// Typing a folder changes the check label: its name follows, and it is an alert that screen
// readers read out unasked. The change events themselves need a live accessibility bridge, which
// the offscreen platform lacks: tests/fenetre/accessibilite_atspi.py checks them on the AT-SPI bus.
void TestsAccessibilite::le_controle_du_dossier_est_annonce() {
  const test::TDossierTemporaire dossier;
  test::Ecrire_Paies(dossier.Chemin(), {});
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  QAccessibleInterface* etiquette = QAccessible::queryAccessibleInterface(f.LabelFichierTrouve);
  QCOMPARE(etiquette->role(), QAccessible::AlertMessage);
  QCOMPARE(etiquette->text(QAccessible::Description), QStringLiteral("Résultat du contrôle du dossier KORVEX"));
  QCOMPARE(etiquette->text(QAccessible::Name), QStringLiteral("Ce n'est pas un dossier KORVEX"));
  f.EditChemin_Dossier->setText(QString::fromStdString(dossier.Chemin().string()));
  QCOMPARE(etiquette->text(QAccessible::Name), QStringLiteral("Dossier KORVEX OK"));
}

KORVEX_SUITE(TestsAccessibilite);

#include "test_accessibilite.moc"
