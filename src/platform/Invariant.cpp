#include "platform/Invariant.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "platform/Textes.h"

namespace plateforme {

namespace {

#ifdef KORVEX_FUZZ
std::atomic<bool> g_arreter{true};
#else
std::atomic<bool> g_arreter{false};
#endif

}  // namespace

void Invariant_Rompu(const char* Condition, const char* Fichier, int Ligne) {
  if (g_arreter.load(std::memory_order_relaxed)) {
    std::fprintf(stderr, "Invariant rompu : %s (%s:%d)\n", Condition, Fichier, Ligne);
    std::abort();
  }
  throw EInvariant(textes::Erreur_Interne(Condition, Fichier, Ligne));
}

void Arreter_Sur_Invariant(bool Arreter) noexcept { g_arreter.store(Arreter, std::memory_order_relaxed); }

}  // namespace plateforme
