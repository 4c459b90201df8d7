// A window over a file read through one buffer, so that a scan costs one read per window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/Fichiers.h"

namespace dbase::interne {

class TTampon {
public:
  TTampon(const plateforme::TFichierLecture& fichier, size_t capacite);

  size_t Capacite() const { return capacite_; }

  // The n bytes at position (n <= Capacite()), or nullptr when the file ends before them.
  // Valid until the next call. Inline where the window holds them: a scan asks for every record.
  const char* Acceder(uint64_t position, size_t n) {
    if (position >= debut_ && position + n <= debut_ + valides_) return octets_.get() + (position - debut_);
    return Acceder_Ailleurs(position, n);
  }

  // The bytes from position to the end of a window: at least one unless the file ends there.
  const char* Morceau(uint64_t position, size_t& n);

private:
  void Charger(uint64_t position, size_t n);
  const char* Acceder_Ailleurs(uint64_t position, size_t n);

  const plateforme::TFichierLecture& fichier_;
  size_t capacite_;
  std::unique_ptr<char[]> octets_;
  uint64_t debut_ = 0;
  size_t valides_ = 0;
};

}  // namespace dbase::interne
