#include "dbase/Table.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "dbase/Table_Etat.h"
#include "platform/Caracteres.h"

namespace dbase {

using plateforme::EKorvex;
using namespace interne;

namespace {

constexpr size_t Taille_Fenetre = 64 * 1024;

bool Est_Separateur(char c) {
#ifdef _WIN32
  return c == '\\' || c == ':';
#else
  return c == '\\' || c == '/' || c == ':';
#endif
}

// Without a colon or a backslash (or, here, a slash) the engine would take the name as an alias.
bool Est_Alias(const std::string& nom) {
  return !nom.empty() && std::none_of(nom.begin(), nom.end(), Est_Separateur);
}

bool Fichier_Present(const std::string& chemin) {
  // Our paths are UTF-8; on Windows a path made from a narrow string would be read in the ANSI page.
  const std::string systeme = plateforme::Chemin_Systeme(chemin);
  const std::u8string utf8(reinterpret_cast<const char8_t*>(systeme.data()), systeme.size());
  std::error_code erreur;
  return std::filesystem::is_regular_file(std::filesystem::path(utf8), erreur);
}

// The memo file keeps the name the payroll application gave it: the table's base name with the
// extension of its format, whatever the letter case; the other extension is tried next.
std::unique_ptr<TMemo> Ouvrir_Memo(const std::string& table, const std::string& nom, const TStructure& s,
                                   const plateforme::TInjecteurPannes& injecteur) {
  size_t point = table.find_last_of('.');
  const size_t separateur = table.find_last_of("\\/:");
  if (point == std::string::npos || (separateur != std::string::npos && point < separateur))
    point = table.size();
  const std::string base = table.substr(0, point);
  const bool fox = s.famille == TFamille::FoxPro || s.famille == TFamille::VisualFoxPro;
  const TFormatMemo formats[2] = {fox ? TFormatMemo::Fpt : TFormatMemo::Dbt,
                                  fox ? TFormatMemo::Dbt : TFormatMemo::Fpt};
  for (TFormatMemo f : formats) {
    const std::string chemin = base + (f == TFormatMemo::Fpt ? ".FPT" : ".DBT");
    if (Fichier_Present(chemin))
      return std::make_unique<TMemo>(chemin, f, s.famille == TFamille::DBase3, injecteur);
  }
  throw EKorvex(textes::Memo_Introuvable(base + (fox ? ".FPT" : ".DBT"), nom));
}

// A small table (the rubrics) needs no more than its own size; a window always holds a record.
size_t Capacite(uint64_t taille_fichier, size_t longueur_enregistrement) {
  const size_t fenetre = static_cast<size_t>(std::min<uint64_t>(Taille_Fenetre, taille_fichier));
  return std::max(fenetre, longueur_enregistrement);
}

}  // namespace

void Ajouter_Omission(std::vector<TOmission>& Omissions, const TOmission& Omission) {
  if (!Omissions.empty() && Omission.Dommage == TDommage::Indicateur) {
    TOmission& derniere = Omissions.back();
    if (derniere.Dommage == Omission.Dommage && derniere.Dernier + 1 == Omission.Premier) {
      derniere.Dernier = Omission.Dernier;
      return;
    }
  }
  Omissions.push_back(Omission);
}

std::string Texte_Dommage(const TOmission& o) {
  switch (o.Dommage) {
    case TDommage::Tronquee: return textes::Omission_Tronquee(o.Annonces, o.Premier - 1);
    case TDommage::Surplus: return textes::Omission_Surplus(o.Annonces, o.Dernier - o.Premier + 1);
    case TDommage::Marque_Fin: return textes::Omission_Marque_Fin(o.Premier, o.Annonces);
    case TDommage::Indicateur: return textes::Omission_Indicateur(o.Premier, o.Dernier);
  }
  return {};
}

TTable::TEtat::TEtat(const std::string& chemin_table, const std::string& nom_affiche,
                     const plateforme::TInjecteurPannes& injecteur)
    : chemin(chemin_table),
      nom(nom_affiche.empty() ? chemin_table : nom_affiche),
      fichier(chemin, nom, injecteur),
      structure(Lire_Structure(fichier, nom)),
      page(&Page_Code(structure.page_code)),
      tampon(fichier, Capacite(fichier.Taille(), structure.longueur_enregistrement)) {
  Mesurer_Fin();
  if (structure.a_memo) memo = Ouvrir_Memo(chemin, nom, structure, injecteur);
}


TTable::TTable() = default;
TTable::~TTable() { Close(); }

void TTable::Open() {
  if (etat_) return;
  if (Est_Alias(DatabaseName))
    throw EKorvex(textes::Alias_Inconnu(DatabaseName));
  auto etat = std::make_unique<TEtat>(plateforme::Chemin_Dans(DatabaseName, TableName), NomAffiche, Injecteur);
  etat->Premier(AfficherSupprimes);
  etat_ = std::move(etat);
}

void TTable::Close() { etat_.reset(); }


TTable::TEtat& TTable::Etat() const {
  if (!etat_)
    throw EKorvex(textes::Table_Fermee(plateforme::Chemin_Dans(DatabaseName, TableName)));
  return *etat_;
}

void TTable::First() { Etat().Premier(AfficherSupprimes); }

void TTable::Next() {
  TEtat& e = Etat();
  if (e.courant < 0 || !e.Suivant(AfficherSupprimes)) e.eof = true;
}

void TTable::MoveBy(int n) {
  TEtat& e = Etat();
  if (n <= 0 || e.courant < 0) return;
  if (AfficherSupprimes) {
    e.Sauter(n);
  } else {
    for (int k = 0; k < n; ++k) {
      if (!e.Suivant(false)) {
        e.eof = true;
        break;
      }
    }
  }
}

void TTable::Aller_A(int64_t RecNo) { Etat().Aller(std::max<int64_t>(RecNo, 1) - 1, AfficherSupprimes); }

bool TTable::Eof() const { return Etat().eof; }

TField TTable::FieldByName(const std::string& name) const {
  const TEtat& e = Etat();
  for (size_t i = 0; i < e.structure.champs.size(); ++i) {
    const TChamp& c = e.structure.champs[i];
    if (!c.cache && plateforme::Egal_Sans_Casse(c.nom, name)) return TField(this, static_cast<int>(i));
  }
  throw EKorvex(textes::Champ_Non_Trouve(name));
}

std::vector<TField> TTable::Fields() const {
  const TEtat& e = Etat();
  std::vector<TField> champs;
  for (size_t i = 0; i < e.structure.champs.size(); ++i)
    if (!e.structure.champs[i].cache) champs.push_back(TField(this, static_cast<int>(i)));
  return champs;
}

int64_t TTable::RecordCount() const { return Etat().nombre; }

int64_t TTable::RecNo() const { return Etat().courant + 1; }

bool TTable::Lire_Serie(int64_t Premier, int64_t Dernier, TSerie& Serie) {
  TEtat& e = Etat();
  const int64_t i = std::max<int64_t>(Premier, 1) - 1;
  e.verifies = std::max(e.verifies, i);
  return e.Serie(i, Dernier - 1, Serie);
}

uint64_t TTable::Blocs_Memo() const {
  const TEtat& e = Etat();
  return e.memo ? e.memo->Blocs() : 0;
}

std::string TTable::Fichier_Memo() const {
  const TEtat& e = Etat();
  return e.memo ? e.memo->Chemin() : std::string();
}

const std::vector<TOmission>& TTable::Omissions() const { return Etat().omissions; }
std::vector<TOmission> TTable::Prendre_Omissions() { return std::exchange(Etat().omissions, {}); }

}  // namespace dbase
