// The reading of PAIES.DTA that every scan shares, for the scans' own sources: the rename that
// frames it, and a reader of payslips on a table of its own.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
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
                    const std::function<void(const std::string& nom)>& Lire);

// The check of every record that comes before a scan, on a table of its own.
TControle_Paies Controler(const std::string& Chemin, const std::string& Nom, const TChoix& Choix);

// The table's damage as warnings.
void Avertir_Table(const std::string& Nom, const std::vector<dbase::TOmission>& Omissions,
                   TAvertissements& Avertissements);

// One scan of the renamed table. Fields are looked up at their first use, so that a table
// without payslips needs neither. A record is read only when its month is a month that Choix
// retains, and a payslip the check excluded is passed over: its warning is the check's.
class TLecteur {
public:
  // Decodes into Decodage, or into TAB_VALEURS when there is none.
  TLecteur(const std::string& Chemin, const std::string& Nom, const TControle_Paies& Controle,
           TDecodage* Decodage = nullptr);

  // Every record, then the table's damage as warnings.
  TAvertissements Lire(const TChoix& Choix, const TVisiteur& Visiteur);

  // The records Premier to Dernier (from 1), checked here alone: the other runs are other
  // readers'. False when the table has none from Premier on.
  bool Lire_Lot(int64_t Premier, int64_t Dernier, const TChoix& Choix, const TVisiteur& Visiteur);

  // Where the counts of each choice's payslips go, when decoding into counts.
  void Viser(std::vector<TComptes_Rubriques*> Cibles) { cibles_ = std::move(Cibles); }

  // The records the table holds, as far as its header and size tell.
  int64_t Enregistrements() const { return table_.RecordCount(); }

  // The warnings of the memos left out since the last call.
  TAvertissements Prendre_Avertissements() { return std::exchange(avertissements_, {}); }

  // The table's damage met since the last call.
  std::vector<dbase::TOmission> Prendre_Omissions() { return table_.Prendre_Omissions(); }

private:
  std::optional<int> Choisir(const TChoix& Choix, std::string_view debut_mois) const;
  void Lire_Enregistrement(const TChoix& Choix, const TVisiteur& Visiteur);
  std::string_view Debut_Mois();
  void Lire_Bulletin(int choix, const TVisiteur& Visiteur);
  void Omettre(const TBulletin& bulletin, const std::string& defaut, const std::string& memo);

  std::string nom_;
  const TControle_Paies& controle_;
  TDecodage* decodage_;
  dbase::TTable table_;
  std::vector<TComptes_Rubriques*> cibles_;
  std::optional<dbase::TField> mois_, montants_;
  std::string mois_copie_;
  std::string texte_memo_;  // a memo's text when the table cannot lend it
  TAvertissements avertissements_;
};

}  // namespace recap::interne
