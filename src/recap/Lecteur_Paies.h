// The reading of PAIES.DTA that every scan shares, for the scans' own sources: the rename that
// frames it, and a reader of payslips on a table of its own.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "KORVEX_procs.h"
#include "dbase/Table.h"
#include "recap/Bulletins.h"
#include "recap/Controle_Paies.h"

namespace recap::interne {

// The frame of every scan: PAIES.DTA found, renamed for the time of Lire (given the table's name
// for messages) and always back under its own name. False, after the message, when it is not
// there. The error of the rename back comes first, the reading's on its second line.
bool Sous_Renommage(const std::string& Chemin, const TAfficherMessage& Message, const std::function<void()>& Trouve,
                    const std::function<void(const std::string& Nom)>& Lire);

// The renamed table, opened for reading.
void Ouvrir_Paies(dbase::TTable& Table, const TSource& Source);

// The table's damage as warnings.
void Avertir_Table(const std::string& Nom, const std::vector<dbase::TOmission>& Omissions,
                   TAvertissements& Avertissements);

// One reader of the renamed table, which goes through its records series after series. Of each
// record it notes the memo block (deleted records included) and, when it is shown, whether its
// month is one: a payslip is read when its month is a month that Choix retains, unless the
// check excluded it (its warning is the check's). Records in a row that hold the same month
// bytes take the choice of the first, unasked. Fields are looked up at their first use, so that
// a table without payslips needs neither.
class TLecteur {
public:
  // Decodes into Decodage: a reader without one reads no payslip (its choice retains none).
  TLecteur(const TSource& Source, const TControle_Paies& Controle, TDecodage* Decodage = nullptr);

  // The records Premier to Dernier (from 1), checked here alone: the other runs are other
  // readers'. False when the table has none from Premier on.
  bool Lire_Lot(int64_t Premier, int64_t Dernier, const TChoix& Choix, const TVisiteur& Visiteur);

  // The records the table holds, as far as its header and size tell.
  int64_t Enregistrements() const { return table_.RecordCount(); }

  // What the runs read since the last call met: the memos left out, the table's damage, the
  // months that are none.
  TAvertissements Prendre_Avertissements() { return std::exchange(avertissements_, {}); }
  std::vector<dbase::TOmission> Prendre_Omissions() { return table_.Prendre_Omissions(); }
  TMois_Vus Prendre_Mois() { return std::exchange(mois_vus_, {}); }

  // The blocks every run of this reader met.
  TBlocs_Vus& Blocs() { return blocs_; }

private:
  void Lire_Serie(const dbase::TSerie& Serie, const TChoix& Choix, const TVisiteur& Visiteur);
  void Trouver_Champs();
  std::optional<int> Choisir(const TChoix& Choix, int64_t Numero, const char* Enregistrement);
  void Lire_Bulletin(int64_t Numero, int Choix, const TVisiteur& Visiteur);
  void Omettre(const TBulletin& Bulletin, const std::string& Defaut, const std::string& Memo);

  std::string nom_;
  const TControle_Paies& controle_;
  TDecodage* decodage_;
  dbase::TTable table_;
  std::optional<dbase::TField> montants_;
  std::optional<dbase::TChamp_Serie> mois_, pointeurs_;
  bool champs_cherches_ = false;
  bool meme_mois_ = true;  // the shortcut of the month bytes of the record before
  // The last month's bytes, two words that overlap, and what was decided of them.
  bool connu_ = false;
  uint32_t debut_connu_ = 0, fin_connu_ = 0;
  std::optional<int> choix_connu_;
  TBlocs_Vus blocs_;
  TMois_Vus mois_vus_;
  std::string texte_memo_;  // a memo's text when the table cannot lend it
  TAvertissements avertissements_;
};

}  // namespace recap::interne
