// The memo decoder over arbitrary text, against a plain reading of its steps: the same table or
// the same error, and the user's separators back in force after every decoding.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Erreurs.h"
#include "KORVEX_procs.h"
#include "platform/Entiers.h"
#include "platform/Format_Nombres.h"
#include "platform/Montants.h"
#include "platform/Raccourcis.h"
#include "platform/Separateurs.h"

namespace {

// The harness's own loops are no code under test: without coverage tracing, the fuzzer runs the
// decoder several times as often.
#define SANS_COUVERTURE __attribute__((no_sanitize("coverage")))

[[noreturn]] void Echec(const std::string& detail) {
  std::fprintf(stderr, "%s\n", detail.c_str());
  std::abort();
}

// Bytes of the UTF-8 character at i: a well-formed sequence, else one byte on its own.
SANS_COUVERTURE size_t Caractere(std::string_view t, size_t i) {
  const auto o = [&](size_t k) { return k < t.size() ? static_cast<unsigned char>(t[k]) : 0u; };
  struct Forme {
    unsigned premier_min, premier_max, second_min, second_max;
    size_t longueur;
  };
  static const Forme formes[] = {
      {0xC2, 0xDF, 0x80, 0xBF, 2}, {0xE0, 0xE0, 0xA0, 0xBF, 3}, {0xE1, 0xEC, 0x80, 0xBF, 3},
      {0xED, 0xED, 0x80, 0x9F, 3}, {0xEE, 0xEF, 0x80, 0xBF, 3}, {0xF0, 0xF0, 0x90, 0xBF, 4},
      {0xF1, 0xF3, 0x80, 0xBF, 4}, {0xF4, 0xF4, 0x80, 0x8F, 4}};
  for (const Forme& f : formes) {
    if (o(i) < f.premier_min || o(i) > f.premier_max) continue;
    if (i + f.longueur > t.size() || o(i + 1) < f.second_min || o(i + 1) > f.second_max) return 1;
    for (size_t k = 2; k < f.longueur; ++k)
      if (o(i + k) < 0x80 || o(i + k) > 0xBF) return 1;
    return f.longueur;
  }
  return 1;
}

SANS_COUVERTURE std::vector<std::string_view> Caracteres(std::string_view t) {
  std::vector<std::string_view> c;
  for (size_t i = 0; i < t.size();) {
    const size_t n = Caractere(t, i);
    c.push_back(t.substr(i, n));
    i += n;
  }
  return c;
}

struct Resultat {
  long double table[900] = {};
  std::vector<int> stockees;  // rubrics stored, in the order of their first line
  std::string erreur;
};

std::string Message(const plateforme::EKorvex& e) { return e.what(); }

// One body line; false when it ends the decoding with an error.
SANS_COUVERTURE bool Ligne_Reference(std::string_view ligne, Resultat& r) {
  const auto c = Caracteres(ligne);
  if (c.size() < 4) {
    for (const char o : ligne) {
      const auto u = static_cast<unsigned char>(o);
      if ((u < 32 && u != 9 && u != 26) || u >= 127) {
        r.erreur = "n'est pas du texte : il contient des octets binaires ou nuls";
        return false;
      }
    }
    return true;
  }
  const size_t fin_rubrique = c[0].size() + c[1].size() + c[2].size();
  const std::string_view texte_rubrique = ligne.substr(0, fin_rubrique);
  int32_t rubrique;
  int64_t n;
  try {
    rubrique = plateforme::Texte_Vers_Entier(texte_rubrique);
    n = plateforme::Texte_Vers_Montant(ligne.substr(fin_rubrique), U'.');
  } catch (const plateforme::EKorvex& e) {
    r.erreur = Message(e);
    return false;
  }
  if (rubrique == 0 || (n < 90 && n > -90)) return true;
  if (rubrique < 1 || rubrique > 899) {
    r.erreur = "'" + std::string(texte_rubrique) + "' n'est pas un numéro de rubrique correct (1 à 899)";
    return false;
  }
  if (r.table[rubrique] == 0) r.stockees.push_back(rubrique);  // a stored amount is never 0
  r.table[rubrique] = static_cast<long double>(n) / 10000.0L;
  return true;
}

SANS_COUVERTURE Resultat Reference(std::string_view texte) {
  Resultat r;
  size_t i = 0;
  while (i < texte.size() && texte[i] != '\r') ++i;
  while (i < texte.size() && (texte[i] == '\n' || texte[i] == '\r' || texte[i] == 26)) ++i;
  if (i >= texte.size()) return r;
  const bool dernier_controle = static_cast<unsigned char>(texte.back()) < 32;
  std::string_view corps = texte.substr(i, texte.size() - i - (dernier_controle ? 1 : 0));
  corps = corps.substr(0, corps.find('\0'));
  for (size_t debut = 0; debut < corps.size();) {
    size_t fin = corps.find_first_of("\r\n", debut);
    if (fin == std::string_view::npos) fin = corps.size();
    if (!Ligne_Reference(corps.substr(debut, fin - debut), r)) break;
    if (fin < corps.size() && corps[fin] == '\r') ++fin;
    if (fin < corps.size() && corps[fin] == '\n') ++fin;
    debut = fin;
  }
  return r;
}

// The user's separators before the decoding: the first byte of the input picks them.
struct Separateurs_Utilisateur {
  char32_t decimal, milliers;
};
const Separateurs_Utilisateur Reglages[] = {
    {U',', U'\u00A0'}, {U'.', U','}, {U',', U'.'}, {U'\u066B', U'\u066C'}, {U',', U'\u202F'}};

// The same text decoded into counts, after the counts of earlier inputs: the same error, and
// then nothing appended; else one count for each stored rubric, its amount once divided.
SANS_COUVERTURE void Comparer_Comptes(std::string_view texte, const Resultat& attendu) {
  static TComptes_Rubriques comptes;
  static TDecodage decodage;  // numbered on from input to input
  static size_t tailles[900] = {};  // what the harness left in each rubric's counts
  decodage.Comptes = &comptes;
  std::vector<int64_t>* const c = comptes.data();
  std::string erreur;
  try {
    Memo_Montants_Decoder(texte, decodage);
  } catch (const plateforme::EKorvex& e) {
    erreur = e.what();
  }
  if (erreur != attendu.erreur) Echec("comptes : erreur « " + erreur + " » au lieu de « " + attendu.erreur + " »");
  for (size_t i = 1; i <= 899; ++i) {
    const bool stockee = erreur.empty() && attendu.table[i] != 0;
    const size_t taille = c[i].size();
    if (taille != tailles[i] + (stockee ? 1 : 0) || decodage.Stockee(static_cast<int>(i)) != stockee)
      Echec("comptes : rubrique " + std::to_string(i) + " ajoutée à tort");
    if (stockee) {
      const long double montant = Montant_De(c[i].back());
      if (std::memcmp(&montant, &attendu.table[i], 10) != 0) Echec("comptes : montant de la rubrique " + std::to_string(i));
      if (taille > 64) c[i].clear();
    }
    tailles[i] = c[i].size();
  }
}

// A decoding into a table, reused from memo to memo as a scan reuses its own.
TTAB_VALEURS Valeurs;
TDecodage Decodage_Table(&Valeurs);

// The table against the reference: every entry, and the list of the rubrics a total adds.
SANS_COUVERTURE void Comparer_Table(const std::string& lecteur, const Resultat& attendu) {
  if (Decodage_Table.Rubriques != attendu.stockees) Echec(lecteur + "liste des rubriques décodées");
  for (int i = 1; i <= 899; ++i) {
    if (std::memcmp(&Valeurs[i], &attendu.table[i], 10) != 0)
      Echec(lecteur + "rubrique " + std::to_string(i) + " : " + plateforme::Format_General(Valeurs[i], U'.') +
            " au lieu de " + plateforme::Format_General(attendu.table[i], U'.'));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
  if (taille == 0) return 0;
  const Separateurs_Utilisateur s = Reglages[donnees[0] % std::size(Reglages)];
  const std::string texte(reinterpret_cast<const char*>(donnees) + 1, taille - 1);
  plateforme::Fixer_Separateurs(s.decimal, s.milliers);
  // Leftovers of an earlier payslip must not survive the decoding: forty rubrics spread over the
  // table, from a place the input picks, so that every rubric is met as a leftover in turn.
  std::string Tout_Stocke = "H\r\n";
  const int decalage = 1 + (taille > 1 ? donnees[1] : 0) % 22;
  for (int i = decalage; i <= 899; i += 22)
    Tout_Stocke += std::string(i < 10 ? "00" : i < 100 ? "0" : "") + std::to_string(i) + "7.5\r\n";
  const Resultat attendu = Reference(texte);
  // The usual line read with SSE4.1, then by the scalar reader: both give the reference's bits.
  for (const bool simd : {true, false}) {
    plateforme::Fixer_Raccourcis({simd, true, true});
    Memo_Montants_Decoder(Tout_Stocke, Decodage_Table);
    std::string erreur;
    try {
      Memo_Montants_Decoder(texte, Decodage_Table);
    } catch (const plateforme::EKorvex& e) {
      erreur = e.what();
      if (erreur.empty()) Echec("erreur sans message");
    }
    if (plateforme::DecimalSeparator() != s.decimal || plateforme::ThousandSeparator() != s.milliers)
      Echec("séparateurs non rétablis après « " + erreur + " »");
    const std::string lecteur = simd ? "SSE4.1 : " : "scalaire : ";
    if (erreur != attendu.erreur) Echec(lecteur + "erreur « " + erreur + " » au lieu de « " + attendu.erreur + " »");
    Comparer_Table(lecteur, attendu);
    Comparer_Comptes(texte, attendu);
  }
  plateforme::Fixer_Raccourcis({});
  return 0;
}
