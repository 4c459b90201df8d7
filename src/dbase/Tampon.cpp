#include "Tampon.h"

namespace dbase::interne {

TTampon::TTampon(const plateforme::TFichierLecture& fichier, size_t capacite)
    : fichier_(fichier), capacite_(capacite), octets_(new char[capacite]) {}

void TTampon::Charger(uint64_t position) {
  valides_ = 0;
  debut_ = position;
  valides_ = fichier_.Lire(position, octets_.get(), capacite_);
}

const char* TTampon::Acceder(uint64_t position, size_t n) {
  if (position < debut_ || position + n > debut_ + valides_) {
    Charger(position);
    if (n > valides_) return nullptr;
  }
  return octets_.get() + (position - debut_);
}

const char* TTampon::Morceau(uint64_t position, size_t& n) {
  if (position < debut_ || position >= debut_ + valides_) Charger(position);
  n = position >= debut_ + valides_ ? 0 : static_cast<size_t>(debut_ + valides_ - position);
  return octets_.get() + (position - debut_);
}

}  // namespace dbase::interne
