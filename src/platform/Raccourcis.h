// The fast paths of the decoder and the scan, each beside a plain twin that gives the same
// bits: the tests switch them off to run the plain ones too. The program never does.
#pragma once

namespace plateforme {

struct TRaccourcis {
  bool Simd = true;       // the SSE4.1 reader of the usual memo line, where the CPU has it
  bool Meme_Mois = true;  // a record that holds the month bytes of the one before takes its choice
  bool Fils = true;       // a totalling shares its runs of records among threads
  bool Ligne_Courante = true;  // the scalar reader of the usual line, before the general rules
  bool Pointeurs = true;  // memo pointers read a word at a time, and the blocks met in a bitmap
};

// Read when a decoding or a scan starts; set only by tests, between scans.
TRaccourcis Raccourcis() noexcept;
void Fixer_Raccourcis(const TRaccourcis& Raccourcis) noexcept;

}  // namespace plateforme
