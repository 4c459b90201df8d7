// korvex-recap: the recap of one month on the command line, for month-end scripts. It runs the
// very click of the window's button and prints the grid that click leaves.
#include <cstdio>
#include <string>
#include <vector>

#include "Console.h"
#include "Erreurs.h"
#include "KORVEX_procs.h"
#include "Recap.h"
#include "Separateurs.h"

namespace {

constexpr int Sortie_Succes = 0;
constexpr int Sortie_Message = 1;  // one of the program's own messages
constexpr int Sortie_Erreur = 2;   // an error, as the error box shows it
constexpr int Sortie_Usage = 64;   // bad arguments

constexpr const char* Usage =
    "Usage : korvex-recap [--csv] DOSSIER MOIS\n"
    "        korvex-recap --help\n"
    "\n"
    "Calcule la récap d'un mois du dossier de données KORVEX, comme le bouton « Calculer Récap »\n"
    "de la fenêtre, et l'écrit en UTF-8 sur la sortie standard : la ligne d'en-tête, puis une\n"
    "ligne par rubrique, cellules séparées par des tabulations.\n"
    "\n"
    "  DOSSIER  le dossier de données, tel qu'on le taperait dans la fenêtre (C:\\KORVEX)\n"
    "  MOIS     le mois à totaliser, sous la forme mm-aaaa (03-2011)\n"
    "\n"
    "Options :\n"
    "  --csv    cellules séparées par « ; », pour un tableur en français\n"
    "  --help   affiche cette aide\n"
    "  --       fin des options (pour un DOSSIER ou un MOIS qui commence par « - »)\n"
    "\n"
    "Les totaux s'écrivent avec le séparateur décimal des paramètres régionaux de l'utilisateur.\n"
    "\n"
    "Codes de sortie :\n"
    "  0   la récap est écrite\n"
    "  1   message du programme (mois mal précisé, PAIES.DTA non trouvé), sur la sortie d'erreur\n"
    "  2   erreur pendant le calcul, sur la sortie d'erreur ; rien n'est écrit sur la sortie standard\n"
    "  64  arguments incorrects\n";

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
    else if (lus.faute.empty()) lus.faute = "option inconnue : " + a;
  }
  if (lus.faute.empty() && positionnels.size() != 2)
    lus.faute = positionnels.size() < 2 ? "il faut un DOSSIER et un MOIS" : "trop d'arguments";
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
    erreur("Impossible d'écrire la récap sur la sortie standard.");
    return Sortie_Erreur;
  }
  return Sortie_Succes;
}

int Executer(int argc, char** argv) {
  plateforme::Lire_Separateurs_Utilisateur();
  const TArguments arguments = Lire_Arguments(plateforme::Arguments_Utf8(argc, argv));
  if (arguments.aide) return plateforme::Ecrire_Console(stdout, Usage) ? Sortie_Succes : Sortie_Erreur;
  if (!arguments.faute.empty()) {
    plateforme::Ecrire_Console(stderr, "korvex-recap : " + arguments.faute + "\n\n" + Usage);
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
    std::fputs("Mémoire insuffisante.\n", stderr);
    return Sortie_Erreur;
  }
}
