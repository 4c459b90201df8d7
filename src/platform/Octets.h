// Integers stored as bytes: little-endian (the files' order, and x86's) or big-endian.
#pragma once

#include <cstdint>

namespace plateforme {

inline uint32_t Lire_16_Petit(const void* p) {
  const auto* o = static_cast<const unsigned char*>(p);
  return static_cast<uint32_t>(o[0] | (o[1] << 8));
}
inline uint32_t Lire_16_Grand(const void* p) {
  const auto* o = static_cast<const unsigned char*>(p);
  return static_cast<uint32_t>((o[0] << 8) | o[1]);
}
inline uint32_t Lire_32_Petit(const void* p) {
  const auto* o = static_cast<const unsigned char*>(p);
  return o[0] | (o[1] << 8) | (o[2] << 16) | (static_cast<uint32_t>(o[3]) << 24);
}
inline uint32_t Lire_32_Grand(const void* p) {
  const auto* o = static_cast<const unsigned char*>(p);
  return (static_cast<uint32_t>(o[0]) << 24) | (o[1] << 16) | (o[2] << 8) | o[3];
}
inline uint64_t Lire_64_Petit(const void* p) {
  const auto* o = static_cast<const unsigned char*>(p);
  return Lire_32_Petit(o) | (static_cast<uint64_t>(Lire_32_Petit(o + 4)) << 32);
}
inline uint64_t Lire_64_Grand(const void* p) {
  const auto* o = static_cast<const unsigned char*>(p);
  return (static_cast<uint64_t>(Lire_32_Grand(o)) << 32) | Lire_32_Grand(o + 4);
}

}  // namespace plateforme
