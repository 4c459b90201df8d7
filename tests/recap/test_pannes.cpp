// Every file operation of a calculation fails in turn, through the file layer's seam: the user
// gets a French message naming the file, PAIES.DTA is back under its own name (or the message
// says where it is), no data file changes, and the grid and TOT_RUB hold what they should.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/Dossier_Temporaire.h"
#include "support/Ecrivain_Dbase.h"
#include "platform/Erreurs.h"
#include "support/Message_Erreur.h"
#include "platform/Fichiers.h"
#include "recap/Recap.h"
#include "platform/Separateurs.h"

namespace {

namespace fs = std::filesystem;
using plateforme::TOperationFichier;

const char* const Raison = "erreur d'entrée-sortie";

// Each memo is longer than the table layer's 64 KB window, so that every memo takes reads of its own.
std::string Memo(const std::vector<std::string>& lignes) {
  std::string texte = "EN-TETE " + std::string(70000, '-') + "\r\n";
  for (const auto& l : lignes) texte += l + "\r\n";
  return texte;
}

const std::vector<std::vector<std::string>> Paies_Du_Mois = {
    {"0011520.00", "002-35.50"}, {"001100.10", "0033.00"}, {"0040.50", "00512.25", "3007.00"}};

struct TOperation {
  TOperationFichier op;
  std::string chemin;
};

std::string Nom(TOperationFichier op) {
  switch (op) {
    case TOperationFichier::Existe: return "Existe";
    case TOperationFichier::Renommer: return "Renommer";
    case TOperationFichier::Ouvrir: return "Ouvrir";
    case TOperationFichier::Lire: return "Lire";
    case TOperationFichier::Sans_Renommage_Atomique: return "Sans_Renommage_Atomique";
    case TOperationFichier::Sans_Lien: return "Sans_Lien";
  }
  return "?";
}

struct PannesTest : ::testing::Test {
  test::TDossierTemporaire dossier;
  std::string dta, dbf, dbt, rubriques;
  std::map<fs::path, std::string> originaux;  // every data file, byte for byte

  void SetUp() override {
    plateforme::Fixer_Separateurs(U',', U' ');
    std::vector<test::TPaie> paies;
    for (const auto& lignes : Paies_Du_Mois) paies.push_back({"03-2011", Memo(lignes)});
    paies.insert(paies.begin() + 1, test::TPaie{"04-2011", Memo({"0019999.00"})});
    paies.push_back({"03-2011", Memo({"0018888.00"}), true});
    test::Ecrire_Paies(dossier.Chemin(), paies);
    // Rubric 300 lies beyond the first 64 KB of the rubric table: the grid fill needs a read of its own.
    std::vector<test::TEnregistrementEcrit> r = {{{"Salaire", "1"}}, {{"Cotisation", "2"}}, {{"Base", "0"}},
                                                 {{"Prime", "1"}}, {{"Retenue", "2"}}};
    for (int i = 6; i <= 400; ++i) r.push_back({{"Rubrique " + std::to_string(i), std::to_string(i % 3)}});
    test::Ecrire_Table(dossier.Chemin() / "RUBRIQUE.DTA", {{"LIBELLE", 'C', 250}, {"CLASSE", 'N', 1}}, r);
    for (const auto& f : fs::directory_iterator(dossier.Chemin()))
      originaux[f.path()] = test::Contenu(f.path());
    ASSERT_EQ(originaux.size(), 3u);  // PAIES.DTA, PAIES.DBT, RUBRIQUE.DTA
    const std::string c = dossier.Texte();
    dta = c + "\\PAIES.DTA";
    dbf = c + "\\PAIES.DBF";
    dbt = c + "\\PAIES.DBT";
    rubriques = c + "\\RUBRIQUE.DTA";
  }
  void TearDown() override { plateforme::Installer_Injecteur_Pannes({}); }

  // One calculation; operation number panne (counting from 0) fails, none when it is -1.
  struct TCalcul {
    std::vector<TOperation> operations;
    std::vector<std::string> messages;
    std::string erreur;
    TTAB_VALEURS TOT_RUB;
    recap::TGrille grille;
  };
  TCalcul Calculer(int panne) {
    TCalcul r;
    for (int i = 1; i <= 899; ++i) r.TOT_RUB[i] = -1.0L;  // to tell "untouched" from "cleared"
    r.grille.SetCells(1, 1, "ancien");
    r.grille.SetCells(3, 2, "ancien");
    plateforme::Installer_Injecteur_Pannes(
        [&r, panne](TOperationFichier op, const std::string& chemin) -> std::optional<std::string> {
          r.operations.push_back({op, chemin});
          if (static_cast<int>(r.operations.size()) - 1 == panne) return Raison;
          return std::nullopt;
        });
    r.erreur = test::Message_Erreur([&] {
      recap::Calculer_Recap(dossier.Texte(), "03-2011", r.TOT_RUB, r.grille,
                            [&r](const std::string& m) { r.messages.push_back(m); });
    });
    plateforme::Installer_Injecteur_Pannes({});
    return r;
  }

  // PAIES.DTA under its own name and every data file as it was.
  void Verifier_Donnees_Intactes() const {
    EXPECT_FALSE(fs::exists(dossier.Chemin() / "PAIES.DBF"));
    for (const auto& [fichier, octets] : originaux)
      EXPECT_EQ(test::Contenu(fichier), octets) << fichier << " a changé";
  }
};

bool Intacte(const recap::TGrille& g) {
  return g.RowCount() == 5 && g.Cells(1, 1) == "ancien" && g.Cells(3, 2) == "ancien" && g.Cells(0, 0).empty();
}

bool Egales(const TTAB_VALEURS& a, const TTAB_VALEURS& b) {
  for (int i = 1; i <= 899; ++i)
    if (a[i] != b[i]) return false;
  return true;
}

// The totals after the first n payslips of the month.
TTAB_VALEURS Totaux_Partiels(size_t n) {
  TTAB_VALEURS t, valeurs;
  TDecodage decodage(&valeurs);
  for (size_t k = 0; k < n; ++k) {
    Memo_Montants_Decoder(Memo(Paies_Du_Mois[k]), decodage);
    for (int i = 1; i <= 899; ++i) t[i] += valeurs[i];
  }
  return t;
}

TEST_F(PannesTest, EveryFileOperationOfACalculationFailsInTurn) {
  const TCalcul reference = Calculer(-1);
  ASSERT_EQ(reference.erreur, "");
  ASSERT_EQ(reference.grille.RowCount(), 7);
  ASSERT_EQ(reference.grille.Cells(3, 1), "1620,1");
  ASSERT_EQ(reference.grille.Cells(4, 5), "12,25");
  ASSERT_EQ(reference.grille.Cells(1, 6), "Rubrique 300");
  Verifier_Donnees_Intactes();

  // The calculation must reach every kind of operation the issue names, each memo read included.
  std::map<std::pair<int, std::string>, int> compte;
  for (const auto& o : reference.operations) ++compte[{static_cast<int>(o.op), o.chemin}];
  EXPECT_EQ((compte[{static_cast<int>(TOperationFichier::Existe), dta}]), 1);  // looked for once
  EXPECT_EQ((compte[{static_cast<int>(TOperationFichier::Renommer), dta}]), 1);
  EXPECT_EQ((compte[{static_cast<int>(TOperationFichier::Renommer), dbf}]), 1);
  for (const auto& f : {dbf, dbt, rubriques}) {
    EXPECT_EQ((compte[{static_cast<int>(TOperationFichier::Ouvrir), f}]), 1) << f;
    EXPECT_GE((compte[{static_cast<int>(TOperationFichier::Lire), f}]), 1) << f;
  }
  // The memo header, then at least one read for each memo of the month.
  EXPECT_GE((compte[{static_cast<int>(TOperationFichier::Lire), dbt}]), 1 + 3);
  std::vector<bool> interrompus_apres(Paies_Du_Mois.size(), false);  // payslips added before a memo fault
  int lignes_avant_panne = 0;  // rows the grid fill had written when a rubric read failed

  std::vector<TTAB_VALEURS> partiels;
  for (size_t n = 0; n <= Paies_Du_Mois.size(); ++n) partiels.push_back(Totaux_Partiels(n));
  ASSERT_TRUE(Egales(partiels.back(), reference.TOT_RUB));

  for (size_t k = 0; k < reference.operations.size(); ++k) {
    const TOperation panne = reference.operations[k];
    SCOPED_TRACE("panne n° " + std::to_string(k) + " : " + Nom(panne.op) + " " + panne.chemin);
    const TCalcul r = Calculer(static_cast<int>(k));
    ASSERT_GT(r.operations.size(), k);
    ASSERT_EQ(r.operations[k].op, panne.op);  // the same road up to the fault
    ASSERT_EQ(r.operations[k].chemin, panne.chemin);
    EXPECT_EQ(plateforme::DecimalSeparator(), U',');

    if (panne.op == TOperationFichier::Sans_Renommage_Atomique || panne.op == TOperationFichier::Sans_Lien ||
        (panne.op == TOperationFichier::Existe && panne.chemin == dbf)) {
      // A file system without the no-replace rename takes another road to the same result.
      // A failed test can only say "absent": the rename, which never replaces, still guards.
      EXPECT_EQ(r.erreur, "");
      EXPECT_TRUE(r.messages.empty());
      EXPECT_TRUE(Egales(r.TOT_RUB, reference.TOT_RUB));
      for (int ligne = 0; ligne < 7; ++ligne)
        for (int c = 0; c < recap::TGrille::ColCount; ++c)
          EXPECT_EQ(r.grille.Cells(c, ligne), reference.grille.Cells(c, ligne));
    } else if (panne.op == TOperationFichier::Existe) {
      EXPECT_EQ(r.messages, std::vector<std::string>{"Fichier " + dta + " Non trouvé"});
      EXPECT_EQ(r.erreur, "");
      EXPECT_EQ(r.TOT_RUB[1], -1.0L);
      EXPECT_TRUE(Intacte(r.grille));
    } else if (panne.op == TOperationFichier::Renommer && panne.chemin == dta) {
      EXPECT_EQ(r.erreur, "Impossible de renommer " + dta + " en " + dbf + " : " + Raison);
      EXPECT_EQ(r.TOT_RUB[1], -1.0L);
      EXPECT_TRUE(Intacte(r.grille));
    } else if (panne.op == TOperationFichier::Renommer) {
      // The way back: the message says where the file is, and the file is there, unchanged.
      EXPECT_EQ(r.erreur, "Impossible de renommer " + dbf + " en " + dta + " : " + Raison);
      EXPECT_TRUE(Egales(r.TOT_RUB, reference.TOT_RUB));
      EXPECT_TRUE(Intacte(r.grille));
      EXPECT_FALSE(fs::exists(dossier.Chemin() / "PAIES.DTA"));
      EXPECT_EQ(test::Contenu(dossier.Chemin() / "PAIES.DBF"), originaux[dossier.Chemin() / "PAIES.DTA"]);
      // The next calculation names the interrupted one and leaves the file where it is.
      const TCalcul suivant = Calculer(-1);
      EXPECT_EQ(suivant.messages, std::vector<std::string>{
                                      "Le fichier " + dta + " est absent mais " + dbf +
                                      " existe : un calcul a sans doute été interrompu. Renommez "
                                      "PAIES.DBF en PAIES.DTA avant de relancer le calcul."});
      EXPECT_TRUE(fs::exists(dossier.Chemin() / "PAIES.DBF"));
      fs::rename(dossier.Chemin() / "PAIES.DBF", dossier.Chemin() / "PAIES.DTA");
    } else {
      // Opening or reading a table or the memo file: the file and the reason come first; the
      // table layer may add where it was reading. The payslips are named PAIES.DTA, the name
      // they have again when the user reads the message.
      const std::string fichier = panne.chemin == dbf ? dta : panne.chemin;
      const std::string attendu = panne.op == TOperationFichier::Ouvrir
                                      ? "Impossible d'ouvrir le fichier " + fichier + " : " + Raison
                                      : "Erreur de lecture du fichier " + fichier + " : " + Raison;
      EXPECT_EQ(r.erreur.substr(0, attendu.size()), attendu) << r.erreur;
      if (panne.chemin == rubriques) {
        EXPECT_TRUE(Egales(r.TOT_RUB, reference.TOT_RUB));
        // Either the fill had not begun, or the rows written before the fault stay as they were
        // meant to be and the row being written holds at most its number and label.
        if (!Intacte(r.grille)) {
          const int derniere = r.grille.RowCount() - 1;
          for (int ligne = 0; ligne < derniere; ++ligne)
            for (int c = 0; c < recap::TGrille::ColCount; ++c)
              EXPECT_EQ(r.grille.Cells(c, ligne), reference.grille.Cells(c, ligne));
          // The row being written holds nothing yet, or its number first.
          const bool commencee = !r.grille.Cells(0, derniere).empty();
          if (commencee) {
            EXPECT_EQ(r.grille.Cells(0, derniere), reference.grille.Cells(0, derniere));
          }
          for (int c = 1; c < recap::TGrille::ColCount; ++c) {
            const std::string& cellule = r.grille.Cells(c, derniere);
            EXPECT_TRUE(cellule.empty() || (commencee && cellule == reference.grille.Cells(c, derniere))) << cellule;
          }
          lignes_avant_panne = std::max(lignes_avant_panne, derniere - (commencee ? 0 : 1));
        }
      } else {
        size_t ajoutes = partiels.size();
        for (size_t n = 0; n < partiels.size(); ++n)
          if (Egales(r.TOT_RUB, partiels[n])) ajoutes = n;
        EXPECT_LT(ajoutes, partiels.size()) << "TOT_RUB n'est pas le total des premières paies";
        if (panne.chemin == dbt && ajoutes < interrompus_apres.size()) interrompus_apres[ajoutes] = true;
        EXPECT_TRUE(Intacte(r.grille));
      }
    }
    Verifier_Donnees_Intactes();
  }
  // A memo fault stopped the scan before each payslip of the month, and a rubric fault stopped
  // the grid fill with rows already written.
  EXPECT_EQ(interrompus_apres, std::vector<bool>(Paies_Du_Mois.size(), true));
  EXPECT_GE(lignes_avant_panne, 1);
}

// A failing existence test on PAIES.DBF while a stale one is really there: the rename refuses
// to replace it, and nothing is read.
TEST_F(PannesTest, AStalePaiesDbfHiddenFromTheExistenceTestIsStillNeverReplaced) {
  fs::copy_file(dossier.Chemin() / "PAIES.DTA", dossier.Chemin() / "PAIES.DBF");
  TTAB_VALEURS TOT_RUB;
  TOT_RUB[1] = 5.0L;
  recap::TGrille grille;
  std::vector<std::string> messages;
  plateforme::Installer_Injecteur_Pannes(
      [this](TOperationFichier op, const std::string& chemin) -> std::optional<std::string> {
        if (op == TOperationFichier::Existe && chemin == dbf) return Raison;
        return std::nullopt;
      });
  EXPECT_EQ(test::Message_Erreur([&] {
              recap::Calculer_Recap(dossier.Texte(), "03-2011", TOT_RUB, grille,
                                    [&](const std::string& m) { messages.push_back(m); });
            }),
            "Impossible de renommer " + dta + " en " + dbf + " : le fichier existe déjà");
  EXPECT_EQ(TOT_RUB[1], 5.0L);
  EXPECT_EQ(test::Contenu(dossier.Chemin() / "PAIES.DBF"), originaux[dossier.Chemin() / "PAIES.DTA"]);
  fs::remove(dossier.Chemin() / "PAIES.DBF");
  Verifier_Donnees_Intactes();
}

}  // namespace
