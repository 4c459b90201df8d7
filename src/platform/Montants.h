// Amount texts: the signed count of ten-thousandths that a text of a payslip's memo stands for.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace plateforme {

// With the current decimal separator: the signed count of ten-thousandths, rounded half to even
// from the exact decimal value.
// Raises EKorvex "'<texte>' n'est pas une valeur en virgule flottante correcte".
int64_t Texte_Vers_Montant(std::string_view texte);

// The same with a given decimal separator, for callers that read it once for many texts.
int64_t Texte_Vers_Montant(std::string_view texte, char32_t separateur_decimal);

// Writes into cible the extended value nearest dix_milliemes / 10000 (ties to even): the bits
// the x87 division gives, built with integers. The division and the 80-bit store cost a decoded
// memo line more than all its reading.
inline void Ecrire_Dix_Milliemes(long double& cible, int64_t dix_milliemes) {
  constexpr uint64_t Q = UINT64_MAX / 10000;       // 2^64 = Q * 10000 + R
  constexpr uint32_t R = static_cast<uint32_t>(0 - Q * 10000);
  const bool negatif = dix_milliemes < 0;
  const uint64_t absolu = negatif ? 0 - static_cast<uint64_t>(dix_milliemes) : static_cast<uint64_t>(dix_milliemes);
  uint64_t mantisse = 0;
  int exposant = -16383;  // zero
  if (absolu != 0) {
    const uint64_t entier = absolu / 10000;
    const auto fraction = static_cast<uint32_t>(absolu % 10000);
    // fraction / 10000 * 2^64 = bits + reste / 10000, exactly
    const uint32_t produit = fraction * R;
    const uint64_t bits = fraction * Q + produit / 10000;
    const uint32_t reste = produit % 10000;
    bool arrondi;
    if (entier != 0) {
      const int n = std::bit_width(entier);  // at most 50: what is dropped of bits fits in 64
      mantisse = (entier << (64 - n)) | (bits >> n);
      const uint64_t perdus = bits & ((uint64_t{1} << n) - 1), moitie = uint64_t{1} << (n - 1);
      arrondi = perdus > moitie || (perdus == moitie && (reste != 0 || (mantisse & 1) != 0));
      exposant = n - 1;
    } else {
      const int s = std::countl_zero(bits);  // at most 13: fraction / 10000 >= 2^-14
      const uint32_t suite = reste << s;
      mantisse = (bits << s) | (suite / 10000);
      const uint32_t perdu = suite % 10000;
      arrondi = perdu > 5000 || (perdu == 5000 && (mantisse & 1) != 0);
      exposant = -1 - s;
    }
    if (arrondi && ++mantisse == 0) {
      mantisse = uint64_t{1} << 63;
      ++exposant;
    }
  }
  const auto signe_exposant = static_cast<uint16_t>((negatif ? 0x8000 : 0) | (exposant + 16383));
  static_assert(sizeof(long double) >= 10);
  auto* octets = reinterpret_cast<unsigned char*>(&cible);
  std::memcpy(octets, &mantisse, sizeof mantisse);
  std::memcpy(octets + 8, &signe_exposant, sizeof signe_exposant);
}

}  // namespace plateforme
