#include "Dommages.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <fstream>
#include <regex>
#include <stdexcept>

#include "dbase/Table.h"
#include "platform/Erreurs.h"
#include "support/Dossier_Temporaire.h"

namespace test {

namespace fs = std::filesystem;

namespace {

uint32_t Lire_16(const std::string& s, size_t position) {
  return static_cast<unsigned char>(s.at(position)) | (static_cast<unsigned char>(s.at(position + 1)) << 8);
}

TFichiers Copier(const fs::path& de, const std::vector<std::pair<std::string, std::string>>& noms) {
  TFichiers f;
  for (const auto& [source, cible] : noms) {
    if (!fs::exists(de / source)) throw std::runtime_error("fichier de test absent : " + (de / source).string());
    f[cible] = Contenu(de / source);
  }
  return f;
}

const fs::path Exemples = fs::path(KORVEX_EXEMPLES);

struct TChampMemo {
  size_t decalage = 1;  // from the record's start, deletion byte included
  size_t longueur = 0;
};

// A field among the 32-byte descriptors.
TChampMemo Champ(const std::string& table, const std::string& nom) {
  TChampMemo c;
  for (size_t d = 32; table.at(d) != '\x0D'; d += 32) {
    const size_t longueur = static_cast<unsigned char>(table.at(d + 16));
    if (table.substr(d, 11).c_str() == nom) {
      c.longueur = longueur;
      return c;
    }
    c.decalage += longueur;
  }
  throw std::runtime_error("pas de champ " + nom);
}
TChampMemo Champ_Montants(const std::string& table) { return Champ(table, "MONTANTS"); }

}  // namespace

TFichiers Lire_Fichiers(const fs::path& dossier) {
  TFichiers f;
  for (const auto& e : fs::directory_iterator(dossier)) f[e.path().filename().string()] = Contenu(e.path());
  return f;
}

void Ecrire_Fichiers(const fs::path& dossier, const TFichiers& fichiers) {
  for (const auto& e : fs::directory_iterator(dossier)) fs::remove(e.path());
  for (const auto& [nom, octets] : fichiers) {
    std::ofstream s(dossier / nom, std::ios::binary | std::ios::trunc);
    s.write(octets.data(), static_cast<std::streamsize>(octets.size()));
    if (!s) throw std::runtime_error("écriture impossible : " + (dossier / nom).string());
  }
}

TFichiers Exemple() {
  return Copier(Exemples, {{"PAIES.DTA", "PAIES.DTA"}, {"PAIES.DBT", "PAIES.DBT"}, {"RUBRIQUE.DTA", "RUBRIQUE.DTA"}});
}

TFichiers Avec_Fixture(const std::string& nom) {
  const fs::path fixtures = fs::path(KORVEX_DONNEES_TEST) / ".." / "dbase" / "fixtures";
  const bool fpt = fs::exists(fixtures / (nom + ".fpt"));
  TFichiers f = Copier(fixtures, {{nom + ".dbf", "PAIES.DTA"}, fpt ? std::pair{nom + ".fpt", std::string("PAIES.FPT")}
                                                                   : std::pair{nom + ".dbt", std::string("PAIES.DBT")}});
  f["RUBRIQUE.DTA"] = Contenu(Exemples / "RUBRIQUE.DTA");
  return f;
}

std::string Nom_Memo(const TFichiers& fichiers) { return fichiers.count("PAIES.FPT") ? "PAIES.FPT" : "PAIES.DBT"; }

uint32_t Nombre_Annonce(const std::string& table) { return Lire_16(table, 4) | (Lire_16(table, 6) << 16); }
uint32_t Longueur_Entete(const std::string& table) { return Lire_16(table, 8); }
uint32_t Longueur_Enregistrement(const std::string& table) { return Lire_16(table, 10); }

size_t Debut_Enregistrement(const std::string& table, int64_t numero) {
  return Longueur_Entete(table) + static_cast<size_t>(numero - 1) * Longueur_Enregistrement(table);
}

size_t Taille_Bloc_Memo(const TFichiers& fichiers) {
  const std::string& memo = fichiers.at(Nom_Memo(fichiers));
  if (fichiers.count("PAIES.FPT"))
    return (static_cast<unsigned char>(memo.at(6)) << 8) | static_cast<unsigned char>(memo.at(7));
  const auto version = static_cast<unsigned char>(fichiers.at("PAIES.DTA").at(0));
  if (version == 0x03 || version == 0x83) return 512;
  return Lire_16(memo, 20) != 0 ? Lire_16(memo, 20) : 512;
}

size_t Debut_Montants(const std::string& table, int64_t numero) {
  return Debut_Enregistrement(table, numero) + Champ_Montants(table).decalage;
}

size_t Debut_Mois(const std::string& table, int64_t numero) {
  return Debut_Enregistrement(table, numero) + Champ(table, "MOIS").decalage;
}

std::string Pointeur_Memo(const std::string& table, int64_t numero) {
  return table.substr(Debut_Montants(table, numero), Champ_Montants(table).longueur);
}

size_t Debut_Memo(const TFichiers& fichiers, int64_t numero) {
  const std::string& table = fichiers.at("PAIES.DTA");
  const TChampMemo c = Champ_Montants(table);
  const std::string pointeur = table.substr(Debut_Montants(table, numero), c.longueur);
  // Visual FoxPro keeps the block as a binary integer, the others as digits.
  const size_t bloc = c.longueur == 4 ? Lire_16(pointeur, 0) | (Lire_16(pointeur, 2) << 16)
                                      : std::stoul(pointeur);
  return bloc * Taille_Bloc_Memo(fichiers);
}

void Ecrire_16(std::string& octets, size_t position, uint16_t valeur) {
  octets.at(position) = static_cast<char>(valeur & 0xFF);
  octets.at(position + 1) = static_cast<char>(valeur >> 8);
}

void Ecrire_32(std::string& octets, size_t position, uint32_t valeur, bool grand_boutiste) {
  for (size_t i = 0; i < 4; ++i)
    octets.at(position + i) = static_cast<char>(valeur >> (grand_boutiste ? 24 - 8 * i : 8 * i));
}

uint32_t Tirer(std::mt19937& alea, uint32_t n) { return static_cast<uint32_t>(alea() % n); }

void Brouiller(std::string& octets, size_t debut, size_t n, std::mt19937& alea) {
  for (size_t i = debut; i < debut + n && i < octets.size(); ++i) octets[i] = static_cast<char>(Tirer(alea, 256));
}

TIssue Calculer(const fs::path& dossier, const std::string& mois) {
  const TFichiers avant = Lire_Fichiers(dossier);
  TIssue r;
  recap::TGrille grille;
  try {
    recap::Calculer_Recap(dossier.string(), mois, r.TOT_RUB, grille,
                          [&r](const std::string& m) { r.messages.push_back(m); }, r.bilan);
  } catch (const plateforme::EKorvex& e) {
    r.erreur = e.what();
  } catch (const std::exception& e) {
    // Not one of the program's own errors: no French message would reach the user.
    r.erreur = std::string("exception imprévue : ") + e.what();
  }
  r.dossier_intact = Lire_Fichiers(dossier) == avant;
  return r;
}

TPlages Non_Comptes(const std::vector<std::string>& avertissements) {
  static const std::regex bulletin("^Attention : le bulletin de l'enregistrement ([0-9]+) ");
  static const std::regex un("l'enregistrement ([0-9]+) n'a pas été lu");
  static const std::regex plusieurs("les enregistrements ([0-9]+) à ([0-9]+) n'ont pas été lus");
  static const std::regex mois("^Attention : l'enregistrement ([0-9]+) de la table .* n'est compté dans aucun mois");
  // Lists: "les enregistrements 14 (...), 15 (...) et 16 (...)"; a name holds no "N (".
  static const std::regex liste("^Attention : (les bulletins des enregistrements|[0-9]+ enregistrements de la table)");
  static const std::regex element("(?:enregistrements |, | et )([0-9]+) \\(");
  TPlages plages;
  for (const std::string& a : avertissements) {
    std::smatch m;
    if (std::regex_search(a, m, bulletin) || std::regex_search(a, m, un) || std::regex_search(a, m, mois)) {
      plages.emplace_back(std::stoll(m[1]), std::stoll(m[1]));
    } else if (std::regex_search(a, m, plusieurs)) {
      plages.emplace_back(std::stoll(m[1]), std::stoll(m[2]));
    } else if (std::regex_search(a, m, liste)) {
      const std::string noms = a.substr(a.find(" enregistrements ", m.length(0) - 20));
      for (auto i = std::sregex_iterator(noms.begin(), noms.end(), element); i != std::sregex_iterator(); ++i)
        plages.emplace_back(std::stoll((*i)[1]), std::stoll((*i)[1]));
    }
  }
  return plages;
}

namespace {

bool Dans(const TPlages& plages, int64_t numero) {
  for (const auto& [premier, dernier] : plages)
    if (numero >= premier && numero <= dernier) return true;
  return false;
}

}  // namespace

dbase::TTable& Ouvrir(dbase::TTable& t, const fs::path& dossier) {
  t.TableType = dbase::TTableType::ttDBase;
  t.DatabaseName = dossier.string();
  t.TableName = "PAIES.DTA";
  t.Open();
  return t;
}

TReference Reference(const fs::path& dossier_intact, const std::string& mois, const TPlages& sans) {
  TReference r;
  TTAB_VALEURS valeurs;
  TDecodage decodage(&valeurs);
  dbase::TTable t;
  for (Ouvrir(t, dossier_intact); !t.Eof(); t.Next()) {
    if (t.FieldByName("MOIS").AsString().substr(0, 7) != mois || Dans(sans, t.RecNo())) continue;
    Memo_Montants_Decoder(t.FieldByName("MONTANTS").AsString(), decodage);
    for (int i = TTAB_VALEURS::Premier; i <= TTAB_VALEURS::Dernier; ++i) r.TOT_RUB[i] += valeurs[i];
    ++r.Bulletins;
  }
  return r;
}

std::vector<std::string> Mois_Des_Paies(const fs::path& dossier_intact) {
  std::vector<std::string> mois;
  dbase::TTable t;
  for (Ouvrir(t, dossier_intact); !t.Eof(); t.Next()) {
    const std::string m = t.FieldByName("MOIS").AsString().substr(0, 7);
    if (std::find(mois.begin(), mois.end(), m) == mois.end()) mois.push_back(m);
  }
  return mois;
}

std::map<int64_t, std::string> Memos_Du_Mois(const fs::path& dossier, const std::string& mois) {
  std::map<int64_t, std::string> memos;
  try {
    dbase::TTable t;
    for (Ouvrir(t, dossier); !t.Eof(); t.Next()) {
      if (t.FieldByName("MOIS").AsString().substr(0, 7) != mois) continue;
      try {
        memos[t.RecNo()] = t.FieldByName("MONTANTS").AsString();
      } catch (const plateforme::EKorvex&) {
      }
    }
  } catch (const plateforme::EKorvex&) {
  }
  return memos;
}

bool Totaux_Identiques(const TTAB_VALEURS& a, const TTAB_VALEURS& b) {
  for (int i = TTAB_VALEURS::Premier; i <= TTAB_VALEURS::Dernier; ++i)
    if (!(a[i] == b[i]) || std::signbit(a[i]) != std::signbit(b[i])) return false;
  return true;
}

}  // namespace test
