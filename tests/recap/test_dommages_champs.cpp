// Damage that leaves every file's structure sound yet would change a figure in silence: a month
// field that holds no month, two records naming one memo, a memo body that is no text, and the
// one NUL that some writers end every memo with, which is no damage at all.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Cas_Dommages.h"

namespace {

using namespace test;

// The sample: records 1-12 are 01-2024, 13-25 02-2024 (25 deleted), 26-37 03-2024; the memo of
// record n is block n. Its MOIS is C(7).
TDommage Mois(int64_t enregistrement, std::string octets) {
  return [=](TFichiers& f) { Remplacer(f["PAIES.DTA"], Debut_Mois(f["PAIES.DTA"], enregistrement), octets); };
}
// Record de points to the memo of record vers.
TDommage Meme_Memo(int64_t de, int64_t vers) {
  return [=](TFichiers& f) {
    std::string& t = f["PAIES.DTA"];
    Remplacer(t, Debut_Montants(t, de), Pointeur_Memo(t, vers));
  };
}
// The k-th line of record n's memo (from 0, the heading line first), CR LF included, replaced
// by as many bytes.
TDommage Ligne_Memo(int64_t enregistrement, int k, std::string par) {
  return [=](TFichiers& f) {
    std::string& m = f[Nom_Memo(f)];
    size_t debut = Debut_Memo(f, enregistrement);
    for (int i = 0; i < k; ++i) debut = m.find("\r\n", debut) + 2;
    ASSERT_EQ(m.find("\r\n", debut) + 2 - debut, par.size());
    Remplacer(m, debut, par);
  };
}

const std::string Martin = "MATRICULE 00002, NOM MARTIN Jérôme";
const std::string Lefevre = "MATRICULE 00003, NOM LEFÈVRE Chloé";
const std::string Bernard = "MATRICULE 00004, NOM BERNARD François";
std::string Guillemets(const std::string& t) { return "«\u00A0" + t + "\u00A0»"; }
std::string Un_Mois(int64_t n, const std::string& identite, const std::string& mois) {
  return "Attention : l'enregistrement " + std::to_string(n) + " de la table $\\PAIES.DTA (" + identite +
         ") n'est compté dans aucun mois : son champ MOIS contient " + Guillemets(mois) + ", qui n'est pas un mois mm-aaaa.";
}
std::string Partage(const std::string& enregistrements, const std::string& bloc, const std::string& memo) {
  return "Attention : les bulletins des enregistrements " + enregistrements +
         " de la table $\\PAIES.DTA ne sont pas comptés dans le calcul : leur champ MONTANTS désigne le même mémo, le bloc " +
         bloc + " ($\\" + memo + ").";
}

TEST_F(DommagesTest, AMonthFieldThatHoldsNoMonthIsNamedByEveryScanAndCountedInNone) {
  const std::string quatorze = Un_Mois(14, Martin, "02\\x1A2024");
  std::vector<std::string> douze;
  const char* noms[] = {"DURAND Élodie", "MARTIN Jérôme", "LEFÈVRE Chloé", "BERNARD François", "PETIT Anaïs",
                        "ROUSSEAU Théo", "MOREAU Hélène", "GARNIER Loïc", "FAURE Maëlle", "GIRARD Noël"};
  TDommage janvier_en_barres = [](TFichiers&) {};
  for (int n = 1; n <= 12; ++n) janvier_en_barres = Ensemble({janvier_en_barres, Mois(n, "01/2024")});
  std::string premiers;
  for (int n = 1; n <= 10; ++n)
    premiers += (n == 1 ? "" : n == 10 ? " et " : ", ") + std::to_string(n) + " (MATRICULE 000" + (n < 10 ? "0" : "") +
                std::to_string(n) + ", NOM " + noms[n - 1] + ", MOIS " + Guillemets("01/2024") + ")";
  const std::string plusieurs = "Attention : 12 enregistrements de la table $\\PAIES.DTA ne sont comptés dans aucun mois, leur "
                                "champ MOIS ne contenant pas un mois mm-aaaa : les 10 premiers sont les enregistrements " +
                                premiers + ".";
  TPlages dix;
  for (int64_t n = 1; n <= 10; ++n) dix.emplace_back(n, n);
  const std::vector<TCas> cas = {
      {"une marque de fin dans le mois", "", Mois(14, "02\x1A" "2024"), "02-2024", "", {quatorze}, {{14, 14}}},
      {"le même, la récap d'un autre mois", "", Mois(14, "02\x1A" "2024"), "01-2024", "", {quatorze}, {{14, 14}}},
      {"un mois vide", "", Mois(15, "       "), "02-2024", "", {Un_Mois(15, Lefevre, "")}, {{15, 15}}},
      {"un mois 13", "", Mois(16, "13-2024"), "03-2024", "", {Un_Mois(16, Bernard, "13-2024")}, {{16, 16}}},
      {"l'année d'abord", "", Mois(15, "2024-02"), "02-2024", "", {Un_Mois(15, Lefevre, "2024-02")}, {{15, 15}}},
      {"un octet au-delà de l'ASCII", "", Mois(14, "02-2\xE9" "24"), "02-2024", "", {Un_Mois(14, Martin, "02-2\\xE924")},
       {{14, 14}}},
      {"un bulletin supprimé n'est pas nommé", "", Mois(25, "02\x1A" "2024"), "02-2024"},
      {"douze, dont les dix premiers nommés", "", janvier_en_barres, "02-2024", "", {plusieurs}, dix, 12},
      {"FoxPro, après le septième caractère", "fp_1252", Mois(1, "03-2011\x01\x02\x03"), "03-2011"},
      {"FoxPro", "fp_1252", Mois(4, "04 2011"), "04-2011", "", {Un_Mois(4, "NOM Façade", "04 2011")}, {{4, 4}}},
      {"dBase IV", "tdbf_4", Mois(1, "3-2011 "), "03-2011", "", {Un_Mois(1, "NOM Élève Noël", "3-2011")}, {{1, 1}}},
  };
  for (const TCas& k : cas) Verifier(k);
}

TEST_F(DommagesTest, PayslipsThatNameOneMemoAreLeftOutWhenOneOfThemIsOfTheMonth) {
  const std::string dbt = "PAIES.DBT", fpt = "PAIES.FPT";
  const std::string quatorze_quinze = Partage("14 (" + Martin + ") et 15 (" + Lefevre + ")", "15", dbt);
  const std::string deux_quatorze = Partage("2 (" + Martin + ") et 14 (" + Martin + ")", "14", dbt);
  const std::vector<TCas> cas = {
      {"deux du mois", "", Meme_Memo(14, 15), "02-2024", "", {quatorze_quinze}, {{14, 14}, {15, 15}}},
      {"un d'un autre mois", "", Meme_Memo(2, 14), "02-2024", "", {deux_quatorze}, {{2, 2}, {14, 14}}},
      {"le même, vu de l'autre mois", "", Meme_Memo(2, 14), "01-2024", "", {deux_quatorze}, {{2, 2}, {14, 14}}},
      {"aucun du mois", "", Meme_Memo(2, 14), "03-2024"},
      // Which of the two pointers is the damaged one no rule tells: a deleted record keeps its memo.
      {"un supprimé", "", Meme_Memo(25, 14), "02-2024", "",
       {Partage("14 (" + Martin + ") et 25 (supprimé : MATRICULE 00005, NOM PETIT Anaïs)", "14", dbt)},
       {{14, 14}, {25, 25}}, 1},
      {"un supprimé, vu d'un autre mois", "", Meme_Memo(25, 14), "03-2024"},
      {"trois", "", Ensemble({Meme_Memo(14, 16), Meme_Memo(15, 16)}), "02-2024", "",
       {Partage("14 (" + Martin + "), 15 (" + Lefevre + ") et 16 (" + Bernard + ")", "16", dbt)},
       {{14, 14}, {15, 15}, {16, 16}}},
      {"FoxPro", "fp_1252", Meme_Memo(4, 1), "03-2011", "",
       {Partage("1 (NOM Élève Noël) et 4 (NOM Façade)", "4", fpt)}, {{1, 1}, {4, 4}}},
      {"Visual FoxPro, pointeur binaire", "vfp_1252", Meme_Memo(1, 4), "04-2011", "",
       {Partage("1 (NUL ok, NOM Élève Noël) et 4 (NUL ok, NOM Façade)", "12", fpt)}, {{1, 1}, {4, 4}}},
  };
  for (const TCas& k : cas) Verifier(k);
}

TEST_F(DommagesTest, ABodyLineTooShortForAnAmountThatIsNoTextLeavesThePayslipOut) {
  const std::string pas_texte = "n'est pas du texte : il contient des octets binaires ou nuls ($\\PAIES.DBT)";
  // Line 2 of record 14's memo is "00422.80": ten bytes with its CR LF.
  const std::vector<TCas> cas = {
      {"trois octets au-delà de l'ASCII", "", Ligne_Memo(14, 2, "\xE9\xE9\xE9\r\n\r\n\r\n\n"), "02-2024", "",
       {Bulletin(14, Martin, pas_texte)}, {{14, 14}}},
      {"un octet de contrôle", "", Ligne_Memo(14, 2, "\x01\r\n\r\n\r\n\r\n\n"), "02-2024", "",
       {Bulletin(14, Martin, pas_texte)}, {{14, 14}}},
      {"DEL", "", Ligne_Memo(14, 2, "01\x7F\r\n\r\n\r\n\n"), "02-2024", "", {Bulletin(14, Martin, pas_texte)}, {{14, 14}}},
  };
  for (const TCas& k : cas) Verifier(k);
}

// Record 4 (04-2011) holds the last memo of each file: its text is padded with empty lines up to
// a block boundary, then ended by nuls NULs from that boundary on, its length telling them.
TDommage Fin_Nulle(size_t nuls) {
  return [=](TFichiers& f) {
    const bool fpt = f.count("PAIES.FPT") != 0;
    std::string& m = f[Nom_Memo(f)];
    const size_t bloc = Taille_Bloc_Memo(f), debut = Debut_Memo(f, 4), texte = debut + 8;
    const auto octet = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(m.at(debut + i))); };
    const uint32_t longueur = fpt ? octet(4) << 24 | octet(5) << 16 | octet(6) << 8 | octet(7)
                                  : (octet(4) | octet(5) << 8 | octet(6) << 16 | octet(7) << 24) - 8;
    const size_t limite = (texte + longueur + bloc - 1) / bloc * bloc;
    m.resize(std::max(m.size(), limite + nuls));
    m.replace(texte + longueur, limite - texte - longueur, std::string(limite - texte - longueur, '\n'));
    m.replace(limite, nuls, std::string(nuls, '\0'));
    const auto nouvelle = static_cast<uint32_t>(limite + nuls - texte);
    Ecrire_32(m, debut + 4, fpt ? nouvelle : nouvelle + 8, fpt);
  };
}

TEST_F(DommagesTest, OneNulOnABlockBoundaryEndsAMemoAndALongerRunErasesItsEnd) {
  const std::string efface = "se termine par un bloc d'octets nuls : la fin de son texte est effacée";
  const std::vector<TCas> cas = {
      {"FoxPro, un NUL", "fp_1252", Fin_Nulle(1), "04-2011"},
      {"FoxPro, deux NUL", "fp_1252", Fin_Nulle(2), "04-2011", "", {Bulletin(4, "NOM Façade", efface + " ($\\PAIES.FPT)")},
       {{4, 4}}},
      {"Visual FoxPro, un NUL", "vfp_1252", Fin_Nulle(1), "04-2011"},
      {"Visual FoxPro, deux NUL", "vfp_1252", Fin_Nulle(2), "04-2011", "",
       {Bulletin(4, "NUL ok, NOM Façade", efface + " ($\\PAIES.FPT)")}, {{4, 4}}},
      {"dBase IV, un NUL", "tdbf_4", Fin_Nulle(1), "04-2011"},
      {"dBase IV, trois NUL", "tdbf_4", Fin_Nulle(3), "04-2011", "",
       {Bulletin(4, "NOM Façade", efface + " ($\\PAIES.DBT)")}, {{4, 4}}},
  };
  for (const TCas& k : cas) Verifier(k);
}

}  // namespace
