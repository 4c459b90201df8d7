// The command table every window turns into its menu and shortcuts, and what each entry does
// with the services a window gives it.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/Separateurs.h"
#include "recap/Commandes.h"
#include "recap/Resume.h"
#include "support/Dossier_Temporaire.h"
#include "support/Grilles.h"
#include "support/Message_Erreur.h"

namespace {

using recap::TCommande;
using recap::TPortee;

std::string Decrire(const std::vector<recap::TEntree_Commande>& entrees) {
  std::string texte;
  for (const auto& e : entrees) {
    if (e.Separateur_Avant) texte += "- ";
    texte += std::string(e.Texte) + (e.Touche ? " " + recap::Texte_Raccourci(e) : "") +
             (e.Portee == TPortee::Grille ? " (grille)" : "") + " | ";
  }
  return texte;
}

TEST(Commandes, EntriesOrderShortcutsAndWhereTheyWork) {
  const std::string copies =
      "Copier Ctrl+C (grille) | Copier tout le tableau (grille) | Tout sélectionner Ctrl+A (grille) | ";
  const std::string ouvertures =
      "- Détail de la rubrique… Ctrl+D (grille) | Comparer avec un autre mois… Ctrl+M | Cumuls de plusieurs mois… Ctrl+U | "
      "Contrôles du mois… Ctrl+K | ";
  const std::string sorties = "- Exporter en CSV… Ctrl+S | Exporter en Excel… Ctrl+E | Imprimer… Ctrl+P | ";
  for (auto genre : {recap::TGenre_Fenetre::Recap, recap::TGenre_Fenetre::Comparaison, recap::TGenre_Fenetre::Detail,
                     recap::TGenre_Fenetre::Cumuls, recap::TGenre_Fenetre::Controles, recap::TGenre_Fenetre::Bulletin,
                     recap::TGenre_Fenetre::Ecarts}) {
    const std::string attendu = copies + (genre == recap::TGenre_Fenetre::Recap ? ouvertures : "") + sorties;
    EXPECT_EQ(Decrire(recap::Commandes(genre, {false})), attendu);
    EXPECT_EQ(Decrire(recap::Commandes(genre, {true})), attendu + "Exporter en PDF… | ");
    EXPECT_EQ(recap::Commande_Activation(genre),
              genre == recap::TGenre_Fenetre::Recap ? std::optional(TCommande::Detail) : std::nullopt);
  }
  struct Cas {
    char touche;
    std::optional<TCommande> commande;
  };
  for (const Cas& c : {Cas{'C', TCommande::Copier}, {'A', TCommande::Tout_Selectionner}, {'S', TCommande::Exporter_Csv},
                       {'E', TCommande::Exporter_Excel}, {'D', TCommande::Detail}, {'M', TCommande::Comparer},
                       {'U', TCommande::Cumuls}, {'K', TCommande::Controles},
                       {'P', TCommande::Imprimer}, {'X', std::nullopt}, {0, std::nullopt}}) {
    const auto e = recap::Commande_De_Touche(recap::TGenre_Fenetre::Recap, {true}, c.touche);
    EXPECT_EQ(e ? std::optional(e->Commande) : std::nullopt, c.commande) << c.touche;
  }
  EXPECT_FALSE(recap::Commande_De_Touche(recap::TGenre_Fenetre::Detail, {true}, 'M'));
  // Every entry follows the state: only a grid that holds the last calculation leaves the
  // window, and the detail needs a rubric's row as well; the cumuls need a KORVEX folder alone.
  for (const auto& e : recap::Commandes(recap::TGenre_Fenetre::Recap, {true})) {
    const bool detail = e.Commande == TCommande::Detail, cumuls = e.Commande == TCommande::Cumuls;
    EXPECT_EQ(recap::Commande_Active(e.Commande, {true, true, false}), !cumuls) << e.Texte;
    EXPECT_EQ(recap::Commande_Active(e.Commande, {true, false, true}), !detail) << e.Texte;
    EXPECT_EQ(recap::Commande_Active(e.Commande, {false, false, true}), cumuls) << e.Texte;
  }
}

// A window whose every service records what it is asked.
struct Fenetre_Factice {
  std::vector<std::string> journal;
  recap::TZone selection{3, 1, 3, 2};
  std::optional<std::string> chemin;        // the save dialog's answer
  bool imprimante = false;                  // the print dialog's answer
  recap::TDemande_Impression demande;       // what the print dialog was given
  int curseurs_attente = 0;                 // wait cursors alive
  int rangee = 2;                           // the grid's current row

  recap::TServices_Fenetre Services() {
    recap::TServices_Fenetre s;
    s.Selection = [this] { return selection; };
    s.Presse_Papiers = [this](const std::string& t) { journal.push_back("presse-papiers " + t); };
    s.Tout_Selectionner = [this] { journal.push_back("tout"); };
    s.Demander_Chemin = [this](const recap::TDemande_Enregistrement& d) {
      journal.push_back("enregistrer " + d.Titre);
      return chemin;
    };
    s.Choisir_Imprimante = [this](const recap::TDemande_Impression& d) -> recap::TImprimante {
      demande = d;
      journal.push_back("imprimante");
      if (!imprimante) return {};
      return [this](const recap::TTableau& t) {
        journal.push_back("impression " + t.Titre + (curseurs_attente > 0 ? " (attente)" : ""));
      };
    };
    s.Pdf = [this](const recap::TTableau& t, const recap::TDemande_Impression& d) {
      journal.push_back("pdf " + d.Document + (curseurs_attente > 0 ? " (attente)" : ""));
      return "%PDF " + t.Titre;
    };
    s.Mesure = [](recap::TRole, const std::string& texte) { return 4.5 * static_cast<double>(texte.size()); };
    s.Rangee_Courante = [this] { return rangee; };
    s.Ouvrir_Comparaison = [this] { journal.push_back("comparaison"); };
    s.Ouvrir_Detail = [this](int rubrique) { journal.push_back("détail " + std::to_string(rubrique)); };
    s.Curseur = [this](bool attente) -> std::shared_ptr<void> {
      if (!attente) return {};
      ++curseurs_attente;
      return std::shared_ptr<void>(nullptr, [this](void*) { --curseurs_attente; });
    };
    return s;
  }
};

recap::TTableau Exemple() {
  TTAB_VALEURS totaux;
  const recap::TCalcul calcul{"/srv/KORVEX", "02-2024", 0, {}, {}, {}, {}, {}};
  return recap::Tableau_Recap(test::Grille({{"A", "B", "C", "D", "E"}, {"1", "Salaire", "", "10"}, {"2", "Prime", "", "5"}}),
                              totaux, &calcul);
}

TEST(Commandes, EachEntryDoesItsWorkThroughTheWindow) {
  plateforme::Fixer_Separateurs(U'.', U' ');
  test::TDossierTemporaire dossier;
  const recap::TTableau t = Exemple();
  struct Cas {
    TCommande commande;
    std::vector<std::string> journal;
  };
  const Cas cas[] = {
      {TCommande::Copier, {"presse-papiers 10\n5\n"}},
      {TCommande::Copier_Tout, {"presse-papiers A\tB\tC\tD\tE\n1\tSalaire\t\t10\t\n2\tPrime\t\t5\t\n"}},
      {TCommande::Tout_Selectionner, {"tout"}},
      {TCommande::Exporter_Csv, {"enregistrer Exporter la récap en CSV"}},
      {TCommande::Imprimer, {"imprimante"}},  // cancelled
      {TCommande::Exporter_Pdf, {"enregistrer Exporter la récap en PDF"}},  // cancelled
      {TCommande::Exporter_Excel, {"enregistrer Exporter la récap en Excel"}},  // cancelled
      {TCommande::Comparer, {"comparaison"}},
      {TCommande::Detail, {"détail 2"}},  // the current row's rubric
  };
  for (const Cas& c : cas) {
    Fenetre_Factice f;
    recap::Executer_Commande(c.commande, t, {false, false}, f.Services());
    EXPECT_TRUE(f.journal.empty()) << "grisée";
    recap::Executer_Commande(c.commande, t, {true, true}, f.Services());
    std::vector<std::string> attendu = c.journal;
    for (auto& ligne : attendu)
      if (ligne.rfind("presse-papiers", 0) == 0)
        for (size_t p = 0; (p = ligne.find('\n', p)) != std::string::npos; p += recap::Fin_Ligne_Systeme.size())
          ligne.replace(p, 1, recap::Fin_Ligne_Systeme);
    EXPECT_EQ(f.journal, attendu) << static_cast<int>(c.commande);
  }

  // Print and PDF once the user answers: the work is done under the wait cursor, which ends with it.
  Fenetre_Factice f;
  f.imprimante = true;
  f.chemin = (dossier.Chemin() / "recap.pdf").string();
  recap::Executer_Commande(TCommande::Imprimer, t, {true}, f.Services());
  recap::Executer_Commande(TCommande::Exporter_Pdf, t, {true}, f.Services());
  EXPECT_EQ(f.journal, (std::vector<std::string>{"imprimante", "impression Récap KORVEX — mois 02-2024 (attente)",
                                                 "enregistrer Exporter la récap en PDF",
                                                 "pdf Récap KORVEX 02-2024 (attente)"}));
  EXPECT_EQ(f.curseurs_attente, 0);
  EXPECT_EQ(f.demande.Document, "Récap KORVEX 02-2024");
  EXPECT_FALSE(f.demande.Format.Paysage());
  EXPECT_EQ(test::Contenu(dossier.Chemin() / "recap.pdf"), "%PDF Récap KORVEX — mois 02-2024");

  // The CSV goes whole to the chosen file; a file that cannot be written is an error in words.
  f.chemin = (dossier.Chemin() / "recap.csv").string();
  recap::Executer_Commande(TCommande::Exporter_Csv, t, {true}, f.Services());
  EXPECT_EQ(test::Contenu(dossier.Chemin() / "recap.csv"), recap::Contenu_Csv(t));
  f.chemin = (dossier.Chemin() / "absent" / "recap.csv").string();
  EXPECT_EQ(test::Message_Erreur([&] { recap::Executer_Commande(TCommande::Exporter_Csv, t, {true}, f.Services()); })
                .rfind("Impossible d'enregistrer le fichier " + *f.chemin + " : ", 0),
            0u);

  // A window that makes no PDF has no such service: the entry does nothing there.
  auto sans_pdf = f.Services();
  sans_pdf.Pdf = {};
  f.journal.clear();
  recap::Executer_Commande(TCommande::Exporter_Pdf, t, {true}, sans_pdf);
  EXPECT_TRUE(f.journal.empty());
}

TEST(Commandes, TheDetailTakesTheRubricOfTheCurrentRow) {
  const recap::TTableau t = Exemple();
  recap::TDernier_Calcul dernier;
  dernier.Calcul = recap::TCalcul{"/srv/KORVEX", "02-2024", 0, {}, {}, {}, {}, {}};
  struct Cas {
    int rangee;
    std::optional<int> rubrique;
  };
  for (const Cas& c : {Cas{0, std::nullopt}, {1, 1}, {2, 2}, {3, std::nullopt}, {-1, std::nullopt}}) {
    EXPECT_EQ(recap::Rubrique_De_Rangee(t, c.rangee), c.rubrique) << c.rangee;
    EXPECT_EQ(recap::Etat_Commandes(dernier, t, c.rangee, false).Rubrique_Courante, c.rubrique.has_value()) << c.rangee;
  }
  dernier.Echec = true;  // a stale grid is not detailed
  EXPECT_FALSE(recap::Etat_Commandes(dernier, t, 1, true).Rubrique_Courante);
  // The cumuls follow the folder check, whatever the grid holds.
  EXPECT_TRUE(recap::Commande_Active(TCommande::Cumuls, recap::Etat_Commandes(dernier, t, 1, true)));
  EXPECT_TRUE(recap::Controler_Dossier(KORVEX_EXEMPLES).KORVEX);
  EXPECT_FALSE(recap::Controler_Dossier("/nulle/part").KORVEX);
}

}  // namespace
