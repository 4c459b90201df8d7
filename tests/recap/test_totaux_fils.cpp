// Totals read on several threads against one scan adding each payslip's amounts in turn: the
// same bits, counts, warnings and error, wherever the runs of records fall and whatever stops
// the reading.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "Dommages.h"
#include "KORVEX_procs.h"
#include "platform/Erreurs.h"
#include "platform/Precision.h"
#include "platform/Raccourcis.h"
#include "recap/Bulletins.h"
#include "support/Dossier_Temporaire.h"
#include "support/Ecrivain_Dbase.h"

namespace {

// More records than three runs of a thread, two months mixed, some deleted; memos of random
// amounts with four decimals, now and then a rubric twice, a negligible amount or rubric 0.
std::vector<test::TPaie> Paies(std::mt19937& alea) {
  std::vector<test::TPaie> paies;
  for (int k = 0; k < 13000; ++k) {
    std::vector<std::string> lignes;
    const uint32_t n = 1 + test::Tirer(alea, 30);
    for (uint32_t l = 0; l < n; ++l) {
      char ligne[40];
      const uint32_t rubrique = test::Tirer(alea, 7) == 0 ? 0 : 1 + test::Tirer(alea, 899);
      const uint32_t entier = test::Tirer(alea, 3) == 0 ? 0 : test::Tirer(alea, 100000);
      std::snprintf(ligne, sizeof ligne, "%03u%s%u.%04u", rubrique, test::Tirer(alea, 6) ? "" : "-", entier,
                    test::Tirer(alea, 10000));
      lignes.push_back(ligne);
    }
    paies.push_back({test::Tirer(alea, 3) ? "06-2020" : "07-2020", test::Memo_Montants(lignes), k % 97 == 5});
  }
  return paies;
}

// Total 2 takes both months, as the comparison's third column does: the two choices share it.
struct TLecture {
  std::vector<TTAB_VALEURS> totaux = std::vector<TTAB_VALEURS>(3);
  std::vector<int> bulletins = std::vector<int>(2);
  std::vector<recap::TEmpreintes> empreintes = std::vector<recap::TEmpreintes>(2);
  recap::TAvertissements avertissements;
  std::string erreur;
};

// June into total 0, July into total 1 (and both into total 2, by the lists of Sur_Fils).
std::optional<int> Choix(std::string_view mois) {
  if (mois == "06-2020") return 0;
  if (mois == "07-2020") return 1;
  return std::nullopt;
}

TLecture Lire(const std::function<void(TLecture&)>& lire) {
  TLecture l;
  try {
    lire(l);
  } catch (const plateforme::EKorvex& e) {
    l.erreur = e.what();
  }
  return l;
}

TLecture Une_Passe(const std::string& dossier) {
  return Lire([&](TLecture& l) {
    const auto ajouter = [&](int choix, const recap::TBulletin& bulletin) {
      for (int r : bulletin.Rubriques()) {
        l.totaux[static_cast<size_t>(choix)][r] += Montant_De(bulletin.Compte(r));
        l.totaux[2][r] += Montant_De(bulletin.Compte(r));
        l.empreintes[static_cast<size_t>(choix)][static_cast<size_t>(r)] +=
            recap::Empreinte_Montant(bulletin.Enregistrement, bulletin.Compte(r));
      }
      ++l.bulletins[static_cast<size_t>(choix)];
    };
    l.avertissements = *recap::Lire_Bulletins(dossier, Choix, ajouter, [](const std::string&) {});
  });
}

TLecture Sur_Fils(const std::string& dossier, int fils) {
  return Lire([&](TLecture& l) {
    const recap::TTotaux_Choix totaux = {{&l.totaux[0], &l.totaux[2]}, {&l.totaux[1], &l.totaux[2]}};
    recap::TOptions_Lecture options;
    options.Fils = fils;
    options.Empreintes = true;
    auto t = recap::Totaliser_Bulletins(dossier, Choix, totaux, [](const std::string&) {}, options);
    l.bulletins = t->Bulletins;
    l.empreintes = t->Empreintes;
    l.avertissements = t->Avertissements;
  });
}

enum class TIssue { Recap, Avertissement, Erreur };

struct TCas {
  const char* nom;
  TIssue issue;
  std::function<void(test::TFichiers&)> abimer;
};

}  // namespace

// The scan against a reading of its own, First and Next through every record, on MOIS C(7) as
// real folders hold it: months that alternate in short runs, so that the same-month shortcut
// starts and stops all the time; with each fast path on and off, on one to three threads.
TEST(TotaliserBulletinsTest, EveryRoadGivesTheBitsOfAPlainReading) {
  std::mt19937 alea(77);
  test::TDossierTemporaire dossier;
  test::Ecrire_Paies(dossier.Chemin(), Paies(alea));
  test::Ecrire_Rubriques(dossier.Chemin(), {{"Salaire", "1"}});
  const test::TReference juin = test::Reference(dossier.Chemin(), "06-2020", {});
  const test::TReference juillet = test::Reference(dossier.Chemin(), "07-2020", {});
  ASSERT_GT(juin.Bulletins, 1000);
  const plateforme::TRaccourcis avant = plateforme::Raccourcis();
  for (const plateforme::TRaccourcis r : {plateforme::TRaccourcis{true, true, true}, plateforme::TRaccourcis{false, false, true},
                                          plateforme::TRaccourcis{true, false, true}, plateforme::TRaccourcis{false, true, false}}) {
    plateforme::Fixer_Raccourcis(r);
    for (int fils : {1, 2, 3}) {
      SCOPED_TRACE(std::to_string(r.Simd) + std::to_string(r.Meme_Mois) + std::to_string(r.Fils) + ", " +
                   std::to_string(fils) + " fils");
      const TLecture l = Sur_Fils(dossier.Texte(), fils);
      EXPECT_EQ(l.erreur, "");
      EXPECT_EQ(l.bulletins, (std::vector<int>{juin.Bulletins, juillet.Bulletins}));
      EXPECT_TRUE(test::Totaux_Identiques(l.totaux[0], juin.TOT_RUB));
      EXPECT_TRUE(test::Totaux_Identiques(l.totaux[1], juillet.TOT_RUB));
    }
  }
  plateforme::Fixer_Raccourcis(avant);
}

TEST(TotaliserBulletinsTest, GivesTheBitsOfOneScanOnAnyNumberOfThreads) {
  std::mt19937 alea(2020);
  test::TDossierTemporaire intact;
  test::Ecrire_Paies(intact.Chemin(), Paies(alea));
  test::Ecrire_Rubriques(intact.Chemin(), {{"Salaire", "1"}});
  const test::TFichiers origine = test::Lire_Fichiers(intact.Chemin());
  const auto octet = [](size_t position, char valeur) {
    return [=](test::TFichiers& f) { f["PAIES.DTA"][position] = valeur; };
  };
  const std::string& table = origine.at("PAIES.DTA");
  const auto montant_illisible = [](int64_t numero) {
    return [=](test::TFichiers& f) {
      std::string& memo = f["PAIES.DBT"];
      memo.replace(memo.find("\r\n", test::Debut_Memo(f, numero)) + 2, 4, "001x");
    };
  };
  // Each thread checks its own runs' records: the damage of two runs in a row is still told
  // as one scan tells it, and what lies past an end mark is never counted.
  const TCas cas[] = {
      {"intact", TIssue::Recap, [](test::TFichiers&) {}},
      {"indicateurs faux au 9000e", TIssue::Avertissement, octet(test::Debut_Enregistrement(table, 9000), '#')},
      {"mémo binaire au 5000e", TIssue::Avertissement,
       [](test::TFichiers& f) { f["PAIES.DBT"][test::Debut_Memo(f, 5000) + 3] = '\x01'; }},
      {"marque de fin au 6000e", TIssue::Avertissement, octet(test::Debut_Enregistrement(table, 6000), '\x1A')},
      {"table coupée au 12500e", TIssue::Avertissement,
       [](test::TFichiers& f) { f["PAIES.DTA"].resize(test::Debut_Enregistrement(f["PAIES.DTA"], 12500) + 5); }},
      {"montant illisible au 10000e", TIssue::Erreur, montant_illisible(10000)},
      {"indicateurs faux de part et d'autre d'une fin de lot (4096e)", TIssue::Avertissement,
       [&](test::TFichiers& f) {
         for (int64_t numero : {4095, 4096, 4097, 4098}) octet(test::Debut_Enregistrement(table, numero), '#')(f);
       }},
      {"un mois qui n'en est pas un au 7000e", TIssue::Avertissement,
       [](test::TFichiers& f) { f["PAIES.DTA"][test::Debut_Mois(f["PAIES.DTA"], 7000) + 2] = '\x1A'; }},
      {"le mémo du 11000e désigné aussi par le 300e", TIssue::Avertissement,
       [](test::TFichiers& f) {
         std::string& t = f["PAIES.DTA"];
         t.replace(test::Debut_Montants(t, 300), 10, test::Pointeur_Memo(t, 11000));
       }},
      {"marque de fin au 6000e, puis un montant illisible au 10000e", TIssue::Avertissement,
       [&](test::TFichiers& f) {
         octet(test::Debut_Enregistrement(table, 6000), '\x1A')(f);
         montant_illisible(10000)(f);
       }},
  };
  for (const TCas& c : cas) {
    SCOPED_TRACE(c.nom);
    test::TDossierTemporaire abime;
    test::TFichiers fichiers = origine;
    c.abimer(fichiers);
    test::Ecrire_Fichiers(abime.Chemin(), fichiers);
    const TLecture attendu = Une_Passe(abime.Texte());
    EXPECT_GT(attendu.bulletins[0], 1000);
    EXPECT_EQ(attendu.erreur.empty(), c.issue != TIssue::Erreur) << attendu.erreur;
    EXPECT_EQ(attendu.avertissements.empty(), c.issue != TIssue::Avertissement);
    for (int fils : {1, 2, 3}) {
      SCOPED_TRACE(std::to_string(fils) + " fils");
      const TLecture l = Sur_Fils(abime.Texte(), fils);
      EXPECT_EQ(l.erreur, attendu.erreur);
      EXPECT_EQ(l.avertissements, attendu.avertissements);
      if (c.issue != TIssue::Erreur) {  // a totalling that fails counts nothing
        EXPECT_EQ(l.bulletins, attendu.bulletins);
        EXPECT_EQ(l.empreintes, attendu.empreintes);
      }
      for (size_t t = 0; t < 3; ++t) EXPECT_TRUE(test::Totaux_Identiques(l.totaux[t], attendu.totaux[t])) << t;
    }
  }
}

// Windows x64 starts a thread with a 53-bit mantissa: a totalling run from such a thread, on
// threads of its own, still gives the 64-bit sums of a scan on this one.
TEST(TotaliserBulletinsTest, AddsWithA64BitMantissaWhateverItsThreadsStartWith) {
  if (plateforme::Precision_Courante() == 0) GTEST_SKIP() << "pas de mot de contrôle x87 sur cette machine";
  std::mt19937 alea(53);
  test::TDossierTemporaire dossier;
  test::Ecrire_Paies(dossier.Chemin(), Paies(alea));
  test::Ecrire_Rubriques(dossier.Chemin(), {{"Salaire", "1"}});
  const TLecture attendu = Une_Passe(dossier.Texte());
  ASSERT_EQ(plateforme::Precision_Courante(), 64);
  TLecture l;
  long double a_53_bits = 0, a_64_bits = 0;
  int precision_apres = 0;
  std::thread([&] {
    plateforme::Fixer_Precision(53);
    // These amounts tell the two precisions apart.
    for (int64_t compte = 1; compte < 1000; compte += 7) a_53_bits += Montant_De(compte * 12345);
    l = Sur_Fils(dossier.Texte(), 2);
    precision_apres = plateforme::Precision_Courante();
  }).join();
  for (int64_t compte = 1; compte < 1000; compte += 7) a_64_bits += Montant_De(compte * 12345);
  EXPECT_NE(a_53_bits, a_64_bits);
  EXPECT_EQ(l.erreur, "");
  EXPECT_EQ(precision_apres, 64);
  for (size_t t = 0; t < 3; ++t) EXPECT_TRUE(test::Totaux_Identiques(l.totaux[t], attendu.totaux[t])) << t;
}
