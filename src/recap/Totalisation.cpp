// The totals of a scan on several threads: runs of records read at once by each, then added in
// the table's order, so that every total is the one a single reader would make, to the bit.
#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <iterator>
#include <memory>
#include <mutex>
#include <span>
#include <system_error>
#include <thread>

#include "KORVEX_procs.h"
#include "platform/Erreurs.h"
#include "platform/Invariant.h"
#include "platform/Precision.h"
#include "platform/Raccourcis.h"
#include "platform/Textes.h"
#include "recap/Bulletins.h"
#include "recap/Lecteur_Paies.h"
#include "recap/Tours.h"

namespace recap {

using interne::TLecteur;

namespace {

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
  // The counts of its payslips, rubric by rubric, each rubric's in the table's order: only the
  // order within a rubric makes a sum, so a total is loaded once a rubric and added in a register,
  // not stored and loaded back for every amount.
  TComptes_Rubriques Comptes;
  // The one choice of its payslips so far (-1: none yet, -2: several). From a second choice on,
  // Choix holds the choice of each count beside it; a run of one choice needs none.
  int Choix_Seul = -1;
  std::array<std::vector<uint8_t>, TTAB_VALEURS::Dernier + 1> Choix;
  std::vector<TEmpreintes> Empreintes;  // by choice, when the totalling takes them
  std::vector<TPaie> Paies;  // whole, when the totalling keeps them
  bool Rempli = false;  // a payslip was kept: most runs of a month among many have none
  TAvertissements Avertissements;
  std::vector<dbase::TOmission> Omissions;  // the table's damage met in the run
  TMois_Vus Mois;                    // its records whose month is none
  std::exception_ptr Erreur;  // what stopped the reading, after the payslips above
  bool Fin = false;           // the table ends in the run or before it

  // Emptied for a run, the buckets keeping their room.
  void Vider(size_t choix, bool empreintes) {
    Bulletins.assign(choix, 0);
    if (empreintes && (Rempli || Empreintes.empty())) Empreintes.assign(choix, TEmpreintes{});
    if (Rempli)
      for (std::vector<int64_t>& comptes : Comptes) comptes.clear();
    if (Choix_Seul == -2)
      for (std::vector<uint8_t>& c : Choix) c.clear();
    Rempli = false;
    Choix_Seul = -1;
    Paies.clear();
    Avertissements.clear();
    Omissions.clear();
    Mois = {};
    Erreur = nullptr;
    Fin = false;
  }
};

using TTours = interne::TTours<TLot>;

struct TPartage {
  TPartage(const TTotaux_Choix& totaux, int fils, const TControle_Paies& controle, const TOptions_Lecture& options)
      : Totaux(totaux), Controle(controle), Empreintes(options.Empreintes), Garder(options.Garder),
        Tours(static_cast<size_t>(fils)) {
    Resultat.Bulletins.assign(totaux.size(), 0);
    if (Empreintes) Resultat.Empreintes.assign(totaux.size(), TEmpreintes{});
    for (const std::vector<TTAB_VALEURS*>& choix : totaux) {
      std::vector<size_t>& numeros = Numeros.emplace_back();
      for (TTAB_VALEURS* total : choix) {
        const auto trouve = std::find(Distincts.begin(), Distincts.end(), total);
        numeros.push_back(static_cast<size_t>(trouve - Distincts.begin()));
        if (trouve == Distincts.end()) Distincts.push_back(total);
      }
    }
    // A count's choice is kept in a byte.
    KORVEX_INVARIANT(Numeros.size() <= 256);
  }
  const TTotaux_Choix& Totaux;
  const TControle_Paies& Controle;
  const bool Empreintes, Garder;
  // Whether each payslip's rubrics are listed as they are decoded.
  bool Lister() const { return Empreintes || Garder; }
  std::vector<TTAB_VALEURS*> Distincts;      // each total once: a lot's buckets are by total
  std::vector<std::vector<size_t>> Numeros;  // Totaux by their numbers in Distincts
  TTotalisation Resultat;
  std::vector<dbase::TOmission> Omissions;  // the table's, at its end with the others' warnings
  TMois_Vus Mois;                    // of the runs added, in their order
  TTours Tours;
  std::atomic<int64_t> Prochain{1};  // the next run to take; run 0 is the first thread's
  // The blocks the threads met, each thread's joined to these as it ends.
  std::mutex Mutex_Blocs;
  std::optional<TBlocs_Vus> Blocs;

  void Rendre_Blocs(TBlocs_Vus& blocs) {
    std::lock_guard verrou(Mutex_Blocs);
    if (Blocs)
      Blocs->Joindre(blocs);
    else
      Blocs = std::move(blocs);
  }
};

// Counts added to a total, in their order; to a second one too, each amount made once for both.
void Ajouter_Seau(std::span<const int64_t> comptes, long double& total, long double* second = nullptr) {
  long double somme = total;
  if (second != nullptr) {
    long double autre = *second;
    for (const int64_t compte : comptes) {
      const long double montant = Montant_De(compte);
      somme += montant;
      autre += montant;
    }
    *second = autre;
  } else {
    for (const int64_t compte : comptes) somme += Montant_De(compte);
  }
  total = somme;
}

// Counts of rubric r added to each total of a choice, two at a time: a month's and its period's
// in the cumuls.
void Ajouter_Choix(std::span<const int64_t> comptes, const std::vector<size_t>& numeros, int r, TPartage& p) {
  for (size_t k = 0; k < numeros.size(); k += 2)
    Ajouter_Seau(comptes, (*p.Distincts[numeros[k]])[r], k + 1 < numeros.size() ? &(*p.Distincts[numeros[k + 1]])[r] : nullptr);
}

// A run's counts to the totals of their choices: all of them to its one choice's, or a stretch
// of one choice at a time. Each total takes its payslips' counts in the table's order.
void Ajouter_Comptes(const TLot& lot, TPartage& p) {
  for (int r = TTAB_VALEURS::Premier; r <= TTAB_VALEURS::Dernier; ++r) {
    const std::vector<int64_t>& comptes = lot.Comptes[static_cast<size_t>(r)];
    if (lot.Choix_Seul >= 0) {
      if (!comptes.empty()) Ajouter_Choix(comptes, p.Numeros[static_cast<size_t>(lot.Choix_Seul)], r, p);
      continue;
    }
    const std::vector<uint8_t>& choix = lot.Choix[static_cast<size_t>(r)];
    // Every count has its mark, and every mark names a choice of the scan.
    KORVEX_INVARIANT(choix.size() == comptes.size());
    size_t ajoutes = 0;
    for (size_t debut = 0, fin = 0; debut < comptes.size(); debut = fin) {
      while (fin < comptes.size() && choix[fin] == choix[debut]) ++fin;
      KORVEX_INVARIANT(choix[debut] < p.Numeros.size());
      Ajouter_Choix(std::span(comptes).subspan(debut, fin - debut), p.Numeros[static_cast<size_t>(choix[debut])], r, p);
      ajoutes += fin - debut;
    }
    // The stretches add each count once.
    KORVEX_INVARIANT(ajoutes == comptes.size());
  }
}

void Ajouter_Lot(TLot& lot, TPartage& p) {
  if (lot.Rempli) Ajouter_Comptes(lot, p);
  std::move(lot.Paies.begin(), lot.Paies.end(), std::back_inserter(p.Resultat.Paies));
  for (size_t c = 0; c < lot.Bulletins.size(); ++c) p.Resultat.Bulletins[c] += lot.Bulletins[c];
  for (size_t c = 0; lot.Rempli && c < p.Resultat.Empreintes.size(); ++c)
    for (size_t r = 0; r < TEmpreintes().size(); ++r) p.Resultat.Empreintes[c][r] += lot.Empreintes[c][r];
  p.Resultat.Avertissements.Ajouter(lot.Avertissements);
  for (const dbase::TOmission& o : lot.Omissions) dbase::Ajouter_Omission(p.Omissions, o);
  p.Mois.Ajouter(lot.Mois);
}

// A payslip of choice c, its counts just decoded. While the run's payslips are of one choice,
// that is all; at a second choice, the earlier counts are marked with the first, and from then
// on each payslip's with its own, listed by rubric.
void Marquer_Choix(TLot& lot, int c, TDecodage& d) {
  // A mark is a byte: a scan has at most 256 choices (TPartage).
  KORVEX_INVARIANT(c >= 0 && c < 256);
  if (lot.Choix_Seul == -1) lot.Choix_Seul = c;
  if (lot.Choix_Seul == c) return;
  auto& choix = lot.Choix;
  if (lot.Choix_Seul >= 0) {
    for (size_t r = 0; r < lot.Comptes.size(); ++r)
      if (!lot.Comptes[r].empty()) choix[r].assign(lot.Comptes[r].size(), static_cast<uint8_t>(lot.Choix_Seul));
    for (int r = TTAB_VALEURS::Premier; r <= TTAB_VALEURS::Dernier; ++r)
      if (d.Stockee(r)) choix[static_cast<size_t>(r)].back() = static_cast<uint8_t>(c);
    lot.Choix_Seul = -2;
    d.Lister = true;  // the run's next payslips are marked by the rubrics they store
    return;
  }
  for (const int r : d.Rubriques) choix[static_cast<size_t>(r)].push_back(static_cast<uint8_t>(c));
}

// A thread's own table and decoder. Its amounts are kept as counts: the amount an x87 division
// gives in a register is the one it stores, so adding it as it is made gives the same bits as
// adding a decoded table's, without the 80-bit store and load between.
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
  f.Decodage.Lister = p.Lister();
  const TVisiteur garder = [&](int c, const TBulletin& bulletin) {
    // The memo's counts are in the lot's buckets already.
    if (c < 0 || static_cast<size_t>(c) >= lot->Bulletins.size()) throw plateforme::EKorvex(textes::Erreur_Inattendue);
    lot->Rempli = true;
    ++lot->Bulletins[static_cast<size_t>(c)];
    if (p.Empreintes) {
      TEmpreintes& empreintes = lot->Empreintes[static_cast<size_t>(c)];
      for (const int r : f.Decodage.Rubriques)
        empreintes[static_cast<size_t>(r)] +=
            Empreinte_Montant(bulletin.Enregistrement, (*f.Decodage.Comptes)[static_cast<size_t>(r)].back());
    }
    if (p.Garder) lot->Paies.push_back(Paie_Decodee(c, bulletin));
    Marquer_Choix(*lot, c, f.Decodage);
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
    lot->Vider(p.Totaux.size(), p.Empreintes);
    f.Decodage.Lister = p.Lister();
    lot->Erreur = f.Erreur_Ouverture;
    if (f.Lecteur) {
      try {
        f.Decodage.Comptes = &lot->Comptes;
        const int64_t dernier = (k + 1) * Enregistrements_Par_Lot;
        const bool apres_fin = !f.Lecteur->Lire_Lot(k * Enregistrements_Par_Lot + 1, dernier, choix, garder);
        lot->Fin = apres_fin || f.Lecteur->Enregistrements() <= dernier;
        lot->Avertissements = f.Lecteur->Prendre_Avertissements();
        lot->Omissions = f.Lecteur->Prendre_Omissions();
        lot->Mois = f.Lecteur->Prendre_Mois();
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
void Lire_Fil(TFil* f, const interne::TSource& source, const TChoix& choix, TPartage& p,
              std::function<void()> renforcer = nullptr) noexcept {
  plateforme::Fixer_Precision_Etendue();
  try {
    std::optional<TFil> propre;
    if (!f) {
      f = &propre.emplace();
      try {
        f->Lecteur.emplace(source, p.Controle, &f->Decodage);
        f->Lecteur->Prendre_Omissions();  // the tail at Open: the first thread's to tell
      } catch (...) {
        f->Erreur_Ouverture = std::current_exception();
      }
    }
    Lire_Lots(propre ? p.Prochain++ : 0, *f, choix, p, std::move(renforcer));
    if (f->Lecteur) p.Rendre_Blocs(f->Lecteur->Blocs());
  } catch (...) {
    p.Tours.Arreter(std::current_exception());
  }
}

// This thread, already on the table, and up to fils - 1 others, each opening its own, started
// when this one has enough to share. A thread that cannot be started leaves its runs to those
// there are.
void Lire_Sur_Fils(int fils, TFil& premier, const interne::TSource& source, const TChoix& choix, TPartage& p) {
  std::vector<std::jthread> autres;
  const auto renforcer = [&] {
    try {
      while (static_cast<int>(autres.size()) + 1 < fils)
        autres.emplace_back([&] { Lire_Fil(nullptr, source, choix, p); });
    } catch (const std::system_error&) {
    }
  };
  Lire_Fil(&premier, source, choix, p, fils > 1 ? std::function<void()>(renforcer) : nullptr);
}

// A reading of the renamed table: its totals, and what it met that the check concludes on.
struct TLecture_Table {
  TTotalisation Totalisation;
  TMois_Vus Mois;
  std::vector<uint64_t> Doubles;
};

// The totals of the renamed table, payslips the check excluded passed over.
TLecture_Table Totaliser_Table(const interne::TSource& source, const TChoix& choix, const TTotaux_Choix& totaux,
                               const TOptions_Lecture& options, const TControle_Paies& controle) {
  const int machine = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 4);
  const int voulus = !plateforme::Raccourcis().Fils ? 1 : options.Fils > 0 ? options.Fils : machine;
  TFil premier;
  premier.Lecteur.emplace(source, controle, &premier.Decodage);
  // No thread for a run it would not have: a table of one run is read here alone.
  const int64_t lots = (premier.Lecteur->Enregistrements() + Enregistrements_Par_Lot - 1) / Enregistrements_Par_Lot;
  const int fils = static_cast<int>(std::clamp<int64_t>(lots, 1, voulus));
  auto p = std::make_unique<TPartage>(totaux, fils, controle, options);
  Lire_Sur_Fils(fils, premier, source, choix, *p);
  if (p->Tours.Erreur()) std::rethrow_exception(p->Tours.Erreur());
  TLecture_Table lu{std::move(p->Resultat), std::move(p->Mois), p->Blocs ? p->Blocs->Doubles() : std::vector<uint64_t>{}};
  interne::Avertir_Table(source.Nom, p->Omissions, lu.Totalisation.Avertissements);
  return lu;
}

}  // namespace

std::optional<TTotalisation> Totaliser_Bulletins(const std::string& Chemin, const TChoix& Choix,
                                                 const TTotaux_Choix& Totaux, const TAfficherMessage& Message,
                                                 const TOptions_Lecture& Options) {
  plateforme::Fixer_Precision_Etendue();
  std::optional<TTotalisation> resultat;
  const bool trouve = interne::Sous_Renommage(Chemin, Message, Options.Trouve, [&](const std::string& nom) {
    // The totals as the caller gave them, for a reading made again.
    std::vector<TTAB_VALEURS*> distincts;
    for (const auto& choix : Totaux)
      for (TTAB_VALEURS* total : choix)
        if (std::find(distincts.begin(), distincts.end(), total) == distincts.end()) distincts.push_back(total);
    std::vector<TTAB_VALEURS> depart;
    depart.reserve(distincts.size());
    for (const TTAB_VALEURS* total : distincts) depart.push_back(*total);
    const interne::TSource source{Chemin, nom, plateforme::Injecteur_Installe()};
    TLecture_Table lu = Totaliser_Table(source, Choix, Totaux, Options, TControle_Paies{});
    const TControle_Paies controle = Conclure_Controle(source, Choix, lu.Mois, lu.Doubles);
    // Payslips whose memo another record names: the totals again, without them. Only damage
    // costs this second reading.
    if (!controle.Exclus.empty()) {
      for (size_t t = 0; t < distincts.size(); ++t) *distincts[t] = depart[t];
      lu = Totaliser_Table(source, Choix, Totaux, Options, controle);
    }
    resultat = std::move(lu.Totalisation);
    resultat->Avertissements.Ajouter(controle.Avertissements);
    resultat->Mois_Table = controle.Mois_Table;
  });
  if (!trouve) return std::nullopt;
  return resultat;
}

}  // namespace recap
