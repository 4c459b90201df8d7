// Every text the user can meet, from the one header that holds them: each is valid UTF-8 and
// not empty, and each that takes a part shows it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Caracteres.h"
#include "platform/Textes.h"

namespace {

bool Utf8_Valide(std::string_view texte) {
  for (size_t i = 0; i < texte.size();) {
    const size_t n = plateforme::Taille_Caractere_Utf8(texte, i);
    if (n == 1 && static_cast<unsigned char>(texte[i]) >= 0x80) return false;
    i += n;
  }
  return true;
}

struct TTexte {
  const char* nom;
  std::string texte;
  std::vector<std::string> parties;  // what the text must show of its arguments
};

std::vector<TTexte> Tous() {
  using namespace textes;
  const std::string c = "C:\\Données\\PAIES.DTA", d = "C:\\Données\\PAIES.DBF";
  return {
      {"Dossier_OK", Dossier_OK, {}},
      {"Dossier_Pas_KORVEX", Dossier_Pas_KORVEX, {}},
      {"Mois_Incorrect", Mois_Incorrect, {}},
      {"Entetes_Grille[0]", Entetes_Grille[0], {}},
      {"Entetes_Grille[1]", Entetes_Grille[1], {}},
      {"Entetes_Grille[2]", Entetes_Grille[2], {}},
      {"Entetes_Grille[3]", Entetes_Grille[3], {}},
      {"Entetes_Grille[4]", Entetes_Grille[4], {}},
      {"Fichier_Non_Trouve", Fichier_Non_Trouve(c), {c}},
      {"Calcul_Interrompu", Calcul_Interrompu(c, d), {c, d}},
      {"Temporaire_Existe", Temporaire_Existe(d), {d}},
      {"Renommage_Impossible", Renommage_Impossible(c, d, "raison"), {c, d, "raison"}},
      {"Erreur_Inattendue", Erreur_Inattendue, {}},
      {"Raison_Inattendue", Raison_Inattendue, {}},
      {"Memoire_Insuffisante", Memoire_Insuffisante, {}},
      {"Usage_Cli", Usage_Cli, {}},
      {"Cli_Option_Inconnue", Cli_Option_Inconnue, {}},
      {"Cli_Dossier_Et_Mois", Cli_Dossier_Et_Mois, {}},
      {"Cli_Trop_Arguments", Cli_Trop_Arguments, {}},
      {"Cli_Ecriture_Impossible", Cli_Ecriture_Impossible, {}},
      {"Ouverture_Impossible", Ouverture_Impossible(c, "raison"), {c, "raison"}},
      {"Lecture_Impossible", Lecture_Impossible(c, "raison"), {c, "raison"}},
      {"Raison_Introuvable", Raison_Introuvable, {}},
      {"Raison_Existe_Deja", Raison_Existe_Deja, {}},
      {"Raison_Acces_Refuse", Raison_Acces_Refuse, {}},
      {"Raison_Utilise", Raison_Utilise, {}},
      {"Raison_Protege_Ecriture", Raison_Protege_Ecriture, {}},
      {"Raison_Lecture_Seule", Raison_Lecture_Seule, {}},
      {"Raison_Volumes_Differents", Raison_Volumes_Differents, {}},
      {"Raison_Entree_Sortie", Raison_Entree_Sortie, {}},
      {"Raison_Nom_Trop_Long", Raison_Nom_Trop_Long, {}},
      {"Raison_Nom_Incorrect", Raison_Nom_Incorrect, {}},
      {"Raison_Lecteur_Pas_Pret", Raison_Lecteur_Pas_Pret, {}},
      {"Raison_Reseau_Introuvable", Raison_Reseau_Introuvable, {}},
      {"Raison_Dossier", Raison_Dossier, {}},
      {"Raison_Disque_Plein", Raison_Disque_Plein, {}},
      {"Raison_Memoire", Raison_Memoire, {}},
      {"Raison_Trop_De_Fichiers", Raison_Trop_De_Fichiers, {}},
      {"Raison_Reseau_Perdu", Raison_Reseau_Perdu, {}},
      {"Raison_Non_Pris_En_Charge", Raison_Non_Pris_En_Charge, {}},
      {"Raison_Trop_De_Liens", Raison_Trop_De_Liens, {}},
      {"Raison_Indisponible", Raison_Indisponible, {}},
      {"Raison_Trop_Grand", Raison_Trop_Grand, {}},
      {"Raison_Peripherique_Absent", Raison_Peripherique_Absent, {}},
      {"Raison_Non_Repertoriee", Raison_Non_Repertoriee(4242), {"4242"}},
      {"Raison_Pas_Fichier_Ordinaire", Raison_Pas_Fichier_Ordinaire(Genre_Tube), {Genre_Tube}},
      {"Raison_Lien_Pas_Fichier_Ordinaire", Raison_Lien_Pas_Fichier_Ordinaire(c, Genre_Dossier), {c, Genre_Dossier}},
      {"Genre_Peripherique", Genre_Peripherique, {}},
      {"Genre_Socket", Genre_Socket, {}},
      {"Entier_Incorrect", Entier_Incorrect("1x"), {"'1x'"}},
      {"Flottant_Incorrect", Flottant_Incorrect("1x"), {"'1x'"}},
      {"Rubrique_Incorrecte", Rubrique_Incorrecte("9x9"), {"'9x9'"}},
      {"Debordement_Entier", Debordement_Entier, {}},
      {"Alias_Inconnu", Alias_Inconnu("KORVEX"), {"'KORVEX'"}},
      {"Table_Fermee", Table_Fermee(d), {d}},
      {"Champ_Non_Trouve", Champ_Non_Trouve("LIBELLE"), {"'LIBELLE'"}},
      {"Champ_Etranger", Champ_Etranger(d), {d}},
      {"Acces_Champ_Impossible", Acces_Champ_Impossible("CLASSE", "Integer"), {"'CLASSE'", "Integer"}},
      {"Memo_Introuvable", Memo_Introuvable("PAIES.DBT", d), {"PAIES.DBT", d}},
      {"Vrai", Vrai, {}},
      {"Faux", Faux, {}},
      {"Table_Endommagee", Table_Endommagee(d, "détail"), {d, "détail"}},
      {"Table_Trop_Courte", Table_Trop_Courte(d, 7), {d, "7"}},
      {"Table_Non_Reconnue", Table_Non_Reconnue(d, "0x00"), {d, "0x00"}},
      {"Table_Plus_Courte_Que_Entete", Table_Plus_Courte_Que_Entete(d, 50, 97), {d, "50", "97"}},
      {"Entete_Tronquee", Entete_Tronquee(d), {d}},
      {"Entete_Trop_Petite", Entete_Trop_Petite(16), {"16"}},
      {"Entete_Incoherente", Entete_Incoherente(40), {"40"}},
      {"Descripteurs_Sans_Fin", Descripteurs_Sans_Fin, {}},
      {"Enregistrement_Incoherent", Enregistrement_Incoherent(9, 8), {"9", "8"}},
      {"Longueur_Champ_Imposee", Longueur_Champ_Imposee("CLASSE", 'I', 3, 4), {"CLASSE", "I", "3", "4"}},
      {"Enregistrement", Enregistrement(12), {"12"}},
      {"Table_Raccourcie", Table_Raccourcie(d, "enregistrement 3"), {d, "enregistrement 3"}},
      {"Valeur_Incorrecte", Valeur_Incorrecte("CLASSE", "enregistrement 3", "1x", "défaut"),
       {"CLASSE", "enregistrement 3", "'1x'", "défaut"}},
      {"Pas_Un_Nombre", Pas_Un_Nombre, {}},
      {"Memo_Du_Champ", Memo_Du_Champ("MONTANTS", "enregistrement 3", "défaut", "PAIES.DBT"),
       {"MONTANTS", "enregistrement 3", "défaut", "PAIES.DBT"}},
      {"Lieu_Memo", Lieu_Memo("Erreur", "MONTANTS", "enregistrement 3", d), {"Erreur", "MONTANTS", d}},
      {"Memo_Taille_Bloc_Nulle", Memo_Taille_Bloc_Nulle("PAIES.FPT"), {"PAIES.FPT"}},
      {"Memo_Pointeur_Incorrect", Memo_Pointeur_Incorrect, {}},
      {"Memo_Bloc_Au_Dela", Memo_Bloc_Au_Dela(99), {"99"}},
      {"Memo_Tronque", Memo_Tronque, {}},
      {"Memo_Trop_Pres_Fin", Memo_Trop_Pres_Fin, {}},
      {"Memo_Longueur_Incorrecte", Memo_Longueur_Incorrecte(7), {"7"}},
      {"Memo_Depasse_Fin", Memo_Depasse_Fin(70000), {"70000"}},
      {"Memo_Trop_Long", Memo_Trop_Long(5000000, 4), {"5000000", "4 Mo"}},
      {"Memo_Sans_Fin", Memo_Sans_Fin, {}},
      {"Memo_Sans_Fin_Dans", Memo_Sans_Fin_Dans(4), {"4"}},
      {"Titre_Impression", Titre_Impression("02-2024"), {"02-2024"}},
      {"Dossier_Imprime", Dossier_Imprime(c), {c}},
      {"Date_Calcul_Imprimee", Date_Calcul_Imprimee("29/02/2024 14:05"), {"29/02/2024 14:05"}},
      {"Pied_Page", Pied_Page(3, 19), {"3", "19"}},
      {"Points_Suspension", Points_Suspension, {}},
      {"Papier_Trop_Petit", Papier_Trop_Petit, {}},
      {"Action_Imprimer", Action_Imprimer, {}},
      {"Action_Exporter_Pdf", Action_Exporter_Pdf, {}},
      {"Titre_Export", Titre_Export(Designation_Comparaison, "PDF"), {"la comparaison", "PDF"}},
      {"Type_Fichiers_Pdf", Type_Fichiers_Pdf, {}},
      {"Document_Imprime", Document_Imprime("02-2024"), {"02-2024"}},
      {"Impression_Echouee", Impression_Echouee, {}},
      {"Pdf_Impossible", Pdf_Impossible, {}},
      {"Action_Exporter_Excel", Action_Exporter_Excel, {}},
      {"Nom_Cellule", Nom_Cellule("GAINS", "rubrique", "1 Salaire", ""), {"GAINS, rubrique 1 Salaire : vide"}},
      {"Type_Fichiers_Excel", Type_Fichiers_Excel, {}},
      {"Feuille_Sans_Nom", Feuille_Sans_Nom, {}},
      {"Titre_Periode", Titre_Periode("01-2024", "03-2024"), {"01-2024", "03-2024"}},
      {"Nom_Feuille_Periode", Nom_Feuille_Periode("01-2024", "03-2024"), {"01-2024", "03-2024"}},
      {"Classeur_Impossible", Classeur_Impossible("raison"), {"raison"}},
      {"Raison_Fichiers_Temporaires_Classeur", Raison_Fichiers_Temporaires_Classeur, {}},
      {"Raison_Bibliotheque_Classeur", Raison_Bibliotheque_Classeur(17), {"17"}},
      {"Temporaire_Impossible", Temporaire_Impossible(c, "raison"), {c, "raison"}},
      {"Cli_Xlsx_Sans_Fichier", Cli_Xlsx_Sans_Fichier, {}},
  };
}

TEST(TextesTest, EveryTextIsValidUtf8NotEmptyAndShowsItsParts) {
  for (const auto& t : Tous()) {
    EXPECT_FALSE(t.texte.empty()) << t.nom;
    EXPECT_TRUE(Utf8_Valide(t.texte)) << t.nom;
    EXPECT_EQ(t.texte.find('\0'), std::string::npos) << t.nom;
    for (const auto& partie : t.parties) EXPECT_NE(t.texte.find(partie), std::string::npos) << t.nom << " / " << partie;
  }
}

// French typography: guillemets hold their text with non-breaking spaces, so that no line breaks
// inside them; counts of one or none are singular.
TEST(TextesTest, GuillemetsKeepTheirTextAndSingularsStaySingular) {
  for (const auto& entree : std::filesystem::directory_iterator(KORVEX_TEXTES)) {
    if (!entree.path().filename().string().starts_with("Textes")) continue;
    std::ifstream source(entree.path());
    std::string ligne;
    for (int n = 1; std::getline(source, ligne); ++n) {
      if (ligne.find_first_not_of(' ') != std::string::npos && ligne.substr(ligne.find_first_not_of(' ')).starts_with("//"))
        continue;
      EXPECT_EQ(ligne.find("« "), std::string::npos) << entree.path().filename() << ":" << n;
      EXPECT_EQ(ligne.find(" »"), std::string::npos) << entree.path().filename() << ":" << n;
    }
  }
  using namespace textes;
  const struct {
    std::string texte, attendu;
  } cas[] = {
      {Octets(0), "0 octet"},
      {Octets(1), "1 octet"},
      {Octets(2), "2 octets"},
      {Nombre_Enregistrements(1), "1 enregistrement"},
      {Bulletins_Non_Comptes(1), "1 bulletin n'est pas compté :"},
      {Bulletins_Non_Comptes(6), "6 bulletins ne sont pas comptés :"},
      {Omission_Surplus(1, 2), "le fichier contient 2 enregistrements de plus que celui annoncé par son en-tête"},
  };
  for (const auto& c : cas) EXPECT_EQ(c.texte, c.attendu);
}

TEST(TextesTest, TheUtf8CheckRefusesMalformedBytes) {
  EXPECT_TRUE(Utf8_Valide("Débordement"));
  for (const char* faux : {"D\xe9" "bordement", "\xc3", "\xed\xa0\x80", "\xc0\xaf"}) EXPECT_FALSE(Utf8_Valide(faux)) << faux;
}

}  // namespace
