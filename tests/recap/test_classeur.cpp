// A table as an Excel workbook, read back by an independent reader (openpyxl), whatever the C
// library's locale: the cumuls' totals as formulas and their chart; and the save road of
// "Exporter en Excel…".
#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "cli/Lanceur.h"
#include "platform/Fichiers.h"
#include "recap/Classeur.h"
#include "recap/Cumuls.h"
#include "recap/Impression.h"
#include "support/Dossier_Temporaire.h"
#include "support/Ecrivain_Dbase.h"

namespace {

using recap::TCellule;
using recap::TGenre_Cellule;

TEST(Classeur, SheetNamesFollowExcelsRules) {
  std::string accents, accents31;
  for (int i = 0; i < 40; ++i) accents += "é";
  for (int i = 0; i < 31; ++i) accents31 += "é";
  const struct {
    std::string nom, attendu;
  } cas[] = {
      {"Détail 1 02-2024", "Détail 1 02-2024"},
      {"a[b]c:d*e?f/g\\h", "a_b_c_d_e_f_g_h"},
      {"mois\t02", "mois_02"},
      {"'Récap'", "_Récap_"},
      {accents, accents31},                                 // 31 characters, not 31 bytes
      {std::string(30, 'x') + "\xF0\x9F\x98\x80", std::string(30, 'x')},  // two UTF-16 units: over
      {"R\xE9" "cap", "Récap"},                            // a stray Latin-1 byte
      {"", "Feuil1"},
  };
  for (const auto& c : cas) EXPECT_EQ(recap::Nom_Feuille_Excel(c.nom), c.attendu) << c.nom;
}

// A spreadsheet adds left to right (Excel) or compensated (LibreOffice) and shows 15 digits: the
// formula's figure must be what both show.
TEST(Classeur, ASumShowsTheFigureOnlyWhenEveryWayOfAddingShowsIt) {
  const struct {
    std::vector<double> termes;
    double figure;
    bool montre;
  } cas[] = {
      {{33149.34, 33149.34, 33149.34}, 99448.02, true},  // 99448.01999999999 in binary
      {{0.1, 0.2}, 0.3, true},                           // 0.30000000000000004
      {{0.1, 0.2, 0.3}, 0.6, true},
      {std::vector<double>(36, 9999999.99), 359999999.64, true},
      {{12, 12, 12}, 36, true},
      {{0, 0}, 0.016, false},                          // each month negligible, so blank
      {{3500.1, 3500.21}, 7000.326, false},            // the period's gains count what no month shows
      {{1e15, 0.3, -1e15}, 0.3, false},                // left to right: 0.25
      {{0.1, 1e15, -1e15}, 0.125, false},              // left to right 0.125, compensated 0.1
      {{1, 5e-15}, 1, false},                          // the exact sum between two 15-digit figures
      {{1, 5e-15}, 1.00000000000001, false},
      {{0.1, 0.2, -0.3}, 0, false},                    // 5.55E-17, not 0
      {{1}, std::numeric_limits<double>::infinity(), false},
  };
  for (const auto& c : cas)
    EXPECT_EQ(recap::Somme_Tableur_Montre(c.termes, c.figure), c.montre) << testing::PrintToString(c.termes) << " " << c.figure;
  EXPECT_EQ(recap::Quinze_Chiffres(0.30000000000000004), 0.3);
  EXPECT_EQ(recap::Quinze_Chiffres(1.0000000000000051), 1.00000000000001);
}

recap::TTableau Exemple() {
  recap::TTableau t;
  t.Titre = "Récap KORVEX — mois 02-2024";
  t.Nom_Feuille = "Récap 02-2024";
  t.Nom_Fichier = "recap-KORVEX-02-2024";
  t.Dossier = "C:\\KORVEX";
  t.Date_Heure = 1709215500;
  t.Colonnes = {{"N° RUB"}, {"LIBELLES"}, {"GAINS"}, {"TAUX"}};
  const TCellule vide{TGenre_Cellule::Montant, "", 0};
  t.Lignes = {
      {{recap::Cellule_Entier(1), recap::Cellule_Texte("Salaire de base"), recap::Cellule_Montant(33149.34L),
        recap::Cellule_Pourcentage(12.46L)}},
      {{recap::Cellule_Entier(2), recap::Cellule_Texte("=SOMME(A1:A9)"), recap::Cellule_Montant(1234567.8912345678L),
        recap::Cellule_Pourcentage(-3)}},
      {{recap::Cellule_Entier(3), recap::Cellule_Texte("Prime"), vide, recap::Cellule_Pourcentage(0)}, true},
  };
  t.Resume = {"2 bulletins", "Gains : 1267717,23 — Retenues : 0", "Net : 1267717,23"};
  t.Avertissements = {"Attention : la table PAIES.DTA est endommagée."};
  return t;
}

#ifndef _WIN32
// The workbook as the reader sees it: its sheets, frozen cell, widths and written cells.
nlohmann::json Relu(const std::string& octets) {
  const test::TDossierTemporaire dossier;
  const auto fichier = dossier.Chemin() / "classeur.xlsx";
  plateforme::Enregistrer_Fichier(fichier.string(), octets);
  const auto r = test::Lancer({"/usr/bin/python3", {KORVEX_LECTEUR_CLASSEUR, "decrire", fichier.string()}, {}, ""});
  if (r.code != 0) ADD_FAILURE() << r.erreur;
  return r.code == 0 ? nlohmann::json::parse(r.sortie) : nlohmann::json::object();
}

// The window sets the user's locale: a French one must not change a figure of the file.
TEST(Classeur, ReadBackUnderTheCAndFrenchLocales) {
  const std::string avant = std::setlocale(LC_ALL, nullptr);
  for (const char* locale : {"C", "fr_FR.UTF-8"}) {
    if (std::setlocale(LC_ALL, locale) == nullptr) {
      ADD_FAILURE() << "locale " << locale << " absente (LOCPATH)";
      continue;
    }
    const auto t = Exemple();
    const std::string octets = recap::Contenu_Classeur(t);
    std::setlocale(LC_ALL, avant.c_str());
    const auto lu = Relu(octets);
    SCOPED_TRACE(locale);
    EXPECT_EQ(lu["feuilles"], nlohmann::json::array({"Récap 02-2024"}));
    EXPECT_EQ(lu["titre"], t.Titre);
    EXPECT_EQ(lu["gel"], "A6");  // rows 1 to 5 stay in view: the header row is the fifth
    const auto& c = lu["cellules"];
    const struct {
      const char* cellule;
      nlohmann::json valeur;
      const char* type;
      const char* format;
    } attendus[] = {
        {"A1", t.Titre, "s", "General"},
        {"A2", "Dossier : C:\\KORVEX", "s", "General"},
        {"A3", "Calcul du " + recap::Texte_Date_Heure(t.Date_Heure), "s", "General"},
        {"B5", "LIBELLES", "s", "General"},
        {"A6", 1, "n", "0"},
        {"B6", "Salaire de base", "s", "General"},
        {"C6", 33149.34, "n", "#,##0.00"},
        {"D6", 12.5, "n", "0.0"},
        {"B7", "=SOMME(A1:A9)", "s", "General"},   // a text, never a formula
        {"C7", 1234567.89123457, "n", "#,##0.00"},  // the grid's 15 digits
        {"D7", -3, "n", "0.0"},
        {"A10", "2 bulletins", "s", "General"},
        {"A12", "Net : 1267717,23", "s", "General"},
        {"A13", t.Avertissements[0], "s", "General"},
    };
    for (const auto& a : attendus) {
      ASSERT_TRUE(c.contains(a.cellule)) << a.cellule;
      EXPECT_EQ(c[a.cellule]["valeur"], a.valeur) << a.cellule;
      EXPECT_EQ(c[a.cellule]["type"], a.type) << a.cellule;
      EXPECT_EQ(c[a.cellule]["format"], a.format) << a.cellule;
    }
    EXPECT_TRUE(c["A1"]["gras"]);
    for (const char* entete : {"A5", "B5", "C5", "D5"}) EXPECT_TRUE(c[entete]["gras"]) << entete;
    EXPECT_FALSE(c["B6"]["gras"]);
    // The row to check is filled, its empty amount too; the others are not.
    for (const char* cellule : {"A8", "B8", "C8", "D8"}) EXPECT_EQ(c[cellule]["fond"], "FFFFF2CC") << cellule;
    EXPECT_EQ(c["C8"]["valeur"], nullptr);
    EXPECT_EQ(c["B6"]["fond"], nullptr);
    EXPECT_FALSE(c.contains("A4") || c.contains("A9") || c.contains("A14"));
    // Widths fit the longest content: the label, and "1,234,567.89" rather than its header.
    EXPECT_GE(lu["largeurs"]["B"], 15);
    EXPECT_GE(lu["largeurs"]["C"], 12);
    EXPECT_LT(lu["largeurs"]["A"], 12);
  }
}

TEST(Classeur, ATableWithoutItsCalculationHasOnlyItsRows) {
  recap::TTableau t;
  t.Colonnes = {{"N° RUB"}, {"LIBELLES"}, {"ÉCART"}};
  t.Lignes = {{{recap::Cellule_Entier(7), recap::Cellule_Texte("R\xE9gul"),
                recap::Cellule_Pourcentage(std::numeric_limits<long double>::infinity())}}};
  const auto lu = Relu(recap::Contenu_Classeur(t));
  EXPECT_EQ(lu["feuilles"], nlohmann::json::array({"Feuil1"}));
  EXPECT_EQ(lu["gel"], "A2");
  EXPECT_EQ(lu["cellules"]["A1"]["valeur"], "N° RUB");
  EXPECT_EQ(lu["cellules"]["B2"]["valeur"], "Régul");      // a stray byte read as Latin-1
  EXPECT_EQ(lu["cellules"]["C2"]["type"], "s");             // no infinite number in a workbook
  EXPECT_EQ(lu["cellules"].size(), 6u);
  EXPECT_TRUE(lu["graphiques"].empty());
}

std::string Cellule_Excel(int colonne, int rangee) { return std::string(1, static_cast<char>('A' + colonne)) + std::to_string(rangee); }

TEST(Classeur, CumulsTotalsAreSumsOfTheMonthsAndTheirChartReferencesTheSheet) {
  const test::TDossierTemporaire dossier;
  test::Ecrire_Rubriques(dossier.Chemin(), {{"Salaire", "1"}, {"Cotisation", "2"}, {"Brut", "0"}});
  test::Ecrire_Paies(dossier.Chemin(), {{"11-2024", test::Memo_Montants({"0011234.56", "00220.1", "003100"})},
                                        {"01-2025", test::Memo_Montants({"0011234567.8912", "00221"})},
                                        {"01-2025", test::Memo_Montants({"0015"})}});
  const auto cumuls = recap::Cumuler(dossier.Texte(), *recap::Lire_Periode("11-2024", "01-2025"), {});
  ASSERT_TRUE(cumuls);
  const recap::TTableau t = recap::Tableau_Cumuls(*cumuls);
  ASSERT_EQ(t.Nombre_Colonnes(), 7);
  const std::string octets = recap::Contenu_Classeur(t);
  // Under a French locale, no "1,5" in a formula's value, a chart's cache or its line's width.
  const std::string avant = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "fr_FR.UTF-8") == nullptr) ADD_FAILURE() << "locale fr_FR.UTF-8 absente (LOCPATH)";
  const std::string en_francais = recap::Contenu_Classeur(t);
  std::setlocale(LC_ALL, avant.c_str());
  EXPECT_EQ(en_francais, octets);
  const auto lu = Relu(octets);
  EXPECT_EQ(lu["feuilles"], nlohmann::json::array({"Cumuls", "Graphique"}));
  EXPECT_EQ(lu["gel"], "C6");  // N° RUB and LIBELLES, and the header row, the fifth, stay in view

  // Every cell as the table has it; the totals are the sums of their row's months.
  const auto& cellules = lu["cellules"];
  int formules = 0;
  for (int r = 1; r < t.Nombre_Rangees(); ++r) {
    for (int c = 0; c < t.Nombre_Colonnes(); ++c) {
      const std::string nom = Cellule_Excel(c, 5 + r);
      const TCellule& attendue = *t.Cellule(c, r);
      SCOPED_TRACE(nom);
      if (attendue.Vide()) {
        EXPECT_FALSE(cellules.contains(nom));
        continue;
      }
      ASSERT_TRUE(cellules.contains(nom));
      const auto& lue = cellules[nom];
      if (attendue.Genre == TGenre_Cellule::Texte) {
        EXPECT_EQ(lue["valeur"], attendue.Texte);
        continue;
      }
      EXPECT_EQ(lue["format"], attendue.Genre == TGenre_Cellule::Montant ? "#,##0.00" : "0");
      if (c != 6) {
        EXPECT_EQ(lue["type"], "n");
        EXPECT_EQ(lue["valeur"], recap::Valeur_Affichee(attendue));
        continue;
      }
      ++formules;
      EXPECT_EQ(lue["type"], "f");
      EXPECT_EQ(lue["valeur"], "=SUM(D" + std::to_string(5 + r) + ":F" + std::to_string(5 + r) + ")");
      EXPECT_EQ(lue["cache"], recap::Valeur_Affichee(attendue));
    }
  }
  EXPECT_EQ(formules, 7);  // the three rubrics, and the payslips, gains, retenues and net under them
  EXPECT_EQ(cellules["G6"]["cache"], 1235807.4512);

  // One chart on its own sheet: the gains and retenues as columns, the net as a line on the same
  // axes, each a row under the rubrics over the months' headers.
  ASSERT_EQ(lu["graphiques"].size(), 1u);
  ASSERT_EQ(lu["graphiques"]["Graphique"].size(), 1u);
  const auto& graphique = lu["graphiques"]["Graphique"][0];
  EXPECT_EQ(graphique["titre"], "Cumuls!$A$1");
  ASSERT_EQ(graphique["groupes"].size(), 2u);
  const auto& colonnes = graphique["groupes"][0];
  const auto& ligne = graphique["groupes"][1];
  EXPECT_EQ(colonnes["type"], "barChart");
  EXPECT_EQ(colonnes["direction"], "col");
  EXPECT_EQ(ligne["type"], "lineChart");
  EXPECT_EQ(ligne["axes"], colonnes["axes"]);
  ASSERT_EQ(colonnes["series"].size(), 2u);
  ASSERT_EQ(ligne["series"].size(), 1u);
  const struct {
    const nlohmann::json& serie;
    const char* nom;
    int rangee;
  } series[] = {{colonnes["series"][0], "Gains", 10}, {colonnes["series"][1], "Retenues", 11}, {ligne["series"][0], "Net", 12}};
  for (const auto& s : series) {
    SCOPED_TRACE(s.nom);
    EXPECT_EQ(s.serie["nom"], s.nom);
    EXPECT_EQ(s.serie["categories"], "Cumuls!$D$5:$F$5");
    const std::string rangee = std::to_string(s.rangee);
    EXPECT_EQ(s.serie["valeurs"], "Cumuls!$D$" + rangee + ":$F$" + rangee);
    ASSERT_EQ(s.serie["cache"].size(), 3u);
    for (int k = 0; k < 3; ++k)
      EXPECT_EQ(s.serie["cache"][static_cast<size_t>(k)], cellules[Cellule_Excel(3 + k, s.rangee)]["valeur"]);
  }
}

// A sum column's cell is a formula over its row's cells as written where it shows the figure,
// the figure as a number elsewhere.
TEST(Classeur, ASumColumnIsAFormulaOnlyWhereItShowsTheFigure) {
  recap::TTableau t;
  t.Colonnes = {{"N° RUB"}, {"01-2024"}, {"02-2024"}, {"TOTAL"}};
  t.Somme = {3, 1, 2};
  const TCellule vide{TGenre_Cellule::Montant, "", 0};
  const auto ligne = [](TCellule a, TCellule b, TCellule total) {
    return recap::TLigne_Tableau{{recap::Cellule_Entier(1), std::move(a), std::move(b), std::move(total)}};
  };
  t.Lignes = {ligne(recap::Cellule_Montant(0.1L), recap::Cellule_Montant(0.2L), recap::Cellule_Montant(0.3L)),
              ligne(vide, vide, recap::Cellule_Montant(0.016L)),
              ligne(recap::Cellule_Texte("n/a"), recap::Cellule_Montant(5), recap::Cellule_Montant(5)),
              ligne(recap::Cellule_Entier(12), recap::Cellule_Entier(12), recap::Cellule_Entier(24)),
              ligne(recap::Cellule_Montant(3500.1L), recap::Cellule_Montant(3500.21L), recap::Cellule_Montant(7000.326L)),
              ligne(vide, vide, vide)};
  const auto lu = Relu(recap::Contenu_Classeur(t));
  const auto& c = lu["cellules"];
  const struct {
    const char* cellule;
    nlohmann::json valeur;
    nlohmann::json cache;  // a formula's
  } attendus[] = {{"D2", "=SUM(B2:C2)", 0.3}, {"D3", 0.016, nullptr}, {"D4", "=SUM(B4:C4)", 5},
                  {"D5", "=SUM(B5:C5)", 24}, {"D6", 7000.326, nullptr}};
  for (const auto& a : attendus) {
    ASSERT_TRUE(c.contains(a.cellule)) << a.cellule;
    EXPECT_EQ(c[a.cellule]["valeur"], a.valeur) << a.cellule;
    EXPECT_EQ(c[a.cellule]["type"], a.cache.is_null() ? "n" : "f") << a.cellule;
    if (!a.cache.is_null()) {
      EXPECT_EQ(c[a.cellule]["cache"], a.cache) << a.cellule;
    }
  }
  EXPECT_FALSE(c.contains("D7"));
}

// Any table may have a chart or a sum column; one the workbook cannot honour leaves plain numbers.
TEST(Classeur, ChartAndSumsOfAnyTable) {
  recap::TTableau t;
  t.Nom_Feuille = "graphique";
  t.Colonnes = {{"QUOI"}, {"A"}, {"B"}};
  t.Lignes = {{{recap::Cellule_Texte("Net"), recap::Cellule_Montant(2), recap::Cellule_Montant(2)}}};
  t.Graphique = recap::TTableau::TGraphique{1, 9};  // past the last column: up to it
  const struct {
    recap::TTableau::TSomme somme;
    nlohmann::json attendu;
  } cas[] = {{{2, 1, 1}, "=SUM(B2)"}, {{2, 1, 2}, 2}, {{3, 1, 1}, 2}, {{2, 1, 0}, 2}};  // then over itself, out, reversed
  for (const auto& c : cas) {
    t.Somme = c.somme;
    const auto lu = Relu(recap::Contenu_Classeur(t));
    EXPECT_EQ(lu["cellules"]["C2"]["valeur"], c.attendu) << c.somme.Colonne << " " << c.somme.Premiere << " " << c.somme.Derniere;
    EXPECT_EQ(lu["feuilles"], nlohmann::json::array({"graphique"}));  // a chart without a series is no chart
  }
  // A name taken is followed by a number, as Excel does; a net alone is a line alone.
  t.Lignes[0].Serie = recap::Serie_Net;
  const auto lu = Relu(recap::Contenu_Classeur(t));
  EXPECT_EQ(lu["gel"], "A2");
  EXPECT_EQ(lu["feuilles"], nlohmann::json::array({"graphique", "Graphique (2)"}));
  const auto& graphique = lu["graphiques"]["Graphique (2)"][0];
  EXPECT_EQ(graphique["titre"], nullptr);
  ASSERT_EQ(graphique["groupes"].size(), 1u);
  EXPECT_EQ(graphique["groupes"][0]["type"], "lineChart");
  EXPECT_EQ(graphique["groupes"][0]["series"][0]["valeurs"], "graphique!$B$2:$C$2");
}
#endif

TEST(Classeur, ExportAsksThenReplacesTheChosenFileWhole) {
  const auto t = Exemple();
  const test::TDossierTemporaire dossier;
  const auto cible = (dossier.Chemin() / "recap.xlsx").string();
  plateforme::Enregistrer_Fichier(cible, "ancien contenu, plus long que rien");
  std::vector<recap::TDemande_Enregistrement> demandes;
  std::optional<std::string> reponse;
  const recap::TDemander_Chemin Demander = [&](const recap::TDemande_Enregistrement& d) {
    demandes.push_back(d);
    return reponse;
  };

  recap::Exporter_Excel(t, Demander);  // cancelled
  EXPECT_EQ(test::Contenu(cible), "ancien contenu, plus long que rien");
  reponse = cible;
  recap::Exporter_Excel(t, Demander);
  const std::string octets = test::Contenu(cible);
  EXPECT_EQ(octets.substr(0, 4), "PK\x03\x04");
  EXPECT_EQ(octets, recap::Contenu_Classeur(t));  // the same table, the same bytes

  ASSERT_EQ(demandes.size(), 2u);
  EXPECT_EQ(demandes[0].Titre, "Exporter le tableau en Excel");
  EXPECT_TRUE(demandes[0].Chemin_Propose.starts_with(plateforme::Dossier_Documents()));
  EXPECT_TRUE(demandes[0].Chemin_Propose.ends_with("recap-KORVEX-02-2024.xlsx"));
  EXPECT_STREQ(demandes[0].Types[0], "Classeurs Excel (*.xlsx)");
  EXPECT_STREQ(demandes[0].Types[1], "Tous les fichiers (*.*)");

}

}  // namespace
