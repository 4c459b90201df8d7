// The values of a table's fields: texts, memos and integers of the current record, and the
// places of fields in the records of a series.
#include "dbase/Table.h"

#include "dbase/Table_Etat.h"
#include "dbase/Valeurs.h"
#include "platform/Entiers.h"

namespace dbase {

using plateforme::EKorvex;
using namespace interne;

namespace {

const TChamp& Champ_De(const std::string& chemin, const TStructure& s, int index) {
  // A field taken before the table was closed and opened on another file.
  if (index < 0 || static_cast<size_t>(index) >= s.champs.size())
    throw EKorvex(textes::Champ_Etranger(chemin));
  return s.champs[static_cast<size_t>(index)];
}

}  // namespace

// The ASCII text of character field c in the current record, as Texte_Ascii gives it.
std::optional<std::string_view> TTable::TEtat::Texte_Ascii(const TChamp& c) {
  if (c.genre != TGenre::Texte || courant < 0 || Est_Nul(structure, c, Actuel())) return std::nullopt;
  const std::string_view octets = Octets_Texte(c, enregistrement);
  if (!Tout_Ascii(octets.data(), octets.size())) return std::nullopt;
  return octets;
}


// The memo's text, left in the memo file's window when it lies there and is ASCII, else in
// tampon.
std::string_view TTable::TEtat::Texte_Memo(const TChamp& c, std::string& tampon) {
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

void TTable::TEtat::Erreur_Memo(const TChamp& c, const std::string& detail) const {
  const std::string message =
      textes::Table_Endommagee(nom, textes::Memo_Du_Champ(c.nom, Enregistrement_Texte(courant), detail, memo->Chemin()));
  throw EMemo_Illisible(message, detail, memo->Chemin());
}

void TTable::TEtat::Erreur_Valeur(const TChamp& c, std::string_view texte, const std::string& quoi) const {
  Erreur_Table(nom, textes::Valeur_Incorrecte(c.nom, Enregistrement_Texte(courant), texte, quoi));
}

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
