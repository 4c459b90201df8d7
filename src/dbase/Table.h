// Read-only dBase tables (dBase III to 7, FoxPro 2, Visual FoxPro), texts returned in UTF-8.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Erreurs.h"
#include "platform/Fichiers.h"

namespace dbase {

enum class TTableType { ttDefault, ttDBase };

// The kinds of value a caller needs to tell apart: texts, text memos and the rest.
enum class TFieldType { ftString, ftMemo, ftAutre };

// One memo that cannot be read in a table otherwise sound (its pointer or its block is
// damaged): what() is the whole error, Defaut() the damage alone, so that a caller that can do
// without this record may leave it out and say why.
class EMemo_Illisible : public plateforme::EKorvex {
public:
  EMemo_Illisible(const std::string& message, std::string defaut, std::string fichier_memo)
      : EKorvex(message), defaut_(std::move(defaut)), fichier_memo_(std::move(fichier_memo)) {}
  const std::string& Defaut() const { return defaut_; }
  const std::string& Fichier_Memo() const { return fichier_memo_; }

private:
  std::string defaut_, fichier_memo_;
};

// Damage that keeps some records of a table from being read while the others are sound.
enum class TDommage {
  Tronquee,    // fewer complete records than the header announces
  Surplus,     // whole records beyond those the header announces
  Marque_Fin,  // an end-of-table mark where a record starts, before the announced count
  Indicateur,  // a deletion flag that is neither a blank nor "*"
};
struct TOmission {
  TDommage Dommage = TDommage::Tronquee;
  int64_t Premier = 0, Dernier = 0;  // the records left out, numbered from 1
  int64_t Annonces = 0;              // the records the header announces
};
// What the damage is, in French ("son en-tête annonce 37 enregistrements, mais ...").
std::string Texte_Dommage(const TOmission& omission);
// Adds the damage met next as a scan notes it: wrong flags in a row are one range.
void Ajouter_Omission(std::vector<TOmission>& Omissions, const TOmission& Omission);

class TTable;

// Records as the file stores them, for a reader that goes through many at a time: Nombre
// records of Longueur bytes from Octets, the first being record number Premier (from 1). Each
// starts with its deletion flag: a blank for a record shown, "*" for a deleted one, anything else
// a wrong flag that the table has noted in its Omissions. Valid until the table reads again.
struct TSerie {
  int64_t Premier = 0;
  int64_t Nombre = 0;
  size_t Longueur = 0;
  const char* Octets = nullptr;

  const char* Enregistrement(int64_t k) const { return Octets + static_cast<size_t>(k) * Longueur; }
  static bool Montre(const char* enregistrement) { return *enregistrement == ' '; }
};

// A field in the records of a series: where its bytes lie, read without asking the table, so
// that a reader can go through many records. A plain value, valid for the table it came from.
class TChamp_Serie {
public:
  // Its bytes as stored, in the table's page.
  std::string_view Octets(const char* Enregistrement) const { return {Enregistrement + decalage_, longueur_}; }
  // Where its bytes start in a record, and whether a value can be null at all.
  size_t Decalage() const { return decalage_; }
  bool Peut_Etre_Nul() const { return bit_nul_ >= 0; }
  // Whether the value is null (Visual FoxPro's null flags).
  bool Nul(const char* Enregistrement) const {
    return bit_nul_ >= 0 && ((Enregistrement[drapeaux_ + static_cast<uint32_t>(bit_nul_ >> 3)] >> (bit_nul_ & 7)) & 1) != 0;
  }
  // For a memo field, the block it points to (0: no memo); nothing when the pointer is not a
  // block number.
  std::optional<uint64_t> Bloc_Memo(const char* Enregistrement) const;

private:
  friend class TField;
  uint32_t decalage_ = 0, longueur_ = 0, drapeaux_ = 0;
  int bit_nul_ = -1;
};

// A field of the table's current record; valid while its table stays open.
class TField {
public:
  // Text up to its first NUL (trailing blanks removed for C fields); a memo's whole text.
  std::string AsString() const;
  // AsString's text without a copy when it is a memo's that lies whole in the memo file's window
  // and is ASCII; else in Tampon. Valid until the table moves or reads another memo, and while
  // Tampon is left alone.
  std::string_view Texte(std::string& Tampon) const;
  // A character field's text without a copy, when it is ASCII (the same bytes in UTF-8 as in
  // any page we read); nothing for another text or field, which AsString gives. Valid until
  // the table moves.
  std::optional<std::string_view> Texte_Ascii() const;
  std::string FieldName() const;
  TFieldType DataType() const;
  // The field as a reader of series takes it.
  TChamp_Serie Serie() const;
  // Integer value; a numeric with decimals is rounded half to even, an empty numeric is 0,
  // a character field follows the integer text rules; other kinds raise an error.
  int32_t AsInteger() const;

private:
  friend class TTable;
  TField(const TTable* table, int index) : table_(table), index_(index) {}
  const TTable* table_;
  int index_;
};

class TTable {
public:
  TTable();
  ~TTable();  // closes
  TTable(const TTable&) = delete;
  TTable& operator=(const TTable&) = delete;

  TTableType TableType = TTableType::ttDefault;
  std::string DatabaseName;  // a directory when it holds ":" or "\" (on POSIX also "/"), else an alias
  std::string TableName;     // the file name, extension included
  bool AfficherSupprimes = false;  // show records marked deleted (they are hidden by default)
  // The table's name in messages, when the file is read under a temporary name; the file's own
  // path when empty.
  std::string NomAffiche;
  // The I/O hook of the table's file and memo file, for tests; none by default.
  plateforme::TInjecteurPannes Injecteur;

  void Open();
  void Close();  // does nothing when the table is not open

  void First();
  void Next();
  void MoveBy(int n);  // forward only, as Next; a count of 0 or less does nothing
  // Makes current the first record shown at or after record number RecNo (from 1), every
  // record up to it checked as a scan checks them; Eof when there is none (the current record
  // unchanged).
  void Aller_A(int64_t RecNo);
  bool Eof() const;

  // Name compared without regard to case; raises "Champ '<name>' non trouvé".
  TField FieldByName(const std::string& name) const;
  // Every field, in the table's order (hidden system fields aside).
  std::vector<TField> Fields() const;
  // The records the table holds as far as its header and size tell, deleted ones included (an
  // end mark further on may yet cut it short).
  int64_t RecordCount() const;
  // The number of the current record in the file, from 1; 0 on an empty table.
  int64_t RecNo() const;

  // The records from number Premier on, up to Dernier, that the table's window holds at once
  // (at least one): each checked as a scan checks them, while those before Premier are left to
  // other readers. False when the table has no record from Premier on up to Dernier. The current
  // record stays current, and Aller_A to a record of the series moves no window: a reader may
  // read a record's fields and go on with the series.
  bool Lire_Serie(int64_t Premier, int64_t Dernier, TSerie& Serie);
  // The memo file's size in blocks: a pointer to a later block is damaged. 0 without memo.
  uint64_t Blocs_Memo() const;
  // The memo file's path, as messages name it; empty for a table without memo.
  std::string Fichier_Memo() const;

  // The damage met so far, records left out: the tail at Open, the rest as records are reached.
  // A record with a wrong deletion flag is skipped, unless deleted records are shown.
  const std::vector<TOmission>& Omissions() const;
  // The damage met since the last call, handed over: Omissions no longer holds it. Who takes it
  // in turns adds each part with Ajouter_Omission, which joins them as the table would have.
  std::vector<TOmission> Prendre_Omissions();

private:
  friend class TField;
  struct TEtat;
  TEtat& Etat() const;  // raises when the table is not open
  std::string Texte_Champ(int index) const;
  std::string_view Texte_Champ(int index, std::string& tampon) const;
  std::optional<std::string_view> Texte_Ascii_Champ(int index) const;
  int32_t Entier_Champ(int index) const;
  std::unique_ptr<TEtat> etat_;
};

}  // namespace dbase
