// Damaged copies of the sample folder and of tables from other writers, one class of damage per
// test: the calculation stops with an error naming the file, or counts what it can and warns of
// exactly what it left out; the folder never changes.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Cas_Dommages.h"

namespace {

using namespace test;

// The sample: 37 records of 53 bytes after a 161-byte header, then 0x1A. Records 1-12 are
// 01-2024, 13-25 02-2024 (25 deleted), 26-37 03-2024; the memo of record n is block n.
// RUBRIQUE.DTA: 30 records of 42 bytes after 97.

TEST_F(DommagesTest, ATableCutShortCountsItsCompleteRecords) {
  const auto complets = [](const std::string& annonces, const std::string& n) {
    const std::string contenu = n == "0" ? "aucun complet" : "que " + n + (n == "1" ? " complet" : " complets");
    return "son en-tête annonce " + annonces + " enregistrements, mais le fichier n'en contient " + contenu;
  };
  const std::string les = " ; les enregistrements ";
  const std::vector<TCas> cas = {
      {"dans le premier", "", Couper(Paies, 1, 20), "01-2024", "", {Table_Paies + complets("37", "0") + les + "1 à 37" + Non_Lus},
       {{1, 37}}},
      {"dans un du milieu", "", Couper(Paies, 18, 30), "02-2024", "",
       {Table_Paies + complets("37", "17") + les + "18 à 37" + Non_Lus}, {{18, 37}}},
      {"entre deux", "", Couper(Paies, 31, 0), "03-2024", "", {Table_Paies + complets("37", "30") + les + "31 à 37" + Non_Lus},
       {{31, 37}}},
      {"le dernier octet", "", Couper(Paies, 37, 52), "03-2024", "",
       {Table_Paies + complets("37", "36") + " ; l'enregistrement 37" + Non_Lu}, {{37, 37}}},
      {"plus annoncés que présents", "", Annoncer(Paies, 40), "03-2024", "",
       {Table_Paies + complets("40", "37") + les + "38 à 40" + Non_Lus}, {{38, 40}}},
      {"FoxPro", "fp_1252", Couper(Paies, 4, 10), "04-2011", "",
       {Table_Paies + complets("4", "3") + " ; l'enregistrement 4" + Non_Lu}, {{4, 4}}},
      {"dBase IV", "tdbf_4", Couper(Paies, 2, 1), "03-2011", "", {Table_Paies + complets("4", "1") + les + "2 à 4" + Non_Lus},
       {{2, 4}}},
      {"rubriques", "", Couper(Rubriques, 10, 5), "01-2024", Erreur_Rubriques + complets("30", "9")},
      {"rubriques, plus annoncées", "", Annoncer(Rubriques, 31), "01-2024", Erreur_Rubriques + complets("31", "30")},
  };
  for (const TCas& k : cas) Verifier(k);
}

TEST_F(DommagesTest, WholeRecordsBeyondTheAnnouncedOnesAreNamedAnythingElseIsAnError) {
  const std::string plus = Table_Paies + "le fichier contient ";
  const std::string taille = Erreur_Paies + "la taille du fichier (";
  const TDommage sans_marque = [](TFichiers& f) { f[Paies].pop_back(); };
  const std::vector<TCas> cas = {
      {"un", "", Annoncer(Paies, 36), "03-2024", "",
       {plus + "1 enregistrement de plus que les 36 annoncés par son en-tête ; l'enregistrement 37" + Non_Lu}, {{37, 37}}},
      {"un mois", "", Annoncer(Paies, 25), "03-2024", "",
       {plus + "12 enregistrements de plus que les 25 annoncés par son en-tête ; les enregistrements 26 à 37" + Non_Lus},
       {{26, 37}}},
      {"tous, sans marque de fin", "", Ensemble({Annoncer(Paies, 0), sans_marque}), "01-2024", "",
       {plus + "37 enregistrements de plus que son en-tête, qui n'en annonce aucun ; les enregistrements 1 à 37" + Non_Lus},
       {{1, 37}}},
      {"Visual FoxPro", "vfp_1252", Annoncer(Paies, 2), "04-2011", "",
       {plus + "2 enregistrements de plus que les 2 annoncés par son en-tête ; les enregistrements 3 à 4" + Non_Lus},
       {{3, 4}}},
      {"du bourrage après la marque de fin", "", [](TFichiers& f) { f[Paies] += "\x1A\x1A garbage"; }, "01-2024"},
      {"du bourrage sans marque de fin", "fp_1252", [](TFichiers& f) { f[Paies].append(40, '\0'); }, "03-2011"},
      {"des octets après", "", Ensemble({Annoncer(Paies, 36), [](TFichiers& f) { f[Paies] += "1234567"; }}), "01-2024",
       taille + "2130 octets) ne correspond pas à son en-tête (36 enregistrements de 53 octets après un en-tête de 161 octets)"},
      {"un enregistrement incomplet", "", Ensemble({Annoncer(Paies, 36), Couper(Paies, 37, 40)}), "01-2024",
       taille + "2109 octets) ne correspond pas à son en-tête (36 enregistrements de 53 octets après un en-tête de 161 octets)"},
      {"rubriques", "", Annoncer(Rubriques, 29), "01-2024",
       Erreur_Rubriques + "le fichier contient 1 enregistrement de plus que les 29 annoncés par son en-tête"},
  };
  for (const TCas& k : cas) Verifier(k);
}

TEST_F(DommagesTest, AnEndMarkWhereARecordStartsEndsTheTable) {
  const auto marque = [](int64_t n, const std::string& annonces) {
    return Table_Paies + "une marque de fin de table (0x1A) se trouve au début de l'enregistrement " + std::to_string(n) +
           ", avant la fin des " + annonces + " enregistrements annoncés par son en-tête ; ";
  };
  const std::vector<TCas> cas = {
      {"au premier", "", Indicateurs(Paies, {1}, 0x1A), "01-2024", "",
       {marque(1, "37") + "les enregistrements 1 à 37" + Non_Lus}, {{1, 37}}},
      {"au milieu", "", Indicateurs(Paies, {20}, 0x1A), "02-2024", "",
       {marque(20, "37") + "les enregistrements 20 à 37" + Non_Lus}, {{20, 37}}},
      {"sur un supprimé", "", Indicateurs(Paies, {25}, 0x1A), "02-2024", "",
       {marque(25, "37") + "les enregistrements 25 à 37" + Non_Lus}, {{25, 37}}},
      {"au dernier", "", Indicateurs(Paies, {37}, 0x1A), "03-2024", "",
       {marque(37, "37") + "l'enregistrement 37" + Non_Lu}, {{37, 37}}},
      {"deux fois", "", Indicateurs(Paies, {10, 30}, 0x1A), "01-2024", "",
       {marque(10, "37") + "les enregistrements 10 à 37" + Non_Lus}, {{10, 37}}},
      {"Visual FoxPro", "tdbf_30", Indicateurs(Paies, {2}, 0x1A), "03-2011", "",
       {marque(2, "4") + "les enregistrements 2 à 4" + Non_Lus}, {{2, 4}}},
      {"rubriques", "", Indicateurs(Rubriques, {5}, 0x1A), "01-2024",
       Erreur_Rubriques + "une marque de fin de table (0x1A) se trouve au début de l'enregistrement 5, avant la fin "
                          "des 30 enregistrements annoncés par son en-tête"},
  };
  for (const TCas& k : cas) Verifier(k);
}

TEST_F(DommagesTest, AHeaderThatDisagreesWithItsFileIsAnError) {
  const std::string entete = "la longueur d'en-tête (";
  const std::string descripteurs = " octets) ne correspond pas à ses descripteurs de champs";
  const std::string sans_fin = "la marque de fin des descripteurs de champs (0x0D) manque";
  const std::string enregistrement = "la longueur d'enregistrement (";
  const std::vector<TCas> cas = {
      {"en-tête plus long d'un octet", "", Entete_16(Paies, 8, 162), "01-2024", Erreur_Paies + entete + "162" + descripteurs},
      {"en-tête sur le premier enregistrement", "", Entete_16(Paies, 8, 214), "01-2024",
       Erreur_Paies + entete + "214" + descripteurs},
      {"en-tête plus court d'un octet", "", Entete_16(Paies, 8, 160), "01-2024", Erreur_Paies + sans_fin},
      {"en-tête sans le dernier descripteur", "", Entete_16(Paies, 8, 129), "01-2024", Erreur_Paies + sans_fin},
      {"en-tête trop petit", "", Entete_16(Paies, 8, 31), "01-2024",
       Erreur_Paies + entete + "31 octets) ne peut pas contenir ses descripteurs de champs"},
      {"en-tête plus long que le fichier", "", Entete_16(Paies, 8, 0xFFFF), "01-2024",
       "Le fichier $\\PAIES.DTA est plus court que son en-tête (2123 octets pour un en-tête de 65535)"},
      {"enregistrement plus long", "", Entete_16(Paies, 10, 54), "01-2024",
       Erreur_Paies + enregistrement + "54 octets) ne correspond pas à celle de ses champs (53 octets)"},
      {"enregistrement nul", "", Entete_16(Paies, 10, 0), "01-2024",
       Erreur_Paies + enregistrement + "0 octet) ne correspond pas à celle de ses champs (53 octets)"},
      {"longueur du champ NOM", "", Octet(Paies, 32 + 32 + 16, 31), "01-2024",
       Erreur_Paies + enregistrement + "53 octets) ne correspond pas à celle de ses champs (54 octets)"},
      {"marque de fin des descripteurs", "", Octet(Paies, 160, ' '), "01-2024", Erreur_Paies + sans_fin},
      {"MONTANTS n'est plus un mémo", "", Octet(Paies, 32 + 3 * 32 + 11, 'C'), "01-2024",
       Erreur_Paies + "le champ MONTANTS n'est pas un mémo"},
      {"FoxPro, octet dans le bourrage", "fp_1252", Octet(Paies, 500, 'X'), "03-2011",
       Erreur_Paies + entete + "520" + descripteurs},
      {"Visual FoxPro, lien vers la base raccourci", "vfp_1252", Entete_16(Paies, 8, 711), "03-2011",
       Erreur_Paies + entete + "711" + descripteurs},
      {"Visual FoxPro, en-tête plus long", "vfp_1252", Entete_16(Paies, 8, 713), "03-2011",
       Erreur_Paies + entete + "713" + descripteurs},
      {"rubriques, en-tête", "", Entete_16(Rubriques, 8, 98), "01-2024", Erreur_Rubriques + entete + "98" + descripteurs},
      {"rubriques, enregistrement", "", Entete_16(Rubriques, 10, 43), "01-2024",
       Erreur_Rubriques + enregistrement + "43 octets) ne correspond pas à celle de ses champs (42 octets)"},
  };
  for (const TCas& k : cas) Verifier(k);
}

TEST_F(DommagesTest, ASelectedPayslipWhoseMemoIsNoTextIsLeftOutAndNamed) {
  const std::string dbt = " ($\\PAIES.DBT)", fpt = " ($\\PAIES.FPT)";
  std::vector<std::string> au_dela;
  for (int n = 30; n <= 37; ++n) {
    const std::string nom = std::vector<std::string>{"MATRICULE 00005, NOM PETIT Anaïs", "MATRICULE 00006, NOM ROUSSEAU Théo",
                                                     "MATRICULE 00007, NOM MOREAU Hélène", "MATRICULE 00008, NOM GARNIER Loïc",
                                                     "MATRICULE 00009, NOM FAURE Maëlle", "MATRICULE 00010, NOM GIRARD Noël",
                                                     "MATRICULE 00011, NOM ANDRÉ Céline", "MATRICULE 00012, NOM LAMBERT Benoît"}[n - 30];
    au_dela.push_back(Bulletin(n, nom, "désigne le bloc " + std::to_string(n) + ", au-delà de la fin du fichier mémo" + dbt));
  }
  const std::vector<TCas> cas = {
      {"bloc à zéro", "", Memo_Zero(13), "02-2024", "", {Bulletin(13, Durand, Pas_Texte + dbt)}, {{13, 13}}},
      {"le premier et le dernier du mois", "", Ensemble({Memo_Zero(1), Memo_Zero(12)}), "01-2024", "",
       {Bulletin(1, Durand, Pas_Texte + dbt), Bulletin(12, "MATRICULE 00012, NOM LAMBERT Benoît", Pas_Texte + dbt)}, {{1, 1}, {12, 12}}},
      {"marque de fin dans la première ligne", "", Memo(3, 10, "\x1A"), "01-2024", "",
       {Bulletin(3, "MATRICULE 00003, NOM LEFÈVRE Chloé", "n'a pas de fin de ligne : son texte est incomplet ou endommagé" + dbt)},
       {{3, 3}}},
      {"octets nuls avant la marque de fin", "", Memo(5, 253, std::string("\0\0\0\x1A", 4)), "01-2024"},
      {"octets binaires dans la première ligne", "", Memo(20, 3, "\x01\x02\x03"), "02-2024", "",
       {Bulletin(20, "MATRICULE 00008, NOM GARNIER Loïc", Pas_Texte + dbt)}, {{20, 20}}},
      {"pointeur au-delà du fichier", "", Pointeur(26, "      9999"), "03-2024", "",
       {Bulletin(26, Durand, "désigne le bloc 9999, au-delà de la fin du fichier mémo" + dbt)}, {{26, 26}}},
      {"pointeur qui n'est pas un nombre", "", Pointeur(30, "     12x45"), "03-2024", "",
       {Bulletin(30, "MATRICULE 00005, NOM PETIT Anaïs", "a un pointeur de bloc incorrect" + dbt)}, {{30, 30}}},
      {"fichier mémo coupé dans le dernier", "", Couper_Memo(37, 100), "03-2024", "",
       {Bulletin(37, "MATRICULE 00012, NOM LAMBERT Benoît", "n'a pas de marque de fin (0x1A) avant la fin du fichier mémo" + dbt)},
       {{37, 37}}},
      {"fichier mémo coupé avant un bloc", "", Couper_Memo(30, 0), "03-2024", "", au_dela, {{30, 30}, {31, 31}, {32, 32},
                                                                                            {33, 33}, {34, 34}, {35, 35},
                                                                                            {36, 36}, {37, 37}}},
      {"bulletin d'un autre mois", "", Memo_Zero(1), "03-2024"},
      {"bulletin supprimé", "", Memo_Zero(25), "02-2024"},
      {"FoxPro, premier bloc à zéro", "fp_1252", Memo_Zero(1), "03-2011", "",
       {Bulletin(1, Eleve, "est un bloc de type 0 au lieu d'un texte (type 1)" + fpt)}, {{1, 1}}},
      {"FoxPro, un bloc du texte à zéro", "fp_1252", Memo_Zero(1, 2), "03-2011", "", {Bulletin(1, Eleve, Pas_Texte + fpt)}, {{1, 1}}},
      {"FoxPro, longueur au-delà du fichier", "fp_1252", Memo(4, 4, std::string("\x00\x10\x00\x00", 4)), "04-2011", "",
       {Bulletin(4, "NOM Façade", "a une longueur de 1048576 octets qui dépasse la fin du fichier mémo" + fpt)}, {{4, 4}}},
      {"FoxPro, dernier bloc du texte à zéro", "fp_1252", Memo_Zero(1, 5), "03-2011", "",
       {Bulletin(1, Eleve, Fin_Effacee + fpt)}, {{1, 1}}},
      {"FoxPro, bourrage nul dans la longueur", "fp_1252",
       Ensemble({Memo(4, 4, std::string("\x00\x00\x00\x23", 4)), [](TFichiers& f) { f["PAIES.FPT"].append(10, '\0'); }}),
       "04-2011"},
      {"FoxPro, fichier mémo coupé", "fp_1252", Couper_Memo(1, 300), "03-2011", "",
       {Bulletin(1, Eleve, "a une longueur de 674 octets qui dépasse la fin du fichier mémo" + fpt),
        Bulletin(2, "NOM Sans mémo", "désigne le bloc 10, au-delà de la fin du fichier mémo" + fpt)},
       {{1, 1}, {2, 2}}},
      {"dBase IV, premier bloc à zéro", "tdbf_4", Memo_Zero(1), "03-2011", "",
       {Bulletin(1, Eleve, "n'a pas de marque de fin (0x1A) avant la fin du fichier mémo" + dbt)}, {{1, 1}}},
      {"dBase IV, second bloc à zéro", "tdbf_4", Memo_Zero(1, 1), "03-2011", "", {Bulletin(1, Eleve, Fin_Effacee + dbt)},
       {{1, 1}}},
      {"dBase IV, longueur trop petite", "tdbf_4", Memo(1, 4, std::string("\x03\x00\x00\x00", 4)), "03-2011", "",
       {Bulletin(1, Eleve, "a une longueur incorrecte (3 octets)" + dbt)}, {{1, 1}}},
      {"Visual FoxPro, pointeur au-delà du fichier", "vfp_1252", Pointeur(4, std::string("\xFF\xFF\xFF\x00", 4)),
       "04-2011", "", {Bulletin(4, "NUL ok, NOM Façade", "désigne le bloc 16777215, au-delà de la fin du fichier mémo" + fpt)},
       {{4, 4}}},
      {"un montant illisible", "", Memo(14, 41, "\x01"), "02-2024",
       "'\x01" "280.00' n'est pas une valeur en virgule flottante correcte\nBulletin de l'enregistrement 14 de la table "
       "$\\PAIES.DTA : MATRICULE 00002, NOM MARTIN Jérôme"},
      {"fichier mémo absent", "", [](TFichiers& f) { f.erase("PAIES.DBT"); }, "01-2024",
       "Le fichier mémo $\\PAIES.DBT de la table $\\PAIES.DTA est introuvable"},
      {"FoxPro, taille de bloc nulle", "fp_1252", [](TFichiers& f) { test::Ecrire_16(f["PAIES.FPT"], 6, 0); }, "03-2011",
       "Le fichier mémo $\\PAIES.FPT est endommagé : sa taille de bloc est nulle ou absente"},
  };
  for (const TCas& k : cas) Verifier(k);
}

TEST_F(DommagesTest, AWrongDeletionFlagLeavesThePayslipOutButStopsTheRubrics) {
  const auto dommage = [](const std::string& lesquels, bool plusieurs) {
    return Table_Paies + lesquels + (plusieurs ? " ont" : " a") + Indicateur + " ; " + lesquels + (plusieurs ? Non_Lus : Non_Lu);
  };
  const std::vector<TCas> cas = {
      {"le premier", "", Indicateurs(Paies, {1}, 'X'), "01-2024", "", {dommage("l'enregistrement 1", false)}, {{1, 1}}},
      {"trois qui se suivent", "", Indicateurs(Paies, {14, 15, 16}, '\0'), "02-2024", "",
       {dommage("les enregistrements 14 à 16", true)}, {{14, 16}}},
      {"deux séparés", "", Indicateurs(Paies, {2, 4}, '#'), "01-2024", "",
       {dommage("l'enregistrement 2", false), dommage("l'enregistrement 4", false)}, {{2, 2}, {4, 4}}},
      {"le dernier", "", Indicateurs(Paies, {37}, '\x1B'), "03-2024", "", {dommage("l'enregistrement 37", false)}, {{37, 37}}},
      {"un supprimé", "", Indicateurs(Paies, {25}, '?'), "02-2024", "", {dommage("l'enregistrement 25", false)}, {{25, 25}}},
      {"FoxPro", "fp_1252", Indicateurs(Paies, {1}, 'x'), "03-2011", "", {dommage("l'enregistrement 1", false)}, {{1, 1}}},
      {"rubriques", "", Indicateurs(Rubriques, {3}, 'X'), "01-2024", Erreur_Rubriques + "l'enregistrement 3 a" + Indicateur},
  };
  for (const TCas& k : cas) Verifier(k);
}

}  // namespace
