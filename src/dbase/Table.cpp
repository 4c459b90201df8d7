#include "dbase/Table.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/Textes.h"
#include "platform/Caracteres.h"
#include "platform/Erreurs.h"
#include "platform/Fichiers.h"
#include "platform/Octets.h"
#include "dbase/Format.h"
#include "dbase/Memo.h"
#include "platform/Entiers.h"
#include "dbase/Pages_Code.h"
#include "dbase/Structure.h"
#include "dbase/Tampon.h"
#include "dbase/Valeurs.h"

namespace dbase {

using plateforme::EKorvex;
using namespace interne;
using format::Marque_Fin_Table;
using format::Marque_Supprime;
using plateforme::Lire_32_Petit;

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

std::string Chemin_Dans(const std::string& dossier, const std::string& nom) {
  if (dossier.empty()) return nom;
  const char fin = dossier.back();
  if (fin == '\\' || fin == '/') return dossier + nom;
  return dossier + "\\" + nom;
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
std::unique_ptr<TMemo> Ouvrir_Memo(const std::string& table, const std::string& nom, const TStructure& s) {
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
      return std::make_unique<TMemo>(chemin, f, s.famille == TFamille::DBase3);
  }
  throw EKorvex(textes::Memo_Introuvable(base + (fox ? ".FPT" : ".DBT"), nom));
}

// A small table (the rubrics) needs no more than its own size; a window always holds a record.
size_t Capacite(uint64_t taille_fichier, size_t longueur_enregistrement) {
  const size_t fenetre = static_cast<size_t>(std::min<uint64_t>(Taille_Fenetre, taille_fichier));
  return std::max(fenetre, longueur_enregistrement);
}

bool Indicateur_Correct(char octet) { return octet == ' ' || octet == Marque_Supprime; }

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

struct TTable::TEtat {
  TEtat(const std::string& chemin_table, const std::string& nom_affiche)
      : chemin(chemin_table),
        nom(nom_affiche.empty() ? chemin_table : nom_affiche),
        fichier(chemin, nom),
        structure(Lire_Structure(fichier, nom)),
        page(&Page_Code(structure.page_code)),
        tampon(fichier, Capacite(fichier.Taille(), structure.longueur_enregistrement)) {
    Mesurer_Fin();
    if (structure.a_memo) memo = Ouvrir_Memo(chemin, nom, structure);
  }

  std::string chemin;  // the file read
  std::string nom;     // the table as messages name it
  plateforme::TFichierLecture fichier;
  TStructure structure;
  const TPageCode* page;
  TTampon tampon;
  std::unique_ptr<TMemo> memo;
  int64_t nombre = 0;    // records that can be read, up to an end-of-table mark once one is met
  int64_t courant = -1;  // -1: no current record (empty table)
  int64_t verifies = 0;  // records from the first already checked for an end mark and their flag
  bool eof = true;
  const char* enregistrement = nullptr;
  std::vector<TOmission> omissions;

  std::string Enregistrement_Texte(int64_t i) const { return textes::Enregistrement(i + 1); }

  void Omettre(TDommage dommage, int64_t premier, int64_t dernier) {
    Ajouter_Omission(omissions, {dommage, premier, dernier, static_cast<int64_t>(structure.nombre_annonce)});
  }

  // What the file holds beyond the header against what the header announces: a table cut short
  // is read up to its last complete record, whole records beyond the announced ones are left
  // alone, and anything else means the header does not describe this file.
  void Mesurer_Fin() {
    const uint64_t longueur = structure.longueur_enregistrement;
    const uint64_t annonces = structure.nombre_annonce;
    const uint64_t complets = (fichier.Taille() - structure.longueur_entete) / longueur;
    if (complets < annonces) {
      nombre = static_cast<int64_t>(complets);
      Omettre(TDommage::Tronquee, nombre + 1, static_cast<int64_t>(annonces));
      return;
    }
    nombre = static_cast<int64_t>(annonces);
    const uint64_t debut = structure.longueur_entete + annonces * longueur;
    const uint64_t reste = fichier.Taille() - debut;
    if (reste == 0) return;
    std::string fin(static_cast<size_t>(std::min<uint64_t>(reste, longueur + 1)), '\0');
    fin.resize(fichier.Lire(debut, fin.data(), fin.size()));
    if (fin.empty() || fin[0] == Marque_Fin_Table) return;
    const uint64_t en_plus = reste / longueur, octets = reste % longueur;
    if (en_plus == 0 && fin.find_first_not_of(std::string("\0\x1A", 2)) == std::string::npos) return;
    char dernier = 0;
    if (octets == 1) fichier.Lire(fichier.Taille() - 1, &dernier, 1);
    if (en_plus == 0 || (octets != 0 && !(octets == 1 && dernier == Marque_Fin_Table)))
      Erreur_Table(nom, textes::Taille_Incoherente(fichier.Taille(), structure.longueur_entete, annonces, longueur));
    Omettre(TDommage::Surplus, nombre + 1, nombre + static_cast<int64_t>(en_plus));
  }

  // Inline, its failure aside: a scan reads every record through here, twice.
  const char* Lire_Brut(int64_t i) {
    const char* p = tampon.Acceder(
        structure.longueur_entete + static_cast<uint64_t>(i) * structure.longueur_enregistrement,
        structure.longueur_enregistrement);
    if (p == nullptr) Erreur_Raccourcie(i);
    return p;
  }

  [[noreturn, gnu::cold]] void Erreur_Raccourcie(int64_t i) const {
    throw EKorvex(textes::Table_Raccourcie(nom, Enregistrement_Texte(i)));
  }

  // Checks each record up to i once, in order: an end-of-table mark where a record starts ends
  // the table there, a wrong deletion flag is noted. False when i is past the table's end.
  bool Verifier_Jusqu_A(int64_t i) {
    for (; verifies <= i && verifies < nombre; ++verifies) {
      const char octet = *Lire_Brut(verifies);
      if (octet != ' ' && !Verifier_Indicateur(octet)) break;
    }
    return i < nombre;
  }

  // A flag other than "shown": false, the table ending here, on an end-of-table mark.
  [[gnu::cold]] bool Verifier_Indicateur(char octet) {
    if (octet == Marque_Fin_Table) {
      Omettre(TDommage::Marque_Fin, verifies + 1, nombre);
      nombre = verifies;
      return false;
    }
    if (!Indicateur_Correct(octet)) Omettre(TDommage::Indicateur, verifies + 1, verifies + 1);
    return true;
  }

  // Makes record i current-readable; false past the end.
  bool Charger(int64_t i) {
    if (i < 0 || !Verifier_Jusqu_A(i)) return false;
    enregistrement = Lire_Brut(i);
    return true;
  }

  // The window may have moved: point at the current record again.
  void Recharger() { enregistrement = courant < 0 ? nullptr : Lire_Brut(courant); }

  // The current record's bytes for a field reader: a series may have moved the window since.
  const char* Actuel() {
    if (enregistrement == nullptr && courant >= 0) Recharger();
    return enregistrement;
  }

  // The records from i on, up to dernier, that one window holds, each checked once.
  bool Serie(int64_t i, int64_t dernier, TSerie& serie) {
    if (i > dernier || !Charger(i)) return false;
    const uint64_t longueur = structure.longueur_enregistrement;
    size_t octets = 0;
    const char* r = tampon.Morceau(structure.longueur_entete + static_cast<uint64_t>(i) * longueur, octets);
    const int64_t fin = std::min({dernier + 1, nombre, i + static_cast<int64_t>(octets / longueur)});
    Verifier_Jusqu_A(fin - 1);  // an end mark may end the table, and the series, before fin
    serie.Premier = i + 1;
    serie.Nombre = std::min(fin, nombre) - i;
    serie.Longueur = static_cast<size_t>(longueur);
    serie.Octets = r;
    if (courant >= 0) enregistrement = nullptr;
    return true;
  }

  // A record whose flag is wrong may be deleted or not: it is seen only with the deleted ones.
  bool Visible(bool supprimes) const { return supprimes || *enregistrement == ' '; }

  void Premier(bool supprimes) {
    courant = -1;
    eof = true;
    for (int64_t i = 0; Charger(i); ++i) {
      if (Visible(supprimes)) {
        courant = i;
        eof = false;
        return;
      }
    }
    enregistrement = nullptr;
  }

  bool Suivant(bool supprimes) {
    for (int64_t i = courant + 1; Charger(i); ++i) {
      if (Visible(supprimes)) {
        courant = i;
        return true;
      }
    }
    Recharger();
    return false;
  }

  void Aller(int64_t i, bool supprimes) {
    for (; Charger(i); ++i) {
      if (Visible(supprimes)) {
        courant = i;
        eof = false;
        return;
      }
    }
    eof = true;
    Recharger();
  }

  // The ASCII text of character field c in the current record, as Texte_Ascii gives it.
  std::optional<std::string_view> Texte_Ascii(const TChamp& c) {
    if (c.genre != TGenre::Texte || courant < 0 || Est_Nul(structure, c, Actuel())) return std::nullopt;
    const std::string_view octets = Octets_Texte(c, enregistrement);
    if (!Tout_Ascii(octets.data(), octets.size())) return std::nullopt;
    return octets;
  }

  bool Suivant_Retenu(const TChamp& c, const std::function<bool(std::string_view)>& retenir, int64_t dernier,
                      bool supprimes) {
    // A month's records mostly follow each other: the answer is asked again only when the
    // field's bytes or its null flag change.
    std::string deja(c.longueur, '\0');
    bool connu = false, nul = false;
    const bool nul_possible = c.bit_nul >= 0;
    for (int64_t i = courant + 1; i <= dernier; ++i) {
      if (!Charger(i)) {
        eof = true;
        break;
      }
      if (!Visible(supprimes)) continue;
      courant = i;
      const char* octets = enregistrement + c.decalage;
      const bool est_nul = nul_possible && Est_Nul(structure, c, enregistrement);
      if (connu && est_nul == nul && std::memcmp(octets, deja.data(), c.longueur) == 0) continue;
      const auto texte = Texte_Ascii(c);
      if (!texte || retenir(*texte)) return true;
      std::memcpy(deja.data(), octets, c.longueur);
      connu = true;
      nul = est_nul;
      if (!nul_possible) i = Passer_Pareils(i + 1, dernier, c, deja.data()) - 1;
    }
    Recharger();
    return false;
  }

  // Passer_Pareils for the one record after the current, whose bytes are the key: copied, as the
  // window may move.
  bool Suivant_Pareil(const TChamp& c, int64_t dernier) {
    char cle[32];
    if (courant < 0 || eof || c.bit_nul >= 0 || c.longueur > sizeof cle) return false;
    std::memcpy(cle, enregistrement + c.decalage, c.longueur);
    const int64_t i = courant + 1;
    const bool passe = Passer_Pareils(i, std::min(dernier, i), c, cle) > i;
    Recharger();
    return passe;
  }

  // From record i on, up to dernier, the records of the window that are shown (a blank flag,
  // which also checks them) and hold the bytes cle in field c: made current one after the
  // other, as Suivant_Retenu would, in a loop of a few instructions. Returns the first record
  // that is not so, for Suivant_Retenu to look at.
  int64_t Passer_Pareils(int64_t i, int64_t dernier, const TChamp& c, const char* cle) {
    if (i > dernier || i >= nombre) return i;
    const uint64_t longueur = structure.longueur_enregistrement;
    size_t octets = 0;
    const char* r = tampon.Morceau(structure.longueur_entete + static_cast<uint64_t>(i) * longueur, octets);
    const int64_t dans_fenetre = static_cast<int64_t>(octets / longueur);
    const int64_t fin = std::min({dernier + 1, nombre, i + dans_fenetre});
    int64_t k = i;
    const auto passer = [&](const auto& pareil) {
      for (; k < fin && *r == ' ' && pareil(r + c.decalage); ++k, r += longueur) {
      }
    };
    if (c.longueur >= 4 && c.longueur <= 8) {  // a month: two words that overlap, the key's loaded once
      const size_t second = c.longueur - 4;
      const uint32_t debut_cle = Lire_32_Petit(cle), fin_cle = Lire_32_Petit(cle + second);
      passer([&](const char* v) { return Lire_32_Petit(v) == debut_cle && Lire_32_Petit(v + second) == fin_cle; });
    } else {
      passer([&](const char* v) { return std::memcmp(v, cle, c.longueur) == 0; });
    }
    if (k > i) {
      verifies = std::max(verifies, k);
      courant = k - 1;
    }
    return k;
  }

  // With every record shown a move goes straight to its target, yet no further than a scan
  // would: each record up to the target is checked once.
  void Sauter(int64_t n) {
    const int64_t cible = courant + n;
    Verifier_Jusqu_A(cible);
    if (cible >= nombre) {
      courant = nombre - 1;
      eof = true;
    } else {
      courant = cible;
    }
    Recharger();
  }

  // The memo's text, left in the memo file's window when it lies there and is ASCII, else in
  // tampon.
  std::string_view Texte_Memo(const TChamp& c, std::string& tampon) {
    uint64_t bloc = 0;
    if (!Bloc_Memo(c, Actuel(), bloc)) Erreur_Memo(c, textes::Memo_Pointeur_Incorrect);
    if (bloc == 0) return tampon;  // empty, but a text all the same
    std::string_view texte;
    std::string erreur;
    bool lu = false;
    try {
      lu = memo->Lire(bloc, c.genre == TGenre::Memo, tampon, texte, erreur);
    } catch (const EKorvex& e) {
      // The file layer names the memo file; the user also needs the record.
      throw EKorvex(textes::Lieu_Memo(e.what(), c.nom, Enregistrement_Texte(courant), nom));
    }
    if (!lu) Erreur_Memo(c, erreur);
    // Binary memos too: whatever the field's kind, its text reaches the user as valid UTF-8.
    if (Tout_Ascii(texte.data(), texte.size())) return texte;
    std::string utf8;
    Ajouter_Depuis_Page(utf8, texte.data(), texte.size(), *page);
    tampon.swap(utf8);
    return tampon;
  }

  [[noreturn]] void Erreur_Memo(const TChamp& c, const std::string& detail) const {
    const std::string message =
        textes::Table_Endommagee(nom, textes::Memo_Du_Champ(c.nom, Enregistrement_Texte(courant), detail, memo->Chemin()));
    throw EMemo_Illisible(message, detail, memo->Chemin());
  }

  [[noreturn]] void Erreur_Valeur(const TChamp& c, std::string_view texte, const std::string& quoi) const {
    Erreur_Table(nom, textes::Valeur_Incorrecte(c.nom, Enregistrement_Texte(courant), texte, quoi));
  }
};

TTable::TTable() = default;
TTable::~TTable() { Close(); }

void TTable::Open() {
  if (etat_) return;
  if (Est_Alias(DatabaseName))
    throw EKorvex(textes::Alias_Inconnu(DatabaseName));
  auto etat = std::make_unique<TEtat>(Chemin_Dans(DatabaseName, TableName), NomAffiche);
  etat->Premier(AfficherSupprimes);
  etat_ = std::move(etat);
}

void TTable::Close() { etat_.reset(); }

namespace {

const TChamp& Champ_De(const std::string& chemin, const TStructure& s, int index) {
  // A field taken before the table was closed and opened on another file.
  if (index < 0 || static_cast<size_t>(index) >= s.champs.size())
    throw EKorvex(textes::Champ_Etranger(chemin));
  return s.champs[static_cast<size_t>(index)];
}

}  // namespace

TTable::TEtat& TTable::Etat() const {
  if (!etat_)
    throw EKorvex(textes::Table_Fermee(Chemin_Dans(DatabaseName, TableName)));
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

void TTable::Aller_A_Partage(int64_t RecNo) {
  TEtat& e = Etat();
  e.verifies = std::max(e.verifies, std::max<int64_t>(RecNo, 1) - 1);
  e.Aller(std::max<int64_t>(RecNo, 1) - 1, AfficherSupprimes);
}

bool TTable::Suivant_Retenu(const TField& Champ, const std::function<bool(std::string_view)>& Retenir,
                            int64_t Dernier) {
  TEtat& e = Etat();
  if (Champ.table_ != this) throw EKorvex(textes::Champ_Etranger(e.nom));
  if (e.courant < 0 || e.eof) return false;
  return e.Suivant_Retenu(Champ_De(e.nom, e.structure, Champ.index_), Retenir, Dernier - 1, AfficherSupprimes);
}

bool TTable::Suivant_Pareil(const TField& Champ, int64_t Dernier) {
  TEtat& e = Etat();
  if (Champ.table_ != this) throw EKorvex(textes::Champ_Etranger(e.nom));
  return e.Suivant_Pareil(Champ_De(e.nom, e.structure, Champ.index_), Dernier - 1);
}

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

std::string TTable::Texte_Champ(int index) const {
  std::string tampon;
  const std::string_view texte = Texte_Champ(index, tampon);
  if (texte.data() != tampon.data()) tampon.assign(texte);
  return tampon;
}

std::string_view TTable::Texte_Champ(int index, std::string& tampon) const {
  TEtat& e = Etat();
  const TChamp& c = Champ_De(e.nom, e.structure, index);
  tampon.clear();
  if (e.courant < 0 || Est_Nul(e.structure, c, e.Actuel())) return tampon;
  if (c.genre == TGenre::Memo || c.genre == TGenre::MemoBinaire) return e.Texte_Memo(c, tampon);
  tampon = Texte_Valeur(e.structure, c, e.enregistrement, *e.page);
  return tampon;
}

std::optional<std::string_view> TTable::Texte_Ascii_Champ(int index) const {
  TEtat& e = Etat();
  return e.Texte_Ascii(Champ_De(e.nom, e.structure, index));
}

int32_t TTable::Entier_Champ(int index) const {
  TEtat& e = Etat();
  const TChamp& c = Champ_De(e.nom, e.structure, index);
  const bool vide = e.courant < 0 || Est_Nul(e.structure, c, e.Actuel());
  int32_t valeur = 0;
  TLecture lecture = TLecture::Correcte;
  switch (c.genre) {
    case TGenre::Texte:
    case TGenre::VarTexte: return plateforme::Texte_Vers_Entier(Texte_Champ(index));
    case TGenre::Numerique:
      if (!vide) lecture = Entier_De_Numerique(Texte_Numerique(c, e.enregistrement), valeur);
      if (lecture == TLecture::Incorrecte)
        e.Erreur_Valeur(c, Texte_Numerique(c, e.enregistrement), textes::Pas_Un_Nombre);
      break;
    case TGenre::Entier:
    case TGenre::Double:
    case TGenre::Monnaie:
      if (!vide) lecture = Entier_De_Binaire(c, e.enregistrement, valeur);
      if (lecture == TLecture::Incorrecte) e.Erreur_Valeur(c, "NaN", textes::Pas_Un_Nombre);
      break;
    default: throw EKorvex(textes::Acces_Champ_Impossible(c.nom, "Integer"));
  }
  if (lecture == TLecture::Debordement) throw EKorvex(textes::Debordement_Entier);
  return valeur;
}

std::string TField::AsString() const { return table_->Texte_Champ(index_); }

std::string_view TField::Texte(std::string& Tampon) const { return table_->Texte_Champ(index_, Tampon); }

std::optional<std::string_view> TField::Texte_Ascii() const { return table_->Texte_Ascii_Champ(index_); }

TChamp_Serie TField::Serie() const {
  const TTable::TEtat& e = table_->Etat();
  const TChamp& c = Champ_De(e.nom, e.structure, index_);
  TChamp_Serie s;
  s.decalage_ = c.decalage;
  s.longueur_ = c.longueur;
  if (c.bit_nul >= 0 && e.structure.indicateurs >= 0) {
    s.bit_nul_ = c.bit_nul;
    s.drapeaux_ = e.structure.champs[static_cast<size_t>(e.structure.indicateurs)].decalage;
  }
  return s;
}

std::optional<uint64_t> TChamp_Serie::Bloc_Memo(const char* Enregistrement) const {
  uint64_t bloc = 0;
  if (!Lire_Bloc_Memo(Enregistrement + decalage_, longueur_, bloc)) return std::nullopt;
  return bloc;
}

std::string TField::FieldName() const {
  const TTable::TEtat& e = table_->Etat();
  return Champ_De(e.nom, e.structure, index_).nom;
}

TFieldType TField::DataType() const {
  const TTable::TEtat& e = table_->Etat();
  switch (Champ_De(e.nom, e.structure, index_).genre) {
    case TGenre::Texte:
    case TGenre::VarTexte: return TFieldType::ftString;
    case TGenre::Memo: return TFieldType::ftMemo;
    default: return TFieldType::ftAutre;
  }
}

int32_t TField::AsInteger() const { return table_->Entier_Champ(index_); }

}  // namespace dbase
