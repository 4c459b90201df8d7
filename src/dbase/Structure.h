// The layout of a dBase table as its header describes it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Fichiers.h"

namespace dbase::interne {

enum class TFamille : uint8_t { DBase3, DBase4, DBase7, FoxPro, VisualFoxPro };

// How a field's bytes are read, whatever letter the format gives its type.
enum class TGenre : uint8_t {
  Texte, VarTexte, VarBinaire, Numerique, Entier, Logique, Date, Memo, MemoBinaire,
  Double, Monnaie, DateHeure, Horodatage, Indicateurs, Autre
};

struct TChamp {
  std::string nom;  // UTF-8
  char type = 'C';
  TGenre genre = TGenre::Texte;
  uint32_t decalage = 0;  // from the record's start, deletion byte included
  uint32_t longueur = 0;
  uint8_t decimales = 0;
  bool cache = false;  // Visual FoxPro system field (_NullFlags)
  int bit_nul = -1;       // Visual FoxPro: bit of _NullFlags set when the value is null
  int bit_longueur = -1;  // Visual FoxPro: bit set when a varchar is shorter than its field
  bool gros_boutiste_signe = false;  // dBase 7 integers: big-endian, sign bit flipped
};

struct TStructure {
  TFamille famille = TFamille::DBase3;
  uint8_t version = 0;
  uint32_t nombre_annonce = 0;
  uint32_t longueur_entete = 0;
  uint32_t longueur_enregistrement = 0;
  int page_code = 1252;
  std::vector<TChamp> champs;
  int indicateurs = -1;  // index of the _NullFlags field, if any
  bool a_memo = false;
};

// Reads and checks the header. chemin names the table in error messages.
TStructure Lire_Structure(const plateforme::TFichierLecture& fichier, const std::string& chemin);

// "La table <chemin> est endommagée : <detail>".
[[noreturn]] void Erreur_Table(const std::string& chemin, const std::string& detail);

}  // namespace dbase::interne
