// Texts as bytes: the one home of the UTF-8 character rules (encoding, decoding, counting), the
// letter-case compare of names and lower case, and, on Windows, the conversions to and from the
// system's UTF-16.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plateforme {

// Writes one code point as UTF-8 into four bytes and returns how many it took;
// a value that is no code point is written as U+FFFD.
size_t Encoder_Utf8(char32_t caractere, char (&octets)[4]);

// Appends one code point to a UTF-8 string.
void Ajouter_Utf8(std::string& texte, char32_t caractere);

// Bytes taken by the UTF-8 character at a position (1 to 4); a byte that does not start a
// well-formed character counts as one character of its own.
size_t Taille_Caractere_Utf8(std::string_view texte, size_t position);

// The character at a position and the bytes it takes, by the rule of Taille_Caractere_Utf8.
// A byte that does not start a well-formed character stands for itself, as in Latin-1.
struct TCaractere_Utf8 {
  char32_t code;
  size_t taille;
  bool Mal_Forme() const { return taille == 1 && code >= 0x80; }
};
TCaractere_Utf8 Decoder_Utf8(std::string_view texte, size_t position);

constexpr bool Chiffre_Decimal(char c) { return c >= '0' && c <= '9'; }

// Characters of a UTF-8 text, by the rule of Taille_Caractere_Utf8: a byte that does not start
// a well-formed character counts as one character of its own.
size_t Nombre_Caracteres(std::string_view texte);

// The bytes taken by the first n characters (the whole text when it has fewer).
size_t Octets_Des_Caracteres(std::string_view texte, size_t n);

// Names (fields, files) compared as the system compares them: ASCII letters without regard
// to case, every other byte as it is.
bool Egal_Sans_Casse(std::string_view a, std::string_view b);

// Every character in lower case, by the Unicode rules (É gives é); the rest unchanged.
std::string Minuscules(const std::string& texte);

#ifdef _WIN32
// The W functions of Windows take UTF-16; a byte that is not UTF-8 becomes U+FFFD.
std::wstring Vers_Utf16(std::string_view texte);
std::string Vers_Utf8(std::wstring_view texte);
#endif

}  // namespace plateforme
