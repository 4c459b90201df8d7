#include "recap/Classeur.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#ifndef _WIN32
#include <locale.h>
#endif

#include "platform/Caracteres.h"
#include "platform/Erreurs.h"
#include "platform/Fichiers.h"
#include "platform/Textes.h"
#include "recap/Graphique.h"
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

// A sum column the workbook can write as formulas: its range on the table, and not over itself.
bool Somme_Ecrivable(const TTableau& t) {
  const TTableau::TSomme& s = t.Somme;
  return s.Colonne >= 0 && s.Colonne < t.Nombre_Colonnes() && s.Premiere >= 0 && s.Premiere <= s.Derniere &&
         s.Derniere < t.Nombre_Colonnes() && (s.Colonne < s.Premiere || s.Colonne > s.Derniere);
}

// Whether a row's cell of the sum column gets its formula: only where the spreadsheet's sum of
// the range's cells as written (a blank or a text counting 0: SUM passes over them) shows the
// table's figure.
bool Formule_Montre(const TTableau::TSomme& somme, const std::vector<TCellule>& cellules) {
  const auto Nombre = [&](int colonne) -> std::optional<double> {
    if (static_cast<size_t>(colonne) >= cellules.size()) return std::nullopt;
    const TCellule& c = cellules[static_cast<size_t>(colonne)];
    if (c.Vide() || c.Genre == TGenre_Cellule::Texte) return std::nullopt;
    const double valeur = Valeur_Affichee(c);
    return std::isfinite(valeur) ? std::optional<double>(valeur) : std::nullopt;
  };
  const auto figure = Nombre(somme.Colonne);
  if (!figure) return false;
  std::vector<double> termes;
  for (int k = somme.Premiere; k <= somme.Derniere; ++k) termes.push_back(Nombre(k).value_or(0));
  return Somme_Tableur_Montre(termes, *figure);
}

// Somme, when not null, makes a number the sum of its row's cells in that range, the figure
// its cached value: the same in a reader that does not calculate.
void Ecrire_Cellule(lxw_worksheet* feuille, lxw_row_t rangee, lxw_col_t colonne, const TCellule& c, lxw_format* format,
                    const TTableau::TSomme* somme) {
  if (c.Vide()) return Verifier(worksheet_write_blank(feuille, rangee, colonne, format));
  const double valeur = Valeur_Affichee(c);
  // A workbook has no infinite number: such a figure stays the grid's text.
  if (c.Genre == TGenre_Cellule::Texte || !std::isfinite(valeur)) return Ecrire_Texte(feuille, rangee, colonne, c.Texte, format);
  if (somme == nullptr) return Verifier(worksheet_write_number(feuille, rangee, colonne, valeur, format));
  char plage[LXW_MAX_CELL_RANGE_LENGTH];
  lxw_rowcol_to_range(plage, rangee, static_cast<lxw_col_t>(somme->Premiere), rangee, static_cast<lxw_col_t>(somme->Derniere));
  const std::string formule = std::string("=SUM(") + plage + ")";
  Verifier(worksheet_write_formula_num(feuille, rangee, colonne, formule.c_str(), format, valeur));
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
  // A grid that keeps more than its first column in view keeps the rows' names in view sideways.
  const int noms = t.Colonnes_Fixes > 1 ? std::clamp(std::min(t.Colonnes_Nom, t.Colonnes_Fixes), 0, t.Nombre_Colonnes()) : 0;
  worksheet_freeze_panes(feuille, rangee + 1, static_cast<lxw_col_t>(noms));
  const TTableau::TSomme* somme = Somme_Ecrivable(t) ? &t.Somme : nullptr;
  for (const auto& ligne : t.Lignes) {
    ++rangee;
    for (size_t c = 0; c < ligne.Cellules.size() && c < largeurs.size(); ++c) {
      const TCellule& cellule = ligne.Cellules[c];
      largeurs[c] = std::max(largeurs[c], Largeur_Cellule(cellule));
      if (cellule.Vide() && !ligne.A_Signaler) continue;  // a highlighted row is filled across
      const bool formule = somme != nullptr && static_cast<int>(c) == somme->Colonne && Formule_Montre(*somme, ligne.Cellules);
      Ecrire_Cellule(feuille, rangee, static_cast<lxw_col_t>(c), cellule, f.Cellules[static_cast<size_t>(cellule.Genre)][ligne.A_Signaler],
                     formule ? somme : nullptr);
    }
  }
  for (size_t c = 0; c < largeurs.size(); ++c)
    Verifier(worksheet_set_column(feuille, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                  std::min(largeurs[c] + 2, Largeur_Maximale), nullptr));
  return rangee + 1;
}

// The sheet named Nom; returns the row of the table's header. The title, when there is one, is A1.
lxw_row_t Ecrire_Feuille(lxw_workbook* classeur, const TTableau& t, const std::string& nom) {
  lxw_worksheet* feuille = workbook_add_worksheet(classeur, nom.c_str());
  if (feuille == nullptr) Verifier(LXW_ERROR_MEMORY_MALLOC_FAILED);
  const TFormats f = Creer_Formats(classeur);
  lxw_row_t rangee = 0;
  if (!t.Titre.empty()) Ecrire_Texte(feuille, rangee++, 0, t.Titre, f.Titre);
  if (!t.Dossier.empty()) Ecrire_Texte(feuille, rangee++, 0, textes::Dossier_Imprime(t.Dossier), nullptr);
  if (t.Date_Heure != 0)
    Ecrire_Texte(feuille, rangee++, 0, textes::Date_Calcul_Imprimee(Texte_Date_Heure(t.Date_Heure)), nullptr);
  if (rangee > 0) ++rangee;  // a blank row before the table
  const lxw_row_t entete = rangee;
  rangee = Ecrire_Tableau(feuille, t, f, rangee) + 1;
  for (const auto& ligne : t.Resume) Ecrire_Texte(feuille, rangee++, 0, ligne, nullptr);
  for (const auto& ligne : t.Avertissements) Ecrire_Texte(feuille, rangee++, 0, ligne, nullptr);
  return entete;
}

// libxlsxwriter cannot combine two charts. The column chart holds every series, so that the
// workbook caches all their values; when it is written, the series after Derniere_Colonne are
// written by a line chart in the same plot area, on the same axes, as Excel combines them.
struct TCombinaison {
  lxw_chart* Colonnes = nullptr;
  lxw_chart* Ligne = nullptr;  // never inserted: only its way of writing serves
  lxw_chart_series* Derniere_Colonne = nullptr;
  void (*Ecrire_Colonnes)(lxw_chart*) = nullptr;
};

// The combination of the workbook being written on this thread, for the library's callback.
thread_local TCombinaison* combinaison_en_cours = nullptr;

class TCombinaison_En_Cours {
public:
  explicit TCombinaison_En_Cours(TCombinaison& c) : avant_(combinaison_en_cours) { combinaison_en_cours = &c; }
  ~TCombinaison_En_Cours() { combinaison_en_cours = avant_; }
  TCombinaison_En_Cours(const TCombinaison_En_Cours&) = delete;
  TCombinaison_En_Cours& operator=(const TCombinaison_En_Cours&) = delete;

private:
  TCombinaison* avant_;
};

void Ecrire_Colonnes_Et_Ligne(lxw_chart* colonnes) {
  const TCombinaison& c = *combinaison_en_cours;
  lxw_chart_series* const premiere_ligne = STAILQ_NEXT(c.Derniere_Colonne, list_pointers);
  STAILQ_NEXT(c.Derniere_Colonne, list_pointers) = nullptr;
  c.Ecrire_Colonnes(colonnes);
  STAILQ_NEXT(c.Derniere_Colonne, list_pointers) = premiere_ligne;
  lxw_chart* ligne = c.Ligne;
  ligne->file = colonnes->file;
  ligne->series_index = colonnes->series_index;  // series are numbered across both
  ligne->axis_id_1 = colonnes->axis_id_1;
  ligne->axis_id_2 = colonnes->axis_id_2;
  STAILQ_FIRST(ligne->series_list) = premiere_ligne;
  ligne->write_chart_type(ligne);
  STAILQ_FIRST(ligne->series_list) = nullptr;  // the column chart frees them
  ligne->file = nullptr;
}

lxw_color_t Couleur_Excel(TCouleur c) {
  return static_cast<lxw_color_t>(c.Rouge) << 16 | static_cast<lxw_color_t>(c.Vert) << 8 | static_cast<lxw_color_t>(c.Bleu);
}

lxw_chart* Nouveau_Graphique(lxw_workbook* classeur, uint8_t type) {
  lxw_chart* g = workbook_add_chart(classeur, type);
  if (g == nullptr) Verifier(LXW_ERROR_MEMORY_MALLOC_FAILED);
  return g;
}

// The table's chart on a sheet of its own: each month's gains and retenues as columns, the net as
// a line, their values and the months those of the table's sheet (Feuille), whose header is the
// row Entete.
void Ecrire_Graphique(lxw_workbook* classeur, const TTableau& t, const std::string& feuille, lxw_row_t entete,
                      TCombinaison& combinaison) {
  if (!Donnees_Graphique(t)) return;
  const int premiere = t.Graphique->Premiere, derniere = std::min(t.Graphique->Derniere, t.Nombre_Colonnes() - 1);
  if (premiere < 0 || premiere > derniere) return;
  const auto de = static_cast<lxw_col_t>(premiere), a = static_cast<lxw_col_t>(derniere);
  std::array<int, 3> rangs{-1, -1, -1};  // each series is its last row, as on screen
  for (size_t i = 0; i < t.Lignes.size(); ++i)
    if (t.Lignes[i].Serie >= 0 && t.Lignes[i].Serie < 3) rangs[static_cast<size_t>(t.Lignes[i].Serie)] = static_cast<int>(i);
  const bool colonnes = rangs[Serie_Gains] >= 0 || rangs[Serie_Retenues] >= 0, ligne = rangs[Serie_Net] >= 0;
  lxw_chart* graphique = Nouveau_Graphique(classeur, colonnes ? LXW_CHART_COLUMN : LXW_CHART_LINE);
  const std::array<const char*, 3> noms{textes::Legende_Gains, textes::Legende_Retenues, textes::Legende_Net};
  const std::array<TCouleur, 3> couleurs{Couleur_Gains, Couleur_Retenues, Couleur_Net};
  lxw_chart_series* derniere_colonne = nullptr;
  for (const size_t s : {Serie_Gains, Serie_Retenues, Serie_Net}) {
    if (rangs[s] < 0) continue;
    lxw_chart_series* serie = chart_add_series(graphique, nullptr, nullptr);
    if (serie == nullptr) Verifier(LXW_ERROR_MEMORY_MALLOC_FAILED);
    const auto rangee = static_cast<lxw_row_t>(entete + 1 + static_cast<lxw_row_t>(rangs[s]));
    chart_series_set_categories(serie, feuille.c_str(), entete, de, entete, a);
    chart_series_set_values(serie, feuille.c_str(), rangee, de, rangee, a);
    chart_series_set_name(serie, noms[s]);
    if (s == Serie_Net) {
      lxw_chart_line trait{Couleur_Excel(couleurs[s]), 0, 2.25f, 0, 0};
      lxw_chart_fill plein{Couleur_Excel(couleurs[s]), 0, 0};
      chart_series_set_line(serie, &trait);
      chart_series_set_marker_type(serie, LXW_CHART_MARKER_SQUARE);
      chart_series_set_marker_fill(serie, &plein);
      chart_series_set_marker_line(serie, &trait);
    } else {
      lxw_chart_fill plein{Couleur_Excel(couleurs[s]), 0, 0};
      chart_series_set_fill(serie, &plein);
      derniere_colonne = serie;
    }
  }
  if (!t.Titre.empty()) chart_title_set_name_range(graphique, feuille.c_str(), 0, 0);
  chart_axis_set_num_format(graphique->y_axis, "#,##0");
  chart_legend_set_position(graphique, LXW_CHART_LEGEND_TOP);
  if (colonnes && ligne) {
    combinaison = {graphique, Nouveau_Graphique(classeur, LXW_CHART_LINE), derniere_colonne, graphique->write_chart_type};
    graphique->write_chart_type = Ecrire_Colonnes_Et_Ligne;
  }
  // Excel's way with a name already taken.
  std::string nom = textes::Nom_Feuille_Graphique;
  if (workbook_validate_sheet_name(classeur, nom.c_str()) != LXW_NO_ERROR) nom += " (2)";
  lxw_chartsheet* page = workbook_add_chartsheet(classeur, nom.c_str());
  if (page == nullptr) Verifier(LXW_ERROR_MEMORY_MALLOC_FAILED);
  Verifier(chartsheet_set_chart(page, graphique));
}

std::string Lire_Tout(const std::string& chemin) {
  const plateforme::TFichierLecture fichier(chemin, {}, plateforme::Injecteur_Installe());
  std::string contenu(fichier.Taille(), '\0');
  contenu.resize(fichier.Lire(0, contenu.data(), contenu.size()));
  return contenu;
}

}  // namespace

double Quinze_Chiffres(double valeur) {
  char texte[32];
  const auto fin = std::to_chars(texte, texte + sizeof texte, valeur, std::chars_format::general, 15);
  double lu = valeur;
  if (fin.ec == std::errc()) std::from_chars(texte, fin.ptr, lu);
  return lu;
}

// A spreadsheet adds the doubles it stores either left to right (Excel) or with Neumaier's
// compensation (LibreOffice, whose result is a double next to the exact sum), then shows and
// compares the result at 15 significant digits. Both roads must show the figure. The compensated
// sum is widened by its second-order error and a double on each side, so that both neighbours of
// the exact sum are inside. Rounding to 15 digits never decreases: when the interval's two ends
// show the figure, every value between does, and none strictly between is a half-way case, which
// a spreadsheet might round another way.
bool Somme_Tableur_Montre(const std::vector<double>& Termes, double Figure) {
  if (!std::isfinite(Figure)) return false;
  double gauche_a_droite = 0, somme = 0, erreur = 0, absolue = 0;
  for (const double t : Termes) {
    gauche_a_droite += t;
    const double s = somme + t;
    erreur += std::fabs(somme) >= std::fabs(t) ? (somme - s) + t : (t - s) + somme;
    somme = s;
    absolue += std::fabs(t);
  }
  const double compensee = somme + erreur, u = std::numeric_limits<double>::epsilon() / 2;
  const double n = static_cast<double>(Termes.size()) + 1, second_ordre = n * n * u * u * absolue;
  const double bas = std::nextafter(std::min(gauche_a_droite, compensee) - second_ordre, -HUGE_VAL);
  const double haut = std::nextafter(std::max(gauche_a_droite, compensee) + second_ordre, HUGE_VAL);
  return std::isfinite(bas) && std::isfinite(haut) && Quinze_Chiffres(bas) == Figure && Quinze_Chiffres(haut) == Figure;
}

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
    TCombinaison combinaison;
    [[maybe_unused]] const TCombinaison_En_Cours en_cours(combinaison);
    lxw_workbook_options options{};
    TClasseur classeur(workbook_new_opt(fichier.Chemin_C().c_str(), &options));
    if (!classeur) Verifier(LXW_ERROR_CREATING_XLSX_FILE);
    std::string titre = Texte_Excel(tableau.Titre);
    lxw_doc_properties proprietes{};
    proprietes.title = titre.data();
    proprietes.created = tableau.Date_Heure;  // the same table, the same bytes
    Verifier(workbook_set_properties(classeur.get(), &proprietes));
    const std::string feuille = Nom_Feuille_Excel(tableau.Nom_Feuille);
    const lxw_row_t entete = Ecrire_Feuille(classeur.get(), tableau, feuille);
    Ecrire_Graphique(classeur.get(), tableau, feuille, entete, combinaison);
    Verifier(workbook_close(classeur.release()));
  }
  return Lire_Tout(fichier.Chemin());
}

void Exporter_Excel(const TTableau& tableau, const TDemander_Chemin& Demander) {
  const auto chemin = Demander(Demande_Enregistrement(tableau, TFormat_Fichier::Excel));
  if (chemin) plateforme::Enregistrer_Fichier(*chemin, Contenu_Classeur(tableau));
}

}  // namespace recap
