// The payslips of PAIES.DTA as every calculation reads them: behind the rename, the selected
// ones decoded in the table's order, those that cannot be read left out with a warning.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "KORVEX_procs.h"
#include "recap/Avertissements.h"
#include "recap/Periode.h"

namespace recap {

// Shows one of the program's own messages (the plain message box).
using TAfficherMessage = std::function<void(const std::string&)>;

// A selected payslip once its memo is decoded, into its scan's own decoder state: no process-wide
// table nor separator is touched, so that a scan may run beside a window that formats numbers.
struct TBulletin {
  int64_t Enregistrement = 0;  // its record in PAIES.DTA, from 1
  std::function<TChamps_Bulletin()> Champs;
  const TDecodage* Decodage = nullptr;  // its amounts, as counts of ten-thousandths

  // The rubrics it stores, each once, in the order of their first line.
  const std::vector<int>& Rubriques() const { return Decodage->Rubriques; }
  bool Stocke(int Rubrique) const { return Decodage->Stockee(Rubrique); }
  // The count of a rubric it stores.
  int64_t Compte(int Rubrique) const { return (*Decodage->Comptes)[static_cast<size_t>(Rubrique)].back(); }
};

// Which payslips a calculation reads, from the first seven characters of MOIS: a number of the
// caller's (the month, or which of two months), or nothing.
using TChoix = std::function<std::optional<int>(std::string_view debut_mois)>;
using TVisiteur = std::function<void(int choix, const TBulletin&)>;

// A payslip read whole, for the views about people: its record, identity and amounts, as counts
// of ten-thousandths.
struct TPaie {
  int64_t Enregistrement = 0;  // its record in PAIES.DTA, from 1
  int Choix = 0;               // what the scan's choice gave it
  TChamps_Bulletin Champs;     // its character fields other than MOIS: its identity
  // The rubrics it stores, ascending, each with its count of ten-thousandths.
  std::vector<std::pair<int, int64_t>> Comptes;
  std::optional<int64_t> Compte(int rubrique) const;
};

// A payslip as a scan's visitor sees it, kept whole.
TPaie Paie_Decodee(int Choix, const TBulletin& Bulletin);

// How a scan reads.
struct TOptions_Lecture {
  std::function<void()> Trouve;  // runs once the file is renamed, before anything is read
  int Fils = 0;  // threads of a totalling: 0 for as many as the machine has cores, up to four
  bool Empreintes = false;  // a totalling also takes each choice's TEmpreintes
  bool Garder = false;      // a totalling also keeps each payslip whole, in the table's order
};

// Reads the folder's payslips once, PAIES.DTA renamed PAIES.DBF meanwhile and back under its
// very name on every road. Every record is checked first: one whose month field holds no month
// is counted in no month, and payslips whose memo another record names are left out, each with
// a warning. Nothing, after the message, when PAIES.DTA is not there. Raises
// plateforme::EKorvex on every error, a decoding error naming its payslip on a second line.
std::optional<TAvertissements> Lire_Bulletins(const std::string& Chemin, const TChoix& Choix,
                                              const TVisiteur& Visiteur, const TAfficherMessage& Message,
                                              const TOptions_Lecture& Options = {});

// What the payslips of a choice were, rubric by rubric: the sum of a mix of each payslip's
// record and count of ten-thousandths. Two readings of the same payslips give the same, in any
// order; a changed record or amount another, but for a chance of one in 2^64.
using TEmpreintes = std::array<uint64_t, TTAB_VALEURS::Dernier + 1>;
uint64_t Empreinte_Montant(int64_t Enregistrement, int64_t Dix_Milliemes);

// Where the payslips of each choice are added: Totaux[choix] lists the totals they go into.
using TTotaux_Choix = std::vector<std::vector<TTAB_VALEURS*>>;

// What a totalling counted, payslips by choice, and what it left out.
struct TTotalisation {
  std::vector<int> Bulletins;
  std::vector<TPaie> Paies;  // when asked for, in the table's order
  std::vector<TEmpreintes> Empreintes;  // by choice, when asked for
  TAvertissements Avertissements;
  std::optional<TPeriode> Mois_Table;  // the first and the last month of the table's records
};

// Lire_Bulletins with a visitor adding each payslip's amounts to totals, to the same bits and with
// the same warnings and errors: every total takes its payslips' amounts in the table's order.
// Runs of records are decoded on up to Options.Fils threads at once, the others joining the first
// once it has found some thousand payslips, and added in turn; a total is left as far as it got
// when an error stops the reading. At most 256 choices.
std::optional<TTotalisation> Totaliser_Bulletins(const std::string& Chemin, const TChoix& Choix,
                                                 const TTotaux_Choix& Totaux, const TAfficherMessage& Message,
                                                 const TOptions_Lecture& Options = {});

// The payslip table of a data folder as typed, and its name while a scan reads it.
std::string Chemin_Paies(const std::string& Dossier);
std::string Chemin_Paies_Temporaire(const std::string& Dossier);

// The message when PAIES.DTA is not there: "not found", or that an earlier calculation was
// interrupted when PAIES.DBF is left alone.
std::string Message_Paies_Absent(const std::string& Chemin);

// Whether a memo of amounts is text: no NUL but in a final padding run, no binary byte in its
// first line (the body's are the decoder's errors).
bool Est_Texte_Memo(std::string_view texte);

}  // namespace recap
