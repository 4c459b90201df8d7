// A systematic run of random structural damage, from fixed seeds, over the sample folder and
// tables of other writers, every month of each: a calculation gives the undamaged recap, stops
// with an error naming a file of the folder, or warns of payslips that account for the whole
// difference. A different recap without a word is the fault this run looks for.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <cstdlib>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "Dommages.h"
#include "KORVEX_procs.h"
#include "dbase/Table.h"
#include "platform/Erreurs.h"
#include "recap/Controle_Paies.h"
#include "recap/Controles.h"
#include "recap/Cumuls.h"
#include "recap/Resume.h"
#include "support/Dossier_Temporaire.h"

namespace {

using test::TFichiers;
using test::Tirer;

// Damage that keeps the files' data wrong, never damage that makes other valid data: a deletion
// flag becomes neither a blank nor "*", a month field no month, and a pointer another record's,
// since a pointer to a block no record names would be another payslip's memo.
std::string Abimer(TFichiers& f, std::mt19937& alea) {
  const std::string table = Tirer(alea, 4) == 0 ? "RUBRIQUE.DTA" : "PAIES.DTA";
  const std::string memo = test::Nom_Memo(f);
  std::string& t = f[table];
  std::string& m = f[memo];
  const uint32_t enregistrements = test::Nombre_Annonce(t);
  const size_t bloc = test::Taille_Bloc_Memo(f);
  const size_t blocs = m.size() / bloc;
  switch (Tirer(alea, 9)) {
    case 7: {
      if (table != "PAIES.DTA") return "rien";
      const int64_t n = 1 + Tirer(alea, enregistrements);
      const size_t position = test::Debut_Mois(t, n) + Tirer(alea, 7);
      std::string mois = t.substr(test::Debut_Mois(t, n), 7);
      do mois[position - test::Debut_Mois(t, n)] = static_cast<char>(Tirer(alea, 256));
      while (recap::Mois_Valide(mois));
      t.replace(test::Debut_Mois(t, n), 7, mois);
      return table + " : mois de l'enregistrement " + std::to_string(n) + " : " + recap::Octets_Visibles(mois);
    }
    case 8: {
      if (table != "PAIES.DTA") return "rien";
      const int64_t de = 1 + Tirer(alea, enregistrements), vers = 1 + Tirer(alea, enregistrements);
      const std::string pointeur = test::Pointeur_Memo(t, vers);
      t.replace(test::Debut_Montants(t, de), pointeur.size(), pointeur);
      return table + " : l'enregistrement " + std::to_string(de) + " désigne le mémo du " + std::to_string(vers);
    }
    case 0: {
      const size_t taille = Tirer(alea, static_cast<uint32_t>(t.size()));
      t.resize(taille);
      return table + " coupé à " + std::to_string(taille) + " octets";
    }
    case 1: {
      const size_t position = 4 + Tirer(alea, 8);
      const auto avant = static_cast<unsigned char>(t[position]);
      // A small change of a count or a length, or any byte.
      t[position] = static_cast<char>(Tirer(alea, 2) ? avant + Tirer(alea, 5) - 2 : Tirer(alea, 256));
      return table + " : octet " + std::to_string(position) + " de l'en-tête " + std::to_string(avant) + " -> " +
             std::to_string(static_cast<unsigned char>(t[position]));
    }
    case 2: {
      const int64_t n = 1 + Tirer(alea, enregistrements);
      t[test::Debut_Enregistrement(t, n)] = 0x1A;
      return table + " : marque de fin au début de l'enregistrement " + std::to_string(n);
    }
    case 3: {
      const int64_t premier = 1 + Tirer(alea, enregistrements);
      const int64_t dernier = std::min<int64_t>(enregistrements, premier + Tirer(alea, 3));
      char octet;
      do octet = static_cast<char>(Tirer(alea, 256));
      while (octet == ' ' || octet == '*');
      for (int64_t n = premier; n <= dernier; ++n) t[test::Debut_Enregistrement(t, n)] = octet;
      return table + " : indicateur " + std::to_string(static_cast<unsigned char>(octet)) + " aux enregistrements " +
             std::to_string(premier) + " à " + std::to_string(dernier);
    }
    case 4: case 5: {
      const size_t b = 1 + Tirer(alea, static_cast<uint32_t>(blocs - 1));
      const bool zero = Tirer(alea, 2) == 0;
      if (zero)
        m.replace(b * bloc, bloc, std::string(bloc, '\0'));
      else
        test::Brouiller(m, b * bloc, bloc, alea);
      return memo + " : bloc " + std::to_string(b) + (zero ? " à zéro" : " brouillé");
    }
    default: {
      const size_t taille = Tirer(alea, static_cast<uint32_t>(m.size()));
      m.resize(taille);
      return memo + " coupé à " + std::to_string(taille) + " octets";
    }
  }
}

enum TClasse { Identique, Erreur, Avertissement, Indiscernable, Silencieux, Nombre_Classes };
const char* const Noms_Classes[] = {"recap identique", "erreur", "avertissement cohérent",
                                    "mémo devenu un mémo valide sans montant", "recap différente sans un mot"};

// An error names a file of the folder by the name it has when the user reads it.
bool Nomme_Un_Fichier(const std::string& erreur, const std::string& dossier) {
  for (const char* nom : {"PAIES.DTA", "RUBRIQUE.DTA", "PAIES.DBT", "PAIES.FPT"})
    if (erreur.find(dossier + "\\" + nom) != std::string::npos) return true;
  return false;
}

// Damage that turned a memo into another valid memo that holds no amount (a block whose first
// byte became the end mark reads as an empty memo, as python3-dbf writes one): no format rule
// tells it from a payslip without amounts. True when such memos, counted without amounts,
// account for the whole difference.
bool Memos_Devenus_Vides(const test::TIssue& r, const std::filesystem::path& abime, const std::filesystem::path& intact,
                         const std::string& mois, test::TPlages sans) {
  const auto avant = test::Memos_Du_Mois(intact, mois);
  int vides = 0;
  for (const auto& [enregistrement, texte] : test::Memos_Du_Mois(abime, mois)) {
    const auto origine = avant.find(enregistrement);
    if (origine == avant.end() || origine->second == texte) continue;
    TTAB_VALEURS valeurs;
    TDecodage decodage(&valeurs);
    try {
      Memo_Montants_Decoder(texte, decodage);
    } catch (const plateforme::EKorvex&) {
      return false;
    }
    if (!decodage.Rubriques.empty()) return false;
    sans.emplace_back(enregistrement, enregistrement);
    ++vides;
  }
  const test::TReference attendu = test::Reference(intact, mois, sans);
  return vides > 0 && r.bilan.Bulletins == attendu.Bulletins + vides && test::Totaux_Identiques(r.TOT_RUB, attendu.TOT_RUB);
}

// Every warning names the records it leaves out: none is a word that explains nothing.
bool Chacun_Nomme(const std::vector<std::string>& avertissements) {
  return std::all_of(avertissements.begin(), avertissements.end(),
                     [](const std::string& a) { return !test::Non_Comptes({a}).empty(); });
}

TClasse Classer(const test::TIssue& r, const std::filesystem::path& abime, const std::filesystem::path& intact,
                const std::string& mois, std::string& detail) {
  if (!r.erreur.empty()) {
    if (Nomme_Un_Fichier(r.erreur, abime.string()) && r.erreur.find("PAIES.DBF") == std::string::npos &&
        !r.bilan.Grille_Commencee)
      return Erreur;
    detail = "erreur : " + r.erreur;
    return Silencieux;
  }
  const test::TPlages sans = test::Non_Comptes(r.bilan.Avertissements);
  // The count on screen says some are left out exactly when a warning names some.
  if ((r.bilan.Avertissements.Non_Comptes > 0) == sans.empty()) {
    detail = std::to_string(r.bilan.Avertissements.Non_Comptes) + " bulletins non comptés annoncés";
    return Silencieux;
  }
  const test::TReference attendu = test::Reference(intact, mois, sans);
  if (Chacun_Nomme(r.bilan.Avertissements) && r.bilan.Bulletins == attendu.Bulletins &&
      test::Totaux_Identiques(r.TOT_RUB, attendu.TOT_RUB))
    return sans.empty() ? Identique : Avertissement;
  if (Chacun_Nomme(r.bilan.Avertissements) && Memos_Devenus_Vides(r, abime, intact, mois, sans))
    return Indiscernable;
  detail = std::to_string(r.bilan.Bulletins) + " bulletins au lieu de " + std::to_string(attendu.Bulletins);
  for (const std::string& a : r.bilan.Avertissements) detail += "\n  " + a;
  return Silencieux;
}

// The employees whose payslips of the month, and of its reference, the warnings leave out, as the
// undamaged folder names them.
std::array<std::set<std::string>, 2> Salaries_Omis(const std::filesystem::path& intact, const recap::TControles& c) {
  std::array<std::set<std::string>, 2> cles;
  dbase::TTable t;
  t.AfficherSupprimes = true;
  test::Ouvrir(t, intact);
  for (const auto& [premier, dernier] : test::Non_Comptes(c.Avertissements))
    for (int64_t n = premier; n <= dernier && n <= t.RecordCount(); ++n) {
      t.Aller_A(n);
      const std::string mois = t.FieldByName("MOIS").AsString().substr(0, 7);
      if (mois != c.Mois && mois != c.Reference) continue;
      if (const auto cle = recap::Cle_Salarie(recap::Champs_Bulletin(t))) cles[mois == c.Mois ? 0 : 1].insert(*cle);
    }
  return cles;
}

// No entry, exit or variance is stated as a fact of an employee whose payslip of either month a
// warning left out, nor a duplicate of one whose payslip of the month it left out: damage made it
// unknown. "" when so.
std::string Constats_Sur_Omis(const std::filesystem::path& intact, const recap::TControles& c) {
  const auto omis = Salaries_Omis(intact, c);
  using recap::TControle;
  for (const recap::TConstat& k : c.Constats) {
    if (k.Niveau == recap::TNiveau::Non_Verifiable) continue;
    if (k.Controle != TControle::Entree && k.Controle != TControle::Sortie && k.Controle != TControle::Doublon &&
        k.Controle != TControle::Ecart_Net)
      continue;
    const auto cle = recap::Cle_Salarie(k.Identite);
    if (cle && (omis[0].count(*cle) || (k.Controle != TControle::Doublon && omis[1].count(*cle))))
      return "contrôles de " + c.Mois + " : « " + k.Texte + " » pour un salarié dont un bulletin n'est pas compté";
  }
  return "";
}

// No month is said to have no payslip when a warning left out one of its payslips, as the
// undamaged folder dates them. "" when so.
std::string Mois_Dits_Vides(const std::filesystem::path& intact, const recap::TCumuls& cumuls) {
  std::set<std::string> omis;
  dbase::TTable t;
  t.AfficherSupprimes = true;
  test::Ouvrir(t, intact);
  for (const auto& [premier, dernier] : test::Non_Comptes(cumuls.Avertissements))
    for (int64_t n = premier; n <= dernier && n <= t.RecordCount(); ++n) {
      t.Aller_A(n);
      omis.insert(t.FieldByName("MOIS").AsString().substr(0, 7));
    }
  for (const std::string& ligne : recap::Lignes_Resume_Cumuls(cumuls)) {
    if (ligne.rfind("Aucun bulletin", 0) != 0) continue;
    for (const std::string& m : omis)
      if (ligne.find(m) != std::string::npos) return "cumuls : « " + ligne + " » quand un bulletin de " + m + " n'est pas compté";
  }
  return "";
}

// The cumuls of the table's months and each month's controls, on the same damaged folder: one scan
// whose months share their buckets gives each month its recap to the bit, or fails as one did;
// the nets of the controls add up to the recap's net. "" when so, else what differs.
std::string Cumuls_Et_Controles(const std::string& dossier, const std::filesystem::path& intact,
                                const std::vector<std::string>& mois, const std::vector<test::TIssue>& recaps) {
  std::vector<int> rangs;
  for (const std::string& m : mois)
    if (const auto r = recap::Rang_Mois(m)) rangs.push_back(*r);
  if (rangs.empty()) return "";
  const auto [premier, dernier] = std::minmax_element(rangs.begin(), rangs.end());
  if (*dernier - *premier >= recap::Mois_Cumuls_Max) return "";
  const bool echec = std::any_of(recaps.begin(), recaps.end(), [](const test::TIssue& r) { return !r.erreur.empty(); });
  std::optional<recap::TCumuls> cumuls;
  try {
    cumuls = recap::Cumuler(dossier, {*premier, *dernier}, [](const std::string&) {});
  } catch (const plateforme::EKorvex&) {
    return echec ? "" : "les cumuls échouent où chaque récap aboutit";
  }
  if (echec) return "les cumuls aboutissent où une récap échoue";
  if (std::string faute = Mois_Dits_Vides(intact, *cumuls); !faute.empty()) return faute;
  for (size_t i = 0; i < mois.size(); ++i) {
    const auto rang = recap::Rang_Mois(mois[i]);
    if (!rang) continue;
    const auto k = static_cast<size_t>(*rang - *premier);
    for (int r = TTAB_VALEURS::Premier; r <= TTAB_VALEURS::Dernier; ++r)
      if (!recap::Memes_Bits(cumuls->Totaux_Mois[k][r], recaps[i].TOT_RUB[r]))
        return "cumuls de " + mois[i] + ", rubrique " + std::to_string(r) + " : pas le total de sa récap";
    if (cumuls->Resumes[k].Bulletins != recaps[i].bilan.Bulletins) return "cumuls de " + mois[i] + " : pas ses bulletins";
    const auto c = recap::Controler({dossier, mois[i], "", recap::Seuil_Defaut}, [](const std::string&) {});
    if (!c) continue;
    if (static_cast<int>(c->Nets.size()) != recaps[i].bilan.Bulletins) return "contrôles de " + mois[i] + " : pas ses bulletins";
    if (std::string faute = Constats_Sur_Omis(intact, *c); !faute.empty()) return faute;
    plateforme::TSomme_Exacte somme = 0;
    for (const auto& [enregistrement, net] : c->Nets) somme += net;
    const recap::TClasses classes(dossier);
    long double gains = 0, retenues = 0;
    for (int r = TTAB_VALEURS::Premier; r <= TTAB_VALEURS::Dernier; ++r) {
      const long double t = recaps[i].TOT_RUB[r];
      if (std::fabs(t) <= Seuil_Negligeable) continue;
      if (classes.Colonne[static_cast<size_t>(r)] == recap::Colonne_Gains) gains += t;
      if (classes.Colonne[static_cast<size_t>(r)] == recap::Colonne_Retenues) retenues += t;
    }
    if (recap::Cellule_Montant(plateforme::Montant_Exact(somme)).Texte != recap::Cellule_Montant(gains - retenues).Texte)
      return "contrôles de " + mois[i] + " : les nets ne font pas le net de la récap";
  }
  return "";
}

// Under Wine every file operation goes through its server: a tenth of the draws takes as long
// there as the whole run here.
#ifdef _WIN32
constexpr int Part_Des_Tirages = 10;
#else
constexpr int Part_Des_Tirages = 1;
#endif

// A longer campaign, by hand: KORVEX_DOMMAGES_FOIS=50 KORVEX_DOMMAGES_GRAINE=10000 draws fifty
// times as many damages, from other seeds.
int Entier_Env(const char* nom, int defaut) {
  const char* v = std::getenv(nom);
  return v != nullptr && *v != '\0' ? std::atoi(v) : defaut;
}

TEST(DommagesHasardTest, NoRandomDamageGivesADifferentRecapWithoutAWord) {
  const int fois = std::max(1, Entier_Env("KORVEX_DOMMAGES_FOIS", 1)), depart = Entier_Env("KORVEX_DOMMAGES_GRAINE", 0);
  // The sample is the payroll application's own format; the others bring FoxPro and dBase IV memos.
  const std::vector<std::pair<std::string, int>> sources = {{"", 300}, {"fp_1252", 60}, {"tdbf_4", 60}, {"vfp_1252", 60}};
  test::TDossierTemporaire intact, abime;
  int comptes[Nombre_Classes] = {};
  int autres_scans = 0;  // damaged folders read again by the cumuls and the controls
  std::vector<std::string> fautes;
  for (const auto& [fixture, tirages] : sources) {
    const TFichiers original = fixture.empty() ? test::Exemple() : test::Avec_Fixture(fixture);
    test::Ecrire_Fichiers(intact.Chemin(), original);
    const std::vector<std::string> mois = test::Mois_Des_Paies(intact.Chemin());
    for (int graine = depart; graine < depart + fois * tirages / Part_Des_Tirages; ++graine) {
      std::mt19937 alea(static_cast<uint32_t>(graine));
      TFichiers f = original;
      const std::string dommage = (fixture.empty() ? "exemple" : fixture) + ", graine " + std::to_string(graine) +
                                  " : " + Abimer(f, alea);
      test::Ecrire_Fichiers(abime.Chemin(), f);
      std::vector<test::TIssue> recaps;
      for (const std::string& m : mois) {
        const test::TIssue& r = recaps.emplace_back(test::Calculer(abime.Chemin(), m));
        ASSERT_TRUE(r.dossier_intact) << dommage;
        ASSERT_EQ(r.messages, std::vector<std::string>{}) << dommage;
        std::string detail;
        const TClasse c = Classer(r, abime.Chemin(), intact.Chemin(), m, detail);
        ++comptes[c];
        if (c == Silencieux) fautes.push_back(dommage + ", " + m + " : " + detail);
      }
      const test::TFichiers avant = test::Lire_Fichiers(abime.Chemin());
      const std::string ecart = Cumuls_Et_Controles(abime.Texte(), intact.Chemin(), mois, recaps);
      if (!ecart.empty()) fautes.push_back(dommage + " : " + ecart);
      if (test::Lire_Fichiers(abime.Chemin()) != avant) fautes.push_back(dommage + " : dossier changé par les cumuls ou les contrôles");
      ++autres_scans;
    }
  }
  std::string bilan;
  for (int c = 0; c < Nombre_Classes; ++c) bilan += std::string(c ? ", " : "") + Noms_Classes[c] + " " + std::to_string(comptes[c]);
  std::cout << "Calculs sur dossiers abîmés : " << bilan << " ; cumuls et contrôles sur " << autres_scans << " dossiers\n";
  for (size_t i = 0; i < fautes.size() && i < 10; ++i) ADD_FAILURE() << fautes[i];
  EXPECT_EQ(comptes[Silencieux], 0) << bilan;
  // The run reaches every outcome, or it proves little.
  EXPECT_GT(comptes[Identique], 0);
  EXPECT_GT(comptes[Erreur], 0);
  EXPECT_GT(comptes[Avertissement], 0);
}

}  // namespace
