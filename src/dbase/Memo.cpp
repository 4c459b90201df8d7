#include "dbase/Memo.h"

#include <algorithm>
#include <cstring>

#include "dbase/Format.h"
#include "platform/Textes.h"
#include "platform/Erreurs.h"

namespace dbase::interne {

using namespace format;

namespace {

constexpr size_t Taille_Fenetre = 64 * 1024;
// A payslip's amounts take a few kilobytes: a longer memo is a damaged pointer or length, and
// reading it whole would cost as much memory as it claims.
constexpr uint64_t Longueur_Max = 4 * 1024 * 1024;

constexpr uint64_t Mo_Max = Longueur_Max / (1024 * 1024);

}  // namespace

TMemo::TMemo(const std::string& chemin, TFormatMemo format, bool blocs_dbase3,
             const plateforme::TInjecteurPannes& injecteur)
    : fichier_(chemin, {}, injecteur),
      tampon_(fichier_, static_cast<size_t>(std::max<uint64_t>(1, std::min<uint64_t>(Taille_Fenetre, fichier_.Taille())))),
      format_(format) {
  unsigned char e[Taille_Entete_Memo] = {};
  const size_t lus = fichier_.Lire(0, e, sizeof e);
  if (format_ == TFormatMemo::Fpt) {
    taille_bloc_ = lus >= Memo_Fpt_Taille_Bloc + 2 ? Lire_16_Grand(e + Memo_Fpt_Taille_Bloc) : 0;
    if (taille_bloc_ == 0)
      throw plateforme::EKorvex(textes::Memo_Taille_Bloc_Nulle(chemin));
  } else if (!blocs_dbase3) {
    // dBase IV and later give the block size at offset 20, some writers at offset 4.
    const uint32_t a20 = lus >= Memo_Dbt_Taille_Bloc + 2 ? Lire_16_Petit(e + Memo_Dbt_Taille_Bloc) : 0;
    const uint32_t a4 = lus >= Memo_Dbt_Taille_Bloc_Autre + 4 ? Lire_32_Petit(e + Memo_Dbt_Taille_Bloc_Autre) : 0;
    taille_bloc_ = a20 != 0 ? a20 : a4 != 0 ? a4 : Taille_Bloc_Dbt_Defaut;
  }
}

bool TMemo::Lire(uint64_t bloc, bool texte_attendu, std::string& tampon, std::string_view& texte, std::string& erreur) {
  const uint64_t taille = fichier_.Taille();
  if (bloc >= Blocs()) {
    erreur = textes::Memo_Bloc_Au_Dela(bloc);
    return false;
  }
  const uint64_t position = bloc * taille_bloc_;
  // The first bytes tell the memo's form: have them in one piece, wherever the window stands.
  const size_t tete =
      taille - position < Taille_Entete_Bloc ? static_cast<size_t>(taille - position) : Taille_Entete_Bloc;
  const auto* debut = reinterpret_cast<const unsigned char*>(tampon_.Acceder(position, tete));
  if (debut == nullptr) {
    erreur = textes::Memo_Tronque;
    return false;
  }
  const bool fpt = format_ == TFormatMemo::Fpt;
  const bool iv = !fpt && tete >= sizeof Marque_Bloc_DBase4 &&
                  std::memcmp(debut, Marque_Bloc_DBase4, sizeof Marque_Bloc_DBase4) == 0;
  if ((fpt || iv) && tete < Taille_Entete_Bloc) {
    erreur = textes::Memo_Trop_Pres_Fin;
    return false;
  }
  const uint64_t texte_bloc = position + Taille_Entete_Bloc;
  if (fpt) {
    // A zeroed or overwritten block no longer says it holds text.
    const uint32_t type = Lire_32_Grand(debut + Bloc_Type_Fpt);
    if (texte_attendu && type != Type_Texte_Fpt) {
      erreur = textes::Memo_Type_Bloc(type);
      return false;
    }
    if (!Lire_Longueur(texte_bloc, Lire_32_Grand(debut + Bloc_Longueur), tampon, texte, erreur)) return false;
  } else if (iv) {
    const uint32_t longueur = Lire_32_Petit(debut + Bloc_Longueur);  // its own 8 bytes included
    if (longueur < Taille_Entete_Bloc) {
      erreur = textes::Memo_Longueur_Incorrecte(longueur);
      return false;
    }
    if (!Lire_Longueur(texte_bloc, longueur - Taille_Entete_Bloc, tampon, texte, erreur)) return false;
  } else {
    return Lire_Jusqu_A_Fin(position, tampon, texte, erreur);
  }
  if (texte_attendu && Fin_Effacee(texte_bloc, texte)) {
    erreur = textes::Memo_Fin_Effacee;
    return false;
  }
  return true;
}

// A writer's padding only completes the last block of a text; a run of NULs that starts on a
// block boundary and reaches the end of the length is a block zeroed over the text's end, and
// the decoder would stop there without a word. One NUL alone is the terminator that writers of
// C strings store in every memo: it falls on a boundary once in so many blocks.
bool TMemo::Fin_Effacee(uint64_t position, std::string_view texte) const {
  const size_t dernier = texte.find_last_not_of('\0');
  const uint64_t nuls = position + (dernier == std::string_view::npos ? 0 : dernier + 1);
  return position + texte.size() - nuls > 1 && nuls % taille_bloc_ == 0;
}

bool TMemo::Lire_Longueur(uint64_t position, uint64_t longueur, std::string& tampon, std::string_view& texte,
                          std::string& erreur) {
  const uint64_t taille = fichier_.Taille();
  if (position > taille || longueur > taille - position) {
    erreur = textes::Memo_Depasse_Fin(longueur);
    return false;
  }
  if (longueur > Longueur_Max) {
    erreur = textes::Memo_Trop_Long(longueur, Mo_Max);
    return false;
  }
  const size_t n = static_cast<size_t>(longueur);
  if (n <= tampon_.Capacite()) {
    const char* octets = tampon_.Acceder(position, n);
    if (octets != nullptr) {
      texte = std::string_view(octets, n);
      return true;
    }
  } else {
    tampon.resize(n);
    texte = tampon;
    if (fichier_.Lire(position, tampon.data(), n) == n) return true;
  }
  erreur = textes::Memo_Tronque;
  return false;
}

// dBase III: the text runs up to its 0x1A.
bool TMemo::Marque_Doublee(uint64_t position) {
  const char* octets = tampon_.Acceder(position, 2);
  return octets != nullptr && octets[0] == Fin_Memo && octets[1] == Fin_Memo;
}

bool TMemo::Lire_Jusqu_A_Fin(uint64_t position, std::string& tampon, std::string_view& texte, std::string& erreur) {
  tampon.clear();
  for (bool premier = true;; premier = false) {
    size_t n = 0;
    const char* morceau = tampon_.Morceau(position, n);
    if (n == 0) {
      erreur = textes::Memo_Sans_Fin;
      return false;
    }
    const void* fin = std::memchr(morceau, Fin_Memo, n);
    if (fin != nullptr) {
      const size_t longueur = static_cast<size_t>(static_cast<const char*>(fin) - morceau);
      // Most memos end in the window where they start, and stay there.
      if (premier) {
        texte = std::string_view(morceau, longueur);
      } else {
        tampon.append(morceau, longueur);
        texte = tampon;
      }
      // An empty memo is its doubled end mark: a lone 0x1A at the start of a block is more
      // likely an overwritten byte than the empty text of a payslip.
      if (texte.empty() && !Marque_Doublee(position)) {
        erreur = textes::Memo_Vide_Sans_Double_Marque;
        return false;
      }
      return true;
    }
    tampon.append(morceau, n);
    position += n;
    if (tampon.size() > Longueur_Max) {
      erreur = textes::Memo_Sans_Fin_Dans(Mo_Max);
      return false;
    }
  }
}

}  // namespace dbase::interne
