// Code pages of dBase tables and their translation to UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace dbase::interne {

struct TUtf8 {
  uint8_t longueur;
  char octets[3];
};

// The UTF-8 form of bytes 128 to 255; bytes below 128 are ASCII in every page we read.
// A double-byte page (932, 936, 949, 950) marks its lead bytes with a length of 0: the
// character is the pair, found in the lead byte's row of caracteres.
struct TPageCode {
  int numero;
  TUtf8 haut[128];
  const int16_t* lignes = nullptr;        // by lead byte - 0x80: its row, or -1
  const uint16_t* caracteres = nullptr;  // rows of Taille_Ligne code points, 0 for no character
  static constexpr unsigned Premier_Suivant = 0x40, Dernier_Suivant = 0xFE;
  static constexpr unsigned Taille_Ligne = Dernier_Suivant - Premier_Suivant + 1;
};

// A language driver mark (byte 29 of the header) and the page it names.
struct TPilote {
  uint8_t marque;
  int page;
};

// The page of that number, Windows 1252 when we do not know it.
const TPageCode& Page_Code(int numero);

// The page named by the language driver byte (offset 29 of the header).
int Page_De_Pilote(uint8_t pilote);

// The page named by a dBase 7 language driver name ("DBWINWE0", "DB850WE0", "FOXWEWIN"...).
int Page_De_Nom_Pilote(std::string_view nom);

bool Tout_Ascii(const char* octets, size_t n);

// Appends n bytes of the page to sortie in UTF-8.
void Ajouter_Depuis_Page(std::string& sortie, const char* octets, size_t n, const TPageCode& page);

}  // namespace dbase::interne
