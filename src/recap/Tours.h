#pragma once
// The turns of a threaded totalling: runs of records handed in by the threads that read them,
// added one at a time in the table's order.
#include <algorithm>
#include <condition_variable>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/Invariant.h"

namespace recap::interne {

// Runs are added in the table's order, one at a time, by the thread that hands in the run whose
// turn it is: it also adds every later run already handed in, while the others go on reading
// rather than wait for their turn. At most Limite runs wait; the first that ends the reading
// (the table's end or an error) ends it for every thread. The first error is kept.
template <class TLot>
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
    // Each run is read once, and handed in before its turn is past.
    KORVEX_INVARIANT(k >= tour_ && prets_.count(k) == 0);
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
      KORVEX_INVARIANT(pret->first == tour_);
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

}  // namespace recap::interne
