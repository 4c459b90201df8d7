#include "dbase/Tampon.h"

namespace dbase::interne {

TTampon::TTampon(const plateforme::TFichierLecture& fichier, size_t capacite)
    : fichier_(fichier), capacite_(capacite), octets_(new char[capacite]) {}

void TTampon::Charger(uint64_t position, size_t n) {
  // A scan reads whole windows; a far jump (the rubric lookup) reads little more than it needs.
  constexpr size_t Saut = 4096;
  const bool suite = position >= debut_ && position - debut_ <= valides_ + capacite_;
  const size_t a_lire = suite || n >= Saut ? capacite_ : Saut < capacite_ ? Saut : capacite_;
  valides_ = 0;
  debut_ = position;
  valides_ = fichier_.Lire(position, octets_.get(), a_lire);
}

const char* TTampon::Acceder_Ailleurs(uint64_t position, size_t n) {
  Charger(position, n);
  if (n > valides_) return nullptr;
  return octets_.get() + (position - debut_);
}

const char* TTampon::Morceau(uint64_t position, size_t& n) {
  if (position < debut_ || position >= debut_ + valides_) Charger(position, capacite_);
  n = position >= debut_ + valides_ ? 0 : static_cast<size_t>(debut_ + valides_ - position);
  return octets_.get() + (position - debut_);
}

}  // namespace dbase::interne
