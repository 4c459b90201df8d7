#include "Tables_Brutes.h"

#include <cstdio>
#include <fstream>

namespace test {

namespace {

void Ajouter16(std::string& s, uint32_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}
void Ajouter32(std::string& s, uint32_t v) {
  Ajouter16(s, v & 0xFFFF);
  Ajouter16(s, v >> 16);
}
void Ajouter32_Grand(std::string& s, uint32_t v) {
  for (int k = 3; k >= 0; --k) s += static_cast<char>((v >> (8 * k)) & 0xFF);
}
void Completer(std::string& s, size_t bloc) {
  if (s.size() % bloc) s.append(bloc - s.size() % bloc, '\0');
}

}  // namespace

std::string Entete_Brute(uint8_t version, uint32_t nombre, const std::vector<TChampBrut>& champs,
                         uint8_t pilote) {
  uint32_t longueur = 1;
  for (const auto& c : champs) longueur += c.longueur;
  std::string s;
  s += static_cast<char>(version);
  s += "\x7e\x0c\x07";
  Ajouter32(s, nombre);
  Ajouter16(s, static_cast<uint32_t>(32 + 32 * champs.size() + 1));
  Ajouter16(s, longueur);
  s.append(17, '\0');
  s += static_cast<char>(pilote);
  s.append(2, '\0');
  for (const auto& c : champs) {
    std::string d = c.nom.substr(0, 10);
    d.resize(11, '\0');
    d += c.type;
    d.append(4, '\0');
    d += static_cast<char>(c.longueur);
    d += static_cast<char>(c.decimales);
    d.append(14, '\0');
    s += d;
  }
  s += '\x0D';
  return s;
}

std::string Table_Brute(uint8_t version, const std::vector<TChampBrut>& champs,
                        const std::vector<std::string>& enregistrements, uint8_t pilote,
                        const std::vector<bool>& supprimes) {
  std::string s = Entete_Brute(version, static_cast<uint32_t>(enregistrements.size()), champs, pilote);
  for (size_t i = 0; i < enregistrements.size(); ++i) {
    s += i < supprimes.size() && supprimes[i] ? '*' : ' ';
    s += enregistrements[i];
  }
  s += '\x1A';
  return s;
}

std::string Dbt_III(const std::vector<std::string>& memos, std::vector<uint64_t>* blocs) {
  std::string corps;
  for (const auto& m : memos) {
    if (blocs) blocs->push_back(1 + corps.size() / 512);
    std::string b = m + "\x1A\x1A";
    Completer(b, 512);
    corps += b;
  }
  std::string s;
  Ajouter32(s, static_cast<uint32_t>(1 + corps.size() / 512));
  s.resize(512, '\0');
  s[16] = 0x03;
  return s + corps;
}

std::string Dbt_IV(const std::vector<std::string>& memos, uint16_t taille_bloc, std::vector<uint64_t>* blocs) {
  std::string s;
  s.resize(512, '\0');
  s[20] = static_cast<char>(taille_bloc & 0xFF);
  s[21] = static_cast<char>(taille_bloc >> 8);
  Completer(s, taille_bloc);
  for (const auto& m : memos) {
    if (blocs) blocs->push_back(s.size() / taille_bloc);
    s += "\xFF\xFF\x08";
    s += '\0';
    Ajouter32(s, static_cast<uint32_t>(m.size() + 8));
    s += m;
    Completer(s, taille_bloc);
  }
  return s;
}

std::string Fpt(const std::vector<std::string>& memos, uint16_t taille_bloc, std::vector<uint64_t>* blocs) {
  std::string s;
  s.resize(512, '\0');
  s[6] = static_cast<char>(taille_bloc >> 8);
  s[7] = static_cast<char>(taille_bloc & 0xFF);
  Completer(s, taille_bloc);
  for (const auto& m : memos) {
    if (blocs) blocs->push_back(s.size() / taille_bloc);
    Ajouter32_Grand(s, 1);
    Ajouter32_Grand(s, static_cast<uint32_t>(m.size()));
    s += m;
    Completer(s, taille_bloc);
  }
  return s;
}

std::string Pointeur(uint64_t bloc) {
  char t[16];
  std::snprintf(t, sizeof t, "%10llu", static_cast<unsigned long long>(bloc));
  return t;
}

void Ecrire_Fichier(const std::string& chemin, const std::string& octets) {
  std::ofstream(chemin, std::ios::binary) << octets;
}

}  // namespace test
