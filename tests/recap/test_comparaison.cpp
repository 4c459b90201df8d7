// A month against a reference month: the rows and their checks, both months' totals as their
// own recaps give them, and the table a window shows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "platform/Separateurs.h"
#include "platform/Textes.h"
#include "recap/Comparaison.h"
#include "support/Dossier_Temporaire.h"
#include "support/Ecrivain_Dbase.h"

namespace {

namespace fs = std::filesystem;
using recap::TVerification;

struct ComparaisonTest : ::testing::Test {
  test::TDossierTemporaire dossier;
  std::vector<std::string> messages;

  void SetUp() override { plateforme::Fixer_Separateurs(U'.', U' '); }
  void TearDown() override { plateforme::Fixer_Separateurs(U'.', U' '); }
  std::optional<recap::TComparaison> Comparer(const std::string& mois, const std::string& reference,
                                               const char* seuil = "10",
                                               std::optional<recap::TPeriode> periode = std::nullopt) {
    return recap::Comparer({dossier.Texte(), mois, reference, periode, *recap::Lire_Seuil(seuil)},
                           [this](const std::string& m) { messages.push_back(m); });
  }
  // The rubric lines of one side as its recap alone gives them.
  std::vector<recap::TLigne_Recap> Recap_Seule(const std::string& mois) {
    TTAB_VALEURS TOT_RUB;
    recap::TGrille grille;
    recap::Calculer_Recap(dossier.Texte(), mois, TOT_RUB, grille, [](const std::string&) {});
    return recap::Lignes_Recap(grille, TOT_RUB);
  }
};

// The rows one side of the comparison has, as recap lines.
std::vector<recap::TLigne_Recap> Cote(const recap::TComparaison& c, bool reference) {
  std::vector<recap::TLigne_Recap> lignes;
  for (const auto& l : c.Lignes) {
    if (l.Verification != (reference ? TVerification::Nouvelle : TVerification::Disparue))
      lignes.push_back({l.Rubrique, l.Libelle, l.Colonne, reference ? l.Total_Reference : l.Total});
  }
  return lignes;
}

// Bit for bit: == on the extended totals and the summaries, field by field on the rest.
void Attendre_Recap(const std::vector<recap::TLigne_Recap>& cote, const std::vector<recap::TLigne_Recap>& recap_seule,
                    const recap::TResume& resume, const std::string& mois) {
  const auto cle = [](const recap::TLigne_Recap& l) { return std::tie(l.Rubrique, l.Libelle, l.Colonne, l.Total); };
  ASSERT_EQ(cote.size(), recap_seule.size()) << mois;
  for (size_t i = 0; i < cote.size(); ++i) EXPECT_TRUE(cle(cote[i]) == cle(recap_seule[i])) << mois << " " << cote[i].Rubrique;
  const recap::TResume attendu = recap::Resumer(resume.Bulletins, recap_seule);
  EXPECT_TRUE(resume.Gains == attendu.Gains && resume.Retenues == attendu.Retenues) << mois;
}

std::string Memo(const std::vector<std::string>& lignes) { return test::Memo_Montants(lignes); }

// Rubric 1 +10 % exactly, 2 +9.9 %, 3 a negative total +10 % of its magnitude, 4 new, 5 gone (to a
// negligible total),
// 6 cancelled out in both, 7 negligible then counted, 8 still, 9 beyond RUBRIQUE.DTA.
void Ecrire_Deux_Mois(const fs::path& d) {
  test::Ecrire_Rubriques(d, {{"Salaire", "1"}, {"Prime", "1"}, {"Régul", "2"}, {"Nouvelle", "1"},
                             {"Ancienne", "2"}, {"Arrondi", "0"}, {"Tardive", "0"}, {"Fixe", "2"}});
  const std::string ref = "01-2024", mois = "02-2024";
  test::Ecrire_Paies(d, {{ref, Memo({"001600", "002500", "003-200", "00570", "0060.01", "0070.014", "008500"})},
                         {mois, Memo({"0011100", "0021099", "003-180", "00450", "0050.014", "0060.01", "00730", "008500"})},
                         {ref, Memo({"001400", "002500", "006-0.01", "007-0.01"})},
                         {"03-2024", Memo({"0019999"})},
                         {mois, Memo({"00942", "005-0.01", "006-0.01"})}});
}

TEST_F(ComparaisonTest, RowsTheirDifferencesAndChecks) {
  Ecrire_Deux_Mois(dossier.Chemin());
  struct Attendu {
    int rubrique;
    const char* libelle;
    int colonne;
    long double total, reference;
    std::optional<double> pourcent;  // as shown
    TVerification a_10, a_0, a_12_5;  // the check at thresholds 10 %, 0 and 12.5 %
  };
  using enum TVerification;
  const Attendu attendus[] = {
      {1, "Salaire", 3, 1100, 1000, 10.0, Ecart, Ecart, Aucune},
      {2, "Prime", 3, 1099, 1000, 9.9, Aucune, Ecart, Aucune},
      {3, "Régul", 4, -180, -200, 10.0, Ecart, Ecart, Aucune},
      {4, "Nouvelle", 3, 50, 0, std::nullopt, Nouvelle, Nouvelle, Nouvelle},
      {5, "Ancienne", 4, 0, 70, -100.0, Disparue, Disparue, Disparue},
      {7, "Tardive", 2, 30, 0, std::nullopt, Nouvelle, Nouvelle, Nouvelle},
      {8, "Fixe", 4, 500, 500, 0.0, Aucune, Aucune, Aucune},
      {9, "", 2, 42, 0, std::nullopt, Nouvelle, Nouvelle, Nouvelle},
  };
  for (const std::string seuil : {"10", "0", "12,5"}) {
    const auto c = Comparer(" 02-2024\t", "01-2024 ", seuil.c_str());
    ASSERT_TRUE(c) << messages.front();
    ASSERT_EQ(c->Lignes.size(), std::size(attendus));
    for (size_t i = 0; i < std::size(attendus); ++i) {
      const auto& l = c->Lignes[i];
      const auto& a = attendus[i];
      SCOPED_TRACE(std::to_string(a.rubrique) + " au seuil " + seuil);
      EXPECT_EQ(std::tie(l.Rubrique, l.Libelle, l.Colonne), std::tie(a.rubrique, a.libelle, a.colonne));
      EXPECT_EQ(l.Total, a.total);
      EXPECT_EQ(l.Total_Reference, a.reference);
      EXPECT_EQ(l.Ecart, a.total - a.reference);
      std::optional<double> montre;
      if (const auto v = l.Variation(c->Seuil); !v.Vide()) montre = recap::Valeur_Affichee(v);
      EXPECT_EQ(montre, a.pourcent);
      EXPECT_EQ(l.Verification, seuil == "10" ? a.a_10 : seuil == "0" ? a.a_0 : a.a_12_5);
    }
    EXPECT_EQ(c->Resume.Bulletins, 2);
    EXPECT_EQ(c->Resume_Reference.Bulletins, 2);
    EXPECT_EQ(c->Resume.Gains, 1100 + 1099 + 50);
    EXPECT_EQ(c->Resume_Reference.Retenues, -200 + 70 + 500);
  }
  EXPECT_TRUE(messages.empty());
}

// Each month's totals and summary are its recap's, to the last bit, whichever month it is
// compared with: on the sample, then on a folder of random amounts.
TEST_F(ComparaisonTest, EachMonthIsItsOwnRecapBitForBit) {
  for (const char* nom : {"PAIES.DTA", "PAIES.DBT", "RUBRIQUE.DTA"})
    fs::copy_file(fs::path(KORVEX_EXEMPLES) / nom, dossier.Chemin() / nom);
  const std::pair<const char*, const char*> paires[] = {{"02-2024", "01-2024"}, {"03-2024", "02-2024"}, {"01-2024", "03-2024"}};
  for (const auto& [mois, reference] : paires) {
    const auto c = Comparer(mois, reference);
    ASSERT_TRUE(c);
    Attendre_Recap(Cote(*c, false), Recap_Seule(mois), c->Resume, mois);
    Attendre_Recap(Cote(*c, true), Recap_Seule(reference), c->Resume_Reference, reference);
  }

  std::mt19937 alea(20);
  std::vector<test::TPaie> paies;
  const char* mois_possibles[] = {"05-2023", "06-2023", "07-2023"};
  for (int p = 0; p < 300; ++p) {
    std::vector<std::string> lignes;
    for (int k = std::uniform_int_distribution(1, 25)(alea); k > 0; --k) {
      char ligne[32];
      std::snprintf(ligne, sizeof ligne, "%03d%.4f", std::uniform_int_distribution(1, 60)(alea),
                    std::uniform_real_distribution(-5000.0, 20000.0)(alea));
      lignes.push_back(ligne);
    }
    paies.push_back({mois_possibles[alea() % 3], Memo(lignes)});
  }
  test::Ecrire_Paies(dossier.Chemin(), paies);
  const auto c = Comparer("07-2023", "05-2023");
  ASSERT_TRUE(c);
  Attendre_Recap(Cote(*c, false), Recap_Seule("07-2023"), c->Resume, "07-2023");
  Attendre_Recap(Cote(*c, true), Recap_Seule("05-2023"), c->Resume_Reference, "05-2023");
}

// A period against a period of as many months; a month in both counts in both.
TEST_F(ComparaisonTest, PeriodAgainstPeriod) {
  test::Ecrire_Rubriques(dossier.Chemin(), {{"Salaire", "1"}});
  test::Ecrire_Paies(dossier.Chemin(), {{"11-2023", Memo({"0011"})}, {"12-2023", Memo({"0012"})},
                                        {"01-2024", Memo({"0014"})}, {"02-2024", Memo({"0018"})}});
  struct Cas {
    const char *debut, *fin, *reference;
    long double total, total_reference;
    std::string libelle, libelle_reference;
  };
  const Cas cas[] = {{"01-2024", "02-2024", "11-2023", 12, 3, "01-2024 à 02-2024", "11-2023 à 12-2023"},
                     {"12-2023", "01-2024", "11-2023", 6, 3, "12-2023 à 01-2024", "11-2023 à 12-2023"}};
  for (const Cas& k : cas) {
    const auto c = Comparer(k.debut, k.reference, "10", recap::Lire_Periode(k.debut, k.fin));
    ASSERT_TRUE(c);
    ASSERT_EQ(c->Lignes.size(), 1u);
    EXPECT_EQ(c->Lignes[0].Total, k.total);
    EXPECT_EQ(c->Lignes[0].Total_Reference, k.total_reference);
    EXPECT_EQ(c->Mois.Libelle(), k.libelle);
    EXPECT_EQ(c->Reference.Libelle(), k.libelle_reference);
  }
}

// The month fields are checked as the recap's; PAIES.DTA is looked for as it does.
TEST_F(ComparaisonTest, RefusedBeforeAnyScan) {
  const struct {
    const char *mois, *reference;
    std::optional<recap::TPeriode> periode;
    std::string message;
  } cas[] = {
      {"2-2024", "01-2024", {}, textes::Mois_Incorrect},
      {"02-2024", "01-20245", {}, textes::Mois_Reference_Incorrect},
      {"02-2024", "xx-2024", recap::TPeriode{1, 2}, textes::Mois_Reference_Incorrect},
      {"02-2024", "01-2024", {}, textes::Fichier_Non_Trouve(dossier.Texte() + "\\PAIES.DTA")},
  };
  for (const auto& k : cas) {
    messages.clear();
    EXPECT_FALSE(Comparer(k.mois, k.reference, "10", k.periode));
    EXPECT_EQ(messages, std::vector<std::string>{k.message}) << k.mois << " " << k.reference;
  }
}

// A payslip record the table cannot read is left out of both months, with the recap's warning.
TEST_F(ComparaisonTest, CarriesTheScansWarnings) {
  Ecrire_Deux_Mois(dossier.Chemin());
  {
    std::fstream f(dossier.Chemin() / "PAIES.DTA", std::ios::in | std::ios::out | std::ios::binary);
    unsigned char entete[12];
    f.read(reinterpret_cast<char*>(entete), sizeof entete);
    const int debut = entete[8] | entete[9] << 8, longueur = entete[10] | entete[11] << 8;
    f.seekp(debut + 2 * longueur);  // the third record: a payslip of the reference
    f.put('X');
  }
  const auto c = Comparer("02-2024", "01-2024");
  ASSERT_TRUE(c);
  EXPECT_EQ(c->Resume_Reference.Bulletins, 1);
  ASSERT_EQ(c->Avertissements.size(), 1u);
  EXPECT_EQ(c->Avertissements[0].rfind(textes::Attention, 0), 0u);
  EXPECT_EQ(recap::Tableau_Comparaison(*c).Avertissements, c->Avertissements);
}

TEST(Comparaison, PreviousMonthsAndThresholds) {
  const std::pair<const char*, std::optional<std::string>> mois[] = {
      {"01-2024", "12-2023"}, {"12-2023", "11-2023"}, {"10-0001", "09-0001"},
      {"01-0000", std::nullopt}, {"13-2024", std::nullopt}, {"1-2024", std::nullopt}, {" 01-2024", std::nullopt}};
  for (const auto& [m, precedent] : mois) EXPECT_EQ(recap::Mois_Precedent(m), precedent) << m;
  const auto trimestre = recap::Periode_Precedente(*recap::Lire_Periode("01-2024", "03-2024"));
  ASSERT_TRUE(trimestre);
  EXPECT_EQ(recap::Texte_Mois(trimestre->Debut) + " " + recap::Texte_Mois(trimestre->Fin), "10-2023 12-2023");
  EXPECT_FALSE(recap::Periode_Precedente({0, 1}));

  // As typed: its value in ten-thousandths of a percent, and its decimals, which the % shown keeps.
  using S = recap::TSeuil;
  const std::pair<const char*, std::optional<S>> seuils[] = {
      {"10", S{100000, 0}},    {"12,5", S{125000, 1}}, {"12.5", S{125000, 1}}, {" 7,25 % ", S{72500, 2}},
      {"0", S{0, 0}},          {"150", S{1500000, 0}}, {"10,0", S{100000, 1}}, {"0,00001", S{0, 4}},
      {"-1", std::nullopt},    {"", std::nullopt},     {",", std::nullopt},    {"dix", std::nullopt},
      {"1,2,3", std::nullopt}};
  for (const auto& [texte, seuil] : seuils) EXPECT_EQ(recap::Lire_Seuil(texte), seuil) << '"' << texte << '"';
  EXPECT_EQ(recap::Texte_Seuil(*recap::Lire_Seuil(" 7,25 % "), U','), "7,25");
  EXPECT_EQ(recap::Texte_Seuil(recap::Seuil_Defaut, U','), "10");
}

// The table a window shows: typed cells, the rows to check marked, both summaries under the title.
TEST_F(ComparaisonTest, TheComparisonAsATable) {
  Ecrire_Deux_Mois(dossier.Chemin());
  const auto c = Comparer("02-2024", "01-2024", "12,5");
  ASSERT_TRUE(c);
  plateforme::Fixer_Separateurs(U',', U' ');
  const recap::TTableau t = recap::Tableau_Comparaison(*c);
  EXPECT_EQ(t.Titre, "Comparaison — mois 02-2024 / 01-2024");
  EXPECT_EQ(t.Nom_Feuille, "Comparaison 02-2024");
  EXPECT_EQ(t.Nom_Fichier, "comparaison-KORVEX-02-2024-01-2024");
  std::vector<std::string> entetes;
  for (const auto& col : t.Colonnes) entetes.push_back(col.Entete);
  EXPECT_EQ(entetes, (std::vector<std::string>{"N° RUB", "LIBELLES", "COLONNE", "TOTAL 01-2024", "TOTAL 02-2024",
                                                "ÉCART", "ÉCART %", "CONTRÔLE"}));
  const auto rangee = [&](int r) {
    std::vector<std::string> textes;
    for (int col = 0; col < t.Nombre_Colonnes(); ++col) textes.push_back(t.Texte(col, r));
    return textes;
  };
  using V = std::vector<std::string>;
  EXPECT_EQ(rangee(2), (V{"2", "Prime", "GAINS", "1000", "1099", "99", "9,9", ""}));
  EXPECT_EQ(rangee(4), (V{"4", "Nouvelle", "GAINS", "0", "50", "50", "", "À vérifier (nouvelle)"}));
  EXPECT_EQ(rangee(5), (V{"5", "Ancienne", "RETENUES", "70", "0", "-70", "-100,0", "À vérifier (disparue)"}));
  EXPECT_FALSE(t.Lignes[0].A_Signaler);  // +10 % under a threshold of 12,5 %
  EXPECT_TRUE(t.Lignes[3].A_Signaler);
  EXPECT_EQ(t.Cellule(6, 4)->Genre, recap::TGenre_Cellule::Pourcentage);
  EXPECT_EQ(t.Cellule(4, 1)->Valeur, 1100);
  EXPECT_EQ(t.Resume, (V{"Bulletins — 01-2024 : 2 ; 02-2024 : 2 ; écart : 0",
                         "Gains — 01-2024 : 2000 ; 02-2024 : 2249 ; écart : 249",
                         "Retenues — 01-2024 : 370 ; 02-2024 : 320 ; écart : -50",
                         "Net — 01-2024 : 1630 ; 02-2024 : 1929 ; écart : 299",
                         "À vérifier : les rubriques nouvelles, disparues, ou dont l'écart atteint 12,5 %"}));
}

}  // namespace
