#include "platform/Precision.h"

#include <cstdint>

namespace plateforme {

namespace {

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#define KORVEX_X87 1
// Bits 8-9 of the control word: the precision (00: 24, 10: 53, 11: 64 bits); bits 10-11: the
// rounding (00: to nearest, ties to even).
constexpr uint16_t Masque_Precision = 0x0300, Masque_Arrondi = 0x0C00;

uint16_t Lire_Controle() noexcept {
  uint16_t mot = 0;
  __asm__ volatile("fnstcw %0" : "=m"(mot));
  return mot;
}

void Ecrire_Controle(uint16_t mot) noexcept { __asm__ volatile("fldcw %0" : : "m"(mot)); }

uint16_t Bits_Precision(int bits) noexcept { return bits == 24 ? 0x0000 : bits == 53 ? 0x0200 : 0x0300; }
#endif

}  // namespace

void Fixer_Precision_Etendue() noexcept {
#ifdef KORVEX_X87
  const uint16_t mot = Lire_Controle();
  const uint16_t voulu = static_cast<uint16_t>((mot & ~(Masque_Precision | Masque_Arrondi)) | Bits_Precision(64));
  if (mot != voulu) Ecrire_Controle(voulu);
#endif
}

int Precision_Courante() noexcept {
#ifdef KORVEX_X87
  switch (Lire_Controle() & Masque_Precision) {
    case 0x0000: return 24;
    case 0x0200: return 53;
    default: return 64;  // 0x0100 is reserved; the unit then works at 64 bits
  }
#else
  return 0;
#endif
}

void Fixer_Precision(int Bits) noexcept {
#ifdef KORVEX_X87
  Ecrire_Controle(static_cast<uint16_t>((Lire_Controle() & ~Masque_Precision) | Bits_Precision(Bits)));
#else
  (void)Bits;
#endif
}

}  // namespace plateforme
