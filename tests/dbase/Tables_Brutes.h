// Handcrafted table and memo bytes, for the corrupt and unusual files no real writer makes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace test {

struct TChampBrut {
  std::string nom;
  char type;
  uint8_t longueur;
  uint8_t decimales = 0;
};

// The header of a dBase III-style table: base header, descriptors, 0x0D.
std::string Entete_Brute(uint8_t version, uint32_t nombre, const std::vector<TChampBrut>& champs,
                         uint8_t pilote = 0x03);

// A table whose records are given without their deletion byte ("*" first marks one deleted
// when supprimes says so), ended by 0x1A.
std::string Table_Brute(uint8_t version, const std::vector<TChampBrut>& champs,
                        const std::vector<std::string>& enregistrements, uint8_t pilote = 0x03,
                        const std::vector<bool>& supprimes = {});

// Memo files holding the memos in the order given; blocs receives the block of each.
std::string Dbt_III(const std::vector<std::string>& memos, std::vector<uint64_t>* blocs = nullptr);
std::string Dbt_IV(const std::vector<std::string>& memos, uint16_t taille_bloc = 512,
                   std::vector<uint64_t>* blocs = nullptr);
std::string Fpt(const std::vector<std::string>& memos, uint16_t taille_bloc = 64,
                std::vector<uint64_t>* blocs = nullptr);

// A 10-character memo pointer as dBase writes it.
std::string Pointeur(uint64_t bloc);

void Ecrire_Fichier(const std::string& chemin, const std::string& octets);

}  // namespace test
