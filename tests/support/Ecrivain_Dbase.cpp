#include "support/Ecrivain_Dbase.h"

#include <algorithm>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include "platform/Caracteres.h"

namespace test {

namespace {

constexpr size_t Bloc_Memo = 512;

// UTF-8 to code page 1252 for the Latin-1 range, enough for French texts; any other character,
// and any byte that is not UTF-8, is written as it is.
std::string Vers_1252(const std::string& texte) {
  std::string sortie;
  sortie.reserve(texte.size());
  for (size_t i = 0; i < texte.size();) {
    const auto c = plateforme::Decoder_Utf8(texte, i);
    if (c.code <= 0xFF) sortie += static_cast<char>(c.code);
    else sortie.append(texte, i, c.taille);
    i += c.taille;
  }
  return sortie;
}

void Ecrire_U16(char* p, uint16_t v) {
  p[0] = static_cast<char>(v & 0xFF);
  p[1] = static_cast<char>(v >> 8);
}
void Ecrire_U32(char* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

struct TEcrivainTable::TEtat {
  std::vector<TChampEcrit> champs;
  std::ofstream table, memo;
  uint32_t enregistrements = 0;
  uint32_t prochain_bloc = 1;
  size_t longueur_enregistrement = 1;
  bool avec_memo = false;
  std::string tampon;

  void Entete() {
    const size_t longueur_entete = 32 + 32 * champs.size() + 1;
    std::string entete(longueur_entete, '\0');
    entete[0] = static_cast<char>(avec_memo ? 0x83 : 0x03);
    entete[1] = 126;  // 2026
    entete[2] = 1;
    entete[3] = 1;
    Ecrire_U32(&entete[4], enregistrements);
    Ecrire_U16(&entete[8], static_cast<uint16_t>(longueur_entete));
    Ecrire_U16(&entete[10], static_cast<uint16_t>(longueur_enregistrement));
    entete[29] = 0x03;  // code page 1252
    for (size_t i = 0; i < champs.size(); ++i) {
      char* d = &entete[32 + 32 * i];
      std::memcpy(d, champs[i].nom.data(), std::min<size_t>(champs[i].nom.size(), 10));
      d[11] = champs[i].type;
      d[16] = static_cast<char>(champs[i].longueur);
      d[17] = static_cast<char>(champs[i].decimales);
    }
    entete[longueur_entete - 1] = 0x0D;
    table.seekp(0);
    table.write(entete.data(), static_cast<std::streamsize>(entete.size()));
  }

  std::string Memo(const std::string& texte) {
    if (texte.empty()) return std::string(10, ' ');
    std::string bloc = Vers_1252(texte) + "\x1A\x1A";
    bloc.resize((bloc.size() + Bloc_Memo - 1) / Bloc_Memo * Bloc_Memo, '\0');
    memo.write(bloc.data(), static_cast<std::streamsize>(bloc.size()));
    std::string numero = std::to_string(prochain_bloc);
    prochain_bloc += static_cast<uint32_t>(bloc.size() / Bloc_Memo);
    return std::string(10 - numero.size(), ' ') + numero;
  }
};

TEcrivainTable::TEcrivainTable(const std::filesystem::path& chemin, std::vector<TChampEcrit> champs)
    : etat_(new TEtat) {
  etat_->champs = std::move(champs);
  for (const auto& c : etat_->champs) {
    etat_->longueur_enregistrement += static_cast<size_t>(c.longueur);
    etat_->avec_memo |= c.type == 'M';
  }
  etat_->table.open(chemin, std::ios::binary | std::ios::trunc);
  if (!etat_->table) throw std::runtime_error("cannot write " + chemin.string());
  etat_->Entete();
  if (etat_->avec_memo) {
    auto memo = chemin;
    memo.replace_extension(".DBT");
    etat_->memo.open(memo, std::ios::binary | std::ios::trunc);
    std::string entete(Bloc_Memo, '\0');
    etat_->memo.write(entete.data(), static_cast<std::streamsize>(entete.size()));
  }
}

void TEcrivainTable::Ajouter(const TEnregistrementEcrit& e) {
  std::string& r = etat_->tampon;
  r.assign(1, e.supprime ? '*' : ' ');
  for (size_t i = 0; i < etat_->champs.size(); ++i) {
    const auto& c = etat_->champs[i];
    const size_t longueur = static_cast<size_t>(c.longueur);
    std::string v = i < e.valeurs.size() ? e.valeurs[i] : std::string();
    if (c.type == 'M') v = etat_->Memo(v);
    else v = Vers_1252(v);
    v.resize(std::min(v.size(), longueur));
    if (c.type == 'N') r += std::string(longueur - v.size(), ' ') + v;
    else r += v + std::string(longueur - v.size(), ' ');
  }
  etat_->table.write(r.data(), static_cast<std::streamsize>(r.size()));
  ++etat_->enregistrements;
}

TEcrivainTable::~TEcrivainTable() {
  etat_->table.put('\x1A');
  etat_->Entete();
  if (etat_->avec_memo) {
    char suivant[4];
    Ecrire_U32(suivant, etat_->prochain_bloc);
    etat_->memo.seekp(0);
    etat_->memo.write(suivant, 4);
  }
  delete etat_;
}

void Ecrire_Table(const std::filesystem::path& table, const std::vector<TChampEcrit>& champs,
                  const std::vector<TEnregistrementEcrit>& enregistrements) {
  TEcrivainTable ecrivain(table, champs);
  for (const auto& e : enregistrements) ecrivain.Ajouter(e);
}

void Ecrire_Paies(const std::filesystem::path& dossier, const std::vector<TPaie>& paies) {
  std::vector<TEnregistrementEcrit> lignes;
  // MOIS C(7), as the payroll application writes it, unless a test needs more.
  size_t largeur = 7;
  for (const auto& p : paies) {
    lignes.push_back({{p.mois, p.montants}, p.supprime});
    largeur = std::max(largeur, p.mois.size());
  }
  Ecrire_Table(dossier / "PAIES.DTA", {{"MOIS", 'C', static_cast<int>(largeur)}, {"MONTANTS", 'M', 10}}, lignes);
}

void Ecrire_Rubriques(const std::filesystem::path& dossier, const std::vector<TRubrique>& rubriques) {
  std::vector<TEnregistrementEcrit> lignes;
  for (const auto& r : rubriques) lignes.push_back({{r.libelle, r.classe}, r.supprime});
  Ecrire_Table(dossier / "RUBRIQUE.DTA", {{"LIBELLE", 'C', 40}, {"CLASSE", 'N', 1}}, lignes);
}

std::string Memo_Montants(const std::vector<std::string>& lignes) {
  std::string texte = "EN-TETE\r\n";
  for (const auto& l : lignes) texte += l + "\r\n";
  return texte;
}

}  // namespace test
