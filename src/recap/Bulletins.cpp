#include "recap/Bulletins.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <map>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "KORVEX_procs.h"
#include "dbase/Table.h"
#include "platform/Caracteres.h"
#include "platform/Erreurs.h"
#include "platform/Fichiers.h"
#include "platform/Octets.h"
#include "platform/Textes.h"

namespace recap {

using plateforme::EKorvex;

namespace {

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

  // The file as messages name it: the folder as typed, then the name the file has again once
  // the scan is over, letter case included.
  std::string Nom() const {
    const size_t separateur = retour_.find_last_of("\\/");
    return de_.substr(0, de_.find_last_of('\\') + 1) + retour_.substr(separateur == std::string::npos ? 0 : separateur + 1);
  }

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

// The first n characters (all of the text when shorter).
std::string_view Debut(std::string_view texte, size_t n) {
  return texte.substr(0, plateforme::Octets_Des_Caracteres(texte, n));
}

// "MATRICULE 00001, NOM DURAND Élodie": how the user finds the payslip in the payroll application.
std::string Identite(const TChamps_Bulletin& champs) {
  std::string texte;
  for (const auto& [nom, valeur] : champs) {
    if (!texte.empty()) texte += ", ";
    texte += nom + " " + valeur;
  }
  return texte;
}

void Avertir_Table(const std::string& nom, const std::vector<dbase::TOmission>& omissions,
                   TAvertissements& avertissements) {
  for (const dbase::TOmission& o : omissions)
    avertissements.push_back(
        textes::Avertissement_Table(nom, dbase::Texte_Dommage(o), textes::Non_Lus(o.Premier, o.Dernier)));
}

// One scan of the renamed table. Fields are looked up at their first use, so that a table
// without payslips needs neither.
class TLecteur {
public:
  // Decodes into decodage, or into TAB_VALEURS when there is none.
  TLecteur(const std::string& chemin, const std::string& nom, TDecodage* decodage = nullptr)
      : nom_(nom), decodage_(decodage) {
    table_.TableType = dbase::TTableType::ttDBase;
    table_.DatabaseName = chemin;
    table_.TableName = "PAIES.DBF";
    table_.NomAffiche = nom;
    table_.Open();
  }

  TAvertissements Lire(const TChoix& Choix, const TVisiteur& Visiteur) {
    for (table_.First(); !table_.Eof(); table_.Next()) Lire_Enregistrement(Choix, Visiteur);
    Avertir_Omissions();
    return std::move(avertissements_);
  }

  // The records Premier to Dernier (from 1), checked here alone: the other runs are other
  // readers'. False when the table has none from Premier on.
  bool Lire_Lot(int64_t Premier, int64_t Dernier, const TChoix& Choix, const TVisiteur& Visiteur) {
    table_.Aller_A_Partage(Premier);
    if (table_.Eof()) return false;
    if (table_.RecNo() > Dernier) return true;
    if (!mois_) mois_ = table_.FieldByName("MOIS");
    // Most records are of other months: the table passes over them itself. The record it stops
    // on was just asked, unless its month is not ASCII: its choice is kept rather than asked
    // again, and serves the records behind it that hold the same month.
    std::optional<int> choix;
    const auto retenir = [&](std::string_view mois) { return (choix = Choix(mois.substr(0, 7))).has_value(); };
    Lire_Enregistrement(Choix, Visiteur);
    for (;;) {
      if (choix && table_.Suivant_Pareil(*mois_, Dernier)) {
        Lire_Bulletin(*choix, Visiteur);
        continue;
      }
      choix.reset();
      if (!table_.Suivant_Retenu(*mois_, retenir, Dernier)) return true;
      if (choix)
        Lire_Bulletin(*choix, Visiteur);
      else
        Lire_Enregistrement(Choix, Visiteur);
    }
  }

  // Where the counts of each choice's payslips go, when decoding into counts.
  void Viser(std::vector<TComptes_Rubriques*> Cibles) { cibles_ = std::move(Cibles); }

  // The records the table holds, as far as its header and size tell.
  int64_t Enregistrements() const { return table_.RecordCount(); }

  // The warnings of the memos left out since the last call.
  TAvertissements Prendre_Avertissements() { return std::exchange(avertissements_, {}); }

  // The table's damage met so far, as warnings.
  void Avertir_Omissions() { Avertir_Table(nom_, table_.Omissions(), avertissements_); }

  // The table's damage met since the last call.
  std::vector<dbase::TOmission> Prendre_Omissions() { return table_.Prendre_Omissions(); }

private:
  void Lire_Enregistrement(const TChoix& Choix, const TVisiteur& Visiteur) {
    if (!mois_) mois_ = table_.FieldByName("MOIS");
    if (const auto choix = Choix(Debut_Mois())) Lire_Bulletin(*choix, Visiteur);
  }

  // The month's first seven characters, without a copy when the field is ASCII.
  std::string_view Debut_Mois() {
    if (const auto ascii = mois_->Texte_Ascii()) return ascii->substr(0, 7);
    mois_copie_ = mois_->AsString();
    return Debut(mois_copie_, 7);
  }

  void Lire_Bulletin(int choix, const TVisiteur& Visiteur) {
    if (!montants_) {
      montants_ = table_.FieldByName("MONTANTS");
      if (montants_->DataType() != dbase::TFieldType::ftMemo)
        throw EKorvex(textes::Table_Endommagee(nom_, textes::Champ_Pas_Memo(montants_->FieldName())));
    }
    const TBulletin bulletin{table_.RecNo(), [this] { return Champs(); }};
    std::string_view texte;
    try {
      texte = montants_->Texte(texte_memo_);
    } catch (const dbase::EMemo_Illisible& e) {
      return Omettre(bulletin, e.Defaut(), e.Fichier_Memo());
    }
    if (!Est_Texte_Memo(texte)) return Omettre(bulletin, textes::Memo_Pas_Texte, "");
    // Every memo the payroll application writes ends its first line: text without a CR is what
    // is left of one cut by a stray end mark, and it would count as a payslip without amounts.
    if (!texte.empty() && texte.find('\r') == std::string_view::npos) return Omettre(bulletin, textes::Memo_Sans_Ligne, "");
    if (decodage_) {
      if (choix < 0 || static_cast<size_t>(choix) >= cibles_.size()) throw EKorvex(textes::Erreur_Inattendue);
      decodage_->Comptes = cibles_[static_cast<size_t>(choix)];
    }
    try {
      if (decodage_)
        Memo_Montants_Decoder(texte, *decodage_);
      else
        Memo_Montants_Decoder(std::string(texte));
    } catch (const EKorvex& e) {
      throw EKorvex(std::string(e.what()) + "\n" +
                    textes::Bulletin_En_Cause(bulletin.Enregistrement, nom_, Identite(bulletin.Champs())));
    }
    Visiteur(choix, bulletin);
  }

  void Omettre(const TBulletin& bulletin, const std::string& defaut, const std::string& memo) {
    avertissements_.push_back(textes::Avertissement_Memo(bulletin.Enregistrement, nom_, Identite(bulletin.Champs()),
                                                         montants_->FieldName(), defaut, memo));
  }

  TChamps_Bulletin Champs() const {
    TChamps_Bulletin champs;
    for (const dbase::TField& f : table_.Fields()) {
      if (f.DataType() == dbase::TFieldType::ftString && !plateforme::Egal_Sans_Casse(f.FieldName(), "MOIS"))
        champs.emplace_back(f.FieldName(), f.AsString());
    }
    return champs;
  }

  std::string nom_;
  TDecodage* decodage_;
  dbase::TTable table_;
  std::vector<TComptes_Rubriques*> cibles_;
  std::optional<dbase::TField> mois_, montants_;
  std::string mois_copie_;
  std::string texte_memo_;  // a memo's text when the table cannot lend it
  TAvertissements avertissements_;
};

}  // namespace

std::string Chemin_Paies(const std::string& Dossier) { return Dossier + "\\PAIES.DTA"; }
std::string Chemin_Paies_Temporaire(const std::string& Dossier) { return Dossier + "\\PAIES.DBF"; }

std::string Message_Paies_Absent(const std::string& Chemin) {
  const std::string dta = Chemin_Paies(Chemin), dbf = Chemin_Paies_Temporaire(Chemin);
  if (!plateforme::Nom_Pris(dta) && plateforme::Nom_Pris(dbf)) return textes::Calcul_Interrompu(dta, dbf);
  return textes::Fichier_Non_Trouve(dta);
}

bool Est_Texte_Memo(std::string_view texte) {
  // A block of zeros read as a memo: its text starts with NULs, where padding only ends one.
  const size_t nul = texte.find('\0');
  if (nul != std::string_view::npos && (nul == 0 || texte.find_first_not_of('\0', nul) != std::string_view::npos))
    return false;
  // The first line, up to its CR, a word at a time while no byte of it is below 32: every memo
  // is asked.
  const size_t retour = std::min(texte.find('\r'), texte.size());
  size_t i = 0;
  for (; i + 8 <= retour; i += 8) {
    const uint64_t mot = plateforme::Lire_64_Petit(texte.data() + i);
    if (((mot - 0x2020202020202020ull) & ~mot & 0x8080808080808080ull) != 0) break;
  }
  for (; i < retour; ++i) {
    const char c = texte[i];
    if (static_cast<unsigned char>(c) < 32 && c != '\n' && c != '\t' && c != '\x1A') return false;
  }
  return true;
}

namespace {

// The frame of every scan: PAIES.DTA found, renamed for the time of Lire (given the table's
// name for messages) and always back under its own name; nothing, after the message, when it is
// not there.
template <class TResultat, class TLire>
std::optional<TResultat> Sous_Renommage(const std::string& Chemin, const TAfficherMessage& Message,
                                        const std::function<void()>& Trouve, const TLire& Lire) {
  const std::string paies = Chemin_Paies(Chemin), temporaire = Chemin_Paies_Temporaire(Chemin);
  if (!plateforme::Fichier_Existe(paies)) {
    Message(Message_Paies_Absent(Chemin));
    return std::nullopt;
  }
  // A stale PAIES.DBF would be read as this month's payslips.
  if (plateforme::Nom_Pris(temporaire)) throw EKorvex(textes::Temporaire_Existe(temporaire));
  TRenommageTemporaire renommage(paies, temporaire);
  std::optional<TResultat> resultat;
  std::exception_ptr erreur_lecture;
  try {
    if (Trouve) Trouve();
    resultat.emplace(Lire(renommage.Nom()));
  } catch (...) {
    erreur_lecture = std::current_exception();
  }
  if (!renommage.Rendre())
    throw EKorvex(renommage.Message_Echec() + (erreur_lecture ? "\n" + Message_De(erreur_lecture) : ""));
  if (erreur_lecture) std::rethrow_exception(erreur_lecture);
  return resultat;
}

// ---- Totals on several threads ----

// Records a thread reads at a time: their counts, some 160 KB at forty a payslip, are written and
// added while still in the core's cache. Runs eight times as long wrote buckets spread over 1.3 MB
// and waited on memory for a third of the decoding's time.
constexpr int64_t Enregistrements_Par_Lot = 512;

// The other threads start once the first has kept this many payslips: some 0.8 MB of memos at
// forty amounts each, about a millisecond of decoding, which is what starting a thread costs. A
// month of few payslips among many is read faster by one thread alone.
constexpr size_t Bulletins_Avant_Renfort = 1600;

// What a thread read of a run of records, waiting for its turn to be added.
struct TLot {
  explicit TLot(const void* lecteur) : Lecteur(lecteur) {}
  const void* Lecteur;         // the thread that reads into it
  std::vector<int> Bulletins;  // payslips by choice
  // The counts its payslips bring to each total, as TPartage numbers them, rubric by rubric,
  // each rubric's in the table's order: only the order within a rubric makes its sum, so a total
  // is loaded once a rubric and added in a register, not stored and loaded back for every amount.
  // The last takes the counts of payslips of a choice without a total.
  std::vector<TComptes_Rubriques> Seaux;
  bool Rempli = false;  // a payslip was kept: most runs of a month among many have none
  TAvertissements Avertissements;
  std::vector<dbase::TOmission> Omissions;  // the table's damage met in the run
  std::exception_ptr Erreur;  // what stopped the reading, after the payslips above
  bool Fin = false;           // the table ends in the run or before it

  // Emptied for a run, the buckets keeping their room.
  void Vider(size_t choix, size_t totaux) {
    Bulletins.assign(choix, 0);
    Seaux.resize(totaux + 1);
    if (Rempli)
      for (TComptes_Rubriques& seaux : Seaux)
        for (std::vector<int64_t>& comptes : seaux) comptes.clear();
    Rempli = false;
    Avertissements.clear();
    Omissions.clear();
    Erreur = nullptr;
    Fin = false;
  }
};

// Runs are added in the table's order, one at a time, by the thread that hands in the run whose
// turn it is: it also adds every later run already handed in, while the others go on reading
// rather than wait for their turn. At most Limite runs wait; the first that ends the reading
// (the table's end or an error) ends it for every thread. The first error is kept.
class TTours {
public:
  // Adds a run whose turn has come; true when the reading ends with it, erreur set to its error.
  using TAjouter = std::function<bool(TLot&, std::exception_ptr& erreur)>;

  explicit TTours(size_t limite) : limite_(std::max<size_t>(limite, 1)) {}

  // Hands in run k's lot, adds what can be added, then waits for room among the waiting runs.
  // Returns the lot to read the next run into, or nothing when the reading is over.
  std::unique_ptr<TLot> Rendre(int64_t k, std::unique_ptr<TLot> lot, const TAjouter& ajouter) {
    const void* lecteur = lot->Lecteur;
    std::unique_lock verrou(mutex_);
    if (fini_) return nullptr;
    prets_.emplace(k, std::move(lot));
    if (!ajout_) Ajouter_Prets(verrou, ajouter);
    condition_.wait(verrou, [&] { return fini_ || prets_.size() < limite_; });
    if (fini_) return nullptr;
    // A lot this thread read before: its buckets are still in this core's cache, where another
    // thread's would be fetched from the other core's at every first store to a line.
    const auto sien = std::find_if(libres_.begin(), libres_.end(), [&](const auto& l) { return l->Lecteur == lecteur; });
    if (sien == libres_.end()) return std::make_unique<TLot>(lecteur);
    std::unique_ptr<TLot> libre = std::move(*sien);
    libres_.erase(sien);
    return libre;
  }
  // Ends the reading out of turn: a failure of the machine, not of the data.
  void Arreter(const std::exception_ptr& erreur) {
    {
      std::lock_guard verrou(mutex_);
      Finir(erreur);
    }
    condition_.notify_all();
  }
  // Once every thread is done.
  const std::exception_ptr& Erreur() const { return erreur_; }

private:
  // The runs handed in from the turn's on, in order, the lock released while each is added: the
  // others hand theirs in meanwhile, and are added here too.
  void Ajouter_Prets(std::unique_lock<std::mutex>& verrou, const TAjouter& ajouter) {
    ajout_ = true;
    for (auto pret = prets_.find(tour_); !fini_ && pret != prets_.end(); pret = prets_.find(tour_)) {
      std::unique_ptr<TLot> lot = std::move(pret->second);
      prets_.erase(pret);
      verrou.unlock();
      std::exception_ptr erreur;
      const bool fin = ajouter(*lot, erreur);
      verrou.lock();
      ++tour_;
      if (fin) Finir(erreur);
      libres_.push_back(std::move(lot));
    }
    ajout_ = false;
    condition_.notify_all();
  }
  void Finir(const std::exception_ptr& erreur) {
    fini_ = true;
    if (erreur && !erreur_) erreur_ = erreur;
  }

  const size_t limite_;
  std::mutex mutex_;
  std::condition_variable condition_;
  int64_t tour_ = 0;
  std::map<int64_t, std::unique_ptr<TLot>> prets_;  // handed in, waiting for their turn
  std::vector<std::unique_ptr<TLot>> libres_;       // added, to read into again
  bool ajout_ = false;                              // a thread is adding
  bool fini_ = false;
  std::exception_ptr erreur_;
};

struct TPartage {
  TPartage(const TTotaux_Choix& totaux, int fils) : Totaux(totaux), Tours(static_cast<size_t>(fils)) {
    Resultat.Bulletins.assign(totaux.size(), 0);
    for (const std::vector<TTAB_VALEURS*>& choix : totaux) {
      std::vector<size_t>& numeros = Numeros.emplace_back();
      for (TTAB_VALEURS* total : choix) {
        const auto trouve = std::find(Distincts.begin(), Distincts.end(), total);
        numeros.push_back(static_cast<size_t>(trouve - Distincts.begin()));
        if (trouve == Distincts.end()) Distincts.push_back(total);
      }
    }
  }
  const TTotaux_Choix& Totaux;
  std::vector<TTAB_VALEURS*> Distincts;      // each total once: a lot's buckets are by total
  std::vector<std::vector<size_t>> Numeros;  // Totaux by their numbers in Distincts
  TTotalisation Resultat;
  std::vector<dbase::TOmission> Omissions;  // the table's, at its end with the others' warnings
  TTours Tours;
  std::atomic<int64_t> Prochain{1};  // the next run to take; run 0 is the first thread's
};

void Ajouter_Lot(const TLot& lot, TPartage& p) {
  for (size_t t = 0; lot.Rempli && t < p.Distincts.size(); ++t) {
    TTAB_VALEURS& total = *p.Distincts[t];
    for (int r = TTAB_VALEURS::Premier; r <= TTAB_VALEURS::Dernier; ++r) {
      const std::vector<int64_t>& comptes = lot.Seaux[t][static_cast<size_t>(r)];
      if (comptes.empty()) continue;
      long double somme = total[r];
      for (const int64_t compte : comptes) somme += Montant_De(compte);
      total[r] = somme;
    }
  }
  for (size_t c = 0; c < lot.Bulletins.size(); ++c) p.Resultat.Bulletins[c] += lot.Bulletins[c];
  p.Resultat.Avertissements.insert(p.Resultat.Avertissements.end(), lot.Avertissements.begin(),
                                   lot.Avertissements.end());
  for (const dbase::TOmission& o : lot.Omissions) dbase::Ajouter_Omission(p.Omissions, o);
}

// A thread's own table and decoder. Its amounts are kept as counts: the amount an x87 division
// gives in a register is the one it stores, so adding it as it is made gives the same bits as
// adding TAB_VALEURS's, without the 80-bit store and load between.
struct TFil {
  TDecodage Decodage;
  std::optional<TLecteur> Lecteur;
  std::exception_ptr Erreur_Ouverture;
};

// Reads run premier, then the next run no thread has taken, and so on, handing each in to be
// added in its turn: a thread that starts late or meets the month's payslips takes fewer runs.
// Each thread checks only its runs' records: a run that meets the table's end (an end mark, say)
// is the last one added, whatever the others read beyond it.
void Lire_Lots(int64_t premier, TFil& f, const TChoix& choix, TPartage& p, std::function<void()> renforcer) {
  auto lot = std::make_unique<TLot>(&f);
  size_t bulletins = 0;
  const TVisiteur garder = [&](int c, const TBulletin&) {
    // The memo's counts are in the buckets already; Lire_Bulletin checked the choice for that.
    lot->Rempli = true;
    ++lot->Bulletins[static_cast<size_t>(c)];
    // Decoded into the choice's first total; its other totals take the same counts.
    const std::vector<size_t>& numeros = p.Numeros[static_cast<size_t>(c)];
    for (size_t k = 1; k < numeros.size(); ++k) {
      TComptes_Rubriques& seaux = lot->Seaux[numeros[k]];
      for (int r = TTAB_VALEURS::Premier; r <= TTAB_VALEURS::Dernier; ++r)
        if (f.Decodage.Stockee(r))
          seaux[static_cast<size_t>(r)].push_back((*f.Decodage.Comptes)[static_cast<size_t>(r)].back());
    }
    if (renforcer && ++bulletins >= Bulletins_Avant_Renfort) std::exchange(renforcer, nullptr)();
  };
  const TTours::TAjouter ajouter = [&p](TLot& pret, std::exception_ptr& erreur) {
    try {
      Ajouter_Lot(pret, p);
    } catch (...) {
      if (!pret.Erreur) pret.Erreur = std::current_exception();
    }
    erreur = pret.Erreur;
    return pret.Erreur || pret.Fin;
  };
  for (int64_t k = premier;; k = p.Prochain++) {
    lot->Vider(p.Totaux.size(), p.Distincts.size());
    lot->Erreur = f.Erreur_Ouverture;
    if (f.Lecteur) {
      try {
        std::vector<TComptes_Rubriques*> cibles;
        for (const std::vector<size_t>& numeros : p.Numeros)
          cibles.push_back(&lot->Seaux[numeros.empty() ? p.Distincts.size() : numeros.front()]);
        f.Lecteur->Viser(std::move(cibles));
        const int64_t dernier = (k + 1) * Enregistrements_Par_Lot;
        const bool apres_fin = !f.Lecteur->Lire_Lot(k * Enregistrements_Par_Lot + 1, dernier, choix, garder);
        lot->Fin = apres_fin || f.Lecteur->Enregistrements() <= dernier;
        lot->Avertissements = f.Lecteur->Prendre_Avertissements();
        lot->Omissions = f.Lecteur->Prendre_Omissions();
      } catch (...) {
        lot->Erreur = std::current_exception();
      }
    }
    // Past a run that ends the reading, this thread would read nothing that counts.
    const bool dernier_lu = lot->Erreur || lot->Fin;
    lot = p.Tours.Rendre(k, std::move(lot), ajouter);
    if (!lot || dernier_lu) return;
  }
}

// Lire_Lots, on a table this thread opens when it has none; whatever escapes it releases the
// others rather than leave them waiting for a turn that will not come.
void Lire_Fil(TFil* f, const std::string& chemin, const std::string& nom, const TChoix& choix, TPartage& p,
              std::function<void()> renforcer = nullptr) noexcept {
  try {
    std::optional<TFil> propre;
    if (!f) {
      f = &propre.emplace();
      try {
        f->Lecteur.emplace(chemin, nom, &f->Decodage);
        f->Lecteur->Prendre_Omissions();  // the tail at Open: the first thread's to tell
      } catch (...) {
        f->Erreur_Ouverture = std::current_exception();
      }
    }
    Lire_Lots(propre ? p.Prochain++ : 0, *f, choix, p, std::move(renforcer));
  } catch (...) {
    p.Tours.Arreter(std::current_exception());
  }
}

// This thread, already on the table, and up to fils - 1 others, each opening its own, started
// when this one has enough to share. A thread that cannot be started leaves its runs to those
// there are.
void Lire_Sur_Fils(int fils, TFil& premier, const std::string& chemin, const std::string& nom, const TChoix& choix,
                   TPartage& p) {
  std::vector<std::jthread> autres;
  const auto renforcer = [&] {
    try {
      while (static_cast<int>(autres.size()) + 1 < fils)
        autres.emplace_back([&] { Lire_Fil(nullptr, chemin, nom, choix, p); });
    } catch (const std::system_error&) {
    }
  };
  Lire_Fil(&premier, chemin, nom, choix, p, fils > 1 ? std::function<void()>(renforcer) : nullptr);
}

}  // namespace

std::optional<TAvertissements> Lire_Bulletins(const std::string& Chemin, const TChoix& Choix,
                                              const TVisiteur& Visiteur, const TAfficherMessage& Message,
                                              const std::function<void()>& Trouve) {
  return Sous_Renommage<TAvertissements>(Chemin, Message, Trouve, [&](const std::string& nom) {
    TLecteur lecteur(Chemin, nom);
    return lecteur.Lire(Choix, Visiteur);
  });
}

std::optional<TTotalisation> Totaliser_Bulletins(const std::string& Chemin, const TChoix& Choix,
                                                 const TTotaux_Choix& Totaux, const TAfficherMessage& Message,
                                                 const std::function<void()>& Trouve, int Fils) {
  const int machine = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 4);
  return Sous_Renommage<TTotalisation>(Chemin, Message, Trouve, [&](const std::string& nom) {
    TFil premier;
    premier.Lecteur.emplace(Chemin, nom, &premier.Decodage);
    // No thread for a run it would not have: a table of one run is read here alone.
    const int64_t lots = (premier.Lecteur->Enregistrements() + Enregistrements_Par_Lot - 1) / Enregistrements_Par_Lot;
    const int fils = static_cast<int>(std::clamp<int64_t>(lots, 1, Fils > 0 ? Fils : machine));
    auto p = std::make_unique<TPartage>(Totaux, fils);
    Lire_Sur_Fils(fils, premier, Chemin, nom, Choix, *p);
    if (p->Tours.Erreur()) std::rethrow_exception(p->Tours.Erreur());
    TTotalisation resultat = std::move(p->Resultat);
    Avertir_Table(nom, p->Omissions, resultat.Avertissements);
    return resultat;
  });
}

}  // namespace recap
