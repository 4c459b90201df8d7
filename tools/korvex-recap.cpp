// korvex-recap: the recap of one month or of a period on the command line, for month-end
// scripts. It runs the very click of the window's button and prints the grid that click leaves,
// its summary, or both as JSON.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "Cli_Comparaison.h"
#include "Cli_Controles.h"
#include "Cli_Cumuls.h"
#include "Cli_Detail.h"
#include "Execution_Cli.h"
#include "KORVEX_procs.h"
#include "platform/Console.h"
#include "platform/Erreurs.h"
#include "platform/Format_Nombres.h"
#include "platform/Precision.h"
#include "platform/Separateurs.h"
#include "platform/Textes.h"
#include "recap/Cumuls.h"
#include "recap/Export.h"
#include "recap/Json.h"
#include "recap/Recap.h"
#include "recap/Resume.h"

namespace {

using cli::Sortie_Erreur;
using cli::Sortie_Succes;
using cli::Sortie_Usage;

enum class TSortie { Tableau, Csv, Json, Resume, Classeur };

struct TArguments {
  bool aide = false;
  TSortie sortie = TSortie::Tableau;
  std::string dossier, mois, mois_fin;
  std::string classeur;  // --xlsx FICHIER
  std::optional<recap::TPeriode> periode;  // with MOIS_FIN
  std::optional<int> detail;  // --detail N: the payslips behind rubric N's total
  std::optional<std::string> comparer, seuil;  // --comparer MOIS_REF, --seuil P
  std::optional<recap::TDemande_Comparaison> comparaison;  // with --comparer
  bool cumuls = false;  // --cumuls: the period month by month
  std::optional<recap::TPeriode> periode_cumuls;
  bool controles = false;  // --controles, and its --reference MOIS_REF
  std::optional<std::string> reference;
  std::optional<recap::TDemande_Controles> demande_controles;
  bool bulletin_demande = false;  // --bulletin N
  std::optional<int64_t> bulletin;
  std::string faute;  // why the arguments are refused; empty when they are right
};

void Choisir_Sortie(TArguments& lus, TSortie sortie, bool& choisie) {
  if (choisie && lus.sortie != sortie && lus.faute.empty()) lus.faute = textes::Cli_Options_Exclusives;
  lus.sortie = sortie;
  choisie = true;
}

void Lire_Detail(TArguments& lus, const std::string& rubrique) {
  lus.detail = cli::Lire_Rubrique(rubrique);
  if (!lus.detail && lus.faute.empty()) lus.faute = textes::Cli_Rubrique_Incorrecte;
}

// The value after an option, empty when there is none: it is then refused as a bad value.
std::string Valeur_Option(const std::vector<std::string>& arguments, size_t& i) {
  return i + 1 < arguments.size() ? arguments[++i] : std::string();
}

// The recap's folder, month and period, compared with the month of --comparer; with --detail,
// the rubric's gaps by employee, of a month.
void Lire_Comparaison(TArguments& lus) {
  if (!lus.comparer) {
    if (lus.seuil && !lus.controles && lus.faute.empty()) lus.faute = textes::Cli_Seuil_Sans_Comparer;
    return;
  }
  if (lus.detail && lus.faute.empty()) {
    if (lus.periode) lus.faute = textes::Cli_Ecarts_Sans_Periode;
    else if (lus.seuil) lus.faute = textes::Cli_Seuil_Ecarts;
  }
  if (lus.sortie == TSortie::Resume && lus.faute.empty()) lus.faute = textes::Cli_Resume_Comparaison;
  recap::TDemande_Comparaison demande{lus.dossier, lus.mois, "", lus.periode};
  const std::string faute = cli::Lire_Options_Comparaison(*lus.comparer, lus.seuil, demande);
  if (lus.faute.empty()) lus.faute = faute;
  lus.comparaison = demande;
}

// With --cumuls, a period of one to 36 months is required, and it excludes the other tables.
void Lire_Cumuls(TArguments& lus, const std::vector<std::string>& positionnels) {
  if (!lus.cumuls || !lus.faute.empty()) return;
  if (lus.detail || lus.comparer || lus.sortie == TSortie::Resume) {
    lus.faute = textes::Cli_Cumuls_Exclusifs;
  } else if (positionnels.size() != 3) {
    lus.faute = textes::Cli_Cumuls_Sans_Fin;
  } else {
    const recap::TPeriode_Lue p = recap::Lire_Periode_Cumuls(positionnels[1], positionnels[2]);
    lus.periode_cumuls = p.Periode;
    lus.faute = p.Message;
  }
}

// --controles: a month, against --reference or the month before, at --seuil.
void Lire_Controles(TArguments& lus, const std::vector<std::string>& positionnels) {
  if (!lus.controles) {
    if (lus.reference && lus.faute.empty()) lus.faute = textes::Cli_Reference_Sans_Controles;
    return;
  }
  if (!lus.faute.empty()) return;
  recap::TDemande_Controles demande{lus.dossier, lus.mois, lus.reference.value_or("")};
  if (lus.detail || lus.comparer || lus.cumuls || lus.sortie == TSortie::Resume) lus.faute = textes::Cli_Controles_Exclusifs;
  else if (positionnels.size() != 2) lus.faute = textes::Cli_Controles_Sans_Mois;
  else if (lus.reference && !recap::Rang_Mois(recap::Sans_Blancs(*lus.reference))) lus.faute = textes::Cli_Reference_Incorrecte;
  else if (lus.reference) lus.faute = cli::Refus_Reference(lus.mois, std::nullopt, *lus.reference);
  const auto seuil = lus.seuil ? recap::Lire_Seuil(*lus.seuil) : std::optional<recap::TSeuil>(recap::Seuil_Defaut);
  if (!seuil && lus.faute.empty()) lus.faute = textes::Cli_Seuil_Incorrect;
  demande.Seuil = seuil.value_or(recap::Seuil_Defaut);
  lus.demande_controles = demande;
}

// --bulletin N: a folder alone, and no other table.
void Lire_Bulletin(TArguments& lus, const std::vector<std::string>& positionnels) {
  if (!lus.faute.empty()) return;
  if (!lus.bulletin) lus.faute = textes::Cli_Bulletin_Incorrect;
  else if (lus.detail || lus.comparer || lus.cumuls || lus.controles || lus.sortie == TSortie::Resume)
    lus.faute = textes::Cli_Bulletin_Exclusif;
  else if (positionnels.size() != 1) lus.faute = textes::Cli_Bulletin_Dossier;
  if (!positionnels.empty()) lus.dossier = positionnels[0];
}

TArguments Lire_Arguments(const std::vector<std::string>& arguments) {
  TArguments lus;
  std::vector<std::string> positionnels;
  bool options_finies = false, sortie_choisie = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    if (options_finies || a.size() < 2 || a[0] != '-') positionnels.push_back(a);
    else if (a == "--") options_finies = true;
    else if (a == "--detail") Lire_Detail(lus, Valeur_Option(arguments, i));
    else if (a == "--comparer" || a == "--seuil") (a == "--seuil" ? lus.seuil : lus.comparer) = Valeur_Option(arguments, i);
    else if (a == "--help" || a == "-h") lus.aide = true;
    else if (a == "--cumuls") lus.cumuls = true;
    else if (a == "--controles") lus.controles = true;
    else if (a == "--reference") lus.reference = Valeur_Option(arguments, i);
    else if (a == "--bulletin") {
      lus.bulletin_demande = true;
      lus.bulletin = cli::Lire_Enregistrement(Valeur_Option(arguments, i));
    }
    else if (a == "--csv") Choisir_Sortie(lus, TSortie::Csv, sortie_choisie);
    else if (a == "--json") Choisir_Sortie(lus, TSortie::Json, sortie_choisie);
    else if (a == "--resume") Choisir_Sortie(lus, TSortie::Resume, sortie_choisie);
    else if (a == "--xlsx") {
      Choisir_Sortie(lus, TSortie::Classeur, sortie_choisie);
      if (i + 1 < arguments.size()) lus.classeur = arguments[++i];
      else if (lus.faute.empty()) lus.faute = textes::Cli_Xlsx_Sans_Fichier;
    }
    else if (lus.faute.empty()) lus.faute = textes::Cli_Option_Inconnue + a;
  }
  if (lus.faute.empty() && lus.detail && lus.sortie == TSortie::Resume) lus.faute = textes::Cli_Detail_Sans_Resume;
  if (lus.bulletin_demande) {
    Lire_Bulletin(lus, positionnels);
    return lus;
  }
  if (lus.faute.empty() && (positionnels.size() < 2 || positionnels.size() > 3))
    lus.faute = positionnels.size() < 2 ? textes::Cli_Dossier_Et_Mois : textes::Cli_Trop_Arguments;
  if (positionnels.size() >= 2) {
    lus.dossier = positionnels[0];
    lus.mois = positionnels[1];
  }
  if (positionnels.size() == 3) {
    lus.mois_fin = positionnels[2];
    lus.periode = recap::Lire_Periode(lus.mois, lus.mois_fin);
    if (!lus.periode && lus.faute.empty()) lus.faute = textes::Cli_Periode_Incorrecte;
  }
  Lire_Comparaison(lus);
  Lire_Cumuls(lus, positionnels);
  Lire_Controles(lus, positionnels);
  return lus;
}

cli::TFormat_Tableau Format_Tableau(TSortie sortie) {
  switch (sortie) {
    case TSortie::Csv: return cli::TFormat_Tableau::Csv;
    case TSortie::Json: return cli::TFormat_Tableau::Json;
    case TSortie::Classeur: return cli::TFormat_Tableau::Classeur;
    default: return cli::TFormat_Tableau::Tabulations;
  }
}

// The recap as the window keeps it: the summary, the JSON and the workbook come from the core;
// only the choice of output is made here.
int Calculer(const TArguments& arguments) {
  return cli::Executer_Calcul([&](const recap::TAfficherMessage& message) -> std::optional<cli::TResultat> {
    TTAB_VALEURS TOT_RUB;
    recap::TGrille grille;
    recap::TBilan_Recap bilan;
    recap::Calculer_Recap(arguments.dossier, arguments.mois, TOT_RUB, grille, message, bilan, arguments.periode);
    if (!bilan.Grille_Remplie) return std::nullopt;
    const recap::TCalcul calcul = recap::Calcul_Fait(arguments.dossier, grille, TOT_RUB, bilan, arguments.periode);
    const recap::TTableau tableau = recap::Tableau_Recap(grille, TOT_RUB, &calcul);
    std::string sortie;
    if (arguments.sortie == TSortie::Resume) {
      for (const auto& ligne : tableau.Resume) sortie += ligne + "\n";
    } else {
      const auto format = Format_Tableau(arguments.sortie);
      sortie = cli::Sortie_Tableau(format, tableau, format == cli::TFormat_Tableau::Json ? recap::Json_Recap(calcul, tableau) : "",
                                   arguments.classeur);
    }
    return cli::TResultat{sortie, calcul.Avertissements};
  });
}

int Executer(int argc, char** argv) {
  plateforme::Lire_Separateurs_Utilisateur();
  const TArguments arguments = Lire_Arguments(plateforme::Arguments_Utf8(argc, argv));
  if (arguments.aide) return plateforme::Ecrire_Console(stdout, textes::Usage_Cli) ? Sortie_Succes : Sortie_Erreur;
  if (!arguments.faute.empty()) {
    plateforme::Ecrire_Console(stderr, "korvex-recap : " + arguments.faute + "\n\n" + textes::Usage_Cli);
    return Sortie_Usage;
  }
  const cli::TFormat_Tableau format = Format_Tableau(arguments.sortie);
  const cli::TDemande_Personnes personnes{arguments.dossier, format, arguments.classeur};
  if (arguments.bulletin_demande) return cli::Executer_Bulletin(personnes, *arguments.bulletin);
  if (arguments.demande_controles) return cli::Executer_Controles(personnes, *arguments.demande_controles);
  if (arguments.comparer && arguments.detail) return cli::Executer_Ecarts(personnes, arguments.mois, *arguments.comparer, *arguments.detail);
  if (arguments.comparaison) return cli::Comparer_En_Ligne(*arguments.comparaison, format, arguments.classeur);
  if (arguments.cumuls) return cli::Executer_Cumuls({arguments.dossier, *arguments.periode_cumuls, format, arguments.classeur});
  if (arguments.detail)
    return cli::Executer_Detail({arguments.dossier, arguments.mois, arguments.periode, *arguments.detail, format, arguments.classeur});
  return Calculer(arguments);
}

}  // namespace

int main(int argc, char** argv) {
  plateforme::Fixer_Precision_Etendue();
  plateforme::TConsoleUtf8 console;
  try {
    return Executer(argc, argv);
  } catch (...) {
    // Only an exhausted memory can get here: the calculation itself runs under its guard.
    std::fputs(textes::Memoire_Insuffisante, stderr);
    std::fputs(".\n", stderr);
    return Sortie_Erreur;
  }
}
