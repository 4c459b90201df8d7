#include "recap/Recap.h"

#include <cmath>
#include <exception>
#include <functional>
#include <optional>
#include <utility>

#include "platform/Caracteres.h"
#include "platform/Erreurs.h"
#include "platform/Fichiers.h"
#include "platform/Format_Nombres.h"
#include "platform/Separateurs.h"
#include "platform/Textes.h"
#include "dbase/Table.h"

namespace recap {

using plateforme::EKorvex;

// ---- The grid ----

void TGrille::SetRowCount(int n) { rowCount_ = n < 1 ? 1 : n; }

const std::string& TGrille::Cells(int col, int row) const {
  static const std::string vide;
  if (col < 0 || col >= ColCount || row < 0 || row >= static_cast<int>(lignes_.size())) return vide;
  return lignes_[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

void TGrille::SetCells(int col, int row, std::string texte) {
  if (col < 0 || col >= ColCount || row < 0) return;
  if (row >= static_cast<int>(lignes_.size())) lignes_.resize(static_cast<size_t>(row) + 1);
  lignes_[static_cast<size_t>(row)][static_cast<size_t>(col)] = std::move(texte);
}

void TGrille::Effacer_Lignes_Donnees() {
  if (lignes_.size() > 1) lignes_.resize(1);
}

namespace {

// ---- Texts ----

// The first n characters (all of the text when shorter).
std::string_view Debut(std::string_view texte, size_t n) {
  return texte.substr(0, plateforme::Octets_Des_Caracteres(texte, n));
}

// ---- The payslip file ----

// The message shown when PAIES.DTA is not there. A PAIES.DBF left alone tells that an earlier
// calculation was killed while it had the file renamed: say so rather than "not found".
std::string Message_Paies_Absent(const std::string& Chemin) {
  const std::string dta = Chemin + "\\PAIES.DTA", dbf = Chemin + "\\PAIES.DBF";
  if (!plateforme::Nom_Pris(dta) && plateforme::Nom_Pris(dbf))
    return textes::Calcul_Interrompu(dta, dbf);
  return textes::Fichier_Non_Trouve(dta);
}

// PAIES.DTA goes under its temporary name for the time of the scan and always comes back, under
// the very name it had: a folder copied from Windows may hold paies.dta.
class TRenommageTemporaire {
public:
  TRenommageTemporaire(std::string de, std::string vers)
      : de_(std::move(de)), vers_(std::move(vers)), retour_(plateforme::Nom_Exact(de_)) {
    if (auto raison = plateforme::Renommer_Sans_Remplacer(de_, vers_))
      throw EKorvex(textes::Renommage_Impossible(de_, vers_, *raison));
  }
  ~TRenommageTemporaire() { Rendre(); }
  TRenommageTemporaire(const TRenommageTemporaire&) = delete;
  TRenommageTemporaire& operator=(const TRenommageTemporaire&) = delete;

  // Renames the file back, once; false when that failed. It also runs from the destructor, so
  // it cannot throw: the message is made afterwards by Message_Echec, which may allocate.
  bool Rendre() noexcept {
    if (!rendu_) {
      rendu_ = true;
      try {
        raison_ = plateforme::Renommer_Sans_Remplacer(vers_, retour_);
      } catch (...) {
        inattendu_ = true;
      }
    }
    return !raison_ && !inattendu_;
  }
  std::string Message_Echec() const {
    return textes::Renommage_Impossible(vers_, de_, raison_ ? *raison_ : textes::Raison_Inattendue);
  }

private:
  std::string de_, vers_, retour_;
  std::optional<std::string> raison_;
  bool rendu_ = false, inattendu_ = false;
};

std::string Message_De(const std::exception_ptr& erreur) {
  try {
    std::rethrow_exception(erreur);
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return textes::Erreur_Inattendue;
  }
}

// Adds the memos of the month's payslips into TOT_RUB. Fields are looked up at their first use,
// so that a table without payslips needs neither.
int Totaliser_Paies(const std::string& Chemin, const std::function<bool(std::string_view)>& Choisie,
                    TTAB_VALEURS& TOT_RUB) {
  int bulletins = 0;
  dbase::TTable table;
  TOT_RUB.Effacer();
  table.TableType = dbase::TTableType::ttDBase;
  table.DatabaseName = Chemin;
  table.TableName = "PAIES.DBF";
  table.Open();
  table.First();
  std::optional<dbase::TField> mois, montants;
  while (!table.Eof()) {
    if (!mois) mois = table.FieldByName("MOIS");
    if (Choisie(Debut(mois->AsString(), 7))) {
      if (!montants) montants = table.FieldByName("MONTANTS");
      Memo_Montants_Decoder(montants->AsString());
      // The other entries are zero: adding them would change no total.
      for (int i : Rubriques_Decodees()) TOT_RUB[i] += TAB_VALEURS[i];
      ++bulletins;
    }
    table.Next();
  }
  return bulletins;
}

// ---- The grid fill ----

int Colonne_De_Classe(int32_t classe) { return classe == 1 ? 3 : classe == 2 ? 4 : 2; }

// Writes row n for rubric i. Rubric n is the n-th physical record of RUBRIQUE.DTA; a rubric
// beyond the table's end has no label and counts as a base.
void Ecrire_Ligne(dbase::TTable& rubriques, int i, long double total, int n, TGrille& Grille) {
  rubriques.First();
  rubriques.MoveBy(i - 1);
  Grille.SetRowCount(n + 1);
  Grille.SetCells(0, n, std::to_string(i));
  int colonne = 2;
  if (!rubriques.Eof()) {
    Grille.SetCells(1, n, rubriques.FieldByName("LIBELLE").AsString());
    colonne = Colonne_De_Classe(rubriques.FieldByName("CLASSE").AsInteger());
  }
  Grille.SetCells(colonne, n, plateforme::Format_General(total, plateforme::DecimalSeparator()));
}

void Remplir_Grille(const std::string& Chemin, const TTAB_VALEURS& TOT_RUB, TGrille& Grille, bool& Commencee) {
  dbase::TTable rubriques;
  rubriques.TableType = dbase::TTableType::ttDBase;
  rubriques.DatabaseName = Chemin + "\\";
  rubriques.TableName = "RUBRIQUE.DTA";
  rubriques.AfficherSupprimes = true;
  rubriques.Open();
  Commencee = true;
  Grille.SetRowCount(2);
  Grille.Effacer_Lignes_Donnees();
  for (int c = 0; c < TGrille::ColCount; ++c) Grille.SetCells(c, 0, textes::Entetes_Grille[c]);
  int n = 0;
  for (int i = TTAB_VALEURS::Premier; i <= TTAB_VALEURS::Dernier; ++i) {
    if (std::fabs(TOT_RUB[i]) > Seuil_Negligeable) Ecrire_Ligne(rubriques, i, TOT_RUB[i], ++n, Grille);
  }
}

}  // namespace

std::string Sans_Blancs(const std::string& texte) {
  size_t debut = 0, fin = texte.size();
  while (debut < fin && static_cast<unsigned char>(texte[debut]) <= ' ') ++debut;
  while (fin > debut && static_cast<unsigned char>(texte[fin - 1]) <= ' ') --fin;
  return texte.substr(debut, fin - debut);
}

std::optional<int> Calc_Total_Paies(const std::string& Chemin, const std::string& Mois, TTAB_VALEURS& TOT_RUB,
                                    const TAfficherMessage& Message, const std::optional<TPeriode>& Periode) {
  const std::string paies = Chemin + "\\PAIES.DTA", temporaire = Chemin + "\\PAIES.DBF";
  if (!plateforme::Fichier_Existe(paies)) {
    Message(Message_Paies_Absent(Chemin));
    return std::nullopt;
  }
  // A stale PAIES.DBF would be read as this month's payslips.
  if (plateforme::Nom_Pris(temporaire))
    throw EKorvex(textes::Temporaire_Existe(temporaire));
  TRenommageTemporaire renommage(paies, temporaire);
  const auto choisie = [&](std::string_view debut_mois) {
    return Periode ? Dans_Periode(*Periode, debut_mois) : debut_mois == Mois;
  };
  int bulletins = 0;
  std::exception_ptr erreur_lecture;
  try {
    bulletins = Totaliser_Paies(Chemin, choisie, TOT_RUB);
  } catch (...) {
    erreur_lecture = std::current_exception();
  }
  if (!renommage.Rendre())
    throw EKorvex(renommage.Message_Echec() + (erreur_lecture ? "\n" + Message_De(erreur_lecture) : ""));
  if (erreur_lecture) std::rethrow_exception(erreur_lecture);
  return bulletins;
}

void Calculer_Recap(const std::string& Chemin, const std::string& Mois, TTAB_VALEURS& TOT_RUB,
                    TGrille& Grille, const TAfficherMessage& Message) {
  TBilan_Recap bilan;
  Calculer_Recap(Chemin, Mois, TOT_RUB, Grille, Message, bilan);
}

void Calculer_Recap(const std::string& Chemin, const std::string& Mois, TTAB_VALEURS& TOT_RUB,
                    TGrille& Grille, const TAfficherMessage& Message, TBilan_Recap& Bilan,
                    const std::optional<TPeriode>& Periode) {
  Bilan = {};
  const std::string mois = Sans_Blancs(Mois);
  if (plateforme::Nombre_Caracteres(mois) != 7) {
    Message(textes::Mois_Incorrect);
    return;
  }
  if (!plateforme::Fichier_Existe(Chemin + "\\PAIES.DTA")) {
    Message(Message_Paies_Absent(Chemin));
    return;
  }
  // The month that was checked is the month that is used: trimmed.
  const auto bulletins = Calc_Total_Paies(Chemin, mois, TOT_RUB, Message, Periode);
  if (!bulletins) return;
  Bilan.Bulletins = *bulletins;
  Remplir_Grille(Chemin, TOT_RUB, Grille, Bilan.Grille_Commencee);
  Bilan.Grille_Remplie = true;
}

}  // namespace recap
