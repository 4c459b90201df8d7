// The dBase file layout as the format's description reads: where each value of a table header,
// of a field descriptor and of a memo file lies, the marks, and the readers of its integers.
#pragma once

#include <cstdint>

#include "platform/Octets.h"

namespace dbase::format {

// ---- Table header (offsets from the start of the file) ----
inline constexpr uint32_t Entete_Version = 0;
inline constexpr uint32_t Entete_Nombre_Enregistrements = 4;   // 32 bits, little-endian
inline constexpr uint32_t Entete_Longueur_Entete = 8;          // 16 bits, little-endian
inline constexpr uint32_t Entete_Longueur_Enregistrement = 10; // 16 bits, little-endian
inline constexpr uint32_t Entete_Pilote = 29;                  // language driver mark
inline constexpr uint32_t Taille_Entete = 32;                  // dBase III to 5, FoxPro, Visual FoxPro
// dBase 7: the language driver's name follows the base header.
inline constexpr uint32_t Entete_Nom_Pilote_DBase7 = 32;
inline constexpr uint32_t Taille_Nom_Pilote_DBase7 = 32;
inline constexpr uint32_t Taille_Entete_DBase7 = 68;
// Visual FoxPro: the database container's path after the descriptors' end mark.
inline constexpr uint32_t Taille_Lien_Base_VFP = 263;

// ---- Field descriptor (offsets from the descriptor's start) ----
inline constexpr uint32_t Taille_Descripteur = 32;
inline constexpr uint32_t Taille_Nom_Champ = 11;
inline constexpr uint32_t Descripteur_Type = 11;
inline constexpr uint32_t Descripteur_Longueur = 16;
inline constexpr uint32_t Descripteur_Decimales = 17;
inline constexpr uint32_t Descripteur_Drapeaux_VFP = 18;
inline constexpr uint8_t Drapeau_Systeme_VFP = 0x01;    // hidden system field
inline constexpr uint8_t Drapeau_Nul_Permis_VFP = 0x02;
// dBase 7: a 32-byte name, then type, length and decimals.
inline constexpr uint32_t Taille_Descripteur_DBase7 = 48;
inline constexpr uint32_t Taille_Nom_Champ_DBase7 = 32;
inline constexpr uint32_t Descripteur_Type_DBase7 = 32;
inline constexpr uint32_t Descripteur_Longueur_DBase7 = 33;
inline constexpr uint32_t Descripteur_Decimales_DBase7 = 34;
inline constexpr unsigned char Fin_Descripteurs = 0x0D;

// ---- Records ----
inline constexpr char Marque_Fin_Table = 0x1A;  // where a record would start, the table ends
inline constexpr char Marque_Supprime = '*';    // first byte of a deleted record

// ---- Memo files (offsets from the start of the file, or of a block) ----
inline constexpr uint32_t Taille_Entete_Memo = 512;
inline constexpr uint32_t Memo_Fpt_Taille_Bloc = 6;        // 16 bits, big-endian
inline constexpr uint32_t Memo_Dbt_Taille_Bloc = 20;       // dBase IV and later: 16 bits, little-endian
inline constexpr uint32_t Memo_Dbt_Taille_Bloc_Autre = 4;  // some writers: 32 bits, little-endian
inline constexpr uint32_t Taille_Bloc_Dbt_Defaut = 512;
inline constexpr uint32_t Bloc_Type_Fpt = 0;    // 32 bits big-endian: 0 picture, 1 text
inline constexpr uint32_t Type_Texte_Fpt = 1;
inline constexpr uint32_t Bloc_Longueur = 4;  // FPT: 32 bits big-endian; dBase IV: little-endian, its 8 bytes included
inline constexpr uint32_t Taille_Entete_Bloc = 8;
inline constexpr unsigned char Marque_Bloc_DBase4[4] = {0xFF, 0xFF, 0x08, 0x00};
inline constexpr char Fin_Memo = 0x1A;  // dBase III: the text runs up to it

// ---- Integers as the files store them ----
using plateforme::Lire_16_Grand;
using plateforme::Lire_16_Petit;
using plateforme::Lire_32_Grand;
using plateforme::Lire_32_Petit;
using plateforme::Lire_64_Grand;
using plateforme::Lire_64_Petit;

}  // namespace dbase::format
