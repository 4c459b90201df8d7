// korvex-recap: the recap of one month on the command line, for month-end scripts. It runs the
// very click of the window's button and prints the grid that click leaves.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/Console.h"
#include "platform/Erreurs.h"
#include "KORVEX_procs.h"
#include "recap/Recap.h"
#include "platform/Separateurs.h"
#include "platform/Textes.h"

namespace {

constexpr int Sortie_Succes = 0;
constexpr int Sortie_Message = 1;  // one of the program's own messages
constexpr int Sortie_Erreur = 2;   // an error, as the error box shows it
constexpr int Sortie_Usage = 64;   // bad arguments

struct TArguments {
  bool aide = false;
  bool csv = false;
  std::string dossier, mois;
  std::string faute;  // why the arguments are refused; empty when they are right
};

TArguments Lire_Arguments(const std::vector<std::string>& arguments) {
  TArguments lus;
  std::vector<std::string> positionnels;
  bool options_finies = false;
  for (const auto& a : arguments) {
    if (options_finies || a.size() < 2 || a[0] != '-') positionnels.push_back(a);
    else if (a == "--") options_finies = true;
    else if (a == "--help" || a == "-h") lus.aide = true;
    else if (a == "--csv") lus.csv = true;
    else if (lus.faute.empty()) lus.faute = textes::Cli_Option_Inconnue + a;
  }
  if (lus.faute.empty() && positionnels.size() != 2)
    lus.faute = positionnels.size() < 2 ? textes::Cli_Dossier_Et_Mois : textes::Cli_Trop_Arguments;
  if (positionnels.size() == 2) {
    lus.dossier = positionnels[0];
    lus.mois = positionnels[1];
  }
  return lus;
}

// One line per cell row: a tab or a line break inside a text would break the layout.
std::string Cellule_Tabulee(const std::string& texte) {
  std::string sortie;
  sortie.reserve(texte.size());
  for (size_t i = 0; i < texte.size(); ++i) {
    const char c = texte[i];
    if (c == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n') continue;  // one break, one space
    sortie += c == '\t' || c == '\r' || c == '\n' ? ' ' : c;
  }
  return sortie;
}

std::string Cellule_Csv(const std::string& texte) {
  if (texte.find_first_of(";\"\r\n") == std::string::npos) return texte;
  std::string sortie = "\"";
  for (char c : texte) {
    if (c == '"') sortie += '"';
    sortie += c;
  }
  return sortie + "\"";
}

std::string Ligne(const recap::TGrille& grille, int rangee, bool csv) {
  std::string ligne;
  for (int c = 0; c < recap::TGrille::ColCount; ++c) {
    if (c > 0) ligne += csv ? ';' : '\t';
    const std::string& cellule = grille.Cells(c, rangee);
    ligne += csv ? Cellule_Csv(cellule) : Cellule_Tabulee(cellule);
  }
  return ligne + "\n";
}

// The header row, then every data row that holds a rubric.
std::string Texte_Grille(const recap::TGrille& grille, bool csv) {
  std::string texte = Ligne(grille, 0, csv);
  for (int r = 1; r < grille.RowCount(); ++r) {
    if (!grille.Cells(0, r).empty()) texte += Ligne(grille, r, csv);
  }
  return texte;
}

int Calculer(const TArguments& arguments) {
  TTAB_VALEURS TOT_RUB;
  recap::TGrille grille;
  bool message_montre = false;
  const auto message = [&](const std::string& texte) {
    message_montre = true;
    plateforme::Ecrire_Console(stderr, texte + "\n");
  };
  const auto erreur = [](const std::string& texte) { plateforme::Ecrire_Console(stderr, texte + "\n"); };
  const bool reussi = plateforme::Executer_Sous_Garde(erreur, [&] {
    recap::Calculer_Recap(arguments.dossier, arguments.mois, TOT_RUB, grille, message);
  });
  if (!reussi) return Sortie_Erreur;
  if (message_montre) return Sortie_Message;
  if (!plateforme::Ecrire_Console(stdout, Texte_Grille(grille, arguments.csv))) {
    erreur(textes::Cli_Ecriture_Impossible);
    return Sortie_Erreur;
  }
  return Sortie_Succes;
}

int Executer(int argc, char** argv) {
  plateforme::Lire_Separateurs_Utilisateur();
  const TArguments arguments = Lire_Arguments(plateforme::Arguments_Utf8(argc, argv));
  if (arguments.aide) return plateforme::Ecrire_Console(stdout, textes::Usage_Cli) ? Sortie_Succes : Sortie_Erreur;
  if (!arguments.faute.empty()) {
    plateforme::Ecrire_Console(stderr, "korvex-recap : " + arguments.faute + "\n\n" + textes::Usage_Cli);
    return Sortie_Usage;
  }
  return Calculer(arguments);
}

}  // namespace

int main(int argc, char** argv) {
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
