#include "recap/Classeur.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <memory>
#include <string_view>
#include <vector>

#ifndef _WIN32
#include <locale.h>
#endif

#include "platform/Caracteres.h"
#include "platform/Erreurs.h"
#include "platform/Fichiers.h"
#include "platform/Textes.h"
#include "recap/Impression.h"

namespace recap {

namespace {

constexpr size_t Longueur_Nom_Feuille = 31;  // Excel counts UTF-16 units
constexpr double Largeur_Maximale = 80;      // in characters: a long label wraps the view, not the sheet
constexpr lxw_color_t Fond_A_Signaler = 0xFFF2CC;

#ifndef _WIN32
// Debian's library writes numbers with printf: under a French LC_NUMERIC, "1,5" would corrupt the
// XML. The C locale holds on this thread while the workbook is written.
class TLocale_C {
public:
  TLocale_C() : c_(newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0))) {
    if (c_ == static_cast<locale_t>(0)) throw plateforme::EKorvex(textes::Classeur_Impossible(textes::Raison_Memoire));
    avant_ = uselocale(c_);
  }
  ~TLocale_C() {
    uselocale(avant_);
    freelocale(c_);
  }
  TLocale_C(const TLocale_C&) = delete;
  TLocale_C& operator=(const TLocale_C&) = delete;

private:
  locale_t c_, avant_ = static_cast<locale_t>(0);
};
#else
// Our Windows build of the library converts numbers itself (USE_DTOA_LIBRARY), whatever the locale.
struct TLocale_C {};
#endif

std::string Raison(lxw_error erreur) {
  switch (erreur) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED: return textes::Raison_Memoire;
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE: return textes::Raison_Fichiers_Temporaires_Classeur;
    default: return textes::Raison_Bibliotheque_Classeur(static_cast<int>(erreur));
  }
}

void Verifier(lxw_error erreur) {
  if (erreur != LXW_NO_ERROR) throw plateforme::EKorvex(textes::Classeur_Impossible(Raison(erreur)));
}

// Well-formed UTF-8, as the XML must be: a stray byte stands for itself, as in Latin-1.
std::string Texte_Excel(std::string_view texte) {
  std::string sur;
  for (size_t i = 0; i < texte.size();) {
    const auto c = plateforme::Decoder_Utf8(texte, i);
    if (c.Mal_Forme()) plateforme::Ajouter_Utf8(sur, c.code);
    else sur.append(texte.substr(i, c.taille));
    i += c.taille;
  }
  return sur;
}

struct TDetruire_Classeur {
  void operator()(lxw_workbook* classeur) const { lxw_workbook_free(classeur); }
};
using TClasseur = std::unique_ptr<lxw_workbook, TDetruire_Classeur>;

// One format per kind of cell, plain and highlighted.
struct TFormats {
  lxw_format* Titre = nullptr;
  std::array<lxw_format*, 2> Entetes{};  // over texts, over numbers
  std::array<std::array<lxw_format*, 2>, 4> Cellules{};  // [genre][a signaler]
};

const char* Format_Nombre(TGenre_Cellule genre) {
  switch (genre) {
    case TGenre_Cellule::Montant: return "#,##0.00";
    case TGenre_Cellule::Pourcentage: return "0.0";
    case TGenre_Cellule::Entier: return "0";
    case TGenre_Cellule::Texte: break;
  }
  return nullptr;
}

TFormats Creer_Formats(lxw_workbook* classeur) {
  TFormats f;
  f.Titre = workbook_add_format(classeur);
  format_set_bold(f.Titre);
  format_set_font_size(f.Titre, 14);
  for (const bool droite : {false, true}) {
    lxw_format* entete = f.Entetes[droite] = workbook_add_format(classeur);
    format_set_bold(entete);
    format_set_bottom(entete, LXW_BORDER_THIN);
    if (droite) format_set_align(entete, LXW_ALIGN_RIGHT);
  }
  for (const auto genre : {TGenre_Cellule::Texte, TGenre_Cellule::Entier, TGenre_Cellule::Montant, TGenre_Cellule::Pourcentage}) {
    for (const bool signaler : {false, true}) {
      lxw_format* format = workbook_add_format(classeur);
      if (const char* nombre = Format_Nombre(genre)) format_set_num_format(format, nombre);
      if (signaler) {
        format_set_pattern(format, LXW_PATTERN_SOLID);
        format_set_bg_color(format, Fond_A_Signaler);
      }
      f.Cellules[static_cast<size_t>(genre)][signaler] = format;
    }
  }
  return f;
}

// Characters a number takes with fixed decimals and a separator every three digits.
double Largeur_Nombre(double valeur, int decimales) {
  char texte[64];
  const auto fin = std::to_chars(texte, texte + sizeof texte, std::fabs(valeur), std::chars_format::fixed, decimales);
  if (fin.ec != std::errc()) return Largeur_Maximale;
  const int longueur = static_cast<int>(fin.ptr - texte);
  const int entiers = longueur - (decimales > 0 ? decimales + 1 : 0);
  return longueur + (entiers - 1) / 3 + (valeur < 0 ? 1 : 0);
}

double Largeur_Cellule(const TCellule& c) {
  if (c.Vide()) return 0;
  switch (c.Genre) {
    case TGenre_Cellule::Montant: return Largeur_Nombre(Valeur_Affichee(c), 2);
    case TGenre_Cellule::Pourcentage: return Largeur_Nombre(Valeur_Affichee(c), 1);
    case TGenre_Cellule::Entier:
    case TGenre_Cellule::Texte: break;
  }
  return static_cast<double>(plateforme::Nombre_Caracteres(c.Texte));
}

void Ecrire_Texte(lxw_worksheet* feuille, lxw_row_t rangee, lxw_col_t colonne, const std::string& texte, lxw_format* format) {
  Verifier(worksheet_write_string(feuille, rangee, colonne, Texte_Excel(texte).c_str(), format));
}

void Ecrire_Cellule(lxw_worksheet* feuille, lxw_row_t rangee, lxw_col_t colonne, const TCellule& c, lxw_format* format) {
  if (c.Vide()) return Verifier(worksheet_write_blank(feuille, rangee, colonne, format));
  const double valeur = Valeur_Affichee(c);
  // A workbook has no infinite number: such a figure stays the grid's text.
  if (c.Genre == TGenre_Cellule::Texte || !std::isfinite(valeur)) Ecrire_Texte(feuille, rangee, colonne, c.Texte, format);
  else Verifier(worksheet_write_number(feuille, rangee, colonne, valeur, format));
}

// A header stands over its column's figures: right-aligned over numbers.
bool Colonne_De_Nombres(const TTableau& t, int colonne) {
  for (int r = 1; r < t.Nombre_Rangees(); ++r) {
    const TCellule* c = t.Cellule(colonne, r);
    if (c != nullptr && !c->Vide()) return Alignement_De(c->Genre) == TAlignement::Droite;
  }
  return false;
}

// The header row, the data rows and the columns' widths; returns the row after the table.
lxw_row_t Ecrire_Tableau(lxw_worksheet* feuille, const TTableau& t, const TFormats& f, lxw_row_t rangee) {
  std::vector<double> largeurs;
  for (int c = 0; c < t.Nombre_Colonnes(); ++c) {
    const std::string& entete = t.Colonnes[static_cast<size_t>(c)].Entete;
    Ecrire_Texte(feuille, rangee, static_cast<lxw_col_t>(c), entete, f.Entetes[Colonne_De_Nombres(t, c)]);
    largeurs.push_back(static_cast<double>(plateforme::Nombre_Caracteres(entete)) + 1);  // bold
  }
  worksheet_freeze_panes(feuille, rangee + 1, 0);
  for (const auto& ligne : t.Lignes) {
    ++rangee;
    for (size_t c = 0; c < ligne.Cellules.size() && c < largeurs.size(); ++c) {
      const TCellule& cellule = ligne.Cellules[c];
      largeurs[c] = std::max(largeurs[c], Largeur_Cellule(cellule));
      if (cellule.Vide() && !ligne.A_Signaler) continue;  // a highlighted row is filled across
      Ecrire_Cellule(feuille, rangee, static_cast<lxw_col_t>(c), cellule, f.Cellules[static_cast<size_t>(cellule.Genre)][ligne.A_Signaler]);
    }
  }
  for (size_t c = 0; c < largeurs.size(); ++c)
    Verifier(worksheet_set_column(feuille, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                  std::min(largeurs[c] + 2, Largeur_Maximale), nullptr));
  return rangee + 1;
}

void Ecrire_Feuille(lxw_workbook* classeur, const TTableau& t) {
  lxw_worksheet* feuille = workbook_add_worksheet(classeur, Nom_Feuille_Excel(t.Nom_Feuille).c_str());
  if (feuille == nullptr) Verifier(LXW_ERROR_MEMORY_MALLOC_FAILED);
  const TFormats f = Creer_Formats(classeur);
  lxw_row_t rangee = 0;
  if (!t.Titre.empty()) Ecrire_Texte(feuille, rangee++, 0, t.Titre, f.Titre);
  if (!t.Dossier.empty()) Ecrire_Texte(feuille, rangee++, 0, textes::Dossier_Imprime(t.Dossier), nullptr);
  if (t.Date_Heure != 0)
    Ecrire_Texte(feuille, rangee++, 0, textes::Date_Calcul_Imprimee(Texte_Date_Heure(t.Date_Heure)), nullptr);
  if (rangee > 0) ++rangee;  // a blank row before the table
  rangee = Ecrire_Tableau(feuille, t, f, rangee) + 1;
  for (const auto& ligne : t.Resume) Ecrire_Texte(feuille, rangee++, 0, ligne, nullptr);
  for (const auto& ligne : t.Avertissements) Ecrire_Texte(feuille, rangee++, 0, ligne, nullptr);
}

std::string Lire_Tout(const std::string& chemin) {
  const plateforme::TFichierLecture fichier(chemin, {}, plateforme::Injecteur_Installe());
  std::string contenu(fichier.Taille(), '\0');
  contenu.resize(fichier.Lire(0, contenu.data(), contenu.size()));
  return contenu;
}

}  // namespace

std::string Nom_Feuille_Excel(const std::string& nom) {
  std::string sur;
  size_t unites = 0;
  for (size_t i = 0; i < nom.size();) {
    const auto c = plateforme::Decoder_Utf8(nom, i);
    i += c.taille;
    const bool interdit = c.code < 0x20 || c.code == 0x7F || std::u32string_view(U"[]:*?/\\").find(c.code) != std::u32string_view::npos;
    unites += c.code > 0xFFFF ? 2 : 1;
    if (unites > Longueur_Nom_Feuille) break;
    plateforme::Ajouter_Utf8(sur, interdit ? U'_' : c.code);
  }
  if (sur.empty()) return textes::Feuille_Sans_Nom;
  if (sur.front() == '\'') sur.front() = '_';
  if (sur.back() == '\'') sur.back() = '_';
  return sur;
}

std::string Contenu_Classeur(const TTableau& tableau) {
  const plateforme::TFichierTemporaire fichier(".xlsx");
  {
    [[maybe_unused]] const TLocale_C locale;
    lxw_workbook_options options{};
    TClasseur classeur(workbook_new_opt(fichier.Chemin_C().c_str(), &options));
    if (!classeur) Verifier(LXW_ERROR_CREATING_XLSX_FILE);
    std::string titre = Texte_Excel(tableau.Titre);
    lxw_doc_properties proprietes{};
    proprietes.title = titre.data();
    proprietes.created = tableau.Date_Heure;  // the same table, the same bytes
    Verifier(workbook_set_properties(classeur.get(), &proprietes));
    Ecrire_Feuille(classeur.get(), tableau);
    Verifier(workbook_close(classeur.release()));
  }
  return Lire_Tout(fichier.Chemin());
}

void Exporter_Excel(const TTableau& tableau, const TDemander_Chemin& Demander) {
  const auto chemin = Demander(Demande_Enregistrement(tableau, TFormat_Fichier::Excel));
  if (chemin) plateforme::Enregistrer_Fichier(*chemin, Contenu_Classeur(tableau));
}

}  // namespace recap
