#include "dbase/Pages_Code.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/Caracteres.h"

namespace dbase::interne {

extern const TPageCode Pages_Code[];
extern const int Nombre_Pages_Code;
extern const TPilote Pilotes[];
extern const int Nombre_Pilotes;

const TPageCode& Page_Code(int numero) {
  const TPageCode* windows = nullptr;
  for (int i = 0; i < Nombre_Pages_Code; ++i) {
    if (Pages_Code[i].numero == numero) return Pages_Code[i];
    if (Pages_Code[i].numero == 1252) windows = &Pages_Code[i];
  }
  return *windows;
}

int Page_De_Pilote(uint8_t pilote) {
  for (int i = 0; i < Nombre_Pilotes; ++i)
    if (Pilotes[i].marque == pilote) return Pilotes[i].page;
  // The payroll application is a Windows program: an unmarked table is in its page, and so is
  // one whose mark no documentation lists.
  return 1252;
}

int Page_De_Nom_Pilote(std::string_view nom) {
  // "DB" + page + locale, or "FOX" + locale (2 letters) + page; "WIN" stands for 1252.
  std::string_view reste;
  if (nom.substr(0, 3) == "FOX" && nom.size() >= 5) reste = nom.substr(5);
  else if (nom.substr(0, 2) == "DB") reste = nom.substr(2);
  else return 1252;
  if (reste.substr(0, 3) == "WIN") return 1252;
  int page = 0;
  for (size_t i = 0; i < reste.size() && i < 4 && reste[i] >= '0' && reste[i] <= '9'; ++i)
    page = page * 10 + (reste[i] - '0');
  return page == 0 ? 1252 : page;
}

bool Tout_Ascii(const char* octets, size_t n) {
  size_t i = 0;
  uint64_t ou = 0;
  // 64 bytes a turn: a memo's text is read through here whole.
#if defined(__SSE2__)
  const auto bloc = [&](size_t k) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(octets + k)); };
  __m128i ou_blocs = _mm_setzero_si128();
  for (; i + 64 <= n; i += 64)
    ou_blocs = _mm_or_si128(ou_blocs, _mm_or_si128(_mm_or_si128(bloc(i), bloc(i + 16)),
                                                   _mm_or_si128(bloc(i + 32), bloc(i + 48))));
  if (_mm_movemask_epi8(ou_blocs) != 0) return false;
#else
  for (; i + 32 <= n; i += 32) {
    uint64_t mots[4];
    std::memcpy(mots, octets + i, 32);
    ou |= mots[0] | mots[1] | mots[2] | mots[3];
  }
#endif
  for (; i + 8 <= n; i += 8) {
    uint64_t mot;
    std::memcpy(&mot, octets + i, 8);
    ou |= mot;
  }
  // The last bytes by two words that overlap: a field of a few characters (a month) is asked
  // for every record.
  if (i < n && n >= 4) {
    uint32_t debut, fin;
    std::memcpy(&debut, octets + (n >= 8 ? n - 8 : i), 4);
    std::memcpy(&fin, octets + n - 4, 4);
    ou |= debut | fin;
  } else {
    for (; i < n; ++i) ou |= static_cast<unsigned char>(octets[i]);
  }
  return (ou & 0x8080808080808080ULL) == 0;
}

namespace {

// A lead byte and what follows it: the pair's character, or U+FFFD for the lead byte alone when
// no trail byte follows. Returns the bytes taken.
size_t Ajouter_Paire(std::string& sortie, const unsigned char* o, size_t reste, const TPageCode& page) {
  const int ligne = page.lignes[o[0] - 0x80];
  if (reste < 2 || ligne < 0 || o[1] < TPageCode::Premier_Suivant || o[1] > TPageCode::Dernier_Suivant) {
    plateforme::Ajouter_Utf8(sortie, U'\uFFFD');
    return 1;
  }
  const uint16_t c = page.caracteres[static_cast<size_t>(ligne) * TPageCode::Taille_Ligne +
                                     (o[1] - TPageCode::Premier_Suivant)];
  plateforme::Ajouter_Utf8(sortie, c != 0 ? char32_t{c} : U'\uFFFD');
  return 2;
}

void Ajouter_Depuis_Page_Double(std::string& sortie, const char* octets, size_t n, const TPageCode& page) {
  const auto* o = reinterpret_cast<const unsigned char*>(octets);
  for (size_t i = 0; i < n;) {
    if (o[i] < 0x80) {
      sortie += static_cast<char>(o[i++]);
      continue;
    }
    const TUtf8& u = page.haut[o[i] - 0x80];
    if (u.longueur != 0) {
      sortie.append(u.octets, u.longueur);
      ++i;
    } else {
      i += Ajouter_Paire(sortie, o + i, n - i, page);
    }
  }
}

}  // namespace

void Ajouter_Depuis_Page(std::string& sortie, const char* octets, size_t n, const TPageCode& page) {
  if (Tout_Ascii(octets, n)) {
    sortie.append(octets, n);
    return;
  }
  if (page.lignes != nullptr) {
    Ajouter_Depuis_Page_Double(sortie, octets, n, page);
    return;
  }
  size_t longueur = 0;
  for (size_t i = 0; i < n; ++i) {
    unsigned char o = static_cast<unsigned char>(octets[i]);
    longueur += o < 0x80 ? 1 : page.haut[o - 0x80].longueur;
  }
  size_t j = sortie.size();
  sortie.resize(j + longueur);
  char* d = sortie.data();
  for (size_t i = 0; i < n; ++i) {
    unsigned char o = static_cast<unsigned char>(octets[i]);
    if (o < 0x80) {
      d[j++] = static_cast<char>(o);
    } else {
      const TUtf8& u = page.haut[o - 0x80];
      for (int k = 0; k < u.longueur; ++k) d[j++] = u.octets[k];
    }
  }
}

}  // namespace dbase::interne
