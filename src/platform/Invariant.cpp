#include "platform/Invariant.h"

#include <cstdio>
#include <cstdlib>

namespace plateforme {

void Invariant_Rompu(const char* Condition, const char* Fichier, int Ligne) noexcept {
  std::fprintf(stderr, "Invariant rompu : %s (%s:%d)\n", Condition, Fichier, Ligne);
  std::abort();
}

}  // namespace plateforme
