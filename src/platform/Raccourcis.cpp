#include "platform/Raccourcis.h"

#include <atomic>

namespace plateforme {

namespace {

// One word, so that the decoder of any thread reads the switches without a lock.
constexpr unsigned Bit_Simd = 1, Bit_Meme_Mois = 2, Bit_Fils = 4, Bit_Ligne_Courante = 8, Bit_Pointeurs = 16;
std::atomic<unsigned> g_raccourcis{Bit_Simd | Bit_Meme_Mois | Bit_Fils | Bit_Ligne_Courante | Bit_Pointeurs};

}  // namespace

TRaccourcis Raccourcis() noexcept {
  const unsigned r = g_raccourcis.load(std::memory_order_relaxed);
  return {(r & Bit_Simd) != 0, (r & Bit_Meme_Mois) != 0, (r & Bit_Fils) != 0, (r & Bit_Ligne_Courante) != 0,
          (r & Bit_Pointeurs) != 0};
}

void Fixer_Raccourcis(const TRaccourcis& R) noexcept {
  g_raccourcis.store((R.Simd ? Bit_Simd : 0) | (R.Meme_Mois ? Bit_Meme_Mois : 0) | (R.Fils ? Bit_Fils : 0) |
                         (R.Ligne_Courante ? Bit_Ligne_Courante : 0) | (R.Pointeurs ? Bit_Pointeurs : 0),
                     std::memory_order_relaxed);
}

}  // namespace plateforme
