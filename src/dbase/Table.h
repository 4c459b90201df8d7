// Read-only dBase tables (dBase III to 7, FoxPro 2, Visual FoxPro), texts returned in UTF-8.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace dbase {

enum class TTableType { ttDefault, ttDBase };

class TTable;

// A field of the table's current record; valid while its table stays open.
class TField {
public:
  // Text up to its first NUL (trailing blanks removed for C fields); a memo's whole text.
  std::string AsString() const;
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

  void Open();
  void Close();  // does nothing when the table is not open

  void First();
  void Next();
  void MoveBy(int n);  // forward only, as Next; a count of 0 or less does nothing
  bool Eof() const;

  // Name compared without regard to case; raises "Champ '<name>' non trouvé".
  TField FieldByName(const std::string& name) const;

private:
  friend class TField;
  struct TEtat;
  TEtat& Etat() const;  // raises when the table is not open
  std::string Texte_Champ(int index) const;
  int32_t Entier_Champ(int index) const;
  std::unique_ptr<TEtat> etat_;
};

}  // namespace dbase
